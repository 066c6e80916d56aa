// The alignment grid, the zoom pop-up and keys, and drops on the canvas.
#include "CanvasFixture.h"

#include "canvas/SKTGrid.h"
#include "canvas/ui/CanvasRuler.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "platform/UserDefaults.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPicture>
#include <QUrl>

TEST_F(CanvasTest, GridSnapsAlignsAndSkipsLinesTooCloseToSee)
{
    SKTGrid grid;
    EXPECT_EQ(grid.spacing(), 9.0);
    grid.setSpacing(10);
    struct Case {
        QPointF in, out;
    };
    grid.setConstraining(false);
    EXPECT_EQ(grid.constrainedPoint({14.9, 15.0}), QPointF(14.9, 15.0));
    EXPECT_EQ(grid.alignedRect({14.9, 15, 10.2, 4}), QRectF(10, 20, 20, 0));
    grid.setConstraining(true);
    for (const Case &c : {Case{{14.9, 15.0}, {10, 20}}, Case{{-4.9, -5.0}, {0, 0}}, Case{{25, 34.99}, {30, 30}}})
        EXPECT_EQ(grid.constrainedPoint(c.in), c.out) << c.in.x() << "," << c.in.y();
    EXPECT_EQ(UserDefaults::standard().floatForKey(QStringLiteral("gridSpacing")), 10.0f);
    EXPECT_TRUE(UserDefaults::standard().boolForKey(QStringLiteral("snapGridFlag")));

    // Shown for a second after a spacing change, hidden at once by always-shown off.
    EXPECT_TRUE(grid.isShowing());
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(false);
    EXPECT_FALSE(grid.isShowing());

    grid.setAlwaysShown(true);
    auto lines = [&](double spacing, double zoom) {
        grid.setSpacing(spacing);
        QPicture picture;
        QPainter p(&picture);
        grid.drawRect(p, QRectF(0, 0, 1000, 1000), zoom);
        p.end();
        QPicture empty;
        QPainter e(&empty);
        e.end();
        return picture.size() - empty.size();
    };
    EXPECT_GT(lines(10, 1.0), 0u);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(lines(1e-9, 1.0), 0u) << "a tiny spacing draws nothing and returns at once";
    EXPECT_EQ(lines(1.5, 1.0), 0u);
    EXPECT_GT(lines(1.5, 2.0), 0u);
    EXPECT_LT(t.elapsed(), 2000);
    grid.setSpacing(0);
    EXPECT_FALSE(grid.canAlign());
    EXPECT_EQ(grid.constrainedPoint({3.3, 4.4}), QPointF(3.3, 4.4));
}

TEST_F(CanvasTest, ZoomPopUpAndKeysStepThroughTheFactors)
{
    // The fixture's own widget goes now: a deferred delete would outlive the
    // view it paints, as the event loop never runs deferred deletes here.
    widget.reset();
    QApplication::processEvents();
    SKTZoomingScrollView scroll;
    auto *canvas = new SKTGraphicViewWidget(*view);
    scroll.setCanvas(canvas);
    scroll.resize(400, 300);
    scroll.show();
    QComboBox *popUp = scroll.factorPopUpButton();
    ASSERT_EQ(popUp->count(), 26);
    for (int i = 1; i < popUp->count(); ++i)
        EXPECT_LT(popUp->itemData(i - 1).toDouble(), popUp->itemData(i).toDouble());
    scroll.updateScale(QStringLiteral("50%"), 0.5);
    EXPECT_EQ(canvas->zoomFactor(), 0.5);
    EXPECT_EQ(gHandleScale, 0.5f);
    EXPECT_EQ(canvas->size(), (view->canvasBounds().size() * 0.5).toSize());

    auto press = [&](int key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(canvas, &e);
    };
    press(Qt::Key_Equal);
    EXPECT_EQ(popUp->currentText(), QStringLiteral("55%"));
    press(Qt::Key_Minus);
    press(Qt::Key_Minus);
    EXPECT_EQ(popUp->currentText(), QStringLiteral("45%"));
    scroll.updateScale(QStringLiteral("600%"), 6.0);
    press(Qt::Key_Equal);
    EXPECT_EQ(popUp->currentText(), QStringLiteral("600%"));
    scroll.updateScale(QStringLiteral("5%"), 0.05);
    press(Qt::Key_Minus);
    EXPECT_EQ(popUp->currentText(), QStringLiteral("5%"));

    // At 200 % a click at widget (100, 100) is canvas (50, 50).
    scroll.updateScale(QStringLiteral("200%"), 2.0);
    auto a = addRect({45, 45, 10, 10});
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(100, 100), canvas->mapToGlobal(QPointF(100, 100)),
                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(100, 100), canvas->mapToGlobal(QPointF(100, 100)),
                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &up);
    EXPECT_EQ(view->selectedGraphics(), (QList<SKTGraphic *>{a.get()}));

    // With the rulers shown a move echoes its rectangle; none stays after.
    scroll.setShowsRulers(true);
    QList<QList<double>> seen;
    QObject::connect(view.get(), &SKTGraphicView::rulerEchoChanged,
                     [&](const QRectF &) { seen << scroll.horizontalRuler()->echoLines(); });
    auto at = [&](QEvent::Type type, QPointF p, Qt::MouseButtons buttons) {
        p *= 2.0;
        QMouseEvent e(type, p, canvas->mapToGlobal(p), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
        QApplication::sendEvent(canvas, &e);
    };
    at(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton);
    at(QEvent::MouseMove, {60, 50}, Qt::LeftButton);
    EXPECT_EQ(scroll.horizontalRuler()->echoLines(), (QList<double>{55, 60, 65}));
    EXPECT_EQ(scroll.verticalRuler()->echoLines(), (QList<double>{45, 50, 55}));
    at(QEvent::MouseButtonRelease, {60, 50}, Qt::NoButton);
    EXPECT_TRUE(scroll.horizontalRuler()->echoLines().isEmpty());
    EXPECT_TRUE(scroll.verticalRuler()->echoLines().isEmpty());
    EXPECT_GE(seen.size(), 3);
    // Set ZOV_CANVAS_SHOT to a file to look at the scroll view.
    if (!qEnvironmentVariable("ZOV_CANVAS_SHOT").isEmpty()) {
        at(QEvent::MouseButtonPress, {60, 50}, Qt::LeftButton);
        at(QEvent::MouseMove, {80, 70}, Qt::LeftButton);
        QApplication::processEvents();
        scroll.grab().save(qEnvironmentVariable("ZOV_CANVAS_SHOT") + QStringLiteral("-scroll.png"));
        at(QEvent::MouseButtonRelease, {80, 70}, Qt::NoButton);
    }
    gHandleScale = 1.0f;
}

