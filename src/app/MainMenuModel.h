#pragma once
// The main menu as data: the menus and items every window's menu bar shows
// (data/menus/mainmenu.json), and what each edition hides, retitles or
// points elsewhere (data/menus/editions.json). The menu bar realises this
// tree once per run, after the edition's changes and the translation of the
// titles, so the same plain tree answers what any edition shows without a
// window.
#include <QList>
#include <QString>
#include <QStringList>

struct MenuNode {
    QString outlet;       // the item's name in the program ("openGroupMenuItem"), may be empty
    QString menuOutlet;   // for an item with a submenu, the submenu's own name ("fileMenu")
    QString title;
    QString shortcut;     // QKeySequence text, may be empty
    QString action;       // the action sent along the responder chain; empty for a submenu
    bool separator = false;
    bool hidden = false;
    QList<MenuNode> items;  // the submenu's items

    bool hasSubmenu() const { return !items.isEmpty() || !menuOutlet.isEmpty(); }
};

class MainMenuModel {
public:
    // The top-level menus, in menu-bar order.
    QList<MenuNode> menus;

    // Reads a main menu table; false with a message when it cannot.
    bool load(const QString &path, QString *error = nullptr);
    // The table shipped with the program.
    static MainMenuModel standard();

    // The item or menu named outlet (item outlet or menu outlet), or null.
    MenuNode *find(const QString &outlet);
    const MenuNode *find(const QString &outlet) const;
    // Every outlet name, items and menus alike.
    QStringList outlets() const;
};

// One edition's changes to the main menu.
struct EditionMenuChanges {
    QStringList hidden;                   // outlets
    QList<QPair<QString, QString>> titles;   // outlet, new title
    QList<QPair<QString, QString>> actions;  // outlet, new action
};

class EditionMenuTable {
public:
    bool load(const QString &path, QString *error = nullptr);
    static const EditionMenuTable &standard();

    // The editions that have rows (matched exactly, case and spacing included).
    QStringList namedEditions() const { return m_named; }
    // The changes of the edition named exactly edition; none for any other name.
    EditionMenuChanges changesFor(const QString &edition) const;
    // Every outlet the table names.
    QStringList outlets() const;

private:
    struct Row {
        QString outlet;
        QString value;
        QStringList editions;
    };
    QStringList m_named;
    QList<Row> m_hidden;
    QList<Row> m_titles;
    QList<Row> m_actions;
};
