#include "canvas/CanvasInsertionAdapter.h"

#include "canvas/CanvasHost.h"
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/PagePreferences.h"
#include "document/SKTDocument.h"
#include "insertion/DropMakers.h"
#include "insertion/FormFields.h"
#include "insertion/GridPictureCommands.h"
#include "insertion/ImageFactory.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/LineMaker.h"
#include "insertion/ObjectMakers.h"
#include "insertion/PageImageService.h"
#include "insertion/PalettePresets.h"
#include "insertion/SectionOperations.h"
#include "insertion/SlideCommands.h"
#include "insertion/TableDuplication.h"
#include "insertion/TextBoxFactory.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"

#include <QFileInfo>
#include <QPointer>
#include <cmath>

namespace {
SKTGraphic *raw(const std::shared_ptr<SKTGraphic> &graphic)
{
    return graphic.get();
}

// The page background from the palette: an open panel for one picture.
bool addPageBackground(CanvasInsertionAdapter &adapter)
{
    OpenPanelOptions options;
    options.title = QStringLiteral("Select image");
    options.message = options.title;
    options.allowedTypes = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("png")};
    QPointer<SKTGraphicView> view(&adapter.view());
    SKTDocument *document = adapter.view().document();
    adapter.filePanels().showOpenPanel(options, adapter.window(), [view, document](const QStringList &paths) {
        if (!view || paths.isEmpty() || view->document() != document)
            return;
        PagePreferences::newBackground(*document, paths.first());
    });
    return true;
}
} // namespace

CanvasInsertionAdapter::CanvasInsertionAdapter(SKTGraphicView &view)
    : m_view(view)
    , m_environment(std::make_unique<SectionEnvironment>(*this))
{
}

CanvasInsertionAdapter::~CanvasInsertionAdapter() = default;

void CanvasInsertionAdapter::addCodeAction(const QString &action, CodeAction maker)
{
    DropMakers::add(action, std::move(maker));
}

bool CanvasInsertionAdapter::runCodeAction(InsertionFrame &frame, const DropCodeName &row, const QPointF &point)
{
    return DropMakers::run(frame, row, point);
}

bool CanvasInsertionAdapter::hasCodeAction(const QString &action)
{
    return DropMakers::has(action);
}

SKTGraphic *CanvasInsertionAdapter::addTextBox(SKTDocument &, const GraphicProperties &preset, const QPointF &point)
{
    InsertionFrame frame(*this);
    return raw(TextBoxFactory(frame).addTextBoxFromPreset(preset, point));
}

SKTGraphic *CanvasInsertionAdapter::addTrueLine(SKTDocument &, const GraphicProperties &preset, const QPointF &)
{
    InsertionFrame frame(*this);
    return raw(LineMaker(frame).addTrueLineFromPreset(preset));
}

InsertionFrameRunner CanvasInsertionAdapter::frameRunner()
{
    QPointer<SKTGraphicView> view(&m_view);
    CanvasInsertionAdapter *self = this;
    return [view, self](const std::function<void(InsertionFrame &)> &work) {
        if (!view || !view->document() || view->insertions() != self)
            return false;
        InsertionFrame frame(*self);
        work(frame);
        return true;
    };
}

SKTGraphic *CanvasInsertionAdapter::addImageIntoArray(SKTDocument &, const QImage &image, const QString &type,
                                                      const QRectF &rect, const QString &sourcePath)
{
    InsertionFrame frame(*this);
    ImageInsertion in;
    in.picture = image;
    in.type = type == QLatin1String("PNG") ? QStringLiteral("PNG") : QStringLiteral("JPG");
    in.point = rect.topLeft();
    in.sourceFile = sourcePath;
    in.pixelSize = QSizeF(image.size());
    in.displaySize = rect.size();
    in.frame = rect;
    return raw(ImageFactory(frame).addImageIntoArray(in));
}

