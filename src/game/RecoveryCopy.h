// Recovery copies: when the player pauses for a second, and at most a few
// seconds after the letters change, the whole record of the open puzzle is written (as atomically as a save) to a
// copy of its own under the data home ($XDG_DATA_HOME/vorlaquince/recovery),
// never over the puzzle file; when the data home takes no copy (its disk
// full), to a private folder in the temporary folder. A crash or a kill
// then loses at most those seconds; a crash and a lost display none, as
// the copy is also written from the crash's signal handler and when the
// window system ends the process (app/VlqApplication). The copy goes when the
// letters are safe again: a save, a revert, recycling, a clean close. On
// the next start a copy whose letters its puzzle file does not hold is
// offered back (app/GameLife), unless another live game holds that puzzle.
//
// Each copy is three files named after the puzzle plus a hash of its full
// path, so two puzzles of one name in different folders never share one:
// NAME-HASH.vlq (the record), NAME-HASH.path (the puzzle's full path) and
// NAME-HASH.base (the puzzle file as the game last read or wrote it, empty
// when it had none), so that letters recovered over a file another program
// has changed since are not saved over it unasked.
// Writing never shows a box: a failed copy is retried at the next change.
#pragma once
#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <optional>
#include <string>

class RecoveryCopy : public QObject {
    Q_OBJECT
public:
    // How long after a change the copy is written (at most; later changes
    // within that time go into the same write), and sooner after the last
    // change when no other follows for kPauseMs: a player's pause, which
    // no typing waits on.
    static constexpr int kDelayMs = 5000;
    static constexpr int kPauseMs = 1000;

    // The game's one instance registers itself (instance()) and follows
    // every change of the player's letters (PlayerLetters::letterChanged).
    explicit RecoveryCopy(QObject* parent = nullptr);
    ~RecoveryCopy() override;
    static RecoveryCopy* instance();

    // The folder of the copies, and the copy file of a puzzle there.
    static QString folder();
    static QString copyPathOf(const QString& puzzlePath);

    // Writes the open puzzle's record to its copy at once (any pending
    // write is done with it). False when no puzzle path is open or the
    // write failed.
    bool writeNow();
    // Deletes the copy of puzzlePath (a pending write of it is dropped).
    // Safe without an instance.
    static void remove(const QString& puzzlePath);
    // Deletes the copy of the open puzzle when this run wrote it: for a
    // clean close. A copy left from an earlier run is kept for its offer.
    void removeOwnCopy();
    // Forgets a write still to come (another puzzle is opened).
    void dropPending();
    // Writes the open puzzle's letters to its copy when they changed since
    // its last copy or save; for a crash's signal handler, so it makes only
    // the calls a handler may, on paths made ready when the letters changed.
    static void writeOnCrash();

    struct Found {
        QString puzzlePath; // the puzzle the letters belong to
        QString copyPath;   // the record with the letters
        QDateTime written;  // when the copy was written
        std::optional<std::string> base; // the puzzle file the letters were typed over (none from older copies)
    };
    // The copies whose letters their puzzle file does not hold (newer than
    // it, or it changed or is gone since), oldest first. Copies older than a
    // puzzle file holding their letters (saved since) and halves of a copy
    // are deleted on the way.
    static QList<Found> waiting();

public slots:
    // The player's letters changed: the copy is written after a pause of
    // kPauseMs, or kDelayMs after the first change not in a copy.
    void schedule();

private:
    QTimer timer_;
    QElapsedTimer pending_; // since the first change not in a copy
    bool writing_ = false;
    QSet<QString> written_; // puzzles this run wrote a copy of
};
