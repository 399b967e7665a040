// Shared pieces of the window tests: the main() that prepares the process as the program does,
// a private data folder with the shipped skeleton, and helpers that wait for pages and run the
// page's script.
#pragma once

#include "app/application.h"
#include "app/holderview.h"
#include "app/messagebox.h"
#include "app/process.h"
#include "app/roots.h"
#include "app/settings.h"
#include "app/systemshell.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QtTest>

namespace apptest {

// Writes content to path, making its folder first; the test fails when it cannot.
inline void WriteFile(const QString &path, const QByteArray &content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// The sample template built from resources/templates.
inline QString SampleTemplate() {
    return QStringLiteral(DRAVO_BINARY_DIR) + QStringLiteral("/resources/Templates/") +
           QStringLiteral("Договор купли-продажи.adf");
}

// Empties the settings and makes folder the program folder, filled from the skeleton.
inline void FreshDataFolder(const QString &folder) {
    QSettings().clear();
    QSettings().sync();
    dravo::CDravoApp::PrepareSettingsAndRoots(folder);
}

// Waits until the view has loaded a page (or the time is up).
inline bool WaitForPage(dravo::CHolderView *view, int ms = 20000) {
    if (view->PageLoaded())
        return true;
    QSignalSpy spy(view, &dravo::CHolderView::pageLoaded);
    return spy.wait(ms) && spy.first().first().toBool();
}

// Runs script in the page and returns its value.
inline QVariant RunJs(dravo::CHolderView *view, const QString &script, int ms = 10000) {
    QVariant result;
    QEventLoop loop;
    bool done = false;
    view->page()->runJavaScript(script, QWebEngineScript::MainWorld, [&](const QVariant &v) {
        result = v;
        done = true;
        loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    return result;
}

} // namespace apptest

#define DRAVO_APP_TEST_MAIN(TestObject)                                                            \
    int main(int argc, char **argv) {                                                              \
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");                                               \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        /* A home of its own: test programs run side by side without sharing settings. */          \
        QTemporaryDir home;                                                                        \
        qputenv("HOME", home.path().toLocal8Bit());                                                \
        qunsetenv("XDG_CONFIG_HOME");                                                              \
        qunsetenv("XDG_DATA_HOME");                                                                \
        qunsetenv("XDG_CACHE_HOME");                                                               \
        dravo::PrepareProcess();                                                                   \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QApplication app(argc, argv);                                                              \
        dravo::MessageBox::setTestMode(true);                                                      \
        dravo::SystemShell::setTestMode(true);                                                     \
        int rc = 0;                                                                                \
        {                                                                                          \
            TestObject tc;                                                                         \
            QTEST_SET_MAIN_SOURCE_PATH                                                             \
            rc = QTest::qExec(&tc, argc, argv);                                                    \
        }                                                                                          \
        return rc;                                                                                 \
    }
