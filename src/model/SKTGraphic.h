#pragma once
// Base class of every object on the design canvas. A graphic is plain data:
// its geometry and editing attributes, the properties dictionary that copies
// and rebuilds it, handles and resizing, the box model, and the class-level
// operations on sets of graphics (union of bounds, moving, section rules).
// Every attribute change goes through changeAttribute(), which reports the
// key and the old value to the owning document (undo, redraw).
//
// Kinds (text, image, line, table, ...) derive from it, return their own
// className(), add their own keys in writeProperties()/readProperties() after
// calling the base, and register with GraphicFactory.
#include "model/GraphicProperties.h"
#include "model/SKTGraphicAttributes.h"

#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class ElementCarrier;
class QCursor;
class GraphicOwner;
class GraphicPainter;
class QPainter;
class QTimer;

class SKTGraphic {
public:
    SKTGraphic();
    virtual ~SKTGraphic();
    SKTGraphic(const SKTGraphic &) = delete;
    SKTGraphic &operator=(const SKTGraphic &) = delete;

    // The name the factory and the properties dictionary know the class by.
    virtual QString className() const;

    GraphicOwner *owner() const { return m_owner; }
    void setOwner(GraphicOwner *owner) { m_owner = owner; }

    // A new graphic of the same class with only bounds, fill and stroke copied;
    // full copies go through properties().
    virtual std::unique_ptr<SKTGraphic> copy() const;

    // --- attributes ----------------------------------------------------------
    QRectF bounds() const { return m_bounds; }
    virtual void setBounds(const QRectF &bounds);
    double xPosition() const { return m_bounds.x(); }
    double yPosition() const { return m_bounds.y(); }
    double width() const { return m_bounds.width(); }
    double height() const { return m_bounds.height(); }
    void setXPosition(double x);
    void setYPosition(double y);
    void setWidth(double w);
    void setHeight(double h);

