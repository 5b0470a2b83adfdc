#include "TVlqGamePrefForm.h"
#include "SolvingAidsPage.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <cmath>

#include "game/GameContext.h"
#include "game/TVlqProcs.h"
#include "core/VlqError.h"
#include "platform/Artwork.h"
#include "platform/FontMatch.h"
#include "platform/TitleBar.h"
#include "views/SquareLook.h"
#include "ReadOr.h"

namespace {

TVlqGamePrefForm* s_instance = nullptr;
TVlqGamePrefForm::FontChooser s_fontChooser;
TVlqGamePrefForm::FileChooser s_fileChooser;

constexpr std::array<QRgb, 16> kPalette{
    0x000000, 0x800000, 0x008000, 0x808000, // black, maroon, green, olive
    0x000080, 0x800080, 0x008080, 0xC0C0C0, // navy, purple, teal, silver
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, // gray, red, lime, yellow
    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, // blue, fuchsia, aqua, white
};
constexpr int kPaletteCell = 24;
constexpr int kSampleLines = 14;


TVlqGamePrefForm::FontChoice defaultGridFont() {
    using namespace VlqSetting;
    return {vlq::styledFont(TVlqProcs::DefaultOf(FontName), FontSize.def, FontStyle.def), TVlqProcs::DefaultOf(FontColor)};
}
TVlqGamePrefForm::FontChoice defaultSolveFont() {
    using namespace VlqSetting;
    return {vlq::styledFont(TVlqProcs::DefaultOf(SolveFontName), SolveFontSize.def, SolveFontStyle.def),
            TVlqProcs::DefaultOf(SolveFontColor)};
}

// The font in two steps, each caption naming what it sets: Qt's font dialog
// has no colour, so the colour dialog follows it. The font dialog opens on
// the face really drawn (the stand-in of a Windows face), and keeping that
// face keeps the stored name. A cancelled colour keeps the old one.
std::optional<TVlqGamePrefForm::FontChoice> askFont(QWidget* parent, const TVlqGamePrefForm::FontChoice& current,
                                                    const QString& subject) {
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, vlq::installedFont(current.font), parent,
                                      QStringLiteral("%1, Step 1 of 2: Typeface, Style and Size").arg(subject),
                                      QFontDialog::ScalableFonts);
    if (!ok) return std::nullopt;
    font.setFamily(vlq::familyToStore(font.family(), current.font.family()));
    QColor colour = QColorDialog::getColor(current.colour, parent,
                                           QStringLiteral("%1, Step 2 of 2: Text Colour").arg(subject));
    if (!colour.isValid()) colour = current.colour;
    return TVlqGamePrefForm::FontChoice{font, colour};
}

QString askFile(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QLabel* swatch(QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setFixedSize(14, 14);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    return l;
}

} // namespace

// The grid preview: four columns of squares and a sliver of a fifth, filled
// and blank squares in the colours being edited, letters in the font being
// edited.
class PrefGridPreview : public QWidget {
public:
    PrefGridPreview(TVlqGamePrefForm* form, QWidget* parent) : QWidget(parent), form_(form) {
        setFixedSize(169, 169);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const int size = std::max(1, int(std::lround(width() / 4.0)));
        const TVlqGamePrefForm::FontChoice f = form_->gridFont();
        p.setFont(f.font);
        const QFontMetrics fm(f.font);
        const int rows = height() / size + 1;
        const int cols = width() / size + 1;
        for (int r = 1; r <= rows; ++r) {
            for (int c = 1; c <= cols; ++c) {
                const int x = (c - 1) * size, y = (r - 1) * size;
                const bool filled = (c == 4 && r < 4) || (c == 3 && r == 1);
                const QColor fill = filled ? form_->filledColour : form_->blankColour;
                p.setPen(form_->filledColour);
                p.setBrush(fill);
                p.drawRect(x, y, size, size);
                if (fill == form_->blankColour) {
                    const QString letter(QChar(63 + r + c));
                    p.setPen(f.colour);
                    p.drawText(x + (size - fm.horizontalAdvance(letter)) / 2,
                               y + (size - fm.height()) / 2 + fm.ascent(), letter);
                }
            }
        }
    }

private:
    TVlqGamePrefForm* form_;
};

