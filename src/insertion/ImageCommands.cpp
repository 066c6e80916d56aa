#include "insertion/ImageCommands.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/ImageFactory.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/PageImageService.h"
#include "model/SKTImage.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfDocument>
#include <QSaveFile>
#include <QUuid>
#include <cmath>
#include <limits>

namespace {
int32_t whole(double v) { return int32_t(std::trunc(v)); }

// A copy of an original file kept outside the page until no undo step
// needs it any more.
class AsideFile {
public:
    static std::shared_ptr<AsideFile> copyOf(const QString &path)
    {
        if (!QFile::exists(path))
            return {};
        const QString folder = QDir(gWorkFolder.isEmpty() ? QDir::tempPath() : gWorkFolder)
                                   .filePath(QStringLiteral("replaced-originals"));
        QDir().mkpath(folder);
        const QString aside = QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
        if (!QFile::copy(path, aside))
            return {};
        return std::shared_ptr<AsideFile>(new AsideFile(aside));
    }
    ~AsideFile() { QFile::remove(m_path); }
    bool restoreTo(const QString &path) const
    {
        QFile in(m_path);
        if (!in.open(QIODevice::ReadOnly))
            return false;
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly))
            return false;
        out.write(in.readAll());
        return out.commit();
    }

private:
    explicit AsideFile(QString path) : m_path(std::move(path)) {}
    QString m_path;
};

QString originalPath(const QString &folder, const QString &name, const QString &type)
{
    return QDir(folder).filePath(QStringLiteral("%1o.%2").arg(name, type));
}

// What a replacement changes, the original file included.
struct PictureState {
    QImage contents, input;
    QRectF bounds;
    QString type;
    std::shared_ptr<AsideFile> original;

    static PictureState capture(SKTImage &image, const QString &folder)
    {
        return {image.contents(), image.inputImage(), image.bounds(), image.imageType(),
                AsideFile::copyOf(originalPath(folder, image.imageName(), image.imageType()))};
    }
    void apply(SKTImage &image, const QString &folder) const
    {
        QFile::remove(originalPath(folder, image.imageName(), image.imageType()));
        if (original)
            original->restoreTo(originalPath(folder, image.imageName(), type));
        image.setImageType(type);
        image.setInputImage(input);
        image.setContents(contents);
        image.setBounds(bounds);
    }
};

void registerReturn(SKTDocument &document, const std::shared_ptr<SKTGraphic> &graphic, const QString &folder,
                    const PictureState &state)
{
    document.undoManager().registerUndo([&document, graphic, folder, state] {
        auto *image = dynamic_cast<SKTImage *>(graphic.get());
        if (!image)
            return;
        registerReturn(document, graphic, folder, PictureState::capture(*image, folder));
        document.undoManager().disableUndoRegistration();
        state.apply(*image, folder);
        document.undoManager().enableUndoRegistration();
    });
}

QByteArray encode(const QImage &picture, const QString &type)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (type == QLatin1String("PNG"))
        picture.save(&buffer, "PNG");
    else
        picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG", 100);
    return bytes;
}
} // namespace

void ImageCommands::refuse(const QString &message, const QStringList &reasons)
{
    Alert alert;
    alert.messageText = message;
    alert.informativeText = reasons.join(QLatin1Char('\n'));
    m_frame.context().alerts().show(alert, m_frame.context().window(), {});
}

void ImageCommands::addNewImage()
{
    addNewImage_drag(m_frame.calculateOriginPoint());
}

OpenPanelOptions ImageCommands::imagePanelOptions()
{
    OpenPanelOptions options;
    options.title = QStringLiteral("Add one or multiple images");
    options.prompt = QStringLiteral("Select");
    options.allowedTypes = {QStringLiteral("jpg"), QStringLiteral("JPG"), QStringLiteral("png"), QStringLiteral("PNG"),
                            QStringLiteral("jpeg"), QStringLiteral("JPEG"), QStringLiteral("gif"), QStringLiteral("GIF")};
    options.allowsMultipleSelection = true;
    return options;
}

OpenPanelOptions ImageCommands::pdfPanelOptions()
{
    OpenPanelOptions options;
    options.title = QStringLiteral("Add PDF file");
    options.prompt = QStringLiteral("Select");
    options.allowedTypes = {QStringLiteral("pdf"), QStringLiteral("PDF")};
    return options;
}

OpenPanelOptions ImageCommands::replacePanelOptions()
{
    OpenPanelOptions options;
    options.prompt = QStringLiteral("Select");
    options.allowedTypes = {QStringLiteral("jpg"), QStringLiteral("JPG"), QStringLiteral("png"), QStringLiteral("PNG"),
                            QStringLiteral("jpeg"), QStringLiteral("JPEG")};
    return options;
}

void ImageCommands::addNewImage_drag(const QPointF &point)
{
    m_frame.context().filePanels().showOpenPanel(imagePanelOptions(), m_frame.context().window(),
                                                 [this, point](const QStringList &paths) {
                                                     if (!paths.isEmpty())
                                                         insertImageFiles(paths, point);
                                                 });
}

