#include "textgen/journal.h"

#include "core/setup_data.h"
#include "core/text.h"
#include "russian/strings.h"
#include "textgen/context.h"
#include "textgen/html.h"
#include "textgen/page.h"
#include "textgen/party.h"
#include "textgen/substitute.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace dravo::textgen {

using namespace dravo::literals;
using russian_detail::Trim;

namespace {

constexpr std::size_t kNumberTextLimit = 10; // NumberS is a text of 10

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\xA0';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string StoredText(std::string_view text) {
    if (text.empty())
        return std::string(kEmptyCell);
    return std::string(text);
}

std::string ShownText(std::string_view stored) {
    return stored == kEmptyCell ? std::string() : std::string(stored);
}

std::optional<long long> AmountValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    if (i >= text.size() || !IsDigit(text[i]))
        return std::nullopt;
    long long value = 0;
    constexpr long long kMax = std::numeric_limits<long long>::max() / 10 - 9;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            value = value < kMax ? value * 10 + (text[i] - '0') : value;
        } else if (IsBlank(text[i]) && i + 1 < text.size() && IsDigit(text[i + 1])) {
            continue; // a thousands gap: "1 500 000"
        } else {
            break;
        }
    }
    return negative ? -value : value;
}

std::string CardProblem(const CardFields &card) {
    // An amount is a number, possibly with a fraction and a currency after it ("1 500,00 руб.");
    // a text that starts with anything else would be stored as 0 without a word.
    const std::pair<std::string_view, std::string_view> amounts[] = {
        {card.price, "Цена договора"_w},
        {card.deb, "Деб. задолженность"_w},
        {card.cred, "Кред. задолженность"_w},
    };
    for (const auto &[text, label] : amounts)
        if (!Trim(text).empty() && !AmountValue(text))
            return std::string(label) + ": " + std::string("укажите сумму числом"_w);
    if (card.number.size() > kNumberTextLimit)
        return std::string("Номер документа длиннее 10 знаков"_w);
    return {};
}

JournalRow RowFromCard(const CardFields &card) {
    JournalRow row;
    row.numberText = StoredText(card.number.substr(0, kNumberTextLimit));
    row.number = LeadingNumber(card.number);
    row.date = card.date;
    row.name = StoredText(card.name);
    row.kontragent = StoredText(card.kontragent);
    row.status = StoredText(card.status);
    row.predmet = StoredText(card.predmet);
    row.price = AmountValue(card.price).value_or(0);
    row.dateControl = card.dateControl;
    row.formRasch = StoredText(card.formRasch);
    row.deb = AmountValue(card.deb).value_or(0);
    row.cred = AmountValue(card.cred).value_or(0);
    row.otv = StoredText(card.otv);
    row.nf = StoredText(card.nf);
    return row;
}

CardFields CardFromRow(const JournalRow &row) {
    CardFields card;
    card.number = ShownText(row.numberText);
    card.date = row.date;
    card.name = ShownText(row.name);
    card.kontragent = ShownText(row.kontragent);
    card.status = ShownText(row.status);
    card.predmet = ShownText(row.predmet);
    card.price = std::to_string(row.price);
    card.dateControl = row.dateControl;
    card.formRasch = ShownText(row.formRasch);
    card.deb = std::to_string(row.deb);
    card.cred = std::to_string(row.cred);
    card.otv = ShownText(row.otv);
    card.nf = ShownText(row.nf);
    return card;
}

std::string PartyOrderProblemMessage() {
    return std::string("Ошибка определения названия сторон. Обратитесь к разработчику "_w) +
           "support@dravo.ru";
}

std::string_view DeleteRecordQuestion() {
    return "               Удалить запись\n  о зарегистрированном документе?"_w;
}

