#include "publishing/ui/MailRecipientWindowController.h"

#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include "publishing/MailRecipientList.h"
#include "publishing/SavedMailingLists.h"
#include "publishing/ui/MailListWindowController.h"
#include "publishing/ui/PopOverViewController.h"
#include "publishing/ui/SavedMailingListWindowController.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

MailRecipientWindowController::MailRecipientWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MailRecipientWindowController"));
    setWindowTitle(tr("Recipients"));
    auto addressView = [this](const QString &placeholder) {
        auto *view = new QPlainTextEdit(this);
        view->setPlaceholderText(placeholder);
        view->setTabChangesFocus(true);
        view->setFixedHeight(64);
        // Typing a new address makes "Save" offer itself again.
        connect(view, &QPlainTextEdit::textChanged, this, [this] { saveDefault_->setText(tr("Save")); });
        return view;
    };
    saveDefault_ = new QPushButton(tr("Save"), this);
    saveDefault_->setToolTip(tr("Keep these lists and the subject as the defaults of this screen"));
    to_ = addressView(QStringLiteral("ann@example.com, bob@example.com"));
    cc_ = addressView(QString());
    bcc_ = addressView(QString());
    subject_ = new QLineEdit(this);
    storage_ = new QLabel(this);

    auto *addresses = new QGroupBox(tr("Send To"), this);
    auto *form = new QFormLayout(addresses);
    form->addRow(tr("To:"), to_);
    form->addRow(tr("CC:"), cc_);
    form->addRow(tr("BCC:"), bcc_);
    form->addRow(tr("Subject:"), subject_);

    optional_ = new QGroupBox(tr("Text Around the Design"), this);
    header_ = new QPlainTextEdit(optional_);
    footer_ = new QPlainTextEdit(optional_);
    header_->setFixedHeight(56);
    footer_->setFixedHeight(56);
    tooltip_ = new QLineEdit(optional_);
    auto *optionalForm = new QFormLayout(optional_);
    optionalForm->addRow(tr("Header:"), header_);
    optionalForm->addRow(tr("Footer:"), footer_);
    optionalForm->addRow(tr("Tooltip:"), tooltip_);
    // The responsive editions send the page itself: no texts around a picture.
    optional_->setVisible(!gResponsiveEdition);

    saveList_ = new QPushButton(tr("Save as List…"), this);
    savedList_ = new QPushButton(tr("Saved Lists…"), this);
    contacts_ = new QPushButton(tr("Contacts…"), this);
    cancel_ = new QPushButton(tr("Cancel"), this);
    send_ = new QPushButton(tr("Send…"), this);
    send_->setDefault(true);
    connect(saveDefault_, &QPushButton::clicked, this, &MailRecipientWindowController::saveAsDefaultSettings);
    connect(saveList_, &QPushButton::clicked, this, &MailRecipientWindowController::showSaveMailingListPopoverAction);
    connect(savedList_, &QPushButton::clicked, this, &MailRecipientWindowController::toggleSavedMailingListDrawer);
    connect(contacts_, &QPushButton::clicked, this, &MailRecipientWindowController::toggleMailingListDrawer);
    connect(cancel_, &QPushButton::clicked, this, &MailRecipientWindowController::cancelMailRecipientSheet);
    connect(send_, &QPushButton::clicked, this, &MailRecipientWindowController::sendRequested);

    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(saveDefault_);
    listButtons->addWidget(saveList_);
    listButtons->addWidget(savedList_);
    listButtons->addWidget(contacts_);
    listButtons->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(storage_);
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    buttons->addWidget(send_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(addresses);
    layout->addLayout(listButtons);
    layout->addWidget(optional_);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(600, gResponsiveEdition ? 360 : 560);

    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notifications::grabCurrentListAsShown, nullptr, [this](const Notification &) { saveAsDefault(); });
    center.addObserver(this, Notifications::contactUpdatedMail, nullptr, [this](const Notification &) { refreshRecipientList(); });
    refreshRecipientList();
}

MailSendRoad::RecipientSheet MailRecipientWindowController::recipientSheet() const
{
    MailSendRoad::RecipientSheet sheet;
    sheet.to = to_->toPlainText();
    sheet.cc = cc_->toPlainText();
    sheet.bcc = bcc_->toPlainText();
    sheet.subject = subject_->text();
    if (!gResponsiveEdition) {
        sheet.header = header_->toPlainText();
        sheet.footer = footer_->toPlainText();
        sheet.tooltip = tooltip_->text();
    }
    return sheet;
}

void MailRecipientWindowController::refreshRecipientList()
{
    const MailRecipientList::Stored stored = MailRecipientList::refreshRecipientList();
    const QSignalBlocker a(to_), b(cc_), c(bcc_);
    if (stored.to)
        to_->setPlainText(*stored.to);
    if (stored.cc)
        cc_->setPlainText(*stored.cc);
    if (stored.bcc)
        bcc_->setPlainText(*stored.bcc);
    if (stored.subject && subject_->text().isEmpty())
        subject_->setText(*stored.subject);
    storage_->setText(MailRecipientList::storageLabel());
}

void MailRecipientWindowController::saveAsDefault()
{
    MailRecipientList::saveAsDefault({to_->toPlainText(), cc_->toPlainText(), bcc_->toPlainText()});
}

void MailRecipientWindowController::saveAsDefaultSettings()
{
    MailRecipientList::saveAsDefaultSettings({to_->toPlainText(), cc_->toPlainText(), bcc_->toPlainText()}, subject_->text());
    Alert alert;
    alert.messageText = QString::fromLatin1(MailRecipientList::kSavedTitle);
    alert.informativeText = QString::fromLatin1(MailRecipientList::kSavedText);
    alert.style = Alert::Style::Informational;
    Alerts::ask(alert, this, {});
}

void MailRecipientWindowController::saveMailingList(const QString &title)
{
    MailRecipientList::saveMailingList({to_->toPlainText(), cc_->toPlainText(), bcc_->toPlainText()}, title, this);
    saveDefault_->setText(tr("Saved!"));
}

void MailRecipientWindowController::showSaveMailingListPopoverAction()
{
    if (!popover_) {
        popover_ = new PopOverViewController(this);
        connect(popover_, &PopOverViewController::saveRequested, this, &MailRecipientWindowController::saveMailingList);
    }
    popover_->showNextTo(saveList_, SavedMailingLists::createMailingListName());
}

void MailRecipientWindowController::toggleSavedMailingListDrawer()
{
    if (!savedLists_)
        savedLists_ = new SavedMailingListWindowController(this);
    savedLists_->show();
    savedLists_->raise();
    savedLists_->refreshTableViewAfterDelete();
}

void MailRecipientWindowController::toggleMailingListDrawer()
{
    if (!mailList_)
        mailList_ = new MailListWindowController(this);
    mailList_->populateContacts();
    mailList_->show();
    mailList_->raise();
}

void MailRecipientWindowController::cancelMailRecipientSheet()
{
    hide();
    setResult(1);
}
