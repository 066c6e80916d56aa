// SKTGraphic: drawing bounds, handles, resizing and the box model.
#include "model/SKTGraphic.h"

#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "model/Geometry.h"
#include "model/GraphicEnvironment.h"

#include <QCursor>
#include <QDebug>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace {
bool isTopHandle(int k) { return k >= 1 && k <= 3; }
bool isBottomHandle(int k) { return k >= 6 && k <= 8; }
bool isLeftHandle(int k) { return k == 1 || k == 4 || k == 6; }
bool isRightHandle(int k) { return k == 3 || k == 5 || k == 8; }

float handleScale()
{
    // The zooming view rewrites the scale; never divide by a zero one.
    return gHandleScale > 0.0f ? gHandleScale : 1.0f;
}


// Named padding and margin levels: top and bottom in pixels, left and right
// in percent of the width.
struct Level {
    const char *name;
    int32_t vertical;
    int32_t horizontal;
};
const Level kLevels[] = {{"None", 0, 0},    {"Tiny", 10, 2}, {"Small", 20, 5}, {"Medium", 30, 10},
                         {"Large", 50, 15}, {"XL", 75, 20},  {"XXL", 100, 30}};

const Level *findLevel(const QString &name)
{
    for (const Level &l : kLevels) {
        if (name == QLatin1String(l.name))
            return &l;
    }
    return nullptr;
}
} // namespace

bool SKTGraphic::isSection() const
{
    const QString type = gridType();
    return type == QLatin1String("section") || type == QLatin1String("sectionTemplate");
}

// --- handles ------------------------------------------------------------------

float SKTGraphic::drawingHandleSize()
{
    return float(std::max(10.0 / double(handleScale()), 5.0));
}

float SKTGraphic::hitHandleSize()
{
    return 10.0f / handleScale();
}

QPointF SKTGraphic::handlePoint(const QRectF &b, int handle)
{
    const double minX = b.left(), midX = b.left() + b.width() / 2, maxX = b.left() + b.width();
    const double minY = b.top(), midY = b.top() + b.height() / 2, maxY = b.top() + b.height();
    switch (handle) {
    case 1: return {minX, minY};
    case 2: return {midX, minY};
    case 3: return {maxX, minY};
    case 4: return {minX, midY};
    case 5: return {maxX, midY};
    case 6: return {minX, maxY};
    case 7: return {midX, maxY};
    case 8: return {maxX, maxY};
    default: return {};
    }
}

int SKTGraphic::flippedHandleHorizontally(int handle)
{
    static const int table[9] = {0, 3, 2, 1, 5, 4, 8, 7, 6};
    return handle >= 0 && handle <= 8 ? table[handle] : handle;
}

int SKTGraphic::flippedHandleVertically(int handle)
{
    static const int table[9] = {0, 6, 7, 8, 4, 5, 1, 2, 3};
    return handle >= 0 && handle <= 8 ? table[handle] : handle;
}

bool SKTGraphic::showsHandles() const
{
    return m_selectable && m_formType != QLatin1String("radio") && m_formType != QLatin1String("checkbox");
}

QList<QPointF> SKTGraphic::visibleHandlePoints() const
{
    if (!showsHandles())
        return {};
    const QRectF &b = m_bounds;
    // Responsive layouts size widths by the grid: no middle-left/right handles.
    const QList<int> order = gResponsiveEdition ? QList<int>{1, 2, 7, 3, 6, 8} : QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    QList<QPointF> points;
    for (int h : order)
        points.append(handlePoint(b, h));
    return points;
}

void SKTGraphic::drawHandles(QPainter &painter)
{
    const QList<QPointF> points = visibleHandlePoints();
    if (points.isEmpty())
        return;
    for (const QPointF &p : points)
        drawHandle(painter, p);
    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(std::max(gHandleLineWidth / handleScale(), 1.0f));
    const qreal w = pen.widthF();
    pen.setDashPattern({7.0 / w, 7.0 / w}); // Qt dashes are in pen widths
    pen.setDashOffset(5.0 / w);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_bounds);
    painter.restore();
}

