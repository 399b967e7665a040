// The shell without windows: settings defaults, root resolution and its network fallback,
// library paths, the data skeleton, the desktop registration, the command line and the fragment
// menu's data.
#include "apptest.h"

#include "app/commandline.h"
#include "app/desktop.h"
#include "app/fragmentmenu.h"
#include "app/instance.h"
#include "core/text.h"

#include <QFile>
#include <QThread>

using namespace dravo;

namespace {

using apptest::WriteFile;

QByteArray ReadFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

CPun Item(const char *utf8Name, int check, int mark) {
    CPun p;
    p.m_strName = FromUtf8(utf8Name);
    p.m_nCheck = static_cast<std::uint16_t>(check);
    p.m_nMark = static_cast<std::uint16_t>(mark);
    return p;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;

  private slots:
    void init() {
        QSettings().clear();
        QSettings().sync();
        Settings::SetProgramFolder(m_dir.path());
    }

    void firstRunSettings() {
        // No section yet: a flag read creates it with the value 1.
        QCOMPARE(Settings::ReadFlagSetting(setting::kShowToolbarText), 1);
        // Once the section exists, missing flags read 0.
        QCOMPARE(Settings::ReadFlagSetting(setting::kShowToolbar), 0);
        QCOMPARE(Settings::ReadFlagSetting(setting::kMaximizeChildWindow), 0);
        QVERIFY(!Settings::Contains(setting::kMaximizeChildWindow));
        Roots::Resolve();
        QCOMPARE(Roots::TemplatesRoot(), m_dir.path());
        QCOMPARE(Roots::DatabaseRoot(), m_dir.path());
        QSettings s;
        QCOMPARE(s.value("Settings/IsLocalTemplates").toString(), QStringLiteral("yes"));
        QCOMPARE(s.value("Settings/IsLocalDatabase").toString(), QStringLiteral("yes"));
        QCOMPARE(s.value("Settings/LocalPathTemplates").toString(), m_dir.path());
        QCOMPARE(s.value("Settings/LocalPathDatabase").toString(), m_dir.path());
        // The net paths get their default only when first read.
        QVERIFY(!s.contains("Settings/NetPathTemplates"));
        QCOMPARE(Settings::ReadPathSetting(setting::kNetPathTemplates), QStringLiteral("\\\\"));
        QCOMPARE(Settings::ReadPathSetting("SomethingElse"), QString());
        QVERIFY(!Settings::Contains("SomethingElse"));
    }

    void recentFileListKeepsSevenNewestFirst() {
        for (int i = 1; i <= 9; ++i)
            Settings::AddRecentFile(QStringLiteral("/t/%1.adf").arg(i));
        Settings::AddRecentFile(QStringLiteral("/t/5.adf"));
        QCOMPARE(Settings::RecentFiles(),
                 (QStringList{"/t/5.adf", "/t/9.adf", "/t/8.adf", "/t/7.adf", "/t/6.adf",
                              "/t/4.adf", "/t/3.adf"}));
        QCOMPARE(QSettings().value("Recent File List/File1").toString(),
                 QStringLiteral("/t/5.adf"));
        QVERIFY(!QSettings().contains("Recent File List/File8"));
    }

    void aSecondStartHandsItsFileToTheRunningProgram() {
        const QString name =
            QStringLiteral("dravo-test-%1").arg(QCoreApplication::applicationPid());
        QVERIFY(!PassToRunningInstance(QStringLiteral("a.adf"), name, 300));
        InstanceServer server;
        QVERIFY(server.Listen(name));
        QSignalSpy opened(&server, &InstanceServer::openRequested);
        bool passed = false;
        // The second start runs beside this thread, whose event loop answers it.
        std::unique_ptr<QThread> second(QThread::create(
            [&] { passed = PassToRunningInstance(QStringLiteral("Договор.adf"), name, 5000); }));
        second->start();
        QTRY_VERIFY_WITH_TIMEOUT(opened.size() == 1, 5000);
        QVERIFY(second->wait(5000));
        QVERIFY(passed);
        QCOMPARE(opened.first().first().toString(),
                 QFileInfo(QStringLiteral("Договор.adf")).absoluteFilePath());
    }

    void networkRootFallsBackToLocal_data() {
        QTest::addColumn<QString>("isLocal");
        QTest::addColumn<QString>("computer");
        QTest::newRow("capital YES is not local") << "YES"
                                                  << "\\\\";
        QTest::newRow("default computer") << "no"
                                          << "\\\\";
        QTest::newRow("unreachable computer") << "no"
                                              << "no-such-computer-here";
    }

    void networkRootFallsBackToLocal() {
        QFETCH(QString, isLocal);
        QFETCH(QString, computer);
        Settings::WritePathSetting(setting::kIsLocalTemplates, isLocal);
        Settings::WritePathSetting(setting::kNetPathTemplates, computer);
        Settings::WritePathSetting(setting::kLocalPathTemplates, m_dir.path() + "/local");
        Roots::Resolve();
        QCOMPARE(Roots::TemplatesRoot(), m_dir.path() + "/local");
        QCOMPARE(Settings::ReadPathSetting(setting::kIsLocalTemplates), QStringLiteral("yes"));
    }

    void networkCopyFolder() {
        QCOMPARE(Roots::NetworkCopyFolder(QStringLiteral("\\\\")), QString());
        QCOMPARE(Roots::NetworkCopyFolder(QString()), QString());
        QCOMPARE(Roots::NetworkCopyFolder(QStringLiteral("a\\b")), QString());
        QCOMPARE(Roots::NetworkCopyFolder(QStringLiteral("\\\\SERVER")),
                 QStringLiteral("/mnt/SERVER/Dravo/ДРАВО Договор"));
        // A share mounted by the desktop is found under the runtime folder.
        const QString runtime = m_dir.path() + "/run";
        const QString share =
            runtime + QStringLiteral("/gvfs/smb-share:server=server,share=dravo/ДРАВО Договор");
        QDir().mkpath(share + "/Data");
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        QCOMPARE(Roots::NetworkCopyFolder(QStringLiteral("SERVER")), share);
        Settings::WritePathSetting(setting::kIsLocalDatabase, QStringLiteral("no"));
        Settings::WritePathSetting(setting::kNetPathDatabase, QStringLiteral("SERVER"));
        Roots::Resolve();
        QCOMPARE(Roots::DatabaseRoot(), share);
        QCOMPARE(Settings::ReadPathSetting(setting::kIsLocalDatabase), QStringLiteral("no"));
        qputenv("XDG_RUNTIME_DIR", saved);
    }

    void libraryPaths() {
        Roots::SetTemplatesRoot(m_dir.path());
        QCOMPARE(Roots::LibraryItemPath(QStringLiteral("  Аренда "), 1),
                 m_dir.path() + QStringLiteral("/Templates/Аренда.adf"));
        QCOMPARE(Roots::LibraryItemPath(QStringLiteral("Аренда"), 3),
                 m_dir.path() + QStringLiteral("/Templates/Аренда.adf"));
        QCOMPARE(Roots::LibraryItemPath(QStringLiteral("Журнал"), 2),
                 m_dir.path() + QStringLiteral("/Registers/Журнал.adf"));
        QCOMPARE(Roots::LibraryItemPath(QStringLiteral("x"), 0), m_dir.path());
        QCOMPARE(Roots::LibraryItemPath(QStringLiteral("x"), 4), m_dir.path());
        QVERIFY(!Roots::LibraryFileExists(QStringLiteral("Дело")));
        WriteFile(m_dir.path() + QStringLiteral("/Registers/Дело.adf"), "x");
        QVERIFY(Roots::LibraryFileExists(QStringLiteral("Дело")));
        WriteFile(m_dir.path() + QStringLiteral("/Templates/Шаблон.adf"), "x");
        QVERIFY(Roots::LibraryFileExists(QStringLiteral(" Шаблон")));
    }

    void skeletonNeverReplacesAUsersFile() {
        const QString skeleton = m_dir.path() + "/skeleton";
        const QString data = m_dir.path() + "/user";
        WriteFile(skeleton + "/Data/usr.dat", "shipped");
        WriteFile(skeleton + "/Data/buff.dat", "shipped lists");
        WriteFile(skeleton + "/Templates/Образец.adf", "sample");
        WriteFile(skeleton + "/Other/ignored.txt", "not part of the skeleton");
        WriteFile(data + "/Data/usr.dat", "mine");
        QStringList errors;
        const QStringList copied = InstallDataSkeleton(skeleton, data, &errors);
        QVERIFY(errors.isEmpty());
        QCOMPARE(QSet<QString>(copied.begin(), copied.end()),
                 (QSet<QString>{"Data/buff.dat", "Templates/Образец.adf"}));
        QCOMPARE(ReadFile(data + "/Data/usr.dat"), QByteArray("mine"));
        QCOMPARE(ReadFile(data + "/Data/buff.dat"), QByteArray("shipped lists"));
        QVERIFY(!QFileInfo::exists(data + "/Other/ignored.txt"));
        // A second run copies nothing.
        QVERIFY(InstallDataSkeleton(skeleton, data, &errors).isEmpty());
    }

    void dataFolderGetsItsFiles() {
        const QString folder = m_dir.path() + "/fresh";
        CDravoApp::PrepareDataFolder(folder);
        for (const char *f : {"Data/usr.dat", "Data/buff.dat", "Data/fct.db", "Data/reg.db"})
            QVERIFY2(QFileInfo::exists(folder + "/" + f), f);
        QVERIFY(QFileInfo(folder + "/Registers").isDir());
        QVERIFY(QFileInfo(folder + "/Templates").isDir());
    }

    void desktopRegistration() {
        const DesktopFiles files = DesktopFileLocations();
        for (const QString &f :
             {files.mimePackage, files.desktopEntry, files.appIcon, files.mimeIcon})
            QFile::remove(f);
        const QStringList written = RegisterDocumentType(QStringLiteral("/opt/my \"dravo\"/dravo"));
        QCOMPARE(written.size(), 4);
        const QString mime = QString::fromUtf8(ReadFile(files.mimePackage));
        QVERIFY(mime.contains(QStringLiteral("<comment>Шаблон документа</comment>")));
        QVERIFY(mime.contains(QStringLiteral("<glob pattern=\"*.adf\"/>")));
        QVERIFY(mime.contains(QString::fromLatin1(kTemplateMimeType)));
        const QString entry = QString::fromUtf8(ReadFile(files.desktopEntry));
        QVERIFY(entry.contains(QStringLiteral("Exec=\"/opt/my \\\"dravo\\\"/dravo\" %f\n")));
        QVERIFY(entry.contains(QStringLiteral("MimeType=application/x-dravo-template;")));
        // Up to date: nothing is written again; a moved program rewrites its entry only.
        QVERIFY(RegisterDocumentType(QStringLiteral("/opt/my \"dravo\"/dravo")).isEmpty());
        QCOMPARE(RegisterDocumentType(QStringLiteral("/usr/bin/dravo")),
                 QStringList{files.desktopEntry});
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("error");
        QTest::newRow("nothing") << QStringList{} << int(CommandLine::NewDocument) << "" << false;
        QTest::newRow("file") << QStringList{"/home/u/Договор.adf"} << int(CommandLine::OpenFile)
                              << "/home/u/Договор.adf" << false;
        QTest::newRow("print /p") << QStringList{"/p", "a.adf"} << int(CommandLine::PrintFile)
                                  << "a.adf" << false;
        QTest::newRow("print after")
            << QStringList{"a.adf", "--print"} << int(CommandLine::PrintFile) << "a.adf" << false;
        QTest::newRow("print without file")
            << QStringList{"/P"} << int(CommandLine::PrintFile) << "" << true;
        QTest::newRow("print to") << QStringList{"/pt", "a.adf", "Office"}
                                  << int(CommandLine::PrintFileTo) << "a.adf" << false;
        QTest::newRow("register") << QStringList{"/Register"} << int(CommandLine::Register) << ""
                                  << false;
        QTest::newRow("unregister")
            << QStringList{"-unregserver"} << int(CommandLine::Unregister) << "" << false;
        QTest::newRow("unknown switch")
            << QStringList{"--frobnicate"} << int(CommandLine::NewDocument) << "" << true;
        QTest::newRow("two files")
            << QStringList{"a.adf", "b.adf"} << int(CommandLine::OpenFile) << "a.adf" << true;
    }

    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(int, action);
        QFETCH(QString, file);
        QFETCH(bool, error);
        const CommandLine cl = ParseCommandLine(args);
        QCOMPARE(int(cl.action), action);
        QCOMPARE(cl.file, file);
        QCOMPARE(!cl.error.isEmpty(), error);
    }

