// Undo of the page's graphics: insertion, removal and every attribute change,
// recorded on the document's UndoManager. Changes made in one step are one
// undo step; the action is named after the one property changed, or says
// that several were.
#include "document/SKTDocument.h"

#include "config/EditionSettings.h"
#include "model/SKTGraphic.h"
#include "model/SKTTable.h"

#include <QDebug>
#include <algorithm>

namespace {
QString changeOfName(const QString &property)
{
    return QStringLiteral("Change of %1").arg(property);
}
} // namespace

std::shared_ptr<SKTGraphic> SKTDocument::sharedGraphic(const SKTGraphic *graphic) const
{
    // Only graphics on the page report changes, so a live entry is the one
    // asked for; a graphic new since the last rebuild misses and rebuilds.
    if (std::shared_ptr<SKTGraphic> known = m_sharedGraphics.value(graphic).lock(); known && known.get() == graphic)
        return known;
    m_sharedGraphics.clear();
    m_sharedGraphics.reserve(m_graphics.size());
    std::shared_ptr<SKTGraphic> found;
    for (const auto &g : m_graphics) {
        m_sharedGraphics.insert(g.get(), g);
        if (g.get() == graphic)
            found = g;
    }
    return found;
}

QList<SKTGraphic *> SKTDocument::graphicPointers() const
{
    QList<SKTGraphic *> list;
    list.reserve(m_graphics.size());
    for (const auto &g : m_graphics)
        list.append(g.get());
    return list;
}

void SKTDocument::clearUndoGroupState()
{
    m_groupInserted.clear();
    m_groupPropertyName.clear();
    m_groupMultipleChanges = false;
}

void SKTDocument::beginUndoGroupStateIfNeeded()
{
    if (!m_undoStateConnected) {
        m_undoStateConnected = true;
        // A closed step (or an undo or redo) ends the group's naming and its
        // set of inserted graphics.
        QObject::connect(m_undoManager.get(), &UndoManager::stateChanged, m_events.get(), [this] {
            if (m_undoManager->groupingLevel() == 0)
                clearUndoGroupState();
        });
        QObject::connect(m_undoManager.get(), &UndoManager::documentEditedChanged, m_events.get(),
                         &DocumentEvents::editedChanged);
    }
    // No step open: the next registration starts a new one.
    if (m_undoManager->groupingLevel() == 0)
        clearUndoGroupState();
}

void SKTDocument::insertGraphics(const QList<std::shared_ptr<SKTGraphic>> &graphics, const QList<qsizetype> &indexes)
{
    if (graphics.size() != indexes.size() || graphics.isEmpty())
        return;
    QList<qsizetype> sorted = indexes;
    std::sort(sorted.begin(), sorted.end());
    if (sorted != indexes || sorted.front() < 0 || sorted.back() >= m_graphics.size() + sorted.size()
        || std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
        qWarning() << "couldn't insert graphic";
        return;
    }
    beginUndoGroupStateIfNeeded();
    // One merge pass: inserting one by one would shift the page once per graphic.
    QList<std::shared_ptr<SKTGraphic>> merged;
    merged.reserve(m_graphics.size() + graphics.size());
    qsizetype from = 0, next = 0;
    for (qsizetype at = 0; at < m_graphics.size() + graphics.size(); ++at) {
        if (next < indexes.size() && indexes[next] == at) {
            graphics[next]->setOwner(this);
            merged.append(graphics[next++]);
        } else {
            merged.append(m_graphics[from++]);
        }
    }
    m_graphics.swap(merged);
    if (m_undoManager->isUndoRegistrationEnabled()) {
        for (const auto &g : graphics)
            m_groupInserted.insert(g.get());
        m_undoManager->registerUndo([this, indexes] { removeGraphicsAtIndexes(indexes); });
    }
    emit m_events->graphicsChanged();
}

void SKTDocument::removeGraphicsAtIndexes(const QList<qsizetype> &indexes)
{
    if (indexes.isEmpty())
        return;
    QList<qsizetype> sorted = indexes;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (sorted.front() < 0 || sorted.back() >= m_graphics.size()) {
        qWarning() << "no need to remove";
        return;
    }
    beginUndoGroupStateIfNeeded();
    QList<std::shared_ptr<SKTGraphic>> removed;
    for (qsizetype i : sorted)
        removed.append(m_graphics[i]);
    m_undoManager->registerUndo([this, removed, sorted] { insertGraphics(removed, sorted); });
    for (qsizetype i : sorted) {
        SKTGraphic *g = m_graphics[i].get();
        if (g->owner() == this)
            g->setOwner(nullptr);
        m_groupInserted.remove(g);
        m_textMeasures.remove(g);
    }
    // One compacting pass rather than a shift of the page per removed graphic.
    qsizetype write = 0, skip = 0;
    for (qsizetype read = 0; read < m_graphics.size(); ++read) {
        if (skip < sorted.size() && sorted[skip] == read) {
            ++skip;
            continue;
        }
        if (write != read)
            m_graphics[write] = std::move(m_graphics[read]);
        ++write;
    }
    m_graphics.resize(write);
    emit m_events->graphicsChanged();
}

