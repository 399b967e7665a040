// One program per user for opened files: a template opened from the desktop while the program
// runs opens in the running program's window (as the shell's document exchange did).
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace dravo {

// The local socket name of this user's program.
QString InstanceName();

// Asks a running program of this user to open path; true when it did.
bool PassToRunningInstance(const QString &path, const QString &name = InstanceName(),
                           int timeoutMs = 2000);

class InstanceServer : public QObject {
    Q_OBJECT
  public:
    explicit InstanceServer(QObject *parent = nullptr);
    // Starts listening; false when the name cannot be taken, or when a running program answers
    // on it (its name is never removed).
    bool Listen(const QString &name = InstanceName());
    // True when a program listens on name and accepts a connection.
    static bool SomebodyAnswers(const QString &name, int timeoutMs = 1000);

  signals:
    void openRequested(const QString &path);

  private:
    void OnConnection();
    QLocalServer *m_server;
};

} // namespace dravo
