#include "sidebar/ui/LayerArrangementViewController.h"

#include "sidebar/SidebarBindings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LayerArrangementViewController::LayerArrangementViewController(QWidget *parent) : QWidget(parent)
{
    setFixedSize(189, 59);
    m_text = new QLineEdit(this);
    m_text->setGeometry(8, 8, 100, 24);
    m_save = new QPushButton(tr("Save"), this);
    m_save->setGeometry(114, 6, 68, 28);
    m_refusal = new QLabel(this);
    m_refusal->setGeometry(8, 36, 175, 20);
    m_refusal->setStyleSheet(QStringLiteral("color:#B00000; font-size:9px"));
    connect(m_save, &QPushButton::clicked, this, &LayerArrangementViewController::saveLayerIndex);
    connect(m_text, &QLineEdit::returnPressed, this, &LayerArrangementViewController::saveLayerIndex);
}

void LayerArrangementViewController::attach(InspectorBindings &bindings, std::function<void()> done)
{
    m_bindings = &bindings;
    m_done = std::move(done);
}

void LayerArrangementViewController::saveLayerIndex()
{
    if (!m_bindings)
        return;
    const EditResult result = m_bindings->setLayerIndex(m_text->text());
    m_refusal->setText(result.message);
    m_refusal->setToolTip(result.message);
    if (result.message.isEmpty() && m_done)
        m_done();
}
