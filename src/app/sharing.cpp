#include "app/sharing.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <mutex>

namespace dravo {

namespace {

const QString kMark = QStringLiteral("DRAVO");

// Shows each resource of parent to visit, then enumerates it in turn. A remote name met twice
// (one share reached by two ways) is shown once. False when parent's own enumeration cannot be
// opened.
bool Walk(NetworkProvider &provider, const NetworkResource *parent, QSet<QString> &seen,
          const std::function<void(const NetworkResource &)> &visit, int depth = 0) {
    // A network deeper than this is a loop of links, not a network.
    if (depth > 8)
        return false;
    QList<NetworkResource> children;
    if (!provider.Enumerate(parent, &children))
        return false;
    for (const NetworkResource &r : children) {
        const QString key = r.remoteName.toUpper();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        visit(r);
        if (r.container)
            Walk(provider, &r, seen, visit, depth + 1);
    }
    return true;
}

} // namespace

QString SharingComputerOf(const QString &remoteName) {
    if (!remoteName.toUpper().contains(kMark))
        return {};
    QString name = remoteName;
    while (name.startsWith(QLatin1Char('\\')))
        name.remove(0, 1);
    const int slash = name.indexOf(QLatin1Char('\\'));
    if (slash <= 0)
        return {};
    return name.left(slash);
}

SharingComputers CollectSharingComputers(NetworkProvider &provider) {
    SharingComputers out;
    QSet<QString> seen;
    out.networkAvailable = Walk(provider, nullptr, seen, [&out](const NetworkResource &r) {
        const QString computer = SharingComputerOf(r.remoteName);
        if (!computer.isEmpty())
            out.computers << computer;
    });
    return out;
}

bool NetworkAvailable(NetworkProvider &provider) {
    return provider.RootOpens();
}

bool SameComputer(const QString &a, const QString &b) {
    const auto bare = [](QString name) {
        if (name.endsWith(QLatin1String(".local"), Qt::CaseInsensitive))
            name.chop(6);
        return name;
    };
    return !a.isEmpty() && bare(a).compare(bare(b), Qt::CaseInsensitive) == 0;
}

QString ComputerListText(const QStringList &computers) {
    QString text;
    for (const QString &c : computers)
        text += c + QLatin1Char('~');
    return text;
}

// Mounted shares ------------------------------------------------------------------------------

namespace {

std::mutex g_sourcesMutex;
MountSources g_override;

// "\\server\share\folder" from "//server/share/folder"; empty when it names no share.
bool SplitSource(const QString &source, MountedShare *share) {
    QString s = source;
    s.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!s.startsWith(QStringLiteral("//")))
        return false;
    const QStringList parts = s.mid(2).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() < 2)
        return false;
    share->server = parts[0];
    share->share = parts[1];
    share->remoteName = QStringLiteral("\\\\") + parts.join(QLatin1Char('\\'));
    return true;
}

} // namespace

MountSources MountSources::Default() {
    MountSources s;
    s.mountTable = QStringLiteral("/proc/self/mounts");
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        s.gvfsFolder = runtime + QStringLiteral("/gvfs");
    return s;
}

void MountSources::Override(const MountSources &sources) {
    std::lock_guard lock(g_sourcesMutex);
    g_override = sources;
}

MountSources MountSources::Current() {
    MountSources s = Default();
    std::lock_guard lock(g_sourcesMutex);
    if (!g_override.mountTable.isEmpty())
        s.mountTable = g_override.mountTable;
    if (!g_override.gvfsFolder.isEmpty())
        s.gvfsFolder = g_override.gvfsFolder;
    return s;
}

QString DecodeMountField(const QByteArray &field) {
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3') {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += c;
    }
    return QString::fromUtf8(out);
}

