// The list dialog "Команды подстановки данных" and the item dialog "Описание изменяемых данных".
// The rules live in vardata::VariableList; these widgets show them and forward the clicks.
#pragma once

#include "vardata/items.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace dravo {

class VariableItemDialog : public QDialog {
    Q_OBJECT
  public:
    VariableItemDialog(const vardata::ItemFields &fields, QWidget *parent = nullptr);
    vardata::ItemFields Fields() const;

  private:
    QLineEdit *m_word = nullptr;
    QLineEdit *m_hint = nullptr;
    QRadioButton *m_kinds[vardata::kVariableKindCount] = {};
};

class VariableListDialog : public QDialog {
    Q_OBJECT
  public:
    VariableListDialog(CBody &body, QWidget *parent = nullptr);
    bool Modified() const { return m_list.Modified(); }

  private:
    void Refill();
    void Add();
    void Change();
    void Delete();
    std::optional<vardata::ItemFields> EditItem(const vardata::ItemFields &initial, bool isNew);

    vardata::VariableList m_list;
    QListWidget *m_lines = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_change = nullptr;
};

// Opens the list dialog on the body; true for OK. modified tells whether the items changed.
bool RunVariableListDialog(QWidget *parent, CBody &body, bool &modified);

} // namespace dravo
