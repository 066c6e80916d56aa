// The inspector a window embeds: it follows a real canvas's selection once
// per pass of the event loop, its LAYER rows select on the canvas, and only
// its own document's refresh reaches it.
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "sidebar/SidebarActions.h"
#include "sidebar/SidebarBindings.h"
#include "canvas/ui/DocumentSidebar.h"
#include "sidebar/ui/FixedSidebarPanel.h"
#include "sidebar/ui/FormatIconView.h"
#include "sidebar/ui/SidebarControls.h"
#include "sidebar/ui/SidebarView.h"
#include "model/SKTText.h"

#include <QApplication>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QSlider>
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

TEST_F(DocumentInspectorTest, EditsRunTheirControlsActionsInTheSameUndoStep)
{
    DocumentInspector inspector(doc, canvas, &window);
    inspector.widget()->resize(270, 900);
    window.show();
    inspector.sidebar()->setCurrentTab(InspectorView::Format);
    for (const auto &t : texts)
        t->setBorderWidth(0);
    doc.undoManager().closeAutomaticGroup();
    canvas.setSelectedGraphics({texts[0].get(), texts[1].get()});
    QCoreApplication::processEvents();

    // A border style gives a width of 2 where there was none; one undo takes both back.
    InspectorControls &controls = inspector.sidebar()->controls();
    const qsizetype steps = doc.undoManager().undoCount();
    auto *group = qobject_cast<QButtonGroup *>(
        controls.control(QStringLiteral("borderSegmentedControl"))->property("zovGroup").value<QObject *>());
    ASSERT_NE(group, nullptr);
    QTest::mouseClick(group->button(1), Qt::LeftButton);
    doc.undoManager().closeAutomaticGroup();
    EXPECT_EQ(texts[0]->borderStyle(), QStringLiteral("dashed"));
    EXPECT_EQ(texts[1]->borderWidth(), 2);
    EXPECT_EQ(doc.undoManager().undoCount(), steps + 1);
    doc.undoManager().undo();
    EXPECT_EQ(texts[1]->borderWidth(), 0);
    EXPECT_NE(texts[1]->borderStyle(), QStringLiteral("dashed"));

    // The rotation slider: the field follows each step, the graphics turn once it rests.
    auto *slider = qobject_cast<QSlider *>(controls.control(QStringLiteral("rotationSlider")));
    auto *field = qobject_cast<QLineEdit *>(controls.control(QStringLiteral("rotationAngleTextField")));
    ASSERT_NE(slider, nullptr);
    ASSERT_NE(field, nullptr);
    const qsizetype before = doc.undoManager().undoCount();
    slider->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(slider, Qt::Key_Right);
    ASSERT_EQ(slider->value(), 5) << "whole degrees";
    EXPECT_EQ(field->text(), QStringLiteral("5"));
    EXPECT_EQ(texts[0]->rotationAngle(), 0.0f) << "nothing turns while the slider moves";
    EXPECT_TRUE(inspector.actions().rotationPending());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !inspector.actions().rotationPending(); }, 3000));
    doc.undoManager().closeAutomaticGroup();
    EXPECT_EQ(texts[0]->rotationAngle(), 5.0f);
    EXPECT_EQ(texts[1]->rotationAngle(), 5.0f);
    QCoreApplication::processEvents();
    EXPECT_EQ(slider->value(), 5) << "the slider shows the turned graphics";
    EXPECT_EQ(doc.undoManager().undoCount(), before + 1);
}
