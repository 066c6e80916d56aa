#pragma once
// One page of the listing: its screenshot, title, published name and time,
// with a green frame when it is the page shown. Every click inside the
// button is the button's own, and a drag of it carries the page's file name
// for reordering the listing.
#include "window/PageEntry.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

class ZovNSButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFrameWidth = 5;

    explicit ZovNSButton(QWidget *parent = nullptr);

    PageEntry entry;
    QImage image;
    QRect imageFrame;     // where the screenshot sits in the button
    QStringList captions; // shown under the screenshot, one a line
    QColor buttonColor;   // painted over the drawing when valid
    bool editModeFlag = false;
    int tag = 0;

    bool borderFlag() const { return entry.borderFlag; }
    void setBorderFlag(bool on) { entry.borderFlag = on; }

    // The green of the frame.
    static QColor frameColour() { return QColor(0x3D, 0x91, 0x40); }

signals:
    void clicked(int tag);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPoint pressPoint_;
    bool pressed_ = false;
};
