#pragma once
// The crop rectangle of a picture, in the picture's pixels: dragged by a
// corner, an edge or its inside, always inside the picture and at least one
// pixel wide and high. The crop dialog shows it; the cropped picture then
// goes through the ordinary picture replacement.
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>

class CropGeometry {
public:
    enum class Handle { None, Inside, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };

    explicit CropGeometry(const QSize &pictureSize);

    QRect rect() const { return m_rect; }
    QSize pictureSize() const { return m_size; }
    // Clamped into the picture.
    void setRect(const QRect &rect);
    // The handle under a point in picture pixels; tolerance is in the same pixels.
    Handle handleAt(const QPointF &point, double tolerance) const;
    // Moves the handle by delta picture pixels from where the drag began.
    void drag(Handle handle, const QRect &startRect, const QPointF &delta);
    // The part of the picture inside the rectangle.
    QImage crop(const QImage &picture) const;

private:
    QSize m_size;
    QRect m_rect;
};
