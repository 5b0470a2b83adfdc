// A scratch puzzle folder inside the test's own documents folder (the test
// runs with a scratch HOME), emptied when the fixture is made and when it
// goes. Helpers to write puzzle files and copy the built sample puzzles.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/PuzzleRecord.h"

class ScratchDocuments {
public:
    ScratchDocuments();
    ~ScratchDocuments();
    ScratchDocuments(const ScratchDocuments&) = delete;
    ScratchDocuments& operator=(const ScratchDocuments&) = delete;

    // The folder the open dialog lists (with no trailing separator).
    QString puzzleFolder() const { return folder_; }
    QString path(const QString& fileName) const { return folder_ + QLatin1Char('/') + fileName; }

    // Writes bytes or a record as fileName into the puzzle folder; returns
    // the full path.
    QString writeFile(const QString& fileName, const QByteArray& bytes) const;
    QString writePuzzle(const QString& fileName, const vlq::PuzzleRecord& rec) const;
    // Copies the built sample puzzles in; returns their file names (empty
    // when the build has none).
    QStringList copySamples() const;

    void clear() const;

private:
    QString folder_;
};

// The record image as file bytes.
QByteArray recordBytes(const vlq::PuzzleRecord& rec);
// Reads a whole file (empty when it cannot be read).
QByteArray fileBytes(const QString& path);
// Makes bytes the whole content of the file at path; false when it cannot
// be written.
bool writeBytes(const QString& path, const QByteArray& bytes);
// A small valid puzzle: "CAT#" / "'DOG", clues "Feline" and "Canine",
// byline "Tester"; `tag` goes into the unused ClueSquares entry 1 so that
// puzzles can be told apart.
vlq::PuzzleRecord smallPuzzle(int tag = 0);
