#include "model/ui/ZovsClipView.h"

#include "model/SlideShow.h"

#include <QPainter>

ZovsClipView::ZovsClipView(const SlideShow &slides, QWidget *parent) : QWidget(parent), m_slides(slides)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ZovsClipView::refreshMe()
{
    update();
}

void ZovsClipView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const auto &slide : m_slides.imageArray)
        if (slide && !slide->image.isNull())
            painter.drawImage(slide->frame, slide->image);
}
