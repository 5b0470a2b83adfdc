// The service module: error box, questions, the delay that keeps the event
// loop alive, puzzle load and save, moving a puzzle to the trash, and the
// settings store. Settings and dialogs are static so every window can use
// them without holding the module.
#pragma once
#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/PuzzleRecord.h"
#include "core/VlqError.h"
#include "core/SettingsText.h"
#include "game/SettingsTable.h"

namespace vlq {
struct WriteResult;
}

class TVlqProcs : public QObject {
    Q_OBJECT
public:
    // Computes the default square size and the frame size from the screen
    // into game(), and registers itself as game().procs.
    explicit TVlqProcs(QObject* parent = nullptr);
    ~TVlqProcs() override;

    // --- messages -----------------------------------------------------------
    // Modal error box (error icon, one OK button), preceded by the error
    // sound when sounds are on.
    static void ErrorBox(const QString& text);
    // Modal Yes/No question; true only for Yes.
    static bool Question(const QString& text);
    // The application's general error report for an error no handler
    // caught: the error's text (with a closing full stop) in an error box
    // titled with the application title. No sound.
    static void ReportException(const QString& text);
    // Test seam: when set, ErrorBox, Question and ReportException call it
    // instead of showing a box (isQuestion tells which); its result answers a
    // question.
    using PromptHook = std::function<bool(const QString& text, bool isQuestion)>;
    static void SetPromptHook(PromptHook hook);
    // Modal information box (one OK button), no sound. Goes to the prompt
    // hook as an error box does.
    static void Inform(const QString& text);

    // Waits ms milliseconds while painting and input go on being handled.
    static void Delay(int ms);

    // --- puzzle files -------------------------------------------------------
    // Reads the first 11519 bytes of path into game().puzzle and remembers
    // the file as read (game().lastOnDisk). Only a regular file is read, and
    // it is opened without blocking, so a pipe or a device of that name is
    // refused at once; a read-only file reads as any other. The live record
    // changes only when the whole record was read and accepted; the
    // modified flag is not touched. Throws vlq::IoError: 2 "File not
    // found", 3 "Path not found", 5 "File access denied" (also for a
    // folder, pipe or device), 100 "Read beyond end of file", 106 for a
    // record whose sizes or codes lie outside the grid.
    static void LoadPuzzle(const QString& path);
    // The record in the file at path, read and checked as LoadPuzzle does,
    // without touching game(). Throws as LoadPuzzle does.
    static vlq::PuzzleRecord ReadPuzzleFile(const QString& path);
    // Writes game().puzzle to path through a temporary file renamed over the
    // target, clears the modified flag and remembers the file as written.
    // A writable file in a folder that refuses new files is overwritten in
    // place instead. On failure (vlq::IoError 3, 5 or 101, its text naming
    // the file) the old file stays whole and the flag stays as it was. No
    // check for changes made by other programs: see game/PuzzleSave.h.
    static void SavePuzzle(const QString& path);
    // The writing step of SavePuzzle for any record: the file holds either
    // its old bytes or the whole record, never a part, and the folder is
    // synced after the rename. Throws vlq::IoError 3, 5 or 101.
    static void WritePuzzleFile(const QString& path, const vlq::PuzzleRecord& record);
    // The error a failed write of the shared writer (core/FileAccess) is
    // reported with: 3, 5, or 101 with its cause when the system told one.
    static vlq::IoError WriteError(const vlq::WriteResult& result);
    // The one step after the letters are safe (saved, read back from the
    // file, recycled): the modified flag clears and the puzzle's recovery
    // copy goes, together.
    static void LettersSafe(const QString& path);
    // Moves the file to the trash and clears the modified flag. False when
    // it could not be moved: the file and the flag are then untouched.
    static bool RecyclePuzzle(const QString& path);

    // --- settings store (one value per call, nothing cached) --------------
    // Stored value, or def when absent. A stored value of the other kind, or
    // a malformed one, throws vlq::SettingsError naming the value.
    static int ReadSetting(const QString& name, int def);
    static QString ReadSetting(const QString& name, const QString& def);
    static QString ReadSetting(const QString& name, const char* def) {
        return ReadSetting(name, QString::fromLatin1(def));
    }
    // Writing a value that cannot be stored throws vlq::SettingsError.
    static void WriteSetting(const QString& name, int value);
    static void WriteSetting(const QString& name, const QString& value);
    static void WriteSetting(const QString& name, const char* value) {
        WriteSetting(name, QString::fromLatin1(value));
    }
    static void WriteBounds(const QString& name, int left, int top, int width, int height);

    // The values of the settings table (settings/SettingsTable.h), each with
    // its one default.
    static int ReadSetting(const VlqSetting::Integer& s);
    static int ReadSetting(const VlqSetting::SquareSize& s); // default game().defaultSquareSize
    static QString ReadSetting(const VlqSetting::Text& s);
    static QColor ReadSetting(const VlqSetting::Colour& s);
    // nullopt when empty; malformed text throws vlq::SettingsError.
    static std::optional<vlq::Bounds> ReadSetting(const VlqSetting::Bounds& s);
    // The table's default of each value, as ReadSetting hands it back.
    static int DefaultOf(const VlqSetting::Integer& s) { return s.def; }
    static QString DefaultOf(const VlqSetting::Text& s);
    static QColor DefaultOf(const VlqSetting::Colour& s);
    static std::optional<vlq::Bounds> DefaultOf(const VlqSetting::Bounds&) { return std::nullopt; }
    static void WriteSetting(const VlqSetting::Integer& s, int value) { WriteSetting(name(s.name), value); }
    static void WriteSetting(const VlqSetting::SquareSize& s, int value) { WriteSetting(name(s.name), value); }
    static void WriteSetting(const VlqSetting::Text& s, const QString& value) { WriteSetting(name(s.name), value); }
    static void WriteSetting(const VlqSetting::Colour& s, const QColor& c) { WriteSetting(name(s.name), ColourToText(c)); }
    static void WriteBounds(const VlqSetting::Bounds& s, int left, int top, int width, int height) {
        WriteBounds(name(s.name), left, top, width, height);
    }

    // Colour setting read as colour text (def e.g. "clBlack"); malformed
    // text throws vlq::SettingsError naming the value.
    static QColor ReadColour(const QString& name, const char* def);
    // Colour text of c: its name when it has one, else "$" + 8 hex digits.
    static QString ColourToText(const QColor& c);
    // The colour that colour text stands for (system colour names give the
    // current palette's colour); nullopt when the text is not colour text.
    static std::optional<QColor> ColourFromText(const QString& text);
    // Bounds text read from the named value; nullopt when the text is empty,
    // vlq::SettingsError naming the value when it is not four integers.
    static std::optional<vlq::Bounds> ReadBounds(const QString& name);

private:
    static QString name(std::string_view n) { return QString::fromLatin1(n.data(), qsizetype(n.size())); }
};
