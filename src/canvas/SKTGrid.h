#pragma once
// The canvas's alignment grid: a square lattice that can be drawn under the
// graphics and that points snap to. The choices are kept in the user
// defaults. Changing the spacing while the grid is not always shown shows it
// for one second, so the user sees the new spacing. Editions that size form
// fields use a fixed grid: always shown, always snapping, their field size.
#include <QColor>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QTimer>

class QPainter;

class SKTGrid : public QObject {
    Q_OBJECT
public:
    explicit SKTGrid(QObject *parent = nullptr);

    QColor color() const { return m_color; }
    double spacing() const { return m_spacing; }
    void setSpacing(double spacing);
    bool isAlwaysShown() const { return m_isAlwaysShown; }
    void setAlwaysShown(bool on);
    bool isConstraining() const { return m_isConstraining; }
    void setConstraining(bool on);

    bool isUsable() const { return m_spacing > 0; }
    bool canAlign() const { return isUsable(); }
    bool canSetColor() const { return m_isAlwaysShown && isUsable(); }
    bool canSetSpacing() const { return m_isAlwaysShown || m_isConstraining; }
    // Drawn now: always, or for the second after a spacing change.
    bool isShowing() const { return isUsable() && (m_isAlwaysShown || m_hidingTimer.isActive()); }

    QPointF constrainedPoint(const QPointF &point) const;
    QRectF alignedRect(const QRectF &rect) const;
    // Draws the lattice inside rect. devicePixelsPerPoint is the zoom: lines
    // that would lie closer than 2 device pixels are not drawn at all, so a
    // tiny spacing cannot flood the painter with millions of lines.
    void drawRect(QPainter &painter, const QRectF &rect, double devicePixelsPerPoint = 1.0) const;

    static constexpr int kShowAfterChangeMs = 1000;

signals:
    // Any of colour, spacing, always shown or constraining, or the temporary showing, changed.
    void changed();

private:
    void stopShowingGridForTimer();

    QColor m_color = QColor(Qt::lightGray);
    double m_spacing = 9.0;
    bool m_isAlwaysShown = false;
    bool m_isConstraining = false;
    QTimer m_hidingTimer;
};
