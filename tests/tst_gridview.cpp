// The quotation grid as the player uses it: clicks, keys and what the
// window shows afterwards, on the offscreen screen.
#include <QApplication>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <optional>

#include "game/GameContext.h"
#include "game/TVlqProcs.h"
#include "core/VlqError.h"
#include "game/SettingsStore.h"
#include "support/PaintRecorder.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScreenProbe.h"
#include "views/SquareGeometry.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

using vlq::Square;

namespace {

// The puzzle is fixture::wordsPuzzle():
//   A B # C D E    words: AB | CDE-FG across the row break | HI-JK'LM | NOPQRS.
//   F G # H I -    clue 1 ACE, 2 BID, 3 FOG, 4 HJK, 5 LNQ;
//   J K ' L M #    M, P, R and S belong to no clue.
//   N O P Q R S

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

} // namespace

class TestGridView : public QObject {
    Q_OBJECT

private:
    QMdiArea* area_ = nullptr;
    TVlqGameGridForm* grid_ = nullptr;
    std::optional<PromptRecorder> prompts_; // no message box ever blocks

    int s() const { return game().gridSquareSize; }
    QRect outline(int c, int r) const { return vlq::squareOutline(c, r, s()); }
    QPoint centre(int c, int r) const { return outline(c, r).center(); }
    vlq::PuzzleRecord& rec() { return game().puzzle; }

    void click(int c, int r, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(grid_, b, {}, centre(c, r)); }
    QColor fill(int c, int r) { return probe::fillOf(probe::shot(grid_), outline(c, r)); }
    // Pixels of colour inside square (c, r), its border left out.
    int inkIn(const QImage& img, int c, int r, const QColor& colour, int tolerance = 40) {
        return probe::countColour(img, outline(c, r).adjusted(1, 1, -1, -1), colour, tolerance);
    }
    void rebuild() {
        delete area_;
        area_ = fixture::showDocumentArea(1200, 900);
        QVERIFY(area_);
        grid_ = new TVlqGameGridForm(area_);
        grid_->setFocus();
        probe::shot(grid_); // the first full paint
    }

private slots:
    void init() {
        SettingsStore::open().clear();
        prompts_.emplace();
        game().reset();
        fixture::loadIntoGame(fixture::wordsPuzzle());
        QVERIFY(vlq::PuzzleRecord::validate(rec().bytes()).empty());
        rebuild();
    }
    void cleanup() {
        delete area_;
        area_ = nullptr;
        grid_ = nullptr;
        prompts_.reset();
        game().reset();
    }

    // --- placement and size ------------------------------------------------

    void defaultPlacementCentresOnTheScreen() {
        QMdiSubWindow* sub = grid_->subWindow();
        QCOMPARE(s(), 30);
        QCOMPARE(grid_->size(), QSize(6 * 30 + 1, 4 * 30 + 1));
        const int outerW = sub->width();
        QCOMPARE(sub->x(), (grid_->screen()->geometry().width() - outerW) / 2);
        QCOMPARE(sub->y(), game().frameSize);
        QVERIFY(!grid_->cheated());
        QVERIFY(!grid_->currentSquare());
    }

    void storedPlacementKeepsLeftTopOnly() {
        TVlqProcs::WriteSetting("ScreenSquare", 20);
        TVlqProcs::WriteSetting("ScreenBoundsGrid", "17,23,999,999");
        grid_->PlaceWindow();
        QCOMPARE(grid_->subWindow()->pos(), QPoint(17, 23));
        QCOMPARE(s(), 20);
        QCOMPARE(grid_->size(), QSize(6 * 20 + 1, 4 * 20 + 1));
    }

