#pragma once
// Colours the graphic kinds draw with, taken from a graphic's attributes.
#include <QColor>

class SKTGraphic;

class GraphicColours {
public:
    // The border (or line) colour at the graphic's opacity: the border colour
    // when set, else the colour of its border hex string, else black.
    static QColor border(const SKTGraphic &graphic);
};
