#include "model/ElementCarrier.h"

#include "model/GalleryGridView.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

GraphicProperties ElementCarrier::toProperties() const
{
    GraphicProperties p;
    p.setString(QStringLiteral("carrierClass"), carrierClassName());
    p.setRect(QStringLiteral("frame"), frame);
    writeFields(p);
    return p;
}

std::shared_ptr<ElementCarrier> ElementCarrier::fromProperties(const GraphicProperties &p)
{
    const QString name = p.string(QStringLiteral("carrierClass"));
    std::shared_ptr<ElementCarrier> carrier;
    if (name == QLatin1String("myTextView"))
        carrier = std::make_shared<myTextView>();
    else if (name == QLatin1String("TransformView"))
        carrier = std::make_shared<TransformView>();
    else if (name == QLatin1String("LineView"))
        carrier = std::make_shared<LineView>();
    else if (name == QLatin1String("TableGridView"))
        carrier = std::make_shared<TableGridView>();
    else if (name == QLatin1String("GalleryGridView"))
        carrier = std::make_shared<GalleryGridView>();
    else if (name == QLatin1String("OuterSlideShow"))
        carrier = std::make_shared<OuterSlideShow>();
    else
        return nullptr;
    carrier->frame = p.rect(QStringLiteral("frame"));
    carrier->readFields(p);
    return carrier;
}

void ElementCarrier::put(GraphicProperties &p, const QString &key, const QString &v)
{
    if (!v.isNull())
        p.setString(key, v);
}

void ElementCarrier::put(GraphicProperties &p, const QString &key, const QColor &v)
{
    if (v.isValid())
        p.setColour(key, v);
}

void ElementCarrier::put(GraphicProperties &p, const QString &key, const QDateTime &v)
{
    if (v.isValid())
        p.setDate(key, v);
}

void ElementCarrier::put(GraphicProperties &p, const QString &key, const QImage &v)
{
    if (!v.isNull())
        p.setImage(key, v);
}

void ElementCarrier::get(const GraphicProperties &p, const QString &key, QString &v)
{
    if (p.isString(key))
        v = p.string(key);
}

void ElementCarrier::get(const GraphicProperties &p, const QString &key, QColor &v)
{
    if (const auto c = p.colour(key))
        v = *c;
}

void ElementCarrier::get(const GraphicProperties &p, const QString &key, QRectF &v)
{
    if (p.contains(key))
        v = p.rect(key);
}

void ElementCarrier::get(const GraphicProperties &p, const QString &key, QPointF &v)
{
    if (p.contains(key))
        v = p.point(key);
}

void ElementCarrier::get(const GraphicProperties &p, const QString &key, QDateTime &v)
{
    const QDateTime d = p.date(key);
    if (d.isValid())
        v = d;
}

void ElementCarrier::get(const GraphicProperties &p, const QString &key, QImage &v)
{
    const QImage i = p.image(key);
    if (!i.isNull())
        v = i;
}
