#include "game/ProgressStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <memory>

namespace {

// The schema's version (PRAGMA user_version); migrate() brings older files up.
constexpr int kSchemaVersion = 1;

// A locked file is waited for this long before the store gives up on it.
constexpr int kBusyMs = 1500;

// Dropped with the application object (Qt SQL's own registry of connections
// is gone by the time static objects are destroyed).
ProgressStore*& sharedStore() {
    static ProgressStore* store = nullptr;
    return store;
}

QDateTime dateOf(const QVariant& v) { return v.isNull() ? QDateTime() : ProgressStore::fromIsoText(v.toString()); }

} // namespace

ProgressStore::ProgressStore(QString path, QObject* parent)
    : QObject(parent), path_(std::move(path)),
      connection_(QStringLiteral("vlqprogress-%1").arg(reinterpret_cast<quintptr>(this), 0, 16)) {}

ProgressStore::~ProgressStore() {
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

ProgressStore& ProgressStore::shared() {
    ProgressStore*& s = sharedStore();
    if (!s) {
        s = new ProgressStore(defaultPath());
        qAddPostRoutine(&ProgressStore::resetShared);
    }
    return *s;
}

void ProgressStore::resetShared() {
    delete sharedStore();
    sharedStore() = nullptr;
}

QString ProgressStore::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vorlaquince/progress.sqlite");
}

QString ProgressStore::isoText(const QDateTime& t) { return t.toUTC().toString(Qt::ISODate); }

QDateTime ProgressStore::fromIsoText(const QString& text) {
    QDateTime t = QDateTime::fromString(text, Qt::ISODate);
    return t.isValid() ? t.toUTC() : QDateTime();
}

bool ProgressStore::usable() {
    if (!failure_.isEmpty()) return false;
    return opened_ || open();
}

void ProgressStore::fail(const QString& why) {
    if (!failure_.isEmpty()) return;
    failure_ = why.isEmpty() ? QStringLiteral("unknown error") : why;
    if (QSqlDatabase::contains(connection_)) QSqlDatabase::database(connection_, false).close();
    opened_ = false;
    emit unavailable(failure_);
}

bool ProgressStore::open() {
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath())) {
        fail(QStringLiteral("cannot make the folder %1").arg(info.absolutePath()));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(connection_) ? QSqlDatabase::database(connection_, false)
                                                            : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (!db.isValid()) {
        fail(QStringLiteral("Qt's SQLite driver (libqt6sql6-sqlite) is not installed"));
        return false;
    }
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyMs));
    if (!db.open()) {
        fail(db.lastError().text());
        return false;
    }
    opened_ = true;
    // The first statements read the header: a file that is no database, or
    // one another program holds locked, fails here.
    if (!exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !exec(QStringLiteral("PRAGMA synchronous=FULL")) ||
        !migrate())
        return false;
    return true;
}

bool ProgressStore::migrate() {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("PRAGMA user_version"));
    if (!exec(q) || !q.next()) return false;
    const int version = q.value(0).toInt();
    if (version > kSchemaVersion) {
        fail(QStringLiteral("%1 was written by a newer version of the game").arg(path_));
        return false;
    }
    if (version == kSchemaVersion) return true;
    static const char* const schema[] = {
        "CREATE TABLE IF NOT EXISTS puzzles(identity TEXT PRIMARY KEY, title TEXT, author TEXT,"
        " seconds INTEGER NOT NULL DEFAULT 0, revealed INTEGER NOT NULL DEFAULT 0,"
        " last_played TEXT, solved_at TEXT)",
        "CREATE TABLE IF NOT EXISTS solves(id INTEGER PRIMARY KEY, identity TEXT, title TEXT, author TEXT,"
        " seconds INTEGER NOT NULL, revealed INTEGER NOT NULL, solved_at TEXT NOT NULL)",
        "CREATE INDEX IF NOT EXISTS solves_identity ON solves(identity)",
        "CREATE TABLE IF NOT EXISTS pencil(identity TEXT NOT NULL, square INTEGER NOT NULL,"
        " letter TEXT NOT NULL, PRIMARY KEY(identity, square))",
        "CREATE TABLE IF NOT EXISTS clue_texts(identity TEXT NOT NULL, clue INTEGER NOT NULL,"
        " text TEXT NOT NULL, PRIMARY KEY(identity, clue))",
        "CREATE TABLE IF NOT EXISTS files(path TEXT PRIMARY KEY, mtime INTEGER, size INTEGER,"
        " identity TEXT, title TEXT, author TEXT, width INTEGER, height INTEGER, clues INTEGER,"
        " filled INTEGER, total INTEGER)",
    };
    if (!begin()) return false;
    for (const char* sql : schema)
        if (!exec(QString::fromLatin1(sql))) return false;
    if (!exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion))) return false;
    return commit();
}

