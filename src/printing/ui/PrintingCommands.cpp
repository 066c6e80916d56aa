#include "printing/ui/PrintingCommands.h"
#include "window/MultiDocumentModeAlert.h"

#include "config/DataCentreFiles.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "platform/ActionResponder.h"
#include "platform/Alerts.h"
#include "printing/LabelSpotPlan.h"
#include "printing/PageDrawing.h"
#include "printing/PrintOperations.h"
#include "printing/SheetGeometry.h"
#include "printing/ui/BookPrinter.h"
#include "printing/ui/LabelSpotMapDialog.h"
#include "printing/ui/PrintDialogs.h"
#include "printing/ui/PrintPreviewWindowController.h"
#include "printing/ui/QtSheetPrintTarget.h"
#include "document/PagePicture.h"
#include "window/ProjectPages.h"
#include "platform/ui/CommandRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

#include <deque>
#include <memory>
#include <optional>

namespace {

// What one window keeps between print commands: the printer and the operations,
// which live on while a dialog or a worker they started is still running.
struct PrintingSession {
    DocumentWindowContext context;
    QtSheetPrintTarget printer;
    // Operations answer their alerts and panels later, so the recent ones are kept
    // while newer commands run.
    std::deque<std::unique_ptr<PrintOperations>> operations;
    QPointer<PrintPreviewWindowController> preview;
    // The sheets last composed for the printer or a PDF: the window's composed
    // sheet view, which startPrinting prints again.
    std::optional<SheetComposition> lastComposition;

    PrintOperations &fresh()
    {
        PrintContext print = printContextFor(context);
        print.printer = &printer;
        print.useWorker = true;
        print.composed = [this](const SheetComposition &composition) { lastComposition = composition; };
        operations.push_back(std::make_unique<PrintOperations>(std::move(print)));
        if (operations.size() > 16)
            operations.pop_front();
        return *operations.back();
    }
};

using Session = std::shared_ptr<PrintingSession>;

// The label sheets of different pages need a project: a page opened alone is
// told how to open one.
bool isEditorInMultiDocMode(const DocumentWindowContext &context)
{
    if (!context.currentProjectFolder().isEmpty() || (context.project && !context.project->openWebsiteFolderPath().isEmpty()))
        return true;
    const Alert alert = multiDocumentModeAlert();
    Alerts::ask(alert, context.window, [](int response) {
        if (response == Alert::FirstButton)
            ResponderChain::send(QStringLiteral("openWebsite"));
    });
    return false;
}

QString templatePaper(const DocumentWindowContext &context)
{
    return printContextFor(context).labelTemplate.paperSize;
}

}  // namespace

PrintContext printContextFor(const DocumentWindowContext &context)
{
    PrintContext print;
    print.window = context.window;
    SKTDocument *document = context.currentDocument();
    if (document) {
        print.currentPageName = QFileInfo(document->fileURLPath).fileName();
        print.renderPage = [document] { return PagePicture::render(*document, false); };
        print.pageDrawing = [document] { return PageDrawing::fromDocument(*document, QString()); };
        print.openBookPage = [document] { return PageDrawing::bookPage(*document); };
        print.saveOpenPage = [document] { document->askPageToSaveItself(); };
        const DocumentLabelTemplate &chosen = document->labelTemplateHelper;
        print.labelTemplate.brand = chosen.brand;
        print.labelTemplate.templateNumber = chosen.templateNumber;
        print.labelTemplate.templateDescription = chosen.templateDescription;
        // The stock's paper comes from the catalogue of label templates.
        for (const LabelTemplateHelper &stock : std::as_const(gLabelTemplates)) {
            if (stock.brand == chosen.brand && stock.templateNumber == chosen.templateNumber
                && stock.templateDescription == chosen.templateDescription) {
                print.labelTemplate.paperSize = stock.paperSize;
                break;
            }
        }
    }
    if (context.project) {
        const ProjectScan &scan = context.project->scan;
        const QString folder = context.project->openWebsiteFolderPath();
        for (const PageEntry &entry : scan.siteIconArray) {
            print.pages.append(SheetPage(entry.pageName, entry.imagePath,
                                         folder.isEmpty() ? QString() : QDir(folder).filePath(entry.pageName)));
            print.bookPages.append({entry.pageName, entry.imagePath, folder.isEmpty() ? QString() : QDir(folder).filePath(entry.pageName),
                                    entry.pagePublishFileName});
        }
        print.openWebsiteFolder = scan.openWebsiteFolder;
    }
    print.bookProgress = [](int done, int total, const QString &pageName) {
        DataCentreFiles::updateProgressBar(done, total, pageName);
    };
    return print;
}

