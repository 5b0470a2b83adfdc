// Runs the game itself, as started from the command line with a puzzle,
// under a real window manager (see run.sh), and checks what only a window
// manager shows: the document windows lie inside the visible document area
// of the maximized main window, the clue list shows its lines, the score
// card opens centred over the main window (the first time too), and the
// answer window takes exactly its stored bounds, also the first time it is
// shown and again after it was closed, and the main window, un-maximized,
// lies on the screen.
// With "aids" as third argument it switches the solving aids on from the
// keyboard instead, types two words in a row without a click and takes the
// last letter back with Ctrl+Z, and opens the Solve dialog to see the
// puzzles' figures; then opens puzzles by keys alone (Open File, the Solve
// dialog, the recent list) and types into each at once.
// With "make" it makes a puzzle from the keyboard: Ctrl+N, a quotation, an
// author and a title, Make, Save Puzzle, Solve It; it measures how the
// window keeps painting during the search and how soon Cancel ends one.
//   wm_check <puzzle: "tall", "tall18" or a .vlq path> <screenshot.png or ""> [aids|make]
// Exit code 0 when every check passed; failures are printed.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <cctype>
#include <cstdio>
#include <functional>
#include <map>
#include <span>
#include <string>

#include "app/MakePuzzleWindow.h"
#include "app/MakerWorker.h"
#include "app/TScoreForm.h"
#include "app/TVlqGameMainForm.h"
#include "app/VlqApplication.h"
#include "core/FileAccess.h"
#include "core/PuzzleRules.h"
#include "game/GameContext.h"
#include "game/TVlqProcs.h"
#include "services/PickerPanel.h"
#include "services/TVlqDlgForm.h"
#include "support/PuzzleFixture.h"
#include "support/ScratchDocuments.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/TVlqSolveForm.h"
#include "services/TVlqDlgForm.h"