QList<MountedShare> ReadMountedShares(const MountSources &sources) {
    QList<MountedShare> shares;
    QFile table(sources.mountTable);
    if (!sources.mountTable.isEmpty() && table.open(QIODevice::ReadOnly)) {
        // The kernel's table is a stream of unknown size: read it line by line.
        while (!table.atEnd()) {
            const QList<QByteArray> fields = table.readLine().trimmed().split(' ');
            if (fields.size() < 3)
                continue;
            const QByteArray type = fields[2];
            if (type != "cifs" && type != "smb3" && type != "smbfs")
                continue;
            MountedShare share;
            if (!SplitSource(DecodeMountField(fields[0]), &share))
                continue;
            share.mountPoint = DecodeMountField(fields[1]);
            shares << share;
        }
    }
    if (!sources.gvfsFolder.isEmpty()) {
        const QDir gvfs(sources.gvfsFolder);
        for (const QString &name : gvfs.entryList({QStringLiteral("smb-share:*")}, QDir::Dirs)) {
            // "smb-share:domain=D,server=S,share=N,user=U": the keys in any order.
            MountedShare share;
            for (const QString &pair : name.mid(name.indexOf(QLatin1Char(':')) + 1)
                                           .split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const int eq = pair.indexOf(QLatin1Char('='));
                if (eq <= 0)
                    continue;
                const QString key = pair.left(eq);
                const QString value = QUrl::fromPercentEncoding(pair.mid(eq + 1).toUtf8());
                if (key == QLatin1String("server"))
                    share.server = value;
                else if (key == QLatin1String("share"))
                    share.share = value;
            }
            if (share.server.isEmpty() || share.share.isEmpty())
                continue;
            share.remoteName =
                QStringLiteral("\\\\") + share.server + QLatin1Char('\\') + share.share;
            share.mountPoint = gvfs.filePath(name);
            shares << share;
        }
    }
    return shares;
}

bool MountedShareProvider::Enumerate(const NetworkResource *parent,
                                     QList<NetworkResource> *children) {
    if (parent)
        return false; // a share holds files, not network resources
    const QList<MountedShare> shares = ReadMountedShares(m_sources);
    for (const MountedShare &s : shares)
        *children << NetworkResource{s.remoteName, false, s.mountPoint, 0};
    return !shares.isEmpty();
}

// SMB browsing ---------------------------------------------------------------------------------

namespace {

// The layout of libsmbclient's directory entry.
struct smbc_dirent {
    unsigned int smbc_type;
    unsigned int dirlen;
    unsigned int commentlen;
    char *comment;
    unsigned int namelen;
    char name[1];
};
using AuthFn = void (*)(const char *, const char *, char *, int, char *, int, char *, int);
using NewContextFn = void *(*)();
using InitContextFn = void *(*)(void *);
using SetContextFn = void *(*)(void *);
using SetAuthFn = void (*)(void *, AuthFn);
using SetTimeoutFn = void (*)(void *, int);
using OpenDirFn = int (*)(const char *);
using ReadDirFn = smbc_dirent *(*)(unsigned int);
using CloseDirFn = int (*)(int);

constexpr unsigned kSmbWorkgroup = 1;
constexpr unsigned kSmbServer = 2;
constexpr unsigned kSmbFileShare = 3;

// No user name and password: the browsing is anonymous, as a guest.
void NoCredentials(const char *, const char *, char *, int, char *, int, char *, int) {}

std::shared_ptr<SmbApi> StartSmbClient() {
    static QLibrary library;
    library.setFileNameAndVersion(QStringLiteral("smbclient"), 0);
    if (!library.load())
        return nullptr;
    auto newContext = reinterpret_cast<NewContextFn>(library.resolve("smbc_new_context"));
    auto initContext = reinterpret_cast<InitContextFn>(library.resolve("smbc_init_context"));
    auto setContext = reinterpret_cast<SetContextFn>(library.resolve("smbc_set_context"));
    auto setAuth = reinterpret_cast<SetAuthFn>(library.resolve("smbc_setFunctionAuthData"));
    auto setTimeout = reinterpret_cast<SetTimeoutFn>(library.resolve("smbc_setTimeout"));
    auto openDir = reinterpret_cast<OpenDirFn>(library.resolve("smbc_opendir"));
    auto readDir = reinterpret_cast<ReadDirFn>(library.resolve("smbc_readdir"));
    auto closeDir = reinterpret_cast<CloseDirFn>(library.resolve("smbc_closedir"));
    if (!newContext || !initContext || !setContext || !setAuth || !openDir || !readDir || !closeDir)
        return nullptr;
    void *context = newContext();
    if (!context)
        return nullptr;
    setAuth(context, &NoCredentials);
    if (setTimeout)
        setTimeout(context, 5000); // a silent network must not hold the window long
    if (!initContext(context))
        return nullptr;
    setContext(context);
    auto api = std::make_shared<SmbApi>();
    api->openDir = [openDir](const QByteArray &url) { return openDir(url.constData()); };
    api->readDir = [readDir](int handle, SmbDirEntry *entry) {
        const smbc_dirent *d = readDir(static_cast<unsigned>(handle));
        if (!d)
            return false;
        entry->type = d->smbc_type;
        entry->name = QString::fromUtf8(d->name, qstrnlen(d->name, d->namelen ? d->namelen : 1024));
        return true;
    };
    api->closeDir = [closeDir](int handle) { closeDir(handle); };
    return api;
}

} // namespace

