#include "TGameClockForm.h"

#include <QApplication>
#include <algorithm>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

#include "game/GameContext.h"
#include "game/ProgressKeeper.h"
#include "platform/Artwork.h"
#include "platform/SystemMetrics.h"

namespace {

const QString kPauseHint = QStringLiteral("Pause clock");
const QString kStartHint = QStringLiteral("Start clock");

constexpr int kSecondsPerHour = 3600;
constexpr int kHourWrap = 10; // the display has one digit for hours

} // namespace

TGameClockForm::TGameClockForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("GameClockForm"));
    setWindowTitle(QStringLiteral("Clock"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 104, 26);
    Image1->setPixmap(vlq::artwork(QStringLiteral("images/clock"), QSize(104, 26)));

    TimeLbl = new QLabel(timeText(0, 0), this);
    TimeLbl->setObjectName(QStringLiteral("TimeLbl"));
    TimeLbl->setGeometry(30, 2, 69, 22);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(19);
    font.setBold(true);
    TimeLbl->setFont(font);
    QPalette lp = TimeLbl->palette();
    lp.setColor(QPalette::WindowText, QColor(255, 255, 0));
    TimeLbl->setPalette(lp);
    TimeLbl->setAccessibleDescription(QStringLiteral("Time spent on this puzzle"));
    Image1->setAccessibleName(QStringLiteral("Clock face"));

    PauseBtn = new QToolButton(this);
    PauseBtn->setObjectName(QStringLiteral("PauseBtn"));
    PauseBtn->setGeometry(1, 3, 20, 20);
    PauseBtn->setAutoRaise(true);
    PauseBtn->setFocusPolicy(Qt::NoFocus);
    PauseBtn->setIconSize(QSize(16, 16));
    PauseBtn->setIcon(QIcon(vlq::artwork(QStringLiteral("images/clockpause"), QSize(16, 16))));
    setPauseHint(kPauseHint);
    connect(PauseBtn, &QToolButton::clicked, this, &TGameClockForm::PauseBtnClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TGameClockForm::Timer1Timer);
    Timer1->start();

    FormCreate();
}

QString TGameClockForm::timeText(int hours, int seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(hours)
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// The button's hint is also its name for a screen reader.
void TGameClockForm::setPauseHint(const QString& hint) {
    PauseBtn->setToolTip(hint);
    PauseBtn->setAccessibleName(hint);
}

void TGameClockForm::FormCreate() { move(SystemMetrics::screenWidth() - width(), y()); }

void TGameClockForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TGameClockForm::FormShow() {
    if (const ProgressKeeper* kept = game().aids.keepTime ? game().progress : nullptr) {
        Timer1->stop();
        showElapsed(kept->seconds());
        setPauseHint(kept->paused() ? kStartHint : kPauseHint);
        return;
    }
    Timer1->start();
    ResetClock();
    setPauseHint(kPauseHint);
}

void TGameClockForm::ResetClock() {
    Seconds = 0;
    Hours = 0;
    TimeLbl->setText(timeText(Hours, Seconds));
}

void TGameClockForm::showElapsed(int totalSeconds) {
    totalSeconds = std::max(0, totalSeconds);
    Hours = totalSeconds / kSecondsPerHour;
    Seconds = totalSeconds % kSecondsPerHour;
    TimeLbl->setText(timeText(Hours, Seconds));
}

void TGameClockForm::Timer1Timer() {
    if (game().aids.keepTime && game().progress) return; // the kept time is shown instead
    ++Seconds;
    if (Seconds >= kSecondsPerHour) {
        Hours = (Hours + 1) % kHourWrap;
        Seconds = 0;
    }
    TimeLbl->setText(timeText(Hours, Seconds));
}

void TGameClockForm::PauseBtnClick() {
    if (ProgressKeeper* kept = game().aids.keepTime ? game().progress : nullptr) {
        kept->setPaused(!kept->paused());
        setPauseHint(kept->paused() ? kStartHint : kPauseHint);
        return;
    }
    if (Timer1->isActive())
        Timer1->stop();
    else
        Timer1->start();
    setPauseHint(Timer1->isActive() ? kPauseHint : kStartHint);
}
