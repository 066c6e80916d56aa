// A table cell's text is shown on the canvas, in the inspector and on the
// visitor's page in one font. In each edition family's real window a table
// (or a navigation bar) is inserted as a person inserts it (the Add New menu, the palette), its first
// cell typed into after a double click; the text the canvas draws is measured
// and compared with the same text drawn in the family and size the generated
// page gives that cell, and the inspector's size with the page's.
#include "support/RealProgram.h"

#include "canvas/SKTGraphicView.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTTable.h"
#include "window/ui/SKTWindowController.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

namespace {

constexpr auto kTyped = "Hxg";

// Height of the dark grey ink in an image (the text, not light outlines nor
// the green mark of a chosen cell); 0 when none.
int inkHeight(const QImage &image)
{
    const auto ink = [](QRgb p) {
        return qGray(p) < 140 && std::abs(qRed(p) - qGreen(p)) < 30 && std::abs(qGreen(p) - qBlue(p)) < 30;
    };
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (ink(image.pixel(x, y))) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}

// The typed text drawn by the browser's rule: the family at the pixel size.
int referenceInkHeight(const QString &family, int size)
{
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(family);
    font.setPixelSize(size);
    painter.setFont(font);
    painter.setPen(QColor(0x4f, 0x4c, 0x4c));
    painter.drawText(QPointF(10, 150), QString::fromLatin1(kTyped));
    painter.end();
    return inkHeight(image);
}

struct PageFont {
    int size = -1;
    QString family;
};

// The font-size and font-family of the rule whose element holds the typed
// text in the generated page.
PageFont pageFontOfTypedCell(const QString &page)
{
    const qsizetype at = page.indexOf(QString::fromLatin1(kTyped), page.indexOf(QStringLiteral("<body")));
    if (at < 0)
        return {};
    static const QRegularExpression classes(QStringLiteral("class=\"?([A-Za-z0-9_]+)"));
    QString cls;
    for (auto it = classes.globalMatch(page.left(at)); it.hasNext();)
        cls = it.next().captured(1);
    const QRegularExpression rule(QStringLiteral("\\.%1\\{([^}]*)\\}").arg(cls));
    PageFont font;
    for (auto it = rule.globalMatch(page); it.hasNext();) {
        const QString body = it.next().captured(1);
        const auto size = QRegularExpression(QStringLiteral("font-size:(\\d+)")).match(body);
        const auto family = QRegularExpression(QStringLiteral("font-family:\"?([^;\"]+)")).match(body);
        if (size.hasMatch() && family.hasMatch()) {
            font.size = size.captured(1).toInt();
            font.family = family.captured(1);
            return font;
        }
    }
    return font;
}

struct Insertion {
    const char *edition;
    const char *menuPath; // an Add New item, or empty
    const char *codeName; // a palette entry, or empty
};

class CellFontAgreementTest : public RealProgramTest, public ::testing::WithParamInterface<Insertion> {
protected:
    QPoint onScreen(const QPointF &pagePoint) const
    {
        SKTGraphicViewWidget *canvas = window->canvasWidget();
        const QPoint p = (pagePoint * canvas->zoomFactor()).toPoint();
        window->zoomingScrollView()->ensureVisible(p.x(), p.y(), 60, 60);
        settleEvents();
        return canvas->mapTo(window, p);
    }
    SKTWindowController *window = nullptr;
};

TEST_P(CellFontAgreementTest, TheCanvasDrawsACellInTheFontThePageGivesIt)
{
    const Insertion how = GetParam();
    launchAs(QString::fromLatin1(how.edition));
    window = newPageWindow();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(u'\n'));
    window->resize(1300, 900);
    settleEvents();
    SKTDocument &doc = window->document();

    const QList<SKTGraphic *> existing = doc.graphicPointers();
    const QSet<SKTGraphic *> before(existing.cbegin(), existing.cend());
    if (*how.menuPath) {
        QString why;
        ASSERT_TRUE(MenuPath::trigger(window, QString::fromLatin1(how.menuPath), &why)) << qPrintable(why);
    } else {
        // Below what the new page holds, so that nothing else is drawn over the cell.
        double below = 60;
        for (SKTGraphic *g : existing)
            below = std::max(below, g->bounds().bottom() + 60);
        window->graphicView().insertCodeName(QString::fromLatin1(how.codeName), QPointF(60, below));
    }
    settleEvents();
    SKTTable *table = nullptr;
    for (SKTGraphic *g : doc.graphicPointers())
        if (auto *t = dynamic_cast<SKTTable *>(g); t && !before.contains(g))
            table = t;
    ASSERT_NE(table, nullptr);
    window->graphicView().deselectAll();
    settleEvents();

