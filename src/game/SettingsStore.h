// Where the settings live: the key Software\Marlowick32\Vorlaquince6Game of
// the current user. On Windows that is the registry itself (numbers as
// REG_DWORD, texts as REG_SZ). Elsewhere it is a text file of our own format
// that keeps each value's kind, one value a line:
//
//     "PlaySounds"=dword:00000001
//     "FontName"="Arial"
//
// Texts are quoted with \\ \" \n \r \t escapes. A line whose value is neither
// form is kept as it stands and read back as a malformed value (a QByteArray),
// so the reader can name it in its error; lines without a quoted name are
// dropped on the next write.
#pragma once
#include <QByteArray>
#include <QSettings>

namespace SettingsStore {

inline constexpr const char* Organisation = "Marlowick32";
inline constexpr const char* Application = "Vorlaquince6Game";

// The store's format (registered on first use outside Windows).
QSettings::Format format();

// A fresh handle on the store. Each call reads the store anew; nothing is
// kept between handles.
inline QSettings open() {
    return QSettings(format(), QSettings::UserScope, QString::fromLatin1(Organisation),
                     QString::fromLatin1(Application));
}

// The text form of the file: parse never fails (see above); compose writes
// numbers as dword, texts quoted, malformed values as they were read.
QSettings::SettingsMap parseStoreText(const QByteArray& text);
QByteArray storeText(const QSettings::SettingsMap& map);

} // namespace SettingsStore