    void fragmentMenuOfABody() {
        CBody body;
        body.m_arArticles.clear();
        CPar first;
        first.m_head = Item("Предмет договора", 1, 0);
        first.m_arItems = {Item("Передача товара", 1, 0), Item("Качество", 0, 1)};
        CPar second;
        second.m_head = Item("Статья с очень длинным названием для меню", 0, 1);
        body.m_arArticles = {first, second};
        const auto menu = BuildFragmentMenu(body);
        QCOMPARE(menu.size(), std::size_t(2));
        QCOMPARE(menu[0].label, QStringLiteral("Предмет договора") + QString(34 - 16, ' '));
        QVERIFY(menu[0].checked);
        QVERIFY(!menu[0].separatorBefore);
        QCOMPARE(menu[0].items.size(), std::size_t(2));
        QCOMPARE(menu[0].items[0].label, QStringLiteral("Передача товара") + QString(37 - 15, ' '));
        QCOMPARE(menu[0].items[0].id, 10000);
        QVERIFY(menu[0].items[0].checked);
        QCOMPARE(menu[0].items[1].id, 10001);
        QVERIFY(!menu[0].items[1].checked);
        QVERIFY(menu[0].items[1].separatorBefore);
        // A label of 34 characters or more gets no padding; no clauses, an empty submenu.
        QCOMPARE(menu[1].label, QStringLiteral("Статья с очень длинным названием для меню"));
        QVERIFY(!menu[1].checked);
        QVERIFY(menu[1].separatorBefore);
        QVERIFY(menu[1].items.empty());
    }

