// The crop rectangle and its dialog, and the window commands of composites
// and pictures reaching the page shown in the window.
#include "InsertionFixture.h"

#include "insertion/CropGeometry.h"
#include "canvas/ui/CompositeCommands.h"
#include "insertion/ui/CropImageDialog.h"
#include "insertion/ui/PageInsertions.h"
#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/SKTGraphicView.h"
#include "sidebar/PaletteInsertions.h"
#include "insertion/DropTables.h"
#include "model/SKTImage.h"
#include "platform/ActionResponder.h"
#include "platform/ui/CommandRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>

TEST(CropGeometryTest, HandlesMoveTheirEdgesAndTheRectangleStaysInsideThePicture)
{
    using H = CropGeometry::Handle;
    struct Case {
        const char *name;
        H handle;
        QPointF delta;
        QRect expected;
    };
    const QRect start(100, 100, 200, 100);
    const Case cases[] = {
        {"top left", H::TopLeft, {-20, -30}, QRect(80, 70, 220, 130)},
        {"right", H::Right, {50, 999}, QRect(100, 100, 250, 100)},
        {"bottom beyond the picture", H::Bottom, {0, 5000}, QRect(100, 100, 200, 300)},
        {"left past the right edge", H::Left, {500, 0}, QRect(299, 100, 1, 100)},
        {"inside, stopped at the corner", H::Inside, {-500, -500}, QRect(0, 0, 200, 100)},
        {"inside, stopped at the far edge", H::Inside, {900, 0}, QRect(200, 100, 200, 100)},
        {"no handle", H::None, {10, 10}, start},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        CropGeometry geometry(QSize(400, 400));
        geometry.setRect(start);
        geometry.drag(test.handle, start, test.delta);
        EXPECT_EQ(geometry.rect(), test.expected);
    }
    CropGeometry geometry(QSize(400, 400));
    geometry.setRect(start);
    EXPECT_EQ(geometry.handleAt({100, 100}, 4), H::TopLeft);
    EXPECT_EQ(geometry.handleAt({200, 199}, 4), H::Bottom);
    EXPECT_EQ(geometry.handleAt({200, 150}, 4), H::Inside);
    EXPECT_EQ(geometry.handleAt({10, 10}, 4), H::None);
    geometry.setRect(QRect(-50, 350, 1000, 1000));
    EXPECT_EQ(geometry.rect(), QRect(0, 350, 400, 50));
}

TEST(CropImageDialogTest, CropHandsOverThePartInsideTheRectangle)
{
    QImage picture(400, 200, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    picture.setPixelColor(350, 150, Qt::red);
    CropImageDialog dialog(picture);
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.windowTitle(), "Crop Image");
    dialog.show();
    // Drag the top-left handle from the view's corner to its middle.
    QWidget *view = dialog.pictureView();
    const double scale = double(view->width()) / picture.width();
    auto send = [view](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, view->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &event);
    };
    const QPointF to(300 * scale, 100 * scale);
    send(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(dialog.geometry().rect(), QRect(300, 100, 100, 100));
    QList<QImage> handed;
    QObject::connect(&dialog, &CropImageDialog::cropped, [&](const QImage &image) { handed.append(image); });
    dialog.cropButton()->click();
    ASSERT_EQ(handed.size(), 1);
    const QImage result = handed.first();
    EXPECT_EQ(result.size(), QSize(100, 100));
    EXPECT_EQ(result.pixelColor(50, 50), QColor(Qt::red));
}

TEST_F(InsertionTest, WindowCommandsActOnThePageShownWhenTheyRun)
{
    ActionMap commands;
    DocumentWindowContext window;
    SKTDocument *shown = doc.get();
    window.document = [&shown] { return shown; };
    // The window's canvas shows whichever page is shown.
    SKTGraphicView canvas;
    window.canvas = [&] {
        if (canvas.document() != shown)
            canvas.setDocument(shown);
        return &canvas;
    };
    installCompositeCommands(commands, window);
    installGridPictureCommands(commands, window);
    installFormCommands(commands, window);
    for (const char *name : {"insertTableRow", "joinTablesVertically", "addTable", "addNewImage", "addNewPDF",
                             "launchReplaceImage", "launchCropImagePanel", "setClickToEnlargeDark",
                             "disableClickToEnlarge", "refreshTableOfContents", "addTableOfSitemapVertical",
                             "addGalleryImage", "moveImageUp", "addSectionBackgroundImage", "addSlideshowImage",
                             "deleteSlide", "automateSlideShow", "addTextField", "addMultipleChoice",
                             "makeFormMandatory", "markAsReplyTo", "addNewCheckboxChoiceOption"})
        EXPECT_TRUE(commands.respondsToAction(QString::fromLatin1(name))) << name;

    ActionItemState row{QStringLiteral("insertTableRow")};
    EXPECT_FALSE(commands.validateAction(row)); // nothing selected
    commands.performAction(QStringLiteral("addTable"), {});
    ASSERT_EQ(doc->graphics().size(), 1);
    EXPECT_EQ(doc->graphics().first()->bounds(), QRectF(100, 30, 800, 100));

    // The PDF panel answers later, on the page shown then.
    panels.answerCancel();
    commands.performAction(QStringLiteral("addNewPDF"), {});
    EXPECT_EQ(panels.openPanels().last().title, "Add PDF file");
    EXPECT_EQ(doc->graphics().size(), 1);
    commands.performAction(QStringLiteral("addTextField"), {});
    EXPECT_EQ(doc->graphics().size(), 3);
    ActionItemState mandatory{QStringLiteral("makeFormMandatory")};
    EXPECT_FALSE(commands.validateAction(mandatory)); // nothing selected: hidden
    EXPECT_FALSE(mandatory.visible);
    shown = nullptr;
    commands.performAction(QStringLiteral("addTable"), {});
    EXPECT_EQ(doc->graphics().size(), 3);
}

