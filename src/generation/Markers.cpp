// To be filled (B3): Markers::pageMarkers, Markers::cleanMarkerValue.
#include "generation/Markers.h"

#include "generation/GenerationContext.h"

PageMarkers Markers::pageMarkers(GenerationContext &)
{
    return PageMarkers();
}

QString Markers::cleanMarkerValue(const QString &value, bool)
{
    return value;
}
