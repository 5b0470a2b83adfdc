#include "FontMatch.h"

#include <QFontDatabase>
#include <QStringList>

#include <array>

namespace vlq {

namespace {

struct StandIns {
    const char* named;
    std::array<const char*, 2> faces; // best first
};

// Same widths letter for letter; MS Sans Serif has no such twin and takes
// the sans face nearest to it.
constexpr std::array<StandIns, 4> kStandIns{{
    {"Arial", {"Liberation Sans", "Arimo"}},
    {"Times New Roman", {"Liberation Serif", "Tinos"}},
    {"Courier New", {"Liberation Mono", "Cousine"}},
    {"MS Sans Serif", {"Liberation Sans", "Arimo"}},
}};

const StandIns* standInsOf(const QString& family) {
    for (const StandIns& s : kStandIns)
        if (family.compare(QLatin1String(s.named), Qt::CaseInsensitive) == 0) return &s;
    return nullptr;
}

bool installed(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

} // namespace

QString installedFamily(const QString& family) {
    const StandIns* s = standInsOf(family);
    if (!s || installed(family)) return family;
    for (const char* face : s->faces)
        if (installed(QLatin1String(face))) return QLatin1String(face);
    return family;
}

QFont installedFont(QFont font) {
    font.setFamily(installedFamily(font.family()));
    return font;
}

QString familyToStore(const QString& chosen, const QString& stored) {
    return chosen.compare(installedFamily(stored), Qt::CaseInsensitive) == 0 ? stored : chosen;
}

void installFontSubstitutes() {
    for (const StandIns& s : kStandIns) {
        const QString named = QLatin1String(s.named);
        if (installed(named)) continue;
        QStringList faces;
        for (const char* face : s.faces) faces << QLatin1String(face);
        QFont::removeSubstitutions(named);
        QFont::insertSubstitutions(named, faces);
    }
}

} // namespace vlq
