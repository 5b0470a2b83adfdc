#include "TVlqGameMainForm.h"
#include "ProgressCommands.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>

#include <functional>

#include "LetterCommands.h"
#include "game/GameContext.h"
#include "game/PuzzleLock.h"
#include "game/TVlqProcs.h"
#include "VlqApplication.h"

#include "platform/Artwork.h"
#include "services/HelpWindow.h"
#include "services/PrinterSetup.h"
#include "platform/VlqCursors.h"
#include "game/SettingsTable.h"

namespace {

// Calls down/up when the right or middle button goes down/up on an enabled
// button; the button's own pressed/released signals cover the left one.
class OtherButtonsWatch : public QObject {
public:
    OtherButtonsWatch(QToolButton* button, std::function<void()> down, std::function<void()> up)
        : QObject(button), button_(button), down_(std::move(down)), up_(std::move(up)) {
        button->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonRelease) return false;
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton || !button_->isEnabled()) return false;
        (e->type() == QEvent::MouseButtonPress ? down_ : up_)();
        return false;
    }

private:
    QToolButton* button_;
    std::function<void()> down_, up_;
};

// Image list, in its order: index -> resource.
constexpr std::array<const char*, TVlqGameMainForm::ImageCount> kImageFiles{
    "00-open", "01-save", "02-letter", "03-word", "04-cheat", "05-score",
    "06-clock", "07-print", "08-dictionary", "09-exit", "10-dictionary-off"};

constexpr int kButtonSize = 34;
constexpr int kImageSize = 24;
constexpr int kSeparatorWidth = 8;
constexpr int kLogoWidth = 418;
constexpr int kLogoHeight = 305;

} // namespace

