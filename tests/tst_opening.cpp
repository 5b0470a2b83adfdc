// Opening, saving, reverting and the recent list, end to end through the
// main window, the open dialog and the document windows, with real files in
// a scratch documents folder.
#include <QAction>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "core/PuzzleIdentity.h"
#include "core/PuzzleRules.h"
#include "game/ProgressStore.h"
#include "services/PickerPanel.h"
#include "services/PuzzleImport.h"
#include "services/TVlqDlgForm.h"
#include "game/SettingsStore.h"
#include "support/PromptRecorder.h"
#include "support/PuzzleFixture.h"
#include "support/ReadOnlyGuard.h"
#include "support/ScratchDocuments.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kNotVlq = QStringLiteral("Puzzle not in Vorlaquince format or is corrupt.");
const QString kNotFound = QStringLiteral("Unable to locate this puzzle from path in history list.");

QStringList listed(const TVlqDlgForm& dlg) {
    QStringList names;
    for (int i = 0; i < dlg.VlqList->count(); ++i) names << dlg.VlqList->item(i)->text();
    return names;
}

void clickItem(TVlqDlgForm& dlg, const QString& name) {
    const auto items = dlg.VlqList->findItems(name, Qt::MatchExactly);
    QVERIFY(!items.isEmpty());
    const QRect r = dlg.VlqList->visualItemRect(items.first());
    QTest::mouseClick(dlg.VlqList->viewport(), Qt::LeftButton, {}, r.center());
}

QString setting(const VlqSetting::Text& s) { return TVlqProcs::ReadSetting(s); }

// A file's bytes as the open record holds them once the grid has painted:
// the grid copies each punctuation square's Solution byte into Entry.
QByteArray asShown(const QString& path) {
    QByteArray b = fileBytes(path);
    vlq::PuzzleRecord rec;
    rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(b.constData()), std::size_t(b.size())));
    for (int c = 1; c <= rec.width(); ++c)
        for (int r = 1; r <= rec.height(); ++r)
            if (rec.isPunctuation(c, r)) rec.setEntry(c, r, rec.solution(c, r));
    return recordBytes(rec);
}

// A copy of a test file of tests/data/formats in dir.
QString copiedFormatFile(const QTemporaryDir& dir, const QString& name) {
    const QString to = dir.filePath(name);
    QFile::copy(QStringLiteral(VLQ_SOURCE_DIR "/tests/data/formats/") + name, to);
    return to;
}

const char* const kChecksumOnly =
    "{\"kind\":[\"http://ipuz.org/acrostic#1\"],\"dimensions\":{\"width\":1,\"height\":1},\"checksum\":[\"x\"]}";

} // namespace

class TestOpening : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void dialogLayout();
    void dialogListsPuzzleFolder();
    void dialogOpenInertUntilPicked();
    void dialogWithoutFolder();
    void dialogShowsProgressWithTheAids();
    void solveEndToEnd();
    void samplePuzzlesOpen();
    void recentList_data();
    void recentList();
    void recentOwnEntryDoesNothing();
    void recentOpensOtherPuzzle();
    void revert_data();
    void revert();
    void revertClosesTheAnswerWindow();
    void revertOntoRefusedFile();
    void gridCaptionWholeAsToolTip();
    void failedOpenings_data();
    void failedOpenings();
    void silentSaveBeforeSwitching();
    void failedSilentSaveKeepsOpenPuzzle();
    void readOnlyPuzzleKeepsLettersInCopy_data();
    void readOnlyPuzzleKeepsLettersInCopy();
    void changedOnDisk_data();
    void changedOnDisk();
    void exitTellsWhereLettersWent();
    void copySavedWhileSettingsRefused();
    void saveOnReadOnlyFolder();
    void droppedFileOpens();
    void nonUtf8NameToldAsSuch();
    // Another program's acrostic becomes a .vlq in the puzzle folder.
    void droppedFileBecomesPuzzleAndResumes();
    void refusedFileNamesCause();
    void fileNamesFromTitles();

private:
    // Picks `name` in the open dialog that Solve shows, and presses Open.
    void solve(const QString& name);
    // Types letters into the grid from square (1, 1) as the player does.
    void typeInGrid(const QString& letters);

    std::unique_ptr<TVlqGameMainForm> form;
    std::unique_ptr<TVlqSolveForm> solveForm;
    std::unique_ptr<PromptRecorder> prompts;
    ScratchDocuments docs;
};

void TestOpening::init() {
    SettingsStore::open().clear();
    game().reset();
    docs.clear();
    prompts = std::make_unique<PromptRecorder>();
    form = std::make_unique<TVlqGameMainForm>();
    solveForm = std::make_unique<TVlqSolveForm>(form.get());
    game().solveForm = solveForm.get();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

void TestOpening::cleanup() {
    solveForm.reset();
    game().solveForm = nullptr;
    form.reset();
    prompts.reset();
}

void TestOpening::solve(const QString& name) {
    bool picked = false;
    QTimer::singleShot(0, this, [&] {
        auto* dlg = qobject_cast<TVlqDlgForm*>(QApplication::activeModalWidget());
        if (!dlg) return;
        clickItem(*dlg, name);
        QTest::mouseClick(dlg->OpenBtn, Qt::LeftButton);
        picked = true;
    });
    QTest::mouseClick(form->OpenBtn, Qt::LeftButton);
    QVERIFY(picked);
}

void TestOpening::typeInGrid(const QString& letters) {
    auto* grid = game().gridForm;
    QVERIFY(grid);
    const int s = game().gridSquareSize;
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(s / 2, s / 2));
    for (QChar ch : letters) QTest::keyClick(grid, ch.toLatin1());
}

