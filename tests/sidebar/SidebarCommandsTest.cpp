// The inspector's commands as a window's responder chain reaches them by
// name: tab switches, the saved text collection round trip, the section
// editor for a selected section, and the colour pop-over of the window's
// inspector.
#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "sidebar/ui/ColorSelectorPanel.h"
#include "canvas/ui/DocumentSidebar.h"
#include "canvas/ui/SidebarCommands.h"
#include "sidebar/ui/FloatWindowController.h"
#include "sidebar/ui/SidebarView.h"
#include "sidebar/ui/PresetPickers.h"
#include "sidebar/ui/SavedTextWindowController.h"
#include "sidebar/ui/SectionEditorWindowController.h"
#include "sidebar/ui/TableGridWindowController.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "model/myTextView.h"
#include "platform/UndoManager.h"
#include "support/ScopedUserDefaults.h"
#include "platform/ui/CommandRegistry.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTableWidget>
#include <gtest/gtest.h>

class InspectorCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gEditionFamilyKey = QStringLiteral("Zov");
        gCanvasDragOption = true;
        CommandRegistry::clear();
        registerInspectorCommands();
        text = std::make_shared<SKTText>();
        text->setBounds({10, 10, 200, 60});
        text->setTextString(QStringLiteral("Hello"));
        section = std::make_shared<SKTTable>();
        auto cell = std::make_shared<myTextView>();
        cell->width = 600;
        cell->height = 100;
        section->setCellHelperArray({cell});
        section->setNumOfRows(1);
        section->setNumOfColumns(1);
        section->setGridType(QStringLiteral("section"));
        doc.insertGraphic(text, 0);
        doc.insertGraphic(section, 1);
        doc.undoManager().closeAutomaticGroup();
        canvas.setDocument(&doc);
        inspector = new DocumentInspector(doc, canvas, &window);
        DocumentWindowContext context;
        context.window = &window;
        context.document = [this] { return &doc; };
        context.canvas = [this] { return &canvas; };
        CommandRegistry::installWindowCommands(commands, context);
    }
    void TearDown() override
    {
        CommandRegistry::clear();
        EditionSettings::resetToInitialState();
    }
    bool enabled(const QString &action)
    {
        ActionItemState item;
        item.action = action;
        return commands.validateAction(item);
    }
    void run(const QString &action, const QVariant &object = {})
    {
        ActionItemState item;
        item.action = action;
        item.representedObject = object;
        ASSERT_TRUE(commands.respondsToAction(action)) << action.toStdString();
        commands.performAction(action, item);
    }

    ScopedUserDefaults defaults;
    SKTDocument doc;
    SKTGraphicView canvas;
    QWidget window;
    DocumentInspector *inspector = nullptr;
    ActionMap commands;
    std::shared_ptr<SKTText> text;
    std::shared_ptr<SKTTable> section;
};

TEST_F(InspectorCommandsTest, TabsSwitchTheWindowsSidebar)
{
    run(QStringLiteral("showLayers"));
    EXPECT_EQ(inspector->sidebar()->currentTab(), InspectorView::Layer);
    run(QStringLiteral("showFormattingOptions"));
    EXPECT_EQ(inspector->sidebar()->currentTab(), InspectorView::Format);
    run(QStringLiteral("showObjectsList"));
    EXPECT_EQ(inspector->sidebar()->currentTab(), InspectorView::Add);
    EXPECT_TRUE(enabled(QStringLiteral("showLayers")));
}

TEST_F(InspectorCommandsTest, SavedTextsAddAndPullIntoTheSelectedTextBox)
{
    EXPECT_FALSE(enabled(QStringLiteral("addToSavedTextWindow")));
    canvas.setSelectedGraphics({text.get()});
    ASSERT_TRUE(enabled(QStringLiteral("addToSavedTextWindow")));
    run(QStringLiteral("addToSavedTextWindow"));
    auto *w = window.findChild<SavedTextWindowController *>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->numberOfRowsInTableView(), 1);
    EXPECT_EQ(w->textView()->toPlainText(), QStringLiteral("Hello"));

    ASSERT_TRUE(enabled(QStringLiteral("pullFromSavedText")));
    run(QStringLiteral("pullFromSavedText"));
    EXPECT_EQ(text->textString(), QStringLiteral("Hello\nHello"));
    doc.undoManager().closeAutomaticGroup();
    doc.undoManager().undo();
    EXPECT_EQ(text->textString(), QStringLiteral("Hello"));

    run(QStringLiteral("launchSavedTextWindow"));
    EXPECT_EQ(window.findChildren<SavedTextWindowController *>().size(), 1) << "one window, reused";
}

TEST_F(InspectorCommandsTest, SectionEditorOpensForOneSelectedSection)
{
    EXPECT_FALSE(enabled(QStringLiteral("configureSectionWindowController")));
    canvas.setSelectedGraphics({section.get()});
    ASSERT_TRUE(enabled(QStringLiteral("configureSectionWindowController")));
    run(QStringLiteral("configureSectionWindowController"));
    auto *editor = window.findChild<SectionEditorWindowController *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->splitViewMutableArray().size(), 12);
    editor->close();
}

