// Systems without a window lookup by process: nothing is ever found, and
// tools are started again once their process has ended.
#include "ToolWindow.h"

#include <QtGui/qtguiglobal.h>

#if !(defined(Q_OS_UNIX) && !defined(Q_OS_MACOS) && __has_include(<xcb/xcb.h>) && QT_CONFIG(xcb))
namespace vlq {
bool toolWindowsSupported() { return false; }
quintptr findToolWindow(qint64, const QString&) { return 0; }
bool raiseToolWindow(quintptr) { return false; }
bool windowManagerIgnoresButtonHints() { return false; }
void preferToolbarType(quintptr) {}
} // namespace vlq
#endif
