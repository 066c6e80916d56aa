// Pasting our own graphics from the clipboard data. Page sections are
// stacked from the last click down, 50 points apart. The other graphics
// cascade when the same copy is pasted again; in editions that paste into
// sections each of them then takes its own slot: the column of the section
// under the click that matches its own column, at a running y from the click
// that keeps the copied graphics' vertical spacing. Graphics that belonged to
// a section pasted along with them follow that section's copy instead.
// Everything is inserted as one undo step, and what was inserted is selected.
#include "canvas/CanvasInsertions.h"
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/PageImageNames.h"
#include "document/SKTDocument.h"
#include "model/Geometry.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
using Graphic = std::shared_ptr<SKTGraphic>;

int32_t whole(double v)
{
    return Geometry::clampToInt(std::trunc(v));
}

bool isPlainImageName(const QString &name, const QString &type)
{
    return PageImageNames::isSafeImageName(name) && PageImageNames::isSafeImageType(type);
}

bool isPageSection(const SKTGraphic &g)
{
    return dynamic_cast<const SKTTable *>(&g) && g.gridType() == QLatin1String("section");
}

// A graphic that a section-aware paste places: every kind but lines, whose
// ends stay where they were copied.
bool takesSlot(const SKTGraphic &g)
{
    return !dynamic_cast<const SKTLine *>(&g);
}

// The section column a graphic was copied from; graphics outside sections
// count as the first column.
int32_t columnOf(const SKTGraphic &g)
{
    return std::max<int32_t>(0, g.sectionColumnSpot());
}

// Section-aware placement of the pasted graphics that are not sections, as
// whole-number rectangles. followUp holds, for each pasted section's number,
// how far its copy lies above the copied section.
void placeInSections(const QList<Graphic> &graphics, const QHash<int32_t, int32_t> &followUp,
                     const QHash<const SKTGraphic *, QPointF> &copiedAt, const CanvasInsertions::SectionCell &target,
                     double touchY)
{
    QList<SKTGraphic *> placed;
    for (const Graphic &g : graphics)
        if (takesSlot(*g))
            placed.append(g.get());
    if (placed.isEmpty())
        return;
    int32_t top = std::numeric_limits<int32_t>::max();
    int32_t firstColumn = std::numeric_limits<int32_t>::max();
    for (SKTGraphic *g : placed) {
        top = std::min(top, g->originY());
        firstColumn = std::min(firstColumn, columnOf(*g));
    }
    for (SKTGraphic *g : placed) {
        const QRectF b = g->bounds();
        double x = b.x();
        double y = b.y();
        if (!followUp.isEmpty()) {
            // Along with its section: the same place in the section's copy,
            // uncascaded, as the section is not cascaded either.
            const auto up = followUp.constFind(g->sectionNumber());
            if (up != followUp.constEnd()) {
                const QPointF at = copiedAt.value(g, b.topLeft());
                x = at.x();
                y = at.y() - *up;
            }
        } else {
            // Its own slot: the running y keeps the copied spacing from the
            // topmost graphic down; x is the left edge of the matching
            // column of the section under the click, else the graphic's own.
            y = double(whole(touchY)) + (double(g->originY()) - double(top));
            if (target.section) {
                const int32_t columns = std::max<int32_t>(1, target.section->numOfColumns());
                const int64_t wanted = int64_t(columnOf(*g)) + target.column - firstColumn;
                const auto column = int32_t(std::clamp<int64_t>(wanted, 0, columns - 1));
                const QRectF cell = target.section->grabSelectedCellRect(0, column);
                if (!cell.isNull())
                    x = cell.x();
            }
        }
        g->setBounds(QRectF(whole(x), whole(y), whole(b.width()), whole(b.height())));
    }
}
} // namespace

