#pragma once
// The makers of form-item records (the element carrier myTextView preset with
// one kind of form item's defaults), shared by the canvas's form inserts and
// the page reader, and the tying of option labels to their controls after a
// form page was read. No widget and no document state: the two numbers a
// submit button takes from its document are handed in.
#include "model/myTextView.h"

#include <QList>
#include <memory>

class FormItemMaker {
public:
    FormItemMaker() = delete;

    // The side of check boxes and radio buttons.
    static constexpr int32_t kOptionSide = 15;

    static std::shared_ptr<myTextView> createNewTextField(int32_t x, int32_t y, int32_t width, int32_t height);
    static std::shared_ptr<myTextView> createNewParagraph(int32_t x, int32_t y, int32_t width, int32_t height);
    static std::shared_ptr<myTextView> createCheckbox(int32_t x, int32_t y);
    static std::shared_ptr<myTextView> createRadioButton(int32_t x, int32_t y);
    // formTag and groupNumber are the document's next free form tag and
    // group number; the text is its submit-button value when it has one.
    static std::shared_ptr<myTextView> createSubmitButton(int32_t x, int32_t y, int32_t formTag = 0,
                                                          int32_t groupNumber = 0,
                                                          const QString &submitText = QString());

    // A label 300 wide, gFormFieldSize high when form field sizing is on,
    // else 40; and the bot check's right-aligned question, 110 x 40.
    static std::shared_ptr<myTextView> createNewTextLabel(int32_t x, int32_t y);
    static std::shared_ptr<myTextView> createNewBotCheckerTextLabel(int32_t x, int32_t y);

    // After a form page was read: every option label (formType "textLabel",
    // formOptionTag above 0 and neither -22 nor -11) gives its text to the
    // other records of its formTag and formOptionTag that are not labels.
    static void syncAllOptionForms(const QList<std::shared_ptr<myTextView>> &textViews);
};
