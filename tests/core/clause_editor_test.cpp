#include "core/clause_editor.h"

#include "core/text.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace dravo;

namespace {

// A body whose articles hold the given numbers of clauses; heading i is named "Ai", clause j of
// article i carries the text "i.j".
CBody MakeBody(const std::vector<int> &clauseCounts) {
    CBody body;
    body.m_arArticles.clear();
    for (std::size_t i = 0; i < clauseCounts.size(); ++i) {
        CPar article;
        article.m_head.m_strName = "A" + std::to_string(i);
        article.m_head.m_strText = "Heading " + std::to_string(i);
        for (int j = 0; j < clauseCounts[i]; ++j) {
            CPun clause;
            // (built with append: GCC 12 warns falsely on a chain of + here)
            clause.m_strText.append(std::to_string(i)).append(".").append(std::to_string(j));
            clause.m_strName = "C" + clause.m_strText;
            clause.m_nCheck = 1;
            article.m_arItems.push_back(clause);
        }
        body.m_arArticles.push_back(article);
    }
    return body;
}

using Position = std::pair<int, int>; // article, clause

Position At(const ClauseEditor &editor) {
    return {editor.ArticleIndex(), editor.ClauseIndex()};
}

struct StepCase {
    const char *name;
    std::vector<int> clauses;
    int article, clause, level;
    bool forward;
    Position expected;
};

class Stepping : public testing::TestWithParam<StepCase> {};

TEST_P(Stepping, LandsOnTheExpectedItem) {
    const StepCase &c = GetParam();
    CBody body = MakeBody(c.clauses);
    ClauseEditor editor(body, "doc.adf", c.article, c.clause, c.level);
    if (c.forward)
        editor.Next(editor.Fields());
    else
        editor.Previous(editor.Fields());
    EXPECT_EQ(At(editor), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ClauseEditor, Stepping,
    testing::Values(
        StepCase{"NextWithinArticle", {3, 2}, 0, 0, 1, true, {0, 1}},
        StepCase{"NextCrossesIntoNextArticle", {3, 2}, 0, 2, 1, true, {1, 0}},
        StepCase{"NextWrapsFromLastClauseOfLastArticle", {3, 2}, 1, 1, 1, true, {0, 0}},
        StepCase{"NextAtArticleLevelGoesToNextArticle", {3, 2}, 0, 0, 0, true, {1, 0}},
        StepCase{"NextAtArticleLevelWraps", {3, 2}, 1, 0, 0, true, {0, 0}},
        StepCase{"NextFromEmptyArticle", {0, 2}, 0, 0, 1, true, {1, 0}},
        StepCase{"NextIntoEmptyArticle", {1, 0}, 0, 0, 1, true, {1, 0}},
        StepCase{"NextSingleClauseSingleArticle", {1}, 0, 0, 1, true, {0, 0}},
        StepCase{"PreviousWithinArticle", {3, 2}, 0, 2, 1, false, {0, 1}},
        StepCase{"PreviousCrossesToLastClauseOfPreviousArticle", {3, 2}, 1, 0, 1, false, {0, 2}},
        StepCase{"PreviousWrapsToLastClauseOfLastArticle", {3, 4}, 0, 0, 1, false, {1, 3}},
        StepCase{"PreviousIntoEmptyArticle", {0, 2}, 1, 0, 1, false, {0, 0}},
        StepCase{"PreviousAtArticleLevel", {3, 2}, 1, 0, 0, false, {0, 0}},
        StepCase{"PreviousAtArticleLevelWraps", {3, 2}, 0, 0, 0, false, {1, 0}}),
    [](const testing::TestParamInfo<StepCase> &info) { return std::string(info.param.name); });

TEST(ClauseEditor, WalkingForwardVisitsEveryClauseOnceAndComesBack) {
    CBody body = MakeBody({2, 0, 3, 1});
    ClauseEditor editor(body, "doc", 0, 0, 1);
    std::vector<std::string> seen;
    for (int i = 0; i < 7; ++i) {
        seen.push_back(editor.HasItem() ? editor.Fields().text : "-");
        editor.Next(editor.Fields());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"0.0", "0.1", "-", "2.0", "2.1", "2.2", "3.0"}));
    EXPECT_EQ(At(editor), Position(0, 0));
    // And back again in reverse.
    std::vector<std::string> back;
    for (int i = 0; i < 7; ++i) {
        editor.Previous(editor.Fields());
        back.push_back(editor.HasItem() ? editor.Fields().text : "-");
    }
    EXPECT_EQ(back, (std::vector<std::string>{"3.0", "2.2", "2.1", "2.0", "-", "0.1", "0.0"}));
}

