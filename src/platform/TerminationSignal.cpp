#include "TerminationSignal.h"

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler only writes one byte into a socket pair; the notifier reads it
// on the event loop (the classic self-pipe: nothing else is safe in a handler).
int signalSockets[2] = {-1, -1};

extern "C" void onSignal(int) {
    const char byte = 1;
    // Nothing to do about a full or closed socket inside a handler.
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

} // namespace

void onTerminationSignal(QObject* context, std::function<void()> closeGame) {
    static QPointer<QSocketNotifier> notifier;
    if (signalSockets[0] < 0) {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0) return;
        // A handler must never block, even on a socket nobody empties.
        ::fcntl(signalSockets[0], F_SETFL, O_NONBLOCK);
    }
    delete notifier;
    notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [closeGame = std::move(closeGame)] {
        char bytes[16];
        [[maybe_unused]] const ssize_t got = ::read(signalSockets[1], bytes, sizeof bytes);
        closeGame();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
    // Once the context is gone the signals end the process again, as usual.
    QObject::connect(notifier, &QObject::destroyed, [] {
        for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::signal(sig, SIG_DFL);
    });
}

void ignoreFileSizeSignal() { ::signal(SIGXFSZ, SIG_IGN); }

#else

void onTerminationSignal(QObject*, std::function<void()>) {}
void ignoreFileSizeSignal() {}

#endif
