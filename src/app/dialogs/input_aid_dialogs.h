// The input aids behind the "..." buttons of the entry form: the calendar "Ввод даты", the value
// list "Список" and the keypad "Ввод числа". Their rules live in DateInput,
// vardata::ValueListChooser and NumberKeypad; these widgets show them and forward the clicks.
#pragma once

#include "russian/dates.h"
#include "russian/evaluator.h"
#include "vardata/value_lists.h"

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace dravo {

class DateInputDialog : public QDialog {
    Q_OBJECT
  public:
    DateInputDialog(const std::string &itemText, int form, QWidget *parent = nullptr);
    // The new item text and the chosen form (valid after OK).
    std::string Text() const { return m_input.Accept(); }
    int Form() const { return m_input.form(); }

  private:
    DateInput m_input;
    QCalendarWidget *m_calendar = nullptr;
};

class ValueListDialog : public QDialog {
    Q_OBJECT
  public:
    ValueListDialog(CBody &lists, const std::string &value, const std::string &word,
                    QWidget *parent = nullptr);
    // What the dialog ended with; Cancel's result unless OK or "Очистить" closed it.
    vardata::ListChoice Choice() const { return m_choice; }

    void accept() override;

  private:
    void Refill();
    void ShowSelection();

    vardata::ValueListChooser m_chooser;
    vardata::ListChoice m_choice;
    QListWidget *m_lines = nullptr;
    QLabel *m_info = nullptr;
    QPushButton *m_delete = nullptr;
};

class NumberInputDialog : public QDialog {
    Q_OBJECT
  public:
    explicit NumberInputDialog(const std::string &value, QWidget *parent = nullptr);
    // The keypad's text after OK.
    std::string Text() const { return m_result; }

    void accept() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void Press(const QString &button);
    void Show();

    NumberKeypad m_keypad;
    std::string m_result;
    QLineEdit *m_display = nullptr;
    QLabel *m_digits = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace dravo
