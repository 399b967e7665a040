#include "app/dialogs/ok_cancel.h"

#include "app/messagebox.h"
#include "refdata/qt_text.h"

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace dravo {

QDialogButtonBox *AddOkCancel(QDialog &dialog, const QString &okText) {
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *ok = buttons->addButton(okText, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

bool FieldsFitCodePage(QWidget &dialog, std::initializer_list<QWidget *> fields) {
    for (QWidget *field : fields) {
        QString text;
        if (auto *line = qobject_cast<QLineEdit *>(field))
            text = line->text();
        else if (auto *plain = qobject_cast<QPlainTextEdit *>(field))
            text = plain->toPlainText();
        else if (auto *rich = qobject_cast<QTextEdit *>(field))
            text = rich->toPlainText();
        QString message;
        if (!refdata::FromQtExact(text, &message)) {
            MessageBox::Warning(&dialog, message);
            field->setFocus();
            return false;
        }
    }
    return true;
}

} // namespace dravo
