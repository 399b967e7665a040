#include "core/setup_data.h"

#include "core/text.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace dravo;

namespace {

using Roles = std::tuple<int, int, int>;

Roles RolesOf(const CBody &body) {
    const CPun &order = body.Paragraph(ParClauseText);
    return {order.m_nType, order.m_nCheck, order.m_nMark};
}

void SetRoles(CBody &body, Roles roles) {
    CPun &order = body.Paragraph(ParClauseText);
    order.m_nType = std::uint16_t(std::get<0>(roles));
    order.m_nCheck = std::uint16_t(std::get<1>(roles));
    order.m_nMark = std::uint16_t(std::get<2>(roles));
}

CBody TemplateBody() {
    CBody body;
    body.Paragraph(ParTitle).m_strText = "ДОГОВОР"_w;
    body.Paragraph(ParSubtitle).m_strText = "поставки"_w;
    body.Paragraph(ParDateLine).m_strText = "г. Тверь"_w;
    body.Paragraph(ParClauseText).m_strName = "Поставщик"_w;
    body.Paragraph(ParClauseText).m_strText = "Покупатель"_w;
    body.Paragraph(ParArticleHead).m_strName = "Гарант"_w;
    body.Paragraph(ParArticleHead).m_strText = "заключили настоящий договор о нижеследующем:"_w;
    SetRoles(body, {1, 2, 3});
    return body;
}

std::string Labels(const SetupDataEditor &editor) {
    return ToUtf8(editor.RowLabel(1)) + "|" + ToUtf8(editor.RowLabel(2)) + "|" +
           ToUtf8(editor.RowLabel(3));
}

TEST(SetupData, OpeningShowsTheTemplateAndTheDocument) {
    CBody body = TemplateBody();
    body.Paragraph(ParArticleHead).m_nCheck = 1;
    body.Paragraph(ParArticleHead).m_nMark = 1;
    SetupDocument document{"15-А"_w.data(), 15, false};
    SetupDataEditor editor(body, document);
    const SetupFields fields = editor.OpeningFields();
    EXPECT_EQ(ToUtf8(fields.title), "ДОГОВОР");
    EXPECT_EQ(ToUtf8(fields.subtitle), "поставки");
    EXPECT_EQ(ToUtf8(fields.number), "15-А");
    EXPECT_EQ(ToUtf8(fields.names[0]), "Поставщик");
    EXPECT_EQ(ToUtf8(fields.names[1]), "Покупатель");
    EXPECT_EQ(ToUtf8(fields.names[2]), "Гарант");
    EXPECT_TRUE(fields.splitPreamble);
    EXPECT_TRUE(editor.ThirdPartyTakesPart());
    EXPECT_FALSE(editor.DateShown());
    EXPECT_EQ(Labels(editor), "Пользователь|Контрагент|Третья сторона");
}

TEST(SetupData, LabelsFollowTheStoredOrder) {
    CBody body = TemplateBody();
    SetRoles(body, {3, 1, 2});
    SetupDocument document;
    SetupDataEditor editor(body, document);
    EXPECT_EQ(Labels(editor), "Третья сторона|Пользователь|Контрагент");
}

struct SpinCase {
    const char *name;
    Roles start;
    bool upper;
    Roles after;
};

class Spins : public testing::TestWithParam<SpinCase> {};

TEST_P(Spins, SwapTheRolesAndTwiceRestore) {
    const SpinCase &c = GetParam();
    CBody body = TemplateBody();
    SetRoles(body, c.start);
    SetupDocument document;
    SetupDataEditor editor(body, document);
    const SetupFields names = editor.OpeningFields();
    auto spin = [&] { c.upper ? editor.SwapUpper() : editor.SwapLower(); };
    spin();
    EXPECT_EQ(RolesOf(body), c.after);
    EXPECT_EQ(editor.RoleAt(1), std::get<0>(c.after));
    EXPECT_EQ(editor.OpeningFields().names, names.names); // the names stay where they were
    spin();
    // An order never set (or no permutation at all) was settled to 1, 2, 3 by the first click.
    const auto [a, b, d] = c.start;
    const bool permutation = a != b && a != d && b != d && a * b * d == 6;
    EXPECT_EQ(RolesOf(body), permutation ? c.start : Roles(1, 2, 3));
}

INSTANTIATE_TEST_SUITE_P(
    SetupData, Spins,
    testing::Values(SpinCase{"UpperFromDefault", {1, 2, 3}, true, {2, 1, 3}},
                    SpinCase{"LowerFromDefault", {1, 2, 3}, false, {1, 3, 2}},
                    SpinCase{"UpperFromMixed", {3, 1, 2}, true, {1, 3, 2}},
                    SpinCase{"LowerFromMixed", {3, 1, 2}, false, {3, 2, 1}},
                    SpinCase{"UpperOrderNeverSet", {0, 0, 0}, true, {2, 1, 3}},
                    SpinCase{"LowerOrderNeverSet", {0, 0, 0}, false, {1, 3, 2}},
                    SpinCase{"NeverSetWithLeftovers", {3, 0, 3}, true, {2, 1, 3}},
                    SpinCase{"TwoPositionsOneRole", {2, 2, 1}, false, {1, 3, 2}}),
    [](const testing::TestParamInfo<SpinCase> &info) { return std::string(info.param.name); });

TEST(SetupData, EveryCommandSettlesAnOrderNeverSet) {
    for (int command = 0; command < 3; ++command) {
        CBody body = TemplateBody();
        SetRoles(body, {0, 0, 0});
        SetupDocument document;
        SetupDataEditor editor(body, document);
        EXPECT_EQ(Labels(editor), "Пользователь|Контрагент|Третья сторона");
        if (command == 0)
            editor.ToggleDate();
        else if (command == 1)
            editor.ToggleThirdParty();
        else
            editor.Accept(editor.OpeningFields());
        EXPECT_EQ(RolesOf(body), Roles(1, 2, 3)) << "command " << command;
    }
}

TEST(SetupData, CheckBoxesChangeTheDocumentAtOnce) {
    CBody body = TemplateBody();
    SetupDocument document{"", 0, true};
    SetupDataEditor editor(body, document);
    EXPECT_FALSE(editor.ThirdPartyTakesPart());
    editor.ToggleThirdParty();
    EXPECT_EQ(body.Paragraph(ParArticleHead).m_nCheck, 1);
    EXPECT_TRUE(editor.ThirdPartyTakesPart());
    editor.ToggleDate();
    EXPECT_FALSE(document.dateShown);
    EXPECT_FALSE(editor.DateShown());
    editor.ToggleDate();
    EXPECT_TRUE(document.dateShown);
}

TEST(SetupData, CancelPutsBackWhatTheClicksChanged) {
    CBody body = TemplateBody();
    SetRoles(body, {0, 0, 0});
    body.Paragraph(ParArticleHead).m_nCheck = 1;
    const CBody before = body;
    SetupDocument document{"7", 7, true};
    SetupDataEditor editor(body, document);
    editor.SwapUpper();
    editor.SwapLower();
    editor.ToggleThirdParty();
    editor.ToggleDate();
    editor.Cancel();
    EXPECT_EQ(body, before);
    EXPECT_TRUE(document.dateShown);
    EXPECT_EQ(document.numberText, "7");
}

TEST(SetupData, OkStoresEveryField) {
    CBody body = TemplateBody();
    SetupDocument document{"1", 1, true};
    SetupDataEditor editor(body, document);
    editor.ToggleThirdParty();
    editor.ToggleDate();
    editor.SwapUpper();
    SetupFields fields = editor.OpeningFields();
    fields.title = "СОГЛАШЕНИЕ"_w;
    fields.subtitle = "  о намерениях"_w;
    fields.number = "42/7"_w;
    fields.names = {"Арендатор"_w.data(), "Арендодатель"_w.data(), "Поручитель"_w.data()};
    fields.splitPreamble = true;
    editor.Accept(fields);
    EXPECT_EQ(ToUtf8(body.Paragraph(ParTitle).m_strText), "СОГЛАШЕНИЕ");
    EXPECT_EQ(ToUtf8(body.Paragraph(ParSubtitle).m_strText), "о намерениях");
    EXPECT_EQ(body.Paragraph(ParSubtitle).m_nCheck, 1);
    EXPECT_EQ(ToUtf8(body.Paragraph(ParDateLine).m_strText), "г. Тверь"); // place untouched
    EXPECT_TRUE(body.Paragraph(ParArticleHead).m_strText.empty());
    EXPECT_EQ(ToUtf8(body.Paragraph(ParClauseText).m_strName), "Арендатор");
    EXPECT_EQ(ToUtf8(body.Paragraph(ParClauseText).m_strText), "Арендодатель");
    EXPECT_EQ(ToUtf8(body.Paragraph(ParArticleHead).m_strName), "Поручитель");
    EXPECT_EQ(body.Paragraph(ParArticleHead).m_nCheck, 1);
    EXPECT_EQ(body.Paragraph(ParArticleHead).m_nMark, 1);
    EXPECT_EQ(RolesOf(body), Roles(2, 1, 3));
    EXPECT_EQ(document.numberText, "42/7");
    EXPECT_EQ(document.number, 42);
    EXPECT_FALSE(document.dateShown);
}

struct SubtitleCase {
    const char *name;
    const char *typed;
    const char *stored;
    int check;
};

class Subtitle : public testing::TestWithParam<SubtitleCase> {};

TEST_P(Subtitle, LeadingBlanksRemovedAndFlagSet) {
    const SubtitleCase &c = GetParam();
    CBody body = TemplateBody();
    body.Paragraph(ParSubtitle).m_nCheck = c.check ? 0 : 1; // the opposite, to see it change
    SetupDocument document;
    SetupDataEditor editor(body, document);
    SetupFields fields = editor.OpeningFields();
    fields.subtitle = c.typed;
    editor.Accept(fields);
    EXPECT_EQ(body.Paragraph(ParSubtitle).m_strText, c.stored);
    EXPECT_EQ(body.Paragraph(ParSubtitle).m_nCheck, c.check);
}

INSTANTIATE_TEST_SUITE_P(SetupData, Subtitle,
                         testing::Values(SubtitleCase{"Empty", "", "", 0},
                                         SubtitleCase{"BlanksOnly", "   ", "", 0},
                                         SubtitleCase{"TabsAndNewlines", "\t\r\n ", "", 0},
                                         SubtitleCase{"LeadingBlanks", "  x y ", "x y ", 1},
                                         SubtitleCase{"Plain", "x", "x", 1}),
                         [](const testing::TestParamInfo<SubtitleCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(SetupData, LeadingNumber) {
    const std::pair<const char *, int> cases[] = {
        {"", 0},
        {"abc", 0},
        {"12", 12},
        {"12/3-A", 12},
        {"  7", 7},
        {"007", 7},
        {"-5", 0},
        {"N5", 0},
        {"2147483647", 2147483647},
        {"99999999999999999999", 2147483647},
    };
    for (const auto &[text, number] : cases)
        EXPECT_EQ(LeadingNumber(text), number) << text;
}

TEST(SetupData, RoleNames) {
    EXPECT_EQ(ToUtf8(RoleName(1)), "Пользователь");
    EXPECT_EQ(ToUtf8(RoleName(2)), "Контрагент");
    EXPECT_EQ(ToUtf8(RoleName(3)), "Третья сторона");
    EXPECT_TRUE(RoleName(0).empty());
    EXPECT_TRUE(RoleName(4).empty());
    EXPECT_EQ(ToUtf8(SetupDataEditor::kNoDate), "< прочерк >");
    EXPECT_EQ(ToUtf8(SetupDataEditor::kNotTakingPart), "<не участвует>");
}

} // namespace
