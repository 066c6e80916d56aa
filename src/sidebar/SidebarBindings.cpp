#include "sidebar/SidebarBindings.h"

#include "sidebar/SidebarPlans.h"
#include "sidebar/LinkPolicy.h"
#include "model/GraphicLimits.h"
#include "model/SKTGraphic.h"
#include "platform/UndoManager.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSet>
#include <cmath>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("Inspector", text);
}

bool isCheckBox(const QString &control)
{
    return control.endsWith(QLatin1String("Checkmark"));
}

bool isTextField(const QString &control)
{
    return control.endsWith(QLatin1String("TextField")) || control.endsWith(QLatin1String("Textbox"));
}

const QString kRotationCheck = QStringLiteral("rotationApplyCheckmark");

// The titles the choice controls offer, by key.
const QHash<QString, QStringList> &choicesByKey()
{
    static const QHash<QString, QStringList> table = [] {
        QHash<QString, QStringList> t;
        const QStringList levels{QStringLiteral("None"),  QStringLiteral("Tiny"), QStringLiteral("Small"),
                                 QStringLiteral("Medium"), QStringLiteral("Large"), QStringLiteral("XL"),
                                 QStringLiteral("XXL")};
        const QStringList units{QStringLiteral("pixel"), QStringLiteral("%")};
        for (const char *side : {"top", "bottom", "left", "right"}) {
            for (const char *box : {"Padding", "Margin"}) {
                const QString base = QLatin1String(side) + QLatin1String(box);
                t.insert(base + QLatin1String("LevelString"), levels);
                t.insert(base + QLatin1String("Type"), units);
            }
        }
        t.insert(QStringLiteral("borderStyle"), {QStringLiteral("solid"), QStringLiteral("dashed"),
                                                 QStringLiteral("dotted"), QStringLiteral("none")});
        t.insert(QStringLiteral("linkOption"),
                 {QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent")});
        return t;
    }();
    return table;
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    return a == b;
}
} // namespace

InspectorBindings::InspectorBindings(SelectionProxy &selection, QList<BindingSpec> table)
    : m_selection(selection), m_table(std::move(table))
{
    for (int i = 0; i < m_table.size(); ++i) {
        if (!m_byControl.contains(m_table[i].control))
            m_byControl.insert(m_table[i].control, i);
        if (!m_keys.contains(m_table[i].key))
            m_keys.append(m_table[i].key);
    }
}

InspectorBindings::~InspectorBindings()
{
    if (m_bound)
        m_selection.setChangeHandler({});
}

void InspectorBindings::restoreBinding()
{
    m_bound = true;
    m_selection.setChangeHandler([this] { refresh(); });
    m_shown.clear();
    refresh();
}

void InspectorBindings::unbindEverything()
{
    if (!m_bound)
        return;
    m_bound = false;
    m_selection.setChangeHandler({});
}

int InspectorBindings::levelValue(const QString &level)
{
    static const QHash<QString, int> values{{QStringLiteral("None"), 0},   {QStringLiteral("Tiny"), 10},
                                            {QStringLiteral("Small"), 20}, {QStringLiteral("Medium"), 30},
                                            {QStringLiteral("Large"), 50}, {QStringLiteral("XL"), 75},
                                            {QStringLiteral("XXL"), 100}};
    return values.value(level, -1);
}

std::optional<InspectorBindings::Range> InspectorBindings::rangeOf(const QString &control) const
{
    const double border = m_borderMaximum;
    static const QHash<QString, Range> fixed = [] {
        QHash<QString, Range> t;
        const double coordinate = GraphicLimits::kMaxCoordinate;
        const double length = GraphicLimits::kMaxLength;
        t.insert(QStringLiteral("originXTextField"), {-coordinate, coordinate, true});
        t.insert(QStringLiteral("originYTextField"), {-coordinate, coordinate, true});
        t.insert(QStringLiteral("widthTextField"), {1, 20000, true});
        t.insert(QStringLiteral("heightTextField"), {1, 20000, true});
        for (const char *side : {"top", "bottom", "left", "right"})
            for (const char *box : {"PaddingTextField", "MarginTextField"})
                t.insert(QLatin1String(side) + QLatin1String(box), {0, length, true});
        t.insert(QStringLiteral("fontSizeTextbox"), {5, 295, true});
        t.insert(QStringLiteral("fontSizeStepper"), {5, 295, true});
        t.insert(QStringLiteral("cornerRadiusSlider"), {0, 100, false});
        t.insert(QStringLiteral("cornerRadiusTextField"), {0, 100, true});
        t.insert(QStringLiteral("opacitySlider"), {0, 1, false});
        t.insert(QStringLiteral("opacityTextField"), {0, 1, false});
        t.insert(QStringLiteral("reflectionSizeSlider"), {0, 1, false});
        t.insert(QStringLiteral("reflectionSizeTextField"), {0, 1, false});
        t.insert(QStringLiteral("lineSpacingSlider"), {-0.1, 3, false});
        t.insert(QStringLiteral("shadowBlurSlider"), {0, 10, false});
        t.insert(QStringLiteral("shadowBlurTextField"), {0, 10, true});
        for (const char *axis : {"shadowHorizontalOffset", "shadowVerticalOffset"}) {
            t.insert(QLatin1String(axis) + QLatin1String("Slider"), {-10, 10, false});
            t.insert(QLatin1String(axis) + QLatin1String("TextField"), {-10, 10, true});
        }
        t.insert(QStringLiteral("rotationSlider"), {0, 360, true});
        t.insert(QStringLiteral("rotationAngleTextField"), {0, 360, false});
        return t;
    }();
    if (const auto it = fixed.find(control); it != fixed.end())
        return *it;
    if (control == QLatin1String("borderWidthSlider") || control == QLatin1String("borderWidthTextField")
        || control == QLatin1String("lineWidthSlider") || control == QLatin1String("lineWidthTextField"))
        return Range{0, border, true};
    return std::nullopt;
}

KeyReading InspectorBindings::read(const QString &key) const
{
    const QList<SKTGraphic *> graphics = m_selection.selectedGraphics();
    if (graphics.isEmpty())
        return {};
    KeyReading r{KeyReading::State::Value, graphics.first()->value(key)};
    for (qsizetype i = 1; i < graphics.size(); ++i)
        if (!sameValue(graphics[i]->value(key), r.value))
            return {KeyReading::State::Mixed, QVariant()};
    return r;
}

QString InspectorBindings::formatted(const BindingSpec &spec, const QVariant &value) const
{
    if (spec.type == BindingSpec::Type::String)
        return value.toString();
    if (spec.type == BindingSpec::Type::Int)
        return QString::number(value.toLongLong());
    const double v = value.toDouble();
    const auto range = rangeOf(spec.control);
    if (range && range->whole)
        return QString::number(std::llround(v));
    // Three decimals at most, as a decimal number formatter shows them.
    QString text = QString::number(v, 'f', 3);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

ControlDisplay InspectorBindings::displayFor(const BindingSpec &spec, const KeyReading &reading) const
{
    ControlDisplay d;
    d.noSelection = reading.state == KeyReading::State::NoSelection;
    d.mixed = reading.state == KeyReading::State::Mixed;
    switch (spec.options) {
    case BindingSpec::Options::L:
        d.placeholder = QStringLiteral("http://");
        break;
    case BindingSpec::Options::T:
        d.placeholder = tr("Image Tooltip Text");
        break;
    case BindingSpec::Options::S:
        d.hidden = d.noSelection;
        d.enabled = !d.mixed;
        break;
    default:
        break;
    }
    if (reading.state == KeyReading::State::Value) {
        d.value = reading.value;
        if (isTextField(spec.control))
            d.text = formatted(spec, reading.value);
        if (spec.control == kRotationCheck)
            d.checkState = reading.value.toDouble() != 0 ? 1 : 0;
        else if (isCheckBox(spec.control))
            d.checkState = reading.value.toInt() != 0 ? 1 : 0;
    } else if (d.mixed && isCheckBox(spec.control)) {
        d.checkState = 2;
        // Angles may differ while every one of them is turned: the box is on.
        if (spec.control == kRotationCheck) {
            bool allTurned = true;
            for (SKTGraphic *g : m_selection.selectedGraphics())
                allTurned = allTurned && g->value(spec.key).toDouble() != 0;
            if (allTurned)
                d.checkState = 1;
        }
    }
    return d;
}

ControlDisplay InspectorBindings::display(const QString &control) const
{
    const auto it = m_byControl.find(control);
    if (it == m_byControl.end())
        return {};
    const BindingSpec &spec = m_table[*it];
    return displayFor(spec, read(spec.key));
}

void InspectorBindings::refresh()
{
    if (!m_bound)
        return;
    // One pass over the selection for all keys.
    const QList<SKTGraphic *> graphics = m_selection.selectedGraphics();
    QList<KeyReading> readings(m_keys.size());
    if (!graphics.isEmpty()) {
        for (qsizetype k = 0; k < m_keys.size(); ++k)
            readings[k] = {KeyReading::State::Value, graphics.first()->value(m_keys[k])};
        for (qsizetype i = 1; i < graphics.size(); ++i) {
            for (qsizetype k = 0; k < m_keys.size(); ++k) {
                KeyReading &r = readings[k];
                if (r.state == KeyReading::State::Value && !sameValue(graphics[i]->value(m_keys[k]), r.value))
                    r = {KeyReading::State::Mixed, QVariant()};
            }
        }
    }
    m_pushing = true;
    for (const BindingSpec &spec : m_table) {
        const ControlDisplay d = displayFor(spec, readings[m_keys.indexOf(spec.key)]);
        auto shown = m_shown.find(spec.control);
        if (shown != m_shown.end() && *shown == d)
            continue;
        m_shown.insert(spec.control, d);
        if (m_observer)
            m_observer(spec.control, d);
    }
    m_pushing = false;
}

InspectorBindings::Prepared InspectorBindings::prepare(const BindingSpec &spec, const QVariant &input) const
{
    if (spec.type == BindingSpec::Type::String) {
        const QString text = input.toString();
        if (spec.key == QLatin1String("link")) {
            const QString why = LinkPolicy::refusalForLink(text);
            return {why.isEmpty(), text.trimmed(), why};
        }
        if (spec.key == QLatin1String("sectionIDString")) {
            const QString why = LinkPolicy::refusalForElementIds(text, false);
            return {why.isEmpty(), text.trimmed(), why};
        }
        if (spec.key == QLatin1String("onClickShowString") || spec.key == QLatin1String("onClickHideString")) {
            const QString why = LinkPolicy::refusalForElementIds(text, true);
            return {why.isEmpty(), text.trimmed(), why};
        }
        const auto choices = choicesByKey().find(spec.key);
        if (choices != choicesByKey().end() && !choices->contains(text))
            return {false, {}, tr("Choose one of: %1.").arg(choices->join(QStringLiteral(", ")))};
        if (spec.key == QLatin1String("fontFamily") && text.trimmed().isEmpty())
            return {false, {}, tr("Choose a font.")};
        return {true, text, {}};
    }
    // Numbers: typed text in the C locale, or the number a slider or stepper gives.
    double v = 0;
    bool ok = false;
    if (input.typeId() == QMetaType::QString) {
        const QString text = input.toString().trimmed();
        v = QLocale::c().toDouble(text, &ok);
        if (!ok) {
            // A whole number typed in the user's own locale ("1 200") is a number too.
            v = QLocale().toDouble(text, &ok);
        }
    } else if (input.typeId() == QMetaType::Bool) {
        v = input.toBool() ? 1 : 0;
        ok = true;
    } else {
        v = input.toDouble(&ok);
    }
    if (!ok || !std::isfinite(v))
        return {false, {}, tr("Type a number.")};
    const auto range = rangeOf(spec.control);
    const bool whole = spec.type == BindingSpec::Type::Int || (range && range->whole && isTextField(spec.control));
    if (whole && v != std::trunc(v))
        return {false, {}, tr("Type a whole number.")};
    if (range && (v < range->low || v > range->high)) {
        return {false, {},
                tr("Type a number from %1 to %2.").arg(QString::number(range->low), QString::number(range->high))};
    }
    // A segment or pop-up index names one of the control's items.
    if (spec.binding == QLatin1String("selectedIndex") && v < 0)
        return {false, {}, tr("Choose one of the segments.")};
    if (!range && spec.type == BindingSpec::Type::Int && (v < -2147483648.0 || v > 2147483647.0))
        return {false, {}, tr("The number is too large.")};
    v = GraphicLimits::clamp(spec.key, v, v);
    switch (spec.type) {
    case BindingSpec::Type::Int:
        return {true, QVariant(int(v)), {}};
    case BindingSpec::Type::Float:
        return {true, QVariant(float(v)), {}};
    default:
        return {true, QVariant(v), {}};
    }
}

EditResult InspectorBindings::apply(const QString &key, const QVariant &value, const QList<SKTGraphic *> &graphics)
{
    UndoManager *undo = m_selection.undoManager();
    if (undo)
        undo->beginUndoGrouping();
    for (SKTGraphic *g : graphics)
        g->setValue(key, value);
    if (undo) {
        undo->endUndoGrouping();
        // A typed value is a step of its own, even when more happens in this pass.
        if (m_dragDepth == 0)
            undo->closeAutomaticGroup();
    }
    refresh();
    return {true, {}};
}

EditResult InspectorBindings::edit(const QString &control, const QVariant &input)
{
    // A control being shown the selection's value is not being edited.
    if (!m_bound || m_pushing)
        return {};
    const auto it = m_byControl.find(control);
    if (it == m_byControl.end())
        return {};
    const BindingSpec &spec = m_table[*it];
    const QList<SKTGraphic *> graphics = m_selection.selectedGraphics();
    if (graphics.isEmpty())
        return {};
    if (control == kRotationCheck) {
        // The box shows whether the graphics are turned; turning it on writes
        // nothing, turning it off puts every selected graphic upright.
        const bool on = input.typeId() == QMetaType::Bool ? input.toBool() : input.toInt() != 0;
        if (on) {
            m_shown.remove(control);
            refresh();
            return {true, {}};
        }
        return apply(spec.key, QVariant(0.0f), graphics);
    }
    const Prepared p = prepare(spec, input);
    if (!p.ok) {
        // The field shows the selection's value again.
        m_shown.remove(control);
        refresh();
        return {false, p.message};
    }
    return apply(spec.key, p.value, graphics);
}

void InspectorBindings::beginSliderDrag()
{
    if (UndoManager *undo = m_selection.undoManager())
        undo->beginUndoGrouping();
    ++m_dragDepth;
}

void InspectorBindings::endSliderDrag()
{
    if (m_dragDepth == 0)
        return;
    --m_dragDepth;
    if (UndoManager *undo = m_selection.undoManager()) {
        undo->endUndoGrouping();
        if (m_dragDepth == 0)
            undo->closeAutomaticGroup();
    }
}

EditResult InspectorBindings::setColumnGapLevel(const QString &level)
{
    const int spacing = levelValue(level);
    if (spacing < 0)
        return {false, tr("Choose a level from None to XXL.")};
    QList<SKTGraphic *> sections;
    for (SKTGraphic *g : m_selection.selectedGraphics())
        if (g->gridType() == QLatin1String("section"))
            sections.append(g);
    if (sections.isEmpty())
        return {};
    return apply(QStringLiteral("padding"), QVariant(spacing), sections);
}

EditResult InspectorBindings::setLayerIndex(const QString &text)
{
    const LayerIndexInput input = parseLayerIndex(text);
    if (input.kind == LayerIndexInput::Kind::Refused)
        return {false, tr("Type a whole number, or nothing to clear the index.")};
    const QList<SKTGraphic *> graphics = m_selection.selectedGraphics();
    if (graphics.isEmpty())
        return {};
    return apply(QStringLiteral("manualLayerIndex"), QVariant(input.value), graphics);
}
