#pragma once
// Values placed inside a page's marker comments and script lines are cleaned
// so that they cannot end the comment or the line that holds them: line
// breaks become blanks, "--" loses a dash (no "-->" can form) and "?>" is
// split (it would end a PHP block). Reading gives back the cleaned value.
#include <QString>

class MarkerText {
public:
    MarkerText() = delete;
    static QString cleanMarkerValue(const QString &value);
};
