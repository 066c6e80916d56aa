// Drops on the canvas: a colour recolours the graphic under it, local image
// files become images side by side, and palette code names insert what the
// drop table says through the insertion side.
// Anything else is refused and changes nothing.
#include "canvas/CanvasHost.h"
#include "canvas/CanvasInsertions.h"
#include "insertion/DropTables.h"
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTGraphic.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "platform/Alerts.h"

#include <QColor>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <cmath>

namespace {
const QString kSectionPrefix = QStringLiteral("zov_section");

// Only real local files are files: no remote addresses, folders or names
// that merely look like paths.
QStringList localFiles(const QMimeData &data)
{
    QStringList files;
    if (!data.hasUrls())
        return files;
    for (const QUrl &url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isFile())
            files << info.absoluteFilePath();
    }
    return files;
}

QStringList codeNamesOf(const QMimeData &data)
{
    QStringList names;
    for (const QString &line : QString::fromUtf8(data.data(SKTGraphicView::codeNameMimeType())).split(u'\n'))
        if (!line.trimmed().isEmpty())
            names << line.trimmed();
    return names;
}

QColor droppedColour(const QMimeData &data)
{
    if (!data.hasColor())
        return {};
    const QColor c = qvariant_cast<QColor>(data.colorData());
    return c.isValid() ? c : QColor();
}

bool isSectionCodeName(const QString &name)
{
    return name.size() >= 12 && name.startsWith(kSectionPrefix);
}

// Slideshows and galleries take dropped pictures into themselves, and so do
// tables (not sections) in editions whose tables hold pictures.
bool takesPictures(const SKTGraphic *graphic)
{
    if (dynamic_cast<const SKTSlideshow *>(graphic) || dynamic_cast<const SKTGalleryGrid *>(graphic))
        return true;
    return gTableImagesEnabled && dynamic_cast<const SKTTable *>(graphic) && !graphic->isSection();
}
} // namespace

SKTGraphic *SKTGraphicView::pictureContainerAt(const QPointF &point)
{
    SKTGraphic *hit = graphicPointedAt(point);
    return hit && hit->showsHandles() && takesPictures(hit) ? hit : nullptr;
}

QString SKTGraphicView::codeNameMimeType()
{
    return QStringLiteral("application/x-zov-code-name");
}

bool SKTGraphicView::canFollowDrag(const QMimeData &data) const
{
    if (!m_document)
        return false;
    if (data.hasColor() || !codeNamesOf(data).isEmpty() || !localFiles(data).isEmpty())
        return true;
    return !data.hasUrls() && data.hasImage();
}

bool SKTGraphicView::canAcceptDrop(const QMimeData &data, const QPointF &point)
{
    if (!m_document || !std::isfinite(point.x()) || !std::isfinite(point.y()))
        return false;
    if (data.hasColor())
        return droppedColour(data).isValid() && graphicUnderPoint(point) != nullptr;
    const QStringList names = codeNamesOf(data);
    const QStringList files = localFiles(data);
    if (!names.isEmpty() && isSectionCodeName(names.first()))
        return true;
    if (names.isEmpty() && !files.isEmpty() && pictureContainerAt(point))
        return true;
    if (!names.isEmpty() || !files.isEmpty()) {
        if (!gResponsiveEdition)
            return true;
        // Responsive pages take new objects only into a section's empty space.
        SKTGraphic *section = insertions()->grabOverLappingSection(*m_document, QRectF(point, QSizeF(1, 1)));
        if (!section)
            return false;
        for (SKTGraphic *g : graphicsReaching(QRectF(point, QSizeF(1, 1))))
            if (!g->isSection() && g->bounds().contains(point))
                return false;
        section->drawBoxModel();
        return section->contentRect().contains(point);
    }
    if (data.hasUrls())
        return false; // an empty list, folders, remote or missing files
    return data.hasImage();
}

