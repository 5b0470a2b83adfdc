// Letter, word and cheat reveals from the toolbar: which surface gets the
// reveal key, how far a word reveal runs, and the solution shown while the
// button is held.
#include <QAction>
#include <QToolButton>
#include <QtTest>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "game/SettingsStore.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "support/ScreenProbe.h"
#include "views/SquareGeometry.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

using vlq::Square;

namespace {

// The puzzle is fixture::wordsPuzzle():
//   A B # C D E    words: AB | CDE-FG across the row break | HI- JK'LM across
//   F G # H I -    the next one | NOPQRS, which ends the grid.
//   J K ' L M #    clue 1 ACE, 2 BID, 3 FOG, 4 HJK, 5 LNQ.
//   N O P Q R S

const QColor kGrey(128, 128, 128);

QString squares(const QList<Square>& list) {
    QStringList out;
    for (const Square& q : list) out << QStringLiteral("%1,%2").arg(q.col).arg(q.row);
    return out.join(' ');
}

} // namespace

class TestReveals : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void letterRevealFillsTheGridSquare();
    void letterRevealWithNothingToRevealChangesNothing();
    void letterRevealGoesToTheAnswerWindowWhenShown();
    void wordRevealInTheGrid_data();
    void wordRevealInTheGrid();
    void wordRevealInTheAnswerWindow_data();
    void wordRevealInTheAnswerWindow();
    void pressGivesTheAnswerWindowTheKeyboard_data();
    void pressGivesTheAnswerWindowTheKeyboard();
    void cheatButtonShowsTheSolutionWhileHeld_data();
    void cheatButtonShowsTheSolutionWhileHeld();

private:
    TVlqGameGridForm* grid() const { return game().gridForm; }
    vlq::PuzzleRecord& rec() { return game().puzzle; }
    int s() const { return game().gridSquareSize; }
    void clickSquare(int c, int r) {
        QTest::mouseClick(grid(), Qt::LeftButton, {}, vlq::squareOutline(c, r, s()).center());
    }
    void openAnswerWindow(int clue, int cursor) {
        game().currentClue = clue;
        solve_->AnswerCursor = cursor;
        solve_->OpenOnClue();
        QVERIFY(QTest::qWaitForWindowExposed(solve_));
    }
    // Squares whose Entry holds their solution, in reading order.
    QList<Square> filled() {
        QList<Square> out;
        for (int r = 1; r <= rec().height(); ++r)
            for (int c = 1; c <= rec().width(); ++c)
                if (!rec().isBlack(c, r) && !rec().isPunctuation(c, r) && rec().entry(c, r) == rec().solution(c, r))
                    out << Square{c, r};
        return out;
    }

    std::unique_ptr<ScratchDocuments> docs_;
    std::unique_ptr<TVlqGameMainForm> form_;
    TVlqSolveForm* solve_ = nullptr;
};

void TestReveals::init() {
    QFile::remove(SettingsStore::open().fileName());
    game().reset();
    docs_ = std::make_unique<ScratchDocuments>();
    const QString path = docs_->writePuzzle(QStringLiteral("Reveals.vlq"), fixture::wordsPuzzle());
    solve_ = new TVlqSolveForm;
    game().solveForm = solve_;
    form_ = fixture::showMainWindow();
    QVERIFY(form_);
    QVERIFY(form_->OpenPuzzleFile(path));
    QVERIFY(grid());
    probe::shot(grid());
    QVERIFY(!grid()->cheated());
    QVERIFY(!game().modified);
}

void TestReveals::cleanup() {
    form_.reset();
    delete solve_;
    solve_ = nullptr;
    docs_.reset();
    game().reset();
}

void TestReveals::letterRevealFillsTheGridSquare() {
    clickSquare(4, 1);
    QTest::mouseClick(form_->LetterBtn, Qt::LeftButton);
    QCOMPARE(squares(filled()), QStringLiteral("4,1"));
    QCOMPARE(grid()->currentSquare(), std::optional<Square>(Square{5, 1}));
    QVERIFY(grid()->cheated());
    QVERIFY(game().modified);
}

void TestReveals::letterRevealWithNothingToRevealChangesNothing() {
    const auto before = rec().bytes();
    QVERIFY(!grid()->currentSquare());
    QTest::mouseClick(form_->LetterBtn, Qt::LeftButton);
    QTest::mouseClick(form_->WordBtn, Qt::LeftButton);
    QVERIFY(rec().bytes() == before);
    QVERIFY(!game().modified);
    QVERIFY(!grid()->cheated());
}

