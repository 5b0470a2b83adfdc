// How the program shows a message box of its own, whoever makes it (the
// error boxes and questions of TVlqProcs, the boxes of choices of
// ChoiceBox): its text always as plain text, so a file name holding markup
// shows as it is, and the box wide enough that the window manager need not
// cut its caption.
#pragma once

class QMessageBox;

// Sets box up as above and runs it; returns what exec() returns.
int execProgramBox(QMessageBox& box);
