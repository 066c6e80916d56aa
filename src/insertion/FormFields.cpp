#include "insertion/FormFields.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/FormItemMaker.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "model/SKTText.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <cmath>

namespace {
int32_t whole(double v) { return int32_t(std::trunc(v)); }
const QString kLabel = QStringLiteral("textLabel");

void setText(myTextView &record, const QString &text)
{
    record.textView.string = text;
    record.textStorage = text;
}

void setFrame(myTextView &record, const QRectF &frame)
{
    record.frame = frame;
    record.originX = whole(frame.x());
    record.originY = whole(frame.y());
    record.width = whole(frame.width());
    record.height = whole(frame.height());
}

int alignmentCode(const QString &alignment)
{
    if (alignment == QLatin1String("center"))
        return 1;
    if (alignment == QLatin1String("right"))
        return 2;
    return 0;
}

quint64 pairKey(int32_t formTag, int32_t optionTag)
{
    return (quint64(quint32(formTag)) << 32) | quint32(optionTag);
}

bool isOption(const QString &type)
{
    return type == QLatin1String("radio") || type == QLatin1String("checkbox");
}
// Appends the next form item name ("form%d" with the list's count before
// the append) and records the list as it was, so undo and redo bring back
// the list with the graphics.
void registerFormItemsReturn(SKTDocument &document, const QStringList &items)
{
    if (!document.undoManager().isUndoRegistrationEnabled())
        return;
    document.undoManager().registerUndo([&document, items] {
        registerFormItemsReturn(document, document.formItemArray);
        document.formItemArray = items;
    });
}

void appendFormItem(SKTDocument &document)
{
    registerFormItemsReturn(document, document.formItemArray);
    document.formItemArray.append(QStringLiteral("form%1").arg(document.formItemArray.size()));
}
} // namespace

std::shared_ptr<SKTGraphic> FormFields::convertTextViewToSKTGraphic(const myTextView &record, const QPointF *cellPoint)
{
    GraphicProperties p;
    p.setRect(QStringLiteral("bounds"), record.frame);
    p.setIntString(QStringLiteral("fontAlignment"), alignmentCode(record.textAlignment));
    p.setFloatString(QStringLiteral("cornerRadius"), record.cornerRadius);
    p.setString(QStringLiteral("textHexColorString"), record.textColorString);
    p.setString(QStringLiteral("fontColor"), record.textColorString);
    const bool clear = record.colorString.isEmpty() || record.colorString == QLatin1String("CLEAR0");
    p.setColour(QStringLiteral("fillColor"),
                clear ? QColor(Qt::transparent) : QColor(QLatin1Char('#') + record.colorString));
    p.setString(QStringLiteral("backgroundHexColorString"), record.colorString);
    p.setFloatString(QStringLiteral("fontSize"), record.textView.fontPointSize);
    p.setString(QStringLiteral("fontFamily"),
                record.familyName.isEmpty() ? QStringLiteral("Helvetica Neue") : record.familyName);
    p.setString(QStringLiteral("borderStyle"), record.textView.borderLine);
    p.setIntString(QStringLiteral("borderWidth"), record.textView.borderWidth);
    p.setString(QStringLiteral("borderHexColorString"), record.borderHexColorString);
    p.setFloatString(QStringLiteral("opacity"), record.alphaValue);
    p.setString(QStringLiteral("shadowFlag"), record.shadowRadius > 0 ? QStringLiteral("1") : QStringLiteral("0"));
    p.setString(QStringLiteral("link"), record.link.isNull() ? QLatin1String("") : record.link);
    p.setString(QStringLiteral("textString"), record.textView.string);
    p.setString(QStringLiteral("textType"), record.textType);
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.setString(QStringLiteral("formType"), record.formType.isNull() ? QLatin1String("") : record.formType);
    p.setIntString(QStringLiteral("formTag"), record.formTag);
    p.setIntString(QStringLiteral("formRequiredFlag"), record.formRequiredFlag);
    p.setIntString(QStringLiteral("formOptionTag"), record.formOptionTag);
    p.setIntString(QStringLiteral("groupNumber"), record.groupNumber);
    p.setIntString(QStringLiteral("responsiveResizeFlag"), record.responsiveResizeFlag);
    p.setIntString(QStringLiteral("responsiveAlignment"), record.responsiveAlignment);
    auto graphic = InsertionFrame::makeGraphic(QStringLiteral("SKTText"), p);
    if (!graphic)
        return {};
    if (gResponsiveEdition)
        m_frame.applySection(cellPoint ? *cellPoint : record.frame.topLeft(), *graphic);
    m_frame.insertAtFront(graphic);
    return graphic;
}

