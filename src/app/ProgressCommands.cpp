#include "app/ProgressCommands.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolBar>

#include "app/StatisticsDialog.h"
#include "app/TVlqGameMainForm.h"
#include "app/VlqApplication.h"
#include "game/GameContext.h"
#include "game/ProgressKeeper.h"
#include "game/ProgressStore.h"
#include "views/TGameClockForm.h"

namespace {
const QString kFullButWrong = QStringLiteral("Every square is filled; some letters are wrong");
} // namespace

ProgressCommands::ProgressCommands(TVlqGameMainForm* form, QMenu* menu, QAction* after)
    : QObject(form), form_(form), menu_(menu), after_(after), keeper_(new ProgressKeeper(this)) {
    statisticsItem = new QAction(QStringLiteral("S&tatistics..."), this);
    statisticsItem->setObjectName(QStringLiteral("Statistics1"));
    connect(statisticsItem, &QAction::triggered, this, [this] { guarded([this] { StatisticsClick(); }); });

    statusLabel = new QLabel(form);
    statusLabel->setObjectName(QStringLiteral("StatusLbl"));
    statusLabel->setContentsMargins(6, 0, 6, 0);
    statusLabel->hide();
    if (QWidget* panel = form->ToolBar1->findChild<QWidget*>(QStringLiteral("ToolPanel")))
        if (auto* row = qobject_cast<QBoxLayout*>(panel->layout())) {
            statusLabel->setParent(panel);
            row->addWidget(statusLabel);
        }

    connect(keeper_, &ProgressKeeper::secondsChanged, this, &ProgressCommands::showTime);
    connect(keeper_, &ProgressKeeper::gridSolved, this, &ProgressCommands::solved);
    connect(keeper_, &ProgressKeeper::gridFullButWrong, this, [this](bool on) {
        if (on && game().aids.solvedNotice) showNote(kFullButWrong);
        if (!on && statusLabel->text() == kFullButWrong) showNote({});
    });
    // Said once (with the aids; else when they are switched on): the store
    // turns itself off for the rest of the run.
    connect(&ProgressStore::shared(), &ProgressStore::unavailable, this, &ProgressCommands::tellStoreOff);
    connect(form, &TVlqGameMainForm::aidsChanged, this, &ProgressCommands::followAids);
    followAids();
}

void ProgressCommands::showNote(const QString& text) {
    statusLabel->setText(text);
    statusLabel->setVisible(!text.isEmpty());
}

void ProgressCommands::followAids() {
    menu_->removeAction(statisticsItem);
    if (game().aids.progress) {
        const QList<QAction*> items = menu_->actions();
        const qsizetype at = items.indexOf(after_);
        menu_->insertAction(at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr, statisticsItem);
    }
    if (!game().aids.keepProgress) showNote({});
    keeper_->aidsChanged();
    tellStoreOff();
}

void ProgressCommands::tellStoreOff() {
    const ProgressStore& store = ProgressStore::shared();
    if (store.failure().isEmpty() || !game().aids.keepProgress || storeOffTold_) return;
    storeOffTold_ = true;
    showNote(QStringLiteral("Your progress cannot be kept (%1); the game plays on without it.").arg(store.failure()));
    statusLabel->setToolTip(store.path());
}

void ProgressCommands::StatisticsClick() {
    StatisticsDialog dialog(ProgressStore::shared(), form_);
    dialog.exec();
}

void ProgressCommands::showTime(int seconds) {
    TGameClockForm* clock = game().clock;
    if (clock && game().aids.keepTime) clock->showElapsed(seconds);
}

void ProgressCommands::solved() {
    if (!game().aids.solvedNotice) return;
    // After the key that made it has been handled; the card is the score's.
    QTimer::singleShot(0, form_, [form = form_] { form->ScoreBtnClick(); });
}
