#pragma once
// The canvas's context menu, built once from data/canvas_context_menu.tsv
// with every command of every kind of object. Each item is a QAction bound
// to its action name, so choosing it (or its shortcut) goes along the
// responder chain; before the menu shows, and whenever the selection
// changes, the chain validates every item, so the menu lists only what can
// be done to the selection and a shortcut never runs what the menu hides.
// The shell's menus may reuse these actions.
#include <QHash>
#include <QMenu>
#include <QPointer>

class SKTGraphicView;

class CanvasContextMenu : public QMenu {
    Q_OBJECT
public:
    struct Entry {
        int depth = 0;
        QString kind;
        QString title;
        QString action;
        QString shortcut;
    };
    static QList<Entry> entriesFromText(const QString &text);
    static const QList<Entry> &entries();

    explicit CanvasContextMenu(SKTGraphicView &view, QWidget *parent = nullptr);

    // The item (or submenu item) sending the action; null when the menu has none.
    QAction *actionNamed(const QString &action) const { return m_actions.value(action); }
    QList<QAction *> commandActions() const { return m_actions.values(); }
    QAction *separatorNamed(const QString &name) const { return m_separators.value(name); }
    // Validates every item now, submenus and separators included.
    void validateItems();
    // The titles of the items a user sees now (validated), submenus as "Title >".
    QStringList visibleTitles(const QMenu *menu = nullptr) const;

private:
    void scheduleValidation();
    SKTGraphicView &m_view;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QAction *> m_separators;
    QList<QAction *> m_submenuActions;
    bool m_validationPending = false;
};
