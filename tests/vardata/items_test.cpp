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

// The item dialog answering with these fields (nothing: "Отмена"), remembering its openings.
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

const VariableList::Confirm kYes = [](std::string_view) { return true; };

TEST(Item, WordKindAndSeparator) {
    const struct {
        const char *typed, *stored;
    } words[] = {{"  срок   поставки ", "срок поставки"},
                 {"цена", "цена"},
                 {"   ", ""},
                 {"a  b   c", "a b c"}};
    for (const auto &c : words)
        EXPECT_EQ(NormalizeCommandWord(c.typed), c.stored) << '"' << c.typed << '"';
    EXPECT_TRUE(IsSeparator(Item("", "-")));
    EXPECT_TRUE(IsSeparator(Item("x", "--- раздел")));
    EXPECT_FALSE(IsSeparator(Item("x", " -")));
    EXPECT_FALSE(IsSeparator(Item("x", "")));
    EXPECT_EQ(KindOf(Item("x", "", 3)), CalculatorInput);
    EXPECT_EQ(KindOf(Item("x", "", 9)), NormalInput); // a damaged kind reads as normal input

    // OK of the item dialog: the word normalised, the hint as typed, the value kept.
    CPun item = Item("срок", "Срок", CalendarInput, "06.12.2004");
    EXPECT_EQ(FieldsOf(item, false), (ItemFields{"срок", "Срок", CalendarInput}));
    EXPECT_EQ(FieldsOf(item, true), ItemFields{});
    StoreFields(item, {"  новый   срок", " подсказка  ", ListInput});
    EXPECT_EQ(item, Item("новый срок", " подсказка  ", ListInput, "06.12.2004"));
}

TEST(FindItem, FirstOfAWordWinsWithoutRegardToCase) {
    CBody body;
    body.m_parVariables.m_arItems = {Item("Цена"_w, "", 0, "1"), Item("цена"_w, "", 0, "2"),
                                     Item("срок"_w, "", 0, "3")};
    EXPECT_EQ(FindItem(body, "ЦЕНА"_w), 0u);
    EXPECT_EQ(FindItem(body, " срок "_w), 2u);
    EXPECT_EQ(FindItem(body, "нет"_w), std::nullopt);
}

TEST(VariableList, AddsAfterTheSelectedLineOrAtTheTop) {
    const ItemFields typed{" new ", "Hint", CalculatorInput};
    const struct {
        const char *name;
        int selected;
        std::optional<ItemFields> answer;
        std::vector<std::string> lines;
        int selection;
    } cases[] = {
        {"none selected", -1, typed, {"new", "w0", "w1"}, 0},
        {"first", 0, typed, {"w0", "new", "w1"}, 1},
        {"last", 1, typed, {"w0", "w1", "new"}, 2},
        {"cancelled: the new item goes again", 1, std::nullopt, {"w0", "w1"}, 1},
        {"a blank word is taken as it is", 0, ItemFields{"  ", "", 0}, {"w0", "", "w1"}, 1},
    };
    for (const auto &c : cases) {
        CBody body = BodyWith(2);
        VariableList list(body);
        EXPECT_EQ(list.Selection(), 0) << c.name;
        list.Select(c.selected);
        ItemDialog dialog{c.answer, {}};
        EXPECT_EQ(list.Add(dialog.Edit(), nullptr),
                  c.answer ? VariableList::Outcome::Done : VariableList::Outcome::Cancelled)
            << c.name;
        EXPECT_EQ(dialog.opened, (std::vector{std::make_pair(ItemFields{}, true)})) << c.name;
        EXPECT_EQ(list.Lines(), c.lines) << c.name;
        EXPECT_EQ(list.Selection(), c.selection) << c.name;
        EXPECT_EQ(list.Modified(), c.answer.has_value()) << c.name;
    }
}

TEST(VariableList, FiftyFirstItemIsRefusedWithTheMessage) {
    CBody body = BodyWith(49);
    VariableList list(body);
    std::string told;
    ItemDialog dialog{ItemFields{"x", "", 0}, {}};
    const auto inform = [&](std::string_view m) { told = m; };
    EXPECT_EQ(list.Add(dialog.Edit(), inform), VariableList::Outcome::Done); // the 50th
    EXPECT_EQ(list.Add(dialog.Edit(), inform), VariableList::Outcome::Refused);
    EXPECT_EQ(told, kTooManyItemsMessage);
    EXPECT_EQ(dialog.opened.size(), 1u);
    EXPECT_EQ(body.VariableCount(), 50u);
}

TEST(VariableList, ChangeKeepsValueAndSelection) {
    CBody body;
    body.m_parVariables.m_arItems = {Item("a"), Item("срок", "Срок", 0, "10 дней")};
    const CBody before = body;
    VariableList list(body);
    list.Select(1);
    ItemDialog cancel;
    EXPECT_EQ(list.Change(cancel.Edit()), VariableList::Outcome::Cancelled);
    EXPECT_EQ(body, before);
    EXPECT_FALSE(list.Modified());
    ItemDialog dialog{ItemFields{"срок", "Срок", CalendarInput}, {}};
    EXPECT_EQ(list.Change(dialog.Edit()), VariableList::Outcome::Done);
    EXPECT_EQ(dialog.opened[0], std::make_pair(ItemFields{"срок", "Срок", 0}, false));
    EXPECT_EQ(body.Variable(1), Item("срок", "Срок", CalendarInput, "10 дней"));
    EXPECT_EQ(list.Selection(), 1);
    EXPECT_TRUE(list.Modified());
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
    EXPECT_TRUE(list.CanEdit());
    EXPECT_EQ(list.Delete(kYes), VariableList::Outcome::Done);
    EXPECT_EQ(list.Selection(), -1);
    EXPECT_FALSE(list.CanEdit());
    // Nothing selected: "Изменить" and "Удалить" do nothing.
    ItemDialog dialog{ItemFields{"x", "", 0}, {}};
    EXPECT_EQ(list.Change(dialog.Edit()), VariableList::Outcome::Cancelled);
    EXPECT_EQ(list.Delete(kYes), VariableList::Outcome::Cancelled);
    EXPECT_TRUE(dialog.opened.empty());
}

} // namespace
} // namespace dravo::vardata
