#include "app/ui/TemplateIconButton.h"

#include "config/DataCentre.h"

#include <QPainter>

TemplateIconButton::TemplateIconButton(QString fileName, QString categoryFolder, QImage image, QWidget *parent)
    : QAbstractButton(parent), m_fileName(std::move(fileName)), m_categoryFolder(std::move(categoryFolder)),
      m_image(std::move(image))
{
    setCursor(Qt::PointingHandCursor);
    setToolTip(m_fileName.section(QLatin1Char('.'), 0, -2));
}

void TemplateIconButton::setBorderFlag(bool flag)
{
    if (m_borderFlag == flag)
        return;
    m_borderFlag = flag;
    update();
}

QSize TemplateIconButton::sizeHint() const
{
    return m_image.isNull() ? QSize(200, 200) : m_image.size();
}

void TemplateIconButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_image.isNull())
        painter.drawImage(rect(), m_image);
    if (m_borderFlag) {
        // A 10-point line centred on the edge: half of it shows inside.
        QPen pen(DataCentre::colorWithHexString(QStringLiteral("33A1C9")), 10);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect());
    }
}
