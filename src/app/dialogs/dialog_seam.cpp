#include "app/dialogs/dialog_seam.h"

#include "app/messagebox.h"

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
    QPointer<QDialog> target(&dialog);
    QTimer::singleShot(0, &dialog, [target, script] {
        if (target)
            script(*target);
        // A script that forgot to close its dialog must not leave the test waiting.
        if (target && target->isVisible())
            target->reject();
    });
    return dialog.exec();
}

} // namespace dravo