void installPrintingWindowCommands(ActionMap &commands, const DocumentWindowContext &context)
{
    auto session = std::make_shared<PrintingSession>();
    session->context = context;
    const auto hasPage = [session](ActionItemState &) { return session->context.currentDocument() != nullptr; };
    auto add = [&commands, hasPage](const QString &name, std::function<void()> run) {
        commands.add(name, [run = std::move(run)](const ActionItemState &) { run(); }, hasPage);
    };

    add(QStringLiteral("printSheetWithSameLabels"), [session] {
        if (SKTDocument *document = session->context.currentDocument())
            document->askPageToSaveItself();
        session->fresh().printSheetWithSameLabels();
    });
    add(QStringLiteral("printSheetWithDifferentLabels"), [session] {
        if (isEditorInMultiDocMode(session->context))
            session->fresh().printSheetWithDifferentLabels();
    });
    add(QStringLiteral("exportSheetSameLabel"), [session] { session->fresh().exportSheetSameLabel(); });
    add(QStringLiteral("exportSheetDifferentLabels"), [session] { session->fresh().exportSheetDifferentLabels(); });
    add(QStringLiteral("printCard"), [session] { session->fresh().printCard(); });
    add(QStringLiteral("printFrontPage"), [session] { session->fresh().printFrontPage(); });
    add(QStringLiteral("printInsidePage"), [session] { session->fresh().printInsidePage(); });
    add(QStringLiteral("printQuarterFoldCard"), [session] { session->fresh().printQuarterFoldCard(); });
    add(QStringLiteral("printBusinessCard"), [session] {
        PrintOperations &operations = session->fresh();
        operations.printBusinessCard([session] { ResponderChain::send(QStringLiteral("showPrintSinglePopOver")); });
    });
    // The map of the sheet's label spots; its print button prints the label
    // on every spot ticked.
    const auto showSpotMap = [session] {
        const LabelSpotPlan plan = LabelSpotPlan::build(SheetGeometry::fromCurrentLayout(), gPrintScaleDivisor);
        auto *map = new LabelSpotMapDialog(plan, qobject_cast<QWidget *>(session->context.window));
        map->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(map, &LabelSpotMapDialog::printSpots, map, [session](const QList<QPoint> &spots) {
            session->fresh().printSelectedSpots(spots);
        });
        QObject::connect(map, &LabelSpotMapDialog::singleSpot, map, [session](int32_t row, int32_t column, bool print) {
            session->fresh().printOrExportSingleSpot(row, column, print);
        });
        map->open();
    };
    add(QStringLiteral("showPrintSinglePopOver"), showSpotMap);
    // The same map, then the window's canvas pop-over beside it.
    add(QStringLiteral("exportSingleLabelSheet"), [showSpotMap] {
        showSpotMap();
        ResponderChain::send(QStringLiteral("showZovPopOver"));
    });
    add(QStringLiteral("generateTruePDFFile"), [session] { session->fresh().generateTruePDFFile(); });
    add(QStringLiteral("generateTruePDFFileFast"), [session] { session->fresh().generateTruePDFFileFast(); });
    add(QStringLiteral("putTogetherPDFFiles"), [session] { session->fresh().putTogetherPDFFiles(); });
    add(QStringLiteral("printManual"), [session] {
        const PrintContext print = printContextFor(session->context);
        const QString paper = BookPrinter::paperName(print.labelTemplate.paperSize, BookPrinter::currentPaperSegment());
        QObject *window = print.window;
        BookPrinter::printManual(
            print.bookPages, PdfBook::Source::Packages, paper, window,
            [window](const BookResult &result) {
                if (!result.ok)
                    Alerts::inform(QObject::tr("The book could not be printed."), result.errorText, window);
                else if (!result.unreadablePages.isEmpty())
                    Alerts::inform(QObject::tr("Some pages could not be read."),
                                   QObject::tr("These pages were left out: %1").arg(result.unreadablePages.join(", ")),
                                   window);
            },
            print.bookProgress);
    });
    add(QStringLiteral("startPrinting"), [session] {
        // The composed sheet view when one was made, else a sheet of the page.
        const SheetComposition composition =
            session->lastComposition ? *session->lastComposition : session->fresh().composeSheet(true);
        if (!composition.isPrintable()) {
            Alerts::inform(QObject::tr("Nothing was printed."), composition.problemText(), session->context.window);
            return;
        }
        PrintDialogs::startPrinting(composition, SheetGeometry::fromCurrentLayout(), templatePaper(session->context),
                                    session->context.window);
    });
    add(QStringLiteral("printPage"), [session] {
        SKTDocument *document = session->context.currentDocument();
        if (!document)
            return;
        // Drawn afresh at paper resolution rather than at the canvas's.
        const QSizeF paper =
            SheetPainter::pageSizeForPaper(templatePaper(session->context)).size(QPageSize::Inch);
        QImage page = PageDrawing::sharpPage(*document, std::max(paper.width(), paper.height()));
        if (page.isNull())
            page = PagePicture::render(*document, false);
        PrintDialogs::printPage(page, templatePaper(session->context), session->context.window);
    });
    // The toolbar's Print button does what the edition's Print menu item does.
    add(QStringLiteral("printDocument"), [] { ResponderChain::send(PrintOperations::printActionFor(gAppName)); });
    // The window's print preview (kept in the session once a flow shows one) goes
    // away without printing.
    commands.add(QStringLiteral("endPDFPrintSheet"), [session](const ActionItemState &) {
        if (session->preview)
            session->preview->done(1);
    });
}

void registerPrintingCommands()
{
    CommandRegistry::addWindowCommands(QStringLiteral("printing"), [](ActionMap &commands, const DocumentWindowContext &context) {
        installPrintingWindowCommands(commands, context);
    });
}
