#include "app/StatisticsDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include <vector>

#include "core/SolveStats.h"
#include "game/ProgressStore.h"
#include "views/TGameClockForm.h"

namespace {

QString timeOf(int seconds) { return TGameClockForm::timeText(seconds / 3600, seconds % 3600); }

// A cell that sorts by the number or text kept under Qt::UserRole.
class SortCell : public QTableWidgetItem {
public:
    SortCell(const QString& text, const QVariant& key) : QTableWidgetItem(text) {
        setData(Qt::UserRole, key);
        setFlags(flags() & ~Qt::ItemIsEditable);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(Qt::UserRole), b = other.data(Qt::UserRole);
        if (a.typeId() == QMetaType::Int && b.typeId() == QMetaType::Int) return a.toInt() < b.toInt();
        return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
    }
};

} // namespace

StatisticsDialog::StatisticsDialog(ProgressStore& store, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StatisticsDialog"));
    setWindowTitle(QStringLiteral("Statistics"));
    const QList<SolveRecord> solves = store.solves();
    const int started = store.puzzlesStarted();

    std::vector<vlq::Solve> list;
    for (const SolveRecord& s : solves)
        list.push_back({s.seconds, s.revealed, long(QDate(1970, 1, 1).daysTo(s.solvedAt.toLocalTime().date()))});
    const vlq::SolveStats st = vlq::solveStats(list, long(QDate(1970, 1, 1).daysTo(QDate::currentDate())));
    auto days = [](int n) { return n == 1 ? QStringLiteral("1 day") : QStringLiteral("%1 days").arg(n); };
    auto time = [](const std::optional<int>& s) { return s ? timeOf(*s) : QStringLiteral("-"); };
    FiguresLbl = new QLabel(this);
    FiguresLbl->setObjectName(QStringLiteral("FiguresLbl"));
    FiguresLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FiguresLbl->setText(QStringList{
        QStringLiteral("Puzzles started: %1").arg(started),
        QStringLiteral("Puzzles solved: %1").arg(st.solved),
        QStringLiteral("Solved without reveals: %1").arg(st.solvedWithoutReveals),
        QStringLiteral("Median time: %1").arg(time(st.medianSeconds)),
        QStringLiteral("Best time: %1").arg(time(st.bestSeconds)),
        QStringLiteral("Current run: %1").arg(days(st.currentRun)),
        QStringLiteral("Longest run: %1").arg(days(st.longestRun)),
    }.join(u'\n'));

    SolvesTbl = new QTableWidget(int(solves.size()), 4, this);
    SolvesTbl->setObjectName(QStringLiteral("SolvesTbl"));
    SolvesTbl->setHorizontalHeaderLabels({QStringLiteral("Title"), QStringLiteral("Time"), QStringLiteral("Date"),
                                          QStringLiteral("Revealed")});
    SolvesTbl->verticalHeader()->hide();
    SolvesTbl->setSelectionBehavior(QAbstractItemView::SelectRows);
    SolvesTbl->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < solves.size(); ++i) {
        const SolveRecord& s = solves[i];
        const QDateTime local = s.solvedAt.toLocalTime();
        SolvesTbl->setItem(i, 0, new SortCell(s.title, s.title));
        SolvesTbl->setItem(i, 1, new SortCell(timeOf(s.seconds), s.seconds));
        SolvesTbl->setItem(i, 2, new SortCell(local.toString(QStringLiteral("yyyy-MM-dd HH:mm")), s.solvedAt.toString(Qt::ISODate)));
        SolvesTbl->setItem(i, 3, new SortCell(s.revealed ? QStringLiteral("yes") : QStringLiteral("no"), int(s.revealed)));
    }
    SolvesTbl->setSortingEnabled(true);
    SolvesTbl->sortByColumn(2, Qt::DescendingOrder); // the latest first
    SolvesTbl->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    SolvesTbl->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyBtn"));
    connect(copy, &QPushButton::clicked, this, &StatisticsDialog::copyTable);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, &StatisticsDialog::copyTable);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FiguresLbl);
    layout->addWidget(SolvesTbl, 1);
    layout->addWidget(buttons);
    resize(480, 420);
}

QString StatisticsDialog::tableText() const {
    QStringList lines;
    QStringList header;
    for (int c = 0; c < SolvesTbl->columnCount(); ++c) header << SolvesTbl->horizontalHeaderItem(c)->text();
    lines << header.join(u'\t');
    const bool some = !SolvesTbl->selectionModel()->selectedRows().isEmpty();
    for (int r = 0; r < SolvesTbl->rowCount(); ++r) {
        if (some && !SolvesTbl->selectionModel()->isRowSelected(r, {})) continue;
        QStringList cells;
        // A tab or line break in a title would split its row.
        for (int c = 0; c < SolvesTbl->columnCount(); ++c) cells << SolvesTbl->item(r, c)->text().simplified();
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

void StatisticsDialog::copyTable() const { QApplication::clipboard()->setText(tableText()); }
