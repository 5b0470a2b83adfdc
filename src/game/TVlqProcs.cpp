#include "TVlqProcs.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPalette>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <span>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

#include "GameContext.h"
#include "ProgramBox.h"
#include "PuzzleLock.h"
#include "RecoveryCopy.h"
#include "game/CheckMarks.h"
#include "game/LetterHistory.h"
#include "game/PlayerLetters.h"
#include "game/WholeClues.h"

#include "core/FileAccess.h"
#include "core/PuzzleCheck.h"
#include "core/SettingsText.h"
#include "core/VlqError.h"
#include "platform/SystemMetrics.h"
#include "game/SettingsStore.h"

#include "platform/Trash.h"
#include "platform/TSoundFX.h"

namespace {

// The caption of the program's own boxes: the application title.
const QString kBoxTitle = QStringLiteral("Vorlaquince 6 Game");

TVlqProcs::PromptHook& promptHook() {
    static TVlqProcs::PromptHook hook;
    return hook;
}

[[noreturn]] void kindError(const QString& name) {
    throw vlq::SettingsError(("Invalid data type for '" + name + "'").toStdString());
}

// The stored value of name, or an invalid QVariant when there is none.
QVariant storedValue(const QString& name) {
    auto s = SettingsStore::open();
    return s.value(name);
}

void storeValue(const QString& name, const QVariant& value) {
    auto s = SettingsStore::open();
    s.setValue(name, value);
    s.sync();
    if (s.status() != QSettings::NoError)
        throw vlq::SettingsError(("Failed to set data for '" + name + "'").toStdString());
}

// The error for a file that could not be opened: 3 for a missing folder,
// 2 for a missing file, else 5.
vlq::IoError openError(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!info.dir().exists()) return vlq::IoError(3, "Path not found");
        return vlq::IoError::fileNotFound();
    }
    return vlq::IoError::accessDenied();
}

QColor systemColour(std::uint32_t index) {
    // Indexes of the Windows system colours (COLOR_SCROLLBAR = 0 ...).
    const QPalette p = QApplication::palette();
    switch (index) {
    case 5: return p.color(QPalette::Base);             // clWindow
    case 6: return p.color(QPalette::Shadow);           // clWindowFrame
    case 7: case 8: return p.color(QPalette::Text);     // clMenuText, clWindowText
    case 12: return p.color(QPalette::Dark);            // clAppWorkSpace
    case 13: return p.color(QPalette::Highlight);
    case 14: return p.color(QPalette::HighlightedText);
    case 16: return p.color(QPalette::Mid);             // clBtnShadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text); // clGrayText
    case 18: return p.color(QPalette::ButtonText);
    case 20: return p.color(QPalette::Light);           // clBtnHighlight
    case 21: return p.color(QPalette::Shadow);          // cl3DDkShadow
    case 22: return p.color(QPalette::Midlight);        // cl3DLight
    case 23: return p.color(QPalette::ToolTipText);     // clInfoText
    case 24: return p.color(QPalette::ToolTipBase);     // clInfoBk
    default: return p.color(QPalette::Button);          // clBtnFace and the rest
    }
}

} // namespace

TVlqProcs::TVlqProcs(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("VlqProcs"));
    game().defaultSquareSize = SystemMetrics::defaultSquareSize();
    game().frameSize = SystemMetrics::frameSize();
    game().procs = this;
}

TVlqProcs::~TVlqProcs() {
    if (game().procs == this) game().procs = nullptr;
}

// --- messages ---------------------------------------------------------------

void TVlqProcs::SetPromptHook(PromptHook hook) { promptHook() = std::move(hook); }

void TVlqProcs::ErrorBox(const QString& text) {
    if (game().soundMode > 0 && game().soundFX) game().soundFX->PlayErrorSound();
    if (promptHook()) {
        promptHook()(text, false);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Ok, QApplication::activeWindow());
    execProgramBox(box);
}

