#include "sidebar/ui/SectionView.h"

#include "config/DataCentreColours.h"

#include <QPainter>
#include <QPushButton>

SectionView::SectionView(int number, const SectionColumn &column, int paneWidth, QWidget *parent)
    : QWidget(parent), m_column(column), m_shownPaneWidth(paneWidth)
{
    m_button = new QPushButton(QString::number(number), this);
    m_button->setGeometry(10, 10, 30, 30);
    connect(m_button, &QPushButton::clicked, this, [this] { emit buttonClicked(this); });
    setMinimumWidth(1);
}

void SectionView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), DataCentreColours::colorWithHexString(QStringLiteral("FFD700")));
    p.setPen(QPen(Qt::black, 5.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
}
