#include "sidebar/ui/SidebarView.h"

#include "config/EditionSettings.h"
#include "sidebar/SidebarBindings.h"
#include "sidebar/SidebarIcons.h"
#include "sidebar/SelectionProxy.h"
#include "sidebar/ui/DragIconView.h"
#include "sidebar/ui/FormatIconView.h"
#include "sidebar/ui/SidebarControls.h"
#include "model/SKTGraphic.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPixmap>
#include <QLabel>
#include <QScrollArea>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

InspectorView::InspectorView(InspectorBindings &bindings, SelectionProxy &selection, Page page, QWidget *parent)
    : QWidget(parent), m_bindings(bindings), m_selection(selection), m_page(std::move(page))
{
    m_bindings.setBorderWidthMaximum(gInspectorBorderOption ? 30 : 10);
    m_controls = new InspectorControls(m_bindings, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabBar(this);
    m_tabs->addTab(QIcon(QPixmap::fromImage(InspectorIcons::image(QStringLiteral("format_panel_add"), 32))), tr("ADD"));
    m_tabs->addTab(QIcon(QPixmap::fromImage(InspectorIcons::image(QStringLiteral("format_panel_format"), 32))),
                   tr("FORMAT"));
    m_tabs->addTab(QIcon(QPixmap::fromImage(InspectorIcons::image(QStringLiteral("format_panel_layer"), 32))),
                   tr("LAYER"));
    m_tabs->setIconSize(QSize(16, 16));
    m_tabs->setExpanding(true);
    layout->addWidget(m_tabs);
    m_scroll = new QScrollArea(this);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(false);
    m_content = new QWidget;
    m_scroll->setWidget(m_content);
    layout->addWidget(m_scroll, 1);
    m_header = new QLabel(m_content);
    m_header->setAlignment(Qt::AlignCenter);
    m_header->setStyleSheet(QStringLiteral("color:#404040"));

    // Entries and rows of this window only: a lookup or a highlight reset
    // never reaches another window's lists.
    for (const PaletteEntry &e : PaletteCatalogue::entries()) {
        auto *view = new DragIconView(e, m_content);
        view->hide();
        connect(view, &DragIconView::clicked, this, [this](DragIconView *) {
            for (DragIconView *other : std::as_const(m_palette))
                other->setHighlightFlag(false);
        });
        connect(view, &DragIconView::activated, this,
                [this](DragIconView *entry) { emit paletteEntryActivated(entry->entry().codeName); });
        m_palette.append(view);
    }
    for (const FormatRowSpec &spec : FormatRowCatalogue::table().rows) {
        auto *row = new FormatIconView(spec.title, spec.description, spec.imageName, m_content);
        row->hide();
        m_formatRows.append(row);
    }
    m_bindings.setObserver([this](const QString &name, const ControlDisplay &d) { m_controls->show(name, d); });
    connect(m_tabs, &QTabBar::currentChanged, this, [this] { rebuildNow(); });
    m_tabs->setCurrentIndex(Add);
    rebuildNow();
}

InspectorView::~InspectorView()
{
    m_bindings.setObserver({});
    m_bindings.unbindEverything();
}

int InspectorView::currentTab() const
{
    return m_tabs->currentIndex();
}

void InspectorView::setCurrentTab(int tab)
{
    m_tabs->setCurrentIndex(tab);
}

void InspectorView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    graphicTouched();
}

void InspectorView::graphicTouched()
{
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_rebuildPending)
            rebuildNow();
    });
}

void InspectorView::rebuildNow()
{
    m_rebuildPending = false;
    hideAllRows();
    switch (m_tabs->currentIndex()) {
    case Add:
        showObjectsList();
        break;
    case Format:
        showFormattingOptions();
        break;
    default:
        showLayers();
        break;
    }
}

void InspectorView::hideAllRows()
{
    for (DragIconView *v : std::as_const(m_palette))
        v->hide();
    for (FormatIconView *r : std::as_const(m_formatRows))
        r->hide();
    qDeleteAll(m_layerRows);
    m_layerRows.clear();
}

