// A project as one PDF: pages in order without the base template, from
// pictures or from each page's package read on its own.
#include "document/DocumentFixture.h"
#include "config/DataCentre.h"
#include "config/DataCentrePrinting.h"
#include "printing/PdfBook.h"
#include "printing/ui/BookPrinter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QThread>
#include <QWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>

#include <atomic>
#include <optional>
#include <thread>

namespace {

QString tool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList pageSizes(const QString &pdf)
{
    QStringList sizes;
    const QString info = tool("pdfinfo", {"-f", "1", "-l", "20", pdf});
    const QRegularExpression size("Page +\\d+ size: +([0-9.]+ x [0-9.]+) pts");
    for (auto it = size.globalMatch(info); it.hasNext();)
        sizes << it.next().captured(1);
    return sizes;
}

QImage page72(const QString &pdf, int page, const QString &prefix)
{
    tool("pdftoppm", {"-r", "72", "-f", QString::number(page), "-l", QString::number(page), "-singlefile", "-png",
                      pdf, prefix});
    return QImage(prefix + ".png");
}

// Pictures are stored as JPEG: colours come back a step off.
::testing::AssertionResult looksLike(const QColor &seen, Qt::GlobalColor expected)
{
    const QColor want(expected);
    if (std::abs(seen.red() - want.red()) < 8 && std::abs(seen.green() - want.green()) < 8
        && std::abs(seen.blue() - want.blue()) < 8)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << seen.name().toStdString() << " is not " << want.name().toStdString();
}

class PdfBookTest : public DocumentTest {
protected:
    QString picture(const QString &name, QSize size, QColor colour, QImage::Format format = QImage::Format_RGB32)
    {
        QImage image(size, format);
        image.fill(colour);
        const QString file = path(name);
        EXPECT_TRUE(image.save(file));
        return file;
    }
};

TEST_F(PdfBookTest, PicturesMakeOnePagePerPageInOrderWithoutTheBaseTemplate)
{
    const QList<BookPage> project = {
        {"base", picture("base.png", {50, 50}, Qt::black), {}, "basetemplate.html"},
        {"one", picture("one.png", {200, 100}, Qt::red), {}, "one.html"},
        {"lost", path("nowhere.png"), {}, "lost.html"},
        {"two", picture("two.png", {120, 300}, Qt::blue), {}, "two.html"},
    };
    QStringList progress;
    const QString book = PdfBook::withPdfExtension(path("book"));
    EXPECT_TRUE(book.endsWith("book.PDF"));
    const BookResult result = PdfBook::write(book, project, PdfBook::Source::Pictures, {},
                                             [&](int done, int total, const QString &name) {
                                                 progress << QString("%1/%2 %3").arg(done).arg(total).arg(name);
                                             });
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    EXPECT_EQ(result.pages, 2);
    EXPECT_EQ(result.unreadablePages, QStringList{"lost"});
    EXPECT_EQ(progress.last(), "4/4 ");
    EXPECT_EQ(pageSizes(book), (QStringList{"200 x 100", "120 x 300"}));
    EXPECT_TRUE(looksLike(page72(book, 1, path("p1")).pixelColor(100, 50), Qt::red));
    EXPECT_TRUE(looksLike(page72(book, 2, path("p2")).pixelColor(60, 150), Qt::blue));
    EXPECT_EQ(PdfBook::withPdfExtension("/x/named.pdf"), "/x/named.pdf");
}

TEST_F(PdfBookTest, PackagesAreReadOnTheirOwnAndDrawnAsVectors)
{
    gCanvasWidth = 600;
    gCanvasMaxHeight = 400;
    QList<BookPage> project;
    for (const char *name : {"first", "second"}) {
        auto page = newPage(name);
        page->insertGraphics({makeText({40, 30, 300, 60}, QString("Words of the %1 page").arg(name))}, {0});
        ++page->documentChangedCounter;
        const QString package = packagePath(name);
        ASSERT_TRUE(page->saveThisPage(package, false)) << page->lastSaveError.toStdString();
        project.append({name, {}, package, QString(name) + ".html"});
    }
    const QString book = path("vector.pdf");
    const BookResult result = PdfBook::write(book, project, PdfBook::Source::Packages);
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    EXPECT_EQ(result.pages, 2);
    EXPECT_EQ(pageSizes(book), (QStringList{"600 x 400", "600 x 400"}));
    // Text stays text: it can be read back out of the file.
    EXPECT_TRUE(tool("pdftotext", {"-f", "2", "-l", "2", book, "-"}).contains("Words of the second page"));
    EXPECT_FALSE(tool("pdftotext", {"-f", "1", "-l", "1", book, "-"}).contains("second"));
    QFile raw(book);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll().count("/Subtype /Image"), 0);
}

