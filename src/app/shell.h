// Program-wide state shared by the main window, the views and the commands.
#pragma once

#include "core/body.h"

#include <QStringList>

namespace dravo {

struct ShellState {
    // Kind of the document whose view was activated last; drives menu enabling.
    int activeKind = 1;
    // Variable fragments are coloured on the page while this is on.
    bool highlightVariable = true;
    // Print preview is offered (always, with Qt's own preview).
    bool previewAvailable = true;
    // Installed font families, collected once at start-up, for the font dialogs.
    QStringList fontFaceList;
    // The value lists of the variable-data entry ("buff.dat"), loaded at start, saved at exit.
    CBody lists;
    // Number of the next new template's title ("Договор N").
    int nextNewNumber = 1;
};

ShellState &Shell();

} // namespace dravo
