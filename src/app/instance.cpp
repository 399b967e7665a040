#include "app/instance.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
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
    if (m_server->listen(name))
        return true;
    // A name left behind by a program that ended without closing it.
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

void InstanceServer::OnConnection() {
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine().trimmed();
                if (!line.startsWith("open\t"))
                    continue;
                socket->write("ok\n");
                socket->flush();
                emit openRequested(QString::fromUtf8(line.mid(5)));
            }
        });
    }
}

} // namespace dravo
