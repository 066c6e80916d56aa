#pragma once
// Where an object inserted from a menu lands when the insertion point is
// taken. A menu command inserts at one point of the visible part of the page;
// a second object there would hide the first. The object keeps that point
// when it is free, else goes to the nearest free spot of the visible area
// (down the column first, then to the right); when the visible area is full,
// to the first free spot further down the page in its column; and when the
// page is full too it cascades 20 pixels from the point.
#include <QList>
#include <QRectF>

class InsertionFrame;
class SKTGraphic;

class InsertionPlacement {
public:
    InsertionPlacement() = delete;

    // The rectangle rect moved to its free spot among occupied within visible,
    // else further down page (a null rectangle: no limit but the page's left
    // and top; an object wider than the area only has to fit its height).
    // occupied should hold what a person counts as content: not page
    // sections, not what lies wholly under rect as its background.
    static QRectF freeSpot(const QRectF &rect, const QList<QRectF> &occupied, const QRectF &visible,
                           const QRectF &page = QRectF(), double gap = 10.0);
    // The content a new object should not cover: the frames of graphics other
    // than those in fresh, sections left out, and so is anything holding the
    // whole of rect (a background under it).
    static QList<QRectF> occupiedBy(const QList<SKTGraphic *> &graphics, const QList<SKTGraphic *> &fresh,
                                    const QRectF &rect);
    // What a menu command just put on the page: moved together to their free
    // spot of the canvas's visible area (recorded in the open undo step) and
    // selected. Page sections, and objects a responsive edition laid into a
    // section cell, keep their place.
    static void placeAndSelect(InsertionFrame &frame, const QList<SKTGraphic *> &fresh);
};