namespace {

int failures = 0;
QString shotPath;

void check(bool ok, const QString& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", qPrintable(what));
    if (!ok) ++failures;
}

QString show(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// A puzzle of 31 columns, `rows` rows (12 to 21) and 30 clues; with 21
// rows the largest puzzle there is.
QString writeTallPuzzle(int rows) {
    std::vector<fixture::ClueSpec> clues;
    for (int k = 1; k <= 30; ++k)
        clues.push_back({"Clue " + vlq::clueLabel(k) + ", an answer of " + std::to_string(rows - 1) + " letters",
                         std::string(std::size_t(rows - 1), char('A' + (k - 1) % 26))});
    vlq::PuzzleRecord rec = fixture::answersInReadingOrder(clues, 31);
    rec.setByline("Vera Quince");
    const QString path = QDir::home().filePath(QStringLiteral("Tall.vlq"));
    return writeBytes(path, recordBytes(rec)) ? path : QString();
}

QString copyIntoHome(const QString& source) {
    const QString path = QDir::home().filePath(QFileInfo(source).fileName());
    QFile::remove(path);
    return QFile::copy(source, path) ? path : QString();
}

void checkDocumentWindows(TVlqGameMainForm* main) {
    const GameContext& g = game();
    // The client size was measured once the window manager had maximized
    // the main window, so it is the size it has now.
    const int menu = main->menuBar()->isVisible() ? main->menuBar()->height() : 0;
    check(g.availableWidth == main->width(), QStringLiteral("available width %1 = client width %2").arg(g.availableWidth).arg(main->width()));
    check(g.availableHeight == main->height() - menu - main->ToolBar1->height() - 4,
          QStringLiteral("available height %1 measured on the maximized window (client %2)").arg(g.availableHeight).arg(main->height()));

    const QRect area = g.gridForm->subWindow()->mdiArea()->viewport()->rect();
    for (QWidget* w : {static_cast<QWidget*>(g.gridForm), static_cast<QWidget*>(g.titleForm), static_cast<QWidget*>(g.clueForm)}) {
        const QRect r = qobject_cast<QMdiSubWindow*>(w->parentWidget())->geometry();
        check(area.contains(r), QStringLiteral("%1 at %2 inside the document area %3").arg(w->metaObject()->className(), show(r), show(area)));
    }
    const int lines = g.clueForm->ClueList->viewport()->height() / TVlqGameClueForm::kLineHeight;
    const int clues = vlq::clueCount(g.puzzle);
    check(lines >= std::min(6, clues), QStringLiteral("clue list shows %1 of %2 lines").arg(lines).arg(clues));
}

void checkAnswerWindow() {
    GameContext& g = game();
    const QRect stored(200, 150, 640, 120);
    TVlqProcs::WriteBounds(QStringLiteral("ScreenBoundsSolve"), stored.x(), stored.y(), stored.width(), stored.height());
    TVlqSolveForm* solve = g.solveForm;
    const auto outer = [solve] { return solve->windowHandle() ? solve->windowHandle()->frameGeometry() : QRect(); };
    for (const char* round : {"first showing", "after close and reopen"}) {
        // A right click on the grid's first square chooses its clue.
        QTest::mouseClick(g.gridForm, Qt::RightButton, {}, QPoint(2, 2));
        const auto placed = [&] {
            const QWindow* win = solve->windowHandle();
            return solve->isVisible() && win && win->frameGeometry() == stored && win->size() != stored.size();
        };
        (void)QTest::qWaitFor(placed, 3000);
        check(placed(),
              QStringLiteral("answer window, %1: %2, stored %3").arg(QLatin1String(round), show(outer()), show(stored)));
        QTest::qWait(200); // nothing moves it afterwards
        check(outer() == stored, QStringLiteral("answer window, %1, stays: %2").arg(QLatin1String(round), show(outer())));
        solve->close();
        QTest::qWait(100);
    }
    // Shown again for the picture.
    QTest::mouseClick(g.gridForm, Qt::RightButton, {}, QPoint(2, 2));
    (void)QTest::qWaitFor([&] { return solve->isVisible(); }, 2000);
}

// The score card, opened from the Score button twice, sits centred over
// the main window each time: the first time too, before the window
// manager has framed it.
void checkScoreCard(TVlqGameMainForm* main) {
    TScoreForm* card = game().scoreForm;
    for (const char* round : {"first opening", "second opening"}) {
        QRect client;
        QTimer::singleShot(0, [&] {
            // Up, framed, and left alone by the window manager for a moment.
            (void)QTest::qWaitFor([&] { return card->isVisible() && !card->windowHandle()->frameMargins().isNull(); }, 3000);
            QTest::qWait(300);
            client = QRect(card->mapToGlobal(QPoint(0, 0)), card->size());
            card->reject();
        });
        main->ScoreBtn->click();
        const QPoint want = QRect(main->mapToGlobal(QPoint(0, 0)), main->size()).center();
        check((client.center() - want).manhattanLength() <= 2,
              QStringLiteral("score card, %1: %2, centre %3,%4").arg(QLatin1String(round), show(client)).arg(want.x()).arg(want.y()));
    }
}

// Un-maximized, the main window lies wholly on the screen, its title bar
// included.
void checkRestoredMainWindow(TVlqGameMainForm* main) {
    main->showNormal();
    QTest::qWait(500);
    const QRect frame = main->windowHandle()->frameGeometry();
    check(main->screen()->geometry().contains(frame), QStringLiteral("restored main window %1 on the screen").arg(show(frame)));
}

bool aidsRun = false; // third argument "aids"

// Keys as the player presses them, through the X server and the window
// manager to whichever window has the focus.
void pressKeys(const QStringList& args) {
    const int rc = QProcess::execute(QStringLiteral("xdotool"), args);
    check(rc == 0, QStringLiteral("xdotool %1").arg(args.join(' ')));
    QTest::qWait(150);
}

// Alt+O, then I switches the aids on; two words typed without a click.
void checkAids(TVlqGameMainForm* main) {
    GameContext& g = game();
    check(!main->SolvingAids1->isChecked(), QStringLiteral("the aids start off"));
    main->activateWindow();
    (void)QTest::qWaitFor([main] { return main->isActiveWindow(); }, 2000);
    pressKeys({QStringLiteral("key"), QStringLiteral("alt+o")});
    pressKeys({QStringLiteral("key"), QStringLiteral("i")});
    (void)QTest::qWaitFor([main] { return main->SolvingAids1->isChecked(); }, 2000);
    check(main->SolvingAids1->isChecked() && g.aids.keyboardFlow, QStringLiteral("Alt+O, I switched the aids on"));
    const auto first = g.gridForm->currentSquare();
    if (!first) return check(false, QStringLiteral("the grid has a current square"));
    // The first word and three letters of the next one.
    const std::size_t firstWord = vlq::wordRun(g.puzzle, *first).size();
    QString letters;
    std::vector<vlq::Square> squares{*first};
    for (std::size_t i = 0; i < firstWord + 3; ++i) {
        letters += QChar('a' + int(i % 26));
        if (const auto next = vlq::runOn(g.puzzle, squares.back())) squares.push_back(*next);
    }
    pressKeys({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), letters});
    QTest::qWait(500);
    bool typed = true;
    for (int i = 0; i < letters.size(); ++i)
        typed &= g.puzzle.entry(squares[std::size_t(i)].col, squares[std::size_t(i)].row) == letters[i].toUpper().toLatin1();
    check(typed, QStringLiteral("%1 letters typed over two words without a click").arg(letters.size()));
    // Ctrl+Z takes the last letter back.
    const vlq::Square last = squares[std::size_t(letters.size() - 1)];
    pressKeys({QStringLiteral("key"), QStringLiteral("ctrl+z")});
    (void)QTest::qWaitFor([&] { return g.puzzle.entry(last.col, last.row) == 0; }, 2000);
    check(g.puzzle.entry(last.col, last.row) == 0, QStringLiteral("Ctrl+Z took the last letter back"));
}

bool makeRun = false; // third argument "make"

// Counts the paintings of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The longest the event loop went without running a 20 ms timer while
// `busy` held, the paintings of `watched` meanwhile, and how long it held.
struct Responsiveness {
    qint64 longestGapMs = 0, spentMs = 0;
    int paints = 0;
};
Responsiveness watchWhile(const std::function<bool()>& busy, QWidget* watched, int limitMs) {
    Responsiveness r;
    PaintCounter counter;
    watched->installEventFilter(&counter);
    QElapsedTimer clock, gap;
    clock.start();
    gap.start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { r.longestGapMs = std::max(r.longestGapMs, gap.restart()); });
    tick.start(20);
    while (busy() && clock.elapsed() < limitMs) QTest::qWait(10);
    r.spentMs = clock.elapsed();
    watched->removeEventFilter(&counter);
    r.paints = counter.paints;
    return r;
}