TEST_F(PdfBookTest, PrintedPagesAreScaledToFitThePaperAndCentred)
{
    const QList<BookPage> project = {{"wide", picture("wide.png", {600, 400}, Qt::red), {}, "w.html"},
                                     {"tall", picture("tall.png", {300, 1200}, Qt::blue), {}, "t.html"}};
    const QString pdf = path("printed.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(72);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        const BookResult result = PdfBook::paintFitted(painter, writer, project, PdfBook::Source::Pictures);
        EXPECT_EQ(result.pages, 2);
    }
    EXPECT_EQ(pageSizes(pdf), (QStringList{"612 x 792", "612 x 792"}));
    // 600 x 400 at 1.02: 612 x 408, from y 192 to 600.
    const QImage wide = page72(pdf, 1, path("w"));
    EXPECT_TRUE(looksLike(wide.pixelColor(306, 396), Qt::red));
    EXPECT_TRUE(looksLike(wide.pixelColor(306, 185), Qt::white));
    EXPECT_TRUE(looksLike(wide.pixelColor(306, 605), Qt::white));
    // 300 x 1200 at 0.66: 198 wide, from x 207 to 405.
    const QImage tall = page72(pdf, 2, path("t"));
    EXPECT_TRUE(looksLike(tall.pixelColor(306, 396), Qt::blue));
    EXPECT_TRUE(looksLike(tall.pixelColor(200, 396), Qt::white));
    EXPECT_TRUE(looksLike(tall.pixelColor(412, 396), Qt::white));
}

