#pragma once
// The built-in catalogue of print sheets, in the order the look-ups walk it:
// post cards, business cards, labels, folding cards, flyers, envelopes.
#include "config/LabelHelper.h"

#include <QList>

class PrintSheetTable {
public:
    PrintSheetTable() = delete;

    // A fresh list of every sheet, canvas sizes filled in.
    static QList<LabelHelperPtr> build();
};
