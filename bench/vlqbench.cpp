// The game's benchmark. Run it as `build/bench/vlqbench [runs]` (Release
// build; on a display or with QT_QPA_PLATFORM=offscreen). It prints, each as
// the median of repeated runs:
//  - start-up: process start to the first painted main window, for the game
//    and for an empty QMainWindow with a menu and a toolbar, and their ratio;
//  - opening a 31 x 21 puzzle with 30 clues until its three document
//    windows have painted;
//  - one key press in the grid (solving aids off and on) and in the answer
//    window, with its paint, beside one in a plain widget that repaints the
//    one square it went to, measured the same way in the same run;
//  - one full paint of the 31 x 21 grid;
//  - importing that puzzle from a JPZ, an APZ and an ipuz file in memory,
//    in the thread's CPU time;
//  - peak memory of the game after opening that puzzle against the empty
//    window's, both maximized (the game's puzzle state is);
//  - the puzzle list's figures for a folder of 5,000 puzzles, the first time
//    (every file read, the progress store's cache filled) and after it.
// Settings and puzzle files live in a scratch home folder, never the user's.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QProcess>
#include <QStyle>
#include <QTemporaryDir>
#include <QToolBar>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "game/GameContext.h"
#include "app/TVlqGameMainForm.h"
#include "game/TVlqProcs.h"
#include "app/VlqApplication.h"
#include "core/ForeignFormats.h"
#include "core/PuzzleRecord.h"
#include "views/TVlqGameClueForm.h"
#include "views/TVlqGameGridForm.h"
#include "views/TVlqGameTitleForm.h"
#include "views/GridAccessible.h"
#include "views/TVlqSolveForm.h"
#include "services/PuzzleFigures.h"

namespace {

// CPU time of the calling thread: figures of pure computation stay
// comparable on a machine busy with other work.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

long peakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// A 31 x 21 puzzle with 30 clues of 21 letters; the last 21 squares black,
// so the whole grid is one long word.
vlq::PuzzleRecord bigPuzzle() {
    vlq::PuzzleRecord rec;
    rec.setWidth(31);
    rec.setHeight(21);
    for (int i = 0; i < 31 * 21; ++i) {
        const int c = i % 31 + 1;
        const int r = i / 31 + 1;
        if (i >= 630) {
            rec.setSolution(c, r, vlq::kBlack);
            continue;
        }
        const int k = i / 21 + 1;
        const int j = i % 21 + 1;
        rec.setSolution(c, r, std::uint8_t('A' + i % 26));
        rec.setSquareClue(c, r, j * 100 + k);
        rec.setClueSquares(j * 100 + k, c * 100 + r);
    }
    for (int k = 1; k <= 30; ++k) rec.setClue(k, "A clue of moderate length for answer number " + std::to_string(k));
    rec.setByline("Benchmark");
    return rec;
}

void writeBigPuzzle(const QString& path) {
    const vlq::PuzzleRecord rec = bigPuzzle();
    std::ofstream out(path.toStdString(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(rec.bytes().data()), std::streamsize(rec.bytes().size()));
}

// Calls done() at the first paint event of a widget accepted by match.
class PaintWatch : public QObject {
public:
    std::function<bool(QObject*)> match;
    std::function<void()> done;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && match && match(o)) {
            auto fn = std::move(done);
            match = nullptr;
            if (fn) fn();
        }
        return false;
    }
};

// Child mode: set in main() before the application object exists.
enum class Child { None, GameStart, EmptyStart, GameMemory, EmptyMemory };
Child childMode = Child::None;
QString childPuzzle;
PaintWatch* watch = nullptr;

void report(const char* key, double value) {
    std::printf("%s %.3f\n", key, value);
    std::fflush(stdout);
    std::_Exit(0);
}

