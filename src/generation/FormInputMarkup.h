#pragma once
// The markup of form fields in the responsive editions (Bootstrap form
// classes), with the PHP statement that reads a field's submitted value (as
// the mailer's zovFormValue gives it: escaped for the HTML mail, the ticked
// values of a group joined) and the field's part of the mail. Captions are looked up among the page's text
// elements (the model), not on the canvas.
#include "document/CodeWidgetHelper.h"
#include "document/TextElement.h"

#include <QRectF>

class SKTDocument;

class FormInputMarkup {
public:
    FormInputMarkup() = delete;
    // Fills code's bodyString, formResponseBody, formMessageBody and
    // noMarginAddOnFlag for a form element; answers true when the element is
    // instead written as a plain text block (a group's question label).
    // n and prefix name the element.
    static bool write(SKTDocument &doc, const TextElement &element, int32_t n, const QString &prefix,
                      const QRectF &bounds, CodeWidgetHelper &code);
    // Does some radio button or checkbox of the page share the label's field number?
    static bool IsThisMultipleChoiceLabel(const SKTDocument &doc, const TextElement &label);
    // The question label (option number -99) of the element's choice group, or a null element.
    static TextElement grabRadioLabel(const SKTDocument &doc, const TextElement &element);
};
