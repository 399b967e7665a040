// The two root folders of the program's data: TemplatesRoot (the Data folder, Templates and
// Registers) and DatabaseRoot (whose Data folder holds the shared database), resolved from the
// settings at start-up and after the network settings change.
#pragma once

#include <QString>
#include <QStringList>

namespace dravo {

// A root that was to be on a network computer and fell back to this computer's.
struct RootFallback {
    bool templates = true; // else the database root
    QString computer;
    bool operator==(const RootFallback &) const = default;
};

class Roots {
  public:
    // Resolves both roots from the settings. A network computer whose share is not mounted here
    // has it mounted the desktop's way first (MountComputerShare). A network computer whose copy
    // still cannot be reached falls back to the local root, and its is-local value is switched
    // back to "yes"; the fallbacks are returned.
    static QList<RootFallback> Resolve();
    // The roots on network computers checked again while the program runs: one whose copy can
    // no longer be reached (the computer left the network, its share was unmounted) falls back
    // as in Resolve, without trying to mount anything. Local roots are not touched.
    static QList<RootFallback> FallBackUnreachable();

    static QString TemplatesRoot();
    static QString DatabaseRoot();
    // For tests and for the network dialog.
    static void SetTemplatesRoot(const QString &root);
    static void SetDatabaseRoot(const QString &root);

    // TemplatesRoot + "/Data/" + file name.
    static QString DataFile(const QString &fileName);

    // A library file: kinds 1 and 3 give Templates/<name>.adf, kind 2 Registers/<name>.adf,
    // any other kind the root alone. The name is trimmed first.
    static QString LibraryItemPath(const QString &name, int kind);
    // True when the template path or, failing that, the journal path names an existing file.
    static bool LibraryFileExists(const QString &name);

    // Where the copy of the program's data that a network computer shares is reached on this
    // system (its share mounted by the desktop or in the mount table, or /mnt/<computer>/Dravo),
    // or empty when the computer name names no computer. The one place that knows the mapping
    // of a network share to a local path.
    static QString NetworkCopyFolder(const QString &computer);
    // True when folder holds a copy of the program's data.
    static bool IsProgramCopy(const QString &folder);

  private:
    static QString ResolveOne(const char *isLocalName, const char *netName, const char *localName,
                              bool templates, bool mount, QList<RootFallback> *fallbacks);
};

// Copies the data skeleton (Data, Templates, Registers) into the data folder, file by file, never
// replacing a file that is there already. Returns the files copied; a file that cannot be copied
// is named in errors.
QStringList InstallDataSkeleton(const QString &skeleton, const QString &dataFolder,
                                QStringList *errors);

// The data skeleton shipped with the program: $DRAVO_SKELETON, the share folder of an installed
// program, or the build tree's resources folder. Empty when none is found.
QString FindDataSkeleton();

} // namespace dravo