TEST(ClauseEditor, OutOfRangeOpeningIsBroughtToTheNearestItem) {
    CBody body = MakeBody({2, 3});
    ClauseEditor editor(body, "doc", 9, 9, 1);
    EXPECT_EQ(At(editor), Position(1, 2));
    EXPECT_EQ(editor.Fields().text, "1.2");
    ClauseEditor headingLevel(body, "doc", 0, 1, 0);
    EXPECT_EQ(At(headingLevel), Position(0, 0));
    EXPECT_EQ(headingLevel.Level(), ClauseLevel::Article);
    ClauseEditor oddLevel(body, "doc", 0, 1, 7);
    EXPECT_EQ(oddLevel.Level(), ClauseLevel::Clause);
}

TEST(ClauseEditor, TitlesAndLevelCaptions) {
    CBody body = MakeBody({2, 3});
    body.Article(1).m_head.m_strName.clear();
    ClauseEditor editor(body, std::string("Договор поставки.adf"_w), 1, 2, 1);
    EXPECT_EQ(ToUtf8(editor.WindowTitle()), "  Пункт 3 из 3 в статье '<Без названия>'");
    EXPECT_EQ(ToUtf8(editor.LevelButtonCaption()), "К статье");
    EXPECT_TRUE(editor.ClauseCheckVisible());
    EXPECT_FALSE(editor.SummaryVisible());
    editor.SwitchLevel(editor.Fields());
    EXPECT_EQ(ToUtf8(editor.WindowTitle()), "  Статья 2 из 2 в документе 'Договор поставки'");
    EXPECT_EQ(ToUtf8(editor.LevelButtonCaption()), "К пункту");
    EXPECT_FALSE(editor.ClauseCheckVisible());
    EXPECT_TRUE(editor.SummaryVisible());
    editor.Previous(editor.Fields());
    editor.SwitchLevel(editor.Fields());
    EXPECT_EQ(ToUtf8(editor.WindowTitle()), "  Пункт 1 из 2 в статье 'A0'");
}

TEST(ClauseEditor, DocumentTitleLosesOnlyATrailingExtension) {
    CBody body = MakeBody({1});
    EXPECT_EQ(ClauseEditor(body, "a.adf.txt", 0, 0, 0).WindowTitle(),
              ClauseEditor(body, "a.adf.txt.ADF", 0, 0, 0).WindowTitle());
    EXPECT_NE(ClauseEditor(body, "x.adf", 0, 0, 0).WindowTitle().find("'x'"), std::string::npos);
}

TEST(ClauseEditor, FieldsShowTheItemAndSaveWritesItBack) {
    CBody body = MakeBody({2});
    body.Clause(0, 1).m_nType = 3;
    body.Clause(0, 1).m_nMark = 1;
    ClauseEditor editor(body, "doc", 0, 1, 1);
    const ClauseFields shown = editor.Fields();
    EXPECT_EQ(shown, (ClauseFields{3, true, true, "C0.1", "0.1"}));
    editor.Save(ClauseFields{4, false, false, "name", "text"});
    const CPun &clause = body.Clause(0, 1);
    EXPECT_EQ(clause.m_nType, 4);
    EXPECT_EQ(clause.m_nCheck, 0);
    EXPECT_EQ(clause.m_nMark, 0);
    EXPECT_EQ(clause.m_strName, "name");
    EXPECT_EQ(clause.m_strText, "text");
}

TEST(ClauseEditor, ArticleLevelEditsTheHeadingIncludingItsOwnFlag) {
    CBody body = MakeBody({2});
    body.Article(0).m_head.m_nCheck = 1;
    ClauseEditor editor(body, "doc", 0, 0, 0);
    ClauseFields fields = editor.Fields();
    EXPECT_TRUE(fields.check);
    fields.text = "СТАТЬЯ"_w;
    editor.Next(fields);
    EXPECT_EQ(body.Article(0).m_head.m_strText, "СТАТЬЯ"_w);
    EXPECT_EQ(body.Article(0).m_head.m_nCheck, 1);
    EXPECT_EQ(body.Clause(0, 0).m_strText, "0.0"); // clauses untouched
}

