// The answer entry window driven as a player drives it: keys, clicks,
// placement, and the colours of its strip.
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QtTest>
#include <optional>

#include "game/GameContext.h"
#include "support/PaintRecorder.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScreenProbe.h"
#include "game/TVlqProcs.h"
#include "core/PuzzleRules.h"
#include "game/SettingsStore.h"
#include "views/SquareGeometry.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

namespace {

// A 6 x 3 grid ('#' black):      clues (answer: squares)
//   C A T # D O                  1 A "Feline"      CAT  (1,1)(2,1)(3,1)
//   G S # A N T                  2 B "Canine"      DOG  (5,1)(6,1)(1,2)
//   I # # # # #                  3 C "Ants & co"   ANTS (4,2)(5,2)(6,2)(2,2)
//                                4 D "Me"          I    (1,3)
vlq::PuzzleRecord smallPuzzle() {
    return fixture::makePuzzle({"CAT#DO", "GS#ANT", "I#####"},
                               {{"Feline", "CAT"}, {"Canine", "DOG"}, {"Ants & co", "ANTS"}, {"Me", "I"}});
}

// One clue whose answer has `letters` letters, laid out in reading order
// over a 31-wide grid.
vlq::PuzzleRecord longAnswerPuzzle(int letters) {
    std::string answer;
    for (int j = 1; j <= letters; ++j) answer += char('A' + j % 26);
    return fixture::answersInReadingOrder({{"Long one", answer}}, 31);
}

QString answerEntries(int k) {
    QString s;
    const auto& rec = game().puzzle;
    for (int j = 1; j <= vlq::answerLength(rec, k); ++j) {
        const vlq::Square sq = vlq::answerSquare(rec, k, j);
        const auto e = rec.entry(sq.col, sq.row);
        s += e ? QChar::fromLatin1(char(e)) : QLatin1Char('_');
    }
    return s;
}

// n clues; the answers stand one after another in reading order, one black
// square apart, over a grid 15 squares wide (so that the grid window fits
// the offscreen screen). Clue 12 (if any) is "WXYZQ".
vlq::PuzzleRecord manyClues(int n) {
    std::vector<fixture::ClueSpec> clues;
    for (int k = 1; k <= n; ++k) {
        std::string answer = k == 12 ? "WXYZQ" : std::string(std::size_t(2 + k % 3), char('A' + k % 20));
        clues.push_back({"Clue " + std::to_string(k), answer});
    }
    return fixture::answersInReadingOrder(clues, 15);
}

} // namespace

class TestSolveView : public QObject {
    Q_OBJECT

private:
    QMdiArea* area_ = nullptr;
    TVlqSolveForm* solve_ = nullptr;
    std::optional<PromptRecorder> prompts_;

    // The answer window open on clue k with its cursor at `cursor`.
    void openOn(int k, int cursor) {
        game().currentClue = k;
        solve_->AnswerCursor = cursor;
        solve_->OpenOnClue();
        QVERIFY(QTest::qWaitForWindowExposed(solve_));
    }
    QColor stripPixel(int i, int dx, int dy) {
        const QImage img = solve_->SolveGrid->grab().toImage();
        const QRect sq = solve_->stripSquare(i);
        return img.pixelColor(sq.x() + dx, sq.y() + dy);
    }
    QPoint stripCentre(int i) { return solve_->stripSquare(i).center(); }
    // The strip's square fills as the screen shows them (no repaint).
    QColor shownFill(int i) { return probe::fillOf(probe::shot(solve_->SolveGrid), solve_->stripSquare(i)); }

    // The three document windows of the open puzzle, as opening creates them.
    void openDocumentWindows() {
        area_ = fixture::showDocumentArea(1200, 900);
        QVERIFY(area_);
        game().availableWidth = 1200;
        game().availableHeight = 900;
        new TVlqGameGridForm(area_);
        new TVlqGameTitleForm(area_);
        new TVlqGameClueForm(area_);
        probe::shot(game().gridForm);
    }
    QRect gridOutline(vlq::Square sq) { return vlq::squareOutline(sq.col, sq.row, game().gridSquareSize); }
    QRect titleOutline(int i) {
        const int t = game().titleSquareSize;
        return {(i - 1) * t, 0, t + 1, t};
    }

private slots:
    void init() {
        game().reset();
        game().defaultSquareSize = 30;
        game().puzzle = smallPuzzle();
        SettingsStore::open().clear();
        prompts_.emplace();
        solve_ = new TVlqSolveForm();
        game().solveForm = solve_;
    }
    void cleanup() {
        delete solve_;
        solve_ = nullptr;
        delete area_;
        area_ = nullptr;
        prompts_.reset();
        game().reset();
    }

