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
// cell, so they are one style rule of the class "jc" rather than a style attribute per cell: the
// page is a third of the size and the browser reads the rule once.
constexpr std::string_view kBorder = " CLASS=\"jc\">";
constexpr std::string_view kCellRule =
    " TD.jc {cursor:hand;border-bottom-style:solid;"
    "border-right-style:solid;border-width:1px;border-color:black;} ";

void Cell(std::string &out, std::string_view opening, std::string_view text) {
    out += opening;
    out += kBorder;
    if (text == kEmptyCell || text.empty())
        out += kEmptyCell;
    else
        out += EscapeHtml(text);
    out += "</TD>";
}

void AmountCell(std::string &out, long long value) {
    out += "<TD ALIGN=\"right\" WIDTH=10%";
    out += kBorder;
    out += std::to_string(value);
    out += "</TD>";
}

// The font of the table text (paragraph 4) for the whole table: the cells are no paragraphs of
// their own.
std::string TableFont(const CPun &p) {
    std::string css = " STYLE=\"font-family:";
    css += EscapeHtml(p.m_strFont);
    css += "; font-size:";
    css += std::to_string(static_cast<long long>(p.m_nFontSize * 1.454));
    css += "px; font-weight:";
    css += p.m_nBold != 0 ? "700" : "400";
    css += "; font-style:";
    css += p.m_nItalic != 0 ? "italic" : "normal";
    css += ";\"";
    return css;
}

void AppendRow(std::string &out, const JournalRow &row, const JournalSettings &s, bool clickable,
               bool odd) {
    out += "<TR STYLE=\"background-color:";
    out += !clickable ? "floralwhite" : (odd ? "aliceblue" : "white");
    out += ";vertical-align:top;\">";
    const std::string id = std::to_string(row.bookId);
    out += "<TD ALIGN=\"right\" WIDTH=5%";
    out += kBorder;
    if (clickable)
        out += "<A onClick='window.external.Direc(" + id + ")';>";
    out += row.numberText.empty() || row.numberText == kEmptyCell ? std::string(kEmptyCell)
                                                                  : EscapeHtml(row.numberText);
    if (clickable)
        out += "</A>";
    out += "</TD><TD WIDTH=5%";
    out += kBorder;
    if (clickable)
        out += "<A onclick='window.external.CardKontr(" + id + ")';>";
    out += row.date.valid ? FormatDate(row.date, " %d.%m.%y ") : std::string(kEmptyCell);
    if (clickable)
        out += "</A>";
    out += "</TD>";
    for (std::size_t c = 0; c < kJournalColumnCount; ++c) {
        if (!s.columns[c].shown)
            continue;
        switch (c) {
        case ColName:
            Cell(out, "<TD WIDTH=25%", row.name);
            break;
        case ColKontragent:
            if (row.status.empty() || row.status == kEmptyCell)
                Cell(out, "<TD WIDTH=25%", row.kontragent);
            else
                Cell(out, "<TD WIDTH=25%", ShownText(row.kontragent) + ", " + row.status);
            break;
        case ColPredmet:
            Cell(out, "<TD WIDTH=25%", row.predmet);
            break;
        case ColPrice:
            AmountCell(out, row.price);
            break;
        case ColDateContr:
            Cell(out, "<TD WIDTH=5%",
                 row.dateControl.valid ? FormatDate(row.dateControl, " %d.%m.%y ") : "");
            break;
        case ColFormRasch:
            Cell(out, "<TD WIDTH=25%", row.formRasch);
            break;
        case ColDeb:
            AmountCell(out, row.deb);
            break;
        case ColCred:
            AmountCell(out, row.cred);
            break;
        case ColOtv:
            Cell(out, "<TD WIDTH=25%", row.otv);
            break;
        case ColNF:
            Cell(out, "<TD WIDTH=25%", row.nf);
            break;
        }
    }
    out += "</TR>\n";
}

} // namespace

std::string BuildJournalPage(const CBody &formats, const JournalSettings &s,
                             std::span<const JournalRow> rows, bool clickable) {
    std::string out;
    out.reserve(4096 + rows.size() * 700);
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
    out += "<TABLE CELLPADDING=\"8\" CELLSPACING=\"0\" WIDTH=";
    out += std::to_string(WholePart(formats.Paragraph(ParClauseText).m_dWidth, 0, 100000));
    out += TableFont(formats.Paragraph(ParClauseText));
    out += ">\n<THEAD ALIGN=\"center\" BGCOLOR=\"";
    out += clickable ? "lightsteelblue" : "floralwhite";
    out += "\"><TR>";
    // The header cells carry the widths of their columns, as the rows' cells do.
    const auto header = [&](std::string_view caption, std::string_view width) {
        out += "<TD WIDTH=";
        out += width;
        out += kBorder;
        out += caption.empty() ? std::string(kEmptyCell) : EscapeHtml(caption);
        out += "</TD>";
    };
    header("№"_w, "5%");
    header("Дата"_w, "5%");
    for (std::size_t c = 0; c < kJournalColumnCount; ++c) {
        if (!s.columns[c].shown)
            continue;
        const bool amount = c == ColPrice || c == ColDeb || c == ColCred;
        header(s.columns[c].caption, amount ? "10%" : c == ColDateContr ? "5%" : "25%");
    }
    out += "</TR></THEAD>\n<TBODY>\n";
    bool odd = false;
    for (const JournalRow &row : rows) {
        AppendRow(out, row, s, clickable, odd);
        odd = !odd;
    }
    out += "</TBODY></TABLE>";
    if (s.showCount) {
        out += "<DIV CLASS = \"tab\">";
        out += "Всего документов: "_w;
        out += std::to_string(rows.size());
        out += "</DIV>";
    }
    out += "</BODY></HTML>";
    return out;
}

} // namespace dravo::textgen
