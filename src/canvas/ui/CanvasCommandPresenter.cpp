#include "canvas/ui/CanvasCommandPresenter.h"

#include "canvas/CanvasHost.h"
#include "canvas/CanvasMenuValidator.h"
#include "canvas/CanvasResponder.h"
#include "canvas/CanvasSelectionProxy.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/ui/CanvasContextMenu.h"
#include "canvas/ui/CanvasPopOver.h"
#include "canvas/ui/CodeEditorWindowController.h"
#include "canvas/ui/PrintSettingsWindowController.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/LineMaker.h"
#include "insertion/ui/MultiplyViewController.h"
#include "sidebar/SidebarBindings.h"
#include "sidebar/LinkPolicy.h"
#include "sidebar/ui/ZovNSTextField.h"
#include "platform/UndoManager.h"
#include "sidebar/ui/HyperLinkViewController.h"
#include "sidebar/ui/LayerArrangementViewController.h"
#include "sidebar/ui/TooltipViewController.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTSlideshow.h"
#include "model/SKTText.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>

CanvasCommandPresenter::CanvasCommandPresenter(SKTGraphicViewWidget &widget, CanvasResponder &responder)
    : QObject(&widget)
    , m_widget(widget)
    , m_view(widget.view())
    , m_responder(responder)
    , m_selection(std::make_unique<CanvasSelectionProxy>(widget.view()))
{
    m_menu = new CanvasContextMenu(m_view, &m_widget);
    m_widget.setContextMenu(m_menu);
    // Shortcuts of the menu's items work while the canvas has the focus.
    for (QAction *action : m_menu->commandActions())
        if (!action->shortcut().isEmpty())
            m_widget.addAction(action);

    auto take = [this](const char *action, void (CanvasCommandPresenter::*run)()) {
        const QString name = QString::fromLatin1(action);
        m_responder.add(
            name, [this, run](const ActionItemState &) { (this->*run)(); },
            [this](ActionItemState &item) { return m_view.menuValidator().validate(item); });
    };
    take("applyTooltip", &CanvasCommandPresenter::applyTooltip);
    take("applyLayerIndex", &CanvasCommandPresenter::applyLayerIndex);
    take("applyLinkPopOver", &CanvasCommandPresenter::applyLinkPopOver);
    take("showCodeEditor", &CanvasCommandPresenter::showCodeEditor);
    take("launchPrintSettings", &CanvasCommandPresenter::launchPrintSettings);
    take("multiplyNewShapes", &CanvasCommandPresenter::multiplyNewShapes);
    take("configureGalleryImageCaption", &CanvasCommandPresenter::configureGalleryImageCaption);
    take("linkSlide", &CanvasCommandPresenter::linkSlide);
}

CanvasCommandPresenter::~CanvasCommandPresenter()
{
    if (m_popOver)
        m_popOver->close();
    delete m_codeEditor;
    delete m_printSettings;
}

QRect CanvasCommandPresenter::anchorRect() const
{
    const QList<SKTGraphic *> selected = m_view.selectedGraphics();
    QRectF r = selected.isEmpty() ? QRectF(m_view.lastTouchPointValue, QSizeF(1, 1)) : selected.first()->bounds();
    const double z = m_widget.zoomFactor();
    const QRect local = QRectF(r.topLeft() * z, r.size() * z).toAlignedRect();
    return QRect(m_widget.mapToGlobal(local.topLeft()), local.size());
}

void CanvasCommandPresenter::closePopOver()
{
    if (m_popOver)
        m_popOver->close();
    m_popOver = nullptr;
}

void CanvasCommandPresenter::showPopOver(QWidget *content)
{
    closePopOver();
    m_popOver = new CanvasPopOver(content, &m_widget);
    m_popOver->showBeside(anchorRect());
}

void CanvasCommandPresenter::applyTooltip()
{
    auto *tooltip = new TooltipViewController;
    tooltip->setFixedSize(448, 47);
    m_tooltip = tooltip;
    tooltip->applyTooltip(*m_selection, m_view.menuValidator().existingTooltip, [this] { closePopOver(); });
    showPopOver(tooltip);
}

void CanvasCommandPresenter::applyLayerIndex()
{
    auto *layer = new LayerArrangementViewController;
    m_layer = layer;
    // The index the menu's predicate found (it also fills existingZIndex).
    m_view.manualLayerIndexShown();
    m_bindings = std::make_unique<InspectorBindings>(*m_selection);
    layer->attach(*m_bindings, [this] { closePopOver(); });
    layer->zindexTextbox()->setText(m_view.existingZIndex);
    showPopOver(layer);
}

void CanvasCommandPresenter::applyLinkPopOver()
{
    CanvasMenuValidator &validator = m_view.menuValidator();
    const bool onClickRows = gResponsiveEdition && !gResponsiveEmailEdition;
    auto *link = new HyperLinkViewController(onClickRows);
    m_link = link;
    const QList<ProjectPage> pages
        = pageList ? pageList() : (m_view.host() ? m_view.host()->projectPages() : QList<ProjectPage>());
    link->applyLinkPopOver(*m_selection, pages, validator.existingHyperLink, validator.existingOnClickShowString,
                           validator.existingOnClickHideString, [this] { closePopOver(); });
    const QList<SKTGraphic *> selected = m_view.selectedGraphics();
    const bool slideshow = !selected.isEmpty() && dynamic_cast<SKTSlideshow *>(selected.first());
    // Editions with their own page list, and slides, take a link only.
    if (gLinkPopOverPageList || slideshow) {
        for (QAbstractButton *b : link->linkOptionSegmentedControl()->buttons())
            b->parentWidget()->hide();
    }
    if (gLinkPopOverPageList) {
        link->selectPagePopButton()->hide();
        for (QAbstractButton *b : link->linkTypeSegmentedControl()->buttons())
            b->parentWidget()->hide();
    }
    showPopOver(link);
}