    void malformedBoundsAreReportedAndChangeNothing_data() {
        QTest::addColumn<QString>("bounds");
        QTest::newRow("three parts") << "1,2,3";
        QTest::newRow("letters") << "a,b,c,d";
        QTest::newRow("too large") << "1,2,3,99999999999";
    }
    void malformedBoundsAreReportedAndChangeNothing() {
        QFETCH(QString, bounds);
        const QRect before = grid_->subWindow()->geometry();
        TVlqProcs::WriteSetting("ScreenSquare", 40);
        TVlqProcs::WriteSetting("ScreenBoundsGrid", bounds);
        try {
            grid_->PlaceWindow();
            QFAIL("no error for a malformed bounds value");
        } catch (const vlq::SettingsError& e) {
            QVERIFY(QString::fromUtf8(e.what()).contains(bounds));
        }
        QCOMPARE(grid_->subWindow()->geometry(), before);
        QCOMPARE(s(), 30);
    }

    void malformedBoundsAtCreationStillGiveAUsableWindow() {
        TVlqProcs::WriteSetting("ScreenBoundsGrid", "x");
        prompts_->clear();
        rebuild();
        QCOMPARE(prompts_->errors.size(), 1);
        QVERIFY(prompts_->errors.front().contains("'x'"));
        QVERIFY(prompts_->questions.isEmpty());
        QCOMPARE(grid_->size(), QSize(6 * 30 + 1, 4 * 30 + 1));
    }

    void fontScalesWithTheSquares_data() {
        QTest::addColumn<int>("square");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("size"); // the font size setting
        QTest::newRow("half: 5.5 rounds to 6") << 15 << 6 << 11;
        QTest::newRow("default") << 30 << 11 << 11;
        QTest::newRow("one and a half: 16.5 rounds to 16") << 45 << 16 << 11;
        QTest::newRow("a setting far too large: no larger than the square") << 30 << 30 << 0x7fffffff;
    }
    void fontScalesWithTheSquares() {
        QFETCH(int, square);
        QFETCH(int, points);
        QFETCH(int, size);
        if (size != 11) {
            TVlqProcs::WriteSetting("FontSize", size);
            rebuild();
        }
        QMdiSubWindow* sub = grid_->subWindow();
        const int extraW = sub->width() - grid_->width();
        sub->resize(6 * square + extraW + 1, sub->height());
        QCOMPARE(s(), square);
        QCOMPARE(grid_->font().pointSize(), points);
        // The same through the stored square size.
        TVlqProcs::WriteSetting("ScreenSquare", square);
        grid_->PlaceWindow();
        QCOMPARE(grid_->font().pointSize(), points);
    }

    void resizeSnapsToWholeSquaresFromTheWidth_data() {
        QTest::addColumn<int>("dw");
        QTest::addColumn<int>("dh");
        QTest::addColumn<int>("square");
        QTest::newRow("wider by less than Width") << 5 << 0 << 30;
        QTest::newRow("wider by Width") << 6 << 0 << 31;
        QTest::newRow("taller") << 0 << 50 << 30;
        QTest::newRow("narrower by one") << -1 << 0 << 29;
        QTest::newRow("almost nothing") << -1000 << 0 << 1;
    }
    void resizeSnapsToWholeSquaresFromTheWidth() {
        QFETCH(int, dw);
        QFETCH(int, dh);
        QFETCH(int, square);
        QMdiSubWindow* sub = grid_->subWindow();
        const QPoint pos = sub->pos();
        sub->resize(std::max(1, sub->width() + dw), sub->height() + dh);
        QCOMPARE(s(), square);
        QCOMPARE(sub->pos(), pos);
        QCOMPARE(grid_->size(), QSize(6 * square + 1, 4 * square + 1));
        // A snapped window stays as it is when snapped again.
        sub->resize(sub->size());
        QCOMPARE(s(), square);
    }

    void resizeDropsTheCurrentSquare() {
        click(4, 1);
        QVERIFY(grid_->currentSquare());
        grid_->subWindow()->resize(grid_->subWindow()->width() + 12, grid_->subWindow()->height());
        QVERIFY(!grid_->currentSquare());
        QCOMPARE(fill(4, 1), kWhite);
    }

    // --- clicks -----------------------------------------------------------------

