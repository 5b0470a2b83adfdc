// The lock file beside an open puzzle, as office programs keep one beside an
// open document: ".~lock.NAME#" in the puzzle's folder, one line
// "Vorlaquince,USER,HOST,PID,TIME". Another game (of another session, or on
// another computer sharing the folder) that opens the puzzle finds it and
// can warn its player before two games overwrite each other's letters.
//
// The lock is advice only: nothing stops a program that ignores it. A lock
// of a process of this computer that no longer runs is stale and is taken
// over without a word, and so is one whose process number now belongs to
// another program (the game ended without removing it and the number was
// given out again). A folder that takes no new file gets no lock.
#pragma once
#include <QDateTime>
#include <QString>
#include <optional>

class PuzzleLock {
public:
    PuzzleLock() = default;
    ~PuzzleLock() { release(); }
    PuzzleLock(const PuzzleLock&) = delete;
    PuzzleLock& operator=(const PuzzleLock&) = delete;

    struct Holder {
        QString user, host; // no host for a lock that could not be read
        qint64 pid = 0;
        QDateTime since;
    };
    // The game that holds puzzlePath, when it is another live one (this
    // process and stale locks do not count). A holder of this computer is
    // told from other programs by the name the system keeps for its
    // process, or else by its program file.
    static std::optional<Holder> otherHolder(const QString& puzzlePath);
    static QString lockPathOf(const QString& puzzlePath);

    // Puts this game's lock beside puzzlePath (over any other), giving up
    // the one held before.
    void take(const QString& puzzlePath);
    // Removes the lock file when it is still this game's, also when its
    // folder was moved or renamed since.
    void release();
    QString heldPath() const { return puzzlePath_; }

private:
    QString puzzlePath_;
    QString lockPath_;
    int fd_ = -1;
};

// The lock of the puzzle open in this game.
PuzzleLock& openPuzzleLock();
