#include "model/GraphicKinds.h"

#include "model/GraphicFactory.h"
#include "model/SKTCircle.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTRectangle.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

// One row per graphic class: its stored class name and how to make a default one.
void GraphicKinds::registerAll()
{
    GraphicFactory::registerClass<SKTGraphic>(QStringLiteral("SKTGraphic"));
    GraphicFactory::registerClass<SKTText>(QStringLiteral("SKTText"));
    GraphicFactory::registerClass<SKTImage>(QStringLiteral("SKTImage"));
    GraphicFactory::registerClass<SKTLine>(QStringLiteral("SKTLine"));
    GraphicFactory::registerClass<SKTRectangle>(QStringLiteral("SKTRectangle"));
    GraphicFactory::registerClass<SKTCircle>(QStringLiteral("SKTCircle"));
    GraphicFactory::registerClass<SKTTable>(QStringLiteral("SKTTable"));
    GraphicFactory::registerClass<SKTGalleryGrid>(QStringLiteral("SKTGalleryGrid"));
    GraphicFactory::registerClass<SKTSlideshow>(QStringLiteral("SKTSlideshow"));
}
