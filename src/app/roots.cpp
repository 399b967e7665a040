#include "app/roots.h"

#include "app/settings.h"
#include "app/sharing.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace dravo {

namespace {

QString &TemplatesRootValue() {
    static QString root;
    return root;
}

QString &DatabaseRootValue() {
    static QString root;
    return root;
}

// The program's folder name on a network computer's share, under the share "Dravo".
const QString kShareFolder = QStringLiteral("ДРАВО Договор");

const QStringList kSkeletonFolders = {QStringLiteral("Data"), QStringLiteral("Templates"),
                                      QStringLiteral("Registers")};

} // namespace

QList<RootFallback> Roots::Resolve() {
    using namespace setting;
    QList<RootFallback> fallbacks;
    TemplatesRootValue() = ResolveOne(kIsLocalTemplates, kNetPathTemplates, kLocalPathTemplates,
                                      true, true, &fallbacks);
    DatabaseRootValue() =
        ResolveOne(kIsLocalDatabase, kNetPathDatabase, kLocalPathDatabase, false, true, &fallbacks);
    return fallbacks;
}

QList<RootFallback> Roots::FallBackUnreachable() {
    using namespace setting;
    QList<RootFallback> fallbacks;
    const auto check = [&](QString &root, const char *isLocal, const char *net, const char *local,
                           bool templates) {
        if (Settings::ReadPathSetting(isLocal) == QLatin1String("yes") || IsProgramCopy(root))
            return;
        root = ResolveOne(isLocal, net, local, templates, false, &fallbacks);
    };
    check(TemplatesRootValue(), kIsLocalTemplates, kNetPathTemplates, kLocalPathTemplates, true);
    check(DatabaseRootValue(), kIsLocalDatabase, kNetPathDatabase, kLocalPathDatabase, false);
    return fallbacks;
}

QString Roots::ResolveOne(const char *isLocalName, const char *netName, const char *localName,
                          bool templates, bool mount, QList<RootFallback> *fallbacks) {
    if (Settings::ReadPathSetting(isLocalName) == QLatin1String("yes"))
        return Settings::ReadPathSetting(localName);
    const QString computer = Settings::ReadPathSetting(netName);
    QString folder = NetworkCopyFolder(computer);
    if (mount && !folder.isEmpty() && !IsProgramCopy(folder) && MountComputerShare(computer))
        folder = NetworkCopyFolder(computer);
    if (!folder.isEmpty() && IsProgramCopy(folder))
        return folder;
    Settings::WritePathSetting(isLocalName, QStringLiteral("yes"));
    if (fallbacks)
        *fallbacks << RootFallback{templates, computer};
    return Settings::ReadPathSetting(localName);
}

QString Roots::NetworkCopyFolder(const QString &computer) {
    QString name = computer;
    while (name.startsWith(QLatin1Char('\\')) || name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
    // The computer's shares mounted here (the mount table, the desktop's network mounts): the
    // share "Dravo" first, then any other whose name carries the word; then the folder where
    // an administrator mounts it by convention, /mnt/<computer>/Dravo.
    QStringList candidates;
    QStringList others;
    for (const MountedShare &m : ReadMountedShares(MountSources::Current())) {
        if (!SameComputer(m.server, name) || SharingComputerOf(m.remoteName).isEmpty())
            continue;
        if (m.share.compare(QLatin1String("Dravo"), Qt::CaseInsensitive) == 0)
            candidates << m.mountPoint;
        else
            others << m.mountPoint;
    }
    candidates << others << QStringLiteral("/mnt/") + name + QStringLiteral("/Dravo");
    QString existing;
    for (const QString &share : candidates) {
        const QString folder = share + QLatin1Char('/') + kShareFolder;
        if (IsProgramCopy(folder))
            return folder;
        if (existing.isEmpty() && QFileInfo(folder).isDir())
            existing = folder;
    }
    return existing.isEmpty() ? candidates.last() + QLatin1Char('/') + kShareFolder : existing;
}

bool Roots::IsProgramCopy(const QString &folder) {
    return QFileInfo(folder + QStringLiteral("/Data")).isDir();
}

QString Roots::TemplatesRoot() {
    return TemplatesRootValue();
}
QString Roots::DatabaseRoot() {
    return DatabaseRootValue();
}
void Roots::SetTemplatesRoot(const QString &root) {
    TemplatesRootValue() = root;
}
void Roots::SetDatabaseRoot(const QString &root) {
    DatabaseRootValue() = root;
}

QString Roots::DataFile(const QString &fileName) {
    return TemplatesRoot() + QStringLiteral("/Data/") + fileName;
}

QString Roots::LibraryItemPath(const QString &name, int kind) {
    const QString trimmed = name.trimmed();
    switch (kind) {
    case 1:
    case 3:
        return TemplatesRoot() + QStringLiteral("/Templates/") + trimmed + QStringLiteral(".adf");
    case 2:
        return TemplatesRoot() + QStringLiteral("/Registers/") + trimmed + QStringLiteral(".adf");
    default:
        return TemplatesRoot();
    }
}

bool Roots::LibraryFileExists(const QString &name) {
    return QFileInfo::exists(LibraryItemPath(name, 3)) ||
           QFileInfo::exists(LibraryItemPath(name, 2));
}

QStringList InstallDataSkeleton(const QString &skeleton, const QString &dataFolder,
                                QStringList *errors) {
    QStringList copied;
    const QDir from(skeleton);
    for (const QString &sub : kSkeletonFolders) {
        const QString subFrom = from.filePath(sub);
        if (!QFileInfo(subFrom).isDir())
            continue;
        QDir().mkpath(dataFolder + QLatin1Char('/') + sub);
        QDirIterator it(subFrom, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString relative = from.relativeFilePath(source);
            const QString target = dataFolder + QLatin1Char('/') + relative;
            if (QFileInfo::exists(target))
                continue;
            QDir().mkpath(QFileInfo(target).absolutePath());
            if (QFile::copy(source, target)) {
                // Files shipped read-only must still be the user's to change.
                QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner |
                                                  QFile::ReadOwner);
                copied << relative;
            } else if (errors) {
                *errors << target;
            }
        }
    }
    return copied;
}

QString FindDataSkeleton() {
    QStringList candidates;
    const QString env = qEnvironmentVariable("DRAVO_SKELETON");
    if (!env.isEmpty())
        candidates << env;
    const QString exeDir = QCoreApplication::applicationDirPath();
    candidates << exeDir + QStringLiteral("/../share/dravo")
               << exeDir + QStringLiteral("/../../resources");
#ifdef DRAVO_BUILD_SKELETON
    candidates << QStringLiteral(DRAVO_BUILD_SKELETON);
#endif
    for (const QString &c : candidates) {
        for (const QString &sub : kSkeletonFolders)
            if (QFileInfo(c + QLatin1Char('/') + sub).isDir())
                return QDir(c).absolutePath();
    }
    return {};
}

} // namespace dravo
