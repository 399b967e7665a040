// Dialog 147 "   Установочные данные": title, subtitle, number and date of a template document,
// the names and order of the parties and the split preamble. The rules live in SetupDataEditor;
// this widget shows them and forwards the clicks.
#pragma once

#include "core/setup_data.h"
#include "russian/dates.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QToolButton;

namespace dravo {

class CHolderDoc;

class SetupDataDialog : public QDialog {
    Q_OBJECT
  public:
    // Edits the body and the document values in place; date is the document date, taken from
    // the date picker on OK.
    SetupDataDialog(CBody &body, SetupDocument &document, Date &date, QWidget *parent = nullptr);

    void accept() override;
    void reject() override;

  private:
    void ShowDate();
    void ShowThirdParty();
    void ShowRowLabels();

    SetupDataEditor m_editor;
    Date &m_date;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_subtitle = nullptr;
    QLineEdit *m_number = nullptr;
    QCheckBox *m_dateShown = nullptr;
    QStackedWidget *m_dateStack = nullptr;
    QDateEdit *m_datePicker = nullptr;
    QLabel *m_rowLabels[3] = {};
    QLineEdit *m_names[3] = {};
    QStackedWidget *m_row3Stack = nullptr;
    QCheckBox *m_thirdParty = nullptr;
    QCheckBox *m_splitPreamble = nullptr;
};

// Command 2004 and DirRekv(2) on a template: shows the dialog on the document. True on OK; the
// caller then refreshes the page and marks the document modified.
bool RunSetupDataDialog(QWidget *parent, CHolderDoc &doc);

} // namespace dravo
