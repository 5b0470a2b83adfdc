// One game per user session. The first game takes a lock file and listens
// on a local socket, both in the session's runtime folder
// ($XDG_RUNTIME_DIR, else a private one in the user's cache folder), and
// takes hand-overs only from programs of the same user. A later start finds the lock held, hands the puzzle
// file it was given (as a full path, so its own working folder does not
// matter) to the running game through the socket, and ends: a double click
// on a puzzle file while the game runs opens it in that game.
//
// The running game opens what it receives as the Solve command does
// (saving its open puzzle first), but only once no modal window and no
// nested wait is running, and raises its window.
#pragma once
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>

class SingleInstance : public QObject {
    Q_OBJECT
public:
    SingleInstance();
    ~SingleInstance() override;

    // Takes this session's game lock; false when another game holds it.
    bool claim();
    // Starts listening for later starts once the lock is ours. The game
    // does so after its window has first painted: a later start keeps
    // trying to reach it for a while (handOver), so nothing is lost.
    void listen();
    // Sends the paths (full paths; possibly none, which only raises the
    // window) to the game holding the lock. False when it could not be
    // reached within timeoutMs.
    static bool handOver(const QStringList& paths, int timeoutMs);
    // Gives the lock and the socket up (also done on destruction).
    void release();

    // The folder of the lock and the socket: $XDG_RUNTIME_DIR, else
    // vorlaquince-runtime in the user's cache folder (made 0700). Empty
    // when it is not this user's own real folder closed to others (then
    // `refused` names it): one game per session is then off.
    static QString runtimeFolder(QString* refused = nullptr);
    static QString lockPath();   // empty without a runtime folder
    static QString socketPath(); // empty without a runtime folder

signals:
    // A later start handed these paths over (empty: just show the game).
    void requested(const QStringList& paths);

private:
    void readConnection(class QLocalSocket* socket);

    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};
