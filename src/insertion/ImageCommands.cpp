#include "insertion/ImageCommands.h"

#include "insertion/InsertionPlacement.h"

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

namespace {
void refuseIn(InsertionFrame &frame, const QString &message, const QStringList &reasons)
{
    Alert alert;
    alert.messageText = message;
    alert.informativeText = reasons.join(QLatin1Char('\n'));
    frame.context().alerts().show(alert, frame.context().window(), {});
}

// Pages per worker: each opens the file itself, since a PDF document must
// not be shared between threads.
constexpr int kPdfWorkers = 4;

// Pages [first, first + count) drawn on white at two pixels per point, each
// with its JPEG original; one entry with the reason when the file could not
// be read (only the first worker says so, the others answer nothing).
QList<PictureLoad> renderPdfPart(const QString &path, int part, int parts, BatchControl *control)
{
    QList<PictureLoad> pages;
    QPdfDocument pdf;
    const QPdfDocument::Error error = pdf.load(path);
    QString why;
    if (error == QPdfDocument::Error::IncorrectPassword)
        why = QStringLiteral("The PDF file is protected by a password.");
    else if (error != QPdfDocument::Error::None)
        why = QStringLiteral("The file could not be read as a PDF file.");
    else if (pdf.pageCount() < 1)
        why = QStringLiteral("The PDF file has no pages.");
    if (!why.isEmpty()) {
        if (part == 0) {
            PictureLoad failed;
            failed.path = path;
            failed.error = why;
            pages.append(failed);
        }
        return pages;
    }
    const int count = pdf.pageCount();
    if (control && part == 0)
        control->setTotal(count);
    const int first = int(qint64(count) * part / parts), last = int(qint64(count) * (part + 1) / parts);
    const int32_t limit = PageImageService::originalSizeLimit();
    for (int i = first; i < last; ++i) {
        if (control && control->cancelled())
            break;
        PictureLoad page;
        page.path = path;
        page.type = QStringLiteral("JPG");
        page.pointSize = pdf.pagePointSize(i);
        // Two pixels per point, so that the retina copy is sharp.
        const QSize pixels(std::max(1, int(std::lround(page.pointSize.width() * 2))),
                           std::max(1, int(std::lround(page.pointSize.height() * 2))));
        const QImage picture = pdf.render(i, pixels);
        if (picture.isNull()) {
            page.error = QStringLiteral("Page %1 of the PDF file could not be drawn.").arg(i + 1);
        } else {
            // Pages are drawn on white: a JPEG original has no transparency.
            QImage flat(picture.size(), QImage::Format_RGB32);
            flat.fill(Qt::white);
            {
                QPainter painter(&flat);
                painter.drawImage(0, 0, picture);
            }
            page.image = flat;
            page.pixelSize = flat.size();
            page.original = PageImageService::originalData(flat, page.type, {}, QSizeF(flat.size()), limit);
        }
        pages.append(page);
        if (control)
            control->advance();
    }
    return pages;
}
} // namespace

void ImageCommands::addNewImage_drag(const QPointF &point, InsertionFrameRunner frames)
{
    m_frame.context().filePanels().showOpenPanel(imagePanelOptions(), m_frame.context().window(),
                                                 [point, frames](const QStringList &paths) {
                                                     if (paths.isEmpty())
                                                         return;
                                                     frames([&](InsertionFrame &f) {
                                                         ImageCommands(f).insertImageFilesLater(paths, point, false,
                                                                                                frames);
                                                     });
                                                 });
}

