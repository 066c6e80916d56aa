// HTML snippets: the formatting flag of the selected snippets and the code
// editor's write-back.
#include "canvas/CanvasMenuValidator.h"
#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionStep.h"
#include "model/SKTText.h"

namespace {
bool isSnippet(const SKTGraphic *g)
{
    return dynamic_cast<const SKTText *>(g) && g->textType() == QLatin1String("HTMLSnippet");
}

// The document does not record the flag itself: the step keeps the old values.
void setFormatting(SKTDocument *document, const QList<SKTGraphic *> &selection, bool on)
{
    QList<SKTGraphic *> changing;
    for (SKTGraphic *g : selection)
        if (isSnippet(g) && g->snippetFormatFlag() != on)
            changing.append(g);
    if (changing.isEmpty())
        return;
    if (document)
        InsertionStep::recordValues(*document, changing, {QStringLiteral("snippetFormatFlag")});
    for (SKTGraphic *g : changing)
        g->setSnippetFormatFlag(on);
}
} // namespace

CanvasMenuValidator &SKTGraphicView::menuValidator()
{
    if (!m_menuValidator)
        m_menuValidator = std::make_unique<CanvasMenuValidator>(*this);
    return *m_menuValidator;
}

void SKTGraphicView::applyHTMLSnippetFormattingOption()
{
    setFormatting(m_document, selectedGraphics(), true);
    nameUndoAction(QStringLiteral("Apply Snippet Formatting"));
}

void SKTGraphicView::removeHTMLSnippetFormattingOption()
{
    setFormatting(m_document, selectedGraphics(), false);
    nameUndoAction(QStringLiteral("Remove Snippet Formatting"));
}

bool SKTGraphicView::saveSnippetMarkup(SKTText *snippet, const QString &markup)
{
    // The editor is not modal: the snippet may have been deleted meanwhile.
    if (!m_document || !snippet || m_document->indexOfGraphic(snippet) < 0)
        return false;
    if (snippet->contents() == markup)
        return true;
    snippet->setTextString(markup);
    nameUndoAction(QStringLiteral("Edit Code"));
    return true;
}
