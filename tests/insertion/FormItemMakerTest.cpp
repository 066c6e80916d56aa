#include "model/FormItemMaker.h"

#include <gtest/gtest.h>

TEST(FormItemMakerTest, MakersPresetTheirKinds)
{
    auto radio = FormItemMaker::createRadioButton(3, 4);
    EXPECT_EQ(radio->frame, QRectF(3, 4, 15, 15));
    EXPECT_EQ(radio->formType, QStringLiteral("radio"));
    EXPECT_FLOAT_EQ(radio->cornerRadius, 7.0f);
    EXPECT_EQ(FormItemMaker::createCheckbox(0, 0)->formType, QStringLiteral("checkbox"));
    auto field = FormItemMaker::createNewTextField(1, 2, 300, 40);
    EXPECT_EQ(field->formOptionTag, -99);
    EXPECT_EQ(field->textView.fontName, QStringLiteral("Actor"));
    auto submit = FormItemMaker::createSubmitButton(0, 0, 5, 6, QStringLiteral("Go"));
    EXPECT_EQ(submit->frame.size(), QSizeF(120, 45));
    EXPECT_EQ(submit->textView.string, QStringLiteral("Go"));
    EXPECT_EQ(submit->formTag, 5);
    EXPECT_EQ(FormItemMaker::createNewParagraph(0, 0, 10, 10)->formType, QStringLiteral("textarea"));
}

TEST(FormItemMakerTest, OptionLabelsGiveTheirTextToTheirControls)
{
    auto label = std::make_shared<myTextView>();
    label->formType = QStringLiteral("textLabel");
    label->formTag = 2;
    label->formOptionTag = 1;
    label->textView.string = QStringLiteral("Yes");
    auto radio = FormItemMaker::createRadioButton(0, 0);
    radio->formTag = 2;
    radio->formOptionTag = 1;
    auto otherGroup = FormItemMaker::createRadioButton(0, 0);
    otherGroup->formTag = 3;
    otherGroup->formOptionTag = 1;
    auto botLabel = std::make_shared<myTextView>(*label);
    botLabel->formOptionTag = -22;
    auto botField = FormItemMaker::createNewTextField(0, 0, 1, 1);
    botField->formTag = 2;
    botField->formOptionTag = -22;
    botField->textView.string = QStringLiteral("3");
    FormItemMaker::syncAllOptionForms({label, radio, otherGroup, botLabel, botField});
    EXPECT_EQ(radio->textView.string, QStringLiteral("Yes"));
    EXPECT_EQ(otherGroup->textView.string, QString());
    EXPECT_EQ(botField->textView.string, QStringLiteral("3"));
}
