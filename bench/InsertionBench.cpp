// Every insertion maker run once and undone on pages of 1,000 and 5,000
// graphics (in a responsive edition, with sections, so that section look-ups
// and pushes take part). One figure per maker: the median of insert + undo.
// Target: under 16 ms at 5,000 graphics, and at most 5.5 times the 1,000 figure.
#include "BenchSummary.h"
#include "config/EditionSettings.h"
#include "config/ShapeSelectionView.h"
#include "document/SKTDocument.h"
#include "insertion/ImageFactory.h"
#include "insertion/InsertionContext.h"
#include "insertion/LineMaker.h"
#include "insertion/ObjectMakers.h"
#include "insertion/PalettePresets.h"
#include "insertion/SavedTextStore.h"
#include "insertion/TextBoxFactory.h"
#include "insertion/TextCommands.h"
#include "insertion/ZoomBubbleMaker.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {
QTemporaryDir *gFolder = nullptr;
std::map<std::string, std::map<int, std::vector<double>>> gTimes;

class BenchContext : public InsertionContext {
public:
    explicit BenchContext(SKTDocument &doc) : doc(doc) {}
    SKTDocument &document() override { return doc; }
    std::optional<QPointF> visibleOrigin() const override { return QPointF(0, 0); }
    QList<SKTGraphic *> selectedGraphics() const override { return selection; }
    QPointF lastTouchPoint() const override { return {}; }
    InsertionSelectionCache &cache() override { return selectionCache; }
    Alerts &alerts() override { return Alerts::current(); }
    FilePanels &filePanels() override { return FilePanels::current(); }
    SavedTextStore &savedTexts() override { return store; }
    SKTDocument &doc;
    QList<SKTGraphic *> selection;
    InsertionSelectionCache selectionCache;
    SavedTextStore store;
};

std::shared_ptr<SKTTable> section(int32_t number, double y)
{
    auto table = std::make_shared<SKTTable>();
    QList<std::shared_ptr<myTextView>> cells;
    for (int c = 0; c < 2; ++c) {
        auto cell = std::make_shared<myTextView>();
        cell->columnSpot = c;
        cell->width = 600;
        cell->height = 600;
        cell->sectionNumber = number;
        cells.append(cell);
    }
    table->setCellHelperArray(cells);
    table->setNumOfRows(1);
    table->setNumOfColumns(2);
    table->setGridType(QStringLiteral("section"));
    table->setSectionNumber(number);
    table->SKTGraphic::setBounds(QRectF(0, y, 1200, 600));
    return table;
}

struct Page {
    explicit Page(int count) : context(doc)
    {
        doc.pageName = QStringLiteral("bench");
        doc.tempSavePathLocal = gFolder->path();
        doc.undoManager().disableUndoRegistration();
        const int sections = 20;
        for (int s = 0; s < sections; ++s)
            doc.insertGraphicAtIndex(section(s + 1, s * 600.0), doc.graphics().size());
        for (int i = 0; i < count - sections; ++i) {
            auto text = std::make_shared<SKTText>();
            text->setTextType(QStringLiteral("Text"));
            text->setTextString(QStringLiteral("Text %1").arg(i));
            const int s = i % sections;
            text->setBounds(QRectF((i % 2) * 600 + 10, s * 600.0 + 10 + (i / sections % 50) * 11, 100, 10));
            text->setSectionNumber(s + 1);
            text->setSectionColumnSpot(i % 2);
            text->setGroupNumber(i % 7);
            doc.insertGraphicAtIndex(text, i % 3 == 0 ? 0 : doc.graphics().size());
        }
        picture = std::make_shared<SKTImage>();
        QImage pic(64, 48, QImage::Format_RGB32);
        pic.fill(Qt::darkCyan);
        picture->setInputImage(pic);
        picture->setContents(pic);
        picture->setBounds({700, 40, 64, 48});
        picture->setImageName(QStringLiteral("image1"));
        bubble = std::make_shared<SKTText>();
        bubble->setBounds({710, 50, 20, 20});
        bubble->setZoomBubbleFlag(1);
        source = std::make_shared<SKTText>();
        source->setBounds({300, 300, 100, 50});
        doc.insertGraphicAtIndex(picture, 0);
        doc.insertGraphicAtIndex(bubble, 0);
        doc.insertGraphicAtIndex(source, 0);
        doc.undoManager().enableUndoRegistration();
    }
    SKTDocument doc;
    BenchContext context;
    std::shared_ptr<SKTImage> picture;
    std::shared_ptr<SKTText> bubble, source;
};

using Maker = std::function<void(InsertionFrame &, Page &)>;

void runMaker(benchmark::State &state, const std::string &name, const Maker &maker)
{
    Page page(int(state.range(0)));
    InsertionFrame frame(page.context);
    std::vector<double> &times = gTimes[name][int(state.range(0))];
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        maker(frame, page);
        page.doc.undoManager().undo();
        times.push_back(timer.nsecsElapsed() / 1e6);
        state.PauseTiming();
        // Originals stay while an undo step may need them; the bench clears them.
        for (const QString &file : QDir(page.doc.pageFolderPath()).entryList(QDir::Files))
            QFile::remove(QDir(page.doc.pageFolderPath()).filePath(file));
        page.doc.issuedImageNames.clear();
        state.ResumeTiming();
    }
}

