// Reading stored pages of 1,000, 2,000 and 4,000 graphics (text boxes with
// their body lines, images, lines, a table grid per hundred) back into
// carriers. Beside each read: decoding the same bytes and splitting them into
// lines once, the floor no reader can go below. Prints the medians, the
// growth per doubling (target at most 2.2) and the ratio to the floor.
#include "BenchSummary.h"
#include "document/PageReader.h"
#include "platform/TextCodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

std::map<int, std::vector<double>> gReadSeconds;
std::map<int, std::vector<double>> gFloorSeconds;
std::map<int, QByteArray> gPages;

QString textRule(int n, int z)
{
    return QStringLiteral(
               ".text%1{position:absolute;background-color:#FFEE00;left:%2px;top:%3px;z-index:%4;font-size:14px;"
               "color:#333333;width:200px;height:40px;font-family:\"Times New Roman\";padding:5px;border-style:solid;"
               "border-width:2px;margin:0px;border-color:#000000;text-align:left;border-radius:4px;"
               "-moz-border-radius:4px;fixed:0;shadowOpacity:0.000000;shadowRadius:0.000000;shadowOffSetY:0;"
               "textAlpha:1.000000;indentFlag:0;text-indent:0px;shapeFlag:0;groupNumber:-99;line-height:normal;"
               "tableNumber:-99;tableRowSpot:-99;tableColumnSpot:-99;templateName:;manualLayerIndex:0;linkType:text;"
               "shapeBackgroundColor:#FFEE00;nlines:1;fixedWidthFlag:0;fixedHeightFlag:0;widthBuffer:0;"
               "heightBuffer:0;zoomBubbleFlag:0;bubbleShape:;xsColumnGrid:0;smallColumnGrid:0;mediumColumnGrid:0;"
               "largeColumnGrid:0;shadowBlurRadius:0.000000;shadowDistanceX:0.000000;shadowDistanceY:0.000000;"
               "rotationAngle:0.000000;responsiveResizeFlag:0;responsiveAlignmentFlag:0;sectionNumber:-99;"
               "sectionRowSpot:-99;sectionColumnSpot:-99;markAsReplyFlag:0;onClickShow:;onClickHide:;"
               "topPaddingStr:0;bottomPaddingStr:0;leftPaddingStr:0;rightPaddingStr:0;topMarginStr:0;"
               "bottomMarginStr:0;leftMarginStr:0;rightMarginStr:0;topPaddingTypeStr:pixel;"
               "bottomPaddingTypeStr:pixel;leftPaddingTypeStr:pixel;rightPaddingTypeStr:pixel;"
               "topMarginTypeStr:pixel;bottomMarginTypeStr:pixel;leftMarginTypeStr:pixel;rightMarginTypeStr:pixel;"
               "verticalAlignment:0;}.text%1:hover{color:#FF0000;}\n\n")
        .arg(n)
        .arg((n * 37) % 900)
        .arg(n * 12)
        .arg(z);
}

QString imageRule(int n, int z)
{
    return QStringLiteral(
               ".image%1{position:absolute;left:%2px;top:%3px;z-index:%4;imagename:image%1;imagetype:JPG;"
               "width:200px;height:150px;reflection:0;reflection-fraction:0.000000;border-width:0px;"
               "border-style:none;border-color:#000000;fixed:0;shadowOpacity:0.000000;shadowRadius:0.000000;"
               "shadowOffSetY:0;imageAlpha:1.000000;display:block;retina:1;slideShowNumber:-99;groupNumber:-99;"
               "enlarge:0;galleryNumber:-99;galleryRowSpot:-99;galleryColumnSpot:-99;tableNumber:-99;templateName:;"
               "backdrop:0;manualLayerIndex:0;originalHeight:150;bubbleFlag:0;bubbleShape:;imageMaskFlag:0;"
               "shadowBlurRadius:0.000000;shadowDistanceX:0.000000;shadowDistanceY:0.000000;rotationAngle:0.000000;"
               "responsiveResizeFlag:0;responsiveAlignmentFlag:0;sectionNumber:-99;sectionRowSpot:-99;"
               "sectionColumnSpot:-99;topPaddingStr:0;bottomPaddingStr:0;leftPaddingStr:0;rightPaddingStr:0;"
               "topMarginStr:0;bottomMarginStr:0;leftMarginStr:0;rightMarginStr:0;topPaddingTypeStr:%;"
               "bottomPaddingTypeStr:%;leftPaddingTypeStr:%;rightPaddingTypeStr:%;topMarginTypeStr:%;"
               "bottomMarginTypeStr:%;leftMarginTypeStr:%;rightMarginTypeStr:%;}\n\n")
        .arg(n)
        .arg((n * 53) % 900)
        .arg(n * 9)
        .arg(z);
}