TEST_F(PdfBookTest, ReducedPicturesAreJpegAndFailuresKeepTheOldFile)
{
    // An opaque picture in an alpha format is stored as JPEG once reduced.
    const QList<BookPage> project = {
        {"photo", picture("photo.png", {400, 300}, QColor(10, 120, 200), QImage::Format_ARGB32), {}, "p.html"}};
    const QString reduced = path("reduced.pdf");
    ASSERT_TRUE(PdfBook::write(reduced, project, PdfBook::Source::Pictures, {true, 150}).ok);
    QFile raw(reduced);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_TRUE(raw.readAll().contains("/DCTDecode"));

    QFile old(path("old.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old book");
    old.close();
    const BookResult nothing = PdfBook::write(path("old.pdf"), {{"gone", path("gone.png"), {}, "g.html"}},
                                              PdfBook::Source::Pictures);
    EXPECT_FALSE(nothing.ok);
    EXPECT_EQ(readAll(path("old.pdf")), "old book");
    const BookResult unwritable =
        PdfBook::write(path("missing folder/book.pdf"), project, PdfBook::Source::Pictures);
    EXPECT_FALSE(unwritable.ok);
    EXPECT_TRUE(unwritable.errorText.contains("missing folder")) << unwritable.errorText.toStdString();
}

// The window reads the packages on the main thread and paints the book on a
// worker: the plan carries the page documents across, and a package that
// cannot be read is named, not painted.
TEST_F(PdfBookTest, APlanGatheredOnTheMainThreadIsPaintedOnAWorker)
{
    gCanvasWidth = 500;
    gCanvasMaxHeight = 300;
    QList<BookPage> project;
    for (const char *name : {"alpha", "beta"}) {
        auto page = newPage(name);
        page->insertGraphics({makeText({20, 20, 300, 60}, QString("Text on %1").arg(name))}, {0});
        ++page->documentChangedCounter;
        const QString package = packagePath(name);
        ASSERT_TRUE(page->saveThisPage(package, false)) << page->lastSaveError.toStdString();
        project.append({name, {}, package, QString(name) + ".html"});
    }
    project.insert(1, {"broken", {}, path("broken.zovweb"), "broken.html"});
    alerts.answer(QStringLiteral("Dismiss"));

    const BookPlan plan = PdfBook::plan(project, PdfBook::Source::Packages);
    ASSERT_EQ(plan.pages.size(), 3);
    EXPECT_EQ(plan.total, 3);
    EXPECT_FALSE(plan.pages.at(1).readable);

    const QString book = path("worker.pdf");
    BookResult result;
    QStringList progress;
    std::thread worker([&] {
        result = PdfBook::write(book, plan, {}, [&](int done, int total, const QString &name) {
            progress << QString("%1/%2 %3").arg(done).arg(total).arg(name);
        });
    });
    worker.join();
    ASSERT_TRUE(result.ok) << result.errorText.toStdString();
    EXPECT_EQ(result.pages, 2);
    EXPECT_EQ(result.unreadablePages, QStringList{"broken"});
    EXPECT_EQ(progress, (QStringList{"0/3 alpha", "1/3 broken", "2/3 beta", "3/3 "}));
    EXPECT_EQ(pageSizes(book), (QStringList{"500 x 300", "500 x 300"}));
    EXPECT_TRUE(tool("pdftotext", {"-f", "2", "-l", "2", book, "-"}).contains("Text on beta"));
}

// printManual: the paper is the template's, else the window's letter/A4
// choice (which picked the print sheet); after the print dialog the packages
// are read on the main thread and painted on a worker, vectors on the paper.
TEST_F(PdfBookTest, PrintManualTakesTheWindowsPaperAndPaintsOnAWorker)
{
    DataCentre::loadPrintLabels();
    const auto choose = [](const char *paper) {
        DataCentrePrinting::resetPrintCanvas(DataCentrePrinting::grabLabelHelperBasedOnSelection(10, paper));
    };
    gPaperSizeOption = true;
    choose("A4");
    EXPECT_EQ(BookPrinter::currentPaperSegment(), 1);
    EXPECT_EQ(BookPrinter::paperName({}, BookPrinter::currentPaperSegment()), "A4");
    EXPECT_EQ(BookPrinter::paperName("na-legal", BookPrinter::currentPaperSegment()), "na-legal");
    choose("na-letter");
    EXPECT_EQ(BookPrinter::currentPaperSegment(), 0);
    EXPECT_EQ(BookPrinter::paperName({}, BookPrinter::currentPaperSegment()), "na-letter");
    // Without the choice in the edition, letter.
    choose("A4");
    gPaperSizeOption = false;
    EXPECT_EQ(BookPrinter::currentPaperSegment(), 0);
    gPrintLabels.clear();

    gCanvasWidth = 600;
    gCanvasMaxHeight = 400;
    QList<BookPage> project;
    for (const char *name : {"front", "back"}) {
        auto page = newPage(name);
        page->insertGraphics({makeText({40, 30, 300, 60}, QString("Printed %1 words").arg(name))}, {0});
        ++page->documentChangedCounter;
        const QString package = packagePath(name);
        ASSERT_TRUE(page->saveThisPage(package, false)) << page->lastSaveError.toStdString();
        project.append({name, {}, package, QString(name) + ".html"});
    }

    QWidget window;
    window.show();
    std::optional<BookResult> result;
    std::atomic<bool> paintedOnWorker = false;
    QThread *const main = QThread::currentThread();
    BookPrinter::printManual(
        project, PdfBook::Source::Packages, "A4", &window, [&](const BookResult &r) { result = r; },
        [&](int, int, const QString &) { paintedOnWorker = QThread::currentThread() != main; });
    auto *dialog = window.findChild<QPrintDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    EXPECT_EQ(dialog->printer()->pageLayout().pageSize().id(), QPageSize::A4);
    const QString pdf = path("manual.pdf");
    dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog->printer()->setOutputFileName(pdf);
    dialog->done(QDialog::Accepted);
    QDeadlineTimer deadline(20000);
    while (!result && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(result.has_value());
    ASSERT_TRUE(result->ok) << result->errorText.toStdString();
    EXPECT_EQ(result->pages, 2);
    EXPECT_TRUE(paintedOnWorker);
    EXPECT_EQ(pageSizes(pdf), (QStringList{"595 x 842", "595 x 842"}));
    EXPECT_TRUE(tool("pdftotext", {"-f", "2", "-l", "2", pdf, "-"}).contains("Printed back words"));
}

}  // namespace