    virtual bool isDrawingFill() const { return m_drawingFill; }
    void setDrawingFill(bool on) { changeAttribute(m_drawingFill, on, QStringLiteral("drawingFill")); }
    virtual bool isDrawingStroke() const { return m_drawingStroke; }
    void setDrawingStroke(bool on) { changeAttribute(m_drawingStroke, on, QStringLiteral("drawingStroke")); }
    // A colour dropped on the graphic: turns the fill on and sets it.
    void setColor(const QColor &colour);
    virtual bool canSetDrawingFill() const { return true; }
    virtual bool canSetDrawingStroke() const { return true; }
    // Text content; the base has none.
    virtual QString textString() const { return QString(); }

#define ZOV_DECLARE_ATTRIBUTE(Type, name, Setter, initial) \
    Type name() const { return m_##name; } \
    void set##Setter(const Type &value) { changeAttribute(m_##name, value, QStringLiteral(#name)); }
    ZOV_GRAPHIC_ATTRIBUTES(ZOV_DECLARE_ATTRIBUTE)
#undef ZOV_DECLARE_ATTRIBUTE

    // By-key access for undo and the inspector. Kinds extend both for their
    // own keys and call the base for the rest. setValue returns false for an
    // unknown key or a value that cannot be converted.
    virtual QVariant value(const QString &key) const;
    virtual bool setValue(const QString &key, const QVariant &value);
    // Keys of the base attributes (bounds, drawingFill and drawingStroke included).
    static QStringList attributeKeys();

    // What a change of one key also changes: the drawing bounds follow these
    // keys, the drawn contents follow the second list (kinds add theirs).
    static QStringList keyPathsForValuesAffectingDrawingBounds();
    virtual QStringList keyPathsForValuesAffectingDrawingContents() const;

    // Keys whose changes the document records for undo, and their action names.
    virtual QStringList keysForValuesToObserveForUndo() const;
    QString presentablePropertyNameForKey(const QString &key) const;

    // --- properties dictionary ---------------------------------------------
    // The graphic as a dictionary (no "className"); normalises a few null
    // strings of the receiver on the way (link, templateName, ...).
    GraphicProperties properties();
    QString description();
    // Sets the attributes from a dictionary; called on a freshly made graphic.
    virtual void readProperties(const GraphicProperties &properties);

    static QList<GraphicProperties> propertiesWithGraphics(const QList<SKTGraphic *> &graphics);
    // Builds graphics of our own registered classes only; other entries are skipped.
    static QList<std::shared_ptr<SKTGraphic>> graphicsWithPropertiesPasted(const QList<GraphicProperties> &list);
    static QByteArray pasteboardDataWithGraphics(const QList<SKTGraphic *> &graphics);
    // Null result list and *error set when the data is not our clipboard form.
    static QList<std::shared_ptr<SKTGraphic>> graphicsWithPasteboardData(const QByteArray &data, QString *error = nullptr);
    static QString pasteboardMimeType();
    // Page loading: the page reader's element carriers, in page order, become
    // one dictionary per top-level graphic (cells, gallery images and slides
    // go into their composite's dictionary), then graphics.
    static QList<GraphicProperties> convertArrayToProperties(const QList<std::shared_ptr<ElementCarrier>> &carriers,
                                                             const QString &templateName);
    static QList<std::shared_ptr<SKTGraphic>> graphicsWithProperties(const QList<std::shared_ptr<ElementCarrier>> &carriers,
                                                                     const QString &templateName);

    // --- drawing bounds, handles and resizing -------------------------------
    virtual QRectF drawingBounds();
    virtual void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited);
    // Throws std::logic_error unless a kind overrides it or drawContents.
    virtual QPainterPath bezierPathForDrawing(GraphicPainter &painter);
    // Selection handles; drawn straight on the painter, without shadow.
    virtual void drawHandles(QPainter &painter);
    void drawHandle(QPainter &painter, const QPointF &point);
    // The handle positions that drawHandles draws, in drawing order.
    QList<QPointF> visibleHandlePoints() const;
    bool showsHandles() const;
    virtual int handleUnderPoint(const QPointF &point) const;
    bool isHandleAtPoint(const QPointF &handlePoint, const QPointF &point) const;
    virtual bool isContentsUnderPoint(const QPointF &point);
    virtual bool canMakeNaturalSize() const { return width() != height(); }
    virtual void makeNaturalSize() {}
    virtual int resizeByMovingHandle(int handle, const QPointF &point);
    virtual void flipHorizontally() {}
    virtual void flipVertically() {}
    // The handle dragged while a new graphic is drawn out.
    virtual int creationSizingHandle() const { return 8; }
    // The cross-hair shown while a new graphic is drawn out; made once.
    static QCursor creationCursor();
    static QPointF handlePoint(const QRectF &bounds, int handle);
    static int flippedHandleHorizontally(int handle);
    static int flippedHandleVertically(int handle);
    static float drawingHandleSize();
    static float hitHandleSize();

    // Hooks for the section container and image kinds.
    // A table kind answers its grid type; a page section is one whose grid
    // type is "section" or "sectionTemplate".
    virtual QString gridType() const { return QString(); }
    bool isSection() const;
    virtual QSizeF naturalImageSize() const { return QSizeF(); }
    virtual void updateOriginalRect() {}

    // --- box model ------------------------------------------------------------
    void drawBoxModel();
    void applyPaddingAndMargin();
    void autoConvertLeftMargins() {}
    void refreshSelectedColors();
    QRectF drawRect() const { return m_drawRect; }
    QRectF noMarginRect() const { return m_noMarginRect; }
    QRectF noMarginNoBorderRect() const { return m_noMarginNoBorderRect; }
    QRectF noPaddingNoMarginRect() const { return m_noPaddingNoMarginRect; }
    QRectF contentRect() const { return m_contentRect; }
    float topMarginInPx() const { return m_topMarginInPx; }
    float bottomMarginInPx() const { return m_bottomMarginInPx; }
    float leftMarginInPx() const { return m_leftMarginInPx; }
    float rightMarginInPx() const { return m_rightMarginInPx; }
    float topPaddingInPx() const { return m_topPaddingInPx; }
    float bottomPaddingInPx() const { return m_bottomPaddingInPx; }
    float leftPaddingInPx() const { return m_leftPaddingInPx; }
    float rightPaddingInPx() const { return m_rightPaddingInPx; }

