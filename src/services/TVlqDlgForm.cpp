#include "TVlqDlgForm.h"

#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QSvgRenderer>

#include <algorithm>

#include "game/GameContext.h"
#include "game/RecordText.h"
#include "game/TVlqProcs.h"
#include "services/PickerPanel.h"
#include "platform/TitleBar.h"
#include "services/PuzzleFolder.h"

namespace {

constexpr int kItemHeight = 17;
constexpr int kFiguresRole = Qt::UserRole + 1;
constexpr int kBorder = 8;

QString puzzleFolderLocation() {
    return QDir::cleanPath(puzzleFolderPath());
}

QPixmap renderSvg(const QString& resource, QSize size, const QColor& background) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(background);
    QSvgRenderer svg(resource);
    QPainter p(&img);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    p.end();
    return QPixmap::fromImage(img);
}

// Each item: the row filled with the selection or window colour, the icon
// at (left + 2, top), the name at left + icon width + 6.
class VlqItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        p->fillRect(option.rect, selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
        const QPixmap icon = TVlqDlgForm::listIcon();
        p->drawPixmap(option.rect.left() + 2, option.rect.top(), icon);
        p->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
        const QRect text(option.rect.left() + icon.width() + 6, option.rect.top(), option.rect.width(), kItemHeight);
        // With the aids: the puzzle's figures, right-aligned; the name gives way.
        const QString figures = index.data(kFiguresRole).toString();
        QString name = index.data().toString();
        if (!figures.isEmpty()) {
            const int room = option.rect.right() - 4 - p->fontMetrics().horizontalAdvance(figures) - 12 - text.left();
            name = p->fontMetrics().elidedText(name, Qt::ElideRight, std::max(room, 0));
            p->drawText(option.rect.adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                        figures);
        }
        p->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, name);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width() + 22, kItemHeight);
    }
};

} // namespace

QPixmap TVlqDlgForm::listIcon() {
    static QPixmap icon;
    if (icon.isNull()) {
        qAddPostRoutine([] { icon = QPixmap(); }); // pixmaps must not outlive the application
        icon = renderSvg(QStringLiteral(":/images/FICO2.svg"), QSize(16, 16), Qt::white);
        icon.setMask(icon.createMaskFromColor(Qt::white));
    }
    return icon;
}

