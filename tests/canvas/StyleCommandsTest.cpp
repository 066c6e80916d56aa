// Copy and paste style, screen-width matching, layer index and colour
// commands, with their undo.
#include "CanvasFixture.h"

#include "model/SKTTable.h"
#include "model/myTextView.h"

namespace {
class StyleTest : public CanvasTest {
protected:
    std::shared_ptr<SKTText> addText(const QRectF &bounds)
    {
        auto t = std::make_shared<SKTText>();
        t->setBounds(bounds);
        t->setSelectable(true);
        doc->insertGraphicAtIndex(t, doc->graphics().size());
        endStep();
        return t;
    }
    std::shared_ptr<SKTTable> addTable(int rows, int columns, const QString &colour)
    {
        auto t = std::make_shared<SKTTable>();
        t->setSelectable(true);
        t->setGridType(QStringLiteral("table"));
        t->setNumOfRows(rows);
        t->setNumOfColumns(columns);
        QList<SKTTable::Cell> cells;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                auto cell = std::make_shared<myTextView>();
                cell->rowSpot = r;
                cell->columnSpot = c;
                cell->width = 50;
                cell->height = 20;
                cell->backgroundHexColorString = colour;
                cell->textAlignment = QStringLiteral("left");
                cell->formType = QStringLiteral("checkbox");
                cell->formTag = 4;
                cells << cell;
            }
        t->setCellHelperArray(cells);
        t->setBounds({0, 200, 50.0 * columns, 20.0 * rows});
        doc->insertGraphicAtIndex(t, doc->graphics().size());
        endStep();
        return t;
    }
    // The stored properties and the layer index, which the page writes apart.
    std::vector<std::string> state() const
    {
        std::vector<std::string> lines = snapshot();
        for (size_t i = 0; i < lines.size(); ++i)
            lines[i] += " layer=" + std::to_string(doc->graphics()[qsizetype(i)]->manualLayerIndex());
        return lines;
    }
    static QStringList colours(const SKTTable &t)
    {
        QStringList list;
        for (int r = 0; r < t.numOfRows(); ++r) {
            QString row;
            for (int c = 0; c < t.numOfColumns(); ++c)
                row += t.grabSelectedTableCellHelper(r, c)->backgroundHexColorString + u' ';
            list << row.trimmed();
        }
        return list;
    }
};
} // namespace

TEST_F(StyleTest, TextStylePastesTheSourcesLookEvenAfterItWasDeleted)
{
    auto source = addText({0, 0, 100, 30});
    auto target = addText({200, 0, 100, 30});
    auto table = addTable(1, 1, QStringLiteral("111111"));
    source->setFontFamily(QStringLiteral("Courier"));
    source->setFontSize(31);
    source->setBackgroundHexColorString(QStringLiteral("ABCDEF"));
    endStep();

    view->setSelectedGraphics({source.get(), target.get()});
    EXPECT_FALSE(view->grabCopyStyleShown());
    view->setSelectedGraphics({source.get()});
    EXPECT_TRUE(view->grabCopyStyleShown());
    view->grabCopyStyle();
    source->setFontSize(33); // edited after copying: the paste carries it
    view->deleteSelection();
    endStep();

    view->setSelectedGraphics({target.get(), table.get()});
    EXPECT_TRUE(view->applyPasteStyleShown());
    view->setSelectedGraphics({table.get()});
    EXPECT_FALSE(view->applyPasteStyleShown()); // no table style copied
    view->setSelectedGraphics({target.get(), table.get()});
    const auto before = snapshot();
    view->applyPasteStyle();
    endStep();
    const auto after = snapshot();
    EXPECT_EQ(target->fontFamily(), QStringLiteral("Courier"));
    EXPECT_EQ(target->fontSize(), 33);
    EXPECT_EQ(target->backgroundHexColorString(), QStringLiteral("ABCDEF"));
    EXPECT_EQ(target->bounds(), QRectF(200, 0, 100, 30));
    EXPECT_EQ(colours(*table), QStringList{QStringLiteral("111111")});
    undo().undo();
    EXPECT_TRUE(snapshot() == before);
    undo().redo();
    EXPECT_TRUE(snapshot() == after);
}