namespace {

// "ООО Ромашка" for an organisation, "Иванов Иван Иванович" for a citizen.
std::string DirectoryName(const PartyState &party) {
    if (!party.row)
        return {};
    const std::string form(Trim(party.row->Get("Form")));
    const std::string name(Trim(party.row->Get("Name")));
    const bool citizen = party.row->Flag("PersonFlag");
    const std::string &first = citizen ? name : form;
    const std::string &second = citizen ? form : name;
    if (first.empty() || second.empty())
        return first + second;
    return first + " " + second;
}

void Join(std::string &out, std::string_view piece) {
    if (piece.empty())
        return;
    if (!out.empty())
        out += ", ";
    out += piece;
}

bool RolesArePermutation(const CBody &body) {
    const CPun &p = body.Paragraph(ParClauseText);
    const int roles[3] = {p.m_nType, p.m_nCheck, p.m_nMark};
    bool seen[4] = {};
    for (int r : roles) {
        if (r < 1 || r > 3 || seen[r])
            return false;
        seen[r] = true;
    }
    return true;
}

int PositionOf(const CBody &body, int role) {
    for (int p = 1; p <= 3; ++p)
        if (RoleAt(body, p) == role)
            return p;
    return 0;
}

// The value of one command; empty when it comes back as the command word itself.
std::string Value(DocumentContext &ctx, std::string_view word) {
    std::string value = Evaluate(ctx, word);
    return value == word ? std::string() : value;
}

} // namespace

CardFields PrefillCard(DocumentContext &ctx, const PrefillInputs &in, std::string *problem) {
    const CBody &body = ctx.body();
    CardFields card;
    card.number = in.numberText.substr(0, kNumberTextLimit);
    card.date = in.date;
    if (const auto cal = CalendarFromDate(in.date))
        card.dateControl = DateFromCalendar(cal->year, 12, 31);
    const std::string title(Trim(body.Paragraph(ParTitle).m_strText));
    card.name = title.empty() ? std::string("<не определен>"_w) : title;

    int counterpartyAt = 2;
    int thirdAt = 3;
    if (!RolesArePermutation(body)) {
        if (problem)
            *problem = PartyOrderProblemMessage();
    } else {
        counterpartyAt = PositionOf(body, kRoleCounterparty);
        thirdAt = PositionOf(body, kRoleThirdParty);
    }
    Join(card.kontragent, DirectoryName(ctx.counterparty));
    Join(card.status, ToLower(Trim(PartyName(body, counterpartyAt))));
    if (ThirdPartyPresent(body)) {
        Join(card.kontragent, DirectoryName(ctx.thirdParty));
        Join(card.status, ToLower(Trim(PartyName(body, thirdAt))));
    }

    const bool highlight = ctx.highlight;
    ctx.highlight = false;
    std::string subject = Value(ctx, "предмет!"_w);
    if (subject.empty() || subject == "<не определено>"_w)
        subject = Value(ctx, "наименование"_w);
    if (subject.empty())
        subject = Value(ctx, "название"_w);
    card.predmet = subject;

    std::string price(Trim(Evaluate(ctx, "сумма предмета"_w)));
    if (price.empty() || price == "_______")
        price = Trim(Value(ctx, "сумма"_w));
    if (price.empty())
        price = Trim(Value(ctx, "цена"_w));
    card.price = price.empty() ? std::string("0") : price;
    ctx.highlight = highlight;
    return card;
}

JournalSettings ReadJournalSettings(const CBody &record, const Date &today) {
    JournalSettings s;
    s.title = record.Paragraph(ParTitle).m_strText;
    s.subtitle = record.Paragraph(ParSubtitle).m_strText;
    const CPun &period = record.Paragraph(ParArticleHead);
    s.showCount = period.m_nMark == 1;
    if (period.m_dWidth == 0 && period.m_dFirstIndent == 0) {
        const int year = CalendarFromDate(today).value_or(CalendarDate{2000, 1, 1}).year;
        s.from = DateFromCalendar(year, 1, 1);
        s.to = DateFromCalendar(year, 12, 31);
    } else {
        // A stored day count outside the calendar reads as an invalid date: no rows.
        s.from = Date{period.m_dWidth, std::isfinite(period.m_dWidth)};
        s.to = Date{period.m_dFirstIndent, std::isfinite(period.m_dFirstIndent)};
        s.from.valid = s.from.valid && CalendarFromDate(s.from).has_value();
        s.to.valid = s.to.valid && CalendarFromDate(s.to).has_value();
    }
    const auto &items = record.m_parVariables.m_arItems;
    for (std::size_t i = 0; i < kJournalColumnCount && i < items.size(); ++i) {
        s.columns[i].caption = items[i].m_strName;
        s.columns[i].shown = items[i].m_nCheck == 1;
        s.columns[i].filter = JournalColumnFilters(i) ? items[i].m_strText : std::string();
    }
    return s;
}

