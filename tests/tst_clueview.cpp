// The clue list driven as a player drives it: lines, choosing a clue with
// the mouse, the keyboard and from the grid, placement and line geometry.
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>
#include <optional>

#include "game/GameContext.h"
#include "game/TVlqProcs.h"
#include "core/PuzzleRules.h"
#include "game/SettingsStore.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

namespace {

using fixture::ClueSpec;

// The puzzles below stand their answers in reading order over a grid 31
// squares wide, one black square after each.
vlq::PuzzleRecord smallPuzzle() {
    return fixture::answersInReadingOrder({{"Feline", "CAT"}, {"Canine", "DOG"}, {"Ants & co", "ANTS"}, {"Me", "I"}}, 31);
}

vlq::PuzzleRecord manyClues(int n) {
    std::vector<ClueSpec> clues;
    for (int k = 1; k <= n; ++k) clues.push_back({"Clue number " + std::to_string(k), std::string(1 + k % 5, char('A' + k % 26))});
    return fixture::answersInReadingOrder(clues, 31);
}

QStringList lines(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

int selectedRow(const QListWidget* list) {
    const auto sel = list->selectedItems();
    return sel.isEmpty() ? -1 : list->row(sel.first());
}

int screenWidth() { return QGuiApplication::primaryScreen()->geometry().width(); }

} // namespace

class TestClueView : public QObject {
    Q_OBJECT

private:
    QMdiArea* area_ = nullptr;
    TVlqSolveForm* solve_ = nullptr;
    std::optional<PromptRecorder> prompts_;

    TVlqGameClueForm* openClues() {
        auto* f = new TVlqGameClueForm(area_);
        f->subWindow()->resize(500, 300);
        return f;
    }
    QListWidget* list() { return game().clueForm->ClueList; }
    // What the list's viewport shows, as part of the whole window.
    QImage viewportImage() {
        const QPoint at = list()->viewport()->mapTo(game().clueForm, QPoint(0, 0));
        return game().clueForm->grab().toImage().copy(QRect(at, list()->viewport()->size()));
    }
    void clickLine(int row, Qt::MouseButton button = Qt::LeftButton) {
        const QRect r = list()->visualItemRect(list()->item(row));
        QTest::mouseClick(list()->viewport(), button, {}, QPoint(r.left() + 30, r.center().y()));
    }

private slots:
    void init() {
        game().reset();
        game().defaultSquareSize = 30;
        game().frameSize = 4;
        game().availableWidth = 1000;
        game().availableHeight = 700;
        game().puzzle = smallPuzzle();
        SettingsStore::open().clear();
        prompts_.emplace();
        area_ = fixture::showDocumentArea(1000, 700);
        QVERIFY(area_);
        solve_ = new TVlqSolveForm();
        game().solveForm = solve_;
    }
    void cleanup() {
        delete solve_;
        delete area_;
        solve_ = nullptr;
        area_ = nullptr;
        prompts_.reset();
        game().reset();
    }