TVlqGameMainForm::TVlqGameMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("VlqGameMainForm"));
    setWindowTitle(QStringLiteral("Vorlaquince 6 Game Edition"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    setFont(f);
    setAcceptDrops(true);

    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(MdiArea);

    createMenus();
    createAidActions();
    createToolBar();
    new LetterCommands(this, Options1, SolvingAids1); // menu items and the pencil button
    createLogo();
    new ProgressCommands(this, Options1, ShowClock1);
    move(289, 183);

    // Creation step: the program's cursors 2 and 3 (the help file is found
    // when help is first asked for).
    VlqCursors::loadProgramCursors();
    game().mainForm = this;
}

TVlqGameMainForm::~TVlqGameMainForm() {
    if (game().mainForm == this) game().mainForm = nullptr;
}

QPrinter* TVlqGameMainForm::printer() {
    if (!Printer) Printer = new QPrinter(QPrinter::HighResolution);
    return Printer;
}

// --- menu ------------------------------------------------------------------

void TVlqGameMainForm::createMenus() {
    auto item = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys = {}) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* a = menu->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };

    Puzzle1 = menuBar()->addMenu(QStringLiteral("&Puzzle"));
    Puzzle1->setObjectName(QStringLiteral("Puzzle1"));
    Solve1 = item(Puzzle1, "Solve1", QStringLiteral("&Solve..."));
    OpenFile1 = item(Puzzle1, "OpenFile1", QStringLiteral("Open &File..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    // In the menu (after Open File) only while the aids are on, so the
    // classic menu stays as it is and Ctrl+N does nothing there.
    MakePuzzle1 = new QAction(QStringLiteral("&Make a Puzzle..."), this);
    MakePuzzle1->setObjectName(QStringLiteral("MakePuzzle1"));
    MakePuzzle1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(this, &TVlqGameMainForm::aidsChanged, MakePuzzle1, [this] {
        Puzzle1->removeAction(MakePuzzle1);
        const QList<QAction*> items = Puzzle1->actions();
        const qsizetype at = items.indexOf(OpenFile1);
        if (game().aids.makePuzzles) Puzzle1->insertAction(at + 1 < items.size() ? items[at + 1] : nullptr, MakePuzzle1);
    });
    connect(MakePuzzle1, &QAction::triggered, this, [this] { guarded([this] { MakePuzzle1Click(); }); });
    separator(Puzzle1, "N1");
    Save1 = item(Puzzle1, "Save1", QStringLiteral("Sa&ve"), QKeySequence(Qt::CTRL | Qt::Key_S));
    separator(Puzzle1, "N2");
    Print1 = item(Puzzle1, "Print1", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    PrinterSetup1 = item(Puzzle1, "PrinterSetup1", QStringLiteral("P&rinter Setup..."));
    N4 = separator(Puzzle1, "N4");
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = "History" + QByteArray::number(i + 1);
        History[i] = item(Puzzle1, name.constData(), QStringLiteral("&%1 PUZZLE%1").arg(i + 1));
        connect(History[i], &QAction::triggered, this, [this, i] { HistoryClick(i + 1); });
    }
    separator(Puzzle1, "N3");
    Exit1 = item(Puzzle1, "Exit1", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_X));

    Options1 = menuBar()->addMenu(QStringLiteral("&Options "));
    Options1->setObjectName(QStringLiteral("Options1"));
    ScorePuzzle1 = item(Options1, "ScorePuzzle1", QStringLiteral("&Score Puzzle"));
    ShowClock1 = item(Options1, "ShowClock1", QStringLiteral("Show &Clock..."));
    RevertToSaved1 = item(Options1, "RevertToSaved1", QStringLiteral("&Revert to Saved"));
    separator(Options1, "N5");
    AutoArrange1 = item(Options1, "AutoArrange1", QStringLiteral("&Auto Arrange"), QKeySequence(Qt::Key_F9));
    Preferences1 = item(Options1, "Preferences1", QStringLiteral("&Preferences..."));
    SolvingAids1 = item(Options1, "SolvingAids1", QStringLiteral("Solving A&ids"));
    SolvingAids1->setCheckable(true);

    Tools1 = menuBar()->addMenu(QStringLiteral("&Tools"));
    Tools1->setObjectName(QStringLiteral("Tools1"));
    Dictionary1 = item(Tools1, "Dictionary1", QStringLiteral("&Dictionary..."), QKeySequence(Qt::CTRL | Qt::Key_D));
    Thesaurus1 = item(Tools1, "Thesaurus1", QStringLiteral("&Thesaurus..."));

    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Contents1 = item(Help1, "Contents1", QStringLiteral("&Contents"));
    KeywordIndex1 = item(Help1, "KeywordIndex1", QStringLiteral("&Keyword Index"));
    separator(Help1, "N6");
    About1 = item(Help1, "About1", QStringLiteral("&About..."));

    // States at start.
    for (QAction* a : {Save1, Print1, ScorePuzzle1, ShowClock1, RevertToSaved1, AutoArrange1}) a->setEnabled(false);
    recentSeparator->setVisible(false);
    for (QAction* a : History) a->setVisible(false);

    connect(Solve1, &QAction::triggered, this, &TVlqGameMainForm::Solve1Click);
    connect(OpenFile1, &QAction::triggered, this, &TVlqGameMainForm::OpenFile1Click);
    connect(Save1, &QAction::triggered, this, &TVlqGameMainForm::Save1Click);
    connect(Print1, &QAction::triggered, this, &TVlqGameMainForm::Print1Click);
    connect(PrinterSetup1, &QAction::triggered, this, &TVlqGameMainForm::PrinterSetup1Click);
    connect(Exit1, &QAction::triggered, this, &TVlqGameMainForm::Exit1Click);
    connect(ScorePuzzle1, &QAction::triggered, this, &TVlqGameMainForm::ScoreBtnClick);
    connect(ShowClock1, &QAction::triggered, this, &TVlqGameMainForm::ShowClock1Click);
    connect(RevertToSaved1, &QAction::triggered, this, &TVlqGameMainForm::RevertToSaved1Click);
    connect(AutoArrange1, &QAction::triggered, this, &TVlqGameMainForm::AutoArrange1Click);
    connect(Preferences1, &QAction::triggered, this, &TVlqGameMainForm::Preferences1Click);
    connect(SolvingAids1, &QAction::triggered, this, &TVlqGameMainForm::SolvingAids1Click);
    connect(Dictionary1, &QAction::triggered, this, &TVlqGameMainForm::Dictionary1Click);
    connect(Thesaurus1, &QAction::triggered, this, &TVlqGameMainForm::Thesaurus1Click);
    connect(Contents1, &QAction::triggered, this, &TVlqGameMainForm::Contents1Click);
    connect(KeywordIndex1, &QAction::triggered, this, &TVlqGameMainForm::KeywordIndex1Click);
    connect(About1, &QAction::triggered, this, &TVlqGameMainForm::About1Click);
}

// --- toolbar ---------------------------------------------------------------

QPixmap TVlqGameMainForm::toolImage(int index) {
    if (index < 0 || index >= ImageCount) return {};
    // Kept for the application's lifetime: pixmaps must not outlive it.
    static std::array<QPixmap, ImageCount> cache;
    static const bool cleared = [] {
        qAddPostRoutine([] { cache.fill(QPixmap()); });
        return true;
    }();
    Q_UNUSED(cleared);
    if (cache[index].isNull())
        cache[index] = vlq::artwork(QStringLiteral("images/toolbar/%1").arg(QLatin1String(kImageFiles[index])),
                                    QSize(kImageSize, kImageSize));
    return cache[index];
}

