// Every palette entry's code name inserts something: through the drop
// presets, the drop table's insertion operations, or the palette's own
// insertions for the names the drop table has no row for (relations, the
// five-column table, the video background pattern).
#include "insertion/DropTables.h"
#include "sidebar/PaletteCatalogue.h"
#include "sidebar/PaletteInsertions.h"
#include "insertion/InsertionFixture.h"
#include "insertion/ObjectMakers.h"
#include "insertion/PalettePresets.h"
#include "model/SKTLine.h"

#include <QImage>
#include <QSet>

class PaletteInsertionsTest : public InsertionTest {
protected:
    qsizetype count() const { return doc->graphics().size(); }
    QList<SKTGraphic *> lines() const
    {
        QList<SKTGraphic *> out;
        for (const auto &g : doc->graphics())
            if (dynamic_cast<SKTLine *>(g.get()))
                out.append(g.get());
        return out;
    }
};

TEST_F(PaletteInsertionsTest, EveryEntryInsertsThroughPresetsTableOrPalette)
{
    QSet<QString> unknown;
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString png = path(QStringLiteral("pattern.png"));
    ASSERT_TRUE(picture.save(png));
    for (const PaletteEntry &e : PaletteCatalogue::entries()) {
        const QString &code = e.codeName;
        const qsizetype before = count();
        if (PaletteInsertions::handles(code)) {
            panels.answer(png);
            EXPECT_TRUE(PaletteInsertions::insert(*frame, code, QPointF(40, 40))) << code.toStdString();
            if (code == QLatin1String("zov_backgroundpattern_video"))
                EXPECT_EQ(doc->backgroundImageFlag, 2) << "the chosen picture becomes the page's pattern";
            else
                EXPECT_GT(count(), before) << code.toStdString();
        } else if (PalettePresets::shared().contains(code)) {
            EXPECT_TRUE(PalettePresets::shared().insert(*frame, code, QPointF(40, 40), 1.0)) << code.toStdString();
            EXPECT_GT(count(), before) << code.toStdString();
        } else if (!DropTables::codeName(code)) {
            unknown.insert(code);
        }
    }
    EXPECT_TRUE(unknown.isEmpty()) << QStringList(unknown.values()).join(u' ').toStdString();
    EXPECT_FALSE(PaletteInsertions::insert(*frame, QStringLiteral("zov_textbox"), QPointF(1, 1)));
}

TEST_F(PaletteInsertionsTest, ARelativeIsJoinedToTheSelectedIndividualInOneUndoStep)
{
    ObjectMakers(*frame).addIndividual_drag(QPointF(100, 100));
    doc->undoManager().closeAutomaticGroup();
    const qsizetype one = count();
    ASSERT_GE(one, 2);
    context->selection = {doc->graphics().first().get()};
    const QRectF first = PaletteInsertions::selectedIndividual(*frame);
    EXPECT_EQ(first, QRectF(100, 100, 300, 200));

    ASSERT_TRUE(PaletteInsertions::insert(*frame, QStringLiteral("zov_mother"), QPointF(100, 500)));
    doc->undoManager().closeAutomaticGroup();
    EXPECT_EQ(count(), 2 * one + 1);
    ASSERT_EQ(lines().size(), 1);
    auto *line = static_cast<SKTLine *>(lines().first());
    // From the bottom edge of the first card to the top edge of the new one.
    EXPECT_EQ(line->value(QStringLiteral("beginPoint")).toPointF(), QPointF(250, 300));
    EXPECT_EQ(line->value(QStringLiteral("endPoint")).toPointF(), QPointF(250, 500));

    doc->undoManager().undo();
    EXPECT_EQ(count(), one);
    EXPECT_TRUE(lines().isEmpty());

    // Without a selected individual the new card stands alone.
    context->selection.clear();
    ASSERT_TRUE(PaletteInsertions::insert(*frame, QStringLiteral("zov_sibling"), QPointF(600, 100)));
    EXPECT_EQ(count(), 2 * one);
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(PaletteInsertionsTest, FiveColumnTableSharesTheRowEqually)
{
    gCanvasWidth = 1000;
    ASSERT_TRUE(PaletteInsertions::insert(*frame, QStringLiteral("zov_table1x5"), QPointF(100, 40)));
    auto *table = dynamic_cast<SKTTable *>(doc->graphics().first().get());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->numOfColumns(), 5);
    EXPECT_EQ(table->numOfRows(), 1);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(table->grabColumnWidth(c), 180);
    doc->undoManager().closeAutomaticGroup();
    doc->undoManager().undo();
    EXPECT_EQ(count(), 0);

    // Dropped into a section's cell it spans that cell.
    doc->insertGraphic(makeSection(1, QPointF(0, 0), {400, 600}, 300), 0);
    ASSERT_TRUE(PaletteInsertions::insert(*frame, QStringLiteral("zov_table1x5"), QPointF(450, 40)));
    table = dynamic_cast<SKTTable *>(doc->graphics().first().get());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->bounds().left(), frame->grabOverLappingSectionCell(QPointF(450, 40)).left());
    EXPECT_LE(table->bounds().width(), 600);
}

TEST_F(PaletteInsertionsTest, BackgroundPatternCancelledOrUnreadableLeavesThePage)
{
    panels.answerCancel();
    EXPECT_TRUE(PaletteInsertions::insert(*frame, QStringLiteral("zov_backgroundpattern_video"), QPointF(1, 1)));
    EXPECT_NE(doc->backgroundImageFlag, 2);
    const QString junk = path(QStringLiteral("junk.png"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    panels.answer(junk);
    PaletteInsertions::insert(*frame, QStringLiteral("zov_backgroundpattern_video"), QPointF(1, 1));
    EXPECT_NE(doc->backgroundImageFlag, 2);
    EXPECT_EQ(alerts.shown().size(), 1);
}
