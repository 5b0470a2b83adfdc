// The service module's puzzle files: loading refuses what it cannot read
// without touching the open puzzle, saving never destroys the old file; and
// the delay that keeps events flowing.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "game/ChoiceBox.h"
#include "game/GameContext.h"
#include "game/TVlqProcs.h"
#include "core/VlqError.h"
#include "support/ReadOnlyGuard.h"
#include "support/ScratchDocuments.h"

namespace {

// IoError code of fn, 0 when it throws none.
template <typename Fn>
int ioErrorCode(Fn fn) {
    try {
        fn();
    } catch (const vlq::IoError& e) {
        return e.code();
    }
    return 0;
}

// A valid puzzle whose carried-along bytes (unused ClueSquares entries,
// characters past each string's length, cells outside the grid) hold a
// pattern, so a round trip that drops any of them shows.
vlq::PuzzleRecord puzzleWithCarriedBytes() {
    vlq::PuzzleRecord rec = smallPuzzle();
    for (int n = 1; n <= 100; ++n) rec.setClueSquares(n, 7000 + n);
    auto& b = rec.bytes();
    for (std::size_t i = vlq::offs::Clues + 1 + 6; i < vlq::offs::Clues + 81; ++i) b[i] = std::uint8_t(i * 7);
    for (std::size_t i = vlq::offs::Byline + 1 + 6; i < vlq::kRecordSize; ++i) b[i] = std::uint8_t(i * 13);
    rec.setSolution(31, 21, 'Z');
    rec.setEntry(20, 10, 'Q');
    return rec;
}

} // namespace

class TestProcs : public QObject {
    Q_OBJECT
private slots:
    void init() {
        game().reset();
        docs.clear();
    }
    void createdModuleMeasuresScreen();
    void roundTripByteForByte();
    void loadFailures_data();
    void loadFailures();
    void longFileReadsFirstRecord();
    void saveInReadOnlyFolderWritesInPlace();
    void saveToMissingFolder();
    void saveKeepsWhatTheFileIs_data();
    void saveKeepsWhatTheFileIs();
    void delayKeepsEventsFlowing();
    void boxesShowPlainTextAndWholeCaption_data();
    void boxesShowPlainTextAndWholeCaption();

private:
    ScratchDocuments docs;
};

void TestProcs::createdModuleMeasuresScreen() {
    game().defaultSquareSize = 0;
    game().frameSize = -1;
    TVlqProcs procs;
    QCOMPARE(game().procs, &procs);
    QVERIFY(game().defaultSquareSize >= 8);
    QVERIFY(game().defaultSquareSize * 23 <= QGuiApplication::primaryScreen()->availableGeometry().height());
    QVERIFY(game().frameSize >= 0);
}

void TestProcs::roundTripByteForByte() {
    const QByteArray original = recordBytes(puzzleWithCarriedBytes());
    const QString in = docs.writeFile(QStringLiteral("In.vlq"), original);
    game().modified = true;
    TVlqProcs::LoadPuzzle(in);
    QVERIFY(game().modified); // loading leaves the flag alone
    QCOMPARE(recordBytes(game().puzzle), original);

    const QString out = docs.path(QStringLiteral("Out.vlq"));
    TVlqProcs::SavePuzzle(out);
    QVERIFY(!game().modified);
    QCOMPARE(fileBytes(out), original);
    // Saving over an existing file replaces it whole and leaves no temporary file.
    game().puzzle.setEntry(1, 1, 'C');
    TVlqProcs::SavePuzzle(out);
    QCOMPARE(fileBytes(out).size(), qsizetype(vlq::kRecordSize));
    QCOMPARE(std::uint8_t(fileBytes(out).at(int(vlq::offs::Entry))), std::uint8_t('C'));
    QCOMPARE(QDir(docs.puzzleFolder()).entryList(QDir::Files).size(), 2);
}

void TestProcs::loadFailures_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("code");
    QTest::newRow("one byte short") << "short" << 100;
    QTest::newRow("empty file") << "empty" << 100;
    QTest::newRow("missing file") << "missing" << 2;
    QTest::newRow("missing folder") << "nofolder" << 3;
    QTest::newRow("folder, not a file") << "folder" << 5;
    QTest::newRow("pipe, not a file") << "pipe" << 5;
    QTest::newRow("width out of range") << "width" << 106;
    QTest::newRow("code outside the grid") << "code" << 106;
    QTest::newRow("a player's square holding no letter") << "entry" << 106;
    QTest::newRow("no clue with a text") << "notext" << 106;
}

// Every failed load throws its code and leaves the live record and the
// modified flag exactly as they were.
void TestProcs::loadFailures() {
    QFETCH(QString, kind);
    QFETCH(int, code);
    const QByteArray good = recordBytes(smallPuzzle(1));
    TVlqProcs::LoadPuzzle(docs.writeFile(QStringLiteral("Open.vlq"), good));
    game().puzzle.setEntry(1, 1, 'X'); // an unsaved letter
    game().modified = true;
    const QByteArray live = recordBytes(game().puzzle);

    QString path = docs.path(QStringLiteral("Other.vlq"));
    vlq::PuzzleRecord bad = smallPuzzle(2);
    if (kind == "short") docs.writeFile(QStringLiteral("Other.vlq"), good.left(int(vlq::kRecordSize) - 1));
    else if (kind == "empty") docs.writeFile(QStringLiteral("Other.vlq"), QByteArray());
    else if (kind == "nofolder") path = docs.path(QStringLiteral("nowhere/Other.vlq"));
    else if (kind == "folder") QDir().mkpath(path);
    else if (kind == "pipe") QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else if (kind == "width") {
        bad.setWidth(32);
        docs.writePuzzle(QStringLiteral("Other.vlq"), bad);
    } else if (kind == "entry" || kind == "notext") {
        if (kind == "entry") bad.setEntry(2, 1, 7);
        for (int k = 1; kind == "notext" && k <= vlq::kMaxClues; ++k) bad.setClue(k, "");
        docs.writePuzzle(QStringLiteral("Other.vlq"), bad);
    } else if (kind == "code") {
        bad.setClueSquares(201, 503); // column 5 of a 4-column grid
        docs.writePuzzle(QStringLiteral("Other.vlq"), bad);
    }

    QCOMPARE(ioErrorCode([&] { TVlqProcs::LoadPuzzle(path); }), code);
    QCOMPARE(recordBytes(game().puzzle), live);
    QVERIFY(game().modified);
}

