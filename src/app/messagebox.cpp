#include "app/messagebox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <deque>

namespace dravo {

namespace {

struct State {
    bool testMode = false;
    std::deque<MessageBox::Answer> answers;
    QStringList messages;
    QString questionTitle;
};

State &S() {
    static State state;
    return state;
}

QString ProgramTitle() {
    return QStringLiteral("ДРАВО Договор");
}

// In test mode: the queued answer when it is one of the allowed ones, else the fallback.
MessageBox::Answer Queued(std::initializer_list<MessageBox::Answer> allowed,
                          MessageBox::Answer fallback) {
    auto &s = S();
    if (s.answers.empty())
        return fallback;
    const MessageBox::Answer a = s.answers.front();
    s.answers.pop_front();
    for (auto ok : allowed)
        if (ok == a)
            return a;
    return fallback;
}

// Shows the box and waits for the user. An unattended run (DRAVO_MESSAGE_TIMEOUT_MS set, as the
// tests that start the program do) closes each box by itself after that many milliseconds, with
// the answer of its close button, and notes on the standard error what it closed, so that
// whoever runs it can read what the program said and wait for it.
void Run(QMessageBox &box) {
    static const int timeoutMs = qEnvironmentVariableIntValue("DRAVO_MESSAGE_TIMEOUT_MS");
    if (timeoutMs <= 0) {
        box.exec();
        return;
    }
    QTimer::singleShot(timeoutMs, &box, [&box] { box.done(QMessageBox::Cancel); });
    box.exec();
    const QByteArray text = box.text().simplified().toUtf8();
    std::fprintf(stderr, "message closed: %s\n", text.constData());
    std::fflush(stderr);
}

void Show(QWidget *parent, QMessageBox::Icon icon, const QString &text) {
    S().messages << text;
    if (S().testMode)
        return;
    QMessageBox box(icon, ProgramTitle(), text, QMessageBox::Ok, parent);
    Run(box);
}

} // namespace

void MessageBox::Information(QWidget *parent, const QString &text) {
    Show(parent, QMessageBox::Information, text);
}

void MessageBox::Warning(QWidget *parent, const QString &text) {
    Show(parent, QMessageBox::Warning, text);
}

QString MessageBox::QuestionTitle() {
    return QStringLiteral("   ДРАВО Договор");
}

bool MessageBox::AskYesNo(QWidget *parent, const QString &text) {
    return AskYesNo(parent, text, QuestionTitle());
}

bool MessageBox::AskYesNo(QWidget *parent, const QString &text, const QString &title) {
    S().messages << text;
    S().questionTitle = title;
    if (S().testMode)
        return Queued({Yes, No}, No) == Yes;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    Run(box);
    return box.clickedButton() == yes;
}

bool MessageBox::AskOkCancel(QWidget *parent, const QString &text) {
    S().messages << text;
    S().questionTitle = ProgramTitle();
    if (S().testMode)
        return Queued({Ok, Cancel}, Cancel) == Ok;
    QMessageBox box(QMessageBox::Question, ProgramTitle(), text, QMessageBox::NoButton, parent);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    Run(box);
    return box.clickedButton() == ok;
}

MessageBox::Answer MessageBox::AskSave(QWidget *parent, const QString &text) {
    S().messages << text;
    S().questionTitle = ProgramTitle();
    if (S().testMode)
        return Queued({Save, Discard, Cancel}, Cancel);
    QMessageBox box(QMessageBox::Question, ProgramTitle(), text, QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton *discard = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    Run(box);
    if (box.clickedButton() == save)
        return Save;
    if (box.clickedButton() == discard)
        return Discard;
    return Cancel;
}

void MessageBox::setTestMode(bool on) {
    S().testMode = on;
    S().answers.clear();
}

bool MessageBox::testMode() {
    return S().testMode;
}

void MessageBox::setNextAnswer(Answer answer) {
    S().answers.push_back(answer);
}

QStringList MessageBox::takeMessages() {
    QStringList out;
    out.swap(S().messages);
    return out;
}

QString MessageBox::lastQuestionTitle() {
    return S().questionTitle;
}

} // namespace dravo
