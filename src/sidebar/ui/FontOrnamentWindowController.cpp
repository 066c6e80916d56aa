#include "sidebar/ui/FontOrnamentWindowController.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

FontOrnamentWindowController::FontOrnamentWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FontOrnamentWindowController"));
    setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(this);
    m_mainView = new QWidget(this);
    m_mainView->setMinimumSize(400, 300);
    layout->addWidget(m_mainView, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_print = new QPushButton(tr("Print"), this);
    m_print->setDefault(true);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_print);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this,
            &FontOrnamentWindowController::cancelFontOrnamentWindowControllerSheet);
}

void FontOrnamentWindowController::cancelFontOrnamentWindowControllerSheet()
{
    done(1);
}
