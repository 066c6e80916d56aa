#include "canvas/CanvasResponder.h"

#include "canvas/CanvasHost.h"
#include "canvas/CanvasMenuValidator.h"
#include "canvas/SKTGraphicView.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/LineMaker.h"
#include "insertion/TextCommands.h"
#include "insertion/ZoomBubbleMaker.h"
#include "model/SKTText.h"

#include <QHash>

namespace {
QHash<QString, CanvasResponder::Command> &outsideCommands()
{
    static QHash<QString, CanvasResponder::Command> table;
    return table;
}

// Commands that only carry a submenu (or a title) and do nothing themselves.
const QStringList kSubmenuActions = {
    QStringLiteral("layerOptionsShown"), QStringLiteral("alignOptionsShown"),
    QStringLiteral("showClickToEnlargeOptions"), QStringLiteral("galleryEditMenu"),
    QStringLiteral("tableEditMenu"), QStringLiteral("savedTextOptions"),
    QStringLiteral("showArrowOptions"), QStringLiteral("positionSettingActions"),
    QStringLiteral("showOrHideRulers"),
};

// The canvas's own commands beside those of the validation table.
const QStringList kPlainActions = {
    QStringLiteral("paste"), QStringLiteral("selectAll"), QStringLiteral("deselectAll"),
    QStringLiteral("centerOnCanvas"), QStringLiteral("launchPrintSettings"),
};
} // namespace

void CanvasResponder::addCommand(const QString &action, Command command)
{
    outsideCommands().insert(action, std::move(command));
}

QStringList CanvasResponder::canvasActions()
{
    QStringList actions;
    for (const CanvasMenuValidator::Row &row : CanvasMenuValidator::rows())
        for (const QString &a : row.actions)
            if (a != QLatin1String("*") && !actions.contains(a))
                actions << a;
    for (const QString &a : kPlainActions)
        if (!actions.contains(a))
            actions << a;
    return actions;
}

CanvasMenuValidator &CanvasResponder::validator() const
{
    return m_view.menuValidator();
}

void CanvasResponder::addValidated(const QString &action, Run run)
{
    add(action, std::move(run), [this](ActionItemState &item) { return m_view.menuValidator().validate(item); });
}