// The 16-colour palette. The selection follows the mouse while a button is
// held; the release tells the dialog which button it was.
class PrefColourPalette : public QWidget {
public:
    PrefColourPalette(TVlqGamePrefForm* form, QWidget* parent) : QWidget(parent), form_(form) {
        setFixedSize(4 * kPaletteCell, 4 * kPaletteCell);
        setToolTip(QStringLiteral("Click mouse buttons here as explained in legend to select grid colors"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int i = 0; i < 16; ++i) {
            const QRect cell((i % 4) * kPaletteCell, (i / 4) * kPaletteCell, kPaletteCell, kPaletteCell);
            p.fillRect(cell, QColor(kPalette[std::size_t(i)]));
            if (i == form_->paletteIndex_) {
                // A double frame, dark and light, shows on every colour.
                p.setPen(Qt::black);
                p.setBrush(Qt::NoBrush);
                p.drawRect(cell.adjusted(1, 1, -2, -2));
                p.setPen(Qt::white);
                p.drawRect(cell.adjusted(2, 2, -3, -3));
            }
        }
    }
    void mousePressEvent(QMouseEvent* e) override { select(e->position().toPoint()); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (e->buttons() != Qt::NoButton) select(e->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* e) override { form_->ColorGrid1Released(e->button()); }

private:
    void select(QPoint pos) {
        const int col = std::clamp(pos.x() / kPaletteCell, 0, 3);
        const int row = std::clamp(pos.y() / kPaletteCell, 0, 3);
        form_->paletteIndex_ = row * 4 + col;
        update();
    }
    TVlqGamePrefForm* form_;
};

TVlqGamePrefForm::TVlqGamePrefForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    vlq::closeBoxOnly(this);
    s_instance = this;
    setWindowTitle(QStringLiteral("Vorlaquince Preferences"));
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    setFont(small);
    setFixedSize(315, 337);

    Pages = new QTabWidget(this);
    Pages->setUsesScrollButtons(false);
    Pages->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 60px; }"));
    buildGeneralPage();
    buildViewPage();
    buildToolsPage();
    buildFontsPage();
    Aids = new SolvingAidsPage(Pages);
    Pages->addTab(Aids, QStringLiteral("Aids   "));

    DefaultsBtn = new QPushButton(QStringLiteral("&Defaults"), this);
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    SaveBtn = new QPushButton(QStringLiteral("&Save"), this);
    SaveBtn->setDefault(true);
    auto* strip = new QHBoxLayout;
    strip->addWidget(DefaultsBtn);
    strip->addStretch(1);
    strip->addWidget(CancelBtn);
    strip->addWidget(SaveBtn);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(Pages, 1);
    outer->addLayout(strip);

