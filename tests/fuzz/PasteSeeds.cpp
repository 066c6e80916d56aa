// Writes the seed corpus of fuzz_paste: one clipboard payload per kind of
// graphic, made by loading element carriers as a page would and copying the
// graphics as the canvas does, so the seeds hold tables with cells and
// pictures, galleries with pictures and slideshows with slides.
// Usage: fuzz_paste_seeds <corpus folder>
#include "FuzzApplication.h"

#include "config/EditionSettings.h"
#include "model/GalleryGridView.h"
#include "model/GraphicFactory.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/SKTGraphic.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>

namespace {
using Carriers = QList<std::shared_ptr<ElementCarrier>>;

QImage picture(QColor colour)
{
    QImage image(4, 3, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

std::shared_ptr<TransformView> image(const QString &name, QColor colour)
{
    auto t = std::make_shared<TransformView>(QRectF(10, 10, 40, 30));
    t->imageName = name;
    t->imageType = QStringLiteral("PNG");
    t->image = picture(colour);
    t->originalWidth = 4;
    t->originalHeight = 3;
    t->alpha = 1.0f;
    t->reflection = 0.25f;
    t->shadowRadius = 3.0f;
    t->borderWidth = 1;
    t->borderStyle = QStringLiteral("solid");
    for (int32_t *number : {&t->slideShowNumber, &t->tableNumber, &t->galleryNumber, &t->groupNumber,
                            &t->sectionNumber, &t->rowSpot, &t->columnSpot})
        *number = -99;
    return t;
}

std::shared_ptr<myTextView> text(const QString &string, int32_t tableNumber, int32_t row, int32_t column)
{
    auto t = std::make_shared<myTextView>(QRectF(20, 30, 120, 40));
    t->textView.string = string;
    t->textView.fontPointSize = 14;
    t->textView.borderLine = QStringLiteral("dashed");
    t->familyName = QStringLiteral("DejaVu Sans");
    t->textColorString = QStringLiteral("202020");
    t->backgroundHexColorString = QStringLiteral("FFEECC");
    t->borderWidth = 2;
    t->cornerRadius = 4;
    t->lineSpacing = 1.25f;
    t->shadowRadius = 2.0f;
    t->shadowHorizontalOffset = 1.0f;
    t->shadowVerticalOffset = 1.0f;
    t->tableNumber = tableNumber;
    t->rowSpot = row;
    t->columnSpot = column;
    t->width = 60;
    t->height = 24;
    t->fontSize = 12;
    t->groupNumber = -99;
    t->sectionNumber = -99;
    return t;
}

Carriers textPage()
{
    return {text(QStringLiteral("Hello\tpage\nsecond line"), -99, -99, -99)};
}

Carriers imagePage()
{
    return {image(QStringLiteral("image1"), Qt::red)};
}

Carriers linePage()
{
    auto line = std::make_shared<LineView>();
    line->beginPoint = QPointF(10, 80);
    line->endPoint = QPointF(150, 20);
    line->drawEndArrow = true;
    line->borderWidth = 3;
    line->borderStyle = QStringLiteral("dotted");
    line->borderHexColorString = QStringLiteral("0000FF");
    return {line};
}

Carriers tablePage()
{
    auto table = std::make_shared<TableGridView>(QRectF(10, 10, 200, 80));
    table->tableNumber = 7;
    table->numOfRows = 2;
    table->numOfColumns = 3;
    table->padding = 2;
    table->borderWidth = 1;
    table->gridType = QStringLiteral("table");
    Carriers page{table};
    for (int32_t r = 0; r < 2; ++r)
        for (int32_t c = 0; c < 3; ++c)
            page.append(text(QStringLiteral("cell %1,%2").arg(r).arg(c), 7, r, c));
    auto inCell = image(QStringLiteral("image3"), Qt::blue);
    inCell->tableNumber = 7;
    inCell->rowSpot = 1;
    inCell->columnSpot = 2;
    page.append(inCell);
    auto background = image(QStringLiteral("image4"), Qt::yellow);
    background->tableNumber = 7;
    page.append(background);
    return page;
}

Carriers galleryPage()
{
    auto gallery = std::make_shared<GalleryGridView>(QRectF(10, 10, 240, 160));
    gallery->galleryNumber = 3;
    gallery->numOfRows = 2;
    gallery->numOfColumns = 2;
    gallery->padding = 5;
    Carriers page{gallery};
    for (int32_t i = 0; i < 3; ++i) {
        auto member = image(QStringLiteral("image%1").arg(10 + i), QColor(40 * i, 200, 90));
        member->galleryNumber = 3;
        member->slideShowNumber = -66;
        member->rowSpot = i / 2;
        member->columnSpot = i % 2;
        page.append(member);
    }
    return page;
}

Carriers slideshowPage()
{
    auto slideshow = std::make_shared<OuterSlideShow>(QRectF(10, 10, 200, 120));
    slideshow->slideShowNumber = 5;
    Carriers page{slideshow};
    for (int32_t i = 0; i < 3; ++i) {
        auto slide = image(QStringLiteral("image%1").arg(20 + i), QColor(200, 40 * i, 90));
        slide->slideShowNumber = 5;
        page.append(slide);
    }
    return page;
}

bool write(const QDir &folder, const QString &name, const QList<std::shared_ptr<SKTGraphic>> &graphics)
{
    QList<SKTGraphic *> list;
    for (const auto &g : graphics)
        list.append(g.get());
    QFile file(folder.filePath(name));
    if (list.isEmpty() || !file.open(QIODevice::WriteOnly))
        return false;
    return file.write(SKTGraphic::pasteboardDataWithGraphics(list)) > 0;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    FuzzApplication::start(&argc, &argv);
    gTableImagesEnabled = true; // so that the table seed carries its pictures
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    const QList<QPair<QString, Carriers>> pages{{QStringLiteral("text"), textPage()},
                                                {QStringLiteral("image"), imagePage()},
                                                {QStringLiteral("line"), linePage()},
                                                {QStringLiteral("table"), tablePage()},
                                                {QStringLiteral("gallery"), galleryPage()},
                                                {QStringLiteral("slideshow"), slideshowPage()}};
    for (const auto &[name, carriers] : pages) {
        const auto graphics = SKTGraphic::graphicsWithProperties(carriers, QStringLiteral("page"));
        if (!write(folder, name, graphics))
            return 1;
    }
    // The kinds no page carrier makes, each at a small box.
    for (const QString &className : GraphicFactory::classNames()) {
        if (className == QLatin1String("SKTText") || className == QLatin1String("SKTImage")
            || className == QLatin1String("SKTLine") || className == QLatin1String("SKTTable")
            || className == QLatin1String("SKTGalleryGrid") || className == QLatin1String("SKTSlideshow"))
            continue;
        auto graphic = GraphicFactory::create(className);
        if (!graphic)
            continue;
        graphic->setBounds(QRectF(5, 5, 60, 40));
        graphic->setCornerRadius(6);
        const std::shared_ptr<SKTGraphic> shared(std::move(graphic));
        if (!write(folder, className, {shared}))
            return 1;
    }
    return 0;
}
