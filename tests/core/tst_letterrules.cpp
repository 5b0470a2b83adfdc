// Rules behind the player's letters: where a key typed on a punctuation
// square goes, and which letters a check finds wrong.
#include <QtTest>

#include "PuzzleFixture.h"
#include "core/PuzzleRules.h"

using namespace vlq;

namespace {
QString show(std::optional<Square> s) { return s ? QString("(%1,%2)").arg(s->col).arg(s->row) : QString("none"); }

// Punctuation inside a word, two marks in a row across a row break, and
// a mark that ends its word:
//   DON'T#
//   A-'BC'
PuzzleRecord marks() { return fixture::grid({"DON'T#", "A-'BC'"}); }
} // namespace

class TestLetterRules : public QObject {
    Q_OBJECT
private slots:
    void typingSquare_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("to");
        QTest::newRow("letter square stays") << 3 << 1 << "(3,1)";
        QTest::newRow("apostrophe inside a word") << 4 << 1 << "(5,1)";
        QTest::newRow("two marks in a row") << 2 << 2 << "(4,2)";
        QTest::newRow("mark at the end of the grid") << 6 << 2 << "none";
        QTest::newRow("outside the grid") << 7 << 1 << "none";
    }
    void typingSquare() {
        QFETCH(int, c);
        QFETCH(int, r);
        QFETCH(QString, to);
        QCOMPARE(show(vlq::typingSquare(marks(), {c, r})), to);
    }

    void wholeWords_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("size");
        // AB#CD / EF'GH / #IJ#K
        QTest::newRow("back across the row break") << 2 << 2 << "(4,1)" << 7;
        QTest::newRow("from the grid's start") << 1 << 1 << "(1,1)" << 2;
        QTest::newRow("last square of the grid") << 5 << 3 << "(5,3)" << 1;
        QTest::newRow("black square") << 3 << 1 << "none" << 0;
        QTest::newRow("outside the grid") << 0 << 1 << "none" << 0;
    }
    void wholeWords() {
        QFETCH(int, c);
        QFETCH(int, r);
        QFETCH(QString, first);
        QFETCH(int, size);
        const auto word = wordSquares(fixture::grid({"AB#CD", "EF'GH", "#IJ#K"}), {c, r});
        QCOMPARE(int(word.size()), size);
        QCOMPARE(show(word.empty() ? std::nullopt : std::optional(word.front())), first);
    }

    void wrongLetters_data() {
        QTest::addColumn<QString>("row1");
        QTest::addColumn<QString>("wrong");
        QTest::newRow("right letters and marks") << "DON'T#" << "";
        QTest::newRow("empty squares are not wrong") << ".O..." << "";
        QTest::newRow("wrong letters") << "DAN'X#" << "(2,1) (5,1)";
        QTest::newRow("a letter on a mark") << "DONXT#" << "(4,1)";
        QTest::newRow("anything on a black square") << "DON'TZ" << "";
    }
    void wrongLetters() {
        QFETCH(QString, row1);
        QFETCH(QString, wrong);
        auto rec = marks();
        fixture::entries(rec, {row1.toStdString(), "A-'BC'"});
        QStringList found;
        for (int c = 0; c <= 7; ++c)
            if (isWrongSquare(rec, {c, 1})) found << QString("(%1,1)").arg(c);
        QCOMPARE(found.join(' '), wrong);
    }
};

QTEST_APPLESS_MAIN(TestLetterRules)
#include "tst_letterrules.moc"
