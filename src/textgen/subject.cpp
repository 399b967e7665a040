#include "textgen/subject.h"

#include <charconv>

#include "core/text.h"
#include "textgen/html.h"
#include "textgen/markup.h"

namespace dravo::textgen {

using namespace dravo::literals;

namespace {

// (Constants first: clang 14 crashes on these literals in a local initialiser.)
constexpr std::string_view kRoubles = "руб."_w;
constexpr std::string_view kWithVat = "c НДС"_w; // the "c" is the Latin letter

// "%.2f" with a point whatever the locale: the window toolkit puts the program under the user's
// locale, which on a Russian desktop writes a comma.
std::string Money(double value) {
    char buf[400]; // the longest double in fixed notation, with two decimals
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    return std::string(buf, r.ptr);
}

std::string RegionOpen(SubjectList list) {
    return list == SubjectList::Subject ? "<A onClick='window.external.DirRekv(3)';>"
                                        : "<A onClick='window.external.DirRekv(4)';>";
}

// The rows that the texts show: of the first seven, those with a name.
template <typename F> void ForEachNamedRow(const SubjectState &s, F &&f) {
    if (!s.set)
        return;
    const std::size_t n = std::min(s.set->rows.size(), kSubjectRows);
    for (std::size_t i = 0; i < n; ++i)
        if (!s.set->rows[i].name.empty())
            f(s.set->rows[i]);
}

} // namespace

std::string SubjectSentence(const DocumentContext &ctx, SubjectList list) {
    const SubjectState &s = ctx.Subject(list);
    std::string out = ctx.clickable ? RegionOpen(list) : std::string("&nbsp;");
    bool first = true;
    ForEachNamedRow(s, [&](const SubjectRow &row) {
        const std::string currency = row.currency.empty() ? std::string(kRoubles) : row.currency;
        const std::string price = Money(row.price);
        const std::string summ = Money(row.summ);
        if (!first)
            out += ", ";
        first = false;
        out += row.name;
        out += " в количестве "_w;
        out += row.kolvo == 0 ? std::string("______") : std::to_string(row.kolvo);
        out += " ";
        out += row.edizm;
        out += " по цене "_w;
        out += price == "0.00" ? std::string("______") : price;
        out += " ";
        out += currency;
        out += ", ";
        if (row.definds.empty())
            out += " ";
        out += row.definds.empty() ? std::string(kWithVat) : row.definds;
        out += ", ";
        out += " за 1 "_w;
        out += row.edizm;
        out += " на сумму "_w;
        out += summ == "0.00" ? std::string("________") : summ;
        out += " ";
        out += currency;
    });
    if (ctx.clickable)
        out += "</A>";
    return out;
}

std::string SubjectTable(const DocumentContext &ctx, SubjectList list) {
    const SubjectState &s = ctx.Subject(list);
    const CPun &font = ctx.body().Paragraph(ParClauseText);
    static constexpr std::string_view kCell =
        " STYLE=\"cursor:hand;border-bottom-style:solid;border-right-style:solid;border-width:1px;"
        "border-color:black;\">";
    std::string out = RegionOpen(list);
    out += "<FONT SIZE=1><BR><BR></FONT><TABLE CELLPADDING=\"8\" CELLSPACING=\"0\" WIDTH=";
    out += std::to_string(WholePart(font.m_dWidth));
    out += " STYLE=\"";
    out += "font-family:";
    out += CssFontName(font.m_strFont);
    out += ";font-size:";
    out += std::to_string(static_cast<long long>(font.m_nFontSize * 1.45));
    out += ";font-style:";
    out += font.m_nItalic != 0 ? "italic;" : "normal;";
    out += ";border-style:solid;border-width:1px;border-color:black;\">";

    std::string currency(kRoubles);
    std::string vat(kWithVat);
    if (s.set && !s.set->rows.empty()) {
        if (!s.set->rows[0].currency.empty())
            currency = s.set->rows[0].currency;
        if (!s.set->rows[0].definds.empty())
            vat = s.set->rows[0].definds;
    }
    out += "<THEAD ALIGN=\"center\"><TH";
    out += kCell;
    out += "Наименование</TH><TH"_w;
    out += kCell;
    out += "Кол-во</TH><TH"_w;
    out += kCell;
    out += "Ед. изм.</TH><TH"_w;
    out += kCell;
    out += "Цена<BR>"_w;
    out += vat;
    out += "</TH><TH";
    out += kCell;
    out += "Сумма<BR>"_w;
    out += currency;
    out += "</TH></THEAD>";

    ForEachNamedRow(s, [&](const SubjectRow &row) {
        const auto cell = [&](std::string_view open, std::string_view text) {
            out += open;
            out += kCell;
            out += text;
            out += "</TD>";
        };
        const std::string price = Money(row.price);
        const std::string summ = Money(row.summ);
        out += "<TR STYLE=\"vertical-align:top;\">";
        cell("<TD ALIGN=\"left\" WIDTH=40% ", row.name.front() == '_' ? "&nbsp;" : row.name);
        cell("<TD ALIGN=\"right\" WIDTH=15% ",
             row.kolvo == 0 ? std::string("&nbsp;") : std::to_string(row.kolvo));
        cell("<TD ALIGN=\"center\" WIDTH=15% ", row.edizm.empty() ? "&nbsp;" : row.edizm);
        cell("<TD  ALIGN=\"right\" WIDTH=15%", price == "0.00" ? "&nbsp;" : price);
        cell("<TD ALIGN=\"right\" WIDTH=15% ", summ == "0.00" ? "&nbsp;" : summ);
        out += "</TR>";
    });
    out += "</TABLE><FONT SIZE=0><BR></FONT></A>";
    return out;
}

std::string SubjectTotal(const DocumentContext &ctx, SubjectList list) {
    const SubjectState &s = ctx.Subject(list);
    double total = 0.0;
    if (s.set) {
        const std::size_t n = std::min(s.set->rows.size(), kSubjectRows);
        for (std::size_t i = 0; i < n; ++i)
            total += s.set->rows[i].summ;
    }
    return total == 0.0 ? std::string("_______") : Money(total);
}

} // namespace dravo::textgen
