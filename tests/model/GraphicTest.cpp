#include "GraphicTestKinds.h"

#include "model/GraphicFactory.h"
#include "model/GraphicOwner.h"
#include "model/GraphicPainter.h"
#include "model/SKTGraphic.h"
#include "model/SKTText.h"
#include "model/UndoNames.h"

#include <QImage>
#include <QPainter>
#include <stdexcept>
#include <gtest/gtest.h>

namespace {
struct Change {
    QString key;
    QVariant old;
};

class RecordingOwner : public GraphicOwner {
public:
    QList<Change> changes;
    void graphicAttributeChanged(SKTGraphic &, const QString &key, const QVariant &oldValue) override
    {
        changes.append({key, oldValue});
    }
};
} // namespace

TEST(Graphic, ConstructionDefaults)
{
    SKTGraphic g;
    EXPECT_EQ(g.bounds(), QRectF());
    EXPECT_FALSE(g.isDrawingFill());
    EXPECT_EQ(g.fillColor(), QColor(Qt::transparent));
    EXPECT_TRUE(g.isDrawingStroke());
    EXPECT_FALSE(g.strokeColor().isValid());
    EXPECT_DOUBLE_EQ(g.strokeWidth(), 1.0);
    EXPECT_EQ(g.borderStyle(), QStringLiteral("none"));
    EXPECT_DOUBLE_EQ(g.opacity(), 1.0);
    EXPECT_EQ(g.fillColorIndex(), -99);
    EXPECT_EQ(g.linkOption(), QStringLiteral("_self"));
    EXPECT_EQ(g.linkType(), QStringLiteral("text"));
    EXPECT_FALSE(g.selectable());
    EXPECT_TRUE(g.link().isNull());
    EXPECT_EQ(g.sectionNumber(), 0);
}

TEST(Graphic, EachChangeReportsKeyAndOldValueOnce)
{
    SKTGraphic g;
    RecordingOwner owner;
    g.setBounds(QRectF(10, 20, 30, 40));
    g.setOwner(&owner);

    g.setWidth(55);
    EXPECT_EQ(g.bounds(), QRectF(10, 20, 55, 40));
    ASSERT_EQ(owner.changes.size(), 1);
    EXPECT_EQ(owner.changes[0].key, QStringLiteral("bounds"));
    EXPECT_EQ(owner.changes[0].old.toRectF(), QRectF(10, 20, 30, 40));

    g.setWidth(55); // same value: nothing to record
    g.setFontFamily(QStringLiteral("Helvetica Neue"));
    g.setFillColor(Qt::red);
    g.setDrawingFill(true);
    ASSERT_EQ(owner.changes.size(), 4);
    EXPECT_EQ(owner.changes[1].key, QStringLiteral("fontFamily"));
    EXPECT_TRUE(owner.changes[1].old.toString().isNull());
    EXPECT_EQ(owner.changes[2].key, QStringLiteral("fillColor"));
    EXPECT_EQ(owner.changes[2].old.value<QColor>(), QColor(Qt::transparent));
    EXPECT_EQ(owner.changes[3].old.toBool(), false);
}

TEST(Graphic, OldValuesSetBackByKeyUndoEveryAttribute)
{
    // What the document does for undo: set the reported old value back by key.
    SKTGraphic g;
    RecordingOwner owner;
    g.setOwner(&owner);
    const QStringList keys = SKTGraphic::attributeKeys();
    EXPECT_GT(keys.size(), 100);
    for (const QString &key : keys) {
        const QVariant before = g.value(key);
        QVariant changed;
        switch (before.typeId()) {
        case QMetaType::Bool: changed = !before.toBool(); break;
        case QMetaType::Int: changed = before.toInt() + 7; break;
        case QMetaType::Float: changed = QVariant::fromValue(before.toFloat() + 1.5f); break;
        case QMetaType::Double: changed = before.toDouble() + 2.5; break;
        case QMetaType::QString: changed = before.toString() + QStringLiteral("x"); break;
        case QMetaType::QColor: changed = QVariant::fromValue(QColor(1, 2, 3)); break;
        case QMetaType::QRectF: changed = QRectF(1, 2, 3, 4); break;
        case QMetaType::QPointF: changed = QPointF(5, 6); break;
        case QMetaType::QDateTime: changed = QDateTime::fromSecsSinceEpoch(1000); break;
        default: ADD_FAILURE() << "untested type for " << key.toStdString(); continue;
        }
        owner.changes.clear();
        ASSERT_TRUE(g.setValue(key, changed)) << key.toStdString();
        EXPECT_EQ(g.value(key), changed) << key.toStdString();
        ASSERT_EQ(owner.changes.size(), 1) << key.toStdString();
        EXPECT_EQ(owner.changes[0].key, key);
        ASSERT_TRUE(g.setValue(key, owner.changes[0].old));
        EXPECT_EQ(g.value(key), before) << key.toStdString();
    }
    EXPECT_FALSE(g.setValue(QStringLiteral("noSuchKey"), 1));
}