void TestOpening::dialogLayout() {
    TVlqDlgForm dlg;
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Open puzzle for solving"));
    QCOMPARE(dlg.windowFlags() & (Qt::CustomizeWindowHint | Qt::WindowMinMaxButtonsHint), Qt::CustomizeWindowHint);
    QCOMPARE(dlg.size(), QSize(536 + 16, 365 + 16)); // client area inside a border of 8
    QCOMPARE(dlg.VlqList->parentWidget()->geometry(), QRect(8, 8, 536, 365));
    QCOMPARE(dlg.VlqList->size(), QSize(440, 265));
    QCOMPARE(dlg.ColorPanel->size(), QSize(88, 313));
    QCOMPARE(dlg.LookInImage->pixmap().size(), QSize(257, 21));
    QCOMPARE(dlg.Edit1->width(), 225);
    QVERIFY(dlg.Edit1->isReadOnly());
    QCOMPARE(dlg.Edit2->text(), QStringLiteral("Vorlaquince Acrostic Puzzle"));
    QVERIFY(!dlg.OpenBtn->isDefault() && !dlg.OpenBtn->autoDefault());
    QVERIFY(!dlg.CancelBtn->isDefault() && !dlg.CancelBtn->autoDefault());
    const QImage panel = dlg.ColorPanel->grab().toImage();
    QCOMPARE(panel.pixelColor(40, 150), QColor(0xFF, 0xFB, 0xF0));
    const QImage icon = TVlqDlgForm::listIcon().toImage();
    QCOMPARE(icon.size(), QSize(16, 16));
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0); // white is transparent
}

// With the aids: each puzzle's size, clues, share filled, solved mark and
// last-played date beside its name, refreshed when its file changes; the
// side panel shows the picked puzzle's byline, grid and best time.
void TestOpening::dialogShowsProgressWithTheAids() {
    vlq::PuzzleRecord words = fixture::wordsPuzzle();
    words.setByline("Set by Ada");
    const QString path = docs.writePuzzle(QStringLiteral("Words.vlq"), words);
    docs.writeFile(QStringLiteral("Broken.vlq"), "short");
    const QString id = QString::fromStdString(vlq::puzzleIdentity(words));
    ProgressStore::shared().notePlayed(id, QStringLiteral("Words"), {});
    ProgressStore::shared().recordSolve(id, QStringLiteral("Words"), {}, 754, false);
    game().aids.progress = true;
    const QString played = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const QString figures = QStringLiteral("6 x 4   %1 clues   %2   solved   ") + played;
    const auto shownFor = [](TVlqDlgForm& dlg, const QString& name) {
        return dlg.VlqList->findItems(name, Qt::MatchExactly).first()->data(Qt::UserRole + 1).toString();
    };
    const int clues = vlq::clueCount(words);
    {
        TVlqDlgForm dlg;
        dlg.show();
        QCOMPARE(shownFor(dlg, "Words"), figures.arg(clues).arg("0%"));
        QCOMPARE(shownFor(dlg, "Broken"), QString());
        clickItem(dlg, QStringLiteral("Words"));
        QCOMPARE(dlg.ColorPanel->facts()->byline, QStringLiteral("Set by Ada"));
        QCOMPARE(PickerPanel::bestText(dlg.ColorPanel->facts()->bestSeconds), QStringLiteral("Best 0:12:34"));
        const QImage panel = dlg.ColorPanel->grab().toImage();
        QCOMPARE(panel.pixelColor(dlg.ColorPanel->pictureRect().topLeft() + QPoint(1, 1)), QColor(Qt::white));
    }
    // Letters typed since: the cached figures follow the file's time.
    for (int c : {1, 2}) words.setEntry(c, 1, 'A');
    docs.writePuzzle(QStringLiteral("Words.vlq"), words);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    TVlqDlgForm again;
    again.show();
    QCOMPARE(shownFor(again, "Words"), figures.arg(clues).arg(QString::number(200 / vlq::fillCount(words).total) + "%"));
}

