#include "app/process.h"

#include <QCoreApplication>
#include <QWebEngineUrlScheme>

namespace dravo {

void PrepareProcess() {
    static bool done = false;
    if (done)
        return;
    done = true;
    // Pages of this scheme are local, so they may run their own script; nothing else may be
    // loaded by them (the request interceptor enforces that).
    QWebEngineUrlScheme scheme(kPageScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed |
                    QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
    QWebEngineUrlScheme::registerScheme(scheme);

    QCoreApplication::setOrganizationName(QStringLiteral("DRAVO"));
    QCoreApplication::setApplicationName(QStringLiteral("ДРАВО Договор"));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace dravo
