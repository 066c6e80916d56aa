#include "canvas/ui/DocumentSidebar.h"

#include "canvas/CanvasInsertions.h"
#include "insertion/DropTables.h"
#include "sidebar/PaletteInsertions.h"

#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "sidebar/ColorPicking.h"
#include "sidebar/SidebarActions.h"
#include "sidebar/SidebarBindings.h"
#include "sidebar/ui/ColorSelectorPanel.h"
#include "sidebar/ui/ImageMaskChooser.h"
#include "sidebar/ui/SidebarControls.h"
#include "sidebar/ui/FixedSidebarPanel.h"
#include "sidebar/ui/SidebarView.h"

#include <QFrame>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

DocumentInspector::DocumentInspector(SKTDocument &document, SKTGraphicView &canvas, QWidget *parent)
    : DocumentInspector(document, canvas, gCanvasDragOption, parent)
{
}

DocumentInspector::DocumentInspector(SKTDocument &document, SKTGraphicView &canvas, bool sidebar, QWidget *parent)
    : QObject(parent), m_document(document), m_canvas(&canvas)
{
    m_bindings = std::make_unique<InspectorBindings>(*this);
    m_actions = new InspectorActions(*this, this);
    build(sidebar, parent);
    connect(&canvas, &SKTGraphicView::selectionChanged, this, &DocumentInspector::graphicTouched);
    DocumentEvents &events = document.events();
    connect(&events, &DocumentEvents::graphicsChanged, this, &DocumentInspector::graphicTouched);
    connect(&events, &DocumentEvents::graphicNeedsDisplay, this, [this](SKTGraphic *g) {
        // Only a selected graphic's change can alter what the controls show;
        // the LAYER list shows kinds and places, which graphicsChanged covers.
        if (m_canvas && m_canvas->isSelected(g))
            graphicTouched();
    });
    InspectorControls &controls = m_sidebar ? m_sidebar->controls() : m_fixed->controls();
    connect(&controls, &InspectorControls::colorButtonClicked, this, &DocumentInspector::showColorSelectorPopOver);
    connect(&controls, &InspectorControls::maskButtonClicked, this, &DocumentInspector::showImageMaskPopOver);
    // Each edit writes through its binding and runs the control's action, one undo step.
    controls.setEditHandler([this, &controls](const QString &name, const QVariant &input) {
        const EditResult result = m_actions->editAndAct(*m_bindings, name, input);
        if (name == QLatin1String("rotationSlider"))
            if (auto *field = qobject_cast<QLineEdit *>(controls.control(QStringLiteral("rotationAngleTextField"))))
                field->setText(m_actions->lastFieldText());
        return result;
    });
    // A rotation still waiting for the slider to rest lands before the selection moves on.
    connect(&canvas, &SKTGraphicView::selectionChanged, m_actions, &InspectorActions::selectionWillChange);
    m_bindings->restoreBinding();
}

DocumentInspector::~DocumentInspector()
{
    delete m_popOver.data();
    // The widgets hold references to the bindings: they go first.
    delete m_sidebar.data();
    delete m_fixed.data();
}

void DocumentInspector::build(bool sidebar, QWidget *parent)
{
    if (sidebar) {
        InspectorView::Page page;
        SKTDocument *doc = &m_document;
        page.graphics = [doc] { return doc->graphicPointers(); };
        page.fileExtension = m_document.pageFileExtension;
        page.colourHex = [this] { return pageColourHex(); };
        m_sidebar = new InspectorView(*m_bindings, *this, page, parent);
        connect(m_sidebar, &InspectorView::layerRowClicked, this, [this](int index) {
            // A LAYER row adds its graphic to the canvas's selection.
            if (!m_canvas || index < 0 || index >= m_document.graphics().size())
                return;
            QList<SKTGraphic *> selection = m_canvas->selectedGraphics();
            SKTGraphic *g = m_document.graphics().at(index).get();
            if (!selection.contains(g))
                selection.append(g);
            m_canvas->setSelectedGraphics(selection);
        });
        connect(m_sidebar, &InspectorView::paletteEntryActivated, this, [this](const QString &codeName) {
            // A relative clicked with a person selected joins that person, as
            // when it is dropped beside the card; with no one selected it goes
            // below what the page holds.
            if (!m_canvas || !PaletteInsertions::isRelative(codeName))
                return;
            const auto row = DropTables::codeName(codeName);
            if (row && m_canvas->insertions())
                m_canvas->insertions()->insertCodeName(m_document, *row,
                                                      PaletteInsertions::relativePlace(m_document, m_canvas->selectedGraphics(), codeName));
        });
    } else {
        m_fixed = new FixedInspectorPanel(*m_bindings, parent);
    }
}

QWidget *DocumentInspector::widget() const
{
    return m_sidebar ? static_cast<QWidget *>(m_sidebar.data()) : static_cast<QWidget *>(m_fixed.data());
}

QList<SKTGraphic *> DocumentInspector::selectedGraphics() const
{
    return m_canvas ? m_canvas->selectedGraphics() : QList<SKTGraphic *>();
}

UndoManager *DocumentInspector::undoManager() const
{
    return &m_document.undoManager();
}

QString DocumentInspector::pageColourHex() const
{
    return m_document.documentColorHexString;
}

void DocumentInspector::graphicTouched()
{
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_pending)
            refreshNow();
    });
}

void DocumentInspector::refreshNow()
{
    m_pending = false;
    if (m_sidebar)
        m_sidebar->rebuildNow();
    if (m_fixed)
        m_fixed->graphicTouched(selectedGraphics(), pageColourHex());
    selectionOrGraphicsChanged();
}

void DocumentInspector::refreshInspectorPanel(const SKTDocument *document)
{
    if (document == &m_document)
        graphicTouched();
}

void DocumentInspector::hideEditionControls(const QStringList &names)
{
    if (m_fixed)
        m_fixed->hideEditionControls(names);
    if (m_sidebar)
        m_sidebar->setHiddenControls(names);
}

void DocumentInspector::unbindEverything()
{
    m_bindings->unbindEverything();
}

void DocumentInspector::restoreBinding()
{
    m_bindings->restoreBinding();
    graphicTouched();
}

namespace {
QWidget *popOverFrame(QWidget *content, QWidget *anchor)
{
    auto *frame = new QFrame(anchor ? anchor->window() : nullptr, Qt::Popup);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 6, 6, 6);
    content->setParent(frame);
    layout->addWidget(content);
    frame->adjustSize();
    if (anchor)
        frame->move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    return frame;
}
} // namespace

void DocumentInspector::closePopOver()
{
    if (m_popOver)
        m_popOver->close();
}

void DocumentInspector::showColorSelectorPopOver(const QString &buttonName, QWidget *anchor)
{
    const std::optional<ColorTarget> target = ColorPicking::targetForButton(buttonName);
    if (!target)
        return;
    closePopOver();
    QString current;
    const QList<SKTGraphic *> selection = selectedGraphics();
    if (*target == ColorTarget::Canvas)
        current = m_document.documentColorHexString;
    else if (!selection.isEmpty())
        current = ColorPicking::hexOfTarget(*selection.first(), *target);
    auto *panel = new ColorSelectorPanel(*this, *target, gColorPalette, current);
    panel->setCanvasTarget(&m_document, m_colorSink);
    m_popOver = popOverFrame(panel, anchor);
    m_popOver->show();
}

void DocumentInspector::showImageMaskPopOver(QWidget *anchor)
{
    closePopOver();
    m_popOver = popOverFrame(new ImageMaskChooser(*this), anchor);
    m_popOver->show();
}