// A page of `count` graphics: six texts, three images and one line in ten.
QByteArray syntheticPage(int count)
{
    QString head = QStringLiteral("<!DOCTYPE html>\n<html><head>\n"
                                  "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\"/> \n"
                                  "<style type=text/css>\n");
    QString body = QStringLiteral("</style></head>\n<body>\n<body bgcolor=#FFFFFF>\n<div id=content>\n");
    int texts = 0, images = 0, lines = 0;
    for (int i = 0; i < count; ++i) {
        const int kind = i % 10;
        if (kind < 6) {
            head += textRule(texts, i);
            body += QStringLiteral("<div class=text%1>Paragraph %1 with &amp; and<br>a second line</div>\n").arg(texts);
            ++texts;
        } else if (kind < 9) {
            head += imageRule(images, i);
            body += QStringLiteral("<div class=image%1 ><a href=http://example.org/%1 target=_blank>"
                                   "<img src=\"page/image%1.JPG\" title=\"Picture %1\"></a></div>\n")
                        .arg(images);
            ++images;
        } else {
            head += QStringLiteral(".line%1{position:absolute;lineOriginX:0;lineOriginY:%2;lineEndX:300;lineEndY:%2;"
                                   "z-index:%3;fixed:0;lineAlpha:1.000000;border-style:solid;border-width:2px;"
                                   "border-color:#FF0000;groupNumber:-99;shadowFlag:0;templateName:;"
                                   "manualLayerIndex:0;drawBeginArrow:0;drawEndArrow:1;}\n")
                        .arg(lines)
                        .arg(i * 3)
                        .arg(i);
            ++lines;
        }
    }
    body += QStringLiteral("</div></body></html>\n<!--PAGETITLESTART==Bench==PAGETITLEEND-->\n");
    return TextCodec::encodePageText(head + body);
}

using benchsummary::median;

void BM_ReadPage(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QByteArray &bytes = gPages[count];
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        PageReadInput input;
        input.pageText = TextCodec::decodePageText(bytes);
        input.pageName = QStringLiteral("index");
        input.pageFilePath = QStringLiteral("/nonexistent-zov-bench/page.html");
        input.loadPictures = false;
        const PageReadResult result = PageReader::read(std::move(input));
        benchmark::DoNotOptimize(result.carriers.size());
        gReadSeconds[count].push_back(timer.nsecsElapsed() / 1e9);
        if (result.carriers.size() != count)
            state.SkipWithError("the page did not read whole");
    }
}

void BM_DecodeAndSplit(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QByteArray &bytes = gPages[count];
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const QStringList lines = TextCodec::decodePageText(bytes).split(QLatin1Char('\n'));
        benchmark::DoNotOptimize(lines.size());
        gFloorSeconds[count].push_back(timer.nsecsElapsed() / 1e9);
    }
}

BENCHMARK(BM_ReadPage)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(9)->UseRealTime();
BENCHMARK(BM_DecodeAndSplit)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(9)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (int count : {1000, 2000, 4000})
        gPages[count] = syntheticPage(count);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nReading a page of N graphics (median of runs)\n");
    std::printf("%8s %12s %14s %10s %12s\n", "N", "read ms", "decode+split", "read/floor", "per doubling");
    double previous = 0.0;
    bool met = true;
    for (int count : {1000, 2000, 4000}) {
        const double read = median(gReadSeconds[count]);
        const double floor = median(gFloorSeconds[count]);
        char growth[32] = "-";
        if (previous > 0) {
            std::snprintf(growth, sizeof growth, "%.2f", read / previous);
            met = met && read / previous <= 2.2;
        }
        std::printf("%8d %12.2f %14.2f %10.1f %12s\n", count, read * 1000, floor * 1000, floor > 0 ? read / floor : 0.0,
                    growth);
        previous = read;
    }
    std::printf("target: at most 2.2 per doubling: %s\n", benchsummary::verdict(met));
    return 0;
}
