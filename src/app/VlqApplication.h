// Program start: the application object, the long-lived windows in their
// order, the message loop.
#pragma once
#include <QApplication>

// The application object. Its notify() is the general error report: an
// exception that escapes an event handler is shown with its standard text
// (TVlqProcs::ReportException) and the program goes on.
class VlqApplication : public QApplication {
    Q_OBJECT
public:
    VlqApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    static constexpr const char* Title = "Vorlaquince 6 Game";
};

class TVlqGameMainForm;

// From now on SIGTERM, SIGHUP and SIGINT end the game through
// form->endOnSignal(): saved or copied aside, and gone within two seconds.
void endGameOnSignals(TVlqGameMainForm* form);

// Runs the whole program; returns its exit code.
int runVorlaquince(int argc, char** argv);

// Shows the exception being handled in the general error report; call only
// inside a catch block.
void reportCurrentException();

// Runs fn; an exception leaving it is shown by the general error report.
// For the edges of handlers that Qt calls, so no exception unwinds through
// the toolkit's own frames.
template <typename Fn>
void guarded(Fn&& fn) {
    try {
        fn();
    } catch (...) {
        reportCurrentException();
    }
}
