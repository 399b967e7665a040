// The menu bars (128 while no document is open, 129 while one is), the toolbar and the accelerator
// table, as data: the main window builds its widgets from these tables.
#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

namespace dravo {

struct MenuItemLayout {
    int id = 0; // 0 = separator
    QString text;
};

struct MenuLayout {
    QString title;
    std::vector<MenuItemLayout> items;
};

using MenuBarLayout = std::vector<MenuLayout>;

const MenuBarLayout &MenuBar128();
const MenuBarLayout &MenuBar129();

// The text of the document menu's second item when it carries the other command.
QString OpenInWordText();     // "Открыть в Microsoft &Word"
QString OpenInExplorerText(); // "Открыть в Microsoft &Explorer"

struct ToolButtonSpec {
    int id;
    QString caption;
    QString icon; // resource path of the picture
};
const std::vector<ToolButtonSpec> &Toolbar128();

struct AcceleratorSpec {
    QKeySequence keys;
    int id;
};
const std::vector<AcceleratorSpec> &Accelerators128();

} // namespace dravo
