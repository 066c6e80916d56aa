// The canvas's answers to the graphics' questions about their page: overlaps
// through the spatial index, the page's sections and what lies inside them,
// and the page's name and next image name.
#include "canvas/CanvasInsertions.h"
#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"

QString SKTGraphicView::documentPageName() const
{
    return m_document ? m_document->pageName : QString();
}

quint64 SKTGraphicView::currentChange() const
{
    return m_document ? m_document->undoManager().currentStep() : 0;
}

void SKTGraphicView::continueChange(quint64 change, const std::function<void()> &changes)
{
    if (m_document)
        m_document->undoManager().continueStep(change, changes);
    else
        changes();
}

void SKTGraphicView::identifyAndPushSectionsDownwardByOnePixel(const QRectF &rect)
{
    if (GraphicEnvironment *sections = insertions()->sectionEnvironment())
        sections->identifyAndPushSectionsDownwardByOnePixel(rect);
}

void SKTGraphicView::identifyAndPushSectionsDownwardByDifference(const QRectF &rect)
{
    if (GraphicEnvironment *sections = insertions()->sectionEnvironment())
        sections->identifyAndPushSectionsDownwardByDifference(rect);
}

void SKTGraphicView::reAlignSectionObjects(SKTGraphic &section)
{
    if (GraphicEnvironment *sections = insertions()->sectionEnvironment())
        sections->reAlignSectionObjects(section);
}

QString SKTGraphicView::nextImageName()
{
    // The page-image service also knows the files of the page folder and the
    // names issued before, so a name never meets an existing original.
    if (GraphicEnvironment *sections = insertions()->sectionEnvironment())
        return sections->nextImageName();
    // The first "image%d" that no image of the page uses.
    QSet<QString> used;
    for (SKTGraphic *g : graphics())
        if (auto *image = dynamic_cast<SKTImage *>(g))
            used.insert(image->imageName());
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("image%1").arg(n);
        if (!used.contains(name))
            return name;
    }
}

bool SKTGraphicView::isThereGraphicAtNewLocation(const SKTGraphic &graphic, const QRectF &rect)
{
    for (SKTGraphic *g : m_index.graphicsIntersecting(rect, &graphic))
        if (!g->isSection())
            return true;
    return false;
}

bool SKTGraphicView::isThereGraphicAtRect(const QRectF &rect)
{
    for (SKTGraphic *g : m_index.graphicsIntersecting(rect))
        if (!g->isSection())
            return true;
    return false;
}

SKTGraphic *SKTGraphicView::grabMySection(int32_t sectionNumber)
{
    if (sectionNumber == -99)
        return nullptr;
    for (SKTGraphic *g : graphics())
        if (g->isSection() && g->sectionNumber() == sectionNumber)
            return g;
    return nullptr;
}

QList<SKTGraphic *> SKTGraphicView::findObjectsInSection(SKTGraphic &section)
{
    QList<SKTGraphic *> inside;
    if (!dynamic_cast<SKTTable *>(&section) || !section.isSection())
        return inside;
    for (SKTGraphic *g : graphics()) {
        if ((dynamic_cast<SKTTable *>(g) && g->isSection()) || g->sectionNumber() != section.sectionNumber())
            continue;
        // A selected member moves by its own selection, not with the section.
        g->setMovingAsPartOfSection(!isSelected(g));
        inside.append(g);
    }
    return inside;
}

QList<SKTGraphic *> SKTGraphicView::findObjectsInSectionCell(const myTextView &cell) const
{
    QList<SKTGraphic *> inside;
    for (SKTGraphic *g : graphics()) {
        if (dynamic_cast<SKTTable *>(g) && g->isSection())
            continue;
        if (g->sectionNumber() == cell.sectionNumber && g->sectionRowSpot() == cell.rowSpot
            && g->sectionColumnSpot() == cell.columnSpot)
            inside.append(g);
    }
    return inside;
}

bool SKTGraphicView::existInArray(int32_t number, const QList<int32_t> &numbers)
{
    return numbers.contains(number);
}

SKTGraphic *SKTGraphicView::grabTopMostObjectInSection(SKTGraphic &section)
{
    SKTGraphic *top = nullptr;
    for (SKTGraphic *g : findObjectsInSection(section))
        if (!top || g->yPosition() < top->yPosition())
            top = g;
    return top;
}

SKTGraphic *SKTGraphicView::grabBottomMostObjectInSection(SKTGraphic &section)
{
    SKTGraphic *bottom = nullptr;
    for (SKTGraphic *g : findObjectsInSection(section))
        if (!bottom || g->bounds().bottom() > bottom->bounds().bottom())
            bottom = g;
    return bottom;
}

SKTGraphic *SKTGraphicView::isObjectStillInSameSectionGrid(SKTGraphic &graphic, const QPointF &point)
{
    // The insertion side moves the graphic into the section cell under the
    // point (and lays that section out again); without it only the section
    // under the point is named.
    if (GraphicEnvironment *sections = insertions()->sectionEnvironment())
        return sections->isObjectStillInSameSectionGrid(graphic, point);
    for (SKTGraphic *g : m_index.graphicsIntersecting(QRectF(point, QSizeF(1, 1)), &graphic))
        if (g->isSection())
            return g;
    return nullptr;
}

QRectF SKTGraphicView::grabOverLappingSectionCell(const QPointF &point)
{
    return m_document ? insertions()->grabOverLappingSectionCell(*m_document, point) : QRectF();
}
