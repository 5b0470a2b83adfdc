#include "ScratchDocuments.h"

#include <QDir>
#include <QFile>

#include "core/PuzzleFixture.h"
#include "services/PuzzleFolder.h"

ScratchDocuments::ScratchDocuments() {
    folder_ = QDir::cleanPath(puzzleFolderPath());
    clear();
}

ScratchDocuments::~ScratchDocuments() { clear(); }

void ScratchDocuments::clear() const {
    QDir(folder_).removeRecursively();
    QDir().mkpath(folder_);
}

QString ScratchDocuments::writeFile(const QString& fileName, const QByteArray& bytes) const {
    const QString p = path(fileName);
    writeBytes(p, bytes);
    return p;
}

QString ScratchDocuments::writePuzzle(const QString& fileName, const vlq::PuzzleRecord& rec) const {
    return writeFile(fileName, recordBytes(rec));
}

QStringList ScratchDocuments::copySamples() const {
    QStringList names;
    const QDir samples(QStringLiteral(VLQ_SAMPLE_DIR));
    for (const QString& name : samples.entryList({QStringLiteral("*.vlq")}, QDir::Files, QDir::Name)) {
        if (QFile::copy(samples.filePath(name), path(name))) names << name;
    }
    return names;
}

QByteArray recordBytes(const vlq::PuzzleRecord& rec) {
    return QByteArray(reinterpret_cast<const char*>(rec.bytes().data()), qsizetype(rec.bytes().size()));
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

vlq::PuzzleRecord smallPuzzle(int tag) {
    vlq::PuzzleRecord rec = fixture::small();
    rec.setClueSquares(1, tag);
    return rec;
}
