// The application object: the start-up sequence (fonts, settings, the data folder and its roots,
// the desktop registration, the main window, the value lists, the command line) and the exit.
#pragma once

#include "app/commandline.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <memory>

namespace dravo {

class CMainFrame;

class CDravoApp : public QObject {
    Q_OBJECT
  public:
    struct Options {
        bool registerDesktop = true; // tests keep the desktop as it is
        bool showWindow = true;
        bool singleInstance = true; // files opened later go to the running program
    };

    CDravoApp();
    explicit CDravoApp(Options options);
    ~CDravoApp() override;

    // Runs the start-up sequence; false when the program must end at once (exitCode tells
    // with what).
    bool InitInstance(const QStringList &arguments);
    // Saves the value lists; called once when the event loop has ended.
    void ExitInstance();
    int ExitCode() const { return m_exitCode; }

    CMainFrame *MainFrame() const { return m_mainFrame.get(); }

    // Prepares the data folder: a new one is filled from the shipped skeleton (never replacing a
    // file); the requisites and lists files and the databases are created when missing.
    static void PrepareDataFolder(const QString &dataFolder);
    // The settings and folders of the start-up: the program folder filled, the roots resolved
    // (the network roots prepared as well), the toolbar captions on when never set, and the
    // databases of both roots made or completed. Returns one line per database that failed.
    static QStringList PrepareSettingsAndRoots(const QString &programFolder);
    // The Russian texts of the standard dialogs, once per process; false when the system has
    // none installed (the dialogs then speak English).
    static bool InstallTranslations();

  private:
    bool ProcessCommandLine(const CommandLine &cl);
    // The messages a run without a window kept, on standard error.
    void ReportQuietMessages(const CommandLine &cl);
    void AfterFirstPage(const CommandLine &cl);

    Options m_options;
    std::unique_ptr<CMainFrame> m_mainFrame;
    QElapsedTimer m_startClock;
    int m_exitCode = 0;
    bool m_exited = false;
};

} // namespace dravo