bool SKTGraphicView::performDrop(const QMimeData &data, const QPointF &point)
{
    if (!canAcceptDrop(data, point))
        return false;
    lastTouchPointValue = point;
    if (data.hasColor()) {
        SKTGraphic *hit = graphicUnderPoint(point);
        if (!hit)
            return false;
        QColor colour = droppedColour(data);
        colour.setAlphaF(1.0);
        hit->setColor(colour);
        return true;
    }
    const QStringList names = codeNamesOf(data);
    const QStringList files = localFiles(data);
    // Pictures dropped onto a slideshow or a gallery go into it.
    if (names.isEmpty() && !files.isEmpty())
        if (SKTGraphic *container = pictureContainerAt(point))
            if (insertions()->addPicturesInto(*m_document, *container, files, point))
                return true;
    if (!names.isEmpty() || !files.isEmpty())
        return dropCodeNames(names, files, point);
    const QImage image = qvariant_cast<QImage>(data.imageData());
    if (image.isNull()) {
        alert(QStringLiteral("The dropped picture could not be read."), QString());
        return false;
    }
    return pasteImage(image, QStringLiteral("PNG"), QString(), point);
}

bool SKTGraphicView::dropCodeNames(const QStringList &names, const QStringList &files, const QPointF &dropped)
{
    QPointF point = dropped;
    // Form-field editions put drops on their field lattice.
    if (gFormFieldSizing && gFormFieldSize > 0) {
        const double g = gFormFieldSize;
        point = QPointF(std::trunc(std::round(point.x() / g) * g), std::trunc(std::round(point.y() / g) * g));
    }
    bool inserted = false;
    int32_t imageOffset = 0;
    // Code names come first, then the files; a name the table does not know
    // is skipped, and only the file list names files.
    for (const QString &name : names) {
        if (const std::optional<DropCodeName> row = DropTables::codeName(name)) {
            inserted = runDropRow(*row, point) || inserted;
            if (!row->goesOn)
                return inserted;
        }
        imageOffset += 50;
    }
    // The window's insertion side reads picture files on workers.
    if (!files.isEmpty() && insertions()->addImageFilesLater(*m_document, files, point, imageOffset, 50))
        return true;
    QStringList unreadable;
    for (const QString &file : files) {
        if (pasteImageFile(file, QPointF(point.x() + imageOffset, point.y())))
            inserted = true;
        else
            unreadable << QFileInfo(file).fileName();
        imageOffset += 50;
    }
    reportUnreadableFiles(unreadable);
    return inserted;
}

void SKTGraphicView::reportUnreadableFiles(const QStringList &names)
{
    if (!names.isEmpty())
        alert(QStringLiteral("The dropped files could not be read."), names.join(QLatin1Char('\n')));
}

bool SKTGraphicView::insertCodeName(const QString &codeName, const QPointF &point)
{
    if (!m_document || !insertions())
        return false;
    const std::optional<DropCodeName> row = DropTables::codeName(codeName);
    return row && runDropRow(*row, point);
}

bool SKTGraphicView::runDropRow(const DropCodeName &row, const QPointF &point)
{
    // Presets, lines, callouts and bubbles are made from the insertion
    // side's preset table like every other code name.
    CanvasInsertions &insert = *insertions();
    DropCodeName forwarded = row;
    if (row.action == QLatin1String("background")) {
        forwarded.action = insert.grabOverLappingSectionCell(*m_document, point).isNull()
                               ? QStringLiteral("newBackground")
                               : QStringLiteral("addSectionBackgroundImage");
    }
    const QPointF at = row.action == QLatin1String("addSnippet_drag")
                           ? QPointF(std::trunc(point.x()), std::trunc(point.y()))
                           : point;
    const bool made = insert.insertCodeName(*m_document, forwarded, at);
    if (row.name == QLatin1String("zov_buynowbutton")) {
        Alert a;
        a.messageText = QStringLiteral("Looking for more Buy Button styles?");
        a.informativeText = QStringLiteral("The generic snippet here will help you quickly set up a simple Buy "
                                           "Button.\n\nFor more advanced styles, please visit PayPal's website and "
                                           "use the button generator.");
        a.buttons = {QStringLiteral("OK")};
        Alerts::current().show(a, m_host ? m_host->alertWindow() : nullptr, {});
    }
    return made;
}
