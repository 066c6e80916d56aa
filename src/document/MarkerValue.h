#pragma once
// A value written into one of the page's marker comments (after the closing
// html tag, or the form mailer's settings): shared by the generator and the
// page reader's marker editors.
#include <QString>

class MarkerValue {
public:
    MarkerValue() = delete;
    // The value made safe inside a marker: no line breaks, no "-->", and when
    // the marker lands in a PHP file (inPhp) no "?>" and no "<?" either, which
    // would end PHP inside a PHP comment or start it outside one.
    static QString clean(const QString &value, bool inPhp = false);
};
