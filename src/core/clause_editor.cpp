#include "core/clause_editor.h"

#include "core/text.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace dravo {

namespace {

constexpr std::size_t kMaxListSize = std::numeric_limits<std::uint16_t>::max();

CPar BlankArticle() {
    CPar article;
    article.m_arItems.resize(1);
    return article;
}

std::string WithoutAdfExtension(std::string title) {
    const std::string_view ext = ".ADF";
    if (title.size() >= ext.size() && ToUpper(title.substr(title.size() - ext.size())) == ext)
        title.erase(title.size() - ext.size());
    return title;
}

std::uint16_t LastIndex(std::size_t count) {
    return count == 0 ? 0 : static_cast<std::uint16_t>(count - 1);
}

} // namespace

const std::array<std::string_view, kOfferedNumberingKinds> &NumberingKindNames() {
    static const std::array<std::string_view, kOfferedNumberingKinds> names = {
        "нумерация не применена "_w,
        "нумерация римскими цифрами"_w,
        "нумерация одной арабской цифрой"_w,
        "нумерация двуми цифрами: статья-пункт"_w,
        "маркированный пункт"_w,
    };
    return names;
}

ClauseEditor::ClauseEditor(CBody &body, std::string documentTitle, std::uint16_t article,
                           std::uint16_t clause, std::uint16_t level)
    : m_body(body), m_documentTitle(WithoutAdfExtension(std::move(documentTitle))),
      m_article(article), m_clause(clause),
      m_level(level == 0 ? ClauseLevel::Article : ClauseLevel::Clause) {
    // A page built before the last edit may name an item that no longer exists.
    m_article = std::min(m_article, LastIndex(m_body.ArticleCount()));
    if (const CPar *current = CurrentArticle())
        m_clause = std::min(m_clause, LastIndex(current->m_arItems.size()));
    else
        m_clause = 0;
    if (m_level == ClauseLevel::Article)
        m_clause = 0;
}

CPar *ClauseEditor::CurrentArticle() {
    return m_article < m_body.ArticleCount() ? &m_body.Article(m_article) : nullptr;
}

const CPar *ClauseEditor::CurrentArticle() const {
    return m_article < m_body.ArticleCount() ? &m_body.Article(m_article) : nullptr;
}

CPun *ClauseEditor::CurrentItem() {
    return const_cast<CPun *>(std::as_const(*this).CurrentItem());
}

const CPun *ClauseEditor::CurrentItem() const {
    const CPar *article = CurrentArticle();
    if (!article)
        return nullptr;
    if (m_level == ClauseLevel::Article)
        return &article->m_head;
    return m_clause < article->m_arItems.size() ? &article->m_arItems[m_clause] : nullptr;
}

bool ClauseEditor::HasItem() const {
    return CurrentItem() != nullptr;
}

ClauseFields ClauseEditor::Fields() const {
    ClauseFields fields;
    const CPun *item = CurrentItem();
    if (!item)
        return fields;
    // Kind 5 comes only from imported text; the list then shows no selection.
    fields.kind = item->m_nType < kOfferedNumberingKinds ? int(item->m_nType) : -1;
    fields.check = item->m_nCheck != 0;
    fields.mark = item->m_nMark != 0;
    fields.name = item->m_strName;
    fields.text = item->m_strText;
    return fields;
}

std::string ClauseEditor::WindowTitle() const {
    const CPar *article = CurrentArticle();
    if (m_level == ClauseLevel::Clause) {
        const std::size_t count = article ? article->m_arItems.size() : 0;
        std::string name = article ? article->m_head.m_strName : std::string();
        if (name.empty())
            name = "<Без названия>"_w;
        // An article without clauses shows "0 of 0": there is no current clause.
        const std::size_t number = count == 0 ? 0 : m_clause + 1;
        return std::string("  Пункт "_w) + std::to_string(number) + std::string(" из "_w) +
               std::to_string(count) + std::string(" в статье '"_w) + name + "'";
    }
    const std::size_t count = m_body.ArticleCount();
    const std::size_t number = count == 0 ? 0 : m_article + 1;
    return std::string("  Статья "_w) + std::to_string(number) + std::string(" из "_w) +
           std::to_string(count) + std::string(" в документе '"_w) + m_documentTitle + "'";
}

std::string_view ClauseEditor::LevelButtonCaption() const {
    return m_level == ClauseLevel::Clause ? "К статье"_w : "К пункту"_w;
}

ClauseSummary ClauseEditor::Summary() const {
    const CPar *article = CurrentArticle();
    if (!article)
        return ClauseSummary::Cleared;
    const auto &clauses = article->m_arItems;
    const auto included = std::count_if(clauses.begin(), clauses.end(),
                                        [](const CPun &clause) { return clause.m_nCheck != 0; });
    if (included == 0)
        return ClauseSummary::Cleared; // also an article without clauses: nothing is included
    return std::size_t(included) == clauses.size() ? ClauseSummary::Ticked
                                                   : ClauseSummary::Indeterminate;
}

