#pragma once
// One composed sheet: a frame of SW x SH print-view units (y grows downward,
// row 0 on top) and the pictures placed in it. Pictures are held by index into
// the composition's picture list, so a picture repeated over a sheet is one
// image decoded and embedded once.
#include <QList>
#include <QRectF>

struct PrintPlacement {
    QRectF rect;
    int picture = -1;
};

struct PrintRenderingView {
    QRectF frame;
    QList<PrintPlacement> placements;
};
