#pragma once
// One generated fragment: the CSS, markup and script of one element or of one
// responsive section, with the element's frame. The generators of single
// elements return one; the page generator collects them.
#include <QRectF>
#include <QString>
#include <cstdint>

struct CodeWidgetHelper {
    QString headerString;      // CSS
    QString tableHeaderString; // a table's own outer rule (tables only)
    QString bodyString;        // markup
    QString javaScriptString;  // script; empty when none
    QString formResponseBody;  // PHP line taking a form field's value
    QString formMessageBody;   // the field's part of the mail body
    QRectF rect;               // the source graphic's frame
    int32_t originY = 0;       // rect's y truncated; fragment lists sort by it
    int32_t responsiveResizeFlag = 0;
    bool partOfTableFlag = false;
    bool noMarginAddOnFlag = false;
    bool addedToGrid = false;

    // Sets the frame and, with it, originY.
    void setRect(const QRectF &frame);
};
