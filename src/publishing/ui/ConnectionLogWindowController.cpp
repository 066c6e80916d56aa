#include "publishing/ui/ConnectionLogWindowController.h"

#include "platform/Alerts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

ConnectionLogWindowController::ConnectionLogWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ConnectionLogWindowController"));
    setWindowTitle(QStringLiteral("Connection log"));
    setModal(false);
    textView_ = new QPlainTextEdit(this);
    textView_->setReadOnly(true);
    // Long log lines wrap at the window's width; there is no horizontal scrolling.
    textView_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textView_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    button_ = new QPushButton(tr("Copy to Clipboard"), this);
    connect(button_, &QPushButton::clicked, this, &ConnectionLogWindowController::grabConnectionLog);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(button_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textView_, 1);
    layout->addLayout(buttons);
    resize(560, 420);
}

void ConnectionLogWindowController::showLog(const QString &log)
{
    textView_->setPlainText(log);
    show();
    raise();
    activateWindow();
}

void ConnectionLogWindowController::grabConnectionLog()
{
    QGuiApplication::clipboard()->setText(textView_->toPlainText());
    Alerts::inform(QStringLiteral("Copied to Clipboard"), QString(), this, Alert::Style::Informational);
}
