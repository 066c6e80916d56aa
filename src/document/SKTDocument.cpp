#include "document/SKTDocument.h"

#include "model/SKTGalleryGrid.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

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
}

void SKTDocument::removeGraphic(SKTGraphic *graphic)
{
    for (qsizetype i = 0; i < m_graphics.size(); ++i) {
        if (m_graphics[i].get() == graphic) {
            if (graphic->owner() == this)
                graphic->setOwner(nullptr);
            m_graphics.removeAt(i);
            return;
        }
    }
}

void SKTDocument::setGraphics(const QList<std::shared_ptr<SKTGraphic>> &graphics)
{
    for (const auto &g : m_graphics)
        if (g && g->owner() == this)
            g->setOwner(nullptr);
    m_graphics.clear();
    for (const auto &g : graphics)
        insertGraphic(g);
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
