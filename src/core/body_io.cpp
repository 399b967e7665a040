#include "body_io.h"

#include "defaults.h"
#include "fileio.h"
#include "text.h"

#include <algorithm>

namespace dravo {

using namespace literals;

namespace {

constexpr std::size_t kMaxCount = 0xFFFF;
// The smallest item record: 34 bytes of numbers and three one-byte length prefixes.
constexpr std::size_t kMinItemBytes = 34 + 3;
// The smallest list record: its heading and a count.
constexpr std::size_t kMinListBytes = kMinItemBytes + 2;

bool ReadItem(ArchiveReader &in, CPun &p) {
    in.U16(p.m_nType);
    in.U16(p.m_nCheck);
    in.U16(p.m_nMark);
    in.Text(p.m_strName);
    in.Text(p.m_strText);
    in.Text(p.m_strFont);
    in.U16(p.m_nFontSize);
    in.U16(p.m_nItalic);
    in.U16(p.m_nBold);
    in.U16(p.m_nAlign);
    in.U16(p.m_nTopMargin);
    in.U16(p.m_nLeftMargin);
    in.F64(p.m_dWidth);
    in.F64(p.m_dFirstIndent);
    return !in.Failed();
}

bool ReadList(ArchiveReader &in, CPar &par) {
    std::uint16_t n = 0;
    if (!ReadItem(in, par.m_head) || !in.U16(n))
        return false;
    // A count that promises more records than the bytes left can hold fails before allocating.
    if (std::size_t(n) * kMinItemBytes > in.Remaining())
        return in.Fail();
    par.m_arItems.assign(n, CPun{});
    for (CPun &item : par.m_arItems)
        if (!ReadItem(in, item))
            return false;
    return true;
}

void WriteItem(ArchiveWriter &out, const CPun &p) {
    out.U16(p.m_nType);
    out.U16(p.m_nCheck);
    out.U16(p.m_nMark);
    out.Text(p.m_strName);
    out.Text(p.m_strText);
    out.Text(p.m_strFont);
    out.U16(p.m_nFontSize);
    out.U16(p.m_nItalic);
    out.U16(p.m_nBold);
    out.U16(p.m_nAlign);
    out.U16(p.m_nTopMargin);
    out.U16(p.m_nLeftMargin);
    out.F64(p.m_dWidth);
    out.F64(p.m_dFirstIndent);
}

void WriteList(ArchiveWriter &out, const CPar &par) {
    WriteItem(out, par.m_head);
    const std::size_t n = std::min(par.m_arItems.size(), kMaxCount);
    out.U16(static_cast<std::uint16_t>(n));
    for (std::size_t i = 0; i < n; ++i)
        WriteItem(out, par.m_arItems[i]);
}

std::size_t ItemSize(const CPun &p) {
    return static_cast<std::size_t>(34 + ArchiveWriter::TextSize(p.m_strName.size()) +
                                    ArchiveWriter::TextSize(p.m_strText.size()) +
                                    ArchiveWriter::TextSize(p.m_strFont.size()));
}

std::size_t ListSize(const CPar &par) {
    std::size_t size = ItemSize(par.m_head) + 2;
    const std::size_t n = std::min(par.m_arItems.size(), kMaxCount);
    for (std::size_t i = 0; i < n; ++i)
        size += ItemSize(par.m_arItems[i]);
    return size;
}

// Font, size, italic, bold, alignment, margins, first indent and width of a paragraph.
void TakeFormat(CPun &item, const CPun &paragraph) {
    item.m_strFont = paragraph.m_strFont;
    item.m_nFontSize = paragraph.m_nFontSize;
    item.m_nItalic = paragraph.m_nItalic;
    item.m_nBold = paragraph.m_nBold;
    item.m_nAlign = paragraph.m_nAlign;
    item.m_nLeftMargin = paragraph.m_nLeftMargin;
    item.m_nTopMargin = paragraph.m_nTopMargin;
    item.m_dFirstIndent = paragraph.m_dFirstIndent;
    item.m_dWidth = paragraph.m_dWidth;
}

std::string HeaderText(std::string_view first, std::string_view second) {
    std::string s;
    s += "{1:оргформа} {1:название}, именуемое в дальнейшем \""_w;
    s += first;
    s += "\", в лице {первого:должность} {первого:фамилия} {первого:имя}, {первого:действующего} "
         "на основании {1:основание}, с одной стороны, и "_w;
    s += "{2:оргформа} {2:название}, именуемое в дальнейшем \""_w;
    s += second;
    s += "\", в лице {второго:должность} {второго:фамилия} {второго:имя}, {второго:действующего} "
         "на основании {2:основание}, с другой стороны, "_w;
    s += "заключили настоящий договор о нижеследующем:"_w;
    return s;
}

// The requisites line of party 1 or 2: the same fields, with the party's digit in each command.
std::string RequisitesText(char party) {
    // (A constant first: clang 14 crashes on this literal in a local initialiser.)
    static constexpr std::string_view kLine =
        "{блок:48}{1:индекс} {1:адрес}, ИНН:{1:инн}, р/с{}№{1:р/с} в{}банке: {1:банк} "
        "кор/сч{}№{1:к/с}, БИК:{1:бик}, ОКПО:{1:окпо}, ОКВЭД:{1:оконх}, тел.:{1:телефон}"_w;
    std::string s(kLine);
    std::replace(s.begin(), s.end(), '1', party);
    return s;
}

} // namespace

void RebuildDerivedSections(CBody &body) {
    const CPun &title = body.m_arParagraphs[ParTitle];
    const CPun &subtitle = body.m_arParagraphs[ParSubtitle];
    const CPun &dateLine = body.m_arParagraphs[ParDateLine];
    const CPun &clauses = body.m_arParagraphs[ParClauseText];
    const CPun &reqHead = body.m_arParagraphs[ParReqHead];
    const CPun &reqText = body.m_arParagraphs[ParReqText];
    const std::string &first = clauses.m_strName;
    const std::string &second = clauses.m_strText;

    std::vector<CPun> parties(2);
    for (std::size_t i = 0; i < parties.size(); ++i) {
        parties[i].m_strName = i == 0 ? first : second;
        parties[i].m_nCheck = i == 0 ? 1 : 0;
        parties[i].m_dWidth = -1.0;
        parties[i].m_dFirstIndent = -1.0;
    }

    std::vector<CPun> layout(8);
    layout[0].m_strName = "Заголовок"_w;
    layout[0].m_strText = title.m_strText + std::string(" {блок нормальный:0}№{номер документа}"_w);
    TakeFormat(layout[0], title);

    layout[1].m_strName = "Подзаголовок"_w;
    layout[1].m_strText = subtitle.m_strText;
    TakeFormat(layout[1], subtitle);

    layout[2].m_strName = "Строка даты"_w;
    layout[2].m_strText = "{блок:50}<Место составления> {блок вправо:50}{дата составления} г."_w;
    TakeFormat(layout[2], dateLine);

    layout[3].m_strName = "Шапка договора"_w;
    layout[3].m_strText = HeaderText(first, second);
    TakeFormat(layout[3], clauses);

    CPun &main = layout[4];
    main.m_nType = 1;
    main.m_strName = "Основной текст"_w;
    main.m_strFont = "Courier New";
    main.m_nFontSize = 11;
    main.m_nAlign = 3;
    main.m_nTopMargin = 10;
    main.m_dFirstIndent = 10.0;
    main.m_dWidth = 640.0;

    layout[5].m_strName = "Заголовки реквизитов"_w;
    layout[5].m_strText = std::string("{блок:48}"_w) + first +
                          std::string("{/}{1:оргформа} {1:название}{блок:4}{блок:48}"_w) + second +
                          std::string("{/}{2:оргформа} {2:название}"_w);
    TakeFormat(layout[5], reqHead);
    layout[5].m_dWidth = clauses.m_dWidth;

    layout[6].m_strName = "Реквизиты"_w;
    layout[6].m_strText = RequisitesText('1') + std::string("{блок:4}"_w) + RequisitesText('2');
    TakeFormat(layout[6], reqText);
    layout[6].m_dWidth = clauses.m_dWidth;

    layout[7].m_strName = "Подписи"_w;
    layout[7].m_strText = "{блок:48}____________ {1:инициалы} {1:фамилия}{блок:4}"
                          "{блок:48}____________ {2:инициалы} {2:фамилия}"_w;
    TakeFormat(layout[7], reqText);
    layout[7].m_nTopMargin = 15;
    layout[7].m_dWidth = clauses.m_dWidth;

    body.m_parParties.m_arItems = std::move(parties);
    body.m_parLayout.m_arItems = std::move(layout);
}

void UpgradeBody(CBody &body) {
    body.m_strVersion = kCurrentVersion;
    body.m_arParagraphs[ParDateLine].m_nType = 0;
    SetDefaultFieldTables(body);
    RebuildDerivedSections(body);
}

void UpgradeIfOlder(CBody &body) {
    if (body.m_strVersion != kCurrentVersion)
        UpgradeBody(body);
}

bool ReadBodyAsStored(ArchiveReader &in, CBody &body) {
    CBody read;
    std::uint16_t articles = 0;
    if (!in.Text(read.m_strVersion) || !in.U16(articles))
        return false;
    if (std::size_t(articles) * kMinListBytes > in.Remaining())
        return in.Fail();
    read.m_arArticles.assign(articles, CPar{});
    for (CPun &paragraph : read.m_arParagraphs)
        if (!ReadItem(in, paragraph))
            return false;
    for (CPar &article : read.m_arArticles)
        if (!ReadList(in, article))
            return false;
    if (!ReadList(in, read.m_parVariables))
        return false;
    if (read.m_strVersion == kCurrentVersion) {
        if (!ReadList(in, read.m_parParties))
            return false;
        for (CPar &table : read.m_parFieldTables) {
            if (!ReadList(in, table))
                return false;
            table.m_arItems.resize(kFieldTableSlots);
        }
        if (!ReadList(in, read.m_parLayout))
            return false;
    }
    body = std::move(read);
    return true;
}

bool ReadBody(ArchiveReader &in, CBody &body) {
    CBody read;
    if (!ReadBodyAsStored(in, read))
        return false;
    UpgradeIfOlder(read);
    body = std::move(read);
    return true;
}

void WriteBody(ArchiveWriter &out, CBody &body) {
    const bool current = body.m_strVersion == kCurrentVersion;
    if (current)
        RebuildDerivedSections(body);
    const std::size_t articles = std::min(body.m_arArticles.size(), kMaxCount);

    // A large template is several megabytes: reserve once rather than grow.
    std::size_t size = static_cast<std::size_t>(ArchiveWriter::TextSize(body.m_strVersion.size())) +
                       2 + ListSize(body.m_parVariables);
    for (const CPun &paragraph : body.m_arParagraphs)
        size += ItemSize(paragraph);
    for (std::size_t i = 0; i < articles; ++i)
        size += ListSize(body.m_arArticles[i]);
    if (current) {
        size += ListSize(body.m_parParties) + ListSize(body.m_parLayout);
        for (const CPar &table : body.m_parFieldTables)
            size += ListSize(table);
    }
    out.Reserve(out.Bytes().size() + size);

    out.Text(body.m_strVersion);
    out.U16(static_cast<std::uint16_t>(articles));
    for (const CPun &paragraph : body.m_arParagraphs)
        WriteItem(out, paragraph);
    for (std::size_t i = 0; i < articles; ++i)
        WriteList(out, body.m_arArticles[i]);
    WriteList(out, body.m_parVariables);
    if (current) {
        WriteList(out, body.m_parParties);
        for (const CPar &table : body.m_parFieldTables)
            WriteList(out, table);
        WriteList(out, body.m_parLayout);
    } else {
        UpgradeBody(body);
    }
}

bool LoadBody(std::string_view bytes, CBody &body, std::string &error) {
    ArchiveReader in(bytes);
    if (!ReadBody(in, body)) {
        error = kUnexpectedFileFormat;
        return false;
    }
    return true;
}

std::string StoreBody(CBody &body) {
    ArchiveWriter out;
    WriteBody(out, body);
    return out.Take();
}

bool BodyFitsArchive(const CBody &body, std::string &error) {
    auto tooMany = [&](const char *what) {
        error = std::string("The template holds more ") + what + " than a file can store (" +
                std::to_string(kMaxCount) + ").";
        return false;
    };
    if (body.m_arArticles.size() > kMaxCount)
        return tooMany("articles");
    for (const CPar &article : body.m_arArticles)
        if (article.m_arItems.size() > kMaxCount)
            return tooMany("clauses in one article");
    if (body.m_parVariables.m_arItems.size() > kMaxCount)
        return tooMany("variable definitions");
    return true;
}

bool LoadBodyFile(const std::string &path, CBody &body, std::string &error) {
    std::string bytes;
    return ReadWholeFile(path, bytes, error) && LoadBody(bytes, body, error);
}

bool SaveBodyFile(const std::string &path, CBody &body, std::string &error) {
    if (!BodyFitsArchive(body, error))
        return false;
    return WriteFileAtomically(path, StoreBody(body), error);
}

} // namespace dravo
