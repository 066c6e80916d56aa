#pragma once
// The print and export commands of a document window, without the window:
// the window gathers its pages and current template into a PrintContext and
// forwards its actions here. Questions go through Alerts and FilePanels; the
// printer itself through a SheetPrintTarget the window supplies (the print
// dialog and QPrinter live with the widgets).
#include "config/LabelTemplateHelper.h"
#include "printing/PdfBook.h"
#include "printing/SheetPainter.h"

#include <QImage>
#include <QObject>

#include <functional>

// Prints composed sheets: shows the print dialog over the window and reports
// the painted job (or nothing when the dialog was cancelled).
class SheetPrintTarget {
public:
    virtual ~SheetPrintTarget() = default;
    virtual void printSheets(const SheetComposition &composition, const SheetPaper &paper, QObject *window,
                             std::function<void(const SheetPaintResult &result)> done) = 0;
};

struct PrintContext {
    QList<SheetPage> pages;            // the project's pages in order, each with its cached picture
    QString currentPageName;           // the open page's file name
    std::function<QImage()> renderPage;  // a fresh picture of the open page
    // The open page's drawing, painted at each sheet's resolution.
    std::function<SheetPicture()> pageDrawing;
    LabelTemplateHelper labelTemplate;
    QObject *window = nullptr;
    SheetPrintTarget *printer = nullptr;
    // The project's pages for a book, and the project folder's name.
    QList<BookPage> bookPages;
    QString openWebsiteFolder;
    PdfBook::Progress bookProgress;
    // The open page as a book page (a page not yet in a project makes a book
    // of its own), and a save of it so that its file is current.
    std::function<BookPlan::Page()> openBookPage;
    std::function<void()> saveOpenPage;
    // Paints exported sheets and books on a worker behind the progress window
    // (the window's commands); without it they are painted in line.
    bool useWorker = false;
    // Told of each sheet composition that goes to the printer or a PDF (the
    // window keeps the last as its composed sheet view).
    std::function<void(const SheetComposition &)> composed;
};

class PrintOperations {
public:
    explicit PrintOperations(PrintContext context);

    // The action of the edition's Print menu item, which the toolbar's Print
    // button sends too.
    static QString printActionFor(const QString &edition);

    // A full sheet of the open page, or every page once, from the start spot
    // of Print Settings, turned by the canvas rotation.
    SheetComposition composeSheet(bool sameLabel) const;
    // The paper the composed sheets go on.
    SheetPaper paperForSheets() const;

    void printSheetWithSameLabels() { printComposition(composeSheet(true)); }
    void printSheetWithDifferentLabels() { printComposition(composeSheet(false)); }
    void exportSheetSameLabel() { exportComposition(composeSheet(true)); }
    void exportSheetDifferentLabels() { exportComposition(composeSheet(false)); }

    // Folding cards: the outside, the inside, a quarter fold, and the Print
    // menu's choice between them.
    void printCard();
    void printFrontPage();
    void printInsidePage();
    void printQuarterFoldCard();
    // Business cards: one card on chosen spots, or a full sheet.
    void printBusinessCard(std::function<void()> chooseSpots);

    // The open page on the chosen spots ((column, row), 0-based), unturned
    // on a single spot, turned by the canvas rotation on several.
    void printSelectedSpots(const QList<QPoint> &spots);
    void printOrExportSingleSpot(int32_t row, int32_t column, bool print);

    // Sends a composition to the printer, or says why there is nothing to
    // print; names unreadable pages afterwards. Also writes "card.pdf".
    void printComposition(const SheetComposition &composition);
    // Asks where to save "LabelSheet" and writes the sheets as PDF.
    void exportComposition(const SheetComposition &composition);

    // The project as one PDF book: vectors read from each page's package, the
    // quicker way from the page pictures (both with smaller pictures), or the
    // pictures as they are under the edition's name.
    void generateTruePDFFile() { saveBook(PdfBook::Source::Packages, true, context_.openWebsiteFolder); }
    void generateTruePDFFileFast() { saveBook(PdfBook::Source::Pictures, true, context_.openWebsiteFolder); }
    void putTogetherPDFFiles() { saveBook(PdfBook::Source::Pictures, false, editionName()); }

private:
    static QString editionName();
    void saveBook(PdfBook::Source source, bool reduceSize, const QString &suggestedName);

    SheetPicture currentPagePicture(float rotation) const;
    // Pages with a file are drawn afresh on the sheets.
    void sharpen(QList<SheetPicture> &pictures) const;
    // Runs work on a worker behind the progress window when the context asks for
    // it, else at once; done gets the result on the main thread.
    template <typename Result>
    static void inBackground(bool worker, QObject *window, std::function<Result()> work,
                             std::function<void(Result)> done);

    PrintContext context_;
};
