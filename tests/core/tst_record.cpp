#include <QtTest>

#include <random>
#include <vector>

#include "PuzzleFixture.h"
#include "core/PuzzleIdentity.h"
#include "core/PuzzleRecord.h"
#include "core/PuzzleRules.h"
#include "core/VlqError.h"

using namespace vlq;

namespace {

int csOffset(int n) { return int(offs::ClueSquares) + 2 * (n - 1); }
int scOffset(int c, int r) { return int(offs::SquareClue) + 2 * ((c - 1) * kMaxRows + (r - 1)); }
int clueOffset(int k) { return int(offs::Clues) + (k - 1) * (kShortStringCap + 1); }
QByteArray le16(int v) {
    const auto u = std::uint16_t(std::int16_t(v));
    return QByteArray{1, char(u & 0xFF)} + QByteArray{1, char(u >> 8)};
}
QByteArray byte(int v) { return QByteArray(1, char(v)); }

void patch(PuzzleRecord::Bytes& b, const QList<int>& at, const QByteArrayList& bytes) {
    for (qsizetype i = 0; i < at.size(); ++i)
        for (qsizetype j = 0; j < bytes[i].size(); ++j) b[std::size_t(at[i] + j)] = std::uint8_t(bytes[i][j]);
}

// Runs every rule the views use over the whole record, the way the views
// call them: answers and clue lines of every clue, cursor moves and square
// numbers from every square, correctness.
void exerciseRules(const PuzzleRecord& rec) {
    volatile std::size_t sink = 0;
    const int n = clueCount(rec);
    for (int k = 0; k <= kMaxClues + 1; ++k) {
        sink = sink + clueLabel(k).size() + clueLine(rec, k).size();
        const int len = answerLength(rec, k);
        for (int j = 1; j <= len; ++j) {
            const Square s = answerSquare(rec, k, j);
            QVERIFY(rec.inGrid(s.col, s.row));
            sink = sink + rec.entry(s.col, s.row) + std::size_t(squareNumber(rec, s));
        }
    }
    for (int r = 0; r <= rec.height() + 1; ++r)
        for (int c = 0; c <= rec.width() + 1; ++c) {
            const Square s{c, r};
            if (auto next = advance(rec, s)) QVERIFY(rec.inGrid(next->col, next->row));
            const Square back = stepBack(rec, s);
            if (rec.inGrid(c, r)) QVERIFY(rec.inGrid(back.col, back.row));
            for (const Square& w : wordRun(rec, s)) QVERIFY(rec.inGrid(w.col, w.row));
            sink = sink + std::size_t(squareNumber(rec, s));
        }
    sink = sink + std::size_t(isCorrect(rec)) + wrongSquares(rec).size() + std::size_t(n);
}

} // namespace

class TestRecord : public QObject {
    Q_OBJECT
private slots:
    void workedExampleOffsets() {
        PuzzleRecord rec;
        rec.setSolution(2, 1, 'Q');
        rec.setEntry(2, 1, 'E');
        rec.setSquareClue(2, 1, 302);
        rec.setClueSquares(302, 201);
        rec.setSolution(1, 2, 'X');
        rec.setSolution(1, 1, 'Y');
        const auto& b = rec.bytes();
        QCOMPARE(b[25], std::uint8_t('Q'));
        QCOMPARE(b[676], std::uint8_t('E'));
        QCOMPARE(b[1348], std::uint8_t(0x2E));
        QCOMPARE(b[1349], std::uint8_t(0x01));
        QCOMPARE(b[3210], std::uint8_t(0xC9));
        QCOMPARE(b[3211], std::uint8_t(0x00));
        QCOMPARE(b[4], std::uint8_t('Y'));
        QCOMPARE(b[5], std::uint8_t('X'));
        QCOMPARE(rec.decodeSquare(302), (Square{2, 1}));
    }

