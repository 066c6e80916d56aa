#include "canvas/ui/CanvasContextMenu.h"

#include "canvas/CanvasMenuValidator.h"
#include "canvas/SKTGraphicView.h"
#include "config/DataFiles.h"
#include "platform/ui/ActionBinding.h"

#include <QTimer>

QList<CanvasContextMenu::Entry> CanvasContextMenu::entriesFromText(const QString &text)
{
    QList<Entry> list;
    for (const QStringList &f : DataFiles::tabRows(text, 4)) {
        Entry e;
        e.depth = f[0].toInt();
        e.kind = f[1];
        e.title = f[2];
        e.action = f[3];
        e.shortcut = f.value(4).trimmed();
        list.append(e);
    }
    return list;
}

const QList<CanvasContextMenu::Entry> &CanvasContextMenu::entries()
{
    static const QList<Entry> list =
        entriesFromText(QString::fromUtf8(DataFiles::readData(QStringLiteral("canvas_context_menu.tsv"))));
    return list;
}

CanvasContextMenu::CanvasContextMenu(SKTGraphicView &view, QWidget *parent)
    : QMenu(parent)
    , m_view(view)
{
    setObjectName(QStringLiteral("graphicViewMenu"));
    QMenu *submenu = nullptr;
    for (const Entry &e : entries()) {
        QMenu *into = e.depth > 0 && submenu ? submenu : this;
        if (e.kind == QLatin1String("separator")) {
            m_separators.insert(e.action, addSeparator());
            continue;
        }
        if (e.kind == QLatin1String("submenu")) {
            submenu = addMenu(e.title);
            QAction *item = submenu->menuAction();
            ActionBinding::bind(item, e.action);
            m_actions.insert(e.action, item);
            m_submenuActions.append(item);
            continue;
        }
        if (e.depth == 0)
            submenu = nullptr;
        QAction *item = ActionBinding::makeAction(e.title, e.action, into);
        if (!e.shortcut.isEmpty()) {
            item->setShortcut(QKeySequence(e.shortcut, QKeySequence::PortableText));
            item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        }
        into->addAction(item);
        m_actions.insert(e.action, item);
    }
    connect(this, &QMenu::aboutToShow, this, &CanvasContextMenu::validateItems);
    connect(&m_view, &SKTGraphicView::selectionChanged, this, &CanvasContextMenu::scheduleValidation);
    validateItems();
}

void CanvasContextMenu::scheduleValidation()
{
    // Many selection changes in one pass of the event loop validate once.
    if (m_validationPending)
        return;
    m_validationPending = true;
    QTimer::singleShot(0, this, [this] {
        m_validationPending = false;
        validateItems();
    });
}

void CanvasContextMenu::validateItems()
{
    m_view.menuValidator().startMenuPass();
    ActionBinding::validateNow(this);
    // Submenu items carry their own predicate (the layer, align, gallery ... options).
    for (QAction *item : std::as_const(m_submenuActions)) {
        ActionItemState state;
        state.action = ActionBinding::actionOf(item);
        state.title = item->text();
        ResponderChain::validate(state);
        item->setVisible(state.visible);
        item->setEnabled(state.enabled);
    }
    CanvasMenuValidator &validator = m_view.menuValidator();
    for (auto it = m_separators.constBegin(); it != m_separators.constEnd(); ++it)
        it.value()->setVisible(!validator.isSeparatorHidden(it.key()));
}

QStringList CanvasContextMenu::visibleTitles(const QMenu *menu) const
{
    QStringList titles;
    for (QAction *item : (menu ? menu : this)->actions()) {
        if (!item->isVisible() || item->isSeparator())
            continue;
        titles << (item->menu() ? item->text() + QStringLiteral(" >") : item->text());
    }
    return titles;
}
