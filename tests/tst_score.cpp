// Scoring: the verdict on the grid, the score card's set-up, and what each
// of its buttons does to the puzzle, its file and the main window.
#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QToolButton>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include "game/GameContext.h"
#include "app/TScoreForm.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "core/PuzzleRules.h"
#include "platform/Artwork.h"
#include "platform/Trash.h"
#include "platform/TSoundFX.h"
#include "game/SettingsStore.h"
#include "game/SettingsTable.h"
#include "support/PromptRecorder.h"
#include "support/ReadOnlyGuard.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "support/ScreenProbe.h"
#include "views/SquareGeometry.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

namespace {

// 6 x 4 with an apostrophe and a hyphen; every letter belongs to a clue.
const std::vector<std::string> kRows = {"IT'S#A", "WELL-K", "NOWN#T", "RUTH##"};
const std::vector<fixture::ClueSpec> kClues = {
    {"First", "ITS"}, {"Second", "AWE"}, {"Third", "LLKN"}, {"Fourth", "OWNT"}, {"Fifth", "RUTH"}};

// Entry := Solution on the letter squares only; punctuation stays 0.
void fillAnswers(vlq::PuzzleRecord& rec) {
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c)
            if (!rec.isBlack(c, r) && !rec.isPunctuation(c, r)) rec.setEntry(c, r, rec.solution(c, r));
}


// What the score card showed when it came up, and the answer given to it.
struct CardSeen {
    bool up = false;
    QString banner;
    bool cheatShown = false;
};

// Answers the score card with the button captioned `caption` as soon as it
// is up; the celebration runs before it appears, so this polls. A disabled
// button is noted as not up and the card cancelled.
void answerCard(const QString& caption, CardSeen* seen = nullptr) {
    auto* t = new QTimer(qApp);
    t->setInterval(5);
    QObject::connect(t, &QTimer::timeout, [t, caption, seen] {
        auto* card = qobject_cast<TScoreForm*>(QApplication::activeModalWidget());
        if (!card) return;
        t->stop();
        t->deleteLater();
        QPushButton* button = nullptr;
        for (auto* b : card->findChildren<QPushButton*>())
            if (b->text() == caption && b->isEnabled()) button = b;
        if (seen) {
            seen->up = button != nullptr;
            seen->banner = card->BannerLbl->text();
            seen->cheatShown = card->CheatLbl->isVisible();
        }
        if (button) QTest::mouseClick(button, Qt::LeftButton);
        else card->reject();
    });
    t->start();
}

} // namespace

class TestScore : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void cardDesign();
    void cardButtonsCloseWithTheirResult_data();
    void cardButtonsCloseWithTheirResult();
    void correctWithPunctuationFilledByPainting();
    void verdict_data();
    void verdict();
    void verdictSounds_data();
    void verdictSounds();

    void trashLandsInHomeTrash();
    void trashRefusesMissingFile();
    void trashFallbackIsAFailure();

    // The whole path through the main window.
    void scoreClearsSelectionsAndCancelChangesNothing();
    void cheatNoteAfterAnyReveal_data();
    void cheatNoteAfterAnyReveal();
    void startOverSavesTheEmptyGridAtOnce();
    void recycleBinMovesThePuzzleToTheTrash();
    void recycleRefusedLeavesPuzzleOpen();
    void showErrorsCrossesWrongAndEmptySquares();
    void inputDuringTheCelebrationGoesNowhere();

private:
    void openGrid();
    void openInMainWindow();
    int s() const { return game().gridSquareSize; }
    int crossPixels(const QImage& img, int c, int r) {
        return probe::countColour(img, vlq::squareOutline(c, r, s()).adjusted(2, 2, -2, -2), QColor(255, 0, 0), 60);
    }

    std::unique_ptr<TVlqGameMainForm> form_;
    TVlqSolveForm* solve_ = nullptr;
    std::unique_ptr<ScratchDocuments> docs_;
    QString path_;

    QMdiArea* area_ = nullptr;
    TScoreForm* card_ = nullptr;
    TSoundFX* fx_ = nullptr;
    QStringList played_;
};

void TestScore::init() {
    game().reset();
    played_.clear();
    TSoundFX::SetPlayHook([this](const QString& name) { played_ << name; });
    fx_ = new TSoundFX(this);
    game().soundFX = fx_;
    card_ = new TScoreForm;
    game().scoreForm = card_;
    fixture::loadIntoGame(fixture::makePuzzle(kRows, kClues));
}

