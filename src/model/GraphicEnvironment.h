#pragma once
// What a graphic asks of the window and canvas that show its page: overlap
// tests, the page's sections, the last touch point, the next image name, and
// the inspector's colour display. The document window installs itself as the
// current environment while it is the main window; with none installed the
// graphics behave as if no window were open. Tests install a double.
#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <functional>

class SKTGraphic;

class GraphicEnvironment {
public:
    virtual ~GraphicEnvironment() = default;

    // The environment of the main window, or null when there is none.
    static GraphicEnvironment *current();
    static void setCurrent(GraphicEnvironment *environment);

    // Page and document.
    virtual QString documentPageName() const { return QString(); }
    virtual QString documentColorHexString() const { return QString(); }
    virtual QString nextImageName() { return QString(); }
    virtual QString currentDocPath() const { return QString(); }
    virtual QPointF lastTouchPoint() const { return QPointF(); }

    // Undo: the change being recorded now (0 when none), and a way to make
    // changes that follow from it later (the overlap repair after a move)
    // part of that change, so one undo takes back both.
    virtual quint64 currentChange() const { return 0; }
    virtual void continueChange(quint64, const std::function<void()> &changes) { changes(); }

    // Overlaps: would rect overlap another graphic of the page than graphic?
    virtual bool isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect) = 0;
    // Does any graphic of the page (sections not counted) intersect rect?
    virtual bool isThereGraphicAtRect(const QRectF &rect) = 0;

    // Sections.
    virtual SKTGraphic *grabMySection(int32_t sectionNumber) = 0;
    // The graphics inside the section; the call marks each movingAsPartOfSection.
    virtual QList<SKTGraphic *> findObjectsInSection(SKTGraphic &section) = 0;
    virtual SKTGraphic *grabTopMostObjectInSection(SKTGraphic &section) = 0;
    virtual SKTGraphic *grabBottomMostObjectInSection(SKTGraphic &section) = 0;
    virtual void identifyAndPushSectionsDownwardByOnePixel(const QRectF &rect) = 0;
    virtual void identifyAndPushSectionsDownwardByDifference(const QRectF &rect) = 0;
    virtual void reAlignSectionObjects(SKTGraphic &section) = 0;
    virtual SKTGraphic *isObjectStillInSameSectionGrid(SKTGraphic &graphic, const QPointF &point) = 0;
    virtual QRectF grabOverLappingSectionCell(const QPointF &) { return QRectF(); }
    virtual void reAlignFormOptions() {}

    // Inspector colours of the selection.
    virtual void setSelectedTextColor(const QColor &) {}
    virtual void setSelectedShapeColor(const QColor &) {}
    virtual void setSelectedHoverColor(const QColor &) {}
    virtual void setSelectedHoverTextColor(const QColor &) {}
    virtual void setSelectedBorderColor(const QColor &) {}
    virtual void refreshColorButtons() {}
    virtual void refreshInspectorPanel() {}
};
