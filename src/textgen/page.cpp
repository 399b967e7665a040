#include "textgen/page.h"

#include "core/text.h"
#include "russian/strings.h"
#include "textgen/context.h"
#include "textgen/html.h"
#include "textgen/markup.h"
#include "textgen/party.h"
#include "textgen/substitute.h"

namespace dravo::textgen {

using namespace dravo::literals;

namespace {

constexpr std::string_view kClickSetup = "<A onClick='window.external.DirRekv(2)';>";

// A template text is data: what in it would run is filtered out before its commands are
// substituted (the values of the commands are filtered where they are read).
void SubstituteTextInto(DocumentContext &ctx, std::string_view text, std::string &out) {
    if (MayHoldMarkup(text))
        SubstituteInto(ctx, FilterMarkup(text), out);
    else
        SubstituteInto(ctx, text, out);
}

// The date line from the date texts already in the context.
std::string DateLineHtml(const DocumentContext &ctx, bool shown);

// The place of the date line is the user's settlement; while the user has none (a fresh
// "usr.dat"), the place stored in the template stays rather than being wiped.
void RefreshPlace(DocumentContext &ctx) {
    if (ctx.user != nullptr && !russian_detail::Trim(ctx.user->Text(CUser::Settlement)).empty())
        ctx.body().Paragraph(ParDateLine).m_strText = ctx.user->Text(CUser::Settlement);
}

// Only a template document with a title shows the date line, and only there the place is
// refreshed; other pages read the place as stored.
bool ShowsDateLine(const CBody &body, int kind) {
    return kind == kTemplateDocument &&
           !russian_detail::TrimLeft(body.Paragraph(ParTitle).m_strText).empty();
}

// The date texts and the place, before any block is substituted, so that a title or clause
// reading "дата составления" or "место составления" gets this document's values.
void PrepareDateTexts(DocumentContext &ctx, const PageInputs &in) {
    DocumentDateTexts local;
    BuildDateLine(ctx, in.date, in.dateShown, in.dateTexts ? *in.dateTexts : local, true);
    if (ShowsDateLine(ctx.body(), in.kind))
        RefreshPlace(ctx);
}

void TrimLeftInPlace(std::string &s) {
    s.erase(0, s.size() - russian_detail::TrimLeft(s).size());
}

std::string Head(const CBody &body, int kind) {
    const auto css = [&](int k) {
        return ParagraphCss(body.Paragraph(static_cast<std::uint16_t>(k)), k, kind);
    };
    std::string out = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"><HEAD> "
                      "<STYLE> BODY { background-color:";
    out += kind == kTemplateDocument ? " #FFFFFF; " : "floralwhite; ";
    out += "color: rgb(29,29,24); } DIV.capdoc\t{";
    out += css(0);
    out += "} DIV.undercap {";
    out += css(1);
    out += "} DIV.linedate {";
    out += css(2);
    out += "} DIV.linedate2 {";
    out += css(2);
    out += "text-align:right;} DIV.capart\t{";
    out += css(3);
    out += "} DIV.docbody {";
    out += css(4);
    out += "} DIV.captab\t{";
    out += css(5);
    out += "} DIV.tab {";
    out += css(6);
    out += "} </STYLE>\n</HEAD>\n\n<BODY> ";
    return out;
}

// Room for the page, so that it grows without copying itself: the texts and the markup around
// every block, with a margin for substituted values.
std::size_t EstimatedPageSize(const CBody &body) {
    std::size_t bytes = 8192;
    for (const CPar &article : body.m_arArticles) {
        bytes += article.m_head.m_strText.size() + 128;
        for (const CPun &clause : article.m_arItems)
            bytes += clause.m_strText.size() + 160;
    }
    return bytes + bytes / 2;
}

// Title, subtitle, date line and header, then the articles.
void AppendBody(DocumentContext &ctx, const PageInputs &in, std::string &out) {
    CBody &body = ctx.body();
    CPun &title = body.Paragraph(ParTitle);
    CPun &subtitle = body.Paragraph(ParSubtitle);
    TrimLeftInPlace(title.m_strName);
    TrimLeftInPlace(title.m_strText);
    TrimLeftInPlace(subtitle.m_strText);

    if (!title.m_strText.empty()) {
        ctx.paragraph = ParTitle;
        out += "<DIV CLASS = \"capdoc\">";
        out += IndentHtml(title.m_dFirstIndent);
        out += kClickSetup;
        SubstituteTextInto(ctx, title.m_strText, out);
        out += "<SPAN STYLE=\"font-family:";
        out += CssFontName(title.m_strFont);
        out += "; font-size:";
        out += std::to_string(static_cast<long long>(title.m_nFontSize * 1.2));
        out += "px; font-weight:400;\">";
        if (!in.number.empty()) {
            out += " №"_w;
            FilterMarkupInto(in.number, out);
        }
        out += "</SPAN></A></DIV>";
    }
    if (!subtitle.m_strText.empty()) {
        ctx.paragraph = ParSubtitle;
        out += "<DIV CLASS = \"undercap\">";
        out += IndentHtml(subtitle.m_dFirstIndent);
        out += kClickSetup;
        SubstituteTextInto(ctx, subtitle.m_strText, out);
        out += "</A></DIV>";
    }
    if (in.kind == kTemplateDocument && !title.m_strText.empty()) {
        out += DateLineHtml(ctx, in.dateShown);
        out += PreambleHtml(ctx);
    }

    const std::string headIndent = IndentHtml(body.Paragraph(ParArticleHead).m_dFirstIndent);
    const std::string clauseIndent = IndentHtml(body.Paragraph(ParClauseText).m_dFirstIndent);
    unsigned a = 0;
    for (std::size_t i = 0; i < body.ArticleCount(); ++i) {
        const CPar &article = body.m_arArticles[i];
        if (article.m_head.m_nCheck == 0)
            continue;
        const std::string number = std::to_string(i);
        if (!article.m_head.m_strText.empty()) {
            ctx.paragraph = ParArticleHead;
            out += "<DIV CLASS=\"capart\">";
            out += headIndent;
            out += "<A onClick='window.external.Bing(";
            out += number;
            out += ", 0, 0)';>";
            out += NumberingHtml(article.m_head.m_nType, a, a);
            SubstituteTextInto(ctx, article.m_head.m_strText, out);
            out += "</A></DIV>";
        }
        unsigned c = 0;
        ctx.paragraph = ParClauseText;
        for (std::size_t j = 0; j < article.m_arItems.size(); ++j) {
            const CPun &clause = article.m_arItems[j];
            if (clause.m_nCheck == 0)
                continue;
            if (clause.m_nType != 5) {
                out += "<DIV CLASS = \"docbody\">";
                out += clauseIndent;
            }
            out += "<A onClick='window.external.Bing(";
            out += number;
            out += ",";
            out += std::to_string(j);
            out += ",1)';>";
            out += NumberingHtml(clause.m_nType, a, c);
            SubstituteTextInto(ctx, clause.m_strText, out);
            out += "</A></DIV>";
            if (clause.m_nType != 0 && clause.m_nType != 4 && clause.m_nType != 5)
                ++c;
        }
        if (article.m_head.m_nType != 0 && article.m_head.m_nType != 4 &&
            article.m_head.m_nType != 5)
            ++a;
    }
}

} // namespace

std::string BuildDateLine(DocumentContext &ctx, const Date &date, bool shown,
                          DocumentDateTexts &texts, bool textOnly) {
    texts.Update(date, shown);
    ctx.dateShortText = texts.shortText;
    ctx.dateWordsText = texts.wordsText;
    if (textOnly)
        return {};
    RefreshPlace(ctx);
    return DateLineHtml(ctx, shown);
}

namespace {

std::string DateLineHtml(const DocumentContext &ctx, bool shown) {
    const CBody &body = ctx.body();
    const CPun &line = body.Paragraph(ParDateLine);
    std::string datePart(kClickSetup);
    datePart +=
        (shown && body.Paragraph(ParSubtitle).m_nType != 0) ? ctx.dateWordsText : ctx.dateShortText;
    datePart += "</A>";
    const std::string indent = IndentHtml(line.m_dFirstIndent);
    std::string out;
    if (line.m_nAlign == 3) {
        // A justified line: the place at the left edge and the date at the right, in two cells.
        out += "<DIV ALIGN=\"left\"></DIV><TABLE CELLPADDING=\"0\" CELLSPACING=\"0\" "
               "BORDER=\"0\"><TR><TD><DIV CLASS=\"linedate\">";
        out += indent;
        out += kClickSetup;
        FilterMarkupInto(line.m_strText, out);
        out += "</A></DIV></TD><TD><DIV CLASS=\"linedate2\"><DIV ALIGN=\"right\">";
        out += datePart;
        out += "</DIV></DIV></TD></TR></TABLE>";
    } else {
        out += "<DIV CLASS=\"linedate\">";
        out += indent;
        out += kClickSetup;
        FilterMarkupInto(line.m_strText, out);
        out += "</A>, ";
        out += datePart;
        out += "</FONT></DIV></DIV>";
    }
    return out;
}

} // namespace

std::string PreambleHtml(DocumentContext &ctx) {
    CBody &body = ctx.body();
    body.Paragraph(ParArticleHead).m_strText = ClosingPhrase(body.Paragraph(ParTitle).m_strText);
    const std::string closing = FilterMarkup(body.Paragraph(ParArticleHead).m_strText);
    const std::string d1 = PartyPreamble(ctx, 1);
    const std::string d2 = PartyPreamble(ctx, 2);
    const bool third = ThirdPartyPresent(body);
    const std::string d3 = third ? PartyPreamble(ctx, 3) : std::string();
    const std::string open =
        "<DIV CLASS = \"docbody\">" + IndentHtml(body.Paragraph(ParClauseText).m_dFirstIndent);

    std::string out(kClickSetup);
    if (body.Paragraph(ParArticleHead).m_nMark != 0) {
        out += open + d1 + std::string(", с одной стороны, и </DIV>"_w);
        out += open + d2 + std::string(", с другой стороны, </DIV>"_w);
        if (third)
            out += open + d3 + std::string(", с третьей стороны, </DIV>"_w);
        out += open + closing + "</DIV>";
    } else {
        out += open + d1 + std::string(", с одной стороны, и "_w) + d2 +
               std::string(", с другой стороны, "_w);
        if (third)
            out += d3 + std::string(", с третьей стороны, "_w);
        out += closing + "</FONT></DIV></DIV>";
    }
    out += "</A>";
    // A party name that ends its fragment in a quotation mark is followed by one comma only.
    ReplaceAllIn(out, "\",,", "\",");
    return out;
}

std::string RequisitesTableHtml(const DocumentContext &ctx) {
    const CBody &body = ctx.body();
    static constexpr int kCallOfRole[4] = {0, 1, 6, 7};
    const auto line = [&](int p, int kind) {
        return DirRekvLink(PartyLine(ctx, p, kind), kCallOfRole[RoleAt(body, p)]);
    };
    const auto head = [&](int p) {
        const std::string name = PartyLine(ctx, p, 0);
        if (name.empty())
            return line(p, 1);
        return DirRekvLink(name, 2) + "<br>" + line(p, 1);
    };
    const std::string width = std::to_string(WholePart(body.Paragraph(ParClauseText).m_dWidth));
    const std::string table =
        "<TABLE BORDER=\"0\" CELLPADDING=\"5\" CELLSPACING=\"5\" WIDTH= \"" + width + "\"><TR>";
    static constexpr std::string_view kHalf = "<TD WIDTH=\"50%\">";
    static constexpr std::string_view kSide = "<TD WIDTH=\"25%\">&nbsp;</TD>";

    std::string out = "</DIV>" + table;
    out += kHalf;
    out += "<DIV CLASS=\"captab\">" + head(1) + "</DIV></TD>";
    out += kHalf;
    out += "<DIV CLASS=\"captab\">" + head(2) + "</DIV></TD></TR><TR>";
    out += kHalf;
    out += "<DIV CLASS=\"tab\">" + line(1, 2) + "</TD></FONT></DIV></DIV></DIV>";
    out += kHalf;
    out += "<DIV CLASS=\"tab\">" + line(2, 2) + "</TD></FONT></DIV></DIV></TR><TR>";
    out += kHalf;
    out += "<DIV CLASS=\"tab\">" + line(1, 3) + "</FONT></DIV></DIV></TD>";
    out += kHalf;
    out += "<DIV CLASS=\"tab\">" + line(2, 3) + "</DIV></TD></TR></TABLE>";
    if (ThirdPartyPresent(body)) {
        out += table;
        out += kSide;
        out += kHalf;
        out += "<DIV CLASS=\"captab\">" + head(3) + "</DIV></TD>";
        out += kSide;
        out += "</TR><TR>";
        out += kSide;
        out += kHalf;
        out += "<DIV CLASS=\"tab\">" + line(3, 2) +
               "</TD><TD WIDTH=\"25%\">&nbsp;</DIV></TD></TR><TR>";
        out += kSide;
        out += kHalf;
        out += "<DIV CLASS=\"tab\">" + line(3, 3) + "</DIV></TD>";
        out += kSide;
        out += "</TD></TR></TABLE>";
    }
    ReplaceAllIn(out, "{}", "&nbsp;");
    return out;
}

std::string StoredFileNotice() {
    return std::string("<DIV STYLE=\"font-family:Verdana;font-size:12px;\"> Шаблон программы "
                       "<A onClick='window.external.DirRekv(8)'><SPAN "
                       "STYLE=\"cursor:hand;font-weight:700;color:blue;\">Dravo "
                       "Document</SPAN></A></DIV></BODY></HTML>"_w);
}

std::string PageHead(const CBody &body, int kind) {
    return Head(body, kind);
}

DocumentContext MakeDocumentContext(const PageInputs &in) {
    DocumentContext ctx(*in.body);
    ctx.kind = in.kind;
    ctx.highlight = in.highlight;
    ctx.user = in.user;
    ctx.LoadParties(in.parties);
    ctx.LoadSubjects(in.subjects);
    PrepareDateTexts(ctx, in);
    return ctx;
}

PageResult BuildPage(const PageInputs &in) {
    PageResult result;
    if (in.body == nullptr)
        return result;
    DocumentContext ctx(*in.body);
    ctx.HoldVariables();
    ctx.kind = in.kind;
    ctx.highlight = in.highlight;
    ctx.user = in.user;
    ctx.LoadParties(in.parties);

    if (in.showJournal) {
        result.documentTitle = std::string("Журнал документов"_w);
        // Until the journal pages are wired in, an empty page rather than nothing to load.
        result.html = in.journal != nullptr ? in.journal->JournalPage()
                                            : Head(*in.body, in.kind) + "</BODY></HTML>";
        return result;
    }
    result.documentTitle = in.documentTitle;
    ReplaceAllIn(result.documentTitle, ".adf", "");
    if (in.showRegistered) {
        result.html = in.journal != nullptr ? in.journal->RegisteredDocumentPage()
                                            : Head(*in.body, in.kind) + "</BODY></HTML>";
        return result;
    }
    ctx.LoadSubjects(in.subjects);
    PrepareDateTexts(ctx, in);

    std::string &out = result.html;
    out.reserve(EstimatedPageSize(*in.body));
    out += Head(*in.body, in.kind);
    if (in.kind == kStoredFileDocument) {
        out += StoredFileNotice();
        return result;
    }
    AppendBody(ctx, in, out);
    if (in.kind == kTemplateDocument && !in.body->Paragraph(ParTitle).m_strText.empty())
        out += RequisitesTableHtml(ctx);
    out += "</BODY></HTML>";
    return result;
}

} // namespace dravo::textgen
