#include <gtest/gtest.h>

#include "fixture.h"
#include "textgen/subject.h"

namespace dravo::textgen {
namespace {

using testing::FakeSubjects;
using testing::Item;
using testing::U;
using testing::W;

class SubjectTextTest : public ::testing::Test {
  protected:
    SubjectTextTest() : ctx(body) {
        body = testing::StyledBody();
        body.Paragraph(ParReqText).m_strName = W("станки");
        body.Paragraph(ParReqText).m_strText = W("<не определено>");
        subjects.Add("станки", {Item("Станок токарный", 2, "шт.", 750, 1500),
                                Item("Фреза", 0, "", 0, 0, "USD", "без НДС")});
        subjects.Add("<не определено>", {});
        ctx.LoadSubjects(&subjects);
    }
    CBody body;
    FakeSubjects subjects;
    DocumentContext ctx;
};

constexpr const char *kCell = " STYLE=\"cursor:hand;border-bottom-style:solid;border-right-style:"
                              "solid;border-width:1px;border-color:black;\">";

TEST_F(SubjectTextTest, Sentence) {
    EXPECT_EQ(U(SubjectSentence(ctx, SubjectList::Subject)),
              "<A onClick='window.external.DirRekv(3)';>Станок токарный в количестве 2 шт. по цене "
              "750.00 руб.,  c НДС,  за 1 шт. на сумму 1500.00 руб., Фреза в количестве ______  по "
              "цене ______ USD, без НДС,  за 1  на сумму ________ USD</A>");
    EXPECT_EQ(U(SubjectSentence(ctx, SubjectList::Payment)),
              "<A onClick='window.external.DirRekv(4)';></A>");
    ctx.clickable = false;
    EXPECT_EQ(U(SubjectSentence(ctx, SubjectList::Payment)), "&nbsp;");
}

TEST_F(SubjectTextTest, SentenceUsesLatinC) {
    const std::string s = SubjectSentence(ctx, SubjectList::Subject);
    EXPECT_NE(s.find(",  c "), std::string::npos); // 0x63, not the Cyrillic letter
}

TEST_F(SubjectTextTest, Table) {
    const std::string head =
        "<A onClick='window.external.DirRekv(3)';><FONT SIZE=1><BR><BR></FONT><TABLE "
        "CELLPADDING=\"8\" CELLSPACING=\"0\" WIDTH=600 STYLE=\"font-family:Arial;font-size:17;"
        "font-style:normal;;border-style:solid;border-width:1px;border-color:black;\">"
        "<THEAD ALIGN=\"center\"><TH" +
        std::string(kCell) + "Наименование</TH><TH" + kCell + "Кол-во</TH><TH" + kCell +
        "Ед. изм.</TH><TH" + kCell + "Цена<BR>c НДС</TH><TH" + kCell + "Сумма<BR>руб.</TH></THEAD>";
    const std::string row1 =
        std::string("<TR STYLE=\"vertical-align:top;\">") + "<TD ALIGN=\"left\" WIDTH=40% " +
        kCell + "Станок токарный</TD>" + "<TD ALIGN=\"right\" WIDTH=15% " + kCell + "2</TD>" +
        "<TD ALIGN=\"center\" WIDTH=15% " + kCell + "шт.</TD>" + "<TD  ALIGN=\"right\" WIDTH=15%" +
        kCell + "750.00</TD>" + "<TD ALIGN=\"right\" WIDTH=15% " + kCell + "1500.00</TD></TR>";
    const std::string row2 = std::string("<TR STYLE=\"vertical-align:top;\">") +
                             "<TD ALIGN=\"left\" WIDTH=40% " + kCell + "Фреза</TD>" +
                             "<TD ALIGN=\"right\" WIDTH=15% " + kCell + "&nbsp;</TD>" +
                             "<TD ALIGN=\"center\" WIDTH=15% " + kCell + "&nbsp;</TD>" +
                             "<TD  ALIGN=\"right\" WIDTH=15%" + kCell + "&nbsp;</TD>" +
                             "<TD ALIGN=\"right\" WIDTH=15% " + kCell + "&nbsp;</TD></TR>";
    const std::string tail = "</TABLE><FONT SIZE=0><BR></FONT></A>";
    EXPECT_EQ(U(SubjectTable(ctx, SubjectList::Subject)), head + row1 + row2 + tail);

    // An empty set: the header alone; an italic font.
    body.Paragraph(ParClauseText).m_nItalic = 1;
    std::string emptyHead = head;
    emptyHead.replace(emptyHead.find("DirRekv(3)"), 10, "DirRekv(4)");
    emptyHead.replace(emptyHead.find("font-style:normal;"), 18, "font-style:italic;");
    EXPECT_EQ(U(SubjectTable(ctx, SubjectList::Payment)), emptyHead + tail);
}

TEST_F(SubjectTextTest, TableTakesCurrencyAndVatOfTheFirstRow) {
    subjects.Add("валюта",
                 {Item("_____", 1, "кг", 1, 1, "USD", "без НДС"), Item("Болт", 3, "", 0, 0)});
    body.Paragraph(ParReqText).m_strName = W("валюта");
    ctx.LoadSubjects(&subjects);
    const std::string t = U(SubjectTable(ctx, SubjectList::Subject));
    EXPECT_NE(t.find("Цена<BR>без НДС</TH>"), std::string::npos);
    EXPECT_NE(t.find("Сумма<BR>USD</TH>"), std::string::npos);
    EXPECT_NE(t.find(std::string("WIDTH=40% ") + kCell + "&nbsp;</TD>"), std::string::npos);
}

TEST_F(SubjectTextTest, Totals) {
    EXPECT_EQ(SubjectTotal(ctx, SubjectList::Subject), "1500.00");
    EXPECT_EQ(SubjectTotal(ctx, SubjectList::Payment), "_______");
    ctx.LoadSubjects(nullptr); // no database
    EXPECT_EQ(SubjectTotal(ctx, SubjectList::Subject), "_______");
    EXPECT_EQ(U(SubjectSentence(ctx, SubjectList::Subject)),
              "<A onClick='window.external.DirRekv(3)';></A>");
}

TEST_F(SubjectTextTest, OnlyTheFirstSevenRowsCount) {
    SubjectSet set;
    set.category = W("много");
    for (int i = 0; i < 9; ++i)
        set.rows.push_back(Item("x", 1, "", 1, 100));
    subjects.sets[set.category] = set;
    body.Paragraph(ParReqText).m_strName = set.category;
    ctx.LoadSubjects(&subjects);
    EXPECT_EQ(SubjectTotal(ctx, SubjectList::Subject), "700.00");
}

TEST_F(SubjectTextTest, DirectoryTextIsEscaped) {
    subjects.Add("станки", {Item("Станок <ЧПУ> & пульт", 1, "шт.", 1, 1)});
    ctx.LoadSubjects(&subjects);
    EXPECT_NE(U(SubjectSentence(ctx, SubjectList::Subject)).find("Станок &lt;ЧПУ&gt; &amp; пульт"),
              std::string::npos);
    ctx.htmlText = false;
    ctx.LoadSubjects(&subjects);
    EXPECT_NE(U(SubjectSentence(ctx, SubjectList::Subject)).find("Станок <ЧПУ> & пульт"),
              std::string::npos);
}

} // namespace
} // namespace dravo::textgen
