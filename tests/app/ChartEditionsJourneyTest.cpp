// The org-chart, family-tree and markup editions' main jobs through the real
// document window: the chart's starting box shows and grows branches, a
// relative clicked in the tree's palette joins the selected person, and a
// picture opened in a markup edition becomes a page exported as it is named.
#include "support/RealProgram.h"

#include "app/ui/AppShell.h"
#include "canvas/SKTGraphicView.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "insertion/ui/MultiplyViewController.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "platform/Bundle.h"
#include "sidebar/ui/DragIconView.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

template <typename T>
int count(const SKTDocument &doc)
{
    int n = 0;
    for (const auto &g : doc.graphics())
        if (dynamic_cast<T *>(g.get()))
            ++n;
    return n;
}

class ChartEditionsJourneyTest : public RealProgramTest {
protected:
    SKTWindowController *openTemplate(const QString &relative)
    {
        if (!DocumentController::shared().openUntitledDocument(QDir(Bundle::resourcesPath()).filePath(relative)))
            return nullptr;
        SKTWindowController *window = nullptr;
        spinUntil([&] { return (window = frontWindow()) != nullptr; }, 5000);
        return window;
    }
};

TEST_F(ChartEditionsJourneyTest, TheChartsTopBoxShowsAndGrowsBranches)
{
    launchAs(QStringLiteral("Quessel Pro"));
    SKTWindowController *window = openTemplate(QStringLiteral("orgchart_templates/blank/Blank.quandrel"));
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    SKTDocument &doc = window->document();
    SKTText *top = nullptr;
    for (const auto &g : doc.graphics())
        if (auto *t = dynamic_cast<SKTText *>(g.get()); t && t->textString() == QStringLiteral("Top box"))
            top = t;
    ASSERT_NE(top, nullptr);
    // White text on a fill of its own, so it shows on the white page.
    EXPECT_EQ(top->fillColor().alpha(), 255);
    EXPECT_NE(top->fillColor(), QColor(Qt::white));

    window->graphicView().setSelectedGraphics({top});
    const int boxes = count<SKTText>(doc);
    ASSERT_TRUE(sendAction(QStringLiteral("multiplyNewShapes")));
    MultiplyViewController *branches = nullptr;
    for (QWidget *w : QApplication::allWidgets())
        if (auto *m = qobject_cast<MultiplyViewController *>(w))
            branches = m;
    ASSERT_NE(branches, nullptr) << "the branch pop-over opens";
    branches->popupButton->setCurrentText(QStringLiteral("3"));
    clickWidget(branches->addButton);
    // A halo and three boxes, joined by three lines.
    EXPECT_EQ(count<SKTText>(doc), boxes + 4);
    EXPECT_EQ(count<SKTLine>(doc), 3);
    EXPECT_EQ(doc.graphics().first().get(), top) << "the source comes to the front";
}

TEST_F(ChartEditionsJourneyTest, ARelativeClickedInThePaletteJoinsTheSelectedPerson)
{
    launchAs(QStringLiteral("Tovra Family Tree Maker"));
    SKTWindowController *window = openTemplate(QStringLiteral("mollivan_templates/blank/Blank.quandrel"));
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    SKTDocument &doc = window->document();
    auto entry = [window](const char *codeName) -> DragIconView * {
        for (DragIconView *v : window->findChildren<DragIconView *>())
            if (v->entry().codeName == QLatin1String(codeName) && v->isVisible())
                return v;
        return nullptr;
    };
    DragIconView *sibling = entry("zov_sibling");
    DragIconView *mother = entry("zov_mother");
    ASSERT_TRUE(sibling && mother) << "the palette shows the relatives";

    // The first card, with no one selected, goes below what the page holds.
    QRectF before;
    for (const auto &g : doc.graphics())
        before = before.united(g->bounds());
    const qsizetype start = doc.graphics().size();
    clickWidget(sibling);
    ASSERT_GT(doc.graphics().size(), start);
    SKTGraphic *card = doc.graphics().first().get();
    if (!before.isNull()) {
        EXPECT_GE(card->bounds().top(), before.bottom()) << "not on the page's title";
    }
    EXPECT_EQ(count<SKTLine>(doc), 0);

    // With that person selected, a mother joins them with a line, above them.
    window->graphicView().setSelectedGraphics({card});
    const double personTop = card->bounds().top();
    clickWidget(mother);
    EXPECT_EQ(count<SKTLine>(doc), 1);
    double newTop = 1e9;
    for (const auto &g : doc.graphics())
        if (!dynamic_cast<SKTLine *>(g.get()) && g->bounds().top() < personTop)
            newTop = std::min(newTop, g->bounds().top());
    EXPECT_LT(newTop, personTop);
}

TEST_F(ChartEditionsJourneyTest, AMarkupEditionOpensAPictureAndExportsAsTheNameSays)
{
    launchAs(QStringLiteral("Tovra Markup Express"));
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(QColor(20, 120, 200));
    const QString photo = path(QStringLiteral("screen.png"));
    ASSERT_TRUE(picture.save(photo));
    // The welcome window's Open offers pictures.
    panels.answer(photo);
    ASSERT_TRUE(sendAction(QStringLiteral("openDocument")));
    ASSERT_FALSE(panels.openPanels().isEmpty());
    EXPECT_TRUE(panels.openPanels().last().allowedTypes.contains(QStringLiteral("png")));
    SKTWindowController *window = nullptr;
    spinUntil([&] { return (window = frontWindow()) != nullptr && count<SKTImage>(window->document()) == 1; }, 10000);
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    ASSERT_EQ(count<SKTImage>(window->document()), 1);

    // "Image" with a .jpg name writes JPEG bytes; with .png, PNG.
    QString why;
    for (const char *name : {"marked.jpg", "marked.png"}) {
        SCOPED_TRACE(name);
        const QString out = path(QString::fromLatin1(name));
        panels.answer(out);
        ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("File/Export/Image"), &why)) << qPrintable(why);
        spinUntil([&] { return QFileInfo(out).size() > 0; }, 10000);
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(4);
        if (QByteArray(name).endsWith(".jpg"))
            EXPECT_TRUE(head.startsWith("\xFF\xD8\xFF")) << head.toHex().constData();
        else
            EXPECT_TRUE(head.startsWith("\x89PNG")) << head.toHex().constData();
    }

    // A file in no picture format says so and opens nothing.
    const QString odd = path(QStringLiteral("notes.png"));
    QFile bad(odd);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is not a picture");
    bad.close();
    EXPECT_EQ(shell->openPictureForMarkup(odd), nullptr);
    EXPECT_TRUE(alerts.messages().contains(QStringLiteral("Picture Not Opened")));
}

}  // namespace
