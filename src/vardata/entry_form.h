// The entry form "Изменяемые данные" without its widget: the rows built from a template's items,
// the form's geometry for both font sizes, and what its buttons do to the items. The widget
// places its controls where FormGeometry says and forwards every click here.
#pragma once

#include "core/body.h"
#include "core/text.h"
#include "vardata/items.h"
#include "vardata/value_lists.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravo::vardata {

inline constexpr std::string_view kFormCaption = "Изменяемые данные            "_w;

// Control identifiers of the form.
enum FormControlId : int {
    kFieldIdBase = 1171,  // input field of row k: 1171 + k
    kLabelIdBase = 1221,  // hint of row k
    kButtonIdBase = 1271, // "..." of row k
    kOkId = 1,
    kCancelId = 2,
    kDefineId = 2006,
    kClearId = 777,
};

// Characters kept from an input field, and from a list item's field before its list opens.
inline constexpr std::size_t kFieldLimit = 255;
inline constexpr std::size_t kListFieldLimit = 1023;

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Rect &) const = default;
};

enum class RowKind { Separator, Normal, WithAid };

// Where the controls of one row stand; the rectangles a row kind lacks are empty.
struct RowGeometry {
    Rect line;   // a separator's sunken line
    Rect border; // the bordered box around the field
    Rect sunken; // the sunken box inside it
    Rect label;  // the hint, right-aligned
    Rect field;  // the input field
    Rect button; // "..."
};

// Large fonts: the dialog font is taller than 16 pixels.
inline bool LargeFonts(int characterHeight) {
    return characterHeight > 16;
}

struct FormGeometry {
    bool largeFonts = false;
    int fontHeight = 0; // of the "Verdana" control font
    int d = 0;          // field height
    int b = 0;          // top of the first row
    int rowStep = 0;
    int frameHeight = 0;
    int width = 0; // the window, frame and caption included
    int height = 0;
    // The client area inside the window: the frame with a margin of 10 all round, next to the
    // button column.
    int clientWidth = 0;
    int clientHeight = 0;
    Rect frame;
    Rect ok, cancel, define, clear;

    int RowTop(std::size_t k) const { return b + int(k) * rowStep; }
    RowGeometry Row(std::size_t k, RowKind kind) const;
};

FormGeometry MakeFormGeometry(std::size_t itemCount, bool largeFonts);

// One row of the form as it opens.
struct FormRow {
    RowKind kind = RowKind::Normal;
    std::string hint;
    std::string value;
};

RowKind RowKindOf(const CPun &item);

// The input aids behind "...", shown by the window; each returns nothing when cancelled.
struct InputAids {
    // "Ввод даты": the value and the date form in, the new text and form out.
    std::function<std::optional<std::pair<std::string, int>>(const std::string &value, int form)>
        date;
    // "Список": the value and the command word in.
    std::function<ListChoice(const std::string &value, const std::string &word)> list;
    // "Ввод числа": the value in, the result text out.
    std::function<std::optional<std::string>(const std::string &value)> number;
};

class EntryForm {
  public:
    // What "..." left behind.
    enum class AidOutcome { Unchanged, Changed, Reopen };

    // rememberedRow is the row whose field last had the focus; it outlives the form (the command
    // sets it to 0 and keeps it across reopenings).
    EntryForm(CBody &body, int &rememberedRow, bool largeFonts);

    const FormGeometry &Geometry() const { return m_geometry; }
    const std::vector<FormRow> &Rows() const { return m_rows; }
    RowGeometry RowPlace(std::size_t k) const { return m_geometry.Row(k, m_rows[k].kind); }

    // The row whose field takes the focus on opening: the remembered one when it has a field,
    // else the first field; -1 when no row has one.
    int FocusRow() const;
    // A field got the focus.
    void FieldFocused(int row);

    // "OK": every field's text becomes its item's value (a separator's becomes empty).
    void Accept(const std::vector<std::string> &fields);
    // "Очистить": the fields to show (all empty); nothing is stored. The first field takes the
    // focus (FocusRow afterwards).
    std::vector<std::string> Clear();
    // "Определить": stores the fields as "OK" does, before the list dialog opens.
    void StoreFields(const std::vector<std::string> &fields);
    // "..." of row k with the field's text: stores the text, runs the item's aid and gives the
    // new text of the field in shown.
    AidOutcome PressAid(std::size_t row, const std::string &fieldText, const InputAids &aids,
                        std::string &shown);

    // The items were changed (values stored through "..." or "Определить", a kind reset): even
    // a cancelled form leaves a document to be marked modified.
    bool Changed() const { return m_changed; }

  private:
    void Store(std::size_t row, std::string text, std::size_t limit);

    CBody &m_body;
    int &m_remembered;
    FormGeometry m_geometry;
    std::vector<FormRow> m_rows;
    bool m_changed = false;
};

} // namespace dravo::vardata
