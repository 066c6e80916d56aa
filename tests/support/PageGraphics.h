#pragma once
// Graphics built in code the way the user leaves them on a page, for the tests
// and the programs that write the browser test's pages.
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <memory>

namespace testpage {

// A picture of one colour.
inline QImage picture(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// An image graphic showing pixels (its contents and its input image alike), in
// no slideshow or gallery.
inline std::shared_ptr<SKTImage> image(const QImage &pixels, const QString &name, const QString &type,
                                       const QRectF &bounds)
{
    auto image = std::make_shared<SKTImage>();
    image->setContents(pixels);
    image->setInputImage(pixels);
    image->setImageName(name);
    image->setImageType(type);
    image->setBounds(bounds);
    image->setSlideShowNumber(-99);
    image->setGalleryNumber(-99);
    return image;
}

// What a graphic placed by the user carries besides its own settings: in no
// group, section, slideshow, gallery or table, and with formTags in no form.
inline void placeOnPage(SKTGraphic &graphic, const QRectF &bounds, bool formTags = false)
{
    for (const char *key : {"groupNumber", "sectionNumber", "sectionRowSpot", "sectionColumnSpot"})
        graphic.setValue(QString::fromLatin1(key), -99);
    if (formTags)
        for (const char *key : {"formTag", "formOptionTag"})
            graphic.setValue(QString::fromLatin1(key), -99);
    for (const char *key : {"slideShowNumber", "galleryNumber", "tableNumber"})
        graphic.setValue(QString::fromLatin1(key), -99);
    graphic.setSelectable(true);
    graphic.setBounds(bounds);
}

// A text graphic of type ("Text", "HTMLSnippet") placed outside forms, in dark
// grey on a clear background with a black border; in family when one is given.
inline std::shared_ptr<SKTText> text(const QRectF &bounds, const QString &string,
                                     const QString &type = QStringLiteral("Text"), int size = 14,
                                     const QString &family = QString())
{
    auto t = std::make_shared<SKTText>();
    placeOnPage(*t, bounds, true);
    t->setTextType(type);
    if (!family.isEmpty())
        t->setFontFamily(family);
    t->setFontSize(size);
    t->setTextHexColorString(QStringLiteral("222222"));
    t->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    t->setBorderHexColorString(QStringLiteral("000000"));
    t->setTextString(string);
    return t;
}

// An image carrier (a slide or a gallery image) showing image, in nothing
// else, at full opacity, its frame the picture's size.
inline std::shared_ptr<TransformView> carrier(const QString &name, const QImage &image,
                                              const QString &type = QStringLiteral("png"))
{
    auto c = std::make_shared<TransformView>(QRectF(0, 0, image.width(), image.height()));
    c->image = image;
    c->imageName = name;
    c->imageType = type;
    c->selectable = true;
    c->opacity = 1.0f;
    c->alpha = 1.0f;
    c->groupNumber = -99;
    c->galleryNumber = -99;
    c->tableNumber = -99;
    c->sectionNumber = -99;
    c->sectionRowSpot = -99;
    c->sectionColumnSpot = -99;
    c->slideShowNumber = -99;
    c->originalWidth = image.width();
    c->originalHeight = image.height();
    c->borderStyle = QStringLiteral("none");
    c->borderHexColorString = QStringLiteral("000000");
    return c;
}

// A page section (or another grid of type) of one row: cells of the given
// widths, all h high, no padding or border, at origin.
inline std::shared_ptr<SKTTable> section(int32_t number, QPointF origin, const QList<int> &widths, int h,
                                         const QString &type = QStringLiteral("section"))
{
    auto table = std::make_shared<SKTTable>();
    QList<std::shared_ptr<myTextView>> cells;
    int total = 0;
    for (int c = 0; c < widths.size(); ++c) {
        auto cell = std::make_shared<myTextView>();
        cell->rowSpot = 0;
        cell->columnSpot = c;
        cell->width = widths[c];
        cell->height = h;
        cell->sectionNumber = number;
        cells.append(cell);
        total += widths[c];
    }
    table->setCellHelperArray(cells);
    table->setNumOfRows(1);
    table->setNumOfColumns(int32_t(widths.size()));
    table->setPadding(0);
    table->setBorderWidth(0);
    table->setGridType(type);
    table->setSectionNumber(number);
    table->SKTGraphic::setBounds(QRectF(origin, QSizeF(total, h)));
    return table;
}

// The columns of a section across bounds, sharing its width by spans of 12
// (xs always 12, so phones stack them), grey as the palette's.
inline QList<std::shared_ptr<myTextView>> spanColumns(const QRectF &bounds, const QList<int> &spans)
{
    QList<std::shared_ptr<myTextView>> cells;
    double x = bounds.x();
    for (qsizetype c = 0; c < spans.size(); ++c) {
        auto cell = std::make_shared<myTextView>();
        const int width = int(bounds.width() * spans[c] / 12);
        cell->rowSpot = 0;
        cell->columnSpot = int32_t(c);
        cell->originX = int32_t(x);
        cell->originY = int32_t(bounds.y());
        cell->width = width;
        cell->height = int32_t(bounds.height());
        cell->xsGridColumns = 12;
        cell->smallGridColumns = spans[c];
        cell->mediumGridColumns = spans[c];
        cell->largeGridColumns = spans[c];
        cell->backgroundHexColorString = QStringLiteral("EEEEEE");
        x += width;
        cells << cell;
    }
    return cells;
}

} // namespace testpage
