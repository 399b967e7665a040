// A directory list with its search box: the list shows a ListChoice's model, the box above it
// narrows the list as the user types, and the selection is kept in the choice by id.
#pragma once

#include "app/messagebox.h"
#include "refdata/directory_forms.h"

#include <QWidget>

class QLineEdit;
class QListView;

namespace dravo {

class DirectoryList : public QWidget {
    Q_OBJECT
  public:
    DirectoryList(refdata::ListChoice &choice, QWidget *parent = nullptr);

    // Shows the choice's selection (after a refill, a switch, a check box); with none
    // (or shown = false) the list shows no selection.
    void ShowSelection(bool shown = true);
    QListView *View() const { return m_view; }
    QLineEdit *SearchBox() const { return m_search; }

  signals:
    // The selection changed by the user.
    void selectionChanged();
    // A double click or Enter on a row.
    void activated();

  private:
    refdata::ListChoice &m_choice;
    QLineEdit *m_search = nullptr;
    QListView *m_view = nullptr;
    bool m_showing = false;
};

// The text of the engine (windows-1251) for a widget, and back.
QString Shown(std::string_view cp1251);
std::string Typed(const QString &text);

// Reads a form's data before its dialog opens; what went wrong is said, and the dialog is not
// opened.
template <class Form> bool LoadOrSay(QWidget *parent, Form &form) {
    std::string message;
    if (form.Load(&message))
        return true;
    MessageBox::Warning(parent, Shown(message));
    return false;
}

} // namespace dravo
