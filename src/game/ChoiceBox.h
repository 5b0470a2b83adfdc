// A modal message box with buttons of the caller's own: for the choices a
// Yes/No question cannot offer (a failed save on the way out, a puzzle
// another game holds, a letter set to recover). It is shown as every box of
// the program is (ProgramBox): plain text, so a file name can never pass for
// markup, and wide enough for its caption. Tests answer it through a hook,
// as they answer TVlqProcs' prompts.
#pragma once
#include <QString>
#include <QStringList>
#include <functional>

namespace ChoiceBox {

// When set, ask() calls it instead of showing a box and returns its answer
// (an index into buttons; anything else counts as the escape button).
using Hook = std::function<int(const QString& text, const QStringList& buttons, int defaultIndex)>;
void setHook(Hook hook);

// Shows text with one push button per entry of buttons (mnemonics with
// '&'), defaultIndex the default button, escapeIndex the one that Escape
// and the close box answer. Returns the index of the chosen button.
int ask(const QString& title, const QString& text, const QStringList& buttons, int defaultIndex, int escapeIndex);

// The file name of a puzzle to write, chosen in a file-save dialog that
// starts at suggested; empty when the player cancels. When a path hook is
// set it answers instead.
using PathHook = std::function<QString(const QString& suggested)>;
void setPathHook(PathHook hook);
QString askSavePath(const QString& title, const QString& suggested);

} // namespace ChoiceBox
