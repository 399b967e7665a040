// The program's persistent settings: the "Settings" section of the program's settings store
// (QSettings under "DRAVO" / "ДРАВО Договор"), with the value names and defaults in one table.
#pragma once

#include <QString>

namespace dravo {

namespace setting {
inline constexpr char kShowToolbarText[] = "Show_ToolbarText";
inline constexpr char kShowToolbar[] = "Show_Toolbar";     // 1 = toolbar hidden
inline constexpr char kShowStatusbar[] = "Show_Statusbar"; // 1 = status bar hidden
inline constexpr char kMaximizeChildWindow[] = "Maximize_ChildWindow";
inline constexpr char kIsLocalTemplates[] = "IsLocalTemplates";
inline constexpr char kLocalPathTemplates[] = "LocalPathTemplates";
inline constexpr char kNetPathTemplates[] = "NetPathTemplates";
inline constexpr char kIsLocalDatabase[] = "IsLocalDatabase";
inline constexpr char kLocalPathDatabase[] = "LocalPathDatabase";
inline constexpr char kNetPathDatabase[] = "NetPathDatabase";
// The office database server, when the databases live on one: "postgresql://user@host:port/name"
// (never a password: that comes from ~/.pgpass or PGPASSWORD). Empty or missing: no server, the
// databases are the files under the database root.
inline constexpr char kDatabaseServer[] = "DatabaseServer";
// The folder of the word processor the user named when none was found.
inline constexpr char kWordFolder[] = "WordFolder";
} // namespace setting

class Settings {
  public:
    // A flag value; a missing value reads 0. When the section does not exist yet it is created
    // and the value written as 1 first.
    static int ReadFlagSetting(const char *name);
    static void WriteFlagSetting(int value, const char *name);
    // A path value; a missing value first gets its default written ("\\" for the net paths,
    // the program folder for the local paths, "yes" for the is-local values; other names get
    // nothing and read empty).
    static QString ReadPathSetting(const char *name);
    static void WritePathSetting(const char *name, const QString &text);

    // True when the value exists in the section.
    static bool Contains(const char *name);

    // The folder that stands for the program folder: the default of the local roots.
    static void SetProgramFolder(const QString &folder);
    static QString ProgramFolder();

    // The recent-file list (section "Recent File List", values File1..File7, newest first): no
    // menu shows it, but it is kept as the desktop's other programs keep theirs.
    static void AddRecentFile(const QString &path);
    static QStringList RecentFiles();
    static constexpr int kRecentFileCount = 7;

    // Writes pending changes to the store.
    static void Sync();
};

} // namespace dravo
