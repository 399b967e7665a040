#include "subject_form.h"

#include "core/text.h"
#include "table_rows.h"

#include <algorithm>
#include <charconv>

namespace dravo::refdata {

using namespace dravo::literals;

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// A typed quantity: nullopt for anything but digits; a value past the limit as it is (up to a
// number that still fits).
std::optional<long long> ParseQuantity(std::string_view text) {
    text = Trimmed(text);
    if (text.empty())
        return 0;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    while (text.size() > 1 && text.front() == '0')
        text.remove_prefix(1);
    if (text.size() > 12)
        return 1000000000000LL; // past every limit
    return std::stoll(std::string(text));
}

// A typed price or amount: "1500.50" or "1500,50"; blanks inside are thousands separators.
// Only digits and one decimal point or comma: no sign, exponent, "inf" or "nan".
std::optional<double> ParseMoney(std::string_view text) {
    std::string digits;
    for (char c : Trimmed(text))
        if (c != ' ')
            digits += c;
    if (digits.empty())
        return 0.0;
    bool separator = false;
    bool digit = false;
    for (const char c : digits) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if ((c == '.' || c == ',') && !separator)
            separator = true;
        else
            return std::nullopt;
    }
    if (!digit) // a lone point or comma: the first key of ",5"
        return 0.0;
    return ParseReal(digits);
}

// The texts of a reset field.
const std::string kNoQuantity(1, '0');
const std::string kNoPrice("0.00");

const std::string &NoSet() {
    static const std::string name = NoSetName();
    return name;
}

} // namespace

std::string Money(double value) {
    // A point whatever the locale: the window toolkit puts the program under the user's locale,
    // which on a Russian desktop would write a comma.
    char text[400]; // the longest double in fixed notation, with two decimals
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, end.ptr);
}

SubjectForm::SubjectForm(SubjectStore &store, CBody &body, bool settlement)
    : m_store(store), m_body(body), m_opening(body.Paragraph(ParReqText)),
      m_settlement(settlement) {}

std::string &SubjectForm::TemplateName(bool settlement) {
    CPun &p = m_body.Paragraph(ParReqText);
    return settlement ? p.m_strText : p.m_strName;
}

std::string SubjectForm::Title() const {
    return std::string(m_settlement ? "   Имущество для передачи в счет взаиморасчетов"_w
                                    : "   Предмет договора"_w);
}

bool SubjectForm::AsTable() const {
    const CPun &p = m_body.Paragraph(ParReqText);
    return (m_settlement ? p.m_nCheck : p.m_nType) == 1;
}

void SubjectForm::SetAsTable(bool on) {
    CPun &p = m_body.Paragraph(ParReqText);
    (m_settlement ? p.m_nCheck : p.m_nType) = on ? 1 : 0;
}

bool SubjectForm::ReadNames(std::string *message) {
    DbError error;
    if (!m_store.SetNames(m_names, &error)) {
        if (message)
            *message = ChangeFailedMessage(error, {});
        return false;
    }
    return true;
}

bool SubjectForm::Open(std::string *message) {
    if (!ReadNames(message))
        return false;
    m_body.Paragraph(ParReqText).m_nMark = m_settlement ? 1 : 0;
    return Load(TemplateName(m_settlement), message);
}

bool SubjectForm::Load(const std::string &wanted, std::string *message) {
    const auto known = std::find_if(m_names.begin(), m_names.end(), [&](const std::string &n) {
        return EqualsIgnoreCase(n, wanted);
    });
    m_setName = known != m_names.end() ? *known : NoSet();
    m_rows = {};
    DbError error;
    const auto set = m_store.ReadSet(m_setName, &error);
    if (!set) {
        if (error) {
            if (message)
                *message = ChangeFailedMessage(error, {});
            return false;
        }
        return true; // "<не определено>" missing from a damaged database: seven blank rows
    }
    for (std::size_t i = 0; i < set->rows.size() && i < kSubjectRows; ++i) {
        const SubjectRow &r = set->rows[i];
        m_rows[i] = {r.name,         std::to_string(r.kolvo), r.edizm,
                     Money(r.price), Money(r.summ),           r.currency,
                     r.definds};
    }
    return true;
}

bool SubjectForm::Save(std::string *message) {
    std::vector<SubjectRow> rows;
    for (const SubjectFormRow &f : m_rows) {
        SubjectRow &r = rows.emplace_back();
        r.name = f.name;
        r.kolvo = ParseQuantity(f.quantity).value_or(0);
        r.edizm = f.unit;
        r.price = ParseMoney(f.price).value_or(0);
        r.summ = ParseMoney(f.amount).value_or(0);
        r.currency = f.currency;
        r.definds = f.vat;
    }
    DbError error;
    if (!m_store.SaveSet(m_setName, rows, &error)) {
        if (message)
            *message = ChangeFailedMessage(error, {});
        return false;
    }
    return true;
}

