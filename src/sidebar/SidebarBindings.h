#pragma once
// Every inspector control bound to one attribute key of the selected
// graphics, made from the binding table. A key reads as no selection, as
// mixed (the selected graphics differ) or as one value; each control gets
// the display that follows from it and its option set. An edit checks the
// input against the control's kind and range, then sets the key on every
// selected graphic through the model's change path, as one undo step that the
// document names after the key. Refused input changes nothing and says why.
#include "sidebar/BindingTable.h"
#include "sidebar/SelectionProxy.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class SKTGraphic;

struct KeyReading {
    enum class State { NoSelection, Mixed, Value };
    State state = State::NoSelection;
    QVariant value;
};

struct ControlDisplay {
    QVariant value;       // the shared value; invalid with no selection or mixed values
    QString text;         // what a text field shows ("" for placeholders)
    QString placeholder;  // shown greyed when text is empty
    bool noSelection = false;
    bool mixed = false;
    bool hidden = false;
    bool enabled = true;
    int checkState = 0;  // check boxes: 0 off, 1 on, 2 partly (mixed)
    bool operator==(const ControlDisplay &o) const
    {
        return value == o.value && text == o.text && placeholder == o.placeholder && noSelection == o.noSelection
               && mixed == o.mixed && hidden == o.hidden && enabled == o.enabled && checkState == o.checkState;
    }
};

struct EditResult {
    bool accepted = false;
    QString message;  // why the input was refused; empty when accepted or ignored
};

class InspectorBindings {
public:
    explicit InspectorBindings(SelectionProxy &selection, QList<BindingSpec> table = BindingTable::bindings());
    ~InspectorBindings();
    InspectorBindings(const InspectorBindings &) = delete;
    InspectorBindings &operator=(const InspectorBindings &) = delete;

    // Makes every binding of the table (again: harmless) and shows the selection.
    void restoreBinding();
    // Drops them: edits change nothing and the controls stop following.
    void unbindEverything();
    bool isBound() const { return m_bound; }

    const QList<BindingSpec> &table() const { return m_table; }
    bool hasControl(const QString &control) const { return m_byControl.contains(control); }

    KeyReading read(const QString &key) const;
    ControlDisplay display(const QString &control) const;

    // The control's new value: text typed into a field, a slider's or
    // stepper's number, a segment index, a pop-up's or segment's title, a
    // check box's state.
    EditResult edit(const QString &control, const QVariant &input);

    // A slider drag: every value it sets between begin and end is one undo step.
    void beginSliderDrag();
    void endSliderDrag();
    bool isDragging() const { return m_dragDepth > 0; }

    // The border and line width controls reach 30 in editions with the wide
    // border option, else 10.
    void setBorderWidthMaximum(int maximum) { m_borderMaximum = maximum; }
    int borderWidthMaximum() const { return m_borderMaximum; }

    // "Section Column Buffer": the level chosen sets the column spacing of
    // every selected section.
    EditResult setColumnGapLevel(const QString &level);
    // The layer index pop-over's text for every selected graphic.
    EditResult setLayerIndex(const QString &text);

    // Shows the selection again: every control whose display changed is
    // reported to the observer. Called through the selection's change handler.
    void refresh();
    using Observer = std::function<void(const QString &control, const ControlDisplay &display)>;
    void setObserver(Observer observer) { m_observer = std::move(observer); }

    // The range a control takes, when it takes numbers.
    struct Range {
        double low;
        double high;
        bool whole;  // whole numbers only (the fields with the whole-number formatter)
    };
    std::optional<Range> rangeOf(const QString &control) const;

    // The pixel value of a padding, margin or column level ("Medium" is 30), or -1.
    static int levelValue(const QString &level);

private:
    struct Prepared {
        bool ok = false;
        QVariant value;
        QString message;
    };
    Prepared prepare(const BindingSpec &spec, const QVariant &input) const;
    EditResult apply(const QString &key, const QVariant &value, const QList<SKTGraphic *> &graphics);
    ControlDisplay displayFor(const BindingSpec &spec, const KeyReading &reading) const;
    QString formatted(const BindingSpec &spec, const QVariant &value) const;

    SelectionProxy &m_selection;
    QList<BindingSpec> m_table;
    QHash<QString, int> m_byControl;
    QStringList m_keys;  // each bound key once, in table order
    QHash<QString, ControlDisplay> m_shown;
    Observer m_observer;
    bool m_bound = false;
    bool m_pushing = false;
    int m_dragDepth = 0;
    int m_borderMaximum = 10;
};
