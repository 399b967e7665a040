#include "app/instance.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringList>
#include <QTimer>
#include <unistd.h>

namespace dravo {

QString InstanceName() {
    return QStringLiteral("dravo-dogovor-") + QString::number(geteuid());
}

bool PassToRunningInstance(const QString &path, const QString &name, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write("open\t" + QFileInfo(path).absoluteFilePath().toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.readLine().trimmed() == "ok";
}

InstanceServer::InstanceServer(QObject *parent)
    : QObject(parent), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::OnConnection);
}

bool InstanceServer::Listen(const QString &name) {
    // A program that answers on the name is running and keeps it: files opened later go to
    // that program. (Listening first would not tell: a server restricted to its user is made
    // elsewhere and renamed over the name, silently taking it from the running program.) Only
    // a name that nobody answers on was left behind by a program that ended without closing it,
    // and is taken over.
    if (SomebodyAnswers(name))
        return false;
    if (m_server->listen(name))
        return true;
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

bool InstanceServer::SomebodyAnswers(const QString &name, int timeoutMs) {
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool answered = probe.waitForConnected(timeoutMs);
    probe.abort();
    return answered;
}

void InstanceServer::OnConnection() {
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QStringList paths;
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine().trimmed();
                if (!line.startsWith("open\t"))
                    continue;
                socket->write("ok\n");
                socket->flush();
                paths << QString::fromUtf8(line.mid(5));
            }
            // Opening a file may show a message and wait for the user; meanwhile the asking
            // program ends and its connection goes away. So the files are opened after this
            // handler has returned and never touches the connection again.
            for (const QString &path : paths)
                QTimer::singleShot(0, this, [this, path] { emit openRequested(path); });
        });
    }
}

} // namespace dravo
