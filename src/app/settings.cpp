#include "app/settings.h"

#include <QSettings>
#include <QStandardPaths>
#include <cstring>

namespace dravo {

namespace {

const QString kSection = QStringLiteral("Settings");

QString &ProgramFolderValue() {
    static QString folder;
    return folder;
}

QString Key(const char *name) {
    return kSection + QLatin1Char('/') + QLatin1String(name);
}

bool SectionExists(QSettings &s) {
    return s.childGroups().contains(kSection);
}

} // namespace

int Settings::ReadFlagSetting(const char *name) {
    QSettings s;
    if (!SectionExists(s))
        s.setValue(Key(name), 1);
    return s.value(Key(name), 0).toInt();
}

void Settings::WriteFlagSetting(int value, const char *name) {
    QSettings s;
    s.setValue(Key(name), value);
}

QString Settings::ReadPathSetting(const char *name) {
    using namespace setting;
    QSettings s;
    const QString key = Key(name);
    if (!s.contains(key)) {
        QString def;
        bool known = true;
        if (!std::strcmp(name, kNetPathDatabase) || !std::strcmp(name, kNetPathTemplates))
            def = QStringLiteral("\\\\");
        else if (!std::strcmp(name, kLocalPathDatabase) || !std::strcmp(name, kLocalPathTemplates))
            def = ProgramFolder();
        else if (!std::strcmp(name, kIsLocalDatabase) || !std::strcmp(name, kIsLocalTemplates))
            def = QStringLiteral("yes");
        else
            known = false;
        if (!known)
            return {};
        s.setValue(key, def);
    }
    return s.value(key).toString();
}

void Settings::WritePathSetting(const char *name, const QString &text) {
    QSettings s;
    s.setValue(Key(name), text);
}

bool Settings::Contains(const char *name) {
    QSettings s;
    return s.contains(Key(name));
}

void Settings::SetProgramFolder(const QString &folder) {
    ProgramFolderValue() = folder;
}

QString Settings::ProgramFolder() {
    if (ProgramFolderValue().isEmpty())
        ProgramFolderValue() = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return ProgramFolderValue();
}

QStringList Settings::RecentFiles() {
    QSettings s;
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString f = s.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!f.isEmpty())
            files << f;
    }
    return files;
}

void Settings::AddRecentFile(const QString &path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    QSettings s;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QStringLiteral("Recent File List/File%1").arg(i);
        if (i <= files.size())
            s.setValue(key, files[i - 1]);
        else
            s.remove(key);
    }
}

void Settings::Sync() {
    QSettings s;
    s.sync();
}

} // namespace dravo
