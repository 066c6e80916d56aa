// Generates published responsive pages of 100, 1,000 and 5,000 graphics, in
// sections of twenty (two columns of ten), as the Bootstrap page and as the
// e-mail page, and compares each median with the floor: appending as many
// characters to one string. Target: generation grows linearly, at most 5.5
// times from 1,000 to 5,000 graphics.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

#include "PageBench.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

std::shared_ptr<SKTTable> section(double y)
{
    auto t = std::make_shared<SKTTable>();
    t->setGridType(QStringLiteral("section"));
    t->setNumOfRows(1);
    t->setNumOfColumns(2);
    QList<SKTTable::Cell> cells;
    for (int c = 0; c < 2; ++c) {
        auto cell = std::make_shared<myTextView>();
        cell->rowSpot = 0;
        cell->columnSpot = c;
        cell->width = 600;
        cell->height = 600;
        cell->xsGridColumns = 12;
        cell->smallGridColumns = 6;
        cell->mediumGridColumns = 6;
        cell->largeGridColumns = 6;
        cell->backgroundHexColorString = QStringLiteral("FFFFFF");
        cells << cell;
    }
    t->setCellHelperArray(cells);
    t->setBounds(QRectF(0, y, 1200, 600));
    return t;
}

// count graphics of content (texts, snippets and images in turn) and a
// section for every twenty.
std::unique_ptr<SKTDocument> makePage(int count)
{
    auto doc = pagebench::emptyPage();
    for (int s = 0; s < count / 20; ++s)
        doc->insertGraphic(section(s * 620.0));
    for (int i = 0; i < count; ++i) {
        const int s = i / 20;
        const int k = i % 20;
        const QRectF bounds((k % 2) * 600.0 + 20, s * 620.0 + (k / 2) * 58.0 + 4, 560, 50);
        if (i % 3 == 2) {
            doc->insertGraphic(pagebench::image(bounds, i, i + 1));
        } else {
            doc->insertGraphic(
                pagebench::text(bounds, i, i % 3 == 0 ? QStringLiteral("Text") : QStringLiteral("HTMLSnippet")));
        }
    }
    return doc;
}

std::map<std::string, qsizetype> pageLength;

void generate(benchmark::State &state, bool email)
{
    const int count = int(state.range(0));
    gResponsiveEdition = true;
    gResponsiveEmailEdition = email;
    auto doc = makePage(count);
    for (auto _ : state) {
        const QString page = doc->generateSourceCode(doc->pageName, true, false);
        benchmark::DoNotOptimize(page.constData());
        pageLength[(email ? "email/" : "web/") + std::to_string(count)] = page.size();
    }
    gResponsiveEmailEdition = false;
}

void generateWeb(benchmark::State &state) { generate(state, false); }
void generateEmail(benchmark::State &state) { generate(state, true); }

// The floor: as many characters as the web page, written once.
void appendFloor(benchmark::State &state)
{
    const int count = int(state.range(0));
    const std::string key = "web/" + std::to_string(count);
    const qsizetype length = pageLength.count(key) ? pageLength[key] : qsizetype(count) * 1500;
    pagebench::writeOnce(state, length);
}

} // namespace

int main(int argc, char **argv)
{
    const auto app = pagebench::start(argc, argv);

    const int sizes[] = {100, 1000, 5000};
    for (int n : sizes) {
        pagebench::registerTimed("responsive", generateWeb, n);
        pagebench::registerTimed("email", generateEmail, n);
        pagebench::registerTimed("floor", appendFloor, n);
    }
    pagebench::MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-10s %14s %12s %12s %10s %12s\n", "graphics", "responsive ms", "e-mail ms", "floor ms", "ratio",
                "page chars");
    for (int n : sizes) {
        const std::string a = "/" + std::to_string(n);
        const double r = reporter.medians["responsive" + a];
        const double e = reporter.medians["email" + a];
        const double f = reporter.medians["floor" + a];
        std::printf("%-10d %14.3f %12.3f %12.3f %9.1fx %12lld\n", n, r, e, f, f > 0 ? r / f : 0.0,
                    static_cast<long long>(pageLength["web" + a]));
    }
    const double r1 = reporter.medians["responsive/1000"], r5 = reporter.medians["responsive/5000"];
    const double e1 = reporter.medians["email/1000"], e5 = reporter.medians["email/5000"];
    const double rg = r1 > 0 ? r5 / r1 : 0.0, eg = e1 > 0 ? e5 / e1 : 0.0;
    std::printf("\ngrowth 1,000 -> 5,000 graphics: responsive %.2fx, e-mail %.2fx (target: at most 5.5x: %s)\n", rg, eg,
                benchsummary::verdict(rg > 0 && eg > 0 && rg <= 5.5 && eg <= 5.5));
    return 0;
}