void SKTDocument::insertGraphicAtIndex(const std::shared_ptr<SKTGraphic> &graphic, qsizetype index)
{
    if (graphic)
        insertGraphics({graphic}, {index});
}

void SKTDocument::removeGraphicAtIndex(qsizetype index)
{
    removeGraphicsAtIndexes({index});
}

void SKTDocument::addInGraphics(const std::shared_ptr<SKTGraphic> &graphic)
{
    insertGraphicAtIndex(graphic, m_graphics.size());
}

void SKTDocument::clearAllGraphics()
{
    QList<qsizetype> all;
    for (qsizetype i = 0; i < m_graphics.size(); ++i)
        all.append(i);
    removeGraphicsAtIndexes(all);
}

void SKTDocument::graphicAttributeChanged(SKTGraphic &graphic, const QString &key, const QVariant &oldValue)
{
    emit m_events->graphicNeedsDisplay(&graphic);
    if (!m_undoManager->isUndoRegistrationEnabled())
        return;
    const QVariant now = graphic.value(key);
    if (now == oldValue || !graphic.keysForValuesToObserveForUndo().contains(key))
        return;
    beginUndoGroupStateIfNeeded();
    if (m_groupInserted.contains(&graphic))
        return;
    std::shared_ptr<SKTGraphic> shared = sharedGraphic(&graphic);
    if (!shared)
        return;
    // Closures of a step run last to first, so two changes of one key in a
    // step restore the value from before the first.
    m_undoManager->registerUndo([shared, key, oldValue] { shared->setValue(key, oldValue); });
    if (m_undoManager->isUndoing() || m_undoManager->isRedoing())
        return;
    const QString name = graphic.presentablePropertyNameForKey(key);
    if (name.isEmpty()) {
        qWarning() << "A graphic of class" << graphic.className() << "lists the key" << key
                   << "among its undo keys but gives it no presentable name";
        return;
    }
    if (m_groupMultipleChanges)
        return;
    if (m_groupPropertyName.isEmpty()) {
        m_undoManager->setActionName(changeOfName(name));
        m_groupPropertyName = name;
    } else if (m_groupPropertyName != name) {
        m_undoManager->setActionName(QStringLiteral("Change of Multiple Graphic Properties"));
        m_groupMultipleChanges = true;
        m_groupPropertyName.clear();
    }
}

bool SKTDocument::isGraphicInASection(const SKTGraphic *graphic) const
{
    if (!graphic)
        return false;
    for (const auto &g : m_graphics) {
        if (g.get() == graphic)
            continue;
        auto *table = dynamic_cast<const SKTTable *>(g.get());
        if (!table)
            continue;
        const QString type = table->gridType();
        if ((type == QLatin1String("section") || type == QLatin1String("sectionTemplate"))
            && table->bounds().intersects(graphic->bounds()))
            return true;
    }
    return false;
}

QSizeF SKTDocument::pageCanvasSize() const
{
    if (docSpecificFixedCanvasFlag == 1)
        return QSizeF(docSpecificPageWidth, docSpecificPageHeight);
    return QSizeF(gCanvasWidth, gCanvasMaxHeight);
}

void SKTDocument::setPageCanvas(int32_t fixedFlag, int32_t width, int32_t height)
{
    const QSizeF before = pageCanvasSize();
    docSpecificFixedCanvasFlag = fixedFlag;
    docSpecificPageWidth = width;
    docSpecificPageHeight = height;
    if (pageCanvasSize() != before)
        announceCanvasSizeChange();
}

void SKTDocument::announceCanvasSizeChange()
{
    emit m_events->canvasSizeChanged(pageCanvasSize());
}

bool SKTDocument::isDocumentEdited() const
{
    if (gNoDraftPages)
        return false;
    return m_undoManager->isDocumentEdited();
}

void SKTDocument::updateChangeCount()
{
    beginUndoGroupStateIfNeeded();
    m_undoManager->noteChange();
}

void SKTDocument::markClean()
{
    beginUndoGroupStateIfNeeded();
    m_undoManager->markClean();
}
