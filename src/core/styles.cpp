#include "styles.h"

#include "archive.h"
#include "body_io.h"
#include "fileio.h"

#include <algorithm>
#include <cmath>

namespace dravo {

using namespace literals;

std::string_view StyleFileMissingMessage() {
    return "Файл со стилями форматирования не найден"_w;
}
std::string_view JournalFileMissingMessage() {
    return "Файл журнала не найден"_w;
}
std::string_view JournalSettingsMissingMessage() {
    return "Файл с данными журнала не найден"_w;
}
std::string_view DeleteStyleQuestion() {
    return "\n               Удалить стиль?"_w;
}

const std::array<std::string_view, kJournalColumnCount> kJournalColumnNames = {
    "Name",       "Kontragent", "Predmet", "Price", "Date_contr",
    "Form_rasch", "Deb",        "Cred",    "Otv",   "NF"};

bool JournalColumnFilters(std::size_t column) {
    return column == ColName || column == ColKontragent || column == ColPredmet ||
           column == ColOtv || column == ColNF;
}

CBody NewStyleRecord() {
    CBody record;
    record.m_arArticles.clear();
    return record;
}

StyleFile::StyleFile() : records(kStyleRecordCount, NewStyleRecord()) {
    EnsureJournalColumns(records[kJournalRecord]);
}

CBody &StyleFile::Record(std::size_t kind) {
    while (records.size() <= kind)
        records.push_back(NewStyleRecord());
    return records[kind];
}

void EnsureJournalColumns(CBody &record) {
    auto &items = record.m_parVariables.m_arItems;
    while (items.size() < kJournalColumnCount)
        items.emplace_back();
}

namespace {

bool ReadStyleBytes(std::string_view bytes, StyleFile &file) {
    ArchiveReader in(bytes);
    std::uint16_t count = 0;
    if (!in.U16(count))
        return false;
    StyleFile read;
    read.records.resize(std::max<std::size_t>(count, kStyleRecordCount), NewStyleRecord());
    for (std::size_t k = 0; k < count; ++k) {
        CBody record;
        if (!ReadBody(in, record))
            return false;
        read.records[k] = std::move(record);
    }
    EnsureJournalColumns(read.records[kJournalRecord]);
    file = std::move(read);
    return true;
}

} // namespace

bool LoadStyleFile(const std::string &path, StyleFile &file, std::string &error,
                   std::string_view missingMessage) {
    std::string bytes, reason;
    if (!ReadWholeFile(path, bytes, reason)) {
        error = missingMessage;
        return false;
    }
    if (!ReadStyleBytes(bytes, file)) {
        error = kUnexpectedFileFormat;
        return false;
    }
    return true;
}

std::string StoreStyleBytes(StyleFile &file) {
    ArchiveWriter out;
    const std::size_t count = std::min<std::size_t>(file.records.size(), 0xFFFF);
    out.U16(static_cast<std::uint16_t>(count));
    for (std::size_t k = 0; k < count; ++k)
        WriteBody(out, file.records[k]);
    return out.Take();
}

bool StoreStyleFile(const std::string &path, StyleFile &file, std::string &error) {
    for (const CBody &record : file.records)
        if (!BodyFitsArchive(record, error))
            return false;
    std::string old, reason;
    if (ReadWholeFile(path, old, reason)) {
        StyleFile probe;
        std::string aside;
        if (!ReadStyleBytes(old, probe) && !KeepDamagedCopy(path, old, aside, error))
            return false;
    }
    return WriteFileAtomically(path, StoreStyleBytes(file), error);
}

void CopyJournalFormats(const CBody &from, CBody &to) {
    for (std::uint16_t k = 0; k < kParagraphCount; ++k) {
        if (k == ParArticleHead)
            continue;
        const CPun &s = from.Paragraph(k);
        CPun &d = to.Paragraph(k);
        d.m_strFont = s.m_strFont;
        d.m_nFontSize = s.m_nFontSize;
        d.m_nItalic = s.m_nItalic;
        d.m_nBold = s.m_nBold;
        d.m_nAlign = s.m_nAlign;
        d.m_nTopMargin = s.m_nTopMargin;
        d.m_nLeftMargin = s.m_nLeftMargin;
        d.m_dWidth = s.m_dWidth;
        d.m_dFirstIndent = s.m_dFirstIndent;
    }
}

std::vector<std::string> StyleNames(const CBody &record) {
    std::vector<std::string> names;
    names.reserve(record.m_arArticles.size());
    for (const CPar &article : record.m_arArticles)
        names.push_back(article.m_head.m_strName);
    return names;
}

FormattingStyle GetStyle(const CBody &record, std::size_t index) {
    FormattingStyle style;
    if (index >= record.m_arArticles.size())
        return style;
    const CPar &article = record.m_arArticles[index];
    style.name = article.m_head.m_strName;
    // A style written by hand or damaged may lack its values: it reads as blank.
    if (article.m_arItems.size() > 1) {
        const CPun &values = article.m_arItems[1];
        style.font = values.m_strFont;
        style.size = values.m_nFontSize;
        style.width = values.m_dWidth;
    }
    return style;
}

void SetStyle(CBody &record, std::size_t index, const FormattingStyle &style) {
    if (index >= record.m_arArticles.size())
        return;
    CPar &article = record.m_arArticles[index];
    article.m_head.m_strName = style.name;
    if (article.m_arItems.size() < kParagraphCount)
        article.m_arItems.resize(kParagraphCount);
    CPun &values = article.m_arItems[1];
    values.m_strFont = style.font;
    values.m_nFontSize = style.size;
    values.m_dWidth = style.width;
}

namespace {

// The size of a paragraph moved with the clause text from c to s: computed in floating point and
// truncated, kept within what the file can store and never below one point.
std::uint16_t ShiftedSize(std::uint16_t size, std::uint16_t c, std::uint16_t s) {
    const double shifted = std::trunc(double(size) - double(c) + double(s));
    return static_cast<std::uint16_t>(std::clamp(shifted, 1.0, 65535.0));
}

} // namespace

void ApplyStyle(const FormattingStyle &style, CBody &document, CBody &record) {
    const std::uint16_t c = document.Paragraph(ParClauseText).m_nFontSize;
    for (std::uint16_t k = 0; k < kParagraphCount; ++k) {
        CPun &p = document.Paragraph(k);
        p.m_strFont = style.font;
        p.m_nFontSize = ShiftedSize(p.m_nFontSize, c, style.size);
        p.m_dWidth = (k == ParReqHead || k == ParReqText) ? style.width / 2 : style.width;
    }
    const std::uint16_t rc = record.Paragraph(ParClauseText).m_nFontSize;
    for (std::uint16_t k = 0; k < kParagraphCount; ++k) {
        if (k == ParArticleHead)
            continue;
        CPun &p = record.Paragraph(k);
        p.m_strFont = style.font;
        p.m_nFontSize = ShiftedSize(p.m_nFontSize, rc, style.size);
        p.m_dWidth = style.width;
    }
}

StyleListEditor::StyleListEditor(CBody &record, const CBody &document)
    : m_record(record), m_document(document) {}

void StyleListEditor::Select(std::optional<std::size_t> index) {
    if (index && *index >= m_record.m_arArticles.size())
        index.reset();
    m_selection = index;
}

std::size_t StyleListEditor::BeginAdd() {
    const std::size_t at = m_selection ? *m_selection + 1 : 0;
    CPar article;
    article.m_arItems.resize(kParagraphCount);
    m_record.m_arArticles.insert(m_record.m_arArticles.begin() + std::ptrdiff_t(at),
                                 std::move(article));
    const CPun &clause = m_document.Paragraph(ParClauseText);
    CPun &values = m_record.m_arArticles[at].m_arItems[1];
    values.m_strFont = clause.m_strFont;
    values.m_nFontSize = clause.m_nFontSize;
    values.m_dWidth = clause.m_dWidth;
    return at;
}

void StyleListEditor::CommitAdd(std::size_t index, const FormattingStyle &style) {
    SetStyle(m_record, index, style);
    Select(index);
}

void StyleListEditor::CancelAdd(std::size_t index) {
    if (index < m_record.m_arArticles.size())
        m_record.m_arArticles.erase(m_record.m_arArticles.begin() + std::ptrdiff_t(index));
}

bool StyleListEditor::Change(const FormattingStyle &style) {
    if (!m_selection)
        return false;
    SetStyle(m_record, *m_selection, style);
    return true;
}

bool StyleListEditor::Delete() {
    if (!m_selection)
        return false;
    auto &articles = m_record.m_arArticles;
    articles.erase(articles.begin() + std::ptrdiff_t(*m_selection));
    if (articles.empty())
        m_selection.reset();
    else if (*m_selection >= articles.size())
        m_selection = articles.size() - 1;
    return true;
}

std::optional<FormattingStyle> StyleListEditor::Chosen() const {
    if (!m_selection)
        return std::nullopt;
    return GetStyle(m_record, *m_selection);
}

std::span<const std::uint16_t> FormatDialogParagraphs(bool journal) {
    static constexpr std::array<std::uint16_t, 7> all = {0, 1, 2, 3, 4, 5, 6};
    static constexpr std::array<std::uint16_t, 5> journalRows = {0, 1, 2, 4, 6};
    return journal ? std::span<const std::uint16_t>(journalRows)
                   : std::span<const std::uint16_t>(all);
}

FontRow ReadFontRow(const CPun &paragraph) {
    return {paragraph.m_strFont, paragraph.m_nFontSize,
            (paragraph.m_nItalic ? 1 : 0) + (paragraph.m_nBold ? 2 : 0)};
}

void WriteFontRow(const FontRow &row, CPun &paragraph) {
    paragraph.m_strFont = row.font;
    paragraph.m_nFontSize = static_cast<std::uint16_t>(std::clamp(row.size, 1, 0xFFFF));
    paragraph.m_nItalic = static_cast<std::uint16_t>(row.style & 1);
    paragraph.m_nBold = static_cast<std::uint16_t>(row.style & 2);
}

namespace {
int Whole(double value) {
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(value), -1e9, 1e9));
}
std::uint16_t U16(int value) {
    return static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
}
} // namespace