void TestProcs::longFileReadsFirstRecord() {
    QByteArray bytes = recordBytes(smallPuzzle(3));
    bytes.append(QByteArray(20000 - bytes.size(), '\xEE'));
    TVlqProcs::LoadPuzzle(docs.writeFile(QStringLiteral("Long.vlq"), bytes));
    QCOMPARE(recordBytes(game().puzzle), bytes.left(int(vlq::kRecordSize)));
}

// A writable file in a folder that takes no new files is written in place:
// no error, the new record, no stray file.
void TestProcs::saveInReadOnlyFolderWritesInPlace() {
    QByteArray old = recordBytes(smallPuzzle(4));
    old.append(QByteArray(100, '\xEE')); // cut to the record
    const QString path = docs.writeFile(QStringLiteral("Kept.vlq"), old);
    TVlqProcs::LoadPuzzle(path);
    game().puzzle.setEntry(1, 1, 'C');
    game().modified = true;
    {
        ReadOnlyGuard guard(docs.puzzleFolder());
        if (!guard.ok()) QSKIP("cannot make a folder read-only here");
        TVlqProcs::SavePuzzle(path);
    }
    QCOMPARE(fileBytes(path), recordBytes(game().puzzle));
    QVERIFY(!game().modified);
    QCOMPARE(QDir(docs.puzzleFolder()).entryList(QDir::Files), QStringList{QStringLiteral("Kept.vlq")});
}

void TestProcs::saveToMissingFolder() {
    game().puzzle = smallPuzzle();
    game().modified = true;
    QCOMPARE(ioErrorCode([&] { TVlqProcs::SavePuzzle(docs.path(QStringLiteral("gone/X.vlq"))); }), 3);
    QVERIFY(game().modified);
}

void TestProcs::saveKeepsWhatTheFileIs_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("a hard link") << "hard";
    QTest::newRow("another user's file") << "owner";
    QTest::newRow("a link to a device") << "device";
}

// A save keeps the puzzle file what it was: its other hard link sees the
// new letters, another user's file stays theirs, and a device in the
// puzzle's place is refused, the letters kept unsaved.
void TestProcs::saveKeepsWhatTheFileIs() {
    QFETCH(QString, kind);
    const QString path = docs.writeFile(QStringLiteral("Kept.vlq"), recordBytes(smallPuzzle(4)));
    const QString other = docs.path(QStringLiteral("Other.vlq"));
    if (kind == "owner" && (::geteuid() != 0 || ::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0))
        QSKIP("only root can give a file to another user");
    if (kind == "hard") QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) == 0);
    if (kind == "device") QVERIFY(QFile::link(QStringLiteral("/dev/null"), other));
    game().puzzle = smallPuzzle(1);
    game().modified = true;
    QCOMPARE(ioErrorCode([&] { TVlqProcs::SavePuzzle(kind == "owner" ? path : other); }), kind == "device" ? 5 : 0);
    QCOMPARE(game().modified, kind == "device");
    QCOMPARE(fileBytes(path), recordBytes(kind == "device" ? smallPuzzle(4) : game().puzzle));
    if (kind == "owner") QCOMPARE(QFileInfo(path).ownerId(), 65534u);
}

void TestProcs::delayKeepsEventsFlowing() {
    bool fired = false;
    QTimer::singleShot(10, [&fired] { fired = true; });
    QElapsedTimer t;
    t.start();
    TVlqProcs::Delay(80);
    QVERIFY(t.elapsed() >= 75);
    QVERIFY(fired);
}

void TestProcs::boxesShowPlainTextAndWholeCaption_data() {
    QTest::addColumn<bool>("choices"); // a box of choices, else the general error report
    QTest::newRow("error report") << false;
    QTest::newRow("box of choices") << true;
}

// A file name holding markup is shown as it is, and a box with a short
// text is still wide enough for its caption.
void TestProcs::boxesShowPlainTextAndWholeCaption() {
    QFETCH(bool, choices);
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        const auto labels = box->findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [box](QLabel* l) {
            return l->text() == QLatin1String("<b>Saved</b>.") && l->textFormat() == Qt::PlainText;
        }));
        QVERIFY(box->width() >= box->fontMetrics().horizontalAdvance(box->windowTitle()) + 120);
        box->accept();
    });
    if (choices) ChoiceBox::ask(QStringLiteral("Vorlaquince 6 Game"), QStringLiteral("<b>Saved</b>."), {QStringLiteral("OK")}, 0, 0);
    else TVlqProcs::ReportException(QStringLiteral("<b>Saved</b>"));
}

QTEST_MAIN(TestProcs)
#include "tst_procs.moc"
