// Dialog 146 "Реквизиты пользователя": the user's own requisites as a party of the contract,
// kept in "usr.dat".
#pragma once

#include "core/user.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace dravo {

class CHolderDoc;

class UserRequisitesDialog : public QDialog {
    Q_OBJECT
  public:
    // The texts the dialog shows, in its order, with their captions.
    struct Field {
        std::size_t index; // into CUser's texts
        const char *caption;
    };
    static const std::array<Field, 8> kFields;

    // Edits user in place on OK.
    explicit UserRequisitesDialog(CUser &user, QWidget *parent = nullptr);

    void accept() override;

  private:
    CUser &m_user;
    std::array<QLineEdit *, 8> m_edits{};
};

// Command 2003 and DirRekv(1) on a template: reloads the document's copy of the requisites from
// userFile, shows the dialog and on OK stores them back. A file that cannot be read or written
// gives its message; a missing file is never created. True on OK (the caller refreshes the page;
// the document is not marked modified).
bool RunUserRequisitesDialog(QWidget *parent, CHolderDoc &doc, const QString &userFile);

} // namespace dravo
