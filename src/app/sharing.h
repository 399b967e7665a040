// Finding the computers of the local network that share the program's folder: the shares this
// computer has mounted already (the mount table and the desktop's network mounts) and, where
// libsmbclient is installed, the browsing of the SMB network. The walk itself only sees a
// NetworkProvider, so tests give it a network of their own.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace dravo {

// One resource the enumeration meets: a workgroup, a server ("\\SERVER") or a share
// ("\\SERVER\share"), as its remote name reads.
struct NetworkResource {
    QString remoteName;
    bool container = false; // holds resources of its own (workgroups, servers)
    QString locator;        // where the provider finds it again (an smb:// address)
    int source = 0;         // which provider of a combined network made it
};

class NetworkProvider {
  public:
    virtual ~NetworkProvider() = default;
    // The resources inside parent (nullptr: the network's root). False when that enumeration
    // cannot be opened.
    virtual bool Enumerate(const NetworkResource *parent, QList<NetworkResource> *children) = 0;
    // Whether the root's enumeration opens.
    virtual bool RootOpens() {
        QList<NetworkResource> roots;
        return Enumerate(nullptr, &roots);
    }
};

struct SharingComputers {
    // Computer names in enumeration order; a computer with several qualifying shares occurs
    // once for each.
    QStringList computers;
    // The network's root could be opened.
    bool networkAvailable = false;
};

// The computer of a remote name that qualifies (upper-cased it contains "DRAVO", and after its
// leading backslashes a backslash still follows the computer's name), else empty.
QString SharingComputerOf(const QString &remoteName);

// Walks the network from its root: every resource is examined, then enumerated in turn; a
// branch that cannot be opened ends silently. A remote name met twice (one share reached by two
// ways) is examined once.
SharingComputers CollectSharingComputers(NetworkProvider &provider);
// Only opens the root: whether there is a network to choose from.
bool NetworkAvailable(NetworkProvider &provider);

// True when two names name one computer: letter case aside, and with or without the ".local" of
// the names computers announce themselves by.
bool SameComputer(const QString &a, const QString &b);

// The list as one text: each name followed by "~".
QString ComputerListText(const QStringList &computers);

// A network share mounted on this computer.
struct MountedShare {
    QString server;
    QString share;      // the share's name, without any folder below it
    QString remoteName; // "\\server\share[\folder...]"
    QString mountPoint; // where its files are reached here
};

// Where the mounted shares are read from: the mount table (cifs, smb3, smbfs file systems with
// sources "//server/share") and the folder of the desktop's network mounts (gvfs folders
// "smb-share:server=X,share=Y"). Tests point both at files of their own.
struct MountSources {
    QString mountTable; // default /proc/self/mounts
    QString gvfsFolder; // default $XDG_RUNTIME_DIR/gvfs
    static MountSources Default();
    // Replaces the sources the program uses (empty fields: the defaults again).
    static void Override(const MountSources &sources);
    // The sources in force.
    static MountSources Current();
};

QList<MountedShare> ReadMountedShares(const MountSources &sources);

// A line of the mount table decoded ("\040" and the other octal escapes).
QString DecodeMountField(const QByteArray &field);

// The functions of libsmbclient the browsing needs, bound by name at run time.
struct SmbDirEntry {
    unsigned type = 0; // 1 workgroup, 2 server, 3 file share, 4.. printers, IPC, folders
    QString name;
};
struct SmbApi {
    std::function<int(const QByteArray &url)> openDir;           // a handle, < 0 on failure
    std::function<bool(int handle, SmbDirEntry *entry)> readDir; // false at the end
    std::function<void(int handle)> closeDir;
};
// libsmbclient ("libsmbclient.so.0") when it is installed and starts, else nothing.
std::shared_ptr<SmbApi> LoadSmbClient();

// The shares mounted here, as resources at the root.
class MountedShareProvider : public NetworkProvider {
  public:
    explicit MountedShareProvider(MountSources sources) : m_sources(std::move(sources)) {}
    // The root opens when at least one network share is mounted.
    bool Enumerate(const NetworkResource *parent, QList<NetworkResource> *children) override;

  private:
    MountSources m_sources;
};

// SMB browsing: smb:// gives the workgroups, a workgroup its servers, a server its shares.
class SmbProvider : public NetworkProvider {
  public:
    explicit SmbProvider(std::shared_ptr<SmbApi> api) : m_api(std::move(api)) {}
    bool Enumerate(const NetworkResource *parent, QList<NetworkResource> *children) override;

  private:
    std::shared_ptr<SmbApi> m_api;
};

// The SMB servers that announce themselves on the local network (DNS-SD, service "_smb._tcp"),
// as avahi-browse lists them: where SMB browsing of workgroups is switched off, as in current
// networks, this is how servers are found. Their shares are listed through libsmbclient.
struct AnnouncedServer {
    QString name;    // the host name without ".local"
    QString address; // where it is reached
};
// The servers of avahi-browse's parsable output ("=;if;IPv4;name;_smb._tcp;local;host;addr;
// port;txt"), each once, IPv4 addresses preferred.
QList<AnnouncedServer> ParseAnnouncedServers(const QByteArray &avahiOutput);
class AnnouncedServerProvider : public NetworkProvider {
  public:
    using Finder = std::function<std::optional<QByteArray>()>; // nothing: no avahi-browse
    AnnouncedServerProvider(std::shared_ptr<SmbApi> api, Finder finder = {});
    bool Enumerate(const NetworkResource *parent, QList<NetworkResource> *children) override;

  private:
    SmbProvider m_smb;
    Finder m_finder;
};

// Several networks seen as one: the root holds the roots' resources of each, in order; the
// root opens when one of them opens.
class CombinedProvider : public NetworkProvider {
  public:
    void Add(std::unique_ptr<NetworkProvider> provider);
    bool Enumerate(const NetworkResource *parent, QList<NetworkResource> *children) override;
    // Stops at the first network that opens.
    bool RootOpens() override;

  private:
    std::vector<std::unique_ptr<NetworkProvider>> m_providers;
};

// The network of this computer: its mounted shares and, when libsmbclient is there, SMB
// browsing and the servers that announce themselves. Tests replace it with SetNetworkFactory.
std::unique_ptr<NetworkProvider> LocalNetwork();
using NetworkFactory = std::function<std::unique_ptr<NetworkProvider>()>;
void SetNetworkFactory(NetworkFactory factory); // empty: LocalNetwork again
// The network the dialogs walk: the factory's, or LocalNetwork.
std::unique_ptr<NetworkProvider> MakeNetwork();

// Mounting a share the desktop's way, as a file manager does when a network share is opened
// (gio mount smb://server/share, with the desktop's stored passwords and no questions asked).
// True when the share is mounted. Tests replace it with SetShareMounter.
using ShareMounter = std::function<bool(const QString &server, const QString &share)>;
void SetShareMounter(ShareMounter mounter); // empty: gio again

// Mounts a computer's share of the program when nothing of it is mounted here: the share
// "Dravo" (the name the program's copy is shared under), then the other shares with the mark
// that the network lists for the computer. Stops at the first that mounts; true when one did.
bool MountComputerShare(const QString &computer);

} // namespace dravo
