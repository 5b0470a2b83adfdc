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
        row("down onto black then edge stays", "down", {2, 2}, "(2,2)");
        row("up over black", "up", {3, 3}, "(3,2)");
        row("home", "home", {5, 3}, "(1,3)");
        row("end", "end", {1, 1}, "(5,1)");
        row("tab to next word", "tab", {1, 1}, "(4,1)");
        row("tab after the last word wraps", "tab", {4, 3}, "(1,1)");
        row("backtab to previous word", "backtab", {2, 2}, "(1,1)");
        row("backtab before the first wraps", "backtab", {2, 1}, "(3,3)");
        row("run on over black", "runOn", {2, 1}, "(4,1)");
        row("run on ends with the grid", "runOn", {5, 3}, "none");
        row("run back over black", "runBack", {4, 1}, "(2,1)");
        row("outside stays", "right", {9, 9}, "(9,9)");
    }
    void moves() {
        QFETCH(QString, move);
        QFETCH(Square, from);
        QFETCH(QString, to);
        const PuzzleRecord rec = wrapGrid();
        std::optional<Square> got;
        if (move == "right") got = arrowMove(rec, from, 1, 0);
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
        QCOMPARE(show(runBack(rec, {3, 2})), QString("(1,2)"));
    }

    void firstEmptySquareSkipsFilledAndPunctuation() {
        PuzzleRecord rec = fixture::grid({"'AB", "CD#"});
        fixture::entries(rec, {"'A.", "..."});
        QCOMPARE(show(firstEmptySquare(rec)), QString("(3,1)"));
        fixture::entries(rec, {"'AB", "CD."});
        QCOMPARE(show(firstEmptySquare(rec)), QString("(2,1)")); // all filled: the first
        QCOMPARE(show(firstEmptySquare(fixture::grid({"#'#"}))), QString("none"));
    }

    void linkedPlacesAndLabelsOfASquare() {
        const PuzzleRecord rec = fixture::small(); // CAT# / 'DOG
        const LinkedPlaces t = linkedPlaces(rec, {3, 1});
        QCOMPARE(t.answer, (std::vector<Square>{{1, 1}, {2, 1}, {3, 1}}));
        QCOMPARE(std::vector<int>({t.clue, t.letter, t.stripIndex, t.titleSquare}), std::vector<int>({1, 3, 2, 0}));
        QCOMPARE(linkedPlaces(rec, {2, 2}).titleSquare, 2); // first letter of clue 2
        for (Square none : {Square{4, 1}, Square{1, 2}, Square{5, 5}}) QVERIFY(linkedPlaces(rec, none).answer.empty());
        QCOMPARE(squareLabel(rec, {2, 2}).number, 4);
        QCOMPARE(squareLabel(rec, {2, 2}).clue, std::string("B"));
        QCOMPARE(squareLabel(rec, {1, 2}).number, 0); // punctuation: no labels
        QVERIFY(squareLabel(rec, {1, 2}).clue.empty());
    }
};

QTEST_APPLESS_MAIN(TestAidRules)
#include "tst_aidrules.moc"