void installWatch() {
    if (childMode == Child::None) return;
    watch = new PaintWatch;
    qApp->installEventFilter(watch);
    watch->match = [](QObject* o) { return qobject_cast<QMainWindow*>(o) != nullptr; };
    watch->done = [] {
        if (childMode == Child::GameStart || childMode == Child::EmptyStart) report("painted", nowMs());
        if (childMode == Child::EmptyMemory) report("peak", double(peakKiB()));
        // Game memory: open the big puzzle and wait for its three windows.
        QMetaObject::invokeMethod(qApp, [] {
            auto* painted = new std::array<bool, 3>{};
            watch->match = [painted](QObject* o) {
                auto* w = qobject_cast<QWidget*>(o);
                if (!w) return false;
                // A document window has painted when its frame or anything in it has.
                auto within = [w](QWidget* frame) { return frame && (w == frame || frame->isAncestorOf(w)); };
                (*painted)[0] |= game().gridForm && within(game().gridForm->subWindow());
                (*painted)[1] |= game().titleForm && within(game().titleForm->subWindow());
                (*painted)[2] |= game().clueForm && within(game().clueForm->subWindow());
                return (*painted)[0] && (*painted)[1] && (*painted)[2];
            };
            watch->done = [] { report("peak", double(peakKiB())); };
            game().mainForm->OpenPuzzleFile(childPuzzle);
        }, Qt::QueuedConnection);
    };
}
Q_COREAPP_STARTUP_FUNCTION(installWatch)

int runEmptyWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle("Empty");
    const char* menus[] = {"&Puzzle", "&Options ", "&Tools", "&Help"};
    for (const char* m : menus) {
        QMenu* menu = w.menuBar()->addMenu(QString::fromLatin1(m));
        for (int i = 0; i < 5; ++i) menu->addAction(QStringLiteral("Item %1").arg(i));
    }
    QToolBar* bar = w.addToolBar(QStringLiteral("Tools"));
    bar->setIconSize(QSize(24, 24));
    for (int i = 0; i < 11; ++i)
        bar->addAction(w.style()->standardIcon(QStyle::StandardPixmap(QStyle::SP_DialogOpenButton + i % 8)),
                       QStringLiteral("Button %1").arg(i));
    // Memory is compared at the game's puzzle-state size: a window's backing
    // store grows with its area, whatever it shows.
    if (childMode == Child::EmptyMemory)
        w.showMaximized();
    else
        w.show();
    return app.exec();
}

// Start-up of one child in ms: from just before the process starts to the
// first painted main window.
double startupOnce(const QString& self, const QString& mode) {
    QProcess p;
    const double t0 = nowMs();
    p.start(self, {mode});
    p.waitForFinished(30000);
    const QString out = QString::fromLatin1(p.readAllStandardOutput());
    for (const QString& line : out.split('\n'))
        if (line.startsWith("painted ")) return line.mid(8).toDouble() - t0;
    return -1;
}

double memoryOnce(const QString& self, const QString& mode, const QString& puzzle) {
    QProcess p;
    p.start(self, {mode, puzzle});
    p.waitForFinished(30000);
    const QString out = QString::fromLatin1(p.readAllStandardOutput());
    for (const QString& line : out.split('\n'))
        if (line.startsWith("peak ")) return line.mid(5).toDouble();
    std::fprintf(stderr, "%s gave no figure\n", qPrintable(mode));
    return -1;
}

// Processes events until pred() holds (at most 2 s).
template <typename Pred>
void pumpUntil(Pred pred) {
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < 2000) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Installs (or removes) filter on w and every widget inside it.
void watchTree(QWidget* w, QObject* filter, bool on) {
    auto apply = [&](QWidget* x) { on ? x->installEventFilter(filter) : x->removeEventFilter(filter); };
    apply(w);
    for (QWidget* child : w->findChildren<QWidget*>()) apply(child);
}