bool ProgressStore::exec(QSqlQuery& q) {
    if (q.exec()) return true;
    fail(QStringLiteral("%1: %2").arg(path_, q.lastError().text()));
    return false;
}

bool ProgressStore::exec(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(sql);
    return exec(q);
}

bool ProgressStore::begin() { return exec(QStringLiteral("BEGIN IMMEDIATE")); }

bool ProgressStore::commit() { return exec(QStringLiteral("COMMIT")); }

std::optional<QSqlQuery> ProgressStore::query(const char* sql) {
    if (!usable()) return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QString::fromLatin1(sql));
    return q;
}

namespace {

// The columns seconds, revealed, last_played, solved_at of q's row, from
// column `first` on.
PuzzleProgress progressAt(const QSqlQuery& q, int first) {
    PuzzleProgress p;
    p.known = true;
    p.seconds = std::max(0, q.value(first).toInt());
    p.revealed = q.value(first + 1).toInt() != 0;
    p.lastPlayed = dateOf(q.value(first + 2));
    p.solvedAt = dateOf(q.value(first + 3));
    return p;
}

} // namespace

PuzzleProgress ProgressStore::progress(const QString& identity) {
    auto qQuery = query("SELECT seconds, revealed, last_played, solved_at FROM puzzles WHERE identity = ?");
    if (!qQuery) return {};
    QSqlQuery& q = *qQuery;
    q.addBindValue(identity);
    if (!exec(q) || !q.next()) return {};
    return progressAt(q, 0);
}

QHash<QString, PuzzleProgress> ProgressStore::allProgress() {
    auto qQuery = query("SELECT identity, seconds, revealed, last_played, solved_at FROM puzzles");
    if (!qQuery) return {};
    QSqlQuery& q = *qQuery;
    QHash<QString, PuzzleProgress> all;
    if (!exec(q)) return all;
    while (q.next()) all.insert(q.value(0).toString(), progressAt(q, 1));
    return all;
}

void ProgressStore::notePlayed(const QString& identity, const QString& title, const QString& author) {
    auto qQuery = query("INSERT INTO puzzles(identity, title, author, last_played) VALUES(?, ?, ?, ?)"
                 " ON CONFLICT(identity) DO UPDATE SET title = excluded.title, author = excluded.author,"
                 " last_played = excluded.last_played");
    if (!qQuery) return;
    QSqlQuery& q = *qQuery;
    q.addBindValue(identity);
    q.addBindValue(title);
    q.addBindValue(author);
    q.addBindValue(isoText(QDateTime::currentDateTimeUtc()));
    exec(q);
}

void ProgressStore::setSeconds(const QString& identity, int seconds) {
    auto qQuery = query("INSERT INTO puzzles(identity, seconds) VALUES(?, ?)"
                 " ON CONFLICT(identity) DO UPDATE SET seconds = excluded.seconds");
    if (!qQuery) return;
    QSqlQuery& q = *qQuery;
    q.addBindValue(identity);
    q.addBindValue(std::max(0, seconds));
    exec(q);
}