std::shared_ptr<SKTGraphic> FormFields::convertTextViewToSKTGraphic(const myTextView &record)
{
    return convertTextViewToSKTGraphic(record, nullptr);
}

QRectF FormFields::cellRectAt(const QPointF &dropPoint, const QRectF &rect)
{
    // The cell under the drop point, at the rectangle's own height.
    QRectF r = m_frame.grabSectionRect(dropPoint, rect);
    r.moveTop(rect.y());
    return r;
}

void FormFields::addField(double x, double y, bool email)
{
    SKTDocument &document = m_frame.document();
    InsertionStep step(document, email ? QStringLiteral("Add Email Field") : QStringLiteral("Add Text Field"));
    const int32_t tag = InsertionFrame::findNextFormTag(document);
    const int32_t group = InsertionFrame::findNextGroupNumber(document);
    auto label = FormItemMaker::createNewTextLabel(whole(x), whole(y));
    label->formType = kLabel;
    setText(*label, email ? QStringLiteral("Email Address Text Field Label") : QStringLiteral("Text Field Label"));
    label->formTag = tag;
    label->formOptionTag = email ? -11 : -99;
    label->groupNumber = group;
    const int32_t h = gFormFieldSizing ? gFormFieldSize : 40;
    if (gResponsiveEdition)
        setFrame(*label, m_frame.grabSectionRect({x, y}, QRectF(x, y, 300, 40)));
    auto field = FormItemMaker::createNewTextField(whole(x), whole(y + label->height), 300, h);
    field->colorString = QStringLiteral("FFFFFF");
    field->formTag = tag;
    setText(*field, email ? QStringLiteral("name@example.com") : QStringLiteral("Text Field Placeholder"));
    field->groupNumber = group;
    if (email)
        field->formOptionTag = -11;
    if (gResponsiveEdition) {
        const QRectF r = m_frame.grabSectionRect({x, y}, QRectF(x, y, 300, 40));
        setFrame(*field, QRectF(r.x(), r.y() + 40, r.width(), r.height()));
    }
    const QPointF at(x, y);
    convertTextViewToSKTGraphic(*label, &at);
    convertTextViewToSKTGraphic(*field, &at);
}

void FormFields::addTextField_drag(double x, double y) { addField(x, y, false); }
void FormFields::addEmailTextField_drag(double x, double y) { addField(x, y, true); }

void FormFields::addParagraph_drag(double x, double y)
{
    SKTDocument &document = m_frame.document();
    InsertionStep step(document, QStringLiteral("Add Paragraph"));
    const int32_t tag = InsertionFrame::findNextFormTag(document);
    const int32_t group = InsertionFrame::findNextGroupNumber(document);
    auto label = FormItemMaker::createNewTextLabel(whole(x), whole(y));
    setText(*label, QStringLiteral("Paragraph Label"));
    label->formType = kLabel;
    label->formTag = tag;
    label->formOptionTag = -99;
    label->groupNumber = group;
    const double y2 = y + label->height;
    if (gResponsiveEdition)
        setFrame(*label, m_frame.grabSectionRect({x, y}, QRectF(x, y, 300, 40)));
    auto paragraph = FormItemMaker::createNewParagraph(whole(x), whole(y2), 300, 150);
    setText(*paragraph, QStringLiteral("Paragraph Placeholder"));
    paragraph->groupNumber = group;
    appendFormItem(document);
    paragraph->formTag = tag;
    if (gResponsiveEdition) {
        const QRectF r = m_frame.grabSectionRect({x, y}, QRectF(x, y, 300, 150));
        setFrame(*paragraph, QRectF(r.x(), r.y() + 40, r.width(), r.height()));
    }
    const QPointF at(x, y);
    convertTextViewToSKTGraphic(*label, &at);
    convertTextViewToSKTGraphic(*paragraph, &at);
}