// The yardstick for a key press: a plain widget of the benchmark grid's size
// that stores the letter and repaints the one square it went to, as an
// editor of squares written straight on Qt would.
class PlainSquares : public QWidget {
public:
    explicit PlainSquares(int s) : s_(s) {
        setFixedSize(31 * s + 1, 21 * s + 1);
        setFocusPolicy(Qt::StrongFocus);
    }
    int paints = 0;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->text().isEmpty()) return;
        letters_[std::size_t(at_)] = e->text().front();
        update(square(at_));
        at_ = (at_ + 1) % int(letters_.size());
    }
    void paintEvent(QPaintEvent* e) override {
        ++paints;
        QPainter p(this);
        for (int i = 0; i < int(letters_.size()); ++i) {
            const QRect r = square(i);
            if (!e->region().intersects(r)) continue;
            p.fillRect(r, Qt::black);
            p.fillRect(r.adjusted(1, 1, -1, -1), Qt::white);
            if (!letters_[std::size_t(i)].isNull()) p.drawText(r, Qt::AlignCenter, QString(letters_[std::size_t(i)]));
        }
    }

private:
    QRect square(int i) const { return {(i % 31) * s_, (i / 31) * s_, s_ + 1, s_ + 1}; }
    int s_;
    int at_ = 0;
    std::array<QChar, 31 * 21> letters_{};
};

void keyTo(QWidget* w, char ch) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (ch - 'A'), Qt::NoModifier, QString(QChar(ch)));
    QApplication::sendEvent(w, &press);
}

