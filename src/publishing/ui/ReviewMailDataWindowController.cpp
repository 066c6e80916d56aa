#include "publishing/ui/ReviewMailDataWindowController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ReviewMailDataWindowController::ReviewMailDataWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReviewMailDataWindowController"));
    setWindowTitle(tr("Review and Send"));
    textView_ = new QPlainTextEdit(this);
    textView_->setReadOnly(true);
    textView_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    sendButton_ = new QPushButton(tr("Send"), this);
    sendButton_->setDefault(true);
    connect(cancelButton_, &QPushButton::clicked, this, &ReviewMailDataWindowController::hideReviewMailDataPanel);
    connect(sendButton_, &QPushButton::clicked, this, &ReviewMailDataWindowController::sendRequested);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(sendButton_);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(tr("Please review before sending"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(textView_, 1);
    layout->addLayout(buttons);
    resize(560, 440);
}

void ReviewMailDataWindowController::present(const QString &text)
{
    textView_->setPlainText(text);
    if (parentWidget())
        setWindowModality(Qt::WindowModal);
    show();
    raise();
    activateWindow();
}

void ReviewMailDataWindowController::hideReviewMailDataPanel()
{
    hide();
}