void WriteJournalSettings(const JournalSettings &s, CBody &record) {
    record.Paragraph(ParTitle).m_strText = s.title;
    record.Paragraph(ParSubtitle).m_strText = s.subtitle;
    CPun &period = record.Paragraph(ParArticleHead);
    period.m_dWidth = s.from.valid ? s.from.days : 0;
    period.m_dFirstIndent = s.to.valid ? s.to.days : 0;
    period.m_nMark = s.showCount ? 1 : 0;
    EnsureJournalColumns(record);
    for (std::size_t i = 0; i < kJournalColumnCount; ++i) {
        CPun &item = record.m_parVariables.m_arItems[i];
        item.m_strName = s.columns[i].caption;
        item.m_nCheck = s.columns[i].shown ? 1 : 0;
        item.m_strText = JournalColumnFilters(i) ? s.columns[i].filter : std::string();
    }
}

JournalFilter FilterOf(const JournalSettings &s) {
    const auto value = [&](std::size_t column) {
        return std::string(Trim(s.columns[column].filter));
    };
    return {s.from,        s.to,        value(ColName), value(ColKontragent), value(ColPredmet),
            value(ColOtv), value(ColNF)};
}

namespace {

// The black one-pixel borders of every cell. A journal of thousands of rows repeats them in every
// cell, so they are one style rule for the cells of the journal's tables (class "jt") rather than
// a style attribute per cell: the page is less than half the size and the browser reads the rule
// once.
//
// A journal of thousands of rows is laid out by the browser in seconds when it is one table. So
// the rows go in blocks of kBlockRows, each a table of its own with the same fixed columns (the
// first also carries the header), and every block after the first is laid out and painted only
// when it comes near the window ("content-visibility:auto"): it stands in with an estimated
// height until then. Every row is in the page from the start (found, clicked, selected and
// printed as before); a long word wraps in its cell instead of running into the next one. The
// columns take their widths from the column group alone (the cells' own widths would add up to
// more than the table). Printed, the blocks' tables and boxes give way to their rows: the rows of
// all blocks form one table again, whose header the printout repeats on every page.
constexpr std::string_view kCellRule =
    " TABLE.jt TD {cursor:hand;border-bottom-style:solid;border-right-style:solid;border-width:1px;"
    "border-color:black;overflow-wrap:break-word;} "
    "@media screen { TABLE.jt TD {width:auto;} TABLE.jt {table-layout:fixed;} } "
    "DIV.jb {content-visibility:auto;width:max-content;min-width:100%;} "
    "@media print { TABLE.jt, DIV.jb {display:contents;} DIV.jb COLGROUP {display:none;} } ";
constexpr std::size_t kBlockRows = 100;
// Cell padding and the right border, in pixels.
constexpr int kCellExtra = 2 * 8 + 1;

void AppendStored(std::string &out, std::string_view text) {
    if (text.empty() || text == kEmptyCell)
        out += kEmptyCell;
    else
        AppendEscapedHtml(out, text);
}

void AppendNumber(std::string &out, long long value) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

// " %d.%m.%y " without a string of its own; "&nbsp;" for a date that is not set.
void AppendShortDate(std::string &out, const Date &date) {
    const auto cal = date.valid ? CalendarFromDate(date) : std::nullopt;
    if (!cal) {
        out += kEmptyCell;
        return;
    }
    const int parts[3] = {cal->day, cal->month, cal->year % 100};
    char text[10] = {' ', 0, 0, '.', 0, 0, '.', 0, 0, ' '};
    for (int k = 0; k < 3; ++k) {
        text[1 + 3 * k] = static_cast<char>('0' + parts[k] / 10);
        text[2 + 3 * k] = static_cast<char>('0' + parts[k] % 10);
    }
    out.append(text, sizeof text);
}

void AmountCell(std::string &out, long long value) {
    out += "<TD ALIGN=\"right\" WIDTH=10%";
    out += '>';
    AppendNumber(out, value);
    out += "</TD>";
}

void TextCell(std::string &out, std::string_view opening, std::string_view text) {
    out += opening;
    out += '>';
    AppendStored(out, text);
    out += "</TD>";
}

// The font of the table text (paragraph 4) for the whole table: the cells are no paragraphs of
// their own.
std::string TableFont(const CPun &p) {
    std::string css = " STYLE=\"font-family:";
    AppendEscapedHtml(css, p.m_strFont);
    AppendFontCss(css, p);
    css += ";\"";
    return css;
}

// The width of a windows-1251 text in widths of the digit "0" of the same font ("ch"), somewhat
// generously: capital letters are wider than digits, small letters about as wide, stops, commas,
// hyphens and blanks narrower.
double TextWidthCh(std::string_view text) {
    double width = 0;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool capital = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF) || c == 0xA8;
        const bool narrow = c == '.' || c == ',' || c == ' ' || c == '-' || c == '\'';
        width += capital ? 1.4 : narrow ? 0.55 : 1.0;
    }
    return width;
}

