#include "generation/CodeWidgetHelper.h"

#include "generation/Fmt.h"

void CodeWidgetHelper::setRect(const QRectF &frame)
{
    rect = frame;
    originY = Fmt::trunc(frame.y());
}