void SubjectForm::Recompute(std::size_t i) {
    SubjectFormRow &r = m_rows[i];
    const double amount =
        double(ParseQuantity(r.quantity).value_or(0)) * ParseMoney(r.price).value_or(0);
    r.amount = Money(amount);
}

std::string SubjectForm::EditQuantity(std::size_t i, std::string_view text) {
    SubjectFormRow &r = m_rows[i];
    r.quantity = text;
    std::string message;
    const auto quantity = ParseQuantity(text);
    if (!quantity)
        message = "Количество указывается целым числом"_w;
    else if (*quantity > kMaxQuantity)
        message = "Количество не должно превышать 999999999"_w;
    else if (double(*quantity) * ParseMoney(r.price).value_or(0) > kMaxAmount)
        message = "Сумма не должна превышать 999999999999.00"_w;
    if (!message.empty())
        r.quantity = kNoQuantity;
    Recompute(i);
    return message;
}

std::string SubjectForm::EditPrice(std::size_t i, std::string_view text) {
    SubjectFormRow &r = m_rows[i];
    r.price = text;
    std::string message;
    const auto price = ParseMoney(text);
    if (!price)
        message = "Цена указывается числом, например 1500,50"_w;
    else if (*price > kMaxPrice)
        message = "Цена не должна превышать 999999999.99"_w;
    else if (double(ParseQuantity(r.quantity).value_or(0)) * *price > kMaxAmount)
        message = "Сумма не должна превышать 999999999999.00"_w;
    if (!message.empty())
        r.price = kNoPrice;
    Recompute(i);
    return message;
}

void SubjectForm::EditAmount(std::size_t i, std::string_view text) {
    m_rows[i].amount = text;
}

double SubjectForm::TotalValue() const {
    double total = 0;
    for (const SubjectFormRow &r : m_rows)
        total += ParseMoney(r.amount).value_or(0);
    return total;
}

std::string SubjectForm::Total() const {
    return Money(TotalValue());
}

void SubjectForm::PickItem(std::size_t i, const CatalogueItem &item) {
    SubjectFormRow &r = m_rows[i];
    r.name = item.name;
    r.unit = item.unit;
    r.currency = item.currency;
    r.vat = item.vat;
    r.price = Money(item.price);
    if (double(ParseQuantity(r.quantity).value_or(0)) * item.price > kMaxAmount)
        r.quantity = kNoQuantity;
    Recompute(i);
}

void SubjectForm::Clear() {
    for (SubjectFormRow &r : m_rows)
        r = SubjectFormRow{};
}

bool SubjectForm::ChooseSet(const std::string &name, std::string *message) {
    return Save(message) && Load(name, message);
}

bool SubjectForm::EnterSetName(const std::string &typed, std::string *message) {
    const std::string name(Trimmed(typed));
    if (EqualsIgnoreCase(name, m_setName))
        return true;
    for (const std::string &known : m_names)
        if (EqualsIgnoreCase(known, name))
            return ChooseSet(known, message);
    // Rows typed while no set was shown go to the new set only: "<не определено>" stays blank,
    // or every template without a set would show them.
    const bool intoNewSet = !name.empty() && EqualsIgnoreCase(m_setName, NoSet());
    if (!intoNewSet && !Save(message))
        return false;
    DbError error;
    if (name.empty()) {
        // Clearing the name deletes the set that was shown; "<не определено>" stays.
        if (!EqualsIgnoreCase(m_setName, NoSet()) && !m_store.DeleteSet(m_setName, &error)) {
            if (message)
                *message = ChangeFailedMessage(error, {});
            return false;
        }
        return ReadNames(message) && Load(NoSet(), message);
    }
    // A new name: a set of its own that takes the rows shown when it is next saved.
    if (!m_store.CreateSet(name, &error)) {
        if (message)
            *message = ChangeFailedMessage(error, {});
        return false;
    }
    if (!ReadNames(message))
        return false;
    m_setName = name;
    return true;
}

bool SubjectForm::SwitchList(bool settlement, std::string *message) {
    if (settlement == m_settlement)
        return true;
    if (!Save(message))
        return false;
    TemplateName(m_settlement) = m_setName;
    m_settlement = settlement;
    m_body.Paragraph(ParReqText).m_nMark = settlement ? 1 : 0;
    return Load(TemplateName(settlement), message);
}

bool SubjectForm::Accept(std::string *message) {
    if (TotalValue() > kMaxAmount) {
        if (message)
            *message = "Общая сумма не должна превышать 999999999999.99"_w;
        return false;
    }
    if (!Save(message))
        return false;
    TemplateName(m_settlement) = m_setName;
    m_body.Paragraph(ParReqText).m_nMark = 0;
    return true;
}