    void fieldOffsets() {
        PuzzleRecord rec;
        rec.setWidth(31);
        rec.setHeight(-2);
        rec.setSolution(31, 21, 'Z');
        rec.setEntry(31, 21, 'Y');
        rec.setSquareClue(31, 21, -1);
        rec.setClueSquares(3200, 0x1234);
        rec.setClue(30, "ab");
        rec.setByline("xyz");
        const auto& b = rec.bytes();
        QCOMPARE(b[0], std::uint8_t(31));
        QCOMPARE(b[2], std::uint8_t(0xFE));
        QCOMPARE(b[3], std::uint8_t(0xFF));
        QCOMPARE(rec.height(), -2);
        QCOMPARE(b[654], std::uint8_t('Z'));
        QCOMPARE(b[1305], std::uint8_t('Y'));
        QCOMPARE(b[2606], std::uint8_t(0xFF));
        QCOMPARE(b[2607], std::uint8_t(0xFF));
        QCOMPARE(b[9006], std::uint8_t(0x34));
        QCOMPARE(b[9007], std::uint8_t(0x12));
        QCOMPARE(b[11357], std::uint8_t(2));
        QCOMPARE(b[11359], std::uint8_t('b'));
        QCOMPARE(b[11438], std::uint8_t(3));
        QCOMPARE(b[11518], std::uint8_t(0));
        QCOMPARE(rec.squareClue(31, 21), -1);
    }

    void accessorsRefuseCellsOutsideStorage() {
        PuzzleRecord rec;
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rec.solution(0, 1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rec.entry(32, 1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rec.squareClue(1, 22));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rec.clueSquares(3201));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rec.clueSquares(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, rec.clue(31));
    }

    void validPuzzlesAccepted_data() {
        QTest::addColumn<QList<int>>("at");
        QTest::addColumn<QByteArrayList>("bytes");
        QTest::newRow("as built") << QList<int>{} << QByteArrayList{};
        QTest::newRow("largest grid") << QList<int>{0, 2} << QByteArrayList{le16(31), le16(21)};
        // Bytes the game does not interpret may hold anything.
        QTest::newRow("ClueSquares 1..100") << QList<int>{csOffset(1), csOffset(100)}
                                            << QByteArrayList{le16(-1), le16(32767)};
        QTest::newRow("letter code beyond Width") << QList<int>{scOffset(5, 1)} << QByteArrayList{le16(-7)};
        QTest::newRow("letter code beyond Height") << QList<int>{scOffset(1, 3)} << QByteArrayList{le16(9999)};
        QTest::newRow("bytes after a clue's length") << QList<int>{clueOffset(1) + 10} << QByteArrayList{byte(0xFF)};
        QTest::newRow("clue of 80 characters") << QList<int>{clueOffset(1)} << QByteArrayList{byte(80)};
        QTest::newRow("byline of 80 characters") << QList<int>{int(offs::Byline)} << QByteArrayList{byte(80)};
        QTest::newRow("entry after the answer's end") << QList<int>{csOffset(3101)} << QByteArrayList{le16(3200)};
        QTest::newRow("letter code of clue 30, letter 31") << QList<int>{scOffset(2, 1)} << QByteArrayList{le16(3130)};
    }
    void validPuzzlesAccepted() {
        QFETCH(QList<int>, at);
        QFETCH(QByteArrayList, bytes);
        auto b = fixture::small().bytes();
        patch(b, at, bytes);
        QCOMPARE(QString::fromStdString(PuzzleRecord::validate(b)), QString());
    }