void ClauseEditor::Save(const ClauseFields &controls) {
    CPun *item = CurrentItem();
    if (!item)
        return;
    // With no selection (a kind the list does not offer) the item keeps its own kind.
    if (controls.kind >= 0 && std::size_t(controls.kind) < kOfferedNumberingKinds)
        item->m_nType = static_cast<std::uint16_t>(controls.kind);
    item->m_nCheck = controls.check ? 1 : 0;
    item->m_nMark = controls.mark ? 1 : 0;
    item->m_strName = controls.name;
    item->m_strText = controls.text;
}

ClauseSummary ClauseEditor::ClickSummary() {
    CPar *article = CurrentArticle();
    if (!article)
        return ClauseSummary::Cleared;
    const std::uint16_t value = Summary() == ClauseSummary::Cleared ? 1 : 0;
    for (CPun &clause : article->m_arItems)
        clause.m_nCheck = value;
    return Summary();
}

void ClauseEditor::GoToArticle(std::size_t article, bool lastClause) {
    m_article = static_cast<std::uint16_t>(article);
    const CPar *current = CurrentArticle();
    m_clause = lastClause && current ? LastIndex(current->m_arItems.size()) : 0;
}

void ClauseEditor::Next(const ClauseFields &controls) {
    Save(controls);
    const std::size_t articles = m_body.ArticleCount();
    if (articles == 0)
        return;
    if (m_level == ClauseLevel::Clause) {
        const CPar *article = CurrentArticle();
        if (article && std::size_t(m_clause) + 1 < article->m_arItems.size()) {
            ++m_clause;
            return;
        }
    }
    GoToArticle((std::size_t(m_article) + 1) % articles, false);
}

void ClauseEditor::Previous(const ClauseFields &controls) {
    Save(controls);
    const std::size_t articles = m_body.ArticleCount();
    if (articles == 0)
        return;
    if (m_level == ClauseLevel::Clause && m_clause != 0) {
        --m_clause;
        return;
    }
    const std::size_t previous = m_article == 0 ? articles - 1 : m_article - 1u;
    GoToArticle(previous, m_level == ClauseLevel::Clause);
}

void ClauseEditor::SwitchLevel(const ClauseFields &controls) {
    Save(controls);
    m_clause = 0;
    m_level = m_level == ClauseLevel::Clause ? ClauseLevel::Article : ClauseLevel::Clause;
}

bool ClauseEditor::Add(const ClauseFields &controls) {
    Save(controls);
    auto &articles = m_body.m_arArticles;
    CPar *article = CurrentArticle();
    if (m_level == ClauseLevel::Clause && article) {
        auto &clauses = article->m_arItems;
        if (clauses.size() >= kMaxListSize)
            return false;
        const std::size_t at = clauses.empty() ? 0 : std::size_t(m_clause) + 1;
        clauses.insert(clauses.begin() + std::ptrdiff_t(at), CPun{});
        m_clause = static_cast<std::uint16_t>(at);
        return true;
    }
    if (articles.size() >= kMaxListSize)
        return false;
    const std::size_t at = articles.empty() ? 0 : std::size_t(m_article) + 1;
    articles.insert(articles.begin() + std::ptrdiff_t(at), BlankArticle());
    m_article = static_cast<std::uint16_t>(at);
    m_clause = 0;
    return true;
}

bool ClauseEditor::Delete(const Confirm &confirm) {
    CPar *article = CurrentArticle();
    if (!article)
        return false;
    auto &articles = m_body.m_arArticles;
    if (m_level == ClauseLevel::Clause) {
        auto &clauses = article->m_arItems;
        if (m_clause >= clauses.size())
            return false; // an article without clauses: nothing to delete
        if (!clauses[m_clause].m_strText.empty() && !(confirm && confirm(kDeleteClauseQuestion)))
            return false;
        if (clauses.size() == 1)
            clauses[0] = CPun{};
        else
            clauses.erase(clauses.begin() + m_clause);
        m_clause = std::min(m_clause, LastIndex(clauses.size()));
        return true;
    }
    if (!article->m_head.m_strText.empty() && !(confirm && confirm(kDeleteArticleQuestion)))
        return false;
    if (articles.size() == 1)
        articles[0] = BlankArticle();
    else
        articles.erase(articles.begin() + m_article);
    m_article = std::min(m_article, LastIndex(articles.size()));
    m_clause = 0;
    return true;
}

bool ClauseEditor::Accept(const ClauseFields &controls, const SaveTemplate &save,
                          std::string &error) {
    Save(controls);
    error.clear();
    return !save || save(error);
}

} // namespace dravo
