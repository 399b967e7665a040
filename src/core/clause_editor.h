// The logic of the "Пункт" dialog: it edits the contract text of a template one item at a time
// (an article heading or a clause), steps through articles and clauses, adds and deletes them.
// The widget only shows what this class says and hands back what its controls hold.
#pragma once

#include "core/body.h"
#include "core/text.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dravo {

// The numbering kinds offered in the dialog's list; the index is the item's m_nType.
inline constexpr std::size_t kOfferedNumberingKinds = 5;
const std::array<std::string_view, kOfferedNumberingKinds> &NumberingKindNames();

enum class ClauseLevel : std::uint16_t { Article = 0, Clause = 1 };

// The summary of an article's clauses shown by the three-state box.
enum class ClauseSummary { Cleared, Indeterminate, Ticked };

// What the dialog's controls hold for the current item.
struct ClauseFields {
    int kind = 0; // index in the numbering kinds list; -1 = no selection (a kind not offered)
    bool check = false;
    bool mark = false;
    std::string name;
    std::string text;

    bool operator==(const ClauseFields &) const = default;
};

class ClauseEditor {
  public:
    // Asked before deleting an item with text; true = confirmed.
    using Confirm = std::function<bool(std::string_view question)>;
    // Saves the template to its file; false with a reason on failure.
    using SaveTemplate = std::function<bool(std::string &error)>;

    static constexpr std::string_view kDeleteClauseQuestion = "\n              Удалить пункт?"_w;
    static constexpr std::string_view kDeleteArticleQuestion =
        "             Удалить статью и \n        связанные с ней пункты?"_w;

    // Opens on the clicked block; indexes out of range are brought to the nearest item and any
    // non-zero level means the clause level. documentTitle may end in ".adf".
    ClauseEditor(CBody &body, std::string documentTitle, std::uint16_t article,
                 std::uint16_t clause, std::uint16_t level);

    std::uint16_t ArticleIndex() const { return m_article; }
    std::uint16_t ClauseIndex() const { return m_clause; }
    ClauseLevel Level() const { return m_level; }

    // False when there is nothing to edit: the clause level of an article without clauses, or a
    // body without articles. The controls then show blanks and saving changes nothing.
    bool HasItem() const;
    ClauseFields Fields() const;
    std::string WindowTitle() const;
    std::string_view LevelButtonCaption() const;
    bool ClauseCheckVisible() const { return m_level == ClauseLevel::Clause; }
    bool SummaryVisible() const { return m_level == ClauseLevel::Article; }
    ClauseSummary Summary() const;

    // Takes the controls back into the current item.
    void Save(const ClauseFields &controls);
    // The three-state box was clicked: includes or leaves out every clause of the article.
    ClauseSummary ClickSummary();
    void Next(const ClauseFields &controls);
    void Previous(const ClauseFields &controls);
    void SwitchLevel(const ClauseFields &controls);
    // False when the list is full (the file counts items in 16 bits).
    bool Add(const ClauseFields &controls);
    // Deletes the current item without saving the controls first; asks through confirm when the
    // item has text. False when nothing was deleted.
    bool Delete(const Confirm &confirm);
    // "ОК": saves the item and then the template. The dialog closes with success either way (the
    // body holds the changes); false with the reason when the template could not be saved.
    bool Accept(const ClauseFields &controls, const SaveTemplate &save, std::string &error);

  private:
    CPar *CurrentArticle();
    const CPar *CurrentArticle() const;
    CPun *CurrentItem();
    const CPun *CurrentItem() const;
    void GoToArticle(std::size_t article, bool lastClause);

    CBody &m_body;
    std::string m_documentTitle;
    std::uint16_t m_article = 0;
    std::uint16_t m_clause = 0;
    ClauseLevel m_level = ClauseLevel::Article;
};

} // namespace dravo
