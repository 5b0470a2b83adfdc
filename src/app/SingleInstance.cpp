#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

// A hand-over is at most this long; anything longer is not a path list.
constexpr qint64 kMaxMessage = 64 * 1024;

QString runtimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    return dir;
}

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() { release(); }

QString SingleInstance::lockPath() { return runtimeFolder() + QStringLiteral("/vorlaquince.lock"); }
QString SingleInstance::socketPath() { return runtimeFolder() + QStringLiteral("/vorlaquince.socket"); }

bool SingleInstance::claim() {
    lock_ = std::make_unique<QLockFile>(lockPath());
    // A game holds the lock for as long as it runs: never stale by age,
    // only when its process is gone (which QLockFile checks).
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        // A lock that cannot even be written (a read-only runtime folder)
        // must not keep the game from starting: play alone.
        const bool held = lock_->error() == QLockFile::LockFailedError;
        lock_.reset();
        return !held;
    }
    return true;
}

void SingleInstance::listen() {
    if (!lock_ || server_.isListening()) return;
    // The socket of a game that ended without cleaning up is ours to remove.
    QLocalServer::removeServer(socketPath());
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(socketPath())) {
        connect(&server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = server_.nextPendingConnection()) readConnection(socket);
        });
    }
}

void SingleInstance::readConnection(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        // The message: paths one a line, ended by an empty line.
        if (socket->bytesAvailable() > kMaxMessage) {
            socket->abort();
            return;
        }
        const QByteArray all = socket->peek(socket->bytesAvailable());
        if (!all.endsWith("\n\n") && all != "\n") return; // more to come
        socket->readAll();
        QStringList paths;
        for (const QByteArray& line : all.split('\n'))
            if (!line.isEmpty()) paths << QString::fromUtf8(line);
        socket->write("ok\n");
        socket->flush();
        socket->disconnectFromServer();
        emit requested(paths);
    });
}

bool SingleInstance::handOver(const QStringList& paths, int timeoutMs) {
    QByteArray message;
    for (const QString& p : paths)
        if (!p.contains(QLatin1Char('\n'))) message += p.toUtf8() + '\n';
    message += '\n';
    const QDeadlineTimer deadline(timeoutMs);
    // The running game may still be starting up and not listen yet.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
            socket.write(message);
            if (!socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())))) return false;
            while (!socket.canReadLine() && socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())))) {
            }
            return socket.readLine().startsWith("ok");
        }
        QThread::msleep(50);
    }
    return false;
}

void SingleInstance::release() {
    server_.close();
    if (lock_) lock_->unlock();
    lock_.reset();
}