namespace {
// Sends enter, move and drop as a drag would; answers whether the drop was taken.
bool dropOn(QWidget *w, const QMimeData &data, const QPointF &at)
{
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QDragMoveEvent over(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &over);
    const bool entered = enter.isAccepted() && over.isAccepted();
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    return entered && drop.isAccepted();
}
} // namespace

TEST_F(CanvasTest, DropsTakeColoursAndLocalImagesAndRefuseEverythingElse)
{
    auto a = addRect({10, 10, 40, 40});
    QMimeData colour;
    colour.setColorData(QColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(dropOn(widget.get(), colour, {20, 20}));
    EXPECT_EQ(a->fillColor(), QColor(0x12, 0x34, 0x56));
    EXPECT_TRUE(a->isDrawingFill());
    endStep();

    const QString png = path(QStringLiteral("wide.png"));
    QImage wide(1200, 300, QImage::Format_RGB32);
    wide.fill(Qt::green);
    ASSERT_TRUE(wide.save(png));
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(png)});
    EXPECT_TRUE(dropOn(widget.get(), file, {200, 200}));
    ASSERT_FALSE(insertions.calls.isEmpty());
    EXPECT_EQ(insertions.calls.last(), QStringLiteral("image:PNG|600x150|") + png);
    endStep();

    // Picture data without a file: a PNG image where it was dropped; on
    // paste, 100 points in from the corner.
    QMimeData picture;
    picture.setImageData(QImage(30, 20, QImage::Format_RGB32));
    EXPECT_TRUE(dropOn(widget.get(), picture, {400, 400}));
    EXPECT_EQ(insertions.calls.last(), QStringLiteral("image:PNG|30x20|"));
    EXPECT_EQ(doc->graphics().front()->bounds().topLeft(), QPointF(400, 400));
    EXPECT_TRUE(view->pasteFromMimeData(picture));
    EXPECT_EQ(doc->graphics().front()->bounds().topLeft(), QPointF(100, 100));
    endStep();

    const auto before = snapshot();
    const int steps = undo().undoCount();
    QFile corrupt(path(QStringLiteral("broken.png")));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("\x89PNG\r\n\x1a\nnot really");
    corrupt.close();
    struct Refused {
        const char *what;
        std::function<void(QMimeData &)> fill;
        QString alert; // what the user is told, when the data was ours to read but undecodable
    };
    const QList<Refused> refused = {
        {"empty file list", [](QMimeData &d) { d.setUrls({}); }},
        {"a folder", [&](QMimeData &d) { d.setUrls({QUrl::fromLocalFile(path(QString()))}); }},
        {"a missing file", [&](QMimeData &d) { d.setUrls({QUrl::fromLocalFile(path(QStringLiteral("no.png")))}); }},
        {"a remote file", [](QMimeData &d) { d.setUrls({QUrl(QStringLiteral("http://127.0.0.1/x.png"))}); }},
        {"a corrupt picture", [&](QMimeData &d) { d.setUrls({QUrl::fromLocalFile(corrupt.fileName())}); },
         QStringLiteral("The dropped files could not be read.")},
        {"undecodable picture data", [](QMimeData &d) { d.setData(QStringLiteral("application/x-qt-image"), "\x89PNG broken"); },
         QStringLiteral("The dropped picture could not be read.")},
        {"plain text", [](QMimeData &d) { d.setText(QStringLiteral("/etc/passwd")); }},
        {"colour on empty page area", [](QMimeData &d) { d.setColorData(QColor(Qt::red)); }},
    };
    for (const Refused &r : refused) {
        SCOPED_TRACE(r.what);
        QMimeData data;
        r.fill(data);
        const int shown = alerts.count();
        EXPECT_FALSE(dropOn(widget.get(), data, {700, 700}));
        EXPECT_EQ(alerts.count(), shown + (r.alert.isEmpty() ? 0 : 1));
        if (!r.alert.isEmpty() && alerts.count() > shown)
            EXPECT_EQ(alerts.last().messageText, r.alert);
        endStep();
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(undo().undoCount(), steps);
    }
}
