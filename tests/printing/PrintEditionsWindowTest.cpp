// Printing and PDFs from the document window of every print edition, reached
// as a person reaches them: menu items by their visible path, toolbar buttons
// by their text, alerts and the save panel answered, the print dialog sent to
// a PDF file. The PDFs are read back with poppler.
#include "support/RealProgram.h"

#include "config/EditionSettings.h"
#include "config/DataCentrePrinting.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "window/PrintTemplateChoice.h"
#include "window/ProjectScan.h"
#include "window/ui/AddNewPageViewController.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAll());
}

struct PdfFacts {
    int pages = 0;
    QSizeF points;       // the first page
    double lowestPpi = 0.0;  // of the pictures, 0 when none
    int pictures = 0;
};

PdfFacts factsOf(const QString &pdf)
{
    PdfFacts facts;
    const QString info = run("pdfinfo", {pdf});
    const auto pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    facts.pages = pages.hasMatch() ? pages.captured(1).toInt() : 0;
    const auto size = QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+) pts").match(info);
    if (size.hasMatch())
        facts.points = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    const QStringList lines = run("pdfimages", {"-list", pdf}).split('\n');
    for (const QString &line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(' ');
        if (fields.size() < 14 || fields.at(2) != QLatin1String("image"))
            continue;
        const double ppi = std::min(fields.at(12).toDouble(), fields.at(13).toDouble());
        facts.lowestPpi = facts.pictures == 0 ? ppi : std::min(facts.lowestPpi, ppi);
        ++facts.pictures;
    }
    return facts;
}

// The first page at 72 dpi: one pixel per point.
QImage firstPage(const QString &pdf, const QString &stem)
{
    run("pdftoppm", {"-r", "72", "-f", "1", "-l", "1", "-singlefile", "-png", pdf, stem});
    return QImage(stem + ".png");
}

class PrintEditionsWindowTest : public RealProgramTest {
protected:
    // The visible widget of type T the last command opened, waited for a
    // few seconds; null when none shows.
    template <typename T>
    T *shownWidget()
    {
        T *shown = nullptr;
        spinUntil([&] {
            for (QWidget *widget : QApplication::allWidgets())
                if (auto *found = qobject_cast<T *>(widget); found && found->isVisible())
                    shown = found;
            return shown != nullptr;
        }, 5000);
        return shown;
    }

    // Accepts the print dialog the last command opened, printing to a PDF
    // file, and waits for the job.
    bool printToFile(const QString &pdf, QString *why)
    {
        QPrintDialog *dialog = shownWidget<QPrintDialog>();
        if (dialog == nullptr) {
            *why = "no print dialog; alerts: " + alerts.messages().join(" | ");
            return false;
        }
        dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog->printer()->setOutputFileName(pdf);
        dialog->done(QDialog::Accepted);
        if (!spinUntil([&] { return QFileInfo(pdf).size() > 0 && !run("pdfinfo", {pdf}).contains("Error"); }, 20000)) {
            *why = "nothing was printed to " + pdf;
            return false;
        }
        settleEvents(20);
        return true;
    }

    SKTWindowController *open(const QString &edition)
    {
        launchAs(edition);
        return newPageFromTemplate();
    }
};

struct BookCase {
    const char *edition;
    double widthInches;
    double heightInches;
};

