#include "canvas/CanvasMenuValidator.h"

#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/SKTGrid.h"
#include "config/DataFiles.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionFrame.h"
#include "insertion/TextCommands.h"
#include "insertion/ZoomBubbleMaker.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <cmath>

namespace {
const QString kSnippet = QStringLiteral("HTMLSnippet");

// The edition flags the table names, by name.
bool editionFlag(const QString &name)
{
    static const QHash<QString, const bool *> flags = {
        {QStringLiteral("gHideLayerArrangement"), &gHideLayerArrangement},
        {QStringLiteral("gHideAlignLeftEdges"), &gHideAlignLeftEdges},
        {QStringLiteral("gHideAlignRightEdges"), &gHideAlignRightEdges},
        {QStringLiteral("gHideAlignHorizontalCenters"), &gHideAlignHorizontalCenters},
        {QStringLiteral("gHideAlignVerticalCenters"), &gHideAlignVerticalCenters},
        {QStringLiteral("gHideAlignHorizontalSpacing"), &gHideAlignHorizontalSpacing},
        {QStringLiteral("gHideMakeSameSize"), &gHideMakeSameSize},
        {QStringLiteral("gHideMakeSameWidth"), &gHideMakeSameWidth},
        {QStringLiteral("gHideClickToEnlarge"), &gHideClickToEnlarge},
        {QStringLiteral("gHideGalleryImageCaption"), &gHideGalleryImageCaption},
        {QStringLiteral("gTableImagesEnabled"), &gTableImagesEnabled},
        {QStringLiteral("gResponsiveEdition"), &gResponsiveEdition},
    };
    const bool *flag = flags.value(name);
    if (!flag)
        qWarning("canvas menu table: unknown edition flag %s", qPrintable(name));
    return flag && *flag;
}

bool isFormField(const SKTGraphic *g)
{
    return dynamic_cast<const SKTText *>(g) && !g->formType().isEmpty();
}
} // namespace

// --- the table ----------------------------------------------------------------------

QList<CanvasMenuValidator::Row> CanvasMenuValidator::rowsFromText(const QString &text)
{
    QList<Row> rows;
    for (const QStringList &f : DataFiles::tabRows(text, 4)) {
        Row row;
        row.number = f[0].toInt();
        row.actions = f[1].split(u',', Qt::SkipEmptyParts);
        row.kind = f[2];
        row.predicate = f[3];
        row.edition = f.value(4).trimmed();
        row.title = f.value(5).trimmed();
        row.separator = f.value(6).trimmed();
        rows.append(row);
    }
    return rows;
}

const QList<CanvasMenuValidator::Row> &CanvasMenuValidator::rows()
{
    static const QList<Row> table = [] {
        QList<Row> rows = rowsFromText(QString::fromUtf8(DataFiles::readData(QStringLiteral("canvas_menu_validation.tsv"))));
        // Without the table every action stays enabled.
        if (rows.isEmpty() || !rows.last().actions.contains(QStringLiteral("*"))) {
            Row any;
            any.actions = {QStringLiteral("*")};
            any.kind = QStringLiteral("enable");
            any.predicate = QStringLiteral("yes");
            rows.append(any);
        }
        return rows;
    }();
    return table;
}

const CanvasMenuValidator::Row &CanvasMenuValidator::rowFor(const QString &action) const
{
    static const QHash<QString, qsizetype> byAction = [] {
        QHash<QString, qsizetype> map;
        const QList<Row> &all = rows();
        for (qsizetype i = 0; i < all.size(); ++i)
            for (const QString &a : all[i].actions)
                if (!map.contains(a))
                    map.insert(a, i);
        return map;
    }();
    return rows().at(byAction.value(action, rows().size() - 1));
}

// --- construction ---------------------------------------------------------------------

