#pragma once
// What a person does in a responsive edition's document window, with the
// events a person's hand makes: palette entries dragged onto the canvas and
// dropped, a graphic pressed, dragged in steps and released. The window is
// the one the program made; nothing is installed by hand. Used by the window
// tests and by the browser test's page maker.
#include <QPointF>
#include <QRectF>
#include <QString>

class SKTGraphic;
class SKTTable;
class SKTWindowController;

namespace ResponsivePageJourney {

// Drags the palette entry codeName over the canvas and drops it at the
// canvas point; true when the canvas took it.
bool dropPaletteEntry(SKTWindowController &window, const QString &codeName, const QPointF &canvasPoint);
// Drags the palette entry into the canvas the way a hand does: it enters
// the canvas at the first point (wherever that is), moves through the others
// and is released at the last. As the window system does, the drop follows
// only when the canvas took the last move; otherwise the drag leaves. True
// when the canvas took the drop.
bool dragPaletteEntryAlong(SKTWindowController &window, const QString &codeName, const QList<QPointF> &canvasPoints);
// Presses at from, moves to to in steps, releases there; then lets the
// delayed overlap and section check run.
void dragOnCanvas(SKTWindowController &window, const QPointF &from, const QPointF &to, int steps = 8);

// The first section of the page, or null.
SKTTable *firstSection(SKTWindowController &window);
// The page's sections, top first.
QList<SKTTable *> sectionsOf(SKTWindowController &window);
// The content rectangle of a section's cell (column).
QRectF cellRect(SKTTable &section, int column);
// A point of the column's content, from its top down, that no graphic covers;
// a null point when there is none.
QPointF freePoint(SKTWindowController &window, SKTTable &section, int column);
// The page's graphics that are not sections, front first.
QList<SKTGraphic *> sectionMembers(SKTWindowController &window);

struct TwoColumnPage {
    SKTGraphic *text = nullptr;
    SKTGraphic *photo = nullptr;
    QString failure;  // empty when every step worked
};

// A 2-column section (dropped below whatever the page already holds), a
// text box dropped into column 1 and a photo (the
// Photo entry, its open panel answered with picturePath by the caller's
// scripted panels) into column 2, then the text dragged into column 2,
// below the photo. The failure names the step that did not work.
TwoColumnPage buildTwoColumnPage(SKTWindowController &window);

}  // namespace ResponsivePageJourney