TEST_F(InsertionTest, EveryDroppedCompositeTableAndFormCodeInsertsAsOneStep)
{
    // The rows the inspector's makers answer (equal-column tables, relations) come through the canvas's registry.
    PaletteInsertions::registerDropActions();
    PageInsertions::registerDropMakers();
    SKTGraphicView canvas;
    canvas.setDocument(doc.get());
    CanvasInsertionAdapter insertions(canvas);
    canvas.setInsertions(&insertions);
    int tried = 0;
    for (const DropCodeName &code : DropTables::codeNames()) {
        if (!code.action.startsWith(QLatin1String("addSection")) && !code.action.startsWith(QLatin1String("addTable"))
            && !code.action.startsWith(QLatin1String("addNavbar")) && !code.action.endsWith(QLatin1String("_drag"))
            && !code.action.startsWith(QLatin1String("addCollapsible")) && code.action != QLatin1String("addDropdownmenu")
            && code.action != QLatin1String("addTextCarousel") && code.action != QLatin1String("addPhoto_Hover_Caption"))
            continue;
        if (code.action == QLatin1String("addSectionBackgroundImage") || code.action.contains(QLatin1String("Image"))
            || code.action.contains(QLatin1String("PDF")) || code.action == QLatin1String("addSnippet_drag")
            || code.action == QLatin1String("addZoomBubbleTextbox_drag") || code.action == QLatin1String("addZovLink_drag")
            || code.action == QLatin1String("addIndividual_drag") || code.action == QLatin1String("addFullAddress_drag")
            || code.action == QLatin1String("addEnlargeablePhoto_drag"))
            continue;
        SCOPED_TRACE(code.name.toStdString());
        doc->clearAllGraphics();
        doc->undoManager().removeAllActions();
        gSectionHeight = 300;
        EXPECT_TRUE(insertions.insertCodeName(*doc, code, {120, 40}));
        EXPECT_FALSE(doc->graphics().isEmpty());
        EXPECT_EQ(doc->undoManager().undoCount(), 1);
        ++tried;
    }
    EXPECT_GE(tried, 40);

    // The picture codes ask for their files first.
    panels.answerCancel();
    const auto pdf = DropTables::codeName(QStringLiteral("zov_pdf"));
    ASSERT_TRUE(pdf);
    doc->clearAllGraphics();
    insertions.insertCodeName(*doc, *pdf, {0, 0});
    EXPECT_EQ(panels.openPanels().last().title, "Add PDF file");
    EXPECT_TRUE(doc->graphics().isEmpty());
}

TEST_F(InsertionTest, TableCopiesTakePicturesFromTheFolderTheyCameFrom)
{
    auto writePicture = [](const QString &folder, const QByteArray &bytes) {
        QDir().mkpath(folder);
        QFile f(QDir(folder).filePath(QStringLiteral("image1o.PNG")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    auto table = makeSection(1, {0, 0}, {300}, 100, QStringLiteral("table"));
    auto picture = std::make_shared<TransformView>();
    picture->imageName = QStringLiteral("image1");
    picture->imageType = QStringLiteral("PNG");
    table->setImageArray({picture});
    writePicture(pageFolder(), "this page");
    writePicture(path(QStringLiteral("elsewhere/other")), "other page");
    SKTGraphicView canvas;
    canvas.setDocument(doc.get());
    CanvasInsertionAdapter insertions(canvas);

    // Pasted from another page: that page's picture.
    auto *pasted = dynamic_cast<SKTTable *>(insertions.duplicateTable(*doc, *table, 0, path(QStringLiteral("elsewhere/other"))));
    ASSERT_TRUE(pasted);
    QFile fromOther(QDir(pageFolder()).filePath(pasted->imageArray().first()->imageName + QStringLiteral("o.PNG")));
    ASSERT_TRUE(fromOther.open(QIODevice::ReadOnly));
    EXPECT_EQ(fromOther.readAll(), "other page");

    // On the page (Duplicate): this page's picture.
    place({table});
    auto *duplicated = dynamic_cast<SKTTable *>(insertions.duplicateTable(*doc, *table, 0, QString()));
    ASSERT_TRUE(duplicated);
    QFile fromHere(QDir(pageFolder()).filePath(duplicated->imageArray().first()->imageName + QStringLiteral("o.PNG")));
    ASSERT_TRUE(fromHere.open(QIODevice::ReadOnly));
    EXPECT_EQ(fromHere.readAll(), "this page");
}
