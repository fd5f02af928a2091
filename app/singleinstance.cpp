#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

SingleInstance::SingleInstance(const QString& programDir, QObject* parent) : QObject(parent)
{
    const QByteArray id = (qEnvironmentVariable("USER") + '|' + programDir).toUtf8();
    key_ = "Rivikone-" + QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16);
}

bool SingleInstance::claim()
{
    {
        QLocalSocket probe;
        probe.connectToServer(key_);
        if (probe.waitForConnected(500))
            return false;
    }
    // Nobody answers: whatever socket is left belongs to a copy that died.
    QLocalServer::removeServer(key_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(key_))
        return true; // cannot listen: run anyway rather than refuse to start
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("activate"))
                    emit activationRequested();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

void SingleInstance::activateRunning()
{
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(1000))
        return;
    socket.write("activate\n");
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
}