TVlqDlgForm::TVlqDlgForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog) {
    vlq::closeBoxOnly(this);
    setObjectName(QStringLiteral("VlqDlgForm"));
    setWindowTitle(QStringLiteral("Open puzzle for solving"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    setFont(f);
    // A border of 8 pixels around the 536 x 365 client area that holds the
    // controls.
    setFixedSize(536 + 2 * kBorder, 365 + 2 * kBorder);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setGeometry(kBorder, kBorder, 536, 365);

    LookInLbl = new QLabel(QStringLiteral("Look in:"), client);
    LookInLbl->setObjectName(QStringLiteral("LookInLbl"));
    LookInLbl->setGeometry(8, 10, 56, 16);
    LookInImage = new QLabel(client);
    LookInImage->setObjectName(QStringLiteral("LookInImage"));
    LookInImage->setGeometry(92, 7, 257, 21);
    LookInImage->setPixmap(renderSvg(QStringLiteral(":/images/lookin.svg"), QSize(257, 21), Qt::transparent));

    ColorPanel = new PickerPanel(client);
    ColorPanel->setObjectName(QStringLiteral("ColorPanel"));
    ColorPanel->setGeometry(0, 36, 88, 313);

    VlqList = new QListWidget(client);
    VlqList->setObjectName(QStringLiteral("VlqList"));
    VlqList->setGeometry(92, 36, 440, 265);
    VlqList->setItemDelegate(new VlqItemDelegate(VlqList));
    VlqList->setUniformItemSizes(true);
    VlqList->setSelectionMode(QAbstractItemView::SingleSelection);
    LookInLbl->setBuddy(VlqList);
    VlqList->setAccessibleName(QStringLiteral("Puzzles"));
    LookInImage->setAccessibleName(QStringLiteral("Puzzle folder"));

    auto* nameLbl = new QLabel(QStringLiteral("File name:"), client);
    nameLbl->setGeometry(92, 312, 76, 16);
    Edit1 = new QLineEdit(client);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(172, 309, 225, 21);
    Edit1->setReadOnly(true);
    nameLbl->setBuddy(Edit1);

    auto* typeLbl = new QLabel(QStringLiteral("Files of type:"), client);
    typeLbl->setGeometry(92, 339, 76, 16);
    Edit2 = new QLineEdit(QStringLiteral("Vorlaquince Acrostic Puzzle"), client);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(172, 336, 225, 21);
    Edit2->setReadOnly(true);
    typeLbl->setBuddy(Edit2);

    OpenBtn = new QPushButton(QStringLiteral("Open"), client);
    OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
    OpenBtn->setGeometry(452, 307, 75, 25);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), client);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(452, 336, 75, 25);
    for (QPushButton* b : {OpenBtn, CancelBtn}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    connect(VlqList, &QListWidget::itemSelectionChanged, this, &TVlqDlgForm::VlqListSelectionChanged);
    connect(OpenBtn, &QPushButton::clicked, this, &TVlqDlgForm::OpenBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

QString TVlqDlgForm::chosenPath() const {
    return folder_ + QLatin1Char('/') + chosenFile_;
}

void TVlqDlgForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TVlqDlgForm::FormShow() {
    openArmed_ = false;
    VlqList->clear();
    folder_ = puzzleFolderLocation();
    QDir::setCurrent(folder_);
    // Alphabetical, ignoring case; each item shows the name less its last
    // four characters (the extension, whatever its case) and keeps the file's
    // real name, which is what opens.
    const QDir dir(folder_);
    QStringList files = dir.entryList({QStringLiteral("*.vlq")}, QDir::Files | QDir::Hidden | QDir::System);
    const auto shown = [](const QString& file) { return QStringView(file).chopped(4); };
    std::sort(files.begin(), files.end(), [&shown](const QString& a, const QString& b) {
        const int c = shown(a).compare(shown(b), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    ColorPanel->showFacts(std::nullopt);
    figures_ = game().aids.progress ? vlq::listPuzzleFigures(folder_, files) : QList<PuzzleFigures>();
    for (qsizetype i = 0; i < files.size(); ++i) {
        auto* item = new QListWidgetItem(shown(files[i]).toString(), VlqList);
        item->setData(Qt::UserRole, files[i]);
        if (i < figures_.size()) item->setData(kFiguresRole, vlq::figuresText(figures_[i]));
    }
    VlqList->setCurrentIndex(QModelIndex());
}

void TVlqDlgForm::VlqListSelectionChanged() {
    const auto selected = VlqList->selectedItems();
    if (selected.isEmpty()) return;
    Edit1->setText(selected.first()->text());
    chosenFile_ = selected.first()->data(Qt::UserRole).toString();
    openArmed_ = true;
    const qsizetype i = VlqList->row(selected.first());
    if (i < 0 || i >= figures_.size() || figures_[i].file.identity.isEmpty()) {
        ColorPanel->showFacts(std::nullopt);
        return;
    }
    try {
        const vlq::PuzzleRecord rec = TVlqProcs::ReadPuzzleFile(chosenPath());
        ColorPanel->showFacts(PickerPanel::Facts{vlq::recordText(rec.byline()), rec,
                                                 ProgressStore::shared().bestSeconds(figures_[i].file.identity)});
    } catch (const std::exception&) {
        ColorPanel->showFacts(std::nullopt); // opening it will say what is wrong
    }
}

void TVlqDlgForm::OpenBtnClick() {
    if (openArmed_) accept();
}

// Enter and Esc close nothing: neither button is the dialog's default or
// cancel button. With the keyboard flow of the solving aids on, Esc cancels
// and Enter opens the picked puzzle (or cancels from the Cancel button).
void TVlqDlgForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        if (!game().aids.keyboardFlow) return;
        if (event->key() == Qt::Key_Escape || focusWidget() == CancelBtn)
            reject();
        else
            OpenBtnClick();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
