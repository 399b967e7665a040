#include "app/systemshell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace dravo {

namespace {
bool g_testMode = false;
bool g_testResult = true;
QList<QUrl> g_opened;
QList<QStringList> g_started;
} // namespace

bool SystemShell::Open(const QUrl &url) {
    g_opened << url;
    if (g_testMode)
        return g_testResult;
    // The desktop's opener says when it found no program for the address (no web browser, no
    // mail program) by failing soon; one still busy after a moment has started a program.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(url);
    auto *process = new QProcess(QCoreApplication::instance());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(opener, {url.toString(QUrl::FullyEncoded)});
    if (!process->waitForStarted(3000)) {
        process->deleteLater();
        return false;
    }
    if (!process->waitForFinished(3000))
        return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

bool SystemShell::Start(const QString &program, const QStringList &arguments) {
    g_started << (QStringList{program} + arguments);
    if (g_testMode)
        return true;
    return QProcess::startDetached(program, arguments);
}

QList<QStringList> SystemShell::takeStarted() {
    QList<QStringList> out;
    out.swap(g_started);
    return out;
}

void SystemShell::setTestMode(bool on) {
    g_testMode = on;
    g_testResult = true;
}

void SystemShell::setTestResult(bool opened) {
    g_testResult = opened;
}

QList<QUrl> SystemShell::takeOpened() {
    QList<QUrl> out;
    out.swap(g_opened);
    return out;
}

} // namespace dravo
