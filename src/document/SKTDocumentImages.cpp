// The document's side of the page image files: the slide crop of responsive
// editions, shrinking the originals, and the check that originals reached
// the disk.
#include "document/SKTDocument.h"

#include "config/DataCentreImages.h"
#include "config/EditionSettings.h"
#include "document/Escape.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "platform/Alerts.h"
#include "platform/SafeFileWrite.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QFileInfo>

QSize SKTDocument::croppedRetinaSize(const ImageElement &image, const QSize &scaled) const
{
    const int32_t index = image.slideShowNumber();
    if (!gResponsiveEdition || index == -99 || index < 0 || index >= slideshowArray.size() || scaled.isEmpty())
        return scaled;
    const SKTSlideshow *show = slideshowArray[index];
    if (!show)
        return scaled;
    return QSize(scaled.width(), std::min(scaled.height(), std::max(1, int(show->bounds().height()))));
}

QImage SKTDocument::cropRetinaToSlideshow(const ImageElement &image, const QImage &scaled, bool *cropped) const
{
    *cropped = false;
    if (scaled.isNull())
        return scaled;
    const int32_t index = image.slideShowNumber();
    if (!gResponsiveEdition || index == -99 || index < 0 || index >= slideshowArray.size() || !slideshowArray[index])
        return scaled;
    const QSize size = croppedRetinaSize(image, scaled.size());
    const QRectF rect(0, 0, size.width(), size.height());
    *cropped = true;
    return DataCentreImages::cropImage(scaled, rect, rect);
}

void SKTDocument::noteFilesOfPicturesAsRead()
{
    auto note = [this](const ImageElement &image) {
        const LazyPicture picture = image.pictureAsRead();
        if (picture.isAsRead())
            picture.setFilesMadeFor(retinaTarget(image));
    };
    for (const auto &graphic : graphics()) {
        if (auto *image = dynamic_cast<SKTImage *>(graphic.get())) {
            note(ImageElement(image));
        } else if (auto *show = dynamic_cast<SKTSlideshow *>(graphic.get())) {
            for (const auto &slide : show->imageArray())
                note(ImageElement(slide));
        } else if (auto *grid = dynamic_cast<GridGraphic *>(graphic.get())) {
            for (const auto &member : grid->imageArray())
                note(ImageElement(member));
            if (auto *table = dynamic_cast<SKTTable *>(grid); table && table->tableBackgroundImage())
                note(ImageElement(table->tableBackgroundImage()));
        }
    }
}

bool SKTDocument::compressAllOriginals()
{
    int32_t maximum = UserDefaults::standard().integerForKey(QStringLiteral("DovrinMaxImageSize"));
    if (maximum <= 0)
        maximum = 1500;
    const QFileInfo page(pagePath);
    const QDir folder(QDir(page.path()).filePath(page.completeBaseName()));
    bool ok = true;
    bool changed = false;
    for (SKTImage *graphic : images()) {
        const ImageElement image(graphic);
        const QString name = image.imageName();
        const QString type = image.imageType();
        if (!Escape::isPlainName(name) || !Escape::isPlainName(type))
            continue;
        QImage source = image.picture();
        if (source.isNull())
            continue;
        if (source.width() > maximum) {
            const double factor = double(source.width()) / maximum;
            source = DataCentreImages::imageWithImage(source, QSizeF(maximum, std::max(1.0, std::floor(source.height() / factor))));
        }
        // Encoded by its type: a ".JPG" original holds JPEG data.
        const QByteArray data = type == QLatin1String("JPG") ? DataCentreImages::JPEGRepresentationOfImage(source, 1.0f)
                                                             : DataCentreImages::PNGRepresentationOfImage(source);
        const QString path = folder.filePath(name + QStringLiteral("o.") + type);
        QString error;
        if (data.isEmpty() || !SafeFileWrite::write(path, data, &error)) {
            Alerts::inform(QStringLiteral("Not able to save"),
                           error.isEmpty() ? QStringLiteral("%1: the picture could not be encoded").arg(path) : error,
                           windowHooks.window);
            ok = false;
            break;
        }
        changed = true;
    }
    if (changed) {
        // The package must be written again, even though the page text is the same.
        ++documentChangedCounter;
        updateChangeCount();
    }
    if (ok)
        Alerts::inform(QStringLiteral("All Images Compressed"), {}, windowHooks.window, Alert::Style::Informational);
    return ok;
}

void SKTDocument::checkToMakeSureOriginalImagesAreSavedProperly()
{
    if (ignoreImageSaveErrorFlag || originalImagesLookSaved())
        return;
    Alert alert;
    alert.messageText = QStringLiteral("Could not save image");
    alert.informativeText =
        QStringLiteral("Sorry, images may not have saved properly, please review and try saving this file again.");
    alert.buttons = {QStringLiteral("Try again"), QStringLiteral("Ignore")};
    Alerts::ask(alert, windowHooks.window, [this](int response) {
        if (response == Alert::FirstButton)
            ++documentChangedCounter;
        else
            ignoreImageSaveErrorFlag = true;
    });
}