TEST(ClauseEditor, KindNotInTheListShowsNoSelectionAndIsKept) {
    CBody body = MakeBody({1});
    body.Clause(0, 0).m_nType = 5;
    ClauseEditor editor(body, "doc", 0, 0, 1);
    ClauseFields fields = editor.Fields();
    EXPECT_EQ(fields.kind, -1);
    fields.text = "changed";
    editor.Save(fields);
    EXPECT_EQ(body.Clause(0, 0).m_nType, 5);
    EXPECT_EQ(body.Clause(0, 0).m_strText, "changed");
    fields.kind = 2; // the user picks a kind from the list
    editor.Save(fields);
    EXPECT_EQ(body.Clause(0, 0).m_nType, 2);
}

TEST(ClauseEditor, NumberingKindsListIsTheOfferedFive) {
    const auto &names = NumberingKindNames();
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(ToUtf8(names[0]), "нумерация не применена ");
    EXPECT_EQ(ToUtf8(names[1]), "нумерация римскими цифрами");
    EXPECT_EQ(ToUtf8(names[2]), "нумерация одной арабской цифрой");
    EXPECT_EQ(ToUtf8(names[3]), "нумерация двуми цифрами: статья-пункт");
    EXPECT_EQ(ToUtf8(names[4]), "маркированный пункт");
}

// Every action that moves away from the item keeps what the controls hold.
using Action = void (*)(ClauseEditor &, const ClauseFields &);

class SavesBeforeActing : public testing::TestWithParam<std::pair<const char *, Action>> {};

TEST_P(SavesBeforeActing, ControlsReachTheItem) {
    CBody body = MakeBody({2, 2});
    ClauseEditor editor(body, "doc", 0, 1, 1);
    ClauseFields edited = editor.Fields();
    edited.text = "edited";
    edited.kind = 1;
    GetParam().second(editor, edited);
    EXPECT_EQ(body.Clause(0, 1).m_strText, "edited");
    EXPECT_EQ(body.Clause(0, 1).m_nType, 1);
}

INSTANTIATE_TEST_SUITE_P(
    ClauseEditor, SavesBeforeActing,
    testing::Values(std::pair<const char *, Action>{"Next",
                                                    [](ClauseEditor &e, const ClauseFields &f) {
                                                        e.Next(f);
                                                    }},
                    std::pair<const char *, Action>{
                        "Previous", [](ClauseEditor &e, const ClauseFields &f) { e.Previous(f); }},
                    std::pair<const char *, Action>{
                        "Level", [](ClauseEditor &e, const ClauseFields &f) { e.SwitchLevel(f); }},
                    std::pair<const char *, Action>{
                        "Add", [](ClauseEditor &e, const ClauseFields &f) { e.Add(f); }},
                    std::pair<const char *, Action>{"Ok",
                                                    [](ClauseEditor &e, const ClauseFields &f) {
                                                        std::string error;
                                                        e.Accept(f, {}, error);
                                                    }}),
    [](const auto &info) { return std::string(info.param.first); });

TEST(ClauseEditor, DeleteAndSummaryClickDoNotSaveTheControls) {
    CBody body = MakeBody({3});
    ClauseEditor editor(body, "doc", 0, 0, 0);
    editor.ClickSummary();
    EXPECT_EQ(body.Article(0).m_head.m_strText, "Heading 0");
    ClauseEditor clauses(body, "doc", 0, 1, 1);
    ASSERT_TRUE(clauses.Delete([](std::string_view) { return true; }));
    EXPECT_EQ(body.ClauseCount(0), 2u);
    EXPECT_EQ(body.Clause(0, 1).m_strText, "0.2");
}

TEST(ClauseEditor, OkSavesTheItemBeforeTheTemplate) {
    CBody body = MakeBody({1});
    ClauseEditor editor(body, "doc", 0, 0, 1);
    ClauseFields fields = editor.Fields();
    fields.text = "final";
    std::string seenBySave;
    std::string error;
    EXPECT_TRUE(editor.Accept(
        fields,
        [&](std::string &) {
            seenBySave = body.Clause(0, 0).m_strText;
            return true;
        },
        error));
    EXPECT_EQ(seenBySave, "final");
    EXPECT_FALSE(editor.Accept(
        fields,
        [](std::string &e) {
            e = "disk full";
            return false;
        },
        error));
    EXPECT_EQ(error, "disk full");
    EXPECT_EQ(body.Clause(0, 0).m_strText, "final"); // the body keeps the change
}

