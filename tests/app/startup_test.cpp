// The start-up sequence and the exit, through the application object: a new data folder, a
// missing lists file that is reported without stopping anything, the command line, and the
// settings and lists written at exit.
#include "apptest.h"

#include "app/childframe.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "app/shell.h"
#include "core/text.h"
#include "core/user.h"

#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QPushButton>

using namespace dravo;
using namespace dravo::literals;

class StartupTest : public QObject {
    Q_OBJECT
  private:
    static CDravoApp::Options Quiet() {
        CDravoApp::Options o;
        o.registerDesktop = false;
        o.showWindow = false;
        o.singleInstance = false;
        return o;
    }

  private slots:
    void init() {
        QSettings().clear();
        QSettings().sync();
        MessageBox::takeMessages();
    }

    void firstStartOpensANewTemplate() {
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        CDravoApp app(Quiet());
        QVERIFY(app.InitInstance({}));
        QVERIFY(MessageBox::takeMessages().isEmpty());
        QCOMPARE(app.MainFrame()->Frames().size(), 1);
        CHolderDoc *doc = app.MainFrame()->ActiveView()->GetDocument();
        QVERIFY(doc->Title().startsWith(QStringLiteral("Договор ")));
        QCOMPARE(doc->Kind(), 1);
        QVERIFY(doc->Path().isEmpty());
        QCOMPARE(Roots::TemplatesRoot(), dir.path());
        QVERIFY(
            QFileInfo::exists(dir.filePath(QStringLiteral("Templates/Договор купли-продажи.adf"))));
        QCOMPARE(Settings::ReadFlagSetting(setting::kShowToolbarText), 1);
        QVERIFY(!Shell().fontFaceList.isEmpty());
        app.MainFrame()->OnCommand(57600 /* new */);
        QCOMPARE(app.MainFrame()->Frames().size(), 2);
        for (CChildFrame *f : app.MainFrame()->Frames())
            f->close();
        app.ExitInstance();
        QVERIFY(Settings::Contains(setting::kShowToolbar));
        QVERIFY(Settings::Contains(setting::kShowStatusbar));
    }

    // The Russian texts of Qt's own dialogs are a dependency the install script brings: without
    // them the file, print and page set-up dialogs speak English, and this fails.
    void standardDialogsSpeakRussian() {
        QVERIFY2(CDravoApp::InstallTranslations(),
                 qPrintable(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                            QStringLiteral("/qtbase_ru.qm is missing")));
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        CDravoApp app(Quiet());
        QVERIFY(app.InitInstance({}));
        // The buttons of a borrowed dialog, and a file dialog's own labels.
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
        QCOMPARE(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("Сохранить"));
        QVERIFY(QCoreApplication::translate("QFileDialog", "Files of type:") !=
                QStringLiteral("Files of type:"));
        for (CChildFrame *f : app.MainFrame()->Frames())
            f->close();
    }

    void aFileOnTheCommandLineOpensIt() {
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        CDravoApp app(Quiet());
        QVERIFY(app.InitInstance({apptest::SampleTemplate()}));
        QCOMPARE(app.MainFrame()->Frames().size(), 1);
        QCOMPARE(app.MainFrame()->ActiveView()->GetDocument()->Path(),
                 QFileInfo(apptest::SampleTemplate()).absoluteFilePath());
        QCOMPARE(Settings::RecentFiles().value(0),
                 QFileInfo(apptest::SampleTemplate()).absoluteFilePath());
    }

    void aBadCommandLineEndsTheStart() {
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        CDravoApp app(Quiet());
        QVERIFY(!app.InitInstance({QStringLiteral("--no-such-switch")}));
        QVERIFY(app.ExitCode() != 0);
        QVERIFY(!app.MainFrame());
    }

