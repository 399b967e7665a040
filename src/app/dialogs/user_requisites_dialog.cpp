#include "app/dialogs/user_requisites_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/ok_cancel.h"
#include "app/holderdoc.h"
#include "app/messagebox.h"
#include "refdata/qt_text.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravo {

using refdata::FromQt;
using refdata::ToQt;

const std::array<UserRequisitesDialog::Field, 8> UserRequisitesDialog::kFields = {{
    {CUser::UserName, "Наименование"},
    {CUser::ReferredAs, "именуем(ое)"},
    {CUser::RepresentedBy, "в лице"},
    {CUser::AddressAndTaxId, "Адрес, ИНН"},
    {CUser::PaymentDetails, "Платежные реквизиты"},
    {CUser::Phones, "Телефоны, факс"},
    {CUser::SignatureLine, "Строка для подписи"},
    {CUser::Settlement, "Населенный пункт"},
}};

UserRequisitesDialog::UserRequisitesDialog(CUser &user, QWidget *parent)
    : QDialog(parent), m_user(user) {
    setWindowTitle(QStringLiteral("Реквизиты пользователя"));
    auto *form = new QFormLayout;
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        m_edits[i] = new QLineEdit(ToQt(user.Text(kFields[i].index)), this);
        m_edits[i]->setObjectName(QStringLiteral("field%1").arg(kFields[i].index));
        m_edits[i]->setMinimumWidth(380);
        form->addRow(QString::fromUtf8(kFields[i].caption), m_edits[i]);
    }
    QDialogButtonBox *buttons = AddOkCancel(*this, QStringLiteral("ОК"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void UserRequisitesDialog::accept() {
    for (QLineEdit *edit : m_edits)
        if (!FieldsFitCodePage(*this, {edit}))
            return;
    for (std::size_t i = 0; i < kFields.size(); ++i)
        m_user.Text(kFields[i].index) = FromQt(m_edits[i]->text());
    QDialog::accept();
}

bool RunUserRequisitesDialog(QWidget *parent, CHolderDoc &doc, const QString &userFile) {
    QString loadError;
    if (!doc.LoadUser(userFile, &loadError))
        MessageBox::Warning(parent, loadError);
    UserRequisitesDialog dialog(doc.m_user, parent);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return false;
    std::string saveError;
    if (!SaveUserRequisites(userFile.toStdString(), doc.m_user, saveError))
        MessageBox::Warning(parent, ToQt(saveError));
    return true;
}

} // namespace dravo
