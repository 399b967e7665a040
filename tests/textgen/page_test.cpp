#include <gtest/gtest.h>

#include "fixture.h"
#include "textgen/html.h"
#include "textgen/page.h"

namespace dravo::textgen {
namespace {

using testing::Article;
using testing::Clause;
using testing::FakeParties;
using testing::FakeSubjects;
using testing::Item;
using testing::U;
using testing::W;

constexpr const char *kSetup = "<A onClick='window.external.DirRekv(2)';>";
constexpr const char *kIndent2 =
    "<SPAN STYLE=\"font-family:Arial;font-size:8;\">&#160;&#160;</SPAN>";

class PageTest : public ::testing::Test {
  protected:
    PageTest() {
        body = testing::StyledBody();
        user.Text(CUser::UserName) = W("ООО \"Василек\"");
        user.Text(CUser::SignatureLine) = W("____________/С.С. Сидоров");
        user.Text(CUser::ReferredAs) = W("именуемое в дальнейшем");
        user.Text(CUser::AddressAndTaxId) = W("Москва, ИНН 7700000000");
        user.Text(CUser::Settlement) = W("г. Санкт-Петербург");
        in.body = &body;
        in.kind = kTemplateDocument;
        in.number = "15";
        in.date = DateFromCalendar(2004, 12, 6);
        in.highlight = false;
        in.user = &user;
        in.parties = &parties;
        in.subjects = &subjects;
        in.documentTitle = "dogovor.adf";
    }
    std::string Page() { return U(BuildPage(in).html); }
    std::string Head(int kind) {
        std::string out = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"><HEAD> "
                          "<STYLE> BODY { background-color:";
        out += kind == 1 ? " #FFFFFF; " : "floralwhite; ";
        const auto css = [&](int k) { return U(ParagraphCss(body.Paragraph(k), k, kind)); };
        out += "color: rgb(29,29,24); } DIV.capdoc\t{" + css(0) + "} DIV.undercap {" + css(1) +
               "} DIV.linedate {" + css(2) + "} DIV.linedate2 {" + css(2) +
               "text-align:right;} DIV.capart\t{" + css(3) + "} DIV.docbody {" + css(4) +
               "} DIV.captab\t{" + css(5) + "} DIV.tab {" + css(6) +
               "} </STYLE>\n</HEAD>\n\n<BODY> ";
        return out;
    }

