// The "Пункт" dialog: edits a template's articles and clauses one item at a time. The rules live
// in ClauseEditor; this widget shows the current item and forwards the button presses.
#pragma once

#include "core/clause_editor.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace dravo {

class CHolderDoc;

class ClauseDialog : public QDialog {
    Q_OBJECT
  public:
    // Opens on (article, clause, level) as the page's Bing call gives them. save writes the
    // template to its file on OK.
    ClauseDialog(CBody &body, const std::string &documentTitle, int article, int clause, int level,
                 ClauseEditor::SaveTemplate save, QWidget *parent = nullptr);

    const ClauseEditor &Editor() const { return m_editor; }

    void accept() override;

  private:
    void ShowItem();
    ClauseFields Controls() const;
    void ShowSummary();

    ClauseEditor m_editor;
    ClauseEditor::SaveTemplate m_save;
    QLineEdit *m_name = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QComboBox *m_kind = nullptr;
    QCheckBox *m_clauseCheck = nullptr;
    QCheckBox *m_summary = nullptr;
    QCheckBox *m_mark = nullptr;
    QPushButton *m_levelButton = nullptr;
    QPushButton *m_delete = nullptr;
};

// Bing(article, clause, level) and the fragment menu on a template: shows the clause editor on
// the document, saving the template to its file on OK. True on OK; bodyChanged tells whether the
// body differs from what it was (after Cancel too, when earlier presses changed it). When either
// is true the caller refreshes the page and marks the document modified.
bool RunClauseDialog(QWidget *parent, CHolderDoc &doc, int article, int clause, int level,
                     bool *bodyChanged = nullptr);

} // namespace dravo