// "All Pages as One PDF, Quickly" of a new page: pages of the piece's true
// size, whatever the edition's canvas resolution.
TEST_F(PrintEditionsWindowTest, TheQuickPdfOfANewPageHasThePiecesTrueSize)
{
    const BookCase cases[] = {
        {"Tovra Label Maker", 2.625, 1.0},
        {"Tarnaby Pro", 2.625, 1.0},
        {"Ostravel Business Card Designer", 3.5, 2.0},
        {"Ostravel Envelope Designer", 9.5, 4.125},
        {"Ostravel eCard Designer", 6.0, 4.0},
        {"Tovra PDF Author", 8.5, 11.0},
    };
    const QString only = qEnvironmentVariable("ZOV_ONLY_EDITION");
    for (const BookCase &c : cases) {
        if (!only.isEmpty() && only != c.edition)
            continue;
        SCOPED_TRACE(c.edition);
        SKTWindowController *window = open(c.edition);
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
        const QString pdf = path(QString("%1.pdf").arg(c.edition));
        panels.answer(pdf);
        QString why;
        ASSERT_TRUE(MenuPath::trigger(window, "File/Export/All Pages as One PDF, Quickly...", &why)) << qPrintable(why);
        spinUntil([&] { return QFileInfo(pdf).size() > 0; }, 20000);
        settleEvents(10);
        const PdfFacts facts = factsOf(pdf);
        // One page per page of the template's project.
        EXPECT_GE(facts.pages, 1) << qPrintable(alerts.messages().join(" | "));
        EXPECT_NEAR(facts.points.width(), c.widthInches * 72.0, 1.0);
        EXPECT_NEAR(facts.points.height(), c.heightInches * 72.0, 1.0);
        TearDown();
        SetUp();
    }
}

struct PrintCase {
    const char *edition;
    const char *how;       // a menu path, or "toolbar:Text"
    const char *answer;    // the alert button to press first, or ""
    double widthPoints;    // the paper, as printed
    double heightPoints;
    int pages;
};

// The Print item and the toolbar's Print button of every print edition print a
// new page of that edition through the print dialog, on the sheet's paper,
// with page pictures drawn at 300 dpi or more.
TEST_F(PrintEditionsWindowTest, EveryPrintEditionPrintsANewPageSharplyOnItsPaper)
{
    const PrintCase cases[] = {
        {"Tovra Label Maker", "Print/Print Sheet...", "", 612, 792, 1},
        {"Tovra Label Maker", "toolbar:Print", "", 612, 792, 1},
        {"Tarnaby Pro", "Print/Print Sheet...", "", 612, 792, 1},
        {"Mollivan Brennix", "Print/Print Sheet...", "", 612, 792, 1},
        {"Ostravel Business Card Designer", "Print/Print Page...", "Print Full Sheet", 612, 792, 1},
        {"Ostravel Envelope Designer", "Print/Print Page...", "", 684, 297, 1},
        {"Ostravel Envelope Designer", "toolbar:Print", "", 684, 297, 1},
        {"Ostravel eCard Designer", "Print/Print Page...", "", 612, 792, 1},
        {"Tovra Dazed Irizi Pro", "Print/Print Page...", "", 792, 612, 1},
        {"Wemba Image Notes", "Print/Print Page...", "", 0, 0, 0},
    };
    for (const PrintCase &c : cases) {
        SCOPED_TRACE(std::string(c.edition) + " " + c.how);
        SKTWindowController *window = open(c.edition);
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
        if (*c.answer)
            alerts.answer(c.answer);
        QString why;
        const QString how = c.how;
        const bool sent = how.startsWith("toolbar:") ? ToolbarButton::click(window, how.mid(8), &why)
                                                     : MenuPath::trigger(window, how, &why);
        ASSERT_TRUE(sent) << qPrintable(why);
        const QString pdf = path("printed.pdf");
        ASSERT_TRUE(printToFile(pdf, &why)) << qPrintable(why);
        const PdfFacts facts = factsOf(pdf);
        if (c.pages > 0) {
            EXPECT_EQ(facts.pages, c.pages);
            EXPECT_NEAR(std::max(facts.points.width(), facts.points.height()), std::max(c.widthPoints, c.heightPoints), 1.5);
            EXPECT_NEAR(std::min(facts.points.width(), facts.points.height()), std::min(c.widthPoints, c.heightPoints), 1.5);
        } else {
            EXPECT_GE(facts.pages, 1);
        }
        EXPECT_GE(facts.pictures, 1);
        EXPECT_GE(facts.lowestPpi, 299.0);
        TearDown();
        SetUp();
    }
}

