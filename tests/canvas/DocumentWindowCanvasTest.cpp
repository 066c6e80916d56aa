// The canvas as a person meets it in a document window of the running
// program: the zoom box, the View menu's zoom commands and Ctrl+wheel; the
// context menu a right click opens on what is under the pointer; slideshows,
// galleries and tables filled and edited from the canvas with real events.
#include "support/RealProgram.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/ui/CanvasContextMenu.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "window/ui/SKTWindowController.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QTest>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class DocumentWindowCanvasTest : public RealProgramTest {
protected:
    SKTWindowController *open(const QString &edition)
    {
        launchAs(edition);
        SKTWindowController *window = newPageWindow();
        if (window)
            window->resize(1200, 800);
        settleEvents();
        return window;
    }
};

// The default edition, a website edition and a markup edition.
class EveryEditionZoomTest : public DocumentWindowCanvasTest, public ::testing::WithParamInterface<const char *> {};

INSTANTIATE_TEST_SUITE_P(Editions, EveryEditionZoomTest,
                         ::testing::Values("", "HTML Zov Pro", "Tovra Markup Express"));

// Ctrl with the wheel turned one notch at pos (viewport coordinates), sent to the canvas under it.
void ctrlWheel(SKTWindowController *window, const QPoint &viewportPos, int notches)
{
    SKTGraphicViewWidget *canvas = window->canvasWidget();
    const QPoint at = canvas->mapFrom(window->zoomingScrollView()->viewport(), viewportPos);
    QWheelEvent wheel(QPointF(at), QPointF(canvas->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    settleEvents();
}

TEST_P(EveryEditionZoomTest, EveryValueOfTheZoomBoxTheViewMenuAndCtrlWheelZoomTheCanvas)
{
    SKTWindowController *window = open(QString::fromUtf8(GetParam()));
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    SKTZoomingScrollView *zoom = window->zoomingScrollView();
    QComboBox *box = zoom->factorPopUpButton();
    ASSERT_TRUE(box->isVisible());
    ASSERT_EQ(box->count(), 26);
    SKTGraphicViewWidget *canvas = window->canvasWidget();
    const QSizeF page = window->graphicView().canvasBounds().size();
    // Factors are kept in single precision, as the box computes them.
    auto expectFactor = [&](const char *title, const char *how) {
        const double f = SKTZoomingScrollView::factorOfTitle(QString::fromLatin1(title));
        EXPECT_DOUBLE_EQ(zoom->factor(), f) << how;
        EXPECT_DOUBLE_EQ(canvas->zoomFactor(), f) << how;
        EXPECT_DOUBLE_EQ(window->graphicView().zoomFactor, f) << how;
        EXPECT_DOUBLE_EQ(window->zoomFactor(), f) << how;
        EXPECT_FLOAT_EQ(gHandleScale, float(f)) << how;
        EXPECT_NEAR(canvas->width(), page.width() * f, 1.0) << how;
        EXPECT_NEAR(canvas->height(), page.height() * f, 1.0) << how;
        EXPECT_DOUBLE_EQ(box->currentData().toDouble(), f) << how;
    };

    // Every entry of the box, opened and clicked as a person does.
    for (int i = 0; i < box->count(); ++i) {
        box->showPopup();
        QAbstractItemView *list = box->view();
        ASSERT_TRUE(spinUntil([list] { return list->isVisible(); }, 2000));
        const QModelIndex entry = list->model()->index(i, 0);
        list->scrollTo(entry);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
        settleEvents();
        EXPECT_EQ(box->currentIndex(), i);
        const QByteArray title = box->itemText(i).toLatin1();
        expectFactor(title.constData(), title.constData());
    }

    // The View menu steps through the same entries and back to 100 %.
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Actual Size"), &why)) << qPrintable(why);
    expectFactor("100%", "Actual Size");
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Zoom In"), &why)) << qPrintable(why);
    expectFactor("125%", "Zoom In");
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Zoom Out"), &why)) << qPrintable(why);
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Zoom Out"), &why)) << qPrintable(why);
    expectFactor("90%", "Zoom Out twice");
    for (QAction *item : {MenuPath::find(window, QStringLiteral("View/Zoom In")),
                          MenuPath::find(window, QStringLiteral("View/Zoom Out")),
                          MenuPath::find(window, QStringLiteral("View/Actual Size"))})
        ASSERT_NE(item, nullptr);
    EXPECT_EQ(MenuPath::find(window, QStringLiteral("View/Zoom In"))->shortcut(), QKeySequence(QKeySequence::ZoomIn));
    // At the end of the list the menu item is disabled.
    zoom->updateScale(QStringLiteral("600%"), 6.0);
    EXPECT_FALSE(MenuPath::trigger(window, QStringLiteral("View/Zoom In"), &why));
    EXPECT_TRUE(why.contains(QStringLiteral("disabled"))) << qPrintable(why);
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Actual Size"), &why)) << qPrintable(why);

    // Ctrl+wheel over the canvas zooms about the pointer: the page point
    // under it stays there.
    const QPoint pointer(300, 200);
    auto pagePointAt = [&](const QPoint &p) {
        return QPointF(zoom->horizontalScrollBar()->value() + p.x(), zoom->verticalScrollBar()->value() + p.y())
               / zoom->factor();
    };
    const QPointF before = pagePointAt(pointer);
    ctrlWheel(window, pointer, 1);
    expectFactor("125%", "Ctrl+wheel up");
    EXPECT_NEAR(pagePointAt(pointer).x(), before.x(), 1.0);
    EXPECT_NEAR(pagePointAt(pointer).y(), before.y(), 1.0);
    ctrlWheel(window, pointer, -3);
    expectFactor("85%", "Ctrl+wheel three notches down");
    // The wheel alone scrolls and leaves the zoom.
    QWheelEvent plain(QPointF(100, 100), QPointF(canvas->mapToGlobal(QPoint(100, 100))), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &plain);
    settleEvents();
    expectFactor("85%", "plain wheel");
}

}  // namespace