    // With no program running, a file on the command line that cannot be opened is reported,
    // and the start then ends with failure (the program exits).
    void aFileThatCannotBeOpenedEndsTheStart() {
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        CDravoApp app(Quiet());
        QVERIFY(!app.InitInstance({dir.filePath(QStringLiteral("MISSING.adf"))}));
        QCOMPARE(app.ExitCode(), 1);
        const QStringList messages = MessageBox::takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(QStringLiteral("Не удалось открыть документ")),
                 qPrintable(messages[0]));
    }

    void missingDataFilesAreReportedAndTheWorkGoesOn() {
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        CDravoApp::PrepareDataFolder(dir.path());
        // The user removed both files: the program reports them and creates neither.
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("Data/buff.dat"))));
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("Data/usr.dat"))));
        CDravoApp app(Quiet());
        QVERIFY(app.InitInstance({}));
        const QStringList messages = MessageBox::takeMessages();
        QVERIFY2(messages.contains(QStringLiteral("Не удалось открыть файл со списками данных")),
                 qPrintable(messages.join('|')));
        QVERIFY2(messages.contains(QStringLiteral("Не найден файл реквизитов пользователя")),
                 qPrintable(messages.join('|')));
        QCOMPARE(app.MainFrame()->Frames().size(), 1);
        for (CChildFrame *f : app.MainFrame()->Frames())
            f->close();
        app.ExitInstance();
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Data/buff.dat"))));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Data/usr.dat"))));
    }

    void databasesAreMadeAtStartWhenMissing() {
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        CDravoApp::PrepareDataFolder(dir.path());
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("Data/fct.db"))));
        CDravoApp app(Quiet());
        QVERIFY(app.InitInstance({}));
        QVERIFY2(MessageBox::takeMessages().isEmpty(), "nothing to report");
        for (const char *f : {"Data/fct.db", "Data/reg.db", "Data/tables.db"})
            QVERIFY2(QFileInfo::exists(dir.filePath(QString::fromLatin1(f))), f);
        QVERIFY(app.MainFrame()->ActiveView()->GetDocument()->Database());
        for (CChildFrame *f : app.MainFrame()->Frames())
            f->close();
    }

    // A file in the database's place that is no database: it is reported, left as it is, and
    // the page shows the counterparty's blank forms.
    void aBrokenDatabaseIsReportedAndThePageShowsBlankForms() {
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        CDravoApp::PrepareDataFolder(dir.path());
        const QString fct = dir.filePath(QStringLiteral("Data/fct.db"));
        QVERIFY(QFile::remove(fct));
        {
            QFile broken(fct);
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write(QByteArray(4096, 'x'));
        }
        CDravoApp app(Quiet());
        QVERIFY(app.InitInstance({}));
        const QStringList messages = MessageBox::takeMessages();
        QVERIFY2(!messages.isEmpty() && messages.first().startsWith(QStringLiteral(
                                            "Не удалось подготовить файл базы данных")),
                 qPrintable(messages.join('|')));
        QVERIFY2(messages.contains(QStringLiteral("Не удалось открыть файл баз данных")),
                 qPrintable(messages.join('|')));
        QFile check(fct);
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray(4096, 'x'));
        CHolderView *view = app.MainFrame()->ActiveView();
        QVERIFY(view && !view->GetDocument()->Database());
        QVERIFY(apptest::WaitForPage(view));
        QVERIFY(view->PageText().contains(std::string(25, '_').c_str()));
        QVERIFY(view->PageText().contains(std::string("ОКВЭД"_w).c_str()));
        for (CChildFrame *f : app.MainFrame()->Frames())
            f->close();
    }

    void listsAreSavedAtExit() {
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        {
            CDravoApp app(Quiet());
            QVERIFY(app.InitInstance({}));
            CPar list;
            list.m_head.m_strName = "test list";
            Shell().lists.m_arArticles.push_back(list);
            for (CChildFrame *f : app.MainFrame()->Frames())
                f->close();
        }
        CBody lists;
        std::string error;
        QVERIFY(
            LoadLists(dir.filePath(QStringLiteral("Data/buff.dat")).toStdString(), lists, error));
        QCOMPARE(lists.ArticleCount(), std::size_t(1));
        QCOMPARE(lists.Article(0).m_head.m_strName, std::string("test list"));
        Shell().lists = NewListsBody();
    }

    void damagedListsAreSetAsideAndNeverStoredOver() {
        QTemporaryDir dir;
        Settings::SetProgramFolder(dir.path());
        CDravoApp::PrepareDataFolder(dir.path());
        const QString path = dir.filePath(QStringLiteral("Data/buff.dat"));
        CBody stored = NewListsBody();
        CPar remembered;
        remembered.m_head.m_strName = "город"_w;
        stored.m_arArticles.push_back(remembered);
        std::string error;
        QVERIFY(SaveLists(path.toStdString(), stored, error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray damaged = file.readAll().chopped(1);
        QVERIFY(file.resize(damaged.size()));
        file.close();
        {
            CDravoApp app(Quiet());
            QVERIFY(app.InitInstance({}));
            const QStringList messages = MessageBox::takeMessages();
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].contains(path + QStringLiteral(": Unexpected file format.")),
                     qPrintable(messages[0]));
            QVERIFY2(messages[0].contains(QStringLiteral("Поврежденный файл сохранен как ") + path +
                                          QStringLiteral(".damaged-")),
                     qPrintable(messages[0]));
            QCOMPARE(Shell().lists.ArticleCount(), std::size_t(0));
            CPar list;
            list.m_head.m_strName = "new list";
            Shell().lists.m_arArticles.push_back(list);
            for (CChildFrame *f : app.MainFrame()->Frames())
                f->close();
        }
        // The damaged bytes stay, whole, under a name that says so; the session's lists went to
        // the fresh file.
        const QStringList aside = QDir(dir.filePath(QStringLiteral("Data")))
                                      .entryList({QStringLiteral("buff.dat.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QFile kept(dir.filePath(QStringLiteral("Data/") + aside[0]));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), damaged);
        CBody lists;
        QVERIFY(LoadLists(path.toStdString(), lists, error));
        QCOMPARE(lists.ArticleCount(), std::size_t(1));
        QCOMPARE(lists.Article(0).m_head.m_strName, std::string("new list"));
        Shell().lists = NewListsBody();
    }
};

DRAVO_APP_TEST_MAIN(StartupTest)
#include "startup_test.moc"
