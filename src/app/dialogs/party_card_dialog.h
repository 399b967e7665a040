// The requisites forms of the counterparty directory: "   Реквизиты контрагента" (an
// organisation), "   Данные гражданина", and the bank choice "   Выбор банка" with its form
// "   Реквизиты банка". The rules live in refdata's PartyCard, BankChoice and BankCard; these
// widgets show them, warn beside a number that fails its check and forward the clicks.
#pragma once

#include "refdata/directory_forms.h"

#include <QDialog>

#include <map>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dravo {

class DirectoryList;

// Fields of a form by column, with the warning label of the checked ones.
struct FormEdits {
    std::map<std::string, QLineEdit *> edits;
    std::map<std::string, QLabel *> warnings;
};

class PartyCardDialog : public QDialog {
    Q_OBJECT
  public:
    PartyCardDialog(refdata::PartyCard &card, refdata::Directory &directory,
                    QWidget *parent = nullptr);
    void accept() override;

  private:
    void ChooseBank();
    void ShowWarnings();

    refdata::PartyCard &m_card;
    refdata::Directory &m_directory;
    FormEdits m_form;
    QLineEdit *m_bank = nullptr;
    QCheckBox *m_entrepreneur = nullptr;
};

class BankChoiceDialog : public QDialog {
    Q_OBJECT
  public:
    BankChoiceDialog(refdata::BankChoice &choice, refdata::Directory &directory,
                     QWidget *parent = nullptr);

  private:
    void ShowState();
    void Add();
    void Edit();
    void Delete();

    refdata::BankChoice &m_choice;
    refdata::Directory &m_directory;
    DirectoryList *m_list = nullptr;
    QCheckBox *m_noBank = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_edit = nullptr;
};

class BankCardDialog : public QDialog {
    Q_OBJECT
  public:
    explicit BankCardDialog(refdata::BankCard &card, QWidget *parent = nullptr);
    void accept() override;

  private:
    refdata::BankCard &m_card;
    FormEdits m_form;
};

// The form of counterparty row id, organisation or citizen by the row; true on OK. A row that
// cannot be read gives its message and false.
bool RunPartyCard(QWidget *parent, refdata::Directory &directory, int id);
// The bank choice opened with bankId; the chosen id (-1: no bank) on OK, nothing on "Отмена".
std::optional<int> RunBankChoice(QWidget *parent, refdata::Directory &directory, int bankId);
// The bank form on row id; true on OK.
bool RunBankCard(QWidget *parent, refdata::Directory &directory, int id);

// Adds a line edit for each field to layout-building code: the edit is named after its column,
// cut to the field's length, and, for a checked column, followed by its warning label.
QLineEdit *AddFieldEdit(QWidget *parent, FormEdits &form, const refdata::FormField &field,
                        const std::string &text, bool checked);

} // namespace dravo
