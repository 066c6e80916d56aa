#include "app/ui/GridPanel.h"

#include "platform/ActionResponder.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton *commandButton(const QString &title, const QString &action)
{
    auto *button = new QPushButton(title);
    button->setProperty("gridAction", action);
    QObject::connect(button, &QPushButton::clicked, button, [action, title] {
        ActionItemState sender;
        sender.action = action;
        sender.title = title;
        ResponderChain::send(action, sender);
    });
    return button;
}
}  // namespace

GridPanel::GridPanel(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("GridPanel"));
    setWindowTitle(tr("Alignment Grid"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The grid of the page in front.")));
    m_show = commandButton(tr("Show or Hide Grid"), QStringLiteral("toggleGridShowing"));
    m_constrain = commandButton(tr("Snap to Grid On or Off"), QStringLiteral("toggleGridConstraining"));
    layout->addWidget(m_show);
    layout->addWidget(m_constrain);
    layout->addStretch(1);
    resize(260, 140);
}

void GridPanel::showEvent(QShowEvent *event)
{
    for (QPushButton *button : {m_show, m_constrain}) {
        ActionItemState state;
        state.action = button->property("gridAction").toString();
        button->setEnabled(ResponderChain::validate(state));
    }
    QWidget::showEvent(event);
}
