#include "model/OuterSlideShow.h"

QRectF OuterSlideShow::nextButtonFrame() const
{
    return QRectF(frame.width() - arrowWidth, frame.height() / 2, arrowWidth, arrowHeight);
}

QRectF OuterSlideShow::previousButtonFrame() const
{
    return QRectF(0, frame.height() / 2, arrowWidth, arrowHeight);
}