CanvasMenuValidator::CanvasMenuValidator(SKTGraphicView &view)
    : m_view(view)
{
    auto &p = m_predicates;
    SKTGraphicView *v = &m_view;
    p.insert(QStringLiteral("yes"), [] { return true; });
    p.insert(QStringLiteral("anySelected"), [this] { return !selection().isEmpty(); });
    p.insert(QStringLiteral("oneSelected"), [this] { return selection().size() == 1; });
    p.insert(QStringLiteral("severalSelected"), [this] { return selection().size() > 1; });
    p.insert(QStringLiteral("canMakeNaturalSize"), [this] {
        for (SKTGraphic *g : selection())
            if (g->canMakeNaturalSize())
                return true;
        return false;
    });
    p.insert(QStringLiteral("canUndoOrRedo"), [] { return true; }); // decided per action in validate
#define ZOV_OWN(name) p.insert(QStringLiteral(#name), [this] { return name(); })
#define ZOV_VIEW(name) p.insert(QStringLiteral(#name), [v] { return v->name(); })
    ZOV_OWN(shouldShowLayerArrangement);
    ZOV_OWN(shouldShowAlignArrangement);
    ZOV_OWN(enlargeShown);
    ZOV_OWN(cropShown);
    ZOV_OWN(abilityToCopyShown);
    ZOV_OWN(duplicateShown);
    ZOV_OWN(galleryControlShown);
    p.insert(QStringLiteral("galleryConfigurationControlShown"), [this] { return galleryControlShown(); });
    p.insert(QStringLiteral("galleryAddImageControlShown"), [this] { return galleryControlShown(); });
    ZOV_OWN(galleryImageEditControlShown);
    ZOV_OWN(tableControlShown);
    ZOV_OWN(tableAddImageControlShown);
    ZOV_OWN(tableMultiControlShown);
    p.insert(QStringLiteral("tableEditMenuShown"), [this] {
        const bool one = tableControlShown();
        return tableMultiControlShown() || one;
    });
    ZOV_OWN(shouldDisplayOfTableContents);
    ZOV_OWN(savedTextShown);
    ZOV_OWN(codeEditorShown);
    ZOV_OWN(linkShown);
    ZOV_OWN(tooltipShown);
    ZOV_OWN(applyHTMLSnippetFormattingShown);
    ZOV_OWN(removeHTMLSnippetFormattingShown);
    ZOV_OWN(slideShowOptionsShown);
    ZOV_OWN(slideShowImageEditingOptionsShown);
    ZOV_OWN(moveImageUpShown);
    ZOV_OWN(moveImageDownShown);
    ZOV_OWN(moveImageLeftShown);
    ZOV_OWN(moveImageRightShown);
    ZOV_OWN(showMarkAsReplyTo);
    ZOV_OWN(showMandatory);
    ZOV_OWN(showOptional);
    ZOV_OWN(enableNewMultipleChoiceOption);
    ZOV_OWN(enableNewCheckboxChoiceOption);
    ZOV_OWN(showDrawStartArrow);
    ZOV_OWN(showHideStartArrow);
    ZOV_OWN(showDrawEndArrow);
    ZOV_OWN(showHideEndArrow);
    ZOV_OWN(arrowOptionsShown);
    ZOV_OWN(showAutoAdjustSnippetSize);
    ZOV_OWN(shouldShowCreateZoomBubble);
    ZOV_OWN(showSectionEditorFlag);
    ZOV_VIEW(unLockShown);
    ZOV_VIEW(lockShown);
    ZOV_VIEW(groupShown);
    ZOV_VIEW(ungroupShown);
    ZOV_VIEW(scrollShown);
    ZOV_VIEW(unScrollShown);
    ZOV_VIEW(positionSettingsShown);
    ZOV_VIEW(addBranchShown);
    ZOV_VIEW(centerGroupShown);
    ZOV_VIEW(grabCopyStyleShown);
    ZOV_VIEW(applyPasteStyleShown);
    ZOV_VIEW(matchScreenWidthShown);
    ZOV_VIEW(unMatchScreenWidthShown);
    ZOV_VIEW(manualLayerIndexShown);
    ZOV_VIEW(removeManualLayerIndexShown);
#undef ZOV_OWN
#undef ZOV_VIEW
}

CanvasMenuValidator::~CanvasMenuValidator() = default;