void FormFields::addBotCheckerTextField_drag(double x, double y)
{
    SKTDocument &document = m_frame.document();
    InsertionStep step(document, QStringLiteral("Add Bot Check"));
    const int32_t group = InsertionFrame::findNextGroupNumber(document);
    auto note = FormItemMaker::createNewTextLabel(whole(x), whole(y));
    note->formType = QLatin1String("");
    note->formOptionTag = -99;
    setText(*note, QStringLiteral("Bot check to make sure you're a human :)"));
    note->textView.fontName = QStringLiteral("Cabin");
    note->textView.fontPointSize = 15;
    note->groupNumber = group;
    auto question = FormItemMaker::createNewBotCheckerTextLabel(whole(x), whole(y + 30));
    question->formType = kLabel;
    question->formOptionTag = -22;
    setText(*question, QStringLiteral("1+2="));
    question->textView.fontName = QStringLiteral("Cabin");
    question->textView.fontPointSize = 25;
    question->groupNumber = group;
    const int32_t tag = InsertionFrame::findNextFormTag(document);
    auto answer = FormItemMaker::createNewTextField(whole(x + 110), whole(y + 30), 100, 40);
    answer->formOptionTag = -22;
    setText(*answer, QStringLiteral("3"));
    answer->formTag = tag;
    answer->groupNumber = group;
    const QPointF at(x, y);
    convertTextViewToSKTGraphic(*note, &at);
    convertTextViewToSKTGraphic(*question, &at);
    convertTextViewToSKTGraphic(*answer, &at);
}

void FormFields::addSubmitButton_drag(double x, double y)
{
    SKTDocument &document = m_frame.document();
    InsertionStep step(document, QStringLiteral("Add Submit Button"));
    auto button = FormItemMaker::createSubmitButton(whole(x), whole(y), InsertionFrame::findNextFormTag(document),
                                                    InsertionFrame::findNextGroupNumber(document));
    setText(*button, QStringLiteral("Submit"));
    button->responsiveResizeFlag = 1;
    convertTextViewToSKTGraphic(*button);
}

void FormFields::addGroup(double x, double y, bool radio)
{
    SKTDocument &document = m_frame.document();
    InsertionStep step(document, radio ? QStringLiteral("Add Multiple Choice") : QStringLiteral("Add Checkboxes"));
    const int32_t tag = InsertionFrame::findNextFormTag(document);
    const int32_t group = InsertionFrame::findNextGroupNumber(document);
    auto question = FormItemMaker::createNewTextLabel(whole(x), whole(y));
    setText(*question, radio ? QStringLiteral("Multiple Choice Label") : QStringLiteral("Checkboxes Label"));
    question->formType = kLabel;
    question->formTag = tag;
    question->groupNumber = group;
    if (gResponsiveEdition)
        setFrame(*question, m_frame.grabSectionRect({x, y}, QRectF(x, y, 300, 40)));
    question->formOptionTag = -99;
    appendFormItem(document);
    // Every item of the group goes into the cell it was dropped in, however
    // far down the options reach (the section grows to hold them).
    const QPointF at(x, y);
    convertTextViewToSKTGraphic(*question, &at);

    const int32_t stepY = gFormFieldSizing ? gFormFieldSize : 45;
    const int32_t cx = whole(x) - 30;
    int32_t ry = whole(y) + stepY + 10;
    for (int n = 1; n <= 4; ++n) {
        const QString text = radio ? QStringLiteral("Multiple Choice Option %1").arg(n)
                                   : QStringLiteral("Checkbox Option %1").arg(n);
        auto control = radio ? FormItemMaker::createRadioButton(cx, ry) : FormItemMaker::createCheckbox(cx, ry);
        setText(*control, text);
        control->formType = radio ? QStringLiteral("radio") : QStringLiteral("checkbox");
        control->formOptionTag = n;
        control->formTag = tag;
        control->groupNumber = group;
        if (gResponsiveEdition) {
            const QRectF r = cellRectAt(at, QRectF(cx, ry, 15, 15));
            setFrame(*control, QRectF(r.x(), r.y(), 15, 15));
        }
        auto label = FormItemMaker::createNewTextLabel(whole(x), ry - 8);
        setText(*label, text);
        label->formType = kLabel;
        label->formTag = tag;
        label->formOptionTag = n;
        label->groupNumber = group;
        if (gResponsiveEdition) {
            const QRectF r = cellRectAt(at, QRectF(cx, ry, label->width, label->height));
            setFrame(*label, QRectF(r.x() + 30, r.y(), r.width() - 30, r.height()));
        }
        convertTextViewToSKTGraphic(*control, &at);
        convertTextViewToSKTGraphic(*label, &at);
        ry += stepY;
    }
}