struct SummaryCase {
    const char *name;
    std::vector<int> checks;
    ClauseSummary shown;
    ClauseSummary afterClick;
    int valueAfterClick;
};

class Summary : public testing::TestWithParam<SummaryCase> {};

TEST_P(Summary, ShowsAndClicks) {
    const SummaryCase &c = GetParam();
    CBody body = MakeBody({int(c.checks.size())});
    for (std::size_t j = 0; j < c.checks.size(); ++j)
        body.Clause(0, std::uint16_t(j)).m_nCheck = std::uint16_t(c.checks[j]);
    ClauseEditor editor(body, "doc", 0, 0, 0);
    EXPECT_EQ(editor.Summary(), c.shown);
    EXPECT_EQ(editor.ClickSummary(), c.afterClick);
    for (const CPun &clause : body.Article(0).m_arItems)
        EXPECT_EQ(clause.m_nCheck, c.valueAfterClick);
}

INSTANTIATE_TEST_SUITE_P(
    ClauseEditor, Summary,
    testing::Values(
        SummaryCase{"AllIncluded", {1, 1, 1}, ClauseSummary::Ticked, ClauseSummary::Cleared, 0},
        SummaryCase{"AnyNonZeroCounts", {1, 2}, ClauseSummary::Ticked, ClauseSummary::Cleared, 0},
        SummaryCase{"Some", {1, 0, 1}, ClauseSummary::Indeterminate, ClauseSummary::Cleared, 0},
        SummaryCase{"None", {0, 0}, ClauseSummary::Cleared, ClauseSummary::Ticked, 1},
        SummaryCase{"NoClauses", {}, ClauseSummary::Cleared, ClauseSummary::Cleared, 0}),
    [](const testing::TestParamInfo<SummaryCase> &info) { return std::string(info.param.name); });

TEST(ClauseEditor, AddClauseGoesAfterTheCurrentOne) {
    CBody body = MakeBody({2});
    ClauseEditor editor(body, "doc", 0, 0, 1);
    ASSERT_TRUE(editor.Add(editor.Fields()));
    EXPECT_EQ(At(editor), Position(0, 1));
    EXPECT_EQ(body.ClauseCount(0), 3u);
    EXPECT_EQ(body.Clause(0, 1), CPun{});
    EXPECT_EQ(body.Clause(0, 2).m_strText, "0.1");
    EXPECT_EQ(ToUtf8(editor.WindowTitle()), "  Пункт 2 из 3 в статье 'A0'");
}

TEST(ClauseEditor, AddArticleGetsOneBlankClause) {
    CBody body = MakeBody({2, 1});
    ClauseEditor editor(body, "doc", 0, 0, 0);
    ASSERT_TRUE(editor.Add(editor.Fields()));
    EXPECT_EQ(At(editor), Position(1, 0));
    ASSERT_EQ(body.ArticleCount(), 3u);
    EXPECT_EQ(body.Article(1).m_head, CPun{});
    EXPECT_EQ(body.ClauseCount(1), 1u);
    EXPECT_EQ(body.Article(2).m_head.m_strName, "A1");
}

TEST(ClauseEditor, AddIntoAnArticleWithoutClauses) {
    CBody body = MakeBody({0});
    ClauseEditor editor(body, "doc", 0, 0, 1);
    EXPECT_FALSE(editor.HasItem());
    EXPECT_EQ(ToUtf8(editor.WindowTitle()), "  Пункт 0 из 0 в статье 'A0'");
    editor.Save(ClauseFields{1, true, true, "x", "y"}); // nothing to save into
    EXPECT_EQ(body.ClauseCount(0), 0u);
    EXPECT_FALSE(editor.Delete([](std::string_view) { return true; }));
    ASSERT_TRUE(editor.Add(editor.Fields()));
    EXPECT_TRUE(editor.HasItem());
    EXPECT_EQ(body.ClauseCount(0), 1u);
    EXPECT_EQ(At(editor), Position(0, 0));
}

