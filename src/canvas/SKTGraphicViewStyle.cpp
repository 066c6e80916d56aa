// Copy and paste style for text boxes and tables, screen-width matching,
// clearing the layer index and recolouring from the colour panel.
#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "model/myTextView.h"

namespace {
std::shared_ptr<SKTGraphic> sharedOf(SKTDocument *document, const SKTGraphic *graphic)
{
    if (!document)
        return nullptr;
    for (const auto &g : document->graphics())
        if (g.get() == graphic)
            return g;
    return nullptr;
}

// Sets key with an undo step also for keys the document does not record by
// itself (hex colour strings, the screen-width flag): the step puts the old
// value back and its redo the new one.
void setWithUndo(UndoManager *undo, const std::shared_ptr<SKTGraphic> &graphic, const QString &key,
                 const QVariant &value)
{
    if (!graphic)
        return;
    const QVariant old = graphic->value(key);
    if (old == value)
        return;
    const bool recorded = graphic->keysForValuesToObserveForUndo().contains(key);
    graphic->setValue(key, value);
    if (!recorded && undo && undo->isUndoRegistrationEnabled())
        undo->registerUndo([undo, graphic, key, old] { setWithUndo(undo, graphic, key, old); });
}

void copyKeys(SKTDocument *document, const SKTGraphic &from, SKTGraphic &to,
              std::initializer_list<const char *> keys)
{
    const std::shared_ptr<SKTGraphic> target = sharedOf(document, &to);
    UndoManager *undo = document ? &document->undoManager() : nullptr;
    for (const char *key : keys) {
        const QString k = QString::fromLatin1(key);
        if (target)
            setWithUndo(undo, target, k, from.value(k));
        else
            to.setValue(k, from.value(k));
    }
}

// Cells are plain carriers outside the attribute undo: their looks before a
// paste go into the undo step whole, and each undo puts back the other side.
void restoreCells(UndoManager &undo, const std::shared_ptr<SKTTable> &table,
                  const QList<std::pair<SKTTable::Cell, myTextView>> &saved)
{
    QList<std::pair<SKTTable::Cell, myTextView>> now;
    for (const auto &[cell, look] : saved) {
        now.append({cell, *cell});
        *cell = look;
    }
    table->refreshLayout();
    undo.registerUndo([&undo, table, now] { restoreCells(undo, table, now); });
}

void copyCellLook(const myTextView &s, myTextView &t)
{
    t.textView.fontName = s.familyName;
    t.textView.fontPointSize = s.fontSize;
    if (s.textAlignment == QLatin1String("left") || s.textAlignment == QLatin1String("center")
        || s.textAlignment == QLatin1String("right"))
        t.textAlignment = s.textAlignment;
    else
        t.textAlignment = QStringLiteral("justify");
    t.alphaValue = s.alphaValue;
    t.shapeFlag = s.shapeFlag;
    t.shadowFlag = s.shadowFlag;
    t.textColor = s.textHexColorString.isEmpty() ? QColor() : QColor(u'#' + s.textHexColorString);
    t.backgroundHexColorString = s.backgroundHexColorString;
    t.colorString = s.backgroundHexColorString;
    t.textColorString = s.textHexColorString;
    t.textHexColorString = s.textHexColorString;
    t.hoverTextColorString = s.hoverTextColorString;
    t.hoverColorString = s.hoverColorString;
    t.textView.borderLine = s.textView.borderLine;
    t.borderWidth = s.borderWidth;
    t.borderHexColorString = s.borderHexColorString;
    t.cornerRadius = s.cornerRadius;
    t.familyName = s.familyName;
    t.fontSize = s.fontSize;
    t.lineSpacing = s.lineSpacing;
    // A restyled cell is plain text: no form role, no group.
    t.groupNumber = -99;
    t.formType = QString();
    t.formRequiredFlag = 0;
    t.formOptionTag = -99;
    t.formTag = -99;
}
} // namespace

bool SKTGraphicView::grabCopyStyleShown() const
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    return selected.size() == 1
           && (dynamic_cast<SKTText *>(selected.first()) || dynamic_cast<SKTTable *>(selected.first()));
}

void SKTGraphicView::grabCopyStyle()
{
    for (SKTGraphic *g : selectedGraphics()) {
        if (dynamic_cast<SKTText *>(g))
            m_styleTextbox = std::dynamic_pointer_cast<SKTText>(sharedOf(m_document, g));
        else if (dynamic_cast<SKTTable *>(g))
            m_styleTable = std::dynamic_pointer_cast<SKTTable>(sharedOf(m_document, g));
    }
}

bool SKTGraphicView::applyPasteStyleShown() const
{
    for (SKTGraphic *g : selectedGraphics())
        if ((m_styleTextbox && dynamic_cast<SKTText *>(g)) || (m_styleTable && dynamic_cast<SKTTable *>(g)))
            return true;
    return false;
}