// Save in the table grid window lays the table's cells out again on the page.
TEST_F(InspectorCommandsTest, TableGridSaveRebuildsTheSelectedTable)
{
    auto table = std::make_shared<SKTTable>();
    auto cell = std::make_shared<myTextView>();
    cell->width = 200;
    cell->height = 50;
    table->setCellHelperArray({cell});
    table->setNumOfRows(1);
    table->setNumOfColumns(1);
    table->setGridType(QStringLiteral("table"));
    table->setBounds({0, 200, 200, 50});
    doc.insertGraphic(table, 0);
    doc.undoManager().closeAutomaticGroup();

    canvas.setSelectedGraphics({section.get()});
    EXPECT_FALSE(enabled(QStringLiteral("configureTableGrid"))) << "sections have their own editor";
    canvas.setSelectedGraphics({table.get()});
    ASSERT_TRUE(enabled(QStringLiteral("configureTableGrid")));
    run(QStringLiteral("configureTableGrid"));
    auto *editor = window.findChild<TableGridWindowController *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    editor->numOfColumnsTextField()->setText(QStringLiteral("3"));
    editor->numOfRowsTextField()->setText(QStringLiteral("2"));
    editor->saveTableSettings();
    EXPECT_EQ(table->numOfColumns(), 3);
    EXPECT_EQ(table->cellHelperArray().size(), 6);

    run(QStringLiteral("configureTableGrid"));
    EXPECT_EQ(window.findChildren<TableGridWindowController *>().size(), 1) << "one window, reused";
    editor->close();
}

TEST_F(InspectorCommandsTest, ColourPopOverOpensForTheNamedButton)
{
    gColorPalette = {QStringLiteral("FF0000"), QStringLiteral("00FF00")};
    canvas.setSelectedGraphics({text.get()});
    window.show();
    run(QStringLiteral("showColorSelectorPopOver"), QStringLiteral("selectedTextColorButton"));
    ASSERT_NE(inspector->popOver(), nullptr);
    auto *panel = inspector->popOver()->findChild<ColorSelectorPanel *>();
    ASSERT_NE(panel, nullptr);
    // Opening another replaces it.
    QPointer<QWidget> first = inspector->popOver();
    run(QStringLiteral("showImageMaskPopOver"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(first.isNull() || !first->isVisible());
    inspector->closePopOver();
}

TEST_F(InspectorCommandsTest, PresetPickersInsertThePickedPresetOrNothingOnCancel)
{
    gPresetShapes.clear();
    for (int i = 0; i < 14; ++i) {
        ShapeSelectionView preset(QRectF(0, 0, 70, i % 7 == 5 ? 7 : 70));
        preset.fillColor = i < 7 ? QColor(Qt::red) : QColor(Qt::blue);
        preset.cornerRadius = i % 7 == 1 ? 10 : 0;
        gPresetShapes.append(preset);
    }
    window.show();
    const qsizetype before = doc.graphics().size();
    run(QStringLiteral("showShapePopOver"));
    auto *sheet = window.findChild<FloatWindowController *>();
    ASSERT_NE(sheet, nullptr);
    const QList<QPushButton *> buttons = PresetPickers::buttons(sheet);
    ASSERT_EQ(buttons.size(), 14);
    EXPECT_EQ(buttons[8]->geometry(), QRect(5 + 73, 75, 70, 70));
    EXPECT_EQ(buttons[12]->geometry(), QRect(5 + 73 * 5, 75, 70, 7));
    QTest::mouseClick(buttons[8], Qt::LeftButton);
    EXPECT_FALSE(sheet->isVisible());
    ASSERT_EQ(doc.graphics().size(), before + 1);
    auto *shape = doc.graphics().first().get();
    EXPECT_EQ(shape->backgroundHexColorString(), QStringLiteral("0000FF"));
    EXPECT_EQ(shape->bounds().size(), QSizeF(140, 140));

    // With the canvas's own insertion side the pick goes through it.
    CanvasInsertionAdapter adapter(canvas);
    canvas.setInsertions(&adapter);
    QCoreApplication::processEvents();
    run(QStringLiteral("showShapePopOver"));
    sheet = window.findChildren<FloatWindowController *>().last();
    QTest::mouseClick(PresetPickers::buttons(sheet)[0], Qt::LeftButton);
    EXPECT_EQ(doc.graphics().size(), before + 2);
    EXPECT_EQ(doc.graphics().first()->backgroundHexColorString(), QStringLiteral("FF0000"));

    QCoreApplication::processEvents();
    run(QStringLiteral("showShapePopOver"));
    sheet = window.findChildren<FloatWindowController *>().last();
    QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(doc.graphics().size(), before + 2);
    canvas.setInsertions(nullptr);

    // An empty preset list shows an empty picker.
    gPresetTextStyles.clear();
    run(QStringLiteral("showTextViewPopOver"));
    sheet = window.findChildren<FloatWindowController *>().last();
    EXPECT_TRUE(PresetPickers::buttons(sheet).isEmpty());
    sheet->cancelFloatWindowControllerSheet();
}
