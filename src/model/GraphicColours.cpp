#include "model/GraphicColours.h"

#include "config/DataCentre.h"
#include "model/GraphicPainter.h"
#include "model/SKTGraphic.h"

QColor GraphicColours::border(const SKTGraphic &graphic)
{
    QColor colour = graphic.borderColor();
    if (!colour.isValid())
        colour = graphic.borderHexColorString().isEmpty()
                     ? QColor(Qt::black)
                     : DataCentre::colorWithHexString(graphic.borderHexColorString());
    return GraphicPainter::withAlpha(colour, graphic.opacity());
}
