// The inspector a window embeds: it follows a real canvas's selection once
// per pass of the event loop, its LAYER rows select on the canvas, and only
// its own document's refresh reaches it.
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "inspector/InspectorBindings.h"
#include "inspector/ui/DocumentInspector.h"
#include "inspector/ui/FixedInspectorPanel.h"
#include "inspector/ui/FormatIconView.h"
#include "inspector/ui/InspectorControls.h"
#include "inspector/ui/InspectorView.h"
#include "model/SKTText.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class DocumentInspectorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gEditionFamilyKey = QStringLiteral("Zov");
        gCanvasDragOption = true;
        for (int i = 0; i < 3; ++i) {
            auto t = std::make_shared<SKTText>();
            t->setBounds({i * 150.0, 10, 100 + i * 10.0, 40});
            texts.append(t);
        }
        doc.insertGraphics(texts, {0, 1, 2});
        doc.undoManager().closeAutomaticGroup();
        canvas.setDocument(&doc);
        window.resize(300, 700);
    }
    void TearDown() override { EditionSettings::resetToInitialState(); }

    SKTDocument doc;
    SKTGraphicView canvas;
    QWidget window;
    QList<std::shared_ptr<SKTGraphic>> texts;
};

TEST_F(DocumentInspectorTest, SelectionChangesShowOncePerPassInTheSidebar)
{
    DocumentInspector inspector(doc, canvas, &window);
    ASSERT_NE(inspector.sidebar(), nullptr);
    EXPECT_EQ(inspector.widget(), inspector.sidebar());
    inspector.widget()->resize(270, 700);
    window.show();
    inspector.sidebar()->setCurrentTab(InspectorView::Format);
    auto *width = qobject_cast<QLineEdit *>(inspector.sidebar()->controls().control(QStringLiteral("widthTextField")));
    ASSERT_NE(width, nullptr);

    canvas.setSelectedGraphics({texts[1].get()});
    canvas.setSelectedGraphics({texts[1].get(), texts[2].get()});
    canvas.setSelectedGraphics({texts[2].get()});
    EXPECT_TRUE(inspector.refreshPending());
    QCoreApplication::processEvents();
    EXPECT_FALSE(inspector.refreshPending());
    EXPECT_EQ(width->text(), QStringLiteral("120"));

    // Two selected with different widths read as mixed: an empty field.
    canvas.setSelectedGraphics({texts[0].get(), texts[2].get()});
    QCoreApplication::processEvents();
    EXPECT_EQ(width->text(), QString());

    // A typed width reaches both through the canvas's selection, one undo step.
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("88"));
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(texts[0]->bounds().width(), 88);
    EXPECT_EQ(texts[2]->bounds().width(), 88);
    doc.undoManager().closeAutomaticGroup();
    doc.undoManager().undo();
    EXPECT_EQ(texts[0]->bounds().width(), 100);
    EXPECT_EQ(texts[2]->bounds().width(), 120);
    QCoreApplication::processEvents();
    EXPECT_EQ(width->text(), QString());
}

TEST_F(DocumentInspectorTest, LayerRowsAddToTheCanvasSelection)
{
    DocumentInspector inspector(doc, canvas, &window);
    inspector.widget()->resize(270, 700);
    window.show();
    inspector.sidebar()->setCurrentTab(InspectorView::Layer);
    canvas.setSelectedGraphics({texts[0].get()});
    QCoreApplication::processEvents();
    const QList<FormatIconView *> rows = inspector.sidebar()->layerRows();
    ASSERT_EQ(rows.size(), 3);
    FormatIconView *row = nullptr;
    for (FormatIconView *r : rows)
        if (r->objectIndex() == 2)
            row = r;
    ASSERT_NE(row, nullptr);
    QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(canvas.selectedGraphics().size(), 2);
    EXPECT_TRUE(canvas.isSelected(texts[0].get()));
    EXPECT_TRUE(canvas.isSelected(texts[2].get()));
}

TEST_F(DocumentInspectorTest, OnlyItsOwnDocumentsRefreshReachesIt)
{
    DocumentInspector inspector(doc, canvas, &window);
    QCoreApplication::processEvents();
    SKTDocument other;
    inspector.refreshInspectorPanel(&other);
    EXPECT_FALSE(inspector.refreshPending());
    inspector.refreshInspectorPanel(&doc);
    EXPECT_TRUE(inspector.refreshPending());
    QCoreApplication::processEvents();
    EXPECT_FALSE(inspector.refreshPending());
}

TEST_F(DocumentInspectorTest, EditionsWithoutDragsGetTheFixedPanelAndItOutlivesTheWindowOrder)
{
    gCanvasDragOption = false;
    auto *parent = new QWidget;
    auto *inspector = new DocumentInspector(doc, canvas, parent);
    ASSERT_NE(inspector->fixedPanel(), nullptr);
    EXPECT_EQ(inspector->sidebar(), nullptr);
    EXPECT_EQ(inspector->widget(), inspector->fixedPanel());
    canvas.setSelectedGraphics({texts[1].get()});
    QCoreApplication::processEvents();
    EXPECT_FALSE(inspector->refreshPending());
    // The window going away takes panel and inspector with it, in either order.
    delete parent;
    canvas.setSelectedGraphics({texts[0].get()});
    QCoreApplication::processEvents();
}
