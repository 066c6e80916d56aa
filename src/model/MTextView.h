#pragma once
// The inner text of a text carrier: its characters, font and border line.
// The font is kept as written in the page (name and point size); a missing
// family is substituted only when drawing.
#include <QString>
#include <cstdint>

class MTextView {
public:
    QString string;        // the element's plain text
    QString fontName;      // font name as written; null when none was given
    double fontPointSize = 0.0;
    QString borderLine;    // border style of the element
    int32_t borderWidth = 0;

    bool operator==(const MTextView &) const = default;
};
