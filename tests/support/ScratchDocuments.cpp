#include "ScratchDocuments.h"

#include <QDir>
#include <QFile>

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
    QFile f(p);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
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

vlq::PuzzleRecord smallPuzzle(int tag) {
    vlq::PuzzleRecord rec;
    rec.setWidth(4);
    rec.setHeight(2);
    const char* rows[2] = {"CAT#", "'DOG"};
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 4; ++c) {
            const char ch = rows[r - 1][c - 1];
            rec.setSolution(c, r, ch == '#' ? vlq::kBlack : std::uint8_t(ch));
        }
    auto answer = [&rec](int k, const char* text, std::initializer_list<vlq::Square> squares) {
        rec.setClue(k, text);
        int j = 1;
        for (const auto& s : squares) {
            rec.setClueSquares(j * 100 + k, s.col * 100 + s.row);
            rec.setSquareClue(s.col, s.row, j * 100 + k);
            ++j;
        }
    };
    answer(1, "Feline", {{1, 1}, {2, 1}, {3, 1}});
    answer(2, "Canine", {{2, 2}, {3, 2}, {4, 2}});
    rec.setByline("Tester");
    rec.setClueSquares(1, tag);
    return rec;
}