void FormFields::addMultipleChoice_drag(double x, double y) { addGroup(x, y, true); }
void FormFields::addCheckboxes_drag(double x, double y) { addGroup(x, y, false); }

void FormFields::addNewOption(bool radio)
{
    const QList<SKTGraphic *> selection = m_frame.context().selectedGraphics();
    InsertionStep step(m_frame.document(), QStringLiteral("Add Option"));
    for (SKTGraphic *graphic : selection) {
        auto *label = dynamic_cast<SKTText *>(graphic);
        if (!label || label->formType() != kLabel)
            continue;
        const int32_t n = findLastOptionTag(label->formTag());
        const QRectF b = label->bounds();
        const QString text = radio ? QStringLiteral("New Multiple Choice Option") : QStringLiteral("New Checkbox Option");
        auto control = radio ? FormItemMaker::createRadioButton(whole(b.x() - 30), whole(b.y() + 38))
                             : FormItemMaker::createCheckbox(whole(b.x() - 30), whole(b.y() + 38));
        setText(*control, text);
        control->formType = radio ? QStringLiteral("radio") : QStringLiteral("checkbox");
        control->formTag = label->formTag();
        control->formOptionTag = n;
        control->groupNumber = label->groupNumber();
        auto option = FormItemMaker::createNewTextLabel(whole(b.x()), whole(b.y() + 30));
        setText(*option, text);
        option->formType = kLabel;
        option->formTag = label->formTag();
        option->formOptionTag = n;
        option->textColorString = label->textHexColorString();
        option->textView.fontName = label->fontFamily();
        option->textView.fontPointSize = label->fontSize();
        option->familyName = label->fontFamily();
        option->groupNumber = label->groupNumber();
        convertTextViewToSKTGraphic(*control);
        convertTextViewToSKTGraphic(*option);
    }
}

void FormFields::addNewMultipleChoiceOption() { addNewOption(true); }
void FormFields::addNewCheckboxChoiceOption() { addNewOption(false); }

bool FormFields::enableNewOption(const QString &type)
{
    SKTText *text = singleSelectedText();
    return text && groupHasType(*text, type);
}

bool FormFields::enableNewMultipleChoiceOption() { return enableNewOption(QStringLiteral("radio")); }
bool FormFields::enableNewCheckboxChoiceOption() { return enableNewOption(QStringLiteral("checkbox")); }

bool FormFields::groupHasType(const SKTGraphic &graphic, const QString &type)
{
    for (const auto &g : m_frame.document().graphics())
        if (dynamic_cast<SKTText *>(g.get()) && g->formTag() == graphic.formTag() && g->formType() == type)
            return true;
    return false;
}

bool FormFields::isOriginalTextViewRadio(const SKTGraphic &graphic) { return groupHasType(graphic, QStringLiteral("radio")); }
bool FormFields::isOriginalTextViewCheckbox(const SKTGraphic &graphic)
{
    return groupHasType(graphic, QStringLiteral("checkbox"));
}

bool FormFields::IsThisMultipleChoiceLabel(const SKTGraphic &graphic)
{
    return isOriginalTextViewRadio(graphic) || isOriginalTextViewCheckbox(graphic);
}

int32_t FormFields::findLastOptionTag(int32_t formTag)
{
    int32_t highest = std::numeric_limits<int32_t>::min();
    for (const auto &g : m_frame.document().graphics())
        if (dynamic_cast<SKTText *>(g.get()) && g->formTag() == formTag)
            highest = std::max(highest, g->formOptionTag());
    // A group without members starts its options at 1.
    return highest == std::numeric_limits<int32_t>::min() ? 1 : std::max(highest, 0) + 1;
}

SKTGraphic *FormFields::findMatchingOption(const SKTGraphic &graphic)
{
    for (const auto &g : m_frame.document().graphics())
        if (g.get() != &graphic && dynamic_cast<SKTText *>(g.get()) && g->formTag() == graphic.formTag()
            && g->formOptionTag() == graphic.formOptionTag())
            return g.get();
    return nullptr;
}

SKTGraphic *FormFields::grabRadioLabel(const SKTGraphic &graphic)
{
    for (const auto &g : m_frame.document().graphics())
        if (dynamic_cast<SKTText *>(g.get()) && g->formTag() == graphic.formTag() && g->formOptionTag() == -99
            && g->formType() == kLabel)
            return g.get();
    return nullptr;
}

