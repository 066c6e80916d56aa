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
#include "model/SKTText.h"
#include "platform/Alerts.h"
#include "printing/SKTRenderingView.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QRegularExpression>
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

bool isPlainImageName(const QString &name, const QString &type)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]+$"));
    return plain.match(name).hasMatch() && (type == QLatin1String("JPG") || type == QLatin1String("PNG"));
}
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
            if (insertions()->duplicateTable(*m_document, *table, 0)) {
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
        const QImage image = qvariant_cast<QImage>(data.imageData());
        return pasteImage(image, QStringLiteral("PNG"), QString(), QPointF(100, 100));
    }
    return false;
}

bool SKTGraphicView::pasteGraphics(const QByteArray &payload, int64_t serial)
{
    QString error;
    QList<std::shared_ptr<SKTGraphic>> pasted = SKTGraphic::graphicsWithPasteboardData(payload, &error);
    if (!error.isEmpty()) {
        alert(QStringLiteral("The clipboard could not be read."), error);
        return false;
    }
    pasted.removeAll(nullptr);
    if (serial != pasteboardSerial || serial < 0) {
        pasteboardSerial = serial;
        pasteCascadeNumber = 0;
        pasteCascadeDelta = QPointF(10, 10);
    }
    if (pasted.isEmpty())
        return false;
    QList<SKTGraphic *> raw, sections, others;
    for (const auto &g : pasted) {
        raw.append(g.get());
        (g->gridType() == QLatin1String("section") ? sections : others).append(g.get());
    }
    if (gPreventOverlap) {
        pasteCascadeDelta = QPointF(0, 0);
        pasteCascadeNumber = 0;
    } else if (pasteCascadeNumber > 0) {
        SKTGraphic::translateGraphics(others, pasteCascadeNumber * pasteCascadeDelta.x(),
                                      pasteCascadeNumber * pasteCascadeDelta.y());
    }
    ++pasteCascadeNumber;

    // Sections are stacked from the last click down, 50 points apart; the
    // other graphics keep their place unless a section cell is under the
    // click, whose left edge they then start at.
    if (!sections.isEmpty()) {
        std::stable_sort(sections.begin(), sections.end(),
                         [](SKTGraphic *a, SKTGraphic *b) { return a->yPosition() < b->yPosition(); });
        double y = std::trunc(lastTouchPointValue.y());
        for (SKTGraphic *section : sections) {
            const double dy = y - section->yPosition();
            SKTGraphic::translateGraphics({section}, 0, dy);
            y += section->height() + 50;
        }
    } else if (gSectionAwarePaste) {
        const QRectF cell = insertions()->grabOverLappingSectionCell(*m_document, lastTouchPointValue);
        if (!cell.isNull()) {
            const QRectF b = SKTGraphic::boundsOfGraphics(others);
            SKTGraphic::translateGraphics(others, std::trunc(cell.x() - b.x()),
                                          std::trunc(lastTouchPointValue.y()) - std::trunc(b.y()));
        }
    }

    // Images get new names; their original files come from the page they
    // were copied from, for plain names of our two kinds only.
    for (SKTGraphic *g : raw) {
        auto *image = dynamic_cast<SKTImage *>(g);
        if (!image)
            continue;
        image->setSlideShowNumber(-99);
        const QString oldName = image->imageName();
        const QString type = image->imageType();
        const QString newName = nextImageName();
        image->setTemplateName(QString());
        if (!newName.isEmpty())
            image->setImageName(newName);
        if (isPlainImageName(oldName, type) && isPlainImageName(newName, type))
            insertions()->makeCopyOfOriginalImage(sourcePageFolder,
                                                  QStringLiteral("%1o.%2").arg(oldName, type),
                                                  QStringLiteral("%1o.%2").arg(newName, type));
    }

    QList<qsizetype> indexes;
    for (qsizetype i = 0; i < pasted.size(); ++i)
        indexes.append(i);
    m_document->insertGraphics(pasted, indexes);
    if (gSectionAwarePaste) {
        // Pasted pictures and texts belong to the section cell they landed in,
        // and a text's section lays its objects out again.
        CanvasInsertions &sections = *insertions();
        for (SKTGraphic *g : raw) {
            const bool text = dynamic_cast<SKTText *>(g) != nullptr;
            if (!text && !dynamic_cast<SKTImage *>(g))
                continue;
            const QPointF origin = g->bounds().topLeft();
            sections.applySection(*m_document, *g, origin);
            if (text)
                if (SKTGraphic *section = sections.grabOverLappingSection(*m_document, QRectF(origin, QSizeF(1, 1))))
                    reAlignSectionObjects(*section);
        }
    }
    setSelectedGraphics(raw);
    nameUndoAction(QStringLiteral("Paste"));
    return true;
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

bool SKTGraphicView::pasteImage(const QImage &image, const QString &type, const QString &sourcePath,
                                const QPointF &point)
{
    if (!m_document || image.isNull())
        return false;
    const double limit = gMaxInsertedImageSize > 0 ? gMaxInsertedImageSize : 600;
    double w = image.width(), h = image.height();
    if (w > limit) {
        const float ratio = float(w / limit);
        h = std::trunc(h / ratio);
        w = limit;
    }
    const QRectF frame(point.x(), point.y(), w, std::max(1.0, h));
    SKTGraphic *inserted = insertions()->addImageIntoArray(*m_document, image, type, frame, sourcePath);
    if (!inserted)
        return false;
    nameUndoAction(QStringLiteral("Paste"));
    return true;
}
