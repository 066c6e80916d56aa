#pragma once
// Graphics drawn offscreen for the clipboard: a PDF and a PNG of the union of
// their drawing bounds, the first graphic of the list on top.
#include "document/SKTError.h"

#include <QByteArray>
#include <QList>

class QMimeData;
class SKTGraphic;

class SKTRenderingView {
public:
    SKTRenderingView() = delete;

    // A one-page PDF of the graphics' drawing bounds on white, one canvas
    // pixel per point. No graphics (empty bounds): no data and error code 3.
    static QByteArray pdfDataWithGraphics(const QList<SKTGraphic *> &graphics, SKTError *error = nullptr);

    // A PNG of the drawing bounds on a transparent ground. No graphics: no
    // data and error code 3; a null error pointer is left alone.
    // A picture larger than kMaximumPictureSide on a side is scaled down to fit,
    // so a far-flung selection never asks for gigabytes and the picture stays
    // within what image readers (ours included) agree to decode.
    static QByteArray pngDataWithGraphics(const QList<SKTGraphic *> &graphics, SKTError *error = nullptr);
    static constexpr int kMaximumPictureSide = 4096;

    // The picture flavours a copy puts on the clipboard beside our own data:
    // "application/pdf" and "image/png". Answers false (nothing added) when the
    // graphics draw nothing.
    static bool addClipboardPictures(QMimeData &data, const QList<SKTGraphic *> &graphics);
};
