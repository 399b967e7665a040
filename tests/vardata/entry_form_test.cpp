// The entry form "Изменяемые данные": geometry, rows and what its buttons do to the items.
#include "vardata/entry_form.h"

#include <gtest/gtest.h>

namespace dravo::vardata {
namespace {

CPun Item(std::string_view word, std::string_view hint, int kind, std::string_view value = {}) {
    CPun item;
    item.m_strName = word;
    item.m_strFont = hint;
    item.m_nType = std::uint16_t(kind);
    item.m_strText = value;
    return item;
}

// Normal, separator, calendar, list, calculator.
CBody Sample() {
    CBody body;
    body.m_parVariables.m_arItems = {
        Item("адрес", "Адрес", NormalInput, "Тверь"), Item("", "-", NormalInput, "stale"),
        Item("срок", "Срок", CalendarInput, "06.12.2004"),
        Item("товар1", "Товар", ListInput, "стол"), Item("цена", "Цена", CalculatorInput, "10")};
    return body;
}

std::vector<std::string> Values(const CBody &body) {
    std::vector<std::string> out;
    for (const CPun &item : body.m_parVariables.m_arItems)
        out.push_back(item.m_strText);
    return out;
}

TEST(FormGeometry, FrameAndWindowFollowTheItemCount) {
    const struct {
        std::size_t items;
        bool large;
        int frame;
    } cases[] = {
        {0, false, 114}, {3, false, 114}, {4, false, 114},
        {5, false, 137}, {6, false, 160}, {50, false, 19 + 50 * 23 + 3},
        {0, true, 134},  {3, true, 134},  {4, true, 134},
        {5, true, 164},  {6, true, 192},
    };
    for (const auto &c : cases) {
        const FormGeometry g = MakeFormGeometry(c.items, c.large);
        EXPECT_EQ(g.frameHeight, c.frame) << c.items << (c.large ? " large" : " normal");
        EXPECT_EQ(g.frame, (Rect{10, 10, 530, c.frame}));
        EXPECT_EQ(g.width, 670);
        EXPECT_EQ(g.height, c.frame + (c.large ? 52 : 48));
        // The button column fits inside the client area.
        EXPECT_GE(g.clientHeight, g.clear.y + g.clear.height + 10);
    }
}

TEST(FormGeometry, FontRowsAndButtonsOfBothFontSizes) {
    const struct {
        bool large;
        int font, d, b, step;
        int cancelY, defineY, clearY;
    } cases[] = {
        {false, 13, 17, 19, 23, 38, 73, 101},
        {true, 15, 22, 24, 28, 43, 83, 116},
    };
    for (const auto &c : cases) {
        const FormGeometry g = MakeFormGeometry(6, c.large);
        EXPECT_EQ(g.fontHeight, c.font);
        EXPECT_EQ(g.d, c.d);
        EXPECT_EQ(g.b, c.b);
        EXPECT_EQ(g.rowStep, c.step);
        EXPECT_EQ(g.ok, (Rect{550, 10, 100, c.d + 6}));
        EXPECT_EQ(g.cancel, (Rect{550, c.cancelY, 100, c.d + 6}));
        EXPECT_EQ(g.define, (Rect{550, c.defineY, 100, c.d + 6}));
        EXPECT_EQ(g.clear, (Rect{550, c.clearY, 100, c.d + 6}));
    }
    EXPECT_FALSE(LargeFonts(16));
    EXPECT_TRUE(LargeFonts(17));
}

TEST(FormGeometry, RowsOfEachKind) {
    const FormGeometry g = MakeFormGeometry(6, false); // d 17, b 19, step 23
    const int y = 19 + 2 * 23;
    const RowGeometry normal = g.Row(2, RowKind::Normal);
    EXPECT_EQ(normal.border, (Rect{300, y - 2, 228, 21}));
    EXPECT_EQ(normal.sunken, (Rect{302, y, 226, 19}));
    EXPECT_EQ(normal.label, (Rect{16, y, 280, 13}));
    EXPECT_EQ(normal.field, (Rect{302, y, 224, 17}));
    EXPECT_EQ(normal.button, Rect{});
    const RowGeometry aid = g.Row(2, RowKind::WithAid);
    EXPECT_EQ(aid.border, (Rect{300, y - 2, 204, 21}));
    EXPECT_EQ(aid.sunken, (Rect{302, y, 202, 19}));
    EXPECT_EQ(aid.field, (Rect{302, y, 200, 17}));
    EXPECT_EQ(aid.button, (Rect{504, y - 2, 24, 21}));
    const RowGeometry line = g.Row(2, RowKind::Separator);
    EXPECT_EQ(line.line, (Rect{20, y + 8, 508, 2}));
    EXPECT_EQ(line.field, Rect{});
    EXPECT_EQ(MakeFormGeometry(6, true).Row(0, RowKind::Separator).line, (Rect{20, 34, 508, 2}));
}

TEST(EntryForm, RowsFromTheItems) {
    CBody body = Sample();
    int remembered = 0;
    EntryForm form(body, remembered, false);
    ASSERT_EQ(form.Rows().size(), 5u);
    const RowKind kinds[] = {RowKind::Normal, RowKind::Separator, RowKind::WithAid,
                             RowKind::WithAid, RowKind::WithAid};
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_EQ(form.Rows()[k].kind, kinds[k]) << k;
    EXPECT_EQ(form.Rows()[0].value, "Тверь");
    EXPECT_EQ(form.Rows()[1].value, ""); // a separator shows no field
    EXPECT_EQ(form.Geometry().frameHeight, 137);
}

TEST(EntryForm, OkStoresEveryFieldAndEmptiesSeparators) {
    CBody body = Sample();
    int remembered = 0;
    EntryForm form(body, remembered, false);
    form.Accept({"Москва", "x", "01.01.2005", "стул", "20"});
    EXPECT_EQ(Values(body), (std::vector<std::string>{"Москва", "", "01.01.2005", "стул", "20"}));
    EXPECT_TRUE(form.Changed());
}

TEST(EntryForm, LongTextsAreCutWhenRead) {
    const std::string huge(10000, 'x');
    CBody body = Sample();
    int remembered = 0;
    EntryForm form(body, remembered, false);
    form.Accept({huge, "", huge, huge, huge});
    for (std::size_t k : {0u, 2u, 3u, 4u})
        EXPECT_EQ(body.Variable(std::uint16_t(k)).m_strText.size(), kFieldLimit) << k;

    // Before its list opens a list item keeps up to 1023 characters.
    std::string listGot;
    InputAids aids;
    aids.list = [&](const std::string &value, const std::string &) {
        listGot = value;
        return ListChoice{};
    };
    std::string shown;
    form.PressAid(3, huge, aids, shown);
    EXPECT_EQ(listGot.size(), kListFieldLimit);
    EXPECT_EQ(shown.size(), kListFieldLimit);
}

TEST(EntryForm, ClearThenCancelKeepsTheValues) {
    CBody body = Sample();
    const CBody before = body;
    int remembered = 3;
    EntryForm form(body, remembered, false);
    EXPECT_EQ(form.Clear(), std::vector<std::string>(5));
    EXPECT_EQ(form.FocusRow(), 0);
    // "Отмена": nothing is read from the fields.
    EXPECT_EQ(body, before);
    EXPECT_FALSE(form.Changed());
}

TEST(EntryForm, FocusGoesToTheRememberedRowWithAField) {
    CBody body = Sample();
    const struct {
        int remembered;
        int focus;
    } cases[] = {{0, 0}, {3, 3}, {1, 0}, {40, 0}, {-1, 0}};
    for (const auto &c : cases) {
        int remembered = c.remembered;
        EntryForm form(body, remembered, false);
        EXPECT_EQ(form.FocusRow(), c.focus) << c.remembered;
    }
    CBody empty;
    int remembered = 0;
    EntryForm none(empty, remembered, true);
    EXPECT_EQ(none.FocusRow(), -1);
    EXPECT_EQ(none.Geometry().frameHeight, 134);

    int shared = 0;
    EntryForm form(body, shared, false);
    form.FieldFocused(4);
    EXPECT_EQ(shared, 4);
    EntryForm reopened(body, shared, false);
    EXPECT_EQ(reopened.FocusRow(), 4);
}

// "..." of each kind: the field's text is stored first, then the aid's answer.
TEST(EntryForm, InputAidsStoreTheFieldThenTheirAnswer) {
    const struct {
        const char *name;
        std::size_t row;
        bool answers;
        EntryForm::AidOutcome outcome;
        const char *opened; // what the aid was given
        const char *value;  // the item's value afterwards
    } cases[] = {
        {"calendar", 2, true, EntryForm::AidOutcome::Changed, "typed", "06 декабря 2004"},
        {"calendar cancelled", 2, false, EntryForm::AidOutcome::Unchanged, "typed", "typed"},
        {"list", 3, true, EntryForm::AidOutcome::Changed, "typed", "шкаф"},
        {"list cancelled", 3, false, EntryForm::AidOutcome::Unchanged, "typed", "typed"},
        {"calculator", 4, true, EntryForm::AidOutcome::Changed, "typed", "3"},
        {"calculator cancelled", 4, false, EntryForm::AidOutcome::Unchanged, "typed", "typed"},
        {"normal input has none", 0, true, EntryForm::AidOutcome::Unchanged, "", "Тверь"},
    };
    for (const auto &c : cases) {
        CBody body = Sample();
        int remembered = 0;
        EntryForm form(body, remembered, false);
        std::string opened, word;
        int openedForm = -1;
        InputAids aids;
        aids.date = [&](const std::string &value,
                        int f) -> std::optional<std::pair<std::string, int>> {
            opened = value;
            openedForm = f;
            return c.answers ? std::make_optional(std::make_pair(std::string(c.value), 1))
                             : std::nullopt;
        };
        aids.list = [&](const std::string &value, const std::string &w) {
            opened = value;
            word = w;
            return c.answers ? ListChoice{false, std::string(c.value)} : ListChoice{};
        };
        aids.number = [&](const std::string &value) -> std::optional<std::string> {
            opened = value;
            return c.answers ? std::make_optional(std::string(c.value)) : std::nullopt;
        };
        std::string shown;
        EXPECT_EQ(form.PressAid(c.row, "typed", aids, shown), c.outcome) << c.name;
        EXPECT_EQ(opened, c.opened) << c.name;
        EXPECT_EQ(body.Variable(std::uint16_t(c.row)).m_strText, c.value) << c.name;
        EXPECT_EQ(shown, c.row == 0 ? "typed" : c.value) << c.name;
        // Even a cancelled aid leaves the field's text stored: the form's Cancel then still
        // leaves a changed document.
        EXPECT_EQ(form.Changed(), c.row != 0) << c.name;
        if (c.row == 2) {
            EXPECT_EQ(openedForm, 0);
            EXPECT_EQ(body.Variable(2).m_nFontSize, c.answers ? 1 : 0);
        }
        if (c.row == 3) {
            EXPECT_EQ(word, "товар1");
        }
    }
}

TEST(EntryForm, DestroyedListTurnsTheItemIntoNormalInput) {
    CBody body = Sample();
    int remembered = 0;
    std::string shown;
    InputAids aids;
    aids.list = [](const std::string &, const std::string &) { return ListChoice{true, {}}; };
    {
        EntryForm form(body, remembered, false);
        EXPECT_EQ(form.PressAid(3, "стол", aids, shown), EntryForm::AidOutcome::Reopen);
    }
    EXPECT_EQ(body.Variable(3).m_nType, NormalInput);
    EXPECT_EQ(body.Variable(3).m_strText, "стол");
    EntryForm reopened(body, remembered, false);
    EXPECT_EQ(reopened.Rows()[3].kind, RowKind::Normal);
    EXPECT_EQ(reopened.RowPlace(3).button, Rect{});
    EXPECT_EQ(reopened.FocusRow(), 3);
}

} // namespace
} // namespace dravo::vardata
