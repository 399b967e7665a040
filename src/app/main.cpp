// The window program: prepares the process, runs the start-up sequence and the event loop.
#include "app/application.h"
#include "app/process.h"

#include <QApplication>
#include <QIcon>
#include <unistd.h>

int main(int argc, char **argv) {
    // The web engine's sandbox cannot run for the superuser.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // "dravo /pdf FILE.adf OUT.pdf" writes a file and shows nothing: no display is needed.
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = QByteArray(argv[i]).toLower();
        if ((arg == "/pdf" || arg == "-pdf" || arg == "--pdf") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    dravo::PrepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(DRAVO_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/dravo.svg")));
    int rc = 0;
    {
        dravo::CDravoApp dravo;
        if (!dravo.InitInstance(QApplication::arguments().mid(1)))
            return dravo.ExitCode();
        rc = app.exec();
        dravo.ExitInstance();
    }
    return rc;
}