void InspectorView::showObjectsList()
{
    const int width = m_scroll->viewport()->width();
    const PalettePlan plan = planPalette(PaletteCatalogue::entries(), gEditionFamilyKey, m_page.fileExtension, width);
    m_header->setText(plan.headerText);
    m_header->setGeometry(plan.headerFrame.toRect());
    for (const auto &item : plan.listed) {
        DragIconView *view = m_palette[item.entry];
        view->setGeometry(item.frame.toRect());
        view->show();
    }
    m_content->resize(width, int(plan.containerHeight));
}

void InspectorView::setHiddenControls(const QStringList &names)
{
    m_hiddenControls = names;
    graphicTouched();
}

void InspectorView::showFormattingOptions()
{
    const int width = m_scroll->viewport()->width();
    FormatPlanInput input;
    for (SKTGraphic *g : m_selection.selectedGraphics())
        input.kinds.append(formatKindOf(*g));
    input.familyKey = gEditionFamilyKey;
    input.responsiveEdition = gResponsiveEdition;
    input.appName = gAppName;
    input.width = width;
    input.hiddenControls = m_hiddenControls;
    const FormatRowTable &table = FormatRowCatalogue::table();
    const FormatPlan plan = planFormatRows(table, input);
    m_header->setText(plan.headerText);
    m_header->setGeometry(0, 0, width, plan.headerHeight);
    for (const auto &r : plan.rows) {
        FormatIconView *row = m_formatRows[r.row];
        const FormatRowSpec &spec = table.rows[r.row];
        const bool lineBorder = plan.borderRowForLine && spec.codeName == QLatin1String("selectedBorderColorButton");
        row->setTitleAndDescription(lineBorder ? tr("Color - Line") : spec.title,
                                    lineBorder ? QStringLiteral("Controls color of selected line.")
                                               : spec.description);
        if (!r.shown)
            continue;
        row->setGeometry(r.frame.toRect());
        // The window's controls move into the rows that show them.
        for (const FormatRowPlacement &place : spec.placements) {
            const QRect frame = place.frame(width).toRect();
            if (place.caption) {
                if (!m_captions.contains(row))
                    m_captions.insert(row, {});
                QLabel *&label = m_captions[row][place.name];
                if (!label) {
                    label = new QLabel(tr(place.name.toUtf8().constData()), row);
                    label->setStyleSheet(QStringLiteral("color:#808080; font-size:12px"));
                    label->setAlignment(spec.title == QLatin1String("Position and Size") ? Qt::AlignCenter
                                                                                         : Qt::AlignLeft);
                }
                label->setGeometry(frame);
                label->show();
                continue;
            }
            QWidget *c = m_controls->control(place.name);
            if (!c)
                continue;
            c->setParent(row);
            c->setGeometry(frame);
            c->show();
            // A refused entry's reason stands under its field.
            QLabel *why = m_controls->refusalLabel(place.name);
            why->setParent(row);
            why->setGeometry(5, frame.bottom() + 2, width - 10, 14);
        }
        row->show();
    }
    m_content->resize(width, int(plan.containerHeight));
    m_controls->showSelectionColours(m_selection.selectedGraphics(),
                                     m_page.colourHex ? m_page.colourHex() : QString());
    m_bindings.restoreBinding();
}

void InspectorView::showLayers()
{
    const int width = m_scroll->viewport()->width();
    const LayerPlan plan = planLayers(m_page.graphics ? m_page.graphics() : QList<SKTGraphic *>(), width);
    m_header->setText(plan.headerText);
    m_header->setGeometry(plan.headerFrame.toRect());
    for (const auto &r : plan.rows) {
        auto *row = new FormatIconView(r.kindLabel, r.detail, r.imageName, m_content);
        row->setSupportsHighlightFlag(true);
        row->setObjectIndex(r.objectIndex);
        row->setGeometry(r.frame.toRect());
        connect(row, &FormatIconView::clicked, this, [this](FormatIconView *clicked) {
            for (FormatIconView *other : std::as_const(m_layerRows))
                other->setHighlightFlag(false);
            emit layerRowClicked(clicked->objectIndex());
        });
        row->show();
        m_layerRows.append(row);
    }
    m_content->resize(width, int(plan.contentHeight));
}
