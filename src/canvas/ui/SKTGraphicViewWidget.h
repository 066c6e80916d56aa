#pragma once
// The canvas on screen: paints an SKTGraphicView at the zoom factor and turns
// Qt's mouse, key, focus and drop events into its operations. All editing
// rules live in the view; this class only translates.
#include "model/ui/TextGraphicEditor.h"

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>

class SKTGraphic;
class SKTGraphicView;
class TextGraphicEditor;

class SKTGraphicViewWidget : public QWidget {
    Q_OBJECT
public:
    explicit SKTGraphicViewWidget(SKTGraphicView &view, QWidget *parent = nullptr);
    ~SKTGraphicViewWidget() override;

    SKTGraphicView &view() const { return m_view; }
    double zoomFactor() const { return m_zoom; }
    void setZoomFactor(double factor);
    QPointF canvasPoint(const QPointF &widgetPoint) const { return widgetPoint / m_zoom; }
    TextGraphicEditor *editor() const { return m_editor; }
    // The menu a right click opens (the canvas's context menu); not owned.
    void setContextMenu(QMenu *menu) { m_contextMenu = menu; }
    QMenu *contextMenu() const { return m_contextMenu; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void updateCanvasRect(const QRectF &rect);
    void flushDirty();
    // Draws band (widget coordinates) into m_band and copies it to target.
    void paintBand(QPainter &target, const QRect &band, QImage::Format format);
    void startEditor(SKTGraphic *graphic);
    void stopEditor();
    void resizeToCanvas();

    SKTGraphicView &m_view;
    double m_zoom = 1.0;
    QPointer<TextGraphicEditor> m_editor;
    QPointer<QMenu> m_contextMenu;
    // Rectangles asked for in this pass of the event loop; many become one.
    QList<QRect> m_dirty;
    QRect m_dirtyBounds;
    static constexpr int kMaxDirtyRects = 24;
    static constexpr int kMaxRegionParts = 128;
    // Repaints are drawn through this image, a band of rows at a time, of
    // about this many pixels at most.
    QImage m_band;
    static constexpr double kBandPixels = 1 << 20;
};