bool CanvasInsertionAdapter::addImageFilesLater(SKTDocument &, const QStringList &files, const QPointF &point,
                                                 int32_t firstOffset, int32_t step)
{
    SKTDocument *document = m_view.document();
    if (!document || files.isEmpty())
        return false;
    PictureBatch batch(*document, QStringLiteral("Adding pictures"));
    batch.addPictureFiles(files, PageImageService::originalSizeLimit());
    const InsertionFrameRunner frames = frameRunner();
    QPointer<SKTGraphicView> view(&m_view);
    batch.start([frames, view, document, point, firstOffset, step](QList<PictureLoad> &loads) {
        frames([&](InsertionFrame &frame) {
            if (&frame.document() != document)
                return;
            QStringList unreadable;
            QList<const PictureLoad *> readable;
            for (const PictureLoad &load : loads)
                if (load.error.isEmpty() && !load.image.isNull())
                    readable << &load;
                else
                    unreadable << QFileInfo(load.path).fileName();
            if (!readable.isEmpty()) {
                InsertionStep undoStep(*document, QStringLiteral("Paste"));
                double offset = firstOffset;
                for (const PictureLoad &load : loads) {
                    if (readable.contains(&load)) {
                        const QRectF rect = SKTGraphicView::pastedImageFrame(QSizeF(load.pixelSize),
                                                                             QPointF(point.x() + offset, point.y()));
                        ImageInsertion in;
                        in.picture = load.image;
                        in.type = load.type;
                        in.point = rect.topLeft();
                        in.sourceFile = load.path;
                        in.originalData = load.original;
                        in.pixelSize = QSizeF(load.pixelSize);
                        in.displaySize = rect.size();
                        in.frame = rect;
                        ImageFactory(frame).addImageIntoArray(in); // a failure has said so itself
                    }
                    offset += step;
                }
            }
            if (view)
                view->reportUnreadableFiles(unreadable);
        });
    });
    return true;
}

bool CanvasInsertionAdapter::addPicturesInto(SKTDocument &, SKTGraphic &container, const QStringList &files,
                                             const QPointF &point)
{
    auto *show = dynamic_cast<SKTSlideshow *>(&container);
    auto *gallery = dynamic_cast<SKTGalleryGrid *>(&container);
    auto *table = dynamic_cast<SKTTable *>(&container);
    if (files.isEmpty() || (!show && !gallery && !table))
        return false;
    // The container is what the person filled: it is selected, and its
    // commands start from the spot under the drop, as from a click there.
    m_view.setSelectedGraphics({&container});
    m_view.contextMenuAt(point);
    m_cache = InsertionSelectionCache();
    InsertionFrame frame(*this);
    if (show) {
        m_cache.selectedSlideshow = show;
        SlideCommands(frame).addSlideshowImagesLater(files);
    } else if (gallery) {
        m_cache.selectedGalleryGrid = gallery;
        GridPictureCommands(frame).addGalleryImagesInBackground(files, false, {});
    } else {
        m_cache.selectedTable = table;
        GridPictureCommands(frame).addGalleryImagesInBackground(files, true, {});
    }
    return true;
}

SKTGraphic *CanvasInsertionAdapter::grabOverLappingSection(SKTDocument &, const QRectF &rect)
{
    return SectionOperations(*this).grabOverLappingSection(rect);
}

QRectF CanvasInsertionAdapter::grabOverLappingSectionCell(SKTDocument &, const QPointF &point)
{
    return InsertionFrame(*this).grabOverLappingSectionCell(point);
}

CanvasInsertions::SectionCell CanvasInsertionAdapter::sectionCellAt(SKTDocument &, const QPointF &point)
{
    const InsertionFrame::SectionHit hit = InsertionFrame(*this).sectionCellAt(point);
    return {hit.section, hit.row, hit.column};
}

void CanvasInsertionAdapter::applySection(SKTDocument &, SKTGraphic &graphic, const QPointF &point)
{
    InsertionFrame(*this).applySection(point, graphic);
}

QString CanvasInsertionAdapter::snippetCode(const QString &argument)
{
    return DropMakers::snippetCode(argument);
}

QSizeF CanvasInsertionAdapter::snippetSize(const QString &argument)
{
    return DropMakers::snippetSize(argument);
}