    // --- window services -------------------------------------------------------
    QString getNextImageName() const;
    QString getCurrentDocPath() const;
    QPointF getLastTouchPoint() const;

    // --- sets of graphics ------------------------------------------------------
    static QRectF boundsOfGraphics(const QList<SKTGraphic *> &graphics);
    static QRectF drawingBoundsOfGraphics(const QList<SKTGraphic *> &graphics);
    static void translateGraphics(const QList<SKTGraphic *> &graphics, double dx, double dy);
    static bool isGraphicOutsideOfSection(SKTGraphic &graphic, int32_t dy);
    // True when rect is NOT inside the graphic's allowed section area.
    static bool isGraphicContainedWithinSection(SKTGraphic &graphic, const QRectF &rect);
    static void checkforOverlap(SKTGraphic &graphic);
    // The delayed overlap repair: at most one pending per graphic, restarted
    // by each move, and gone with the graphic.
    void scheduleOverlapCheck();
    bool hasPendingOverlapCheck() const;
    static constexpr int kOverlapCheckDelayMs = 200;

protected:
    // The single change path: stores the value and reports (key, old value).
    template <typename T>
    void changeAttribute(T &member, const T &value, const QString &key)
    {
        if (member == value)
            return;
        const T old = member;
        member = value;
        reportChange(key, QVariant::fromValue(old));
    }
    void reportChange(const QString &key, const QVariant &oldValue);
    // Asks the owner to redraw after a change that went past the change path
    // (cells, pictures, slides held as records): reports key with its current
    // value as the old one, which records no undo step.
    void reportRedraw(const QString &key, const QVariant &currentValue) { reportChange(key, currentValue); }
    // Values that drawing settles on its own (a styled border drawn at least
    // one pixel wide, the mask flag following the mask image). The inspector
    // edits these keys with undo; drawing must never add an undo step, so the
    // value is stored and only a redraw is reported.
    void settleBorderWidth(int32_t width);
    void settleMaskFlag(int32_t flag);
    // The base writes its common keys; kinds call it first, then add theirs.
    virtual void writeProperties(GraphicProperties &properties);
    // A fresh graphic of the receiver's class, for copy().
    std::unique_ptr<SKTGraphic> makeSameKind() const;
    // Stores bounds through the change path; for setBounds overrides.
    void storeBounds(const QRectF &bounds);

private:
    void computePixelValues();

    GraphicOwner *m_owner = nullptr;
    QRectF m_bounds;
    bool m_drawingFill = false;
    bool m_drawingStroke = true;

#define ZOV_DEFINE_ATTRIBUTE(Type, name, Setter, initial) Type m_##name = initial;
    ZOV_GRAPHIC_ATTRIBUTES(ZOV_DEFINE_ATTRIBUTE)
#undef ZOV_DEFINE_ATTRIBUTE

    // Box-model caches, valid after the last drawBoxModel().
    QRectF m_drawRect, m_noMarginRect, m_noMarginNoBorderRect, m_noPaddingNoMarginRect, m_contentRect;
    float m_topMarginInPx = 0, m_bottomMarginInPx = 0, m_leftMarginInPx = 0, m_rightMarginInPx = 0;
    float m_topPaddingInPx = 0, m_bottomPaddingInPx = 0, m_leftPaddingInPx = 0, m_rightPaddingInPx = 0;

    std::unique_ptr<QTimer> m_overlapTimer;
};