// The label maker's Templates button shows one labelled pop-up of every label
// sheet of the catalogue; each can be chosen ("Change") and the canvas takes
// its size; "Cancel" keeps the sheet.
TEST_F(PrintEditionsWindowTest, EveryLabelSheetCanBeChosenAndTheCanvasTakesItsSize)
{
    SKTWindowController *window = open("Tovra Label Maker");
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    QString why;
    ASSERT_TRUE(ToolbarButton::click(window, "Templates", &why)) << qPrintable(why);
    QComboBox *popUp = window->templatePopUp(PrintTemplateChoice::PopUp::Label);
    ASSERT_TRUE(popUp->isVisible());
    QSet<QString> chosen;
    for (int i = 0; i < popUp->count(); ++i) {
        const LabelTemplateHelper &record = gLabelTemplates.at(i);
        SCOPED_TRACE(popUp->itemText(i).toStdString());
        if (record.templateDescription == gDefaultPrintSheet)
            continue;
        alerts.answer("Change");
        popUp->setCurrentIndex(i);
        emit popUp->activated(i);
        settleEvents();
        LabelHelperPtr row;
        for (const LabelHelperPtr &candidate : std::as_const(gPrintLabels))
            if (candidate->printDescription == record.templateDescription)
                row = candidate;
        ASSERT_TRUE(row);
        EXPECT_EQ(gDefaultPrintSheet, row->printDescription);
        EXPECT_EQ(window->document().pageCanvasSize(), QSizeF(row->canvasWidth, row->canvasHeight));
        EXPECT_EQ(window->document().labelTemplateHelper.templateDescription, record.templateDescription);
        const QSize shown = window->canvasWidget()->size();
        EXPECT_NEAR(double(shown.width()) / shown.height(), double(row->canvasWidth) / row->canvasHeight, 0.05);
        chosen.insert(row->printDescription);
    }
    EXPECT_EQ(alerts.mismatches(), QStringList());
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels))
        if (row->printObjectType == QLatin1String("Label") && row->printDescription != gDefaultPrintSheet)
            EXPECT_TRUE(chosen.contains(row->printDescription) || row->printDescription == "Label - 30 Per Letter Sheet")
                << row->printDescription.toStdString();

    // Cancel keeps the sheet in force.
    const QString before = gDefaultPrintSheet;
    const int other = popUp->findText("Avery 5160 Label - 30 Per Letter Sheet");
    ASSERT_GE(other, 0);
    alerts.answer("Cancel");
    emit popUp->activated(other);
    settleEvents();
    EXPECT_EQ(gDefaultPrintSheet, before);
}

}  // namespace

