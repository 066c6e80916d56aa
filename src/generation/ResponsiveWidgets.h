#pragma once
// The table pass of the responsive layout hands each grid-shaped graphic to
// the generator of its kind (navigation bars, panels, carousels, photo hover
// caption, or the table generator) and files the fragment.
class GenerationContext;
class SKTTable;
class QPointF;

class ResponsiveWidgets {
public:
    ResponsiveWidgets() = delete;
    // Sections are left to the arrangement; every other kind adds its fragment.
    static void add(GenerationContext &ctx, SKTTable *table);
    // Does the point lie in a column of one of the page's sections?
    static bool isInSectionCell(const GenerationContext &ctx, const QPointF &point);
};
