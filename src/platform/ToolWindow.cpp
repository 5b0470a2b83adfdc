// Process lookups read /proc on Linux; other systems have no token, so a
// started tool is treated as ended and started again when its window
// cannot be found.
#include "ToolWindow.h"

#include <QFile>

namespace vlq {

QString processLifeToken(qint64 pid) {
#if defined(Q_OS_LINUX)
    if (pid <= 0) return {};
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return {};
    const QByteArray line = stat.read(4096);
    // "pid (comm) state ppid ... starttime": comm may hold spaces and
    // brackets, so the fields start after the last ')'.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0) return {};
    const QList<QByteArray> fields = line.mid(close + 1).simplified().split(' ');
    // fields[0] is the state (field 3); the start time is field 22.
    if (fields.size() < 20) return {};
    const QByteArray state = fields.at(0);
    if (state == "Z" || state == "X" || state == "x") return {}; // ended, not yet reaped
    return QString::fromLatin1(fields.at(19));
#else
    Q_UNUSED(pid);
    return {};
#endif
}

} // namespace vlq
