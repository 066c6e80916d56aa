// Drops on the canvas: a colour colours the graphic under it, a local image
// file becomes an image, a palette code name asks the insertion side to make
// its graphic. Anything else is refused and changes nothing.
#include "canvas/CanvasInsertions.h"
#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"

#include <QColor>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <cmath>

namespace {
QString singleLocalFile(const QMimeData &data)
{
    if (!data.hasUrls())
        return {};
    const QList<QUrl> urls = data.urls();
    // An empty list is no drop; only real local files are files.
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return {};
    const QFileInfo info(urls.first().toLocalFile());
    return info.isFile() ? info.absoluteFilePath() : QString();
}

QColor droppedColour(const QMimeData &data)
{
    if (!data.hasColor())
        return {};
    const QColor c = qvariant_cast<QColor>(data.colorData());
    return c.isValid() ? c : QColor();
}
} // namespace

QString SKTGraphicView::codeNameMimeType()
{
    return QStringLiteral("application/x-zov-code-name");
}

bool SKTGraphicView::canAcceptDrop(const QMimeData &data) const
{
    if (!m_document)
        return false;
    if (droppedColour(data).isValid())
        return true;
    if (data.hasFormat(codeNameMimeType()))
        return !data.data(codeNameMimeType()).trimmed().isEmpty();
    return !singleLocalFile(data).isEmpty();
}

bool SKTGraphicView::performDrop(const QMimeData &data, const QPointF &point)
{
    if (!canAcceptDrop(data) || !std::isfinite(point.x()) || !std::isfinite(point.y()))
        return false;
    lastTouchPointValue = point;
    const QColor colour = droppedColour(data);
    if (colour.isValid()) {
        SKTGraphic *hit = graphicUnderPoint(point);
        if (!hit)
            return false;
        hit->setColor(colour);
        nameUndoAction(QStringLiteral("Set Color"));
        return true;
    }
    if (data.hasFormat(codeNameMimeType())) {
        const QString name = QString::fromUtf8(data.data(codeNameMimeType())).trimmed();
        return insertions()->insertCodeName(*m_document, name, point);
    }
    return pasteImageFile(singleLocalFile(data), point);
}