void TestScore::cleanup() {
    form_.reset();
    delete solve_;
    solve_ = nullptr;
    docs_.reset();
    delete area_;
    area_ = nullptr;
    delete card_;
    card_ = nullptr;
    delete fx_;
    fx_ = nullptr;
    TSoundFX::SetPlayHook({});
    game().reset();
}

void TestScore::openGrid() {
    area_ = fixture::showDocumentArea(800, 600);
    QVERIFY(area_);
    new TVlqGameGridForm(area_);
    QVERIFY(game().gridForm);
}

void TestScore::cardDesign() {
    QCOMPARE(card_->windowTitle(), QStringLiteral("Score Card"));
    QCOMPARE(card_->size(), QSize(330, 179));
    const Qt::WindowFlags f = card_->windowFlags();
    QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(f.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(f & Qt::WindowType_Mask, Qt::Tool);
    QCOMPARE(card_->BannerLbl->font().pixelSize(), 24);
    QCOMPARE(card_->CheatLbl->font().pixelSize(), 11);
    QCOMPARE(card_->CheatLbl->text(), QStringLiteral("(but you cheated)"));
    QVERIFY(card_->CheatLbl->isHidden());
    QVERIFY(!card_->ShowErrsBtn->isEnabled());
    QVERIFY(!card_->DeleteBtn->isEnabled());
    QVERIFY(!card_->PictureImg->pixmap().isNull());
    // The picture sits right of the buttons and inside the card.
    QVERIFY(card_->PictureImg->x() > card_->CancelBtn->geometry().right());
    QVERIFY(QRect(0, 0, 330, 179).contains(card_->PictureImg->geometry()));
    // Cancel is first in tab order: it has the focus when the card opens,
    // and Tab goes on to Show Errors (enabled: the grid is empty).
    QWidget* first = nullptr;
    QWidget* second = nullptr;
    QTimer::singleShot(0, card_, [&] {
        first = card_->focusWidget();
        QTest::keyClick(card_, Qt::Key_Tab);
        second = card_->focusWidget();
        card_->reject();
    });
    card_->ShowModal();
    QCOMPARE(first, card_->CancelBtn);
    QCOMPARE(second, card_->ShowErrsBtn);
}

void TestScore::cardButtonsCloseWithTheirResult_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("cancel") << "&Cancel" << int(TScoreForm::Cancel);
    QTest::newRow("show errors") << "Show &Errors" << int(TScoreForm::ShowErrors);
    QTest::newRow("start over") << "&Start Over" << int(TScoreForm::StartOver);
    QTest::newRow("escape") << "" << int(TScoreForm::Cancel);
}

void TestScore::cardButtonsCloseWithTheirResult() {
    QFETCH(QString, button);
    QFETCH(int, result);
    // The empty grid is incorrect, so Show Errors is enabled.
    QTimer::singleShot(0, card_, [button] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        if (button.isEmpty()) {
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        for (auto* b : modal->findChildren<QPushButton*>())
            if (b->text() == button) QTest::mouseClick(b, Qt::LeftButton);
    });
    QCOMPARE(card_->ShowModal(), result);
    QVERIFY(!card_->isVisible());
}

