// What the contract page needs from the reference database, as small interfaces that the
// database layer implements: the directory rows of the counterparty and of the third party and
// the stored subject sets. No Qt here; every text is windows-1251 bytes as the database holds them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravo::textgen {

// One row of the counterparty directory, FACTORY LEFT JOIN BANK, by column name: "Name", "Form",
// "City", "Address", "Family", "IO", "Dolgn", "INN", "OKPO", "OKONH", "RS", "Tel", "Otgr",
// "PersonFlag", "TypePersonFlag", "BankID", "NameB", "KS", "BIK", "AddressB". Column names are
// matched without regard to letter case, as the database engine does; a NULL (a row without a
// bank) is simply an absent or empty column.
struct PartyRow {
    std::map<std::string, std::string> columns;

    // The column's text; empty when the row has no such column.
    std::string Get(std::string_view column) const;
    // A yes/no column: "true", "yes", "1" and "-1" (any case) read as true, anything else false.
    bool Flag(std::string_view column) const;
    void Set(std::string_view column, std::string_view value);
};

enum class PartySide : std::uint8_t {
    Counterparty = 0, // the second party, "первый ..." in the commands
    ThirdParty = 1,   // "второй ..." in the commands
};

// The party selection of a document, seen from the page: the selected directory row of each
// side, located afresh on every call (the row may have been edited or deleted meanwhile).
class PartySource {
  public:
    virtual ~PartySource() = default;
    // The row of the selected party, or nothing when the party is not selected (id -1), when its
    // row no longer exists or when there is no database.
    virtual std::optional<PartyRow> SelectedParty(PartySide side) = 0;
};

// One row of a stored subject set (table "merch").
struct SubjectRow {
    std::string name;       // Name: item name; an empty name means an unused row
    std::int64_t kolvo = 0; // Kolvo: quantity
    std::string edizm;      // Edizm: unit of measure
    double price = 0.0;     // Price: price per unit
    double summ = 0.0;      // Summ: amount of the row
    std::string currency;   // Currency: empty reads as "руб."
    std::string definds;    // Definds: VAT wording; empty reads as "c НДС"
};

inline constexpr std::size_t kSubjectRows = 7;

// A stored subject set: the rows sharing one Category, in the order the database returns them
// (seven in a sound database; the texts use at most the first seven).
struct SubjectSet {
    std::string category; // the set's general name, which is also the subject's common name
    std::vector<SubjectRow> rows;
};

// The stored subject sets, by general name.
class SubjectSource {
  public:
    virtual ~SubjectSource() = default;
    // The set of that name, or nothing when there is no such set or no database.
    virtual std::optional<SubjectSet> FindSet(std::string_view category) = 0;
};

} // namespace dravo::textgen
