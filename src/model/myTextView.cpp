#include "model/myTextView.h"

void myTextView::writeFields(GraphicProperties &p) const
{
    ZOV_MYTEXTVIEW_FIELDS(ZOV_CARRIER_PUT)
    GraphicProperties inner;
    put(inner, QStringLiteral("string"), textView.string);
    put(inner, QStringLiteral("fontName"), textView.fontName);
    put(inner, QStringLiteral("fontPointSize"), textView.fontPointSize);
    put(inner, QStringLiteral("borderLine"), textView.borderLine);
    put(inner, QStringLiteral("borderWidth"), textView.borderWidth);
    p.setChild(QStringLiteral("textView"), inner);
}

void myTextView::readFields(const GraphicProperties &p)
{
    ZOV_MYTEXTVIEW_FIELDS(ZOV_CARRIER_GET)
    const GraphicProperties inner = p.child(QStringLiteral("textView"));
    get(inner, QStringLiteral("string"), textView.string);
    get(inner, QStringLiteral("fontName"), textView.fontName);
    get(inner, QStringLiteral("fontPointSize"), textView.fontPointSize);
    get(inner, QStringLiteral("borderLine"), textView.borderLine);
    get(inner, QStringLiteral("borderWidth"), textView.borderWidth);
}