ParagraphRow ReadParagraphRow(const CPun &paragraph) {
    return {paragraph.m_nAlign, paragraph.m_nTopMargin, paragraph.m_nLeftMargin,
            Whole(paragraph.m_dWidth), Whole(paragraph.m_dFirstIndent)};
}

void WriteParagraphRow(const ParagraphRow &row, CPun &paragraph, bool withIndent) {
    paragraph.m_nAlign = U16(std::clamp(row.align, 0, 3));
    paragraph.m_nTopMargin = U16(row.topMargin);
    paragraph.m_nLeftMargin = U16(row.leftMargin);
    paragraph.m_dWidth = row.width;
    if (withIndent)
        paragraph.m_dFirstIndent = row.firstIndent;
}

namespace {

struct Format {
    std::uint16_t size, italic, bold, align, top;
    double width, firstIndent;
};

void SetFormats(CBody &record, std::string_view font, const std::array<Format, 7> &formats) {
    for (std::uint16_t k = 0; k < kParagraphCount; ++k) {
        CPun &p = record.Paragraph(k);
        const Format &f = formats[k];
        p.m_strFont = font;
        p.m_nFontSize = f.size;
        p.m_nItalic = f.italic;
        p.m_nBold = f.bold;
        p.m_nAlign = f.align;
        p.m_nTopMargin = f.top;
        p.m_dWidth = f.width;
        p.m_dFirstIndent = f.firstIndent;
    }
}

void AddStyle(CBody &record, std::string_view name, std::string_view font, std::uint16_t size,
              double width) {
    CPar article;
    article.m_arItems.resize(kParagraphCount);
    record.m_arArticles.push_back(std::move(article));
    SetStyle(record, record.m_arArticles.size() - 1,
             {std::string(name), std::string(font), size, width});
}

} // namespace

