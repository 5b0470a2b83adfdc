#include "TLaunchModule.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>

#include "platform/ToolWindow.h"

namespace {
TLaunchModule* g_instance = nullptr;
constexpr int WindowWaitMs = 1000;
} // namespace

TLaunchModule::TLaunchModule(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("LaunchModule"));
    g_instance = this;
}

TLaunchModule::~TLaunchModule() {
    if (g_instance == this) g_instance = nullptr;
}

TLaunchModule* TLaunchModule::instance() { return g_instance; }

void TLaunchModule::setCurrentTool(int slot) { current_ = qBound(0, slot, ToolSlots - 1); }

qint64 TLaunchModule::processId(int slot) const {
    return slot >= 0 && slot < ToolSlots ? tools_[size_t(slot)].pid : 0;
}

bool TLaunchModule::running(const Tool& t) const {
    if (t.pid <= 0 || t.lifeToken.isEmpty()) return false;
    return vlq::processLifeToken(t.pid) == t.lifeToken;
}

bool TLaunchModule::LaunchTool(const QString& path) {
    Tool& t = tools_[size_t(current_)];
    if (t.window && vlq::raiseToolWindow(t.window)) return true;
    t.window = 0;
    if (t.pid > 0) {
        // The window may have shown up after the start-up wait, been
        // replaced by another one, or belong to the process the started one
        // handed over to (found by the program's window class).
        t.window = vlq::findToolWindow(running(t) ? t.pid : 0, path);
        if (t.window && vlq::raiseToolWindow(t.window)) return true;
        t.window = 0;
        // Where windows cannot be looked up, the live process is all there
        // is to go by. Otherwise a process without a window to show (the
        // player closed it, the tool stays resident) gets a fresh start.
        if (running(t) && !vlq::toolWindowsSupported()) return true;
    }
    return StartTool(path);
}

bool TLaunchModule::StartTool(const QString& path) {
    if (path.isEmpty()) return false;
    qint64 pid = 0;
    if (!QProcess::startDetached(path, QStringList(), QString(), &pid) || pid <= 0) return false;
    Tool& t = tools_[size_t(current_)];
    t.pid = pid;
    t.lifeToken = vlq::processLifeToken(pid);
    t.window = 0;
    if (vlq::toolWindowsSupported()) {
        // Look for the new window while painting and input go on, at most
        // WindowWaitMs.
        const QDeadlineTimer deadline(WindowWaitMs);
        while (!t.window && !deadline.hasExpired()) {
            QEventLoop().processEvents(QEventLoop::ExcludeUserInputEvents, 50);
            QThread::msleep(50);
            t.window = vlq::findToolWindow(pid, path);
        }
    }
    return true;
}
