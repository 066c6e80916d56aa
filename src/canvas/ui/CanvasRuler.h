#pragma once
// One of the two rulers beside the canvas: marks and numbers in a named
// ruler unit (points, inches, centimetres …, see RulerUnits) at the zoom
// shown, and the echo lines of a rectangle being moved or resized (its two
// edges and its middle).
#include "config/RulerUnits.h"

#include <QRectF>
#include <QWidget>

// One mark of a ruler: where it falls (pixels from the ruler's start), how
// fine it is (0 = a numbered mark, higher = shorter) and its number.
struct RulerMark {
    int at = 0;
    int level = 0;
    QString label;
};

class CanvasRuler : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThickness = 20;
    CanvasRuler(Qt::Orientation orientation, QWidget *parent = nullptr);

    void setZoom(double zoom);
    // The canvas coordinate at the ruler's start (the scroll position).
    void setOrigin(double origin);
    void setEcho(const QRectF &rect);
    // The unit the marks are measured in, by its registered name; a name
    // that is not registered measures in points. The unit is looked up at
    // each drawing, so a print sheet re-registering "Inches" is followed.
    void setUnitName(const QString &name);
    QString unitName() const { return m_unitName; }
    RulerUnit unit() const;
    // The marks of a ruler length pixels long whose start shows the canvas
    // coordinate origin: numbers at whole units stepped up by the unit's
    // cycle until they stand apart, finer marks stepped down by its cycle.
    static QList<RulerMark> marks(const RulerUnit &unit, double origin, double zoom, int length);
    QList<RulerMark> marks() const;
    // The echo lines in canvas coordinates: start, middle, end; empty when none.
    QList<double> echoLines() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::Orientation m_orientation;
    double m_zoom = 1.0;
    double m_origin = 0;
    QRectF m_echo;
    QString m_unitName = QStringLiteral("Points");
};