void FormFields::reAlignFormOptions()
{
    const double dx = gPreventOverlap ? 20 : 30;
    const double dy = gPreventOverlap ? 0 : 8;
    // The option controls by (form tag, option tag), the first in page order,
    // as the partner look-up finds them.
    QHash<quint64, SKTGraphic *> controls;
    for (const auto &g : m_frame.document().graphics())
        if (dynamic_cast<SKTText *>(g.get()) && isOption(g->formType()))
            controls.insert(pairKey(g->formTag(), g->formOptionTag()), g.get());
    QList<QPair<SKTGraphic *, QRectF>> moves;
    for (const auto &g : m_frame.document().graphics()) {
        if (!dynamic_cast<SKTText *>(g.get()) || g->formType() != kLabel || g->formOptionTag() <= 0)
            continue;
        SKTGraphic *control = controls.value(pairKey(g->formTag(), g->formOptionTag()));
        if (!control)
            continue;
        const QRectF c = control->bounds();
        const QRectF target(g->bounds().x() - dx, g->bounds().y() + dy, c.width(), c.height());
        if (target != c)
            moves.append({control, target});
    }
    InsertionStep::setBounds(m_frame.document(), moves);
}

QList<SKTGraphic *> FormFields::fetchAllPartnerViews(const QList<SKTGraphic *> &selection)
{
    // The option controls by (form tag, option tag): one pass over the page.
    QHash<quint64, SKTGraphic *> controls;
    for (const auto &g : m_frame.document().graphics())
        if (dynamic_cast<SKTText *>(g.get()) && isOption(g->formType()))
            controls.insert(pairKey(g->formTag(), g->formOptionTag()), g.get());
    const QSet<SKTGraphic *> selected(selection.cbegin(), selection.cend());
    QSet<SKTGraphic *> added;
    QList<SKTGraphic *> partners;
    for (SKTGraphic *graphic : selection) {
        // A label takes its control; a control does not take its label.
        if (!dynamic_cast<SKTText *>(graphic) || isOption(graphic->formType()))
            continue;
        SKTGraphic *control = controls.value(pairKey(graphic->formTag(), graphic->formOptionTag()));
        if (control && control != graphic && !selected.contains(control) && !added.contains(control)) {
            added.insert(control);
            partners.append(control);
        }
    }
    return partners;
}

SKTText *FormFields::singleSelectedText()
{
    const QList<SKTGraphic *> selection = m_frame.context().selectedGraphics();
    return selection.size() == 1 ? dynamic_cast<SKTText *>(selection.first()) : nullptr;
}

void FormFields::setRequired(int flag)
{
    InsertionStep step(m_frame.document(), flag ? QStringLiteral("Make Required") : QStringLiteral("Make Optional"));
    for (SKTGraphic *graphic : m_frame.context().selectedGraphics())
        if (dynamic_cast<SKTText *>(graphic))
            graphic->setFormRequiredFlag(flag);
}

void FormFields::makeFormMandatory() { setRequired(1); }
void FormFields::makeFormOptional() { setRequired(0); }

bool FormFields::showMandatory()
{
    SKTText *text = singleSelectedText();
    return text && (text->formType() == QLatin1String("text") || text->formType() == QLatin1String("textarea"))
        && text->formRequiredFlag() != 1;
}

bool FormFields::showOptional()
{
    SKTText *text = singleSelectedText();
    return text && (text->formType() == QLatin1String("text") || text->formType() == QLatin1String("textarea"))
        && text->formRequiredFlag() == 1;
}

bool FormFields::showMarkAsReplyTo()
{
    SKTText *text = singleSelectedText();
    return text && text->formType() == QLatin1String("text") && text->formOptionTag() == -11;
}

void FormFields::markAsReplyTo()
{
    const QList<SKTGraphic *> selection = m_frame.context().selectedGraphics();
    const QSet<SKTGraphic *> selected(selection.cbegin(), selection.cend());
    InsertionStep step(m_frame.document(), QStringLiteral("Mark as Reply-To"));
    for (const auto &g : m_frame.document().graphics()) {
        const bool mark = selected.contains(g.get()) && dynamic_cast<SKTText *>(g.get());
        if (g->markAsReplyToEmailFlag() != (mark ? 1 : 0))
            g->setMarkAsReplyToEmailFlag(mark ? 1 : 0);
    }
}