    void windowAsDesigned() {
        openClues();
        auto* f = game().clueForm;
        QVERIFY(f);
        QCOMPARE(f->subWindow()->windowTitle(), QString("Clues"));
        QVERIFY(!f->subWindow()->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!f->subWindow()->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QCOMPARE(f->ClueList->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(f->ClueList->geometry(), f->rect());
        delete f->subWindow();
        QCOMPARE(game().clueForm, nullptr);
    }

    void clueLines_data() {
        QTest::addColumn<int>("clue");
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("line");
        QTest::newRow("empty answer") << 1 << "___" << "Feline     __ __ __ ";
        QTest::newRow("first and third filled") << 3 << "A_T_" << "Ants & co     A __ T __ ";
        QTest::newRow("all filled") << 2 << "DOG" << "Canine     D O G ";
        QTest::newRow("one letter") << 4 << "I" << "Me     I ";
    }
    void clueLines() {
        QFETCH(int, clue);
        QFETCH(QString, entries);
        QFETCH(QString, line);
        fixture::enterAnswer(clue, entries.toStdString());
        openClues();
        QCOMPARE(list()->item(clue - 1)->text(), line);
    }

    // Clue texts are Windows-1252 bytes: curly quotes, dashes and accents
    // show as those characters in the list and in the answer window.
    void codePageText() {
        game().puzzle.setClue(2, "\x93" "Can\xED" "ne\x94 \x96 dog\x92" "s kin");
        openClues();
        const QString expected = QString::fromUtf8("\u201CCan\u00EDne\u201D \u2013 dog\u2019s kin");
        QCOMPARE(list()->item(1)->text(), expected + QString("     __ __ __ "));
        clickLine(1);
        QCOMPARE(solve_->ClueLbl->text(), expected);
    }

    void fillListCountAndSelection_data() {
        QTest::addColumn<int>("clues");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("selected");
        QTest::newRow("22 clues, none current") << 22 << 0 << -1;
        QTest::newRow("22 clues, fifth current") << 22 << 5 << 4;
        QTest::newRow("30 clues, last current") << 30 << 30 << 29;
        QTest::newRow("current beyond the list") << 4 << 9 << -1;
    }
    void fillListCountAndSelection() {
        QFETCH(int, clues);
        QFETCH(int, current);
        QFETCH(int, selected);
        game().puzzle = manyClues(clues);
        game().currentClue = current;
        openClues();
        QCOMPARE(list()->count(), clues);
        QCOMPARE(selectedRow(list()), selected);
        QVERIFY(!solve_->isVisible()); // filling chooses nothing
        // Filling again after the entries change rebuilds every line.
        fixture::enterAnswer(2, std::string(std::size_t(vlq::answerLength(game().puzzle, 2)), 'Q'));
        game().clueForm->FillList();
        QCOMPARE(list()->count(), clues);
        QVERIFY(list()->item(1)->text().endsWith("Q "));
    }

    void refreshChangesOneLine() {
        openClues();
        list()->setCurrentRow(0);
        const QStringList before = lines(list());
        fixture::enterAnswer(2, "D_G");
        game().clueForm->RefreshClueLine(2);
        QStringList expected = before;
        expected[1] = "Canine     D __ G ";
        QCOMPARE(lines(list()), expected);
        QCOMPARE(selectedRow(list()), 0); // another line's selection stays
        QCOMPARE(game().currentClue, 0);  // nothing chosen
        QVERIFY(!solve_->isVisible());

        // The selected line itself is rebuilt unselected.
        fixture::enterAnswer(1, "C__");
        game().clueForm->RefreshClueLine(1);
        QCOMPARE(list()->item(0)->text(), QString("Feline     C __ __ "));
        QCOMPARE(selectedRow(list()), -1);
        QVERIFY(!solve_->isVisible());

        // Lines that do not exist are left alone.
        for (int k : {0, 5, 30, 31, -1}) game().clueForm->RefreshClueLine(k);
        QCOMPARE(list()->count(), 4);
    }

    void clickChoosesClue_data() {
        QTest::addColumn<QVariant>("solveHLOn"); // invalid: not stored
        QTest::addColumn<int>("cursor");
        QTest::newRow("default parks") << QVariant() << 31;
        QTest::newRow("0 starts on the first square") << QVariant(0) << 0;
        QTest::newRow("31 parks") << QVariant(31) << 31;
        QTest::newRow("out of range parks") << QVariant(-4) << 31;
        QTest::newRow("too large parks") << QVariant(999) << 31;
    }
    void clickChoosesClue() {
        QFETCH(QVariant, solveHLOn);
        QFETCH(int, cursor);
        if (solveHLOn.isValid()) TVlqProcs::WriteSetting("SolveHLOn", solveHLOn.toInt());
        openClues();
        clickLine(2);
        QCOMPARE(game().currentClue, 3);
        QCOMPARE(solve_->AnswerCursor, cursor);
        QVERIFY(solve_->isVisible());
        QCOMPARE(solve_->windowTitle(), QString("Acrostic Clue C"));
        // Typing goes to the chosen clue when the cursor is on the strip.
        QTest::keyClick(solve_, Qt::Key_A);
        QCOMPARE(list()->item(2)->text(), cursor == 0 ? QString("Ants & co     A __ __ __ ")
                                                      : QString("Ants & co     __ __ __ __ "));
        QCOMPARE(list()->item(0)->text(), QString("Feline     __ __ __ "));
    }

    void clickSameLineAgainReopens() {
        openClues();
        clickLine(1);
        QVERIFY(solve_->close());
        QCOMPARE(game().currentClue, 0);
        clickLine(1);
        QCOMPARE(game().currentClue, 2);
        QVERIFY(solve_->isVisible());
    }

    void otherButtonsChooseNothing() {
        openClues();
        clickLine(2, Qt::RightButton);
        clickLine(1, Qt::MiddleButton);
        QCOMPARE(selectedRow(list()), -1);
        QCOMPARE(game().currentClue, 0);
        QVERIFY(!solve_->isVisible());
    }

    void keyboardChoosesClue() {
        openClues();
        list()->setFocus();
        list()->setCurrentRow(0); // selecting from code chooses nothing
        QCOMPARE(game().currentClue, 0);
        QVERIFY(!solve_->isVisible());
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(game().currentClue, 2);
        QVERIFY(solve_->isVisible());
        QCOMPARE(solve_->windowTitle(), QString("Acrostic Clue B"));
        QTest::keyClick(list(), Qt::Key_End);
        QCOMPARE(game().currentClue, 4);
        QCOMPARE(solve_->windowTitle(), QString("Acrostic Clue D"));
    }

    void gridRightClickPath() {
        game().puzzle = manyClues(12);
        TVlqProcs::WriteSetting("SolveHLOn", 0);
        new TVlqGameGridForm(area_);
        openClues();
        // The grid's side: letter index and line, then the grid as sender.
        game().clueForm->GridLetterIndex = 3;
        list()->setCurrentRow(6);
        game().clueForm->ClueListClick(game().gridForm);
        QCOMPARE(game().currentClue, 7);
        QCOMPARE(solve_->AnswerCursor, 3);
        QVERIFY(solve_->isVisible());
        QVERIFY(!game().gridForm->currentSquare());
        // Any other sender takes SolveHLOn.
        game().clueForm->ClueListClick(list());
        QCOMPARE(solve_->AnswerCursor, 0);
    }

    void badSolveHLOnReported() {
        TVlqProcs::WriteSetting("SolveHLOn", "abc");
        openClues();
        clickLine(0);
        QCOMPARE(prompts_->errors.size(), 1);
        QVERIFY(prompts_->errors.first().contains("SolveHLOn"));
        QVERIFY(prompts_->questions.isEmpty());
        QVERIFY(!solve_->isVisible());
    }

    void placement_data() {
        QTest::addColumn<QString>("bounds");
        QTest::addColumn<QString>("expect"); // empty, below-title, below-grid, top, stored
        QTest::newRow("empty") << "" << "empty";
        QTest::newRow("10000") << "10000,0,0,0" << "below-title";
        QTest::newRow("20000") << "20000,5,6,7" << "below-grid";
        QTest::newRow("30000") << "30000,0,0,0" << "top";
        QTest::newRow("40000") << "40000,9,9,9" << "top";
        QTest::newRow("stored") << "15,25,333,144" << "stored";
        QTest::newRow("negative stored") << "-5,-6,420,150" << "stored";
    }
    void placement() {
        QFETCH(QString, bounds);
        QFETCH(QString, expect);
        new TVlqGameGridForm(area_);
        new TVlqGameTitleForm(area_);
        game().gridForm->subWindow()->setGeometry(50, 4, 600, 300);
        game().titleForm->subWindow()->setGeometry(60, 330, 500, 40);
        const QRect grid = game().gridForm->subWindow()->geometry();
        const QRect title = game().titleForm->subWindow()->geometry();
        TVlqProcs::WriteSetting("ScreenBoundsClues", bounds);
        auto* f = new TVlqGameClueForm(area_);
        const int sw = screenWidth(), ah = 700, fs = 4;
        QRect want;
        if (expect == "empty")
            want = QRect(fs, title.y() + title.height() + fs, sw - 2 * fs, ah - title.y() - title.height() - 2 * fs);
        else if (expect == "below-title")
            want = QRect(2, title.y() + title.height() + 2, sw - 8, ah - title.y() - title.height() - 4);
        else if (expect == "below-grid")
            want = QRect(2, grid.y() + grid.height() + 2, sw - 8, ah - grid.y() - grid.height() - 4);
        else if (expect == "top")
            want = QRect(2, 2, sw - 8, ah - grid.height() - title.height() - 12);
        else
            want = QRect(bounds.section(',', 0, 0).toInt(), bounds.section(',', 1, 1).toInt(),
                         bounds.section(',', 2, 2).toInt(), bounds.section(',', 3, 3).toInt());
        QCOMPARE(f->subWindow()->geometry(), want);
        QCOMPARE(solve_->y(), want.y() + 100);
        QCOMPARE(f->ClueList->count(), 4);
        QVERIFY(prompts_->errors.isEmpty());
        QVERIFY(prompts_->questions.isEmpty());
    }

    void malformedBoundsReportedListStillFilled_data() {
        QTest::addColumn<QString>("bounds");
        QTest::newRow("words") << "left,top,w,h";
        QTest::newRow("three numbers") << "1,2,3";
        QTest::newRow("spaces") << "1, 2,3,4";
        QTest::newRow("too big") << "99999999999,1,1,1";
    }
    void malformedBoundsReportedListStillFilled() {
        QFETCH(QString, bounds);
        TVlqProcs::WriteSetting("ScreenBoundsClues", bounds);
        openClues();
        QCOMPARE(prompts_->errors.size(), 1);
        QVERIFY(prompts_->errors.first().contains("ScreenBoundsClues"));
        QVERIFY(prompts_->questions.isEmpty());
        QCOMPARE(list()->count(), 4);
    }

    void fixedLineHeight_data() {
        QTest::addColumn<int>("points");
        QTest::newRow("small") << 6;
        QTest::newRow("default") << 11;
        QTest::newRow("large") << 40;
    }
    void fixedLineHeight() {
        QFETCH(int, points);
        TVlqProcs::WriteSetting("SolveFontSize", points);
        openClues();
        QCOMPARE(list()->font().pointSize(), points);
        for (int i = 0; i < list()->count(); ++i) {
            const QRect r = list()->visualItemRect(list()->item(i));
            QCOMPARE(r.height(), TVlqGameClueForm::kLineHeight);
            QCOMPARE(r.top(), i * TVlqGameClueForm::kLineHeight);
        }
    }

    void horizontalExtent() {
        auto* f = openClues();
        f->subWindow()->resize(400, 200);
        QApplication::processEvents();
        QScrollBar* bar = f->ClueList->horizontalScrollBar();
        QCOMPARE(bar->maximum(), TVlqGameClueForm::kHorizontalExtent - f->ClueList->viewport()->width());
        f->subWindow()->resize(900, 200);
        QTRY_COMPARE(bar->maximum(), 0);
        // On a window wider than the extent a selected line is highlighted
        // right across it.
        clickLine(0);
        const int w = f->ClueList->viewport()->width();
        QVERIFY(w > TVlqGameClueForm::kHorizontalExtent);
        QTRY_COMPARE(f->ClueList->visualItemRect(f->ClueList->item(0)).width(), w);
        const QImage img = viewportImage();
        const QColor got = img.pixelColor(w - 3, TVlqGameClueForm::kLineHeight / 2);
        QVERIFY2(got == f->ClueList->palette().color(QPalette::Active, QPalette::Highlight) ||
                     got == f->ClueList->palette().color(QPalette::Inactive, QPalette::Highlight),
                 qPrintable(got.name()));
    }

    void fontSettings() {
        TVlqProcs::WriteSetting("SolveFontName", "Courier New");
        TVlqProcs::WriteSetting("SolveFontSize", 14);
        TVlqProcs::WriteSetting("SolveFontStyle", 1 | 2 | 8);
        TVlqProcs::WriteSetting("SolveFontColor", "clRed");
        openClues();
        const QFont font = list()->font();
        QCOMPARE(font.family(), QString("Courier New"));
        QCOMPARE(font.pointSize(), 14);
        QVERIFY(font.bold());
        QVERIFY(font.italic());
        QVERIFY(!font.underline());
        QVERIFY(font.strikeOut());
        QCOMPARE(list()->palette().color(QPalette::Text), QColor(255, 0, 0));
        // The text is painted in that colour, from 2 pixels in.
        const QImage img = viewportImage();
        const QRect r = list()->visualItemRect(list()->item(0));
        bool red = false;
        int firstInk = -1;
        for (int x = 0; x < 60 && x < img.width(); ++x)
            for (int y = r.top(); y <= r.bottom(); ++y) {
                const QColor c = img.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 120 && c.blue() < 120) {
                    red = true;
                    if (firstInk < 0 || x < firstInk) firstInk = x;
                }
            }
        QVERIFY(red);
        QVERIFY(firstInk >= TVlqGameClueForm::kTextIndent);
    }

    void selectedLineHighlighted() {
        openClues();
        clickLine(1);
        const QImage img = viewportImage();
        const QRect sel = list()->visualItemRect(list()->item(1));
        const QRect other = list()->visualItemRect(list()->item(2));
        const int x = list()->viewport()->width() - 3;
        const QColor highlight = list()->palette().color(QPalette::Inactive, QPalette::Highlight);
        const QColor active = list()->palette().color(QPalette::Active, QPalette::Highlight);
        const QColor got = img.pixelColor(x, sel.center().y());
        QVERIFY2(got == highlight || got == active, qPrintable(got.name()));
        QCOMPARE(img.pixelColor(x, other.center().y()), QColor(Qt::white));
    }

    void clearSelection() {
        game().currentClue = 2;
        openClues();
        QCOMPARE(selectedRow(list()), 1);
        game().clueForm->ClearSelection();
        QCOMPARE(selectedRow(list()), -1);
        QCOMPARE(game().currentClue, 2);
        QVERIFY(!solve_->isVisible());
    }
};

QTEST_MAIN(TestClueView)
#include "tst_clueview.moc"
