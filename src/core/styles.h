// The styles file "stl.dat" and the logic of the formatting dialogs: per document kind a record in
// the template-body layout holds the paragraph styles of that kind and its list of named
// formatting styles; record 2 also keeps the settings of the contract journal. Everything here is
// UI-free: the dialogs show these values and forward their buttons.
#pragma once

#include "body.h"
#include "text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravo {

inline constexpr std::string_view kStyleFileName = "stl.dat";
// Files written by the program hold this many records, one per document kind code.
inline constexpr std::size_t kStyleRecordCount = 20;
// The record that keeps the journal settings (the kind code of the journal page).
inline constexpr std::size_t kJournalRecord = 2;
inline constexpr std::size_t kJournalColumnCount = 10;

// "Файл со стилями форматирования не найден": the style list cannot read the file.
std::string_view StyleFileMissingMessage();
// "Файл журнала не найден": a document cannot read it.
std::string_view JournalFileMissingMessage();
// "Файл с данными журнала не найден": the journal settings cannot read it.
std::string_view JournalSettingsMissingMessage();

// The records of "stl.dat". A fresh one holds 20 records with blank paragraphs and no styles,
// record 2 with its ten blank journal columns.
struct StyleFile {
    StyleFile();
    std::vector<CBody> records; // never fewer than kStyleRecordCount

    // The record of a document kind; kinds past the end get a fresh record added.
    CBody &Record(std::size_t kind);
};

// A record as constructed: blank paragraphs, no formatting styles.
CBody NewStyleRecord();

// Reads the count and the records; record 2 gets its ten journal columns when it lacks them.
// A file that cannot be read gives missingMessage, a malformed one kUnexpectedFileFormat; either
// way file keeps what it held (the defaults stand).
bool LoadStyleFile(const std::string &path, StyleFile &file, std::string &error,
                   std::string_view missingMessage);
// The bytes of the file: the count and every record.
std::string StoreStyleBytes(StyleFile &file);
// Writes the file safely (temporary file and rename). A file in place that does not read as a
// styles file is first kept beside it (KeepDamagedCopy), so a save never destroys data that a
// damaged read could not show.
bool StoreStyleFile(const std::string &path, StyleFile &file, std::string &error);

// The journal columns in order: Name, Kontragent (with Status), Predmet, Price, Date_contr,
// Form_rasch, Deb, Cred, Otv, NF.
enum JournalColumnIndex : std::size_t {
    ColName = 0,
    ColKontragent = 1,
    ColPredmet = 2,
    ColPrice = 3,
    ColDateContr = 4,
    ColFormRasch = 5,
    ColDeb = 6,
    ColCred = 7,
    ColOtv = 8,
    ColNF = 9,
};

// The table column of each journal column ("Name", "Kontragent", ...).
extern const std::array<std::string_view, kJournalColumnCount> kJournalColumnNames;
// Whether the settings dialog offers a filter value for the column.
bool JournalColumnFilters(std::size_t column);

// Record 2 keeps the journal settings: paragraph 0 text the title, paragraph 1 text the subtitle,
// paragraph 3 the period (m_dWidth from, m_dFirstIndent to, as day counts) and its m_nMark the
// count line; one variable item per column (m_strName caption, m_nCheck shown, m_strText filter).

// Adds blank column items until the record has ten.
void EnsureJournalColumns(CBody &record);

// The paragraph formats the journal page takes from record 2 (paragraphs 0-2 and 4-6: font,
// size, italic, bold, alignment, top and left margins, width, first-line indent) and gives back
// when it closes.
void CopyJournalFormats(const CBody &from, CBody &to);

// A named formatting style: an article whose heading name is the style name and whose item 1
// carries the font, size and width.
struct FormattingStyle {
    std::string name;
    std::string font;
    std::uint16_t size = 0;
    double width = 0.0;

    bool operator==(const FormattingStyle &) const = default;
};

std::vector<std::string> StyleNames(const CBody &record);
FormattingStyle GetStyle(const CBody &record, std::size_t index);
void SetStyle(CBody &record, std::size_t index, const FormattingStyle &style);

// Applies a style to a document and to the stored record of the document's kind: every paragraph
// of the document takes the font, keeps its size relative to the clause text and takes the width
// (half of it for the two requisites paragraphs); every paragraph of the record but paragraph 3
// (which the journal uses for its period) the same with the full width. A size that would fall
// below 1 point stays at 1.
void ApplyStyle(const FormattingStyle &style, CBody &document, CBody &record);

// The style list dialog "   Стили форматирования" without its widget. It edits the record of the
// document's kind; the caller stores the file after every change that Changed() reports.
class StyleListEditor {
  public:
    StyleListEditor(CBody &record, const CBody &document);

    std::vector<std::string> Names() const { return StyleNames(m_record); }
    FormattingStyle StyleAt(std::size_t index) const { return GetStyle(m_record, index); }
    std::optional<std::size_t> Selection() const { return m_selection; }
    void Select(std::optional<std::size_t> index);

    // "Добавить": inserts a style after the selection (at the start when none), preset from the
    // document's clause text, and gives its index; the dialog then edits it and either commits
    // (it becomes the selection) or cancels (it is removed again).
    std::size_t BeginAdd();
    void CommitAdd(std::size_t index, const FormattingStyle &style);
    void CancelAdd(std::size_t index);
    // "Изменить": the selection takes the values.
    bool Change(const FormattingStyle &style);
    // "Удалить" after the question: the selection stays at its position, moves to the previous
    // style when the last was removed, and is cleared when the list becomes empty.
    bool Delete();
    // "OK": the selected style, if any.
    std::optional<FormattingStyle> Chosen() const;

  private:
    CBody &m_record;
    const CBody &m_document;
    std::optional<std::size_t> m_selection;
};

// "\n               Удалить стиль?"
std::string_view DeleteStyleQuestion();

// The font dialog ("Шрифт", "   Шрифты журнала"): one row per paragraph.
struct FontRow {
    std::string font;
    int size = 0;
    int style = 0; // 0 "Обычный", 1 "Курсив", 2 "Полужирный", 3 "Полужирный курсив"

    bool operator==(const FontRow &) const = default;
};
// The paragraph dialog ("Абзац", "   Абзац").
struct ParagraphRow {
    int align = 0; // 0 left, 1 centre, 2 right, 3 justify
    int topMargin = 0;
    int leftMargin = 0;
    int width = 0;
    int firstIndent = 0;

    bool operator==(const ParagraphRow &) const = default;
};

// The paragraphs that the dialogs show: all seven for a contract, 0, 1, 2, 4 and 6 for the
// journal.
std::span<const std::uint16_t> FormatDialogParagraphs(bool journal);
FontRow ReadFontRow(const CPun &paragraph);
// A bold paragraph stores m_nBold 2; the size is kept within 1..65535.
void WriteFontRow(const FontRow &row, CPun &paragraph);
ParagraphRow ReadParagraphRow(const CPun &paragraph);
// The journal version has no first-line indent: withIndent false keeps the stored one.
void WriteParagraphRow(const ParagraphRow &row, CPun &paragraph, bool withIndent = true);

// The records the data skeleton ships: contract paragraphs and three styles for kind 1, the
// journal's formats, title and columns for kind 2.
StyleFile ShippedStyleFile();

} // namespace dravo
