#include "sidebar/ui/SectionEditorWindowController.h"

#include "document/SKTDocument.h"
#include "sidebar/ui/SectionView.h"
#include "model/SKTTable.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QSplitterHandle>

namespace {
QComboBox *twelveItems(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    for (int i = 1; i <= SectionColumnEditing::maximumColumns; ++i)
        box->addItem(QString::number(i));
    return box;
}
} // namespace

SectionEditorWindowController::SectionEditorWindowController(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Configure Section Grid"));
    setFixedSize(640, 300);
    m_mainView = this;
    auto *countLabel = new QLabel(tr("Number of columns:"), this);
    countLabel->setGeometry(20, 14, 150, 24);
    m_count = twelveItems(this);
    m_count->setGeometry(170, 12, 80, 26);
    connect(m_count, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            columnUpdated();
    });
    m_caption = new QLabel(this);
    m_caption->setGeometry(20, 150, 600, 22);
    const QString sizes[4] = {tr("Extra small"), tr("Small"), tr("Medium"), tr("Large")};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(sizes[i], this);
        label->setGeometry(20 + i * 150, 180, 140, 20);
        m_spans[i] = twelveItems(this);
        m_spans[i]->setGeometry(20 + i * 150, 202, 120, 26);
        connect(m_spans[i], &QComboBox::activated, this, [this] { saveSectionViewGridProperties(); });
    }
    m_save = new QPushButton(tr("Save"), this);
    m_save->setGeometry(530, 256, 90, 30);
    m_save->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, [this] { saveSectionEditorWindowController(); });
}

SectionEditorWindowController::~SectionEditorWindowController()
{
    // Panes not shown in the splitter belong to no widget.
    for (SectionView *view : std::as_const(m_views))
        if (!view->parent())
            delete view;
}

void SectionEditorWindowController::configure(SKTDocument &document, GridInsertion &insertion, SKTTable &section)
{
    m_document = &document;
    m_insertion = &insertion;
    m_section = &section;
    qDeleteAll(m_views);
    m_views.clear();
    m_selected = nullptr;
    const QList<SectionColumn> columns = SectionColumnEditing::columnsOf(section);
    for (const SectionColumn &c : columns)
        m_views.append(new SectionView(int(m_views.size()) + 1, c, SectionColumnEditing::paneWidth(c.width)));
    prepSectionViews();
    m_filling = true;
    m_count->setCurrentIndex(std::max(0, int(columns.size()) - 1));
    m_filling = false;
    columnUpdated();
    show();
    raise();
    activateWindow();
}

void SectionEditorWindowController::prepSectionViews()
{
    while (m_views.size() < SectionColumnEditing::maximumColumns)
        m_views.append(new SectionView(int(m_views.size()) + 1, SectionColumn{}, SectionColumnEditing::addedPaneWidth));
    for (SectionView *view : std::as_const(m_views))
        connect(view, &SectionView::buttonClicked, this, &SectionEditorWindowController::updateSectionViewGridEditor,
                Qt::UniqueConnection);
    if (!m_views.isEmpty())
        updateSectionViewGridEditor(m_views.first());
}

void SectionEditorWindowController::columnUpdated()
{
    // The panes outlive the splitter: they belong to the array until the next opening.
    if (m_split) {
        for (SectionView *view : std::as_const(m_views))
            if (view->parent() == m_split)
                view->setParent(nullptr);
        delete m_split;
    }
    m_split = new QSplitter(Qt::Horizontal, m_mainView);
    m_split->setChildrenCollapsible(false);
    m_split->setHandleWidth(1);
    m_split->setStyleSheet(QStringLiteral("QSplitter { border: 5px solid black; }"));
    const int k = m_count->currentIndex() + 1;
    QList<int> sizes;
    int total = 0;
    for (int i = 0; i < k && i < m_views.size(); ++i) {
        m_split->addWidget(m_views[i]);
        sizes.append(m_views[i]->shownPaneWidth());
        total += m_views[i]->shownPaneWidth();
    }
    m_split->setGeometry(20, 50, std::max(total + (k - 1) * m_split->handleWidth() + 10, 100), 90);
    m_split->setSizes(sizes);
    // With twelve columns no divider moves.
    for (int i = 0; i < m_split->count(); ++i)
        m_split->handle(i)->setEnabled(k < SectionColumnEditing::maximumColumns);
    m_split->show();
}

void SectionEditorWindowController::updateSectionViewGridEditor(SectionView *view)
{
    if (!view)
        return;
    m_caption->setText(tr("Grid options for column %1").arg(m_views.indexOf(view) + 1));
    const SectionColumn &c = view->column();
    const int spans[4] = {c.xs, c.small, c.medium, c.large};
    for (int i = 0; i < 4; ++i)
        m_spans[i]->setCurrentIndex(spans[i] >= 1 && spans[i] <= SectionColumnEditing::maximumColumns ? spans[i] - 1 : -1);
    m_selected = view;
}

void SectionEditorWindowController::saveSectionViewGridProperties()
{
    if (!m_selected)
        return;
    SectionColumn &c = m_selected->column();
    c.xs = m_spans[0]->currentIndex() + 1;
    c.small = m_spans[1]->currentIndex() + 1;
    c.medium = m_spans[2]->currentIndex() + 1;
    c.large = m_spans[3]->currentIndex() + 1;
}

bool SectionEditorWindowController::saveSectionEditorWindowController()
{
    if (!m_document || !m_section || m_document->indexOfGraphic(m_section) < 0) {
        hide();
        return false;
    }
    const int count = m_count->currentIndex() + 1;
    const QList<SectionColumn> original = SectionColumnEditing::columnsOf(*m_section);
    const QList<int> panes = m_split ? m_split->sizes() : QList<int>();
    QList<SectionColumn> columns;
    for (int i = 0; i < count && i < m_views.size(); ++i) {
        SectionColumn c = m_views[i]->column();
        const int pane = i < panes.size() ? panes[i] : m_views[i]->shownPaneWidth();
        c.width = SectionColumnEditing::columnWidth(pane, m_views[i]->shownPaneWidth(),
                                                    i < original.size() ? original[i].width : 0);
        columns.append(c);
    }
    const bool saved = SectionColumnEditing::save(*m_document, *m_insertion, *m_section, count, columns);
    hide();
    return saved;
}