void TestOpening::dialogListsPuzzleFolder() {
    docs.writePuzzle(QStringLiteral("Sample One.vlq"), smallPuzzle());
    docs.writePuzzle(QStringLiteral("abc.VLQ"), smallPuzzle());
    docs.writeFile(QStringLiteral("notes.txt"), "not a puzzle");
    docs.writeFile(QStringLiteral("Broken.vlq"), "short"); // listed: the dialog never checks contents
    QDir::setCurrent(QDir::tempPath());
    TVlqDlgForm dlg;
    dlg.show();
    QCOMPARE(QDir::currentPath(), docs.puzzleFolder());
    QCOMPARE(listed(dlg), (QStringList{"abc", "Broken", "Sample One"})); // alphabetical, any case
    QCOMPARE(dlg.VlqList->currentRow(), -1);
    QVERIFY(dlg.Edit1->text().isEmpty());

    // Picking by mouse, by keys; a double click only picks.
    clickItem(dlg, QStringLiteral("Sample One"));
    QCOMPARE(dlg.Edit1->text(), QStringLiteral("Sample One"));
    const int row = dlg.VlqList->currentRow();
    QTest::keyClick(dlg.VlqList, row == 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(dlg.Edit1->text(), dlg.VlqList->currentItem()->text());
    const auto abc = dlg.VlqList->findItems(QStringLiteral("abc"), Qt::MatchExactly).first();
    QTest::mouseDClick(dlg.VlqList->viewport(), Qt::LeftButton, {}, dlg.VlqList->visualItemRect(abc).center());
    QCOMPARE(dlg.Edit1->text(), QStringLiteral("abc"));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.chosenPath(), docs.path(QStringLiteral("abc.VLQ")));
    QTest::mouseClick(dlg.OpenBtn, Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TestOpening::dialogOpenInertUntilPicked() {
    docs.writePuzzle(QStringLiteral("Sunday.vlq"), smallPuzzle());
    TVlqDlgForm dlg;
    dlg.show();
    QTest::mouseClick(dlg.OpenBtn, Qt::LeftButton);
    QVERIFY(dlg.isVisible());
    clickItem(dlg, QStringLiteral("Sunday"));
    // Enter and Esc close nothing; the close box cancels.
    QTest::keyClick(&dlg, Qt::Key_Return);
    QTest::keyClick(dlg.VlqList, Qt::Key_Enter);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(dlg.isVisible());
    dlg.close();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void TestOpening::dialogWithoutFolder() {
    QDir(docs.puzzleFolder()).removeRecursively();
    QDir::setCurrent(QDir::tempPath());
    const QString before = QDir::currentPath();
    TVlqDlgForm dlg;
    dlg.show();
    QCOMPARE(dlg.VlqList->count(), 0);
    QCOMPARE(QDir::currentPath(), before);
    QTest::mouseClick(dlg.OpenBtn, Qt::LeftButton);
    QVERIFY(dlg.isVisible());
    QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    QVERIFY(!dlg.isVisible());
    docs.clear();
}

// Open through Solve: the puzzle state, every enabling rule, the grid's
// caption, CurrentPuzzle and the recent list, with full paths.
void TestOpening::solveEndToEnd() {
    const QString path = docs.writePuzzle(QStringLiteral("Sunday.vlq"), smallPuzzle(5));
    solve(QStringLiteral("Sunday"));
    QVERIFY(prompts->errors.isEmpty());
    QCOMPARE(game().currentPuzzlePath, path);
    QCOMPARE(recordBytes(game().puzzle), asShown(path));
    QVERIFY(!game().modified);

    QVERIFY(form->isMaximized());
    QVERIFY(!form->LogoPanel->isVisible());
    for (QAction* a : {form->Save1, form->Print1, form->ScorePuzzle1, form->RevertToSaved1, form->ShowClock1,
                       form->AutoArrange1})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    for (QToolButton* b : {form->SaveBtn, form->LetterBtn, form->WordBtn, form->CheatBtn, form->ScoreBtn, form->PrintBtn}) {
        QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(b->toolTip(), TVlqGameMainForm::hintText(b));
    }
    QVERIFY(form->ClockBtn->isVisible() && form->DictBtn->isVisible() && form->ExitBtn->isVisible());
    QVERIFY(!form->ProgBar->isVisible());
    QCOMPARE(form->ExitBtn->x(), form->Sep3->x() + 8 + 1);
    QCOMPARE(form->ToolButton14->x(), form->ExitBtn->x() + form->ExitBtn->width() + 1);
    QCOMPARE(game().availableWidth, form->width());
    QVERIFY(game().availableHeight > 0);

    QCOMPARE(form->mdiArea()->subWindowList().size(), 3);
    QVERIFY(game().gridForm && game().titleForm && game().clueForm);
    QCOMPARE(game().gridForm->subWindow()->windowTitle(), QStringLiteral("SUNDAY - by Tester"));
    QCOMPARE(setting(VlqSetting::CurrentPuzzle), path);
    QCOMPARE(setting(VlqSetting::HistoryPuzzle1), path + " /s");
    QVERIFY(form->N4->isVisible() && form->History[0]->isVisible() && !form->History[1]->isVisible());
    QCOMPARE(form->History[0]->text(), QStringLiteral("&1 SUNDAY"));

    // A second opening replaces the document windows and closes the answer
    // window of the old puzzle's clue.
    auto* clues = game().clueForm->ClueList;
    QTest::mouseClick(clues->viewport(), Qt::LeftButton, {}, clues->visualItemRect(clues->item(1)).center());
    QCOMPARE(game().currentClue, 2);
    QVERIFY(solveForm->isVisible());
    const QPointer<TVlqGameGridForm> oldGrid = game().gridForm;
    // An upper-case extension opens, and the recent list keeps the real name.
    docs.writePuzzle(QStringLiteral("Monday.VLQ"), smallPuzzle(6));
    solve(QStringLiteral("Monday"));
    QVERIFY(prompts->errors.isEmpty());
    QCOMPARE(setting(VlqSetting::HistoryPuzzle1), docs.path(QStringLiteral("Monday.VLQ")) + " /s");
    QVERIFY(oldGrid.isNull());
    QVERIFY(!solveForm->isVisible());
    QCOMPARE(game().currentClue, 0);
    QCOMPARE(form->mdiArea()->subWindowList().size(), 3);
    QCOMPARE(form->History[0]->text(), QStringLiteral("&1 MONDAY"));
    QCOMPARE(form->History[1]->text(), QStringLiteral("&2 SUNDAY"));
}

// Every sample puzzle the build makes opens through the dialog.
void TestOpening::samplePuzzlesOpen() {
    const QStringList samples = docs.copySamples();
    if (samples.isEmpty()) QSKIP("the build has no sample puzzles");
    for (const QString& file : samples) {
        QString name = file;
        name.chop(4);
        solve(name);
        QVERIFY2(prompts->errors.isEmpty(), qPrintable(file + ": " + prompts->errors.join(' ')));
        QCOMPARE(game().currentPuzzlePath, docs.path(file));
        QCOMPARE(game().gridForm->subWindow()->windowTitle(),
                 name.toUpper() + " - by " + QString::fromLatin1(game().puzzle.byline()));
        QVERIFY(game().gridForm->isVisible() && game().titleForm->isVisible() && game().clueForm->isVisible());
    }
}

void TestOpening::recentList_data() {
    QTest::addColumn<QStringList>("stored"); // HistoryPuzzle1..3 before, as file names
    QTest::addColumn<QStringList>("after");  // history file names after opening A.vlq
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("first opening") << QStringList{"", "", ""} << QStringList{"A.vlq", "", ""} << QStringList{"&1 A"};
    QTest::newRow("moves to the front") << QStringList{"B.vlq", "C.vlq", "A.vlq"}
                                        << QStringList{"A.vlq", "B.vlq", "C.vlq"}
                                        << QStringList{"&1 A", "&2 B", "&3 C"};
    QTest::newRow("same path in other case") << QStringList{"B.vlq", "a.VLQ", ""}
                                             << QStringList{"A.vlq", "B.vlq", ""} << QStringList{"&1 A", "&2 B"};
    QTest::newRow("never more than three") << QStringList{"B.vlq", "C.vlq", "D.vlq"}
                                           << QStringList{"A.vlq", "B.vlq", "C.vlq"}
                                           << QStringList{"&1 A", "&2 B", "&3 C"};
    QTest::newRow("empty entries skipped") << QStringList{"", "B.vlq", ""} << QStringList{"A.vlq", "B.vlq", ""}
                                           << QStringList{"&1 A", "&2 B"};
    QTest::newRow("upper-cased as the grid's caption") << QStringList{"Café & Co.vlq", "", ""}
                                                       << QStringList{"A.vlq", "Café & Co.vlq", ""}
                                                       << QStringList{"&1 A", "&2 CAFÉ && CO"};
}

void TestOpening::recentList() {
    QFETCH(QStringList, stored);
    QFETCH(QStringList, after);
    QFETCH(QStringList, captions);
    auto entry = [this](const QString& name) {
        if (name.isEmpty()) return QString();
        QString p = docs.path(name);
        if (name.startsWith(QLatin1Char('a'))) p = docs.puzzleFolder().toUpper() + "/" + name; // other case throughout
        return p + " /s";
    };
    for (int i = 0; i < 3; ++i) TVlqProcs::WriteSetting(VlqSetting::HistoryPuzzle[i], entry(stored[i]));
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle());
    QVERIFY(form->OpenPuzzleFile(a));
    for (int i = 0; i < 3; ++i) {
        if (i < captions.size()) {
            QVERIFY(form->History[i]->isVisible());
            QCOMPARE(form->History[i]->text(), captions[i]);
        } else {
            QVERIFY(!form->History[i]->isVisible());
        }
        // A setting numbered above the count keeps its old value.
        const QString expected = i < captions.size() ? entry(after[i]) : entry(stored[i]);
        QCOMPARE(setting(VlqSetting::HistoryPuzzle[i]), expected);
    }
}

void TestOpening::recentOwnEntryDoesNothing() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("CA"));
    QVERIFY(game().modified);
    const QByteArray live = recordBytes(game().puzzle);
    const QPointer<TVlqGameGridForm> grid = game().gridForm;
    form->History[0]->trigger();
    QCOMPARE(recordBytes(game().puzzle), live);
    QVERIFY(game().modified);
    QCOMPARE(grid.data(), game().gridForm);
    QCOMPARE(fileBytes(a), recordBytes(smallPuzzle(1))); // nothing saved either
    QVERIFY(prompts->errors.isEmpty());
}

