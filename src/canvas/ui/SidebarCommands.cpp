#include "canvas/ui/SidebarCommands.h"

#include "canvas/CanvasInsertionAdapter.h"
#include "canvas/CanvasMenuValidator.h"
#include "canvas/CanvasResponder.h"
#include "insertion/InsertionStep.h"
#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "config/EditionSettings.h"
#include "sidebar/GridEditing.h"
#include "insertion/GridInsertion.h"
#include "sidebar/PaletteInsertions.h"
#include "sidebar/SavedTextCollection.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/ObjectMakers.h"
#include "insertion/SavedTextStore.h"
#include "insertion/TableRefresh.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "canvas/ui/DocumentSidebar.h"
#include "sidebar/ui/GalleryGridEditorWindowController.h"
#include "sidebar/ui/SidebarControls.h"
#include "sidebar/ui/SidebarView.h"
#include "sidebar/ui/PresetPickers.h"
#include "sidebar/ui/SavedTextWindowController.h"
#include "sidebar/ui/SectionEditorWindowController.h"
#include "sidebar/ui/TableGridWindowController.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/ui/CommandRegistry.h"

#include <QDateTime>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

namespace {
InspectorView *sidebarOf(const DocumentWindowContext &context)
{
    return context.window ? context.window->findChild<InspectorView *>() : nullptr;
}

// The window's one saved-text window and section editor, made on first use.
template <typename T> T *windowTool(const DocumentWindowContext &context)
{
    if (!context.window)
        return nullptr;
    if (T *existing = context.window->findChild<T *>())
        return existing;
    auto *made = new T(context.window);
    return made;
}

SKTText *singleSelectedText(const DocumentWindowContext &context);

// pullFromSavedText: the window hides and the edited snippet is appended to
// the one selected text box, as one undo step.
void pullFromSavedText(const DocumentWindowContext &context)
{
    SKTText *text = singleSelectedText(context);
    SKTDocument *doc = context.currentDocument();
    auto *w = context.window ? context.window->findChild<SavedTextWindowController *>() : nullptr;
    if (!text || !w)
        return;
    w->hide();
    SavedTextCollection::pullInto(*text, w->textView()->toPlainText(), doc ? &doc->undoManager() : nullptr);
}

SavedTextWindowController *savedTexts(const DocumentWindowContext &context)
{
    if (!context.window)
        return nullptr;
    if (auto *existing = context.window->findChild<SavedTextWindowController *>())
        return existing;
    auto *made = new SavedTextWindowController(nullptr, context.window);
    made->setChooseHandler([context] { pullFromSavedText(context); });
    return made;
}

SKTText *singleSelectedText(const DocumentWindowContext &context)
{
    SKTGraphicView *canvas = context.currentCanvas();
    if (!canvas)
        return nullptr;
    const QList<SKTGraphic *> selection = canvas->selectedGraphics();
    return selection.size() == 1 ? dynamic_cast<SKTText *>(selection.first()) : nullptr;
}

SKTTable *singleSelectedSection(const DocumentWindowContext &context)
{
    SKTGraphicView *canvas = context.currentCanvas();
    if (!canvas)
        return nullptr;
    const QList<SKTGraphic *> selection = canvas->selectedGraphics();
    auto *table = selection.size() == 1 ? dynamic_cast<SKTTable *>(selection.first()) : nullptr;
    return table && table->gridType() == QLatin1String("section") ? table : nullptr;
}

// What a grid window edits through: the page's table rebuild, so that Save
// lays the cells out again. It stays with the window until the window is
// configured again (the page may have changed by then).
class GridEditingHolder : public QObject {
public:
    GridEditingHolder(SKTDocument &document, QObject *window) : QObject(window), refresh(document), editing(document, refresh)
    {
        setObjectName(QStringLiteral("gridEditingHolder"));
    }
    TableRefresh refresh;
    GridEditing editing;
};

GridEditingHolder &gridEditingFor(QObject *window, SKTDocument &document)
{
    // Found by name: without a meta-object of its own, a search by type would match any child.
    for (QObject *child : window->findChildren<QObject *>(QStringLiteral("gridEditingHolder"), Qt::FindDirectChildrenOnly))
        delete dynamic_cast<GridEditingHolder *>(child);
    return *new GridEditingHolder(document, window);
}

template <typename T> T *selectedOnly(const DocumentWindowContext &context)
{
    SKTGraphicView *canvas = context.currentCanvas();
    if (!canvas)
        return nullptr;
    const QList<SKTGraphic *> selection = canvas->selectedGraphics();
    return selection.size() == 1 ? dynamic_cast<T *>(selection.first()) : nullptr;
}

SKTTable *singleSelectedGridTable(const DocumentWindowContext &context)
{
    SKTTable *table = selectedOnly<SKTTable>(context);
    return table && table->gridType() != QLatin1String("section") ? table : nullptr;
}

// What the preset makers need of the window's canvas.
class CanvasContext : public InsertionContext {
public:
    CanvasContext(SKTDocument &document, SKTGraphicView &canvas, QWidget *window)
        : m_document(document), m_canvas(canvas), m_window(window)
    {
    }
    SKTDocument &document() override { return m_document; }
    std::optional<QPointF> visibleOrigin() const override { return std::nullopt; }
    double zoomFactor() const override { return m_canvas.zoomFactor; }
    QList<SKTGraphic *> selectedGraphics() const override { return m_canvas.selectedGraphics(); }
    QPointF lastTouchPoint() const override { return m_canvas.lastTouchPoint(); }
    InsertionSelectionCache &cache() override { return m_cache; }
    Alerts &alerts() override { return Alerts::current(); }
    FilePanels &filePanels() override { return FilePanels::current(); }
    QObject *window() const override { return m_window; }
    SavedTextStore &savedTexts() override
    {
        static SavedTextStore store;
        return store;
    }

private:
    SKTDocument &m_document;
    SKTGraphicView &m_canvas;
    QWidget *m_window;
    InsertionSelectionCache m_cache;
};

// addShapeSelected / addTextViewSelected: the picked preset goes into the page at the menu point.
void insertPreset(const DocumentWindowContext &context, bool shape, int tag)
{
    SKTDocument *doc = context.currentDocument();
    SKTGraphicView *canvas = context.currentCanvas();
    if (!doc || !canvas)
        return;
    // The canvas's own insertion side knows its visible corner; a bare canvas gets a plain context.
    CanvasContext plain(*doc, *canvas, context.window);
    auto *adapter = dynamic_cast<CanvasInsertionAdapter *>(canvas->insertions());
    InsertionContext &insertion = adapter && canvas->document() == doc ? static_cast<InsertionContext &>(*adapter)
                                                                       : static_cast<InsertionContext &>(plain);
    InsertionFrame frame(insertion);
    if (shape)
        ObjectMakers(frame).addNewShape(tag);
    else
        ObjectMakers(frame).addNewSelectedTextView(tag);
}

void installWindowCommands(ActionMap &commands, const DocumentWindowContext &context)
{
    commands.add(QStringLiteral("showShapePopOver"), [context](const ActionItemState &) {
        PresetPickers::createShapePopover(context.window, [context](int tag) { insertPreset(context, true, tag); });
    });
    commands.add(QStringLiteral("showTextViewPopOver"), [context](const ActionItemState &) {
        PresetPickers::createTextViewPopover(context.window, [context](int tag) { insertPreset(context, false, tag); });
    });

    const auto tab = [context](int which) {
        return [context, which](const ActionItemState &) {
            if (InspectorView *view = sidebarOf(context)) {
                view->setCurrentTab(which);
                view->show();
            }
        };
    };
    const auto hasSidebar = [context](ActionItemState &) { return sidebarOf(context) != nullptr; };
    commands.add(QStringLiteral("showObjectsList"), tab(InspectorView::Add), hasSidebar);
    commands.add(QStringLiteral("showFormattingOptions"), tab(InspectorView::Format), hasSidebar);
    commands.add(QStringLiteral("showLayers"), tab(InspectorView::Layer), hasSidebar);

    commands.add(QStringLiteral("launchSavedTextWindow"), [context](const ActionItemState &) {
        if (SavedTextWindowController *w = savedTexts(context))
            w->launch();
    });
    commands.add(
        QStringLiteral("addToSavedTextWindow"),
        [context](const ActionItemState &) {
            SKTText *text = singleSelectedText(context);
            SavedTextWindowController *w = text ? savedTexts(context) : nullptr;
            if (w)
                w->addText(text->textString(), QDateTime::currentDateTime());
        },
        [context](ActionItemState &) { return singleSelectedText(context) != nullptr; });
    commands.add(
        QStringLiteral("pullFromSavedText"),
        [context](const ActionItemState &) { pullFromSavedText(context); },
        [context](ActionItemState &) {
            return singleSelectedText(context) != nullptr && context.window
                   && context.window->findChild<SavedTextWindowController *>() != nullptr;
        });

    commands.add(
        QStringLiteral("configureSectionWindowController"),
        [context](const ActionItemState &) {
            SKTTable *section = singleSelectedSection(context);
            SKTDocument *doc = context.currentDocument();
            if (!section || !doc)
                return;
            if (auto *editor = windowTool<SectionEditorWindowController>(context))
                editor->configure(*doc, gridEditingFor(editor, *doc).refresh, *section);
        },
        [context](ActionItemState &) { return singleSelectedSection(context) != nullptr; });

    commands.add(
        QStringLiteral("configureTableGrid"),
        [context](const ActionItemState &) {
            SKTTable *table = singleSelectedGridTable(context);
            SKTDocument *doc = context.currentDocument();
            if (!table || !doc || !context.window)
                return;
            auto *editor = context.window->findChild<TableGridWindowController *>();
            if (!editor)
                editor = new TableGridWindowController(gTableUniformSizing, context.window);
            editor->configureTableGrid(*table, gridEditingFor(editor, *doc).editing);
            editor->show();
            editor->raise();
        },
        [context](ActionItemState &) { return singleSelectedGridTable(context) != nullptr; });
    commands.add(
        QStringLiteral("configureGalleryGrid"),
        [context](const ActionItemState &) {
            auto *gallery = selectedOnly<SKTGalleryGrid>(context);
            SKTDocument *doc = context.currentDocument();
            if (!gallery || !doc)
                return;
            if (auto *editor = windowTool<GalleryGridEditorWindowController>(context)) {
                editor->configureGalleryGrid(*gallery, gridEditingFor(editor, *doc).editing);
                editor->show();
                editor->raise();
            }
        },
        [context](ActionItemState &) { return selectedOnly<SKTGalleryGrid>(context) != nullptr; });

    // The colour buttons and the mask button of the window's inspector, by name.
    const auto popOver = [context](const QString &button) {
        return [context, button](const ActionItemState &) {
            auto *inspector = context.window ? context.window->findChild<DocumentInspector *>() : nullptr;
            if (!inspector)
                return;
            InspectorControls &controls = inspector->sidebar() ? inspector->sidebar()->controls()
                                                               : inspector->fixedPanel()->controls();
            if (button == QLatin1String("imageMaskButton"))
                inspector->showImageMaskPopOver(controls.control(button));
            else
                inspector->showColorSelectorPopOver(button, controls.control(button));
        };
    };
    const auto hasInspector = [context](ActionItemState &) {
        return context.window && context.window->findChild<DocumentInspector *>() != nullptr;
    };
    commands.add(QStringLiteral("showColorSelectorPopOver"),
                 [context, popOver](const ActionItemState &sender) {
                     // The sender names the colour by its button ("selectedTextColorButton" ...).
                     const QString button = sender.representedObject.toString();
                     popOver(button.isEmpty() ? QStringLiteral("selectedShapeColorButton") : button)(sender);
                 },
                 hasInspector);
    commands.add(QStringLiteral("showImageMaskPopOver"), popOver(QStringLiteral("imageMaskButton")), hasInspector);
}
} // namespace

void registerInspectorCommands()
{
    // Add New > Text Box: the text box the edition's palette offers, at the menu's point.
    CanvasResponder::addCommand(QStringLiteral("addTextBox"), [](SKTGraphicView &view, const ActionItemState &) {
        if (!view.document())
            return;
        const QPointF point = InsertionFrame(view.menuValidator().context()).menuPoint();
        InsertionStep step(*view.document(), QStringLiteral("Add Text Box"));
        view.insertCodeName(PaletteInsertions::textBoxCodeName(gEditionFamilyKey), point);
    });
    // The palette entries whose makers live here reach the canvas's drop.
    PaletteInsertions::registerDropActions();
    CommandRegistry::addWindowCommands(QStringLiteral("inspector"), installWindowCommands);
}
