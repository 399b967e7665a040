// File dialogs of the program, with a test seam: a queued file name is taken instead of showing
// the dialog (an empty queued name stands for Cancel).
#pragma once

#include <QString>

class QWidget;

namespace dravo {

class FileDialog {
  public:
    static QString GetOpenFileName(QWidget *parent, const QString &caption, const QString &folder,
                                   const QString &filter);
    // With the overwrite prompt; defaultSuffix is added to a name typed without one.
    static QString GetSaveFileName(QWidget *parent, const QString &caption,
                                   const QString &initialPath, const QString &filter,
                                   const QString &defaultSuffix);

    // A folder; empty for Cancel. Takes a queued name like the file dialogs.
    static QString GetFolder(QWidget *parent, const QString &caption, const QString &folder);
    static void setNextFileName(const QString &path);
    static bool hasNextFileName();
};

} // namespace dravo
