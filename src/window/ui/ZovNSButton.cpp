#include "window/ui/ZovNSButton.h"

#include "config/EditionSettings.h"
#include "window/PageDrop.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

ZovNSButton::ZovNSButton(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ZovNSButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!image.isNull())
        painter.drawImage(imageFrame, image);
    else
        painter.fillRect(imageFrame, QColor(0xEE, 0xEE, 0xEE));
    painter.setPen(QColor(0x33, 0x33, 0x33));
    int y = imageFrame.bottom() + 4;
    const QFontMetrics metrics(font());
    for (const QString &caption : captions) {
        // A caption wider than the button (a date and time in a narrow
        // column) is set smaller before any of it is left out.
        QFont fitted = font();
        const int room = width() - 4;
        while (QFontMetrics(fitted).horizontalAdvance(caption) > room && fitted.pointSizeF() > 7.0)
            fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
        painter.setFont(fitted);
        painter.drawText(QRect(0, y, width(), metrics.height()), Qt::AlignHCenter | Qt::AlignVCenter,
                         QFontMetrics(fitted).elidedText(caption, Qt::ElideMiddle, room));
        y += metrics.height() + 2;
    }
    painter.setFont(font());
    editModeFlag = false;
    // The frame follows the button's bounds, whatever part of it is being
    // repainted, so a partial repaint never draws a frame through the middle.
    const QRectF bounds = QRectF(rect());
    if (entry.borderFlag) {
        QPen pen(frameColour(), kFrameWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bounds);
    }
    if (buttonColor.isValid())
        painter.fillRect(bounds, buttonColor);
}

void ZovNSButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (editModeFlag) {
        entry.borderFlag = true;
        update();
        return;
    }
    pressed_ = true;
    pressPoint_ = event->position().toPoint();
}

void ZovNSButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!pressed_ || !(event->buttons() & Qt::LeftButton) || !gCanvasDragOption)
        return;
    if ((event->position().toPoint() - pressPoint_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressed_ = false;
    auto *mime = new QMimeData;
    mime->setData(QLatin1String(PageDrop::kPageMimeType), PageDrop::pagePayload(entry.pageName));
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    if (!image.isNull())
        drag->setPixmap(QPixmap::fromImage(image.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    drag->setHotSpot(QPoint(16, 16));
    drag->exec(Qt::MoveAction);
}

void ZovNSButton::mouseReleaseEvent(QMouseEvent *event)
{
    const bool was = pressed_;
    pressed_ = false;
    if (was && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(tag);
}
