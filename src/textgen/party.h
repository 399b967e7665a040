// The parties of a contract: the party data record that the party commands read, filled from a
// directory row, and the wording of the parties in the contract header and under the text.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "core/body.h"
#include "russian/declension.h"
#include "textgen/datasource.h"

namespace dravo::textgen {

class DocumentContext;

// The party data record of the counterparty or of the third party: the representative's person
// part (declined later) and the requisites by field word ("название", "адрес", "ИНН" ...).
struct PartyData {
    std::string surname;
    std::string givenNames;
    std::string post;
    std::map<std::string, std::string, std::less<>> fields;

    // The requisite of that field word; empty when the record has none.
    std::string Field(std::string_view word) const;
};

// Fills the record from the party's directory row: organisation or citizen columns by
// PersonFlag; the underscore blanks of the side when no party is selected.
PartyData FillPartyData(const std::optional<PartyRow> &row, PartySide side);

// Everything the wording and the commands know of one party, prepared once per page.
struct PartyState {
    std::optional<PartyRow> row; // HTML-escaped directory row; nothing when not selected
    PartyData data;
    PersonForms person; // declined from the record's person part

    std::string Column(std::string_view column) const { return row ? row->Get(column) : ""; }
};

// The state of a party from its row; with html set the row's text is escaped for the page
// (directory text is plain text).
PartyState MakePartyState(const std::optional<PartyRow> &row, PartySide side, bool html = true);

// Roles that can stand at a position of the header.
inline constexpr int kRoleUser = 1;
inline constexpr int kRoleCounterparty = 2;
inline constexpr int kRoleThirdParty = 3;

// The role at position 1..3 (from paragraph 4; 1, 2, 3 while unset or not a permutation).
int RoleAt(const CBody &body, int position);
// The position (1..3) of the role named by a role word: "Пользователь" the user, "Контрагент"
// the counterparty, any other word the third party. 0 instead of 3 when the template has no
// third party.
int PartyPosition(const CBody &body, std::string_view roleWord);
// The party name of position 1..3 with its leading blanks removed.
std::string PartyName(const CBody &body, int position);
// True when the header names a third party.
bool ThirdPartyPresent(const CBody &body);

// "заключили настоящий договор о нижеследующем:" from the title in lower case.
std::string ClosingPhrase(std::string_view title);

// The header fragment of the party at position 1..3.
std::string PartyPreamble(const DocumentContext &ctx, int position);

enum class HeaderMode {
    Page,          // one block, the page's wording
    Rtf,           // one block of word-processor text
    RtfParagraphs, // word-processor text, one paragraph per party
};

// The whole header sentence; stores the closing phrase in paragraph 3.
std::string ContractHeader(DocumentContext &ctx, HeaderMode mode);

// Party lines under the contract text: kind 0 the party name, 1 the name line, 2 the requisites
// line, 3 the signature line.
std::string PartyLine(const DocumentContext &ctx, int position, int kind);

} // namespace dravo::textgen