int runOrchestrator(int argc, char** argv, int runs) {
    const QString self = QString::fromLocal8Bit(argv[0]);
    QTemporaryDir scratch;
    const QString puzzle = scratch.path() + "/Benchmark.vlq";
    writeBigPuzzle(puzzle);

    std::vector<double> gameStart, emptyStart, gameMem, emptyMem;
    startupOnce(self, "--game-start"); // warm the file cache
    startupOnce(self, "--empty-start");
    for (int i = 0; i < runs; ++i) {
        gameStart.push_back(startupOnce(self, "--game-start"));
        emptyStart.push_back(startupOnce(self, "--empty-start"));
    }
    for (int i = 0; i < std::max(3, runs / 3); ++i) {
        gameMem.push_back(memoryOnce(self, "--game-memory", puzzle));
        emptyMem.push_back(memoryOnce(self, "--empty-memory", puzzle));
    }

    // In-process figures: the real main window, the real views, and what a
    // screen reader sees of them as the game has it.
    VlqApplication app(argc, argv);
    vlq::installAccessibility();
    TVlqGameMainForm mainForm;
    TVlqSolveForm solveForm;
    game().solveForm = &solveForm;
    mainForm.show();
    pumpUntil([] { return false; });

    struct Painted : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++count;
            return false;
        }
    };
    std::vector<double> opening, gridKey, solveKey, fullPaint;
    for (int i = 0; i < runs; ++i) {
        Painted grid, title, clues;
        const double t0 = nowMs();
        mainForm.OpenPuzzleFile(puzzle);
        watchTree(game().gridForm->subWindow(), &grid, true);
        watchTree(game().titleForm->subWindow(), &title, true);
        watchTree(game().clueForm->subWindow(), &clues, true);
        pumpUntil([&] { return grid.count && title.count && clues.count; });
        opening.push_back(nowMs() - t0);
        watchTree(game().gridForm->subWindow(), &grid, false);
        watchTree(game().titleForm->subWindow(), &title, false);
        watchTree(game().clueForm->subWindow(), &clues, false);
        game().modified = false;
    }

    // A key press with its paint, in the game's grid (aids off, then on)
    // and in the plain widget, taken in turn so a busy moment hits all alike.
    const int s = std::max(1, game().gridSquareSize);
    PlainSquares plain(s);
    plain.show();
    pumpUntil([] { return false; });
    std::vector<double> gridKeyAids, plainKey;
    auto gridKeyOnce = [&](int i) {
        TVlqGameGridForm* grid = game().gridForm;
        if (i % 20 == 0) {
            QMouseEvent click(QEvent::MouseButtonPress, QPointF(s / 2.0, s / 2.0), grid->mapToGlobal(QPointF(s / 2.0, s / 2.0)),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(grid, &click);
            pumpUntil([] { return false; });
        }
        Painted p;
        grid->installEventFilter(&p);
        const double t0 = nowMs();
        keyTo(grid, char('A' + i % 26));
        pumpUntil([&] { return p.count > 0; });
        const double took = nowMs() - t0;
        grid->removeEventFilter(&p);
        return took;
    };
    auto switchAids = [&](bool on) {
        if (mainForm.SolvingAids1->isChecked() == on) return;
        mainForm.SolvingAids1->trigger();
        pumpUntil([] { return false; });
    };
    for (int i = 0; i < runs * 20; ++i) {
        switchAids(false);
        gridKey.push_back(gridKeyOnce(i));
        const int before = plain.paints;
        const double t0 = nowMs();
        keyTo(&plain, char('A' + i % 26));
        pumpUntil([&] { return plain.paints > before; });
        plainKey.push_back(nowMs() - t0);
    }
    for (int i = 0; i < runs * 20; ++i) {
        switchAids(true);
        gridKeyAids.push_back(gridKeyOnce(i));
    }
    switchAids(false);
    plain.hide();
    TVlqGameGridForm* grid = game().gridForm;

    for (int i = 0; i < runs * 20; ++i) {
        if (i % 20 == 0) {
            game().currentClue = 1;
            solveForm.AnswerCursor = 0;
            solveForm.OpenOnClue();
            pumpUntil([] { return false; });
        }
        // The strip may be a child of the answer window: count paints anywhere in it.
        Painted p;
        watchTree(&solveForm, &p, true);
        const double t0 = nowMs();
        keyTo(&solveForm, char('A' + i % 26));
        pumpUntil([&] { return p.count > 0; });
        solveKey.push_back(nowMs() - t0);
        watchTree(&solveForm, &p, false);
    }

    for (int i = 0; i < runs * 5; ++i) {
        const double t0 = nowMs();
        grid->repaint();
        fullPaint.push_back(nowMs() - t0);
    }
    game().modified = false;

    // Importing the 30-clue puzzle from each foreign format (file in memory),
    // in CPU time.
    std::array<std::vector<double>, 3> imports;
    const vlq::ForeignFormat formats[] = {vlq::ForeignFormat::Jpz, vlq::ForeignFormat::Apz, vlq::ForeignFormat::Ipuz};
    for (std::size_t f = 0; f < 3; ++f) {
        const std::string text = vlq::exportForeign(bigPuzzle(), "Benchmark", formats[f]);
        const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        for (int i = 0; i < runs * 5; ++i) {
            const double t0 = threadCpuMs();
            const vlq::ImportResult got = vlq::importForeign(bytes, "Benchmark");
            imports[f].push_back(threadCpuMs() - t0);
            if (!got.ok()) std::fprintf(stderr, "import failed: %s\n", got.error.c_str());
        }
    }

    // The puzzle list's figures for 5,000 puzzles: the first listing reads
    // every file and fills the store's cache; later ones read the cache.
    const QString many = scratch.path() + "/many";
    QDir().mkpath(many);
    QStringList names;
    {
        vlq::PuzzleRecord rec = bigPuzzle();
        for (int i = 0; i < 5000; ++i) {
            rec.setByline("Benchmark " + std::to_string(i)); // each a puzzle of its own
            const QString name = QStringLiteral("P%1.vlq").arg(i, 4, 10, QLatin1Char('0'));
            std::ofstream out((many + "/" + name).toStdString(), std::ios::binary);
            out.write(reinterpret_cast<const char*>(rec.bytes().data()), std::streamsize(rec.bytes().size()));
            names << name;
        }
    }
    double firstList = 0;
    std::vector<double> lists;
    for (int i = 0; i < 1 + std::max(3, runs / 3); ++i) {
        const double t0 = nowMs();
        const QList<PuzzleFigures> figures = vlq::listPuzzleFigures(many, names);
        const double took = nowMs() - t0;
        if (figures.size() != names.size()) std::fprintf(stderr, "listing gave %d figures\n", int(figures.size()));
        if (i == 0) firstList = took;
        else lists.push_back(took);
    }

    const double gs = median(gameStart), es = median(emptyStart);
    const double gm = median(gameMem), em = median(emptyMem);
    std::printf("Vorlaquince benchmark (%d runs each, medians; platform %s)\n", runs,
                qPrintable(QGuiApplication::platformName()));
    std::printf("  start-up to first paint   game %8.1f ms   empty window %8.1f ms   ratio %.2f  (target <= 1.30)\n", gs, es,
                es > 0 ? gs / es : 0.0);
    std::printf("  open 31x21, 30 clues      %8.2f ms  (target < 20)\n", median(opening));
    const double pk = median(plainKey);
    std::printf("  key press, plain widget   %8.3f ms\n", pk);
    std::printf("  key press, grid           %8.3f ms  ratio %.1f  (target <= 10 x plain)\n", median(gridKey),
                pk > 0 ? median(gridKey) / pk : 0.0);
    std::printf("  key press, grid, aids on  %8.3f ms  ratio %.1f  (target <= 10 x plain)\n", median(gridKeyAids),
                pk > 0 ? median(gridKeyAids) / pk : 0.0);
    std::printf("  key press, answer window  %8.3f ms  (target < 1)\n", median(solveKey));
    std::printf("  full paint, 31x21 grid    %8.3f ms  (target < 3)\n", median(fullPaint));
    std::printf("  import 30 clues, JPZ / APZ / ipuz  %6.2f / %6.2f / %6.2f ms CPU  (target < 5)\n", median(imports[0]),
                median(imports[1]), median(imports[2]));
    std::printf("  puzzle list, 5,000 puzzles  first %8.1f ms   after %8.1f ms  (target < 100 after the first)\n",
                firstList, median(lists));
    std::printf("  peak memory, maximized     game %6.1f MiB   empty window %6.1f MiB   over %5.1f MiB  (target <= 10)\n",
                gm / 1024, em / 1024, (gm - em) / 1024);
    std::fflush(stdout);
    mainForm.hide();
    solveForm.hide();
    game().solveForm = nullptr;
    std::_Exit(0);
}

} // namespace