QList<std::shared_ptr<SKTGraphic>> ImageCommands::placeImageFiles(InsertionFrame &frame,
                                                                  const QList<PictureLoad> &loads,
                                                                  const QPointF &point, bool fromMenu)
{
    QStringList refused;
    for (const PictureLoad &load : loads)
        if (!load.error.isEmpty() || load.image.isNull())
            refused.append(QStringLiteral("\"%1\": %2").arg(QFileInfo(load.path).fileName(),
                                                            load.error.isEmpty() ? QStringLiteral("no picture")
                                                                                 : load.error));
    if (!refused.isEmpty()) {
        // Nothing is inserted when any file is refused: the user chose them together.
        refuseIn(frame,
                 refused.size() == 1 ? QStringLiteral("A file is not a picture that can be inserted")
                                     : QStringLiteral("Some files are not pictures that can be inserted"),
                 refused);
        return {};
    }
    QList<std::shared_ptr<SKTGraphic>> inserted;
    InsertionStep step(frame.document(), QStringLiteral("Insert Image"));
    ImageFactory factory(frame);
    for (const PictureLoad &load : loads) {
        const QPointF base = fromMenu ? frame.calculateOriginPoint() : point;
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
    if (fromMenu) {
        QList<SKTGraphic *> fresh;
        for (const auto &graphic : inserted)
            fresh << graphic.get();
        InsertionPlacement::placeAndSelect(frame, fresh);
    }
    return inserted;
}

QList<std::shared_ptr<SKTGraphic>> ImageCommands::insertImageFiles(const QStringList &paths, const QPointF &point,
                                                                   bool fromMenu)
{
    PictureBatch batch(m_frame.document(), QStringLiteral("Adding pictures"));
    batch.addPictureFiles(paths, PageImageService::originalSizeLimit());
    QList<std::shared_ptr<SKTGraphic>> inserted;
    batch.runNow([&](QList<PictureLoad> &loads) { inserted = placeImageFiles(m_frame, loads, point, fromMenu); });
    return inserted;
}

void ImageCommands::runLater(PictureBatch &batch, InsertionFrameRunner frames, Inserted done,
                             std::function<QList<std::shared_ptr<SKTGraphic>>(InsertionFrame &, const QList<PictureLoad> &)> place)
{
    SKTDocument *document = &m_frame.document();
    batch.start(
        [document, frames, done, place](QList<PictureLoad> &loads) {
            QList<std::shared_ptr<SKTGraphic>> inserted;
            if (frames)
                frames([&](InsertionFrame &frame) {
                    // The window may show another document by now.
                    if (&frame.document() == document)
                        inserted = place(frame, loads);
                });
            if (done)
                done(inserted);
        },
        [done](QList<PictureLoad> &) {
            if (done)
                done({});
        });
}

void ImageCommands::insertImageFilesLater(const QStringList &paths, const QPointF &point, bool fromMenu,
                                          InsertionFrameRunner frames, Inserted done)
{
    PictureBatch batch(m_frame.document(), QStringLiteral("Adding pictures"));
    batch.addPictureFiles(paths, PageImageService::originalSizeLimit());
    runLater(batch, std::move(frames), std::move(done),
             [point, fromMenu](InsertionFrame &frame, const QList<PictureLoad> &loads) {
                 return placeImageFiles(frame, loads, point, fromMenu);
             });
}

void ImageCommands::addNewPDF_drag(const QPointF &point, InsertionFrameRunner frames)
{
    m_frame.context().filePanels().showOpenPanel(pdfPanelOptions(), m_frame.context().window(),
                                                 [point, frames](const QStringList &paths) {
                                                     if (paths.isEmpty())
                                                         return;
                                                     frames([&](InsertionFrame &f) {
                                                         ImageCommands(f).insertPdfPagesLater(paths.first(), point,
                                                                                              frames);
                                                     });
                                                 });
}

void ImageCommands::addPdfJobs(PictureBatch &batch, const QString &path)
{
    for (int part = 0; part < kPdfWorkers; ++part)
        batch.addJob([path, part](BatchControl &control) { return renderPdfPart(path, part, kPdfWorkers, &control); },
                     0);
}

PdfPages ImageCommands::renderPdfPages(const QString &path)
{
    PdfPages pages;
    for (const PictureLoad &page : renderPdfPart(path, 0, 1, nullptr)) {
        if (!page.error.isEmpty()) {
            pages.pictures.clear();
            pages.pointSizes.clear();
            pages.error = page.error;
            break;
        }
        pages.pictures.append(page.image);
        pages.pointSizes.append(page.pointSize);
    }
    return pages;
}

QList<std::shared_ptr<SKTGraphic>> ImageCommands::placePdfPages(InsertionFrame &frame, const QString &path,
                                                                const QList<PictureLoad> &pages, const QPointF &point)
{
    QString error = pages.isEmpty() ? QStringLiteral("The file could not be read as a PDF file.") : QString();
    for (const PictureLoad &page : pages)
        if (error.isEmpty() && !page.error.isEmpty())
            error = page.error;
    if (!error.isEmpty()) {
        refuseIn(frame, QStringLiteral("\"%1\" could not be inserted").arg(QFileInfo(path).fileName()), {error});
        return {};
    }
    const int32_t limit = gMaxInsertedImageSize > 0 ? gMaxInsertedImageSize : 600;
    QList<std::shared_ptr<SKTGraphic>> inserted;
    InsertionStep step(frame.document(), QStringLiteral("Insert PDF"));
    ImageFactory factory(frame);
    for (qsizetype index = pages.size() - 1; index >= 0; --index) {
        const QSizeF points = pages[index].pointSize;
        const QPointF p(whole(point.x()) + 50 * inserted.size(), whole(point.y()));
        double w = whole(points.width());
        double h = whole(points.height());
        QPointF origin = p;
        if (gResponsiveEdition) {
            const QRectF r = frame.grabSectionRect(p, QRectF(p, QSizeF(w, h)));
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
        in.picture = pages[index].image;
        in.type = QStringLiteral("JPG");
        in.point = p;
        in.pixelSize = pages[index].pixelSize;
        in.originalData = pages[index].original;
        in.displaySize = QSizeF(w, h);
        in.frame = QRectF(origin, QSizeF(w, h));
        if (auto graphic = factory.addImageIntoArray(in))
            inserted.append(graphic);
    }
    return inserted;
}

QList<std::shared_ptr<SKTGraphic>> ImageCommands::insertPdfPages(const QString &path, const QPointF &point)
{
    PictureBatch batch(m_frame.document(), QStringLiteral("Adding PDF pages"));
    addPdfJobs(batch, path);
    QList<std::shared_ptr<SKTGraphic>> inserted;
    batch.runNow([&](QList<PictureLoad> &pages) { inserted = placePdfPages(m_frame, path, pages, point); });
    return inserted;
}

void ImageCommands::insertPdfPagesLater(const QString &path, const QPointF &point, InsertionFrameRunner frames,
                                        Inserted done)
{
    PictureBatch batch(m_frame.document(), QStringLiteral("Adding PDF pages"));
    addPdfJobs(batch, path);
    runLater(batch, std::move(frames), std::move(done),
             [path, point](InsertionFrame &frame, const QList<PictureLoad> &pages) {
                 return placePdfPages(frame, path, pages, point);
             });
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
