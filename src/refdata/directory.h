// The counterparty directory (FACTORY) and its banks (BANK): reading a row by its key, the
// lists in Russian order, and the adding, editing and deleting that the directory dialogs do.
// Texts are windows-1251 bytes, like every text of the engine.
#pragma once

#include "connection.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravo::refdata {

// The text columns of FACTORY, in the order of the organisation form. A citizen's row reuses
// them: Name surname, Form given names, Family passport issuer, IO certificate number, Dolgn
// certificate issuer, INN passport series, OKPO passport number, RS taxpayer number.
enum PartyText : std::size_t {
    kForm,
    kName,
    kCity,
    kAddress,
    kFamily,
    kIO,
    kDolgn,
    kINN,
    kOKPO,
    kOKONH,
    kRS,
    kOtgr,
    kTel,
};
inline constexpr std::array<std::string_view, 13> kPartyTextColumns = {
    "Form", "Name", "City",  "Address", "Family", "IO", "Dolgn",
    "INN",  "OKPO", "OKONH", "RS",      "Otgr",   "Tel"};

enum BankText : std::size_t { kNameB, kKS, kBIK, kAddressB };
inline constexpr std::array<std::string_view, 4> kBankTextColumns = {"NameB", "KS", "BIK",
                                                                     "AddressB"};

// Columns to write: a column name (any letter case) and its value. Text columns take any text;
// "BankID" a whole number (-1 for none); "PersonFlag" and "TypePersonFlag" "true" or "false".
using ColumnValues = std::vector<std::pair<std::string, std::string>>;

struct BankRecord {
    int id = -1;
    std::array<std::string, 4> texts; // by BankText

    // A column by name without regard to case ("BankID" as decimal text); nullopt when the
    // table has no such column.
    std::optional<std::string> Column(std::string_view name) const;
};

// A FACTORY row with the BANK row it points at (left join: the bank texts stay empty when it
// points at none).
struct PartyRecord {
    int id = -1;
    int bankId = -1; // FACTORY.BankID as stored
    bool person = false;
    bool entrepreneur = false;
    std::array<std::string, 13> texts; // by PartyText
    std::optional<BankRecord> bank;

    const std::string &Text(PartyText column) const { return texts[column]; }
    const std::string &BankText(BankText column) const;
    // A column of the joined row by name without regard to case: the FACTORY and BANK columns;
    // numbers as decimal text, yes/no columns as "true"/"false". nullopt for an unknown name.
    std::optional<std::string> Column(std::string_view name) const;
};

// One line of the counterparty choice list.
struct PartyListEntry {
    int id = -1;
    bool person = false;
    std::string name;
    std::string form;
};

// The list text of a counterparty: the name without its trailing full stops, ", ", the form
// (for a citizen: the surname, ", ", the given names).
std::string PartyListText(std::string_view name, std::string_view form);

enum class PartyKind { Organisation, Citizen };

class Directory {
  public:
    explicit Directory(SqlConnection &connection) : m_db(connection) {}
    SqlConnection &Connection() { return m_db; }

    // --- counterparties
    // Adds a row and gives its key. Columns not in values stay unset (an unset name is allowed,
    // an empty one is refused); BankID is -1 unless given; the yes/no flags follow kind.
    std::optional<int> AddParty(PartyKind kind, const ColumnValues &values = {},
                                DbError *error = nullptr);
    // Writes the given columns of row id; a row that does not exist is an error.
    bool UpdateParty(int id, const ColumnValues &values, DbError *error = nullptr);
    bool SetPartyBank(int id, int bankId, DbError *error = nullptr);
    bool DeleteParty(int id, DbError *error = nullptr);
    // The row of key id with its bank, read by the key; nullopt when there is none (error then
    // tells a missing row, Kind::None, from a failure).
    std::optional<PartyRecord> ReadParty(int id, DbError *error = nullptr);
    // Every counterparty in Russian alphabetical order of Name.
    bool ListParties(std::vector<PartyListEntry> &out, DbError *error = nullptr);

    // --- banks
    std::optional<int> AddBank(const ColumnValues &values = {}, DbError *error = nullptr);
    bool UpdateBank(int id, const ColumnValues &values, DbError *error = nullptr);
    bool DeleteBank(int id, DbError *error = nullptr);
    std::optional<BankRecord> ReadBank(int id, DbError *error = nullptr);
    // Every bank in Russian alphabetical order of NameB.
    bool ListBanks(std::vector<BankRecord> &out, DbError *error = nullptr);

  private:
    SqlConnection &m_db;
};

} // namespace dravo::refdata
