// The service module: error box, questions, the delay that keeps the event
// loop alive, puzzle load and save, moving a puzzle to the trash, and the
// settings store. Settings and dialogs are static so every window can use
// them without holding the module.
#pragma once
#include <QColor>
#include <QObject>
#include <QString>
#include <functional>

class TVlqProcs : public QObject {
    Q_OBJECT
public:
    explicit TVlqProcs(QObject* parent = nullptr);

    // --- messages -----------------------------------------------------------
    // Modal error box (error icon, one OK button), preceded by the error
    // sound when sounds are on.
    static void ErrorBox(const QString& text);
    // Modal Yes/No question; true only for Yes.
    static bool Question(const QString& text);
    // Test seam: when set, ErrorBox and Question call it instead of showing a
    // box (isQuestion tells which); its result answers a question.
    using PromptHook = std::function<bool(const QString& text, bool isQuestion)>;
    static void SetPromptHook(PromptHook hook);

    // Waits ms milliseconds while painting and input go on being handled.
    static void Delay(int ms);

    // --- settings store (one value per call, nothing cached) --------------
    // Stored value, or def when absent. A stored value of the other kind
    // throws vlq::SettingsError naming the value.
    static int ReadSetting(const QString& name, int def);
    static QString ReadSetting(const QString& name, const QString& def);
    static QString ReadSetting(const QString& name, const char* def) {
        return ReadSetting(name, QString::fromLatin1(def));
    }
    static void WriteSetting(const QString& name, int value);
    static void WriteSetting(const QString& name, const QString& value);
    static void WriteSetting(const QString& name, const char* value) {
        WriteSetting(name, QString::fromLatin1(value));
    }
    static void WriteBounds(const QString& name, int left, int top, int width, int height);

    // Colour setting read as colour text (def e.g. "clBlack"); malformed
    // text throws vlq::SettingsError naming the value.
    static QColor ReadColour(const QString& name, const char* def);
    // Colour text of c: its name when it has one, else "$" + 8 hex digits.
    static QString ColourToText(const QColor& c);
};
