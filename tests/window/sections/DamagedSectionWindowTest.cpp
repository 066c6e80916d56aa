// A responsive page spoilt after it was saved (a text's column that its
// section does not have) opened in the program's own window: the text opens
// free where it was, and moved with the mouse it behaves as a free graphic.
// Released outside every section it stays where it was dropped; released in
// a section's column it joins that column. A graphic of a section released
// outside every section stays in its own column.
#include "support/RealProgram.h"
#include "support/ResponsivePageJourney.h"
#include "support/ScriptedFilePanels.h"

#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "document/PageEditingCopy.h"
#include "document/SKTDocument.h"
#include "model/GraphicEnvironment.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "publishing/UploadFTPS.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

using namespace ResponsivePageJourney;

const QString kEdition = QStringLiteral("Mirvel Responsive Website Designer");

// The editing page with the column of the text rule at left/top changed to column.
QString withColumn(const QString &editing, const QRectF &at, int column, bool *found)
{
    QStringList lines = editing.split(QLatin1Char('\n'));
    *found = false;
    const QString left = QStringLiteral("left:%1px;").arg(int(at.left()));
    const QString top = QStringLiteral("top:%1px;").arg(int(at.top()));
    for (QString &line : lines) {
        // Texts of the responsive editions are written as snippets.
        const bool textRule = line.startsWith(QLatin1String(".text")) || line.startsWith(QLatin1String(".snippet"));
        if (!textRule || !line.contains(left) || !line.contains(top))
            continue;
        const qsizetype from = line.indexOf(QLatin1String("sectionColumnSpot:"));
        const qsizetype to = line.indexOf(QLatin1Char(';'), from);
        if (from < 0 || to < 0)
            continue;
        line.replace(from, to - from, QStringLiteral("sectionColumnSpot:%1").arg(column));
        *found = true;
    }
    return lines.join(QLatin1Char('\n'));
}

SKTGraphic *graphicAt(SKTDocument &doc, const QRectF &bounds)
{
    for (const auto &g : doc.graphics())
        if (!g->isSection() && g->bounds() == bounds)
            return g.get();
    return nullptr;
}

} // namespace

class DamagedSectionWindowTest : public RealProgramTest {};

TEST_F(DamagedSectionWindowTest, AFreedTextMovesAsAFreeGraphicAndAMemberKeepsItsColumn)
{
    launchAs(kEdition);
    SKTWindowController *w = newPageWindow();
    ASSERT_NE(w, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    const QString picture = writePhoto({400, 100});
    ScriptedFilePanels scripted;
    scripted.answer(picture);
    const TwoColumnPage made = buildTwoColumnPage(*w);
    ASSERT_TRUE(made.failure.isEmpty()) << qPrintable(made.failure);
    const QRectF textAt = made.text->bounds();

    // Saved from the menu; the page file then spoilt and packed again.
    const QString saved = path(QStringLiteral("made.") + gDocumentExtension);
    scripted.answer(saved);
    w->activateWindow();
    spinUntil([w] { return QApplication::activeWindow() == w; }, 2000);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(w, QStringLiteral("File/Save"), &why)) << qPrintable(why);
    settleEvents();
    SKTDocument &doc = w->document();
    ASSERT_FALSE(doc.fileURLPath.isEmpty()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    bool readable = false;
    const QString stored = SKTDocument::readPageText(doc.pagePath, &readable);
    ASSERT_TRUE(PageEditingCopy::hasEditingCopy(stored));
    bool found = false;
    const QString spoilt = PageEditingCopy::wrap(PageEditingCopy::publishedPage(stored),
                                                 withColumn(PageEditingCopy::editingPage(stored), textAt, 7, &found));
    ASSERT_TRUE(found) << "no rule for the text at " << textAt.left() << "," << textAt.top();
    QFile file(doc.pagePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(spoilt.toUtf8());
    file.close();
    const QString damaged = path(QStringLiteral("damaged.") + gDocumentExtension);
    UploadFTPS transport;
    ASSERT_TRUE(transport.zipDocument_mailchimp(QDir(doc.tempSavePathLocal).filePath(doc.pageName), damaged))
        << qPrintable(transport.zipLog());

    // Opened as a person opens a page: a window of its own, in front.
    SKTDocument *opened = DocumentController::shared().openDocument(damaged);
    ASSERT_NE(opened, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    settleEvents();
    SKTWindowController *window = SKTWindowController::windowForDocument(opened);
    ASSERT_NE(window, nullptr);
    window->activateWindow();
    spinUntil([window] { return QApplication::activeWindow() == window; }, 2000);
    settleEvents();
    ASSERT_EQ(GraphicEnvironment::current(), &window->graphicView());
    SKTTable *section = firstSection(*window);
    ASSERT_NE(section, nullptr);
    SKTGraphic *text = graphicAt(*opened, textAt);
    ASSERT_NE(text, nullptr) << "the text did not open where it was";
    EXPECT_EQ(text->sectionNumber(), -99);
    SKTGraphic *photo = nullptr;
    for (const auto &g : opened->graphics())
        if (dynamic_cast<SKTImage *>(g.get()))
            photo = g.get();
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->sectionNumber(), section->sectionNumber());
    EXPECT_EQ(photo->sectionColumnSpot(), 1);

    // Dragged below every section and released there: it stays where it was dropped.
    const QRectF sectionAt = section->bounds();
    const QPointF press = text->bounds().center();
    const QPointF below(press.x(), sectionAt.bottom() + 200);
    dragOnCanvas(*window, press, below);
    EXPECT_EQ(text->sectionNumber(), -99);
    EXPECT_EQ(text->bounds(), textAt.translated(0, below.y() - press.y()));

    // A graphic of the section dragged out the same way keeps its column.
    const QRectF photoAt = photo->bounds();
    dragOnCanvas(*window, photoAt.center(), QPointF(photoAt.center().x(), sectionAt.bottom() + 400));
    EXPECT_EQ(photo->sectionNumber(), section->sectionNumber());
    EXPECT_EQ(photo->sectionColumnSpot(), 1);
    EXPECT_TRUE(sectionAt.contains(photo->bounds())) << "the photo left its section";

    // Brought back into the first column, the freed text joins it.
    section->drawBoxModel();
    const QRectF one = cellRect(*section, 0);
    const QPointF into(one.left() + 40, section->contentRect().bottom() - 30);
    dragOnCanvas(*window, text->bounds().center(), into);
    EXPECT_EQ(text->sectionNumber(), section->sectionNumber());
    EXPECT_EQ(text->sectionColumnSpot(), 0);
    EXPECT_GE(text->bounds().left(), one.left() - 1);
    EXPECT_LE(text->bounds().right(), one.right() + 1);
    FilePanels::setCurrent(&panels);
}
