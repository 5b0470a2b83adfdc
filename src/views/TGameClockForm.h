// The solving clock: a small borderless window, always on top, that counts
// the time spent on the current puzzle as H:MM:SS (0:00:00 to 9:59:59, then
// round again) and has one button to pause and restart it. One instance is
// made at start-up, hidden, with its timer already running; showing it
// starts the timer and sets the count back to zero. Nothing else reads the
// count and it is never saved.
//
// With the aid keepTime the clock shows the open puzzle's kept time instead
// (game().progress, which counts while the game's window is active and
// stores it): its own timer stays stopped, showing it keeps the time, and
// the button pauses and resumes the kept count.
#pragma once
#include <QWidget>

class QLabel;
class QTimer;
class QToolButton;

class TGameClockForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 106;
    static constexpr int ClientHeight = 26;

    explicit TGameClockForm(QWidget* parent = nullptr);

    // Count 0, shown as "0:00:00"; the timer is left as it is.
    void ResetClock();
    // One second more: Seconds rolls over at 3600 into Hours, and Hours
    // after 9 back to 0; then the label shows the new time.
    void Timer1Timer();
    // Stops a running timer or starts a stopped one; the button's hint then
    // names what the next click does. The shown time stays.
    void PauseBtnClick();

    // The shown time of a count: Hours, then minutes and seconds as two
    // digits each.
    static QString timeText(int hours, int seconds);
    // Shows a kept time of totalSeconds (hours beyond 9 keep counting).
    void showElapsed(int totalSeconds);

    QLabel* Image1 = nullptr;
    QLabel* TimeLbl = nullptr;
    QToolButton* PauseBtn = nullptr;
    QTimer* Timer1 = nullptr;

    int Seconds = 0;  // seconds within the current hour, 0..3599
    int Hours = 0;    // whole hours, 0..9 (more for a kept time)

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Moves the window to the right edge of the screen.
    void FormCreate();
    // Starts the timer and resets the count.
    void FormShow();
    void setPauseHint(const QString& hint);
};
