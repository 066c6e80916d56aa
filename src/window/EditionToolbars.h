#pragma once
// Which toolbar the document window shows for the running edition, the
// inspector controls and menu item that edition hides, and the toolbar's
// items, from data/edition_toolbars.tsv. An edition without a row keeps the
// default toolbar and hides nothing.
#include <QList>
#include <QString>
#include <QStringList>

struct ToolbarItemSpec {
    QString action;  // the action name the item sends
    QString label;
    // A segment of a segmented control ("action:segment=Label" in the table):
    // the items of one action form the control, one checked at a time, and
    // each sends the action with its segment as tag. -1: a plain button.
    int segment = -1;
    bool operator==(const ToolbarItemSpec &) const = default;
};

struct EditionToolbar {
    QString edition;
    QString toolbar;        // "defaultToolbar" when the edition has no row
    QString hidingSet;      // "H7", "L", "S", "A" or "none"
    QStringList hidden;     // names of the controls and menu items hidden
    QList<ToolbarItemSpec> items;
};

class EditionToolbars {
public:
    // Parses the table's text.
    static QList<EditionToolbar> parse(const QStringList &lines);
    // The table of the program (read once).
    static const QList<EditionToolbar> &all();
    // The toolbar of an edition, by exact name.
    static EditionToolbar forEdition(const QString &edition);
};