void ProgressStore::setRevealed(const QString& identity) {
    auto qQuery = query("INSERT INTO puzzles(identity, revealed) VALUES(?, 1)"
                 " ON CONFLICT(identity) DO UPDATE SET revealed = 1");
    if (!qQuery) return;
    QSqlQuery& q = *qQuery;
    q.addBindValue(identity);
    exec(q);
}

void ProgressStore::recordSolve(const QString& identity, const QString& title, const QString& author, int seconds,
                                bool revealed, const QDateTime& at) {
    auto qQuery = query("INSERT INTO solves(identity, title, author, seconds, revealed, solved_at) VALUES(?, ?, ?, ?, ?, ?)");
    if (!qQuery) return;
    QSqlQuery& q = *qQuery;
    const QString when = isoText(at);
    seconds = std::max(0, seconds);
    for (const QVariant& v : {QVariant(identity), QVariant(title), QVariant(author), QVariant(seconds),
                              QVariant(revealed ? 1 : 0), QVariant(when)})
        q.addBindValue(v);
    QSqlQuery p(QSqlDatabase::database(connection_, false));
    p.prepare(QStringLiteral(
        "INSERT INTO puzzles(identity, title, author, seconds, revealed, last_played, solved_at)"
        " VALUES(?, ?, ?, ?, ?, ?, ?) ON CONFLICT(identity) DO UPDATE SET title = excluded.title,"
        " author = excluded.author, seconds = excluded.seconds, revealed = excluded.revealed,"
        " last_played = excluded.last_played, solved_at = excluded.solved_at"));
    for (const QVariant& v : {QVariant(identity), QVariant(title), QVariant(author), QVariant(seconds),
                              QVariant(revealed ? 1 : 0), QVariant(when), QVariant(when)})
        p.addBindValue(v);
    if (begin() && exec(q) && exec(p)) commit();
}

std::optional<int> ProgressStore::bestSeconds(const QString& identity) {
    auto qQuery = query("SELECT MIN(seconds) FROM solves WHERE identity = ?");
    if (!qQuery) return {};
    QSqlQuery& q = *qQuery;
    q.addBindValue(identity);
    if (!exec(q) || !q.next() || q.value(0).isNull()) return std::nullopt;
    return q.value(0).toInt();
}

QList<SolveRecord> ProgressStore::solves() {
    auto qQuery = query("SELECT identity, title, author, seconds, revealed, solved_at FROM solves ORDER BY solved_at, id");
    if (!qQuery) return {};
    QSqlQuery& q = *qQuery;
    QList<SolveRecord> rows;
    if (!exec(q)) return rows;
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                     std::max(0, q.value(3).toInt()), q.value(4).toInt() != 0, dateOf(q.value(5))});
    return rows;
}

int ProgressStore::puzzlesStarted() {
    auto qQuery = query("SELECT COUNT(*) FROM puzzles");
    if (!qQuery) return {};
    QSqlQuery& q = *qQuery;
    return exec(q) && q.next() ? q.value(0).toInt() : 0;
}

QMap<int, char> ProgressStore::pencil(const QString& identity) {
    auto qQuery = query("SELECT square, letter FROM pencil WHERE identity = ?");
    if (!qQuery) return {};
    QSqlQuery& q = *qQuery;
    q.addBindValue(identity);
    QMap<int, char> letters;
    if (!exec(q)) return letters;
    while (q.next()) {
        const QString l = q.value(1).toString();
        // A row someone edited by hand into something else is skipped.
        if (l.size() == 1 && l[0] >= u'A' && l[0] <= u'Z') letters.insert(q.value(0).toInt(), char(l[0].unicode()));
    }
    return letters;
}

void ProgressStore::setPencilLetter(const QString& identity, int square, char letter) {
    auto qQuery = letter == 0 ? query("DELETE FROM pencil WHERE identity = ? AND square = ?")
                              : query("INSERT OR REPLACE INTO pencil(identity, square, letter) VALUES(?, ?, ?)");
    if (!qQuery) return;
    QSqlQuery& q = *qQuery;
    q.addBindValue(identity);
    q.addBindValue(square);
    if (letter != 0) q.addBindValue(QString(QChar::fromLatin1(letter)));
    exec(q);
}

