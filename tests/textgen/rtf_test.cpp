// The word-processor export: the RTF fragments, the escaping of text and the whole document.
#include <gtest/gtest.h>

#include "fixture.h"
#include "textgen/html.h"
#include "textgen/rtf.h"

namespace dravo::textgen::testing {
namespace {

// Group depth never below zero and back to zero at the end; escaped braces do not count.
::testing::AssertionResult Balanced(const std::string &rtf) {
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{')
            ++depth;
        if (rtf[i] == '}' && --depth < 0)
            return ::testing::AssertionFailure()
                   << "a group closes at " << i << " that is not open";
        if (static_cast<unsigned char>(rtf[i]) < 0x20 && rtf[i] != '\n')
            return ::testing::AssertionFailure() << "a control byte at " << i;
    }
    if (depth != 0)
        return ::testing::AssertionFailure() << depth << " groups left open";
    return ::testing::AssertionSuccess();
}

std::size_t Count(const std::string &text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(RtfFragments, StylePrefix) {
    struct Case {
        int size, bold, italic, align, top;
        const char *expected;
    } const cases[] = {
        {12, 1, 0, 3, 6, "\\f4\\fs24\\b\\i0\\qj\\sb72"},
        {11, 0, 1, 1, 0, "\\f4\\fs22\\b0\\i\\qc\\sb0"},
        {10, 0, 0, 2, 1, "\\f4\\fs20\\b0\\i0\\qr\\sb12"},
        {9, 0, 0, 0, 0, "\\f4\\fs18\\b0\\i0\\ql\\sb0"},
        {9, 0, 0, 7, 0, "\\f4\\fs18\\b0\\i0\\ql\\sb0"},
    };
    for (const Case &c : cases) {
        CBody body = StyledBody();
        CPun &p = body.Paragraph(ParClauseText);
        p.m_nFontSize = static_cast<std::uint16_t>(c.size);
        p.m_nBold = static_cast<std::uint16_t>(c.bold);
        p.m_nItalic = static_cast<std::uint16_t>(c.italic);
        p.m_nAlign = static_cast<std::uint16_t>(c.align);
        p.m_nTopMargin = static_cast<std::uint16_t>(c.top);
        EXPECT_EQ(RtfStylePrefix(body, 4), c.expected);
    }
    EXPECT_EQ(RtfStylePrefix(StyledBody(), 0).substr(0, 7), "\\f0\\fs2"); // style n, font n
}

TEST(RtfFragments, IndentAboveFiveIsATab) {
    const std::pair<double, const char *> cases[] = {
        {0, " "}, {5, " "}, {5.01, "\\tab "}, {6, "\\tab "}, {-8, " "}};
    for (const auto &[indent, expected] : cases) {
        CBody body = StyledBody();
        body.Paragraph(ParClauseText).m_dFirstIndent = indent;
        EXPECT_EQ(RtfIndent(body, 4), expected) << indent;
    }
}

TEST(RtfFragments, Cell) {
    EXPECT_EQ(RtfCell("  100.00 ", 2),
              "\\qr \\widctlpar\\intbl\\adjustright {100.00\\cell }\\pard");
    EXPECT_EQ(RtfCell("x", 1), "\\qc \\widctlpar\\intbl\\adjustright {x\\cell }\\pard");
    EXPECT_EQ(RtfCell("x", 3), "\\qj \\widctlpar\\intbl\\adjustright {x\\cell }\\pard");
    EXPECT_EQ(RtfCell("x", 0), "\\ql \\widctlpar\\intbl\\adjustright {x\\cell }\\pard");
}

TEST(RtfFragments, SubjectListWithoutItemsGivesTheHeaderRowOnly) {
    CBody body = StyledBody();
    DocumentContext ctx(body); // no set: the catalogue's defaults
    const std::string b = "\\clvertalt\\clbrdrt\\brdrs\\brdrw10 \\clbrdrl\\brdrs\\brdrw10 "
                          "\\clbrdrb\\brdrs\\brdrw10 \\clbrdrr\\brdrs\\brdrw10 \\cltxlrtb";
    const std::string h = "\\qc\\widctlpar\\intbl\\adjustright {\\b \\fs24";
    const std::string expected =
        "}\\par \\pard {\\fs10\\par} \\trowd \\trgaph108\\trbrdrt\\brdrs\\brdrw10 "
        "\\trbrdrl\\brdrs\\brdrw10 \\trbrdrb\\brdrs\\brdrw10 \\trbrdrr\\brdrs\\brdrw10 "
        "\\trbrdrh\\brdrs\\brdrw10 \\trbrdrv\\brdrs\\brdrw10 " +
        b + "\\cellx3544" + b + "\\cellx4820" + b + "\\cellx5954" + b + "\\cellx7230" + b +
        "\\cellx8647 \\pard\\plain " + h + W("Наименование \\cell }\\pard ") + h +
        W("Кол-во \\cell }\\pard ") + h + W("Ед.изм. \\cell }\\pard ") + h +
        W("Цена \u0441 НДС\\cell}\\pard ") + h + W("Сумма руб.\\cell}\\pard ") +
        "\\widctlpar\\intbl\\adjustright {\\b0\\lang1049 \\row }\\pard  { ";
    EXPECT_EQ(SubjectTableRtf(ctx, SubjectList::Subject), expected);

    // A stored set without items: the catalogue's empty wording is "c НДС" with a Latin c.
    FakeSubjects subjects;
    subjects.Add("Пусто", {});
    body.Paragraph(ParReqText).m_strName = W("Пусто");
    ctx.LoadSubjects(&subjects);
    const std::string empty = SubjectTableRtf(ctx, SubjectList::Subject);
    EXPECT_NE(empty.find(W("Цена ") + "c" + W(" НДС\\cell}")), std::string::npos);
    EXPECT_EQ(Count(empty, "\\row"), 1u);
    EXPECT_TRUE(empty.ends_with("\\row }\\pard  { "));
}

TEST(RtfFragments, SubjectOfSevenLongItems) {
    CBody body = StyledBody();
    FakeSubjects subjects;
    std::string longName(200, 'x');
    longName[0] = '{';
    longName[199] = '\\';
    SubjectSet set;
    set.category = W("Товар");
    for (int i = 0; i < 7; ++i)
        set.rows.push_back(SubjectRow{longName, i + 1, W("шт."), 1.5, 1.5 * (i + 1), "USD", ""});
    subjects.sets[set.category] = set;
    body.Paragraph(ParReqText).m_strName = set.category;
    DocumentContext ctx(body);
    ctx.LoadSubjects(&subjects);
    const std::string table = SubjectTableRtf(ctx, SubjectList::Subject);
    EXPECT_EQ(Count(table, "\\row"), 8u);
    EXPECT_EQ(Count(table, "{\\{" + std::string(198, 'x') + "\\\\\\cell }"), 7u);
    EXPECT_NE(table.find("{\\b \\fs24" + W("Сумма USD\\cell}")), std::string::npos);
    EXPECT_NE(table.find("\\qr \\widctlpar\\intbl\\adjustright {10.50\\cell }"), std::string::npos);
    // Inside a paragraph's group, as the document writes it, the groups balance.
    EXPECT_TRUE(Balanced("{" + table + "}"));
}

TEST(RtfText, EscapesAndDecodes) {
    const std::pair<const char *, const char *> cases[] = {
        {"a{b}c\\d", "a\\{b\\}c\\\\d"},
        {"&#10003; &#x2713;", "\\u10003? \\u10003?"},
        {"&#128512;", "\\u-10179?\\u-8704?"},   // outside the basic plane: a pair
        {"&#65000;", "\\u-536?"},               // above 32767: a negative number
        {"&lt;B&gt; &amp; &quot;", "<B> & \""}, // text, not markup
        {"1<br>2<BR/>3", "1\\line 2\\line 3"},  // the line indent is a blank by default
        {"a&nbsp;b&#160;c", "a\\~b\\~c"},
        {"a  \t\r\n b", "a b"},                     // white space as the page shows it
        {"a &bogus; & b < c", "a &bogus; & b < c"}, // not an entity, not a tag
        {"<SPAN STYLE=\"x\">a</SPAN>", "a"},
        {"<b>a</b>b<i>c</i>", "\\b a\\b0 b\\i c\\i0 "},
        {"&bull;&nbsp;", "\x95\\~"},
        {"a\x01z\x01"
         "b\x02",
         "azb"}, // control bytes and a stray mark dropped
    };
    for (const auto &[page, rtf] : cases)
        EXPECT_EQ(RtfText(page), rtf) << page;
    EXPECT_EQ(RtfText(W("Договор №1 «Ромашка»")), W("Договор №1 «Ромашка»"));
    EXPECT_EQ(RtfText("x\x98y"), "xy"); // no character in the code page

    RtfTextOptions bold;
    bold.bold = true;
    bold.lineIndent = "\\tab ";
    EXPECT_EQ(RtfText("<b>a</b><br>b", bold), "\\b a\\b \\line\\tab b");
    const std::vector<std::string> pieces = {"{PIECE}"};
    bold.pieces = &pieces;
    EXPECT_EQ(RtfText("a" + RtfPieceMarker(0) + "b" + RtfPieceMarker(1), bold), "a{PIECE}b1");
}

TEST(RtfText, TypedTextKeepsCharactersOutsideTheCodePage) {
    EXPECT_EQ(PageTextFromUtf8("a<b> & ✓ Ж"), "a&lt;b&gt; &amp; &#10003; " + W("Ж"));
    EXPECT_EQ(RtfText(PageTextFromUtf8("{✓}")), "\\{\\u10003?\\}");
}

// A document with every block: title with a number, subtitle, date line, header with a third
// party, numbered articles, a subject table inside a clause and the requisites.
struct Document {
    CBody body = StyledBody();
    FakeParties parties;
    FakeSubjects subjects;

    Document() {
        body.Paragraph(ParSubtitle).m_strText = W("купли-продажи");
        body.Paragraph(ParArticleHead).m_nCheck = 1;
        body.Paragraph(ParArticleHead).m_strName = W("Гарант");
        body.Paragraph(ParReqText).m_strName = W("Станки");
        body.Paragraph(ParReqText).m_nType = 1; // the subject as a table
        body.Paragraph(ParClauseText).m_dFirstIndent = 8;
        body.m_arArticles = {
            Article("Предмет", {Clause("Товар:{/}{список предмета}после таблицы", 3),
                                Clause("Срок {срок} {x}", 3)}),
            Article("Прочее", {Clause("Вторая {/}строка", 3), Clause("скрытый", 3, 0)})};
        AddVariable(body, "срок", "10 {дней} \\ &#10003;");
        parties.counterparty = Organisation();
        parties.thirdParty = Citizen();
        subjects.Add("Станки", {Item("Станок {А}", 2, "шт.", 100, 200)});
    }

    std::string Build(int kind = kTemplateDocument) {
        PageInputs in;
        in.body = &body;
        in.kind = kind;
        in.number = "7";
        in.date = DateFromCalendar(2026, 12, 7);
        in.parties = &parties;
        in.subjects = &subjects;
        in.documentTitle = W("Договор.adf");
        const RtfResult r = BuildRtf(in);
        EXPECT_EQ(r.documentTitle, W("Договор"));
        return r.rtf;
    }
};

TEST(RtfDocument, EveryBlockInPageOrder) {
    Document d;
    const std::string rtf = d.Build();
    EXPECT_TRUE(Balanced(rtf));
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"));
    EXPECT_EQ(Count(rtf, "\\fcharset204 Arial;}"), 7u);
    EXPECT_NE(rtf.find("{\\f0\\fswiss\\fcharset204 Arial;}{\\f1"), std::string::npos);
    const std::vector<std::string> order = {
        W("ДОГОВОР{\\b0  №7}}\\par"),
        W("купли-продажи}\\par"),
        W("г. Москва, \"07\" декабря 2026 г."),
        W("\\tab , \"Продавец\", с одной стороны, и ООО Ромашка"),
        W(", с третьей стороны, заключили настоящий договор о нижеследующем:}\\par"),
        W("I.\\~Предмет}\\par"),
        W("\\tab 1.1.\\~Товар:\\line\\tab }\\par \\pard {\\fs10\\par} \\trowd"),
        W("{Станок \\{А\\}\\cell }"),
        W("\\row }\\pard  { }\\pard\\plain\\f4\\fs24\\b0\\i0\\qj\\sb0\\lang1049 {после "
          "таблицы}\\par"),
        W("1.2.\\~Срок 10 дней \\\\ \\u10003? x}\\par"),
        W("II.\\~Прочее}\\par"),
        W("2.1.\\~Вторая \\line\\tab строка}\\par"),
        "\\cellx4153 \\clvertalt\\cltxlrtb \\cellx8789",
        W("{\\f5\\fs24\\b0\\i0\\ql\\sb0 Продавец\\cell }"),
        W("{\\f6\\fs24\\b0\\i0\\ql\\sb0 ____________/И.И.\\~Иванов\\cell }"),
        "\\cellx2092 \\clvertalt\\cltxlrtb \\cellx6295",
        W("{ \\cell }\\pard \\widctlpar\\intbl\\adjustright {\\f5\\fs24\\b0\\i0\\ql\\sb0 "
          "Гарант\\cell }"),
        W("____________/М.И.\\~Петрова\\cell }"),
    };
    std::size_t at = 0;
    for (const std::string &piece : order) {
        const std::size_t found = rtf.find(piece, at);
        ASSERT_NE(found, std::string::npos) << U(piece) << "\nafter " << at << " in\n" << U(rtf);
        at = found + piece.size();
    }
    EXPECT_EQ(rtf.find(W("скрытый")), std::string::npos);
    EXPECT_EQ(rtf.find("window.external"), std::string::npos);
    EXPECT_EQ(rtf.find("<"), std::string::npos) << U(rtf);
    EXPECT_EQ(Count(rtf, "\\row"), 2u + 4u + 4u); // the subject's two rows, the parties' eight
    // The page's side effect: the closing sentence in paragraph 3.
    EXPECT_EQ(d.body.Paragraph(ParArticleHead).m_strText,
              W("заключили настоящий договор о нижеследующем:"));
}

TEST(RtfDocument, HeaderSplitIntoParagraphs) {
    Document d;
    d.body.Paragraph(ParArticleHead).m_nMark = 1;
    const std::string rtf = d.Build();
    EXPECT_TRUE(Balanced(rtf));
    const std::string next = "\\par" + RtfStylePrefix(d.body, 4) + "\\tab ";
    EXPECT_NE(rtf.find(W(", с одной стороны, и") + next), std::string::npos);
    EXPECT_NE(rtf.find(W(", с другой стороны,") + next), std::string::npos);
    EXPECT_NE(rtf.find(W(", с третьей стороны,") + next + W("заключили")), std::string::npos);
    EXPECT_NE(rtf.find(W("о нижеследующем:}\\par \\pard")), std::string::npos);
}

TEST(RtfDocument, BadAndEmptyInputStillGivesAWholeDocument) {
    CBody empty; // no title, no articles, no fonts
    PageInputs in;
    in.body = &empty;
    const std::string bare = BuildRtf(in).rtf;
    EXPECT_TRUE(Balanced(bare));
    EXPECT_EQ(Count(bare, "\\fcharset204 Times New Roman;}"), 7u);
    EXPECT_EQ(Count(bare, "\\par"), 0u); // nothing to show

    Document d;
    d.body.Paragraph(ParTitle).m_strFont = "Evil}{\\font;";
    d.body.Paragraph(ParTitle).m_strText = W("ДОГОВОР {") + "\\par}}}";
    d.body.Paragraph(ParClauseText).m_strName = "<b>{\\";
    d.body.m_arArticles[0].m_arItems[0].m_strText = "{{{{ \\rtf1 }}}" + std::string("\x01"
                                                                                    "0\x01");
    EXPECT_TRUE(Balanced(d.Build()));
    EXPECT_NE(d.Build().find("{\\f0\\fnil\\fcharset204 Evilfont;}"), std::string::npos);
    EXPECT_TRUE(Balanced(d.Build(kCaseDocument)));
    EXPECT_TRUE(Balanced(d.Build(kStoredFileDocument)));
    EXPECT_NE(d.Build(kStoredFileDocument).find("Dravo Document"), std::string::npos);
}

TEST(RtfDocument, TenThousandClauses) {
    Document d;
    CPar big;
    big.m_head.m_nCheck = 1;
    big.m_head.m_nType = 1;
    big.m_head.m_strText = "X";
    for (int i = 0; i < 10000; ++i)
        big.m_arItems.push_back(Clause("Пункт {срок} {/}", 3));
    d.body.m_arArticles.push_back(big);
    const std::string rtf = d.Build();
    EXPECT_TRUE(Balanced(rtf));
    EXPECT_NE(rtf.find("3.10000.\\~"), std::string::npos);
}

TEST(RtfDocument, PageWithoutBodyIsReadAsText) {
    CBody body = StyledBody();
    const std::string rtf = PageToRtf(
        "<HEAD><STYLE>DIV {color:red}</STYLE></HEAD><BODY><DIV>One {x}</DIV><TABLE><TR><TD>Two"
        "</TD><TD>Three &amp;</TD></TR></TABLE></BODY>",
        body);
    EXPECT_TRUE(Balanced(rtf));
    EXPECT_EQ(rtf.find("color"), std::string::npos);
    EXPECT_NE(rtf.find("{One \\{x\\}}\\par"), std::string::npos);
    EXPECT_NE(rtf.find("{Three &}\\par"), std::string::npos);
}

} // namespace
} // namespace dravo::textgen::testing
