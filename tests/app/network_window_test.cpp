// Network work through the real dialogs and the main window, on a prepared network: ALPHA's share
// "Dravo" in the mount table and beta's in the desktop's mount folder, each holding a copy of the
// program's data, and gamma sharing only "Documents". Dialog 306 opens 305, the choice comes
// back; switching the database alone asks nothing and closes nothing; moving the templates asks,
// Cancel keeps the dialog, OK closes the windows (a modified document asks to be saved); a save
// onto a share whose computer went away fails loudly and loses nothing; the database server is
// checked before it is taken. With DRAVO_SHOTS set to a folder the dialogs leave pictures there.
#include "apptest.h"
#include "widgets.h"

#include "app/childframe.h"
#include "app/commands.h"
#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/network_dialogs.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "app/sharing.h"
#include "app/shell.h"
#include "core/user.h"
#include "refdata/document_database.h"
#include "refdata/schema.h"
#include "refdata/server.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QUuid>

using namespace dravo;

namespace {

using apptest::Shot;

using apptest::Child;

QString Text(QWidget &dialog, const char *edit) {
    return Child<QLineEdit>(dialog, edit)->text();
}

void ClickRow(QListWidget *list, int row, bool twice = false) {
    list->doItemsLayout(); // the list lays its rows out late
    const QPoint at = list->visualItemRect(list->item(row)).center();
    // A double click is a click followed by the double click on the same row.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// The next dialog 305: runs pick on it (the list, the check box), then presses OK.
void InComputers(std::function<void(QDialog &, QListWidget *, QCheckBox *)> pick) {
    DialogSeam::setNextScript([pick](QDialog &d) {
        pick(d, Child<QListWidget>(d, "computers"), Child<QCheckBox>(d, "useLocal"));
        if (d.isVisible())
            Child<QPushButton>(d, "ok")->click();
    });
}

QStringList Items(QListWidget *list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

class NetworkWindowTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
    QString m_alphaMount;
    QString m_alphaCopy;
    QString m_betaCopy;

    QString Local() const { return m_dir.path() + "/local"; }

  private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        apptest::FreshDataFolder(Local());
        // ALPHA in the mount table, beta among the desktop's mounts, gamma without the word.
        m_alphaMount = m_dir.path() + "/mnt/alpha";
        m_alphaCopy = m_alphaMount + "/ДРАВО Договор";
        const QString gvfs = m_dir.path() + "/gvfs";
        m_betaCopy = gvfs + "/smb-share:server=beta,share=dravo/ДРАВО Договор";
        CDravoApp::PrepareDataFolder(m_alphaCopy);
        CDravoApp::PrepareDataFolder(m_betaCopy);
        QDir().mkpath(gvfs + "/smb-share:server=gamma,share=Documents");
        QFile table(m_dir.path() + "/mtab");
        QVERIFY(table.open(QIODevice::WriteOnly));
        // Spaces in the table are written as the kernel writes them.
        table.write("//ALPHA/Dravo " + m_alphaMount.toUtf8().replace(" ", "\\040") +
                    " cifs rw 0 0\n");
        table.close();
        MountSources::Override({m_dir.path() + "/mtab", gvfs});
        // The mounts only: no browsing of whatever network the test machine is on.
        SetNetworkFactory(
            [] { return std::make_unique<MountedShareProvider>(MountSources::Current()); });
        m_frame = std::make_unique<CMainFrame>();
        m_frame->resize(1000, 700);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    }

    void cleanupTestCase() { m_frame.reset(); }

    void init() { MessageBox::takeMessages(); }

    void theDialogsChooseAComputer() {
        NetworkLocation in305;
        DialogSeam::setNextScript([&](QDialog &d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Сетевая работа"));
            QCOMPARE(Text(d, "database"), QStringLiteral("на этом компьютере"));
            QCOMPARE(Text(d, "templates"), QStringLiteral("на этом компьютере"));
            InComputers([&](QDialog &c, QListWidget *list, QCheckBox *local) {
                QCOMPARE(c.windowTitle(),
                         QStringLiteral("Компьютеры в локальной сети c Dravo Document"));
                QCOMPARE(Items(list), (QStringList{"ALPHA", "beta"}));
                QVERIFY(local->isChecked());
                QVERIFY(list->selectedItems().isEmpty());
                Shot(c, "network-computers");
                ClickRow(list, 1);
                QVERIFY(!local->isChecked());
                QTest::mouseClick(local, Qt::LeftButton);
                QVERIFY(local->isChecked());
                QVERIFY(list->selectedItems().isEmpty());
                ClickRow(list, 1);
                in305 = qobject_cast<ComputersDialog *>(&c)->Result();
            });
            Child<QPushButton>(d, "chooseTemplates")->click();
            QCOMPARE(Text(d, "templates"), QStringLiteral("на beta"));
            Shot(d, "network-work");
            Child<QPushButton>(d, "ok")->click();
        });
        NetworkDialog dialog(0);
        QCOMPARE(DialogSeam::Exec(dialog), int(QDialog::Accepted));
        QCOMPARE(in305, (NetworkLocation{false, "beta"}));
        QCOMPARE(dialog.State().Templates(), (NetworkLocation{false, "beta"}));
        QVERIFY(dialog.State().Database().local);
        QVERIFY(!dialog.CloseDocuments()); // no window was open
        QVERIFY(MessageBox::takeMessages().isEmpty());
    }

    void anEmptyListShowsTheExplanation() {
        ComputersDialog dialog({}, "ALPHA", false);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *explanation = Child<QLabel>(dialog, "explanation");
        QVERIFY(explanation->isVisible());
        QVERIFY(!Child<QListWidget>(dialog, "computers")->isVisible());
        const QStringList lines{"",
                                "  Не обраружено компьютеров локальной",
                                "  сети, предоставляющих общий доступ к",
                                "  файлам программы ДРАВО Договор.",
                                "",
                                "  Для сетевой работы, обеспечьте общий",
                                "  полный доступ к папке \"Dravo\" на",
                                "  компьютере, используемом в качестве",
                                "  сервера данных."};
        QCOMPARE(explanation->text(), lines.join('\n'));
        auto *local = Child<QCheckBox>(dialog, "useLocal");
        QVERIFY(local->isChecked());
        QTest::mouseClick(local, Qt::LeftButton);
        QVERIFY(local->isChecked()); // kept on
        Shot(dialog, "network-computers-empty");
        QVERIFY(dialog.Result().local);
    }

    void switchingTheDatabaseOnlyAsksNothingAndClosesNothing() {
        CHolderView *view = m_frame->NewDocument();
        QVERIFY(view);
        view->GetDocument()->SetModified();
        DialogSeam::setNextScript([&](QDialog &d) {
            // A double click on a computer is OK.
            InComputers([](QDialog &c, QListWidget *list, QCheckBox *) {
                ClickRow(list, 0, true);
                QVERIFY(!c.isVisible());
            });
            Child<QPushButton>(d, "chooseDatabase")->click();
            QCOMPARE(Text(d, "database"), QStringLiteral("на ALPHA"));
            Child<QPushButton>(d, "ok")->click();
        });
        m_frame->OnCommand(ID_NETWORK);
        QCOMPARE(DialogSeam::pendingScripts(), 0);
        QVERIFY(MessageBox::takeMessages().isEmpty());
        QCOMPARE(m_frame->Frames().size(), 1);
        QVERIFY(view->GetDocument()->Modified());
        QCOMPARE(Settings::ReadPathSetting(setting::kIsLocalDatabase), QStringLiteral("no"));
        QCOMPARE(Settings::ReadPathSetting(setting::kNetPathDatabase), QStringLiteral("ALPHA"));
        QCOMPARE(Roots::DatabaseRoot(), m_alphaCopy);
        QCOMPARE(Roots::TemplatesRoot(), Local());
        // The open document took its database from there.
        QVERIFY(view->GetDocument()->Database() && view->GetDocument()->Database()->IsOpen());
        QVERIFY(QFileInfo::exists(m_alphaCopy + "/Data/tables.db"));

        // A computer chosen, then "Использовать данные этого компьютера": local use stored.
        DialogSeam::setNextScript([&](QDialog &d) {
            InComputers([](QDialog &, QListWidget *list, QCheckBox *local) {
                QCOMPARE(list->currentRow(), 0); // the current computer
                ClickRow(list, 1);
                QTest::mouseClick(local, Qt::LeftButton);
            });
            Child<QPushButton>(d, "chooseDatabase")->click();
            QCOMPARE(Text(d, "database"), QStringLiteral("на этом компьютере"));
            Child<QPushButton>(d, "ok")->click();
        });
        m_frame->OnCommand(ID_NETWORK);
        QCOMPARE(Settings::ReadPathSetting(setting::kIsLocalDatabase), QStringLiteral("yes"));
        QCOMPARE(Roots::DatabaseRoot(), Local());
        QCOMPARE(m_frame->Frames().size(), 1);
        QVERIFY(MessageBox::takeMessages().isEmpty());
    }

    void movingTheTemplatesClosesTheDocumentsAfterTheQuestion() {
        QCOMPARE(m_frame->Frames().size(), 1);
        m_frame->NewDocument();
        Shell().lists.Paragraph(0).m_strName = "lists of this computer";
        MessageBox::setNextAnswer(MessageBox::Cancel);  // the question: Cancel keeps the dialog
        MessageBox::setNextAnswer(MessageBox::Ok);      // asked again: OK
        MessageBox::setNextAnswer(MessageBox::Discard); // the modified document
        DialogSeam::setNextScript([&](QDialog &d) {
            InComputers([](QDialog &, QListWidget *list, QCheckBox *) { ClickRow(list, 0); });
            Child<QPushButton>(d, "chooseTemplates")->click();
            Child<QPushButton>(d, "ok")->click();
            QVERIFY(d.isVisible());
            QCOMPARE(Text(d, "templates"), QStringLiteral("на ALPHA"));
            QCOMPARE(m_frame->Frames().size(), 2);
            Child<QPushButton>(d, "ok")->click();
        });
        m_frame->OnCommand(ID_NETWORK);
        const QStringList messages = MessageBox::takeMessages();
        QCOMPARE(messages.count(CloseDocumentsQuestion()), 2);
        QCOMPARE(messages.size(), 3); // and the one modified document asked to be saved
        QTRY_COMPARE(m_frame->Frames().size(), 0);
        QCOMPARE(Roots::TemplatesRoot(), m_alphaCopy);
        QCOMPARE(Settings::ReadPathSetting(setting::kIsLocalTemplates), QStringLiteral("no"));
        QCOMPARE(Settings::ReadPathSetting(setting::kNetPathTemplates), QStringLiteral("ALPHA"));
        // The value lists went back to this computer's file and came from ALPHA's.
        CBody local;
        std::string error;
        QVERIFY(LoadLists((Local() + "/Data/buff.dat").toStdString(), local, error));
        QCOMPARE(local.Paragraph(0).m_strName, std::string("lists of this computer"));
        CBody alpha;
        QVERIFY(LoadLists((m_alphaCopy + "/Data/buff.dat").toStdString(), alpha, error));
        QVERIFY(Shell().lists == alpha);
        // With nothing else to be seen of the network, the computer in use is shown.
        SetNetworkFactory([] { return std::make_unique<CombinedProvider>(); });
        NetworkDialog dialog(0);
        QCOMPARE(Text(dialog, "templates"), QStringLiteral("на ALPHA"));
        SetNetworkFactory(
            [] { return std::make_unique<MountedShareProvider>(MountSources::Current()); });
    }

    void aVanishedShareLosesNoDocument() {
        // A template saved on ALPHA's share, changed, and then ALPHA leaves the network.
        CHolderView *view = m_frame->NewDocument();
        CHolderDoc *doc = view->GetDocument();
        QString error;
        const QString path = m_alphaCopy + "/Templates/На сервере.adf";
        QVERIFY2(doc->Save(path, &error), qPrintable(error));
        doc->SetModified();
        QVERIFY(QDir(m_alphaMount).removeRecursively());
        QVERIFY(!m_frame->SaveDocument(view));
        QVERIFY(MessageBox::takeMessages().join('\n').contains("Не удалось сохранить документ"));
        QVERIFY(doc->Modified());
        // Closing asks to save; the save fails, the window stays.
        MessageBox::setNextAnswer(MessageBox::Save);
        QVERIFY(!m_frame->Frames().first()->close());
        QCOMPARE(m_frame->Frames().size(), 1);
        QVERIFY(doc->Modified());
        MessageBox::takeMessages();
        // The next command that reads the roots gives the computer up, with a message.
        m_frame->CheckNetworkRoots();
        const QStringList messages = MessageBox::takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains("Библиотека шаблонов на компьютере ALPHA недоступна"),
                 qPrintable(messages.first()));
        QCOMPARE(Roots::TemplatesRoot(), Local());
        QCOMPARE(Settings::ReadPathSetting(setting::kIsLocalTemplates), QStringLiteral("yes"));
        // Saved where the user chooses now, nothing was lost.
        QVERIFY(doc->Save(Local() + "/Templates/Спасён.adf", &error));
        QVERIFY(QFileInfo::exists(Local() + "/Templates/Спасён.adf"));
        QVERIFY(m_frame->Frames().first()->close());
        QTRY_COMPARE(m_frame->Frames().size(), 0);
    }

