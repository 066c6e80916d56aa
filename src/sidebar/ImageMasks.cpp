#include "sidebar/ImageMasks.h"

#include "model/SKTImage.h"
#include "platform/Bundle.h"
#include "platform/FilePanels.h"
#include "platform/UndoManager.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

QString ImageMasks::folder()
{
    return QDir(Bundle::resourcesPath()).filePath(QStringLiteral("image_masks"));
}

QStringList ImageMasks::maskFiles()
{
    QStringList out;
    const QDir dir(folder());
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files, QDir::Name))
        if (info.suffix() == QLatin1String("png"))
            out << info.absoluteFilePath();
    return out;
}

QImage ImageMasks::tinted(const QImage &image, const QColor &colour)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.fillRect(out.rect(), colour);
    return out;
}

namespace {
QString setMasks(SelectionProxy &selection, const QImage &mask, int flag)
{
    UndoManager *undo = selection.undoManager();
    if (undo)
        undo->beginUndoGrouping();
    for (SKTGraphic *g : selection.selectedGraphics()) {
        if (auto *image = dynamic_cast<SKTImage *>(g)) {
            image->setMaskImage(mask);
            image->setMaskFlag(flag);
            image->setBounds(image->bounds());
        }
    }
    if (undo) {
        undo->setActionName(QStringLiteral("Image Mask"));
        undo->endUndoGrouping();
        undo->closeAutomaticGroup();
    }
    return {};
}

QImage readMask(const QString &path, QString *error)
{
    QImageReader reader(path);
    reader.setAllocationLimit(64);
    const QImage image = reader.read();
    if (image.isNull())
        *error = QStringLiteral("The mask \"%1\" could not be read: %2.")
                     .arg(QFileInfo(path).fileName(), reader.errorString());
    return image;
}
} // namespace

QString ImageMasks::applyMaskFilter(SelectionProxy &selection, const QString &path)
{
    QString error;
    const QImage image = readMask(path, &error);
    if (image.isNull())
        return error;
    return setMasks(selection, tinted(image, Qt::white), 1);
}

QString ImageMasks::adjustMaskFilter(SelectionProxy &selection, bool on)
{
    if (!on)
        return setMasks(selection, QImage(), 0);
    return applyMaskFilter(selection, QDir(folder()).filePath(defaultMaskName()));
}

void ImageMasks::selectCustomImageAsMask(SelectionProxy &selection, QObject *window,
                                         const std::function<void(const QString &)> &report)
{
    OpenPanelOptions options;
    options.prompt = QStringLiteral("Select");
    options.title = QStringLiteral("Select image");
    options.allowedTypes = {QStringLiteral("png"), QStringLiteral("PNG")};
    options.allowsMultipleSelection = true;
    FilePanels::current().showOpenPanel(options, window, [&selection, report](const QStringList &paths) {
        for (const QString &path : paths) {
            const QString error = applyMaskFilter(selection, path);
            if (!error.isEmpty() && report)
                report(error);
        }
    });
}
