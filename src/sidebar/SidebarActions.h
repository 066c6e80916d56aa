#pragma once
// What the inspector's controls do beyond their bindings: re-style text boxes
// and push table-level values into cells after a bound write, set computed
// values (rotation, detailed shadow, default border width, typed font size)
// and place graphics inside their section cells. Every action reads the
// selection once and records its writes as one named undo step; run through
// afterBinding(), a binding's write and its action make that one step.
#include "sidebar/SidebarBindings.h"
#include "sidebar/SelectionProxy.h"

#include <QHash>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class SKTGraphic;

class InspectorActions : public QObject {
    Q_OBJECT
public:
    explicit InspectorActions(SelectionProxy &selection, QObject *parent = nullptr);

    // The action each control sends (data/control_actions.tsv).
    struct ControlAction {
        QString action;
        bool instead = false;  // the action alone, without the binding's write
    };
    static const QHash<QString, ControlAction> &controlActions();
    static QHash<QString, ControlAction> parseControlActions(const QString &text);
    // What a control's edit does: the binding's write (checked, refused with
    // a reason) and then the control's action, as one undo step. Controls
    // without an action only write.
    EditResult editAndAct(InspectorBindings &bindings, const QString &control, const QVariant &input);
    // Runs a named action with the control's input; false for an unknown name.
    bool perform(const QString &action, const QVariant &input);
    // The field text a rotation or line spacing action last asked for.
    QString lastFieldText() const { return m_fieldText; }

    // Runs the control's bound edit and then the action as one undo step.
    void afterBinding(InspectorBindings &bindings, const QString &control, const QVariant &input,
                      const std::function<void()> &action);

    // Segment 3 ("none") clears every border; another style gives width 2 where there was none.
    void updateBorder(int segment);
    void updateReflection();
    void updateShadow();
    // The three sliders' values; answers the texts of the three fields ("%d").
    QStringList updateDetailedShadow(double blur, double horizontal, double vertical);
    void updateOpacity();
    // Answers the label: "%0.2f" above 0, else "Default".
    QString updateLineSpacing(double sliderValue);
    static QString lineSpacingLabel(double sliderValue);
    // A size typed into the size field; text that is not a whole number changes nothing.
    void updateTextViewFontSize(const QString &typed);
    // The stepper: answers the stepper's value (31 becomes the first selected size).
    // Tables keep their font family.
    int updateFontSize(int stepperValue);
    void updateFontFamily(const QString &family);
    void updateFontStyle(const QString &family) { updateFontFamily(family); }
    void updateTextAlignment();

    // The slider moved: answers the field's text at once, and rotates the
    // graphics selected now once the slider has rested for 0.1 s.
    QString updateRotation(int sliderValue);
    void proceedToUpdateRotation();
    bool rotationPending() const { return m_rotationTimer.isActive(); }
    // The canvas calls this before the selection changes: a pending rotation
    // lands on the graphics it was meant for.
    void selectionWillChange();
    // Only when the rotation box is off: every selected graphic back to 0.
    void resetRotation(bool rotationBoxOn);

    // Places each selected text box, image and table in the section cell under it.
    void updateResponsiveAlignment(int alignment);
    void updateSectionPadding(int alignment) { updateResponsiveAlignment(alignment); }
    // Re-places the members of a section by their own alignment; form items stay.
    void refocusResponsiveAlignment(SKTGraphic &section);
    // The new x of a graphic inside a cell's content rectangle, or none for an unknown alignment.
    static std::optional<double> alignedX(int alignment, const QRectF &cell, const QRectF &graphic);

    int grabFirstSelectedFontSize() const;
    bool differentFontSizeSelected() const;

    // Field colours after editing ends ("008000") and while typing.
    static QString committedLinkColor() { return QStringLiteral("#008000"); }

private:
    QString m_fieldText;
    template <typename Fn> void step(const QString &name, Fn &&fn);
    static void relayout(SKTGraphic &g);
    void align(SKTGraphic &g, int alignment);

    SelectionProxy &m_selection;
    QTimer m_rotationTimer;
    QList<SKTGraphic *> m_rotationTargets;
    int m_rotationValue = 0;
};