void TestOpening::recentOpensOtherPuzzle() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    const QString b = docs.writePuzzle(QStringLiteral("B.vlq"), smallPuzzle(2));
    QVERIFY(form->OpenPuzzleFile(a));
    QVERIFY(form->OpenPuzzleFile(b));
    QCOMPARE(form->History[1]->text(), QStringLiteral("&2 A"));
    QDir::setCurrent(QDir::tempPath());
    form->History[1]->trigger();
    QCOMPARE(game().currentPuzzlePath, a);
    QCOMPARE(recordBytes(game().puzzle), asShown(a));
    QCOMPARE(QDir::currentPath(), docs.puzzleFolder());
    QCOMPARE(form->History[0]->text(), QStringLiteral("&1 A"));
    QCOMPARE(form->History[1]->text(), QStringLiteral("&2 B"));
}

void TestOpening::revert_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("other"); // another program put another puzzle in the file
    QTest::newRow("Yes restores the file") << true << false;
    QTest::newRow("No changes nothing") << false << false;
    QTest::newRow("Yes shows the other puzzle in new windows") << true << true;
}

void TestOpening::revert() {
    QFETCH(bool, yes);
    QFETCH(bool, other);
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("CAT"));
    const QByteArray typed = recordBytes(game().puzzle);
    const QPointer<TVlqGameGridForm> grid = game().gridForm;
    if (other) docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(2));
    prompts->answers << yes;
    form->RevertToSaved1->trigger();
    QCOMPARE(prompts->questions,
             QStringList{QStringLiteral("Discard all recent changes and return to last saved puzzle?")});
    QTRY_COMPARE(recordBytes(game().puzzle), yes ? asShown(a) : typed); // once the grid has painted
    QCOMPARE(game().modified, !yes);
    QCOMPARE(fileBytes(a), recordBytes(smallPuzzle(other ? 2 : 1)));
    QCOMPARE(grid.data() == game().gridForm, !other);
    if (yes) {
        QCOMPARE(game().currentClue, 0);
        QVERIFY(!game().gridForm->currentSquare().has_value());
    }
}

