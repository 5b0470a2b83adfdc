// Rules behind the player's letters: where a key typed on a punctuation
// square goes, the whole word of a square, and which letters are wrong.
#include <QtTest>

#include "PuzzleFixture.h"
#include "core/PuzzleRules.h"

using namespace vlq;

namespace {
QString show(std::optional<Square> s) { return s ? QString("(%1,%2)").arg(s->col).arg(s->row) : QString("none"); }
// A word across the row break with two marks in a row; one ending in a mark.
PuzzleRecord marks() { return fixture::grid({"AB#CD", "E-'GH", "#IJ#'"}); }
} // namespace

class TestLetterRules : public QObject {
    Q_OBJECT
private slots:
    void squaresOfAKey_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("typed");     // typingSquare
        QTest::addColumn<QString>("wordStart"); // wordSquares
        QTest::addColumn<int>("wordSize");
        QTest::newRow("letter square") << 1 << 2 << "(1,2)" << "(4,1)" << 7;
        QTest::newRow("two marks in a row") << 2 << 2 << "(4,2)" << "(4,1)" << 7;
        QTest::newRow("mark ending the grid") << 5 << 3 << "none" << "(5,3)" << 1;
        QTest::newRow("black square") << 3 << 1 << "(3,1)" << "none" << 0;
        QTest::newRow("outside the grid") << 6 << 1 << "none" << "none" << 0;
    }
    void squaresOfAKey() {
        QFETCH(int, c);
        QFETCH(int, r);
        QFETCH(QString, typed);
        QFETCH(QString, wordStart);
        QFETCH(int, wordSize);
        QCOMPARE(show(typingSquare(marks(), {c, r})), typed);
        const auto word = wordSquares(marks(), {c, r});
        QCOMPARE(int(word.size()), wordSize);
        QCOMPARE(show(word.empty() ? std::nullopt : std::optional(word.front())), wordStart);
    }

    // Not the empty squares, nor the black one holding a stray byte.
    void wrongLetters() {
        auto rec = marks();
        fixture::entries(rec, {"AX#.Z", "EQ'GH", "..J#'"});
        QStringList found;
        for (int i = 0; i < 35; ++i)
            if (isWrongSquare(rec, {i % 7, i / 7})) found << show(Square{i % 7, i / 7});
        QCOMPARE(found.join(' '), QString("(2,1) (5,1) (2,2)"));
    }
};

QTEST_APPLESS_MAIN(TestLetterRules)
#include "tst_letterrules.moc"