int main(int argc, char** argv) {
    // Settings, documents and trash of a scratch home, for this process and its children.
    static QTemporaryDir home(QDir::tempPath() + "/vlqbench-home-XXXXXX");
    if (!qEnvironmentVariableIsSet("VLQBENCH_HOME")) {
        qputenv("VLQBENCH_HOME", home.path().toLocal8Bit());
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toLocal8Bit());
        // Without a display: an offscreen screen of a common desktop size.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY")) {
            QFile config(home.path() + "/screen.json");
            if (config.open(QIODevice::WriteOnly))
                config.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                             R"( "logicalDpiX": 96, "logicalDpiY": 96, "dpr": 1}]})");
            qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toLocal8Bit());
        }
        // A 31 x 21 grid at the default square size fills the whole height;
        // the player's smaller squares leave room for the other windows.
        TVlqProcs::WriteSetting(QStringLiteral("ScreenSquare"), 24);
    }
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--write-puzzle" && argc > 2) { // the benchmark's puzzle, to look at
        writeBigPuzzle(QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    if (mode == "--game-start" || mode == "--game-memory") {
        childMode = mode == "--game-start" ? Child::GameStart : Child::GameMemory;
        if (argc > 2) childPuzzle = QString::fromLocal8Bit(argv[2]);
        int one = 1;
        return runVorlaquince(one, argv);
    }
    if (mode == "--empty-start" || mode == "--empty-memory") {
        childMode = mode == "--empty-start" ? Child::EmptyStart : Child::EmptyMemory;
        int one = 1;
        return runEmptyWindow(one, argv);
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    return runOrchestrator(argc > 1 ? 1 : argc, argv, runs);
}
