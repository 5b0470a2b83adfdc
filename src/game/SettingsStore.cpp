#include "SettingsStore.h"

#include <QIODevice>
#include <QList>

#include <cctype>

namespace SettingsStore {
namespace {

const QByteArray kHeader = "; Vorlaquince 6 Game settings: \"Name\"=dword:XXXXXXXX or \"Name\"=\"text\"\n"
                           "[HKEY_CURRENT_USER\\Software\\Marlowick32\\Vorlaquince6Game]\n";

// Reads a quoted string starting at text[pos] == '"'. On success pos is just
// past the closing quote.
bool readQuoted(const QByteArray& text, qsizetype& pos, QByteArray& out) {
    if (pos >= text.size() || text[pos] != '"') return false;
    ++pos;
    out.clear();
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c == '"') return true;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= text.size()) return false;
        const char e = text[pos++];
        switch (e) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        default: return false;
        }
    }
    return false;
}

QByteArray quoted(const QByteArray& raw) {
    QByteArray out = "\"";
    for (const char c : raw) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out + '"';
}

// "dword:" and 1 to 8 hex digits, nothing else.
bool parseDword(const QByteArray& value, int& out) {
    static const QByteArray prefix = "dword:";
    if (!value.startsWith(prefix)) return false;
    const QByteArray digits = value.mid(prefix.size());
    if (digits.isEmpty() || digits.size() > 8) return false;
    for (const char c : digits)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    bool ok = false;
    const uint u = digits.toUInt(&ok, 16);
    if (!ok) return false;
    out = static_cast<int>(u);
    return true;
}

#ifndef Q_OS_WIN
bool readDevice(QIODevice& device, QSettings::SettingsMap& map) {
    map = parseStoreText(device.readAll());
    return true;
}

bool writeDevice(QIODevice& device, const QSettings::SettingsMap& map) {
    const QByteArray text = storeText(map);
    return device.write(text) == text.size();
}
#endif

} // namespace

QSettings::SettingsMap parseStoreText(const QByteArray& text) {
    QSettings::SettingsMap map;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('[')) continue;
        qsizetype pos = 0;
        QByteArray name;
        if (!readQuoted(line, pos, name) || name.isEmpty() || pos >= line.size() || line[pos] != '=') continue;
        const QByteArray value = line.mid(pos + 1);
        const QString key = QString::fromUtf8(name);
        int number = 0;
        qsizetype vpos = 0;
        QByteArray str;
        if (parseDword(value, number))
            map.insert(key, number);
        else if (readQuoted(value, vpos, str) && vpos == value.size())
            map.insert(key, QString::fromUtf8(str));
        else
            map.insert(key, value); // malformed: kept, and refused by the reader
    }
    return map;
}

QByteArray storeText(const QSettings::SettingsMap& map) {
    QByteArray out = kHeader;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        out += quoted(it.key().toUtf8()) + '=';
        const QVariant& v = it.value();
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            out += "dword:" + QByteArray::number(static_cast<uint>(v.toLongLong()), 16).rightJustified(8, '0');
            break;
        case QMetaType::QByteArray:
            out += v.toByteArray();
            break;
        default:
            out += quoted(v.toString().toUtf8());
        }
        out += '\n';
    }
    return out;
}

QSettings::Format format() {
#ifdef Q_OS_WIN
    return QSettings::NativeFormat;
#else
    static const QSettings::Format registered = QSettings::registerFormat(QStringLiteral("reg"), readDevice, writeDevice);
    return registered;
#endif
}

} // namespace SettingsStore
