#pragma once
// The editing canvas of one page, without widgets: it shows the graphics of
// an SKTDocument (index 0 frontmost), holds the selection and every editing
// rule (gestures, keys, clipboard, drops), and says which rectangles need
// drawing. A widget (ui/SKTGraphicViewWidget) paints it and turns Qt events
// into its operations. It also answers the graphics' questions about the page
// (GraphicEnvironment) through a spatial index of their paint reach.
#include "model/GraphicEnvironment.h"
#include "model/GraphicSpatialIndex.h"
#include "canvas/FlatGraphicGrid.h"
#include "canvas/SKTGrid.h"
#include "model/SKTGraphic.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QSet>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class CanvasGesture;
class CanvasMenuValidator;
class myTextView;
struct DropCodeName;
class CanvasHost;
class CanvasInsertions;
class QMimeData;
class QPainter;
class SKTDocument;
class SKTGraphic;
class SKTGrid;
class SKTTable;
class SKTText;

class SKTGraphicView : public QObject, public GraphicEnvironment {
    Q_OBJECT
public:
    explicit SKTGraphicView(QObject *parent = nullptr);
    ~SKTGraphicView() override;

    // --- bindings ---------------------------------------------------------------
    void setDocument(SKTDocument *document);
    SKTDocument *document() const { return m_document; }
    QList<SKTGraphic *> graphics() const;
    void setHost(CanvasHost *host) { m_host = host; }
    CanvasHost *host() const { return m_host; }
    void setInsertions(CanvasInsertions *insertions) { m_insertions = insertions; }
    CanvasInsertions *insertions() const;
    void setGrid(SKTGrid *grid);
    SKTGrid *grid() const { return m_grid; }

    // --- selection --------------------------------------------------------------
    // Ascending indexes into graphics().
    QList<qsizetype> selectionIndexes() const;
    void setSelectionIndexes(const QList<qsizetype> &indexes);
    // The selected graphics in page order (front first).
    QList<SKTGraphic *> selectedGraphics() const;
    void setSelectedGraphics(const QList<SKTGraphic *> &graphics);
    bool isSelected(const SKTGraphic *graphic) const { return m_selection.contains(graphic); }
    void deselectAll() { setSelectedGraphics({}); }

    // --- hit tests ----------------------------------------------------------------
    // The frontmost graphic under point: a selected graphic's handle, or any
    // graphic's contents. index, selected and handle are filled on a hit.
    SKTGraphic *graphicUnderPoint(const QPointF &point, qsizetype *index = nullptr, bool *selected = nullptr,
                                  int *handle = nullptr);
    // The same for a point that is only pointed at (a right click, a drag
    // passing over): a slideshow's arrows turn its slides only on a click.
    SKTGraphic *graphicPointedAt(const QPointF &point, bool *selected = nullptr);
    // Selectable graphics (radio buttons and check boxes excluded) whose
    // drawing bounds meet rect, ascending.
    QList<qsizetype> indexesOfGraphicsIntersectingRect(const QRectF &rect) const;
    // The same graphics themselves, in no particular order.
    QList<SKTGraphic *> selectableGraphicsIntersectingRect(const QRectF &rect) const;
    // The graphics whose paint reach meets rect, in page order (front first).
    QList<SKTGraphic *> graphicsReaching(const QRectF &rect) const;
    // Drawing bounds plus the room a shadow takes.
    static QRectF paintReach(SKTGraphic &graphic);

    // --- gestures ---------------------------------------------------------------
    void mouseDown(const QPointF &point, int clickCount, bool shift);
    void mouseDragged(const QPointF &point);
    void mouseUp(const QPointF &point);
    // The gesture under way ends here (Escape, focus lost, a lost release).
    void cancelGesture();
    bool isTracking() const { return m_gesture != nullptr; }
    bool acceptsFirstMouse() const { return m_selection.isEmpty(); }
    // A click with table-cell selection on: toggles the cell under the last
    // touch point of the one selected table, or clears every marked cell.
    void markSelectedTableCell();
    // A context-menu click: remembers where, for the commands of the menu.
    void contextMenuAt(const QPointF &point) { lastTouchPointValue = point; }
    // A right click: the menu is about what lies under the pointer. A graphic
    // outside the selection becomes the selection; a selected one keeps the
    // selection as it is (the menu acts on all of it); empty canvas clears it.
    void contextMenuClick(const QPointF &point);

    // --- keys -------------------------------------------------------------------
    void deleteSelection();
    void moveSelectedGraphicsBy(double dx, double dy);
    void hideHandlesMomentarily();
    bool isHidingHandles() const { return m_isHidingHandles; }
    void setHidingHandles(bool on);
    static constexpr int kHandleHideMs = 500;

