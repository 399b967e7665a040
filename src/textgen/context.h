// The evaluation context of a document: what the substitution commands, the party wording and the
// subject texts read while one page (or one registration card) is built.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/body.h"
#include "russian/subject_name.h"
#include "textgen/datasource.h"
#include "textgen/page.h"
#include "textgen/party.h"

namespace dravo::textgen {

// One subject list: the subject of the contract or the property given in settlement.
struct SubjectState {
    std::optional<SubjectSet> set; // HTML-escaped rows; nothing when no set is stored
    SubjectNameForms forms;        // case forms of the set's general name
};

enum class SubjectList { Subject = 0, Payment = 1 };

class DocumentContext {
  public:
    explicit DocumentContext(CBody &body) : body_(&body) {}

    CBody &body() const { return *body_; }

    int kind = kTemplateDocument;
    bool highlight = true;
    // The document paragraph whose block is being substituted: "{/}" takes its indent.
    int paragraph = ParClauseText;
    // Texts computed for the page carry clickable regions; for dialogs and the export they do not.
    bool clickable = true;
    // Directory text (party rows, subject rows) is escaped for HTML as it is loaded; the
    // word-processor export and the registration card turn this off before loading.
    bool htmlText = true;
    // The word-processor export: "{/}" gives a bare line break and the subject tables are RTF,
    // kept in rtfPieces and marked in the text (RtfPieceMarker).
    bool rtf = false;
    std::vector<std::string> rtfPieces;
    std::string dateShortText;
    std::string dateWordsText;
    const CUser *user = nullptr;
    PartyState counterparty = MakePartyState(std::nullopt, PartySide::Counterparty);
    PartyState thirdParty = MakePartyState(std::nullopt, PartySide::ThirdParty);
    SubjectState subject;
    SubjectState payment;

    const PartyState &Party(PartySide side) const {
        return side == PartySide::Counterparty ? counterparty : thirdParty;
    }
    const SubjectState &Subject(SubjectList list) const {
        return list == SubjectList::Subject ? subject : payment;
    }
    // The user's requisite text i (0..13); empty when the requisites were not loaded. For the
    // page (htmlText) the text is filtered as template text is.
    std::string_view UserText(std::size_t i) const;

    // Refreshes both party records from the source (nothing: blank forms).
    void LoadParties(PartySource *source);
    // Prepares both subject lists from the set names in paragraph 6 (nothing: no sets).
    void LoadSubjects(SubjectSource *source);

    // The index of the first variable whose name equals word without regard to letter case:
    // one hash look-up. Unless the variables are held, the names are first compared with those
    // the index was built from, as the user may edit them while a context lives.
    std::optional<std::size_t> FindVariable(std::string_view word) const;
    // Nothing the commands read changes while this context lives (a page is being built):
    // variable look-ups cost the same whatever their number, and the value of each command is
    // kept for the rest of the page.
    void HoldVariables() { variablesHeld_ = true; }
    bool PageValuesCached() const { return variablesHeld_; }
    const std::string *CachedValue(std::string_view command) const {
        const auto it = values_.find(command);
        return it == values_.end() ? nullptr : &it->second;
    }
    void CacheValue(std::string_view command, const std::string &value) {
        values_.emplace(std::string(command), value);
    }

  private:
    bool IndexCurrent() const;
    void IndexVariables() const;

    CBody *body_;
    bool variablesHeld_ = false;
    // Lower-case name to the first variable of that name, and the names it was built from.
    mutable std::unordered_map<std::string, std::size_t> variableIndex_;
    mutable std::vector<std::string> indexedNames_;
    mutable std::size_t indexedCount_ = 0;
    mutable bool indexed_ = false;
    struct ViewHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, std::string, ViewHash, std::equal_to<>> values_;
    // The user's texts with markup in them, as typed and as the page shows them.
    mutable std::vector<std::pair<std::string, std::string>> userTexts_;
};

// A context ready for evaluation: parties, subjects, date texts and the place refreshed as the
// page does it (the journal's registration card evaluates single commands through it).
DocumentContext MakeDocumentContext(const PageInputs &inputs);

} // namespace dravo::textgen
