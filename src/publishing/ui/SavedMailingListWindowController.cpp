#include "publishing/ui/SavedMailingListWindowController.h"

#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "publishing/MailRecipientList.h"
#include "publishing/SavedMailingLists.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

SavedMailingListWindowController::SavedMailingListWindowController(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("SavedMailingListWindowController"));
    setWindowTitle(tr("Saved Mailing Lists"));
    tableView_ = new QListWidget(this);
    tableView_->setSelectionMode(QAbstractItemView::SingleSelection);
    listName_ = new QLineEdit(this);
    auto addressView = [this] {
        auto *view = new QPlainTextEdit(this);
        view->setTabChangesFocus(true);
        view->setMinimumHeight(60);
        return view;
    };
    to_ = addressView();
    cc_ = addressView();
    bcc_ = addressView();
    select_ = new QPushButton(tr("Use This List"), this);
    update_ = new QPushButton(tr("Update"), this);
    delete_ = new QPushButton(tr("Delete"), this);
    connect(select_, &QPushButton::clicked, this, &SavedMailingListWindowController::populateCurrentTrueMailingList);
    connect(update_, &QPushButton::clicked, this, &SavedMailingListWindowController::updateSavedMailListRecord);
    connect(delete_, &QPushButton::clicked, this, &SavedMailingListWindowController::deleteSavedMailListRecord);
    connect(tableView_, &QListWidget::currentRowChanged, this, &SavedMailingListWindowController::updateMailingListTextViews);

    auto *detail = new QWidget(this);
    auto *form = new QFormLayout(detail);
    form->addRow(tr("List name:"), listName_);
    form->addRow(tr("To:"), to_);
    form->addRow(tr("CC:"), cc_);
    form->addRow(tr("BCC:"), bcc_);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    buttons->addWidget(update_);
    buttons->addWidget(select_);
    form->addRow(buttons);
    auto *split = new QSplitter(this);
    split->addWidget(tableView_);
    split->addWidget(detail);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);
    // The divider stays where it is.
    split->setHandleWidth(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split);
    resize(720, 420);

    NotificationCenter::defaultCenter().addObserver(this, Notifications::mailingListUpdatedMail, nullptr,
                                                    [this](const Notification &) { refreshTableViewAfterUpdate(); });
    reload();
}

void SavedMailingListWindowController::reload()
{
    const QSignalBlocker block(tableView_);
    tableView_->clear();
    for (const SavedMailingLists::Record &r : SavedMailingLists(UserDefaults::standard()).records()) {
        auto *item = new QListWidgetItem(r.title, tableView_);
        item->setSizeHint(QSize(200, 50));
    }
}

void SavedMailingListWindowController::updateMailingListTextViews(int row)
{
    const QList<SavedMailingLists::Record> records = SavedMailingLists(UserDefaults::standard()).records();
    const SavedMailingLists::Record r = row >= 0 && row < records.size() ? records.at(row) : SavedMailingLists::Record();
    to_->setPlainText(r.to);
    cc_->setPlainText(r.cc);
    bcc_->setPlainText(r.bcc);
    listName_->setText(r.title);
}

void SavedMailingListWindowController::updateSavedMailListRecord()
{
    const int row = tableView_->currentRow();
    SavedMailingLists lists(UserDefaults::standard());
    if (row < 0 || !lists.replace(row, {to_->toPlainText(), cc_->toPlainText(), bcc_->toPlainText(), listName_->text()}))
        return;
    refreshTableViewAfterUpdate();
}

void SavedMailingListWindowController::deleteSavedMailListRecord()
{
    const int row = tableView_->currentRow();
    if (row < 0 || !SavedMailingLists(UserDefaults::standard()).remove(row))
        return;
    refreshTableViewAfterDelete();
}

void SavedMailingListWindowController::populateCurrentTrueMailingList()
{
    MailRecipientList::saveAsDefault({to_->toPlainText(), cc_->toPlainText(), bcc_->toPlainText()});
    NotificationCenter::defaultCenter().postNotification(Notifications::contactUpdatedMail, this);
}

void SavedMailingListWindowController::refreshTableViewAfterUpdate()
{
    const int row = tableView_->currentRow();
    reload();
    if (row >= 0 && row < tableView_->count()) {
        const QSignalBlocker block(tableView_);
        tableView_->setCurrentRow(row);
    }
    updateMailingListTextViews(row);
}

void SavedMailingListWindowController::refreshTableViewAfterDelete()
{
    reload();
    updateMailingListTextViews(-1);
}