// Letters right, punctuation squares still 0 in Entry: once the grid has
// painted itself the punctuation is in Entry and the grid scores correct.
void TestScore::correctWithPunctuationFilledByPainting() {
    fillAnswers(game().puzzle);
    QVERIFY(!vlq::isCorrect(game().puzzle));
    openGrid();
    QTRY_COMPARE(game().puzzle.entry(3, 1), std::uint8_t('\''));
    QCOMPARE(game().puzzle.entry(5, 2), std::uint8_t('-'));
    QVERIFY(card_->FormShow());
    QCOMPARE(card_->BannerLbl->text(), QStringLiteral("CONGRATULATIONS!"));
    QCOMPARE(card_->BannerLbl->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QVERIFY(!card_->ShowErrsBtn->isEnabled());
    QVERIFY(card_->DeleteBtn->isEnabled());
    QVERIFY(card_->CheatLbl->isHidden());
}

void TestScore::verdict_data() {
    QTest::addColumn<int>("wrongCol");    // 0: all right; -1: empty grid
    QTest::addColumn<int>("wrongRow");
    QTest::addColumn<bool>("cheated");
    QTest::addColumn<bool>("correct");
    QTest::newRow("empty grid") << -1 << 0 << false << false;
    QTest::newRow("empty grid, cheated") << -1 << 0 << true << false;
    QTest::newRow("one wrong letter") << 2 << 3 << false << false;
    QTest::newRow("last square empty") << 4 << 4 << true << false;
    QTest::newRow("right") << 0 << 0 << false << true;
    QTest::newRow("right, cheated") << 0 << 0 << true << true;
}

void TestScore::verdict() {
    QFETCH(int, wrongCol);
    QFETCH(int, wrongRow);
    QFETCH(bool, cheated);
    QFETCH(bool, correct);
    openGrid();
    auto& rec = game().puzzle;
    if (wrongCol >= 0) fillAnswers(rec);
    for (int r = 1; r <= rec.height(); ++r)
        for (int c = 1; c <= rec.width(); ++c)
            if (rec.isPunctuation(c, r)) rec.setEntry(c, r, rec.solution(c, r));
    if (wrongCol > 0) rec.setEntry(wrongCol, wrongRow, wrongCol == 4 ? 0 : 'Q');
    game().gridForm->setCheated(cheated);

    // A card left showing the other verdict must be set up afresh.
    card_->CheatLbl->setVisible(!correct);
    QCOMPARE(card_->FormShow(), correct);
    QCOMPARE(card_->BannerLbl->text(),
             correct ? QStringLiteral("CONGRATULATIONS!") : QStringLiteral("PUZZLE INCORRECT!"));
    QCOMPARE(card_->BannerLbl->palette().color(QPalette::WindowText), correct ? QColor(0, 0, 128) : QColor(255, 0, 0));
    QCOMPARE(card_->ShowErrsBtn->isEnabled(), !correct);
    QCOMPARE(card_->DeleteBtn->isEnabled(), correct);
    QCOMPARE(!card_->CheatLbl->isHidden(), correct && cheated);
    // The cup only for a right grid.
    const QImage cup = vlq::artwork(QStringLiteral("images/scorecard"), card_->PictureImg->size()).toImage();
    QCOMPARE(card_->PictureImg->pixmap().toImage() == cup, correct);
}

void TestScore::verdictSounds_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("silent, right") << 0 << true << QStringList();
    QTest::newRow("silent, wrong") << 0 << false << QStringList();
    QTest::newRow("sounds, right") << 1 << true << QStringList({"WAVE_2"});
    QTest::newRow("sounds, wrong") << 1 << false << QStringList({"WAVE_3"});
    QTest::newRow("speech, right") << 2 << true << QStringList({"WAVE_2"});
    QTest::newRow("speech, wrong") << 2 << false << QStringList({"WAVE_3"});
}

void TestScore::verdictSounds() {
    QFETCH(int, mode);
    QFETCH(bool, correct);
    QFETCH(QStringList, expected);
    game().soundMode = mode;
    openGrid();
    if (correct) {
        fillAnswers(game().puzzle);
        game().puzzle.setEntry(3, 1, '\'');
        game().puzzle.setEntry(5, 2, '-');
    }
    QCOMPARE(card_->FormShow(), correct);
    QCOMPARE(played_, expected);
}

// The scratch data folder does not exist yet: the file must still land in
// $XDG_DATA_HOME/Trash/files with its .trashinfo, never in ./files.
void TestScore::trashLandsInHomeTrash() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir(data).removeRecursively();
    QTemporaryDir work;
    QVERIFY(work.isValid());
    QVERIFY(QDir::setCurrent(work.path()));
    const QString path = work.filePath(QStringLiteral("Sunday.vlq"));
    QVERIFY(writeBytes(path, "puzzle"));
    QVERIFY(vlq::moveToTrash(path));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QFile::exists(work.filePath(QStringLiteral("files/Sunday.vlq"))));
    QFile trashed(data + QStringLiteral("/Trash/files/Sunday.vlq"));
    QVERIFY(trashed.open(QIODevice::ReadOnly));
    QCOMPARE(trashed.readAll(), QByteArray("puzzle"));
    QVERIFY(QFile::exists(data + QStringLiteral("/Trash/info/Sunday.vlq.trashinfo")));
    QDir::setCurrent(QDir::homePath());
}

