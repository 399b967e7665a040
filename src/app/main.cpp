// The window program: prepares the process, runs the start-up sequence and the event loop.
#include "app/process.h"

#include <QApplication>

int main(int argc, char **argv) {
    dravo::PrepareProcess();
    QApplication app(argc, argv);
    return 0;
}