void SKTGraphic::drawHandle(QPainter &painter, const QPointF &point)
{
    const double s = drawingHandleSize();
    painter.save();
    const QRectF r = QRectF(point.x() - s / 2, point.y() - s / 2, s, s).toAlignedRect();
    painter.setPen(QPen(Qt::red, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(r);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(r);
    if (isSection()) {
        const QRectF bar = QRectF(point.x() - 5 * s, point.y() - s / 2, 50 * s, s).toAlignedRect();
        painter.setPen(QPen(Qt::white, 5.0));
        painter.setBrush(QColor(0x22, 0x8B, 0x22));
        painter.drawRect(bar);
    }
    painter.restore();
}

QCursor SKTGraphic::creationCursor()
{
    static const QCursor cursor = [] {
        // A thin black cross with a white rim, so it shows on any page colour;
        // the hot spot is its centre.
        constexpr int size = 17;
        constexpr int mid = size / 2;
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setPen(QPen(Qt::white, 3.0));
        p.drawLine(mid, 0, mid, size - 1);
        p.drawLine(0, mid, size - 1, mid);
        p.setPen(QPen(Qt::black, 1.0));
        p.drawLine(mid, 0, mid, size - 1);
        p.drawLine(0, mid, size - 1, mid);
        p.end();
        return QCursor(pixmap, mid, mid);
    }();
    return cursor;
}

bool SKTGraphic::isHandleAtPoint(const QPointF &h, const QPointF &point) const
{
    const double t = hitHandleSize();
    const QRectF r = isSection() ? QRectF(h.x() - 5 * t, h.y() - t / 2, 50 * t, t)
                                 : QRectF(h.x() - t / 2, h.y() - t / 2, t, t);
    return Geometry::pointInRect(point, r);
}

int SKTGraphic::handleUnderPoint(const QPointF &point) const
{
    for (int h = 1; h <= 8; ++h) {
        if (isHandleAtPoint(handlePoint(m_bounds, h), point))
            return h;
    }
    return 0;
}

bool SKTGraphic::isContentsUnderPoint(const QPointF &point)
{
    refreshSelectedColors();
    return Geometry::pointInRect(point, m_bounds);
}

QRectF SKTGraphic::drawingBounds()
{
    const double inset = className() == QLatin1String("SKTLine") ? -50.0 : -(drawingHandleSize() / 2.0);
    QRectF r = Geometry::inset(m_bounds, inset, inset);
    r = QRectF(r.x() - 2, r.y() - 2, r.width() + 4, r.height() + 4);
    if (m_rotationAngle != 0.0f) {
        QTransform t;
        r = DataCentre::transformRotatingAroundPoint(r.center(), m_rotationAngle, t).mapRect(r);
    }
    drawBoxModel();
    return r;
}

// --- resizing -------------------------------------------------------------

int SKTGraphic::resizeByMovingHandle(int k, const QPointF &p)
{
    const QRectF current = m_bounds;
    double x = current.x(), y = current.y(), w = current.width(), h = current.height();
    // The section rules below read the margins and paddings in pixels of the
    // current bounds, not of whatever size the graphic was last drawn at.
    computePixelValues();
    const bool responsive = gResponsiveEdition;
    const bool image = className() == QLatin1String("SKTImage");
    auto refuse = [&] {
        x = current.x();
        y = current.y();
        w = current.width();
        h = current.height();
    };

    // A zero height (or image without a picture) has no aspect to keep.
    float ratio = h != 0.0 ? float(w / h) : 0.0f;
    if (responsive && image) {
        const QSizeF natural = naturalImageSize();
        ratio = natural.height() > 0 ? float(natural.width() / natural.height()) : 0.0f;
    }
    const bool keepsAspect = image && std::isfinite(ratio) && ratio > 0.0f;

    if (!responsive) {
        if (isLeftHandle(k) || isRightHandle(k)) {
            if (isLeftHandle(k)) {
                w = x + w - p.x();
                x = p.x();
            } else {
                w = p.x() - x;
            }
            if (keepsAspect)
                h = w / ratio;
        }
        if (w < 0) {
            k = flippedHandleHorizontally(k);
            w = -w;
            x = x - w;
            flipHorizontally();
        }
        if (image)
            updateOriginalRect();
    }

    if (isTopHandle(k) || isBottomHandle(k)) {
        float newH = 0.0f;
        float newY = float(y);
        if (isTopHandle(k)) {
            newH = float(y + h - p.y());
            newY = float(p.y());
            if (!responsive) {
                h = newH;
                y = newY;
            }
        } else {
            newH = float(p.y() - y);
            if (!responsive)
                h = newH;
        }
        if (image && !responsive) {
            if (keepsAspect)
                w = ratio * h;
        } else if (image && responsive && keepsAspect) {
            // The image keeps the box width; paddings centre it.
            const float pad = float((w - ratio * newH) / 2.0);
            if (pad <= 0.0f || w <= 0.0) {
                refuse();
            } else {
                const int32_t percent = Geometry::clampToInt(std::trunc(pad / w * 100.0));
                setLeftPadding(percent);
                setRightPadding(percent);
                setLeftPaddingType(QStringLiteral("%"));
                setRightPaddingType(QStringLiteral("%"));
                h = newH;
                if (isTopHandle(k))
                    y = newY;
            }
        } else if (responsive) {
            h = newH;
            if (isTopHandle(k))
                y = newY;
        }
    }

    if (h < 0) {
        k = flippedHandleVertically(k);
        h = -h;
        y = y - h;
        flipVertically();
    }

    GraphicEnvironment *env = GraphicEnvironment::current();
    if (isSection()) {
        const QRectF b = current;
        const bool top = isTopHandle(k);
        const double m = top ? m_topMarginInPx + m_topPaddingInPx : m_bottomMarginInPx + m_bottomPaddingInPx;
        const QRectF strip = top ? QRectF(x, p.y(), w, m) : QRectF(x, p.y() - m, w, m);
        const QRectF probe(x, p.y(), w, 1.0);
        const double bMaxY = b.top() + b.height();
        if (env) {
            if (top) {
                if (p.y() > b.top() || p.y() > bMaxY) {
                    SKTGraphic *first = env->grabTopMostObjectInSection(*this);
                    if ((first && p.y() > first->bounds().top()) || env->isThereGraphicAtRect(strip))
                        refuse();
                } else if (env->isThereGraphicAtNewLocation(*this, strip)) {
                    refuse();
                }
            } else if (p.y() <= bMaxY) {
                SKTGraphic *last = env->grabBottomMostObjectInSection(*this);
                if ((last && last->bounds().top() + last->bounds().height() > p.y()) || env->isThereGraphicAtRect(strip))
                    refuse();
            } else if (env->isThereGraphicAtNewLocation(*this, strip)) {
                env->identifyAndPushSectionsDownwardByOnePixel(probe);
            }
        }
    } else if (gPreventOverlap) {
        const QRectF proposed(x, y, w, h);
        if (env && env->isThereGraphicAtNewLocation(*this, proposed)) {
            refuse();
            qDebug("overlap");
        }
        if (isGraphicContainedWithinSection(*this, proposed)) {
            refuse();
            qDebug("exceeded edge");
        }
    }

    setBounds(QRectF(x, y, w, h));
    return k;
}

// --- box model ------------------------------------------------------------------

void SKTGraphic::computePixelValues()
{
    const double w = m_bounds.width();
    const double h = m_bounds.height();
    auto px = [](int32_t amount, const QString &type, double extent) {
        return type == QLatin1String("%") ? float(amount / 100.0 * extent) : float(amount);
    };
    m_topMarginInPx = px(m_topMargin, m_topMarginType, h);
    m_bottomMarginInPx = px(m_bottomMargin, m_bottomMarginType, h);
    m_rightMarginInPx = px(m_rightMargin, m_rightMarginType, w);
    m_leftMarginInPx = px(m_leftMargin, m_leftMarginType, w);
    m_topPaddingInPx = px(m_topPadding, m_topPaddingType, h);
    m_bottomPaddingInPx = px(m_bottomPadding, m_bottomPaddingType, h);
    m_rightPaddingInPx = px(m_rightPadding, m_rightPaddingType, w);
    m_leftPaddingInPx = px(m_leftPadding, m_leftPaddingType, w);
}

void SKTGraphic::drawBoxModel()
{
    computePixelValues();
    const double x = m_bounds.x(), y = m_bounds.y(), w = m_bounds.width(), h = m_bounds.height();
    const double T = m_topMarginInPx, B = m_bottomMarginInPx, L = m_leftMarginInPx, R = m_rightMarginInPx;
    const double Tp = m_topPaddingInPx, Bp = m_bottomPaddingInPx, Lp = m_leftPaddingInPx, Rp = m_rightPaddingInPx;
    const double bw = m_borderWidth;
    const double half = m_borderWidth / 2; // integer division: toward zero
    m_drawRect = QRectF(x + half, y + half, w - bw, h - bw);
    m_noMarginRect = QRectF(x + L, y + T, w - R - L, h - T - B);
    m_noMarginNoBorderRect = QRectF(x + L + bw, y + T + bw, w - R - L - 2 * bw, h - T - B - 2 * bw);
    m_noPaddingNoMarginRect = QRectF(x + L + Lp, y + T + Tp, w - R - L - Rp - Lp, h - T - B - Tp - Bp);
    m_contentRect = QRectF(x + L + Lp + bw, y + T + Tp + bw, w - L - Lp - R - Rp - 2 * bw, h - T - Tp - B - Bp - 2 * bw);
}

void SKTGraphic::applyPaddingAndMargin()
{
    // The content keeps the height it has before the new levels apply. The
    // box is measured afresh rather than taken from the last drawing, which
    // may predate a bounds change or never have happened (a page not shown
    // yet would otherwise collapse to its paddings).
    drawBoxModel();
    // Sides in the order the levels apply: margins, then paddings.
    static const char *const sides[] = {"topMargin", "bottomMargin", "rightMargin", "leftMargin",
                                        "topPadding", "bottomPadding", "rightPadding", "leftPadding"};
    for (const char *side : sides) {
        const QString key = QLatin1String(side);
        const Level *l = findLevel(value(key + QStringLiteral("LevelString")).toString());
        if (!l)
            continue;
        const bool vertical = key.startsWith(QLatin1String("top")) || key.startsWith(QLatin1String("bottom"));
        // Through the change path, so the document redraws and the inspector follows.
        setValue(key, vertical ? l->vertical : l->horizontal);
        setValue(key + QStringLiteral("Type"), vertical ? QStringLiteral("pixel") : QStringLiteral("%"));
    }
    computePixelValues();
    const double newHeight = double(m_topMarginInPx) + m_topPaddingInPx + m_contentRect.height()
        + m_bottomMarginInPx + m_bottomPaddingInPx;
    const QRectF b = m_bounds;
    const int32_t diff = Geometry::clampToInt(std::trunc((b.y() + newHeight) - (b.y() + b.height())));
    if (diff > 0 && isSection()) {
        if (GraphicEnvironment *env = GraphicEnvironment::current())
            env->identifyAndPushSectionsDownwardByDifference(QRectF(b.x(), b.y() + b.height(), b.width(), diff));
    }
    setBounds(QRectF(b.x(), b.y(), b.width(), newHeight));
}

void SKTGraphic::refreshSelectedColors()
{
    const bool hasBackground = !m_backgroundHexColorString.isEmpty() && m_backgroundHexColorString != QLatin1String("CLEAR0");
    if (!hasBackground)
        setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    GraphicEnvironment *env = GraphicEnvironment::current();
    if (!env)
        return;
    env->setSelectedTextColor(DataCentre::colorOrClearWithHexString(m_textHexColorString));
    env->setSelectedShapeColor(hasBackground ? m_fillColor : QColor(Qt::transparent));
    env->setSelectedHoverColor(DataCentre::colorOrClearWithHexString(m_hoverColorString));
    env->setSelectedHoverTextColor(DataCentre::colorOrClearWithHexString(m_hoverTextColorString));
    env->setSelectedBorderColor(DataCentre::colorOrClearWithHexString(m_borderHexColorString));
    env->refreshColorButtons();
    env->refreshInspectorPanel();
}