    void createdHidden() {
        QVERIFY(!solve_->isVisible());
        QCOMPARE(solve_->AnswerCursor, 31);
        QVERIFY(solve_->windowFlags().testFlag(Qt::Tool));
        QVERIFY(solve_->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!solve_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!solve_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    }

    void caption_data() {
        QTest::addColumn<int>("clue");
        QTest::addColumn<QString>("caption");
        QTest::newRow("first") << 1 << "Acrostic Clue A";
        QTest::newRow("26th") << 26 << "Acrostic Clue Z";
        QTest::newRow("27th") << 27 << "Acrostic Clue aa";
        QTest::newRow("30th") << 30 << "Acrostic Clue dd";
    }
    void caption() {
        QFETCH(int, clue);
        QFETCH(QString, caption);
        openOn(clue, 31);
        QCOMPARE(solve_->windowTitle(), caption);
    }

    void showsClueAndStrip() {
        openOn(3, 31);
        QCOMPARE(solve_->ClueLbl->text(), QString("Ants & co"));
        QCOMPARE(solve_->ClueLbl->pos(), QPoint(TVlqSolveForm::kInnerBorder, TVlqSolveForm::kInnerBorder));
        QCOMPARE(solve_->SquareSize, 30);
        QCOMPARE(solve_->SolveGrid->geometry(),
                 QRect(TVlqSolveForm::kInnerBorder, TVlqSolveForm::kInnerBorder + 36, 4 * 30 + 1, 30));
        // Another clue while visible: the window follows it.
        openOn(4, 31);
        QCOMPARE(solve_->windowTitle(), QString("Acrostic Clue D"));
        QCOMPARE(solve_->SolveGrid->width(), solve_->SquareSize + 1);
    }

    void keys_data() {
        QTest::addColumn<int>("clue");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("keys"); // '<' Backspace, '>' Enter, '~' Delete, '@' chords of the next
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursorAfter");
        QTest::addColumn<bool>("modified");

        QTest::newRow("lower case folded") << 1 << "___" << 0 << "ca" << "CA_" << 2 << true;
        QTest::newRow("whole answer, cursor past the end") << 1 << "___" << 0 << "cat" << "CAT" << 3 << true;
        QTest::newRow("past the end ignores letters and Backspace") << 1 << "CAT" << 3 << "x<" << "CAT" << 3 << false;
        QTest::newRow("parked ignores everything") << 1 << "C__" << 31 << "ab<> ~+" << "C__" << 31 << false;
        QTest::newRow("Backspace on the first square") << 1 << "C__" << 0 << "<" << "C__" << 0 << false;
        QTest::newRow("Backspace steps back, keeps the letter") << 1 << "CAT" << 2 << "<" << "CAT" << 1 << true;
        QTest::newRow("Backspace then overwrite") << 1 << "CXT" << 2 << "<a" << "CAT" << 2 << true;
        QTest::newRow("Enter keeps an empty square") << 1 << "___" << 0 << ">" << "___" << 1 << true;
        QTest::newRow("Enter keeps a letter") << 1 << "CAT" << 1 << ">" << "CAT" << 2 << true;
        QTest::newRow("space clears") << 1 << "CAT" << 1 << " " << "C_T" << 2 << true;
        QTest::newRow("Delete clears") << 1 << "CAT" << 1 << "~" << "C_T" << 2 << true;
        QTest::newRow("digits and punctuation ignored") << 1 << "___" << 0 << "1!?-" << "___" << 0 << false;
        QTest::newRow("plus reveals") << 3 << "X___" << 0 << "++" << "AN__" << 2 << true;
        QTest::newRow("one-letter answer") << 4 << "_" << 0 << "ij" << "I" << 1 << true;
        QTest::newRow("Ctrl, Alt, Meta chords ignored") << 1 << "___" << 0 << "@c" << "___" << 0 << false;
    }
    void keys() {
        QFETCH(int, clue);
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, keys);
        QFETCH(QString, after);
        QFETCH(int, cursorAfter);
        QFETCH(bool, modified);
        fixture::enterAnswer(clue, before.toStdString());
        openOn(clue, cursor);
        bool chords = false;
        for (const QChar ch : keys) {
            if (std::exchange(chords, ch == '@'))
                for (auto m : {Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier})
                    QTest::keyClick(solve_, ch.toLatin1(), m);
            else if (ch == '@')
                continue;
            else if (ch == '<')
                QTest::keyClick(solve_, Qt::Key_Backspace);
            else if (ch == '>')
                QTest::keyClick(solve_, Qt::Key_Return);
            else if (ch == '~')
                QTest::keyClick(solve_, Qt::Key_Delete);
            else
                QTest::keyClick(solve_, ch.toLatin1());
        }
        QCOMPARE(answerEntries(clue), after);
        QCOMPARE(solve_->AnswerCursor, cursorAfter);
        QCOMPARE(game().modified, modified);
        QVERIFY(solve_->isVisible());
        QCOMPARE(game().currentClue, clue);
    }