// The widest word of a text: the least width its cell can wrap it to.
double LongestWordCh(std::string_view text) {
    double longest = 0;
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t to = text.find(' ', from);
        if (to == std::string_view::npos)
            to = text.size();
        longest = std::max(longest, TextWidthCh(text.substr(from, to - from)));
        from = to + 1;
    }
    return longest;
}

std::size_t DigitCount(long long value) {
    std::size_t n = value < 0 ? 2 : 1;
    for (unsigned long long v = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
         v >= 10; v /= 10)
        ++n;
    return n;
}

bool IsAmount(std::size_t c) {
    return c == ColPrice || c == ColDeb || c == ColCred;
}

// The text a column's cell shows (for the widths and heights of the layout).
std::string_view CellText(const JournalRow &row, std::size_t c) {
    const std::string *texts[kJournalColumnCount] = {
        &row.name,      nullptr, &row.predmet, nullptr,  nullptr,
        &row.formRasch, nullptr, nullptr,      &row.otv, &row.nf};
    const std::string *text = c == ColKontragent ? &row.kontragent : texts[c];
    return !text || *text == kEmptyCell ? std::string_view() : std::string_view(*text);
}

// A column of the table: the number, the date, then the shown columns in order.
struct TableColumn {
    int column = -1;      // -1 the number, -2 the date, else the journal column
    double widthCh = 0;   // the width of its text; 0: it shares what the others leave
    double contentCh = 0; // the width its text gets, for the height estimates
};

// The widths of the columns, as an automatic table layout would choose them, but computed once
// here so that the browser need not measure every cell: the short columns (number, dates,
// amounts) as wide as their longest value or caption word; the text columns share the rest of the
// table's width, and one whose longest word would not fit gets that word's width (the table then
// grows past its width, as an automatic layout lets it).
std::vector<TableColumn> LayOutColumns(const JournalSettings &s, std::span<const JournalRow> rows,
                                       double tableCh, double cellExtraCh) {
    std::vector<TableColumn> columns = {{-1, LongestWordCh("№"_w)}, {-2, LongestWordCh("Дата"_w)}};
    for (std::size_t c = 0; c < kJournalColumnCount; ++c)
        if (s.columns[c].shown)
            columns.push_back({static_cast<int>(c), LongestWordCh(s.columns[c].caption)});
    constexpr double kDateCh = 6 * 1.0 + 2 * 0.55; // "05.03.26"
    std::vector<TableColumn *> text;
    for (TableColumn &col : columns) {
        const auto c = static_cast<std::size_t>(col.column);
        if (col.column == -2 || col.column == ColDateContr) {
            col.widthCh = std::max(col.widthCh, kDateCh);
        } else if (col.column == -1) {
            for (const JournalRow &row : rows)
                col.widthCh = std::max(col.widthCh, LongestWordCh(row.numberText == kEmptyCell
                                                                      ? std::string_view()
                                                                      : row.numberText));
        } else if (IsAmount(c)) {
            for (const JournalRow &row : rows) {
                const long long v = c == ColPrice ? row.price : c == ColDeb ? row.deb : row.cred;
                col.widthCh = std::max(col.widthCh, static_cast<double>(DigitCount(v)));
            }
        } else {
            for (const JournalRow &row : rows) {
                col.widthCh = std::max(col.widthCh, LongestWordCh(CellText(row, c)));
                if (c == ColKontragent && row.status != kEmptyCell)
                    col.widthCh = std::max(col.widthCh, LongestWordCh(row.status));
            }
            text.push_back(&col);
        }
        col.contentCh = col.widthCh + 1;
    }
    // What the short columns leave is shared by the text columns whose words fit their share.
    double left = tableCh;
    for (const TableColumn &col : columns)
        if (std::find(text.begin(), text.end(), &col) == text.end())
            left -= col.contentCh + cellExtraCh;
    for (bool again = true; again && !text.empty();) {
        again = false;
        const double share = left / static_cast<double>(text.size()) - cellExtraCh;
        for (auto it = text.begin(); it != text.end(); ++it) {
            if ((*it)->contentCh > share) {
                left -= (*it)->contentCh + cellExtraCh;
                text.erase(it);
                again = true;
                break;
            }
        }
        if (!again)
            for (TableColumn *col : text) {
                col->widthCh = 0;
                col->contentCh = share;
            }
    }
    return columns;
}

