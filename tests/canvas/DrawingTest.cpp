// What the canvas widget shows: page colour, graphics back to front, handles.
#include "CanvasFixture.h"

#include "canvas/SKTGrid.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QScreen>
#include <QTest>
#include <cstdlib>

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

// The widget draws a repaint in bands of rows through an image of its own:
// graphics, shadows, handles and grid across the bands' seams must come out
// as one drawing of the whole page would show them, at any zoom.
TEST_F(CanvasTest, RepaintInBandsShowsTheSamePixelsAsOneDrawing)
{
    SKTGrid grid;
    grid.setSpacing(13);
    grid.setAlwaysShown(true);
    view->setGrid(&grid);
    for (int i = 0; i < 9; ++i) {
        // A column of graphics down the page: some straddle each seam.
        const double y = 150 + i * 57;
        auto r = addRect({20.0 + i * 37, y, 90, 70});
        r->setColor(QColor::fromHsv(i * 40, 200, 220));
        auto t = std::make_shared<SKTText>();
        t->setTextString(QStringLiteral("Seam %1").arg(i));
        t->setBounds({200.0 + i * 23, y + 31, 120, 45});
        t->setSelectable(true);
        t->setShadowFlag(1);
        doc->insertGraphicAtIndex(t, 0);
        auto c = std::make_shared<SKTCircle>();
        c->setBounds({520.0 + i * 11, y + 13, 75, 64});
        c->setColor(QColor::fromHsv(i * 40 + 20, 160, 200));
        doc->insertGraphicAtIndex(c, 0);
    }
    for (const auto &[zoom, partial] : {std::pair{1.0, false}, {1.5, false}, {1.0, true}, {1.5, true}}) {
        view->setSelectionIndexes({0, 4, 7, 11, 19});
        view->setMarqueeSelectionBounds(QRectF());
        widget->setZoomFactor(zoom);
        QApplication::processEvents();
        // What is on screen after a full paint, then after a repaint of
        // pieces only (a marquee's edges and the graphics it toggled).
        QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (partial) {
            widget->repaint();
            view->setSelectionIndexes({0, 3, 7, 12, 19, 25});
            view->setMarqueeSelectionBounds(QRectF(30, 180, 400, 420));
            QTest::qWait(100); // the window's update request comes on a timer
            shown = QGuiApplication::primaryScreen()->grabWindow(widget->winId()).toImage().convertToFormat(
                QImage::Format_ARGB32_Premultiplied);
        }
        ASSERT_GT(shown.height(), 512) << "the page spans more than one band";
        QImage whole(shown.size(), QImage::Format_ARGB32_Premultiplied);
        whole.fill(Qt::black);
        {
            QPainter painter(&whole);
            painter.scale(zoom, zoom);
            view->draw(painter, QRectF(QPointF(0, 0), QSizeF(shown.size()) / zoom), zoom);
        }
        // Antialiased edges cut at a seam may round a few steps apart; a
        // fault (a strip left out, drawn twice or shifted, dashes out of
        // phase) is far more than that.
        auto near = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) <= 6 && std::abs(qGreen(a) - qGreen(b)) <= 6
                   && std::abs(qBlue(a) - qBlue(b)) <= 6;
        };
        int differing = 0;
        QPoint first(-1, -1);
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (!near(shown.pixel(x, y), whole.pixel(x, y)) && differing++ == 0)
                    first = QPoint(x, y);
        EXPECT_EQ(differing, 0) << "zoom " << zoom << (partial ? ", in pieces" : "") << ", first at " << first.x() << "," << first.y();
    }
}

// Painted onto a device that is not an image (a picture, as a PDF would be),
// the canvas still shows its page, graphics and handles.
TEST_F(CanvasTest, PaintedOntoAPictureTheCanvasShowsThePage)
{
    auto r = addRect({40, 40, 100, 80});
    r->setColor(QColor(Qt::red));
    view->setSelectedGraphics({r.get()});
    widget->resize(300, 200);
    QPicture picture;
    widget->render(&picture);
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        picture.play(&painter);
    }
    EXPECT_EQ(QColor(image.pixel(90, 80)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(250, 150)), QColor(Qt::white)) << "the page colour";
    // The selection's handle at the top-left corner is drawn over the page.
    EXPECT_NE(QColor(image.pixel(40, 40)), QColor(Qt::white));
}