// The answer window open on a clue of the reverted puzzle closes, and no
// clue stays chosen anywhere.
void TestOpening::revertClosesTheAnswerWindow() {
    QVERIFY(form->OpenPuzzleFile(docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1))));
    QListWidget* list = game().clueForm->ClueList;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QVERIFY(solveForm->isVisible());
    prompts->answers << true;
    form->RevertToSaved1->trigger();
    QVERIFY(!solveForm->isVisible());
    QCOMPARE(game().currentClue, 0);
    QVERIFY(list->selectedItems().isEmpty());
}

// A saved file that has since become one the game refuses: the open
// dialog's message, and the open puzzle stays as it was.
void TestOpening::revertOntoRefusedFile() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("CA"));
    const QByteArray live = recordBytes(game().puzzle);
    auto refused = smallPuzzle(1);
    refused.setHeight(0);
    docs.writePuzzle(QStringLiteral("A.vlq"), refused);
    prompts->answers << true;
    form->RevertToSaved1->trigger();
    QCOMPARE(prompts->errors, QStringList{kNotVlq});
    QCOMPARE(recordBytes(game().puzzle), live);
    QVERIFY(game().modified);
}

// A narrow grid's window cuts its caption; its title bar shows the whole
// caption as a tooltip, its squares show none.
void TestOpening::gridCaptionWholeAsToolTip() {
    auto rec = smallPuzzle(1);
    rec.setByline("Vera Quince and the Acrostic Guild of Lower Marlowick");
    QVERIFY(form->OpenPuzzleFile(docs.writePuzzle(QStringLiteral("The Quality of Mercy.vlq"), rec)));
    QMdiSubWindow* sub = game().gridForm->subWindow();
    QVERIFY(QFontMetrics(sub->font()).horizontalAdvance(sub->windowTitle()) > sub->width());
    QHelpEvent overSquares(QEvent::ToolTip, QPoint(5, 5), game().gridForm->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(game().gridForm, &overSquares);
    QTest::qWait(50);
    QVERIFY(!QToolTip::isVisible());
    const QPoint onCaption(sub->width() / 2, sub->contentsMargins().top() / 2);
    QHelpEvent overCaption(QEvent::ToolTip, onCaption, sub->mapToGlobal(onCaption));
    QApplication::sendEvent(sub, &overCaption);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), sub->windowTitle());
}

void TestOpening::failedOpenings_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("fromHistory");
    QTest::addColumn<QString>("message");
    QTest::newRow("short file, Solve") << "short" << false << kNotVlq;
    QTest::newRow("refused record, Solve") << "refused" << false << kNotVlq;
    QTest::newRow("answer and square naming others, Solve") << "crossed" << false << kNotVlq;
    QTest::newRow("missing file, by path") << "missing" << false << kNotVlq;
    QTest::newRow("short file, recent") << "short" << true << kNotVlq;
    QTest::newRow("missing file, recent") << "missing" << true << kNotFound;
}

