#include "app/application.h"

#include "app/desktop.h"
#include "app/dialogs/tip_dialog.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/instance.h"
#include "app/mainframe.h"
#include "app/messagebox.h"
#include "app/roots.h"
#include "app/settings.h"
#include "app/shell.h"
#include "app/timing.h"
#include "app/wordexport.h"
#include "core/body_io.h"
#include "core/fileio.h"
#include "core/styles.h"
#include "core/text.h"
#include "core/user.h"
#include "refdata/schema.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

namespace dravo {

namespace {

QString Shown(const std::string &cp1251) {
    return QString::fromStdString(ToUtf8(cp1251));
}

// An empty file, then the core's own writer over it: the writers never create a file.
void CreateDataFile(const QString &path, const std::function<void(const std::string &)> &store) {
    if (QFileInfo::exists(path))
        return;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return;
    f.close();
    store(path.toStdString());
}

} // namespace

CDravoApp::CDravoApp() : CDravoApp(Options{}) {}

CDravoApp::CDravoApp(Options options) : m_options(options) {
    m_startClock.start();
}

CDravoApp::~CDravoApp() {
    ExitInstance();
}

void CDravoApp::PrepareDataFolder(const QString &dataFolder) {
    // The shipped templates and data arrive once, with a new data folder: a sample the user
    // deleted later stays deleted.
    const bool firstRun = !QFileInfo(dataFolder + QStringLiteral("/Data")).isDir();
    QDir().mkpath(dataFolder);
    for (const char *sub : {"Data", "Templates", "Registers"})
        QDir().mkpath(dataFolder + QLatin1Char('/') + QLatin1String(sub));
    if (!firstRun)
        return;
    const QString skeleton = FindDataSkeleton();
    if (!skeleton.isEmpty())
        InstallDataSkeleton(skeleton, dataFolder, nullptr);
    // Whatever the skeleton lacked: empty requisites and lists, the reference database and the
    // library's journals built from the program's schema. Later the program creates none of
    // them: a file the user removed is reported where it is needed.
    CreateDataFile(dataFolder + QStringLiteral("/Data/usr.dat"), [](const std::string &p) {
        std::string error;
        SaveUserRequisites(p, CUser{}, error);
    });
    CreateDataFile(dataFolder + QStringLiteral("/Data/buff.dat"), [](const std::string &p) {
        std::string error;
        CBody lists = NewListsBody();
        SaveLists(p, lists, error);
    });
    CreateDataFile(dataFolder + QStringLiteral("/Data/stl.dat"), [](const std::string &p) {
        std::string error;
        StyleFile styles = ShippedStyleFile();
        StoreStyleFile(p, styles, error);
    });
    const QString fct = refdata::FctPath(dataFolder);
    if (!QFileInfo::exists(fct))
        refdata::InitDatabase(fct, refdata::DatabaseKind::Reference, nullptr);
    const QString reg = refdata::RegPath(dataFolder);
    if (!QFileInfo::exists(reg))
        refdata::InitDatabase(reg, refdata::DatabaseKind::Journals, nullptr);
}

QStringList CDravoApp::PrepareSettingsAndRoots(const QString &programFolder) {
    Settings::SetProgramFolder(programFolder);
    PrepareDataFolder(programFolder);
    Roots::Resolve();
    if (!Settings::Contains(setting::kShowToolbarText))
        Settings::WriteFlagSetting(1, setting::kShowToolbarText);
    // The databases where the roots now point: made when missing, completed when an older
    // program left tables out; a file that is no database is left as it is.
    return refdata::EnsureDatabases(Roots::TemplatesRoot(), Roots::DatabaseRoot());
}

bool CDravoApp::InstallTranslations() {
    // The program speaks Russian whatever the desktop's language: the standard dialogs it
    // borrows (file choice, printing, page set-up, the buttons of message boxes) do so as well.
    static QTranslator *translator = nullptr;
    if (translator)
        return true;
    auto *t = new QTranslator(QCoreApplication::instance());
    if (!t->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                 QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    translator = t;
    return true;
}

bool CDravoApp::InitInstance(const QStringList &arguments) {
    InstallTranslations();
    const CommandLine cl = ParseCommandLine(arguments);
    if (!cl.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", cl.error.toLocal8Bit().constData());
        m_exitCode = 2;
        return false;
    }

    // A template opened from the desktop while the program runs goes to the running program.
    const bool plainRun =
        cl.grabFile.isEmpty() && !cl.timing && cl.captions < 0 && cl.action != CommandLine::SavePdf;
    // A PDF made from the command line shows nothing: its messages go to standard error.
    if (cl.action == CommandLine::SavePdf)
        MessageBox::setTestMode(true);
    if (m_options.singleInstance && plainRun && cl.action == CommandLine::OpenFile &&
        PassToRunningInstance(cl.file)) {
        m_exitCode = 0;
        return false;
    }

    // The installed font families, once.
    Shell().fontFaceList = QFontDatabase::families(QFontDatabase::Cyrillic);

    // The per-user data folder stands for the program folder.
    const QStringList databaseFailures = PrepareSettingsAndRoots(Settings::ProgramFolder());

    // Qt always offers its own print preview.
    Shell().previewAvailable = true;

    if (cl.action == CommandLine::Register || cl.action == CommandLine::Unregister) {
        if (cl.action == CommandLine::Register) {
            RegisterDocumentType(QCoreApplication::applicationFilePath());
        } else {
            const DesktopFiles files = DesktopFileLocations();
            for (const QString &f : {files.mimePackage, files.desktopEntry})
                QFile::remove(f);
        }
        m_exitCode = 0;
        return false;
    }

    m_mainFrame = std::make_unique<CMainFrame>();
    if (cl.captions >= 0)
        m_mainFrame->SetShowToolbarText(cl.captions == 1);

    // A database that could not be made is said once; the documents then work without it.
    for (const QString &failure : databaseFailures)
        MessageBox::Information(m_mainFrame.get(),
                                QStringLiteral("Не удалось подготовить файл базы данных\n") +
                                    failure);

    // The value lists of the variable-data entry.
    std::string error;
    if (!LoadListsKeepingDamaged(Roots::DataFile(QStringLiteral("buff.dat")).toStdString(),
                                 Shell().lists, error))
        MessageBox::Information(m_mainFrame.get(), Shown(error));

    if (cl.action == CommandLine::SavePdf) {
        // The page is laid out and painted as in a shown window, but nothing reaches the screen.
        m_mainFrame->setAttribute(Qt::WA_DontShowOnScreen);
        m_mainFrame->show();
    } else if (m_options.showWindow) {
        m_mainFrame->show();
    }
    if (m_options.singleInstance && plainRun) {
        auto *server = new InstanceServer(this);
        if (server->Listen())
            connect(server, &InstanceServer::openRequested, this, [this](const QString &path) {
                m_mainFrame->OpenDocument(path);
                m_mainFrame->raise();
                m_mainFrame->activateWindow();
            });
    }
    if (m_options.registerDesktop)
        RegisterDocumentType(QCoreApplication::applicationFilePath());

    if (!ProcessCommandLine(cl))
        return false;
    // The tip of the day, once: only for a plain start on a new document (an opened or printed
    // file, a picture or timing run goes without it), and only while the user wants it.
    if (cl.action == CommandLine::NewDocument && plainRun && !cl.embedded && TipWantedAtStartUp())
        ShowTipOfTheDay(m_mainFrame.get());
    return true;
}

bool CDravoApp::ProcessCommandLine(const CommandLine &cl) {
    CHolderView *view = nullptr;
    switch (cl.action) {
    case CommandLine::NewDocument:
        view = m_mainFrame->NewDocument();
        break;
    case CommandLine::OpenFile:
    case CommandLine::PrintFile:
    case CommandLine::PrintFileTo:
    case CommandLine::SavePdf:
        // A file that cannot be opened has been reported; the start then ends with failure.
        view = m_mainFrame->OpenDocument(cl.file);
        if (!view) {
            ReportQuietMessages(cl);
            m_exitCode = 1;
            return false;
        }
        break;
    default:
        break;
    }
    if (view && (cl.action == CommandLine::PrintFile || cl.action == CommandLine::PrintFileTo ||
                 cl.action == CommandLine::SavePdf || !cl.grabFile.isEmpty() || cl.timing)) {
        connect(
            view, &CHolderView::pageLoaded, this, [this, cl](bool) { AfterFirstPage(cl); },
            Qt::SingleShotConnection);
    }
    return true;
}

void CDravoApp::AfterFirstPage(const CommandLine &cl) {
    CHolderView *view = m_mainFrame->ActiveView();
    if (cl.timing) {
        std::printf("start-to-first-page %lld ms (from the application object)\n"
                    "first-page-epoch-ms %lld\n",
                    static_cast<long long>(m_startClock.elapsed()),
                    static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        std::fflush(stdout);
    }
    if (cl.action == CommandLine::SavePdf) {
        QString error;
        if (!view || !SavePagePdf(view->page(), cl.output, m_mainFrame->PdfLayout(), &error)) {
            std::fprintf(stderr, "%s: %s\n", cl.output.toLocal8Bit().constData(),
                         error.toLocal8Bit().constData());
            m_exitCode = 1;
        }
        ReportQuietMessages(cl);
        m_mainFrame->close();
        QCoreApplication::exit(m_exitCode);
        return;
    }
    if (cl.action == CommandLine::PrintFile || cl.action == CommandLine::PrintFileTo) {
        QPrinter printer(QPrinter::HighResolution);
        if (cl.action == CommandLine::PrintFileTo)
            printer.setPrinterName(cl.printer);
        if (!printer.isValid()) {
            MessageBox::Warning(m_mainFrame.get(), QStringLiteral("Принтер не найден"));
            m_exitCode = 1;
        } else if (view) {
            bool done = false;
            connect(view, &QWebEngineView::printFinished, this, [&done](bool) { done = true; });
            view->print(&printer);
            while (!done)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        m_mainFrame->close();
        QCoreApplication::exit(m_exitCode);
        return;
    }
    if (!cl.grabFile.isEmpty()) {
        // Give the page a moment to paint before the picture is taken.
        QTimer::singleShot(700, this, [this, cl] {
            m_mainFrame->grab().save(cl.grabFile);
            QCoreApplication::exit(0);
        });
        return;
    }
    if (cl.timing && view) {
        auto *timing = new ClickTiming(view, 30, this);
        connect(timing, &ClickTiming::finished, this, [] { QCoreApplication::exit(0); });
        timing->Start();
    }
}

void CDravoApp::ReportQuietMessages(const CommandLine &cl) {
    if (cl.action != CommandLine::SavePdf)
        return;
    for (const QString &message : MessageBox::takeMessages())
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

void CDravoApp::ExitInstance() {
    if (m_exited)
        return;
    m_exited = true;
    if (m_mainFrame)
        m_mainFrame->WriteBarSettings();
    m_mainFrame.reset();
    // The lists go back to their file; a missing file is not reported at exit, and a damaged
    // one is never stored over.
    std::string error;
    SaveLists(Roots::DataFile(QStringLiteral("buff.dat")).toStdString(), Shell().lists, error);
    Settings::Sync();
}

} // namespace dravo
