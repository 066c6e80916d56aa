#include "model/GraphicKinds.h"

#include "model/GraphicFactory.h"
#include "model/SKTGraphic.h"

// One row per graphic class: its stored class name and how to make a default one.
void GraphicKinds::registerAll()
{
    GraphicFactory::registerClass<SKTGraphic>(QStringLiteral("SKTGraphic"));
}
