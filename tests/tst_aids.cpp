// The solving aids as a player meets them in the main window, the letter
// size of a shrunk layout and opening any puzzle file.
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QListWidget>
#include <QtTest>

#include "app/TVlqGameMainForm.h"
#include "game/GameContext.h"
#include "game/SettingsStore.h"
#include "game/TVlqProcs.h"
#include "settings/SolvingAidsPage.h"
#include "settings/TVlqGamePrefForm.h"
#include "core/Contrast.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "support/ScreenProbe.h"
#include "views/ClueLineLabels.h"
#include "views/SquareGeometry.h"
#include "views/SquareLook.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

using vlq::Square;

namespace {

// fixture::wordsPuzzle():
//   A B # C D E    clue 1 ACE: (1,1) (4,1) (6,1); 2 BID; 3 FOG: (1,2) (2,4) (2,2);
//   F G # H I -    4 HJK; 5 LNQ.
//   J K ' L M #
//   N O P Q R S
const QColor kLinked(200, 225, 255); // the default tint
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);

// The contrast of the letter drawn in rect against the square's fill: the
// pixel that stands out most against the fill's.
double letterContrast(const QImage& img, const QRect& rect) {
    const std::uint32_t fill = probe::fillOf(img, rect).rgb() & 0xFFFFFFu;
    double best = 1.0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            best = std::max(best, vlq::contrastRatio(fill, img.pixel(x, y) & 0xFFFFFFu));
    return best;
}

QString current() {
    const auto q = game().gridForm->currentSquare();
    return q ? QString("(%1,%2)").arg(q->col).arg(q->row) : QString("none");
}

} // namespace

class TestAids : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TVlqGameMainForm> form_;
    std::unique_ptr<TVlqSolveForm> solve_;
    std::unique_ptr<PromptRecorder> prompts_;
    ScratchDocuments docs_;

    TVlqGameGridForm* grid() { return game().gridForm; }
    QRect outline(int c, int r) { return vlq::squareOutline(c, r, game().gridSquareSize); }
    QColor gridFill(int c, int r) { return probe::fillOf(probe::shot(grid()), outline(c, r)); }
    std::uint8_t entry(int c, int r) { return game().puzzle.entry(c, r); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(grid(), k, m); }

    // Opens the words puzzle through the main window with the aids as set.
    void open(bool aids) {
        TVlqProcs::WriteSetting("SolvingAids", aids ? 1 : 0);
        form_->ReadToolSettings();
        QVERIFY(form_->OpenPuzzleFile(docs_.writePuzzle("Words.vlq", fixture::wordsPuzzle())));
        QVERIFY(grid());
        probe::shot(grid());
    }

