// How the data commands run their modal dialogs, with a seam for tests: a test queues what the
// next dialog does (fill its controls, press its buttons, close it). While the program's message
// boxes are in test mode and nothing is queued, a dialog is cancelled without being shown, so a
// test that clicks the page never waits on a window nobody will close.
#pragma once

#include <QDialog>

#include <functional>

namespace dravo {

class DialogSeam {
  public:
    // Runs on the shown dialog, once its showing has returned, inside the loop that waits for it;
    // it must end with accept() or reject().
    using Script = std::function<void(QDialog &)>;

    // Queues the script of the next dialog (first in, first out).
    static void setNextScript(Script script);
    // Dialogs still waiting for their turn.
    static int pendingScripts();

    // QDialog::exec(), or the queued script, or an immediate Rejected in test mode.
    static int Exec(QDialog &dialog);
};

} // namespace dravo
