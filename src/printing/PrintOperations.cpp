#include "printing/PrintOperations.h"

#include "config/DataCentreFiles.h"
#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "platform/Tasks.h"
#include "printing/CardPlan.h"
#include "config/DataCentrePrinting.h"
#include "printing/PageDrawing.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QPoint>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PrintOperations", text);
}

}  // namespace

QString PrintOperations::printActionFor(const QString &edition)
{
    static const QHash<QString, QString> actions = {
        {QStringLiteral("Tarnaby Pro"), QStringLiteral("printSheetWithSameLabels")},
        {QStringLiteral("Mollivan Brennix"), QStringLiteral("printSheetWithSameLabels")},
        {QStringLiteral("Tovra Label Maker"), QStringLiteral("printSheetWithSameLabels")},
        {QStringLiteral("Ostravel Envelope Designer"), QStringLiteral("printSheetWithSameLabels")},
        {QStringLiteral("Tovra Greeting Card Designer"), QStringLiteral("printCard")},
        {QStringLiteral("Ostravel Business Card Designer"), QStringLiteral("printBusinessCard")},
        {QStringLiteral("Tovra PDF Author"), QStringLiteral("printManual")},
    };
    return actions.value(edition, QStringLiteral("printPage"));
}

PrintOperations::PrintOperations(PrintContext context)
    : context_(std::move(context))
{
}

template <typename Result>
void PrintOperations::inBackground(bool worker, QObject *window, std::function<Result()> work,
                                   std::function<void(Result)> done)
{
    if (!worker) {
        done(work());
        return;
    }
    DataCentreFiles::showProgressIndicator();
    Tasks::runInBackground<Result>(window, std::move(work), [done = std::move(done)](Result result) {
        DataCentreFiles::dismissProgressIndicator();
        done(std::move(result));
    });
}

SheetPicture PrintOperations::currentPagePicture(float rotation) const
{
    if (context_.pageDrawing) {
        SheetPicture drawn = context_.pageDrawing();
        if (drawn.drawing) {
            drawn.rotation = rotation;
            drawn.pageName = context_.currentPageName;
            return drawn;
        }
    }
    for (const SheetPage &page : context_.pages) {
        if (page.pageName == context_.currentPageName)
            return {page.imagePath, {}, rotation, page.pageName};
    }
    const QImage rendered = context_.renderPage ? context_.renderPage() : QImage();
    return {{}, rendered, rotation, context_.currentPageName};
}

SheetComposition PrintOperations::composeSheet(bool sameLabel) const
{
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    const auto rotation = static_cast<float>(gCanvasRotation);
    if (sameLabel)
        return SheetComposer::composeSameLabel(geometry, currentPagePicture(rotation), gPrintStartingRow,
                                               gPrintStartingColumn);
    SheetComposition composition = SheetComposer::composeDifferentLabels(geometry, context_.pages, rotation,
                                                                         gPrintStartingRow, gPrintStartingColumn);
    sharpen(composition.pictures);
    return composition;
}

void PrintOperations::sharpen(QList<SheetPicture> &pictures) const
{
    PageDrawing::sharpen(pictures, context_.pages, context_.currentPageName, context_.pageDrawing);
}

SheetPaper PrintOperations::paperForSheets() const
{
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    LabelHelper sheet;
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels)) {
        if (row->printDescription == gDefaultPrintSheet) {
            sheet = *row;
            break;
        }
    }
    return SheetPainter::paperFor(geometry, sheet, context_.labelTemplate.paperSize,
                                  context_.labelTemplate.templateDescription);
}

namespace {

void finishJob(const SheetPaintResult &result, QObject *window)
{
    if (!result.ok) {
        if (!result.errorText.isEmpty())
            Alerts::inform(tr("The sheets could not be printed."), result.errorText, window);
        return;
    }
    if (!result.unreadablePages.isEmpty())
        Alerts::inform(tr("Some pictures could not be read."),
                       tr("These pages were left empty on the sheet: %1").arg(result.unreadablePages.join(", ")),
                       window);
}

}  // namespace