    CBody body;
    CUser user;
    FakeParties parties;
    FakeSubjects subjects;
    PageInputs in;
};

TEST_F(PageTest, WholeContractPage) {
    body.m_arArticles.push_back(Article(
        "ПРЕДМЕТ ДОГОВОРА", {Clause("Продавец передает {срок}.", 3), Clause("Второй пункт", 3)}));
    testing::AddVariable(body, "срок", "товар");
    const std::string blank25(25, '_');
    const std::string title =
        std::string("<DIV CLASS = \"capdoc\">") + kSetup +
        "ДОГОВОР<SPAN STYLE=\"font-family:Arial; font-size:16px; font-weight:400;\"> "
        "№15</SPAN></A></DIV>";
    const std::string dateLine = std::string("<DIV CLASS=\"linedate\">") + kSetup +
                                 "г. Санкт-Петербург</A>, " + kSetup +
                                 "\"06\" декабря 2004 г.</A></FONT></DIV></DIV>";
    const std::string preamble =
        std::string(kSetup) + "<DIV CLASS = \"docbody\">" + kIndent2 +
        "ООО \"Василек\", именуемое в дальнейшем \"Продавец\", с одной стороны, и " + blank25 +
        ", именуемое в дальнейшем \"Покупатель\", в лице " + blank25 +
        ", действующего на основании Устава, с другой стороны, заключили настоящий договор о "
        "нижеследующем:</FONT></DIV></DIV></A>";
    const std::string articles =
        "<DIV CLASS=\"capart\"><A onClick='window.external.Bing(0, 0, 0)';>I.&nbsp;ПРЕДМЕТ "
        "ДОГОВОРА</A></DIV>"
        "<DIV CLASS = \"docbody\">" +
        std::string(kIndent2) +
        "<A onClick='window.external.Bing(0,0,1)';>1.1.&nbsp;Продавец передает товар.</A></DIV>"
        "<DIV CLASS = \"docbody\">" +
        kIndent2 + "<A onClick='window.external.Bing(0,1,1)';>1.2.&nbsp;Второй пункт</A></DIV>";
    const std::string counterpartyRequisites =
        "________________________________ ИНН:&nbsp;___________________________ "
        "р/с&nbsp;№___________________________ в&nbsp;банке:&nbsp;_______________________ "
        "к/с&nbsp;№___________________________ БИК:&nbsp;___________ ОКПО&nbsp;__________ "
        "ОКВЭД&nbsp;_______&nbsp;тел.&nbsp;_____________ ";
    const std::string requisites =
        std::string("</DIV><TABLE BORDER=\"0\" CELLPADDING=\"5\" CELLSPACING=\"5\" WIDTH= "
                    "\"600\"><TR>") +
        "<TD WIDTH=\"50%\"><DIV CLASS=\"captab\">" + kSetup +
        "Продавец</A><br><A onClick='window.external.DirRekv(1)';>ООО \"Василек\"</A></DIV></TD>" +
        "<TD WIDTH=\"50%\"><DIV CLASS=\"captab\">" + kSetup +
        "Покупатель</A><br><A onClick='window.external.DirRekv(6)';>" + blank25 +
        "</A></DIV></TD></TR><TR>" +
        "<TD WIDTH=\"50%\"><DIV CLASS=\"tab\"><A onClick='window.external.DirRekv(1)';>Москва, "
        "ИНН 7700000000  </A></TD></FONT></DIV></DIV></DIV>" +
        "<TD WIDTH=\"50%\"><DIV CLASS=\"tab\"><A onClick='window.external.DirRekv(6)';>" +
        counterpartyRequisites + "</A></TD></FONT></DIV></DIV></TR><TR>" +
        "<TD WIDTH=\"50%\"><DIV CLASS=\"tab\"><A onClick='window.external.DirRekv(1)';>"
        "____________/С.С. Сидоров</A></FONT></DIV></DIV></TD>" +
        "<TD WIDTH=\"50%\"><DIV CLASS=\"tab\"><A onClick='window.external.DirRekv(6)';>"
        "____________/____________________</A></DIV></TD></TR></TABLE>";
    EXPECT_EQ(Page(),
              Head(1) + title + dateLine + preamble + articles + requisites + "</BODY></HTML>");
}

TEST_F(PageTest, SideEffectsOnTheBody) {
    body.Paragraph(ParTitle).m_strText = W("   СОГЛАШЕНИЕ");
    body.Paragraph(ParTitle).m_strName = W("  Российская{/}Федерация");
    body.Paragraph(ParSubtitle).m_strText = W("  о задатке");
    const PageResult page = BuildPage(in);
    EXPECT_EQ(U(body.Paragraph(ParTitle).m_strText), "СОГЛАШЕНИЕ");
    EXPECT_EQ(U(body.Paragraph(ParTitle).m_strName), "Российская{/}Федерация");
    EXPECT_EQ(U(body.Paragraph(ParSubtitle).m_strText), "о задатке");
    EXPECT_EQ(U(body.Paragraph(ParArticleHead).m_strText),
              "заключили настоящее соглашение о нижеследующем:");
    EXPECT_EQ(U(body.Paragraph(ParDateLine).m_strText), "г. Санкт-Петербург");
    EXPECT_EQ(page.documentTitle, "dogovor");
    EXPECT_NE(U(page.html).find(std::string("<DIV CLASS = \"undercap\">") + kSetup +
                                "о задатке</A></DIV>"),
              std::string::npos);
    EXPECT_EQ(parties.calls, 2); // both parties refreshed for every build

    // Without the user's requisites, or while the user has no settlement, the stored place stays.
    body.Paragraph(ParDateLine).m_strText = W("г. Тверь");
    user.Text(CUser::Settlement) = "  ";
    BuildPage(in);
    EXPECT_EQ(U(body.Paragraph(ParDateLine).m_strText), "г. Тверь");
    in.user = nullptr;
    BuildPage(in);
    EXPECT_EQ(U(body.Paragraph(ParDateLine).m_strText), "г. Тверь");
}

TEST_F(PageTest, DateLineForms) {
    DocumentContext ctx(body);
    ctx.user = &user;
    DocumentDateTexts texts;
    const Date date = DateFromCalendar(2004, 12, 6);
    const std::string place = std::string(kSetup) + "г. Санкт-Петербург</A>";

    EXPECT_EQ(BuildDateLine(ctx, date, true, texts, true), "");
    EXPECT_EQ(U(ctx.dateShortText), "\"06\" декабря 2004 г.");
    // The words as numbers-in-words writes them (runs of blanks included).
    const std::string words = U(DateWordsText(date));
    EXPECT_EQ(words.rfind("шестое декабря две тысячи", 0), 0u);
    EXPECT_EQ(U(ctx.dateWordsText), words);

    body.Paragraph(ParSubtitle).m_nType = 1; // the date in words
    EXPECT_EQ(U(BuildDateLine(ctx, date, true, texts)), "<DIV CLASS=\"linedate\">" + place + ", " +
                                                            kSetup + words +
                                                            "</A></FONT></DIV></DIV>");

    // Hidden: blanks for day and month; the words keep their previous value.
    EXPECT_EQ(U(BuildDateLine(ctx, DateFromCalendar(2005, 1, 1), false, texts)),
              "<DIV CLASS=\"linedate\">" + place + ", " + kSetup +
                  "\"____\" __________  2005 г.</A></FONT></DIV></DIV>");
    EXPECT_EQ(U(ctx.dateWordsText), words);

    // Justified: place and date in two cells, with the indent.
    body.Paragraph(ParDateLine).m_nAlign = 3;
    body.Paragraph(ParDateLine).m_dFirstIndent = 2;
    body.Paragraph(ParSubtitle).m_nType = 0;
    EXPECT_EQ(U(BuildDateLine(ctx, date, true, texts)),
              std::string("<DIV ALIGN=\"left\"></DIV><TABLE CELLPADDING=\"0\" CELLSPACING=\"0\" "
                          "BORDER=\"0\"><TR><TD><DIV CLASS=\"linedate\">") +
                  kIndent2 + place +
                  "</DIV></TD><TD><DIV CLASS=\"linedate2\"><DIV ALIGN=\"right\">" + kSetup +
                  "\"06\" декабря 2004 г.</A></DIV></DIV></TD></TR></TABLE>");
}

TEST_F(PageTest, PlaceRefreshedOnlyWhereTheDateLineStands) {
    // The user's settlement replaces the stored place where the page shows the date line: a
    // template document with a title. Other pages, and the date texts alone, leave it stored.
    const struct {
        int kind;
        const char *title;
        const char *place;
    } cases[] = {
        {kTemplateDocument, "ДОГОВОР", "г. Санкт-Петербург"},
        {kTemplateDocument, "   ", "г. Тверь"},
        {kRegisteredDocument, "ДОГОВОР", "г. Тверь"},
        {kJournalDocument, "ДОГОВОР", "г. Тверь"},
        {kStoredFileDocument, "ДОГОВОР", "г. Тверь"},
        {kCaseDocument, "ДОГОВОР", "г. Тверь"},
    };
    body.m_arArticles.push_back(Article("", {Clause("Место: {место составления}.")}));
    for (const auto &c : cases) {
        body.Paragraph(ParDateLine).m_strText = W("г. Тверь");
        body.Paragraph(ParTitle).m_strText = W(c.title);
        in.kind = c.kind;
        const std::string page = Page();
        EXPECT_EQ(U(body.Paragraph(ParDateLine).m_strText), c.place) << c.kind << c.title;
        if (c.kind != kStoredFileDocument) {
            EXPECT_NE(page.find(std::string("Место: ") + c.place + "."), std::string::npos)
                << c.kind << c.title;
        }
    }

    body.Paragraph(ParDateLine).m_strText = W("г. Тверь");
    DocumentContext ctx(body);
    ctx.user = &user;
    DocumentDateTexts texts;
    EXPECT_EQ(BuildDateLine(ctx, in.date, true, texts, true), "");
    EXPECT_EQ(U(body.Paragraph(ParDateLine).m_strText), "г. Тверь");
    EXPECT_NE(U(BuildDateLine(ctx, in.date, true, texts)).find("г. Санкт-Петербург"),
              std::string::npos);
    EXPECT_EQ(U(body.Paragraph(ParDateLine).m_strText), "г. Санкт-Петербург");
}

TEST_F(PageTest, TitleReadsThisDocumentsDate) {
    DocumentDateTexts previous;
    previous.shortText = "stale";
    in.dateTexts = &previous;
    body.Paragraph(ParTitle).m_strText = W("ДОГОВОР от {дата составления}");
    EXPECT_NE(Page().find("ДОГОВОР от \"06\" декабря 2004 г.<SPAN"), std::string::npos);
    EXPECT_EQ(U(previous.shortText), "\"06\" декабря 2004 г.");
}

TEST_F(PageTest, SplitHeaderWithThirdParty) {
    body.Paragraph(ParArticleHead).m_nCheck = 1;
    body.Paragraph(ParArticleHead).m_nMark = 1;
    body.Paragraph(ParArticleHead).m_strName = W("Гарант");
    body.Paragraph(ParClauseText).m_strName = "";
    user.Text(CUser::UserName) = W("ИП Сидоров");
    parties.counterparty = testing::Organisation();
    parties.counterparty->Set("Family", "");
    parties.counterparty->Set("IO", "");
    parties.counterparty->Set("Dolgn", "");
    DocumentContext ctx = MakeDocumentContext(in);
    const std::string open = std::string("<DIV CLASS = \"docbody\">") + kIndent2;
    EXPECT_EQ(U(PreambleHtml(ctx)),
              kSetup + open + "ИП Сидоров, с одной стороны, и </DIV>" + open +
                  "ООО Ромашка, именуемое в дальнейшем \"Покупатель\", с другой стороны, </DIV>" +
                  open + std::string(25, '_') + ", именуемое в дальнейшем \"Гарант\", в лице " +
                  std::string(25, '_') +
                  ", действующего на основании Устава, с третьей стороны, </DIV>" + open +
                  "заключили настоящий договор о нижеследующем:</DIV></A>");
}

TEST_F(PageTest, QuoteBeforeDoubleCommaLosesOneComma) {
    body.Paragraph(ParClauseText).m_strName = "";
    user.Text(CUser::UserName) = W("ООО \"Василек\",");
    DocumentContext ctx = MakeDocumentContext(in);
    const std::string html = U(PreambleHtml(ctx));
    EXPECT_NE(html.find("ООО \"Василек\", с одной стороны"), std::string::npos) << html;
    EXPECT_EQ(html.find("\",,"), std::string::npos);
}

TEST_F(PageTest, RequisitesOfThirdParty) {
    body.Paragraph(ParArticleHead).m_nCheck = 1;
    body.Paragraph(ParArticleHead).m_strName = "";
    parties.thirdParty = testing::Citizen();
    DocumentContext ctx = MakeDocumentContext(in);
    const std::string html = U(RequisitesTableHtml(ctx));
    const std::string side = "<TD WIDTH=\"25%\">&nbsp;</TD>";
    const std::string second =
        "<TABLE BORDER=\"0\" CELLPADDING=\"5\" CELLSPACING=\"5\" WIDTH= \"600\"><TR>" + side +
        "<TD WIDTH=\"50%\"><DIV CLASS=\"captab\"><A onClick='window.external.DirRekv(7)';>Мария "
        "Ивановна Петрова.</A></DIV></TD>" +
        side + "</TR><TR>" + side +
        "<TD WIDTH=\"50%\"><DIV CLASS=\"tab\"><A onClick='window.external.DirRekv(7)';>190000 "
        "Санкт-Петербург Невский пр., 10 паспорт серии 4005 №654321, выдан ОВД Центрального "
        "района, 8-812-000-00-00</A></TD><TD WIDTH=\"25%\">&nbsp;</DIV></TD></TR><TR>" +
        side +
        "<TD WIDTH=\"50%\"><DIV CLASS=\"tab\"><A onClick='window.external.DirRekv(7)';>"
        "____________/М.И.&nbsp;Петрова</A></DIV></TD>" +
        side + "</TD></TR></TABLE>";
    ASSERT_GE(html.size(), second.size());
    EXPECT_EQ(html.substr(html.size() - second.size()), second);
}

TEST_F(PageTest, EmptyBracesInRequisitesBecomeSpaces) {
    user.Text(CUser::SignatureLine) = W("{}{}/Сидоров");
    DocumentContext ctx = MakeDocumentContext(in);
    EXPECT_NE(U(RequisitesTableHtml(ctx)).find("&nbsp;&nbsp;/Сидоров"), std::string::npos);
}

TEST_F(PageTest, NumberingAndInclusion) {
    body.m_arArticles = {
        Article("Первая", {Clause("a", 3), Clause("скрыт", 3, 0), Clause("b", 0), Clause("c", 3),
                           Clause("d", 4), Clause("e", 5), Clause("f", 2)}),
        Article("Скрыта", {Clause("x", 3)}, 1, 0),
        Article("", {Clause("без заголовка", 3)}),
        Article("Без номера", {Clause("g", 3)}, 0),
        Article("Пустая", {}),
    };
    in.number = "";
    const std::string page = Page();
    const std::string expected =
        "<DIV CLASS=\"capart\"><A onClick='window.external.Bing(0, 0, 0)';>I.&nbsp;Первая</A></DIV>"
        "<DIV CLASS = \"docbody\">" +
        std::string(kIndent2) +
        "<A onClick='window.external.Bing(0,0,1)';>1.1.&nbsp;a</A></DIV>"
        "<DIV CLASS = \"docbody\">" +
        kIndent2 +
        "<A onClick='window.external.Bing(0,2,1)';>b</A></DIV>"
        "<DIV CLASS = \"docbody\">" +
        kIndent2 +
        "<A onClick='window.external.Bing(0,3,1)';>1.2.&nbsp;c</A></DIV>"
        "<DIV CLASS = \"docbody\">" +
        kIndent2 +
        "<A onClick='window.external.Bing(0,4,1)';>&bull;&nbsp;d</A></DIV>"
        "<A onClick='window.external.Bing(0,5,1)';>e</A></DIV>"
        "<DIV CLASS = \"docbody\">" +
        kIndent2 +
        "<A onClick='window.external.Bing(0,6,1)';>3.&nbsp;f</A></DIV>"
        "<DIV CLASS = \"docbody\">" +
        kIndent2 +
        "<A onClick='window.external.Bing(2,0,1)';>2.1.&nbsp;без заголовка</A></DIV>"
        "<DIV CLASS=\"capart\"><A onClick='window.external.Bing(3, 0, 0)';>Без номера</A></DIV>"
        "<DIV CLASS = \"docbody\">" +
        kIndent2 +
        "<A onClick='window.external.Bing(3,0,1)';>3.1.&nbsp;g</A></DIV>"
        "<DIV CLASS=\"capart\"><A onClick='window.external.Bing(4, 0, "
        "0)';>III.&nbsp;Пустая</A></DIV>";
    EXPECT_NE(page.find(expected), std::string::npos) << page;
    EXPECT_NE(page.find("font-weight:400;\"></SPAN></A></DIV>"), std::string::npos); // no number
    EXPECT_EQ(page.find("скрыт"), std::string::npos);
    EXPECT_EQ(page.find("Скрыта"), std::string::npos);
}

TEST_F(PageTest, KindsOtherThanTemplate) {
    body.m_arArticles.push_back(Article("Статья", {Clause("Пункт", 3)}));
    // A case document: the text without date line, header and requisites, on floralwhite.
    in.kind = kCaseDocument;
    const std::string caseDoc = Page();
    EXPECT_EQ(caseDoc.rfind(Head(kCaseDocument), 0), 0u);
    EXPECT_EQ(caseDoc.find("linedate\">"), std::string::npos);
    EXPECT_EQ(caseDoc.find("заключили"), std::string::npos);
    EXPECT_EQ(caseDoc.find("<TABLE"), std::string::npos);
    EXPECT_NE(caseDoc.find("I.&nbsp;Статья"), std::string::npos);
    EXPECT_NE(caseDoc.find(";cursor:default;"), std::string::npos);

    // A stored-file document: the notice instead of the text.
    in.kind = kStoredFileDocument;
    EXPECT_EQ(Page(), Head(kStoredFileDocument) +
                          "<DIV STYLE=\"font-family:Verdana;font-size:12px;\"> Шаблон программы "
                          "<A onClick='window.external.DirRekv(8)'><SPAN "
                          "STYLE=\"cursor:hand;font-weight:700;color:blue;\">Dravo "
                          "Document</SPAN></A></DIV></BODY></HTML>");
}

class FakeJournal : public JournalPages {
  public:
    std::string JournalPage() override { return "journal"; }
    std::string RegisteredDocumentPage() override { return "registered"; }
};

TEST_F(PageTest, JournalBranches) {
    FakeJournal journal;
    in.journal = &journal;
    in.showJournal = true;
    PageResult r = BuildPage(in);
    EXPECT_EQ(r.html, "journal");
    EXPECT_EQ(U(r.documentTitle), "Журнал документов");
    in.showJournal = false;
    in.showRegistered = true;
    in.documentTitle = "a.adf.adf";
    r = BuildPage(in);
    EXPECT_EQ(r.html, "registered");
    EXPECT_EQ(r.documentTitle, "a");
    EXPECT_EQ(U(body.Paragraph(ParArticleHead).m_strText), ""); // the text was not built
    in.journal = nullptr;                                       // not wired in: an empty page
    in.kind = kRegisteredDocument;
    EXPECT_EQ(Page(), Head(kRegisteredDocument) + "</BODY></HTML>");
}

TEST_F(PageTest, EmptyTitleAndEmptyBody) {
    body.Paragraph(ParTitle).m_strText = "   ";
    body.m_arArticles.clear();
    EXPECT_EQ(Page(), Head(1) + "</BODY></HTML>");
    EXPECT_EQ(PageResult().html, BuildPage(PageInputs{}).html); // no body: nothing to show
}

TEST_F(PageTest, LargeTemplateRendersEveryClause) {
    for (int i = 0; i < 100; ++i) {
        CPar a = Article("Статья {n}", {});
        for (int j = 0; j < 100; ++j)
            a.m_arItems.push_back(Clause("Пункт {n} {/}", 3));
        body.m_arArticles.push_back(a);
    }
    testing::AddVariable(body, "n", "N");
    const std::string page = BuildPage(in).html;
    EXPECT_NE(page.find("<A onClick='window.external.Bing(99,99,1)';>100.100.&nbsp;"),
              std::string::npos);
    EXPECT_NE(page.find("XCIX.&nbsp;"), std::string::npos); // article 99
    EXPECT_NE(page.find("C.&nbsp;"), std::string::npos);
    EXPECT_EQ(page.find("{n}"), std::string::npos);
    EXPECT_EQ(page.find("{/}"), std::string::npos);
    EXPECT_EQ(page.size() - page.rfind("</BODY></HTML>"), 14u) << page.size();
}

TEST_F(PageTest, SubjectCommandsOnThePage) {
    subjects.Add("станок", {Item("Станок", 1, "шт.", 10, 10)});
    body.Paragraph(ParReqText).m_strName = W("станок");
    body.m_arArticles.push_back(
        Article("", {Clause("Продавец передает {предмет}, {список предмета}; итого {сумма "
                            "предмета} ({сумма предмета прописью}) руб. Он {должен}.")}));
    const std::string page = Page();
    EXPECT_NE(page.find("Продавец передает станок, <A onClick='window.external.DirRekv(3)';>Станок "
                        "в количестве 1 шт."),
              std::string::npos);
    EXPECT_NE(page.find("итого 10.00 (десять) руб. Он должен."), std::string::npos) << page;
}

TEST_F(PageTest, HighlightingOnThePage) {
    in.highlight = true;
    testing::AddVariable(body, "срок", "10");
    body.m_arArticles.push_back(Article("", {Clause("{срок} {первый: ИНН}")}));
    EXPECT_NE(Page().find("<SPAN STYLE=\"color:blue;\">10</SPAN> <SPAN "
                          "STYLE=\"color:darkblue;\">_________</SPAN>"),
              std::string::npos);
}

TEST_F(PageTest, LineBreakTakesTheIndentOfItsOwnBlock) {
    // The same command in a heading and in a clause: each break is followed by the first-line
    // indent of the paragraph style of its block.
    body.Paragraph(ParArticleHead).m_dFirstIndent = 3.0;
    body.m_arArticles.push_back(Article("А{/}Б", {Clause("В{/}Г"), Clause("Д{ / }Е")}));
    const std::string page = Page();
    const std::string indent3 =
        "<SPAN STYLE=\"font-family:Arial;font-size:8;\">&#160;&#160;&#160;</SPAN>";
    EXPECT_NE(page.find("А<br>" + indent3 + "Б"), std::string::npos) << page;
    EXPECT_NE(page.find("В<br>" + std::string(kIndent2) + "Г"), std::string::npos) << page;
    EXPECT_NE(page.find("Д<br>" + std::string(kIndent2) + "Е"), std::string::npos) << page;
}

} // namespace
} // namespace dravo::textgen