std::shared_ptr<SmbApi> LoadSmbClient() {
    static std::once_flag once;
    static std::shared_ptr<SmbApi> api;
    std::call_once(once, [] { api = StartSmbClient(); });
    return api;
}

bool SmbProvider::Enumerate(const NetworkResource *parent, QList<NetworkResource> *children) {
    if (!m_api)
        return false;
    const QString url = parent ? parent->locator : QStringLiteral("smb://");
    if (!url.startsWith(QStringLiteral("smb://")))
        return false;
    const int handle = m_api->openDir(url.toUtf8());
    if (handle < 0)
        return false;
    SmbDirEntry e;
    while (m_api->readDir(handle, &e)) {
        if (e.name.isEmpty() || e.name == QLatin1String(".") || e.name == QLatin1String(".."))
            continue;
        NetworkResource r;
        r.source = parent ? parent->source : 0;
        if (e.type == kSmbWorkgroup) {
            r.remoteName = e.name;
            r.container = true;
            r.locator = QStringLiteral("smb://") + e.name;
        } else if (e.type == kSmbServer) {
            r.remoteName = QStringLiteral("\\\\") + e.name;
            r.container = true;
            r.locator = QStringLiteral("smb://") + e.name;
        } else if (e.type == kSmbFileShare && parent) {
            // Hidden shares ("C$", "ADMIN$") are not offered by the network to its users.
            if (e.name.endsWith(QLatin1Char('$')))
                continue;
            const QString server = QString(parent->remoteName).remove(QLatin1Char('\\'));
            r.remoteName = QStringLiteral("\\\\") + server + QLatin1Char('\\') + e.name;
            r.locator = parent->locator + QLatin1Char('/') + e.name;
        } else {
            continue; // printers, IPC, files: nothing to choose
        }
        *children << r;
    }
    m_api->closeDir(handle);
    return true;
}

// Announced servers ------------------------------------------------------------------------------

QList<AnnouncedServer> ParseAnnouncedServers(const QByteArray &avahiOutput) {
    QList<AnnouncedServer> servers;
    for (const QByteArray &line : avahiOutput.split('\n')) {
        const QList<QByteArray> f = line.trimmed().split(';');
        if (f.size() < 9 || f[0] != "=" || f[4] != "_smb._tcp")
            continue;
        QString host = QString::fromUtf8(f[6]);
        if (host.endsWith(QLatin1String(".local")))
            host.chop(6);
        const QString address = QString::fromUtf8(f[7]);
        if (host.isEmpty() || address.isEmpty())
            continue;
        const bool ipv6 = f[2] == "IPv6";
        auto known = std::find_if(servers.begin(), servers.end(), [&](const AnnouncedServer &s) {
            return s.name.compare(host, Qt::CaseInsensitive) == 0;
        });
        if (known == servers.end())
            servers << AnnouncedServer{host, ipv6 ? QLatin1Char('[') + address + QLatin1Char(']')
                                                  : address};
        else if (!ipv6)
            known->address = address;
    }
    return servers;
}

namespace {

std::optional<QByteArray> RunAvahiBrowse() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("avahi-browse"));
    if (program.isEmpty())
        return std::nullopt;
    QProcess avahi;
    avahi.start(program, {QStringLiteral("--parsable"), QStringLiteral("--terminate"),
                          QStringLiteral("--resolve"), QStringLiteral("--no-db-lookup"),
                          QStringLiteral("_smb._tcp")});
    // The answers of a local network come within a second or two.
    if (!avahi.waitForFinished(4000)) {
        avahi.kill();
        avahi.waitForFinished(1000);
    }
    if (avahi.exitStatus() != QProcess::NormalExit || avahi.exitCode() != 0)
        return std::nullopt;
    return avahi.readAllStandardOutput();
}

} // namespace

AnnouncedServerProvider::AnnouncedServerProvider(std::shared_ptr<SmbApi> api, Finder finder)
    : m_smb(std::move(api)), m_finder(finder ? std::move(finder) : Finder(RunAvahiBrowse)) {}