// No trash can be made (the data folder's Trash is a plain file): the move
// is a failure, the file stays where it was, and no files/ or info/ folder
// is left in the working folder.
void TestScore::trashFallbackIsAFailure() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir(data).removeRecursively();
    QVERIFY(QDir().mkpath(data) && writeBytes(data + QStringLiteral("/Trash"), "not a folder"));
    QTemporaryDir work;
    QVERIFY(QDir::setCurrent(work.path()));
    const QString path = work.filePath(QStringLiteral("Sunday.vlq"));
    QVERIFY(writeBytes(path, "puzzle"));
    const bool moved = vlq::moveToTrash(path);
    QDir::setCurrent(QDir::homePath());
    QFile::remove(data + QStringLiteral("/Trash"));
    QVERIFY(!moved);
    QCOMPARE(fileBytes(path), QByteArray("puzzle"));
    QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Sunday.vlq")});
}

void TestScore::trashRefusesMissingFile() {
    QVERIFY(!vlq::moveToTrash(QString()));
    QVERIFY(!vlq::moveToTrash(QStringLiteral("/nonexistent/folder/x.vlq")));
}


// Opens the fixture puzzle from its file in a real main window, with the
// answer window made as at start-up. A second puzzle was opened before, so
// the recent list holds two entries.
void TestScore::openInMainWindow() {
    QFile::remove(SettingsStore::open().fileName());
    docs_ = std::make_unique<ScratchDocuments>();
    const QString other = docs_->writePuzzle(QStringLiteral("Other.vlq"), fixture::makePuzzle(kRows, kClues));
    path_ = docs_->writePuzzle(QStringLiteral("Acrostic.vlq"), fixture::makePuzzle(kRows, kClues));
    solve_ = new TVlqSolveForm;
    game().solveForm = solve_;
    form_ = fixture::showMainWindow();
    QVERIFY(form_);
    QVERIFY(form_->OpenPuzzleFile(other));
    QVERIFY(form_->OpenPuzzleFile(path_));
    QVERIFY(game().gridForm && game().titleForm && game().clueForm);
    probe::shot(game().gridForm);
}

void TestScore::scoreClearsSelectionsAndCancelChangesNothing() {
    openInMainWindow();
    auto* grid = game().gridForm;
    QTest::mouseClick(grid, Qt::LeftButton, {}, vlq::squareOutline(2, 2, s()).center());
    QVERIFY(grid->currentSquare());
    game().clueForm->ClueList->setCurrentRow(1);
    game().clueForm->ClueListClick(game().clueForm->ClueList);
    QTRY_VERIFY(solve_->isVisible());
    QCOMPARE(game().currentClue, 2);
    const QByteArray file = fileBytes(path_);
    const auto before = game().puzzle.bytes();

    CardSeen seen;
    answerCard(QStringLiteral("&Cancel"), &seen);
    QTest::mouseClick(form_->ScoreBtn, Qt::LeftButton);
    QVERIFY(seen.up);
    QCOMPARE(seen.banner, QStringLiteral("PUZZLE INCORRECT!"));
    QVERIFY(!solve_->isVisible());
    QVERIFY(!grid->currentSquare());
    QCOMPARE(game().currentClue, 0);
    QVERIFY(game().clueForm->ClueList->selectedItems().isEmpty());
    QVERIFY(game().puzzle.bytes() == before);
    QCOMPARE(fileBytes(path_), file);
    QVERIFY(form_->Save1->isEnabled());
}

void TestScore::cheatNoteAfterAnyReveal_data() {
    QTest::addColumn<QString>("reveal");
    QTest::newRow("none") << "";
    QTest::newRow("letter") << "letter";
    QTest::newRow("word") << "word";
    QTest::newRow("holding the solution button") << "cheat";
}