// Ctrl+N, the quotation, author and title typed, Make, Save Puzzle, Solve It.
void checkMaking(TVlqGameMainForm* main) {
    main->activateWindow();
    (void)QTest::qWaitFor([main] { return main->isActiveWindow(); }, 2000);
    pressKeys({QStringLiteral("key"), QStringLiteral("ctrl+n")});
    MakePuzzleWindow* maker = main->findChild<MakePuzzleWindow*>();
    (void)QTest::qWaitFor([&] { return (maker = main->findChild<MakePuzzleWindow*>()) && maker->isActiveWindow(); }, 3000);
    if (!maker || !maker->isVisible()) return check(false, QStringLiteral("Ctrl+N opened the Make a Puzzle window"));
    check(maker->windowTitle() == QStringLiteral("Make a Puzzle"), QStringLiteral("caption \"%1\"").arg(maker->windowTitle()));
    (void)QTest::qWaitFor([&] { return maker->quotationBox->hasFocus(); }, 2000);
    const QString typeDelay = QStringLiteral("10");
    pressKeys({QStringLiteral("type"), QStringLiteral("--delay"), typeDelay,
               QStringLiteral("If you can keep your head when all about you")});
    pressKeys({QStringLiteral("key"), QStringLiteral("Return")});
    pressKeys({QStringLiteral("type"), QStringLiteral("--delay"), typeDelay,
               QStringLiteral("Are losing theirs and blaming it on you")});
    pressKeys({QStringLiteral("key"), QStringLiteral("Tab")});
    pressKeys({QStringLiteral("type"), QStringLiteral("--delay"), typeDelay, QStringLiteral("Kipling")});
    pressKeys({QStringLiteral("key"), QStringLiteral("Tab")});
    pressKeys({QStringLiteral("type"), QStringLiteral("--delay"), typeDelay, QStringLiteral("If")});
    check(maker->draft().source() == "Kipling, If" && maker->draft().answers().size() == 9 &&
              maker->quotationBox->toPlainText().count(QLatin1Char('\n')) == 1,
          QStringLiteral("typed: %1 answers for \"%2\"").arg(maker->draft().answers().size()).arg(QString::fromStdString(maker->draft().source())));

    // Make: the word data is read and the set made on the worker thread,
    // while the window goes on painting its progress.
    pressKeys({QStringLiteral("key"), QStringLiteral("alt+m")});
    const Responsiveness made = watchWhile([&] { return maker->worker().busy(); }, maker->progressBar, 120000);
    std::printf("making: %lld ms, longest pause of the event loop %lld ms, progress bar painted %d times\n",
                made.spentMs, made.longestGapMs, made.paints);
    check(maker->draft().complete(), QStringLiteral("Make gave a complete set: %1").arg(maker->statusLabel->text()));
    check(made.longestGapMs < 500, QStringLiteral("the window kept running while making (longest pause %1 ms)").arg(made.longestGapMs));

    // Save Puzzle; a question about clues still to be written takes its default, Save.
    QTimer::singleShot(1500, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            check(static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::Save), QStringLiteral("Save is the question's default"));
            QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
        }
    });
    // The sample puzzles hold an If.vlq already (and earlier runs their
    // own): the new one takes a name of its own.
    const QDir folder(QDir::home().filePath(QStringLiteral("Documents/Marlowick/Puzzles")));
    const QStringList before = folder.entryList({QStringLiteral("If*.vlq")});
    pressKeys({QStringLiteral("key"), QStringLiteral("alt+s")});
    (void)QTest::qWaitFor([&] { return !maker->savedPuzzle().isEmpty(); }, 5000);
    const QString saved = maker->savedPuzzle();
    const QString name = QFileInfo(saved).fileName();
    check(QFileInfo(saved).dir() == folder && !before.contains(name) &&
              folder.entryList({QStringLiteral("If*.vlq")}).size() == before.size() + 1 &&
              (name == QStringLiteral("If.vlq") || name.startsWith(QStringLiteral("If ("))),
          QStringLiteral("saved into the puzzle folder beside %1 others as %2").arg(before.size()).arg(saved));
    QProcess tool;
    tool.start(QStringLiteral(VLQ_TOOL_PATH), {QStringLiteral("check"), saved});
    tool.waitForFinished(20000);
    check(tool.exitCode() == 0, QStringLiteral("vlqtool check: %1").arg(QString::fromLocal8Bit(tool.readAll()).trimmed()));
    vlq::PuzzleRecord rec;
    const vlq::FileContents file = vlq::readRegularFile(QFile::encodeName(saved).toStdString(), vlq::kRecordSize);
    std::string spelled;
    try {
        rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(file.data.data()), file.data.size()));
        for (int k = 1; k <= vlq::clueCount(rec); ++k) {
            const vlq::Square first = vlq::answerSquare(rec, k, 1);
            spelled += char(rec.solution(first.col, first.row));
        }
    } catch (const std::exception&) {
    }
    check(spelled == "KIPLINGIF", QStringLiteral("the answers spell %1").arg(QString::fromStdString(spelled)));

    // Cancel ends a search at once.
    pressKeys({QStringLiteral("key"), QStringLiteral("alt+g")});
    (void)QTest::qWaitFor([&] { return maker->worker().progress() > 0.02; }, 10000);
    QElapsedTimer cancelClock;
    cancelClock.start();
    maker->cancelButton->click();
    const Responsiveness cancelled = watchWhile([&] { return maker->worker().working(); }, maker->progressBar, 5000);
    std::printf("cancel: the search thread ended %lld ms after Cancel\n", cancelClock.elapsed());
    check(cancelled.spentMs < 500, QStringLiteral("Cancel ended the search in %1 ms").arg(cancelled.spentMs));

    // Solve It opens the new puzzle in the game.
    maker->activateWindow();
    (void)QTest::qWaitFor([&] { return maker->isActiveWindow(); }, 2000);
    if (!shotPath.isEmpty()) maker->grab().save(QString(shotPath).replace(QStringLiteral(".png"), QStringLiteral("-window.png")));
    pressKeys({QStringLiteral("key"), QStringLiteral("alt+i")});
    (void)QTest::qWaitFor([&] { return game().currentPuzzlePath == saved; }, 5000);
    check(game().currentPuzzlePath == saved, QStringLiteral("Solve It opened %1").arg(game().currentPuzzlePath));
}