    void clickHighlightsTheRestOfTheWord_data() {
        QTest::addColumn<QPoint>("offset"); // from the square's top-left pixel
        QTest::newRow("centre") << QPoint(15, 15);
        QTest::newRow("top-left pixel") << QPoint(0, 0);
        QTest::newRow("last pixel inside") << QPoint(29, 29);
    }
    void clickHighlightsTheRestOfTheWord() {
        QFETCH(QPoint, offset);
        QTest::mouseClick(grid_, Qt::LeftButton, {}, outline(5, 1).topLeft() + offset);
        QCOMPARE(grid_->currentSquare(), std::optional<Square>(Square{5, 1}));
        const QImage img = probe::shot(grid_);
        for (const Square q : {Square{5, 1}, Square{6, 1}, Square{1, 2}, Square{2, 2}})
            QCOMPARE(probe::fillOf(img, outline(q.col, q.row)), kYellow);
        for (const Square q : {Square{4, 1}, Square{1, 1}, Square{4, 2}})
            QCOMPARE(probe::fillOf(img, outline(q.col, q.row)), kWhite);
        QCOMPARE(probe::fillOf(img, outline(3, 2)), kBlack);
        // Outlines stay in the filled colour around a yellow square.
        QCOMPARE(img.pixelColor(outline(6, 1).topLeft() + QPoint(15, 0)), kBlack);
    }

    void clickOnAnotherWordMovesTheHighlight() {
        click(4, 1);
        click(4, 2);
        const QImage img = probe::shot(grid_);
        QCOMPARE(probe::fillOf(img, outline(4, 1)), kWhite);
        QCOMPARE(probe::fillOf(img, outline(2, 2)), kWhite);
        QCOMPARE(probe::fillOf(img, outline(4, 3)), kYellow);
        QCOMPARE(probe::fillOf(img, outline(6, 2)), kYellow); // punctuation lies in the run
    }

    void clickOnABlackSquareDropsTheCurrentSquare() {
        click(4, 1);
        click(3, 1);
        QVERIFY(!grid_->currentSquare());
        QCOMPARE(fill(5, 1), kWhite);
    }

    void clickOnTheClosingPixelsDoesNothing_data() {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("last column") << QPoint(6 * 30, 10);
        QTest::newRow("last row") << QPoint(10, 4 * 30);
    }
    void clickOnTheClosingPixelsDoesNothing() {
        QFETCH(QPoint, at);
        click(4, 1);
        QTest::mouseClick(grid_, Qt::LeftButton, {}, at);
        QTest::mouseClick(grid_, Qt::RightButton, {}, at);
        QCOMPARE(grid_->currentSquare(), std::optional<Square>(Square{4, 1}));
    }

    void middleButtonSelectsLikeTheLeft() {
        click(2, 4, Qt::MiddleButton);
        QCOMPARE(grid_->currentSquare(), std::optional<Square>(Square{2, 4}));
    }

    void anyClickClosesTheAnswerWindow() {
        TVlqSolveForm solve;
        game().solveForm = &solve;
        solve.show();
        click(3, 1, Qt::RightButton); // on a black square: nothing else happens
        QVERIFY(!solve.isVisible());
        game().solveForm = nullptr;
    }

    void rightClickHandsTheLetterToTheClueList() {
        new TVlqGameClueForm(area_);
        auto* solve = new TVlqSolveForm;
        game().solveForm = solve;
        click(4, 2);
        click(5, 2, Qt::RightButton); // letter 2 of clue 2
        QCOMPARE(game().clueForm->GridLetterIndex, 1);
        QCOMPARE(game().clueForm->ClueList->currentRow(), 1);
        QCOMPARE(game().currentClue, 2);
        QCOMPARE(solve->AnswerCursor, 1);
        QVERIFY(solve->isVisible());
        // The answer window takes over: the grid has no current square.
        QVERIFY(!grid_->currentSquare());
        QCOMPARE(fill(4, 2), kWhite);
        game().solveForm = nullptr;
        delete solve;
    }