InsertionContext &CanvasMenuValidator::context()
{
    if (auto *adapter = dynamic_cast<InsertionContext *>(m_view.insertions()))
        return *adapter;
    if (!m_ownContext)
        m_ownContext = std::make_unique<CanvasInsertionAdapter>(m_view);
    return *m_ownContext;
}

// --- validation -----------------------------------------------------------------------

bool CanvasMenuValidator::ask(const QString &predicate)
{
    bool all = true;
    for (const QString &name : predicate.split(u'&')) {
        const auto found = m_predicates.constFind(name);
        if (found == m_predicates.constEnd()) {
            qWarning("canvas menu table: unknown predicate %s", qPrintable(name));
            return false;
        }
        // Every part is asked, so each remembers what it found.
        all = (*found)() && all;
    }
    return all;
}

bool CanvasMenuValidator::validate(ActionItemState &item)
{
    const Row &row = rowFor(item.action);
    bool editionClear = true;
    bool editionGate = true; // the "!flag must be clear" or "flag must be set" condition of hide rows
    if (!row.edition.isEmpty()) {
        if (row.edition.startsWith(u'!'))
            editionGate = !editionFlag(row.edition.mid(1));
        else if (row.kind == QLatin1String("hide"))
            editionGate = editionFlag(row.edition);
        else
            editionClear = !editionFlag(row.edition);
    }

    bool p = false;
    if (row.kind == QLatin1String("window")) {
        SKTDocument *doc = m_view.document();
        p = doc && (item.action == QLatin1String("redo") ? doc->undoManager().canRedo() : doc->undoManager().canUndo());
        item.enabled = p;
        return p;
    }
    if (row.kind == QLatin1String("edition+show") || row.kind == QLatin1String("edition+enable")) {
        if (!editionClear) {
            item.visible = false;
            item.enabled = false;
            return false;
        }
        p = ask(row.predicate);
        if (row.kind == QLatin1String("edition+show"))
            item.visible = true;
        item.enabled = p;
        return p;
    }
    p = editionGate && ask(row.predicate);
    if (row.kind == QLatin1String("hide") || row.kind == QLatin1String("hide+enable")) {
        item.visible = p;
        item.enabled = p;
        if (p && item.action == QLatin1String("alignWithGrid"))
            item.enabled = m_view.grid() && m_view.grid()->canAlign();
    } else {
        item.enabled = p;
    }
    if (!row.separator.isEmpty())
        m_hiddenSeparators.insert(row.separator, m_hiddenSeparators.value(row.separator, true) && !p);

    if (row.title == QLatin1String("ruler")) {
        item.title = m_view.rulersVisible ? QStringLiteral("Hide Ruler") : QStringLiteral("Show Ruler");
    } else if (row.title == QLatin1String("enlarge") && item.action == QLatin1String("setClickToEnlarge")) {
        SKTImage *image = selectedImage();
        item.title = image && image->imageEnlargeFlag() == 1 ? QStringLiteral("Remove Click to Enlarge")
                                                            : QStringLiteral("Click to Enlarge");
    } else if (row.title == QLatin1String("autoScroll") && item.action == QLatin1String("automateSlideShow")) {
        SKTSlideshow *show = selectedSlideshow();
        item.title = show && show->slideShowAutomaticFlag() == 1 ? QStringLiteral("Disable Auto Scrolling")
                                                                : QStringLiteral("Set Auto Scrolling");
    }
    syncContextCache();
    return item.enabled;
}

// --- remembered objects -----------------------------------------------------------------

QList<SKTGraphic *> CanvasMenuValidator::selection() const
{
    return m_view.selectedGraphics();
}

SKTGraphic *CanvasMenuValidator::single() const
{
    const QList<SKTGraphic *> s = selection();
    return s.size() == 1 ? s.first() : nullptr;
}

void CanvasMenuValidator::remember(std::weak_ptr<SKTGraphic> &slot, SKTGraphic *graphic)
{
    SKTDocument *doc = m_view.document();
    const qsizetype index = doc && graphic ? doc->indexOfGraphic(graphic) : -1;
    if (index >= 0)
        slot = doc->graphics().at(index);
}

