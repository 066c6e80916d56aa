// The side panel with real widgets and events: typed edits on three
// graphics, a refused number, a slider drag, palette highlights and drag data.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "sidebar/SidebarBindings.h"
#include "sidebar/PaletteDrag.h"
#include "sidebar/ui/DragIconView.h"
#include "sidebar/ui/FormatIconView.h"
#include "sidebar/ui/SidebarControls.h"
#include "sidebar/ui/SidebarView.h"
#include "sidebar/ui/LayerArrangementViewController.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"

#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {
class Selection : public SelectionProxy {
public:
    explicit Selection(SKTDocument &doc) : m_doc(doc) {}
    QList<SKTGraphic *> selectedGraphics() const override { return m_selected; }
    UndoManager *undoManager() const override { return &m_doc.undoManager(); }
    QList<SKTGraphic *> m_selected;

private:
    SKTDocument &m_doc;
};
} // namespace

class InspectorViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gEditionFamilyKey = QStringLiteral("Zov");
        gCanvasDragOption = true;
        for (int i = 0; i < 3; ++i) {
            auto t = std::make_shared<SKTText>();
            t->setBounds({i * 150.0, 10, 100, 40});
            texts.append(t);
        }
        doc.insertGraphics(texts, {0, 1, 2});
        doc.undoManager().closeAutomaticGroup();
        steps = doc.undoManager().undoCount();
        for (const auto &t : texts)
            selection.m_selected.append(t.get());
        view = std::make_unique<InspectorView>(bindings, selection,
                                               InspectorView::Page{[this] { return doc.graphicPointers(); },
                                                                   QStringLiteral("html"), [] { return QStringLiteral("CLEAR0"); }});
        view->resize(270, 700);
        view->show();
        view->setCurrentTab(InspectorView::Format);
    }
    void TearDown() override
    {
        view.reset();
        EditionSettings::resetToInitialState();
    }
    template <typename T>
    T *find(const char *name)
    {
        return view->findChild<T *>(QLatin1String(name));
    }

    SKTDocument doc;
    Selection selection{doc};
    InspectorBindings bindings{selection};
    QList<std::shared_ptr<SKTGraphic>> texts;
    std::unique_ptr<InspectorView> view;
    int steps = 0;
};

TEST_F(InspectorViewTest, AWidthTypedForThreeGraphicsIsOneUndoStep)
{
    auto *width = find<QLineEdit>("widthTextField");
    ASSERT_TRUE(width);
    EXPECT_EQ(width->text(), QStringLiteral("100"));
    EXPECT_EQ(width->geometry(), QRect(140, 60, 50, 25));
    EXPECT_EQ(view->headerLabel()->text(), QStringLiteral("3 objects selected"));
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("250"));
    QTest::keyClick(width, Qt::Key_Return);
    for (const auto &t : texts)
        EXPECT_EQ(t->width(), 250);
    EXPECT_EQ(doc.undoManager().undoCount(), steps + 1);
    ASSERT_TRUE(doc.undoManager().undo());
    for (const auto &t : texts)
        EXPECT_EQ(t->width(), 100);
}

TEST_F(InspectorViewTest, ARefusedNumberRestoresTheFieldAndSaysWhy)
{
    auto *width = find<QLineEdit>("widthTextField");
    ASSERT_TRUE(width);
    width->setFocus();
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("0"));
    QTest::keyClick(width, Qt::Key_Return);
    EXPECT_EQ(width->text(), QStringLiteral("100"));
    EXPECT_EQ(doc.undoManager().undoCount(), steps);
    QLabel *why = view->controls().refusalLabel(QStringLiteral("widthTextField"));
    EXPECT_TRUE(why->isVisible());
    EXPECT_FALSE(why->text().isEmpty());
}

TEST_F(InspectorViewTest, ASliderDragIsOneUndoStep)
{
    auto *slider = find<QSlider>("opacitySlider");
    ASSERT_TRUE(slider);
    slider->setSliderDown(true);
    for (int v : {80, 60, 40})
        slider->setSliderPosition(v);
    slider->setSliderDown(false);
    for (const auto &t : texts)
        EXPECT_DOUBLE_EQ(t->opacity(), 0.4);
    EXPECT_EQ(doc.undoManager().undoCount(), steps + 1);
    EXPECT_EQ(find<QLineEdit>("opacityTextField")->text(), QStringLiteral("0.4"));
}

