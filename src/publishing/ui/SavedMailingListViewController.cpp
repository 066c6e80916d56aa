#include "publishing/ui/SavedMailingListViewController.h"

#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "publishing/ServerProfiles.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SavedMailingListViewController::SavedMailingListViewController(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SavedMailingListViewController"));
    tableView_ = new QListWidget(this);
    tableView_->setWordWrap(true);
    tableView_->setUniformItemSizes(true);
    chooseButton_ = new QPushButton(tr("Choose"), this);
    deleteRecordButton_ = new QPushButton(tr("Delete"), this);
    connect(chooseButton_, &QPushButton::clicked, this, &SavedMailingListViewController::chooseSavedRecord);
    connect(deleteRecordButton_, &QPushButton::clicked, this, &SavedMailingListViewController::deleteSavedRecord);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(chooseButton_);
    buttons->addWidget(deleteRecordButton_);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tableView_, 1);
    layout->addLayout(buttons);
    setFixedWidth(250);
    NotificationCenter::defaultCenter().addObserver(this, Notifications::mailingListUpdated, nullptr,
                                                    [this](const Notification &) { refreshTableViewAfterUpdate(); });
    reload();
}

void SavedMailingListViewController::reload()
{
    tableView_->clear();
    for (const ServerAccount &profile : ServerProfiles(UserDefaults::standard()).profiles()) {
        auto *item = new QListWidgetItem(ServerProfiles::rowText(profile).chopped(1), tableView_);
        item->setSizeHint(QSize(0, 80));
        // The row's three lines start at its top, as the row text reads.
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

void SavedMailingListViewController::chooseSavedRecord()
{
    ServerProfiles(UserDefaults::standard()).apply(tableView_->currentRow(), this);
}

void SavedMailingListViewController::deleteSavedRecord()
{
    if (ServerProfiles(UserDefaults::standard()).remove(tableView_->currentRow()))
        refreshTableViewAfterDelete();
}

void SavedMailingListViewController::refreshTableViewAfterDelete()
{
    reload();
}

void SavedMailingListViewController::refreshTableViewAfterUpdate()
{
    const int row = tableView_->currentRow();
    reload();
    if (row >= 0 && row < tableView_->count())
        tableView_->setCurrentRow(row);
}
