#pragma once
// A scripted window/canvas for graphic tests: a page of graphics, overlap
// answers by plain intersection, sections by number, and a record of the
// calls the graphics made. Installs itself as the current environment.
#include "model/Geometry.h"
#include "model/GraphicEnvironment.h"
#include "model/SKTGraphic.h"

#include <QList>
#include <QRectF>
#include <QStringList>

class FakeGraphicEnvironment : public GraphicEnvironment {
public:
    FakeGraphicEnvironment() { GraphicEnvironment::setCurrent(this); }
    ~FakeGraphicEnvironment() override
    {
        if (GraphicEnvironment::current() == this)
            GraphicEnvironment::setCurrent(nullptr);
    }

    QList<SKTGraphic *> page;          // graphics of the page, in order
    QString pageName;
    QPointF touchPoint;
    QStringList calls;                 // names of the calls made, in order
    QList<QRectF> pushedRects;
    bool overlapAnswer = false;        // forced answer when useIntersection is false
    bool useIntersection = true;
    QList<QColor> shownColours;

    QString documentPageName() const override { return pageName; }
    QPointF lastTouchPoint() const override { return touchPoint; }
    QString docPath;
    int nextImageNumber = 1;
    QString nextImageName() override { return QStringLiteral("image%1").arg(nextImageNumber++); }
    QString currentDocPath() const override { return docPath; }

    bool isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect) override
    {
        calls << QStringLiteral("isThereGraphicAtNewLocation");
        if (!useIntersection)
            return overlapAnswer;
        for (SKTGraphic *g : page) {
            if (g != &graphic && !g->isSection() && Geometry::intersects(g->bounds(), rect))
                return true;
        }
        return false;
    }
    bool isThereGraphicAtRect(const QRectF &rect) override
    {
        calls << QStringLiteral("isThereGraphicAtRect");
        for (SKTGraphic *g : page) {
            if (!g->isSection() && Geometry::intersects(g->bounds(), rect))
                return true;
        }
        return false;
    }
    SKTGraphic *grabMySection(int32_t number) override
    {
        calls << QStringLiteral("grabMySection");
        for (SKTGraphic *g : page) {
            if (g->gridType() == QLatin1String("section") && g->sectionNumber() == number)
                return g;
        }
        return nullptr;
    }
    QList<SKTGraphic *> findObjectsInSection(SKTGraphic &section) override
    {
        calls << QStringLiteral("findObjectsInSection");
        QList<SKTGraphic *> inside;
        for (SKTGraphic *g : page) {
            if (g != &section && !g->isSection() && g->sectionNumber() == section.sectionNumber()) {
                g->setMovingAsPartOfSection(true);
                inside << g;
            }
        }
        return inside;
    }
    SKTGraphic *topMost = nullptr;
    SKTGraphic *bottomMost = nullptr;
    SKTGraphic *grabTopMostObjectInSection(SKTGraphic &) override { return topMost; }
    SKTGraphic *grabBottomMostObjectInSection(SKTGraphic &) override { return bottomMost; }
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF &rect) override
    {
        calls << QStringLiteral("pushByOnePixel");
        pushedRects << rect;
    }
    void identifyAndPushSectionsDownwardByDifference(const QRectF &rect) override
    {
        calls << QStringLiteral("pushByDifference");
        pushedRects << rect;
    }
    void reAlignSectionObjects(SKTGraphic &) override { calls << QStringLiteral("reAlignSectionObjects"); }
    SKTGraphic *isObjectStillInSameSectionGrid(SKTGraphic &graphic, const QPointF &) override
    {
        calls << QStringLiteral("isObjectStillInSameSectionGrid");
        return &graphic;
    }
    void reAlignFormOptions() override { calls << QStringLiteral("reAlignFormOptions"); }
    void setSelectedTextColor(const QColor &c) override { shownColours << c; }
    void setSelectedShapeColor(const QColor &c) override { shownColours << c; }
    void refreshInspectorPanel() override { calls << QStringLiteral("refreshInspectorPanel"); }
};
