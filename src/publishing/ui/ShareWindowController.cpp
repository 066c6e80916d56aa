#include "publishing/ui/ShareWindowController.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
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
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &ShareWindowController::hideShareWindow);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label_, 1);
    layout->addWidget(buttons);
}

void ShareWindowController::showWithLabel(const QString &label, const QString &address)
{
    shareLink_ = address;
    label_->setText(label);
    show();
    raise();
    activateWindow();
}

void ShareWindowController::hideShareWindow()
{
    hide();
}
