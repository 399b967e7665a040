#include <gtest/gtest.h>

#include "fixture.h"
#include "textgen/substitute.h"

namespace dravo::textgen {
namespace {

using testing::FakeSubjects;
using testing::Item;
using testing::U;
using testing::W;

class SubstituteTest : public ::testing::Test {
  protected:
    SubstituteTest() : ctx(body) {
        body = testing::StyledBody();
        ctx.highlight = false;
        ctx.dateShortText = W("\"06\" декабря 2004 г.");
        ctx.dateWordsText = W("шестое декабря две тысячи четвертого&nbsp;года");
        ctx.subject.forms.SetSubjectName(W("станок"));
        ctx.payment.forms.SetSubjectName(W("оборудование"));
    }
    std::string Sub(std::string_view utf8) { return U(Substitute(ctx, W(utf8))); }
    std::string Eval(std::string_view utf8) { return U(Evaluate(ctx, W(utf8))); }

    CBody body;
    DocumentContext ctx;
};

TEST_F(SubstituteTest, PassFindsCommandsLeftToRight) {
    testing::AddVariable(body, "x", "X");
    testing::AddVariable(body, "y", "<{x}>");
    testing::AddVariable(body, "a", "A");
    const struct {
        const char *text;
        const char *expected;
    } cases[] = {
        {"no commands", "no commands"},
        {"", ""},
        {"{}", "&nbsp;"},
        {"a{}b{}c", "a&nbsp;b&nbsp;c"},
        {"a {x} b {x}", "a X b X"},
        {"{ x }", "X"},
        {"{\tx\n}", "X"},
        {"{{x}", "X"},              // a second opening brace belongs to the same command
        {"{x{x}", "xx"},            // ...its word is the text without both braces
        {"a {x b", "a {x b"},       // no closing brace: unchanged from the brace on
        {"{x} {x", "X {x"},         // ...also after a substituted command
        {"}{x}{", "}X{"},           // a lone closing brace is text
        {"{y}", "&lt;X>"},          // a value holding commands is substituted in its turn (and a
        {"{y}{y}", "&lt;X>&lt;X>"}, // "<" that opens no tag is text)
        {"{} {a{}", "&nbsp; {a&nbsp;"}, // "{}" already met replaces its later occurrences
        {"{a} {b{a}", "A {bA"},         // so does any remembered command
        {"{X}", "X"},                   // variable names ignore letter case
    };
    for (const auto &c : cases)
        EXPECT_EQ(Sub(c.text), c.expected) << c.text;
}

TEST_F(SubstituteTest, CommandWordDropsEveryBraceAndTrims) {
    EXPECT_EQ(CommandWord("{ a{b }"), "ab");
    EXPECT_EQ(CommandWord("{   }"), "");
    EXPECT_EQ(CommandWord("{{x}"), "x");
}

TEST_F(SubstituteTest, BlankCommandIsEmptyDarkBlueSpan) {
    ctx.highlight = true;
    EXPECT_EQ(Sub("[{   }]"), "[<SPAN STYLE=\"color:darkblue;\"></SPAN>]");
    testing::AddVariable(body, "", "empty-named");
    EXPECT_EQ(Sub("[{   }]"), "[<SPAN STYLE=\"color:blue;\">empty-named</SPAN>]");
}

TEST_F(SubstituteTest, SelfContainingValueStopsWithRedMark) {
    testing::AddVariable(body, "a", "[{a}]");
    EXPECT_EQ(Sub("{a}!"), "[<SPAN STYLE=\"color:red;\">{a}</SPAN>]!");

    // Through another command, and with highlighting on.
    testing::AddVariable(body, "p", "p{q}");
    testing::AddVariable(body, "q", "q{p}");
    ctx.highlight = true;
    EXPECT_EQ(Sub("{p}"), "<SPAN STYLE=\"color:blue;\">p<SPAN STYLE=\"color:blue;\">q<SPAN "
                          "STYLE=\"color:red;\">{p}</SPAN></SPAN></SPAN>");
}

TEST_F(SubstituteTest, RepeatedCommandOutsideItsValueIsNoLoop) {
    testing::AddVariable(body, "a", "A{b}");
    testing::AddVariable(body, "b", "B");
    EXPECT_EQ(Sub("{a}{b}{a}"), "ABBAB");
}

TEST_F(SubstituteTest, DoublingValuesStopWithinTheLimit) {
    // v0 -> v1 v1 -> ... : 2^40 copies if nothing stopped it.
    for (int i = 0; i < 40; ++i) {
        const std::string next = std::to_string(i + 1);
        std::string value = "{v";
        value.append(next).append("}{v").append(next).append("}");
        testing::AddVariable(body, std::string("v").append(std::to_string(i)), value);
    }
    testing::AddVariable(body, "v40", "xyz");
    const std::string out = Substitute(ctx, "{v0}");
    EXPECT_LE(out.size(), 2 * kExpansionLimit);
    EXPECT_NE(out.find("color:red;"), std::string::npos);
}

TEST_F(SubstituteTest, SpecialWordsBeforeVariables) {
    ctx.highlight = true;
    testing::AddVariable(body, "место составления", "ignored");
    EXPECT_EQ(Eval("/"), "<br><SPAN STYLE=\"font-family:Arial;font-size:8;\">&#160;&#160;</SPAN>");
    ctx.paragraph = ParArticleHead;
    EXPECT_EQ(Eval("/"), "<br>");
    EXPECT_EQ(Eval("место составления"), "г. Москва");
    EXPECT_EQ(Eval("дата составления"), "\"06\" декабря 2004 г.");
    EXPECT_EQ(Eval("дата составления прописью"), "шестое декабря две тысячи четвертого&nbsp;года");
}

TEST_F(SubstituteTest, VariablesFoundAfterRenaming) {
    // One context may serve several look-ups while the user edits the variables: a renamed
    // variable is found under its new name, and the first of equal names still wins.
    testing::AddVariable(body, "срок", "10 дней");
    testing::AddVariable(body, "цена", "100");
    EXPECT_EQ(Eval("оплата"), "оплата");
    EXPECT_EQ(Eval("цена"), "100");
    body.Variable(0).m_strName = W("Оплата");
    EXPECT_EQ(Eval("оплата"), "10 дней");
    body.Variable(0).m_strName = W("ЦЕНА");
    EXPECT_EQ(Eval("цена"), "10 дней");
    body.Variable(0).m_strName = W("срок");
    EXPECT_EQ(Eval("цена"), "100");
    EXPECT_EQ(Eval("оплата"), "оплата");
}

TEST_F(SubstituteTest, ValuesAndColours) {
    ctx.highlight = true;
    testing::AddVariable(body, "Срок", "10 дней");
    testing::AddVariable(body, "пусто", "<не определено>");
    testing::AddVariable(body, "должен", "обязан");
    testing::AddVariable(body, "сумма предмета", "100");
    const struct {
        const char *word;
        const char *expected;
    } cases[] = {
        {"СРОК", "<SPAN STYLE=\"color:blue;\">10 дней</SPAN>"},
        {"пусто", "<SPAN STYLE=\"color:blue;\"></SPAN>"},
        {"должен", "<SPAN STYLE=\"color:blue;\">обязан</SPAN>"}, // a variable wins over agreement
        {"Договорились", "<SPAN STYLE=\"color:darkblue;\">Договорились</SPAN>"},
        {"сумма предмета", "<SPAN STYLE=\"color:blue;\">_______</SPAN>"}, // the rule wins
        {"предмета", "<SPAN STYLE=\"color:darkblue;\">станка</SPAN>"},
        {"Предмет!", "<SPAN STYLE=\"color:darkblue;\">Станок</SPAN>"},
        {"Предмет! расчета", "<SPAN STYLE=\"color:darkblue;\">Оборудование</SPAN>"},
        {"предметом расчета", "<SPAN STYLE=\"color:darkblue;\">оборудованием</SPAN>"},
        {"предметы", "<SPAN STYLE=\"color:darkblue;\">предметы</SPAN>"},
        {"первый: ИНН", "<SPAN STYLE=\"color:darkblue;\">_________</SPAN>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Eval(c.word), c.expected) << c.word;
}

TEST_F(SubstituteTest, AmountInWordsEvaluatesInnerWordWithoutHighlight) {
    FakeSubjects subjects;
    subjects.Add("станок", {Item("Станок токарный", 2, "шт.", 750, 1500)});
    body.Paragraph(ParReqText).m_strName = W("станок");
    ctx.LoadSubjects(&subjects);
    ctx.highlight = true;
    EXPECT_EQ(Eval("сумма предмета"), "<SPAN STYLE=\"color:blue;\">1500.00</SPAN>");
    EXPECT_EQ(Eval("сумма предмета прописью"),
              "<SPAN STYLE=\"color:blue;\">одна тысяча пятьсот</SPAN>");
    EXPECT_TRUE(ctx.highlight);
    testing::AddVariable(body, "цена", "2000");
    EXPECT_EQ(Eval("цена   прописью"), "<SPAN STYLE=\"color:blue;\">две тысячи</SPAN>");
    EXPECT_EQ(Eval("прописью"), "<SPAN STYLE=\"color:blue;\"></SPAN>");
    // Words of words: nothing, however deep the nest.
    std::string deep = W("цена");
    for (int i = 0; i < 100000; ++i)
        deep += W(" прописью");
    EXPECT_EQ(Evaluate(ctx, deep), "<SPAN STYLE=\"color:blue;\"></SPAN>");
    EXPECT_TRUE(ctx.highlight);
}

TEST_F(SubstituteTest, AmountInWordsReadsTheKeypadsDecimalComma) {
    testing::AddVariable(body, "цена", "12500,75");
    ctx.highlight = false;
    EXPECT_EQ(Eval("цена прописью"), "двенадцать тысяч пятьсот");
}

TEST_F(SubstituteTest, SubjectListsFollowTheTableFlags) {
    FakeSubjects subjects;
    subjects.Add("станок", {Item("Станок", 1, "шт.", 10, 10)});
    body.Paragraph(ParReqText).m_strName = W("станок");
    ctx.LoadSubjects(&subjects);
    EXPECT_EQ(Eval("список предмета").rfind("<A onClick='window.external.DirRekv(3)';>Станок", 0),
              0u);
    body.Paragraph(ParReqText).m_nType = 1;
    EXPECT_EQ(Eval("список предмета").rfind("<A onClick='window.external.DirRekv(3)';><FONT", 0),
              0u);
    EXPECT_EQ(Eval("список предмета расчета"), "<A onClick='window.external.DirRekv(4)';></A>");
    body.Paragraph(ParReqText).m_nCheck = 1;
    EXPECT_EQ(
        Eval("список предмета расчета").rfind("<A onClick='window.external.DirRekv(4)';><FONT", 0),
        0u);
}

struct AgreeCase {
    const char *subject;
    const char *word;
    const char *expected;
};

TEST_F(SubstituteTest, AgreementWithTheSubject) {
    const AgreeCase cases[] = {
        // masculine: everything stays
        {"станок", "должен", "должен"},
        {"станок", "новый", "новый"},
        {"станок", "передан", "передан"},
        // feminine
        {"продукция", "должен", "должна"},
        {"продукция", "будет", "будет"},
        {"продукция", "этот", "эту"},
        {"продукция", "этого", "этой"},
        {"продукция", "его", "её"},
        {"продукция", "всего", "всю"},
        {"продукция", "передан", "передана"},
        {"продукция", "следующий", "следующую"},
        {"продукция", "указанный", "указанную"},
        {"продукция", "поставляемый", "поставляемую"},
        {"продукция", "поставляемым", "поставляемой"},
        {"продукция", "нового", "новой"},
        {"продукция", "новому", "новой"},
        {"продукция", "указанным", "указанной"},
        {"продукция", "указанном", "указанной"},
        // plural
        {"запчасти", "должен", "должны"},
        {"запчасти", "будет", "будут"},
        {"запчасти", "этот", "эти"},
        {"запчасти", "этого", "этих"},
        {"запчасти", "его", "их"},
        {"запчасти", "всего", "всех"},
        {"запчасти", "передан", "переданы"},
        {"запчасти", "следующий", "следующие"},
        {"запчасти", "указанный", "указанные"},
        {"запчасти", "поставляемым", "поставляемыми"},
        {"запчасти", "нового", "новых"},
        {"запчасти", "новому", "новым"},
        {"запчасти", "указанном", "указанных"},
        // neuter
        {"оборудование", "должен", "должно"},
        {"оборудование", "этот", "этот"}, // a blank cell leaves the word
        {"оборудование", "передан", "передано"},
        {"оборудование", "следующий", "следующее"},
        {"оборудование", "указанный", "указанное"},
        {"оборудование", "поставляемый", "поставляемое"},
        {"оборудование", "нового", "нового"},
        // no rule
        {"продукция", "договор", "договор"},
    };
    for (const auto &c : cases) {
        ctx.subject.forms.SetSubjectName(W(c.subject));
        EXPECT_EQ(U(AgreeWithSubject(ctx, W(c.word))), c.expected) << c.subject << " " << c.word;
    }
}

TEST_F(SubstituteTest, SubjectNameForms) {
    const struct {
        const char *word;
        const char *expected;
    } cases[] = {
        {"предмет!", "станок"},
        {"предмета", "станка"},
        {"предмету", "станку"},
        {"предмет", "станок"},
        {"предметом", "станком"},
        {"предмете", "станке"},
        {"предмет! расчета", "оборудование"},
        {"предмета расчета", "оборудования"},
        {"предмету расчета", "оборудованию"},
        {"предмет расчета", "оборудование"},
        {"предметом расчета", "оборудованием"},
        {"предмете расчета", "оборудовании"},
        {"предметный", "предметный"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(U(SubjectNameForm(ctx, W(c.word))), c.expected) << c.word;
}

TEST_F(SubstituteTest, NoSubjectReadsEmpty) {
    ctx.subject.forms.SetSubjectName("");
    ctx.highlight = true;
    EXPECT_EQ(Eval("предмета"), "<SPAN STYLE=\"color:darkblue;\"></SPAN>");
}

class PartyCommandTest : public SubstituteTest {
  protected:
    PartyCommandTest() {
        testing::FakeParties parties;
        parties.counterparty = testing::Organisation();
        PartyRow woman = testing::Citizen();
        woman.Set("Name", W("Петрова"));
        parties.thirdParty = woman;
        ctx.LoadParties(&parties);
    }
    std::string Party(std::string_view utf8) { return U(EvaluatePartyCommand(ctx, W(utf8))); }
};

TEST_F(PartyCommandTest, FieldsAndCases) {
    const struct {
        const char *word;
        const char *expected;
    } cases[] = {
        {"первый: название", "Ромашка"},
        {"первый:оргформа", "ООО"},
        {"первый: адрес", "101000 Москва ул. Ленина, 1"},
        {"первый: ИНН", "7701234567"},
        {"первый: ОКПО", "12345678"},
        {"первый: ОКОНХ", "51.1"},
        {"первый: р/с", "40702810000000000001"},
        {"первый: название банка", "Сбербанк"},
        {"первый: к/с", "30101810400000000225"},
        {"первый: БИК", "044525225"},
        {"первый: адрес банка", "Москва"},
        {"первый: телефон", "123-45-67"},
        {"первый: фамилия", "Иванов"},
        {"первого: фамилия", "Иванова"},
        {"первому: фамилия", "Иванову"},
        {"первого!: фамилия", "Иванова"},
        {"первый: имя", "Иван Иванович"},
        {"первому: имя", "Ивану Ивановичу"},
        {"первый: инициалы", "И.И."},
        {"первого: должность", "Генерального директора"},
        {"первому: должность", "Генеральному директору"},
        {"первого: действующий", "действующего"},
        {"первый: подписал", "подписал"},
        {"первый: неизвестное", ""},
        {"первый", ""},
        {"второй: фамилия", "Петрова"},
        {"второго: фамилия", "Петровой"},
        {"второго!: фамилия", "Петрову"},
        {"второго!: имя", "Марию Ивановну"},
        {"второй: паспорт", "серии 4005 №654321, выдан ОВД Центрального района"},
        {"второй: место работы", "123456"},
        {"второй: название", ""},
        {"второй: проживающий", "проживающая"},
        {"второго: проживающий", "проживающей"},
        {"второму: действующий", "действующей"},
        {"второй: подписал", "подписала"},
        {"второй: обязался", ""}, // not a past tense in "ил" or "ал": no such field
        {"второй: он", "она"},
        {"второй: его", "ее"},
        {"второй: ему", "ей"},
        {"второй  : Должность", "ИФНС № 1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Party(c.word), c.expected) << c.word;
}

TEST_F(PartyCommandTest, CapitalisedPost) {
    testing::FakeParties parties;
    PartyRow row = testing::Organisation();
    row.Set("Dolgn", W("директор"));
    parties.counterparty = row;
    ctx.LoadParties(&parties);
    EXPECT_EQ(Party("первый: Должность"), "Директор");
    EXPECT_EQ(Party("первого: Должность"), "Директора");
}

TEST_F(PartyCommandTest, NotSelectedPartiesPrintBlanks) {
    ctx.LoadParties(nullptr);
    EXPECT_EQ(Party("первый: название"), std::string(21, '_'));
    EXPECT_EQ(Party("второй: название"), "");
    EXPECT_EQ(Party("первый: фамилия"), std::string(20, '_'));
    EXPECT_EQ(Party("второго: фамилия"), std::string(21, '_'));
    EXPECT_EQ(Party("первый: паспорт"), "серии ____ №______, выдан ____________________");
    EXPECT_EQ(Party("второй: паспорт"),
              "паспорт серии ______ №________, выдан ____________________");
}

TEST_F(PartyCommandTest, DirectoryTextIsEscaped) {
    testing::FakeParties parties;
    PartyRow row = testing::Organisation();
    row.Set("Name", W("Рога & Копыта <1>"));
    parties.counterparty = row;
    ctx.LoadParties(&parties);
    EXPECT_EQ(Party("первый: название"), "Рога &amp; Копыта &lt;1&gt;");
    ctx.htmlText = false; // the word-processor export escapes for its own format
    ctx.LoadParties(&parties);
    EXPECT_EQ(Party("первый: название"), "Рога & Копыта <1>");
}

} // namespace
} // namespace dravo::textgen
