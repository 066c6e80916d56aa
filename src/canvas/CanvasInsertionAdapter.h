#pragma once
// The canvas's insertion hooks filled by the insertion makers: text boxes,
// lines and pictures go to their factories, palette presets to the one
// preset table, the section look-ups to the section operations, and pasted
// images' originals to the page-image service. It is also the insertion
// context the makers ask about the canvas (selection, last click, zoom,
// visible corner) and the section half of the canvas's environment.
//
// A window makes one per canvas and hands it to SKTGraphicView::setInsertions.
// Code names whose makers live elsewhere (tables, sections, navigation bars,
// form items ...) are added by name with addCodeAction.
#include "canvas/CanvasInsertions.h"
#include "insertion/DropMakers.h"
#include "insertion/InsertionContext.h"
#include "insertion/SavedTextStore.h"
#include "insertion/SectionEnvironment.h"

#include <QHash>
#include <functional>
#include <memory>

#include "insertion/PictureBatch.h"

class InsertionFrame;
class SKTGraphicView;

class CanvasInsertionAdapter : public CanvasInsertions, public InsertionContext {
public:
    explicit CanvasInsertionAdapter(SKTGraphicView &view);
    ~CanvasInsertionAdapter() override;

    SKTGraphicView &view() const { return m_view; }
    // Gives work that finishes later (an open panel's answer, pictures read
    // on workers) a frame over the page the canvas shows then; answers false,
    // running nothing, once the canvas is gone, shows no page or has another
    // insertion side.
    InsertionFrameRunner frameRunner() override;

    // What the window knows and the canvas does not.
    std::function<std::optional<QPointF>()> visibleOriginProvider;
    std::function<QRectF()> visibleRectProvider;
    std::function<void(const QRectF &)> revealProvider;
    std::function<QList<InsertionPageEntry>()> pageListProvider;
    // The inspector's re-placing of a section's members by their own
    // alignment, after the section was laid out again.
    std::function<void(SKTGraphic &section)> refocusResponsiveAlignmentHandler;
    // The saved-text store shared with the collection window (a private one
    // until the window hands over its own).
    void setSavedTextStore(SavedTextStore *store) { m_savedTexts = store; }

    // A maker for the drop rows whose action is name (kept by DropMakers). It
    // answers whether it inserted anything. Registering a name again replaces
    // the maker; an empty maker takes the name out.
    using CodeAction = DropMakers::Maker;
    static void addCodeAction(const QString &action, CodeAction maker);
    static bool hasCodeAction(const QString &action);
    // Runs the maker registered for the row's action; false when there is none.
    static bool runCodeAction(InsertionFrame &frame, const DropCodeName &row, const QPointF &point);

    // --- CanvasInsertions ----------------------------------------------------------
    SKTGraphic *addTextBox(SKTDocument &, const GraphicProperties &preset, const QPointF &point) override;
    SKTGraphic *addTrueLine(SKTDocument &, const GraphicProperties &preset, const QPointF &point) override;
    SKTGraphic *addImageIntoArray(SKTDocument &, const QImage &image, const QString &type, const QRectF &frame,
                                  const QString &sourcePath) override;
    bool addImageFilesLater(SKTDocument &, const QStringList &files, const QPointF &point, int32_t firstOffset,
                            int32_t step) override;
    bool addPicturesInto(SKTDocument &, SKTGraphic &container, const QStringList &files,
                         const QPointF &point) override;
    SKTGraphic *grabOverLappingSection(SKTDocument &, const QRectF &rect) override;
    QRectF grabOverLappingSectionCell(SKTDocument &, const QPointF &point) override;
    SectionCell sectionCellAt(SKTDocument &, const QPointF &point) override;
    void applySection(SKTDocument &, SKTGraphic &graphic, const QPointF &point) override;
    bool insertCodeName(SKTDocument &, const DropCodeName &row, const QPointF &point) override;
    SKTGraphic *duplicateTable(SKTDocument &, SKTTable &table, int32_t y, const QString &sourceFolder) override;
    QList<SKTGraphic *> fetchAllPartnerViews(SKTDocument &, const QList<SKTGraphic *> &selection) override;
    void makeCopyOfOriginalImage(const QString &sourceFolder, const QString &oldName,
                                 const QString &newName) override;
    GraphicEnvironment *sectionEnvironment() override;

    // --- InsertionContext ----------------------------------------------------------
    SKTDocument &document() override;
    std::optional<QPointF> visibleOrigin() const override;
    double zoomFactor() const override;
    QList<SKTGraphic *> selectedGraphics() const override;
    QRectF visibleRect() const override { return visibleRectProvider ? visibleRectProvider() : QRectF(); }
    void selectGraphics(const QList<SKTGraphic *> &graphics) override;
    void reveal(const QRectF &rect) override
    {
        if (revealProvider)
            revealProvider(rect);
    }
    QPointF lastTouchPoint() const override;
    void refocusResponsiveAlignment(SKTGraphic &section) override
    {
        if (refocusResponsiveAlignmentHandler)
            refocusResponsiveAlignmentHandler(section);
    }
    InsertionSelectionCache &cache() override { return m_cache; }
    Alerts &alerts() override;
    FilePanels &filePanels() override;
    QObject *window() const override;
    QList<InsertionPageEntry> pageList() const override;
    SavedTextStore &savedTexts() override;

    // The snippet a code-name row with action addSnippet_drag inserts, and its frame size.
    static QString snippetCode(const QString &argument);
    static QSizeF snippetSize(const QString &argument);

private:
    SKTGraphicView &m_view;
    InsertionSelectionCache m_cache;
    SavedTextStore m_ownSavedTexts;
    SavedTextStore *m_savedTexts = nullptr;
    std::unique_ptr<SectionEnvironment> m_environment;
};