void ProgressStore::replaceRows(const char* table, const char* keyColumn, const char* valueColumn,
                                const QString& identity, const QList<std::pair<int, QVariant>>& rows) {
    if (!usable()) return;
    QSqlQuery del(QSqlDatabase::database(connection_, false));
    del.prepare(QStringLiteral("DELETE FROM %1 WHERE identity = ?").arg(QLatin1String(table)));
    del.addBindValue(identity);
    if (!begin() || !exec(del)) return;
    QSqlQuery add(QSqlDatabase::database(connection_, false));
    add.prepare(QStringLiteral("INSERT INTO %1(identity, %2, %3) VALUES(?, ?, ?)")
                    .arg(QLatin1String(table), QLatin1String(keyColumn), QLatin1String(valueColumn)));
    for (const auto& [key, value] : rows) {
        add.addBindValue(identity);
        add.addBindValue(key);
        add.addBindValue(value);
        if (!exec(add)) return;
    }
    commit();
}

void ProgressStore::setPencil(const QString& identity, const QMap<int, char>& letters) {
    QList<std::pair<int, QVariant>> rows;
    for (auto it = letters.cbegin(); it != letters.cend(); ++it)
        if (it.value() != 0) rows.append({it.key(), QString(QChar::fromLatin1(it.value()))});
    replaceRows("pencil", "square", "letter", identity, rows);
}

QMap<int, QString> ProgressStore::clueTexts(const QString& identity) {
    auto qQuery = query("SELECT clue, text FROM clue_texts WHERE identity = ?");
    if (!qQuery) return {};
    QSqlQuery& q = *qQuery;
    q.addBindValue(identity);
    QMap<int, QString> texts;
    if (!exec(q)) return texts;
    while (q.next()) texts.insert(q.value(0).toInt(), q.value(1).toString());
    return texts;
}

void ProgressStore::setClueTexts(const QString& identity, const QMap<int, QString>& texts) {
    QList<std::pair<int, QVariant>> rows;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) rows.append({it.key(), it.value()});
    replaceRows("clue_texts", "clue", "text", identity, rows);
}

QHash<QString, FileFigures> ProgressStore::fileFigures() {
    auto qQuery = query("SELECT path, mtime, size, identity, title, author, width, height, clues, filled, total FROM files");
    if (!qQuery) return {};
    QSqlQuery& q = *qQuery;
    QHash<QString, FileFigures> files;
    if (!exec(q)) return files;
    while (q.next()) {
        FileFigures f{q.value(0).toString(), q.value(1).toLongLong(), q.value(2).toLongLong(),
                      q.value(3).toString(), q.value(4).toString(), q.value(5).toString(),
                      q.value(6).toInt(), q.value(7).toInt(), q.value(8).toInt(),
                      q.value(9).toInt(), q.value(10).toInt()};
        files.insert(f.path, f);
    }
    return files;
}

void ProgressStore::storeFileFigures(const QList<FileFigures>& files) {
    auto qQuery = query("INSERT OR REPLACE INTO files(path, mtime, size, identity, title, author, width, height, clues,"
                 " filled, total) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    if (!qQuery) return;
    QSqlQuery& q = *qQuery;
    if (files.isEmpty() || !begin()) return;
    for (const FileFigures& f : files) {
        for (const QVariant& v : {QVariant(f.path), QVariant(f.mtime), QVariant(f.size), QVariant(f.identity),
                                  QVariant(f.title), QVariant(f.author), QVariant(f.width), QVariant(f.height),
                                  QVariant(f.clues), QVariant(f.filled), QVariant(f.total)})
            q.addBindValue(v);
        if (!exec(q)) return;
    }
    commit();
}
