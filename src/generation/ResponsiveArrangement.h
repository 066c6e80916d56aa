#pragma once
// Lays the responsive fragments of a page into its sections: each fragment
// that a section column's rectangle meets (and no earlier column took)
// leaves its absolute placement for the column's flow, with its top and
// bottom margins measured on the canvas; the columns become one Bootstrap
// row (or, for e-mail pages, one table row). The fragment list is sorted
// once; each column finds its fragments, and their top-most, bottom-most
// and next neighbours, from that order.
#include "document/CodeWidgetHelper.h"

#include <QList>
#include <QRectF>

class GenerationContext;
class SKTDocument;
class SKTTable;

class ResponsiveArrangement {
public:
    // Sorts doc.sourceCodeArray by originY (unless this generation already did).
    explicit ResponsiveArrangement(SKTDocument &doc);
    // One section ("section" or "sectionTemplate") as one fragment.
    CodeWidgetHelper arrange(SKTTable *section);

    // The fragments of every section of the page, arranged once per
    // generation (the form mailer and the page assembly share them).
    static const QList<CodeWidgetHelper> &sectionFragments(GenerationContext &ctx);
    // The free-standing fragments and the section fragments, by originY.
    static QList<CodeWidgetHelper> pageFragments(GenerationContext &ctx);
    static bool isSection(const SKTTable *table);

private:
    // Indexes (in list order) of the fragments whose rectangles meet r.
    QList<qsizetype> fragmentsMeeting(const QRectF &r) const;

    SKTDocument &m_doc;
    QList<double> m_maxBottom; // running maximum of the fragments' bottoms, in list order
};
