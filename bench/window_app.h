// The one application object of a window benchmark: offscreen, prepared as the program prepares
// its own process, made at the first use.
#pragma once

#include "app/process.h"

#include <QApplication>

namespace dravo::bench {

inline QApplication &App() {
    static int argc = 1;
    static char name[] = "bench";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        PrepareProcess();
        return new QApplication(argc, argv);
    }();
    return *app;
}

} // namespace dravo::bench
