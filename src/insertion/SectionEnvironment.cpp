#include "insertion/SectionEnvironment.h"

#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/PageImageService.h"
#include "model/SKTGraphic.h"

QString SectionEnvironment::nextImageName()
{
    return PageImageService(m_sections.frame().document()).getNextImageName();
}

QString SectionEnvironment::currentDocPath() const
{
    auto &frame = const_cast<SectionOperations &>(m_sections).frame();
    return PageImageService(frame.document()).pageFolder();
}

bool SectionEnvironment::isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect)
{
    return m_sections.isThereGraphicAtNewLocation(graphic, rect);
}

bool SectionEnvironment::isThereGraphicAtRect(const QRectF &rect)
{
    return m_sections.isThereGraphicAtRect(rect);
}

SKTGraphic *SectionEnvironment::grabMySection(int32_t sectionNumber)
{
    return m_sections.grabMySection(sectionNumber);
}

QList<SKTGraphic *> SectionEnvironment::findObjectsInSection(SKTGraphic &section)
{
    const QList<SKTGraphic *> objects = m_sections.findObjectsInSection(section);
    for (SKTGraphic *g : objects)
        g->setMovingAsPartOfSection(true);
    return objects;
}

SKTGraphic *SectionEnvironment::grabTopMostObjectInSection(SKTGraphic &section)
{
    return m_sections.grabTopMostObjectInSection(section);
}

SKTGraphic *SectionEnvironment::grabBottomMostObjectInSection(SKTGraphic &section)
{
    return m_sections.grabBottomMostObjectInSection(section);
}

void SectionEnvironment::identifyAndPushSectionsDownwardByOnePixel(const QRectF &rect)
{
    m_sections.identifyAndPushSectionsDownwardByOnePixel(rect);
}

void SectionEnvironment::identifyAndPushSectionsDownwardByDifference(const QRectF &rect)
{
    m_sections.identifyAndPushSectionsDownwardByDifference(rect);
}

void SectionEnvironment::reAlignSectionObjects(SKTGraphic &section)
{
    m_sections.reAlignSectionObjects(section);
}

SKTGraphic *SectionEnvironment::isObjectStillInSameSectionGrid(SKTGraphic &graphic, const QPointF &point)
{
    return m_sections.isObjectStillInSameSectionGrid(point, graphic);
}

QRectF SectionEnvironment::grabOverLappingSectionCell(const QPointF &point)
{
    return m_sections.frame().grabOverLappingSectionCell(point);
}
