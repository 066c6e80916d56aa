#pragma once
// The real program's document window of a print edition, with the print
// dialog answered by printing to a PDF file and the PDFs read back with
// poppler (pdfinfo, pdfimages, pdftoppm).
#include "support/RealProgram.h"

#include "window/ProjectScan.h"
#include "window/ui/SKTWindowController.h"

#include "config/EditionSettings.h"
#include "config/DataCentrePrinting.h"
#include "printing/SheetGeometry.h"
#include "printing/SheetPainter.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace printwindow {

inline QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAll());
}

struct PdfFacts {
    int pages = 0;
    QSizeF points;           // the first page
    double lowestPpi = 0.0;  // of the pictures, 0 when none
    int pictures = 0;
};

inline PdfFacts factsOf(const QString &pdf)
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

// A page of the PDF (1-based) at `dpi`; at 72, one pixel per point.
inline QImage pageImage(const QString &pdf, const QString &stem, int page = 1, int dpi = 72)
{
    const QString number = QString::number(page);
    run("pdftoppm", {"-r", QString::number(dpi), "-f", number, "-l", number, "-singlefile", "-png", pdf, stem});
    return QImage(stem + ".png");
}

// The print catalogue's row of a sheet (the last one so described), null
// when none is; the sheet in force stays as it is.
inline LabelHelperPtr sheetRow(const QString &description)
{
    LabelHelperPtr found;
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels))
        if (row->printDescription == description)
            found = row;
    return found;
}

// The spots of the sheet in force, row by row, in points of the printed paper.
inline QList<QRectF> spotsInPoints(const QString &sheetDescription)
{
    const SheetGeometry geometry = SheetGeometry::fromCurrentLayout();
    const LabelHelperPtr row = sheetRow(sheetDescription);
    const LabelHelper sheet = row ? *row : LabelHelper();
    const SheetPaper paper = SheetPainter::paperFor(geometry, sheet, sheet.paperSize, sheetDescription);
    const double toPoints = 72.0 / geometry.unitsPerInch;
    QList<QRectF> spots;
    for (int32_t r = 0; r < geometry.rows; ++r)
        for (int32_t c = 0; c < geometry.columns; ++c) {
            const QRectF spot = geometry.spotRect(r, c).translated(paper.gridOrigin);
            spots << QRectF(spot.topLeft() * toPoints, spot.size() * toPoints);
        }
    return spots;
}

// How many pixels in area (clipped to the image) match.
template <typename Match>
int matching(const QImage &image, const QRectF &area, Match match)
{
    const QRect r = area.toAlignedRect().intersected(image.rect());
    int hits = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            hits += match(image.pixel(x, y)) ? 1 : 0;
    return hits;
}

// Share of the pixels in area (clipped to the image) that match.
template <typename Match>
double share(const QImage &image, const QRectF &area, Match match)
{
    const QRect r = area.toAlignedRect().intersected(image.rect());
    const qsizetype all = qsizetype(r.width()) * r.height();
    return r.isEmpty() || all == 0 ? 0.0 : double(matching(image, r, match)) / double(all);
}

inline bool isInk(QRgb pixel)
{
    return qGray(pixel) < 235;
}

// The purple of the templates' title bands (#6A3D9A), within tolerance on
// each channel.
inline bool isNearPurple(QRgb pixel, int tolerance)
{
    const QColor c(pixel);
    return std::abs(c.red() - 0x6A) < tolerance && std::abs(c.green() - 0x3D) < tolerance
           && std::abs(c.blue() - 0x9A) < tolerance;
}

inline bool isPurple(QRgb pixel)
{
    return isNearPurple(pixel, 30);
}

inline QImage firstPage(const QString &pdf, const QString &stem)
{
    return pageImage(pdf, stem, 1, 72);
}

// The file names of the pages the window's project lists, in its order.
inline QStringList pageNames(SKTWindowController *window)
{
    QStringList names;
    for (const PageEntry &entry : window->project().scan.siteIconArray)
        names << entry.documentName;
    return names;
}

class PrintWindowTest : public RealProgramTest {
protected:
    // The visible widget of type T the last command opened, waited for a
    // few seconds; null when none shows.
    template <typename T>
    T *shownWidget(int ms = 5000)
    {
        T *shown = nullptr;
        spinUntil([&] {
            for (QWidget *widget : QApplication::allWidgets())
                if (auto *found = qobject_cast<T *>(widget); found && found->isVisible())
                    shown = found;
            return shown != nullptr;
        }, ms);
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
        QFile::remove(pdf);
        // Accepted as its Print button does, its own settings taken over: the
        // "Print to File (PDF)" printer with the file typed in.
        QComboBox *printers = nullptr;
        QLineEdit *file = nullptr;
        for (QComboBox *box : dialog->findChildren<QComboBox *>())
            if (printers == nullptr && box->findText("Print to File (PDF)") >= 0)
                printers = box;
        for (QLineEdit *edit : dialog->findChildren<QLineEdit *>())
            if (edit->objectName() == QLatin1String("filename"))
                file = edit;
        if (printers == nullptr || file == nullptr) {
            *why = "the print dialog offers no PDF printer";
            return false;
        }
        printers->setCurrentIndex(printers->findText("Print to File (PDF)"));
        settleEvents();
        file->setText(pdf);
        dialog->accept();
        if (!spinUntil([&] {
                return QFileInfo(pdf).size() > 0 && !run("pdfinfo", {pdf}).contains("Error");
            }, 20000)) {
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

}  // namespace printwindow

using printwindow::PrintWindowTest;
