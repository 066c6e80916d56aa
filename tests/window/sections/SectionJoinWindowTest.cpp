// A graphic that joins a column in the program's own window, with real drops
// and drags: a text dragged onto a photo in the other column takes that
// column and goes below the photo instead of over it, and the section grows
// to hold what its columns hold, pushing the section below down with its
// contents. A new object dropped low in a column grows the section too.
#include "support/RealProgram.h"
#include "support/ResponsivePageJourney.h"

#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QImage>
#include <tuple>
#include <gtest/gtest.h>

namespace {

using namespace ResponsivePageJourney;

template <typename T>
T *frontmost(SKTWindowController &window)
{
    for (const auto &g : window.document().graphics())
        if (auto *t = dynamic_cast<T *>(g.get()))
            return t;
    return nullptr;
}

// Where the page's graphics are, in reading order (an undone insertion
// may come back as a new object).
QList<QRectF> boundsOf(SKTWindowController &window)
{
    QList<QRectF> bounds;
    for (const auto &g : window.document().graphics())
        bounds << g->bounds();
    std::sort(bounds.begin(), bounds.end(), [](const QRectF &a, const QRectF &b) {
        return std::make_tuple(a.top(), a.left(), a.width(), a.height())
               < std::make_tuple(b.top(), b.left(), b.width(), b.height());
    });
    return bounds;
}

qsizetype textsOf(SKTWindowController &window)
{
    qsizetype n = 0;
    for (const auto &g : window.document().graphics())
        n += dynamic_cast<SKTText *>(g.get()) ? 1 : 0;
    return n;
}

QRectF contentOf(SKTTable &section)
{
    section.drawBoxModel();
    return section.contentRect();
}

class SectionJoinWindowTest : public RealProgramTest {
protected:
    // A page of the website edition with two 2-column sections, one under
    // the other; the Photo entry's open panel answers with a wide picture.
    SKTWindowController *pageWithTwoSections()
    {
        launchAs(QStringLiteral("Mirvel Responsive Website Designer"));
        SKTWindowController *w = newPageWindow();
        if (!w)
            return nullptr;
        const QString picture = writePhoto({400, 100});
        panels.answer(picture);
        double top = 40;
        for (const auto &g : w->document().graphics())
            top = std::max(top, std::ceil(g->bounds().bottom()) + 20);
        if (!dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, top)))
            return nullptr;
        const QList<SKTTable *> one = sectionsOf(*w);
        if (one.isEmpty()
            || !dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, one.last()->bounds().bottom() + 1)))
            return nullptr;
        return sectionsOf(*w).size() == 2 ? w : nullptr;
    }
};

} // namespace

