// The template body: the in-memory contract template that a ".adf" file stores, the renderer
// turns into a page and the editing dialogs change. Texts are windows-1251 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dravo {

// The universal item record: a clause, an article heading, a paragraph style, a field
// descriptor, a variable definition or a layout section.
struct CPun {
    std::uint16_t m_nType = 0;
    std::uint16_t m_nCheck = 0;
    std::uint16_t m_nMark = 0;
    std::string m_strName;
    std::string m_strText;
    std::string m_strFont;
    std::uint16_t m_nFontSize = 0;
    std::uint16_t m_nItalic = 0;
    std::uint16_t m_nBold = 0;
    std::uint16_t m_nAlign = 0; // 0 left, 1 centre, 2 right, 3 justify
    std::uint16_t m_nTopMargin = 0;
    std::uint16_t m_nLeftMargin = 0;
    double m_dWidth = 0.0;
    double m_dFirstIndent = 0.0; // a count of non-breaking spaces

    bool operator==(const CPun &) const = default;
};

// A heading with an ordered list of items; an article is one (heading + clauses).
struct CPar {
    CPun m_head;
    std::vector<CPun> m_arItems; // at most 65535: the file stores the count as u16

    bool operator==(const CPar &) const = default;
};

// The seven document paragraphs: styles of the page's blocks, and document-level data.
enum ParagraphIndex : std::uint16_t {
    ParTitle = 0,
    ParSubtitle = 1,
    ParDateLine = 2,
    ParArticleHead = 3,
    ParClauseText = 4,
    ParReqHead = 5,
    ParReqText = 6,
};

inline constexpr std::size_t kParagraphCount = 7;
inline constexpr std::size_t kFieldTableCount = 4;
inline constexpr std::size_t kFieldTableSlots = 30;
inline constexpr std::size_t kMaxVariables = 50;

class CBody {
  public:
    // Seven blank paragraphs, one article with a blank heading and no clauses, no variables,
    // one blank party item, four tables of 30 blank descriptors, one blank layout item and an
    // empty version.
    CBody();

    std::size_t ArticleCount() const { return m_arArticles.size(); }
    CPar &Article(std::uint16_t i) { return m_arArticles[i]; }
    const CPar &Article(std::uint16_t i) const { return m_arArticles[i]; }
    std::size_t ClauseCount(std::uint16_t i) const { return m_arArticles[i].m_arItems.size(); }
    CPun &Clause(std::uint16_t i, std::uint16_t j) { return m_arArticles[i].m_arItems[j]; }
    const CPun &Clause(std::uint16_t i, std::uint16_t j) const {
        return m_arArticles[i].m_arItems[j];
    }

    CPun &Paragraph(std::uint16_t k) { return m_arParagraphs[k]; }
    const CPun &Paragraph(std::uint16_t k) const { return m_arParagraphs[k]; }

    std::size_t VariableCount() const { return m_parVariables.m_arItems.size(); }
    CPun &Variable(std::uint16_t k) { return m_parVariables.m_arItems[k]; }
    const CPun &Variable(std::uint16_t k) const { return m_parVariables.m_arItems[k]; }

    CPun &FieldDescriptor(std::uint16_t row, std::uint16_t slot) {
        return m_parFieldTables[row].m_arItems[slot];
    }
    const CPun &FieldDescriptor(std::uint16_t row, std::uint16_t slot) const {
        return m_parFieldTables[row].m_arItems[slot];
    }

    // The derived sections, rebuilt on every store (see body_io.h).
    std::size_t PartyItemCount() const { return m_parParties.m_arItems.size(); }
    const CPun &PartyItem(std::uint16_t k) const { return m_parParties.m_arItems[k]; }
    std::size_t LayoutItemCount() const { return m_parLayout.m_arItems.size(); }
    const CPun &LayoutItem(std::uint16_t k) const { return m_parLayout.m_arItems[k]; }

    // The two record numbers kept in the variables heading: each stored as a double, -1 as 0.0.
    void SetRecordNumbers(int counterparty, int thirdParty);
    // Selector 0: m_dWidth, 1: m_dFirstIndent, truncated; 0 reads back as -1, and so does any
    // other selector.
    int RecordNumber(int selector) const;

    bool operator==(const CBody &) const = default;

    std::array<CPun, kParagraphCount> m_arParagraphs;
    CPar m_parVariables;
    CPar m_parParties;
    std::array<CPar, kFieldTableCount> m_parFieldTables;
    CPar m_parLayout;
    std::vector<CPar> m_arArticles;
    std::string m_strVersion;
};

inline constexpr const char *kCurrentVersion = "ADF2.2";

} // namespace dravo
