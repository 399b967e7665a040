// The program's hidden timing mode (--timing): from a click on a clause of the page to the new
// page painted, with the clause editor answered by a stand-in that changes the clause, as the
// editor's OK would; then from the OK of the variable-data form with 50 new values (the form's
// own OK on its fields, stood in for without the window) to the new page painted. The figures go
// to standard output for the timing script under bench/.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <vector>

namespace dravo {

class CHolderView;

class ClickTiming : public QObject {
    Q_OBJECT
  public:
    ClickTiming(CHolderView *view, int rounds, QObject *parent = nullptr);
    void Start();

  signals:
    void finished();

  private:
    void Round();
    void OnPageLoaded(bool ok);
    void OnTitle(const QString &title);
    void Report(const char *what);
    void StartVariables();

    QPointer<CHolderView> m_view;
    int m_rounds;
    int m_done = 0;
    int m_phase = 0; // 0: clause clicks, 1: variable-data OK
    QElapsedTimer m_clock;
    qint64 m_t0 = 0;
    std::vector<double> m_ms;
};

} // namespace dravo