void registerMakers()
{
    const std::vector<std::pair<std::string, Maker>> makers = {
        {"addLine", [](InsertionFrame &f, Page &) { LineMaker(f).addLine(); }},
        {"branches (5)", [](InsertionFrame &f, Page &p) {
             p.context.selection = {p.source.get()};
             LineMaker(f).addMultipleShapesSelected({});
         }},
        {"personalisation tag", [](InsertionFrame &f, Page &) { ObjectMakers(f).addPersonTagCommand("[EMAIL]"); }},
        {"full address", [](InsertionFrame &f, Page &) { ObjectMakers(f).addPerson_FullAddress(); }},
        {"profile card (image)", [](InsertionFrame &f, Page &) { ObjectMakers(f).addIndividual_drag({620, 100}); }},
        {"credit badge (image)", [](InsertionFrame &f, Page &) { ObjectMakers(f).addZovLink_drag({620, 100}); }},
        {"gallery", [](InsertionFrame &f, Page &) { ObjectMakers(f).addImageGallery_drag({620, 100}); }},
        {"enlargeable photo", [](InsertionFrame &f, Page &) { ObjectMakers(f).addEnlargeablePhoto_drag({20, 700}); }},
        {"preset shape", [](InsertionFrame &f, Page &) { ObjectMakers(f).addNewShape(0); }},
        {"preset text box", [](InsertionFrame &f, Page &) { ObjectMakers(f).addNewSelectedTextView(0); }},
        {"snippet", [](InsertionFrame &f, Page &) { TextBoxFactory(f).addSnippet_drag("<b>x</b>", {5, 5, 50, 50}); }},
        {"zoom bubble (image)", [](InsertionFrame &f, Page &p) {
             p.context.selection = {p.bubble.get()};
             ZoomBubbleMaker(f).createZoomBubble();
         }},
        {"image factory (image)", [](InsertionFrame &f, Page &p) {
             ImageInsertion in;
             in.picture = p.picture->contents();
             in.type = QStringLiteral("PNG");
             in.point = {620, 1210};
             in.pixelSize = in.picture.size();
             in.displaySize = in.pixelSize;
             in.frame = QRectF(in.point, in.displaySize);
             ImageFactory(f).addImageIntoArray(in);
         }},
        {"saved text", [](InsertionFrame &f, Page &p) {
             p.context.selection = {p.source.get()};
             TextCommands t(f);
             t.savedTextShown();
             t.pullFromSavedText("more");
         }},
    };
    for (const auto &[name, maker] : makers) {
        benchmark::RegisterBenchmark(name.c_str(), [name, maker](benchmark::State &s) { runMaker(s, name, maker); })
            ->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(30);
    }
    for (const QString &code : PalettePresets::shared().codes()) {
        const std::string name = "preset " + code.toStdString();
        benchmark::RegisterBenchmark(name.c_str(), [name, code](benchmark::State &s) {
            runMaker(s, name, [code](InsertionFrame &f, Page &) { PalettePresets::shared().insert(f, code, {620, 30}, 1.0); });
        })->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(30);
    }
}

using benchsummary::median;
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;
    gFolder = &folder;
    UserDefaults::setStandardFilePath(folder.filePath("defaults.ini"));
    EditionSettings::resetToInitialState();
    gResponsiveEdition = true;
    gNewObjectSize = 15;
    gCanvasWidth = 1200;
    gCanvasMaxHeight = 3000;
    ShapeSelectionView shape(QRectF(0, 0, 70, 70));
    shape.fillColor = Qt::red;
    gPresetShapes = {shape};
    ShapeSelectionView style(QRectF(0, 0, 400, 42));
    style.fillColor = Qt::blue;
    gPresetTextStyles = {style};
    benchmark::Initialize(&argc, argv);
    registerMakers();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\ninsert + undo, median ms (target: under 16 ms at 5,000 graphics, growth at most 5.5x)\n");
    std::printf("%-48s %10s %10s %7s  %s\n", "maker", "1,000", "5,000", "ratio", "");
    bool allMet = true;
    for (const auto &[name, bySize] : gTimes) {
        const auto small = bySize.find(1000);
        const auto large = bySize.find(5000);
        if (small == bySize.end() || large == bySize.end())
            continue;
        const double a = median(small->second);
        const double b = median(large->second);
        const double ratio = a > 0 ? b / a : 0;
        const bool met = b < 16.0 && ratio <= 5.5;
        allMet = allMet && met;
        std::printf("%-48s %10.3f %10.3f %7.2f  %s\n", name.c_str(), a, b, ratio, benchsummary::verdict(met));
    }
    std::printf("every maker: %s\n", benchsummary::verdict(allMet));
    UserDefaults::setStandardFilePath({});
    return 0;
}
