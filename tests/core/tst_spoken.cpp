// What a screen reader is told about squares and clues.
#include <QtTest>

#include "PuzzleFixture.h"
#include "core/SpokenText.h"

using namespace vlq;

class TestSpoken : public QObject {
    Q_OBJECT
private slots:
    void squares_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("said");
        QTest::newRow("filled letter") << 1 << 1 << "1 A, row 1, column 1, W";
        QTest::newRow("empty letter") << 2 << 1 << "2 A, row 1, column 2, empty";
        QTest::newRow("typed space is empty") << 1 << 2 << "4 B, row 2, column 1, empty";
        QTest::newRow("black") << 3 << 1 << "row 1, column 3, black square";
        QTest::newRow("apostrophe") << 2 << 2 << "row 2, column 2, apostrophe";
        QTest::newRow("number skips punctuation") << 3 << 2 << "5 B, row 2, column 3, T";
        QTest::newRow("in no answer") << 4 << 1 << "3, row 1, column 4, empty";
        QTest::newRow("outside") << 5 << 1 << "";
    }
    void squares() {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(QString, said);
        auto rec = fixture::grid({"WE#S", "I'TS"});
        fixture::entries(rec, {"W...", " 'T."});
        fixture::answer(rec, 1, "First", {{1, 1}, {2, 1}});
        fixture::answer(rec, 2, "Second", {{1, 2}, {3, 2}, {4, 2}});
        QCOMPARE(QString::fromStdString(describeSquare(rec, {col, row})), said);
    }

    void clues_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("said");
        QTest::newRow("part filled") << 1 << "A. Saying yes firmly, 3 letters, 2 filled";
        QTest::newRow("one letter") << 2 << "B. Vowel, 1 letter, 0 filled";
        QTest::newRow("beyond") << 31 << "";
    }
    void clues() {
        QFETCH(int, k);
        QFETCH(QString, said);
        auto rec = fixture::grid({"YESO"});
        fixture::entries(rec, {"Y.S."});
        fixture::answer(rec, 1, "Saying yes firmly", {{1, 1}, {2, 1}, {3, 1}});
        fixture::answer(rec, 2, "Vowel", {{4, 1}});
        QCOMPARE(QString::fromStdString(describeClue(rec, k)), said);
    }

    // The answer window's cells, the author-title strip's and a clue with
    // its letters as its line shows them.
    void answerStripAndLetters() {
        auto rec = fixture::grid({"YESO"});
        fixture::entries(rec, {"Y.S."});
        fixture::answer(rec, 1, "Saying yes firmly", {{1, 1}, {2, 1}, {3, 1}});
        fixture::answer(rec, 2, "Vowel", {{4, 1}});
        const auto said = [](const std::string& text) { return QString::fromStdString(text); };
        QCOMPARE(said(describeAnswerLetter(rec, 1, 2)), QStringLiteral("2 of 3, square 2, empty"));
        QCOMPARE(said(describeAnswerLetter(rec, 1, 3)), QStringLiteral("3 of 3, square 3, S"));
        QCOMPARE(said(describeAnswerLetter(rec, 1, 4)), QString());
        QCOMPARE(said(describeTitleSquare(rec, 1, 2)), QStringLiteral("clue A, 1 of 2, Y"));
        QCOMPARE(said(describeTitleSquare(rec, 2, 2)), QStringLiteral("clue B, 2 of 2, empty"));
        QCOMPARE(said(describeTitleSquare(rec, 3, 2)), QString());
        QCOMPARE(said(describeClueLetters(rec, 1)), QStringLiteral("A. Saying yes firmly, 3 letters: Y blank S"));
    }
};

QTEST_APPLESS_MAIN(TestSpoken)
#include "tst_spoken.moc"
