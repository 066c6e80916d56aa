// The form edition's fields dropped into the columns of a section from the
// palette, as a hand drags them: the drag may enter the canvas anywhere (over
// a field, beside the section) before it reaches the free spot where it is
// released. Every field, the choice groups with all their options, and the
// Bot Checker land in the column they were dropped in, and the section grows
// to hold them.
#include "support/RealProgram.h"
#include "support/ResponsivePageJourney.h"

#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "window/ui/SKTWindowController.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

using namespace ResponsivePageJourney;

// A point of the column's content that no graphic covers, from the top down.
QPointF freePoint(SKTWindowController &window, SKTTable &section, int column)
{
    section.drawBoxModel();
    const QRectF cell = cellRect(section, column);
    const QRectF content = section.contentRect();
    for (double y = std::max(cell.top(), content.top()) + 5; y < content.bottom() - 5; y += 5) {
        const QPointF p(cell.left() + 40, y);
        bool covered = false;
        for (const auto &g : window.document().graphics())
            if (!g->isSection() && g->bounds().adjusted(-2, -2, 2, 2).contains(p))
                covered = true;
        if (!covered)
            return p;
    }
    return {};
}

class FormSectionWindowTest : public RealProgramTest {};

} // namespace

TEST_F(FormSectionWindowTest, FieldsAndTheBotCheckerDraggedFromThePaletteLandInTheirColumn)
{
    launchAs(QStringLiteral("Tovra Responsive Form Designer"));
    SKTWindowController *w = newPageWindow();
    ASSERT_NE(w, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    double top = 40;
    for (const auto &g : w->document().graphics())
        top = std::max(top, std::ceil(g->bounds().bottom()) + 20);
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, top)));
    SKTTable *section = firstSection(*w);
    ASSERT_NE(section, nullptr);

    // Each entry comes in from the palette side: it enters the canvas to the
    // right of the section, where nothing can be dropped, crosses the page
    // and is released at a free spot of its column.
    const char *const entries[] = {"zov_textfield", "zov_emailtextfield", "zov_paragraph", "zov_multiplechoice",
                                   "zov_checkboxes", "zov_submitbutton", "zov_botchecker"};
    int column = 0;
    for (const char *name : entries) {
        SCOPED_TRACE(name);
        const QPointF at = freePoint(*w, *section, column);
        ASSERT_FALSE(at.isNull());
        const QPointF entry(section->bounds().right() + 30, at.y());
        QSet<SKTGraphic *> before;
        for (const auto &g : w->document().graphics())
            before.insert(g.get());
        ASSERT_TRUE(dragPaletteEntryAlong(*w, QString::fromLatin1(name), {entry, (entry + at) / 2, at}));
        QList<SKTGraphic *> added;
        for (const auto &g : w->document().graphics())
            if (!before.contains(g.get()))
                added << g.get();
        ASSERT_FALSE(added.isEmpty());
        // Every part of it (a group's every option) is in the column and
        // inside the section, grown as far as it needed.
        section->drawBoxModel();
        for (SKTGraphic *g : added) {
            EXPECT_EQ(g->sectionNumber(), section->sectionNumber());
            EXPECT_EQ(g->sectionColumnSpot(), column);
            EXPECT_LE(g->bounds().bottom(), section->contentRect().bottom());
        }
        column = 1 - column;
    }
}
