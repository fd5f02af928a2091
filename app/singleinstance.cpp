#include "app/singleinstance.h"

#include "base/filenames.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <memory>

namespace {

constexpr qsizetype kMaxRequest = 64 * 1024;

} // namespace

SingleInstance::SingleInstance(const QString& programDir, QObject* parent) : QObject(parent)
{
    // One folder reached through a link, or written another way, is still one folder.
    const QString canonical = QFileInfo(programDir).canonicalFilePath();
    const QByteArray id =
        (qEnvironmentVariable("USER") + '|' + (canonical.isEmpty() ? programDir : canonical)).toUtf8();
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
            // A request is one line; a line may come in pieces.
            auto pending = std::make_shared<QByteArray>();
            connect(socket, &QLocalSocket::readyRead, this, [this, socket, pending] {
                *pending += socket->readAll();
                // A copy that never ends its line gets no more room than a file name needs.
                if (pending->size() > kMaxRequest)
                    pending->clear();
                for (qsizetype end; (end = pending->indexOf('\n')) >= 0;) {
                    const QByteArray line = pending->left(end);
                    pending->remove(0, end + 1);
                    received(line);
                }
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

void SingleInstance::received(const QByteArray& line)
{
    if (line == "activate")
        emit activationRequested();
    else if (line.startsWith("open "))
        emit openRequested(fileNameFromNative(line.mid(5)));
}

void SingleInstance::activateRunning(const QString& file)
{
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(1000))
        return;
    QByteArray request = "activate\n";
    // A name holding a line break could not be told from the next request.
    if (!file.isEmpty() && !file.contains('\n'))
        request += "open " + nativeFileName(file) + '\n';
    socket.write(request);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
}