// Alt+P, S with the aids on: the Solve dialog lists the puzzles with their
// figures; Down picks the first, whose grid the side panel draws. The
// dialog runs modally inside the key press, so the checks run from a timer
// within its own event loop.
void checkPicker() {
    bool seen = false;
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dlg = qobject_cast<TVlqDlgForm*>(QApplication::activeModalWidget());
        if (!dlg || seen) return;
        seen = true;
        poll.stop();
        QListWidgetItem* first = dlg->VlqList->item(0);
        check(first && first->data(Qt::UserRole + 1).toString().contains(QStringLiteral(" clues")),
              QStringLiteral("the first puzzle listed with its figures"));
        dlg->VlqList->setFocus();
        pressKeys({QStringLiteral("key"), QStringLiteral("Down")});
        (void)QTest::qWaitFor([dlg] { return dlg->ColorPanel->facts().has_value(); }, 2000);
        const QRect picture = dlg->ColorPanel->pictureRect();
        const QImage shown = dlg->ColorPanel->grab().toImage();
        check(!picture.isEmpty() && shown.pixelColor(picture.center()) != QColor(0xFF, 0xFB, 0xF0),
              QStringLiteral("the side panel draws the picked puzzle's grid"));
        if (!shotPath.isEmpty())
            (void)QGuiApplication::primaryScreen()->grabWindow(0).save(QString(shotPath).replace(".png", "-picker.png"));
        pressKeys({QStringLiteral("key"), QStringLiteral("Escape")});
        if (QApplication::activeModalWidget() == dlg) dlg->reject();
    });
    poll.start();
    pressKeys({QStringLiteral("key"), QStringLiteral("alt+p")});
    pressKeys({QStringLiteral("key"), QStringLiteral("s")});
    (void)QTest::qWaitFor([&] { return seen && !QApplication::activeModalWidget(); }, 5000);
    check(seen, QStringLiteral("Alt+P, S opened the Solve dialog"));
}