    void rightClickOnSquaresWithoutAClueDoesNothing_data() {
        QTest::addColumn<QPoint>("square");
        QTest::newRow("black") << QPoint(3, 1);
        QTest::newRow("no clue") << QPoint(5, 3);
    }
    void rightClickOnSquaresWithoutAClueDoesNothing() {
        QFETCH(QPoint, square);
        new TVlqGameClueForm(area_);
        game().clueForm->GridLetterIndex = 7;
        click(1, 4);
        click(square.x(), square.y(), Qt::RightButton);
        QCOMPARE(game().clueForm->GridLetterIndex, 7);
        QCOMPARE(grid_->currentSquare(), std::optional<Square>(Square{1, 4}));
    }

    void rightClickWithoutAClueListIsHarmless() {
        click(1, 1, Qt::RightButton);
        QVERIFY(!grid_->currentSquare());
    }

    // --- keys -------------------------------------------------------------------

    void typingFollowsTheWordAcrossTheRowBreak() {
        click(5, 1);
        QTest::keyClicks(grid_, "xyzw");
        QCOMPARE(rec().entry(5, 1), 'X');
        QCOMPARE(rec().entry(6, 1), 'Y');
        QCOMPARE(rec().entry(1, 2), 'Z');
        QCOMPARE(rec().entry(2, 2), 'W');
        QVERIFY(!grid_->currentSquare()); // the word ended
        QVERIFY(game().modified);
        QTest::keyClick(grid_, 'v');
        QCOMPARE(rec().entry(1, 1), 0);
        const QImage img = probe::shot(grid_);
        for (const Square q : {Square{5, 1}, Square{6, 1}, Square{1, 2}, Square{2, 2}}) {
            QCOMPARE(probe::fillOf(img, outline(q.col, q.row)), kWhite);
            QVERIFY(inkIn(img, q.col, q.row, kBlack) > 5);
        }
    }

    void typingTheLastSquareOfTheGridLeavesNoCurrentSquare() {
        click(6, 4);
        QTest::keyClick(grid_, 's');
        QCOMPARE(rec().entry(6, 4), 'S');
        QVERIFY(!grid_->currentSquare());
    }