    void faultyPuzzlesRefused_data() {
        QTest::addColumn<QList<int>>("at");
        QTest::addColumn<QByteArrayList>("bytes");
        const QList<int> W{0}, H{2};
        QTest::newRow("Width 0") << W << QByteArrayList{le16(0)};
        QTest::newRow("Width -1") << W << QByteArrayList{le16(-1)};
        QTest::newRow("Width -32768") << W << QByteArrayList{le16(-32768)};
        QTest::newRow("Width 32") << W << QByteArrayList{le16(32)};
        QTest::newRow("Height 0") << H << QByteArrayList{le16(0)};
        QTest::newRow("Height -5") << H << QByteArrayList{le16(-5)};
        QTest::newRow("Height 22") << H << QByteArrayList{le16(22)};
        QTest::newRow("no clues") << QList<int>{csOffset(101), csOffset(102)} << QByteArrayList{le16(0), le16(0)};
        QTest::newRow("gap before clue 2") << QList<int>{csOffset(101)} << QByteArrayList{le16(0)};
        QTest::newRow("clue 4 after missing 3") << QList<int>{csOffset(104)} << QByteArrayList{le16(101)};
        QTest::newRow("clue 30 after missing 3") << QList<int>{csOffset(130)} << QByteArrayList{le16(101)};
        QTest::newRow("square column beyond Width") << QList<int>{csOffset(201)} << QByteArrayList{le16(501)};
        QTest::newRow("square row beyond Height") << QList<int>{csOffset(201)} << QByteArrayList{le16(103)};
        QTest::newRow("square row 0") << QList<int>{csOffset(201)} << QByteArrayList{le16(100)};
        QTest::newRow("square column 0") << QList<int>{csOffset(201)} << QByteArrayList{le16(5)};
        QTest::newRow("square row 99") << QList<int>{csOffset(201)} << QByteArrayList{le16(199)};
        QTest::newRow("negative square code") << QList<int>{csOffset(201)} << QByteArrayList{le16(-101)};
        QTest::newRow("negative first letter") << QList<int>{csOffset(101)} << QByteArrayList{le16(-1)};
        QTest::newRow("bad letter after the answer") << QList<int>{csOffset(401)} << QByteArrayList{le16(999)};
        QTest::newRow("letter code of clue 0") << QList<int>{scOffset(1, 1)} << QByteArrayList{le16(100)};
        QTest::newRow("letter code of clue 31") << QList<int>{scOffset(1, 1)} << QByteArrayList{le16(131)};
        QTest::newRow("letter code of letter 0") << QList<int>{scOffset(4, 2)} << QByteArrayList{le16(1)};
        QTest::newRow("letter code of letter 32") << QList<int>{scOffset(4, 2)} << QByteArrayList{le16(3201)};
        QTest::newRow("negative letter code") << QList<int>{scOffset(2, 2)} << QByteArrayList{le16(-101)};
        QTest::newRow("clue 1 of 81 characters") << QList<int>{clueOffset(1)} << QByteArrayList{byte(81)};
        QTest::newRow("unused clue 30 of 255") << QList<int>{clueOffset(30)} << QByteArrayList{byte(255)};
        QTest::newRow("byline of 81 characters") << QList<int>{int(offs::Byline)} << QByteArrayList{byte(81)};
    }
    void faultyPuzzlesRefused() {
        QFETCH(QList<int>, at);
        QFETCH(QByteArrayList, bytes);
        auto b = fixture::small().bytes();
        patch(b, at, bytes);
        QVERIFY(!PuzzleRecord::validate(b).empty());

        // Loading refuses it with the format error and keeps the open puzzle.
        PuzzleRecord live = fixture::small();
        live.setEntry(1, 1, 'C');
        const auto before = live.bytes();
        try {
            live.loadBytes(b);
            QFAIL("refused image was loaded");
        } catch (const IoError& e) {
            QCOMPARE(e.code(), 106);
        }
        QVERIFY(live.bytes() == before);
    }

    void loadSizes() {
        const auto image = fixture::small().bytes();
        std::vector<std::uint8_t> data(image.begin(), image.end());
        PuzzleRecord rec;
        rec.loadBytes(data);
        QVERIFY(rec.bytes() == image);

        std::vector<std::uint8_t> longer = data;
        longer.resize(20000, 0xAB);
        PuzzleRecord rec2;
        rec2.loadBytes(longer);
        QVERIFY(rec2.bytes() == image);

        data.pop_back();
        PuzzleRecord rec3;
        try {
            rec3.loadBytes(data);
            QFAIL("short image was loaded");
        } catch (const IoError& e) {
            QCOMPARE(e.code(), 100);
            QCOMPARE(QString(e.what()), QString("Read beyond end of file"));
        }
        QVERIFY(rec3.bytes() == PuzzleRecord().bytes());
    }

    // Fields the game never interprets keep their bytes through every
    // accessor the game uses to change a record.
    void carriedBytesUntouched() {
        PuzzleRecord rec = fixture::small();
        std::mt19937 rng(7);
        auto& b = rec.bytes();
        for (int n = 1; n <= 100; ++n) rec.setClueSquares(n, int(rng() % 65536) - 32768);
        for (int k = 1; k <= kMaxClues; ++k)
            for (int i = 1; i <= kShortStringCap; ++i) b[std::size_t(clueOffset(k) + i)] = std::uint8_t(rng());
        for (std::size_t i = 1; i <= kShortStringCap; ++i) b[offs::Byline + i] = std::uint8_t(rng());
        rec.setClue(1, "Feline");
        rec.setClue(2, "Canine");
        rec.setByline("Tester");
        const auto before = b;

        for (int c = 1; c <= rec.width(); ++c)
            for (int r = 1; r <= rec.height(); ++r) rec.setEntry(c, r, 'A' + std::uint8_t(c + r));
        fixture::entries(rec, {"....", "...."});
        rec.setClue(1, "Cat");      // shorter: the old tail stays
        rec.setClue(1, "Feline");
        exerciseRules(rec);

        for (std::size_t i = 0; i < kRecordSize; ++i)
            if (i < offs::Entry || i >= offs::SquareClue) QVERIFY2(b[i] == before[i], qPrintable(QString::number(i)));
        QCOMPARE(rec.clue(1), std::string("Feline"));
        QCOMPARE(b[std::size_t(clueOffset(1)) + 4], before[std::size_t(clueOffset(1)) + 4]);
    }