// The answer window takes the key when it shows, even with a current grid
// square elsewhere.
void TestReveals::letterRevealGoesToTheAnswerWindowWhenShown() {
    clickSquare(4, 4);
    openAnswerWindow(3, 0); // FOG: F (1,2), O (2,4), G (2,2)
    QTest::mouseClick(form_->LetterBtn, Qt::LeftButton);
    QCOMPARE(squares(filled()), QStringLiteral("1,2"));
    QCOMPARE(solve_->AnswerCursor, 1);
    QVERIFY(grid()->cheated());
}

void TestReveals::wordRevealInTheGrid_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");
    QTest::newRow("across a row break") << 5 << 1 << "5,1 6,1 1,2 2,2";
    QTest::newRow("over punctuation and a row break") << 4 << 2 << "4,2 5,2 1,3 2,3 4,3 5,3";
    QTest::newRow("to the end of the grid") << 3 << 4 << "3,4 4,4 5,4 6,4";
    QTest::newRow("a one-letter rest") << 2 << 1 << "2,1";
}

void TestReveals::wordRevealInTheGrid() {
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(QString, expected);
    clickSquare(col, row);
    QVERIFY(grid()->currentSquare());
    QTest::mouseClick(form_->WordBtn, Qt::LeftButton);
    QCOMPARE(squares(filled()), expected);
    QVERIFY(!grid()->currentSquare());
    QVERIFY(grid()->cheated());
    QVERIFY(game().modified);
}

void TestReveals::wordRevealInTheAnswerWindow_data() {
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("expected");
    QTest::newRow("from the first letter") << 0 << "1,2 2,2 2,4";
    QTest::newRow("from the second letter") << 1 << "2,2 2,4";
    QTest::newRow("past the end") << 3 << "";
    QTest::newRow("parked") << 31 << "";
}

void TestReveals::wordRevealInTheAnswerWindow() {
    QFETCH(int, cursor);
    QFETCH(QString, expected);
    clickSquare(1, 4); // a grid cursor elsewhere must not be touched
    openAnswerWindow(3, cursor);
    QTest::mouseClick(form_->WordBtn, Qt::LeftButton);
    QCOMPARE(squares(filled()), expected);
    if (!expected.isEmpty()) QCOMPARE(solve_->AnswerCursor, 3);
    QCOMPARE(grid()->cheated(), !expected.isEmpty());
    QCOMPARE(rec().entry(1, 4), std::uint8_t(0));
}

void TestReveals::pressGivesTheAnswerWindowTheKeyboard_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("letter") << "LetterBtn";
    QTest::newRow("word") << "WordBtn";
}

void TestReveals::pressGivesTheAnswerWindowTheKeyboard() {
    QFETCH(QString, button);
    openAnswerWindow(1, 0);
    form_->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), form_.get());
    auto* b = form_->findChild<QToolButton*>(button);
    QVERIFY(b);
    QTest::mousePress(b, Qt::LeftButton);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(solve_));
    QTest::mouseRelease(b, Qt::LeftButton);
}

// Grey solution letters in the empty grid squares and strip squares while
// the button is down; a repaint on release takes them away; the record is
// not touched.
void TestReveals::cheatButtonShowsTheSolutionWhileHeld_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestReveals::cheatButtonShowsTheSolutionWhileHeld() {
    QFETCH(Qt::MouseButton, button);
    const auto before = rec().bytes();
    TVlqGameTitleForm* title = game().titleForm;
    const int t = game().titleSquareSize;
    const auto greyIn = [](QWidget* w, const QRect& outline) {
        return probe::countColour(probe::shot(w), outline.adjusted(2, 2, -2, -2), kGrey, 30);
    };
    QCOMPARE(greyIn(grid(), vlq::squareOutline(4, 1, s())), 0);
    QCOMPARE(greyIn(title, vlq::squareOutline(2, 1, t)), 0);

    QTest::mousePress(form_->CheatBtn, button);
    QVERIFY(greyIn(grid(), vlq::squareOutline(4, 1, s())) > 0);
    QVERIFY(greyIn(title, vlq::squareOutline(2, 1, t)) > 0);
    QCOMPARE(greyIn(grid(), vlq::squareOutline(3, 1, s())), 0); // black square
    QVERIFY(grid()->cheated());

    QTest::mouseRelease(form_->CheatBtn, button);
    QTRY_COMPARE(greyIn(grid(), vlq::squareOutline(4, 1, s())), 0);
    QTRY_COMPARE(greyIn(title, vlq::squareOutline(2, 1, t)), 0);
    QVERIFY(rec().bytes() == before);
    QVERIFY(!game().modified);

    // A click too quick for a paint in between leaves no grey either.
    QTest::mousePress(form_->CheatBtn, button);
    QTest::mouseRelease(form_->CheatBtn, button);
    QCOMPARE(greyIn(title, vlq::squareOutline(2, 1, t)), 0);
}

QTEST_MAIN(TestReveals)
#include "tst_reveals.moc"
