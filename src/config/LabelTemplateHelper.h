#pragma once
// One sheet template offered by a print edition: a label stock (brand and
// template number) tied to a print-sheet description and a paper size.
// Every field is absent (null) until set.
#include <QString>

class LabelTemplateHelper {
public:
    QString brand;
    QString templateNumber;
    QString paperSize;
    QString templateDescription;

    bool operator==(const LabelTemplateHelper &) const = default;
};
