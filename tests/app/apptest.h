// The main() of every window test: prepares the process as the program does, keeps settings and
// data folders apart from the user's (Qt's test mode), and keeps message boxes from blocking.
#pragma once

#include "app/messagebox.h"
#include "app/process.h"

#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

#define DRAVO_APP_TEST_MAIN(TestObject)                                                            \
    int main(int argc, char **argv) {                                                              \
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");                                               \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        dravo::PrepareProcess();                                                                   \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        dravo::MessageBox::setTestMode(true);                                                      \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
