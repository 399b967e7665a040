// The remembered value lists of the variable-data entry and the logic of their dialog "Список".
// The lists live in the user's lists body ("buff.dat"): each list is one article whose heading
// name is the list's name and whose items' texts are the elements, in the order they were added.
#pragma once

#include "core/body.h"
#include "core/text.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravo::vardata {

inline constexpr std::string_view kDeleteElementQuestion = "\n       Удалить элемент списка?"_w;
inline constexpr std::string_view kDestroyListQuestion =
    "         Уничтожить список и\n перейти к обычному вводу данных?"_w;

// The name of an item's list: its command word in lower case without blanks and digits, so that
// "товар1" and "товар 2" share the list "товар".
std::string ListKey(std::string_view commandWord);

// The list of that name in the lists body; nullptr when there is none.
CPar *FindList(CBody &lists, std::string_view name);
const CPar *FindList(const CBody &lists, std::string_view name);
// The elements of a list, in stored order.
std::vector<std::string> ListElements(const CPar &list);

// The text as the list dialog takes a value: trimmed, runs of blanks reduced to one.
std::string CleanListValue(std::string_view value);

// Ordering of the sorted list box: letters without regard to case, "ё" after "е".
bool ListOrder(std::string_view a, std::string_view b);

// What the list dialog ends with.
struct ListChoice {
    bool destroyed = false;            // the list was destroyed: the item becomes normal input
    std::optional<std::string> chosen; // the text chosen with OK; nothing for Cancel
};

// The dialog "Список" without its widget. Opening finds (or creates) the item's list and adds the
// item's value to it when new; that stays even when the dialog is cancelled.
class ValueListChooser {
  public:
    using Confirm = std::function<bool(std::string_view question)>;

    ValueListChooser(CBody &lists, std::string_view value, std::string_view commandWord);

    const std::string &Name() const { return m_name; }
    // The list box: the elements sorted.
    const std::vector<std::string> &Lines() const { return m_lines; }
    int Selection() const { return m_selection; }
    void Select(int line);
    // The information area under the list: the selected text.
    std::string InfoText() const;
    // "Удалить" is enabled only while a line is selected.
    bool CanDelete() const { return m_selection >= 0; }

    // "Удалить": removes the selected element from the stored list after the question.
    bool Delete(const Confirm &confirm);
    // "Очистить": after the question, removes the whole list from the store. True when it went;
    // the dialog then closes as with OK.
    bool Destroy(const Confirm &confirm);
    bool Destroyed() const { return m_destroyed; }

    // "OK" and a double click: the selected text, or Cancel's result when nothing is selected.
    ListChoice Accept() const;

    // The lists body was changed (a value added, an element deleted, the list destroyed).
    bool ListsChanged() const { return m_changed; }

  private:
    CPar *List();
    void Refill();

    CBody &m_lists;
    std::string m_name;
    std::vector<std::string> m_lines;
    int m_selection = -1;
    bool m_destroyed = false;
    bool m_changed = false;
};

} // namespace dravo::vardata
