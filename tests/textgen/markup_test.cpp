// The filter of typed markup, and the page built from texts that would call the program on load.
#include <gtest/gtest.h>

#include <regex>

#include "fixture.h"
#include "textgen/markup.h"
#include "textgen/page.h"

namespace dravo::textgen {
namespace {

using testing::Article;
using testing::Clause;
using testing::FakeParties;
using testing::FakeSubjects;
using testing::U;
using testing::W;

struct FilterCase {
    const char *name;
    const char *input;
    const char *expected;
};

class FilterTable : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterTable, Output) {
    const FilterCase &c = GetParam();
    EXPECT_EQ(U(FilterMarkup(W(c.input))), c.expected) << c.input;
    // Filtering what the filter gave changes nothing.
    EXPECT_EQ(U(FilterMarkup(FilterMarkup(W(c.input)))), c.expected) << c.input;
}

INSTANTIATE_TEST_SUITE_P(
    Kept, FilterTable,
    ::testing::Values(
        FilterCase{"PlainText", "Покупатель обязуется {оплатить}",
                   "Покупатель обязуется {оплатить}"},
        FilterCase{"Formatting", "<B>жирный</B> <i>курсив</i> <U>ч</U><BR><br/>x<SUB>2</SUB>",
                   "<B>жирный</B> <i>курсив</i> <U>ч</U><BR><br/>x<SUB>2</SUB>"},
        FilterCase{"FontAsTyped", "<FONT FACE=\"Arial\" COLOR=\"red\" SIZE=\"2\">т</FONT>",
                   "<FONT FACE=\"Arial\" COLOR=\"red\" SIZE=\"2\">т</FONT>"},
        FilterCase{"UnquotedRequoted", "<FONT COLOR=red>т</FONT>", "<FONT COLOR=\"red\">т</FONT>"},
        FilterCase{"Table", "<TABLE BORDER=1><TR><TD COLSPAN='2'>я</TD></TR></TABLE>",
                   "<TABLE BORDER=\"1\"><TR><TD COLSPAN=\"2\">я</TD></TR></TABLE>"},
        FilterCase{"Style", "<SPAN STYLE=\"color:red; font-weight:700\">к</SPAN>",
                   "<SPAN STYLE=\"color:red; font-weight:700\">к</SPAN>"},
        FilterCase{"SafeLink", "<a href=\"http://example.com/?a=1&amp;b=2\">с</a>",
                   "<a href=\"http://example.com/?a=1&amp;b=2\">с</a>"},
        FilterCase{"RelativeImage", "<IMG SRC=\"logo.png\" WIDTH=\"20\">",
                   "<IMG SRC=\"logo.png\" WIDTH=\"20\">"},
        FilterCase{"LessThanAsText", "a < b, 3<4, <>", "a &lt; b, 3&lt;4, &lt;>"},
        FilterCase{"Entities", "&nbsp;&laquo;Ромашка&raquo;", "&nbsp;&laquo;Ромашка&raquo;"}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Dropped, FilterTable,
    ::testing::Values(
        FilterCase{"Script", "a<script>window.external.DirRekv(8)</script>b", "ab"},
        FilterCase{"ScriptAnyCase", "a<ScRiPt type=x>x()</SCRIPT >b", "ab"},
        FilterCase{"ScriptNeverClosed", "a<script>x()", "a"},
        FilterCase{"StyleElement", "<style>b{behavior:url(x)}</style>т", "т"},
        FilterCase{"EventHandler", "<b onclick=\"x()\" onMouseOver=y>т</b>", "<b>т</b>"},
        FilterCase{"HandlerAfterSlash", "<img/src=\"a.png\"/onerror=x()>", "<img src=\"a.png\">"},
        FilterCase{"BodyOnload", "<body onload=x()>т</body>", "т"},
        FilterCase{"Frames", "<iframe src=\"javascript:x()\"></iframe><frame src=a><frameset>", ""},
        FilterCase{"Objects", "<object data=\"data:text/html,x\"><embed src=a><applet>", ""},
        FilterCase{"MetaRefresh", "<meta http-equiv=\"refresh\" content=\"0;url=javascript:x()\">",
                   ""},
        FilterCase{"LinkBaseForm", "<link rel=import href=a><base href=b><form action=c>т</form>",
                   "т"},
        FilterCase{"Svg", "<svg onload=x()><math>т", "т"},
        FilterCase{"ScriptAddress", "<a href=\"javascript:x()\">т</a>", "<a>т</a>"},
        FilterCase{"HiddenScriptAddress", "<a href=\" java\tscript:x()\">т</a>", "<a>т</a>"},
        FilterCase{"EntityAddress", "<a href=\"jav&#97;script:x()\">т</a>", "<a>т</a>"},
        FilterCase{"VbAndDataAddresses", "<a href=vbscript:x>1</a><img src=\"data:image/png,x\">",
                   "<a>1</a><img>"},
        FilterCase{"StyleExpression", "<span style=\"width:expression(x())\">т</span>",
                   "<span>т</span>"},
        FilterCase{"StyleEscapes", "<span style=\"background:u\\72l(x)\">т</span>",
                   "<span>т</span>"},
        FilterCase{"StyleCommentLeftOpen", "<div style=\"x/*:expression(1)\">т</div>",
                   "<div>т</div>"},
        FilterCase{"StyleUrl", "<div style=\"background:URL ( 'x' )\">т</div>", "<div>т</div>"},
        FilterCase{"Comment", "a<!-- <script>x()</script> -->b<!DOCTYPE html><?xml x?>", "ab"},
        FilterCase{"SplitName", "<scr<script>ipt>x()</script>", "ipt>x()"},
        FilterCase{"NeverEnds", "<b onclick=\"x()", "&lt;b onclick=\"x()"},
        FilterCase{"CommandInTag", "<b {x}>т</b><b{x}>", "<b>т</b>"},
        FilterCase{"CommandInValue", "<b title=\"{x}\">т</b>", "<b title=\"&#123;x&#125;\">т</b>"},
        FilterCase{"QuoteInUnquotedValue", "<b title=a\"b>т</b>", "<b title=\"a&quot;b\">т</b>"},
        FilterCase{"IdAndName", "<b id=external name=qt>т</b>", "<b>т</b>"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FilterMarkup, NulBytesAndFontNames) {
    EXPECT_EQ(FilterMarkup(std::string("a\0<b>c", 6)), "a<b>c");
    EXPECT_EQ(U(CssFontName(W("Times New Roman"))), "Times New Roman");
    EXPECT_EQ(U(CssFontName(W("Arial\"; } </STYLE><script>x()</script>"))),
              "Arial  STYLEscriptxscript");
    EXPECT_FALSE(MayHoldMarkup(W("обычный текст")));
}

// Every tag of a page: no element that runs or loads, and no handler but the program's own
// clickable regions, which call window.external.
void ExpectNothingRuns(const std::string &page) {
    static const std::regex tag(R"(<(/?)([A-Za-z][A-Za-z0-9]*)([^>]*)>)");
    static const std::regex attribute(R"re(([^\s=/]+)\s*=\s*("[^"]*"|'[^']*'|[^\s>]+))re");
    static const std::regex program(R"('window\.external\.(DirRekv|Bing)\(\d+(, ?\d+, ?\d+)?\)')");
    const std::string forbidden[] = {"script", "style",  "iframe", "frame", "frameset", "object",
                                     "embed",  "applet", "meta",   "link",  "base",     "form",
                                     "svg",    "math",   "body",   "html",  "input",    "button"};
    int handlers = 0;
    for (auto t = std::sregex_iterator(page.begin(), page.end(), tag); t != std::sregex_iterator();
         ++t) {
        std::string name = (*t)[2];
        for (char &c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        // The page's own frame: one STYLE rule set in the head, one BODY.
        if ((name == "style" || name == "body" || name == "head" || name == "html") &&
            (*t)[3].length() == 0)
            continue;
        for (const std::string &f : forbidden)
            EXPECT_NE(name, f) << page.substr(std::max<long>(0, t->position() - 200), 400);
        const std::string attributes = (*t)[3];
        for (auto a = std::sregex_iterator(attributes.begin(), attributes.end(), attribute);
             a != std::sregex_iterator(); ++a) {
            std::string key = (*a)[1];
            std::string value = (*a)[2];
            for (char &c : key)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            for (char &c : value)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (key.rfind("on", 0) == 0) {
                ++handlers;
                EXPECT_TRUE(key == "onclick" && name == "a" &&
                            std::regex_match(std::string((*a)[2]), program))
                    << t->str();
            }
            for (const char *bad : {"javascript", "vbscript", "data:", "expression", "url("})
                EXPECT_EQ(value.find(bad), std::string::npos) << t->str();
        }
    }
    EXPECT_GT(handlers, 0); // the program's own regions are still there
}

// Markup that would call the program as soon as the page loads.
const char *const kAttacks[] = {
    "<script>window.external.DirRekv(8)</script>",
    "<img src=x onerror=\"window.external.DirRekv(8)\">",
    "<body onload=window.external.DirRekv(8)>",
    "<svg/onload=window.external.DirRekv(8)>",
    "<iframe src=\"javascript:window.external.DirRekv(8)\"></iframe>",
    "<meta http-equiv=\"refresh\" content=\"0;url=javascript:window.external.DirRekv(8)\">",
    "<object data=\"data:text/html,&lt;script&gt;window.external.DirRekv(8)&lt;/script&gt;\">",
    "<div style=\"width:expression(window.external.DirRekv(8))\">x</div>",
    "<scr<script>ipt>window.external.DirRekv(8)</script>",
    "<b title=\"{опасная}\">x</b>",
};

TEST(PageMarkup, TextsThatWouldCallTheProgramOnLoadDoNotRun) {
    std::string attack;
    for (const char *a : kAttacks)
        attack += a;
    CBody body = testing::StyledBody();
    body.Paragraph(ParTitle).m_strText = W("ДОГОВОР <B>поставки</B>" + attack);
    body.Paragraph(ParTitle).m_strFont = W("Arial\"><script>window.external.DirRekv(8)</script>");
    body.Paragraph(ParSubtitle).m_strText = W(attack);
    body.Paragraph(ParClauseText).m_strName = W("Продавец" + attack);
    body.Paragraph(ParClauseText).m_strText = W("Покупатель" + attack);
    body.Paragraph(ParReqText).m_strName = W("станок" + attack);
    body.m_arArticles.push_back(testing::Article(
        "СТАТЬЯ" + attack, {Clause("Пункт " + attack + " {переменная} {предмета} " +
                                   "{место составления} <B>жирно</B>")}));
    CPun variable;
    variable.m_strName = W("переменная");
    variable.m_strText = W("значение" + attack);
    body.m_parVariables.m_arItems.push_back(variable);
    variable.m_strName = W("опасная");
    variable.m_strText = W("\" onmouseover=\"window.external.DirRekv(8)");
    body.m_parVariables.m_arItems.push_back(variable);
    CUser user;
    for (std::string &text : user.m_arTexts)
        text = W("реквизит" + attack);
    FakeParties parties;
    parties.counterparty = testing::Organisation();
    FakeSubjects subjects;
    PageInputs in;
    in.body = &body;
    in.user = &user;
    in.parties = &parties;
    in.subjects = &subjects;
    in.number = W("15" + attack);
    in.date = DateFromCalendar(2004, 12, 6);

    for (const bool highlight : {true, false}) {
        in.highlight = highlight;
        const std::string page = U(BuildPage(in).html);
        ExpectNothingRuns(page);
        // What users typed for formatting stays.
        EXPECT_NE(page.find("<B>поставки</B>"), std::string::npos);
        EXPECT_NE(page.find("<B>жирно</B>"), std::string::npos);
        EXPECT_NE(page.find("значение"), std::string::npos);
    }
}

} // namespace
} // namespace dravo::textgen
