#include "app/dialogs/ok_cancel.h"

#include <QDialog>
#include <QPushButton>

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

} // namespace dravo
