// Form inserts, options, flags and the partner queries that moves and
// deletion use.
#include "InsertionFixture.h"

#include "insertion/FormFields.h"
#include "model/SKTText.h"

class FormFieldsTest : public InsertionTest {
protected:
    FormFields forms() { return FormFields(*frame); }
    // The page's text graphics in insertion order (the page lists the newest first).
    QList<SKTText *> texts() const
    {
        QList<SKTText *> list;
        for (auto it = doc->graphics().crbegin(); it != doc->graphics().crend(); ++it)
            if (auto *t = dynamic_cast<SKTText *>(it->get()))
                list.append(t);
        return list;
    }
};

TEST_F(FormFieldsTest, TextFieldsShareTagAndGroupAndCountUpOnThePage)
{
    forms().addTextField_drag(100, 30);
    auto list = texts();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0]->bounds(), QRectF(100, 30, 300, 40));
    EXPECT_EQ(list[0]->formType(), "textLabel");
    EXPECT_EQ(list[0]->formTag(), 1);
    EXPECT_EQ(list[0]->formOptionTag(), -99);
    EXPECT_EQ(list[1]->bounds(), QRectF(100, 70, 300, 40));
    EXPECT_EQ(list[1]->textString(), "Text Field Placeholder");
    EXPECT_EQ(list[1]->formTag(), 1);
    EXPECT_EQ(list[1]->groupNumber(), list[0]->groupNumber());
    EXPECT_EQ(list[1]->fontFamily(), "Helvetica Neue");
    EXPECT_EQ(doc->undoManager().undoCount(), 1);

    gFormFieldSizing = true;
    gFormFieldSize = 50;
    forms().addTextField_drag(100, 200);
    list = texts();
    EXPECT_EQ(list[2]->formTag(), 2);
    EXPECT_EQ(list[3]->bounds(), QRectF(100, 250, 300, 50));
}

TEST_F(FormFieldsTest, BotCheckAndSubmitButton)
{
    doc->formSubmitButtonValue = QStringLiteral("Send");
    forms().addBotCheckerTextField_drag(10, 10);
    forms().addSubmitButton_drag(10, 200);
    const auto list = texts();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list[0]->formType(), "");
    EXPECT_EQ(list[1]->textString(), "1+2=");
    EXPECT_EQ(list[1]->bounds(), QRectF(10, 40, 110, 40));
    EXPECT_EQ(list[1]->fontSize(), 25);
    EXPECT_EQ(list[2]->bounds(), QRectF(120, 40, 100, 40));
    EXPECT_EQ(list[2]->formOptionTag(), -22);
    EXPECT_EQ(list[0]->formTag(), 0);
    EXPECT_EQ(list[3]->textString(), "Submit");
    EXPECT_EQ(list[3]->responsiveResizeFlag(), 1);
}

TEST_F(FormFieldsTest, MultipleChoiceGroupsTakeNewOptionsAndRealignThem)
{
    forms().addMultipleChoice_drag(100, 30);
    auto list = texts();
    ASSERT_EQ(list.size(), 9);
    for (int n = 1; n <= 4; ++n) {
        SKTText *radio = list[2 * n - 1];
        SKTText *label = list[2 * n];
        EXPECT_EQ(radio->bounds(), QRectF(70, 85 + 45 * (n - 1), 15, 15)) << n;
        EXPECT_EQ(label->bounds().topLeft(), QPointF(100, 77 + 45 * (n - 1))) << n;
        EXPECT_EQ(radio->formOptionTag(), n);
        EXPECT_EQ(forms().findMatchingOption(*label), radio);
    }
    EXPECT_EQ(forms().grabRadioLabel(*list[3]), list[0]);

    context->selection = {list[8]};
    EXPECT_TRUE(forms().enableNewMultipleChoiceOption());
    EXPECT_FALSE(forms().enableNewCheckboxChoiceOption());
    forms().addNewMultipleChoiceOption();
    list = texts();
    ASSERT_EQ(list.size(), 11);
    EXPECT_EQ(list[9]->bounds(), QRectF(70, 250, 15, 15));
    EXPECT_EQ(list[10]->bounds().topLeft(), QPointF(100, 242));
    EXPECT_EQ(list[10]->formOptionTag(), 5);
    EXPECT_EQ(list[10]->textString(), "New Multiple Choice Option");

    // A moved label takes its control along on re-alignment; one undo step.
    list[4]->setBounds(QRectF(400, 400, 300, 40));
    const int steps = doc->undoManager().undoCount();
    forms().reAlignFormOptions();
    EXPECT_EQ(list[3]->bounds().topLeft(), QPointF(370, 408));
    gPreventOverlap = true;
    forms().reAlignFormOptions();
    EXPECT_EQ(list[3]->bounds().topLeft(), QPointF(380, 400));
    EXPECT_LE(doc->undoManager().undoCount(), steps + 2);

    // Deleting an option label takes its control; the question label has no partner.
    EXPECT_EQ(forms().fetchAllPartnerViews({list[4]}), QList<SKTGraphic *>{list[3]});
    EXPECT_TRUE(forms().fetchAllPartnerViews({list[0]}).isEmpty());
    EXPECT_TRUE(forms().fetchAllPartnerViews({list[3]}).isEmpty()); // a control leaves its label
    EXPECT_TRUE(forms().fetchAllPartnerViews({list[3], list[4]}).isEmpty());
}

TEST_F(FormFieldsTest, RequiredAndReplyToFlags)
{
    forms().addEmailTextField_drag(0, 0);
    forms().addEmailTextField_drag(0, 200);
    const auto list = texts();
    SKTText *first = list[1], *second = list[3];
    context->selection = {first};
    EXPECT_TRUE(forms().showMarkAsReplyTo());
    EXPECT_TRUE(forms().showMandatory());
    EXPECT_FALSE(forms().showOptional());
    forms().makeFormMandatory();
    EXPECT_EQ(first->formRequiredFlag(), 1);
    EXPECT_TRUE(forms().showOptional());
    forms().markAsReplyTo();
    context->selection = {second};
    forms().markAsReplyTo();
    EXPECT_EQ(second->markAsReplyToEmailFlag(), 1);
    EXPECT_EQ(first->markAsReplyToEmailFlag(), 0);
    context->selection = {list[0]};
    EXPECT_FALSE(forms().showMarkAsReplyTo());
    EXPECT_FALSE(forms().showMandatory());
}

TEST_F(FormFieldsTest, ParagraphAndChoiceGroupsNameTheirFormItemsAndUndoTakesThemBack)
{
    doc->formItemArray = {QStringLiteral("form0")}; // a page read with one item
    forms().addTextField_drag(0, 0);                 // a text field names none
    forms().addParagraph_drag(0, 100);
    forms().addMultipleChoice_drag(0, 300);
    forms().addCheckboxes_drag(0, 600);
    EXPECT_EQ(doc->formItemArray, QStringList({"form0", "form1", "form2", "form3"}));

    doc->undoManager().undo();
    EXPECT_EQ(doc->formItemArray, QStringList({"form0", "form1", "form2"}));
    doc->undoManager().undo();
    doc->undoManager().undo();
    EXPECT_EQ(doc->formItemArray, QStringList({"form0"}));
    doc->undoManager().redo();
    EXPECT_EQ(doc->formItemArray, QStringList({"form0", "form1"}));
}
