#include "TScoreForm.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

#include <algorithm>

#include "game/GameContext.h"
#include "core/PuzzleRules.h"
#include "core/PuzzleShow.h"
#include "game/ProgressKeeper.h"
#include "views/TGameClockForm.h"
#include "platform/Artwork.h"
#include "platform/TSoundFX.h"
#include "platform/TitleBar.h"
#include "views/TVlqGameGridForm.h"

namespace {

const QColor kNavy(0, 0, 128);  // 8388608 as a BGR colour value
const QColor kRed(255, 0, 0);

QFont arialPixels(int px) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    return f;
}

void setTextColour(QLabel* label, const QColor& c) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}

// The cup for a right grid; a sheet with a crossed-out letter and a pencil
// for one still to mend.
QPixmap picture(const QSize& size, bool correct) {
    return vlq::artwork(correct ? QStringLiteral("images/scorecard") : QStringLiteral("images/scoretry"), size);
}

// While it lives, the player's input goes nowhere: the celebration waits
// with the messages flowing, and a click or key then (a second Score, Solve,
// a shortcut) would run in the middle of the scoring. The card, once up, is
// modal and takes over.
class InputBlock : public QObject {
public:
    InputBlock() { qApp->installEventFilter(this); }
    ~InputBlock() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        case QEvent::Close: // the title bar's close box
            if (!e->spontaneous()) return false;
            e->ignore();
            return true;
        default:
            return false;
        }
    }
};

} // namespace

TScoreForm::TScoreForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    vlq::closeBoxOnly(this);
    setWindowTitle(QStringLiteral("Score Card"));
    setFixedSize(330, 179);

    BannerLbl = new QLabel(QStringLiteral("CONGRATULATIONS!"), this);
    BannerLbl->setFont(arialPixels(24));
    BannerLbl->setGeometry(8, 10, 314, 32);
    BannerLbl->setAlignment(Qt::AlignCenter);
    setTextColour(BannerLbl, kNavy);

    CheatLbl = new QLabel(QStringLiteral("(but you cheated)"), this);
    CheatLbl->setFont(arialPixels(11));
    CheatLbl->setGeometry(8, 44, 314, 16);
    CheatLbl->setAlignment(Qt::AlignCenter);
    setTextColour(CheatLbl, kNavy);
    CheatLbl->hide();

    PictureImg = new QLabel(this);
    PictureImg->setGeometry(226, 64, 96, 112);
    PictureImg->setPixmap(picture(PictureImg->size(), true));
    PictureImg->setAccessibleName(QStringLiteral("Score card picture"));

    // Cancel first: it holds the focus when the card opens, so Enter on a
    // card opened by mistake does no harm.
    CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
    ShowErrsBtn = new QPushButton(QStringLiteral("Show &Errors"), this);
    StartOverBtn = new QPushButton(QStringLiteral("&Start Over"), this);
    DeleteBtn = new QPushButton(QStringLiteral("&Recycle Bin"), this);
    ShowErrsBtn->setGeometry(12, 86, 100, 28);
    StartOverBtn->setGeometry(118, 86, 100, 28);
    DeleteBtn->setGeometry(12, 126, 100, 28);
    CancelBtn->setGeometry(118, 126, 100, 28);
    ShowErrsBtn->setEnabled(false);
    DeleteBtn->setEnabled(false);
    setTabOrder(CancelBtn, ShowErrsBtn);
    setTabOrder(ShowErrsBtn, StartOverBtn);
    setTabOrder(StartOverBtn, DeleteBtn);

    QuoteLbl = new QLabel(this);
    QuoteLbl->setObjectName(QStringLiteral("QuoteLbl"));
    QuoteLbl->setWordWrap(true);
    QuoteLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QuoteLbl->setTextFormat(Qt::PlainText);
    QuoteLbl->setFont(arialPixels(13));
    setTextColour(QuoteLbl, kNavy);
    QuoteLbl->hide();

    connect(CancelBtn, &QPushButton::clicked, this, [this] { done(Cancel); });
    connect(ShowErrsBtn, &QPushButton::clicked, this, [this] { done(ShowErrors); });
    connect(StartOverBtn, &QPushButton::clicked, this, [this] { done(StartOver); });
    connect(DeleteBtn, &QPushButton::clicked, this, [this] { done(Recycle); });
}

