#include "PuzzleFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/DataFolder.h"

QString puzzleFolderPath() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) return {};
    return documents + QStringLiteral("/Marlowick/Puzzles");
}

int ensureSamplePuzzles() {
    const QString folder = puzzleFolderPath();
    if (folder.isEmpty()) return 0;
    QDir dir(folder);
    // Name filters match without regard to case: "Mine.VLQ" is a puzzle too.
    const QStringList puzzleFilter{QStringLiteral("*.vlq")};
    if (dir.exists() && !dir.entryList(puzzleFilter, QDir::Files | QDir::Hidden | QDir::System).isEmpty())
        return 0;
    if (!dir.mkpath(QStringLiteral("."))) return 0;

    const QString sampleFolder = dataFilePath(QStringLiteral("puzzles"));
    if (sampleFolder.isEmpty()) return 0;
    int copied = 0;
    const QDir samples(sampleFolder);
    for (const QString& name : samples.entryList(puzzleFilter, QDir::Files, QDir::Name)) {
        const QString target = dir.filePath(name);
        // QFile::copy refuses an existing target as well; the check states
        // the promise where it is kept.
        if (QFileInfo::exists(target)) continue;
        if (!QFile::copy(samples.filePath(name), target)) continue;
        // Copies of installed files may be read-only; the player saves progress into them.
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        ++copied;
    }
    return copied;
}
