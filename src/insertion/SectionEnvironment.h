#pragma once
// The section half of what graphics ask of their window, answered by the
// section operations over the insertion context. The canvas derives its
// environment from this and adds the rest (colours, names, the last touch).
#include "insertion/SectionOperations.h"
#include "model/GraphicEnvironment.h"

class SectionEnvironment : public GraphicEnvironment {
public:
    explicit SectionEnvironment(InsertionContext &context) : m_sections(context) {}

    SectionOperations &sections() { return m_sections; }

    // Slides and other graphics that name a new picture take the page's next
    // free image name from the same service as every maker.
    QString nextImageName() override;
    QString currentDocPath() const override;

    bool isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect) override;
    bool isThereGraphicAtRect(const QRectF &rect) override;
    SKTGraphic *grabMySection(int32_t sectionNumber) override;
    QList<SKTGraphic *> findObjectsInSection(SKTGraphic &section) override;
    SKTGraphic *grabTopMostObjectInSection(SKTGraphic &section) override;
    SKTGraphic *grabBottomMostObjectInSection(SKTGraphic &section) override;
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF &rect) override;
    void identifyAndPushSectionsDownwardByDifference(const QRectF &rect) override;
    void reAlignSectionObjects(SKTGraphic &section) override;
    SKTGraphic *isObjectStillInSameSectionGrid(SKTGraphic &graphic, const QPointF &point) override;
    QRectF grabOverLappingSectionCell(const QPointF &point) override;

private:
    SectionOperations m_sections;
};