// The record in the file at path as it lies on the disk now.
vlq::PuzzleRecord recordOnDisk(const QString& path) {
    vlq::PuzzleRecord rec;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return rec;
    const QByteArray bytes = file.readAll();
    try {
        rec.loadBytes({reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    } catch (const std::exception&) {
    }
    return rec;
}

// A puzzle opened by keys alone (open() presses them) takes letters at
// once into its first empty squares; Ctrl+Enter then opens the answer
// window on the current square's clue, which takes the rest of the answer
// at once; Ctrl+S saves it all into the file.
void checkOpenedByKeys(const QString& how, const std::function<void()>& open) {
    GameContext& g = game();
    const TVlqGameGridForm* before = g.gridForm;
    open();
    const bool opened = QTest::qWaitFor([&] { return g.gridForm && g.gridForm != before; }, 8000);
    check(opened, QStringLiteral("%1: a puzzle opened").arg(how));
    if (!opened) return;
    // The main window is active again once the window manager says so.
    auto square = vlq::firstEmptySquare(g.puzzle);
    (void)QTest::qWaitFor([&] { return g.gridForm->hasFocus() && g.gridForm->currentSquare() == square; }, 6000);
    const QString path = g.currentPuzzlePath;
    std::map<std::pair<int, int>, char> want;
    // Where the letters typed next land is what counts (the saved file shows it).
    check(square && g.gridForm->currentSquare() == square,
          QStringLiteral("%1: the grid's current square is its first empty one").arg(how));
    if (!square) return;
    for (const char letter : {'D', 'O', 'G'}) {
        if (!square) break;
        want[{square->col, square->row}] = letter;
        square = vlq::runOn(g.puzzle, *square);
    }
    pressKeys({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), QStringLiteral("dog")});
    const auto at = g.gridForm->currentSquare();
    const auto [k, j] = at ? vlq::letterPlace(g.puzzle, *at) : vlq::LetterPlace{};
    check(k > 0, QStringLiteral("%1: the cursor ran on to a letter of an answer").arg(how));
    if (k == 0) return;
    pressKeys({QStringLiteral("key"), QStringLiteral("ctrl+Return")});
    (void)QTest::qWaitFor([&] { return g.solveForm->isVisible() && g.solveForm->SolveGrid->hasFocus(); }, 3000);
    check(g.solveForm->isVisible() && g.currentClue == k && g.solveForm->AnswerCursor == j - 1,
          QStringLiteral("%1: Ctrl+Enter opened clue %2 at letter %3").arg(how).arg(k).arg(j));
    QString answer;
    for (int i = j; i <= vlq::answerLength(g.puzzle, k); ++i) {
        const vlq::Square q = vlq::answerSquare(g.puzzle, k, i);
        answer += QLatin1Char(char(std::tolower(g.puzzle.solution(q.col, q.row))));
        want[{q.col, q.row}] = char(g.puzzle.solution(q.col, q.row));
    }
    pressKeys({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), answer});
    pressKeys({QStringLiteral("key"), QStringLiteral("Escape")});
    pressKeys({QStringLiteral("key"), QStringLiteral("ctrl+s")});
    QTest::qWait(1200);
    const vlq::PuzzleRecord saved = recordOnDisk(path);
    bool all = saved.width() == g.puzzle.width();
    for (const auto& [place, letter] : want) all = all && saved.entry(place.first, place.second) == letter;
    check(all, QStringLiteral("%1: the saved file holds the %2 letters typed").arg(how).arg(want.size()));
    check(!g.solveForm->isVisible() && g.gridForm->hasFocus(), QStringLiteral("%1: Escape gave the grid the keyboard back").arg(how));
}

