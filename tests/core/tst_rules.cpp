// The game's rules over small ASCII puzzles: labels, answers, clue lines,
// the cursor's moves, correctness and square numbers.
#include <QtTest>

#include "PuzzleFixture.h"
#include "core/PuzzleRules.h"
#include "core/PuzzleShow.h"
#include "core/SolveStats.h"

using namespace vlq;

namespace {
QString show(const std::vector<Square>& v) {
    QStringList parts;
    for (const auto& s : v) parts << QString("(%1,%2)").arg(s.col).arg(s.row);
    return parts.join(' ');
}
QString show(std::optional<Square> s) { return s ? show(std::vector<Square>{*s}) : QString("none"); }

// Row break, black squares inside rows and a non-black last square:
//   AB#CD
//   EFGHI
//   J#KLM
PuzzleRecord wrapGrid() { return fixture::grid({"AB#CD", "EFGHI", "J#KLM"}); }
} // namespace

class TestRules : public QObject {
    Q_OBJECT
private slots:
    void clueLabels_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("label");
        QTest::newRow("first") << 1 << "A";
        QTest::newRow("last capital") << 26 << "Z";
        QTest::newRow("first double") << 27 << "aa";
        QTest::newRow("last") << 30 << "dd";
        QTest::newRow("zero") << 0 << "";
        QTest::newRow("beyond") << 31 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void clueLabels() {
        QFETCH(int, k);
        QFETCH(QString, label);
        QCOMPARE(QString::fromStdString(clueLabel(k)), label);
    }

    void answersAndCounts() {
        auto rec = fixture::small();
        QCOMPARE(clueCount(rec), 2);
        QCOMPARE(answerLength(rec, 1), 3);
        QCOMPARE(answerLength(rec, 2), 3);
        QCOMPARE(answerLength(rec, 3), 0);
        QCOMPARE(answerLength(rec, 0), 0);
        QCOMPARE(answerLength(rec, 31), 0);
        QCOMPARE(answerSquare(rec, 2, 1), (Square{2, 2}));
        QCOMPARE(answerSquare(rec, 2, 3), (Square{4, 2}));
    }

    void answerOf31LettersEndsAfter31() {
        auto rec = fixture::grid({std::string(31, 'Q')});
        fixture::answersInOrder(rec, {31});
        QCOMPARE(answerLength(rec, 1), 31);
        const std::string line = clueLine(rec, 1);
        QCOMPARE(line, "Clue 1     " + [] { std::string s; for (int i = 0; i < 31; ++i) s += "__ "; return s; }());
        QVERIFY(PuzzleRecord::validate(rec.bytes()).empty());
    }

    void clueLines_data() {
        QTest::addColumn<QString>("row1");
        QTest::addColumn<QString>("row2");
        QTest::addColumn<QString>("line1");
        QTest::addColumn<QString>("line2");
        QTest::newRow("empty") << "...#" << "...." << "Feline     __ __ __ " << "Canine     __ __ __ ";
        QTest::newRow("first and third") << "C.T#" << "'..." << "Feline     C __ T " << "Canine     __ __ __ ";
        QTest::newRow("full, wrong letters shown as typed") << "CAX#" << "'DOG" << "Feline     C A X "
                                                            << "Canine     D O G ";
    }
    void clueLines() {
        QFETCH(QString, row1);
        QFETCH(QString, row2);
        QFETCH(QString, line1);
        QFETCH(QString, line2);
        auto rec = fixture::small();
        fixture::entries(rec, {row1.toStdString(), row2.toStdString()});
        QCOMPARE(QString::fromStdString(clueLine(rec, 1)), line1);
        QCOMPARE(QString::fromStdString(clueLine(rec, 2)), line2);
        QCOMPARE(clueLine(rec, 3), std::string("     "));
    }