void PrintOperations::printComposition(const SheetComposition &composition)
{
    if (!composition.isPrintable()) {
        Alerts::inform(tr("Nothing was printed."), composition.problemText(), context_.window);
        return;
    }
    if (context_.composed)
        context_.composed(composition);
    if (!gWorkFolder.isEmpty())
        SheetPainter::writeLastSheet(gWorkFolder, composition);
    if (context_.printer == nullptr)
        return;
    context_.printer->printSheets(composition, paperForSheets(), context_.window,
                                  [window = context_.window](const SheetPaintResult &result) { finishJob(result, window); });
}

void PrintOperations::exportComposition(const SheetComposition &composition)
{
    if (!composition.isPrintable()) {
        Alerts::inform(tr("Nothing was exported."), composition.problemText(), context_.window);
        return;
    }
    if (context_.composed)
        context_.composed(composition);
    if (!gWorkFolder.isEmpty())
        SheetPainter::writeLastSheet(gWorkFolder, composition);
    SavePanelOptions options;
    options.allowedTypes = {QStringLiteral("PDF")};
    options.nameFieldValue = QStringLiteral("LabelSheet");
    const SheetPaper paper = paperForSheets();
    QObject *window = context_.window;
    const bool worker = context_.useWorker;
    FilePanels::current().showSavePanel(options, window, [window, worker, composition, paper](const QString &chosen) {
        if (chosen.isEmpty())
            return;
        QString path = chosen;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".PDF");
        inBackground<SheetPaintResult>(
            worker, window,
            [path, composition, paper] { return SheetPainter::writePdf(path, composition, paper, QFileInfo(path).baseName()); },
            [window](SheetPaintResult result) {
                if (!result.ok) {
                    Alerts::inform(tr("The PDF could not be saved."), result.errorText, window);
                    return;
                }
                finishJob(result, window);
            });
    });
}

void PrintOperations::printCard()
{
    if (!CardPlan::asksFrontOrInside(context_.labelTemplate.templateDescription)) {
        printQuarterFoldCard();
        return;
    }
    Alert alert;
    alert.messageText = QStringLiteral("Preview and print Card");
    alert.informativeText = QStringLiteral("Please select card tab");
    alert.buttons = {QStringLiteral("Front and Back"), QStringLiteral("Inside"), QStringLiteral("Cancel")};
    alert.style = Alert::Style::Warning;
    Alerts::ask(alert, context_.window, [this](int response) {
        if (response == Alert::FirstButton)
            printFrontPage();
        else if (response == Alert::FirstButton + 1)
            printInsidePage();
    });
}

namespace {

SheetComposition cardSheet(QList<SheetPicture> pictures)
{
    SheetComposition composition =
        SheetComposer::layOutGrid(SheetGeometry::fromCurrentLayout(), pictures, {}, gPrintStartingRow,
                                  gPrintStartingColumn);
    return composition;
}

}  // namespace

void PrintOperations::printFrontPage()
{
    QList<SheetPicture> pictures =
        CardPlan::frontPictures(context_.pages, context_.labelTemplate.templateDescription);
    if (pictures.isEmpty()) {
        Alerts::inform(tr("Nothing was printed."), CardPlan::noCardPagesText(), context_.window);
        return;
    }
    sharpen(pictures);
    printComposition(cardSheet(pictures));
}

void PrintOperations::printInsidePage()
{
    QList<SheetPicture> pictures = CardPlan::insidePictures(context_.pages);
    if (pictures.isEmpty()) {
        Alerts::inform(tr("Nothing was printed."), CardPlan::noCardPagesText(), context_.window);
        return;
    }
    sharpen(pictures);
    printComposition(cardSheet(pictures));
}

void PrintOperations::printQuarterFoldCard()
{
    QList<SheetPicture> pictures = CardPlan::quarterFoldPictures(context_.pages);
    if (pictures.isEmpty()) {
        Alerts::inform(tr("Nothing was printed."), CardPlan::noCardPagesText(), context_.window);
        return;
    }
    sharpen(pictures);
    printComposition(cardSheet(pictures));
}

