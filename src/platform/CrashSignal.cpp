#include "CrashSignal.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cstddef>

namespace {

constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr std::size_t kCount = sizeof kCrashSignals / sizeof kCrashSignals[0];

void (*volatile theLastWords)() = nullptr;
struct sigaction previous[kCount];
volatile sig_atomic_t spoken = 0;
// A stack of its own, so that a stack overflow still gets its last words.
alignas(16) char alternateStack[64 * 1024];

extern "C" void onCrash(int sig, siginfo_t* info, void*) {
    if (!spoken) {
        spoken = 1;
        if (void (*words)() = theLastWords) words();
    }
    // The signal's earlier handling takes over: a fault comes again when
    // its instruction runs again, a signal sent (kill, abort) is sent again.
    for (std::size_t i = 0; i < kCount; ++i)
        if (kCrashSignals[i] == sig) ::sigaction(sig, &previous[i], nullptr);
    if (info == nullptr || info->si_code <= 0) ::raise(sig);
}

} // namespace

void onCrashSignal(void (*lastWords)()) {
    static bool installed = false;
    theLastWords = lastWords;
    if (installed) return;
    installed = true;
    stack_t current{};
    if (::sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE)) {
        stack_t mine{};
        mine.ss_sp = alternateStack;
        mine.ss_size = sizeof alternateStack;
        ::sigaltstack(&mine, nullptr);
    }
    struct sigaction action {};
    action.sa_sigaction = onCrash;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    for (std::size_t i = 0; i < kCount; ++i) ::sigaction(kCrashSignals[i], &action, &previous[i]);
}

#else

void onCrashSignal(void (*)()) {}

#endif