void AppendColumnGroup(std::string &out, const std::vector<TableColumn> &columns) {
    out += "<COLGROUP>";
    for (const TableColumn &col : columns) {
        if (col.widthCh == 0) {
            out += "<COL>";
            continue;
        }
        out += "<COL STYLE=\"width:calc(";
        AppendNumber(out, static_cast<long long>(std::ceil(col.contentCh)));
        out += "ch + ";
        AppendNumber(out, kCellExtra);
        out += "px)\">";
    }
    out += "</COLGROUP>\n";
}

// An estimate of a block's height, until the browser has laid it out: for each row the most
// lines one of its texts takes in its column (words wrap, so a line holds somewhat less than the
// column's width).
long long BlockHeightEstimate(std::span<const JournalRow> block,
                              const std::vector<TableColumn> &columns, double fontPx) {
    const double line = std::max(1.0, fontPx * 1.15);
    const auto lines = [](std::string_view text, double widthCh) {
        return std::max(1.0, std::ceil(TextWidthCh(text) / std::max(1.0, widthCh * 0.85)));
    };
    double height = 0;
    for (const JournalRow &row : block) {
        double most = 1;
        for (const TableColumn &col : columns) {
            if (col.column < 0 || IsAmount(static_cast<std::size_t>(col.column)) ||
                col.column == ColDateContr)
                continue;
            const auto c = static_cast<std::size_t>(col.column);
            double n = lines(CellText(row, c), col.contentCh);
            if (c == ColKontragent && row.status != kEmptyCell && !row.status.empty())
                n = lines(std::string(CellText(row, c)) + ", " + row.status, col.contentCh);
            most = std::max(most, n);
        }
        height += most * line + kCellExtra;
    }
    return static_cast<long long>(height);
}

void AppendRow(std::string &out, const JournalRow &row, const JournalSettings &s, bool clickable,
               bool odd) {
    out += "<TR STYLE=\"background-color:";
    out += !clickable ? "floralwhite" : (odd ? "aliceblue" : "white");
    out += ";vertical-align:top;\"><TD ALIGN=\"right\" WIDTH=5%";
    out += '>';
    if (clickable) {
        out += "<A onClick='window.external.Direc(";
        AppendNumber(out, row.bookId);
        out += ")';>";
    }
    AppendStored(out, row.numberText);
    if (clickable)
        out += "</A>";
    out += "</TD><TD WIDTH=5%";
    out += '>';
    if (clickable) {
        out += "<A onclick='window.external.CardKontr(";
        AppendNumber(out, row.bookId);
        out += ")';>";
    }
    AppendShortDate(out, row.date);
    if (clickable)
        out += "</A>";
    out += "</TD>";
    for (std::size_t c = 0; c < kJournalColumnCount; ++c) {
        if (!s.columns[c].shown)
            continue;
        switch (c) {
        case ColName:
            TextCell(out, "<TD WIDTH=25%", row.name);
            break;
        case ColKontragent:
            out += "<TD WIDTH=25%";
            out += '>';
            if (row.status.empty() || row.status == kEmptyCell) {
                AppendStored(out, row.kontragent);
            } else {
                if (row.kontragent != kEmptyCell)
                    AppendEscapedHtml(out, row.kontragent);
                out += ", ";
                AppendEscapedHtml(out, row.status);
            }
            out += "</TD>";
            break;
        case ColPredmet:
            TextCell(out, "<TD WIDTH=25%", row.predmet);
            break;
        case ColPrice:
            AmountCell(out, row.price);
            break;
        case ColDateContr:
            out += "<TD WIDTH=5%";
            out += '>';
            AppendShortDate(out, row.dateControl);
            out += "</TD>";
            break;
        case ColFormRasch:
            TextCell(out, "<TD WIDTH=25%", row.formRasch);
            break;
        case ColDeb:
            AmountCell(out, row.deb);
            break;
        case ColCred:
            AmountCell(out, row.cred);
            break;
        case ColOtv:
            TextCell(out, "<TD WIDTH=25%", row.otv);
            break;
        case ColNF:
            TextCell(out, "<TD WIDTH=25%", row.nf);
            break;
        }
    }
    out += "</TR>\n";
}

} // namespace

