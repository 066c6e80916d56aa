#pragma once
// The one renderer of graphics: the same drawing for the canvas (a widget),
// screenshots and page pictures (a QImage), printing (a QPrinter) and PDF (a
// QPdfWriter). The first graphic of a list is the front-most, so the list is
// drawn from its end; each graphic draws in its own saved state, clipped to
// its drawing bounds, and a graphic that fails to draw is skipped.
#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>

class QPainter;
class QPaintDevice;
class SKTGraphic;

struct RenderOptions {
    // Dashed guides, captions and slideshow arrows: on the canvas only.
    bool editingAids = true;
    // The graphic being created or edited in place (its text is shown by the editor).
    const SKTGraphic *beingEdited = nullptr;
    // Graphics whose selection handles are drawn over everything.
    QList<const SKTGraphic *> selection;
    // Only graphics reaching into this rectangle are drawn; empty: all.
    QRectF exposed;
};

class GraphicRenderer {
public:
    static void render(QPainter &painter, const QList<SKTGraphic *> &graphics, const RenderOptions &options = {});
    // A picture of the canvas area (0, 0, size) at the given scale over a background.
    static QImage renderImage(const QList<SKTGraphic *> &graphics, const QSize &canvasSize,
                              const QColor &background = Qt::white, double scale = 1.0,
                              const RenderOptions &options = paperOptions());
    // A one-page PDF of the canvas size (one canvas pixel per point).
    static bool renderPdf(const QList<SKTGraphic *> &graphics, const QSizeF &canvasSize, const QString &path);
    // The canvas scaled to fit any paint device (a QPrinter page, a PDF
    // writer, a picture) keeping its proportions, from the top-left corner.
    static bool renderFitted(QPaintDevice &device, const QList<SKTGraphic *> &graphics, const QSizeF &canvasSize,
                             const RenderOptions &options = paperOptions());
    // The front-most graphic whose contents lie under the point, or null.
    static SKTGraphic *graphicAt(const QList<SKTGraphic *> &graphics, const QPointF &point);
    // Options for output that leaves the canvas: no editing aids, no handles.
    static RenderOptions paperOptions();
};
