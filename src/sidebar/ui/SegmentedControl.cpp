#include "sidebar/ui/SegmentedControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>

SegmentedControl::SegmentedControl(const QStringList &labels, QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    for (int i = 0; i < labels.size(); ++i) {
        auto *b = new QPushButton(labels[i], this);
        b->setCheckable(true);
        m_group->addButton(b, i);
        row->addWidget(b);
    }
    row->addStretch();
    connect(m_group, &QButtonGroup::idClicked, this, &SegmentedControl::segmentSelected);
}

int SegmentedControl::segmentCount() const
{
    return int(m_group->buttons().size());
}

int SegmentedControl::selectedSegment() const
{
    return m_group->checkedId();
}

void SegmentedControl::setSelectedSegment(int segment)
{
    if (QAbstractButton *b = m_group->button(segment))
        b->setChecked(true);
}

void SegmentedControl::setWidthForSegment(int width, int segment)
{
    if (QAbstractButton *b = m_group->button(segment))
        b->setFixedWidth(width);
}

QString SegmentedControl::labelForSegment(int segment) const
{
    QAbstractButton *b = m_group->button(segment);
    return b ? b->text() : QString();
}

QAbstractButton *SegmentedControl::segment(int index) const
{
    return m_group->button(index);
}