CanvasResponder::CanvasResponder(SKTGraphicView &view)
    : m_view(view)
{
    SKTGraphicView *v = &m_view;
    auto refreshLayers = [v] {
        if (v->host())
            v->host()->refreshLayerListing();
    };
    // Every action first goes on to the rest of the window's chain: commands
    // of other parts run there, and with nobody to take them nothing happens;
    // validation still hides them.
    for (const QString &action : canvasActions())
        addValidated(action, [this, action](const ActionItemState &sender) {
            if (m_rest)
                ResponderChain::send(m_rest(), action, sender);
        });

#define ZOV_VIEW(name) addValidated(QStringLiteral(#name), [v](const ActionItemState &) { v->name(); })
    ZOV_VIEW(alignLeftEdges);
    ZOV_VIEW(alignRightEdges);
    ZOV_VIEW(alignTopEdges);
    ZOV_VIEW(alignBottomEdges);
    ZOV_VIEW(alignHorizontalCenters);
    ZOV_VIEW(alignVerticalCenters);
    ZOV_VIEW(alignHorizontalSpacing);
    ZOV_VIEW(alignVerticalSpacing);
    ZOV_VIEW(makeSameWidth);
    ZOV_VIEW(makeSameHeight);
    ZOV_VIEW(makeSameSize);
    ZOV_VIEW(alignWithGrid);
    ZOV_VIEW(makeNaturalSize);
    ZOV_VIEW(bringForward);
    ZOV_VIEW(sendBackward);
    ZOV_VIEW(bringToFront);
    ZOV_VIEW(sendToBack);
    ZOV_VIEW(groupObjects);
    ZOV_VIEW(unGroupObjects);
    ZOV_VIEW(lockObjects);
    ZOV_VIEW(unLockObjects);
    ZOV_VIEW(scrollLockObjects);
    ZOV_VIEW(unScrollLockObjects);
    ZOV_VIEW(centerGroup);
    ZOV_VIEW(centerOnCanvas);
    ZOV_VIEW(centerWithinGroup);
    ZOV_VIEW(grabCopyStyle);
    ZOV_VIEW(applyPasteStyle);
    ZOV_VIEW(matchScreenWidth);
    ZOV_VIEW(unMatchScreenWidth);
    ZOV_VIEW(removeManualLayerIndex);
    ZOV_VIEW(applyHTMLSnippetFormattingOption);
    ZOV_VIEW(removeHTMLSnippetFormattingOption);
    ZOV_VIEW(undo);
    ZOV_VIEW(redo);
    ZOV_VIEW(selectAll);
    ZOV_VIEW(copy);
    ZOV_VIEW(cut);
    ZOV_VIEW(paste);
    ZOV_VIEW(duplicate);
#undef ZOV_VIEW
    addValidated(QStringLiteral("delete"), [v](const ActionItemState &) { v->deleteSelection(); });
    addValidated(QStringLiteral("deselectAll"), [v](const ActionItemState &) { v->deselectAllAction(); });

    // Line arrows, zoom bubbles and snippet sizes: the insertion side's commands.
    auto withFrame = [this](std::function<void(InsertionFrame &)> run) {
        return [this, run](const ActionItemState &) {
            if (!m_view.document())
                return;
            InsertionFrame frame(m_view.menuValidator().context());
            run(frame);
        };
    };
    addValidated(QStringLiteral("drawStartArrow"), withFrame([](InsertionFrame &f) { LineMaker(f).drawStartArrow(); }));
    addValidated(QStringLiteral("hideStartArrow"), withFrame([](InsertionFrame &f) { LineMaker(f).hideStartArrow(); }));
    addValidated(QStringLiteral("drawEndArrow"), withFrame([](InsertionFrame &f) { LineMaker(f).drawEndArrow(); }));
    addValidated(QStringLiteral("hideEndArrow"), withFrame([](InsertionFrame &f) { LineMaker(f).hideEndArrow(); }));
    addValidated(QStringLiteral("createZoomBubble"),
                 withFrame([](InsertionFrame &f) { ZoomBubbleMaker(f).createZoomBubble(); }));
    addValidated(QStringLiteral("autoAdjustSnippetSize"), withFrame([this](InsertionFrame &f) {
                     // The snippet the menu found, unless it has left the page since.
                     f.context().cache().selectedSnippet = m_view.menuValidator().selectedSnippet();
                     TextCommands(f).autoAdjustSnippetSize();
                 }));
    addValidated(QStringLiteral("addToSavedTextWindow"), withFrame([this](InsertionFrame &f) {
                     f.context().cache().selectedTextbox = m_view.menuValidator().selectedTextbox();
                     TextCommands(f).addToSavedTextWindow();
                 }));

    // Stacking changes show in the inspector's layer list.
    for (const QString &action : {QStringLiteral("bringForward"), QStringLiteral("sendBackward"),
                                  QStringLiteral("bringToFront"), QStringLiteral("sendToBack")}) {
        Run run = [v, action, refreshLayers](const ActionItemState &) {
            if (action == QLatin1String("bringForward"))
                v->bringForward();
            else if (action == QLatin1String("sendBackward"))
                v->sendBackward();
            else if (action == QLatin1String("bringToFront"))
                v->bringToFront();
            else
                v->sendToBack();
            refreshLayers();
        };
        addValidated(action, run);
    }

    for (const QString &action : kSubmenuActions)
        addValidated(action, [](const ActionItemState &) {});

    for (auto it = outsideCommands().constBegin(); it != outsideCommands().constEnd(); ++it) {
        Command command = it.value();
        if (command)
            addValidated(it.key(), [v, command](const ActionItemState &sender) { command(*v, sender); });
    }
}