    void advanceAlongWords_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("next");
        QTest::newRow("along the row") << 1 << 1 << "(2,1)";
        QTest::newRow("before black") << 2 << 1 << "none";
        QTest::newRow("row break") << 5 << 1 << "(1,2)";
        QTest::newRow("row break onto black") << 5 << 2 << "(1,3)";
        QTest::newRow("column 1 before black") << 1 << 3 << "none";
        QTest::newRow("last square of grid") << 5 << 3 << "none";
        QTest::newRow("outside grid") << 6 << 1 << "none";
    }
    void advanceAlongWords() {
        QFETCH(int, c);
        QFETCH(int, r);
        QFETCH(QString, next);
        QCOMPARE(show(advance(wrapGrid(), {c, r})), next);
    }

    void rowBreakOntoBlackEndsWord() {
        auto rec = fixture::grid({"AB", "#C"});
        QCOMPARE(show(advance(rec, {2, 1})), QString("none"));
        QCOMPARE(stepBack(rec, {2, 2}), (Square{2, 2}));
    }

    void stepBackWithinWords_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("back");
        QTest::newRow("along the row") << 2 << 1 << "(1,1)";
        QTest::newRow("square (1,1) stays") << 1 << 1 << "(1,1)";
        QTest::newRow("start of word stays") << 4 << 1 << "(4,1)";
        QTest::newRow("column 1 to row above") << 1 << 2 << "(5,1)";
        QTest::newRow("after black stays") << 3 << 3 << "(3,3)";
        QTest::newRow("column 1 of last row") << 1 << 3 << "(5,2)";
    }
    void stepBackWithinWords() {
        QFETCH(int, c);
        QFETCH(int, r);
        QFETCH(QString, back);
        QCOMPARE(show(stepBack(wrapGrid(), {c, r})), back);
    }

    void wordRuns_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("run");
        QTest::newRow("stops at black") << 1 << 1 << "(1,1) (2,1)";
        QTest::newRow("across two row breaks") << 4 << 1 << "(4,1) (5,1) (1,2) (2,2) (3,2) (4,2) (5,2) (1,3)";
        QTest::newRow("from the middle") << 3 << 2 << "(3,2) (4,2) (5,2) (1,3)";
        QTest::newRow("to grid end") << 3 << 3 << "(3,3) (4,3) (5,3)";
        QTest::newRow("last square") << 5 << 3 << "(5,3)";
        QTest::newRow("outside grid") << 1 << 4 << "";
    }
    void wordRuns() {
        QFETCH(int, c);
        QFETCH(int, r);
        QFETCH(QString, run);
        QCOMPARE(show(wordRun(wrapGrid(), {c, r})), run);
    }

    void correctness_data() {
        QTest::addColumn<QString>("row1");
        QTest::addColumn<QString>("row2");
        QTest::addColumn<QString>("wrong");
        // Grid "CAT#" / "'DOG"; black squares never count, whatever Entry holds.
        QTest::newRow("all right, punctuation painted") << "CATZ" << "'DOG" << "";
        QTest::newRow("punctuation not painted") << "CAT." << ".DOG" << "(1,2)";
        QTest::newRow("empty grid") << "...." << "...." << "(1,1) (2,1) (3,1) (1,2) (2,2) (3,2) (4,2)";
        QTest::newRow("one wrong letter") << "CAT#" << "'DOT" << "(4,2)";
        QTest::newRow("lower case is wrong") << "cAT#" << "'DOG" << "(1,1)";
    }
    void correctness() {
        QFETCH(QString, row1);
        QFETCH(QString, row2);
        QFETCH(QString, wrong);
        auto rec = fixture::small();
        fixture::entries(rec, {row1.toStdString(), row2.toStdString()});
        QCOMPARE(show(wrongSquares(rec)), wrong);
        QCOMPARE(isCorrect(rec), wrong.isEmpty());
    }

    // The views only see validated records, but the rules never leave the
    // record even on one that was refused.
    void refusedRecordStaysInside_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("code");
        QTest::newRow("huge grid, code far out") << 32767 << 32767 << 9999;
        QTest::newRow("negative grid") << -4 << -1 << -101;
        QTest::newRow("empty grid") << 0 << 0 << 101;
        QTest::newRow("square row 0") << 31 << 21 << 3100;
    }
    void refusedRecordStaysInside() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, code);
        auto rec = fixture::small();
        rec.setWidth(width);
        rec.setHeight(height);
        rec.setClueSquares(201, code);
        QVERIFY(!PuzzleRecord::validate(rec.bytes()).empty());
        QCOMPARE(clueLine(rec, 1).substr(0, 11), std::string("Feline     "));
        for (Square s : {Square{1, 1}, Square{31, 21}, Square{32, 22}, Square{0, 0}, Square{-5, 3}}) {
            advance(rec, s);
            stepBack(rec, s);
            wordRun(rec, s);
            squareNumber(rec, s);
        }
        isCorrect(rec);
        QVERIFY(wrongSquares(rec).size() <= std::size_t(kMaxCols * kMaxRows));
    }

    void squareNumbersSkipBlackAndPunctuation() {
        auto rec = fixture::grid({"AB#C", "'D-E", "FGHI"});
        const int expected[3][4] = {{1, 2, 0, 3}, {0, 4, 0, 5}, {6, 7, 8, 9}};
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 4; ++c) QCOMPARE(squareNumber(rec, {c, r}), expected[r - 1][c - 1]);
        QCOMPARE(squareNumber(rec, {5, 1}), 0);
        QCOMPARE(squareNumber(rec, {0, 0}), 0);
    }

    // The reward of a solve: the quotation with its word breaks and
    // punctuation, and the author and title the answers spell.
    void quotationAndSourceAsSolved() {
        PuzzleRecord rec = fixture::grid({"#AB#C", "D'E-F", "GH###"});
        fixture::answer(rec, 1, "x", {{2, 1}, {3, 1}});
        fixture::answer(rec, 2, "y", {{1, 3}});
        QCOMPARE(quotationText(rec), std::string("AB CD'E-FGH"));
        QCOMPARE(authorTitleLetters(rec), std::string("AG"));
    }

    // Days 10, 11, 12 and 20, 21 (today 21): runs of 3 and 2; the median
    // is the lower middle of an even count.
    void solveFiguresAndRuns() {
        const std::vector<Solve> solves = {{300, false, 10}, {100, true, 11}, {200, false, 12}, {50, false, 12},
                                           {400, false, 20}, {250, true, 21}};
        const SolveStats s = solveStats(solves, 21);
        QCOMPARE(s.solved, 6);
        QCOMPARE(s.solvedWithoutReveals, 4);
        QCOMPARE(s.medianSeconds, std::optional<int>(200));
        QCOMPARE(s.bestSeconds, std::optional<int>(50));
        QCOMPARE(s.longestRun, 3);
        QCOMPARE(s.currentRun, 2);
        QCOMPARE(solveStats(solves, 23).currentRun, 0); // a day without a solve ends it
        QCOMPARE(solveStats({}, 5).bestSeconds, std::optional<int>());
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
