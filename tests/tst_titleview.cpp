// The author-title strip: one square per clue, placement codes, snapping,
// the first letters it shows and the clue a click chooses.
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <optional>

#include "game/GameContext.h"
#include "game/TVlqProcs.h"
#include "core/PuzzleRules.h"
#include "core/VlqError.h"
#include "game/SettingsStore.h"
#include "support/PaintRecorder.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "support/ScreenProbe.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

namespace {

// The puzzle is fixture::wordsPuzzle() (6 x 4, clues ACE, BID, FOG, HJK,
// LNQ). First letters: A (1,1), B (2,1), F (1,2), H (4,2), L (4,3).

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kBlack(0, 0, 0);
const QColor kGrey(128, 128, 128);

} // namespace

class TestTitleView : public QObject {
    Q_OBJECT

private:
    QMdiArea* area_ = nullptr;
    TVlqGameGridForm* grid_ = nullptr;
    TVlqGameTitleForm* title_ = nullptr;
    std::optional<PromptRecorder> prompts_; // no message box ever blocks

    int t() const { return game().titleSquareSize; }
    QRect square(int i) const { return QRect((i - 1) * t(), 0, t() + 1, t()); }
    int inkIn(const QImage& img, int i, const QColor& colour, int tolerance = 30) {
        return probe::countColour(img, square(i).adjusted(1, 1, -1, -1), colour, tolerance);
    }
    int extraHeight() const { return title_->subWindow()->height() - title_->height(); }

    // The grid and the strip of a freshly loaded puzzle, as opening shows them.
    void open(const vlq::PuzzleRecord& rec) {
        delete area_;
        game().reset();
        fixture::loadIntoGame(rec);
        game().availableHeight = 800;
        area_ = fixture::showDocumentArea(1200, 900);
        QVERIFY(area_);
        grid_ = new TVlqGameGridForm(area_);
        title_ = new TVlqGameTitleForm(area_);
        probe::shot(title_);
    }
    void open(const std::vector<std::string>& rows, const std::vector<fixture::ClueSpec>& clues) {
        open(fixture::makePuzzle(rows, clues));
    }

private slots:
    void init() {
        SettingsStore::open().clear();
        prompts_.emplace();
        open(fixture::wordsPuzzle());
    }
    void cleanup() {
        delete game().solveForm;
        game().solveForm = nullptr;
        delete area_;
        area_ = nullptr;
        prompts_.reset();
        game().reset();
    }

    void showCountsTheCluesAndPlacesBelowTheGrid() {
        QCOMPARE(title_->squareCount(), 5);
        QCOMPARE(title_->subWindow()->windowTitle(), QStringLiteral("Author-Title"));
        QCOMPARE(t(), 30);
        QCOMPARE(title_->font().pointSize(), 11);
        const QRect sub = title_->subWindow()->geometry();
        const QRect grid = grid_->subWindow()->geometry();
        QCOMPARE(sub.width(), 5 * 30 + 18);
        QCOMPARE(title_->height(), 30);
        QCOMPARE(sub.x(), (title_->screen()->geometry().width() - sub.width()) / 2);
        QCOMPARE(sub.y(), grid.y() + grid.height() + game().frameSize);
    }