TEST_F(SectionJoinWindowTest, ATextDraggedOntoAPhotoInTheOtherColumnGoesBelowItAndTheSectionGrowsToHoldIt)
{
    SKTWindowController *w = pageWithTwoSections();
    ASSERT_NE(w, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    QList<SKTTable *> sections = sectionsOf(*w);
    SKTTable *upper = sections[0];
    SKTTable *lower = sections[1];
    const QRectF two = cellRect(*upper, 1);

    // The photo low in column 2, a text at the top of column 1, and a text in
    // the lower section that must travel with it.
    const double photoTop = contentOf(*upper).bottom() - 120;
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_photo"), QPointF(two.left() + 40, photoTop)));
    spinUntil([w] { return frontmost<SKTImage>(*w) != nullptr; }, 5000);
    SKTImage *photo = frontmost<SKTImage>(*w);
    ASSERT_NE(photo, nullptr);
    ASSERT_EQ(photo->sectionColumnSpot(), 1);
    ASSERT_LE(photo->bounds().bottom(), contentOf(*upper).bottom());
    const QRectF one = cellRect(*upper, 0);
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_textbox_body_tovra_rich"),
                                 QPointF(one.left() + 40, contentOf(*upper).top() + 10)));
    SKTText *text = frontmost<SKTText>(*w);
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->sectionNumber(), upper->sectionNumber());
    ASSERT_EQ(text->sectionColumnSpot(), 0);
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_textbox_body_tovra_rich"),
                                 QPointF(one.left() + 40, contentOf(*lower).top() + 10)));
    SKTText *lowerText = frontmost<SKTText>(*w);
    ASSERT_NE(lowerText, nullptr);
    ASSERT_EQ(lowerText->sectionNumber(), lower->sectionNumber());
    const double lowerTop = lower->bounds().top();
    const double gapToLowerText = lowerText->bounds().top() - lowerTop;
    const QRectF photoBefore = photo->bounds();
    const QList<QRectF> before = boundsOf(*w);

    // Pressed at its middle, released on the photo.
    w->graphicView().deselectAll();
    dragOnCanvas(*w, text->bounds().center(), photo->bounds().center());

    EXPECT_EQ(text->sectionNumber(), upper->sectionNumber());
    EXPECT_EQ(text->sectionColumnSpot(), 1);
    EXPECT_FALSE(text->bounds().intersects(photo->bounds()))
        << "text " << text->bounds().top() << ".." << text->bounds().bottom() << ", photo "
        << photo->bounds().top() << ".." << photo->bounds().bottom();
    EXPECT_GE(text->bounds().top(), photo->bounds().bottom());
    EXPECT_EQ(photo->bounds(), photoBefore);
    EXPECT_GE(text->bounds().left(), two.left() - 1);
    EXPECT_LE(text->bounds().right(), two.right() + 1);
    // The section holds it, and the section below moved down out of its way
    // with what it holds.
    EXPECT_LE(text->bounds().bottom(), contentOf(*upper).bottom());
    EXPECT_GE(lower->bounds().top(), upper->bounds().bottom());
    EXPECT_GT(lower->bounds().top(), lowerTop);
    EXPECT_EQ(lowerText->bounds().top() - lower->bounds().top(), gapToLowerText);
    EXPECT_FALSE(lowerText->bounds().intersects(text->bounds()));

    // One drag is one step: a single Edit > Undo takes back the join, the
    // placement below the photo, the growth and the push; Redo does all of
    // it again.
    const QList<QRectF> joined = boundsOf(*w);
    // The photo's open panel took the focus; the menu works on the window.
    w->activateWindow();
    spinUntil([w] { return QApplication::activeWindow() == w; }, 2000);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(w, QStringLiteral("Edit/Undo"), &why)) << qPrintable(why);
    settleEvents();
    EXPECT_EQ(text->sectionColumnSpot(), 0);
    EXPECT_EQ(boundsOf(*w), before);
    EXPECT_EQ(lower->bounds().top(), lowerTop);
    ASSERT_TRUE(MenuPath::trigger(w, QStringLiteral("Edit/Redo"), &why)) << qPrintable(why);
    settleEvents();
    EXPECT_EQ(text->sectionColumnSpot(), 1);
    EXPECT_EQ(boundsOf(*w), joined);
    w->document().markClean();
}

// A text box dropped near the bottom of a column would hang below it: the
// section grows to hold it and the section below it moves down.
TEST_F(SectionJoinWindowTest, AnObjectDroppedLowInAColumnGrowsItsSection)
{
    SKTWindowController *w = pageWithTwoSections();
    ASSERT_NE(w, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    QList<SKTTable *> sections = sectionsOf(*w);
    SKTTable *upper = sections[0];
    SKTTable *lower = sections[1];
    const double lowerTop = lower->bounds().top();
    const QRectF one = cellRect(*upper, 0);
    const QList<QRectF> before = boundsOf(*w);
    // The plain body text box: placed where it is dropped, 50 high.
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_textbox_body_tovra"),
                                 QPointF(one.left() + 40, contentOf(*upper).bottom() - 10)));
    SKTText *text = frontmost<SKTText>(*w);
    ASSERT_NE(text, nullptr);
    const qsizetype texts = textsOf(*w);
    ASSERT_EQ(text->sectionNumber(), upper->sectionNumber());
    EXPECT_LE(text->bounds().bottom(), contentOf(*upper).bottom());
    EXPECT_GE(lower->bounds().top(), upper->bounds().bottom());
    EXPECT_GT(lower->bounds().top(), lowerTop);

    // The drop with the growth it caused is one step.
    settleEvents();
    const QList<QRectF> dropped = boundsOf(*w);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(w, QStringLiteral("Edit/Undo"), &why)) << qPrintable(why);
    settleEvents();
    EXPECT_EQ(textsOf(*w), texts - 1);
    EXPECT_EQ(boundsOf(*w), before);
    ASSERT_TRUE(MenuPath::trigger(w, QStringLiteral("Edit/Redo"), &why)) << qPrintable(why);
    settleEvents();
    EXPECT_EQ(boundsOf(*w), dropped);
    w->document().markClean();
}
