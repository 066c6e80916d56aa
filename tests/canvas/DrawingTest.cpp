// What the canvas widget shows: page colour, graphics back to front, handles.
#include "CanvasFixture.h"

#include "canvas/SKTGrid.h"

#include <QImage>

namespace {
QImage grabbed(QWidget *w)
{
    QApplication::processEvents();
    QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Set ZOV_CANVAS_SHOT to a file to look at the canvas.
    const QString shot = qEnvironmentVariable("ZOV_CANVAS_SHOT");
    static int n = 0;
    if (!shot.isEmpty())
        image.save(QStringLiteral("%1-%2.png").arg(shot).arg(++n));
    return image;
}
} // namespace

TEST_F(CanvasTest, PageColourGraphicsFrontLastHandlesAndPause)
{
    SKTGrid grid;
    grid.setSpacing(20);
    grid.setAlwaysShown(true);
    view->setGrid(&grid);
    auto front = addRect({60, 60, 80, 80});
    front->setColor(QColor(Qt::red));
    auto back = addRect({20, 20, 80, 80});
    back->setColor(QColor(Qt::blue));
    auto c = std::make_shared<SKTCircle>();
    c->setBounds({200, 40, 120, 90});
    c->setSelectable(true);
    c->setColor(QColor(0, 160, 0));
    doc->insertGraphicAtIndex(c, 2);
    view->setSelectedGraphics({c.get()});
    widget->resize(400, 200);
    QImage image = grabbed(widget.get());
    EXPECT_EQ(QColor(image.pixel(90, 90)), QColor(Qt::red)) << "index 0 covers the others";
    EXPECT_EQ(QColor(image.pixel(30, 30)), QColor(Qt::blue));
    EXPECT_EQ(QColor(image.pixel(260, 85)), QColor(0, 160, 0));
    EXPECT_EQ(QColor(image.pixel(390, 190)), QColor(Qt::white));

    // The clear page: white without the clear-background setting, else the checkerboard.
    view->pageColorHexString = QStringLiteral("CLEAR0");
    view->pauseDrawGraphicFlag = true;
    view->setGrid(nullptr);
    image = grabbed(widget.get());
    EXPECT_EQ(QColor(image.pixel(90, 90)), QColor(Qt::white)) << "paused: no graphic drawn";
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(Qt::white));
    gClearCanvasBackground = true;
    widget->update();
    image = grabbed(widget.get());
    EXPECT_NE(QColor(image.pixel(5, 5)), QColor(image.pixel(15, 5))) << "a 20 x 20 checkerboard";
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(image.pixel(25, 5)));
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(image.pixel(15, 15)));
}
