#pragma once
// Which pages of a folding card go on a card sheet, in what order and which
// of them upside down, so that the folded sheet reads correctly. A card is a
// project of pages named "1" to "4" (with an extension): 1 and 2 outside, 3
// and 4 inside. The template's description gives the fold: "Vertical" and
// "Quarter".
#include "printing/SheetComposer.h"

class CardPlan {
public:
    CardPlan() = delete;

    // The page name without its extension ("2.html" -> "2").
    static QString pageNumber(const QString &pageName);

    // The Print menu item asks front or inside unless the fold is a quarter
    // fold, which prints all pages at once.
    static bool asksFrontOrInside(const QString &templateDescription);

    // Outside: vertical folds take 2 then 1 upright; other folds 1 then 2,
    // with 1 upside down on a half fold.
    static QList<SheetPicture> frontPictures(const QList<SheetPage> &pages, const QString &templateDescription);
    // Inside: 3 then 4, upright.
    static QList<SheetPicture> insidePictures(const QList<SheetPage> &pages);
    // Quarter fold: every page in order, 1 and 2 upside down.
    static QList<SheetPicture> quarterFoldPictures(const QList<SheetPage> &pages);

    // Said instead of printing an empty card sheet.
    static QString noCardPagesText();
};