private slots:
    void init() {
        SettingsStore::open().clear();
        game().reset();
        docs_.clear();
        prompts_ = std::make_unique<PromptRecorder>();
        form_ = fixture::showMainWindow();
        QVERIFY(form_);
        solve_ = std::make_unique<TVlqSolveForm>(form_.get());
        game().solveForm = solve_.get();
    }
    void cleanup() {
        solve_.reset();
        game().solveForm = nullptr;
        form_.reset();
        prompts_.reset();
        game().reset();
    }

    void typingRunsOnFromTheFirstEmptySquare() {
        open(true);
        QCOMPARE(current(), QString("(1,1)")); // ready to type at once
        QTest::keyClicks(grid(), "abcde");    // two words, no click
        QCOMPARE(QString(QChar(entry(2, 1))) + QChar(entry(4, 1)) + QChar(entry(6, 1)), QString("BCE"));
        QCOMPARE(current(), QString("(1,2)"));
        key(Qt::Key_Backspace); // the letter before the cursor goes
        QCOMPARE(entry(6, 1), std::uint8_t(0));
        QCOMPARE(current(), QString("(6,1)"));
        key(Qt::Key_Home);
        key(Qt::Key_Right);
        key(Qt::Key_Right); // over the black square
        QCOMPARE(current(), QString("(4,1)"));
        QCOMPARE(gridFill(4, 1), kYellow); // the yellow run follows
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(current(), QString("(1,1)"));
    }

    void linkedSquaresFollowTheSquareAndTheClue() {
        open(true);
        // Square (1,1) belongs to clue 1, ACE: C and E are tinted.
        QCOMPARE(gridFill(6, 1), kLinked);
        QCOMPARE(gridFill(5, 1), kWhite); // D belongs to clue 2
        const int t = game().titleSquareSize;
        QCOMPARE(probe::fillOf(probe::shot(game().titleForm), QRect(0, 0, t + 1, t)), kLinked);
        QListWidget* list = game().clueForm->ClueList;
        const QRect line0 = list->visualItemRect(list->item(0));
        const int x = std::min(line0.right(), list->viewport()->width()) - 3;
        QCOMPARE(probe::shot(list->viewport()).pixelColor(x, line0.center().y()), kLinked);
        // Choosing clue 3 (FOG) in the list tints its squares at once.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(game().currentClue, 3);
        QCOMPARE(gridFill(2, 4), kLinked);
        QCOMPARE(gridFill(4, 1), kWhite);
        // Tab in the answer window: the next clue's squares.
        QTest::keyClick(solve_.get(), Qt::Key_Tab);
        QCOMPARE(game().currentClue, 4);
        QCOMPARE(gridFill(1, 3), kLinked); // J of HJK
    }

    void labelsShowInSquaresAndClueLines() {
        TVlqProcs::WriteSetting("ScreenSquare", 20); // the smallest squares in use
        open(true);
        QCOMPARE(game().gridSquareSize, 20);
        // Ink in the empty square's top corners: number left, clue letter right.
        const QImage img = probe::shot(grid());
        const QRect r = outline(5, 1); // square 4, clue B
        const int left = probe::countColour(img, QRect(r.x() + 1, r.y() + 1, 8, 8), Qt::black, 100);
        const int right = probe::countColour(img, QRect(r.right() - 8, r.y() + 1, 8, 8), Qt::black, 100);
        QVERIFY(left > 0 && right > 0);
        QListWidget* list = game().clueForm->ClueList;
        QCOMPARE(list->visualItemRect(list->item(0)).height(), vlq::kLabelledLineHeight);
        QCOMPARE(list->item(0)->text(), TVlqGameClueForm::clueLineText(1)); // the item's text stays plain
    }

    void zoomStaysWithinTheScreen() {
        open(true);
        const int fitted = game().gridSquareSize;
        QAction* in = form_->findChild<QAction*>("ZoomIn1");
        QVERIFY(in);
        in->trigger();
        QVERIFY(game().gridSquareSize > fitted);
        // Letters fill about 60 % of the square.
        const double cap = QFontMetricsF(grid()->font()).capHeight() / game().gridSquareSize;
        QVERIFY2(cap > 0.5 && cap < 0.7, qPrintable(QString::number(cap)));
        for (int i = 0; i < 20; ++i) in->trigger();
        QListWidget* list = game().clueForm->ClueList;
        const int line = list->visualItemRect(list->item(0)).height();
        QVERIFY(list->viewport()->height() >= 5 * line); // all five clue lines still show
        form_->findChild<QAction*>("ZoomReset1")->trigger();
        QCOMPARE(game().gridSquareSize, fitted);
        QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::ZoomPercent), 100);
    }

    void shrunkSquaresKeepLettersLegible() {
        // 26 answers of three letters, five squares wide: 21 rows, which the
        // screen holds only with squares smaller than the default.
        std::vector<fixture::ClueSpec> clues;
        for (int k = 0; k < 26; ++k) clues.push_back({"Clue", std::string(3, char('A' + k))});
        TVlqProcs::WriteSetting("SolvingAids", 0);
        form_->ReadToolSettings();
        QVERIFY(form_->OpenPuzzleFile(docs_.writePuzzle("Tall.vlq", fixture::answersInReadingOrder(clues, 5))));
        QVERIFY(game().gridSquareSize < game().defaultSquareSize);
        QVERIFY(grid()->font().pointSize() >= vlq::kMinShrunkPoints);
    }

    // The Dark set, chosen and saved in Preferences: every letter shown
    // stands out 4.5:1 or more, on a square, in the yellow run, in the
    // answer strip and in the clue list, whose panes turn dark too.
    void darkSetKeepsLettersLegible() {
        open(true);
        TVlqGamePrefForm prefs(form_.get());
        QTimer::singleShot(0, this, [&prefs] {
            prefs.Pages->setCurrentIndex(TVlqGamePrefForm::ViewPage);
            QTest::mouseClick(prefs.DarkBtn, Qt::LeftButton);
            QTest::mouseClick(prefs.SaveBtn, Qt::LeftButton);
        });
        form_->Preferences1Click();
        key(Qt::Key_A); // at (1,1), the first empty square
        key(Qt::Key_B);
        QTest::mouseClick(grid(), Qt::LeftButton, {}, outline(2, 1).center()); // B's word, yellow
        const QImage shown = probe::shot(grid());
        QListWidget* list = game().clueForm->ClueList;
        list->setCurrentRow(0); // clue 1, ACE: its A in the strip
        game().clueForm->ClueListClick(list);
        const QImage strip = probe::shot(solve_->SolveGrid);
        const QImage lines = probe::shot(list->viewport());
        QVERIFY(qGray(probe::fillOf(shown, outline(1, 1)).rgb()) < 80);
        QVERIFY(qGray(probe::fillOf(lines, list->visualItemRect(list->item(1))).rgb()) < 80);
        const QList<std::pair<const char*, double>> seen{
            {"grid square", letterContrast(shown, outline(1, 1))},
            {"yellow run", letterContrast(shown, outline(2, 1))},
            {"answer strip", letterContrast(strip, solve_->stripSquare(0))},
            {"clue line", letterContrast(lines, list->visualItemRect(list->item(1)))}};
        for (const auto& [where, ratio] : seen) QVERIFY2(ratio >= vlq::kReadableContrast, where);
    }

    // A clue too long for the record is kept whole beside it: the answer
    // window and the clue line's tooltip show it whole.
    void importedClueShowsWhole() {
        TVlqProcs::WriteSetting("SolvingAids", 1);
        form_->ReadToolSettings();
        const QString whole = QStringLiteral("Ground, not sea: what an island is made of, rising out of the water "
                                             "all around it, and where castaways land");
        QFile source(QStringLiteral(VLQ_SOURCE_DIR "/tests/data/formats/islands.ipuz"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QTemporaryDir elsewhere;
        QFile long_(elsewhere.filePath("islands.ipuz"));
        QVERIFY(long_.open(QIODevice::WriteOnly));
        long_.write(source.readAll().replace("Ground, <i>not</i> sea", whole.toUtf8()));
        long_.close();
        QVERIFY(form_->OpenPuzzleFile(long_.fileName()));
        QVERIFY(game().puzzle.clue(1).size() <= 80);
        QCOMPARE(game().clueForm->ClueList->item(0)->toolTip(), whole);
        game().clueForm->ClueList->setCurrentRow(0);
        game().clueForm->ClueListClick(game().clueForm->ClueList);
        QCOMPARE(solve_->ClueLbl->text(), whole);
    }

    void preferencesPageSwitchesEachAid() {
        SolvingAidsPage page;
        page.load();
        QVERIFY(!page.AidsChk->isChecked() && !page.LabelsChk->isEnabled()); // follows the master switch
        page.AidsChk->setChecked(true);
        page.LabelsChk->setChecked(false);
        page.setLinkedColour(QColor(10, 20, 30));
        page.save();
        const SolvingAids aids = SolvingAids::read();
        QVERIFY(!aids.squareLabels && aids.linkedTint);
        QCOMPARE(aids.linkedColour, QColor(10, 20, 30));
    }

    void openFileTakesAnyPuzzleFile() {
        QTemporaryDir elsewhere;
        const QString jpz = elsewhere.filePath("islands.jpz");
        QVERIFY(QFile::copy(QStringLiteral(VLQ_SOURCE_DIR "/tests/data/formats/islands.jpz"), jpz));
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            seen = true;
            QVERIFY(dialog->nameFilters().first().contains("*.ipuz"));
            dialog->selectFile(jpz);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(seen);
        // Converted into the puzzle folder and open.
        QVERIFY(game().currentPuzzlePath.startsWith(docs_.puzzleFolder()) && game().currentPuzzlePath.endsWith(".vlq"));
        QVERIFY(grid() && prompts_->errors.isEmpty());
    }
};

QTEST_MAIN(TestAids)
#include "tst_aids.moc"
