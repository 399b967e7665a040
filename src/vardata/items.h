// Variable-data items of a template: the data that changes from contract to contract. Each item
// is a CPun of the body's variables list: m_strName is the command word that the template text
// uses in braces, m_strText the value, m_strFont the hint shown in the entry form, m_nType the
// input kind and, for a calendar item, m_nFontSize the date form last chosen.
// This file holds the item record's rules and the logic of the list dialog
// "Команды подстановки данных"; the widgets only show it.
#pragma once

#include "core/body.h"
#include "core/text.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravo::vardata {

enum VariableKind : int {
    NormalInput = 0,     // "Обычный ввод данных"
    CalendarInput = 1,   // "Календарь"
    ListInput = 2,       // "Список "
    CalculatorInput = 3, // "Калькулятор"
};
inline constexpr int kVariableKindCount = 4;

inline constexpr std::size_t kMaxItems = kMaxVariables; // 50

inline constexpr std::string_view kTooManyItemsMessage =
    "Должно быть не более 50-ти команд подстановки"_w;
inline constexpr std::string_view kDeleteSeparatorQuestion = "\n          Удалить разделитель?"_w;
inline constexpr std::string_view kDeleteItemQuestion = "\n    Удалить команду подстановки?"_w;

// A hint that begins with "-" makes the item a separator: a line in the form, no input.
bool IsSeparator(const CPun &item);
// The item's kind as the form uses it: a stored kind outside 0..3 reads as normal input.
int KindOf(const CPun &item);

// The command word as stored: outer blanks trimmed, every run of blanks reduced to one.
std::string NormalizeCommandWord(std::string_view word);

// The first item whose command word equals word without regard to letter case (the one that
// substitution uses); word is trimmed as a command in braces is.
std::optional<std::size_t> FindItem(const CBody &body, std::string_view word);

// What the item dialog "Описание изменяемых данных" shows and gives back.
struct ItemFields {
    std::string word; // "Команда подстановки"
    std::string hint; // "Подсказка"
    int kind = NormalInput;

    bool operator==(const ItemFields &) const = default;
};

// The fields of an item: blanks and normal input for a new one.
ItemFields FieldsOf(const CPun &item, bool isNew);
// "OK" of the item dialog: the word normalised, the hint as typed, the kind; the value is kept.
void StoreFields(CPun &item, const ItemFields &fields);

// The list dialog "Команды подстановки данных" without its widget. Changes go to the body as
// they are made; OK and Cancel only close.
class VariableList {
  public:
    // Shows the item dialog on initial; nothing when it is cancelled.
    using EditItem =
        std::function<std::optional<ItemFields>(const ItemFields &initial, bool isNew)>;
    using Confirm = std::function<bool(std::string_view question)>;
    using Inform = std::function<void(std::string_view message)>;

    enum class Outcome { Done, Refused, Cancelled };

    explicit VariableList(CBody &body);

    // The command words, in list order (duplicates and empty words shown as they are).
    std::vector<std::string> Lines() const;
    // The selected line; -1 when none.
    int Selection() const { return m_selection; }
    void Select(int line);
    // "Удалить" and "Изменить" are enabled while the list has lines.
    bool CanEdit() const { return m_body.VariableCount() > 0; }

    // "Добавить": a new item after the selected line (at the top when none is selected).
    Outcome Add(const EditItem &edit, const Inform &inform);
    // "Изменить" and a double click.
    Outcome Change(const EditItem &edit);
    // "Удалить", after the separator or command question.
    Outcome Delete(const Confirm &confirm);

    // The template was changed through the dialog.
    bool Modified() const { return m_modified; }

  private:
    std::vector<CPun> &Items() { return m_body.m_parVariables.m_arItems; }

    CBody &m_body;
    int m_selection = -1;
    bool m_modified = false;
};

} // namespace dravo::vardata
