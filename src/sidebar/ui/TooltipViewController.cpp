#include "sidebar/ui/TooltipViewController.h"

#include "sidebar/LinkEditing.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TooltipViewController::TooltipViewController(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("TooltipViewController"));
    setFrameShape(QFrame::StyledPanel);
    setFixedSize(448, 47);
    m_text = new QLineEdit(this);
    m_text->setPlaceholderText(QStringLiteral("Image Tooltip Text"));
    m_save = new QPushButton(QStringLiteral("Save"), this);
    auto *row = new QHBoxLayout(this);
    row->addWidget(m_text, 1);
    row->addWidget(m_save);
    connect(m_save, &QPushButton::clicked, this, [this] { saveTooltip(); });
    connect(m_text, &QLineEdit::returnPressed, this, [this] { saveTooltip(); });
}

void TooltipViewController::applyTooltip(SelectionProxy &selection, const QString &existingTooltip,
                                         std::function<void()> done)
{
    m_selection = &selection;
    m_done = std::move(done);
    m_text->setText(existingTooltip);
}

void TooltipViewController::saveTooltip()
{
    if (!m_selection)
        return;
    m_text->setText(LinkEditing::saveTooltip(*m_selection, m_text->text()));
    if (m_done)
        m_done();
}