    void theOpenDocumentsMoveToTheChosenServer() {
        auto address = refdata::ServerAddress::Parse(qEnvironmentVariable("DRAVO_TEST_SERVER"));
        if (!address)
            QSKIP("no database server in this run");
        // A database of this test's own on the run's server, with the program's tables.
        const QString admin = address->ToString();
        address->database = "t_" + QUuid::createUuid().toString(QUuid::Id128).left(16);
        {
            refdata::SqlConnection db;
            QVERIFY(db.Open(admin, refdata::SqlConnection::OpenMode::ExistingOnly));
            QVERIFY(db.Exec(QStringLiteral("CREATE DATABASE %1").arg(address->database)));
        }
        const QString server = address->ToString();
        QVERIFY(refdata::EnsureServerDatabases(server).isEmpty());

        CHolderView *view = m_frame->NewDocument();
        refdata::DocumentDatabase *db = view->GetDocument()->Database();
        QVERIFY(db && !db->Connection().OnServer());
        const DatabaseServerFields fields = ParseDatabaseServer(server);
        DialogSeam::setNextScript([&](QDialog &d) {
            DialogSeam::setNextScript([&](QDialog &s) {
                Child<QLineEdit>(s, "host")->setText(fields.host);
                Child<QLineEdit>(s, "port")->setText(fields.port);
                Child<QLineEdit>(s, "database")->setText(fields.database);
                Child<QLineEdit>(s, "user")->setText(fields.user);
                Child<QPushButton>(s, "ok")->click();
            });
            Child<QPushButton>(d, "server")->click();
            Child<QPushButton>(d, "ok")->click();
        });
        m_frame->OnCommand(ID_NETWORK);
        QVERIFY2(MessageBox::takeMessages().isEmpty(), "a switch to a server asks nothing");
        db = view->GetDocument()->Database();
        QVERIFY(db && db->IsOpen() && db->Connection().OnServer());
        QCOMPARE(m_frame->Frames().size(), 1);

        // Back to this computer's files, and the database goes.
        QSettings().remove("Settings/DatabaseServer");
        QVERIFY(m_frame->Frames().first()->close());
        QTRY_COMPARE(m_frame->Frames().size(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // its connection
        refdata::SqlConnection drop;
        QVERIFY(drop.Open(admin, refdata::SqlConnection::OpenMode::ExistingOnly));
        drop.Exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(address->database));
    }

    void theDatabaseServerIsCheckedBeforeItIsTaken() {
        DialogSeam::setNextScript([&](QDialog &d) {
            DialogSeam::setNextScript([](QDialog &s) {
                QVERIFY(!s.findChild<QLineEdit *>("password"));
                QCOMPARE(Text(s, "port"), QStringLiteral("5432"));
                auto *ok = Child<QPushButton>(s, "ok");
                Child<QLineEdit>(s, "database")->setText("dravo");
                ok->click(); // no host
                QVERIFY(s.isVisible());
                Child<QLineEdit>(s, "host")->setText("db.office");
                Child<QLineEdit>(s, "port")->setText("70000");
                ok->click();
                QVERIFY(s.isVisible());
                Child<QLineEdit>(s, "port")->setText("5433");
                Child<QLineEdit>(s, "user")->setText("ivan");
                Shot(s, "network-server");
                ok->click();
                QVERIFY(!s.isVisible());
            });
            Child<QPushButton>(d, "server")->click();
            QCOMPARE(Text(d, "database"), QStringLiteral("на сервере db.office:5433/dravo"));
            Child<QPushButton>(d, "ok")->click();
        });
        m_frame->OnCommand(ID_NETWORK);
        const QStringList messages = MessageBox::takeMessages();
        QCOMPARE(messages.size(), 2);
        QVERIFY(messages[0].contains("сервера"));
        QVERIFY(messages[1].contains("65535"));
        QCOMPARE(QSettings().value("Settings/DatabaseServer").toString(),
                 QStringLiteral("postgresql://ivan@db.office:5433/dravo"));
    }
};

DRAVO_APP_TEST_MAIN(NetworkWindowTest)
#include "network_window_test.moc"
