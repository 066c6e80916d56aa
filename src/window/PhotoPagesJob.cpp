#include "window/PhotoPagesJob.h"

#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "document/SKTDocument.h"
#include "insertion/ImageFactory.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/SavedTextStore.h"
#include "insertion/TextBoxFactory.h"
#include "model/SKTText.h"
#include "platform/ActionResponder.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "platform/Tasks.h"
#include "window/ProjectPages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QSet>
#include <QTimer>

#include <cmath>

namespace {
// Workers read this many photos ahead of the page.
constexpr int kDecodeAhead = 3;
constexpr qint64 kLargestPhotoFile = 256LL * 1024 * 1024;

const QRectF kSummaryHeading(0, 0, 600, 60);
constexpr double kSiteMapTop = 70;
constexpr double kSiteMapRow = 30;

// The document, without a canvas: menu points and selections play no part.
class JobContext : public InsertionContext {
public:
    explicit JobContext(SKTDocument &doc) : doc_(doc) {}
    SKTDocument &document() override { return doc_; }
    std::optional<QPointF> visibleOrigin() const override { return QPointF(0, 0); }
    QList<SKTGraphic *> selectedGraphics() const override { return {}; }
    QPointF lastTouchPoint() const override { return {}; }
    InsertionSelectionCache &cache() override { return cache_; }
    Alerts &alerts() override { return Alerts::current(); }
    FilePanels &filePanels() override { return FilePanels::current(); }
    SavedTextStore &savedTexts() override { return texts_; }

private:
    SKTDocument &doc_;
    InsertionSelectionCache cache_;
    SavedTextStore texts_;
};

QString cLocale(const QDateTime &date, const QString &format)
{
    return QLocale::c().toString(date, format);
}

bool isSummaryGraphic(SKTGraphic *g, const QSet<QString> &pageLinks)
{
    auto *text = dynamic_cast<SKTText *>(g);
    if (!text)
        return false;
    const QRectF b = text->bounds();
    // Heights follow the text when a page is read back: only the place, the
    // width and the content tell these apart.
    if (b.topLeft() == kSummaryHeading.topLeft() && b.width() == kSummaryHeading.width()
        && text->textString() == QLatin1String("Summary"))
        return true;
    return b.x() == 0 && b.width() == 600 && b.y() >= kSiteMapTop
           && pageLinks.contains(text->value(QStringLiteral("link")).toString());
}
}  // namespace

struct PhotoPagesJob::Insertion {
    explicit Insertion(SKTDocument &doc) : context(doc), frame(context) {}
    JobContext context;
    InsertionFrame frame;
};

PhotoPagesJob::PhotoPagesJob(ProjectPages &project, QList<ZovFileHelper> photos, PhotoPageOptions options,
                             QObject *window)
    : project_(project), photos_(std::move(photos)), options_(options), window_(window)
{
}

PhotoPagesJob::~PhotoPagesJob() = default;

QSize PhotoPagesJob::photoSize(const QSize &pixels)
{
    if (pixels.width() <= 0 || pixels.height() <= 0)
        return {0, 0};
    const int largest = gMaxInsertedImageSize > 0 ? gMaxInsertedImageSize : 600;
    if (pixels.width() <= largest)
        return pixels;
    const float ratio = float(pixels.width()) / float(largest);
    return {largest, int(std::trunc(float(pixels.height()) / ratio))};
}

QString PhotoPagesJob::photoType(const QString &path)
{
    const QString ext = QFileInfo(path).suffix();
    return ext == QLatin1String("png") || ext == QLatin1String("PNG") || ext == QLatin1String("gif")
                   || ext == QLatin1String("GIF")
               ? QStringLiteral("PNG")
               : QStringLiteral("JPG");
}

DecodedPhoto PhotoPagesJob::decode(const QString &path)
{
    DecodedPhoto d;
    d.type = photoType(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        d.error = file.errorString();
        return d;
    }
    if (file.size() > kLargestPhotoFile) {
        d.error = QStringLiteral("the file is larger than 256 MB");
        return d;
    }
    d.original = file.readAll();
    QBuffer buffer(&d.original);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(512);
    reader.setAutoTransform(true);
    d.pixelSize = reader.size();
    const QSize shown = photoSize(d.pixelSize);
    // Decoded at twice the page size at most: enough for the sharp variant,
    // and a thousand photos never sit in memory at their full size.
    if (shown.isValid() && !shown.isEmpty() && d.pixelSize.width() > shown.width() * 2)
        reader.setScaledSize(shown * 2);
    d.picture = reader.read();
    if (d.picture.isNull()) {
        d.error = reader.errorString();
        d.original.clear();
    } else if (!d.pixelSize.isValid()) {
        d.pixelSize = d.picture.size();
    }
    return d;
}

