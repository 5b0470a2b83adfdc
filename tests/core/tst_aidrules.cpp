// The solving aids' rules over small ASCII puzzles: linked places, corner
// labels and the keyboard moves of the grid cursor.
#include <QtTest>

#include "PuzzleFixture.h"
#include "core/PuzzleRules.h"

using namespace vlq;

Q_DECLARE_METATYPE(vlq::Square)

namespace {
QString show(std::optional<Square> s) { return s ? QString("(%1,%2)").arg(s->col).arg(s->row) : QString("none"); }

//   AB#CD    words: AB, CD EFGHI J (over the row breaks), KLM
//   EFGHI
//   J#KLM
PuzzleRecord wrapGrid() { return fixture::grid({"AB#CD", "EFGHI", "J#KLM"}); }
} // namespace

class TestAidRules : public QObject {
    Q_OBJECT
private slots:
    void moves_data() {
        QTest::addColumn<QString>("move");
        QTest::addColumn<Square>("from");
        QTest::addColumn<QString>("to");
        auto row = [](const char* name, const char* move, Square from, const char* to) {
            QTest::newRow(name) << move << from << to;
        };
        row("right over black", "right", {2, 1}, "(4,1)");
        row("right at the edge stays", "right", {5, 1}, "(5,1)");
        row("left over black", "left", {3, 3}, "(1,3)");
        row("down onto black then edge stays", "down", {2, 2}, "(2,2)");
        row("up over black", "up", {3, 3}, "(3,2)");
        row("home", "home", {5, 3}, "(1,3)");
        row("end", "end", {1, 1}, "(5,1)");
        row("tab to next word", "tab", {1, 1}, "(4,1)");
        row("tab over a row break word", "tab", {5, 2}, "(3,3)");
        row("tab after the last word wraps", "tab", {4, 3}, "(1,1)");
        row("backtab to previous word", "backtab", {2, 2}, "(1,1)");
        row("backtab from a word's start", "backtab", {3, 3}, "(4,1)");
        row("backtab before the first wraps", "backtab", {2, 1}, "(3,3)");
        row("run on over black", "runOn", {2, 1}, "(4,1)");
        row("run on ends with the grid", "runOn", {5, 3}, "none");
        row("run back over black", "runBack", {4, 1}, "(2,1)");
        row("run back before the first", "runBack", {1, 1}, "none");
        row("outside stays", "right", {9, 9}, "(9,9)");
    }
    void moves() {
        QFETCH(QString, move);
        QFETCH(Square, from);
        QFETCH(QString, to);
        const PuzzleRecord rec = wrapGrid();
        std::optional<Square> got;
        if (move == "right") got = arrowMove(rec, from, 1, 0);
        if (move == "left") got = arrowMove(rec, from, -1, 0);
        if (move == "down") got = arrowMove(rec, from, 0, 1);
        if (move == "up") got = arrowMove(rec, from, 0, -1);
        if (move == "home") got = rowStart(rec, from);
        if (move == "end") got = rowEnd(rec, from);
        if (move == "tab") got = nextWord(rec, from);
        if (move == "backtab") got = previousWord(rec, from);
        if (move == "runOn") got = runOn(rec, from);
        if (move == "runBack") got = runBack(rec, from);
        QCOMPARE(show(got), to);
    }

    void typingStepsOverPunctuation() {
        const PuzzleRecord rec = fixture::grid({"A'B#C", "D-EF#"});
        QCOMPARE(show(runOn(rec, {1, 1})), QString("(3,1)"));
        QCOMPARE(show(runOn(rec, {5, 1})), QString("(1,2)"));
        QCOMPARE(show(runOn(rec, {1, 2})), QString("(3,2)"));
        QCOMPARE(show(runOn(rec, {4, 2})), QString("none"));
        QCOMPARE(show(runBack(rec, {3, 2})), QString("(1,2)"));
    }

    void firstEmptySquareSkipsFilledAndPunctuation() {
        PuzzleRecord rec = fixture::grid({"'AB", "CD#"});
        QCOMPARE(show(firstEmptySquare(rec)), QString("(2,1)"));
        fixture::entries(rec, {"'A.", "..."});
        QCOMPARE(show(firstEmptySquare(rec)), QString("(3,1)"));
        fixture::entries(rec, {"'AB", "CD."});
        QCOMPARE(show(firstEmptySquare(rec)), QString("(2,1)")); // all filled: the first
        QCOMPARE(show(firstEmptySquare(fixture::grid({"#'#"}))), QString("none"));
    }

    void linkedPlacesOfASquare() {
        const PuzzleRecord rec = fixture::small(); // CAT# / 'DOG
        const LinkedPlaces t = linkedPlaces(rec, {3, 1});
        QCOMPARE(t.clue, 1);
        QCOMPARE(t.letter, 3);
        QCOMPARE(t.answer, (std::vector<Square>{{1, 1}, {2, 1}, {3, 1}}));
        QCOMPARE(t.stripIndex, 2);
        QCOMPARE(t.titleSquare, 0);
        const LinkedPlaces d = linkedPlaces(rec, {2, 2});
        QCOMPARE(d.clue, 2);
        QCOMPARE(d.titleSquare, 2);
        QCOMPARE(d.answer.size(), std::size_t(3));
        for (Square none : {Square{4, 1}, Square{1, 2}, Square{0, 1}, Square{5, 5}}) {
            QCOMPARE(linkedPlaces(rec, none).clue, 0);
            QVERIFY(linkedPlaces(rec, none).answer.empty());
        }
    }

    void squareLabelsAsPrinted() {
        const PuzzleRecord rec = fixture::small();
        QCOMPARE(squareLabel(rec, {1, 1}).number, 1);
        QCOMPARE(squareLabel(rec, {1, 1}).clue, std::string("A"));
        QCOMPARE(squareLabel(rec, {2, 2}).number, 4);
        QCOMPARE(squareLabel(rec, {2, 2}).clue, std::string("B"));
        QCOMPARE(squareLabel(rec, {1, 2}).number, 0); // punctuation
        QCOMPARE(squareLabel(rec, {1, 2}).clue, std::string());
        QCOMPARE(squareLabel(rec, {4, 1}).number, 0); // black
    }
};

QTEST_APPLESS_MAIN(TestAidRules)
#include "tst_aidrules.moc"