SKTGraphic *CanvasMenuValidator::alive(const std::weak_ptr<SKTGraphic> &slot) const
{
    const std::shared_ptr<SKTGraphic> g = slot.lock();
    SKTDocument *doc = m_view.document();
    // Kept alive by an undo step is not enough: it must still be on the page.
    return g && doc && doc->indexOfGraphic(g.get()) >= 0 ? g.get() : nullptr;
}

SKTTable *CanvasMenuValidator::selectedTable() const { return dynamic_cast<SKTTable *>(alive(m_table)); }
SKTImage *CanvasMenuValidator::selectedImage() const { return dynamic_cast<SKTImage *>(alive(m_image)); }
SKTGalleryGrid *CanvasMenuValidator::selectedGalleryGrid() const { return dynamic_cast<SKTGalleryGrid *>(alive(m_gallery)); }
SKTSlideshow *CanvasMenuValidator::selectedSlideshow() const { return dynamic_cast<SKTSlideshow *>(alive(m_slideshow)); }
SKTText *CanvasMenuValidator::selectedSnippet() const { return dynamic_cast<SKTText *>(alive(m_snippet)); }
SKTText *CanvasMenuValidator::selectedTextbox() const { return dynamic_cast<SKTText *>(alive(m_textbox)); }

void CanvasMenuValidator::syncContextCache()
{
    if (!m_view.document())
        return;
    InsertionSelectionCache &cache = context().cache();
    if (SKTGraphic *g = selectedTable())
        cache.selectedTable = g;
    if (SKTGraphic *g = selectedGalleryGrid())
        cache.selectedGalleryGrid = g;
    if (SKTGraphic *g = selectedSlideshow())
        cache.selectedSlideshow = g;
    if (SKTGraphic *g = selectedImage())
        cache.selectedImage = g;
    if (SKTGraphic *g = selectedTextbox())
        cache.selectedTextbox = g;
    if (SKTGraphic *g = selectedSnippet())
        cache.selectedSnippet = g;
}

// --- predicates ----------------------------------------------------------------------------

bool CanvasMenuValidator::shouldShowLayerArrangement()
{
    return !gHideLayerArrangement && shouldShowAlignArrangement();
}

bool CanvasMenuValidator::shouldShowAlignArrangement()
{
    const QList<SKTGraphic *> s = selection();
    if (s.isEmpty())
        return false;
    for (SKTGraphic *g : s)
        if (dynamic_cast<SKTSlideshow *>(g))
            return false;
    return true;
}

bool CanvasMenuValidator::enlargeShown()
{
    const QList<SKTGraphic *> s = selection();
    if (s.isEmpty())
        return false;
    for (SKTGraphic *g : s)
        if (!dynamic_cast<SKTImage *>(g))
            return false;
    return true;
}

bool CanvasMenuValidator::cropShown()
{
    auto *image = dynamic_cast<SKTImage *>(single());
    if (image)
        remember(m_image, image);
    return image != nullptr;
}

bool CanvasMenuValidator::abilityToCopyShown()
{
    const QList<SKTGraphic *> s = selection();
    if (s.isEmpty())
        return false;
    for (SKTGraphic *g : s)
        if (dynamic_cast<SKTSlideshow *>(g) || dynamic_cast<SKTGalleryGrid *>(g) || isFormField(g))
            return false;
    return true;
}

bool CanvasMenuValidator::duplicateShown()
{
    return !gHideDuplicate && abilityToCopyShown();
}

bool CanvasMenuValidator::galleryControlShown()
{
    auto *gallery = dynamic_cast<SKTGalleryGrid *>(single());
    if (gallery)
        remember(m_gallery, gallery);
    return gallery != nullptr;
}

bool CanvasMenuValidator::gallerySpotUnderTouch(int32_t &row, int32_t &column) const
{
    SKTGalleryGrid *gallery = selectedGalleryGrid();
    if (!gallery)
        return false;
    const QPointF t = m_view.lastTouchPointValue;
    if (!std::isfinite(t.x()) || !std::isfinite(t.y()))
        return false;
    const GridGraphic::Image image = gallery->grabImageSelected(int32_t(t.x()), int32_t(t.y()));
    if (!image)
        return false;
    row = image->rowSpot;
    column = image->columnSpot;
    return true;
}