    // --- clipboard --------------------------------------------------------------
    // The selection as clipboard data, or null when it cannot be copied (a
    // slideshow: the alert was shown).
    QMimeData *mimeDataForSelection();
    bool copy();
    void cut();
    void paste();
    void duplicate();
    // Pastes from data; false when nothing was pasted.
    bool pasteFromMimeData(const QMimeData &data);
    static QString copySerialMimeType();

    // --- drag and drop (SKTGraphicViewDrops.cpp) ------------------------------------
    // Whether a drop of data at point would be taken.
    bool canAcceptDrop(const QMimeData &data, const QPointF &point);
    // Whether data is of a kind a drop somewhere on the page could take: a
    // drag carrying it is followed over the canvas, and each place decides.
    bool canFollowDrag(const QMimeData &data) const;
    bool performDrop(const QMimeData &data, const QPointF &point);
    static QString codeNameMimeType();
    // The slideshow, gallery or picture table under the point that dropped
    // pictures go into; null when there is none.
    SKTGraphic *pictureContainerAt(const QPointF &point);

    // --- editing in place -------------------------------------------------------
    SKTGraphic *editingGraphic() const { return m_editingGraphic; }
    void startEditingGraphic(SKTGraphic *graphic);
    void stopEditing();

    // --- ruler echo ------------------------------------------------------------
    // While a selection moves or a graphic is resized with the rulers shown,
    // the rulers mark the left edge, centre and right edge (top, middle and
    // bottom) of the moving rectangle.
    bool rulersVisible = false;
    void beginEchoingMoveToRulers(const QRectF &rect);
    void continueEchoingMoveToRulers(const QRectF &rect);
    void stopEchoingMoveToRulers();
    // The echoed rectangle; null when the rulers show no echo.
    QRectF rulerEchoedBounds() const { return m_rulerEchoedBounds; }

    // --- drawing ----------------------------------------------------------------
    // Page colour, grid, graphics with handles, marquee, inside dirty (canvas
    // coordinates); devicePixelsPerPoint is the zoom.
    void draw(QPainter &painter, const QRectF &dirty, double devicePixelsPerPoint = 1.0);
    // The same in two passes, for a widget that paints the page in pieces:
    // the page itself (colour, grid, graphics), then what lies over it
    // (handles, marquee) in one go over the whole dirty area, on the painter
    // of the whole device, since dashed outlines are phased by that device.
    void drawPage(QPainter &painter, const QRectF &dirty, double devicePixelsPerPoint = 1.0);
    // Several dirty areas are drawn over in one go, each handle once.
    void drawOverlays(QPainter &painter, const QList<QRectF> &dirty);
    QRectF marqueeSelectionBounds() const { return m_marquee; }
    void setMarqueeSelectionBounds(const QRectF &rect);
    // The page colour: a hex string, or "CLEAR0" for the clear page.
    QString pageColorHexString;
    QColor pageColor = QColor(Qt::white);
    bool clearBackground = false;
    bool pauseDrawGraphicFlag = false;
    QRectF canvasBounds() const;
    // A canvas frame of the window's own choosing (the web canvas-size
    // control): it holds until the page's size changes. An empty size goes
    // back to the page's.
    void setCanvasFrameSize(const QSizeF &size);
    QSizeF canvasFrameSize() const { return m_frameSize; }

    // --- state other parts read ---------------------------------------------------
    QPointF lastTouchPointValue;
    QPointF pasteCascadeDelta = QPointF(10, 10);
    int64_t pasteCascadeNumber = 0;
    int64_t pasteboardSerial = -1;
    QString pagePath; // the page file without extension
    // The zoom the widget shows the canvas at (palette presets are sized by it).
    double zoomFactor = 1.0;
    // The page folder the pasted data came from (its images are copied from there).
    QString sourcePageFolder;