    void escapeCloses_data() {
        QTest::addColumn<int>("cursor");
        QTest::newRow("on the strip") << 1;
        QTest::newRow("past the end") << 3;
        QTest::newRow("parked") << 31;
    }
    void escapeCloses() {
        QFETCH(int, cursor);
        openOn(1, cursor);
        QTest::keyClick(solve_, Qt::Key_Escape);
        QVERIFY(!solve_->isVisible());
        QCOMPARE(game().currentClue, 0);
        QCOMPARE(answerEntries(1), QString("___"));
    }

    void closeClearsCurrentClue() {
        fixture::enterAnswer(2, "DO_");
        openOn(2, 0);
        QVERIFY(solve_->close());
        QCOMPARE(game().currentClue, 0);
        QCOMPARE(answerEntries(2), QString("DO_")); // typed letters stay
    }

    void stripColours_data() {
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("firstYellow"); // squares from here on are yellow
        QTest::newRow("first square") << 0 << 0;
        QTest::newRow("third square") << 2 << 2;
        QTest::newRow("past the end") << 4 << 4;
        QTest::newRow("parked") << 31 << 4;
    }
    void stripColours() {
        QFETCH(int, cursor);
        QFETCH(int, firstYellow);
        TVlqProcs::WriteSetting("BlankSqColor", "$00C0E0F0"); // (240, 224, 192)
        TVlqProcs::WriteSetting("FilledSqColor", "clNavy");
        openOn(3, cursor);
        const QColor blank(240, 224, 192), yellow(255, 255, 0), navy(0, 0, 128);
        const int s = solve_->SquareSize;
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(stripPixel(i, s / 2, s / 2), i < firstYellow ? blank : yellow);
            QCOMPARE(stripPixel(i, 0, s / 2), navy);      // left border, shared with the neighbour
            QCOMPARE(stripPixel(i, s / 2, 0), navy);      // top border
            QCOMPARE(stripPixel(i, s / 2, s - 1), navy);  // bottom border: the strip is s high
            QCOMPARE(stripPixel(i, 1, 1), i < firstYellow ? blank : yellow);
        }
        QCOMPARE(stripPixel(3, s, s / 2), navy); // right border of the last square