void CanvasCommandPresenter::multiplyNewShapes()
{
    if (!m_view.document())
        return;
    InsertionFrame frame(m_view.menuValidator().context());
    if (!LineMaker(frame).multiplyNewShapes())
        return;
    auto *multiply = new MultiplyViewController;
    multiply->setFixedSize(220, 300);
    m_multiply = multiply;
    connect(multiply, &MultiplyViewController::addRequested, this, [this](const BranchOptions &options) {
        closePopOver();
        if (!m_view.document())
            return;
        InsertionFrame f(m_view.menuValidator().context());
        LineMaker(f).addMultipleShapesSelected(options);
    });
    showPopOver(multiply);
}

void CanvasCommandPresenter::showCodeEditor()
{
    SKTText *snippet = m_view.menuValidator().selectedSnippet();
    SKTDocument *doc = m_view.document();
    if (!snippet || !doc)
        return;
    if (!m_codeEditor) {
        m_codeEditor = new CodeEditorWindowController(m_widget.window());
        m_codeEditor->setWindowFlag(Qt::Window);
        connect(m_codeEditor->saveButton(), &QPushButton::clicked, this, &CanvasCommandPresenter::saveCodeEditor);
    }
    m_editedSnippet = doc->graphics().value(doc->indexOfGraphic(snippet));
    m_codeEditor->setWindowTitle(QStringLiteral("Code Editor"));
    m_codeEditor->codeEditorTextView()->setPlainText(snippet->contents());
    m_codeEditor->show();
    m_codeEditor->raise();
}

void CanvasCommandPresenter::saveCodeEditor()
{
    if (!m_codeEditor)
        return;
    m_codeEditor->hide();
    const std::shared_ptr<SKTGraphic> snippet = m_editedSnippet.lock();
    m_view.saveSnippetMarkup(dynamic_cast<SKTText *>(snippet.get()), m_codeEditor->codeEditorTextView()->toPlainText());
}

void CanvasCommandPresenter::launchPrintSettings()
{
    if (!m_printSettings)
        m_printSettings = new PrintSettingsWindowController(m_widget.window());
    m_printSettings->setWindowFlag(Qt::Window);
    m_printSettings->launchPrintSettings();
}

void CanvasCommandPresenter::configureGalleryImageCaption()
{
    // The gallery the menu found and the picture under the click that opened it.
    SKTGalleryGrid *gallery = m_view.menuValidator().selectedGalleryGrid();
    if (!gallery)
        return;
    const QPointF t = m_view.lastTouchPointValue;
    if (!std::isfinite(t.x()) || !std::isfinite(t.y()))
        return;
    const GridGraphic::Image image = gallery->grabImageSelected(int32_t(t.x()), int32_t(t.y()));
    if (!image)
        return;
    auto *caption = new GalleryGridCaptionViewController;
    m_caption = caption;
    caption->configureGalleryImageCaption(*m_selection, *gallery, image, [this] { closePopOver(); });
    showPopOver(caption);
}

namespace {
// A slide is a record of its slideshow: the step undoes itself, and redo the same way.
void setSlideLink(UndoManager *undo, SKTSlideshow *show, const SKTSlideshow::Slide &slide, const QString &link)
{
    if (undo) {
        const QString old = slide->link;
        undo->registerUndo([undo, show, slide, old] { setSlideLink(undo, show, slide, old); });
        undo->setActionName(QStringLiteral("Set Link"));
    }
    slide->link = link;
    show->setCurrentImageIndex(show->currentImageIndex()); // redraw
}
} // namespace

void CanvasCommandPresenter::linkSlide()
{
    SKTSlideshow *show = m_view.menuValidator().selectedSlideshow();
    if (!show || show->imageArray().isEmpty())
        return;
    const int32_t index = std::clamp<int32_t>(show->currentImageIndex(), 0, int32_t(show->imageArray().size()) - 1);
    const SKTSlideshow::Slide slide = show->imageArray().at(index);
    applyLinkPopOver();
    HyperLinkViewController *link = m_link;
    if (!link)
        return;
    link->linkTextbox()->setText(slide->link);
    // The slide takes the link alone: its own save replaces the selection's.
    disconnect(link->saveLinkButton(), nullptr, link, nullptr);
    disconnect(link->linkTextbox(), &QLineEdit::returnPressed, link, nullptr);
    std::weak_ptr<SKTGraphic> weakShow;
    if (SKTDocument *doc = m_view.document())
        weakShow = doc->graphics().value(doc->indexOfGraphic(show));
    auto save = [this, link, weakShow, slide] {
        const std::shared_ptr<SKTGraphic> owner = weakShow.lock();
        auto *current = dynamic_cast<SKTSlideshow *>(owner.get());
        SKTDocument *doc = m_view.document();
        if (!current || !doc || doc->indexOfGraphic(current) < 0) {
            closePopOver();
            return;
        }
        const QString cleaned = LinkEditing::cleanLink(link->linkTextbox()->text());
        const QString refusal = LinkPolicy::refusalForLink(cleaned);
        link->linkTextbox()->setText(cleaned);
        if (!refusal.isEmpty()) {
            link->refusalLabel()->setText(refusal);
            return;
        }
        if (slide->link != cleaned)
            setSlideLink(&doc->undoManager(), current, slide, cleaned);
        closePopOver();
    };
    connect(link->saveLinkButton(), &QPushButton::clicked, this, save);
    connect(link->linkTextbox(), &QLineEdit::returnPressed, this, save);
}
