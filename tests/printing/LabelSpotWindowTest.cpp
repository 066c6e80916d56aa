// One card on one spot, from the business-card edition's spot map (each spot's own
// menu), printed and exported: the label lands on that spot alone, and the
// sheet kept in "card.pdf" by the last full-sheet job is left as it was.
#include "printing/PrintWindowFixture.h"

#include "printing/ui/LabelSpotMapDialog.h"
#include "window/ui/SKTWindowController.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class LabelSpotWindowTest : public PrintWindowTest {
protected:
    QByteArray digestOf(const QString &file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }

    // Opens the spot map at menuPath and triggers `item` of the spot's menu.
    void chooseFromSpotMenu(SKTWindowController *window, const QString &menuPath, int32_t tag, const QString &item,
                            const QString &answer = {})
    {
        QString why;
        if (!answer.isEmpty())
            alerts.answer(answer);
        ASSERT_TRUE(MenuPath::trigger(window, menuPath, &why)) << qPrintable(why);
        LabelSpotMapDialog *map = shownWidget<LabelSpotMapDialog>();
        ASSERT_NE(map, nullptr) << qPrintable(alerts.messages().join(" | "));
        QPushButton *spot = map->spotButton(tag);
        ASSERT_NE(spot, nullptr);
        ASSERT_EQ(spot->contextMenuPolicy(), Qt::ActionsContextMenu);
        QAction *chosen = nullptr;
        for (QAction *action : spot->actions())
            if (action->text() == item)
                chosen = action;
        ASSERT_NE(chosen, nullptr) << qPrintable(item);
        // The map closes on the choice and may be gone once it has.
        const QPointer<LabelSpotMapDialog> watched(map);
        chosen->trigger();
        settleEvents();
        EXPECT_TRUE(watched.isNull() || !watched->isVisible());
    }

    // Ink on the label of `spot` only, of all the sheet's spots.
    void expectOnlySpotInked(const QString &pdf, int spot)
    {
        const QImage page = printwindow::firstPage(pdf, path("spot"));
        ASSERT_FALSE(page.isNull());
        const QList<QRectF> spots = printwindow::spotsInPoints(gDefaultPrintSheet);
        ASSERT_GT(spots.size(), spot);
        for (qsizetype i = 0; i < spots.size(); ++i) {
            const double ink = printwindow::share(page, spots.at(i).adjusted(2, 2, -2, -2), printwindow::isInk);
            if (i == spot)
                EXPECT_GT(ink, 0.01) << "no label on spot " << i;
            else
                EXPECT_LT(ink, 0.001) << "ink on spot " << i;
        }
    }
};

TEST_F(LabelSpotWindowTest, OneSpotPrintsAndExportsAloneAndLeavesCardPdf)
{
    launchAs("Ostravel Business Card Designer");
    SKTWindowController *window = newPageFromTemplate();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    const QString cardPdf = QDir(gWorkFolder).filePath("card.pdf");

    // A full sheet keeps its last sheet in "card.pdf".
    QString why;
    alerts.answer("Print Full Sheet");
    ASSERT_TRUE(MenuPath::trigger(window, "Print/Print Page...", &why)) << qPrintable(why);
    ASSERT_TRUE(printToFile(path("sheet.pdf"), &why)) << qPrintable(why);
    ASSERT_TRUE(QFileInfo::exists(cardPdf));
    const QByteArray kept = digestOf(cardPdf);

    // Second row, second column of the 2-column sheet of ten cards.
    const int32_t tag = 3;
    chooseFromSpotMenu(window, "Print/Print Page...", tag, "Print on This Spot Only", "Print A Single Card");
    const QString printed = path("one-spot.pdf");
    ASSERT_TRUE(printToFile(printed, &why)) << qPrintable(why);
    EXPECT_EQ(printwindow::factsOf(printed).pages, 1);
    expectOnlySpotInked(printed, tag);
    EXPECT_EQ(digestOf(cardPdf), kept) << "printing one spot rewrote card.pdf";

    const QString exported = path("exported-spot.pdf");
    panels.clearAnswers();
    panels.answer(exported);
    chooseFromSpotMenu(window, "Print/Print Page...", tag, "Export This Spot as PDF...", "Print A Single Card");
    spinUntil([&] { return QFileInfo(exported).size() > 0; }, 20000);
    settleEvents(10);
    const printwindow::PdfFacts facts = printwindow::factsOf(exported);
    EXPECT_EQ(facts.pages, 1) << qPrintable(alerts.messages().join(" | "));
    EXPECT_NEAR(facts.points.width(), 612, 1.0);
    EXPECT_NEAR(facts.points.height(), 792, 1.0);
    expectOnlySpotInked(exported, tag);
    EXPECT_EQ(digestOf(cardPdf), kept) << "exporting one spot rewrote card.pdf";
}

}  // namespace
