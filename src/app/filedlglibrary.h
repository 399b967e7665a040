// The file dialog library (libdravo20), bound by name at each use: loaded, its GetFilename
// looked up, called once, and freed again. Failures are told to the user and end the operation.
#pragma once

#include <QString>

class QWidget;

namespace dravo {

class FileDialogLibrary {
  public:
    // Kind 0 chooses a template, any other kind a text file. True with the chosen file's title
    // and full path; false when the library is missing or the dialog is cancelled.
    static bool GetFilename(QWidget *parent, int kind, const QString &folder, QString *title,
                            QString *path);

    // Test seam: the library's name or path instead of the shipped one (empty: the shipped one).
    static void setLibraryName(const QString &name);
    // Where the library was found at the last use (empty when it was not).
    static QString lastLoadedFile();
};

} // namespace dravo