// A reveal sets the cheated flag: a correct grid then shows the note; a
// later incorrect scoring does not, and the flag stays for the next correct
// one.
void TestScore::cheatNoteAfterAnyReveal() {
    QFETCH(QString, reveal);
    openInMainWindow();
    auto* grid = game().gridForm;
    QTest::mouseClick(grid, Qt::LeftButton, {}, vlq::squareOutline(1, 1, s()).center());
    if (reveal == "letter") QTest::mouseClick(form_->LetterBtn, Qt::LeftButton);
    if (reveal == "word") QTest::mouseClick(form_->WordBtn, Qt::LeftButton);
    if (reveal == "cheat") {
        QTest::mousePress(form_->CheatBtn, Qt::LeftButton);
        QTest::mouseRelease(form_->CheatBtn, Qt::LeftButton);
    }
    QCOMPARE(grid->cheated(), !reveal.isEmpty());

    fixture::fillSolution(game().puzzle);
    CardSeen right;
    answerCard(QStringLiteral("&Cancel"), &right);
    QTest::mouseClick(form_->ScoreBtn, Qt::LeftButton);
    QCOMPARE(right.banner, QStringLiteral("CONGRATULATIONS!"));
    QCOMPARE(right.cheatShown, !reveal.isEmpty());

    game().puzzle.setEntry(6, 1, 'Z');
    CardSeen wrong;
    answerCard(QStringLiteral("&Cancel"), &wrong);
    QTest::mouseClick(form_->ScoreBtn, Qt::LeftButton);
    QCOMPARE(wrong.banner, QStringLiteral("PUZZLE INCORRECT!"));
    QVERIFY(!wrong.cheatShown);
    QCOMPARE(grid->cheated(), !reveal.isEmpty());
}

// Start Over empties the grid and writes it to the file before anything
// else can happen; reverting afterwards brings back the empty grid.
void TestScore::startOverSavesTheEmptyGridAtOnce() {
    openInMainWindow();
    fixture::fillSolution(game().puzzle);
    TVlqProcs::SavePuzzle(path_);
    game().puzzle.setEntry(1, 1, 'Q');
    game().modified = true;
    answerCard(QStringLiteral("&Start Over"));
    QTest::mouseClick(form_->ScoreBtn, Qt::LeftButton);

    // The repaint before the save has put the punctuation back.
    vlq::PuzzleRecord empty = fixture::makePuzzle(kRows, kClues);
    empty.setEntry(3, 1, '\'');
    empty.setEntry(5, 2, '-');
    QCOMPARE(fileBytes(path_), recordBytes(empty));
    QVERIFY(!game().modified);
    QVERIFY(game().clueForm->ClueList->item(0)->text().endsWith(QStringLiteral("__ __ __ ")));
    const QImage img = probe::shot(game().gridForm);
    QCOMPARE(probe::countColour(img, vlq::squareOutline(1, 1, s()).adjusted(2, 2, -2, -2), Qt::black, 60), 0);

    game().puzzle.setEntry(2, 1, 'T');
    PromptRecorder prompts;
    prompts.answers << true;
    form_->RevertToSaved1->trigger();
    QCOMPARE(prompts.questions.size(), 1);
    for (int r = 1; r <= game().puzzle.height(); ++r)
        for (int c = 1; c <= game().puzzle.width(); ++c)
            if (!game().puzzle.isPunctuation(c, r)) QCOMPARE(game().puzzle.entry(c, r), std::uint8_t(0));
}

void TestScore::recycleBinMovesThePuzzleToTheTrash() {
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
    QDir(trash).removeRecursively();
    openInMainWindow();
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::HistoryPuzzle1), path_ + " /s");
    fixture::fillSolution(game().puzzle);
    game().modified = true;
    CardSeen seen;
    answerCard(QStringLiteral("&Recycle Bin"), &seen);
    QTest::mouseClick(form_->ScoreBtn, Qt::LeftButton);
    QVERIFY(seen.up);

    QVERIFY(!QFile::exists(path_));
    QVERIFY(QFile::exists(trash + "/files/Acrostic.vlq"));
    QVERIFY(!game().modified);
    for (QAction* a : {form_->Save1, form_->Print1, form_->ScorePuzzle1, form_->RevertToSaved1}) QVERIFY(!a->isEnabled());
    for (QToolButton* b : {form_->SaveBtn, form_->LetterBtn, form_->WordBtn, form_->CheatBtn, form_->ScoreBtn, form_->PrintBtn}) {
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QVERIFY(b->toolTip().isEmpty());
    }
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::CurrentPuzzle), QString());
    QStringList recent;
    for (QAction* a : form_->History)
        if (a->isVisible()) recent << a->text();
    QCOMPARE(recent, QStringList({"&1 OTHER"}));
    for (const auto& h : VlqSetting::HistoryPuzzle)
        QVERIFY(!TVlqProcs::ReadSetting(h).contains(QStringLiteral("Acrostic")));
    QVERIFY(game().gridForm); // the windows stay

    // Letters typed into the windows left on screen are not written back.
    auto* grid = game().gridForm;
    QTest::mouseClick(grid, Qt::LeftButton, {}, vlq::squareOutline(1, 1, s()).center());
    QTest::keyClick(grid, Qt::Key_X);
    form_->close();
    QVERIFY(!QFile::exists(path_));
}