int TVlqGameMainForm::imageIndex(const QToolButton* button) {
    const QVariant v = button ? button->property("imageIndex") : QVariant();
    return v.isValid() ? v.toInt() : -1;
}

static void setImageIndex(QToolButton* button, int index) {
    button->setProperty("imageIndex", index);
    button->setIcon(QIcon(TVlqGameMainForm::toolImage(index)));
}

QString TVlqGameMainForm::hintText(const QToolButton* button) { return button->property("hint").toString(); }

void TVlqGameMainForm::setHintShown(QToolButton* button, bool shown) {
    button->setToolTip(shown ? hintText(button) : QString());
}

QToolButton* TVlqGameMainForm::addToolButton(const char* name, int image, const char* hint) {
    auto* b = new QToolButton(ToolPanel);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedSize(kButtonSize, kButtonSize);
    b->setIconSize(QSize(kImageSize, kImageSize));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setProperty("hint", QString::fromLatin1(hint));
    b->setAccessibleName(QString::fromLatin1(hint)); // named even while its hint is hidden
    setImageIndex(b, image);
    ToolPanel->layout()->addWidget(b);
    return b;
}

QFrame* TVlqGameMainForm::addSeparator(const char* name) {
    auto* s = new QFrame(ToolPanel);
    s->setObjectName(QString::fromLatin1(name));
    s->setFrameShape(QFrame::VLine);
    s->setFrameShadow(QFrame::Sunken);
    s->setFixedSize(kSeparatorWidth, kButtonSize);
    ToolPanel->layout()->addWidget(s);
    return s;
}

void TVlqGameMainForm::createToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->toggleViewAction()->setVisible(false);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    // The buttons sit in one row without gaps; hidden ones take no room.
    ToolPanel = new QWidget(ToolBar1);
    ToolPanel->setObjectName(QStringLiteral("ToolPanel"));
    ToolPanel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(ToolPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    OpenBtn = addToolButton("OpenBtn", 0, "Solve a puzzle");
    SaveBtn = addToolButton("SaveBtn", 1, "Save this puzzle");
    Sep1 = addSeparator("Sep1");
    LetterBtn = addToolButton("LetterBtn", 2, "Solve letter");
    WordBtn = addToolButton("WordBtn", 3, "Solve word");
    CheatBtn = addToolButton("CheatBtn", 4, "Show puzzle solution");
    PencilBtn = addToolButton("PencilBtn", 2, "Write in pencil");
    PencilBtn->hide();
    Sep4 = addSeparator("Sep4");
    ScoreBtn = addToolButton("ScoreBtn", 5, "Score puzzle solution");
    Sep2 = addSeparator("Sep2");
    ClockBtn = addToolButton("ClockBtn", 6, "Show clock");
    PrintBtn = addToolButton("PrintBtn", 7, "Print acrostic");
    DictBtn = addToolButton("DictBtn", 8, "Open dictionary");
    Sep3 = addSeparator("Sep3");
    row->addSpacing(1); // ExitBtn 1 pixel after Sep3
    ExitBtn = addToolButton("ExitBtn", 9, "Exit Vorlaquince");
    row->addSpacing(1); // and the spacer 1 pixel after ExitBtn
    ToolButton14 = new QWidget(ToolPanel);
    ToolButton14->setObjectName(QStringLiteral("ToolButton14"));
    ToolButton14->setFixedSize(69, kButtonSize);
    row->addWidget(ToolButton14);
    row->addStretch(1);

    // The progress bar floats over the row, centred in puzzle state.
    ProgBar = new QProgressBar(ToolPanel);
    ProgBar->setObjectName(QStringLiteral("ProgBar"));
    ProgBar->setFixedSize(123, kButtonSize);
    ProgBar->setRange(0, 100);
    ProgBar->setTextVisible(false);
    ProgBar->hide();
    ToolBar1->addWidget(ToolPanel);

    // Start: only OpenBtn, ExitBtn and the spacer; hints of the always
    // available buttons shown, the puzzle buttons disabled without hints.
    for (QWidget* w : std::initializer_list<QWidget*>{SaveBtn, Sep1, LetterBtn, WordBtn, CheatBtn, Sep4, ScoreBtn, Sep2,
                                                       ClockBtn, PrintBtn, DictBtn, Sep3})
        w->hide();
    for (QToolButton* b : {SaveBtn, LetterBtn, WordBtn, CheatBtn, ScoreBtn, PrintBtn}) {
        b->setEnabled(false);
        setHintShown(b, false);
    }
    for (QToolButton* b : {OpenBtn, ClockBtn, ExitBtn}) setHintShown(b, true);

    connect(OpenBtn, &QToolButton::clicked, this, &TVlqGameMainForm::Solve1Click);
    connect(SaveBtn, &QToolButton::clicked, this, &TVlqGameMainForm::Save1Click);
    connect(LetterBtn, &QToolButton::pressed, this, &TVlqGameMainForm::LetterBtnMouseDown);
    connect(LetterBtn, &QToolButton::clicked, this, &TVlqGameMainForm::LetterBtnClick);
    connect(WordBtn, &QToolButton::pressed, this, &TVlqGameMainForm::LetterBtnMouseDown);
    connect(WordBtn, &QToolButton::clicked, this, &TVlqGameMainForm::WordBtnClick);
    connect(CheatBtn, &QToolButton::pressed, this, &TVlqGameMainForm::CheatBtnMouseDown);
    connect(CheatBtn, &QToolButton::released, this, &TVlqGameMainForm::CheatBtnMouseUp);
    new OtherButtonsWatch(CheatBtn, [this] { CheatBtnMouseDown(); }, [this] { CheatBtnMouseUp(); });
    connect(ScoreBtn, &QToolButton::clicked, this, &TVlqGameMainForm::ScoreBtnClick);
    connect(ClockBtn, &QToolButton::clicked, this, &TVlqGameMainForm::ShowClock1Click);
    connect(PrintBtn, &QToolButton::clicked, this, &TVlqGameMainForm::Print1Click);
    connect(DictBtn, &QToolButton::clicked, this, &TVlqGameMainForm::Dictionary1Click);
    connect(ExitBtn, &QToolButton::clicked, this, &TVlqGameMainForm::Exit1Click);
}

