#include "sidebar/ui/FloatWindowController.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

FloatWindowController::FloatWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FloatWindowController"));
    setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(this);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(false);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_mainView = new QWidget;
    m_scroll->setWidget(m_mainView);
    layout->addWidget(m_scroll, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cancel = new QPushButton(tr("Cancel"), this);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &FloatWindowController::cancelFloatWindowControllerSheet);
}

void FloatWindowController::setContent(QWidget *content)
{
    content->setParent(m_mainView);
    content->move(0, 0);
    content->show();
    m_mainView->resize(content->size());
    m_scroll->setMinimumSize(std::min(content->width() + 4, 900), std::min(content->height() + 4, 700));
}

void FloatWindowController::beginSheet()
{
    adjustSize();
    open();
}

void FloatWindowController::cancelFloatWindowControllerSheet()
{
    // Ends the sheet with return code 1, as every cancel does.
    done(1);
}
