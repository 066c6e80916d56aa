#pragma once
// The document window's answer to the section questions of the model and of
// page code: each call goes to the window's canvas unchanged; with no canvas,
// rectangles are the zero rectangle, objects null and flags false. The window
// installs it as the GraphicEnvironment while it is the main window.
#include "model/GraphicEnvironment.h"

// The canvas's section rules beyond what every graphic asks.
class SectionCanvas : public GraphicEnvironment {
public:
    virtual QRectF grabSectionRect(const QPointF &point, const QRectF &rect) = 0;
    virtual bool isThereGraphicAtRect_includingSection(const QRectF &rect) = 0;
    virtual void identifyAndPushSectionsDownward(const QRectF &rect) = 0;
    virtual bool doesSelectedTableContainBackgroundPattern() = 0;
    virtual void removeTableBackgroundPattern() = 0;
    virtual void addPlaceHolderAddress(const QPointF &point) = 0;
};

class SectionQueries : public GraphicEnvironment {
public:
    explicit SectionQueries(SectionCanvas *canvas = nullptr) : m_canvas(canvas) {}
    void setCanvas(SectionCanvas *canvas) { m_canvas = canvas; }
    SectionCanvas *canvas() const { return m_canvas; }

    QString documentPageName() const override { return m_canvas ? m_canvas->documentPageName() : QString(); }
    QString documentColorHexString() const override { return m_canvas ? m_canvas->documentColorHexString() : QString(); }
    QString nextImageName() override { return m_canvas ? m_canvas->nextImageName() : QString(); }
    QString currentDocPath() const override { return m_canvas ? m_canvas->currentDocPath() : QString(); }
    QPointF lastTouchPoint() const override { return m_canvas ? m_canvas->lastTouchPoint() : QPointF(); }

    bool isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect) override
    {
        return m_canvas && m_canvas->isThereGraphicAtNewLocation(graphic, rect);
    }
    bool isThereGraphicAtRect(const QRectF &rect) override { return m_canvas && m_canvas->isThereGraphicAtRect(rect); }
    bool isThereGraphicAtRect_includingSection(const QRectF &rect)
    {
        return m_canvas && m_canvas->isThereGraphicAtRect_includingSection(rect);
    }
    SKTGraphic *grabMySection(int32_t number) override { return m_canvas ? m_canvas->grabMySection(number) : nullptr; }
    QList<SKTGraphic *> findObjectsInSection(SKTGraphic &section) override
    {
        return m_canvas ? m_canvas->findObjectsInSection(section) : QList<SKTGraphic *>();
    }
    SKTGraphic *grabTopMostObjectInSection(SKTGraphic &section) override
    {
        return m_canvas ? m_canvas->grabTopMostObjectInSection(section) : nullptr;
    }
    SKTGraphic *grabBottomMostObjectInSection(SKTGraphic &section) override
    {
        return m_canvas ? m_canvas->grabBottomMostObjectInSection(section) : nullptr;
    }
    void identifyAndPushSectionsDownward(const QRectF &rect)
    {
        if (m_canvas)
            m_canvas->identifyAndPushSectionsDownward(rect);
    }
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF &rect) override
    {
        if (m_canvas)
            m_canvas->identifyAndPushSectionsDownwardByOnePixel(rect);
    }
    void identifyAndPushSectionsDownwardByDifference(const QRectF &rect) override
    {
        if (m_canvas)
            m_canvas->identifyAndPushSectionsDownwardByDifference(rect);
    }
    void reAlignSectionObjects(SKTGraphic &section) override
    {
        if (m_canvas)
            m_canvas->reAlignSectionObjects(section);
    }
    SKTGraphic *isObjectStillInSameSectionGrid(SKTGraphic &graphic, const QPointF &point) override
    {
        return m_canvas ? m_canvas->isObjectStillInSameSectionGrid(graphic, point) : nullptr;
    }
    QRectF grabOverLappingSectionCell(const QPointF &point) override
    {
        return m_canvas ? m_canvas->grabOverLappingSectionCell(point) : QRectF();
    }
    QRectF grabSectionRect(const QPointF &point, const QRectF &rect)
    {
        return m_canvas ? m_canvas->grabSectionRect(point, rect) : QRectF();
    }
    void reAlignFormOptions() override
    {
        if (m_canvas)
            m_canvas->reAlignFormOptions();
    }
    bool doesSelectedTableContainBackgroundPattern()
    {
        return m_canvas && m_canvas->doesSelectedTableContainBackgroundPattern();
    }
    void removeTableBackgroundPattern()
    {
        if (m_canvas)
            m_canvas->removeTableBackgroundPattern();
    }
    void addPlaceHolderAddress(const QPointF &point)
    {
        if (m_canvas)
            m_canvas->addPlaceHolderAddress(point);
    }

    void setSelectedTextColor(const QColor &c) override { forward(&GraphicEnvironment::setSelectedTextColor, c); }
    void setSelectedShapeColor(const QColor &c) override { forward(&GraphicEnvironment::setSelectedShapeColor, c); }
    void setSelectedHoverColor(const QColor &c) override { forward(&GraphicEnvironment::setSelectedHoverColor, c); }
    void setSelectedHoverTextColor(const QColor &c) override
    {
        forward(&GraphicEnvironment::setSelectedHoverTextColor, c);
    }
    void setSelectedBorderColor(const QColor &c) override { forward(&GraphicEnvironment::setSelectedBorderColor, c); }
    void refreshColorButtons() override
    {
        if (m_canvas)
            m_canvas->refreshColorButtons();
    }
    void refreshInspectorPanel() override
    {
        if (m_canvas)
            m_canvas->refreshInspectorPanel();
    }

private:
    void forward(void (GraphicEnvironment::*call)(const QColor &), const QColor &c)
    {
        if (m_canvas)
            (m_canvas->*call)(c);
    }
    SectionCanvas *m_canvas = nullptr;
};