QString PhotoPagesJob::captionText(const QDateTime &date, const QString &path, const PhotoPageOptions &options)
{
    const QString stamp = options.timestamp ? cLocale(date, QStringLiteral("MMM dd yyyy hh:mm AP dddd")) : QString();
    return QStringLiteral("%1\n%2").arg(stamp, options.filePath ? path : QString());
}

void PhotoPagesJob::start()
{
    if (running_)
        return;
    running_ = true;
    SKTDocument &doc = project_.document();
    insertion_ = std::make_unique<Insertion>(doc);
    if (canvas_)
        canvas_->pauseDrawGraphicFlag = true;
    ProgressModel::instance().show();
    ProgressModel::instance().setTexts(QStringLiteral("Please wait"), QString(), 0, 0);
    // The pages are written as they are made; the steps are not for undo.
    doc.undoManager().disableUndoRegistration();
    y_ = 110;
    requestDecodes();
    if (photos_.isEmpty())
        QTimer::singleShot(0, this, [this] { end(); });
}

void PhotoPagesJob::requestDecodes()
{
    while (requested_ < photos_.size() && requested_ < next_ + kDecodeAhead) {
        const int index = requested_++;
        const QString path = photos_.at(index).filePath;
        Tasks::runInBackground<DecodedPhoto>(this, [path] { return decode(path); },
                                             [this, index](DecodedPhoto d) {
                                                 ready_.insert(index, std::move(d));
                                                 if (!stepQueued_) {
                                                     stepQueued_ = true;
                                                     QTimer::singleShot(0, this, [this] { step(); });
                                                 }
                                             });
    }
}

void PhotoPagesJob::step()
{
    stepQueued_ = false;
    if (!running_ || !ready_.contains(next_))
        return;
    // One photo per turn of the event loop.
    const DecodedPhoto decoded = ready_.take(next_);
    const ZovFileHelper &photo = photos_.at(next_);
    if (switchToDayPage(photo)) {
        y_ = addPhotoToPage(photo, decoded, y_) + 60;
    } else {
        unreadable_ << QStringLiteral("%1: its day page could not be opened").arg(photo.filePath);
    }
    if (decoded.picture.isNull())
        unreadable_ << QStringLiteral("%1: %2").arg(photo.filePath, decoded.error);
    ++next_;
    ProgressModel::instance().update(next_, int32_t(photos_.size()), photo.filePath);
    if (next_ >= photos_.size()) {
        end();
        return;
    }
    requestDecodes();
    if (ready_.contains(next_) && !stepQueued_) {
        stepQueued_ = true;
        QTimer::singleShot(0, this, [this] { step(); });
    }
}

bool PhotoPagesJob::openOrAddPage(const QString &fileName, bool *existed)
{
    SKTDocument &doc = project_.document();
    if (QFileInfo(doc.fileURLPath).fileName() == fileName
        && QFileInfo(doc.fileURLPath).dir() == QDir(project_.openWebsiteFolderPath())) {
        *existed = true;
        return true;
    }
    const int index = project_.scan.grabZovButtonWithPageName(fileName);
    if (index >= 0) {
        *existed = true;
        return project_.launchSelected(index);
    }
    *existed = false;
    return project_.addBlankPage(fileName);
}

bool PhotoPagesJob::switchToDayPage(const ZovFileHelper &photo)
{
    SKTDocument &doc = project_.document();
    const QString fileName = photo.fileModDateString_fileNameFormat + QLatin1Char('.') + gDocumentExtension;
    if (QFileInfo(doc.fileURLPath).fileName() == fileName)
        return true;  // y carries on
    bool existed = false;
    if (!openOrAddPage(fileName, &existed))
        return false;
    doc.pageOfficialName = photo.fileModDateString;
    if (existed) {
        y_ = doc.findMaxScreenHeight() + 10;
        return true;
    }
    y_ = 110;
    TextBoxSpec heading;
    heading.text = cLocale(photo.fileModDate, QStringLiteral("MMM dd yyyy dddd"));
    heading.link = QStringLiteral("index.html");
    heading.frame = QRectF(0, 0, 1100, 100);
    heading.fontFamily = QStringLiteral("Cabin");
    heading.fontSize = 50;
    heading.textColour = QStringLiteral("FFFFFF");
    heading.fillColour = QStringLiteral("555555");
    heading.hoverColour = QStringLiteral("4682B4");
    heading.hoverTextColour = QStringLiteral("FFFFFF");
    heading.linkType = QStringLiteral("shape");
    TextBoxFactory(insertion_->frame).addTextBox(heading);
    return true;
}

