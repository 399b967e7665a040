// The item record and the list dialog "Команды подстановки данных".
#include "vardata/items.h"

#include <gtest/gtest.h>

namespace dravo::vardata {
namespace {

CPun Item(std::string_view word, std::string_view hint = {}, int kind = 0,
          std::string_view value = {}) {
    CPun item;
    item.m_strName = word;
    item.m_strFont = hint;
    item.m_nType = std::uint16_t(kind);
    item.m_strText = value;
    return item;
}

CBody BodyWith(std::size_t count) {
    CBody body;
    for (std::size_t k = 0; k < count; ++k)
        body.m_parVariables.m_arItems.push_back(Item("w" + std::to_string(k)));
    return body;
}

// The item dialog confirming these fields, remembering what it was opened with.
struct ItemDialog {
    std::optional<ItemFields> answer;
    std::vector<std::pair<ItemFields, bool>> opened;
    VariableList::EditItem Edit() {
        return [this](const ItemFields &initial, bool isNew) {
            opened.emplace_back(initial, isNew);
            return answer;
        };
    }
};

TEST(CommandWord, IsTrimmedAndItsBlankRunsReduced) {
    const struct {
        const char *typed;
        const char *stored;
    } cases[] = {
        {"  срок   поставки ", "срок поставки"},
        {"цена", "цена"},
        {"   ", ""},
        {"", ""},
        {"a  b   c", "a b c"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(NormalizeCommandWord(c.typed), c.stored) << '"' << c.typed << '"';
}

TEST(Item, SeparatorAndKind) {
    EXPECT_TRUE(IsSeparator(Item("", "-")));
    EXPECT_TRUE(IsSeparator(Item("x", "--- раздел")));
    EXPECT_FALSE(IsSeparator(Item("x", " -")));
    EXPECT_FALSE(IsSeparator(Item("x", "")));
    EXPECT_EQ(KindOf(Item("x", "", 3)), CalculatorInput);
    EXPECT_EQ(KindOf(Item("x", "", 9)), NormalInput); // a damaged kind reads as normal input
}

TEST(Item, FieldsStoredKeepTheValue) {
    CPun item = Item("срок", "Срок", CalendarInput, "06.12.2004");
    item.m_nFontSize = 1;
    EXPECT_EQ(FieldsOf(item, false), (ItemFields{"срок", "Срок", CalendarInput}));
    EXPECT_EQ(FieldsOf(item, true), ItemFields{});
    StoreFields(item, {"  новый   срок", " подсказка  ", ListInput});
    EXPECT_EQ(item.m_strName, "новый срок");
    EXPECT_EQ(item.m_strFont, " подсказка  "); // the hint as typed
    EXPECT_EQ(item.m_nType, ListInput);
    EXPECT_EQ(item.m_strText, "06.12.2004");
}

TEST(FindItem, FirstOfAWordWinsWithoutRegardToCase) {
    CBody body;
    body.m_parVariables.m_arItems = {Item("Цена"_w, "", 0, "1"), Item("цена"_w, "", 0, "2"),
                                     Item("срок"_w, "", 0, "3")};
    EXPECT_EQ(FindItem(body, std::string("ЦЕНА"_w)), 0u);
    EXPECT_EQ(FindItem(body, std::string(" срок "_w)), 2u);
    EXPECT_EQ(FindItem(body, std::string("нет"_w)), std::nullopt);
}

TEST(VariableList, OpensOnTheFirstLine) {
    CBody empty;
    VariableList none(empty);
    EXPECT_EQ(none.Selection(), -1);
    EXPECT_FALSE(none.CanEdit());
    CBody body = BodyWith(3);
    VariableList list(body);
    EXPECT_EQ(list.Selection(), 0);
    EXPECT_TRUE(list.CanEdit());
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"w0", "w1", "w2"}));
}

TEST(VariableList, AddsAfterTheSelectedLineOrAtTheTop) {
    const struct {
        const char *name;
        int selected;
        std::vector<std::string> lines;
        int selection;
    } cases[] = {
        {"none selected", -1, {"new", "w0", "w1"}, 0},
        {"first", 0, {"w0", "new", "w1"}, 1},
        {"last", 1, {"w0", "w1", "new"}, 2},
    };
    for (const auto &c : cases) {
        CBody body = BodyWith(2);
        VariableList list(body);
        list.Select(c.selected);
        ItemDialog dialog{ItemFields{" new ", "Hint", CalculatorInput}, {}};
        EXPECT_EQ(list.Add(dialog.Edit(), nullptr), VariableList::Outcome::Done) << c.name;
        EXPECT_EQ(list.Lines(), c.lines) << c.name;
        EXPECT_EQ(list.Selection(), c.selection) << c.name;
        EXPECT_TRUE(list.Modified()) << c.name;
        ASSERT_EQ(dialog.opened.size(), 1u);
        EXPECT_EQ(dialog.opened[0], std::make_pair(ItemFields{}, true)) << c.name;
        EXPECT_EQ(body.Variable(std::uint16_t(c.selection)).m_nType, CalculatorInput);
    }
}

TEST(VariableList, CancelledNewItemIsRemoved) {
    CBody body = BodyWith(2);
    const CBody before = body;
    VariableList list(body);
    list.Select(1);
    ItemDialog dialog; // cancels
    EXPECT_EQ(list.Add(dialog.Edit(), nullptr), VariableList::Outcome::Cancelled);
    EXPECT_EQ(body, before);
    EXPECT_EQ(list.Selection(), 1);
    EXPECT_FALSE(list.Modified());
}

TEST(VariableList, FiftyFirstItemIsRefusedWithTheMessage) {
    CBody body = BodyWith(50);
    VariableList list(body);
    std::string told;
    ItemDialog dialog{ItemFields{"x", "", 0}, {}};
    EXPECT_EQ(list.Add(dialog.Edit(), [&](std::string_view m) { told = m; }),
              VariableList::Outcome::Refused);
    EXPECT_EQ(told, kTooManyItemsMessage);
    EXPECT_TRUE(dialog.opened.empty());
    EXPECT_EQ(body.VariableCount(), 50u);
    // The 50th is still welcome.
    CBody fortyNine = BodyWith(49);
    VariableList room(fortyNine);
    EXPECT_EQ(room.Add(dialog.Edit(), nullptr), VariableList::Outcome::Done);
    EXPECT_EQ(fortyNine.VariableCount(), 50u);
}

TEST(VariableList, ChangeKeepsValueAndSelection) {
    CBody body;
    body.m_parVariables.m_arItems = {Item("a"), Item("срок", "Срок", 0, "10 дней")};
    VariableList list(body);
    list.Select(1);
    ItemDialog dialog{ItemFields{"срок", "Срок", CalendarInput}, {}};
    EXPECT_EQ(list.Change(dialog.Edit()), VariableList::Outcome::Done);
    EXPECT_EQ(dialog.opened[0], std::make_pair(ItemFields{"срок", "Срок", 0}, false));
    EXPECT_EQ(body.Variable(1).m_nType, CalendarInput);
    EXPECT_EQ(body.Variable(1).m_strText, "10 дней");
    EXPECT_EQ(list.Selection(), 1);
    EXPECT_TRUE(list.Modified());

    ItemDialog cancel;
    CBody before = body;
    VariableList again(body);
    EXPECT_EQ(again.Change(cancel.Edit()), VariableList::Outcome::Cancelled);
    EXPECT_EQ(body, before);
    EXPECT_FALSE(again.Modified());
}

TEST(VariableList, DeleteAsksTheQuestionOfTheItemAndMovesTheSelection) {
    const struct {
        const char *name;
        int selected;
        bool yes;
        std::string_view question;
        std::vector<std::string> lines;
        int selection;
    } cases[] = {
        {"separator", 1, true, kDeleteSeparatorQuestion, {"a", "c"}, 1},
        {"command", 0, true, kDeleteItemQuestion, {"sep", "c"}, 0},
        {"last line", 2, true, kDeleteItemQuestion, {"a", "sep"}, 1},
        {"answered no", 2, false, kDeleteItemQuestion, {"a", "sep", "c"}, 2},
    };
    for (const auto &c : cases) {
        CBody body;
        body.m_parVariables.m_arItems = {Item("a"), Item("sep", "-"), Item("c")};
        VariableList list(body);
        list.Select(c.selected);
        std::string asked;
        list.Delete([&](std::string_view q) {
            asked = q;
            return c.yes;
        });
        EXPECT_EQ(asked, c.question) << c.name;
        EXPECT_EQ(list.Lines(), c.lines) << c.name;
        EXPECT_EQ(list.Selection(), c.selection) << c.name;
        EXPECT_EQ(list.Modified(), c.yes) << c.name;
    }
}

TEST(VariableList, DeletingTheOnlyItemDisablesEditing) {
    CBody body = BodyWith(1);
    VariableList list(body);
    EXPECT_EQ(list.Delete([](std::string_view) { return true; }), VariableList::Outcome::Done);
    EXPECT_EQ(body.VariableCount(), 0u);
    EXPECT_EQ(list.Selection(), -1);
    EXPECT_FALSE(list.CanEdit());
    // Nothing selected: "Изменить" and "Удалить" do nothing.
    ItemDialog dialog{ItemFields{"x", "", 0}, {}};
    EXPECT_EQ(list.Change(dialog.Edit()), VariableList::Outcome::Cancelled);
    EXPECT_EQ(list.Delete([](std::string_view) { return true; }), VariableList::Outcome::Cancelled);
}

TEST(VariableList, DuplicateAndEmptyWordsAreShown) {
    CBody body;
    VariableList list(body);
    ItemDialog blank{ItemFields{"   ", "", 0}, {}};
    ItemDialog twice{ItemFields{"цена", "", 0}, {}};
    list.Add(twice.Edit(), nullptr);
    list.Add(twice.Edit(), nullptr);
    list.Add(blank.Edit(), nullptr);
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"цена", "цена", ""}));
}

} // namespace
} // namespace dravo::vardata
