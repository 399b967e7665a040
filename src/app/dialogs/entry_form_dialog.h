// The entry form "Изменяемые данные            ": built at run time from a template's items with
// the geometry of vardata::EntryForm, one row per item. The rules live in vardata::EntryForm;
// this widget places the controls and forwards the clicks.
#pragma once

#include "vardata/entry_form.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QPushButton;

namespace dravo {

class EntryFormDialog : public QDialog {
    Q_OBJECT
  public:
    // What exec() returns besides Accepted and Rejected: build the form again and show it.
    static constexpr int Reopen = 2;

    // lists is the program's value-list store; rememberedRow outlives the form.
    EntryFormDialog(CBody &body, CBody &lists, int &rememberedRow, QWidget *parent = nullptr);

    // The items were changed, whatever the form ends with (see vardata::EntryForm::Changed).
    bool Changed() const { return m_form.Changed() || m_listChanged; }
    const vardata::EntryForm &Form() const { return m_form; }

    void accept() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    std::vector<std::string> FieldTexts() const;
    void Clear();
    void Define();
    void PressAid(std::size_t row);
    void FocusField(int row);

    CBody &m_body;
    CBody &m_lists;
    vardata::EntryForm m_form;
    std::vector<QLineEdit *> m_fields; // nullptr for a separator
    bool m_listChanged = false;
};

// Command 2007: shows the form on the body again and again for as long as it asks to be
// reopened. True when the items changed (the caller refreshes the page and marks the document
// modified).
bool RunVariableDataForm(QWidget *parent, CBody &body, CBody &lists);

} // namespace dravo