TEST(Graphic, CopyTakesBoundsFillAndStrokeOnly)
{
    SKTGraphic g;
    g.setBounds(QRectF(1, 2, 3, 4));
    g.setDrawingFill(true);
    g.setFillColor(Qt::red);
    g.setDrawingStroke(false);
    g.setStrokeColor(Qt::blue);
    g.setStrokeWidth(3);
    g.setLink(QStringLiteral("http://example.org"));
    g.setTopPadding(12);
    g.setSectionNumber(4);
    const auto c = g.copy();
    EXPECT_EQ(c->className(), QStringLiteral("SKTGraphic"));
    EXPECT_EQ(c->bounds(), QRectF(1, 2, 3, 4));
    EXPECT_TRUE(c->isDrawingFill());
    EXPECT_EQ(c->fillColor(), QColor(Qt::red));
    EXPECT_FALSE(c->isDrawingStroke());
    EXPECT_EQ(c->strokeColor(), QColor(Qt::blue));
    EXPECT_DOUBLE_EQ(c->strokeWidth(), 3);
    EXPECT_TRUE(c->link().isNull());
    EXPECT_EQ(c->topPadding(), 0);
    EXPECT_EQ(c->sectionNumber(), 0);
}

TEST(Graphic, UndoKeysAndActionNamesComeFromTheTable)
{
    SKTGraphic g;
    const QStringList keys = g.keysForValuesToObserveForUndo();
    EXPECT_EQ(keys.mid(0, 6),
              (QStringList{"drawingFill", "fillColor", "drawingStroke", "strokeColor", "strokeWidth", "bounds"}));
    EXPECT_EQ(g.presentablePropertyNameForKey(QStringLiteral("fillColor")), QStringLiteral("Fill Color"));
    EXPECT_EQ(g.presentablePropertyNameForKey(QStringLiteral("bounds")), QStringLiteral("Bounds"));
    // What the inspector edits is undoable too.
    EXPECT_TRUE(keys.contains(QStringLiteral("opacity")));
    EXPECT_EQ(g.presentablePropertyNameForKey(QStringLiteral("opacity")), QStringLiteral("Opacity"));
    EXPECT_TRUE(g.presentablePropertyNameForKey(QStringLiteral("sectionNumber")).isNull());
}

TEST(Graphic, EveryUndoKeyOfEveryKindHasANameAndCanBeSetBack)
{
    // The document names each undo step and undoes it by setting the old
    // value back by key: a kind that lists a key it cannot name or set would
    // leave the Edit menu blank or the undo doing nothing.
    for (const QString &name : GraphicFactory::classNames()) {
        const auto g = GraphicFactory::create(name);
        ASSERT_TRUE(g);
        const QStringList keys = g->keysForValuesToObserveForUndo();
        EXPECT_FALSE(keys.isEmpty()) << name.toStdString();
        for (const QString &key : keys) {
            EXPECT_FALSE(g->presentablePropertyNameForKey(key).isEmpty()) << name.toStdString() << " " << key.toStdString();
            // Keys that report an edit rather than hold a value (a table
            // cell's text) have no current value to set back.
            const QVariant current = g->value(key);
            if (current.isValid()) {
                EXPECT_TRUE(g->setValue(key, current)) << name.toStdString() << " " << key.toStdString();
            }
        }
    }
}

TEST(Graphic, SetColorTurnsFillOnUnlessTheKindRefusesFills)
{
    SKTGraphic g;
    g.setColor(Qt::green);
    EXPECT_TRUE(g.isDrawingFill());
    EXPECT_EQ(g.fillColor(), QColor(Qt::green));

    NoFillGraphic n;
    RecordingOwner owner;
    n.setOwner(&owner);
    n.setColor(Qt::green);
    EXPECT_FALSE(n.isDrawingFill());
    EXPECT_EQ(n.fillColor(), QColor(Qt::transparent));
    for (const Change &change : owner.changes)
        EXPECT_NE(change.key, QStringLiteral("linkType"));
}

