// The hand-offs of the document menu: command 2042 writes the contract as RTF and opens it in the
// word processor (asking for its folder once when none is found); "Сохранить в PDF..." and
// "dravo /pdf" write the page as PDF.
#include "apptest.h"

#include "app/commandline.h"
#include "app/commands.h"
#include "app/filedialog.h"
#include "app/holderdoc.h"
#include "app/mainframe.h"
#include "app/wordexport.h"
#include "core/text.h"

#include <QFile>
#include <QProcess>

using namespace dravo;

namespace {

QByteArray ReadFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A folder holding an executable "soffice" that does nothing.
QString FakeOffice(const QString &folder) {
    QDir().mkpath(folder);
    QFile f(folder + QStringLiteral("/soffice"));
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
    return folder;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir m_dir;
    QByteArray m_path;

  private slots:
    void initTestCase() { m_path = qgetenv("PATH"); }
    void init() {
        QVERIFY(m_dir.isValid());
        apptest::FreshDataFolder(m_dir.path());
        MessageBox::takeMessages();
        SystemShell::takeOpened();
        SystemShell::takeStarted();
        // No desktop handler and no word processor on the search path unless a test adds one.
        qputenv("PATH", QFile::encodeName(m_dir.path() + QStringLiteral("/empty")));
    }
    void cleanup() { qputenv("PATH", m_path); }

    void exportNamesNeverReplaceAFile() {
        const QString folder = m_dir.path() + QStringLiteral("/w");
        QDir().mkpath(folder);
        const QString first = WordExportPath(folder, QStringLiteral("Договор: аренда/1"));
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("Договор аренда1.rtf"));
        QFile(first).open(QIODevice::WriteOnly);
        QCOMPARE(QFileInfo(WordExportPath(folder, QStringLiteral("Договор: аренда/1"))).fileName(),
                 QStringLiteral("Договор аренда1 (2).rtf"));
        QCOMPARE(QFileInfo(WordExportPath(folder, QStringLiteral(" ..\t"))).fileName(),
                 QStringLiteral("Документ.rtf"));
    }

    void openInWordAsksOnceForTheFolderAndRemembersIt() {
        CMainFrame frame;
        CHolderView *view = frame.OpenDocument(apptest::SampleTemplate());
        QVERIFY(view && apptest::WaitForPage(view));
        QVERIFY(frame.CommandEnabled(ID_OPEN_IN_WORD));

        // Nothing found: the question, then the folder; a folder without the program is said so.
        const QString office = FakeOffice(m_dir.path() + QStringLiteral("/office"));
        MessageBox::setNextAnswer(MessageBox::Ok);
        FileDialog::setNextFileName(m_dir.path());
        MessageBox::setNextAnswer(MessageBox::Ok);
        FileDialog::setNextFileName(office);
        frame.OnCommand(ID_OPEN_IN_WORD);
        const QStringList messages = MessageBox::takeMessages();
        QCOMPARE(messages.size(), 3);
        QVERIFY(messages[0].startsWith(
            QStringLiteral("Microfoft Word не найден. Укажите путь к папке, в которой находится "
                           "файл WINWORD.EXE \n( Например: C:\\Program Files\\Microsoft "
                           "Office\\Office )")));
        QVERIFY(messages[0].contains(QStringLiteral("LibreOffice Writer")));
        QVERIFY(messages[1].contains(QStringLiteral("нет программы soffice")));
        QCOMPARE(Settings::ReadPathSetting(setting::kWordFolder), office);
        QList<QStringList> started = SystemShell::takeStarted();
        QCOMPARE(started.size(), 1);
        QCOMPARE(started[0].first(), office + QStringLiteral("/soffice"));
        const QString file = started[0].at(1);
        QCOMPARE(QFileInfo(file).absolutePath(), WordExportFolder());
        QVERIFY(QFileInfo(file).fileName().endsWith(QStringLiteral(".rtf")));
        const QByteArray rtf = ReadFile(file);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251"));
        QVERIFY(rtf.contains(QByteArray::fromStdString(FromUtf8("ПРЕДМЕТ ДОГОВОРА"))));

        // The next time the remembered folder is used; the first file stays as it was.
        frame.OnCommand(ID_OPEN_IN_WORD);
        QVERIFY(MessageBox::takeMessages().isEmpty());
        started = SystemShell::takeStarted();
        QCOMPARE(started.size(), 1);
        QVERIFY(started[0].at(1) != file);
        QCOMPARE(ReadFile(file), rtf);

        // Cancel: nothing is started.
        Settings::WritePathSetting(setting::kWordFolder, QString());
        frame.OnCommand(ID_OPEN_IN_WORD);
        QCOMPARE(MessageBox::takeMessages().size(), 1);
        QVERIFY(SystemShell::takeStarted().isEmpty());
    }

    void savePdfWritesThePageAsShown() {
        CMainFrame frame;
        CHolderView *view = frame.OpenDocument(apptest::SampleTemplate());
        QVERIFY(view && apptest::WaitForPage(view));
        const QString pdf = m_dir.path() + QStringLiteral("/договор.pdf");
        FileDialog::setNextFileName(pdf);
        frame.OnCommand(ID_SAVE_PDF);
        QVERIFY(MessageBox::takeMessages().isEmpty());
        QVERIFY(ReadFile(pdf).startsWith("%PDF"));
        // Cancel writes nothing.
        FileDialog::setNextFileName(QString());
        QFile::remove(pdf);
        frame.OnCommand(ID_SAVE_PDF);
        QVERIFY(!QFileInfo::exists(pdf));
    }

    void commandLinePdf() {
        QCOMPARE(ParseCommandLine({"/pdf", "a.adf", "b.pdf"}).action, CommandLine::SavePdf);
        QCOMPARE(ParseCommandLine({"-PDF", "a.adf", "b.pdf"}).output, QStringLiteral("b.pdf"));
        QVERIFY(!ParseCommandLine({"/pdf", "a.adf"}).error.isEmpty());

        // The program itself, without a window: the PDF's text and pages read back.
        const QString program = QStringLiteral(DRAVO_BINARY_DIR) + QStringLiteral("/src/app/dravo");
        qputenv("PATH", m_path);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString pdf = m_dir.path() + QStringLiteral("/page.pdf");
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.path());
        run.setProcessEnvironment(env);
        run.start(program, {QStringLiteral("/pdf"), apptest::SampleTemplate(), pdf});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(20000));
        const QString shown = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(shown.contains(QStringLiteral("ДОГОВОР")), qPrintable(shown.left(400)));
        QVERIFY(shown.contains(QStringLiteral("ПРЕДМЕТ ДОГОВОРА")));
        QVERIFY(shown.contains(QStringLiteral("ЗАКЛЮЧИТЕЛЬНЫЕ ПОЛОЖЕНИЯ")));
        QVERIFY(shown.count(QLatin1Char('\f')) >= 2); // the contract takes more than one page

        // A file that cannot be read: exit status 1 and the reason on standard error, no PDF.
        const QString none = m_dir.path() + QStringLiteral("/none.pdf");
        run.start(program,
                  {QStringLiteral("/pdf"), m_dir.path() + QStringLiteral("/none.adf"), none});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 1);
        QVERIFY(!run.readAllStandardError().isEmpty());
        QVERIFY(!QFileInfo::exists(none));
    }
};

DRAVO_APP_TEST_MAIN(ExportTest)
#include "export_test.moc"