// act(the modal window) runs once a modal window is up: from inside the
// event loop of that window's exec(), which the keys that opened it are
// still waiting in.
void whenModal(const std::function<void(QWidget*)>& act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isActiveWindow()) return;
        poll->stop();
        poll->deleteLater();
        QTest::qWait(300);
        act(modal);
    });
    poll->start(100);
}

// The three ways to open a puzzle, each by keys alone.
void checkKeyboardOpenings(TVlqGameMainForm* main) {
    const QString tall = writeTallPuzzle(12);
    checkOpenedByKeys(QStringLiteral("Open File"), [&] {
        whenModal([&](QWidget*) {
            pressKeys({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), tall});
            pressKeys({QStringLiteral("key"), QStringLiteral("Return")});
        });
        pressKeys({QStringLiteral("key"), QStringLiteral("ctrl+o")});
    });
    checkOpenedByKeys(QStringLiteral("Solve"), [&] {
        whenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<TVlqDlgForm*>(modal);
            if (!dialog) return check(false, QStringLiteral("Solve: the dialog opened"));
            for (int i = 0; i < 8 && !dialog->VlqList->hasFocus(); ++i) pressKeys({QStringLiteral("key"), QStringLiteral("Tab")});
            // The first puzzle that is not the open one.
            for (int row = 0; row < dialog->VlqList->count(); ++row) {
                pressKeys({QStringLiteral("key"), row == 0 ? QStringLiteral("Home") : QStringLiteral("Down")});
                if (dialog->chosenPath() != game().currentPuzzlePath) break;
            }
            pressKeys({QStringLiteral("key"), QStringLiteral("Return")});
        });
        pressKeys({QStringLiteral("key"), QStringLiteral("alt+p")});
        pressKeys({QStringLiteral("key"), QStringLiteral("s")});
    });
    checkOpenedByKeys(QStringLiteral("recent list"), [&] {
        pressKeys({QStringLiteral("key"), QStringLiteral("alt+p")});
        pressKeys({QStringLiteral("key"), QStringLiteral("2")});
    });
    check(main->History[0]->isVisible(), QStringLiteral("the recent list shows"));
}

