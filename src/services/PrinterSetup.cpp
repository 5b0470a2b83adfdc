#include "PrinterSetup.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The sizes offered for a PDF file, or for a printer that names none.
QList<QPageSize> commonPapers() {
    QList<QPageSize> out;
    for (QPageSize::PageSizeId id : {QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::A4,
                                     QPageSize::A5, QPageSize::A3, QPageSize::B5})
        out << QPageSize(id);
    return out;
}

} // namespace

PrinterSetupDialog::PrinterSetupDialog(QPrinter* printer, QWidget* parent) : QDialog(parent), printer_(printer) {
    setObjectName(QStringLiteral("PrinterSetupDialog"));
    setWindowTitle(QStringLiteral("Printer Setup"));

    printerBox_ = new QComboBox(this);
    printerBox_->setObjectName(QStringLiteral("PrinterBox"));
    for (const QString& name : QPrinterInfo::availablePrinterNames()) printerBox_->addItem(name, name);
    printerBox_->addItem(QStringLiteral("PDF file (named at each printing)"), QString());
    const bool toFile = printer_->outputFormat() == QPrinter::PdfFormat;
    const int current = toFile ? -1 : printerBox_->findData(printer_->printerName());
    printerBox_->setCurrentIndex(current >= 0 ? current : printerBox_->count() - 1);

    paperBox_ = new QComboBox(this);
    paperBox_->setObjectName(QStringLiteral("PaperBox"));
    fillPapers(printer_->pageLayout().pageSize());
    connect(printerBox_, &QComboBox::currentIndexChanged, this, [this] {
        const int at = paperBox_->currentIndex();
        fillPapers(at >= 0 && at < papers_.size() ? papers_[at] : QPageSize());
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Printer:"), printerBox_);
    form->addRow(QStringLiteral("Paper &size:"), paperBox_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(form);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
}

// The papers of the selected printer, keeping `keep` selected when it is
// among them, else the printer's default paper, else the first.
void PrinterSetupDialog::fillPapers(const QPageSize& keep) {
    const QString name = printerBox_->currentData().toString();
    const QPrinterInfo info = name.isEmpty() ? QPrinterInfo() : QPrinterInfo::printerInfo(name);
    papers_ = info.isNull() ? QList<QPageSize>() : info.supportedPageSizes();
    if (papers_.isEmpty()) papers_ = commonPapers();
    const QPageSize fallback = info.isNull() ? QPageSize() : info.defaultPageSize();
    int select = 0;
    for (int i = 0; i < papers_.size(); ++i) {
        if (keep.isValid() && papers_[i].isEquivalentTo(keep)) {
            select = i;
            break;
        }
        if (fallback.isValid() && papers_[i].isEquivalentTo(fallback)) select = i;
    }
    const QSignalBlocker quiet(paperBox_);
    paperBox_->clear();
    for (const QPageSize& size : papers_) paperBox_->addItem(size.name());
    paperBox_->setCurrentIndex(select);
}

void PrinterSetupDialog::accept() {
    const QString name = printerBox_->currentData().toString();
    if (name.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(QString());
    } else {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(name);
    }
    const int at = paperBox_->currentIndex();
    if (at >= 0 && at < papers_.size()) printer_->setPageSize(papers_[at]);
    QDialog::accept();
}
