#include "model/GraphicEnvironment.h"

namespace {
GraphicEnvironment *gCurrentEnvironment = nullptr;
}

GraphicEnvironment *GraphicEnvironment::current()
{
    return gCurrentEnvironment;
}

void GraphicEnvironment::setCurrent(GraphicEnvironment *environment)
{
    gCurrentEnvironment = environment;
}