void TVlqGameMainForm::createLogo() {
    LogoPanel = new QWidget(this);
    LogoPanel->setObjectName(QStringLiteral("LogoPanel"));
    LogoPanel->setAutoFillBackground(true);
    QPalette pal = LogoPanel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    LogoPanel->setPalette(pal);
    LogoPanel->setFixedSize(kLogoWidth, kLogoHeight);
    LogoImage = new QLabel(LogoPanel);
    LogoImage->setObjectName(QStringLiteral("LogoImage"));
    LogoImage->setGeometry(0, 0, kLogoWidth, kLogoHeight);
    LogoImage->setPixmap(vlq::artwork(QStringLiteral("images/logo"), QSize(kLogoWidth, kLogoHeight)));
}

// --- showing and closing ----------------------------------------------------

void TVlqGameMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    guarded([this] { FormShow(); });
}

void TVlqGameMainForm::FormShow() {
    // Geometry is in logical pixels, which are 96-dpi pixels on every screen,
    // so the window keeps its sizes whatever the screen's resolution.
    ToolBar1->show();
    const int toolBarHeight = ToolBar1->sizeHint().height();
    const int menuHeight = menuBar()->isVisible() ? menuBar()->sizeHint().height() : 0;
    const int clientWidth = kLogoWidth + 4;
    const int clientHeight = toolBarHeight + kLogoHeight + 4;
    setFixedSize(clientWidth, menuHeight + clientHeight);
    LogoPanel->move(2, menuHeight + toolBarHeight + 3);
    LogoPanel->raise();
    LogoPanel->show();

    ReadToolSettings();
    RebuildHistory();
}

void TVlqGameMainForm::ReadToolSettings() {
    Dictionary1->setEnabled(!TVlqProcs::ReadSetting(VlqSetting::DictPath).isEmpty());
    Thesaurus1->setEnabled(!TVlqProcs::ReadSetting(VlqSetting::ThesPath).isEmpty());
    game().soundMode = TVlqProcs::ReadSetting(VlqSetting::PlaySounds);
    game().aids = SolvingAids::read();
    SolvingAids1->setChecked(SolvingAids::switchedOn());
    emit aidsChanged();
    const bool dict = Dictionary1->isEnabled();
    setImageIndex(DictBtn, dict ? 8 : 10);
    setHintShown(DictBtn, dict);
}

void TVlqGameMainForm::Exit1Click() { close(); }

void TVlqGameMainForm::closeEvent(QCloseEvent* event) {
    // Unsaved letters are saved without asking. When that save fails the
    // player chooses: a copy elsewhere, quitting (the letters kept as a
    // recovery copy) or staying with the letters.
    if (!leavePuzzle(QStringLiteral("&Quit Without Saving"))) {
        event->ignore();
        return;
    }
    openPuzzleLock().release();
    HelpWindow::closeIfCreated();
    event->accept();
    emit closed();
}

// Chooses the printer and the paper that Print uses; prints nothing.
void TVlqGameMainForm::PrinterSetup1Click() {
    PrinterSetupDialog dialog(printer(), this);
    dialog.exec();
}
