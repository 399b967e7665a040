#include "app/dialogs/dialog_seam.h"

#include "app/messagebox.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <deque>

namespace dravo {

namespace {

std::deque<DialogSeam::Script> &Queue() {
    static std::deque<DialogSeam::Script> queue;
    return queue;
}

} // namespace

void DialogSeam::setNextScript(Script script) {
    Queue().push_back(std::move(script));
}

int DialogSeam::pendingScripts() {
    return int(Queue().size());
}

int DialogSeam::Exec(QDialog &dialog) {
    if (Queue().empty()) {
        if (MessageBox::testMode())
            return QDialog::Rejected;
        return dialog.exec();
    }
    Script script = std::move(Queue().front());
    Queue().pop_front();
    // The dialog is shown first and the script runs once the showing has returned: a dialog
    // whose showing runs a loop of its own (print preview making its pages) would otherwise
    // take the script's close before its own loop began, and wait for ever.
    dialog.setResult(QDialog::Rejected);
    dialog.setAttribute(Qt::WA_ShowModal, true);
    QPointer<QDialog> target(&dialog);
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    QTimer::singleShot(0, &dialog, [target, script] {
        if (!target || !target->isVisible())
            return; // closed while it was shown
        script(*target);
        // A script that forgot to close its dialog must not leave the test waiting.
        if (target && target->isVisible())
            target->reject();
    });
    if (target && target->isVisible())
        loop.exec(QEventLoop::DialogExec);
    return target ? target->result() : int(QDialog::Rejected);
}

} // namespace dravo
