// The program's hidden timing mode (--timing): from a click on a clause of the page to the new
// page painted, with the clause editor answered by a stand-in that changes the clause, as the
// editor's OK would. The figures go to standard output for the timing script under bench/.
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
    void Report();

    QPointer<CHolderView> m_view;
    int m_rounds;
    int m_done = 0;
    QElapsedTimer m_clock;
    qint64 m_t0 = 0;
    std::vector<double> m_ms;
};

} // namespace dravo
