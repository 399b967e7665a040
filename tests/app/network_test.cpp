// Network work without windows: the enumeration of computers sharing the program (a prepared
// network, a prepared mount table and desktop mount folder, SMB browsing through a prepared
// libsmbclient), the rules of the computer list and of the network dialog, the database server
// address, and the roots that follow a share mounted here or fall back when it goes away.
#include "apptest.h"

#include "app/networkwork.h"
#include "app/sharing.h"
#include "refdata/server.h"

#include <QFile>
#include <map>

using namespace dravo;

namespace {

using apptest::WriteFile;

// A network given as a table: each container's remote name maps to its children; a container
// missing from the table cannot be opened.
class TableNetwork : public NetworkProvider {
  public:
    std::map<QString, QList<NetworkResource>> table;
    bool Enumerate(const NetworkResource *parent, QList<NetworkResource> *children) override {
        const auto it = table.find(parent ? parent->remoteName : QString());
        if (it == table.end())
            return false;
        *children << it->second;
        return true;
    }
};

NetworkResource Container(const QString &name) {
    return {name, true, {}, 0};
}
NetworkResource Share(const QString &name) {
    return {name, false, {}, 0};
}

// Applies the steps of a script to the computer list: "select N", "on", "off".
void Play(ComputerChoice &choice, const QString &script) {
    for (const QString &step : script.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString s = step.trimmed();
        if (s.startsWith(QLatin1String("select ")))
            choice.Select(s.mid(7).toInt());
        else
            choice.SetUseLocal(s == QLatin1String("on"));
    }
}

} // namespace

class NetworkTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;

  private slots:
    void init() {
        QSettings().clear();
        QSettings().sync();
        Settings::SetProgramFolder(m_dir.path() + "/local");
        QDir().mkpath(m_dir.path() + "/local/Data");
        MountSources::Override({});
        SetNetworkFactory({});
        SetShareMounter([](const QString &, const QString &) { return false; });
    }

    void qualifyingRemoteNames_data() {
        QTest::addColumn<QString>("remote");
        QTest::addColumn<QString>("computer");
        const std::pair<const char *, const char *> rows[] = {
            {"\\\\SERVER\\Dravo", "SERVER"},    // the shared folder Dravo
            {"\\\\office\\dRaVo", "office"},    // any letter case
            {"\\\\PC7\\old-DRAVO-copy", "PC7"}, // the word inside a name
            {"\\\\PC7\\data\\Dravo", "PC7"},    // a folder below a share
            {"\\\\PC7\\Documents", ""},         // a share without the word
            {"\\\\DRAVOSRV", ""},               // a server, the word in its name
            {"DRAVO-GROUP", ""},                // a workgroup
            {"\\\\\\\\PC\\Dravo", "PC"},        // many leading backslashes
        };
        for (const auto &[remote, computer] : rows)
            QTest::newRow(remote) << QString(remote) << QString(computer);
    }
    void qualifyingRemoteNames() {
        QFETCH(QString, remote);
        QFETCH(QString, computer);
        QCOMPARE(SharingComputerOf(remote), computer);
    }

    void enumerationWalksTheWholeNetwork() {
        TableNetwork net;
        net.table[""] = {Container("WORKGROUP"), Container("OFFICE")};
        net.table["WORKGROUP"] = {Container("\\\\ALPHA"), Container("\\\\BETA"),
                                  Container("\\\\GONE")};
        // Two qualifying shares on one server list it twice; the word in any letter case.
        net.table["\\\\ALPHA"] = {Share("\\\\ALPHA\\Dravo"), Share("\\\\ALPHA\\Docs"),
                                  Share("\\\\ALPHA\\dravo-archive")};
        net.table["\\\\BETA"] = {Share("\\\\BETA\\Public"), Share("\\\\BETA\\Music")};
        // "\\GONE" cannot be opened: its branch ends, the walk goes on.
        net.table["OFFICE"] = {Container("\\\\gamma")};
        net.table["\\\\gamma"] = {Share("\\\\gamma\\DrAvO")};
        const SharingComputers found = CollectSharingComputers(net);
        QVERIFY(found.networkAvailable);
        QCOMPARE(found.computers, (QStringList{"ALPHA", "ALPHA", "gamma"}));
        QCOMPARE(ComputerListText(found.computers), QStringLiteral("ALPHA~ALPHA~gamma~"));
        QVERIFY(NetworkAvailable(net));
    }

    void noNetworkGivesAnEmptyList() {
        TableNetwork net; // not even the root opens
        const SharingComputers found = CollectSharingComputers(net);
        QVERIFY(!found.networkAvailable);
        QVERIFY(found.computers.isEmpty());
        QVERIFY(!NetworkAvailable(net));
        QCOMPARE(ComputerListText({}), QString());
    }

    void aShareReachedTwoWaysIsListedOnce() {
        // Mounted here and seen by browsing: one share, one entry.
        TableNetwork net;
        net.table[""] = {Share("\\\\alpha\\Dravo"), Container("WG")};
        net.table["WG"] = {Container("\\\\ALPHA")};
        net.table["\\\\ALPHA"] = {Share("\\\\ALPHA\\DRAVO"), Share("\\\\ALPHA\\Dravo2")};
        QCOMPARE(CollectSharingComputers(net).computers, (QStringList{"alpha", "ALPHA"}));
    }

    void mountedSharesFromTheMountTableAndTheDesktop() {
        const QString dir = m_dir.path() + "/mounts";
        WriteFile(dir + "/mounts", "sysfs /sys sysfs rw 0 0\n"
                                   "//alpha/Dravo /mnt/alpha/Dravo cifs rw,vers=3.0 0 0\n"
                                   "//Beta/DRAVO\\040data /mnt/beta\\040share smb3 rw 0 0\n"
                                   "//gamma/Documents /mnt/gamma cifs rw 0 0\n"
                                   "delta:/export/dravo /mnt/delta nfs4 rw 0 0\n"
                                   "//eps/dravo/sub /mnt/eps smbfs rw 0 0\n"
                                   "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
                                   "broken-line\n");
        const QString gvfs = dir + "/gvfs";
        QDir().mkpath(gvfs + "/smb-share:server=zeta,share=dravo");
        QDir().mkpath(gvfs + "/smb-share:domain=WG,server=eta,share=Public,user=ivan");
        QDir().mkpath(gvfs + "/smb-share:domain=WG,server=theta,share=my%20Dravo,user=ivan");
        QDir().mkpath(gvfs + "/sftp:host=iota,user=ivan");
        const MountSources sources{dir + "/mounts", gvfs};

        const QList<MountedShare> shares = ReadMountedShares(sources);
        QStringList remote;
        for (const MountedShare &s : shares)
            remote << s.remoteName + "=" + s.mountPoint;
        QVERIFY(remote.contains("\\\\alpha\\Dravo=/mnt/alpha/Dravo"));
        QVERIFY(remote.contains("\\\\Beta\\DRAVO data=/mnt/beta share"));
        QVERIFY(remote.contains("\\\\gamma\\Documents=/mnt/gamma"));
        QVERIFY(remote.contains("\\\\eps\\dravo\\sub=/mnt/eps"));
        QVERIFY(remote.contains("\\\\theta\\my Dravo=" + gvfs +
                                "/smb-share:domain=WG,server=theta,share=my%20Dravo,user=ivan"));
        QCOMPARE(shares.size(), 7); // no nfs, no fuse, no sftp
        QCOMPARE(DecodeMountField("a\\011b\\134c\\9\\04"), QStringLiteral("a\tb\\c\\9\\04"));

        MountedShareProvider provider(sources);
        const SharingComputers found = CollectSharingComputers(provider);
        QVERIFY(found.networkAvailable);
        QStringList sorted = found.computers;
        sorted.sort();
        QCOMPARE(sorted, (QStringList{"Beta", "alpha", "eps", "theta", "zeta"}));

        // Nothing mounted: no network to choose from.
        WriteFile(dir + "/empty", "proc /proc proc rw 0 0\n");
        MountedShareProvider none({dir + "/empty", dir + "/no-gvfs"});
        QVERIFY(!CollectSharingComputers(none).networkAvailable);
    }

    void smbBrowsingWalksWorkgroupsServersShares() {
        // A prepared libsmbclient: the listing of each address; an address missing fails.
        std::map<QByteArray, QList<SmbDirEntry>> dirs;
        dirs["smb://"] = {{1, "WORKGROUP"}, {1, "HOME"}};
        dirs["smb://WORKGROUP"] = {{2, "ALPHA"}, {2, "DOWN"}, {2, "BETA"}};
        dirs["smb://ALPHA"] = {{3, "Dravo"},        {6, "IPC$"},    {3, "DRAVO$"},
                               {4, "DravoPrinter"}, {3, "dravo-2"}, {3, "Docs"}};
        dirs["smb://BETA"] = {{3, "Public"}};
        dirs["smb://HOME"] = {{2, "GAMMA"}};
        dirs["smb://GAMMA"] = {{3, "."}, {3, "DrAvO"}};
        std::map<int, std::pair<QList<SmbDirEntry>, int>> open;
        int next = 1;
        QStringList opened;
        int closed = 0;
        auto api = std::make_shared<SmbApi>();
        api->openDir = [&](const QByteArray &url) {
            opened << QString::fromUtf8(url);
            const auto it = dirs.find(url);
            if (it == dirs.end())
                return -1;
            open[next] = {it->second, 0};
            return next++;
        };
        api->readDir = [&](int h, SmbDirEntry *e) {
            auto &[entries, pos] = open.at(h);
            if (pos >= entries.size())
                return false;
            *e = entries[pos++];
            return true;
        };
        api->closeDir = [&](int h) {
            open.erase(h);
            ++closed;
        };
        SmbProvider smb(api);
        const SharingComputers found = CollectSharingComputers(smb);
        QVERIFY(found.networkAvailable);
        QCOMPARE(found.computers, (QStringList{"ALPHA", "ALPHA", "GAMMA"}));
        QVERIFY(open.empty());
        QCOMPARE(closed, 6); // every listing that opened was closed; "DOWN" never opened
        // Shares are examined, never opened.
        QVERIFY(!opened.contains("smb://ALPHA/Dravo"));

        dirs.erase("smb://");
        QVERIFY(!CollectSharingComputers(smb).networkAvailable);
        SmbProvider missing(nullptr);
        QVERIFY(!NetworkAvailable(missing));
    }

    void announcedServersAreAskedForTheirShares() {
        const QByteArray avahi = "+;eth0;IPv4;FILES;_smb._tcp;local\n"
                                 "=;eth0;IPv6;FILES;_smb._tcp;local;files.local;fe80::1;445;\n"
                                 "=;eth0;IPv4;FILES;_smb._tcp;local;files.local;10.0.0.7;445;\n"
                                 "=;eth0;IPv6;Six;_smb._tcp;local;six.local;fe80::6;445;\n"
                                 "=;eth0;IPv4;Web;_http._tcp;local;web.local;10.0.0.9;80;\n"
                                 "=;eth0;IPv4;Dead;_smb._tcp;local;dead.local;10.0.0.8;445;\n"
                                 "broken;line\n";
        const QList<AnnouncedServer> servers = ParseAnnouncedServers(avahi);
        QCOMPARE(servers.size(), 3);
        QCOMPARE(servers[0].name, QStringLiteral("files"));
        QCOMPARE(servers[0].address, QStringLiteral("10.0.0.7"));
        QCOMPARE(servers[1].address, QStringLiteral("[fe80::6]"));
        auto api = std::make_shared<SmbApi>();
        QList<SmbDirEntry> listing;
        api->openDir = [&](const QByteArray &url) {
            listing.clear();
            if (url == "smb://10.0.0.7")
                listing = {{3, "Dravo"}, {3, "Music"}};
            else if (url == "smb://[fe80::6]")
                listing = {{3, "DRAVO-2"}};
            else
                return -1;
            return 1;
        };
        api->readDir = [&](int, SmbDirEntry *e) {
            if (listing.isEmpty())
                return false;
            *e = listing.takeFirst();
            return true;
        };
        api->closeDir = [](int) {};
        AnnouncedServerProvider announced(api, [&] { return std::optional(avahi); });
        QCOMPARE(CollectSharingComputers(announced).computers, (QStringList{"files", "six"}));
        AnnouncedServerProvider noAvahi(api, [] { return std::optional<QByteArray>(); });
        QVERIFY(!NetworkAvailable(noAvahi));
        // A computer announced as "files" is the one mounted as "FILES.local".
        QVERIFY(SameComputer("FILES.local", "files"));
        QVERIFY(!SameComputer("files2", "files"));
        QVERIFY(!SameComputer("", ""));
    }

    void combinedNetworkKeepsEachBranchWithItsProvider() {
        auto a = std::make_unique<TableNetwork>();
        a->table[""] = {Share("\\\\m\\Dravo")};
        auto b = std::make_unique<TableNetwork>();
        b->table[""] = {Container("WG")};
        b->table["WG"] = {Share("\\\\s\\Dravo")};
        auto dead = std::make_unique<TableNetwork>();
        CombinedProvider all;
        all.Add(std::move(dead));
        all.Add(std::move(a));
        all.Add(std::move(b));
        const SharingComputers found = CollectSharingComputers(all);
        QVERIFY(found.networkAvailable);
        QVERIFY(all.RootOpens());
        QCOMPARE(found.computers, (QStringList{"m", "s"}));
        CombinedProvider nothing;
        nothing.Add(std::make_unique<TableNetwork>());
        QVERIFY(!nothing.RootOpens());
    }

    void computerList_data() {
        QTest::addColumn<QStringList>("computers");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("currentLocal");
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("useLocal");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("result"); // "" = this computer
        const QStringList abb{"A", "B", "B"};
        QTest::newRow("empty list keeps the box on")
            << QStringList{} << "A" << false << "off, select 0" << true << -1 << "";
        QTest::newRow("current computer selected")
            << abb << "B" << false << "" << false << 1 << "B";
        QTest::newRow("local setting checks the box")
            << abb << "B" << true << "" << true << -1 << "";
        QTest::newRow("current not listed") << abb << "C" << false << "" << true << -1 << "";
        QTest::newRow("selecting turns the box off")
            << abb << "B" << true << "select 2" << false << 2 << "B";
        QTest::newRow("box on clears the selection")
            << abb << "B" << false << "select 0, on" << true << -1 << "";
        QTest::newRow("box off reselects the remembered row")
            << abb << "B" << false << "select 0, on, off" << false << 1 << "B";
        QTest::newRow("chosen, then local: local")
            << abb << "A" << true << "select 1, on" << true << -1 << "";
        QTest::newRow("box off with nothing remembered")
            << abb << "C" << false << "off" << false << -1 << "";
        QTest::newRow("a row out of range is no choice")
            << abb << "A" << true << "select 7" << true << -1 << "";
    }
    void computerList() {
        QFETCH(QStringList, computers);
        QFETCH(QString, current);
        QFETCH(bool, currentLocal);
        QFETCH(QString, script);
        QFETCH(bool, useLocal);
        QFETCH(int, selected);
        QFETCH(QString, result);
        ComputerChoice choice(computers, current, currentLocal);
        QCOMPARE(choice.ListShown(), !computers.isEmpty());
        Play(choice, script);
        QCOMPARE(choice.UseLocal(), useLocal);
        QCOMPARE(choice.Selected(), selected);
        const NetworkLocation r = choice.Result();
        QCOMPARE(r.local, result.isEmpty());
        QCOMPARE(r.computer, result);
    }

    void dialogStateFromTheSettings_data() {
        QTest::addColumn<QString>("isLocal");
        QTest::addColumn<bool>("network");
        QTest::addColumn<QString>("shown");
        QTest::newRow("local") << "yes" << true << "на этом компьютере";
        QTest::newRow("network computer") << "no" << true << "на SERVER";
        QTest::newRow("capital YES is not local") << "YES" << true << "на SERVER";
        QTest::newRow("network unavailable") << "no" << false << "на этом компьютере";
    }
    void dialogStateFromTheSettings() {
        QFETCH(QString, isLocal);
        QFETCH(bool, network);
        QFETCH(QString, shown);
        for (const auto &[is, net] :
             {std::pair{setting::kIsLocalDatabase, setting::kNetPathDatabase},
              {setting::kIsLocalTemplates, setting::kNetPathTemplates}}) {
            Settings::WritePathSetting(is, isLocal);
            Settings::WritePathSetting(net, "SERVER");
        }
        const NetworkWorkState state = NetworkWorkState::Load(network);
        QCOMPARE(state.DatabaseText(), shown);
        QCOMPARE(state.TemplatesText(), shown);
        QCOMPARE(state.TemplatesLocalAtOpening(), state.Templates().local);
        // The local paths got their default on the way.
        QCOMPARE(Settings::ReadPathSetting(setting::kLocalPathTemplates), m_dir.path() + "/local");
        QVERIFY(Settings::Contains(setting::kLocalPathDatabase));
    }

    void questionOnlyWhenTheTemplatesMoveWithDocumentsOpen_data() {
        QTest::addColumn<bool>("templatesLocal"); // at opening
        QTest::addColumn<QString>("change");      // "database", "templates", "other computer"
        QTest::addColumn<int>("windows");
        QTest::addColumn<bool>("asks");
        QTest::newRow("database only") << true << "database" << 2 << false;
        QTest::newRow("templates to a computer") << true << "templates" << 1 << true;
        QTest::newRow("templates, no window") << true << "templates" << 0 << false;
        QTest::newRow("templates back home") << false << "templates" << 3 << true;
        QTest::newRow("from one computer to another") << false << "other computer" << 1 << false;
    }
    void questionOnlyWhenTheTemplatesMoveWithDocumentsOpen() {
        QFETCH(bool, templatesLocal);
        QFETCH(QString, change);
        QFETCH(int, windows);
        QFETCH(bool, asks);
        Settings::WritePathSetting(setting::kIsLocalTemplates, templatesLocal ? "yes" : "no");
        Settings::WritePathSetting(setting::kNetPathTemplates, "ONE");
        NetworkWorkState state = NetworkWorkState::Load(true);
        if (change == "database")
            state.SetDatabase({false, "ONE"});
        else if (change == "templates")
            state.SetTemplates({!templatesLocal, "ONE"});
        else
            state.SetTemplates({false, "TWO"});
        QCOMPARE(state.AsksBeforeClosing(windows), asks);
        QVERIFY(CloseDocumentsQuestion().contains("рабочему \nокружению шаблонов на выбраном"));
    }

    void databaseServerAddress_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("url"); // empty: refused
        QTest::addColumn<int>("wrong");   // the field a refusal is about
        using F = ServerField;
        struct Row {
            const char *name, *host, *port, *database, *user, *url;
            ServerField wrong;
        };
        const Row rows[] = {
            {"plain", "db.office", "5432", "dravo", "ivan",
             "postgresql://ivan@db.office:5432/dravo", F::None},
            {"no user, spaces trimmed", " 10.0.0.5 ", "6000", " contracts ", "",
             "postgresql://10.0.0.5:6000/contracts", F::None},
            {"odd names encoded", "srv", "5432", "база?#", "a@b:c",
             "postgresql://a%40b%3Ac@srv:5432/%D0%B1%D0%B0%D0%B7%D0%B0%3F%23", F::None},
            {"a database name with a slash", "srv", "5432", "a/b", "", "", F::Database},
            {"empty host", " ", "5432", "dravo", "", "", F::Host},
            {"empty database", "srv", "5432", " ", "", "", F::Database},
            {"port 0", "srv", "0", "d", "", "", F::Port},
            {"port 65536", "srv", "65536", "d", "", "", F::Port},
            {"port not a number", "srv", "54x", "d", "", "", F::Port},
            {"host with a space", "my server", "5432", "d", "", "", F::Host},
        };
        for (const Row &r : rows)
            QTest::newRow(r.name) << QString(r.host) << QString(r.port) << QString(r.database)
                                  << QString(r.user) << QString(r.url) << int(r.wrong);
    }
    void databaseServerAddress() {
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(QString, database);
        QFETCH(QString, user);
        QFETCH(QString, url);
        QFETCH(int, wrong);
        QString message;
        ServerField field = ServerField::Port;
        const QString built = BuildDatabaseServer({host, port, database, user}, &message, &field);
        QCOMPARE(built, url);
        QCOMPARE(int(field), wrong);
        QCOMPARE(message.isEmpty(), !url.isEmpty());
        if (url.isEmpty())
            return;
        // The address reads back into the same fields, here and where the databases open.
        const auto address = refdata::ServerAddress::Parse(built);
        QVERIFY(address);
        QCOMPARE(address->host, host.trimmed());
        QCOMPARE(address->port, port.toInt());
        QCOMPARE(address->database, database.trimmed());
        QCOMPARE(address->user, user);
        const DatabaseServerFields back = ParseDatabaseServer(built);
        QCOMPARE(back.host, host.trimmed());
        QCOMPARE(back.port, port);
        QCOMPARE(back.database, database.trimmed());
        QCOMPARE(back.user, user);
    }

    void databaseServerInTheDialogState() {
        QCOMPARE(ParseDatabaseServer("").port, QStringLiteral("5432"));
        QCOMPARE(ParseDatabaseServer("http://x/y").host, QString());
        NetworkWorkState state = NetworkWorkState::Load(true);
        state.SetDatabaseServer("postgresql://ivan@db:5433/dravo");
        QCOMPARE(state.DatabaseText(), QStringLiteral("на сервере db:5433/dravo"));
        state.Store();
        QCOMPARE(QSettings().value("Settings/DatabaseServer").toString(),
                 QStringLiteral("postgresql://ivan@db:5433/dravo"));
        QCOMPARE(NetworkWorkState::Load(false).DatabaseText(),
                 QStringLiteral("на сервере db:5433/dravo"));
        // A place chosen for the database gives the server up.
        state.SetDatabase({false, "ALPHA"});
        QCOMPARE(state.DatabaseText(), QStringLiteral("на ALPHA"));
        state.Store();
        QVERIFY(!QSettings().contains("Settings/DatabaseServer"));
    }

    void rootsFollowAMountedShareAndFallBackWhenItGoes() {
        // ALPHA's share "Dravo" is mounted here (mount table), its copy of the program inside.
        const QString mount = m_dir.path() + "/mnt/alpha share";
        const QString copy = mount + "/ДРАВО Договор";
        QDir().mkpath(copy + "/Data");
        QString escaped = mount;
        escaped.replace(" ", "\\040");
        WriteFile(m_dir.path() + "/mtab", "//ALPHA/Dravo " + escaped.toUtf8() + " cifs rw 0 0\n");
        MountSources::Override({m_dir.path() + "/mtab", m_dir.path() + "/gvfs"});
        QCOMPARE(Roots::NetworkCopyFolder("alpha"), copy);
        QCOMPARE(Roots::NetworkCopyFolder("\\\\ALPHA"), copy);

        Settings::WritePathSetting(setting::kIsLocalTemplates, "no");
        Settings::WritePathSetting(setting::kNetPathTemplates, "ALPHA");
        QVERIFY(Roots::Resolve().isEmpty());
        QCOMPARE(Roots::TemplatesRoot(), copy);
        QCOMPARE(Roots::DatabaseRoot(), m_dir.path() + "/local");
        QVERIFY(Roots::FallBackUnreachable().isEmpty());

        // The computer leaves the network: the next check gives it up.
        QVERIFY(QDir(mount).removeRecursively());
        QCOMPARE(Roots::FallBackUnreachable(), (QList<RootFallback>{{true, "ALPHA"}}));
        QCOMPARE(Roots::TemplatesRoot(), m_dir.path() + "/local");
        QCOMPARE(Settings::ReadPathSetting(setting::kIsLocalTemplates), QStringLiteral("yes"));
        QVERIFY(Roots::FallBackUnreachable().isEmpty());

        // At start-up the same fallback is reported by the resolution.
        Settings::WritePathSetting(setting::kIsLocalDatabase, "no");
        Settings::WritePathSetting(setting::kNetPathDatabase, "ALPHA");
        QCOMPARE(Roots::Resolve(), (QList<RootFallback>{{false, "ALPHA"}}));
    }

    void rootsMountTheShareThatBrowsingLists_data() {
        QTest::addColumn<QString>("mountable"); // the share the mounter can mount
        QTest::addColumn<QString>("root");      // where the templates are then
        QTest::addColumn<QStringList>("tried");
        const QString copy = "/gvfs/smb-share:server=beta,share=dravocopy/ДРАВО Договор";
        QTest::newRow("the listed share")
            << "DravoCopy" << copy << QStringList{"BETA/Dravo", "BETA/DravoCopy"};
        QTest::newRow("the share of the usual name")
            << "Dravo"
            << "/gvfs/smb-share:server=beta,share=dravo/ДРАВО Договор" << QStringList{"BETA/Dravo"};
        QTest::newRow("nothing mounts") << ""
                                        << "/local" << QStringList{"BETA/Dravo", "BETA/DravoCopy"};
    }
    void rootsMountTheShareThatBrowsingLists() {
        QFETCH(QString, mountable);
        QFETCH(QString, root);
        QFETCH(QStringList, tried);
        // BETA is found by browsing only: nothing of it is mounted here. A folder below a share
        // and a share without the mark are not mounted.
        const QString gvfs = m_dir.path() + "/gvfs";
        QDir(gvfs).removeRecursively();
        WriteFile(m_dir.path() + "/mtab", "");
        MountSources::Override({m_dir.path() + "/mtab", gvfs});
        SetNetworkFactory([] {
            auto network = std::make_unique<TableNetwork>();
            network->table[""] = {Container("WORKGROUP")};
            network->table["WORKGROUP"] = {Container("\\\\BETA")};
            network->table["\\\\BETA"] = {Share("\\\\BETA\\Documents"),
                                          Share("\\\\BETA\\DravoCopy"),
                                          Share("\\\\BETA\\data\\Dravo")};
            return network;
        });
        QStringList calls;
        SetShareMounter([&](const QString &server, const QString &share) {
            calls << server + "/" + share;
            if (share != mountable)
                return false;
            QDir().mkpath(gvfs + "/smb-share:server=" + server.toLower() +
                          ",share=" + share.toLower() + "/ДРАВО Договор/Data");
            return true;
        });
        Settings::WritePathSetting(setting::kIsLocalTemplates, "no");
        Settings::WritePathSetting(setting::kNetPathTemplates, "BETA");
        const QList<RootFallback> fallbacks = Roots::Resolve();
        QCOMPARE(Roots::TemplatesRoot(), m_dir.path() + root);
        QCOMPARE(calls, tried);
        QCOMPARE(fallbacks.isEmpty(), !mountable.isEmpty());

        // The checks while the program runs never mount: a share that went away falls back.
        if (!mountable.isEmpty()) {
            QVERIFY(QDir(gvfs).removeRecursively());
            QCOMPARE(Roots::FallBackUnreachable(), (QList<RootFallback>{{true, "BETA"}}));
            QCOMPARE(calls, tried);
        }
    }
};

DRAVO_APP_TEST_MAIN(NetworkTest)
#include "network_test.moc"
