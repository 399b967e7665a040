// "   Выбор контрагента": the counterparty and the third party of a document, chosen from the
// directory, with adding, editing and deleting rows. The rules live in refdata's PartyChoice.
#pragma once

#include "refdata/directory_forms.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace dravo {

class CHolderDoc;
class DirectoryList;

class PartyChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    PartyChoiceDialog(refdata::PartyChoice &choice, refdata::Directory &directory,
                      QWidget *parent = nullptr);

  private:
    void ShowSide();
    void Add();
    void Edit();
    void Delete();

    refdata::PartyChoice &m_choice;
    refdata::Directory &m_directory;
    DirectoryList *m_list = nullptr;
    QCheckBox *m_dashes = nullptr;
    QPushButton *m_next = nullptr;
};

// "   Выбор типа контрагента": the kind of the row to add, or nothing on "Отмена".
std::optional<refdata::PartyKind> AskPartyKind(QWidget *parent);

// Commands 2005 (and 2003 on a stored file) and the page's "Да" after "Контрагент не
// определен": chooses the document's parties. True on OK, the ids then set; the caller rebuilds
// the page and marks the document modified.
bool RunPartyChoice(QWidget *parent, CHolderDoc &doc);

// DirRekv(6) and DirRekv(7): the form of the party's row. True on OK; false when the party is
// not chosen or its row is gone (the caller then offers the choice) or on "Отмена" (in which
// case found is set).
bool RunSelectedPartyCard(QWidget *parent, CHolderDoc &doc, textgen::PartySide side, bool *found);

} // namespace dravo
