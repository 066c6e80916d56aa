#include "publishing/ui/ShareWindowController.h"

#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "publishing/ShareActions.h"
#include "publishing/ui/ShareIcons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

ShareWindowController::ShareWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ShareWindowController"));
    setWindowTitle(tr("Share"));
    setModal(false);
    label_ = new QLabel(this);
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(true);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label_->setMinimumWidth(360);
    mainView_ = new QWidget(this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    closeButton_ = buttons->button(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &ShareWindowController::hideShareWindow);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(mainView_, 1, Qt::AlignHCenter);
    layout->addWidget(buttons);

    // Every button of the table is made once, whether this edition shows it or not.
    QFont font = this->font();
    // Small enough that the longest title ("Save Page As PDF") fits the button.
    font.setPixelSize(10);
    for (const ShareButtons::Button &b : ShareButtons::allButtons(gAppName)) {
        auto *button = new QToolButton(mainView_);
        button->setObjectName(b.property);
        button->setFixedSize(ShareButtons::kButtonSide, ShareButtons::kButtonSide);
        button->setIcon(ShareIcons::icon(b.icon));
        button->setIconSize(QSize(70, 70));
        button->setText(b.title);
        button->setFont(font);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setStyleSheet(QStringLiteral("QToolButton { padding: 0px; }"));
        button->hide();
        buttons_.insert(b.property, button);
        actions_.insert(button, b.action);
    }
    for (const ShareButtons::Button &b : ShareButtons::buttonsForEdition(gAppName, gAppStorePage))
        shareButtons_.append(buttons_.value(b.property));
}

void ShareWindowController::showWithLabel(const QString &label, const QString &address)
{
    shareLink_ = address;
    label_->setText(label);
    // Laid out and wired again at each show: the same buttons at the same places.
    for (int k = 0; k < shareButtons_.size(); ++k) {
        shareButtons_[k]->move(ShareButtons::gridPosition(k));
        shareButtons_[k]->show();
    }
    mainView_->setFixedSize(ShareButtons::gridSize(int(shareButtons_.size())));
    for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
        QToolButton *button = it.key();
        const QString action = it.value();
        button->disconnect(this);
        connect(button, &QToolButton::clicked, this, [this, action] { runAction(action); });
    }
    adjustSize();
    show();
    raise();
    activateWindow();
}

void ShareWindowController::hideShareWindow()
{
    hide();
}

void ShareWindowController::runAction(const QString &action)
{
    ShareActions share(shareLink_, picture_, this);
    if (action == QLatin1String("exportAllPDFFast")) {
        exportAllPDFFast();
    } else if (action.startsWith(QLatin1String("export"))) {
        hideShareWindow();
        emit exportRequested(action);
    } else if (action == QLatin1String("launchInSafari")) {
        share.launchInSafari();
    } else if (action == QLatin1String("sendShareLinkToClipboard")) {
        share.sendShareLinkToClipboard();
    } else if (action == QLatin1String("sendShareImageToClipboard")) {
        share.sendShareImageToClipboard();
    } else if (action == QLatin1String("shareOnFacebook")) {
        share.shareOnFacebook();
    } else if (action == QLatin1String("shareOnTwitter")) {
        share.shareOnTwitter();
    } else if (action == QLatin1String("shareByEmail")) {
        share.shareByEmail();
    } else if (action == QLatin1String("rateApp")) {
        hideShareWindow();
        share.rateApp();
    }
}

void ShareWindowController::exportAllPDFFast()
{
    hideShareWindow();
    Alert alert;
    alert.messageText = QStringLiteral("Fast Export");
    alert.informativeText = QStringLiteral(
        "The fast export option generates based on cached PDF pages.\n\nThis option works best for large books where edits are made "
        "to existing pages (without changes to the base template). \n\nIf you're making changes that involves a full book refresh, "
        "please use \"Save as PDF Book\".");
    alert.buttons = {QStringLiteral("Proceed"), QStringLiteral("Cancel")};
    alert.style = Alert::Style::Warning;
    QPointer<ShareWindowController> self(this);
    Alerts::ask(alert, parentWidget(), [self](int response) {
        if (self && response == Alert::FirstButton)
            emit self->exportRequested(QStringLiteral("exportAllPDFFast"));
    });
}