void SKTGraphicView::applyPasteStyle()
{
    for (SKTGraphic *g : selectedGraphics()) {
        if (auto *text = dynamic_cast<SKTText *>(g)) {
            if (!m_styleTextbox || m_styleTextbox.get() == text)
                continue;
            copyKeys(m_document, *m_styleTextbox, *text,
                     {"fontColor", "fontFamily", "fontSize", "fontAlignment", "fillColor", "backgroundHexColorString",
                      "textHexColorString", "borderStyle", "borderWidth", "borderHexColorString", "borderColor",
                      "lineSpacing"});
            text->refreshStyle();
        } else if (auto *table = dynamic_cast<SKTTable *>(g)) {
            if (!m_styleTable || m_styleTable.get() == table)
                continue;
            const SKTTable &source = *m_styleTable;
            copyKeys(m_document, source, *table,
                     {"fontColor", "fontFamily", "fontSize", "fontAlignment", "fillColor", "backgroundHexColorString",
                      "textHexColorString", "borderWidth", "padding", "borderStyle", "borderHexColorString",
                      "borderColor", "lineSpacing"});
            QList<std::pair<SKTTable::Cell, myTextView>> before;
            QList<std::pair<SKTTable::Cell, SKTTable::Cell>> pairs;
            for (int32_t r = 0; r < source.numOfRows(); ++r)
                for (int32_t c = 0; c < source.numOfColumns(); ++c) {
                    if (r >= table->numOfRows() || c >= table->numOfColumns())
                        continue;
                    SKTTable::Cell s = source.grabSelectedTableCellHelper(r, c);
                    SKTTable::Cell t = table->grabSelectedTableCellHelper(r, c);
                    if (s && t && s != t)
                        pairs.append({s, t});
                }
            for (const auto &[s, t] : pairs) {
                before.append({t, *t});
                copyCellLook(*s, *t);
            }
            table->refreshLayout();
            if (!before.isEmpty() && m_document) {
                auto shared = std::dynamic_pointer_cast<SKTTable>(sharedOf(m_document, table));
                UndoManager &undo = m_document->undoManager();
                if (shared)
                    undo.registerUndo([&undo, shared, before] { restoreCells(undo, shared, before); });
            }
        }
    }
}

bool SKTGraphicView::matchScreenWidthShown() const
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    auto *text = selected.size() == 1 ? dynamic_cast<SKTText *>(selected.first()) : nullptr;
    return text && !text->matchScreenFlag();
}

bool SKTGraphicView::unMatchScreenWidthShown() const
{
    const QList<SKTGraphic *> selected = selectedGraphics();
    auto *text = selected.size() == 1 ? dynamic_cast<SKTText *>(selected.first()) : nullptr;
    return text && text->matchScreenFlag();
}

void SKTGraphicView::matchScreenWidth()
{
    for (SKTGraphic *g : selectedGraphics())
        if (auto *text = dynamic_cast<SKTText *>(g)) {
            setWithUndo(m_document ? &m_document->undoManager() : nullptr, sharedOf(m_document, text),
                        QStringLiteral("matchScreenFlag"), true);
            const QRectF b = text->bounds();
            text->setBounds(QRectF(0, b.y(), 9999, b.height()));
        }
}

void SKTGraphicView::unMatchScreenWidth()
{
    for (SKTGraphic *g : selectedGraphics())
        if (auto *text = dynamic_cast<SKTText *>(g)) {
            setWithUndo(m_document ? &m_document->undoManager() : nullptr, sharedOf(m_document, text),
                        QStringLiteral("matchScreenFlag"), false);
            const QRectF b = text->bounds();
            text->setBounds(QRectF(200, b.y(), 200, b.height()));
        }
}

bool SKTGraphicView::manualLayerIndexShown()
{
    existingZIndex.clear();
    const QList<SKTGraphic *> selected = selectedGraphics();
    if (selected.isEmpty())
        return false;
    if (const int32_t index = selected.first()->manualLayerIndex())
        existingZIndex = QString::number(index);
    return true;
}

bool SKTGraphicView::removeManualLayerIndexShown() const
{
    for (SKTGraphic *g : selectedGraphics())
        if (g->manualLayerIndex() != 0)
            return true;
    return false;
}

void SKTGraphicView::removeManualLayerIndex()
{
    for (SKTGraphic *g : selectedGraphics())
        if (g->manualLayerIndex() != 0)
            g->setManualLayerIndex(0);
}

void SKTGraphicView::changeColor(const QColor &colour)
{
    for (SKTGraphic *g : selectedGraphics())
        g->setColor(colour);
}
