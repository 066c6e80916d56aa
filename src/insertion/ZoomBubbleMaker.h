#pragma once
// "Create Zoom Bubble": the part of the picture under a zoom bubble,
// magnified three times, inserted as a new bordered picture at the bubble's
// corner in the bubble's outline shape.
#include "insertion/InsertionFrame.h"

#include <QImage>
#include <QRectF>

class ZoomBubbleMaker {
public:
    explicit ZoomBubbleMaker(InsertionFrame &frame) : m_frame(frame) {}

    // The picture behind the graphic: the nearest image behind it (higher
    // index) that overlaps it, or the gallery picture under the last click.
    struct Underneath {
        QImage picture;
        QRectF bounds; // where the picture is shown on the page
        bool found() const { return !picture.isNull() && bounds.width() > 0 && bounds.height() > 0; }
    };
    Underneath grabImageUnderneath(const SKTGraphic &graphic);
    // One non-empty zoom bubble is selected with a picture behind it.
    bool shouldShowCreateZoomBubble();
    // The magnified part of the picture under the bubble: source rectangle
    // in the picture's own top-left coordinates, clamped to the picture.
    static QImage magnify(const QImage &picture, const QRectF &shownAt, const QRectF &bubble);
    // False when the command does not apply.
    bool createZoomBubble();
    bool generateZoomBubble(int32_t roundFlag, const QString &bubbleShape);

private:
    InsertionFrame &m_frame;
};
