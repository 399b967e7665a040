#include "layout.h"

namespace dravo::library {

LibraryDialogLayout LayOutLibraryDialog(int systemFontPixels) {
    const bool large = systemFontPixels > 16;
    LibraryDialogLayout l;
    l.tree = large ? Box{15, 15, 500, 365} : Box{12, 12, 437, 295};
    const int margin = l.tree.left;
    l.description = {l.tree.left, l.tree.bottom + 10, l.tree.right, large ? 440 : 360};
    const int buttonWidth = large ? 110 : 90;
    const int buttonHeight = large ? 30 : 24;
    const int gap = large ? 8 : 6;
    int y = l.tree.top;
    for (int i = 0; i < 6; ++i) {
        if (i == 2)
            y += 2 * gap; // OK and "Отменить" apart from the editing buttons
        l.buttons[i] = {l.tree.right + margin, y, l.tree.right + margin + buttonWidth,
                        y + buttonHeight};
        y += buttonHeight + gap;
    }
    l.width = l.buttons[0].right + margin;
    l.height = l.description.bottom + margin;
    l.verdanaTree = !large;
    return l;
}

} // namespace dravo::library
