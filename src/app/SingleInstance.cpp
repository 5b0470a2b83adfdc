#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTextStream>
#include <QThread>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A hand-over is at most this long; anything longer is not a path list.
constexpr qint64 kMaxMessage = 64 * 1024;

// Whether the other end of a local socket runs as this user.
bool peerIsThisUser(qintptr socket) {
    ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() { release(); }

QString SingleInstance::runtimeFolder(QString* refused) {
    // The session's runtime folder, else one of this user's own in the
    // cache folder: never one in the shared temporary folder, which
    // another user could make first and so receive every puzzle started.
    QString dir = QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"));
    if (!dir.startsWith(QLatin1Char('/'))) {
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (!cache.startsWith(QLatin1Char('/'))) return {};
        dir = cache + QStringLiteral("/vorlaquince-runtime");
        QDir().mkpath(cache);
        ::mkdir(QFile::encodeName(dir).constData(), 0700);
    }
    // Only a real folder of this user's, closed to everyone else, takes
    // the lock and the socket.
    struct stat st {};
    const QByteArray local = QFile::encodeName(dir);
    if (::lstat(local.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0) {
        if (refused) *refused = dir;
        return {};
    }
    return dir;
}

QString SingleInstance::lockPath() {
    const QString dir = runtimeFolder();
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/vorlaquince.lock");
}
QString SingleInstance::socketPath() {
    const QString dir = runtimeFolder();
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/vorlaquince.socket");
}

bool SingleInstance::claim() {
    QString refused;
    const QString folder = runtimeFolder(&refused);
    if (folder.isEmpty()) {
        QTextStream(stderr) << "vorlaquince: " << (refused.isEmpty() ? QStringLiteral("no runtime folder") : refused)
                            << " is not a folder of this user's alone: puzzles started later open in games of "
                               "their own\n";
        return true;
    }
    lock_ = std::make_unique<QLockFile>(folder + QStringLiteral("/vorlaquince.lock"));
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
    const QString socket = socketPath();
    if (socket.isEmpty()) return;
    QLocalServer::removeServer(socket);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(socket)) {
        connect(&server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = server_.nextPendingConnection()) readConnection(socket);
        });
    }
}

void SingleInstance::readConnection(QLocalSocket* socket) {
    // Only this user's own programs hand puzzles over.
    if (!peerIsThisUser(socket->socketDescriptor())) {
        socket->abort();
        socket->deleteLater();
        return;
    }
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
            if (!line.isEmpty()) paths << QFile::decodeName(QByteArray::fromPercentEncoding(line));
        socket->write("ok\n");
        socket->flush();
        socket->disconnectFromServer();
        emit requested(paths);
    });
}

bool SingleInstance::handOver(const QStringList& paths, int timeoutMs) {
    const QString socketPath = SingleInstance::socketPath();
    if (socketPath.isEmpty()) return false;
    // Each path's bytes as the file system has them, percent-encoded: a
    // name may hold a line break, or bytes that are no UTF-8.
    QByteArray message;
    for (const QString& p : paths) message += QFile::encodeName(p).toPercentEncoding("/") + '\n';
    message += '\n';
    const QDeadlineTimer deadline(timeoutMs);
    // The running game may still be starting up and not listen yet.
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
            if (!peerIsThisUser(socket.socketDescriptor())) return false;
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
