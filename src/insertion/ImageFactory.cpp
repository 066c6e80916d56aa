#include "insertion/ImageFactory.h"

#include "config/DataCentreColours.h"
#include "config/DataCentreImages.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionStep.h"
#include "insertion/PageImageService.h"
#include "insertion/PictureBatch.h"
#include "insertion/SectionOperations.h"
#include "platform/Alerts.h"
#include "platform/UserDefaults.h"

#include <QDateTime>
#include <QFileInfo>
#include <cmath>

QSizeF ImageFactory::displaySizeFor(const QSizeF &pixelSize)
{
    const int32_t limit = gMaxInsertedImageSize != 0 ? gMaxInsertedImageSize : 600;
    if (pixelSize.width() > limit) {
        const float ratio = float(pixelSize.width()) / float(limit);
        return {double(limit), std::trunc(pixelSize.height() / ratio)};
    }
    return pixelSize;
}

void ImageFactory::refuse(const QString &file, const QString &why)
{
    Alert alert;
    alert.messageText = file.isEmpty() ? QStringLiteral("The picture could not be inserted")
                                       : QStringLiteral("\"%1\" could not be inserted").arg(file);
    alert.informativeText = why;
    m_frame.context().alerts().show(alert, m_frame.context().window(), {});
}

std::shared_ptr<SKTGraphic> ImageFactory::addImageIntoArray(const ImageInsertion &in)
{
    const QString fileName = QFileInfo(in.sourceFile).fileName();
    if (in.picture.isNull() || in.picture.width() <= 0 || in.picture.height() <= 0) {
        refuse(fileName, QStringLiteral("The picture is empty."));
        return {};
    }
    SKTDocument &doc = m_frame.document();
    InsertionStep step(doc, QStringLiteral("Insert Image"));
    PageImageService images(doc);
    const QString name = images.getNextImageName();
    QString error;
    if (!images.saveOriginalImage(in.picture, name, in.type, in.sourceFile, in.pixelSize, &error,
                                   in.originalData)) {
        refuse(fileName, error);
        return {};
    }
    doc.documentChangedCounter += 1;
    gImageType = in.type;
    gRetinaFlag = UserDefaults::standard().integerForKey(QStringLiteral("DovrinRetinaFlag"));

    QRectF frame = in.frame;
    int32_t sidePadding = 0;
    if (gResponsiveEdition) {
        const QRectF cell = m_frame.grabSectionRect(in.point, QRectF(in.point, in.pixelSize));
        const double capH = std::trunc(std::min(300.0, cell.height()));
        const double h = std::trunc(std::min(capH, in.pixelSize.height()));
        const float perWidth = in.pixelSize.width() > 0 ? float(in.pixelSize.height() / in.pixelSize.width()) : 1.0f;
        const double w = perWidth > 0 ? std::trunc(float(h) / perWidth) : h;
        const double W = cell.width() > w ? w : std::trunc(cell.width());
        const QSizeF fitted = DataCentreImages::returnNewSizeMatchWidthRegardlessOfHeight(
            QSizeF(std::trunc(in.displaySize.width()), in.displaySize.height()), int32_t(W));
        frame = QRectF(cell.x(), cell.y(), cell.width(), fitted.height());
        SectionOperations(m_frame.context()).shiftObjectsInSection(in.point, frame);
        const float pad = std::max(0.0f, float(cell.width() - W) * 0.5f);
        sidePadding = cell.width() > 0 ? int32_t(std::trunc(pad / float(cell.width()) * 100)) : 0;
    }

    GraphicProperties p;
    for (const char *side : {"top", "bottom", "left", "right"}) {
        const QString s = QLatin1String(side);
        const bool horizontal = s == QLatin1String("left") || s == QLatin1String("right");
        p.setIntString(s + QStringLiteral("Padding"), horizontal ? sidePadding : 0);
        p.setIntString(s + QStringLiteral("Margin"), 0);
        p.setString(s + QStringLiteral("PaddingType"), QStringLiteral("%"));
        p.setString(s + QStringLiteral("MarginType"), QStringLiteral("%"));
    }
    p.setRect(QStringLiteral("bounds"), frame);
    p.setFloatString(QStringLiteral("opacity"), 1.0);
    p.setIntString(QStringLiteral("shadowFlag"), in.shadow);
    p.setString(QStringLiteral("link"), in.link.isNull() ? QStringLiteral("") : in.link);
    p.setString(QStringLiteral("imageName"), name);
    p.setString(QStringLiteral("imageType"), in.type);
    p.setDate(QStringLiteral("imageLastModDate"), QDateTime::currentDateTime());
    p.setString(QStringLiteral("textType"), QStringLiteral(""));
    p.setString(QStringLiteral("textHexColorString"), QStringLiteral("000000"));
    // A picture's fill is stored in no page and every opening gives it
    // white; a new one starts so, or its swatch would change at the first
    // opening of its page.
    p.setString(QStringLiteral("backgroundHexColorString"), QStringLiteral("FFFFFF"));
    p.setIntString(QStringLiteral("imageEnlargeFlag"), in.imageEnlargeFlag);
    p.setString(QStringLiteral("backdropLightingFlag"), QStringLiteral("2"));
    p.setString(QStringLiteral("retinaFlag"), gRetinaFlag != 0 ? QStringLiteral("1") : QStringLiteral("0"));
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.setImage(QStringLiteral("contents"), in.picture);
    p.setIntString(QStringLiteral("groupNumber"), in.groupNumber);
    p.setString(QStringLiteral("borderStyle"), in.borderStyle);
    p.setIntString(QStringLiteral("borderWidth"), in.borderWidth);
    p.setString(QStringLiteral("borderHexColorString"), in.borderHexColorString);
    p.setColour(QStringLiteral("borderColor"), DataCentreColours::colorWithHexString(in.borderHexColorString));
    p.setString(QStringLiteral("bubbleShape"), in.bubbleShape);
    p.setString(QStringLiteral("bubbleFlag"), in.bubbleFlag == 1 ? QStringLiteral("1") : QStringLiteral("0"));

    auto graphic = InsertionFrame::makeGraphic(QStringLiteral("SKTImage"), p);
    if (!graphic)
        return {};
    if (gResponsiveEdition)
        m_frame.applySection(in.point, *graphic);
    m_frame.insertAtFront(graphic);
    return graphic;
}

