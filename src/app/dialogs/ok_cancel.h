// The OK and "Отмена" buttons of the data dialogs, wired to accept and reject.
#pragma once

#include <QDialogButtonBox>
#include <QString>

#include <initializer_list>

namespace dravo {

// okText is the dialog's own caption of its OK button ("ОК", "&ОК"); OK is the default button.
// The buttons are named "ok" and "cancel" for tests.
QDialogButtonBox *AddOkCancel(QDialog &dialog, const QString &okText);

// OK's check of the text fields (line edits and text edits): when one holds a character the code
// page cannot keep, a warning names it, that field takes the focus and the result is false (the
// dialog stays open). Nothing is ever stored with the character replaced.
bool FieldsFitCodePage(QWidget &dialog, std::initializer_list<QWidget *> fields);

} // namespace dravo
