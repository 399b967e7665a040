#include "directory_forms.h"

#include "core/text.h"
#include "qt_text.h"

#include <QSqlQuery>

#include <algorithm>

namespace dravo::refdata {

using namespace dravo::literals;

namespace {

QString RowText(const QSqlQuery &row, int column) {
    const QVariant value = row.value(column);
    return value.isNull() ? QString() : value.toString();
}

bool LoadRows(SqlConnection &db, const QString &sql, std::vector<ListRow> &rows, DbError *error,
              QString (*text)(const QSqlQuery &)) {
    rows.clear();
    return db.Select(
        sql, {},
        [&](const QSqlQuery &row) {
            rows.push_back({row.value(0).toInt(), text(row)});
            return true;
        },
        error);
}

bool Fails(bool ok, const DbError &error, std::string *message, std::string_view refused = {}) {
    if (!ok && message)
        *message = ChangeFailedMessage(error, refused);
    return !ok;
}

constexpr FormField kOrganisation[] = {
    {"Форма"_w, "Form", 200, {}},
    {"Наименование"_w, "Name", 200, {}},
    {"Индекс, город"_w, "City", 100, {}},
    {"Адрес"_w, "Address", 100, {}},
    {"Фамилия"_w, "Family", 100, " Представитель"_w},
    {"Имя"_w, "IO", 100, " Представитель"_w},
    {"Должность"_w, "Dolgn", 100, " Представитель"_w},
    {"ИНН"_w, "INN", 10, "Платежные"_w},
    {"ОКПО"_w, "OKPO", 8, "Платежные"_w},
    {"ОКВЭД"_w, "OKONH", 8, "Платежные"_w},
    {"Расчетный счет"_w, "RS", 20, "Платежные"_w},
    {"Телефон, факс"_w, "Tel", 50, "Прочие"_w},
    {"Доп. сведения"_w, "Otgr", 200, "Прочие"_w},
};

// The citizen form sets no lengths of its own; these are the organisation form's lengths of the
// same columns, and the lengths of the documents for the rest.
constexpr FormField kCitizen[] = {
    {"Фамилия"_w, "Name", 200, {}},
    {"Имя, отчество"_w, "Form", 200, {}},
    {"Индекс, город"_w, "City", 100, {}},
    {"Адрес"_w, "Address", 100, {}},
    {"ИНН"_w, "RS", 12, {}},
    {"Свидетельство"_w, "IO", 100, {}},
    {"выдано"_w, "Dolgn", 100, {}},
    {"Паспорт серии"_w, "INN", 10, {}},
    {"№"_w, "OKPO", 8, {}},
    {"выдан"_w, "Family", 100, {}},
    {"Телефон, факс"_w, "Tel", 50, {}},
    {"Доп. сведения"_w, "Otgr", 200, {}},
};

constexpr FormField kBank[] = {
    {"Наименование"_w, "NameB", 200, {}},
    {"Корр. счет"_w, "KS", 20, {}},
    {"БИК"_w, "BIK", 10, {}},
    {"Адрес"_w, "AddressB", 255, {}},
};

int MaxLength(std::span<const FormField> fields, std::string_view column) {
    for (const FormField &f : fields)
        if (EqualsIgnoreCase(f.column, column))
            return f.maxLength;
    return 255;
}

std::string Cut(std::string_view text, int length) {
    return std::string(text.substr(0, std::size_t(std::max(length, 0))));
}

} // namespace

std::string ChangeFailedMessage(const DbError &error, std::string_view refusedMessage) {
    const QString text = error.text.toLower();
    switch (error.kind) {
    case DbError::Kind::Refused:
        if (!refusedMessage.empty())
            return std::string(refusedMessage);
        break;
    case DbError::Kind::NotFound:
        return std::string("Запись удалена из базы данных (возможно, в другом окне)"_w);
    case DbError::Kind::NotOpen:
        return std::string("База данных не открыта"_w);
    case DbError::Kind::Busy:
        return std::string(
            "База данных занята другой программой: изменения не записаны, повторите позже"_w);
    default:
        break;
    }
    if (text.contains(QLatin1String("readonly")) || text.contains(QLatin1String("read-only")) ||
        text.contains(QLatin1String("read only")))
        return std::string("База данных открыта только для чтения: изменения не записаны"_w);
    if (text.contains(QLatin1String("locked")) || text.contains(QLatin1String("busy")))
        return std::string(
            "База данных занята другой программой: изменения не записаны, повторите позже"_w);
    return std::string("Не удалось записать в базу данных: "_w) + FromQt(error.text);
}

bool LoadPartyRows(SqlConnection &db, std::vector<ListRow> &rows, DbError *error) {
    return LoadRows(
        db, QStringLiteral("SELECT FactorysID, Name, Form FROM FACTORY ORDER BY Name, FactorysID"),
        rows, error, [](const QSqlQuery &row) {
            QString name = RowText(row, 1);
            while (name.endsWith(QLatin1Char('.')))
                name.chop(1);
            return name + QStringLiteral(", ") + RowText(row, 2);
        });
}

bool LoadBankRows(SqlConnection &db, std::vector<ListRow> &rows, DbError *error) {
    return LoadRows(db, QStringLiteral("SELECT BankID, NameB FROM BANK ORDER BY NameB, BankID"),
                    rows, error, [](const QSqlQuery &row) { return RowText(row, 1); });
}

bool LoadItemRows(SqlConnection &db, std::vector<ListRow> &rows, DbError *error) {
    return LoadRows(db, QStringLiteral("SELECT TovarID, Name FROM LISTM ORDER BY Name, TovarID"),
                    rows, error, [](const QSqlQuery &row) { return RowText(row, 1); });
}

// PartyChoice --------------------------------------------------------------------------------

PartyChoice::PartyChoice(Directory &directory, std::array<int, 2> ids, bool thirdParty,
                         std::array<std::string, 2> names)
    : m_directory(directory), m_ids(ids), m_thirdParty(thirdParty), m_names(std::move(names)) {
    m_selected = m_ids[0];
}

std::string PartyChoice::DeleteQuestion() {
    return std::string("     Удалить запись о контрагенте\n              из базы данных?"_w);
}

bool PartyChoice::Load(std::string *message) {
    if (!Refill(message))
        return false;
    for (int &id : m_ids)
        if (id != -1 && !m_directory.ReadParty(id))
            id = -1; // gone since the document chose it
    m_selected = m_ids[Index(m_side)];
    return true;
}

bool PartyChoice::Refill(std::string *message) {
    std::vector<ListRow> rows;
    DbError error;
    if (Fails(LoadPartyRows(m_directory.Connection(), rows, &error), error, message))
        return false;
    m_model.Reset(std::move(rows));
    return true;
}

std::string PartyChoice::Title() const {
    const std::string &name = m_names[Index(m_side)];
    return "   " + (name.empty() ? std::string("<название стороны не определено>"_w) : name);
}

std::string PartyChoice::NextCaption() const {
    return std::string(m_side == PartySide::Counterparty ? "Следующий"_w : "Предыдущий"_w);
}

void PartyChoice::Next() {
    if (!m_thirdParty)
        return;
    Store();
    m_side = m_side == PartySide::Counterparty ? PartySide::ThirdParty : PartySide::Counterparty;
    m_selected = m_ids[Index(m_side)];
}

std::optional<int> PartyChoice::Add(PartyKind kind, std::string *message) {
    DbError error;
    const auto id = m_directory.AddParty(kind, {}, &error);
    if (Fails(id.has_value(), error, message))
        return std::nullopt;
    m_selected = *id;
    return id;
}

void PartyChoice::CancelAdded(int id) {
    m_directory.DeleteParty(id);
    for (int &party : m_ids)
        if (party == id)
            party = -1;
    Unselect(id);
}

bool PartyChoice::DeleteSelected(std::string *message) {
    if (m_selected == -1)
        return false;
    DbError error;
    if (Fails(m_directory.DeleteParty(m_selected, &error), error, message))
        return false;
    // The other side may still point at the row: it is reset when the party is next located.
    m_selected = -1;
    return Refill(message);
}

bool PartyChoice::SelectedIsCitizen() const {
    const auto record = m_directory.ReadParty(m_selected);
    return record && record->person;
}

std::array<int, 2> PartyChoice::Result() const {
    std::array<int, 2> ids = m_ids;
    ids[Index(m_side)] = m_selected;
    for (std::size_t i = 0; i < 2; ++i)
        if (m_dashes[i])
            ids[i] = -1;
    if (!m_thirdParty)
        ids[1] = m_ids[1];
    return ids;
}

// BankChoice ---------------------------------------------------------------------------------

BankChoice::BankChoice(Directory &directory, int bankId) : m_directory(directory) {
    m_selected = bankId;
}

std::string BankChoice::DeleteQuestion() {
    return std::string("         Удалить запись о банке\n              из базы данных?"_w);
}

bool BankChoice::Load(std::string *message) {
    if (!Refill(message))
        return false;
    SelectFirstWhenNone();
    return true;
}

bool BankChoice::Refill(std::string *message) {
    std::vector<ListRow> rows;
    DbError error;
    if (Fails(LoadBankRows(m_directory.Connection(), rows, &error), error, message))
        return false;
    m_model.Reset(std::move(rows));
    return true;
}

std::optional<int> BankChoice::Add(std::string *message) {
    DbError error;
    const auto id = m_directory.AddBank({}, &error);
    if (Fails(id.has_value(), error, message))
        return std::nullopt;
    m_selected = *id;
    m_noBank = false;
    return id;
}

void BankChoice::CancelAdded(int id) {
    m_directory.DeleteBank(id);
    Unselect(id);
}

bool BankChoice::DeleteSelected(std::string *message) {
    if (!HasSelection())
        return false;
    DbError error;
    if (Fails(m_directory.DeleteBank(m_selected, &error), error, message))
        return false;
    const int row = SelectedRow();
    if (!Refill(message))
        return false;
    SelectAfterDeleting(row);
    return true;
}

// The forms -----------------------------------------------------------------------------------

std::span<const FormField> OrganisationFields() {
    return kOrganisation;
}
std::span<const FormField> CitizenFields() {
    return kCitizen;
}
std::span<const FormField> BankFields() {
    return kBank;
}

bool PartyCard::Load(std::string *message) {
    DbError error;
    auto record = m_directory.ReadParty(m_id, &error);
    if (!record) {
        if (message)
            *message = error ? ChangeFailedMessage(error, {})
                             : ChangeFailedMessage({DbError::Kind::NotFound, {}}, {});
        return false;
    }
    m_record = std::move(*record);
    return true;
}

std::span<const FormField> PartyCard::Fields() const {
    return Citizen() ? CitizenFields() : OrganisationFields();
}

std::size_t PartyCard::Column(std::string_view column) const {
    for (std::size_t i = 0; i < kPartyTextColumns.size(); ++i)
        if (EqualsIgnoreCase(kPartyTextColumns[i], column))
            return i;
    return kPartyTextColumns.size();
}

std::string PartyCard::Text(std::string_view column) const {
    const std::size_t i = Column(column);
    return i < m_record.texts.size() ? m_record.texts[i] : std::string();
}

void PartyCard::SetText(std::string_view column, std::string_view text) {
    const std::size_t i = Column(column);
    if (i < m_record.texts.size())
        m_record.texts[i] = Cut(text, MaxLength(Fields(), column));
}

std::string PartyCard::BankName() const {
    return m_record.BankText(kNameB);
}

bool PartyCard::SetBank(int bankId, std::string *message) {
    DbError error;
    if (Fails(m_directory.SetPartyBank(m_id, bankId, &error), error, message))
        return false;
    m_record.bankId = bankId < 0 ? -1 : bankId;
    m_record.bank = bankId < 0 ? std::nullopt : m_directory.ReadBank(bankId);
    return true;
}

std::string PartyCard::Warning(std::string_view column) const {
    if (Citizen())
        return EqualsIgnoreCase(column, "RS") ? InnWarning(Text("RS"), TaxpayerKind::Person)
                                              : std::string();
    if (EqualsIgnoreCase(column, "INN"))
        return InnWarning(Text("INN"), TaxpayerKind::Organisation);
    if (EqualsIgnoreCase(column, "RS"))
        return SettlementAccountWarning(Text("RS"), m_record.BankText(kBIK));
    return {};
}

bool PartyCard::Save(std::string *message) {
    ColumnValues values;
    for (const FormField &f : Fields())
        values.emplace_back(std::string(f.column), Text(f.column));
    if (Citizen()) {
        values.emplace_back("TypePersonFlag", m_record.entrepreneur ? "true" : "false");
        values.emplace_back("PersonFlag", "true");
    }
    DbError error;
    return !Fails(m_directory.UpdateParty(m_id, values, &error), error, message,
                  Citizen() ? "Укажите фамилию гражданина"_w
                            : "Укажите наименование контрагента"_w);
}

bool BankCard::Load(std::string *message) {
    DbError error;
    auto record = m_directory.ReadBank(m_id, &error);
    if (!record) {
        if (message)
            *message = error ? ChangeFailedMessage(error, {}) : std::string("Список банков пуст"_w);
        return false;
    }
    m_record = std::move(*record);
    return true;
}

std::string BankCard::Text(std::string_view column) const {
    return m_record.Column(column).value_or(std::string());
}

void BankCard::SetText(std::string_view column, std::string_view text) {
    for (std::size_t i = 0; i < kBankTextColumns.size(); ++i)
        if (EqualsIgnoreCase(kBankTextColumns[i], column))
            m_record.texts[i] = Cut(text, MaxLength(kBank, column));
}

std::string BankCard::Warning(std::string_view column) const {
    if (EqualsIgnoreCase(column, "BIK"))
        return BikWarning(m_record.texts[kBIK]);
    if (EqualsIgnoreCase(column, "KS"))
        return CorrAccountWarning(m_record.texts[kKS], m_record.texts[kBIK]);
    return {};
}

bool BankCard::Save(std::string *message) {
    ColumnValues values;
    for (std::size_t i = 0; i < kBankTextColumns.size(); ++i)
        values.emplace_back(std::string(kBankTextColumns[i]), m_record.texts[i]);
    DbError error;
    return !Fails(m_directory.UpdateBank(m_id, values, &error), error, message,
                  "Укажите наименование банка"_w);
}

std::vector<std::pair<std::string, std::string>> PartyWarnings(const PartyRecord &record) {
    std::vector<std::pair<std::string, std::string>> out;
    auto add = [&](std::string_view column, std::string warning) {
        if (!warning.empty())
            out.emplace_back(std::string(column), std::move(warning));
    };
    if (record.person) {
        add("RS", InnWarning(record.texts[kRS], TaxpayerKind::Person));
    } else {
        add("INN", InnWarning(record.texts[kINN], TaxpayerKind::Organisation));
        add("RS", SettlementAccountWarning(record.texts[kRS], record.BankText(kBIK)));
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> BankWarnings(const BankRecord &record) {
    std::vector<std::pair<std::string, std::string>> out;
    if (auto w = BikWarning(record.texts[kBIK]); !w.empty())
        out.emplace_back("BIK", std::move(w));
    if (auto w = CorrAccountWarning(record.texts[kKS], record.texts[kBIK]); !w.empty())
        out.emplace_back("KS", std::move(w));
    return out;
}

} // namespace dravo::refdata