int PhotoPagesJob::addPhotoToPage(const ZovFileHelper &photo, const DecodedPhoto &decoded, int y)
{
    const QSize size = photoSize(decoded.picture.isNull() ? QSize() : decoded.pixelSize);
    if (options_.thumbnail && !decoded.picture.isNull()) {
        ImageInsertion in;
        in.picture = decoded.picture;
        in.type = decoded.type;
        in.point = QPointF(100, y);
        in.sourceFile = photo.filePath;
        in.originalData = decoded.original;
        in.pixelSize = QSizeF(size);
        in.displaySize = QSizeF(size);
        in.frame = QRectF(100, y, size.width(), size.height());
        ImageFactory(insertion_->frame).addImageIntoArray(in);
    }
    TextBoxSpec caption;
    caption.text = captionText(photo.fileModDate, photo.filePath, options_);
    caption.frame = QRectF(100, y + size.height(), 800, 50);
    caption.fontFamily = QStringLiteral("Cabin");
    caption.fontSize = 15;
    caption.textColour = QStringLiteral("FFFFFF");
    caption.fillColour = QStringLiteral("555555");
    TextBoxFactory(insertion_->frame).addTextBox(caption);
    return y + size.height();
}

void PhotoPagesJob::end()
{
    SKTDocument &doc = project_.document();
    if (!doc.fileURLPath.isEmpty() && !doc.askPageToSaveItself())
        unreadable_ << QStringLiteral("%1: %2").arg(QFileInfo(doc.fileURLPath).fileName(), doc.lastSaveError);
    if (canvas_)
        canvas_->pauseDrawGraphicFlag = false;
    ProgressModel::instance().dismiss();
    project_.refreshWebsite();
    generateIndexSheet();
    doc.undoManager().enableUndoRegistration();
    doc.undoManager().removeAllActions();
    running_ = false;

    Alert alert;
    alert.messageText = QStringLiteral("Photos Added To Collection");
    alert.informativeText = QStringLiteral("Would you like to launch preview?\n\nImage thumbnails and hyperlinks are "
                                           "active in Preview, Exported and Published modes.");
    if (!unreadable_.isEmpty())
        alert.informativeText += QStringLiteral("\n\nThese photos could not be read and have captions only:\n%1")
                                     .arg(unreadable_.join(QLatin1Char('\n')));
    alert.buttons = {QStringLiteral("Proceed"), QStringLiteral("Not right now")};
    Alerts::ask(alert, window_, [](int response) {
        if (response == Alert::FirstButton)
            ResponderChain::send(QStringLiteral("showWebPreview"));
    });
    emit finished();
}

void PhotoPagesJob::generateIndexSheet()
{
    SKTDocument &doc = project_.document();
    const QString fileName = QStringLiteral("index.") + gDocumentExtension;
    bool existed = false;
    if (!openOrAddPage(fileName, &existed)) {
        unreadable_ << QStringLiteral("%1: the index page could not be made").arg(fileName);
        return;
    }
    doc.pageOfficialName = QStringLiteral("Summary");
    QSet<QString> links;
    for (const PageEntry &e : project_.scan.siteIconArray)
        links.insert(e.pagePublishFileName);
    // A rerun replaces the heading and site map it made before.
    QList<qsizetype> old;
    const auto graphics = doc.graphics();
    for (qsizetype i = 0; i < graphics.size(); ++i)
        if (isSummaryGraphic(graphics[i].get(), links))
            old << i;
    if (!old.isEmpty())
        doc.removeGraphicsAtIndexes(old);

    TextBoxSpec heading;
    heading.text = QStringLiteral("Summary");
    heading.frame = kSummaryHeading;
    heading.fontFamily = QStringLiteral("Cabin");
    heading.fontSize = 40;
    heading.textColour = QStringLiteral("FFFFFF");
    heading.fillColour = QStringLiteral("555555");
    TextBoxFactory(insertion_->frame).addTextBox(heading);
    double y = kSiteMapTop;
    for (const PageEntry &e : project_.scan.siteIconArray) {
        TextBoxSpec row;
        row.text = e.pageTitle.isEmpty() ? QFileInfo(e.pageName).completeBaseName() : e.pageTitle;
        row.link = e.pagePublishFileName;
        row.frame = QRectF(0, y, 600, kSiteMapRow);
        row.fontFamily = QStringLiteral("Cabin");
        TextBoxFactory(insertion_->frame).addTextBox(row);
        y += kSiteMapRow;
    }
    if (!doc.askPageToSaveItself())
        unreadable_ << QStringLiteral("%1: %2").arg(fileName, doc.lastSaveError);
}

void PhotoPagesJob::setCanvas(SKTGraphicView *canvas)
{
    canvas_ = canvas;
}
