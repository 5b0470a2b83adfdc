// The player's progress, kept beside the puzzles and never in them: one
// SQLite file, $XDG_DATA_HOME/vorlaquince/progress.sqlite (by default
// ~/.local/share/vorlaquince/), through Qt SQL's SQLite driver. Everything is
// filed under a puzzle's identity (core/PuzzleIdentity), so a renamed or
// moved puzzle keeps its progress. The tables, which a player may read with
// sqlite3:
//   puzzles(identity, title, author, seconds, revealed, last_played, solved_at)
//   solves(id, identity, title, author, seconds, revealed, solved_at)
//   pencil(identity, square, letter)        square = column * 100 + row
//   clue_texts(identity, clue, text)        clue 1..30
//   files(path, mtime, size, identity, title, author, width, height, clues,
//         filled, total)                    the puzzle picker's cache
// Times are ISO 8601 UTC text ("2026-12-10T15:32:04Z"); seconds and the
// revealed flag (0/1) are integers.
//
// The file is opened on first use, never at start-up. Every write is one
// transaction in a write-ahead log, so a kill loses at most the write under
// way. A folder that cannot be made, a locked, read-only or corrupt file,
// any failed statement: the store turns into one that remembers nothing
// (reads give empty answers, writes do nothing), emits unavailable() once
// with the reason, and the game plays on. Only the GUI thread uses it.
#pragma once
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>
#include <utility>

class QSqlQuery;

// One puzzle's progress as the store knows it.
struct PuzzleProgress {
    bool known = false;       // the store has a row for it
    int seconds = 0;          // time spent solving so far
    bool revealed = false;    // a letter, word or the solution was shown
    QDateTime lastPlayed;     // invalid when never
    QDateTime solvedAt;       // invalid while unsolved
};

// One row of the solves table: a finished puzzle.
struct SolveRecord {
    QString identity;
    QString title;
    QString author;
    int seconds = 0;
    bool revealed = false;
    QDateTime solvedAt; // UTC
};

// What the puzzle picker shows of one file, cached by its path and valid
// while the file's modification time and size are unchanged.
struct FileFigures {
    QString path;          // absolute
    qint64 mtime = 0;      // modification time, ms since the epoch
    qint64 size = 0;       // bytes
    QString identity;
    QString title;
    QString author;
    int width = 0;
    int height = 0;
    int clues = 0;
    int filled = 0;        // squares holding a letter of the player's
    int total = 0;         // squares that take a letter
};

class ProgressStore : public QObject {
    Q_OBJECT
public:
    // A store over the SQLite file at path (made with its folder on first use).
    explicit ProgressStore(QString path, QObject* parent = nullptr);
    ~ProgressStore() override;

    // The game's store at defaultPath(), made on first call (the file is
    // still opened only on first use). resetShared() drops it, so the next
    // call opens the file anew (for tests that change the file underneath).
    static ProgressStore& shared();
    static void resetShared();
    static QString defaultPath();

    QString path() const { return path_; }
    // Opens the file when not yet done; false when the store is off.
    bool usable();
    // Why the store is off; empty while it works.
    QString failure() const { return failure_; }

    // --- a puzzle's progress -------------------------------------------------
    PuzzleProgress progress(const QString& identity);
    // Every puzzle's progress by identity, in one query (the puzzle picker).
    QHash<QString, PuzzleProgress> allProgress();
    // The puzzle was opened now: makes its row, refreshes title and author,
    // sets last_played.
    void notePlayed(const QString& identity, const QString& title, const QString& author);
    // Time spent so far (seconds >= 0), kept as given.
    void setSeconds(const QString& identity, int seconds);
    // Something of the puzzle was revealed (sticks until the next solve).
    void setRevealed(const QString& identity);
    // One transaction: a row in solves and the puzzle's solved_at, seconds
    // and revealed. `at` is stored in UTC.
    void recordSolve(const QString& identity, const QString& title, const QString& author,
                     int seconds, bool revealed, const QDateTime& at = QDateTime::currentDateTimeUtc());
    // The fastest solve of the puzzle, if any.
    std::optional<int> bestSeconds(const QString& identity);
    // Every solve, oldest first.
    QList<SolveRecord> solves();
    // How many puzzles have a row (were opened at least once).
    int puzzlesStarted();

    // --- pencil letters: square code (column * 100 + row) -> letter 'A'..'Z'
    QMap<int, char> pencil(const QString& identity);
    // One square; letter 0 removes it.
    void setPencilLetter(const QString& identity, int square, char letter);
    // Replaces every pencil letter of the puzzle in one transaction.
    void setPencil(const QString& identity, const QMap<int, char>& letters);

    // --- whole clue texts: clue 1..30 -> UTF-8 text as imported ------------
    QMap<int, QString> clueTexts(const QString& identity);
    // Replaces the puzzle's whole clue texts in one transaction.
    void setClueTexts(const QString& identity, const QMap<int, QString>& texts);

    // --- the picker's cache ---------------------------------------------------
    // Every cached file, by path (one query, for listing a whole folder).
    QHash<QString, FileFigures> fileFigures();
    // Adds or replaces these files' rows in one transaction.
    void storeFileFigures(const QList<FileFigures>& files);

    // ISO 8601 UTC text as stored ("2026-12-10T15:32:04Z"), and back.
    static QString isoText(const QDateTime& t);
    static QDateTime fromIsoText(const QString& text);

signals:
    // The store has turned itself off; emitted once per store.
    void unavailable(const QString& why);

private:
    bool open();
    bool migrate();
    std::optional<QSqlQuery> query(const char* sql);
    bool exec(QSqlQuery& q);
    bool exec(const QString& sql);
    bool begin();
    bool commit();
    void fail(const QString& why);
    // Every row of table for identity replaced by rows (key, value), in one
    // transaction.
    void replaceRows(const char* table, const char* keyColumn, const char* valueColumn, const QString& identity,
                     const QList<std::pair<int, QVariant>>& rows);

    QString path_;
    QString connection_;
    bool opened_ = false;
    QString failure_;
};
