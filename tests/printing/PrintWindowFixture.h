#pragma once
// The print editions' document windows as a person reaches them, and their
// PDFs read back with poppler: page count and size (pdfinfo), the pictures'
// resolution (pdfimages -list) and pages as pixels (pdftoppm).
#include "support/RealProgram.h"

#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

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
    QSizeF points;       // the first page
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

// The first page at 72 dpi: one pixel per point.
inline QImage firstPage(const QString &pdf, const QString &stem)
{
    run("pdftoppm", {"-r", "72", "-f", "1", "-l", "1", "-singlefile", "-png", pdf, stem});
    return QImage(stem + ".png");
}

class PrintWindowTest : public RealProgramTest {
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

}  // namespace printwindow
