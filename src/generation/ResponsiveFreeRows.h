#pragma once
// The graphics of a responsive page that no section column took (texts,
// pictures, tables, and the empty filled boxes a design draws its coloured
// bands with) become full-width rows where they stand, top to bottom, each
// kept at its place across the page and at its distance from what is above
// it. A filled box and everything whose middle lies on it make one row on
// the box's colour, so a text drawn over a band keeps the band behind it.
// E-mail pages get table rows, the other editions Bootstrap containers.
#include "document/CodeWidgetHelper.h"

#include <QList>

class GenerationContext;

class ResponsiveFreeRows {
public:
    ResponsiveFreeRows() = delete;
    // Call once the sections are arranged: their fragments are marked taken.
    static QList<CodeWidgetHelper> rows(GenerationContext &ctx);
};
