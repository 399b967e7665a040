// The remembered value lists and the dialog "Список".
#include "vardata/value_lists.h"

#include "core/user.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace dravo::vardata {
namespace {

const ValueListChooser::Confirm kYes = [](std::string_view) { return true; };
const ValueListChooser::Confirm kNo = [](std::string_view) { return false; };

std::string W(std::string_view utf8) {
    return FromUtf8(utf8);
}

TEST(ListKey, LowerCaseWithoutBlanksAndDigits) {
    const struct {
        const char *word;
        const char *key;
    } cases[] = {
        {"товар1", "товар"},    {"товар 2", "товар"}, {"Товар", "товар"},
        {"ЦЕНА 10 20", "цена"}, {"Ёлка", "ёлка"},     {"123", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ListKey(W(c.word)), W(c.key)) << c.word;
}

TEST(ValueListChooser, OpeningCreatesTheListAndAddsANewValue) {
    CBody lists = NewListsBody();
    {
        ValueListChooser chooser(lists, W("  склад   Покупателя "), W("место1"));
        EXPECT_EQ(chooser.Name(), W("место"));
        EXPECT_EQ(chooser.Lines(), std::vector<std::string>{W("склад Покупателя")});
        EXPECT_EQ(chooser.Selection(), 0);
        EXPECT_EQ(chooser.InfoText(), W("склад Покупателя"));
        EXPECT_TRUE(chooser.ListsChanged());
        // Cancelled: the value stays in the list.
    }
    ASSERT_EQ(lists.ArticleCount(), 1u);
    // Another item of the same key shares it; an empty value adds nothing; a known one
    // nothing again.
    for (const char *value : {"", "склад Покупателя"}) {
        ValueListChooser chooser(lists, W(value), W("Место 2"));
        EXPECT_EQ(chooser.Lines().size(), 1u) << value;
        EXPECT_FALSE(chooser.ListsChanged()) << value;
        EXPECT_EQ(chooser.Selection(), *value ? 0 : -1) << value;
        EXPECT_FALSE(chooser.CanDelete() && !*value);
    }
    ValueListChooser other(lists, W("офис"), W("цена"));
    EXPECT_EQ(lists.ArticleCount(), 2u);
}

TEST(ValueListChooser, LinesAreSortedAndTheValueSelected) {
    CBody lists = NewListsBody();
    for (const char *v : {"яблоко", "Груша", "ёж", "есть", "банан"})
        ValueListChooser(lists, W(v), W("плод"));
    ValueListChooser chooser(lists, W("ёж"), W("плод"));
    const std::vector<std::string> sorted = {W("банан"), W("Груша"), W("есть"), W("ёж"),
                                             W("яблоко")};
    EXPECT_EQ(chooser.Lines(), sorted);
    EXPECT_EQ(chooser.Selection(), 3);
    // Stored in the order they came.
    EXPECT_EQ(ListElements(*FindList(lists, W("плод"))).front(), W("яблоко"));
}

TEST(ValueListChooser, DeleteMovesTheSelection) {
    const struct {
        const char *name;
        std::vector<const char *> elements;
        int selected;
        int selection; // afterwards
        std::size_t left;
    } cases[] = {
        {"middle", {"a", "b", "c"}, 1, 1, 2},
        {"last", {"a", "b", "c"}, 2, 1, 2},
        {"only", {"a"}, 0, -1, 0},
    };
    for (const auto &c : cases) {
        CBody lists = NewListsBody();
        for (const char *e : c.elements)
            ValueListChooser(lists, e, "x");
        ValueListChooser chooser(lists, "", "x");
        chooser.Select(c.selected);
        EXPECT_FALSE(chooser.Delete(kNo)) << c.name;
        EXPECT_EQ(chooser.Lines().size(), c.elements.size());
        std::string asked;
        EXPECT_TRUE(chooser.Delete([&](std::string_view q) {
            asked = q;
            return true;
        })) << c.name;
        EXPECT_EQ(asked, kDeleteElementQuestion);
        EXPECT_EQ(chooser.Selection(), c.selection) << c.name;
        EXPECT_EQ(chooser.CanDelete(), c.selection >= 0) << c.name;
        EXPECT_EQ(FindList(lists, "x")->m_arItems.size(), c.left) << c.name;
    }
}

TEST(ValueListChooser, AcceptGivesTheSelectionOrCancels) {
    CBody lists = NewListsBody();
    ValueListChooser chooser(lists, "b", "x");
    ValueListChooser(lists, "a", "x");
    EXPECT_EQ(chooser.Accept().chosen, std::optional<std::string>("b"));
    chooser.Select(-1);
    EXPECT_EQ(chooser.Accept().chosen, std::nullopt);
    EXPECT_FALSE(chooser.Accept().destroyed);
}

TEST(ValueListChooser, DestroyRemovesTheWholeList) {
    CBody lists = NewListsBody();
    ValueListChooser(lists, "keep", "other");
    ValueListChooser chooser(lists, "a", "x");
    EXPECT_FALSE(chooser.Destroy(kNo));
    EXPECT_EQ(lists.ArticleCount(), 2u);
    std::string asked;
    EXPECT_TRUE(chooser.Destroy([&](std::string_view q) {
        asked = q;
        return true;
    }));
    EXPECT_EQ(asked, kDestroyListQuestion);
    EXPECT_EQ(FindList(lists, "x"), nullptr);
    EXPECT_NE(FindList(lists, "other"), nullptr);
    EXPECT_TRUE(chooser.Accept().destroyed);
    EXPECT_TRUE(chooser.Lines().empty());
}

TEST(ValueListChooser, ListsSurviveTheirFile) {
    CBody lists = NewListsBody();
    ValueListChooser(lists, W("склад"), W("место"));
    ValueListChooser(lists, W("офис"), W("место"));
    const auto path = std::filesystem::temp_directory_path() / "vardata_lists_test.dat";
    std::string error;
    { // the store writes only over an existing file
        std::FILE *f = std::fopen(path.string().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    ASSERT_TRUE(SaveLists(path.string(), lists, error)) << error;
    CBody loaded = NewListsBody();
    ASSERT_TRUE(LoadLists(path.string(), loaded, error)) << error;
    std::filesystem::remove(path);
    ValueListChooser chooser(loaded, "", W("место"));
    EXPECT_EQ(chooser.Lines(), (std::vector<std::string>{W("офис"), W("склад")}));
}

} // namespace
} // namespace dravo::vardata