StyleFile ShippedStyleFile() {
    StyleFile file;
    CBody &contract = file.records[1];
    SetFormats(contract, "Courier New",
               {{{12, 0, 2, 1, 0, 640, 0},
                 {11, 0, 2, 1, 0, 640, 0},
                 {10, 1, 0, 3, 15, 640, 0},
                 {11, 0, 2, 1, 10, 640, 0},
                 {10, 0, 0, 3, 5, 640, 15},
                 {9, 0, 2, 1, 5, 320, 0},
                 {9, 0, 0, 0, 0, 320, 0}}});
    AddStyle(contract, "Машинописный"_w, "Courier New", 10, 640);
    AddStyle(contract, "Строгий"_w, "Liberation Serif", 12, 640);
    AddStyle(contract, "Компактный"_w, "Liberation Sans", 9, 720);
    AddStyle(contract, "Крупный"_w, "DejaVu Serif", 14, 680);

    CBody &journal = file.records[kJournalRecord];
    SetFormats(journal, "Liberation Sans",
               {{{14, 0, 2, 1, 0, 900, 0},
                 {11, 1, 0, 1, 0, 900, 0},
                 {10, 0, 0, 1, 5, 900, 0},
                 {10, 0, 2, 1, 10, 900, 0},
                 {9, 0, 0, 0, 0, 900, 0},
                 {9, 0, 2, 0, 5, 900, 0},
                 {9, 1, 0, 0, 10, 900, 0}}});
    journal.Paragraph(ParTitle).m_strText = "ЖУРНАЛ РЕГИСТРАЦИИ ДОГОВОРОВ"_w;
    journal.Paragraph(ParSubtitle).m_strText = "договоры, заключенные за период"_w;
    // Paragraph 3 of the journal record keeps the period (never set: the current year) and
    // whether the count line is shown.
    journal.Paragraph(ParArticleHead).m_dWidth = 0;
    journal.Paragraph(ParArticleHead).m_dFirstIndent = 0;
    journal.Paragraph(ParArticleHead).m_nMark = 1;
    static constexpr std::array<std::string_view, kJournalColumnCount> captions = {
        "Название документа"_w, "Контрагент"_w,     "Предмет договора"_w,   "Цена договора"_w,
        "Срок для контроля"_w,  "Форма расчетов"_w, "Деб. задолженность"_w, "Кред. задолженность"_w,
        "Ответственный"_w,      "Отметки"_w};
    static constexpr std::array<bool, kJournalColumnCount> shown = {
        true, true, true, true, true, false, false, false, true, false};
    for (std::size_t i = 0; i < kJournalColumnCount; ++i) {
        CPun &column = journal.m_parVariables.m_arItems[i];
        column.m_strName = captions[i];
        column.m_nCheck = shown[i] ? 1 : 0;
    }
    AddStyle(journal, "Обычный"_w, "Liberation Sans", 9, 900);
    AddStyle(journal, "Широкий"_w, "Liberation Sans", 10, 1100);
    return file;
}

} // namespace dravo