// The PDF author's book grows from its window: Add Page makes a page from the
// edition's blank template, and Insert Blank Page takes the next number after
// the book's pages (the base template is not one of them).
TEST_F(PrintEditionsWindowTest, ThePdfAuthorAddsPagesWithTheNextNumber)
{
    SKTWindowController *window = open("Tovra PDF Author");
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    const ProjectScan &scan = window->project().scan;
    auto pageNames = [&] {
        QStringList names;
        for (const PageEntry &entry : scan.siteIconArray)
            names << entry.documentName;
        return names;
    };
    const QStringList before = pageNames();
    const qsizetype books = before.size() - (before.contains("basetemplate.zel") ? 1 : 0);

    QString why;
    ASSERT_TRUE(ToolbarButton::click(window, "Add Page", &why)) << qPrintable(why);
    AddNewPageViewController *sheet = shownWidget<AddNewPageViewController>();
    ASSERT_NE(sheet, nullptr) << qPrintable(alerts.messages().join(" | "));
    sheet->addNewPageButton->click();
    settleEvents(20);
    const QString added = QString("%1.zel").arg(books + 1);
    EXPECT_TRUE(pageNames().contains(added)) << qPrintable(pageNames().join(' ') + " / " + alerts.messages().join(" | "));
    EXPECT_FALSE(alerts.messages().join(' ').contains("Page Not Added")) << qPrintable(alerts.messages().join(" | "));

    ASSERT_TRUE(MenuPath::trigger(window, "File/Insert Blank Page", &why)) << qPrintable(why);
    settleEvents(20);
    const QString inserted = QString("%1.zel").arg(books + 2);
    EXPECT_TRUE(pageNames().contains(inserted)) << qPrintable(pageNames().join(' ') + " / " + alerts.messages().join(" | "));
    EXPECT_EQ(pageNames().size(), before.size() + 2);

    // The book prints every page; the inserted one shows its "Chapter title"
    // as its canvas does: ink in the title band at the top left.
    ASSERT_TRUE(ToolbarButton::click(window, "Print", &why)) << qPrintable(why);
    const QString pdf = path("book.pdf");
    ASSERT_TRUE(printToFile(pdf, &why)) << qPrintable(why);
    const PdfFacts facts = factsOf(pdf);
    ASSERT_EQ(facts.pages, int(books) + 2);
    const QString stem = path("last");
    run("pdftoppm", {"-r", "72", "-f", QString::number(facts.pages), "-l", QString::number(facts.pages), "-singlefile",
                     "-png", pdf, stem});
    const QImage last(stem + ".png");
    ASSERT_FALSE(last.isNull());
    int inked = 0;
    for (int y = int(last.height() * 0.04); y < int(last.height() * 0.12); ++y)
        for (int x = int(last.width() * 0.08); x < int(last.width() * 0.5); ++x)
            inked += qGray(last.pixel(x, y)) < 160 ? 1 : 0;
    EXPECT_GT(inked, 30) << "the inserted page printed blank";
}

// An eCard from the "Birthday" template shows its title band (a purple fill
// across the top) on the canvas and in the PDF.
TEST_F(PrintEditionsWindowTest, TheECardsTitleBandIsDrawnOnTheCanvasAndInThePdf)
{
    launchAs("Ostravel eCard Designer");
    SKTWindowController *window = newPageFromTemplate("Birthday");
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    settleEvents(10);
    auto purple = [](QRgb pixel) {
        const QColor c(pixel);
        return std::abs(c.red() - 0x6A) < 24 && std::abs(c.green() - 0x3D) < 24 && std::abs(c.blue() - 0x9A) < 24;
    };
    auto purpleShare = [&](const QImage &image, const QRect &area) {
        int hits = 0, all = 0;
        for (int y = area.top(); y <= area.bottom(); y += 2)
            for (int x = area.left(); x <= area.right(); x += 2, ++all)
                hits += purple(image.pixel(x, y)) ? 1 : 0;
        return all ? double(hits) / all : 0.0;
    };
    const QImage canvas = window->canvasWidget()->grab().toImage();
    ASSERT_FALSE(canvas.isNull());
    int purpleOnCanvas = 0;
    for (int y = 0; y < canvas.height(); y += 2)
        for (int x = 0; x < canvas.width(); x += 2)
            purpleOnCanvas += purple(canvas.pixel(x, y)) ? 1 : 0;
    EXPECT_GT(purpleOnCanvas, 500) << "no title band on the canvas";

    const QString pdf = path("ecard.pdf");
    panels.clearAnswers();
    panels.answer(pdf);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, "File/Export/All Pages as One PDF, Quickly...", &why)) << qPrintable(why);
    spinUntil([&] { return QFileInfo(pdf).size() > 0; }, 20000);
    settleEvents(10);
    const QImage page = firstPage(pdf, path("ecard"));
    ASSERT_FALSE(page.isNull()) << qPrintable(alerts.messages().join(" | "));
    // The band spans the top of the card; its bottom left holds none of it.
    EXPECT_GT(purpleShare(page, QRect(page.width() / 20, page.height() / 100, page.width() / 5, page.height() / 40)), 0.9);
    EXPECT_LT(purpleShare(page, QRect(0, page.height() * 9 / 10, page.width() / 2, page.height() / 20)), 0.05);
    for (const QString &message : alerts.messages())
        EXPECT_FALSE(message.contains("Font")) << qPrintable(message);
}
