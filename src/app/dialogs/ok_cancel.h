// The OK and "Отмена" buttons of the data dialogs, wired to accept and reject.
#pragma once

#include <QDialogButtonBox>
#include <QString>

namespace dravo {

// okText is the dialog's own caption of its OK button ("ОК", "&ОК"); OK is the default button.
// The buttons are named "ok" and "cancel" for tests.
QDialogButtonBox *AddOkCancel(QDialog &dialog, const QString &okText);

} // namespace dravo