// A failed opening leaves the open puzzle as it was: record, letters, path
// and windows; only the error box shows. (Its unsaved letters were saved
// first, as before any switch.)
void TestOpening::failedOpenings() {
    QFETCH(QString, kind);
    QFETCH(bool, fromHistory);
    QFETCH(QString, message);
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    const QString bad = docs.path(QStringLiteral("Bad.vlq"));
    if (fromHistory) {
        // Bad.vlq was opened once and is in the recent list.
        docs.writePuzzle(QStringLiteral("Bad.vlq"), smallPuzzle(2));
        QVERIFY(form->OpenPuzzleFile(bad));
    }
    if (kind == "short") docs.writeFile(QStringLiteral("Bad.vlq"), recordBytes(smallPuzzle(2)).left(11518));
    else if (kind == "missing") QFile::remove(bad);
    else if (kind == "refused") {
        auto rec = smallPuzzle(2);
        rec.setHeight(0);
        docs.writePuzzle(QStringLiteral("Bad.vlq"), rec);
    } else if (kind == "crossed") {
        // Letter 1 of clue A names a square whose letter code is another's.
        auto rec = smallPuzzle(2);
        const int code = rec.clueSquares(101);
        rec.setSquareClue(code / 100, code % 100, rec.squareClue(code / 100, code % 100) == 102 ? 201 : 102);
        docs.writePuzzle(QStringLiteral("Bad.vlq"), rec);
    }

    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("CA"));
    const QByteArray live = recordBytes(game().puzzle);
    const QPointer<TVlqGameGridForm> grid = game().gridForm;
    prompts->clear();

    if (fromHistory) {
        QCOMPARE(form->History[1]->text(), QStringLiteral("&2 BAD"));
        form->History[1]->trigger();
    } else if (kind == "missing") {
        QVERIFY(!form->OpenPuzzleFile(bad));
    } else {
        solve(QStringLiteral("Bad"));
    }
    QCOMPARE(prompts->errors, QStringList{message});
    QCOMPARE(recordBytes(game().puzzle), live);
    QCOMPARE(game().currentPuzzlePath, a);
    QCOMPARE(grid.data(), game().gridForm);
    QVERIFY(form->Save1->isEnabled());
    QCOMPARE(fileBytes(a), live); // saved silently before the attempt
    QCOMPARE(setting(VlqSetting::CurrentPuzzle), a);
}

void TestOpening::silentSaveBeforeSwitching() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    const QString b = docs.writePuzzle(QStringLiteral("B.vlq"), smallPuzzle(2));
    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("CAT"));
    const QByteArray typed = recordBytes(game().puzzle);
    QVERIFY(form->OpenPuzzleFile(b));
    QVERIFY(prompts->errors.isEmpty() && prompts->questions.isEmpty());
    QCOMPARE(fileBytes(a), typed);
    QCOMPARE(recordBytes(game().puzzle), asShown(b));
    QVERIFY(!game().modified);
    // Closing now writes nothing more.
    form->close();
    QCOMPARE(fileBytes(b), recordBytes(smallPuzzle(2)));
}

// When the silent save fails, the other puzzle is not opened: the player's
// letters stay open and unsaved, and the error is reported.
void TestOpening::failedSilentSaveKeepsOpenPuzzle() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    const QString b = docs.writePuzzle(QStringLiteral("B.vlq"), smallPuzzle(2));
    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("C"));
    const QByteArray typed = recordBytes(game().puzzle);
    {
        ReadOnlyGuard guard(a);
        if (!guard.ok()) QSKIP("cannot make a file read-only here");
        form->OpenPuzzleFile(b); // through the window's own handler edge
    }
    QCOMPARE(prompts->errors, QStringList{"Cannot save the puzzle to this file:\n" + a + "\nFile access denied."});
    QCOMPARE(game().currentPuzzlePath, a);
    QCOMPARE(recordBytes(game().puzzle), typed);
    QVERIFY(game().modified);
    QCOMPARE(fileBytes(a), recordBytes(smallPuzzle(1)));
}

void TestOpening::saveOnReadOnlyFolder() {
    const QString a = docs.writePuzzle(QStringLiteral("A.vlq"), smallPuzzle(1));
    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("C"));
    {
        ReadOnlyGuard guard(docs.puzzleFolder());
        if (!guard.ok()) QSKIP("cannot make a folder read-only here");
        QTest::mouseClick(form->SaveBtn, Qt::LeftButton);
    }
    QVERIFY(prompts->errors.isEmpty());
    QCOMPARE(fileBytes(a), recordBytes(game().puzzle));
    QVERIFY(!game().modified);
}

void TestOpening::readOnlyPuzzleKeepsLettersInCopy_data() {
    QTest::addColumn<bool>("elsewhere");
    QTest::addColumn<QString>("copyName");
    QTest::newRow("in the puzzle folder, Solve") << false << "Locked (2).vlq";
    QTest::newRow("another folder, by path") << true << "Locked.vlq";
}

// A read-only puzzle opens; its letters go into a copy in the puzzle folder,
// which opening the original again resumes.
void TestOpening::readOnlyPuzzleKeepsLettersInCopy() {
    QFETCH(bool, elsewhere);
    QFETCH(QString, copyName);
    QTemporaryDir other;
    const QString original = (elsewhere ? other.path() : docs.puzzleFolder()) + "/Locked.vlq";
    QVERIFY(writeBytes(original, recordBytes(smallPuzzle(5))));
    const QString b = docs.writePuzzle(QStringLiteral("B.vlq"), smallPuzzle(2));
    auto guard = std::make_unique<ReadOnlyGuard>(original);
    if (!guard->ok()) QSKIP("cannot make a file read-only here");
    if (elsewhere) QVERIFY(form->OpenPuzzleFile(original));
    else solve(QStringLiteral("Locked"));
    QCOMPARE(game().currentPuzzlePath, docs.path(copyName));
    typeInGrid(QStringLiteral("C"));
    QVERIFY(form->OpenPuzzleFile(b) && form->OpenPuzzleFile(original));
    QCOMPARE(game().currentPuzzlePath, docs.path(copyName));
    QCOMPARE(char(game().puzzle.entry(1, 1)), 'C');
    QCOMPARE(fileBytes(original), recordBytes(smallPuzzle(5)));
    QCOMPARE(prompts->errors, QStringList{});
    // The file's owner puts letters into it that the copy lacks: the copy
    // opens, and the player is told of them.
    guard.reset();
    vlq::PuzzleRecord theirs = smallPuzzle(5);
    theirs.setEntry(2, 1, 'Q');
    QVERIFY(writeBytes(original, recordBytes(theirs)));
    guard = std::make_unique<ReadOnlyGuard>(original);
    QVERIFY(form->OpenPuzzleFile(b) && form->OpenPuzzleFile(original));
    QCOMPARE(game().currentPuzzlePath, docs.path(copyName));
    QCOMPARE(prompts->errors.size(), 1);
    QVERIFY(prompts->errors[0].contains(QLatin1String("holds letters the copy lacks")));
}