QList<std::shared_ptr<SKTGraphic>> ImageCommands::insertImageFiles(const QStringList &paths, const QPointF &point,
                                                                   bool fromMenu)
{
    // Read (and the originals encoded) on worker threads, then inserted here.
    const QList<PictureLoad> loads = PageImageService::loadPictures(paths, PageImageService::originalSizeLimit());
    QStringList refused;
    for (const PictureLoad &load : loads)
        if (!load.error.isEmpty() || load.image.isNull())
            refused.append(QStringLiteral("\"%1\": %2").arg(QFileInfo(load.path).fileName(),
                                                            load.error.isEmpty() ? QStringLiteral("no picture")
                                                                                 : load.error));
    if (!refused.isEmpty()) {
        // Nothing is inserted when any file is refused: the user chose them together.
        refuse(refused.size() == 1 ? QStringLiteral("A file is not a picture that can be inserted")
                                   : QStringLiteral("Some files are not pictures that can be inserted"),
               refused);
        return {};
    }
    QList<std::shared_ptr<SKTGraphic>> inserted;
    InsertionStep step(m_frame.document(), QStringLiteral("Insert Image"));
    ImageFactory factory(m_frame);
    for (const PictureLoad &load : loads) {
        const QPointF base = fromMenu ? m_frame.calculateOriginPoint() : point;
        const QPointF origin(whole(base.x()) + 20 * inserted.size(), whole(base.y()));
        ImageInsertion in;
        in.picture = load.image;
        in.type = load.type;
        in.point = origin;
        in.sourceFile = load.path;
        in.originalData = load.original;
        in.pixelSize = load.pixelSize;
        in.displaySize = ImageFactory::displaySizeFor(load.pixelSize);
        in.frame = QRectF(origin, in.displaySize);
        if (auto graphic = factory.addImageIntoArray(in))
            inserted.append(graphic);
    }
    return inserted;
}

void ImageCommands::addNewPDF_drag(const QPointF &point)
{
    m_frame.context().filePanels().showOpenPanel(pdfPanelOptions(), m_frame.context().window(),
                                                 [this, point](const QStringList &paths) {
                                                     if (!paths.isEmpty())
                                                         insertPdfPages(paths.first(), point);
                                                 });
}

