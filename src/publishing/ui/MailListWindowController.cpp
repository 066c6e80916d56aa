#include "publishing/ui/MailListWindowController.h"

#include "platform/Alerts.h"
#include "platform/Contacts.h"
#include "platform/FilePanels.h"
#include "platform/NotificationCenter.h"
#include "publishing/MailRecipientList.h"
#include "publishing/ui/ContactViewController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

MailListWindowController::MailListWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MailListWindowController"));
    setWindowTitle(tr("Contacts"));
    picker_ = new QListWidget(this);
    picker_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    notes_ = new QLabel(tr("Select addresses, then add them to a list."), this);
    to_ = new QPushButton(tr("Add to TO"), this);
    cc_ = new QPushButton(tr("Add to CC"), this);
    bcc_ = new QPushButton(tr("Add to BCC"), this);
    import_ = new QPushButton(tr("Import Contacts…"), this);
    connect(to_, &QPushButton::clicked, this, &MailListWindowController::grabTOContacts);
    connect(cc_, &QPushButton::clicked, this, &MailListWindowController::grabCCContacts);
    connect(bcc_, &QPushButton::clicked, this, &MailListWindowController::grabBCCContacts);
    connect(import_, &QPushButton::clicked, this, &MailListWindowController::importContacts);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(import_);
    buttons->addStretch(1);
    buttons->addWidget(to_);
    buttons->addWidget(cc_);
    buttons->addWidget(bcc_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(notes_);
    layout->addWidget(picker_, 1);
    layout->addLayout(buttons);
    resize(520, 420);
    populateContacts();
}

void MailListWindowController::populateContacts()
{
    picker_->clear();
    Contacts book;
    book.load();
    for (const Contacts::Person &person : book.people()) {
        for (const QString &address : person.emails) {
            auto *item = new QListWidgetItem(QStringLiteral("%1 <%2>").arg(person.displayName(), address), picker_);
            item->setData(Qt::UserRole, address);
        }
    }
    notes_->setText(picker_->count() ? tr("Select addresses, then add them to a list.")
                                     : tr("No contacts yet: import a vCard or CSV file."));
}

void MailListWindowController::grabTOContacts() { grab(0); }
void MailListWindowController::grabCCContacts() { grab(1); }
void MailListWindowController::grabBCCContacts() { grab(2); }

void MailListWindowController::grab(int field)
{
    QStringList picked;
    for (const QListWidgetItem *item : picker_->selectedItems())
        picked << item->data(Qt::UserRole).toString();
    const auto which = field == 0 ? MailRecipientList::Field::To
                       : field == 1 ? MailRecipientList::Field::CC
                                    : MailRecipientList::Field::BCC;
    if (!MailRecipientList::grabContacts(which, picked, this)) {
        Alerts::inform(QStringLiteral("No email selected"),
                       QStringLiteral("Please select email addresses you wish to save into the mailing list"), this);
        return;
    }
    Alerts::inform(QStringLiteral("Selected contacts have been added"), MailRecipientList::savedText(which), this,
                   Alert::Style::Informational);
}

void MailListWindowController::importContacts()
{
    ContactViewController::importContactFiles(this, false, [this] { populateContacts(); });
}

void MailListWindowController::contactsUpdated()
{
    NotificationCenter::defaultCenter().postNotification(Notifications::contactUpdatedMail, this);
}