TEST(Graphic, DrawingABaseGraphicAsAPathIsAProgrammingError)
{
    QImage image(10, 10, QImage::Format_ARGB32);
    QPainter qp(&image);
    GraphicPainter painter(qp);
    SKTGraphic g;
    try {
        g.bezierPathForDrawing(painter);
        ADD_FAILURE() << "no exception";
    } catch (const std::logic_error &e) {
        EXPECT_STREQ(e.what(), "Neither -drawContentsInView: nor -bezierPathForDrawing has been overridden.");
    }
    g.drawContents(painter, false); // draws nothing, does not throw
}

TEST(Graphic, PositionAndSizeKeysEditOneComponentOfTheBoundsUndoneAsBounds)
{
    // The inspector's x, y, width and height fields bind by key. Each edits one
    // component; the change is recorded as "bounds" so that undo restores it.
    struct Case {
        const char *key;
        double before, value;
        QRectF expected;
    };
    const Case cases[] = {
        {"xPosition", 10, 5, QRectF(5, 20, 30, 40)},
        {"yPosition", 20, 6, QRectF(10, 6, 30, 40)},
        {"width", 30, 7, QRectF(10, 20, 7, 40)},
        {"height", 40, 8, QRectF(10, 20, 30, 8)},
    };
    for (const QString &name : GraphicFactory::classNames()) {
        // A line derives its bounds from its end points and a table its size
        // from its cells; both are covered by their own tests.
        if (name == QLatin1String("SKTLine") || name == QLatin1String("SKTTable"))
            continue;
        for (const Case &c : cases) {
            const auto g = GraphicFactory::create(name);
            g->setBounds(QRectF(10, 20, 30, 40));
            RecordingOwner owner;
            g->setOwner(&owner);
            const std::string where = name.toStdString() + " " + c.key;
            EXPECT_DOUBLE_EQ(g->value(QLatin1String(c.key)).toDouble(), c.before) << where;
            ASSERT_TRUE(g->setValue(QLatin1String(c.key), c.value)) << where;
            EXPECT_EQ(g->bounds(), c.expected) << where;
            ASSERT_FALSE(owner.changes.isEmpty()) << where;
            EXPECT_EQ(owner.changes.first().key, QStringLiteral("bounds")) << where;
            g->setOwner(nullptr);
            ASSERT_TRUE(g->setValue(QStringLiteral("bounds"), owner.changes.first().old)) << where;
            EXPECT_EQ(g->bounds(), QRectF(10, 20, 30, 40)) << where;
        }
    }
    SKTGraphic g;
    // Text that is no number is refused, not stored as 0.
    g.setBounds(QRectF(1, 2, 3, 4));
    g.setOpacity(0.5);
    EXPECT_FALSE(g.setValue(QStringLiteral("width"), QStringLiteral("wide")));
    EXPECT_FALSE(g.setValue(QStringLiteral("opacity"), QStringLiteral("half")));
    EXPECT_FALSE(g.setValue(QStringLiteral("fontSize"), QStringLiteral("")));
    EXPECT_TRUE(g.setValue(QStringLiteral("fontSize"), QStringLiteral("12")));
    EXPECT_EQ(g.bounds(), QRectF(1, 2, 3, 4));
    EXPECT_DOUBLE_EQ(g.opacity(), 0.5);
    EXPECT_EQ(g.fontSize(), 12);
    EXPECT_FALSE(SKTGraphic::attributeKeys().contains(QStringLiteral("width")));
}

// Copying a graphic (writing its properties) is no edit: a text without a link
// kind is written as a text link, and keeps its own (empty) kind.
TEST(Graphic, WritingPropertiesChangesNothing)
{
    SKTText text;
    text.setLinkType(QLatin1String(""));
    RecordingOwner owner;
    text.setOwner(&owner);
    const GraphicProperties p = text.properties();
    EXPECT_EQ(p.string(QStringLiteral("linkType")), QStringLiteral("text"));
    EXPECT_TRUE(text.linkType().isEmpty());
    for (const Change &change : owner.changes)
        EXPECT_NE(change.key, QStringLiteral("linkType"));
}