bool CanvasMenuValidator::galleryImageEditControlShown()
{
    int32_t row = 0, column = 0;
    return !selection().isEmpty() && gallerySpotUnderTouch(row, column);
}

bool CanvasMenuValidator::moveImageUpShown()
{
    int32_t row = 0, column = 0;
    return gallerySpotUnderTouch(row, column) && row > 0;
}

bool CanvasMenuValidator::moveImageDownShown()
{
    int32_t row = 0, column = 0;
    return gallerySpotUnderTouch(row, column) && row + 1 < selectedGalleryGrid()->numOfRows();
}

bool CanvasMenuValidator::moveImageLeftShown()
{
    int32_t row = 0, column = 0;
    return gallerySpotUnderTouch(row, column) && column > 0;
}

bool CanvasMenuValidator::moveImageRightShown()
{
    int32_t row = 0, column = 0;
    return gallerySpotUnderTouch(row, column) && column + 1 < selectedGalleryGrid()->numOfColumns();
}

bool CanvasMenuValidator::tableControlShown()
{
    auto *table = dynamic_cast<SKTTable *>(single());
    if (!table || table->gridType() == QLatin1String("section"))
        return false;
    remember(m_table, table);
    return true;
}

bool CanvasMenuValidator::tableAddImageControlShown()
{
    if (!gTableImagesEnabled)
        return false;
    auto *table = dynamic_cast<SKTTable *>(single());
    if (table)
        remember(m_table, table);
    return table != nullptr;
}

bool CanvasMenuValidator::tableMultiControlShown()
{
    const QList<SKTGraphic *> s = selection();
    return s.size() == 2 && dynamic_cast<SKTTable *>(s[0]) && dynamic_cast<SKTTable *>(s[1]);
}

bool CanvasMenuValidator::shouldDisplayOfTableContents()
{
    SKTTable *table = selectedTable();
    return table && table->gridType() == QLatin1String("TableOfContents");
}

bool CanvasMenuValidator::doesSelectedTableContainBackgroundPattern() const
{
    SKTTable *table = selectedTable();
    return table && table->tableBackgroundImage() != nullptr;
}

bool CanvasMenuValidator::savedTextShown()
{
    auto *text = dynamic_cast<SKTText *>(single());
    if (!text || !text->formType().isEmpty())
        return false;
    remember(m_textbox, text);
    return true;
}

bool CanvasMenuValidator::codeEditorShown()
{
    auto *text = dynamic_cast<SKTText *>(single());
    if (!text || text->textType() != kSnippet)
        return false;
    remember(m_snippet, text);
    return true;
}

bool CanvasMenuValidator::tooltipShown()
{
    if (gHideTooltip)
        return false;
    existingTooltip.clear();
    auto *image = dynamic_cast<SKTImage *>(single());
    if (!image)
        return false;
    existingTooltip = image->altText();
    return true;
}

bool CanvasMenuValidator::linkShown()
{
    SKTGraphic *g = single();
    if (gHideLink || !g)
        return false;
    if (auto *text = dynamic_cast<SKTText *>(g)) {
        const bool plain = text->textType() == QLatin1String("Text");
        const bool formattedSnippet = text->textType() == kSnippet && text->snippetFormatFlag() && gResponsiveEdition;
        if (!plain && !formattedSnippet)
            return false;
        existingHyperLink = text->link();
        existingOnClickHideString = text->onClickHideString();
        existingOnClickShowString = text->onClickShowString();
        return true;
    }
    if (auto *image = dynamic_cast<SKTImage *>(g)) {
        existingHyperLink = image->link();
        return true;
    }
    if (auto *table = dynamic_cast<SKTTable *>(g)) {
        if (const SKTTable::Cell cell = table->grabCurrentTableCellHelper()) {
            existingHyperLink = cell->link;
            existingOnClickHideString = cell->onClickHideString;
            existingOnClickShowString = cell->onClickShowString;
        }
        return table->gridType() != QLatin1String("section");
    }
    return false;
}