void TestOpening::changedOnDisk_data() {
    QTest::addColumn<QString>("change"); // what another program does to A.vlq
    QTest::addColumn<bool>("asked");     // Save (else opening another puzzle)
    QTest::addColumn<int>("pick");       // the button the player presses; -1 no question
    QTest::addColumn<QString>("result"); // where the letters end: ours (in A.vlq), theirs (dropped), copy
    QTest::newRow("put back with the same bytes") << "same" << true << -1 << "ours";
    QTest::newRow("changed, Keep Both") << "theirs" << true << 0 << "copy";
    QTest::newRow("changed with the old time put back") << "theirs, old time" << true << 0 << "copy";
    QTest::newRow("changed, Overwrite") << "theirs" << true << 1 << "ours";
    QTest::newRow("changed, Load Theirs") << "theirs" << true << 2 << "theirs";
    QTest::newRow("changed, another puzzle opened") << "theirs" << false << -1 << "copy";
    QTest::newRow("deleted") << "deleted" << true << -1 << "ours";
}

// Another program's change to the open puzzle's file is never overwritten
// unasked: a question on Save, a copy beside it ("A (2).vlq" is taken)
// otherwise. The player is told where letters went when it is news.
void TestOpening::changedOnDisk() {
    QFETCH(QString, change);
    QFETCH(bool, asked);
    QFETCH(int, pick);
    QFETCH(QString, result);
    const QString a = docs.writePuzzle("A.vlq", smallPuzzle(1)), b = docs.writePuzzle("B.vlq", smallPuzzle(2));
    const QString copy = docs.path("A (3).vlq"), taken = docs.writeFile("A (2).vlq", "taken");
    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("C"));
    const QByteArray ours = recordBytes(game().puzzle), same = fileBytes(a);
    QByteArray theirs = same;
    theirs[int(vlq::offs::Entry) + vlq::kMaxRows] = 'Z'; // square (2, 1)
    const bool changed = change.startsWith(QLatin1String("theirs"));
    struct stat was {};
    QVERIFY(::stat(QFile::encodeName(a).constData(), &was) == 0);
    if (!changed) QVERIFY(QFile::remove(a));
    if (change != "deleted") QVERIFY(writeBytes(a, change == "same" ? same : theirs));
    const timespec times[2] = {was.st_atim, was.st_mtim};
    if (change.endsWith(QLatin1String("old time")))
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(a).constData(), times, 0), 0);
    if (pick >= 0) prompts->choiceAnswers << pick;
    if (asked) form->Save1->trigger();
    else QVERIFY(form->OpenPuzzleFile(b));

    QCOMPARE(prompts->choices.size(), pick >= 0 ? 1 : 0);
    QCOMPARE(fileBytes(taken), QByteArray("taken"));
    QCOMPARE(fileBytes(a), result == "ours" ? ours : theirs);
    QCOMPARE(fileBytes(copy), result == "copy" ? ours : QByteArray());
    QCOMPARE(game().currentPuzzlePath, asked ? result == "copy" ? copy : a : b);
    QCOMPARE(char(game().puzzle.entry(1, 1)), asked && result != "theirs" ? 'C' : '\0');
    if (result == "copy") QCOMPARE(form->History[asked ? 0 : 1]->text(), QStringLiteral("&%1 A (3)").arg(asked ? 1 : 2));
    const QString told = change == "deleted" ? a : !asked ? copy : QString();
    QCOMPARE(prompts->errors.size(), told.isEmpty() ? 0 : 1);
    QVERIFY(told.isEmpty() || prompts->errors[0].contains(told));
    if (change == "deleted") { // told once
        typeInGrid(QStringLiteral("A"));
        form->Save1->trigger();
        QCOMPARE(prompts->errors.size(), 1);
    }
}

// Exit after another program changed the open puzzle's file: the letters
// go into a copy beside it, and the player learns where before the end.
void TestOpening::exitTellsWhereLettersWent() {
    const QString a = docs.writePuzzle("A.vlq", smallPuzzle(1));
    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("C"));
    QVERIFY(writeBytes(a, recordBytes(smallPuzzle(2))));
    QVERIFY(form->close());
    QCOMPARE(fileBytes(docs.path("A (2).vlq")), recordBytes(game().puzzle));
    QCOMPARE(prompts->errors.size(), 1);
    QVERIFY2(prompts->errors[0].contains(docs.path("A (2).vlq")), qPrintable(prompts->errors[0]));
}

