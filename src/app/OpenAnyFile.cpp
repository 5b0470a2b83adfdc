// "Open File...": any puzzle file from any folder through the desktop's own
// file dialog, a .vlq or another program's acrostic (JPZ, APZ, ipuz), which
// is converted into the puzzle folder as a dropped file is.
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "TVlqGameMainForm.h"
#include "VlqApplication.h"

QString TVlqGameMainForm::puzzleFileFilter() {
    return QStringLiteral("Acrostic puzzles (*.vlq *.jpz *.apz *.ipuz);;Vorlaquince puzzles (*.vlq);;"
                          "JPZ, APZ and ipuz puzzles (*.jpz *.apz *.ipuz);;All files (*)");
}

void TVlqGameMainForm::OpenFile1Click() {
    guarded([this] {
        const QString start = openFileFolder_.isEmpty()
                                  ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                  : openFileFolder_;
        const QString path =
            QFileDialog::getOpenFileName(this, QStringLiteral("Open puzzle file"), start, puzzleFileFilter());
        if (path.isEmpty()) return;
        openFileFolder_ = QFileInfo(path).absolutePath();
        OpenPuzzleFile(path);
    });
}