bool AnnouncedServerProvider::Enumerate(const NetworkResource *parent,
                                        QList<NetworkResource> *children) {
    if (parent)
        return m_smb.Enumerate(parent, children);
    const std::optional<QByteArray> output = m_finder();
    if (!output)
        return false;
    for (const AnnouncedServer &s : ParseAnnouncedServers(*output))
        *children << NetworkResource{QStringLiteral("\\\\") + s.name, true,
                                     QStringLiteral("smb://") + s.address, 0};
    return true;
}

// Combined --------------------------------------------------------------------------------------

void CombinedProvider::Add(std::unique_ptr<NetworkProvider> provider) {
    m_providers.push_back(std::move(provider));
}

bool CombinedProvider::Enumerate(const NetworkResource *parent, QList<NetworkResource> *children) {
    if (parent) {
        const int index = parent->source;
        if (index < 0 || index >= int(m_providers.size()))
            return false;
        const qsizetype first = children->size();
        if (!m_providers[size_t(index)]->Enumerate(parent, children))
            return false;
        for (qsizetype i = first; i < children->size(); ++i)
            (*children)[i].source = index;
        return true;
    }
    bool opened = false;
    for (size_t i = 0; i < m_providers.size(); ++i) {
        QList<NetworkResource> roots;
        if (!m_providers[i]->Enumerate(nullptr, &roots))
            continue;
        opened = true;
        for (NetworkResource &r : roots) {
            r.source = int(i);
            *children << r;
        }
    }
    return opened;
}

bool CombinedProvider::RootOpens() {
    return std::any_of(m_providers.begin(), m_providers.end(),
                       [](const auto &p) { return p->RootOpens(); });
}

namespace {
NetworkFactory &Factory() {
    static NetworkFactory factory;
    return factory;
}
} // namespace

std::unique_ptr<NetworkProvider> LocalNetwork() {
    auto network = std::make_unique<CombinedProvider>();
    network->Add(std::make_unique<MountedShareProvider>(MountSources::Current()));
    if (auto smb = LoadSmbClient()) {
        network->Add(std::make_unique<SmbProvider>(smb));
        network->Add(std::make_unique<AnnouncedServerProvider>(smb));
    }
    return network;
}

void SetNetworkFactory(NetworkFactory factory) {
    Factory() = std::move(factory);
}

std::unique_ptr<NetworkProvider> MakeNetwork() {
    return Factory() ? Factory()() : LocalNetwork();
}

// Mounting -------------------------------------------------------------------------------------

namespace {

bool MountWithGio(const QString &server, const QString &share) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (program.isEmpty())
        return false;
    QProcess gio;
    // No terminal to answer from: a share that wants a password the desktop has not stored
    // fails at once instead of waiting for one.
    gio.setStandardInputFile(QProcess::nullDevice());
    gio.start(program, {QStringLiteral("mount"),
                        QStringLiteral("smb://") + server + QLatin1Char('/') + share});
    // A computer that is off the network is given up after a few seconds.
    if (!gio.waitForFinished(8000)) {
        gio.kill();
        gio.waitForFinished(1000);
        return false;
    }
    return gio.exitStatus() == QProcess::NormalExit && gio.exitCode() == 0;
}

ShareMounter &Mounter() {
    static ShareMounter mounter;
    return mounter;
}

} // namespace

void SetShareMounter(ShareMounter mounter) {
    Mounter() = std::move(mounter);
}

bool MountComputerShare(const QString &computer) {
    // The share "Dravo", then the shares with the mark that the network lists for the computer:
    // shares themselves ("\\server\share"), not folders below one, for that is what mounts.
    QStringList shares{QStringLiteral("Dravo")};
    QSet<QString> seen;
    Walk(*MakeNetwork(), nullptr, seen, [&](const NetworkResource &r) {
        const QStringList parts = r.remoteName.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
        if (!r.container && parts.size() == 2 && SameComputer(parts[0], computer) &&
            !SharingComputerOf(r.remoteName).isEmpty())
            shares << parts[1];
    });
    const QList<MountedShare> mounted = ReadMountedShares(MountSources::Current());
    QSet<QString> tried;
    for (const QString &share : shares) {
        if (tried.contains(share.toUpper()))
            continue;
        tried.insert(share.toUpper());
        const bool already = std::any_of(mounted.begin(), mounted.end(), [&](const auto &m) {
            return SameComputer(m.server, computer) &&
                   m.share.compare(share, Qt::CaseInsensitive) == 0;
        });
        if (already)
            continue;
        if (Mounter() ? Mounter()(computer, share) : MountWithGio(computer, share))
            return true;
    }
    return false;
}

} // namespace dravo
