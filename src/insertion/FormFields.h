#pragma once
// The canvas's form inserts and the form commands: single fields (text,
// e-mail, paragraph, bot check, submit), multiple-choice and checkbox
// groups and their new options, the required and reply-to flags, and the
// partner queries that deletion, the page generator and moves use. Each
// insert is one named undo step; its graphics share one group number.
#include "model/myTextView.h"

#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>

class InsertionFrame;
class SKTGraphic;
class SKTText;

class FormFields {
public:
    explicit FormFields(InsertionFrame &frame) : m_frame(frame) {}

    // The record as a text graphic, inserted in front (placed in its
    // section cell in responsive editions).
    std::shared_ptr<SKTGraphic> convertTextViewToSKTGraphic(const myTextView &record);

    void addTextField_drag(double x, double y);
    void addEmailTextField_drag(double x, double y);
    void addParagraph_drag(double x, double y);
    void addBotCheckerTextField_drag(double x, double y);
    void addSubmitButton_drag(double x, double y);
    void addMultipleChoice_drag(double x, double y);
    void addCheckboxes_drag(double x, double y);
    // A new option under each selected option label of a group.
    void addNewMultipleChoiceOption();
    void addNewCheckboxChoiceOption();
    bool enableNewMultipleChoiceOption();
    bool enableNewCheckboxChoiceOption();

    void makeFormMandatory();
    void makeFormOptional();
    void markAsReplyTo();
    bool showMandatory();
    bool showOptional();
    bool showMarkAsReplyTo();

    // --- queries over the page -------------------------------------------------
    bool isOriginalTextViewRadio(const SKTGraphic &graphic);
    bool isOriginalTextViewCheckbox(const SKTGraphic &graphic);
    int32_t findLastOptionTag(int32_t formTag);
    SKTGraphic *findMatchingOption(const SKTGraphic &graphic);
    SKTGraphic *grabRadioLabel(const SKTGraphic &graphic);
    bool IsThisMultipleChoiceLabel(const SKTGraphic &graphic);
    // Every option control moves beside its label. Partners are found through
    // one map of (form tag, option tag), so the pass is linear in the page.
    void reAlignFormOptions();
    // The graphics that go with a deleted selection: the option control of
    // every selected option label, not already selected.
    QList<SKTGraphic *> fetchAllPartnerViews(const QList<SKTGraphic *> &selection);

private:
    // As above, placed in the section cell under cellPoint when given (the
    // drop point of the item's field) instead of under its own corner.
    std::shared_ptr<SKTGraphic> convertTextViewToSKTGraphic(const myTextView &record, const QPointF *cellPoint);
    QRectF cellRectAt(const QPointF &dropPoint, const QRectF &rect);
    void addField(double x, double y, bool email);
    void addGroup(double x, double y, bool radio);
    void addNewOption(bool radio);
    bool enableNewOption(const QString &type);
    void setRequired(int flag);
    SKTText *singleSelectedText();
    bool groupHasType(const SKTGraphic &graphic, const QString &type);
    InsertionFrame &m_frame;
};