bool TScoreForm::FormShow() {
    GameContext& g = game();
    const bool correct = vlq::isCorrect(g.puzzle);
    PictureImg->setPixmap(picture(PictureImg->size(), correct));
    if (correct) {
        if (g.soundMode > 0 && g.soundFX) g.soundFX->PlayCorrect();
        if (g.gridForm) g.gridForm->Celebrate();
        ShowErrsBtn->setEnabled(false);
        DeleteBtn->setEnabled(true);
        setTextColour(BannerLbl, kNavy);
        BannerLbl->setText(QStringLiteral("CONGRATULATIONS!"));
        CheatLbl->setVisible(g.gridForm && g.gridForm->cheated());
    } else {
        ShowErrsBtn->setEnabled(true);
        DeleteBtn->setEnabled(false);
        setTextColour(BannerLbl, kRed);
        CheatLbl->hide();
        if (g.soundMode > 0 && g.soundFX) g.soundFX->PlayIncorrect();
        BannerLbl->setText(QStringLiteral("PUZZLE INCORRECT!"));
    }
    showQuotation(correct && g.aids.solvedNotice);
    // A screen reader says the verdict with the card's name when it opens.
    setAccessibleDescription(CheatLbl->isHidden() ? BannerLbl->text() : BannerLbl->text() + u' ' + CheatLbl->text());
    return correct;
}

void TScoreForm::showQuotation(bool on) {
    constexpr int kCardHeight = 179;
    if (!on) {
        QuoteLbl->hide();
        setFixedSize(330, kCardHeight);
        return;
    }
    const vlq::PuzzleRecord& rec = game().puzzle;
    QString text = QString::fromStdString(vlq::quotationText(rec)) + QStringLiteral("\n\u2014 ") +
                   QString::fromStdString(vlq::authorTitleLetters(rec));
    if (game().aids.keepTime && game().progress) {
        const int s = game().progress->seconds();
        text += QStringLiteral("\n\nSolved in ") + TGameClockForm::timeText(s / 3600, s % 3600);
    }
    QuoteLbl->setText(text);
    const int h = QuoteLbl->heightForWidth(314);
    QuoteLbl->setGeometry(8, kCardHeight, 314, h);
    QuoteLbl->show();
    setFixedSize(330, kCardHeight + h + 10);
}

int TScoreForm::ShowModal() {
    {
        const InputBlock block;
        FormShow();
    }
    CancelBtn->setFocus();
    return exec();
}

void TScoreForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // QDialog centres the frame by the frames of the windows on screen. Over
    // the maximized main window (framed without side borders) and before
    // the card's own first framing it finds none and guesses one, and the
    // card sat that guess off centre the first time. Under a window manager
    // the client area is placed instead, wherever the frame then goes: its
    // centre on the main window's, as every opening after the first had it.
    // Where the main window has no frame QDialog's placement stays; where
    // all frames are known alike from the start (offscreen) both agree.
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QWindow* ownerWin = owner ? owner->windowHandle() : nullptr;
    if (e->spontaneous() || !ownerWin || ownerWin->frameMargins().isNull()) return;
    const QPoint origin = owner->mapToGlobal(QPoint(0, 0));
    QPoint at(origin.x() + owner->width() / 2 - width() / 2, origin.y() + owner->height() / 2 - height() / 2);
    if (const QScreen* screen = owner->screen()) {
        // Inside the screen, taking the card's frame to be the main window's.
        const QRect avail = screen->availableGeometry().marginsRemoved(ownerWin->frameMargins());
        at.setX(std::max(avail.left(), std::min(at.x(), avail.right() + 1 - width())));
        at.setY(std::max(avail.top(), std::min(at.y(), avail.bottom() + 1 - height())));
    }
    setGeometry(QRect(at, size()));
    setAttribute(Qt::WA_Moved, false); // placed anew at each opening
}
