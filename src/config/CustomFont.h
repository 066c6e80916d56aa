#pragma once
// One web font that pages may use: the family as the canvas knows it and the
// family as written in the web-font stylesheet request. Page generation marks
// the fonts a page uses and names only those in the request.
#include <QString>

struct CustomFont {
    QString fontName;
    QString sourceCodeName;
    bool isUsed = false;
    bool isCustomFont = false;

    bool operator==(const CustomFont &) const = default;
};