// A folder that refuses the removal: the player is told, and the file, the
// open puzzle, its commands and its recent entry stay as they were.
void TestScore::recycleRefusedLeavesPuzzleOpen() {
    openInMainWindow();
    PromptRecorder prompts;
    fixture::fillSolution(game().puzzle);
    ReadOnlyGuard guard(QFileInfo(path_).absolutePath());
    if (!guard.ok()) QSKIP("cannot make a folder read-only here");
    answerCard(QStringLiteral("&Recycle Bin"));
    QTest::mouseClick(form_->ScoreBtn, Qt::LeftButton);
    QVERIFY(prompts.errors.size() == 1 && prompts.errors[0].contains(path_));
    QVERIFY(QFile::exists(path_) && game().currentPuzzlePath == path_);
    QVERIFY(form_->Save1->isEnabled() && form_->ScoreBtn->isEnabled() && form_->History[0]->isVisible());
    QCOMPARE(TVlqProcs::ReadSetting(VlqSetting::HistoryPuzzle1), path_ + " /s");
}

// Red crosses over every square that is neither black nor right: a wrong
// letter and empty squares; none over right letters, punctuation or black.
void TestScore::showErrorsCrossesWrongAndEmptySquares() {
    openInMainWindow();
    auto& rec = game().puzzle;
    fixture::fillSolution(rec);
    rec.setEntry(1, 1, 'Q');   // wrong
    rec.setEntry(2, 3, 0);     // empty
    rec.setEntry(4, 4, 0);     // empty
    game().gridForm->update();
    QCOMPARE(crossPixels(probe::shot(game().gridForm), 1, 1), 0);
    answerCard(QStringLiteral("Show &Errors"));
    QTest::mouseClick(form_->ScoreBtn, Qt::LeftButton);
    QTRY_VERIFY(crossPixels(probe::shot(game().gridForm), 1, 1) > 0);
    const QImage img = probe::shot(game().gridForm);
    QVERIFY(crossPixels(img, 2, 3) > 0);
    QVERIFY(crossPixels(img, 4, 4) > 0);
    for (auto [c, r] : {std::pair{2, 1}, {3, 1}, {5, 2}, {6, 3}, {5, 1}, {5, 4}, {6, 4}, {1, 4}})
        QVERIFY2(crossPixels(img, c, r) == 0, qPrintable(QStringLiteral("%1,%2").arg(c).arg(r)));
    // Revert takes them away, also when another document window was active.
    form_->mdiArea()->setActiveSubWindow(game().clueForm->subWindow());
    PromptRecorder prompts;
    prompts.answers << true;
    form_->RevertToSaved1->trigger();
    QTRY_COMPARE(crossPixels(probe::shot(game().gridForm), 1, 1), 0);
}

// A second click on Score and a click on the grid, posted while the
// celebration runs, are dropped: one card, no current square.
void TestScore::inputDuringTheCelebrationGoesNowhere() {
    openInMainWindow();
    fixture::fillSolution(game().puzzle);
    int cards = 0;
    connect(card_, &QDialog::finished, this, [&cards] { ++cards; });
    auto click = [](QWidget* w, QPoint at) {
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(w, new QMouseEvent(type, at, w->mapToGlobal(at), Qt::LeftButton,
                                                           type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {}));
    };
    QTimer::singleShot(0, this, [&] {
        QVERIFY(!QApplication::activeModalWidget()); // still celebrating
        click(form_->ScoreBtn, form_->ScoreBtn->rect().center());
        click(game().gridForm, vlq::squareOutline(1, 1, s()).center());
        QCoreApplication::postEvent(game().gridForm, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, {}, "X"));
    });
    auto* answer = new QTimer(this);
    connect(answer, &QTimer::timeout, this, [] {
        if (auto* card = qobject_cast<TScoreForm*>(QApplication::activeModalWidget())) card->reject();
    });
    answer->start(5);
    QTest::mouseClick(form_->ScoreBtn, Qt::LeftButton);
    QTest::qWait(50);
    delete answer;
    QCOMPARE(cards, 1);
    QVERIFY(!game().gridForm->currentSquare());
}

QTEST_MAIN(TestScore)
#include "tst_score.moc"