std::string BuildJournalPage(const CBody &formats, const JournalSettings &s,
                             std::span<const JournalRow> rows, bool clickable) {
    std::string out;
    out.reserve(4096 + rows.size() * 640);
    out += PageHead(formats, kJournalDocument);
    // The cell rule joins the page's style rules.
    if (const std::size_t end = out.rfind("</STYLE>"); end != std::string::npos)
        out.insert(end, kCellRule);
    if (!Trim(s.title).empty()) {
        if (clickable)
            out += "<A onClick='window.external.DirRekv(5)';>";
        out += "<DIV CLASS = \"capdoc\">";
        out += EscapeHtml(s.title);
        out += "</DIV><DIV CLASS = \"undercap\">";
        out += EscapeHtml(s.subtitle);
        out += "</DIV><DIV CLASS = \"linedate\">";
        if (s.from.valid && s.to.valid)
            out += PeriodText(s.from, s.to);
        out += "</DIV>";
        if (clickable)
            out += "</A>";
    }
    const CPun &font = formats.Paragraph(ParClauseText);
    const long long tableWidth = WholePart(font.m_dWidth, 0, 100000);
    std::string table = "<TABLE CLASS=\"jt\" CELLPADDING=\"8\" CELLSPACING=\"0\" WIDTH=";
    table += std::to_string(tableWidth);
    table += TableFont(font);
    table += ">";
    // The digit width of the table font, about half its size.
    const double fontPx = std::max(1.0, font.m_nFontSize * 1.454);
    const double chPx = fontPx * 0.55;
    const std::vector<TableColumn> columns =
        LayOutColumns(s, rows, static_cast<double>(tableWidth) / chPx, kCellExtra / chPx);
    std::string columnGroup;
    AppendColumnGroup(columnGroup, columns);

    // The blocks stand together in one box as wide as the table at least: printed, they are one
    // table again, which has no width of its own.
    out += "<DIV CLASS=\"jw\" STYLE=\"min-width:";
    AppendNumber(out, tableWidth);
    out += "px;\">";
    out += table;
    out += columnGroup;
    out += "<THEAD ALIGN=\"center\" BGCOLOR=\"";
    out += clickable ? "lightsteelblue" : "floralwhite";
    out += "\"><TR>";
    // The header cells carry the widths of their columns, as the rows' cells do.
    const auto header = [&](std::string_view caption, std::string_view width) {
        out += "<TD WIDTH=";
        out += width;
        out += '>';
        if (caption.empty())
            out += kEmptyCell;
        else
            AppendEscapedHtml(out, caption);
        out += "</TD>";
    };
    header("№"_w, "5%");
    header("Дата"_w, "5%");
    for (std::size_t c = 0; c < kJournalColumnCount; ++c) {
        if (!s.columns[c].shown)
            continue;
        header(s.columns[c].caption, IsAmount(c) ? "10%" : c == ColDateContr ? "5%" : "25%");
    }
    out += "</TR></THEAD>\n<TBODY>\n";

    bool odd = false;
    for (std::size_t first = 0; first < rows.size(); first += kBlockRows) {
        const std::span<const JournalRow> block =
            rows.subspan(first, std::min(kBlockRows, rows.size() - first));
        if (first > 0) {
            out += "<DIV CLASS=\"jb\" STYLE=\"contain-intrinsic-size:auto 1px auto ";
            AppendNumber(out, BlockHeightEstimate(block, columns, fontPx));
            out += "px;\">";
            out += table;
            out += columnGroup;
            out += "<TBODY>\n";
        }
        for (const JournalRow &row : block) {
            AppendRow(out, row, s, clickable, odd);
            odd = !odd;
        }
        out += first > 0 ? "</TBODY></TABLE></DIV>\n" : "</TBODY></TABLE>\n";
    }
    if (rows.empty())
        out += "</TBODY></TABLE>";
    out += "</DIV>";
    if (s.showCount) {
        out += "<DIV CLASS = \"tab\">";
        out += "Всего документов: "_w;
        AppendNumber(out, static_cast<long long>(rows.size()));
        out += "</DIV>";
    }
    out += "</BODY></HTML>";
    return out;
}

} // namespace dravo::textgen
