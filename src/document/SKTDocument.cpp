#include "document/SKTDocument.h"

#include "model/SKTGalleryGrid.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include <utility>

SKTDocument::SKTDocument() = default;

SKTDocument::~SKTDocument()
{
    for (const auto &g : m_graphics)
        if (g && g->owner() == this)
            g->setOwner(nullptr);
}

void SKTDocument::insertGraphic(const std::shared_ptr<SKTGraphic> &graphic, qsizetype index)
{
    if (!graphic)
        return;
    graphic->setOwner(this);
    if (index < 0 || index > m_graphics.size())
        m_graphics.append(graphic);
    else
        m_graphics.insert(index, graphic);
    // ---- canvas: every change of the list is reported to the views ----
    emit m_events->graphicsChanged();
}

void SKTDocument::removeGraphic(SKTGraphic *graphic)
{
    for (qsizetype i = 0; i < m_graphics.size(); ++i) {
        if (m_graphics[i].get() == graphic) {
            if (graphic->owner() == this)
                graphic->setOwner(nullptr);
            // ---- canvas: the graphic stays alive until the views let go of it ----
            const std::shared_ptr<SKTGraphic> keep = m_graphics[i];
            m_graphics.removeAt(i);
            emit m_events->graphicsChanged();
            return;
        }
    }
}

void SKTDocument::setGraphics(const QList<std::shared_ptr<SKTGraphic>> &graphics)
{
    for (const auto &g : m_graphics)
        if (g && g->owner() == this)
            g->setOwner(nullptr);
    // ---- canvas: one report for the whole list; the old graphics live until
    // the views have let go of them ----
    const QList<std::shared_ptr<SKTGraphic>> old = std::exchange(m_graphics, {});
    for (const auto &g : graphics) {
        if (!g)
            continue;
        g->setOwner(this);
        m_graphics.append(g);
    }
    emit m_events->graphicsChanged();
}

qsizetype SKTDocument::indexOfGraphic(const SKTGraphic *graphic) const
{
    for (qsizetype i = 0; i < m_graphics.size(); ++i)
        if (m_graphics[i].get() == graphic)
            return i;
    return -1;
}

namespace {
template <typename T>
QList<T *> ofClass(const QList<std::shared_ptr<SKTGraphic>> &graphics)
{
    QList<T *> list;
    for (const auto &g : graphics)
        if (auto *t = dynamic_cast<T *>(g.get()))
            list.append(t);
    return list;
}
} // namespace

QList<SKTText *> SKTDocument::textAreas() const { return ofClass<SKTText>(m_graphics); }
QList<SKTImage *> SKTDocument::images() const { return ofClass<SKTImage>(m_graphics); }
QList<SKTSlideshow *> SKTDocument::slideshows() const { return ofClass<SKTSlideshow>(m_graphics); }
QList<SKTGalleryGrid *> SKTDocument::galleries() const { return ofClass<SKTGalleryGrid>(m_graphics); }
QList<SKTTable *> SKTDocument::tables() const { return ofClass<SKTTable>(m_graphics); }
QList<SKTLine *> SKTDocument::lines() const { return ofClass<SKTLine>(m_graphics); }