bool CanvasInsertionAdapter::insertCodeName(SKTDocument &, const DropCodeName &row, const QPointF &point)
{
    if (!m_view.document())
        return false;
    InsertionFrame frame(*this);
    // Text boxes, markups, shapes, callouts, lines and bubbles: one table.
    if (PalettePresets::shared().contains(row.name))
        return PalettePresets::shared().insert(frame, row.name, point, zoomFactor());

    const QString &action = row.action;
    if (hasCodeAction(action))
        return runCodeAction(frame, row, point);
    if (action == QLatin1String("addSnippet_drag")) {
        const QString argument = row.arguments.value(0);
        const QPointF at(std::trunc(point.x()), std::trunc(point.y()));
        return TextBoxFactory(frame).addSnippet_drag(snippetCode(argument), QRectF(at, snippetSize(argument))) != nullptr;
    }
    ObjectMakers makers(frame);
    if (action == QLatin1String("addFullAddress_drag")) {
        makers.addFullAddress_drag(point);
        return true;
    }
    if (action == QLatin1String("addIndividual_drag")) {
        makers.addIndividual_drag(point);
        return true;
    }
    if (action == QLatin1String("addZovLink_drag")) {
        makers.addZovLink_drag(point);
        return true;
    }
    if (action == QLatin1String("addImageGallery_drag"))
        return makers.addImageGallery_drag(point) != nullptr;
    if (action == QLatin1String("addEnlargeablePhoto_drag"))
        return makers.addEnlargeablePhoto_drag(point) != nullptr;
    if (action == QLatin1String("newBackground"))
        return addPageBackground(*this);
    return false;
}

SKTGraphic *CanvasInsertionAdapter::duplicateTable(SKTDocument &, SKTTable &table, int32_t y,
                                                   const QString &sourceFolder)
{
    if (!m_view.document())
        return nullptr;
    InsertionFrame frame(*this);
    return TableDuplication(frame).duplicateTable(table, y, sourceFolder).get();
}

QList<SKTGraphic *> CanvasInsertionAdapter::fetchAllPartnerViews(SKTDocument &, const QList<SKTGraphic *> &selection)
{
    if (!m_view.document())
        return {};
    InsertionFrame frame(*this);
    return FormFields(frame).fetchAllPartnerViews(selection);
}

void CanvasInsertionAdapter::makeCopyOfOriginalImage(const QString &sourceFolder, const QString &oldName,
                                                     const QString &newName)
{
    if (m_view.document())
        PageImageService(*m_view.document()).copyOriginalFromFolder(sourceFolder, oldName, newName);
}

GraphicEnvironment *CanvasInsertionAdapter::sectionEnvironment()
{
    return m_view.document() ? m_environment.get() : nullptr;
}

SKTDocument &CanvasInsertionAdapter::document()
{
    Q_ASSERT(m_view.document());
    return *m_view.document();
}

std::optional<QPointF> CanvasInsertionAdapter::visibleOrigin() const
{
    return visibleOriginProvider ? visibleOriginProvider() : std::nullopt;
}

double CanvasInsertionAdapter::zoomFactor() const
{
    const double z = m_view.zoomFactor;
    return z > 0 && std::isfinite(z) ? z : 1.0;
}

void CanvasInsertionAdapter::selectGraphics(const QList<SKTGraphic *> &graphics)
{
    m_view.setSelectedGraphics(graphics);
}

QList<SKTGraphic *> CanvasInsertionAdapter::selectedGraphics() const
{
    return m_view.selectedGraphics();
}

QPointF CanvasInsertionAdapter::lastTouchPoint() const
{
    return m_view.lastTouchPointValue;
}

Alerts &CanvasInsertionAdapter::alerts()
{
    return Alerts::current();
}

FilePanels &CanvasInsertionAdapter::filePanels()
{
    return FilePanels::current();
}

QObject *CanvasInsertionAdapter::window() const
{
    return m_view.host() ? m_view.host()->alertWindow() : nullptr;
}

QList<InsertionPageEntry> CanvasInsertionAdapter::pageList() const
{
    return pageListProvider ? pageListProvider() : QList<InsertionPageEntry>();
}

SavedTextStore &CanvasInsertionAdapter::savedTexts()
{
    return m_savedTexts ? *m_savedTexts : m_ownSavedTexts;
}