void scenario() {
    const bool opened = QTest::qWaitFor([] { return game().gridForm && game().clueForm && game().titleForm; }, 15000);
    check(opened, QStringLiteral("the puzzle opened"));
    TVlqGameMainForm* main = game().mainForm;
    if (opened && main) {
        QTest::qWait(300);
        checkDocumentWindows(main);
        if (aidsRun) {
            checkAids(main);
            checkPicker();
            checkKeyboardOpenings(main);
        } else if (makeRun) {
            checkMaking(main);
        } else {
            checkScoreCard(main);
            checkAnswerWindow();
        }
        QTest::qWait(300);
        if (!shotPath.isEmpty()) {
            const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(shotPath);
            check(saved, QStringLiteral("screenshot %1").arg(shotPath));
        }
        checkRestoredMainWindow(main);
    }
    if (main) main->close();
    QTimer::singleShot(0, [] { QCoreApplication::exit(failures); });
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: wm_check <tall|tallNN|puzzle.vlq> [screenshot.png]\n");
        return 2;
    }
    if (argc > 2) shotPath = QString::fromLocal8Bit(argv[2]);
    aidsRun = argc > 3 && std::string(argv[3]) == "aids";
    makeRun = argc > 3 && std::string(argv[3]) == "make";
    // The scratch home outlives a run: the aids start off whatever the last
    // left, and on for making a puzzle.
    if (aidsRun || makeRun) TVlqProcs::WriteSetting(QStringLiteral("SolvingAids"), makeRun ? 1 : 0);
    std::string puzzle = argv[1];
    // The puzzle is opened from the scratch home, never from where it lies.
    // "tall" is the 31 x 21 puzzle, "tall18" one of 18 rows.
    const QString path = puzzle.rfind("tall", 0) == 0 ? writeTallPuzzle(puzzle == "tall" ? 21 : std::clamp(std::atoi(puzzle.c_str() + 4), 2, 21))
                                                      : copyIntoHome(QString::fromLocal8Bit(argv[1]));
    if (path.isEmpty()) return 2;
    puzzle = path.toStdString();
    qAddPreRoutine([] { QTimer::singleShot(0, scenario); });
    char* args[] = {argv[0], puzzle.data(), nullptr};
    const int rc = runVorlaquince(2, args);
    std::printf("%d failed\n", failures);
    return failures > 0 ? 1 : rc;
}
