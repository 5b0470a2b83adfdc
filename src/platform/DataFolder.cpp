#include "DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString dataFolderPath() {
    // Looked up anew on every call: the answer is a few stat() calls, and
    // nothing stale survives a test that swaps folders.
    const QString programDir = QCoreApplication::applicationDirPath();
    if (programDir.isEmpty()) return {};
    for (const char* candidate : {"/../share/vorlaquince", "/share/vorlaquince"}) {
        const QFileInfo info(programDir + QLatin1String(candidate));
        if (info.isDir()) return info.canonicalFilePath();
    }
    return {};
}

QString dataFilePath(const QString& relative) {
    const QString folder = dataFolderPath();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + relative;
}
