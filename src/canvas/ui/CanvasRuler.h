#pragma once
// One of the two rulers beside the canvas: canvas units with a tick every
// 10 and a number every 100 (at the zoom shown), and the echo lines of a
// rectangle being moved or resized (its two edges and its middle).
#include <QRectF>
#include <QWidget>

class CanvasRuler : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThickness = 20;
    CanvasRuler(Qt::Orientation orientation, QWidget *parent = nullptr);

    void setZoom(double zoom);
    // The canvas coordinate at the ruler's start (the scroll position).
    void setOrigin(double origin);
    void setEcho(const QRectF &rect);
    // The echo lines in canvas coordinates: start, middle, end; empty when none.
    QList<double> echoLines() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::Orientation m_orientation;
    double m_zoom = 1.0;
    double m_origin = 0;
    QRectF m_echo;
};