TEST_F(InspectorViewTest, ColourButtonsShowTheFirstSelectedGraphicsColours)
{
    texts[0]->setTextHexColorString(QStringLiteral("FF0000"));
    view->rebuildNow();
    auto *button = find<QPushButton>("selectedTextColorButton");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->toolTip(), QStringLiteral("FF0000"));
    EXPECT_EQ(find<QPushButton>("selectedShapeColorButton")->toolTip(), QStringLiteral("Clear"));
}

TEST_F(InspectorViewTest, PaletteEntriesHighlightAloneAndCarryOneCodeName)
{
    view->setCurrentTab(InspectorView::Add);
    QList<DragIconView *> shown;
    for (DragIconView *e : view->paletteEntries())
        if (e->isVisible())
            shown.append(e);
    ASSERT_EQ(shown.size(), 17);  // the Zov family on an html page
    QTest::mouseClick(shown[0], Qt::LeftButton, {}, QPoint(100, 30));
    QTest::mouseClick(shown[1], Qt::LeftButton, {}, QPoint(100, 30));
    EXPECT_FALSE(shown[0]->highlightFlag());
    EXPECT_TRUE(shown[1]->highlightFlag());
    const auto data = PaletteDrag::mimeData(shown[1]->entry().codeName);
    EXPECT_EQ(QString::fromUtf8(data->data(PaletteDrag::codeNameMimeType())), shown[1]->entry().codeName);
}

TEST_F(InspectorViewTest, LayerRowsFollowThePageAndReportClicks)
{
    view->setCurrentTab(InspectorView::Layer);
    ASSERT_EQ(view->layerRows().size(), 3);
    EXPECT_EQ(view->headerLabel()->text(), QStringLiteral("3 layers"));
    int clicked = -1;
    QObject::connect(view.get(), &InspectorView::layerRowClicked, [&](int i) { clicked = i; });
    QTest::mouseClick(view->layerRows()[2], Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(clicked, 2);
    EXPECT_TRUE(view->layerRows()[2]->highlightFlag());
}

TEST_F(InspectorViewTest, LayerIndexPopOverSavesWholeNumbersAndRefusesWords)
{
    LayerArrangementViewController controller;
    int closed = 0;
    controller.attach(bindings, [&] { ++closed; });
    controller.show();
    QTest::keyClicks(controller.zindexTextbox(), QStringLiteral("top"));
    QTest::mouseClick(controller.saveButton(), Qt::LeftButton);
    EXPECT_EQ(closed, 0);
    EXPECT_FALSE(controller.refusalLabel()->text().isEmpty());
    EXPECT_EQ(doc.undoManager().undoCount(), steps);
    controller.zindexTextbox()->setText(QStringLiteral("12"));
    QTest::mouseClick(controller.saveButton(), Qt::LeftButton);
    EXPECT_EQ(closed, 1);
    for (const auto &t : texts)
        EXPECT_EQ(t->manualLayerIndex(), 12);
}

TEST_F(InspectorViewTest, EachWindowKeepsItsOwnRowsAndRebuildsOncePerTurn)
{
    InspectorBindings otherBindings(selection);
    InspectorView other(otherBindings, selection, InspectorView::Page{{}, QStringLiteral("html"), {}});
    other.resize(270, 700);
    other.show();
    view->setCurrentTab(InspectorView::Add);
    DragIconView *mine = view->paletteEntries()[24];  // "Photo", offered in every family
    DragIconView *theirs = other.paletteEntries()[24];
    QTest::mouseClick(theirs, Qt::LeftButton, {}, QPoint(100, 30));
    QTest::mouseClick(mine, Qt::LeftButton, {}, QPoint(100, 30));
    EXPECT_TRUE(theirs->highlightFlag());
    EXPECT_TRUE(mine->highlightFlag());

    // Touching the selection twice in one turn rebuilds once, at the end of it.
    view->setCurrentTab(InspectorView::Format);
    selection.m_selected = {texts[0].get()};
    view->graphicTouched();
    view->graphicTouched();
    EXPECT_EQ(view->headerLabel()->text(), QStringLiteral("3 objects selected"));
    QCoreApplication::processEvents();
    EXPECT_EQ(view->headerLabel()->text(), QStringLiteral("1 object selected"));
}
