// Where the library dialog puts its controls, in pixels of its client area, for the two sizes
// of the system font: the tree, the description under it, and the button column to the right.
#pragma once

namespace dravo::library {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct LibraryDialogLayout {
    int width = 0, height = 0; // the client area
    Box tree;
    Box description;
    Box buttons[6]; // OK, "Отменить", "Добавить", "Импорт...", "Удалить", "Изменить"
    bool verdanaTree = false; // the tree's own font (Verdana, 14 pixels) on ordinary screens
};

// systemFontPixels is the height of the system font; above 16 pixels the larger layout.
LibraryDialogLayout LayOutLibraryDialog(int systemFontPixels);

} // namespace dravo::library
