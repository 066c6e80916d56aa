#include "model/SKTSlideshow.h"

#include "config/DataCentre.h"
#include "model/CanvasIcons.h"
#include "model/CarrierList.h"
#include "model/Geometry.h"
#include "model/GraphicPainter.h"
#include "model/SlideshowLayout.h"

#include <cmath>

void SKTSlideshow::setImageArray(const QList<Slide> &slides)
{
    m_slides = slides;
    setCurrentImageIndex(m_current);
}

void SKTSlideshow::setCurrentImageIndex(int32_t index)
{
    changeAttribute(m_current, SlideshowLayout::clampIndex(index, totalNumofSlides()),
                    QStringLiteral("currentImageIndex"));
}

void SKTSlideshow::addIntoImageArray(const Slide &slide)
{
    if (!slide)
        return;
    m_slides.append(slide);
    const int32_t before = m_current;
    setCurrentImageIndex(totalNumofSlides() - 1);
    setBounds(bounds());
    // The first slide of an empty slideshow leaves the index at 0: the slide
    // list changed all the same.
    if (m_current == before)
        reportRedraw(QStringLiteral("currentImageIndex"), m_current);
}

bool SKTSlideshow::nextButtonClicked(const QPointF &point) const
{
    return Geometry::pointInRect(point, SlideshowLayout::nextArrowRect(bounds()));
}

bool SKTSlideshow::previousButtonClicked(const QPointF &point) const
{
    return Geometry::pointInRect(point, SlideshowLayout::previousArrowRect(bounds()));
}

bool SKTSlideshow::isContentsUnderPoint(const QPointF &point)
{
    if (nextButtonClicked(point)) {
        moveSlideForward();
        setBounds(bounds());
    } else if (previousButtonClicked(point)) {
        moveSlideBackward();
        setBounds(bounds());
    }
    return Geometry::pointInRect(point, bounds());
}

void SKTSlideshow::grabTransformViewBounds()
{
    const auto width = Geometry::clampToInt(bounds().width());
    for (qsizetype i = 0; i < m_slides.size(); ++i) {
        const Slide &slide = m_slides[i];
        if (!slide)
            continue;
        slide->slideWidth = width;
        const QSizeF size = DataCentre::returnNewSizeWithWidth(
            QSizeF(slide->originalWidth, slide->originalHeight), width);
        slide->frame = SlideshowLayout::slideFrame(int32_t(i), bounds().size(), size.toSize());
    }
    handSettingsToSlides();
}

void SKTSlideshow::handSettingsToSlides()
{
    const QString name = templateName();
    const bool placed = selectable();
    for (const Slide &slide : m_slides) {
        if (!slide)
            continue;
        slide->templateName = name;
        slide->selectable = placed;
    }
}

QString SKTSlideshow::captionText() const
{
    return SlideshowLayout::caption(m_current, totalNumofSlides());
}

void SKTSlideshow::writeProperties(GraphicProperties &p)
{
    SKTGraphic::writeProperties(p);
    // A copy keeps its slides, so a pasted slideshow comes back whole.
    p.setList(QStringLiteral("imageArray"), CarrierList::toProperties(m_slides));
}

void SKTSlideshow::readProperties(const GraphicProperties &p)
{
    SKTGraphic::readProperties(p);
    m_slides = CarrierList::fromProperties<TransformView>(p.list(QStringLiteral("imageArray")));
    m_current = 0;
    m_captionFrame = QRectF(bounds().x(), bounds().y() + 5, bounds().width(), 40);
}

QRectF SKTSlideshow::drawingBounds()
{
    return SKTGraphic::drawingBounds().united(bounds().adjusted(-1, -1, 1, 1));
}

QPainterPath SKTSlideshow::bezierPathForDrawing(GraphicPainter &painter)
{
    QPainterPath path;
    path.addRect(bounds());
    if (isDrawingStroke()) {
        const QColor colour = fontColor().isValid() ? fontColor() : QColor(Qt::black);
        if (borderStyle() == QLatin1String("solid"))
            painter.strokePath(path, QPen(colour, 1));
        else if (borderStyle() == QLatin1String("dashed"))
            painter.strokePath(path, GraphicPainter::dashedPen(colour, 1, {5, 5}, 5));
        else if (borderStyle() == QLatin1String("dotted"))
            painter.strokePath(path, GraphicPainter::dashedPen(colour, 1, {3, 1}, 3));
    }
    setFillColor(QColor(Qt::transparent));
    return path;
}

void SKTSlideshow::drawContents(GraphicPainter &painter, bool beingCreatedOrEdited)
{
    grabTransformViewBounds();
    const QRectF b = bounds();
    if (painter.editingAids()) {
        QPainterPath frame;
        frame.addRect(b);
        painter.strokePath(frame, GraphicPainter::dashedPen(QColor(170, 170, 170), 1, {5, 5}, 5));
    }
    if (beingCreatedOrEdited) {
        bezierPathForDrawing(painter);
    } else {
        m_captionFrame = QRectF(b.x(), b.y() + 5, b.width(), 15);
        if (shadowFlag() == 1) {
            QPainterPath inner;
            inner.addRect(b.adjusted(10, 10, -10, -10));
            painter.setShadow({Qt::black, 3.0, QPointF(0, 2)});
            painter.strokePath(inner, QPen(QColor(170, 170, 170), 1));
            painter.clearShadow();
        }
    }
    if (!m_slides.isEmpty()) {
        const Slide &slide = m_slides[m_current];
        if (slide) {
            const QRectF frame = slide->frame;
            // Centred in the slideshow like its slot; a taller slide is cut at the edges.
            const double slot = double(m_current) * Geometry::clampToInt(b.width());
            const QRectF target(Geometry::clampToInt(b.x()) + frame.x() - slot,
                                double(Geometry::clampToInt(b.y())) + Geometry::clampToInt(std::max(0.0, (b.height() - frame.height()) * 0.5)),
                                frame.width(), frame.height());
            QPainter &p = painter.painter();
            p.save();
            p.setClipRect(b, Qt::IntersectClip);
            if (shadowFlag() == 1)
                painter.setShadow({QColor(128, 128, 128), 1.0, QPointF(1, 0)});
            painter.drawImage(target, slide->image);
            painter.clearShadow();
            p.restore();
        }
    }
    if (painter.editingAids()) {
        if (m_current > 0)
            CanvasIcons::drawArrow(painter.painter(), SlideshowLayout::previousArrowRect(b), false);
        if (m_current < totalNumofSlides() - 1)
            CanvasIcons::drawArrow(painter.painter(), SlideshowLayout::nextArrowRect(b), true);
        if (!beingCreatedOrEdited)
            CanvasIcons::drawCaption(painter.painter(), m_captionFrame, captionText());
    }
}

QStringList SKTSlideshow::keysForValuesToObserveForUndo() const
{
    QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
    keys.removeAll(QStringLiteral("undoContents2"));
    return keys;
}