    // --- GraphicEnvironment -------------------------------------------------------
    QString documentPageName() const override;
    QString documentColorHexString() const override { return pageColorHexString; }
    QString nextImageName() override;
    QString currentDocPath() const override { return pagePath; }
    QPointF lastTouchPoint() const override { return lastTouchPointValue; }
    quint64 currentChange() const override;
    void continueChange(quint64 change, const std::function<void()> &changes) override;
    bool isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect) override;
    bool isThereGraphicAtRect(const QRectF &rect) override;
    SKTGraphic *grabMySection(int32_t sectionNumber) override;
    QList<SKTGraphic *> findObjectsInSection(SKTGraphic &section) override;
    SKTGraphic *grabTopMostObjectInSection(SKTGraphic &section) override;
    SKTGraphic *grabBottomMostObjectInSection(SKTGraphic &section) override;
    // Sections pushed down and re-aligned by the insertion side's section
    // operations (nothing without them).
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF &rect) override;
    void identifyAndPushSectionsDownwardByDifference(const QRectF &rect) override;
    void reAlignSectionObjects(SKTGraphic &section) override;
    SKTGraphic *isObjectStillInSameSectionGrid(SKTGraphic &graphic, const QPointF &point) override;
    QRectF grabOverLappingSectionCell(const QPointF &point) override;

    // Member queries. The other members of the graphic's group (texts,
    // images, galleries, tables, slideshows and lines; plain shapes never).
    QList<SKTGraphic *> findMatchingGroupObjects(const SKTGraphic &graphic) const;
    // The graphics laid into one cell of a section.
    QList<SKTGraphic *> findObjectsInSectionCell(const myTextView &cell) const;
    static bool existInArray(int32_t number, const QList<int32_t> &numbers);
    // The selection followed by the other members of its groups, each once.
    QList<SKTGraphic *> withGroupPeers(const QList<SKTGraphic *> &graphics) const;

    // --- arrangement (SKTGraphicViewArrange.cpp) ----------------------------------
    // The first selected graphic whose bounds hold the last touch point (left
    // and top edges inside, right and bottom outside); null when none does.
    SKTGraphic *lastSelectedGraphic() const;
    // The graphics that can be selected, in page order.
    QList<SKTGraphic *> selectableGraphics() const;
    void alignLeftEdges();
    void alignRightEdges();
    void alignTopEdges();
    void alignBottomEdges();
    void alignHorizontalCenters();
    void alignVerticalCenters();
    void alignHorizontalSpacing();
    void alignVerticalSpacing();
    void makeSameWidth();
    void makeSameHeight();
    void makeSameSize();
    void alignWithGrid();
    void makeNaturalSize();
    void bringForward();
    void sendBackward();
    void bringToFront();
    void sendToBack();

    // --- groups and locks (SKTGraphicViewGroups.cpp) -----------------------------
    void groupObjects();
    void unGroupObjects();
    void lockObjects();
    void unLockObjects();
    void scrollLockObjects();
    void unScrollLockObjects();
    void positionSettingActions() {}
    bool groupShown() const;
    bool ungroupShown() const;
    bool lockShown() const;
    bool unLockShown() const;
    bool scrollShown() const;
    bool unScrollShown() const;
    bool positionSettingsShown() const;
    bool addBranchShown() const;
    // One more than the largest group number on the page (-98 on a page whose
    // graphics are all ungrouped); 1 on an empty page.
    int32_t findNextGroupNumber() const;

    // --- centring (SKTGraphicViewCentring.cpp) -------------------------------------
    bool centerGroupShown() const;
    void centerGroup();
    void centerOnCanvas();
    void centerWithinGroup();

    // --- undo and selection commands (SKTGraphicViewUndo.cpp) -------------------
    // Undo and redo the document's step, then select the graphics it inserted
    // or changed (the selection stays as the step left it when none).
    void undo();
    void redo();
    void selectAll();
    void deselectAllAction() { setSelectionIndexes({}); }
    // Adds the graphic at objectIndex (a layer row) to the selection.
    void manuallySelectObject(qsizetype objectIndex);
    static QList<SKTGraphic *> grabSelectableArray(const QList<SKTGraphic *> &graphics);
    template <typename T>
    QList<SKTGraphic *> graphicsWithClass() const
    {
        QList<SKTGraphic *> list;
        for (SKTGraphic *g : graphics())
            if (dynamic_cast<T *>(g))
                list.append(g);
        return list;
    }
    QList<SKTGraphic *> textAreas() const;
    QList<SKTGraphic *> images() const;
    QList<SKTGraphic *> slideshows() const;
    QList<SKTGraphic *> galleries() const;
    QList<SKTGraphic *> tables() const;
    // The rulers are the window's: the command only carries the menu title.
    void showOrHideRulers() {}

    // --- style (SKTGraphicViewStyle.cpp) ---------------------------------------------
    // Copying remembers the source itself (kept alive when it is deleted);
    // pasting reads its look at that moment. Tables are restyled cell by cell.
    bool grabCopyStyleShown() const;
    void grabCopyStyle();
    bool applyPasteStyleShown() const;
    void applyPasteStyle();
    bool matchScreenWidthShown() const;
    bool unMatchScreenWidthShown() const;
    void matchScreenWidth();
    void unMatchScreenWidth();
    // Also fills existingZIndex for the layer-index pop-over.
    bool manualLayerIndexShown();
    bool removeManualLayerIndexShown() const;
    void removeManualLayerIndex();
    void changeColor(const QColor &colour);
    QString existingZIndex;
    std::shared_ptr<SKTText> styleTextbox() const { return m_styleTextbox; }
    std::shared_ptr<SKTTable> styleTable() const { return m_styleTable; }

    // --- snippets (SKTGraphicViewSnippets.cpp) -------------------------------------------
    // Sets (clears) the formatting flag of every selected HTML snippet.
    void applyHTMLSnippetFormattingOption();
    void removeHTMLSnippetFormattingOption();
    // The code editor's Save: the snippet's markup replaced by the text, as
    // one undo step; false (nothing changed) when the snippet has left the page.
    bool saveSnippetMarkup(SKTText *snippet, const QString &markup);

    // The menu validation of this canvas, with what its predicates remembered.
    CanvasMenuValidator &menuValidator();

    // Names the open undo step (or the last one).
    void nameUndoAction(const QString &name);