bool SKTGraphicView::pasteGraphics(const QByteArray &payload, int64_t serial)
{
    QString error;
    QList<Graphic> decoded = SKTGraphic::graphicsWithPasteboardData(payload, &error);
    if (!error.isEmpty()) {
        alert(QStringLiteral("The clipboard could not be read."), error);
        return false;
    }
    decoded.removeAll(nullptr);
    if (serial != pasteboardSerial || serial < 0) {
        pasteboardSerial = serial;
        pasteCascadeNumber = 0;
        pasteCascadeDelta = QPointF(10, 10);
    }
    if (decoded.isEmpty())
        return false;

    QList<Graphic> sections, others;
    QList<SKTGraphic *> cascaded;
    QHash<const SKTGraphic *, QPointF> copiedAt;
    for (const Graphic &g : decoded) {
        g->setOriginY(whole(g->yPosition()));
        copiedAt.insert(g.get(), g->bounds().topLeft());
        if (isPageSection(*g)) {
            sections.append(g);
        } else {
            others.append(g);
            cascaded.append(g.get());
        }
    }
    if (gPreventOverlap) {
        pasteCascadeDelta = QPointF(0, 0);
        pasteCascadeNumber = 0;
    } else if (pasteCascadeNumber > 0) {
        SKTGraphic::translateGraphics(cascaded, pasteCascadeNumber * pasteCascadeDelta.x(),
                                      pasteCascadeNumber * pasteCascadeDelta.y());
    }
    ++pasteCascadeNumber;

    // One undo step, also when table copies record steps of their own inside.
    UndoManager &undoManager = m_document->undoManager();
    undoManager.closeAutomaticGroup();
    undoManager.beginUndoGrouping();

    CanvasInsertions &insertion = *insertions();
    // A table is copied by the insertion side (new section number, its own
    // pictures); without one the decoded table itself goes in.
    auto insertTable = [&](const Graphic &table, int32_t y) -> SKTGraphic * {
        if (SKTGraphic *copy =
                insertion.duplicateTable(*m_document, static_cast<SKTTable &>(*table), y, sourcePageFolder))
            return copy;
        m_document->insertGraphicAtIndex(table, 0);
        return table.get();
    };

    // Sections, top first, from the click down; they go in behind the other
    // pasted graphics, in the order they were copied.
    QList<Graphic> sectionsDown = sections;
    std::stable_sort(sectionsDown.begin(), sectionsDown.end(),
                     [](const Graphic &a, const Graphic &b) { return a->originY() < b->originY(); });
    QHash<int32_t, int32_t> followUp;
    double y = whole(lastTouchPointValue.y());
    for (const Graphic &section : sectionsDown) {
        const int32_t at = whole(y);
        if (!followUp.contains(section->sectionNumber()))
            followUp.insert(section->sectionNumber(), section->originY() - at);
        y += section->height() + 50;
        SKTGraphic::translateGraphics({section.get()}, 0, at - section->yPosition());
    }
    QList<SKTGraphic *> inserted;
    for (auto it = sections.crbegin(); it != sections.crend(); ++it)
        inserted.prepend(insertTable(*it, whole((*it)->yPosition())));

    if (gSectionAwarePaste)
        placeInSections(others, followUp, copiedAt, insertion.sectionCellAt(*m_document, lastTouchPointValue),
                        lastTouchPointValue.y());

    // Images get new names; their original files come from the page they
    // were copied from, for plain names of our two kinds only.
    for (const Graphic &g : others) {
        auto *image = dynamic_cast<SKTImage *>(g.get());
        if (!image)
            continue;
        image->setSlideShowNumber(-99);
        const QString oldName = image->imageName();
        const QString type = image->imageType();
        const QString newName = nextImageName();
        image->setTemplateName(QString());
        if (!newName.isEmpty())
            image->setImageName(newName);
        if (isPlainImageName(oldName, type) && isPlainImageName(newName, type))
            insertion.makeCopyOfOriginalImage(sourcePageFolder, QStringLiteral("%1o.%2").arg(oldName, type),
                                              QStringLiteral("%1o.%2").arg(newName, type));
    }

    // A placed graphic belongs to the section cell at its new origin.
    // In front of the page, in the order they were copied.
    QList<SKTGraphic *> front;
    for (auto it = others.crbegin(); it != others.crend(); ++it) {
        const Graphic &g = *it;
        front.prepend(dynamic_cast<SKTTable *>(g.get()) ? insertTable(g, 0)
                                                        : (m_document->insertGraphicAtIndex(g, 0), g.get()));
    }

    // A placed graphic (a table: its copy) belongs to the section cell at its
    // origin; a pasted text or table lays out the objects of that section.
    if (gSectionAwarePaste)
        for (SKTGraphic *g : front)
            if (takesSlot(*g))
                insertion.applySection(*m_document, *g, g->bounds().topLeft());
    if (gSectionAwarePaste)
        for (SKTGraphic *g : front)
            if (dynamic_cast<SKTText *>(g) || dynamic_cast<SKTTable *>(g))
                if (SKTGraphic *section = insertion.grabOverLappingSection(
                        *m_document, QRectF(g->bounds().topLeft(), QSizeF(1, 1))))
                    reAlignSectionObjects(*section);

    inserted = front + inserted;
    setSelectedGraphics(inserted);
    nameUndoAction(QStringLiteral("Paste"));
    undoManager.endUndoGrouping();
    undoManager.closeAutomaticGroup();
    return true;
}
