// SKTGraphic: turning the page reader's element carriers into properties
// dictionaries when a page is opened.
#include "model/SKTGraphic.h"
#include "model/RecordBoxNames.h"

#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "model/GalleryGridView.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <QHash>
#include <QSet>

namespace {
using Carriers = QList<std::shared_ptr<ElementCarrier>>;

const QString kClear = QStringLiteral("CLEAR0");

// A carrier field that was never filled is left out, so the graphic's reader
// uses its own default instead of the load failing on it.
void putString(GraphicProperties &p, const QString &key, const QString &value)
{
    if (!value.isNull())
        p.setString(key, value);
}

QString oneOrZero(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

void defaultIfNull(QString &field, const QString &value)
{
    if (field.isNull())
        field = value;
}

void defaultIfEmpty(QString &field, const QString &value)
{
    if (field.isEmpty())
        field = value;
}

int32_t alignmentNumber(const QString &alignment)
{
    if (alignment == QLatin1String("center"))
        return 1;
    if (alignment == QLatin1String("right"))
        return 2;
    if (alignment == QLatin1String("justify"))
        return 3;
    return 0;
}

// Composite arrays are filled after the walk, so they show the defaults the
// walk writes into member carriers that come later in the list.
struct PendingList {
    qsizetype index;
    QString key;
    Carriers members;
};

#define ZOV_BOX_SIDES(X) X(top, Padding) X(bottom, Padding) X(left, Padding) X(right, Padding) \
    X(top, Margin) X(bottom, Margin) X(left, Margin) X(right, Margin)

template <typename Carrier>
void putPlacement(GraphicProperties &p, const Carrier &c)
{
    p.setFloatString(QStringLiteral("shadowRadius"), c.shadowRadius);
    p.setFloatString(QStringLiteral("shadowHorizontalOffset"), c.shadowHorizontalOffset);
    p.setFloatString(QStringLiteral("shadowVerticalOffset"), c.shadowVerticalOffset);
    p.setFloatString(QStringLiteral("rotationAngle"), c.rotationAngle);
    p.setIntString(QStringLiteral("responsiveResizeFlag"), c.responsiveResizeFlag);
    p.setIntString(QStringLiteral("responsiveAlignment"), c.responsiveAlignment);
    p.setIntString(QStringLiteral("sectionNumber"), c.sectionNumber);
    p.setIntString(QStringLiteral("sectionRowSpot"), c.sectionRowSpot);
    p.setIntString(QStringLiteral("sectionColumnSpot"), c.sectionColumnSpot);
}

template <typename Carrier>
void putBoxAmounts(GraphicProperties &p, const Carrier &c)
{
#define ZOV_PUT_AMOUNT(side, kind) p.setIntString(QStringLiteral(#side #kind), c.side##kind);
    ZOV_BOX_SIDES(ZOV_PUT_AMOUNT)
#undef ZOV_PUT_AMOUNT
}

template <typename Carrier>
void putBoxTypes(GraphicProperties &p, const Carrier &c)
{
#define ZOV_PUT_TYPE(side, kind) putString(p, QStringLiteral(#side #kind "Type"), c.side##kind##Type);
    ZOV_BOX_SIDES(ZOV_PUT_TYPE)
#undef ZOV_PUT_TYPE
}

template <typename Carrier>
void defaultBoxLevels(Carrier &c)
{
#define ZOV_DEFAULT_LEVEL(side, kind) defaultIfEmpty(c.side##kind##LevelString, QStringLiteral("None"));
    ZOV_BOX_SIDES(ZOV_DEFAULT_LEVEL)
#undef ZOV_DEFAULT_LEVEL
}

template <typename Carrier>
void putBoxLevels(GraphicProperties &p, const Carrier &c)
{
#define ZOV_PUT_LEVEL(side, kind) putString(p, QStringLiteral(#side #kind "LevelString"), c.side##kind##LevelString);
    ZOV_BOX_SIDES(ZOV_PUT_LEVEL)
#undef ZOV_PUT_LEVEL
}

GraphicProperties textProperties(myTextView &t, const QString &templateName)
{
    defaultIfNull(t.link, QLatin1String(""));
    defaultIfNull(t.linkOption, QStringLiteral("_self"));

    GraphicProperties p;
    p.setString(QStringLiteral("className"), QStringLiteral("SKTText"));
    p.setRect(QStringLiteral("bounds"), t.frame);
    p.setIntString(QStringLiteral("fontAlignment"), alignmentNumber(t.textAlignment));
    p.setFloatString(QStringLiteral("cornerRadius"), t.cornerRadius);
    p.setFloatString(QStringLiteral("fontSize"), t.textView.fontPointSize);
    p.setFloatString(QStringLiteral("opacity"), t.alphaValue);
    p.setIntString(QStringLiteral("shadowFlag"), t.shadowFlag ? 1 : 0);
    p.setIntString(QStringLiteral("moveLock"), t.moveLock ? 1 : 0);
    p.setIntString(QStringLiteral("shapeFlag"), t.shapeFlag);
    p.setIntString(QStringLiteral("groupNumber"), t.groupNumber);
    p.setIntString(QStringLiteral("borderWidth"), t.borderWidth);
    p.setIntString(QStringLiteral("manualLayerIndex"), t.manualLayerIndex);
    p.setIntString(QStringLiteral("verticalAlignment"), t.verticalAlignment);
    p.setString(QStringLiteral("matchScreenFlag"), oneOrZero(t.matchScreenFlag));
    p.setColour(QStringLiteral("borderColor"), DataCentre::colorWithHexString(t.borderHexColorString));
    defaultIfNull(t.borderHexColorString, QStringLiteral("000000"));
    p.setString(QStringLiteral("borderHexColorString"), t.borderHexColorString);
    p.setString(QStringLiteral("fontColor"), t.textColorString);
    p.setString(QStringLiteral("textHexColorString"), t.textColorString);
    if (t.backgroundHexColorString.isEmpty() || t.backgroundHexColorString == kClear
        || t.backgroundHexColorString == QLatin1String("(null)"))
        t.backgroundHexColorString = kClear;
    p.setString(QStringLiteral("backgroundHexColorString"), t.backgroundHexColorString);
    p.setColour(QStringLiteral("fillColor"), t.backgroundHexColorString == kClear
                                                 ? QColor(Qt::transparent)
                                                 : DataCentre::colorWithHexString(t.backgroundHexColorString));
    // The family is kept exactly as the page names it.
    putString(p, QStringLiteral("fontFamily"), t.familyName.isNull() ? t.textView.fontName : t.familyName);
    p.setString(QStringLiteral("borderStyle"), t.textView.borderLine);
    p.setString(QStringLiteral("link"), t.link);
    p.setString(QStringLiteral("textString"), t.textView.string);
    p.setString(QStringLiteral("textType"), t.textType);
    p.setString(QStringLiteral("imageLastModDate"), QString());
    p.setString(QStringLiteral("altText"), QString());
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.setString(QStringLiteral("linkOption"), t.linkOption);
    defaultIfNull(t.linkType, QStringLiteral("text"));
    p.setString(QStringLiteral("linkType"), t.linkType);
    p.setString(QStringLiteral("scrollFlag"), oneOrZero(t.scrollFlag == 1));
    // A record page's own boxes keep their names: the page finds them by it.
    p.setString(QStringLiteral("templateName"),
                recordBoxNames().contains(t.templateName) ? t.templateName : templateName);
    defaultIfNull(t.hoverColorString, QLatin1String(""));
    defaultIfNull(t.hoverTextColorString, QLatin1String(""));
    defaultIfNull(t.formType, QLatin1String(""));
    p.setString(QStringLiteral("hoverColorString"), t.hoverColorString);
    p.setString(QStringLiteral("hoverTextColorString"), t.hoverTextColorString);
    p.setString(QStringLiteral("formType"), t.formType);
    p.setIntString(QStringLiteral("formTag"), t.formTag);
    p.setIntString(QStringLiteral("formRequiredFlag"), t.formRequiredFlag);
    p.setIntString(QStringLiteral("formOptionTag"), t.formOptionTag);
    p.setIntString(QStringLiteral("snippetFormatFlag"), t.snippetFormatFlag ? 1 : 0);
    p.setIntString(QStringLiteral("zoomBubbleFlag"), t.zoomBubbleFlag);
    p.setFloatString(QStringLiteral("lineSpacing"), t.lineSpacing);
    defaultIfNull(t.bubbleShape, QLatin1String(""));
    p.setString(QStringLiteral("bubbleShape"), t.bubbleShape);
    p.setIntString(QStringLiteral("markAsReplyToEmailFlag"), t.markAsReplyToEmailFlag);
    putPlacement(p, t);
    putBoxAmounts(p, t);
#define ZOV_DEFAULT_TYPE(side, kind) defaultIfEmpty(t.side##kind##Type, QStringLiteral("pixel"));
    ZOV_BOX_SIDES(ZOV_DEFAULT_TYPE)
#undef ZOV_DEFAULT_TYPE
    putBoxTypes(p, t);
    defaultBoxLevels(t);
    putBoxLevels(p, t);
    defaultIfNull(t.onClickShowString, QLatin1String(""));
    defaultIfNull(t.onClickHideString, QLatin1String(""));
    p.setString(QStringLiteral("onClickShowString"), t.onClickShowString);
    p.setString(QStringLiteral("onClickHideString"), t.onClickHideString);

    // A form field always stands on the page itself, never in a table.
    if (!t.formType.isEmpty())
        t.tableNumber = -99;
    return p;
}

// The keys tables and gallery grids share.
template <typename Grid>
GraphicProperties gridProperties(const Grid &g, const QString &className, const QString &templateName)
{
    GraphicProperties p;
    p.setString(QStringLiteral("className"), className);
    p.setRect(QStringLiteral("bounds"), g.frame);
    p.setIntString(QStringLiteral("moveLock"), g.moveLock);
    p.setIntString(QStringLiteral("groupNumber"), g.groupNumber);
    p.setIntString(QStringLiteral("numOfRows"), g.numOfRows);
    p.setIntString(QStringLiteral("numOfColumns"), g.numOfColumns);
    p.setIntString(QStringLiteral("padding"), g.padding);
    p.setIntString(QStringLiteral("manualLayerIndex"), g.manualLayerIndex);
    p.setString(QStringLiteral("scrollFlag"), oneOrZero(g.scrollFlag == 1));
    p.setString(QStringLiteral("templateName"), templateName);
    p.setString(QStringLiteral("linkType"), QStringLiteral("text"));
    return p;
}

GraphicProperties galleryProperties(const GalleryGridView &g, const QString &templateName)
{
    GraphicProperties p = gridProperties(g, QStringLiteral("SKTGalleryGrid"), templateName);
    p.setIntString(QStringLiteral("shadowFlag"), g.shadowFlag);
    p.setIntString(QStringLiteral("backdropLightingFlag"), g.backdropLightingFlag);
    return p;
}

GraphicProperties tableProperties(TableGridView &t, const QString &templateName)
{
    defaultBoxLevels(t);
    GraphicProperties p = gridProperties(t, QStringLiteral("SKTTable"), templateName);
    p.setIntString(QStringLiteral("initialLaunchStateFlag"), t.initialLaunchStateFlag);
    putString(p, QStringLiteral("sectionIDString"), t.sectionIDString);
    putString(p, QStringLiteral("gridType"), t.gridType);
    putBoxAmounts(p, t);
    putBoxTypes(p, t);
    putBoxLevels(p, t);
    p.setString(QStringLiteral("fontSize"), QStringLiteral("28"));
    p.setString(QStringLiteral("fontFamily"), QStringLiteral("Anton"));
    p.setString(QStringLiteral("textHexColorString"), QStringLiteral("4f4c4c"));
    p.setString(QStringLiteral("borderStyle"), QStringLiteral("dashed"));
    p.setString(QStringLiteral("opacity"), QStringLiteral("1.0"));
    p.setString(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.setString(QStringLiteral("reflection"), QStringLiteral("0"));
    return p;
}

GraphicProperties lineProperties(const LineView &l, const QString &templateName)
{
    GraphicProperties p;
    p.setString(QStringLiteral("className"), QStringLiteral("SKTLine"));
    p.setPoint(QStringLiteral("beginPoint"), l.beginPoint);
    p.setPoint(QStringLiteral("endPoint"), l.endPoint);
    p.setFloatString(QStringLiteral("opacity"), l.alphaValue);
    p.setNumber(QStringLiteral("borderWidth"), double(l.borderWidth));
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.setIntString(QStringLiteral("groupNumber"), l.groupNumber);
    p.setColour(QStringLiteral("borderColor"), DataCentre::colorWithHexString(l.borderHexColorString));
    putString(p, QStringLiteral("borderHexColorString"), l.borderHexColorString);
    putString(p, QStringLiteral("borderStyle"), l.borderStyle);
    p.setIntString(QStringLiteral("drawBeginArrow"), l.drawBeginArrow ? 1 : 0);
    p.setIntString(QStringLiteral("drawEndArrow"), l.drawEndArrow ? 1 : 0);
    p.setString(QStringLiteral("templateName"), templateName);
    return p;
}

GraphicProperties slideshowProperties(const OuterSlideShow &s, qsizetype members, const QString &templateName)
{
    GraphicProperties p;
    p.setString(QStringLiteral("className"), QStringLiteral("SKTSlideshow"));
    p.setIntString(QStringLiteral("totalNumofSlide"), int32_t(members));
    p.setRect(QStringLiteral("bounds"), s.frame);
    p.setIntString(QStringLiteral("moveLock"), s.moveLock ? 1 : 0);
    p.setIntString(QStringLiteral("groupNumber"), s.groupNumber);
    p.setIntString(QStringLiteral("slideShowAutomaticFlag"), s.slideShowAutomaticFlag);
    p.setIntString(QStringLiteral("manualLayerIndex"), s.manualLayerIndex);
    p.setString(QStringLiteral("fontAlignment"), QStringLiteral("1"));
    p.setFloatString(QStringLiteral("cornerRadius"), 0);
    p.setFloatString(QStringLiteral("fontSize"), 25);
    p.setFloatString(QStringLiteral("opacity"), 1);
    p.setString(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.setString(QStringLiteral("fontColor"), QStringLiteral("DC143C"));
    p.setString(QStringLiteral("fillColor"), QStringLiteral("ffffff")); // read as clear
    p.setString(QStringLiteral("fontFamily"), QStringLiteral("Helvetica Neue"));
    p.setString(QStringLiteral("borderStyle"), QStringLiteral("dashed"));
    p.setString(QStringLiteral("textString"), QStringLiteral("Right click to edit slideshow"));
    for (const char *key : {"link", "textType", "imageLastModDate", "altText"})
        p.setString(QLatin1String(key), QString());
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.setString(QStringLiteral("textHexColorString"), QStringLiteral("000000"));
    p.setString(QStringLiteral("backgroundHexColorString"), QStringLiteral("FFFFFF"));
    p.setString(QStringLiteral("linkOption"), QStringLiteral("_self"));
    p.setString(QStringLiteral("linkType"), QStringLiteral("text"));
    p.setString(QStringLiteral("templateName"), templateName);
    return p;
}

GraphicProperties imageProperties(TransformView &t, const QString &templateName)
{
    defaultIfNull(t.altText, QLatin1String(""));
    defaultIfNull(t.link, QLatin1String(""));
    defaultIfNull(t.linkOption, QStringLiteral("_self"));

    GraphicProperties p;
    p.setString(QStringLiteral("className"), QStringLiteral("SKTImage"));
    // The graphic's box holds the picture and its reflection below it.
    QRectF bounds = t.frame;
    bounds.setHeight(t.frame.height() * (1.0 + double(t.reflection)));
    p.setRect(QStringLiteral("bounds"), bounds);
    p.setFloatString(QStringLiteral("opacity"), t.alpha);
    p.setIntString(QStringLiteral("shadowFlag"), t.shadowFlag ? 1 : 0);
    p.setString(QStringLiteral("moveLock"), oneOrZero(t.moveLock));
    p.setIntString(QStringLiteral("groupNumber"), t.groupNumber);
    p.setIntString(QStringLiteral("backdropLightingFlag"), t.backdropLightingFlag);
    p.setIntString(QStringLiteral("imageEnlargeFlag"), t.imageEnlargeFlag);
    p.setIntString(QStringLiteral("manualLayerIndex"), t.manualLayerIndex);
    p.setIntString(QStringLiteral("borderWidth"), t.borderWidth);
    p.setIntString(QStringLiteral("slideShowNumber"), t.slideShowNumber);
    p.setIntString(QStringLiteral("bubbleFlag"), t.bubbleFlag);
    p.setFloatString(QStringLiteral("reflection"), t.reflection);
    p.setString(QStringLiteral("altText"), t.altText);
    p.setString(QStringLiteral("link"), t.link);
    p.setString(QStringLiteral("linkOption"), t.linkOption);
    putString(p, QStringLiteral("imageName"), t.imageName);
    putString(p, QStringLiteral("imageType"), t.imageType);
    putString(p, QStringLiteral("borderStyle"), t.borderStyle);
    putString(p, QStringLiteral("bubbleShape"), t.bubbleShape);
    p.setColour(QStringLiteral("borderColor"), DataCentre::colorWithHexString(t.borderHexColorString));
    defaultIfNull(t.borderHexColorString, QStringLiteral("000000"));
    p.setString(QStringLiteral("borderHexColorString"), t.borderHexColorString);
    if (t.imageLastModDate.isValid())
        p.setDate(QStringLiteral("imageLastModDate"), t.imageLastModDate);
    else
        p.setString(QStringLiteral("imageLastModDate"), QString());
    p.setString(QStringLiteral("retinaFlag"), oneOrZero(t.retinaFlag));
    // A picture as read goes on waiting to be decoded.
    t.image.write(p, QStringLiteral("contents"));
    if (!t.maskImage.isNull())
        p.setImage(QStringLiteral("maskImage"), t.maskImage);
    p.setString(QStringLiteral("textHexColorString"), QStringLiteral("000000"));
    p.setString(QStringLiteral("backgroundHexColorString"), QStringLiteral("FFFFFF"));
    p.setString(QStringLiteral("scrollFlag"), oneOrZero(t.scrollFlag == 1));
    p.setString(QStringLiteral("linkType"), QStringLiteral("text"));
    p.setString(QStringLiteral("templateName"), templateName);
    putPlacement(p, t);
    putBoxAmounts(p, t);
    putBoxTypes(p, t);
    return p;
}

template <typename T, typename Pred>
QList<std::shared_ptr<T>> membersOf(const Carriers &carriers, Pred pred)
{
    QList<std::shared_ptr<T>> members;
    for (const auto &c : carriers) {
        if (auto m = std::dynamic_pointer_cast<T>(c); m && pred(*m))
            members.append(m);
    }
    return members;
}

// A table whose rules leave spots of its grid without a cell (the old record
// tables name each cell's spot themselves) gets an empty cell there, styled
// as its first cell, as wide as its column's other cells and as high as its
// row's (or an even share of the table where it has none). A table lays its
// columns and rows out from the cells of its first row and column: with a
// spot empty, it would spread its size over its cells again at every layout,
// and each opening of the page would give the cells other sizes.
// The new cells take the defaults that a reading gives every text carrier.
// Plain tables only: a section or a component whose column is gone frees
// what lay in that column instead.
void completeGrid(const TableGridView &table, QList<std::shared_ptr<myTextView>> &cells, const QString &templateName)
{
    constexpr qint64 kMostSpots = 4096;
    const int32_t rows = table.numOfRows;
    const int32_t columns = table.numOfColumns;
    if (!table.gridType.isEmpty() && table.gridType != QLatin1String("table"))
        return;
    if (cells.isEmpty() || rows <= 0 || columns <= 0 || qint64(rows) * columns > kMostSpots)
        return;
    QSet<qint64> taken;
    QHash<int32_t, int32_t> widths, heights;
    for (const auto &cell : std::as_const(cells)) {
        taken.insert(qint64(cell->rowSpot) * kMostSpots + cell->columnSpot);
        if (cell->width > 0 && !widths.contains(cell->columnSpot))
            widths.insert(cell->columnSpot, cell->width);
        if (cell->height > 0 && !heights.contains(cell->rowSpot))
            heights.insert(cell->rowSpot, cell->height);
    }
    const myTextView &style = *cells.first();
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            if (taken.contains(qint64(r) * kMostSpots + c))
                continue;
            auto cell = std::make_shared<myTextView>(style);
            cell->textStorage = QString();
            cell->textView.string = QString();
            cell->rowSpot = r;
            cell->columnSpot = c;
            cell->width = widths.value(c, int32_t(table.frame.width() / columns));
            cell->height = heights.value(r, int32_t(table.frame.height() / rows));
            textProperties(*cell, templateName);
            cells.append(cell);
        }
    }
}

template <typename T>
Carriers asCarriers(const QList<std::shared_ptr<T>> &list)
{
    return Carriers(list.begin(), list.end());
}
} // namespace

QList<GraphicProperties> SKTGraphic::convertArrayToProperties(const Carriers &carriers, const QString &templateName)
{
    QList<GraphicProperties> result;
    QList<PendingList> pending;
    for (qsizetype i = 0; i < carriers.size(); ++i) {
        const std::shared_ptr<ElementCarrier> &carrier = carriers[i];
        if (!carrier)
            continue;
        if (auto text = std::dynamic_pointer_cast<myTextView>(carrier)) {
            GraphicProperties p = textProperties(*text, templateName);
            if (text->tableNumber == -99)
                result.append(p);
        } else if (auto gallery = std::dynamic_pointer_cast<GalleryGridView>(carrier)) {
            const auto members = membersOf<TransformView>(
                carriers, [&](const TransformView &t) { return t.galleryNumber == gallery->galleryNumber; });
            result.append(galleryProperties(*gallery, templateName));
            pending.append({result.size() - 1, QStringLiteral("imageArray"), asCarriers(members)});
        } else if (auto table = std::dynamic_pointer_cast<TableGridView>(carrier)) {
            auto cells = membersOf<myTextView>(
                carriers, [&](const myTextView &t) { return t.tableNumber == table->tableNumber; });
            for (const auto &cell : cells)
                cell->textStorage = cell->textView.string; // plain text only
            completeGrid(*table, cells, templateName);
            QList<std::shared_ptr<TransformView>> images;
            QList<std::shared_ptr<TransformView>> backgrounds;
            if (gTableImagesEnabled) {
                for (const auto &image : membersOf<TransformView>(
                         carriers, [&](const TransformView &t) { return t.tableNumber == table->tableNumber; })) {
                    if (image->rowSpot == -99 && image->columnSpot == -99) {
                        image->forceNonRetinaFlag = true;
                        backgrounds.append(image);
                    } else {
                        images.append(image);
                    }
                }
            }
            result.append(tableProperties(*table, templateName));
            pending.append({result.size() - 1, QStringLiteral("cellArray"), asCarriers(cells)});
            pending.append({result.size() - 1, QStringLiteral("imageArray"), asCarriers(images)});
            if (!backgrounds.isEmpty())
                pending.append({result.size() - 1, QStringLiteral("tableBackgroundArray"), asCarriers(backgrounds)});
        } else if (auto line = std::dynamic_pointer_cast<LineView>(carrier)) {
            result.append(lineProperties(*line, templateName));
        } else if (auto slideshow = std::dynamic_pointer_cast<OuterSlideShow>(carrier)) {
            QList<std::shared_ptr<TransformView>> slides;
            for (qsizetype j = 0; j < carriers.size(); ++j) {
                auto t = std::dynamic_pointer_cast<TransformView>(carriers[j]);
                if (t && t->slideShowNumber == slideshow->slideShowNumber) {
                    t->slideNumber = int32_t(j);
                    slides.append(t);
                }
            }
            slides = TransformView::sortedByImageNameIndex(slides);
            result.append(slideshowProperties(*slideshow, slides.size(), templateName));
            pending.append({result.size() - 1, QStringLiteral("imageArray"), asCarriers(slides)});
        } else if (auto image = std::dynamic_pointer_cast<TransformView>(carrier)) {
            // Also fills the carrier's defaults, which slides and members keep.
            GraphicProperties p = imageProperties(*image, templateName);
            // Slides, gallery and table pictures stay carriers; like a page
            // image's, their pictures are decoded when first drawn or asked for.
            if (image->slideShowNumber == -99 && image->tableNumber == -99)
                result.append(p);
        }
    }
    for (const PendingList &list : pending) {
        QList<GraphicProperties> maps;
        maps.reserve(list.members.size());
        for (const auto &member : list.members)
            maps.append(member->toProperties());
        result[list.index].setList(list.key, maps);
    }
    return result;
}

QList<std::shared_ptr<SKTGraphic>> SKTGraphic::graphicsWithProperties(const Carriers &carriers, const QString &templateName)
{
    return graphicsWithPropertiesPasted(convertArrayToProperties(carriers, templateName));
}
