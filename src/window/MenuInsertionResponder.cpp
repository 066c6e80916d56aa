#include "window/MenuInsertionResponder.h"

#include "canvas/CanvasMenuValidator.h"
#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionPlacement.h"
#include "insertion/InsertionFrame.h"
#include "model/SKTGraphic.h"
#include "platform/UndoManager.h"

#include <QSet>

MenuInsertionResponder::MenuInsertionResponder(SKTGraphicView &view, Chain rest) : m_view(view), m_rest(std::move(rest))
{
}

bool MenuInsertionResponder::isMenuInsertion(const QString &action)
{
    static const QSet<QString> actions = {
        QStringLiteral("addTextBox"),          QStringLiteral("addImageGallery"),
        QStringLiteral("addSlideshow"),        QStringLiteral("addTable"),
        QStringLiteral("addTableOfSitemapVertical"), QStringLiteral("addTableOfSitemapHorizontal"),
        QStringLiteral("addNewHTMLSnippet"),   QStringLiteral("addYouTubeHTMLSnippet"),
        QStringLiteral("addPaypalSnippet"),    QStringLiteral("addNewShape"),
        QStringLiteral("addNewSelectedTextView"), QStringLiteral("addLine"),
        QStringLiteral("addLineDashed"),       QStringLiteral("addLineDotted"),
        QStringLiteral("addTextField"),        QStringLiteral("addEmailTextField"),
        QStringLiteral("addBotCheckerTextField"), QStringLiteral("addParagraph"),
        QStringLiteral("addCheckboxes"),       QStringLiteral("addMultipleChoice"),
        QStringLiteral("addDropdownmenu"),     QStringLiteral("addSubmitButton"),
    };
    return actions.contains(action) || action.startsWith(QLatin1String("addPerson_"))
           || action.startsWith(QLatin1String("addZovLink")) || action.startsWith(QLatin1String("addNavbar"));
}

bool MenuInsertionResponder::respondsToAction(const QString &action) const
{
    return isMenuInsertion(action) && ResponderChain::target(m_rest(), action) != nullptr;
}

bool MenuInsertionResponder::validateAction(ActionItemState &item)
{
    return ResponderChain::validate(m_rest(), item);
}

void MenuInsertionResponder::performAction(const QString &action, const ActionItemState &sender)
{
    SKTDocument *document = m_view.document();
    if (!document) {
        ResponderChain::send(m_rest(), action, sender);
        return;
    }
    const QList<SKTGraphic *> beforeList = document->graphicPointers();
    const QSet<SKTGraphic *> before(beforeList.cbegin(), beforeList.cend());
    UndoManager &undo = document->undoManager();
    undo.closeAutomaticGroup();
    undo.beginUndoGrouping();
    ResponderChain::send(m_rest(), action, sender);
    QList<SKTGraphic *> fresh;
    for (SKTGraphic *g : document->graphicPointers())
        if (!before.contains(g))
            fresh << g;
    if (!fresh.isEmpty()) {
        InsertionFrame frame(m_view.menuValidator().context());
        InsertionPlacement::placeAndSelect(frame, fresh);
    }
    undo.endUndoGrouping();
    undo.closeAutomaticGroup();
}