// A settings store that takes no value (its folder is a file) does not
// turn letters saved into a copy beside a changed file into a failed save.
void TestOpening::copySavedWhileSettingsRefused() {
    const QString a = docs.writePuzzle("A.vlq", smallPuzzle(1));
    QVERIFY(form->OpenPuzzleFile(a));
    typeInGrid(QStringLiteral("C"));
    QVERIFY(writeBytes(a, recordBytes(smallPuzzle(2))));
    const QString store = QFileInfo(SettingsStore::open().fileName()).absolutePath();
    QVERIFY(QDir(store).removeRecursively() && writeBytes(store, "not a folder"));
    const bool closed = form->close();
    QFile::remove(store);
    QVERIFY(closed);
    QCOMPARE(fileBytes(docs.path("A (2).vlq")), recordBytes(game().puzzle));
}

// A sound puzzle whose file name is no UTF-8 text is told as that, not
// called corrupt.
void TestOpening::nonUtf8NameToldAsSuch() {
    const QByteArray raw = QFile::encodeName(docs.puzzleFolder()) + "/Caf\xe9.vlq";
    const QByteArray bytes = recordBytes(smallPuzzle(1));
    const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    QVERIFY(fd >= 0);
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    QVERIFY(written);
    const bool opened = form->OpenPuzzleFile(QFile::decodeName(raw));
    ::unlink(raw.constData());
    QVERIFY(!opened);
    QCOMPARE(prompts->errors.size(), 1);
    QVERIFY2(prompts->errors[0].contains(QLatin1String("not UTF-8 text")), qPrintable(prompts->errors[0]));
}

void TestOpening::droppedFileOpens() {
    QTemporaryDir elsewhere;
    const QString path = elsewhere.filePath(QStringLiteral("Dropped.vlq"));
    QVERIFY(writeBytes(path, recordBytes(smallPuzzle(9))));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &drop);
    QTRY_COMPARE(game().currentPuzzlePath, path);
    QCOMPARE(form->History[0]->text(), QStringLiteral("&1 DROPPED"));

    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(elsewhere.filePath(QStringLiteral("notes.txt")))});
    QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QCoreApplication::sendEvent(form.get(), &refused);
    QVERIFY(!refused.isAccepted());
}

void TestOpening::droppedFileBecomesPuzzleAndResumes() {
    QTemporaryDir elsewhere;
    const QString jpz = copiedFormatFile(elsewhere, QStringLiteral("islands.jpz"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(jpz)});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &drop);
    const QString vlq = docs.path(QStringLiteral("Islands.vlq"));
    QTRY_COMPARE(game().currentPuzzlePath, vlq);
    QCOMPARE(game().gridForm->windowTitle(), QStringLiteral("ISLANDS - by Ada Setter"));
    QCOMPARE(form->History[0]->text(), QStringLiteral("&1 ISLANDS"));
    QCOMPARE(game().puzzle.entry(1, 1), std::uint8_t('N')); // the file's progress

    // The player types, the game saves; opening the file again resumes.
    game().gridForm->setFocus();
    QTest::mouseClick(game().gridForm, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::keyClick(game().gridForm, Qt::Key_N);
    QTest::keyClick(game().gridForm, Qt::Key_O);
    QVERIFY(game().modified);
    QVERIFY(form->OpenPuzzleFile(copiedFormatFile(elsewhere, QStringLiteral("islands-zip.jpz"))));
    QCOMPARE(game().currentPuzzlePath, vlq);
    QCOMPARE(game().puzzle.entry(2, 1), std::uint8_t('O'));

    // Another puzzle of the same title never overwrites it.
    const QByteArray before = fileBytes(vlq);
    QVERIFY(form->OpenPuzzleFile(copiedFormatFile(elsewhere, QStringLiteral("islands-nokey.apz"))));
    QCOMPARE(game().currentPuzzlePath, docs.path(QStringLiteral("Islands (2).vlq")));
    QCOMPARE(fileBytes(vlq), before);
    QVERIFY(prompts->errors.isEmpty());
}

void TestOpening::refusedFileNamesCause() {
    QTemporaryDir elsewhere;
    const QString bad = elsewhere.filePath(QStringLiteral("Bad.ipuz"));
    QVERIFY(writeBytes(bad, kChecksumOnly));
    QVERIFY(!form->OpenPuzzleFile(bad));
    QCOMPARE(prompts->errors.size(), 1);
    QVERIFY2(prompts->errors[0].startsWith(QStringLiteral("Cannot open Bad.ipuz: the file has no solution, only a checksum")),
             qPrintable(prompts->errors[0]));
    QVERIFY(game().currentPuzzlePath.isEmpty());
    QVERIFY(QDir(docs.puzzleFolder()).entryList({QStringLiteral("*.vlq")}).isEmpty());
}

void TestOpening::fileNamesFromTitles() {
    QCOMPARE(puzzleFileName(QStringLiteral("<b>A/B: c?</b>"), QStringLiteral("x")), QStringLiteral("A B c"));
    QCOMPARE(puzzleFileName(QStringLiteral(" ..  "), QStringLiteral("fallback")), QStringLiteral("fallback"));
    QCOMPARE(puzzleFileName(QString::fromUtf8("Line\u200b Z\u202eXY"), QStringLiteral("x")), QStringLiteral("Line ZXY"));
}

QTEST_MAIN(TestOpening)
#include "tst_opening.moc"