bool CanvasMenuValidator::applyHTMLSnippetFormattingShown()
{
    if (!gHideSnippetFormatting)
        return false;
    for (SKTGraphic *g : selection())
        if (dynamic_cast<SKTText *>(g) && g->textType() == kSnippet && !g->snippetFormatFlag())
            return true;
    return false;
}

bool CanvasMenuValidator::removeHTMLSnippetFormattingShown()
{
    if (gResponsiveEdition || !gHideSnippetFormatting)
        return false;
    for (SKTGraphic *g : selection())
        if (dynamic_cast<SKTText *>(g) && g->textType() == kSnippet && g->snippetFormatFlag())
            return true;
    return false;
}

bool CanvasMenuValidator::slideShowOptionsShown()
{
    auto *show = dynamic_cast<SKTSlideshow *>(single());
    if (show)
        remember(m_slideshow, show);
    return show != nullptr;
}

bool CanvasMenuValidator::slideShowImageEditingOptionsShown()
{
    return slideShowOptionsShown() && !selectedSlideshow()->imageArray().isEmpty();
}

bool CanvasMenuValidator::showMarkAsReplyTo()
{
    auto *text = dynamic_cast<SKTText *>(single());
    return text && text->formType() == QLatin1String("text") && text->formOptionTag() == -11;
}

bool CanvasMenuValidator::showMandatory()
{
    auto *text = dynamic_cast<SKTText *>(single());
    return text && (text->formType() == QLatin1String("text") || text->formType() == QLatin1String("textarea"))
        && text->formRequiredFlag() != 1;
}

bool CanvasMenuValidator::showOptional()
{
    auto *text = dynamic_cast<SKTText *>(single());
    return text && (text->formType() == QLatin1String("text") || text->formType() == QLatin1String("textarea"))
        && text->formRequiredFlag() == 1;
}

bool CanvasMenuValidator::isOriginalTextViewOfType(const SKTGraphic &graphic, const QString &formType) const
{
    for (SKTGraphic *g : m_view.textAreas())
        if (g->formTag() == graphic.formTag() && g->formType() == formType)
            return true;
    return false;
}

bool CanvasMenuValidator::enableNewMultipleChoiceOption()
{
    auto *text = dynamic_cast<SKTText *>(single());
    return text && isOriginalTextViewOfType(*text, QStringLiteral("radio"));
}

bool CanvasMenuValidator::enableNewCheckboxChoiceOption()
{
    auto *text = dynamic_cast<SKTText *>(single());
    return text && isOriginalTextViewOfType(*text, QStringLiteral("checkbox"));
}

bool CanvasMenuValidator::lineTest(bool start, bool withArrow) const
{
    for (SKTGraphic *g : selection())
        if (auto *line = dynamic_cast<SKTLine *>(g))
            if ((start ? line->drawBeginArrow() : line->drawEndArrow()) == withArrow)
                return true;
    return false;
}

bool CanvasMenuValidator::showDrawStartArrow() { return lineTest(true, false); }
bool CanvasMenuValidator::showHideStartArrow() { return lineTest(true, true); }
bool CanvasMenuValidator::showDrawEndArrow() { return lineTest(false, false); }
bool CanvasMenuValidator::showHideEndArrow() { return lineTest(false, true); }

bool CanvasMenuValidator::arrowOptionsShown()
{
    const QList<SKTGraphic *> s = selection();
    if (s.isEmpty())
        return false;
    for (SKTGraphic *g : s)
        if (!dynamic_cast<SKTLine *>(g))
            return false;
    return true;
}

bool CanvasMenuValidator::showAutoAdjustSnippetSize()
{
    if (!m_view.document())
        return false;
    InsertionFrame frame(context());
    const bool shown = TextCommands(frame).showAutoAdjustSnippetSize();
    if (shown)
        remember(m_snippet, single());
    return shown;
}

bool CanvasMenuValidator::shouldShowCreateZoomBubble()
{
    if (!m_view.document())
        return false;
    InsertionFrame frame(context());
    return ZoomBubbleMaker(frame).shouldShowCreateZoomBubble();
}