    void fragmentCommandIds_data() {
        QTest::addColumn<int>("article");
        QTest::addColumn<int>("clause");
        QTest::addColumn<int>("id");
        QTest::newRow("first") << 0 << 0 << 10000;
        QTest::newRow("article 2 clause 3") << 2 << 3 << 10515;
        QTest::newRow("last clause of a byte") << 1 << 255 << 10511;
        QTest::newRow("clause 256") << 1 << 256 << 0;
        QTest::newRow("article 78") << 78 << 30 << 29998;
        QTest::newRow("article 78 past the range") << 78 << 40 << 0;
        QTest::newRow("article 79") << 79 << 0 << 0;
    }

    void fragmentCommandIds() {
        QFETCH(int, article);
        QFETCH(int, clause);
        QFETCH(int, id);
        QCOMPARE(FragmentCommandId(std::size_t(article), std::size_t(clause)), id);
        if (id != 0) {
            int a = -1, c = -1;
            QVERIFY(DecodeFragmentCommand(id, a, c));
            QCOMPARE(a, article);
            QCOMPARE(c, clause);
        }
    }

    void articleChecksFollowTheirClauses() {
        CBody body;
        body.m_arArticles.resize(3);
        body.m_arArticles[0].m_head.m_nCheck = 0;
        body.m_arArticles[0].m_arItems = {Item("a", 0, 0), Item("b", 1, 0)};
        body.m_arArticles[1].m_head.m_nCheck = 1;
        body.m_arArticles[1].m_arItems = {Item("c", 0, 0)};
        body.m_arArticles[2].m_head.m_nCheck = 1;
        SyncArticleChecks(body);
        QCOMPARE(int(body.m_arArticles[0].m_head.m_nCheck), 1);
        QCOMPARE(int(body.m_arArticles[1].m_head.m_nCheck), 0);
        QCOMPARE(int(body.m_arArticles[2].m_head.m_nCheck), 0);
    }
};

DRAVO_APP_TEST_MAIN(ShellTest)
#include "shell_test.moc"