void SubjectForm::Cancel() {
    CPun &p = m_body.Paragraph(ParReqText);
    p.m_strName = m_opening.m_strName;
    p.m_strText = m_opening.m_strText;
    p.m_nType = m_opening.m_nType;
    p.m_nCheck = m_opening.m_nCheck;
    p.m_nMark = m_opening.m_nMark;
}

// Catalogue -----------------------------------------------------------------------------------

std::string Catalogue::DeleteQuestion() {
    return std::string("    Удалить запись об имуществе\n              из базы данных?"_w);
}

bool Catalogue::Load(std::string *message) {
    if (!Refill(message))
        return false;
    SelectFirstWhenNone();
    return true;
}

bool Catalogue::Refill(std::string *message) {
    std::vector<ListRow> rows;
    DbError error;
    if (!LoadItemRows(m_store.Connection(), rows, &error)) {
        if (message)
            *message = ChangeFailedMessage(error, {});
        return false;
    }
    m_model.Reset(std::move(rows));
    return true;
}

std::optional<int> Catalogue::Add(std::string *message) {
    DbError error;
    const auto id = m_store.AddItem({}, &error);
    if (!id) {
        if (message)
            *message = ChangeFailedMessage(error, {});
        return std::nullopt;
    }
    m_selected = *id;
    return id;
}

void Catalogue::CancelAdded(int id) {
    m_store.DeleteItem(id);
    Unselect(id);
}

bool Catalogue::DeleteSelected(std::string *message) {
    if (SelectedRow() < 0)
        return false;
    DbError error;
    if (!m_store.DeleteItem(m_selected, &error)) {
        if (message)
            *message = ChangeFailedMessage(error, {});
        return false;
    }
    const int row = SelectedRow();
    if (!Refill(message))
        return false;
    SelectAfterDeleting(row);
    return true;
}

std::optional<CatalogueItem> Catalogue::Chosen(std::string *message) const {
    std::optional<CatalogueItem> item;
    if (SelectedRow() >= 0)
        item = m_store.ReadItem(m_selected);
    if (!item && message)
        *message = "Не указано имущество"_w;
    return item;
}

namespace {

constexpr FormField kItem[] = {
    {"Наименование"_w, "Name", 200, {}},
    {"Единица измерения"_w, "Edizm", 50, {}},
    {"Цена "_w, "Price2", 20, {}},
    {"Название валюты"_w, "Currency", 50, {}},
    {"Определение НДС"_w, "Definds", 100, {}},
    {"Доп. сведения"_w, "Dop", 255, {}},
};

std::size_t ItemIndex(std::string_view column) {
    for (std::size_t i = 0; i < std::size(kItem); ++i)
        if (EqualsIgnoreCase(kItem[i].column, column))
            return i;
    return std::size(kItem);
}

} // namespace

std::span<const FormField> ItemCard::Fields() {
    return kItem;
}

bool ItemCard::Load(std::string *message) {
    DbError error;
    const auto item = m_store.ReadItem(m_id, &error);
    if (!item) {
        if (message)
            *message = error ? std::string(" Нарушена структура базы данных "_w)
                             : std::string("Список имущества пуст"_w);
        return false;
    }
    m_texts = {item->name, item->unit, Money(item->price), item->currency, item->vat, item->extra};
    return true;
}

std::string ItemCard::Text(std::string_view column) const {
    const std::size_t i = ItemIndex(column);
    return i < m_texts.size() ? m_texts[i] : std::string();
}

void ItemCard::SetText(std::string_view column, std::string_view text) {
    const std::size_t i = ItemIndex(column);
    if (i < m_texts.size())
        m_texts[i] = std::string(text.substr(0, std::size_t(kItem[i].maxLength)));
}

bool ItemCard::Save(std::string *message) {
    const auto price = ParseMoney(m_texts[2]);
    if (!price || *price > SubjectForm::kMaxPrice) {
        if (message)
            *message = !price ? std::string("Цена указывается числом, например 1500,50"_w)
                              : std::string("Цена не должна превышать 999999999.99"_w);
        return false;
    }
    ColumnValues values;
    for (std::size_t i = 0; i < m_texts.size(); ++i)
        values.emplace_back(std::string(kItem[i].column), i == 2 ? Money(*price) : m_texts[i]);
    DbError error;
    if (!m_store.UpdateItem(m_id, values, &error)) {
        if (message)
            *message = ChangeFailedMessage(error, "Укажите название имущества"_w);
        return false;
    }
    return true;
}

} // namespace dravo::refdata
