#pragma once
// Graphics drawn offscreen for the clipboard: a PDF and a PNG of the union of
// their drawing bounds, the first graphic of the list on top.
#include "document/SKTError.h"

#include <QByteArray>
#include <QList>

class SKTGraphic;

class SKTRenderingView {
public:
    SKTRenderingView() = delete;

    // A one-page PDF of the graphics' drawing bounds on white, one canvas
    // pixel per point. No graphics (empty bounds): no data and error code 3.
    static QByteArray pdfDataWithGraphics(const QList<SKTGraphic *> &graphics, SKTError *error = nullptr);

    // A PNG of the drawing bounds on a transparent ground. No graphics: no
    // data and error code 3; a null error pointer is left alone.
    static QByteArray pngDataWithGraphics(const QList<SKTGraphic *> &graphics, SKTError *error = nullptr);
};
