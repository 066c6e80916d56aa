#pragma once
// What the palette entries insert that the canvas's drop table has no row
// for: the family-tree relations (a new individual joined by a line to the
// individual selected), the five-column table and the background pattern
// entry of the video editions. One entry point for the drop: insert(code
// name, point) answers whether the code name is one of these.
#include <QPair>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

class InsertionFrame;
class SKTGraphic;

class SKTDocument;
class SKTGraphic;

class PaletteInsertions {
public:
    PaletteInsertions() = delete;

    static const QStringList &codeNames();
    static bool handles(const QString &codeName) { return codeNames().contains(codeName); }
    // Inserts what the code name stands for at the point, as one undo step;
    // false for a code name that is not one of these (nothing happens).
    static bool insert(InsertionFrame &frame, const QString &codeName, const QPointF &point);
    // Hands the canvas's drop the makers of the drop table's actions
    // "addRelative_drag" and "addEqualColumnTable_drag" (column count).
    static void registerDropActions();
    // The palette's plain text box for an edition family: its body-text box
    // where it has several, "zov_textbox" where the palette has none.
    static QString textBoxCodeName(const QString &familyKey);

    // A profile card at the point and, when one individual is selected, a
    // line from its card to the new one.
    static bool addRelative_drag(InsertionFrame &frame, const QPointF &point);
    // A one-row table of count equal columns across the section cell under
    // the point, or from the point to the page's right edge.
    static bool addEqualColumnTable(InsertionFrame &frame, int count, const QPointF &point);
    // The page's background pattern: an open panel for its picture.
    static bool addBackgroundPattern(InsertionFrame &frame);

    // The card of the selected individual: the union of the graphics of the
    // first selected graphic's group (the graphic alone without a group);
    // null when nothing is selected.
    static QRectF selectedIndividual(InsertionFrame &frame);
    // The part of the line between the two centres that lies outside both cards.
    static QPair<QPointF, QPointF> joiningLine(const QRectF &from, const QRectF &to);

    // The relatives of the family-tree palette (mother, father, sibling ...).
    static bool isRelative(const QString &codeName);
    // Where a relative clicked in the palette goes: parents above the selected
    // person's card, others beside it, clear of the cards already there; with
    // no one selected, below everything on the page (never on its title).
    static QPointF relativePlace(const SKTDocument &document, const QList<SKTGraphic *> &selection,
                                 const QString &codeName);
};