        // The grey shadow 2 pixels right of and below the strip, on the window.
        const QImage win = solve_->grab().toImage();
        const QRect st = solve_->SolveGrid->geometry();
        const QColor grey(128, 128, 128);
        QCOMPARE(win.pixelColor(st.right() + 1, st.top() + 3), grey);
        QCOMPARE(win.pixelColor(st.right() + 2, st.bottom() + 2), grey);
        QCOMPARE(win.pixelColor(st.left() + 3, st.bottom() + 1), grey);
        QVERIFY(win.pixelColor(st.right() + 1, st.top() + 2) != grey);
        QVERIFY(win.pixelColor(st.left() + 2, st.bottom() + 1) != grey);
        QVERIFY(win.pixelColor(st.right() + 3, st.top() + 10) != grey);
    }

    void lettersShowInTheStrip() {
        fixture::enterAnswer(1, "C_T");
        TVlqProcs::WriteSetting("FontColor", "clRed");
        openOn(1, 31);
        const QImage img = solve_->SolveGrid->grab().toImage();
        auto hasRed = [&](int i) {
            const QRect sq = solve_->stripSquare(i).adjusted(1, 1, -1, -1);
            for (int y = sq.top(); y <= sq.bottom(); ++y)
                for (int x = sq.left(); x <= sq.right(); ++x)
                    if (img.pixelColor(x, y).red() > 200 && img.pixelColor(x, y).green() < 100) return true;
            return false;
        };
        QVERIFY(hasRed(0));
        QVERIFY(!hasRed(1));
        QVERIFY(hasRed(2));
    }

    void keyRepaintsOneSquare() {
        openOn(3, 1);
        QTest::qWait(50);
        const int before = solve_->stripPaintCount;
        QTest::keyClick(solve_, Qt::Key_N);
        QTRY_VERIFY(solve_->stripPaintCount > before);
        QTest::qWait(20);
        QCOMPARE(solve_->stripPaintCount, before + 1);
        QCOMPARE(solve_->lastStripPaintRegion.boundingRect(), solve_->stripSquare(1));
        QCOMPARE(shownFill(1), QColor(Qt::white));
        QCOMPARE(shownFill(2), QColor(255, 255, 0));

        const int before2 = solve_->stripPaintCount;
        QTest::keyClick(solve_, Qt::Key_Backspace);
        QTRY_VERIFY(solve_->stripPaintCount > before2);
        QCOMPARE(solve_->lastStripPaintRegion.boundingRect(), solve_->stripSquare(1));
        QCOMPARE(shownFill(1), QColor(255, 255, 0)); // stepped back: yellow again
    }

    void mouseInTheStrip() {
        openOn(3, 31);
        QTest::mouseClick(solve_->SolveGrid, Qt::LeftButton, {}, stripCentre(2));
        QCOMPARE(solve_->AnswerCursor, 2);
        // The top-left pixel of a square belongs to it.
        QTest::mouseClick(solve_->SolveGrid, Qt::LeftButton, {}, solve_->stripSquare(1).topLeft());
        QCOMPARE(solve_->AnswerCursor, 1);
        QTest::keyClick(solve_, Qt::Key_N);
        QCOMPARE(answerEntries(3), QString("_N__"));
        // The last pixel column lies past the last square.
        QTest::mouseClick(solve_->SolveGrid, Qt::LeftButton, {}, QPoint(4 * solve_->SquareSize, 5));
        QCOMPARE(solve_->AnswerCursor, 4);
        QTest::keyClick(solve_, Qt::Key_Z);
        QCOMPARE(answerEntries(3), QString("_N__"));
    }

    void backgroundClickParks() {
        openOn(1, 1);
        const QRect st = solve_->SolveGrid->geometry();
        // On the clue text: nothing.
        QTest::mouseClick(solve_, Qt::LeftButton, {}, solve_->ClueLbl->geometry().center());
        QCOMPARE(solve_->AnswerCursor, 1);
        // Right of the strip: parked, and the strip loses its yellow.
        QTest::mouseClick(solve_, Qt::LeftButton, {}, QPoint(st.right() + 20, st.center().y()));
        QCOMPARE(solve_->AnswerCursor, 31);
        QTRY_COMPARE(stripPixel(2, 3, 3), QColor(Qt::white));
        QTest::keyClick(solve_, Qt::Key_A);
        QCOMPARE(answerEntries(1), QString("___"));
    }

    void placementFromStoredBounds() {
        TVlqProcs::WriteSetting("ScreenBoundsSolve", "100,120,500,90");
        openOn(1, 31);
        const QRect f = solve_->frameGeometry();
        QCOMPARE(f, QRect(100, 120, 500, 90));
    }

    void heightFixedAfterFirstShowing() {
        openOn(1, 31);
        const int h = solve_->height();
        QCOMPARE(h, 2 * 8 + 36 + 30 + 2 + 2);
        // The strip, its shadow and the inner border fit.
        QVERIFY(solve_->SolveGrid->geometry().bottom() + 2 + 8 <= h);
        solve_->close();
        TVlqProcs::WriteSetting("ScreenBoundsSolve", "10,20,640,300");
        openOn(2, 31);
        QCOMPARE(solve_->height(), h);
        QCOMPARE(solve_->width(), 640 - (solve_->frameGeometry().width() - solve_->width()));
        solve_->resize(solve_->width() + 50, h + 80);
        QCOMPARE(solve_->height(), h);
    }

    // Stored bounds too small for the clue's strip: the window grows to
    // show every square with its shadow.
    void storedBoundsNeverCutTheStrip() {
        TVlqProcs::WriteSetting("ScreenBoundsSolve", "100,120,60,30");
        openOn(3, 0);
        const QRect strip = solve_->SolveGrid->geometry();
        QCOMPARE(strip.width(), 4 * 30 + 1);
        QVERIFY(strip.right() + 2 < solve_->width());
        QVERIFY(strip.bottom() + 2 < solve_->height());
        QCOMPARE(solve_->frameGeometry().topLeft(), QPoint(100, 120));
    }

    void answerWindowClearsItsClueLine_data() {
        QTest::addColumn<bool>("aid");
        QTest::newRow("aid on: below the line") << true;
        QTest::newRow("classic: where stored") << false;
    }
    // The answer window's stored place covers the first clue's line; with
    // the placement aid on, choosing that clue puts the window below it.
    void answerWindowClearsItsClueLine() {
        QFETCH(bool, aid);
        openDocumentWindows();
        game().aids.placeAnswer = aid;
        QListWidget* list = game().clueForm->ClueList;
        const QRect item = list->visualItemRect(list->item(0));
        const QRect line(list->viewport()->mapToGlobal(item.topLeft()), item.size());
        TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsSolve"), line.left() + 20, line.top() - 10, 400, 100);
        list->setCurrentRow(0);
        game().clueForm->ClueListClick(list);
        QVERIFY(QTest::qWaitForWindowExposed(solve_));
        const QRect f = solve_->frameGeometry();
        QCOMPARE(f.intersects(line), !aid);
        QCOMPARE(f.top(), aid ? line.bottom() + 3 : line.top() - 10);
    }

    void malformedBoundsReported() {
        TVlqProcs::WriteSetting("ScreenBoundsSolve", "10,20,abc,30");
        openOn(1, 0);
        QCOMPARE(prompts_->errors.size(), 1);
        QVERIFY(prompts_->errors.first().contains("ScreenBoundsSolve"));
        QVERIFY(prompts_->questions.isEmpty());
        // The window still works.
        QTest::keyClick(solve_, Qt::Key_C);
        QCOMPARE(answerEntries(1), QString("C__"));
    }

    void centredOverTheClueList() {
        area_ = fixture::showDocumentArea(1000, 700);
        QVERIFY(area_);
        game().availableWidth = 1000;
        game().availableHeight = 700;
        TVlqProcs::WriteSetting("ScreenBoundsClues", "30,300,600,200");
        new TVlqGameClueForm(area_);
        openOn(1, 31);
        const QMdiSubWindow* clues = game().clueForm->subWindow();
        const QPoint origin = area_->viewport()->mapToGlobal(QPoint(0, 0));
        const QRect f = solve_->frameGeometry();
        QCOMPARE(f.left(), origin.x() + (1000 - f.width()) / 2);
        QCOMPARE(f.top(), origin.y() + clues->y() + (clues->height() - f.height()) / 2);
    }

    void wideEnoughForLongAnswers() {
        game().puzzle = longAnswerPuzzle(31);
        game().defaultSquareSize = 25;
        openOn(1, 0);
        QCOMPARE(solve_->SolveGrid->width(), 31 * 25 + 1);
        QVERIFY(solve_->width() >= solve_->SolveGrid->geometry().right() + 1 + 2);
        QTest::keyClicks(solve_, "abcdefghijklmnopqrstuvwxyzabcde");
        QCOMPARE(solve_->AnswerCursor, 31);
        QCOMPARE(answerEntries(1), QString("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDE"));
    }

    // --- with the document windows of an open puzzle ---------------------------

    void gridRightClickOpensOnTheLetter() {
        fixture::loadIntoGame(manyClues(14));
        TVlqProcs::WriteSetting("SolveHLOn", 0); // a right click ignores it
        openDocumentWindows();
        const vlq::Square fourth = vlq::answerSquare(game().puzzle, 12, 4);
        QTest::mouseClick(game().gridForm, Qt::RightButton, {}, gridOutline(fourth).center());
        QCOMPARE(game().currentClue, 12);
        QCOMPARE(game().clueForm->ClueList->currentRow(), 11);
        QCOMPARE(solve_->AnswerCursor, 3);
        QVERIFY(solve_->isVisible());
        QCOMPARE(solve_->windowTitle(), QString("Acrostic Clue L"));
        for (int i = 0; i < 5; ++i) QCOMPARE(shownFill(i), i < 3 ? QColor(Qt::white) : QColor(255, 255, 0));

        // The letter goes to the grid square, the grid shows it, the line follows.
        QTest::keyClick(solve_, Qt::Key_Q);
        QCOMPARE(game().puzzle.entry(fourth.col, fourth.row), std::uint8_t('Q'));
        QCOMPARE(solve_->AnswerCursor, 4);
        const QImage grid = probe::shot(game().gridForm);
        QVERIFY(probe::countColour(grid, gridOutline(fourth).adjusted(2, 2, -2, -2), Qt::black, 60) > 0);
        QCOMPARE(game().clueForm->ClueList->item(11)->text(), QString("Clue 12     __ __ __ Q __ "));
        QVERIFY(game().modified);
    }

    void revealSetsTheCheatedFlag() {
        fixture::loadIntoGame(manyClues(3));
        openDocumentWindows();
        QVERIFY(!game().gridForm->cheated());
        openOn(2, 0);
        const vlq::Square first = vlq::answerSquare(game().puzzle, 2, 1);
        game().puzzle.setEntry(first.col, first.row, game().puzzle.solution(first.col, first.row));
        solve_->FormKeyPress(QLatin1Char('+')); // even over the right letter
        QVERIFY(game().gridForm->cheated());
        QCOMPARE(game().puzzle.entry(first.col, first.row), game().puzzle.solution(first.col, first.row));
        QCOMPARE(solve_->AnswerCursor, 1);
    }

    void firstLetterRepaintsTheTitleStrip() {
        fixture::loadIntoGame(manyClues(6));
        openDocumentWindows();
        openOn(5, 0);
        probe::shot(game().titleForm);
        PaintRecorder titlePaints(game().titleForm);
        QTest::keyClick(solve_, Qt::Key_K);
        const QImage title = probe::shot(game().titleForm);
        QVERIFY(titlePaints.count > 0);
        QVERIFY(probe::countColour(title, titleOutline(5).adjusted(2, 2, -2, -2), Qt::black, 60) > 0);
        titlePaints.count = 0;
        QTest::keyClick(solve_, Qt::Key_L); // second letter: the strip is not repainted
        probe::shot(game().titleForm);
        QCOMPARE(titlePaints.count, 0);
    }

    void rightButtonMarksTheGridSquare() {
        fixture::loadIntoGame(manyClues(3));
        openDocumentWindows();
        openOn(2, 31);
        const vlq::Square second = vlq::answerSquare(game().puzzle, 2, 2);
        const QRect sq = gridOutline(second);
        QCOMPARE(probe::fillOf(probe::shot(game().gridForm), sq), QColor(Qt::white));
        QTest::mousePress(solve_->SolveGrid, Qt::RightButton, {}, stripCentre(1));
        QCOMPARE(solve_->AnswerCursor, 1);
        QCOMPARE(probe::fillOf(probe::shot(game().gridForm), sq), QColor(255, 255, 0));
        QTest::mouseRelease(solve_->SolveGrid, Qt::RightButton, {}, stripCentre(1));
        QCOMPARE(probe::fillOf(probe::shot(game().gridForm), sq), QColor(Qt::white));
        // Moving while the right button is held puts white back too.
        QTest::mousePress(solve_->SolveGrid, Qt::RightButton, {}, stripCentre(1));
        QCOMPARE(probe::fillOf(probe::shot(game().gridForm), sq), QColor(255, 255, 0));
        QTest::mouseMove(solve_->SolveGrid, stripCentre(1) + QPoint(2, 1));
        QCOMPARE(probe::fillOf(probe::shot(game().gridForm), sq), QColor(Qt::white));
        QTest::mouseRelease(solve_->SolveGrid, Qt::RightButton, {}, stripCentre(1));
        // A left press marks nothing.
        QTest::mousePress(solve_->SolveGrid, Qt::LeftButton, {}, stripCentre(1));
        QCOMPARE(probe::fillOf(probe::shot(game().gridForm), sq), QColor(Qt::white));
        QTest::mouseRelease(solve_->SolveGrid, Qt::LeftButton, {}, stripCentre(1));
    }

    void gridClickClosesTheWindow() {
        fixture::loadIntoGame(manyClues(3));
        openDocumentWindows();
        openOn(1, 0);
        QTest::mouseClick(game().gridForm, Qt::LeftButton, {}, gridOutline({1, 1}).center());
        QVERIFY(!solve_->isVisible());
        QCOMPARE(game().currentClue, 0);
    }

    void noClueNoStrip() {
        openOn(0, 0);
        QCOMPARE(solve_->answerLength(), 0);
        QVERIFY(!solve_->SolveGrid->isVisible());
        QTest::keyClick(solve_, Qt::Key_A);
        QVERIFY(!game().modified);
    }
};

QTEST_MAIN(TestSolveView)
#include "tst_solveview.moc"