    void clueTextCutAt80() {
        PuzzleRecord rec;
        rec.setClue(1, std::string(100, 'q'));
        QCOMPARE(rec.clue(1).size(), std::size_t(80));
        QCOMPARE(rec.bytes()[std::size_t(clueOffset(2))], std::uint8_t(0));
        rec.setByline(std::string(200, 'x')); // the last field of the record
        QCOMPARE(rec.byline(), std::string(80, 'x'));
    }

    // The identity follows the puzzle, not the player's letters; the fill
    // count skips black and punctuation squares.
    void identityIgnoresOnlyPlayerLetters() {
        PuzzleRecord rec = fixture::grid({"AB#", "C'D"});
        const std::string plain = puzzleIdentity(rec);
        QCOMPARE(plain.size(), std::size_t(16));
        fixture::entries(rec, {"A..", ".'D"});
        QCOMPARE(puzzleIdentity(rec), plain);
        QCOMPARE(fillCount(rec).filled, 2);
        QCOMPARE(fillCount(rec).total, 4);
        PuzzleRecord other = rec;
        other.setByline("Someone else");
        QVERIFY(puzzleIdentity(other) != plain);
        other = rec;
        other.setSolution(31, 21, 'Z'); // outside the grid, still part of the file
        QVERIFY(puzzleIdentity(other) != plain);
    }

    // Thousands of randomly corrupted copies of a valid puzzle: validate
    // never reads outside the image, and whenever it accepts one every rule
    // runs inside the record and the grid (the sanitizers watch the reads).
    void corruptedRecordsNeverEscape() {
        auto base = fixture::grid({"AB#CD", "EFG-H", "I'JKL"});
        fixture::answersInOrder(base, {3, 4, 3, 2});
        fixture::entries(base, {"A.#C.", ".FG-.", "I'..L"});
        QVERIFY(PuzzleRecord::validate(base.bytes()).empty());

        // Offsets where a change matters most: the header, the used cells
        // of every grid field, first letters and answers, length bytes.
        std::vector<std::size_t> hot = {0, 1, 2, 3, offs::Byline};
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 4; ++r) {
                const auto cell = std::size_t((c - 1) * kMaxRows + (r - 1));
                hot.insert(hot.end(), {offs::Solution + cell, offs::Entry + cell, offs::SquareClue + 2 * cell,
                                       offs::SquareClue + 2 * cell + 1});
            }
        for (int j = 1; j <= 5; ++j)
            for (int k = 1; k <= 6; ++k) {
                hot.push_back(std::size_t(csOffset(j * 100 + k)));
                hot.push_back(std::size_t(csOffset(j * 100 + k)) + 1);
            }
        for (int k = 1; k <= kMaxClues; ++k) hot.push_back(std::size_t(clueOffset(k)));

        std::mt19937 rng(20240611);
        int accepted = 0;
        for (int round = 0; round < 6000; ++round) {
            auto bytes = base.bytes();
            const int changes = 1 + int(rng() % 4);
            for (int i = 0; i < changes; ++i) {
                const std::size_t at = (rng() % 4 != 0) ? hot[rng() % hot.size()] : rng() % kRecordSize;
                switch (rng() % 4) {
                case 0: bytes[at] = std::uint8_t(rng()); break;
                case 1: bytes[at] ^= std::uint8_t(1u << (rng() % 8)); break;
                case 2: bytes[at] = std::uint8_t(bytes[at] + (rng() % 2 ? 1 : -1)); break;
                default: bytes[at] = std::uint8_t(std::array<int, 6>{0, 1, 219, 39, 45, 255}[rng() % 6]); break;
                }
            }
            if (!PuzzleRecord::validate(bytes).empty()) continue;
            ++accepted;
            PuzzleRecord rec;
            rec.loadBytes(bytes);
            exerciseRules(rec);
            if (QTest::currentTestFailed()) QFAIL(qPrintable(QString("round %1").arg(round)));
        }
        QVERIFY2(accepted > 500, qPrintable(QString::number(accepted)));
    }
};

QTEST_APPLESS_MAIN(TestRecord)
#include "tst_record.moc"