void TVlqProcs::Inform(const QString& text) {
    if (promptHook()) {
        promptHook()(text, false);
        return;
    }
    QMessageBox box(QMessageBox::Information, kBoxTitle, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    execProgramBox(box);
}

bool TVlqProcs::Question(const QString& text) {
    if (promptHook()) return promptHook()(text, true);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    return execProgramBox(box) == QMessageBox::Yes;
}

void TVlqProcs::ReportException(const QString& text) {
    QString message = text.trimmed();
    if (message.isEmpty()) message = QStringLiteral("Unexpected error");
    if (!message.endsWith(QLatin1Char('.'))) message += QLatin1Char('.');
    if (promptHook()) {
        promptHook()(message, false);
        return;
    }
    QMessageBox box(QMessageBox::Critical, kBoxTitle, message, QMessageBox::Ok,
                    QApplication::activeWindow());
    execProgramBox(box);
}

void TVlqProcs::Delay(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// --- puzzle files -------------------------------------------------------------

namespace {

// The first record's worth of the regular file at path, read without
// blocking; throws the load's IoErrors.
vlq::FileContents readRecordFile(const QString& path) {
    vlq::FileContents file = vlq::readRegularFile(QFile::encodeName(path).toStdString(), vlq::kRecordSize);
    switch (file.fault) {
    case vlq::ReadFault::None: return file;
    case vlq::ReadFault::NotFound: throw openError(path);
    default: throw vlq::IoError::accessDenied(); // refused, unreadable, or a folder, a pipe or a device
    }
}

vlq::PuzzleRecord recordOf(const vlq::FileContents& file) {
    vlq::PuzzleRecord rec;
    rec.loadBytes(std::span(reinterpret_cast<const std::uint8_t*>(file.data.data()), file.data.size()));
    // A grid whose squares and answers do not name each other cannot be
    // played (letters land in the wrong answer, squares of no answer take
    // letters and can never score): such a file is corrupt.
    if (!vlq::checkPuzzle(rec.bytes(), vlq::CheckScope::Play).empty()) throw vlq::IoError::invalidFormat();
    return rec;
}

} // namespace

vlq::PuzzleRecord TVlqProcs::ReadPuzzleFile(const QString& path) { return recordOf(readRecordFile(path)); }

void TVlqProcs::LoadPuzzle(const QString& path) {
    const vlq::FileContents file = readRecordFile(path);
    // The whole record at once, past the letter door: a new puzzle (or the
    // saved one again) is no change by the player. Its letters start a new
    // history, with no check marks and no pencil letters.
    game().puzzle = recordOf(file);
    game().lastOnDisk = {QFileInfo(path).absoluteFilePath(), file.stamp, file.data, file.longer};
    letterHistory().clear();
    checkMarks().clear();
    playerLetters().puzzleRead();
    readWholeClueTexts();
}

void TVlqProcs::SavePuzzle(const QString& path) {
    try {
        WritePuzzleFile(path, game().puzzle);
    } catch (const vlq::IoError& e) {
        // The player learns which file could not be written.
        throw vlq::IoError(e.code(), QStringLiteral("Cannot save the puzzle to this file:\n%1\n%2")
                                         .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                                              QString::fromLocal8Bit(e.what()))
                                         .toStdString());
    }
    LettersSafe(path);
    const auto& bytes = game().puzzle.bytes();
    const auto stamp = vlq::fileStamp(QFile::encodeName(path).toStdString());
    game().lastOnDisk = {QFileInfo(path).absoluteFilePath(), stamp.value_or(vlq::FileStamp{}),
                         std::string(bytes.begin(), bytes.end()), false};
}

vlq::IoError TVlqProcs::WriteError(const vlq::WriteResult& result) {
    switch (result.fault) {
    case vlq::WriteFault::None:
    case vlq::WriteFault::DiskWrite: break;
    case vlq::WriteFault::FolderMissing: return vlq::IoError(3, "Path not found");
    case vlq::WriteFault::AccessDenied:
    case vlq::WriteFault::NotRegular: return vlq::IoError::accessDenied();
    }
    // The player learns the cause, as far as the system tells it.
    QString cause;
    switch (result.error) {
    case ENOSPC:
    case EDQUOT: cause = QStringLiteral("The disk is full."); break;
    case EFBIG: cause = QStringLiteral("The file would be larger than this system allows."); break;
    case EIO: cause = QStringLiteral("The disk could not be written (an input/output error)."); break;
    default: cause = QString::fromLocal8Bit(result.text.c_str()); break;
    }
    const vlq::IoError plain = vlq::IoError::diskWrite();
    if (cause.isEmpty()) return plain;
    return vlq::IoError(plain.code(), (QString::fromLatin1(plain.what()) + QStringLiteral(". ") + cause).toStdString());
}

void TVlqProcs::WritePuzzleFile(const QString& path, const vlq::PuzzleRecord& record) {
    const auto& bytes = record.bytes();
    const vlq::WriteResult written = vlq::writeFileSafely(
        QFile::encodeName(path).toStdString(),
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!written.ok()) throw WriteError(written);
}

void TVlqProcs::LettersSafe(const QString& path) {
    game().modified = false;
    RecoveryCopy::remove(path);
}

bool TVlqProcs::RecyclePuzzle(const QString& path) {
    if (!vlq::moveToTrash(path)) return false;
    LettersSafe(path);
    if (openPuzzleLock().heldPath() == QFileInfo(path).absoluteFilePath()) openPuzzleLock().release();
    return true;
}

// --- settings store -------------------------------------------------------

int TVlqProcs::ReadSetting(const QString& name, int def) {
    const QVariant v = storedValue(name);
    if (!v.isValid()) return def;
    if (v.typeId() != QMetaType::Int) kindError(name);
    return v.toInt();
}

QString TVlqProcs::ReadSetting(const QString& name, const QString& def) {
    const QVariant v = storedValue(name);
    if (!v.isValid()) return def;
    if (v.typeId() != QMetaType::QString) kindError(name);
    return v.toString();
}

void TVlqProcs::WriteSetting(const QString& name, int value) { storeValue(name, QVariant(value)); }
void TVlqProcs::WriteSetting(const QString& name, const QString& value) { storeValue(name, QVariant(value)); }

void TVlqProcs::WriteBounds(const QString& name, int left, int top, int width, int height) {
    WriteSetting(name, QString::fromStdString(vlq::boundsText(left, top, width, height)));
}

int TVlqProcs::ReadSetting(const VlqSetting::Integer& s) { return ReadSetting(name(s.name), s.def); }
int TVlqProcs::ReadSetting(const VlqSetting::SquareSize& s) { return ReadSetting(name(s.name), game().defaultSquareSize); }
QString TVlqProcs::ReadSetting(const VlqSetting::Text& s) { return ReadSetting(name(s.name), name(s.def)); }
QColor TVlqProcs::ReadSetting(const VlqSetting::Colour& s) {
    return ReadColour(name(s.name), QByteArray(s.def.data(), qsizetype(s.def.size())).constData());
}
std::optional<vlq::Bounds> TVlqProcs::ReadSetting(const VlqSetting::Bounds& s) { return ReadBounds(name(s.name)); }

QString TVlqProcs::DefaultOf(const VlqSetting::Text& s) {
    return QString::fromLatin1(s.def.data(), qsizetype(s.def.size()));
}
QColor TVlqProcs::DefaultOf(const VlqSetting::Colour& s) {
    return ColourFromText(QString::fromLatin1(s.def.data(), qsizetype(s.def.size()))).value_or(QColor(Qt::black));
}

std::optional<QColor> TVlqProcs::ColourFromText(const QString& text) {
    const auto c = vlq::parseColourText(text.toStdString());
    if (!c) return std::nullopt;
    if (c->isSystem) return systemColour(c->value);
    const std::uint32_t v = c->value;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QColor TVlqProcs::ReadColour(const QString& name, const char* def) {
    const QString text = ReadSetting(name, def);
    const auto c = ColourFromText(text);
    if (!c) throw vlq::SettingsError(("'" + text + "' is not a valid colour for '" + name + "'").toStdString());
    return *c;
}

QString TVlqProcs::ColourToText(const QColor& c) {
    const std::uint32_t bgr = std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
    return QString::fromStdString(vlq::colourText(bgr));
}

std::optional<vlq::Bounds> TVlqProcs::ReadBounds(const QString& name) {
    const QString text = ReadSetting(name, QString());
    if (text.isEmpty()) return std::nullopt;
    const auto b = vlq::parseBounds(text.toStdString());
    if (!b) throw vlq::SettingsError(("'" + text + "' is not a valid bounds text for '" + name + "'").toStdString());
    return b;
}
