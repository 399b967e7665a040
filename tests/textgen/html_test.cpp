#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "textgen/html.h"

namespace dravo::textgen {
namespace {

CPun Style(std::uint16_t size, std::uint16_t align, double width) {
    CPun p;
    p.m_strFont = "Times New Roman";
    p.m_nFontSize = size;
    p.m_nAlign = align;
    p.m_dWidth = width;
    p.m_nTopMargin = 6;
    p.m_nLeftMargin = 20;
    return p;
}

TEST(ParagraphCssTest, WholeRule) {
    CPun p = Style(11, 0, 600.7);
    EXPECT_EQ(ParagraphCss(p, 4, 1),
              "font-family:Times New Roman; font-size:15px; font-weight:400; "
              "font-style:normal;cursor:hand;text-align:left;margin-top:6px; margin-left:20px; "
              "width:600px;");
    p.m_nBold = 1;
    p.m_nItalic = 1;
    p.m_nFontSize = 12;
    p.m_nAlign = 3;
    EXPECT_EQ(ParagraphCss(p, 4, 0),
              "font-family:Times New Roman; font-size:17px; font-weight:700; "
              "font-style:italic;cursor:default;text-align:justify;margin-top:6px; "
              "margin-left:20px; width:600px;");
}

TEST(ParagraphCssTest, AlignmentCursorAndDateLineWidth) {
    const struct {
        std::uint16_t align;
        int k;
        int kind;
        const char *alignText;
        const char *cursor;
        const char *width;
    } cases[] = {
        {0, 2, 1, "left;", ";cursor:hand;", "width:601px;"},
        {1, 2, 2, "center;", ";cursor:hand;", "width:601px;"},
        {2, 2, 3, "right;", ";cursor:default;", "width:601px;"},
        {3, 2, 4, "justify;", ";cursor:default;", "width:300px;"}, // the date line halves
        {3, 4, 1, "justify;", ";cursor:hand;", "width:601px;"},    // no other paragraph does
        {9, 0, 0, "left;", ";cursor:default;", "width:601px;"},
    };
    for (const auto &c : cases) {
        const std::string css = ParagraphCss(Style(12, c.align, 601.9), c.k, c.kind);
        EXPECT_NE(css.find(std::string("text-align:") + c.alignText), std::string::npos) << css;
        EXPECT_NE(css.find(c.cursor), std::string::npos) << css;
        EXPECT_NE(css.find(c.width), std::string::npos) << css;
    }
}

TEST(IndentHtmlTest, Spaces) {
    EXPECT_EQ(IndentHtml(0.0), "");
    EXPECT_EQ(IndentHtml(0.9), "");
    EXPECT_EQ(IndentHtml(3.7),
              "<SPAN STYLE=\"font-family:Arial;font-size:8;\">&#160;&#160;&#160;</SPAN>");
    EXPECT_EQ(IndentHtml(-2.0), "<SPAN STYLE=\"font-family:Arial;font-size:8;\"></SPAN>");
    // Stored doubles from a damaged file stay harmless.
    EXPECT_EQ(IndentHtml(std::nan("")), "");
    EXPECT_EQ(IndentHtml(1e300).size(),
              std::string("<SPAN STYLE=\"font-family:Arial;font-size:8;\"></SPAN>").size() +
                  6 * kMaxIndent);
}

TEST(NumberingHtmlTest, Kinds) {
    const struct {
        int kind;
        unsigned a, c;
        const char *expected;
    } cases[] = {
        {0, 3, 4, ""},
        {1, 0, 7, "I.&nbsp;"},
        {1, 3, 0, "IV.&nbsp;"},
        {1, 24, 0, "XXV.&nbsp;"},
        {1, 25, 0, "XXVI.&nbsp;"}, // past the 25 that the numbering list names
        {1, 38, 0, "XXXIX.&nbsp;"},
        {1, 1998, 0, "MCMXCIX.&nbsp;"},
        {2, 5, 0, "1.&nbsp;"},
        {2, 5, 9, "10.&nbsp;"},
        {3, 1, 2, "2.3.&nbsp;"},
        {4, 1, 2, "&bull;&nbsp;"},
        {5, 1, 2, ""},
        {6, 1, 2, ""},
        {65535, 1, 2, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(NumberingHtml(c.kind, c.a, c.c), c.expected) << c.kind << " " << c.a;
}

TEST(RomanNumeralTest, FirstTwentyFiveAndBeyond) {
    const char *table[] = {"I",   "II", "III", "IV",   "V",     "VI",   "VII", "VIII", "IX",
                           "X",   "XI", "XII", "XIII", "XIV",   "XV",   "XVI", "XVII", "XVIII",
                           "XIX", "XX", "XXI", "XXII", "XXIII", "XXIV", "XXV"};
    for (unsigned n = 1; n <= 25; ++n)
        EXPECT_EQ(RomanNumeral(n), table[n - 1]);
    EXPECT_EQ(RomanNumeral(0), "");
    EXPECT_EQ(RomanNumeral(65536), std::string(65, 'M') + "DXXXVI");
}

TEST(DirRekvLinkTest, Plain) {
    EXPECT_EQ(DirRekvLink("abc", 6), "<A onClick='window.external.DirRekv(6)';>abc</A>");
    EXPECT_EQ(DirRekvLink("abc", 6, true), "abc");
    EXPECT_EQ(DirRekvLink("", 2), "<A onClick='window.external.DirRekv(2)';></A>");
}

TEST(EscapeHtmlTest, MarkupCharacters) {
    EXPECT_EQ(EscapeHtml("a<b>&c\"d'"), "a&lt;b&gt;&amp;c\"d'");
    EXPECT_EQ(EscapeHtml(""), "");
}

TEST(ReplaceAllInTest, NoRescan) {
    std::string s = "{}{}}{";
    ReplaceAllIn(s, "{}", "&nbsp;");
    EXPECT_EQ(s, "&nbsp;&nbsp;}{");
    s = "aaa";
    ReplaceAllIn(s, "a", "aa");
    EXPECT_EQ(s, "aaaaaa");
    ReplaceAllIn(s, "", "x");
    EXPECT_EQ(s, "aaaaaa");
}

TEST(WholePartTest, ClampsAndTruncates) {
    EXPECT_EQ(WholePart(600.99), 600);
    EXPECT_EQ(WholePart(-1.5), -1);
    EXPECT_EQ(WholePart(std::numeric_limits<double>::infinity()), 1000000000LL);
    EXPECT_EQ(WholePart(-std::numeric_limits<double>::infinity()), -1000000000LL);
    EXPECT_EQ(WholePart(std::nan("")), 0);
}

} // namespace
} // namespace dravo::textgen
