#include "directory.h"

#include "dialect.h"
#include "qt_text.h"
#include "table_rows.h"

#include <QSqlQuery>

namespace dravo::refdata {

namespace {

constexpr ColumnDef kFactoryColumns[] = {
    {"Form", ColumnKind::Text},        {"Name", ColumnKind::Text},
    {"City", ColumnKind::Text},        {"Address", ColumnKind::Text},
    {"Family", ColumnKind::Text},      {"IO", ColumnKind::Text},
    {"Dolgn", ColumnKind::Text},       {"INN", ColumnKind::Text},
    {"OKPO", ColumnKind::Text},        {"OKONH", ColumnKind::Text},
    {"RS", ColumnKind::Text},          {"Otgr", ColumnKind::Text},
    {"Tel", ColumnKind::Text},         {"BankID", ColumnKind::Whole},
    {"PersonFlag", ColumnKind::YesNo}, {"TypePersonFlag", ColumnKind::YesNo},
};

constexpr ColumnDef kBankColumns[] = {
    {"NameB", ColumnKind::Text},
    {"KS", ColumnKind::Text},
    {"BIK", ColumnKind::Text},
    {"AddressB", ColumnKind::Text},
};

const QString kFactory = QStringLiteral("FACTORY");
const QString kFactoryKey = QStringLiteral("FactorysID");
const QString kBank = QStringLiteral("BANK");
const QString kBankKey = QStringLiteral("BankID");

// The joined row by key: FACTORY columns 0..16, BANK columns 17..21.
const QString kReadParty = QStringLiteral(
    "SELECT F.FactorysID, F.Form, F.Name, F.City, F.Address, F.Family, F.IO, F.Dolgn, F.INN, "
    "F.OKPO, F.OKONH, F.RS, F.Otgr, F.Tel, F.BankID, F.PersonFlag, F.TypePersonFlag, "
    "B.BankID, B.NameB, B.KS, B.BIK, B.AddressB "
    "FROM FACTORY F LEFT JOIN BANK B ON F.BankID = B.BankID WHERE F.FactorysID = ?");

const QString kListParties =
    QStringLiteral("SELECT FactorysID, Name, Form, PersonFlag FROM FACTORY "
                   "ORDER BY Name, FactorysID");

const QString kReadBank =
    QStringLiteral("SELECT BankID, NameB, KS, BIK, AddressB FROM BANK WHERE BankID = ?");
const QString kListBanks =
    QStringLiteral("SELECT BankID, NameB, KS, BIK, AddressB FROM BANK ORDER BY NameB, BankID");

BankRecord ReadBankColumns(const QSqlQuery &row, int first) {
    BankRecord bank;
    bank.id = row.value(first).toInt();
    for (std::size_t i = 0; i < bank.texts.size(); ++i)
        bank.texts[i] = FromQt(row.value(first + 1 + int(i)));
    return bank;
}

} // namespace

std::optional<std::string> BankRecord::Column(std::string_view name) const {
    if (EqualsIgnoreCase(name, "BankID"))
        return std::to_string(id);
    for (std::size_t i = 0; i < kBankTextColumns.size(); ++i)
        if (EqualsIgnoreCase(name, kBankTextColumns[i]))
            return texts[i];
    return std::nullopt;
}

const std::string &PartyRecord::BankText(refdata::BankText column) const {
    static const std::string empty;
    return bank ? bank->texts[column] : empty;
}

std::optional<std::string> PartyRecord::Column(std::string_view name) const {
    if (EqualsIgnoreCase(name, "FactorysID"))
        return std::to_string(id);
    if (EqualsIgnoreCase(name, "BankID"))
        return std::to_string(bankId);
    if (EqualsIgnoreCase(name, "PersonFlag"))
        return FromQt(Dialect::YesNoValue(person));
    if (EqualsIgnoreCase(name, "TypePersonFlag"))
        return FromQt(Dialect::YesNoValue(entrepreneur));
    for (std::size_t i = 0; i < kPartyTextColumns.size(); ++i)
        if (EqualsIgnoreCase(name, kPartyTextColumns[i]))
            return texts[i];
    for (std::size_t i = 0; i < kBankTextColumns.size(); ++i)
        if (EqualsIgnoreCase(name, kBankTextColumns[i]))
            return BankText(refdata::BankText(i));
    return std::nullopt;
}

std::string PartyListText(std::string_view name, std::string_view form) {
    while (!name.empty() && name.back() == '.')
        name.remove_suffix(1);
    std::string text(name);
    text += ", ";
    text += form;
    return text;
}

std::optional<int> Directory::AddParty(PartyKind kind, const ColumnValues &values, DbError *error) {
    const bool citizen = kind == PartyKind::Citizen;
    ColumnValues all = {
        {"PersonFlag", citizen ? "true" : "false"}, {"TypePersonFlag", "false"}, {"BankID", "-1"}};
    all.insert(all.end(), values.begin(), values.end());
    return InsertValues(m_db, kFactory, kFactoryKey, kFactoryColumns, all, error);
}

bool Directory::UpdateParty(int id, const ColumnValues &values, DbError *error) {
    return UpdateValues(m_db, kFactory, kFactoryKey, id, kFactoryColumns, values, error);
}

bool Directory::SetPartyBank(int id, int bankId, DbError *error) {
    return UpdateParty(id, {{"BankID", std::to_string(bankId < 0 ? -1 : bankId)}}, error);
}

bool Directory::DeleteParty(int id, DbError *error) {
    return DeleteRow(m_db, kFactory, kFactoryKey, id, error);
}

std::optional<PartyRecord> Directory::ReadParty(int id, DbError *error) {
    return SelectOne(
        m_db, kReadParty, {id},
        [](const QSqlQuery &row) {
            PartyRecord r;
            r.id = row.value(0).toInt();
            for (std::size_t i = 0; i < r.texts.size(); ++i)
                r.texts[i] = FromQt(row.value(1 + int(i)));
            r.bankId = row.value(14).isNull() ? -1 : row.value(14).toInt();
            r.person = Dialect::ReadYesNo(row.value(15));
            r.entrepreneur = Dialect::ReadYesNo(row.value(16));
            if (!row.value(17).isNull())
                r.bank = ReadBankColumns(row, 17);
            return r;
        },
        error);
}

bool Directory::ListParties(std::vector<PartyListEntry> &out, DbError *error) {
    out.clear();
    return m_db.Select(
        kListParties, {},
        [&](const QSqlQuery &row) {
            PartyListEntry &e = out.emplace_back();
            e.id = row.value(0).toInt();
            e.name = FromQt(row.value(1));
            e.form = FromQt(row.value(2));
            e.person = Dialect::ReadYesNo(row.value(3));
            return true;
        },
        error);
}

std::optional<int> Directory::AddBank(const ColumnValues &values, DbError *error) {
    return InsertValues(m_db, kBank, kBankKey, kBankColumns, values, error);
}

bool Directory::UpdateBank(int id, const ColumnValues &values, DbError *error) {
    return UpdateValues(m_db, kBank, kBankKey, id, kBankColumns, values, error);
}

bool Directory::DeleteBank(int id, DbError *error) {
    return DeleteRow(m_db, kBank, kBankKey, id, error);
}

std::optional<BankRecord> Directory::ReadBank(int id, DbError *error) {
    return SelectOne(
        m_db, kReadBank, {id}, [](const QSqlQuery &row) { return ReadBankColumns(row, 0); }, error);
}

bool Directory::ListBanks(std::vector<BankRecord> &out, DbError *error) {
    out.clear();
    return m_db.Select(
        kListBanks, {},
        [&](const QSqlQuery &row) {
            out.push_back(ReadBankColumns(row, 0));
            return true;
        },
        error);
}

} // namespace dravo::refdata
