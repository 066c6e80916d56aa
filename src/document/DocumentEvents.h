#pragma once
// What a page document tells the windows and panels that show it. The
// document itself is no QObject; it owns one of these.
#include <QObject>
#include <QSizeF>

class SKTGraphic;

class DocumentEvents : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // The size the canvas shows may have changed (page settings, a read).
    void canvasSizeChanged(QSizeF size);
    // Graphics were inserted or removed.
    void graphicsChanged();
    // A graphic's look changed: redraw it.
    void graphicNeedsDisplay(SKTGraphic *graphic);
    // The document became edited or clean.
    void editedChanged(bool edited);
    // The window title to show.
    void titleChanged(const QString &title);
};
