#include "document/CodeWidgetHelper.h"

#include "document/Fmt.h"

void CodeWidgetHelper::setRect(const QRectF &frame)
{
    rect = frame;
    originY = Fmt::trunc(frame.y());
}
