// Network work: dialog 306 "Сетевая работа" (where the database and the templates library are
// taken from), dialog 305 "Компьютеры в локальной сети c Dravo Document" (a computer that shares
// the program) and the office database server. The rules live in networkwork.h; these widgets
// show them and forward the clicks.
#pragma once

#include "app/networkwork.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;

namespace dravo {

// Dialog 305. Controls are named "computers" (1041), "useLocal" (1042), "explanation", "ok" and
// "cancel" for tests.
class ComputersDialog : public QDialog {
    Q_OBJECT
  public:
    ComputersDialog(const QStringList &computers, const QString &currentComputer, bool currentLocal,
                    QWidget *parent = nullptr);

    NetworkLocation Result() const { return m_choice.Result(); }

  private:
    void Show();

    ComputerChoice m_choice;
    QStackedWidget *m_stack = nullptr;
    QListWidget *m_list = nullptr;
    QCheckBox *m_useLocal = nullptr;
    bool m_bShowing = false;
};

// The office database server: host, port, database and user; the password is never asked.
// Fields are named "host", "port", "database" and "user".
class DatabaseServerDialog : public QDialog {
    Q_OBJECT
  public:
    explicit DatabaseServerDialog(const QString &url, QWidget *parent = nullptr);

    QString Url() const { return m_url; }
    void accept() override;

  private:
    QLineEdit *m_host = nullptr;
    QLineEdit *m_port = nullptr;
    QLineEdit *m_database = nullptr;
    QLineEdit *m_user = nullptr;
    QString m_url;
};

// Dialog 306. Edits are named "database" (1239) and "templates" (1241), their buttons
// "chooseDatabase" (1240) and "chooseTemplates" (1242), the server button "server".
class NetworkDialog : public QDialog {
    Q_OBJECT
  public:
    // openDocumentWindows decides whether OK has to ask before the documents are closed.
    explicit NetworkDialog(int openDocumentWindows, QWidget *parent = nullptr);

    const NetworkWorkState &State() const { return m_state; }
    // True when OK was confirmed after the question: every document window is to be closed.
    bool CloseDocuments() const { return m_bCloseDocuments; }

    void accept() override;

  private:
    void Choose(bool database);
    void ChooseServer();
    void Show();

    NetworkWorkState m_state;
    int m_nOpenWindows = 0;
    bool m_bCloseDocuments = false;
    QLineEdit *m_database = nullptr;
    QLineEdit *m_templates = nullptr;
};

} // namespace dravo