signals:
    // A rectangle of the canvas must be drawn again.
    void needsDisplayInRect(const QRectF &rect);
    void needsDisplay();
    void selectionChanged();
    // The widget puts an editor over the graphic / takes it away.
    void editingStarted(SKTGraphic *graphic);
    void editingStopped();
    void canvasSizeChanged();
    void rulerEchoChanged(const QRectF &rect);

public:
    // Where a pasted or dropped picture of that pixel size goes at point:
    // its own size, or the insert size limit wide with its proportions.
    static QRectF pastedImageFrame(const QSizeF &pixels, const QPointF &point);
    // One message naming the dropped files that were no pictures we could read.
    void reportUnreadableFiles(const QStringList &names);
    // Inserts what a palette entry's code name makes, at point, as its drop
    // would; false for a code name the drop table does not know.
    bool insertCodeName(const QString &codeName, const QPointF &point);

private:
    friend class MoveGesture;
    friend class ResizeGesture;
    friend class MarqueeGesture;

    void graphicsChanged();
    void graphicNeedsDisplay(SKTGraphic *graphic);
    void rebuildIndex();
    void invalidateGraphics(const QList<SKTGraphic *> &graphics);
    void selectionDidChange(const QSet<const SKTGraphic *> &before);
    void scheduleInspectorRefresh();
    void selectAndTrack(const QPointF &point, bool shift);
    void endGesture();
    bool pasteGraphics(const QByteArray &payload, int64_t serial);
    bool pasteImageFile(const QString &path, const QPointF &point);
    bool dropCodeNames(const QStringList &names, const QStringList &files, const QPointF &point);
    bool runDropRow(const DropCodeName &row, const QPointF &point);
    bool pasteImage(const QImage &image, const QString &type, const QString &sourcePath, const QPointF &point);
    void alert(const QString &message, const QString &informative);
    // The graphic the edge and size commands measure against: the one under
    // the last touch point, else the frontmost selected one.
    SKTGraphic *alignmentReference() const;
    void alignEach(const std::function<QRectF(const QRectF &own, const QRectF &ref)> &target, const QString &name);
    void alignSpacing(bool horizontal);
    // Moves one graphic to index at with undo, keeping the selection.
    void moveGraphicToIndex(SKTGraphic *graphic, qsizetype at);
    void setLockAttribute(bool scroll, int32_t value);
    void undoOrRedo(bool backwards);
    void noteUndoTouched(const SKTGraphic *graphic);
    // What the running undo or redo touched; empty outside them.
    std::optional<QSet<const SKTGraphic *>> m_undoSelection;
    std::shared_ptr<SKTText> m_styleTextbox;
    std::shared_ptr<SKTTable> m_styleTable;

    QPointer<QObject> m_documentEvents;
    SKTDocument *m_document = nullptr;
    CanvasHost *m_host = nullptr;
    CanvasInsertions *m_insertions = nullptr;
    QPointer<SKTGrid> m_grid;
    QSet<const SKTGraphic *> m_selection;
    QSet<const SKTGraphic *> m_present;
    GraphicSpatialIndex m_index{128.0};
    QHash<const SKTGraphic *, QRectF> m_reach;
    // Graphics with no area, which an area index never answers.
    FlatGraphicGrid m_flat;
    // Each graphic's index in the page, for ordering what the index finds.
    QHash<const SKTGraphic *, qsizetype> m_order;
    void rebuildOrder();
    // The selection's ascending indexes from the order kept; false when the
    // order is not the page's.
    bool selectionByOrder(QList<qsizetype> *indexes) const;
    // Index candidates for rect widened by the paint reach, flat graphics included.
    QList<SKTGraphic *> candidatesNear(const QRectF &rect) const;
    // Set while graphicPointedAt asks: contents are tested without clicking.
    bool m_onlyPointing = false;
    double m_reachPad = 0;
    std::unique_ptr<CanvasGesture> m_gesture;
    std::unique_ptr<CanvasMenuValidator> m_menuValidator;
    SKTGraphic *m_editingGraphic = nullptr;
    QRectF m_marquee;
    QRectF m_rulerEchoedBounds;
    bool m_isHidingHandles = false;
    QTimer m_handleTimer;
    bool m_inspectorRefreshPending = false;
    QSizeF m_frameSize;
};