TEST_F(StyleTest, TableStyleGoesCellByCellWithinBothGridsAndUndoes)
{
    auto source = addTable(3, 3, QStringLiteral("AA0000"));
    source->grabSelectedTableCellHelper(0, 1)->textAlignment = QStringLiteral("middle");
    auto target = addTable(2, 4, QStringLiteral("00BB00"));
    view->setSelectedGraphics({source.get()});
    view->grabCopyStyle();
    view->setSelectedGraphics({target.get()});
    ASSERT_TRUE(view->applyPasteStyleShown());
    const QStringList before = colours(*target);
    view->applyPasteStyle();
    endStep();
    EXPECT_EQ(colours(*target), (QStringList{QStringLiteral("AA0000 AA0000 AA0000 00BB00"),
                                              QStringLiteral("AA0000 AA0000 AA0000 00BB00")}));
    const auto cell = target->grabSelectedTableCellHelper(1, 1);
    EXPECT_EQ(cell->formType, QString());
    EXPECT_EQ(cell->formTag, -99);
    EXPECT_EQ(cell->groupNumber, -99);
    EXPECT_EQ(target->grabSelectedTableCellHelper(0, 1)->textAlignment, QStringLiteral("justify"));
    EXPECT_EQ(target->grabSelectedTableCellHelper(0, 3)->formType, QStringLiteral("checkbox"));
    const QStringList after = colours(*target);
    undo().undo();
    EXPECT_EQ(colours(*target), before);
    EXPECT_EQ(target->grabSelectedTableCellHelper(1, 1)->formType, QStringLiteral("checkbox"));
    undo().redo();
    EXPECT_EQ(colours(*target), after);
}

TEST_F(StyleTest, ScreenWidthLayerIndexAndColourCommandsUndo)
{
    auto other = addText({300, 0, 10, 10});
    auto box = addText({35, 120, 80, 40});
    other->setManualLayerIndex(7);
    endStep();
    view->setSelectedGraphics({box.get()});
    EXPECT_TRUE(view->manualLayerIndexShown());
    EXPECT_EQ(view->existingZIndex, QString());
    EXPECT_FALSE(view->removeManualLayerIndexShown());

    using Step = std::function<void()>;
    const struct {
        const char *name;
        Step run;
    } rows[] = {
        {"match screen", [&] {
             EXPECT_TRUE(view->matchScreenWidthShown());
             view->matchScreenWidth();
             EXPECT_EQ(box->bounds(), QRectF(0, 120, 9999, 40));
             EXPECT_TRUE(view->unMatchScreenWidthShown());
         }},
        {"unmatch screen", [&] {
             view->unMatchScreenWidth();
             EXPECT_EQ(box->bounds(), QRectF(200, 120, 200, 40));
         }},
        {"layer index", [&] {
             view->setSelectedGraphics({other.get(), box.get()});
             EXPECT_TRUE(view->manualLayerIndexShown());
             EXPECT_EQ(view->existingZIndex, QStringLiteral("7"));
             EXPECT_TRUE(view->removeManualLayerIndexShown());
             view->removeManualLayerIndex();
             EXPECT_EQ(other->manualLayerIndex(), 0);
         }},
        {"colour", [&] {
             view->changeColor(QColor(Qt::blue));
             EXPECT_EQ(box->fillColor(), QColor(Qt::blue));
         }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto before = state();
        row.run();
        endStep();
        const auto after = state();
        ASSERT_TRUE(after != before);
        undo().undo();
        EXPECT_TRUE(state() == before);
        undo().redo();
        EXPECT_TRUE(state() == after);
    }
}
