// "Printer Setup": where the Print command prints and on what paper. The
// player picks one of the installed printers, or a PDF file (whose name the
// Print command asks for at every printing), and a paper size the chosen
// printer offers; OK applies both to the game's printer, Cancel changes
// nothing. Printing itself is always portrait, so no orientation is offered.
#pragma once
#include <QDialog>
#include <QList>
#include <QPageSize>

class QComboBox;
class QPrinter;

class PrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    // Shows `printer`'s current printer and paper; does not take ownership.
    PrinterSetupDialog(QPrinter* printer, QWidget* parent = nullptr);

    // The printer list: every installed printer by name, then the PDF file
    // entry (item data empty).
    QComboBox* printerBox() const { return printerBox_; }
    // The paper sizes of the printer selected in printerBox().
    QComboBox* paperBox() const { return paperBox_; }

    // OK: the selected printer and paper become the printer's.
    void accept() override;

private:
    void fillPapers(const QPageSize& keep);

    QPrinter* printer_;
    QComboBox* printerBox_ = nullptr;
    QComboBox* paperBox_ = nullptr;
    QList<QPageSize> papers_; // parallel to paperBox_'s items
};