PdfPages ImageCommands::renderPdfPages(const QString &path)
{
    PdfPages pages;
    QPdfDocument pdf;
    const QPdfDocument::Error error = pdf.load(path);
    if (error == QPdfDocument::Error::IncorrectPassword) {
        pages.error = QStringLiteral("The PDF file is protected by a password.");
        return pages;
    }
    if (error != QPdfDocument::Error::None) {
        pages.error = QStringLiteral("The file could not be read as a PDF file.");
        return pages;
    }
    if (pdf.pageCount() < 1) {
        pages.error = QStringLiteral("The PDF file has no pages.");
        return pages;
    }
    for (int i = 0; i < pdf.pageCount(); ++i) {
        const QSizeF points = pdf.pagePointSize(i);
        // Two pixels per point, so that the retina copy is sharp.
        const QSize pixels(std::max(1, int(std::lround(points.width() * 2))),
                           std::max(1, int(std::lround(points.height() * 2))));
        QImage picture = pdf.render(i, pixels);
        if (picture.isNull()) {
            pages.pictures.clear();
            pages.pointSizes.clear();
            pages.error = QStringLiteral("Page %1 of the PDF file could not be drawn.").arg(i + 1);
            return pages;
        }
        // Pages are drawn on white: a JPEG original has no transparency.
        QImage flat(picture.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        {
            QPainter painter(&flat);
            painter.drawImage(0, 0, picture);
        }
        pages.pictures.append(flat);
        pages.pointSizes.append(points);
    }
    return pages;
}

QList<std::shared_ptr<SKTGraphic>> ImageCommands::insertPdfPages(const QString &path, const QPointF &point)
{
    const PdfPages pages = renderPdfPages(path);
    if (!pages.error.isEmpty()) {
        refuse(QStringLiteral("\"%1\" could not be inserted").arg(QFileInfo(path).fileName()), {pages.error});
        return {};
    }
    const int32_t limit = gMaxInsertedImageSize > 0 ? gMaxInsertedImageSize : 600;
    QList<std::shared_ptr<SKTGraphic>> inserted;
    InsertionStep step(m_frame.document(), QStringLiteral("Insert PDF"));
    ImageFactory factory(m_frame);
    for (qsizetype index = pages.pictures.size() - 1; index >= 0; --index) {
        const QSizeF points = pages.pointSizes[index];
        const QPointF p(whole(point.x()) + 50 * inserted.size(), whole(point.y()));
        double w = whole(points.width());
        double h = whole(points.height());
        QPointF origin = p;
        if (gResponsiveEdition) {
            const QRectF r = m_frame.grabSectionRect(p, QRectF(p, QSizeF(w, h)));
            if (h > r.height() && r.height() > 0) {
                w = whole(float(w) / float(h / r.height()));
                h = r.height();
            }
            if (w > r.width() && r.width() > 0) {
                h = whole(float(h) / float(w / r.width()));
                w = r.width();
            }
            origin = r.topLeft();
        }
        if (w > limit) {
            h = whole(float(h) / float(w / limit));
            w = limit;
        }
        ImageInsertion in;
        in.picture = pages.pictures[index];
        in.type = QStringLiteral("JPG");
        in.point = p;
        in.pixelSize = pages.pictures[index].size();
        in.displaySize = QSizeF(w, h);
        in.frame = QRectF(origin, QSizeF(w, h));
        if (auto graphic = factory.addImageIntoArray(in))
            inserted.append(graphic);
    }
    return inserted;
}

SKTImage *ImageCommands::selectedImage()
{
    InsertionContext &context = m_frame.context();
    return dynamic_cast<SKTImage *>(context.stillOnPage(context.cache().selectedImage));
}

void ImageCommands::launchReplaceImage()
{
    m_frame.context().filePanels().showOpenPanel(replacePanelOptions(), m_frame.context().window(), [this](const QStringList &paths) {
        if (!paths.isEmpty())
            replaceImageWithFile(paths.first());
    });
}

bool ImageCommands::replaceImageWithFile(const QString &path)
{
    // The replacement keeps the full picture: no size limit applies.
    const PictureLoad load = PageImageService::loadPicture(path, std::numeric_limits<int32_t>::max());
    if (!load.error.isEmpty() || load.image.isNull()) {
        refuse(QStringLiteral("The picture could not be replaced"),
               {QStringLiteral("\"%1\": %2").arg(QFileInfo(path).fileName(),
                                                 load.error.isEmpty() ? QStringLiteral("no picture") : load.error)});
        return false;
    }
    const QString type = QFileInfo(path).suffix().toLower() == QLatin1String("png") ? QStringLiteral("PNG")
                                                                                     : QStringLiteral("JPG");
    return replaceImage(load.image, type);
}

bool ImageCommands::replaceImage(const QImage &picture, const QString &type)
{
    SKTImage *image = selectedImage();
    if (!image)
        return false;
    if (picture.isNull() || picture.width() < 1 || picture.height() < 1) {
        refuse(QStringLiteral("The picture could not be replaced"), {QStringLiteral("The new picture is empty.")});
        return false;
    }
    if (image->bounds().width() <= 0) {
        refuse(QStringLiteral("The picture could not be replaced"), {QStringLiteral("The image has no width.")});
        return false;
    }
    SKTDocument &document = m_frame.document();
    const QString folder = PageImageService(document).pageFolder();
    std::shared_ptr<SKTGraphic> shared;
    for (const auto &g : document.graphics())
        if (g.get() == image)
            shared = g;
    const QString newType = type.isEmpty() ? image->imageType() : type;
    const QByteArray bytes = encode(picture, newType);
    if (bytes.isEmpty()) {
        refuse(QStringLiteral("The picture could not be replaced"), {QStringLiteral("The picture could not be encoded.")});
        return false;
    }

    InsertionStep step(document, QStringLiteral("Replace Image"));
    const PictureState before = PictureState::capture(*image, folder);
    const bool recording = document.undoManager().isUndoRegistrationEnabled();
    if (recording)
        document.undoManager().disableUndoRegistration();
    ++document.documentChangedCounter;
    QFile::remove(originalPath(folder, image->imageName(), image->imageType()));
    image->setImageType(newType);
    QDir().mkpath(folder);
    QSaveFile out(originalPath(folder, image->imageName(), newType));
    if (out.open(QIODevice::WriteOnly)) {
        out.write(bytes);
        out.commit();
    }
    image->setInputImage(picture);
    image->setContents(picture);
    const QRectF b = image->bounds();
    const float f = float(picture.width()) / float(b.width());
    image->setBounds(QRectF(b.x(), b.y(), picture.width() / f, picture.height() / f));
    if (recording) {
        document.undoManager().enableUndoRegistration();
        if (shared)
            registerReturn(document, shared, folder, before);
    }
    return true;
}

void ImageCommands::setClickToEnlarge(int mode)
{
    InsertionStep step(m_frame.document(), QStringLiteral("Click to Enlarge"));
    for (SKTGraphic *graphic : m_frame.context().selectedGraphics())
        if (auto *image = dynamic_cast<SKTImage *>(graphic)) {
            image->setImageEnlargeFlag(1);
            image->setBackdropLightingFlag(mode);
        }
}

void ImageCommands::disableClickToEnlarge()
{
    InsertionStep step(m_frame.document(), QStringLiteral("Remove Click to Enlarge"));
    for (SKTGraphic *graphic : m_frame.context().selectedGraphics())
        if (auto *image = dynamic_cast<SKTImage *>(graphic))
            image->setImageEnlargeFlag(0);
}

bool ImageCommands::isItAlreadyEnlarged()
{
    const SKTImage *image = selectedImage();
    return image && image->imageEnlargeFlag() == 1;
}