    // Typed into the first cell as a person types.
    std::shared_ptr<myTextView> first;
    for (const auto &cell : table->cellHelperArray())
        if (cell->rowSpot == 0 && cell->columnSpot == 0)
            first = cell;
    ASSERT_TRUE(first);
    const QRectF t = table->bounds();
    const QPointF inFirst(t.x() + 20, t.y() + 20);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, onScreen(inFirst));
    settleEvents();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, onScreen(inFirst));
    settleEvents();
    QWidget *editor = window->canvasWidget()->editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QString::fromLatin1(kTyped));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, onScreen({t.x() + 10, t.bottom() + 200}));
    settleEvents();
    ASSERT_EQ(window->canvasWidget()->editor(), nullptr) << "still typing";
    ASSERT_EQ(SKTTable::cellText(*first), QString::fromLatin1(kTyped));

    // What the canvas draws in the cell.
    QImage canvas(int(t.right()) + 40, int(t.bottom()) + 40, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        window->graphicView().draw(painter, QRectF(QPointF(0, 0), canvas.size()));
    }
    const QRect cellRect = QRect(first->originX, first->originY, first->width, first->height).adjusted(4, 4, -4, -4);
    const int drawn = inkHeight(canvas.copy(cellRect));
    if (qEnvironmentVariableIsSet("CELL_FONT_SHOTS")) {
        canvas.save(QStringLiteral("/tmp/cellfont-%1.png").arg(QString::fromLatin1(how.edition).left(12)));
        canvas.copy(cellRect).save(QStringLiteral("/tmp/cellfont-crop-%1.png").arg(QString::fromLatin1(how.edition).left(12)));
    }
    ASSERT_GT(drawn, 0) << "nothing drawn in the cell";

    // What the visitor's page gives the cell.
    const QString page = doc.generateSourceCode(doc.pageName, gResponsiveEdition, false);
    const PageFont written = pageFontOfTypedCell(page);
    ASSERT_GT(written.size, 0) << "no rule for the typed cell";
    EXPECT_EQ(written.size, SKTTable::cellFontSize(*first));
    EXPECT_EQ(written.family, SKTTable::cellFamily(*first));
    EXPECT_NEAR(drawn, referenceInkHeight(written.family, written.size), 1)
        << "the canvas draws the cell at another size than the page's " << written.size << "px";

    // The inspector shows the cell's font when the cell is chosen.
    table->reflectSelectedCellProperties(*first);
    EXPECT_EQ(table->fontSize(), written.size);
    EXPECT_EQ(table->fontFamily(), written.family);
}

INSTANTIATE_TEST_SUITE_P(
    Editions, CellFontAgreementTest,
    ::testing::Values(Insertion{"Mirvel Responsive Website Designer", "Add New/Table/Table", ""},
                      Insertion{"Mirvel Responsive Website Designer", "", "zov_table1x2"},
                      Insertion{"Mirvel Responsive Email Designer", "Add New/Table/Table", ""},
                      Insertion{"Mirvel Responsive Email Designer", "", "zov_table1x2"},
                      Insertion{"HTML Zov Pro", "Add New/Table/Table", ""},
                      Insertion{"HTML Zov Pro", "", "zov_table"},
                      // Composite cells carry an inner font of their own.
                      Insertion{"HTML Zov Pro", "Add New/Navigation Bar/Navigation Bar", ""},
                      Insertion{"Tovra Responsive Form Designer", "Add New/Table/Table", ""}),
    [](const ::testing::TestParamInfo<Insertion> &info) {
        QString name = QString::fromLatin1(info.param.edition) + QLatin1Char('_')
            + QString::fromLatin1(*info.param.menuPath ? info.param.menuPath : info.param.codeName);
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
        return name.toStdString();
    });

} // namespace
