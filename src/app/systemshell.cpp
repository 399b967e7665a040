#include "app/systemshell.h"

#include <QDesktopServices>

namespace dravo {

namespace {
bool g_testMode = false;
QList<QUrl> g_opened;
} // namespace

bool SystemShell::Open(const QUrl &url) {
    g_opened << url;
    if (g_testMode)
        return true;
    return QDesktopServices::openUrl(url);
}

void SystemShell::setTestMode(bool on) {
    g_testMode = on;
}

QList<QUrl> SystemShell::takeOpened() {
    QList<QUrl> out;
    out.swap(g_opened);
    return out;
}

} // namespace dravo