    void placementCodes_data() {
        QTest::addColumn<QString>("bounds");
        QTest::addColumn<int>("code");
        QTest::newRow("below the grid") << "10000,0,0,0" << 10000;
        QTest::newRow("top") << "20000,5,5,5" << 20000;
        QTest::newRow("bottom") << "30000,0,0,0" << 30000;
        QTest::newRow("above a grid at the bottom") << "40000,0,0,0" << 40000;
        QTest::newRow("stored left and top") << "13,-7,1,1" << 0;
    }
    void placementCodes() {
        QFETCH(QString, bounds);
        QFETCH(int, code);
        TVlqProcs::WriteSetting("ScreenBoundsAuthorTitle", bounds);
        TVlqProcs::WriteSetting("AuthorTitleSquare", 24);
        title_->PlaceWindow();
        const QRect sub = title_->subWindow()->geometry();
        const QRect grid = grid_->subWindow()->geometry();
        const int outerW = 5 * 24 + 18;
        const int outerH = 24 + extraHeight();
        const int centred = (title_->screen()->geometry().width() - outerW) / 2;
        QCOMPARE(t(), 24);
        QCOMPARE(sub.size(), QSize(outerW, outerH));
        switch (code) {
        case 10000: QCOMPARE(sub.topLeft(), QPoint(centred, grid.y() + grid.height() + 1)); break;
        case 20000: QCOMPARE(sub.topLeft(), QPoint(centred, 2)); break;
        case 30000: QCOMPARE(sub.topLeft(), QPoint(centred, 800 - outerH)); break;
        case 40000: QCOMPARE(sub.topLeft(), QPoint(centred, 800 - grid.height() - 4 - outerH)); break;
        default: QCOMPARE(sub.topLeft(), QPoint(13, -7)); break;
        }
    }

    void malformedBoundsAreReportedAndChangeNothing() {
        const QRect before = title_->subWindow()->geometry();
        TVlqProcs::WriteSetting("ScreenBoundsAuthorTitle", "10000,2");
        TVlqProcs::WriteSetting("AuthorTitleSquare", 12);
        try {
            title_->PlaceWindow();
            QFAIL("no error for a malformed bounds value");
        } catch (const vlq::SettingsError& e) {
            QVERIFY(QString::fromUtf8(e.what()).contains("10000,2"));
        }
        QCOMPARE(title_->subWindow()->geometry(), before);
        QCOMPARE(t(), 30);
    }

    void twentySixCluesAtTwentyPixels() {
        std::vector<fixture::ClueSpec> clues;
        for (char ch = 'A'; ch <= 'Z'; ++ch) clues.push_back({std::string("Clue ") + ch, std::string(1, ch)});
        TVlqProcs::WriteSetting("AuthorTitleSquare", 20);
        open({"ABCDEFGHIJKLM", "NOPQRSTUVWXYZ"}, clues);
        QCOMPARE(title_->squareCount(), 26);
        QCOMPARE(title_->subWindow()->width(), 538);
        const int frameW = title_->subWindow()->width() - title_->width();
        QCOMPARE(title_->width(), 538 - frameW);
        // The squares with their outlines take 521 pixels; the rest is margin.
        const QImage img = probe::shot(title_);
        QCOMPARE(img.pixelColor(520, 10), kBlack);
        QCOMPARE(img.pixelColor(510, 10), kWhite);
        QCOMPARE(img.pixelColor(522, 10), title_->palette().color(QPalette::Window));
    }

    void resizeSnapsToWholeSquares_data() {
        QTest::addColumn<int>("dw");
        QTest::addColumn<int>("dh");
        QTest::addColumn<int>("square");
        QTest::newRow("narrower by one") << -1 << 0 << 29;
        QTest::newRow("wider by less than the count") << 4 << 0 << 30;
        QTest::newRow("wider by the count") << 5 << 0 << 31;
        QTest::newRow("taller") << 0 << 40 << 30;
        QTest::newRow("to nothing") << -500 << 0 << 1;
    }
    void resizeSnapsToWholeSquares() {
        QFETCH(int, dw);
        QFETCH(int, dh);
        QFETCH(int, square);
        QMdiSubWindow* sub = title_->subWindow();
        const QPoint pos = sub->pos();
        sub->resize(std::max(1, sub->width() + dw), sub->height() + dh);
        QCOMPARE(t(), square);
        QCOMPARE(sub->pos(), pos);
        QCOMPARE(sub->width(), 5 * square + 18);
        QCOMPARE(title_->height(), square);
    }