void PrintOperations::printBusinessCard(std::function<void()> chooseSpots)
{
    Alert alert;
    alert.messageText = QStringLiteral("Preview and print Card");
    alert.informativeText = QStringLiteral("Please select how you would like to print");
    alert.buttons = {QStringLiteral("Print A Single Card"), QStringLiteral("Print Full Sheet"),
                     QStringLiteral("Cancel")};
    alert.style = Alert::Style::Informational;
    Alerts::ask(alert, context_.window, [this, chooseSpots = std::move(chooseSpots)](int response) {
        if (response == Alert::FirstButton) {
            if (chooseSpots)
                chooseSpots();
        } else if (response == Alert::FirstButton + 1) {
            printSheetWithSameLabels();
        }
    });
}

void PrintOperations::printSelectedSpots(const QList<QPoint> &spots)
{
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    const SheetPicture picture = currentPagePicture(static_cast<float>(gCanvasRotation));
    SheetComposition composition = SheetComposer::layOutSpots(geometry, picture, spots);
    if (spots.isEmpty() && composition.problem == SheetComposition::Problem::NothingToPlace) {
        Alerts::inform(tr("Nothing was printed."), tr("Please choose at least one spot on the sheet."),
                       context_.window);
        return;
    }
    printComposition(composition);
}

void PrintOperations::printOrExportSingleSpot(int32_t row, int32_t column, bool print)
{
    const SheetComposition composition =
        SheetComposer::layOutSingleSpot(SheetGeometry::fromCurrentLayout(), currentPagePicture(0.0f), row, column);
    if (print)
        printComposition(composition);
    else
        exportComposition(composition);
}

QString PrintOperations::editionName()
{
    return gAppName;
}

void PrintOperations::saveBook(PdfBook::Source source, bool reduceSize, const QString &suggestedName)
{
    const bool projectPages = !PdfBook::bookPages(context_.bookPages).isEmpty();
    if (!projectPages && !context_.openBookPage) {
        Alerts::inform(tr("Nothing was saved."),
                       tr("There is no page to put in a PDF. Open a page or add one with Add Page, then try again."),
                       context_.window);
        return;
    }
    // The pages are read from their files: the open one is saved first.
    if (projectPages && context_.saveOpenPage)
        context_.saveOpenPage();
    const std::function<BookPlan::Page()> openPage = projectPages ? nullptr : context_.openBookPage;
    SavePanelOptions options;
    options.allowedTypes = {QStringLiteral("PDF")};
    options.nameFieldValue = suggestedName;
    QObject *window = context_.window;
    const QList<BookPage> pages = context_.bookPages;
    const PdfBook::Progress progress = context_.bookProgress;
    const bool worker = context_.useWorker;
    FilePanels::current().showSavePanel(options, window, [=](const QString &chosen) {
        if (chosen.isEmpty())
            return;
        BookSettings settings;
        settings.reduceSize = reduceSize;
        // Every page at the true size of the sheet in force.
        settings.canvasPixelsPerInch = PageDrawing::currentCanvasPixelsPerInch();
        settings.canvasWidth = gCanvasWidth;
        const QString path = PdfBook::withPdfExtension(chosen);
        // Page documents are read here, on the main thread; the pages are
        // painted on a worker behind the progress window. The plan is let go
        // on the main thread with the result.
        BookPlan gathered;
        if (openPage) {
            gathered.pages.append(openPage());
            gathered.total = 1;
        } else {
            gathered = PdfBook::plan(pages, source, settings.canvasWidth);
        }
        auto plan = std::make_shared<const BookPlan>(std::move(gathered));
        inBackground<BookResult>(
            worker, window, [=] { return PdfBook::write(path, *plan, settings, progress); },
            [window, plan](BookResult result) {
                if (!result.ok) {
                    Alerts::inform(tr("The PDF could not be saved."), result.errorText, window);
                    return;
                }
                if (!result.unreadablePages.isEmpty())
                    Alerts::inform(tr("Some pages could not be read."),
                                   tr("These pages were left out of the PDF: %1").arg(result.unreadablePages.join(", ")),
                                   window);
            });
    });
}
