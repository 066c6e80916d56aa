// Copy, cut, paste and duplicate. The clipboard holds the graphics' property
// dictionaries (our own type), a copy serial so repeated pastes of one copy
// cascade, the folder of the page the copy came from (for pasted images'
// original files), and PNG and PDF pictures for other programs.
#include "canvas/CanvasHost.h"
#include "canvas/CanvasInsertions.h"
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "platform/Alerts.h"
#include "canvas/SKTRenderingView.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QTemporaryFile>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace {
const QString kSourceFolderType = QStringLiteral("application/x-zov-source-page");
// Copies made by this process; a paste compares the serial in the data with
// the one it saw last to know whether the same copy is pasted again.
int64_t gCopySerial = 0;
constexpr int kImageReadLimitMB = 256;
} // namespace

QString SKTGraphicView::copySerialMimeType()
{
    return QStringLiteral("application/x-zov-copy-serial");
}

QMimeData *SKTGraphicView::mimeDataForSelection()
{
    const QList<SKTGraphic *> selection = selectedGraphics();
    if (selection.isEmpty())
        return nullptr;
    const bool hasSlideshow = std::any_of(selection.cbegin(), selection.cend(),
                                          [](SKTGraphic *g) { return dynamic_cast<SKTSlideshow *>(g) != nullptr; });
    if (hasSlideshow) {
        alert(QStringLiteral("Slideshows do not support copy"),
              selection.size() == 1 ? QStringLiteral("Sorry slideshows can not be copied.")
                                    : QStringLiteral("Sorry slideshows can not be copied, please de-select "
                                                     "slideshows and try copying the other objects again"));
        return nullptr;
    }
    auto *data = new QMimeData;
    // Tables travel as dictionaries like every graphic: the copy is a snapshot,
    // unaffected by later edits of the originals.
    data->setData(SKTGraphic::pasteboardMimeType(), SKTGraphic::pasteboardDataWithGraphics(selection));
    data->setData(copySerialMimeType(), QByteArray::number(qint64(++gCopySerial)));
    data->setData(kSourceFolderType, (m_document ? m_document->pageFolderPath() : QString()).toUtf8());
    // Pictures for other programs, drawn as the page prints; a selection that
    // draws nothing travels without them.
    SKTRenderingView::addClipboardPictures(*data, selection);
    return data;
}

bool SKTGraphicView::copy()
{
    QMimeData *data = mimeDataForSelection();
    if (!data)
        return false;
    pasteboardSerial = gCopySerial;
    pasteCascadeNumber = 1;
    pasteCascadeDelta = QPointF(10, 10);
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

void SKTGraphicView::cut()
{
    // A copy that was refused (a slideshow) deletes nothing.
    if (!copy())
        return;
    deleteSelection();
    nameUndoAction(QStringLiteral("Cut"));
}

void SKTGraphicView::duplicate()
{
    // A table is duplicated by the insertion side, which knows its cells and sections.
    const QList<SKTGraphic *> selection = selectedGraphics();
    if (m_document && !selection.isEmpty()) {
        if (auto *table = dynamic_cast<SKTTable *>(selection.front())) {
            if (insertions()->duplicateTable(*m_document, *table, 0, QString())) {
                if (m_host)
                    m_host->refreshLayerListing();
                return;
            }
        }
    }
    QMimeData *data = mimeDataForSelection();
    if (!data)
        return;
    pasteboardSerial = gCopySerial;
    pasteCascadeNumber = 1;
    pasteCascadeDelta = QPointF(10, 10);
    pasteFromMimeData(*data);
    delete data;
    if (m_host)
        m_host->refreshLayerListing();
}

void SKTGraphicView::paste()
{
    if (const QMimeData *data = QGuiApplication::clipboard()->mimeData())
        pasteFromMimeData(*data);
    if (m_host)
        m_host->refreshLayerListing();
}

bool SKTGraphicView::pasteFromMimeData(const QMimeData &data)
{
    if (!m_document)
        return false;
    if (data.hasFormat(SKTGraphic::pasteboardMimeType())) {
        bool serialOk = false;
        const int64_t serial = data.data(copySerialMimeType()).trimmed().toLongLong(&serialOk);
        sourcePageFolder = QString::fromUtf8(data.data(kSourceFolderType));
        return pasteGraphics(data.data(SKTGraphic::pasteboardMimeType()), serialOk ? serial : -2);
    }
    if (data.hasUrls()) {
        const QList<QUrl> urls = data.urls();
        if (urls.size() == 1 && urls.first().isLocalFile())
            return pasteImageFile(urls.first().toLocalFile(), QPointF(50, 50));
        return false;
    }
    if (data.hasImage()) {
        // Picture data lands 100 points in from the visible corner.
        const QPointF corner = insertions()->visibleOrigin().value_or(QPointF());
        const QImage image = qvariant_cast<QImage>(data.imageData());
        return pasteImage(image, QStringLiteral("PNG"), QString(),
                          QPointF(std::trunc(corner.x()) + 100, std::trunc(corner.y()) + 100));
    }
    return false;
}

bool SKTGraphicView::pasteImageFile(const QString &path, const QPointF &point)
{
    const QFileInfo info(path);
    const QString extension = info.suffix().toLower();
    static const QStringList kinds = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                      QStringLiteral("gif"), QStringLiteral("bmp"), QStringLiteral("tif"),
                                      QStringLiteral("tiff"), QStringLiteral("webp")};
    if (!info.isFile() || !info.isReadable() || !kinds.contains(extension))
        return false;
    QImageReader reader(path);
    reader.setAllocationLimit(kImageReadLimitMB);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    return pasteImage(image, extension == QLatin1String("png") ? QStringLiteral("PNG") : QStringLiteral("JPG"),
                      path, point);
}

QRectF SKTGraphicView::pastedImageFrame(const QSizeF &pixels, const QPointF &point)
{
    const double limit = gMaxInsertedImageSize > 0 ? gMaxInsertedImageSize : 600;
    double w = pixels.width(), h = pixels.height();
    if (w > limit) {
        const float ratio = float(w / limit);
        h = std::trunc(h / ratio);
        w = limit;
    }
    return QRectF(point.x(), point.y(), w, std::max(1.0, h));
}

bool SKTGraphicView::pasteImage(const QImage &image, const QString &type, const QString &sourcePath,
                                const QPointF &point)
{
    if (!m_document || image.isNull())
        return false;
    const QRectF frame = pastedImageFrame(QSizeF(image.size()), point);
    SKTGraphic *inserted = insertions()->addImageIntoArray(*m_document, image, type, frame, sourcePath);
    if (!inserted)
        return false;
    nameUndoAction(QStringLiteral("Paste"));
    return true;
}
