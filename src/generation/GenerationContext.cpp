#include "generation/GenerationContext.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"

#include <QFileInfo>

#include <array>
#include <iterator>

namespace {

// The pieces that grow with the page keep their memory from one generation
// to the next, emptied rather than freed. Memory the process already has is
// written at once; fresh memory for pieces of many megabytes would come from
// the system page by page at every generation, at a cost that grows faster
// than the page. (One set for each thread that generates.)
constexpr QString GenerationContext::*kKeptPieces[] = {
    &GenerationContext::slideshowCSS, &GenerationContext::slideshowButtonCSS, &GenerationContext::slideshowScripts,
    &GenerationContext::slideshowMarkup, &GenerationContext::galleryGridCSS, &GenerationContext::tableGridCSS,
    &GenerationContext::snippetCSS, &GenerationContext::snippetMarkup, &GenerationContext::lineCSS,
    &GenerationContext::imageCSS, &GenerationContext::imageMarkup, &GenerationContext::textCSS,
    &GenerationContext::textMarkup};

// Room far beyond what is written (a much larger page came before) is given
// back rather than kept.
bool tooRoomy(qsizetype capacity, qsizetype used)
{
    return capacity > 65536 && used < capacity / 4;
}

std::array<QString, std::size(kKeptPieces)> &keptPieces()
{
    thread_local std::array<QString, std::size(kKeptPieces)> kept;
    return kept;
}

} // namespace

GenerationContext::GenerationContext(SKTDocument &document, const QString &pageName_, bool responsive, bool saveImages_)
    : doc(document)
    , pageName(pageName_)
    , responsiveFlag(responsive)
    , responsiveLayout(responsive && gResponsiveEdition)
    , saveImages(saveImages_)
{
    const auto &graphics = doc.graphics();
    m_graphicCount = int32_t(graphics.size());
    m_index.reserve(graphics.size());
    for (qsizetype i = 0; i < graphics.size(); ++i)
        m_index.insert(graphics[i].get(), int32_t(i));
    for (qsizetype i = 0; i < gCustomFonts.size(); ++i)
        if (!m_fontIndex.contains(gCustomFonts[i].fontName))
            m_fontIndex.insert(gCustomFonts[i].fontName, i);
    retinaBlock = QStringLiteral("@media(-webkit-min-device-pixel-ratio: 2) {");
    // Empty pieces with the room the last generation's had (a generation
    // started inside this one finds none and makes its own).
    auto &kept = keptPieces();
    for (std::size_t i = 0; i < kept.size(); ++i)
        (this->*kKeptPieces[i]).swap(kept[i]);
    doc.activeGeneration = this;
    m_docLifetime = doc.lifetime();
}

GenerationContext::~GenerationContext()
{
    // A piece something else still shares is left to it; of two generations
    // one inside the other, the larger pieces are kept.
    auto &kept = keptPieces();
    for (std::size_t i = 0; i < kept.size(); ++i) {
        QString &piece = this->*kKeptPieces[i];
        if (piece.isDetached() && piece.capacity() > kept[i].capacity() && !tooRoomy(piece.capacity(), piece.size())) {
            piece.resize(0);
            kept[i].swap(piece);
        }
    }
    if (!m_docLifetime.expired() && doc.activeGeneration == this)
        doc.activeGeneration = nullptr;
}

QString GenerationContext::reuseIfUnshared(QString &text, qsizetype size)
{
    QString reused;
    if (text.isDetached() && text.capacity() >= size && !tooRoomy(text.capacity(), size)) {
        reused.swap(text);
        reused.resize(0);
    }
    return reused;
}

int32_t GenerationContext::stackingValue(const SKTGraphic *graphic) const
{
    if (!graphic)
        return 0;
    if (graphic->manualLayerIndex() != 0)
        return graphic->manualLayerIndex();
    const auto it = m_index.constFind(graphic);
    // A member that is not itself on the page stands at the back.
    return it == m_index.constEnd() ? 0 : m_graphicCount - it.value();
}

QString GenerationContext::positionKeyword(int32_t scrollFlag)
{
    return scrollFlag == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute");
}

QString GenerationContext::templateNameFor(const QString &stored) const
{
    // A page made from no template names itself: that is the name its
    // graphics are given when it is opened again.
    if (stored.isEmpty() || stored == QLatin1String("(null)"))
        return doc.mainTemplateName.isEmpty() ? doc.pageName : doc.mainTemplateName;
    // The path extension: from the last dot of the last path component on.
    const qsizetype slash = stored.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = stored.lastIndexOf(QLatin1Char('.'));
    if (dot > slash + 1 && dot > 0)
        return stored.left(dot);
    return stored;
}

void GenerationContext::markFontUsed(const QString &family)
{
    const auto it = m_fontIndex.constFind(family);
    if (it != m_fontIndex.constEnd())
        gCustomFonts[it.value()].isUsed = true;
}

namespace {
int32_t imageNumber(const QString &name)
{
    if (!name.startsWith(QLatin1String("image")))
        return -1;
    bool ok = false;
    const int32_t n = name.mid(5).toInt(&ok);
    return ok ? n : -1;
}
} // namespace

QString GenerationContext::nextImageName()
{
    if (m_nextImageNumber < 0) {
        int32_t highest = 0;
        auto consider = [&highest](const QString &name) { highest = std::max(highest, imageNumber(name)); };
        for (const auto &g : doc.graphics()) {
            if (auto *image = dynamic_cast<SKTImage *>(g.get()))
                consider(image->imageName());
            else if (auto *show = dynamic_cast<SKTSlideshow *>(g.get()))
                for (const auto &slide : show->imageArray())
                    consider(slide ? slide->imageName : QString());
            else if (auto *grid = dynamic_cast<GridGraphic *>(g.get()))
                for (const auto &item : grid->imageArray())
                    consider(item ? item->imageName : QString());
        }
        m_nextImageNumber = highest + 1;
    }
    // Every call hands out a new name, so two slides without a name never share one.
    return QStringLiteral("image") + QString::number(m_nextImageNumber++);
}

bool GenerationContext::isGraphicInASection(const SKTGraphic *graphic) const
{
    if (!graphic)
        return false;
    const QRectF r = graphic->bounds();
    for (const auto &g : doc.graphics()) {
        if (g.get() != graphic && g->isSection() && g->bounds().contains(r))
            return true;
    }
    return false;
}
