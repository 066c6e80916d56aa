// Graphics moved between the sections of a responsive page in the program's
// own window, with real drops and drags: a text that shares its section with
// a graphic that has just joined it moves on into another section at the
// first try, and is laid out in the column it joins with its own height.
#include "support/RealProgram.h"
#include "support/ResponsivePageJourney.h"

#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "window/ui/SKTWindowController.h"

#include <gtest/gtest.h>

namespace {

using namespace ResponsivePageJourney;

// Drops a rich text box at the point; the new one is the frontmost text.
SKTGraphic *dropText(SKTWindowController &window, const QPointF &at)
{
    if (!dropPaletteEntry(window, QStringLiteral("zov_textbox_body_tovra_rich"), at))
        return nullptr;
    for (const auto &g : window.document().graphics())
        if (dynamic_cast<SKTText *>(g.get()))
            return g.get();
    return nullptr;
}

} // namespace

class SectionMoveWindowTest : public RealProgramTest {};

TEST_F(SectionMoveWindowTest, ATextMovesIntoAnotherSectionAtTheFirstTryAfterItsSectionTookAnother)
{
    launchAs(QStringLiteral("Mirvel Responsive Website Designer"));
    SKTWindowController *w = newPageWindow();
    ASSERT_NE(w, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, 40)));
    QList<SKTTable *> sections = sectionsOf(*w);
    ASSERT_FALSE(sections.isEmpty());
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, sections.last()->bounds().bottom() + 20)));
    sections = sectionsOf(*w);
    ASSERT_GE(sections.size(), 2);
    SKTTable *first = sections[sections.size() - 2];
    SKTTable *second = sections.last();

    // A text in the first section's first column, settled there by a short
    // drag (it may touch a graphic the new page came with: it stays put).
    const QPointF at = freePoint(*w, *first, 0);
    ASSERT_FALSE(at.isNull());
    SKTGraphic *text = dropText(*w, at);
    ASSERT_NE(text, nullptr);
    dragOnCanvas(*w, text->bounds().center(), text->bounds().center() + QPointF(0, 4));
    ASSERT_EQ(text->sectionNumber(), first->sectionNumber());
    ASSERT_EQ(text->sectionColumnSpot(), 0);

    // Another text joins the first section's second column; the section is laid out again.
    const QPointF other = freePoint(*w, *first, 0);
    ASSERT_FALSE(other.isNull());
    SKTGraphic *joining = dropText(*w, other);
    ASSERT_NE(joining, nullptr);
    const QPointF intoSecondColumn = freePoint(*w, *first, 1);
    dragOnCanvas(*w, joining->bounds().center(), QPointF(intoSecondColumn.x(), joining->bounds().center().y()));
    ASSERT_EQ(joining->sectionNumber(), first->sectionNumber());
    ASSERT_EQ(joining->sectionColumnSpot(), 1);

    // The first text, dragged over the second section's second column, joins it.
    const QPointF target = freePoint(*w, *second, 1);
    ASSERT_FALSE(target.isNull());
    const double height = text->bounds().height();
    dragOnCanvas(*w, text->bounds().center(), target);
    EXPECT_EQ(text->sectionNumber(), second->sectionNumber());
    EXPECT_EQ(text->sectionColumnSpot(), 1);
    const QRectF cell = cellRect(*second, 1);
    EXPECT_GE(text->bounds().left(), cell.left() - 1);
    EXPECT_LE(text->bounds().right(), cell.right() + 1);
    // Laid out at the column's top with its own height.
    EXPECT_EQ(text->bounds().height(), height);
    EXPECT_GE(text->bounds().top(), cell.top());
}
