// The program's message boxes: plain messages under the program's title and the small yes/no box
// titled "   ДРАВО Договор". Tests switch on the test mode: nothing is shown, every message is
// recorded, and questions take the answers queued with setNextAnswer().
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace dravo {

class MessageBox {
  public:
    enum Answer { Yes, No, Ok, Cancel, Save, Discard };

    // A message with an OK button, titled "ДРАВО Договор".
    static void Information(QWidget *parent, const QString &text);
    static void Warning(QWidget *parent, const QString &text);

    // The program's own yes/no question; true for yes.
    static bool AskYesNo(QWidget *parent, const QString &text);
    // A yes/no question under another title (the plain system box some commands ask in).
    static bool AskYesNo(QWidget *parent, const QString &text, const QString &title);
    // A question with OK and Cancel; true for OK.
    static bool AskOkCancel(QWidget *parent, const QString &text);
    // Closing a modified document: Save, Discard or Cancel.
    static Answer AskSave(QWidget *parent, const QString &text);

    // The title of the yes/no box, spaces included.
    static QString QuestionTitle();

    // Test seams.
    static void setTestMode(bool on);
    static bool testMode();
    // Queues the answer of the next question (first in, first out). A question with nothing
    // queued in test mode takes the negative answer (No, Cancel).
    static void setNextAnswer(Answer answer);
    // Every text shown (or recorded in test mode) since the last call.
    static QStringList takeMessages();
    // The title of the last question asked.
    static QString lastQuestionTitle();
};

} // namespace dravo
