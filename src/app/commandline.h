// The program's command line: no argument opens a new template, a path opens that template, the
// print switches print it; the registration switches install or remove the desktop entry. Two
// hidden options serve the screenshots and the timing script.
#pragma once

#include <QString>
#include <QStringList>

namespace dravo {

struct CommandLine {
    enum Action { NewDocument, OpenFile, PrintFile, PrintFileTo, SavePdf, Register, Unregister };
    Action action = NewDocument;
    QString file;
    QString printer; // PrintFileTo
    QString output;  // SavePdf: the PDF file
    // Hidden: after the first page is shown, save a picture of the main window there and quit.
    QString grabFile;
    // Hidden: the toolbar captions for this run (screenshots), without touching the settings.
    int captions = -1; // -1 as stored, 0 off, 1 on
    // Hidden: print timing figures on standard output and quit.
    bool timing = false;
    // "/Embedding" or "/Automation": started for another program, so no tip of the day.
    bool embedded = false;
    QString error; // not empty when the arguments make no sense
};

// Parses the arguments after the program name. Switches start with "/" or "-" and are read
// without regard to letter case.
CommandLine ParseCommandLine(const QStringList &arguments);

} // namespace dravo
