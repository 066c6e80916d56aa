#include "model/FormItemMaker.h"

#include "config/EditionSettings.h"

namespace {

std::shared_ptr<myTextView> makeRecord(int32_t x, int32_t y, int32_t width, int32_t height, const QString &formType,
                                       int32_t formOptionTag, const QString &textColour)
{
    auto record = std::make_shared<myTextView>(QRectF(x, y, width, height));
    record->originX = x;
    record->originY = y;
    record->width = width;
    record->height = height;
    record->shadowRadius = 0.0f;
    record->shadowHorizontalOffset = 0.0f;
    record->shadowVerticalOffset = 0.0f;
    record->textType = QStringLiteral("Text");
    record->formType = formType;
    record->formOptionTag = formOptionTag;
    record->textAlignment = QStringLiteral("left");
    record->textColorString = textColour;
    record->borderHexColorString = textColour;
    record->colorString = QStringLiteral("FFFFFF");
    record->backgroundHexColorString = QStringLiteral("FFFFFF");
    record->textView.borderLine = QStringLiteral("solid");
    return record;
}

} // namespace

std::shared_ptr<myTextView> FormItemMaker::createNewTextField(int32_t x, int32_t y, int32_t width, int32_t height)
{
    auto record = makeRecord(x, y, width, height, QStringLiteral("text"), -99, QStringLiteral("4f4c4c"));
    record->textHexColorString = QStringLiteral("4f4c4c");
    record->textView.fontName = QStringLiteral("Actor");
    record->textView.fontPointSize = 14;
    return record;
}

std::shared_ptr<myTextView> FormItemMaker::createNewParagraph(int32_t x, int32_t y, int32_t width, int32_t height)
{
    return makeRecord(x, y, width, height, QStringLiteral("textarea"), -99, QStringLiteral("4f4c4c"));
}

std::shared_ptr<myTextView> FormItemMaker::createCheckbox(int32_t x, int32_t y)
{
    auto record = makeRecord(x, y, kOptionSide, kOptionSide, QStringLiteral("checkbox"), 0, QStringLiteral("4f4c4c"));
    record->textView.fontName = QStringLiteral("Actor");
    record->textView.fontPointSize = 1;
    record->textView.borderWidth = 1;
    record->borderWidth = 1;
    record->cornerRadius = 0.0f;
    return record;
}

std::shared_ptr<myTextView> FormItemMaker::createRadioButton(int32_t x, int32_t y)
{
    auto record = makeRecord(x, y, kOptionSide, kOptionSide, QStringLiteral("radio"), 0, QStringLiteral("4f4c4c"));
    record->textView.fontName = QStringLiteral("Actor");
    record->textView.fontPointSize = 1;
    record->textView.borderWidth = 1;
    record->borderWidth = 1;
    record->cornerRadius = 7.0f;
    return record;
}

std::shared_ptr<myTextView> FormItemMaker::createSubmitButton(int32_t x, int32_t y, int32_t formTag,
                                                              int32_t groupNumber, const QString &submitText)
{
    auto record = makeRecord(x, y, 120, 45, QStringLiteral("submit"), 0, QStringLiteral("808080"));
    record->textAlignment = QStringLiteral("center");
    record->textView.fontName = QStringLiteral("Anton");
    record->textView.fontPointSize = 18;
    record->formTag = formTag;
    record->groupNumber = groupNumber;
    if (!submitText.isEmpty())
        record->textView.string = submitText;
    return record;
}

namespace {
std::shared_ptr<myTextView> makeLabel(int32_t x, int32_t y, int32_t width, int32_t height, const QString &alignment)
{
    auto record = makeRecord(x, y, width, height, QString(), 0, QStringLiteral("4f4c4c"));
    record->textAlignment = alignment;
    record->textView.fontName = QStringLiteral("Actor");
    record->textView.fontPointSize = 14;
    // Labels have no fill and no border.
    record->colorString = QString();
    record->backgroundHexColorString = QString();
    record->textView.borderLine = QStringLiteral("none");
    return record;
}
} // namespace

std::shared_ptr<myTextView> FormItemMaker::createNewTextLabel(int32_t x, int32_t y)
{
    return makeLabel(x, y, 300, gFormFieldSizing ? gFormFieldSize : 40, QStringLiteral("left"));
}

std::shared_ptr<myTextView> FormItemMaker::createNewBotCheckerTextLabel(int32_t x, int32_t y)
{
    return makeLabel(x, y, 110, 40, QStringLiteral("right"));
}

void FormItemMaker::syncAllOptionForms(const QList<std::shared_ptr<myTextView>> &textViews)
{
    const QString label = QStringLiteral("textLabel");
    for (const auto &record : textViews) {
        if (!record || record->formType != label)
            continue;
        const int32_t option = record->formOptionTag;
        if (option == -22 || option == -11 || option <= 0)
            continue;
        for (const auto &other : textViews) {
            if (other && other != record && other->formType != label && other->formTag == record->formTag
                && other->formOptionTag == option)
                other->textView.string = record->textView.string;
        }
    }
}