    connect(SoundChk, &QCheckBox::clicked, this, &TVlqGamePrefForm::SoundChkClick);
    connect(SpeechChk, &QCheckBox::clicked, this, &TVlqGamePrefForm::SpeechChkClick);
    connect(FontBtn, &QPushButton::clicked, this, &TVlqGamePrefForm::FontBtnClick);
    connect(SolveFontBtn, &QPushButton::clicked, this, &TVlqGamePrefForm::SolveFontBtnClick);
    connect(DictBtn, &QPushButton::clicked, this, &TVlqGamePrefForm::DictBtnClick);
    connect(ThesBtn, &QPushButton::clicked, this, &TVlqGamePrefForm::ThesBtnClick);
    connect(DefaultsBtn, &QPushButton::clicked, this, &TVlqGamePrefForm::DefaultsBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(SaveBtn, &QPushButton::clicked, this, &TVlqGamePrefForm::SaveBtnClick);
    connect(HighContrastBtn, &QPushButton::clicked, this, &TVlqGamePrefForm::HighContrastBtnClick);
    connect(DarkBtn, &QPushButton::clicked, this, &TVlqGamePrefForm::DarkBtnClick);
    nameControls();
}

TVlqGamePrefForm::~TVlqGamePrefForm() {
    if (s_instance == this) s_instance = nullptr;
}

TVlqGamePrefForm* TVlqGamePrefForm::instance() { return s_instance; }
void TVlqGamePrefForm::SetFontChooser(FontChooser chooser) { s_fontChooser = std::move(chooser); }
void TVlqGamePrefForm::SetFileChooser(FileChooser chooser) { s_fileChooser = std::move(chooser); }

QColor TVlqGamePrefForm::paletteColour(int index) {
    return QColor(kPalette[std::size_t(std::clamp(index, 0, 15))]);
}

int TVlqGamePrefForm::styleNumber(const QFont& f) {
    return (f.bold() ? vlq::kStyleBold : 0) | (f.italic() ? vlq::kStyleItalic : 0) |
           (f.underline() ? vlq::kStyleUnderline : 0) | (f.strikeOut() ? vlq::kStyleStrikeOut : 0);
}

void TVlqGamePrefForm::buildGeneralPage() {
    auto* page = new QWidget;
    ScrImg = new QLabel(page);
    ScrImg->setFrameShape(QFrame::Panel);
    ScrImg->setFrameShadow(QFrame::Sunken);
    ScrImg->setFixedSize(177 + 4, 131 + 4);
    ScrImg->setAlignment(Qt::AlignCenter);
    ScrImg->setPixmap(vlq::artwork(QStringLiteral("images/prefs"), QSize(177, 131)));
    SoundChk = new QCheckBox(QStringLiteral("SOUNDS"), page);
    SoundChk->setToolTip(QStringLiteral("Turn sounds on or off"));
    SpeechChk = new QCheckBox(QStringLiteral("SPEECH"), page);
    SpeechChk->setToolTip(QStringLiteral("Use speaking messages"));
    CursorsChk = new QCheckBox(QStringLiteral("CURSORS"), page);
    CursorsChk->setToolTip(QStringLiteral("Use fancy cursors"));
    SolveChk = new QCheckBox(QStringLiteral("SOLVE HL"), page);
    SolveChk->setToolTip(QStringLiteral("Always highlight solution entry"));
    SaveAllChk = new QCheckBox(QStringLiteral("SAVE CUSTOM ARRANGEMENT"), page);

    auto* checks = new QVBoxLayout;
    for (QCheckBox* c : {SoundChk, SpeechChk, CursorsChk, SolveChk}) checks->addWidget(c);
    checks->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(ScrImg);
    top->addLayout(checks);
    auto* l = new QVBoxLayout(page);
    l->addLayout(top);
    l->addWidget(SaveAllChk);
    l->addStretch(1);
    Pages->addTab(page, QStringLiteral("General  "));
}

void TVlqGamePrefForm::buildViewPage() {
    auto* page = new QWidget;
    GridPad = new PrefGridPreview(this, page);
    ColorGrid1 = new PrefColourPalette(this, page);
    BlankSwatch = swatch(page);
    FilledSwatch = swatch(page);
    auto* blankText = new QLabel(QStringLiteral("Left mouse button sets letter square color"), page);
    auto* filledText = new QLabel(QStringLiteral("Right mouse button sets filled square color"), page);
    blankText->setWordWrap(true);
    filledText->setWordWrap(true);
    FontBtn = new QPushButton(QStringLiteral("Set Font..."), page);
    FontBtn->setToolTip(QStringLiteral("Select a typeface for the puzzle grid"));

    auto* right = new QVBoxLayout;
    right->addWidget(ColorGrid1);
    right->addWidget(FontBtn);
    HighContrastBtn = new QPushButton(QStringLiteral("&High Contrast"), page);
    right->addWidget(HighContrastBtn);
    DarkBtn = new QPushButton(QStringLiteral("Dar&k"), page);
    right->addWidget(DarkBtn);
    right->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(GridPad);
    top->addLayout(right);
    auto* legend = new QGridLayout;
    legend->addWidget(BlankSwatch, 0, 0);
    legend->addWidget(blankText, 0, 1);
    legend->addWidget(FilledSwatch, 1, 0);
    legend->addWidget(filledText, 1, 1);
    legend->setColumnStretch(1, 1);
    auto* l = new QVBoxLayout(page);
    l->addLayout(top);
    l->addLayout(legend);
    l->addStretch(1);
    Pages->addTab(page, QStringLiteral("View   "));
}

void TVlqGamePrefForm::buildToolsPage() {
    auto* page = new QWidget;
    DictEdit = new QLineEdit(page);
    DictBtn = new QPushButton(QStringLiteral("Browse..."), page);
    ThesEdit = new QLineEdit(page);
    ThesBtn = new QPushButton(QStringLiteral("Browse..."), page);
    auto* l = new QGridLayout(page);
    l->addWidget(new QLabel(QStringLiteral("Dictionary"), page), 0, 0, 1, 2);
    l->addWidget(DictEdit, 1, 0);
    l->addWidget(DictBtn, 1, 1);
    l->addWidget(new QLabel(QStringLiteral("Thesaurus"), page), 2, 0, 1, 2);
    l->addWidget(ThesEdit, 3, 0);
    l->addWidget(ThesBtn, 3, 1);
    l->setRowStretch(4, 1);
    Pages->addTab(page, QStringLiteral("Tools   "));
}

void TVlqGamePrefForm::buildFontsPage() {
    auto* page = new QWidget;
    SolveList = new QListWidget(page);
    SolveList->setFixedSize(185, 186);
    SolveList->setUniformItemSizes(true);
    SolveFontBtn = new QPushButton(QStringLiteral("Set Font..."), page);
    SolveFontBtn->setToolTip(QStringLiteral("Select a typeface for the clue list in Solve mode (preview at left)"));
    auto* right = new QVBoxLayout;
    right->addWidget(SolveFontBtn);
    right->addStretch(1);
    auto* l = new QHBoxLayout(page);
    l->addWidget(SolveList, 0, Qt::AlignTop);
    l->addLayout(right);
    Pages->addTab(page, QStringLiteral("Fonts   "));
}

TVlqGamePrefForm::FontChoice TVlqGamePrefForm::gridFont() const {
    return {GridPad->font(), GridPad->palette().color(QPalette::WindowText)};
}

TVlqGamePrefForm::FontChoice TVlqGamePrefForm::solveFont() const { return {SolveList->font(), solveColour_}; }

void TVlqGamePrefForm::setGridFont(const FontChoice& f) {
    GridPad->setFont(f.font);
    QPalette pal = GridPad->palette();
    pal.setColor(QPalette::WindowText, f.colour);
    GridPad->setPalette(pal);
    GridPad->update();
}

void TVlqGamePrefForm::setSolveFont(const FontChoice& f) {
    solveColour_ = f.colour;
    SolveList->setFont(f.font);
    QPalette pal = SolveList->palette();
    pal.setColor(QPalette::Text, f.colour);
    SolveList->setPalette(pal);
    for (int i = 0; i < SolveList->count(); ++i) SolveList->item(i)->setSizeHint(QSize(0, 17));
}

void TVlqGamePrefForm::showSwatches() {
    QPalette b = BlankSwatch->palette();
    b.setColor(QPalette::Window, blankColour);
    BlankSwatch->setPalette(b);
    QPalette f = FilledSwatch->palette();
    f.setColor(QPalette::Window, filledColour);
    FilledSwatch->setPalette(f);
}

void TVlqGamePrefForm::showEvent(QShowEvent* event) {
    LoadControls();
    QDialog::showEvent(event);
    SaveBtn->setFocus();
}

void TVlqGamePrefForm::LoadControls() {
    using namespace VlqSetting;
    Pages->setCurrentIndex(GeneralPage);
    HighContrastBtn->setVisible(game().aids.legibleLetters);
    DarkBtn->setVisible(game().aids.legibleLetters);

    SaveAllChk->setEnabled(!game().currentPuzzlePath.isEmpty());
    SaveAllChk->setChecked(readOr(ScreenBoundsGrid).has_value());
    const int sounds = readOr(PlaySounds);
    SoundChk->setChecked(sounds != 0);
    SpeechChk->setChecked(sounds == 2);
    CursorsChk->setChecked(readOr(UseCursors) != 0);
    SolveChk->setChecked(readOr(SolveHLOn) != 31);
    Aids->load();

    filledColour = readOr(FilledSqColor);
    blankColour = readOr(BlankSqColor);
    showSwatches();

    const QColor fontColour = readOr(FontColor);
    const QString fontName = readOr(FontName);
    const int fontSize = readOr(FontSize);
    const int fontStyle = readOr(FontStyle);
    setGridFont({vlq::settingsFont(fontName, fontSize, fontStyle), fontColour});

    DictEdit->setText(readOr(DictPath));
    ThesEdit->setText(readOr(ThesPath));

    const QColor solveColour = readOr(SolveFontColor);
    const QString solveName = readOr(SolveFontName);
    const int solveSize = readOr(SolveFontSize);
    const int solveStyle = readOr(SolveFontStyle);
    SolveList->clear();
    for (int n = 10; n < 10 + kSampleLines; ++n)
        SolveList->addItem(QString::number(n) + QStringLiteral(" Vorlaquince puzzle clue"));
    setSolveFont({vlq::settingsFont(solveName, solveSize, solveStyle), solveColour});
}

void TVlqGamePrefForm::SoundChkClick() {
    if (!SoundChk->isChecked()) SpeechChk->setChecked(false);
}

void TVlqGamePrefForm::SpeechChkClick() {
    if (SpeechChk->isChecked()) SoundChk->setChecked(true);
}

void TVlqGamePrefForm::FontBtnClick() {
    const FontChooser& choose = s_fontChooser ? s_fontChooser : FontChooser([](QWidget* parent, const FontChoice& f) {
        return askFont(parent, f, QStringLiteral("Grid Font"));
    });
    if (const std::optional<FontChoice> f = choose(this, gridFont())) setGridFont(*f);
    GridPad->update();
}

void TVlqGamePrefForm::SolveFontBtnClick() {
    const FontChooser& choose = s_fontChooser ? s_fontChooser : FontChooser([](QWidget* parent, const FontChoice& f) {
        return askFont(parent, f, QStringLiteral("Clue List Font"));
    });
    if (const std::optional<FontChoice> f = choose(this, solveFont())) setSolveFont(*f);
}

void TVlqGamePrefForm::ColorGrid1Released(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        blankColour = paletteColour(paletteIndex_);
    else
        filledColour = paletteColour(paletteIndex_);
    showSwatches();
    GridPad->update();
}

QString TVlqGamePrefForm::browse(const QString& title, const QString& filter) {
    const FileChooser& choose = s_fileChooser ? s_fileChooser : FileChooser(askFile);
    return choose(this, title, filter);
}

// Programs end in .EXE on Windows only; elsewhere the dialog starts on
// every file, with the .EXE filter one choice away.
static QString programFilter(const QString& kind) {
    const QString exe = kind + QStringLiteral(" Files (*.EXE *.exe)");
    const QString all = QStringLiteral("All Files (*)");
#ifdef Q_OS_WIN
    return exe + QStringLiteral(";;") + all;
#else
    return all + QStringLiteral(";;") + exe;
#endif
}

void TVlqGamePrefForm::DictBtnClick() {
    const QString path = browse(QStringLiteral("Link Dictionary"), programFilter(QStringLiteral("Dictionary")));
    if (!path.isEmpty()) DictEdit->setText(path);
}

void TVlqGamePrefForm::ThesBtnClick() {
    const QString path = browse(QStringLiteral("Link Thesaurus"), programFilter(QStringLiteral("Thesaurus")));
    if (!path.isEmpty()) ThesEdit->setText(path);
}

void TVlqGamePrefForm::DefaultsBtnClick() {
    switch (Pages->currentIndex()) {
    case GeneralPage:
        SoundChk->setChecked(true);
        for (QCheckBox* c : {SpeechChk, CursorsChk, SolveChk, SaveAllChk}) c->setChecked(false);
        break;
    case ViewPage:
        blankColour = QColor(0xFFFFFF);
        filledColour = QColor(QRgb(0x000000));
        setGridFont(defaultGridFont());
        showSwatches();
        GridPad->update();
        break;
    case ToolsPage: // back to the saved paths, not empty ones
        DictEdit->setText(readOr(VlqSetting::DictPath));
        ThesEdit->setText(readOr(VlqSetting::ThesPath));
        break;
    case FontsPage:
        setSolveFont(defaultSolveFont());
        break;
    case AidsPage:
        Aids->defaults();
        break;
    default:
        break;
    }
}

void TVlqGamePrefForm::SaveBtnClick() {
    using namespace VlqSetting;
    TVlqProcs::WriteSetting(PlaySounds, SpeechChk->isChecked() ? 2 : SoundChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(UseCursors, CursorsChk->isChecked() ? 1 : 0);
    TVlqProcs::WriteSetting(SolveHLOn, SolveChk->isChecked() ? 0 : 31);

    const FontChoice grid = gridFont();
    TVlqProcs::WriteSetting(FilledSqColor, filledColour);
    TVlqProcs::WriteSetting(BlankSqColor, blankColour);
    TVlqProcs::WriteSetting(FontColor, grid.colour);
    TVlqProcs::WriteSetting(FontName, grid.font.family());
    TVlqProcs::WriteSetting(FontSize, grid.font.pointSize() > 0 ? grid.font.pointSize() : 11);
    TVlqProcs::WriteSetting(FontStyle, styleNumber(grid.font));

    TVlqProcs::WriteSetting(DictPath, DictEdit->text());
    TVlqProcs::WriteSetting(ThesPath, ThesEdit->text());

    const FontChoice solve = solveFont();
    TVlqProcs::WriteSetting(SolveFontName, solve.font.family());
    TVlqProcs::WriteSetting(SolveFontColor, solve.colour);
    TVlqProcs::WriteSetting(SolveFontSize, solve.font.pointSize() > 0 ? solve.font.pointSize() : 11);
    TVlqProcs::WriteSetting(SolveFontStyle, styleNumber(solve.font));
    Aids->save();
    accept();
}