TEST(ClauseEditor, BodyWithoutArticlesNeverIndexesAndCanGrowOne) {
    CBody body = MakeBody({});
    ClauseEditor editor(body, "doc", 3, 4, 1);
    EXPECT_FALSE(editor.HasItem());
    editor.Next(editor.Fields());
    editor.Previous(editor.Fields());
    editor.ClickSummary();
    EXPECT_FALSE(editor.Delete([](std::string_view) { return true; }));
    EXPECT_EQ(ToUtf8(editor.WindowTitle()), "  Пункт 0 из 0 в статье '<Без названия>'");
    ASSERT_TRUE(editor.Add(editor.Fields()));
    EXPECT_EQ(body.ArticleCount(), 1u);
    EXPECT_EQ(body.ClauseCount(0), 1u);
    EXPECT_TRUE(editor.HasItem());
}

TEST(ClauseEditor, AddRefusedWhenTheListIsFull) {
    CBody body = MakeBody({1});
    body.Article(0).m_arItems.resize(65535);
    ClauseEditor editor(body, "doc", 0, 65534, 1);
    EXPECT_FALSE(editor.Add(editor.Fields()));
    EXPECT_EQ(body.ClauseCount(0), 65535u);
}

TEST(ClauseEditor, DeleteAsksOnlyForItemsWithText) {
    CBody body = MakeBody({3});
    body.Clause(0, 1).m_strText.clear();
    std::vector<std::string> asked;
    auto record = [&](std::string_view q) {
        asked.emplace_back(q);
        return false;
    };
    ClauseEditor editor(body, "doc", 0, 0, 1);
    EXPECT_FALSE(editor.Delete(record)); // refused: kept
    EXPECT_EQ(body.ClauseCount(0), 3u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(ToUtf8(asked[0]), "\n              Удалить пункт?");
    editor.Next(editor.Fields());
    EXPECT_TRUE(editor.Delete(record)); // empty text: no question
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(body.ClauseCount(0), 2u);
    editor.SwitchLevel(editor.Fields());
    EXPECT_FALSE(editor.Delete(record));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(ToUtf8(asked[1]), "             Удалить статью и \n        связанные с ней пункты?");
    EXPECT_FALSE(editor.Delete({})); // no way to ask counts as no
    EXPECT_EQ(body.ArticleCount(), 1u);
}

TEST(ClauseEditor, DeletingTheLastClauseMovesBackAndTheOnlyClauseBecomesBlank) {
    CBody body = MakeBody({2});
    const auto yes = [](std::string_view) { return true; };
    ClauseEditor editor(body, "doc", 0, 1, 1);
    ASSERT_TRUE(editor.Delete(yes));
    EXPECT_EQ(At(editor), Position(0, 0));
    EXPECT_EQ(editor.Fields().text, "0.0");
    ASSERT_TRUE(editor.Delete(yes));
    EXPECT_EQ(body.ClauseCount(0), 1u);
    EXPECT_EQ(body.Clause(0, 0), CPun{});
    EXPECT_EQ(At(editor), Position(0, 0));
}

TEST(ClauseEditor, DeletingArticles) {
    CBody body = MakeBody({2, 1, 3});
    const auto yes = [](std::string_view) { return true; };
    ClauseEditor editor(body, "doc", 2, 0, 0);
    ASSERT_TRUE(editor.Delete(yes)); // the last article: index moves back
    EXPECT_EQ(body.ArticleCount(), 2u);
    EXPECT_EQ(At(editor), Position(1, 0));
    EXPECT_EQ(editor.Fields().name, "A1");
    editor.Previous(editor.Fields());
    ASSERT_TRUE(editor.Delete(yes)); // the first: the next one takes its place
    EXPECT_EQ(body.ArticleCount(), 1u);
    EXPECT_EQ(editor.Fields().name, "A1");
    ASSERT_TRUE(editor.Delete(yes)); // the only one: replaced by a blank article
    ASSERT_EQ(body.ArticleCount(), 1u);
    EXPECT_EQ(body.Article(0).m_head, CPun{});
    ASSERT_EQ(body.ClauseCount(0), 1u);
    EXPECT_EQ(body.Clause(0, 0), CPun{});
}

} // namespace
