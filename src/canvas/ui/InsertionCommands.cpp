#include "canvas/ui/InsertionCommands.h"

#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/CanvasMenuValidator.h"
#include "canvas/CanvasResponder.h"
#include "canvas/SKTGraphicView.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/LineMaker.h"
#include "insertion/ObjectMakers.h"
#include "insertion/TableMakers.h"
#include "insertion/TextBoxFactory.h"

#include <cmath>
#include <functional>

namespace {
// A command that runs a maker on the canvas's page through its insertion context.
void addMaker(const QString &action, std::function<void(InsertionFrame &, const ActionItemState &)> maker)
{
    CanvasResponder::addCommand(action, [maker](SKTGraphicView &view, const ActionItemState &sender) {
        if (!view.document())
            return;
        InsertionFrame frame(view.menuValidator().context());
        maker(frame, sender);
    });
}

void addSnippetCommand(const QString &action, const QString &kind)
{
    addMaker(action, [kind](InsertionFrame &frame, const ActionItemState &) {
        const QPointF p = frame.menuPoint();
        const QPointF at(std::trunc(p.x()), std::trunc(p.y()));
        InsertionStep step(frame.document(), QStringLiteral("Add HTML Snippet"));
        TextBoxFactory(frame).addSnippet_drag(CanvasInsertionAdapter::snippetCode(kind),
                                              QRectF(at, CanvasInsertionAdapter::snippetSize(kind)));
    });
}
} // namespace

void registerInsertionCommands()
{
    addMaker(QStringLiteral("addLine"), [](InsertionFrame &f, const ActionItemState &) { LineMaker(f).addLine(); });
    addMaker(QStringLiteral("addLineDashed"),
             [](InsertionFrame &f, const ActionItemState &) { LineMaker(f).addLineDashed(); });
    addMaker(QStringLiteral("addLineDotted"),
             [](InsertionFrame &f, const ActionItemState &) { LineMaker(f).addLineDotted(); });
    const QStringList badges = {QStringLiteral("addZovLink"), QStringLiteral("addZovLink2"),
                                QStringLiteral("addZovLink3"), QStringLiteral("addZovLink4")};
    for (int variant = 1; variant <= 4; ++variant)
        addMaker(badges[variant - 1],
                 [variant](InsertionFrame &f, const ActionItemState &) { ObjectMakers(f).addZovLink(variant); });
    // The canvas answers the table command itself (its menu validation names it).
    addMaker(QStringLiteral("addTable"), [](InsertionFrame &f, const ActionItemState &) { TableMakers(f).addTable(); });
    addMaker(QStringLiteral("addImageGallery"),
             [](InsertionFrame &f, const ActionItemState &) { ObjectMakers(f).addImageGallery(); });
    addMaker(QStringLiteral("addNewShape"),
             [](InsertionFrame &f, const ActionItemState &sender) { ObjectMakers(f).addNewShape(sender.tag); });
    addMaker(QStringLiteral("addNewSelectedTextView"), [](InsertionFrame &f, const ActionItemState &sender) {
        ObjectMakers(f).addNewSelectedTextView(sender.tag);
    });
    for (const auto &[action, tag] : ObjectMakers::personalisationTagCommands()) {
        const QString text = tag;
        addMaker(action, [text](InsertionFrame &f, const ActionItemState &) { ObjectMakers(f).addPersonTagCommand(text); });
    }
    addMaker(QStringLiteral("addPerson_FullAddress"),
             [](InsertionFrame &f, const ActionItemState &) { ObjectMakers(f).addPerson_FullAddress(); });
    addSnippetCommand(QStringLiteral("addYouTubeHTMLSnippet"), QStringLiteral("video"));
    addSnippetCommand(QStringLiteral("addPaypalSnippet"), QStringLiteral("buynow"));
    addSnippetCommand(QStringLiteral("addNewHTMLSnippet"), QStringLiteral("htmlsnippet"));
}