    void keyTable_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("moves");
        QTest::addColumn<bool>("flagged");
        QTest::addColumn<bool>("cheat");
        QTest::newRow("lower case") << int(Qt::Key_Q) << "q" << 0 << int('Q') << true << true << false;
        QTest::newRow("capital") << int(Qt::Key_Q) << "Q" << 0 << int('Q') << true << true << false;
        QTest::newRow("space erases") << int(Qt::Key_Space) << " " << int('X') << 0 << true << true << false;
        QTest::newRow("delete erases") << int(Qt::Key_Delete) << "" << int('X') << 0 << true << true << false;
        QTest::newRow("enter keeps") << int(Qt::Key_Return) << "\r" << int('X') << int('X') << true << true << false;
        QTest::newRow("enter on empty") << int(Qt::Key_Return) << "\r" << 0 << 0 << true << true << false;
        QTest::newRow("reveal") << int(Qt::Key_Plus) << "+" << 0 << int('H') << true << true << true;
        QTest::newRow("reveal over the right letter") << int(Qt::Key_Plus) << "+" << int('H') << int('H') << true
                                                      << true << true;
        QTest::newRow("digit") << int(Qt::Key_1) << "1" << int('X') << int('X') << false << false << false;
        QTest::newRow("punctuation") << int(Qt::Key_Exclam) << "!" << 0 << 0 << false << false << false;
        QTest::newRow("tab") << int(Qt::Key_Tab) << "\t" << 0 << 0 << false << false << false;
        QTest::newRow("arrow") << int(Qt::Key_Right) << "" << 0 << 0 << false << false << false;
        QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b" << 0 << 0 << false << false << false;
        QTest::newRow("accented") << int(Qt::Key_Eacute) << QString(QChar(0xE9)) << 0 << 0 << false << false << false;
    }
    void keyTable() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, before);
        QFETCH(int, stored);
        QFETCH(bool, moves);
        QFETCH(bool, flagged);
        QFETCH(bool, cheat);
        rec().setEntry(4, 2, std::uint8_t(before));
        click(4, 2);
        game().modified = false;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(grid_, &press);
        QCOMPARE(int(rec().entry(4, 2)), stored);
        QCOMPARE(grid_->currentSquare(), std::optional<Square>(moves ? Square{5, 2} : Square{4, 2}));
        QCOMPARE(game().modified, flagged);
        QCOMPARE(grid_->cheated(), cheat);
    }

    void keysWithoutACurrentSquareAreIgnored() {
        QTest::keyClick(grid_, 'a');
        QTest::keyClick(grid_, Qt::Key_Delete);
        QTest::keyClick(grid_, Qt::Key_Plus);
        QVERIFY(!game().modified);
        QVERIFY(!grid_->cheated());
    }

    void backspaceStepsBackWithinTheWord_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("along the row") << QPoint(2, 1) << QPoint(1, 1);
        QTest::newRow("first square of the grid") << QPoint(1, 1) << QPoint(1, 1);
        QTest::newRow("column 1 to the row above") << QPoint(1, 2) << QPoint(6, 1);
        QTest::newRow("onto punctuation above") << QPoint(1, 3) << QPoint(6, 2);
        QTest::newRow("first of a word after black") << QPoint(4, 1) << QPoint(4, 1);
        QTest::newRow("black at the end of the row above") << QPoint(1, 4) << QPoint(1, 4);
    }
    void backspaceStepsBackWithinTheWord() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        rec().setEntry(to.x(), to.y(), 'Z');
        click(from.x(), from.y());
        game().modified = false;
        QTest::keyClick(grid_, Qt::Key_Backspace);
        QCOMPARE(grid_->currentSquare(), std::optional<Square>(Square{to.x(), to.y()}));
        QCOMPARE(rec().entry(to.x(), to.y()), 'Z'); // never erases
        QVERIFY(!game().modified);
        const QImage img = probe::shot(grid_);
        QCOMPARE(probe::fillOf(img, outline(to.x(), to.y())), kYellow);
        QVERIFY(inkIn(img, to.x(), to.y(), kBlack) > 5);
    }

    void backspaceThenTypeOverwrites() {
        click(4, 1);
        QTest::keyClicks(grid_, "cd");
        QTest::keyClick(grid_, Qt::Key_Backspace);
        QTest::keyClick(grid_, 'x');
        QCOMPARE(rec().entry(4, 1), 'C');
        QCOMPARE(rec().entry(5, 1), 'X');
        QCOMPARE(grid_->currentSquare(), std::optional<Square>(Square{6, 1}));
    }

    void solveWordRevealsUntilTheWordEnds() {
        click(4, 1);
        int guard = 0;
        while (grid_->currentSquare() && ++guard < 50) grid_->FormKeyPress(QLatin1Char('+'));
        QCOMPARE(guard, 5);
        for (const Square q : {Square{4, 1}, Square{5, 1}, Square{6, 1}, Square{1, 2}, Square{2, 2}})
            QCOMPARE(rec().entry(q.col, q.row), rec().solution(q.col, q.row));
        QCOMPARE(rec().entry(4, 2), 0);
        QVERIFY(grid_->cheated());
    }

    // --- propagation ------------------------------------------------------------

    void onlyAFirstLetterRepaintsTheAuthorTitleStrip() {
        auto* title = new TVlqGameTitleForm(area_);
        PaintRecorder titlePaints(title);
        click(1, 2);
        probe::shot(grid_);
        titlePaints.clear();
        QTest::keyClick(grid_, 'f'); // first letter of clue 3
        probe::shot(grid_);
        QVERIFY(titlePaints.count > 0);
        titlePaints.clear();
        QTest::keyClick(grid_, 'g'); // third letter of clue 3
        probe::shot(grid_);
        QCOMPARE(titlePaints.count, 0);
    }

    void aLetterRebuildsOnlyItsClueLine() {
        new TVlqGameClueForm(area_);
        QListWidget* list = game().clueForm->ClueList;
        QCOMPARE(list->count(), 5);
        QStringList before;
        for (int i = 0; i < list->count(); ++i) before << list->item(i)->text();
        click(1, 2);
        QTest::keyClick(grid_, 'f'); // letter 1 of clue 3
        QCOMPARE(list->item(2)->text(), QStringLiteral("Mist     F __ __ "));
        for (int i : {0, 1, 3, 4}) QCOMPARE(list->item(i)->text(), before[i]);
    }

    void aKeyPressRepaintsOneSquare() {
        PaintRecorder paints(grid_);
        click(4, 2);
        probe::shot(grid_);
        paints.clear();
        QTest::keyClick(grid_, 'h');
        probe::shot(grid_);
        QVERIFY(paints.count > 0);
        QCOMPARE(paints.region.boundingRect(), outline(4, 2));
    }

    void aClickRepaintsTheTwoRuns() {
        PaintRecorder paints(grid_);
        click(1, 4);
        probe::shot(grid_);
        paints.clear();
        click(4, 1);
        probe::shot(grid_);
        QRegion runs;
        for (int c = 1; c <= 6; ++c) runs += outline(c, 4);
        for (const Square q : {Square{4, 1}, Square{5, 1}, Square{6, 1}, Square{1, 2}, Square{2, 2}})
            runs += outline(q.col, q.row);
        QVERIFY(paints.count > 0);
        QVERIFY((paints.region - runs).isEmpty());
    }

    void raisingOrMovingTheWindowKeepsTheOverlays() {
        auto* other = area_->addSubWindow(new QWidget);
        other->setGeometry(600, 400, 200, 100);
        other->show();
        grid_->MarkErrors();
        area_->setActiveSubWindow(other);
        probe::shot(grid_);
        PaintRecorder paints(grid_);
        click(1, 4); // raises and activates the grid
        QImage img = probe::shot(grid_);
        QCOMPARE(area_->activeSubWindow(), grid_->subWindow());
        QVERIFY(inkIn(img, 4, 1, kRed, 30) > 10);
        QCOMPARE(fill(2, 4), kYellow);

        grid_->subWindow()->move(grid_->subWindow()->pos() + QPoint(7, 9));
        img = probe::shot(grid_);
        QVERIFY(inkIn(img, 4, 1, kRed, 30) > 10);

        // So does a paint of the whole window the toolkit makes on its own
        // (activation, a menu); the game's full repaint wipes them.
        grid_->update();
        QVERIFY(inkIn(probe::shot(grid_), 4, 1, kRed, 30) > 10);
        grid_->FullRepaint();
        QCOMPARE(inkIn(probe::shot(grid_), 4, 1, kRed, 30), 0);
        QCOMPARE(fill(2, 4), kYellow);
    }

    void aRepaintShowsARecordReplacedUnderneath() {
        click(4, 1);
        QTest::keyClicks(grid_, "cd");
        grid_->MarkErrors();
        // As revert does: a new record, the cursor cleared, a repaint.
        game().puzzle = fixture::wordsPuzzle();
        rec().setEntry(1, 1, 'Q');
        grid_->ClearCursor();
        grid_->FullRepaint();
        const QImage img = probe::shot(grid_);
        QVERIFY(inkIn(img, 1, 1, kBlack) > 5);
        QCOMPARE(inkIn(img, 4, 1, kBlack), 0);
        QCOMPARE(inkIn(img, 6, 1, kRed, 30), 0);
        QCOMPARE(probe::fillOf(img, outline(6, 1)), kWhite);
    }

    void fullPaintPutsPunctuationBack() {
        click(4, 2);
        QTest::keyClicks(grid_, "hi");
        // A typed letter never lands there; a file saved with one does.
        rec().setEntry(6, 2, 'X');
        grid_->update();
        QCOMPARE(rec().entry(6, 2), 'X');
        QVERIFY(inkIn(probe::shot(grid_), 6, 2, kBlack) > 5);
        game().modified = false;
        grid_->FullRepaint();
        probe::shot(grid_);
        QCOMPARE(rec().entry(6, 2), '-');
        QCOMPARE(rec().entry(3, 3), '\'');
        QVERIFY(!game().modified);
    }

    void paintSquareDrawsNormalColours() {
        click(4, 1);
        rec().setEntry(5, 1, 'Q');
        grid_->PaintSquare(5, 1);
        const QImage img = probe::shot(grid_);
        QCOMPARE(probe::fillOf(img, outline(5, 1)), kWhite);
        QVERIFY(inkIn(img, 5, 1, kBlack) > 5);
        QCOMPARE(probe::fillOf(img, outline(6, 1)), kYellow);
    }

    void answerWindowMarkStaysUntilRedrawn() {
        grid_->MarkSquare(2, 4, kYellow);
        QCOMPARE(fill(2, 4), kYellow);
        grid_->MarkSquare(2, 4, kWhite);
        QCOMPARE(fill(2, 4), kWhite);
        grid_->MarkSquare(9, 9, kYellow); // outside: ignored
    }

    // --- overlays ---------------------------------------------------------------

    void showSolutionIsGreyUntilTheNextFullPaint() {
        rec().setEntry(1, 1, 'A');
        rec().setEntry(2, 1, 'Z'); // wrong letters stay as typed
        rec().setEntry(4, 1, ' ');
        grid_->FullRepaint();
        probe::shot(grid_);
        const auto before = rec().bytes();
        grid_->ShowSolution();
        QVERIFY(grid_->cheated());
        QImage img = probe::shot(grid_);
        QVERIFY(inkIn(img, 4, 1, kGrey, 12) > 5); // a stored space counts as empty
        QVERIFY(inkIn(img, 5, 1, kGrey, 12) > 5);
        QCOMPARE(inkIn(img, 5, 1, kBlack, 30), 0);
        QVERIFY(inkIn(img, 2, 1, kBlack, 30) > 5);
        QCOMPARE(inkIn(img, 3, 1, kGrey, 12), 0);
        QVERIFY(rec().bytes() == before);

        grid_->FullRepaint();
        img = probe::shot(grid_);
        QCOMPARE(inkIn(img, 5, 1, kGrey, 12), 0);
        QVERIFY(inkIn(img, 2, 1, kBlack, 30) > 5);
    }

    void showSolutionFlagsEvenAFullGrid() {
        fixture::fillSolution(rec());
        grid_->ShowSolution();
        QVERIFY(grid_->cheated());
    }

    void markErrorsCrossesWrongAndEmptyNeverBlack() {
        fixture::fillSolution(rec());
        rec().setEntry(1, 1, 'Z'); // wrong
        rec().setEntry(4, 2, 0);   // empty
        grid_->FullRepaint();
        probe::shot(grid_);
        grid_->MarkErrors();
        QImage img = probe::shot(grid_);
        QVERIFY(inkIn(img, 1, 1, kRed, 30) > 10);
        QVERIFY(inkIn(img, 4, 2, kRed, 30) > 10);
        for (const Square q : {Square{2, 1}, Square{3, 1}, Square{6, 2}, Square{6, 3}, Square{6, 4}})
            QCOMPARE(inkIn(img, q.col, q.row, kRed, 30), 0);
        // The cross's arms start six pixels in from the corner; on small
        // squares (a grid shrunk by the player) less, so a cross remains.
        QCOMPARE(img.pixelColor(outline(4, 2).topLeft() + QPoint(7, 7)), kRed);
        grid_->subWindow()->resize(grid_->subWindow()->width() - 6 * 19, grid_->subWindow()->height());
        QCOMPARE(s(), 11);
        grid_->MarkErrors();
        QVERIFY(inkIn(probe::shot(grid_), 4, 2, kRed, 30) > 16);

        grid_->FullRepaint();
        img = probe::shot(grid_);
        QCOMPARE(inkIn(img, 1, 1, kRed, 30), 0);
        QCOMPARE(inkIn(img, 4, 2, kRed, 30), 0);
    }

    void celebrationEndsWithAFullRepaint() {
        fixture::fillSolution(rec());
        grid_->FullRepaint();
        probe::shot(grid_);
        const auto before = rec().bytes();
        PaintRecorder paints(grid_);
        grid_->Celebrate();
        QVERIFY(paints.count >= 60); // the rounds are shown as they go
        const QImage img = probe::shot(grid_);
        QVERIFY(rec().bytes() == before);
        for (int r = 1; r <= 4; ++r) {
            for (int c = 1; c <= 6; ++c) {
                if (rec().isBlack(c, r)) continue;
                QCOMPARE(probe::fillOf(img, outline(c, r)), kWhite);
                QCOMPARE(inkIn(img, c, r, QColor(255, 0, 255), 60), 0);
                QCOMPARE(inkIn(img, c, r, QColor(0, 255, 0), 60), 0);
                QCOMPARE(inkIn(img, c, r, QColor(0, 255, 255), 60), 0);
            }
        }
    }

    // --- settings ---------------------------------------------------------------

    void coloursComeFromTheSettings() {
        TVlqProcs::WriteSetting("FilledSqColor", "clNavy");
        TVlqProcs::WriteSetting("BlankSqColor", "clCream");
        TVlqProcs::WriteSetting("FontColor", "clRed");
        grid_->ReadSettings();
        rec().setEntry(1, 1, 'W');
        grid_->FullRepaint();
        const QImage img = probe::shot(grid_);
        QCOMPARE(probe::fillOf(img, outline(3, 1)), QColor(0, 0, 128));
        QCOMPARE(img.pixelColor(outline(1, 1).topLeft()), QColor(0, 0, 128));
        QCOMPARE(probe::fillOf(img, outline(2, 1)), QColor(255, 251, 240));
        QVERIFY(inkIn(img, 1, 1, kRed, 30) > 5);
    }

    void fontStyleBits() {
        TVlqProcs::WriteSetting("FontStyle", 1 | 2 | 4 | 8);
        TVlqProcs::WriteSetting("FontName", "Courier New");
        grid_->ReadSettings();
        QVERIFY(grid_->font().bold());
        QVERIFY(grid_->font().italic());
        QVERIFY(grid_->font().underline());
        QVERIFY(grid_->font().strikeOut());
        QCOMPARE(grid_->font().family(), QStringLiteral("Courier New"));
    }

    void pencilOnlyForUseCursorsOne_data() {
        QTest::addColumn<int>("useCursors");
        QTest::addColumn<bool>("pencil");
        QTest::newRow("0") << 0 << false;
        QTest::newRow("1") << 1 << true;
        QTest::newRow("2") << 2 << false;
    }
    void pencilOnlyForUseCursorsOne() {
        QFETCH(int, useCursors);
        QFETCH(bool, pencil);
        TVlqProcs::WriteSetting("UseCursors", useCursors);
        grid_->ReadSettings();
        QCOMPARE(grid_->testAttribute(Qt::WA_SetCursor), pencil);
    }

    void malformedColourLeavesTheSettingsAsTheyWere() {
        TVlqProcs::WriteSetting("BlankSqColor", "clCream");
        grid_->ReadSettings();
        TVlqProcs::WriteSetting("BlankSqColor", "not a colour");
        QVERIFY_THROWS_EXCEPTION(vlq::SettingsError, grid_->ReadSettings());
        grid_->FullRepaint();
        QCOMPARE(fill(2, 1), QColor(255, 251, 240));
    }

    void releaseClearsTheGamePointer() {
        delete grid_->subWindow();
        QVERIFY(!game().gridForm);
        grid_ = nullptr;
    }
};

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"