    void fewCluesStayStable_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("one clue") << 1;
        QTest::newRow("two clues") << 2;
        QTest::newRow("five clues") << 5;
    }
    void fewCluesStayStable() {
        QFETCH(int, count);
        std::vector<fixture::ClueSpec> clues;
        for (int k = 0; k < count; ++k) clues.push_back({"Clue", std::string(1, char('A' + k))});
        open({"ABCDE"}, clues);
        QMdiSubWindow* sub = title_->subWindow();
        QCOMPARE(sub->width(), count * 30 + 18);
        for (int i = 0; i < 3; ++i) sub->resize(sub->size());
        QCOMPARE(t(), 30);
        QCOMPARE(sub->width(), count * 30 + 18);
    }

    void fontScalesWithTheSquares_data() {
        QTest::addColumn<int>("square");
        QTest::addColumn<int>("points");
        QTest::newRow("15") << 15 << 6;
        QTest::newRow("45") << 45 << 16;
    }
    void fontScalesWithTheSquares() {
        QFETCH(int, square);
        QFETCH(int, points);
        title_->subWindow()->resize(5 * square + 18, title_->subWindow()->height());
        QCOMPARE(t(), square);
        QCOMPARE(title_->font().pointSize(), points);
    }

    void paintShowsFirstLettersAndTheCurrentClue() {
        game().puzzle.setEntry(1, 1, 'A');   // clue 1
        game().puzzle.setEntry(2, 1, 255);   // clue 2: shows empty
        game().puzzle.setEntry(4, 2, 'X');   // clue 4, a wrong letter
        game().puzzle.setEntry(6, 1, 'E');   // not a first letter
        game().currentClue = 3;
        title_->update();
        const QImage img = probe::shot(title_);
        QVERIFY(inkIn(img, 1, kBlack) > 5);
        QCOMPARE(inkIn(img, 2, kBlack), 0);
        QCOMPARE(inkIn(img, 3, kBlack), 0);
        QVERIFY(inkIn(img, 4, kBlack) > 5);
        QCOMPARE(inkIn(img, 5, kBlack), 0);
        QCOMPARE(probe::fillOf(img, square(3)), kYellow);
        for (int i : {1, 2, 4, 5}) QCOMPARE(probe::fillOf(img, square(i)), kWhite);
    }

    void aFirstLetterTypedInTheGridShowsAtOnce() {
        grid_->setFocus();
        QTest::mouseClick(grid_, Qt::LeftButton, {}, QPoint(15, 45)); // (1, 2): first letter of clue 3
        QTest::keyClick(grid_, 'f');
        QVERIFY(inkIn(probe::shot(title_), 3, kBlack) > 5);
    }

    void outlinesFollowFilledSquareColourAtEveryPaint() {
        TVlqProcs::WriteSetting("FilledSqColor", "clBlue");
        title_->update();
        const QImage img = probe::shot(title_);
        QCOMPARE(img.pixelColor(square(2).topLeft() + QPoint(10, 0)), QColor(0, 0, 255));
    }

    void clickChoosesAClue_data() {
        QTest::addColumn<int>("hlOn");
        QTest::addColumn<int>("cursor");
        QTest::newRow("parked by default") << -1 << 31;
        QTest::newRow("first letter") << 0 << 0;
        QTest::newRow("out of range parks") << -7 << 31;
    }
    void clickChoosesAClue() {
        QFETCH(int, hlOn);
        QFETCH(int, cursor);
        if (hlOn != -1) TVlqProcs::WriteSetting("SolveHLOn", hlOn);
        new TVlqGameClueForm(area_);
        game().solveForm = new TVlqSolveForm;
        QTest::mouseClick(grid_, Qt::LeftButton, {}, QPoint(100, 15)); // the grid's own square stays
        QTest::mouseClick(title_, Qt::LeftButton, {}, square(3).topLeft());
        QCOMPARE(game().currentClue, 3);
        QCOMPARE(game().clueForm->ClueList->currentRow(), 2);
        QCOMPARE(game().solveForm->AnswerCursor, cursor);
        QVERIFY(game().solveForm->isVisible());
        QVERIFY(grid_->currentSquare());
        QCOMPARE(probe::fillOf(probe::shot(title_), square(3)), kYellow);

        // Closing the answer window clears the current clue.
        game().solveForm->close();
        QCOMPARE(game().currentClue, 0);
        QCOMPARE(probe::fillOf(probe::shot(title_), square(3)), kWhite);
    }

    void everyButtonChoosesAndTheMarginDoesNothing() {
        QTest::mouseClick(title_, Qt::RightButton, {}, square(5).center());
        QCOMPARE(game().currentClue, 5);
        QTest::mouseClick(title_, Qt::LeftButton, {}, QPoint(5 * t() + 2, 5)); // margin
        QCOMPARE(game().currentClue, 5);
    }

    void showSolutionIsGreyUntilTheNextPaint() {
        game().puzzle.setEntry(2, 1, 'Z'); // a wrong letter is kept
        title_->update();
        probe::shot(title_);
        title_->ShowSolution();
        QImage img = probe::shot(title_);
        QVERIFY(inkIn(img, 1, kGrey, 12) > 5);
        QVERIFY(inkIn(img, 2, kBlack) > 5);
        QCOMPARE(game().puzzle.entry(1, 1), 0);
        title_->update();
        img = probe::shot(title_);
        QCOMPARE(inkIn(img, 1, kGrey, 12), 0);
    }

    void captionsKeepTheirActiveLook() {
        grid_->subWindow()->setWindowTitle("Quotation");
        auto caption = [](QMdiSubWindow* sub) {
            const QImage img = probe::shot(sub);
            return img.copy(0, 0, img.width(), sub->widget()->y());
        };
        // A plain sub-window's caption does fade when another one is active.
        auto* plain = area_->addSubWindow(new QWidget, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        plain->setWindowTitle("Quotation");
        plain->resize(grid_->subWindow()->size());
        plain->show();
        area_->setActiveSubWindow(plain);
        const QImage plainActive = caption(plain);
        area_->setActiveSubWindow(grid_->subWindow());
        const QImage gridActive = caption(grid_->subWindow());
        QVERIFY(caption(plain) != plainActive);

        area_->setActiveSubWindow(title_->subWindow());
        QCOMPARE(caption(grid_->subWindow()), gridActive);
    }

    void samplePuzzlesShowEveryFirstLetter_data() {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(VLQ_SAMPLE_DIR));
        for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.vlq")}, QDir::Files))
            QTest::newRow(qPrintable(f.fileName())) << f.absoluteFilePath();
        if (dir.entryList({QStringLiteral("*.vlq")}, QDir::Files).isEmpty()) QSKIP("no sample puzzles built");
    }
    void samplePuzzlesShowEveryFirstLetter() {
        QFETCH(QString, path);
        const QByteArray bytes = fileBytes(path);
        QVERIFY(!bytes.isEmpty());
        vlq::PuzzleRecord rec;
        rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())));
        fixture::fillSolution(rec);
        // Small enough squares that the strip lies inside the offscreen screen.
        TVlqProcs::WriteSetting("AuthorTitleSquare", 20);
        TVlqProcs::WriteSetting("ScreenBoundsAuthorTitle", "0,300,0,0");
        open(rec);
        const int n = vlq::clueCount(rec);
        QCOMPARE(title_->squareCount(), n);
        QCOMPARE(title_->subWindow()->width(), n * t() + 18);
        const QImage img = probe::shot(title_);
        for (int i = 1; i <= n; ++i) QVERIFY2(inkIn(img, i, kBlack, 127) > 2, qPrintable(QString::number(i)));
        QCOMPARE(grid_->size(), QSize(rec.width() * game().gridSquareSize + 1, rec.height() * game().gridSquareSize + 1));
    }

    void clearCurrentClueRepaintsOnlyWhenThereWasOne() {
        PaintRecorder paints(title_);
        title_->ClearCurrentClue();
        probe::shot(title_);
        QCOMPARE(paints.count, 0);
        game().currentClue = 2;
        title_->ClearCurrentClue();
        QCOMPARE(game().currentClue, 0);
        probe::shot(title_);
        QVERIFY(paints.count > 0);
    }
};

QTEST_MAIN(TestTitleView)
#include "tst_titleview.moc"