QList<std::shared_ptr<SKTGraphic>> ImageFactory::addPictureFiles(const QStringList &paths, const QPointF &point)
{
    QList<std::shared_ptr<SKTGraphic>> inserted;
    PictureBatch batch(m_frame.document(), QStringLiteral("Adding pictures"));
    batch.addPictureFiles(paths, PageImageService::originalSizeLimit());
    batch.runNow([&](QList<PictureLoad> &loads) { inserted = ImageFactory(m_frame).placePictureFiles(loads, point); });
    return inserted;
}

void ImageFactory::addPictureFilesLater(const QStringList &paths, const QPointF &point, InsertionFrameRunner frames,
                                        std::function<void(const QList<std::shared_ptr<SKTGraphic>> &)> done)
{
    SKTDocument *document = &m_frame.document();
    PictureBatch batch(*document, QStringLiteral("Adding pictures"));
    batch.addPictureFiles(paths, PageImageService::originalSizeLimit());
    batch.start(
        [document, point, frames, done](QList<PictureLoad> &loads) {
            QList<std::shared_ptr<SKTGraphic>> inserted;
            if (frames)
                frames([&](InsertionFrame &frame) {
                    // The window may show another document by now.
                    if (&frame.document() == document)
                        inserted = ImageFactory(frame).placePictureFiles(loads, point);
                });
            if (done)
                done(inserted);
        },
        [done](QList<PictureLoad> &) {
            if (done)
                done({});
        });
}

QList<std::shared_ptr<SKTGraphic>> ImageFactory::placePictureFiles(const QList<PictureLoad> &loads,
                                                                   const QPointF &point)
{
    QList<std::shared_ptr<SKTGraphic>> inserted;
    QStringList refused;
    InsertionStep step(m_frame.document(), QStringLiteral("Insert Image"));
    QPointF at(std::trunc(point.x()), std::trunc(point.y()));
    for (const PictureLoad &load : loads) {
        if (!load.error.isEmpty()) {
            refused.append(QStringLiteral("\"%1\": %2").arg(QFileInfo(load.path).fileName(), load.error));
            continue;
        }
        ImageInsertion in;
        in.picture = load.image;
        in.type = load.type;
        in.point = at;
        in.sourceFile = load.path;
        in.originalData = load.original;
        in.pixelSize = load.pixelSize;
        in.displaySize = displaySizeFor(load.pixelSize);
        in.frame = QRectF(at, in.displaySize);
        if (auto graphic = addImageIntoArray(in)) {
            inserted.append(graphic);
            at.rx() += std::trunc(in.displaySize.width()) + 10;
        }
    }
    if (!refused.isEmpty()) {
        Alert alert;
        alert.messageText = refused.size() == 1 ? QStringLiteral("A picture could not be inserted")
                                                : QStringLiteral("Some pictures could not be inserted");
        alert.informativeText = refused.join(QLatin1Char('\n'));
        m_frame.context().alerts().show(alert, m_frame.context().window(), {});
    }
    return inserted;
}
