#include "sidebar/SidebarActions.h"

#include "sidebar/SidebarBindings.h"
#include "model/GraphicEnvironment.h"
#include "model/SKTImage.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/Bundle.h"
#include "platform/UndoManager.h"

#include <QFile>
#include <QtDebug>
#include <cmath>

InspectorActions::InspectorActions(SelectionProxy &selection, QObject *parent)
    : QObject(parent), m_selection(selection)
{
    m_rotationTimer.setSingleShot(true);
    m_rotationTimer.setInterval(100);
    connect(&m_rotationTimer, &QTimer::timeout, this, [this] { proceedToUpdateRotation(); });
}

template <typename Fn> void InspectorActions::step(const QString &name, Fn &&fn)
{
    UndoManager *undo = m_selection.undoManager();
    if (undo)
        undo->beginUndoGrouping();
    fn();
    if (undo) {
        if (!name.isEmpty())
            undo->setActionName(name);
        undo->endUndoGrouping();
        undo->closeAutomaticGroup();
    }
}

void InspectorActions::afterBinding(InspectorBindings &bindings, const QString &control, const QVariant &input,
                                    const std::function<void()> &action)
{
    // The outer group keeps the binding's own close from ending the step early.
    step(QString(), [&] {
        if (bindings.edit(control, input).accepted && action)
            action();
    });
}

void InspectorActions::relayout(SKTGraphic &g)
{
    // Setting the bounds anew makes the graphic lay itself out and redraw.
    const QRectF b = g.bounds();
    g.setBounds(b);
}

void InspectorActions::updateBorder(int segment)
{
    step(QStringLiteral("Border Thickness"), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            if (segment == 3)
                g->setBorderWidth(0);
            else if (g->borderWidth() == 0)
                g->setBorderWidth(2);
        }
    });
}

void InspectorActions::updateReflection()
{
    step(QString(), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics())
            if (auto *image = dynamic_cast<SKTImage *>(g))
                image->applyReflection();
    });
}

void InspectorActions::updateShadow()
{
    step(QString(), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            if (auto *text = dynamic_cast<SKTText *>(g))
                text->refreshStyle();
            else if (auto *table = dynamic_cast<SKTTable *>(g))
                table->updateShadow();
        }
    });
}

QStringList InspectorActions::updateDetailedShadow(double blur, double horizontal, double vertical)
{
    step(QStringLiteral("Shadow"), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            if (!dynamic_cast<SKTImage *>(g) && !dynamic_cast<SKTText *>(g))
                continue;
            g->setShadowFlag(0);
            g->setShadowRadius(float(blur));
            g->setShadowHorizontalOffset(float(horizontal));
            g->setShadowVerticalOffset(float(vertical));
            relayout(*g);
        }
    });
    return {QString::number(int(blur)), QString::number(int(horizontal)), QString::number(int(vertical))};
}

void InspectorActions::updateOpacity()
{
    step(QString(), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            if (auto *text = dynamic_cast<SKTText *>(g))
                text->refreshStyle();
            else if (auto *table = dynamic_cast<SKTTable *>(g))
                table->updateOpacity();
        }
    });
}

QString InspectorActions::lineSpacingLabel(double sliderValue)
{
    return sliderValue > 0.0 ? QString::asprintf("%0.2f", sliderValue) : QStringLiteral("Default");
}

QString InspectorActions::updateLineSpacing(double sliderValue)
{
    step(QString(), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            if (auto *text = dynamic_cast<SKTText *>(g))
                text->refreshStyle();
            else if (auto *table = dynamic_cast<SKTTable *>(g))
                table->updateLineSpacing();
        }
    });
    return lineSpacingLabel(sliderValue);
}

void InspectorActions::updateTextViewFontSize(const QString &typed)
{
    bool ok = false;
    const int size = typed.trimmed().toInt(&ok);
    if (!ok || size <= 0)
        return;
    step(QStringLiteral("Font Size"), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            if (auto *text = dynamic_cast<SKTText *>(g)) {
                text->setFontSize(size);
                text->refreshStyle();
            } else if (auto *table = dynamic_cast<SKTTable *>(g)) {
                table->setFontSize(size);
                table->updateFontSize();
            }
        }
    });
}

int InspectorActions::updateFontSize(int stepperValue)
{
    if (stepperValue == 31)
        stepperValue = grabFirstSelectedFontSize();
    step(QString(), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            if (auto *text = dynamic_cast<SKTText *>(g))
                text->refreshStyle();
            else if (auto *table = dynamic_cast<SKTTable *>(g))
                table->updateFontSize();  // its family stays its own
        }
    });
    return stepperValue;
}

void InspectorActions::updateFontFamily(const QString &family)
{
    step(QStringLiteral("Font"), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            if (auto *text = dynamic_cast<SKTText *>(g)) {
                text->setFontFamily(family);
                text->refreshStyle();
            } else if (auto *table = dynamic_cast<SKTTable *>(g)) {
                table->setFontFamily(family);
                table->updateFontFamily();
            }
        }
    });
}

void InspectorActions::updateTextAlignment()
{
    step(QString(), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            if (auto *text = dynamic_cast<SKTText *>(g))
                text->refreshStyle();
            else if (auto *table = dynamic_cast<SKTTable *>(g))
                table->updateTextAlignment();
        }
    });
}

QString InspectorActions::updateRotation(int sliderValue)
{
    // The graphics are those selected when the drag began; a later pass of the
    // same drag keeps them.
    if (!m_rotationTimer.isActive())
        m_rotationTargets = m_selection.selectedGraphics();
    m_rotationValue = sliderValue;
    m_rotationTimer.start();
    return QString::number(sliderValue);
}

void InspectorActions::proceedToUpdateRotation()
{
    m_rotationTimer.stop();
    const QList<SKTGraphic *> targets = std::exchange(m_rotationTargets, {});
    step(QStringLiteral("Rotation"), [&] {
        for (SKTGraphic *g : targets) {
            if (!dynamic_cast<SKTImage *>(g) && !dynamic_cast<SKTText *>(g))
                continue;
            g->setRotationAngle(float(m_rotationValue));
            relayout(*g);
        }
    });
}

void InspectorActions::selectionWillChange()
{
    if (m_rotationTimer.isActive())
        proceedToUpdateRotation();
}

void InspectorActions::resetRotation(bool rotationBoxOn)
{
    if (rotationBoxOn)
        return;
    step(QStringLiteral("Rotation"), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics()) {
            g->setRotationAngle(0.0f);
            relayout(*g);
        }
    });
}

std::optional<double> InspectorActions::alignedX(int alignment, const QRectF &cell, const QRectF &graphic)
{
    switch (alignment) {
    case 0:
        return cell.x();
    case 1: {
        // Whole pixels truncated toward zero, halves too, as the pages were laid out before.
        const long long L = std::trunc(cell.x());
        const long long R = std::trunc(cell.x() + cell.width());
        const long long l = std::trunc(graphic.x());
        const long long r = std::trunc(graphic.x() + graphic.width());
        const long long offset = (L - l) + (R - L) / 2 - (r - l) / 2;
        return graphic.x() + double(offset);
    }
    case 2:
        return std::trunc(cell.x() + cell.width()) - graphic.width();
    default:
        return std::nullopt;
    }
}

void InspectorActions::align(SKTGraphic &g, int alignment)
{
    GraphicEnvironment *env = GraphicEnvironment::current();
    const QRectF b = g.bounds();
    const QRectF cell = env ? env->grabOverLappingSectionCell(b.topLeft()) : QRectF();
    if (const auto x = alignedX(alignment, cell, b))
        g.setBounds(QRectF(*x, b.y(), b.width(), b.height()));
}

void InspectorActions::updateResponsiveAlignment(int alignment)
{
    step(QString(), [&] {
        for (SKTGraphic *g : m_selection.selectedGraphics())
            if (dynamic_cast<SKTText *>(g) || dynamic_cast<SKTImage *>(g) || dynamic_cast<SKTTable *>(g))
                align(*g, alignment);
    });
}

void InspectorActions::refocusResponsiveAlignment(SKTGraphic &section)
{
    GraphicEnvironment *env = GraphicEnvironment::current();
    if (!env)
        return;
    const QList<SKTGraphic *> members = env->findObjectsInSection(section);
    step(QString(), [&] {
        for (SKTGraphic *g : members) {
            if (auto *text = dynamic_cast<SKTText *>(g)) {
                if (text->formOptionTag() == -99 && text->formTag() == -99)
                    align(*g, g->responsiveAlignment());
            } else if (dynamic_cast<SKTImage *>(g) || dynamic_cast<SKTTable *>(g)) {
                align(*g, g->responsiveAlignment());
            }
        }
    });
}

int InspectorActions::grabFirstSelectedFontSize() const
{
    const QList<SKTGraphic *> sel = m_selection.selectedGraphics();
    if (sel.isEmpty())
        return 0;
    SKTGraphic *first = sel.first();
    if (dynamic_cast<SKTText *>(first) || dynamic_cast<SKTTable *>(first))
        return first->fontSize();
    return 0;
}

bool InspectorActions::differentFontSizeSelected() const
{
    const QList<SKTGraphic *> sel = m_selection.selectedGraphics();
    if (sel.size() <= 1)
        return false;
    const int first = grabFirstSelectedFontSize();
    for (SKTGraphic *g : sel)
        if ((dynamic_cast<SKTText *>(g) || dynamic_cast<SKTTable *>(g)) && g->fontSize() != first)
            return true;
    return false;
}

QHash<QString, InspectorActions::ControlAction> InspectorActions::parseControlActions(const QString &text)
{
    QHash<QString, ControlAction> table;
    for (const QString &line : text.split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        if (f.size() < 3 || f[0].isEmpty() || f[1].isEmpty())
            continue;
        table.insert(f[0], {f[1], f[2].trimmed() == QLatin1String("instead")});
    }
    return table;
}

const QHash<QString, InspectorActions::ControlAction> &InspectorActions::controlActions()
{
    static const QHash<QString, ControlAction> table = [] {
        QFile file(Bundle::pathForData(QStringLiteral("control_actions.tsv")));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            qWarning() << "control actions table not found";
            return QHash<QString, ControlAction>();
        }
        return parseControlActions(QString::fromUtf8(file.readAll()));
    }();
    return table;
}

EditResult InspectorActions::editAndAct(InspectorBindings &bindings, const QString &control, const QVariant &input)
{
    const auto it = controlActions().constFind(control);
    if (it == controlActions().constEnd())
        return bindings.edit(control, input);
    if (it->instead) {
        perform(it->action, input);
        return {true, {}};
    }
    EditResult result;
    // The outer group keeps the binding's own close from ending the step early.
    step(QString(), [&] {
        result = bindings.edit(control, input);
        if (result.accepted)
            perform(it->action, input);
    });
    return result;
}

bool InspectorActions::perform(const QString &action, const QVariant &input)
{
    const QList<SKTGraphic *> selected = m_selection.selectedGraphics();
    const auto firstValue = [&selected](const char *key) {
        return selected.isEmpty() ? 0.0 : selected.first()->value(QLatin1String(key)).toDouble();
    };
    if (action == QLatin1String("updateBorder")) {
        // The border segments send their style's name; "none" is segment 3.
        static const QStringList styles = {QStringLiteral("solid"), QStringLiteral("dashed"), QStringLiteral("dotted"),
                                           QStringLiteral("none")};
        updateBorder(input.typeId() == QMetaType::QString ? int(styles.indexOf(input.toString())) : input.toInt());
    }
    else if (action == QLatin1String("updateReflection"))
        updateReflection();
    else if (action == QLatin1String("updateShadow"))
        updateShadow();
    else if (action == QLatin1String("updateDetailedShadow"))
        updateDetailedShadow(firstValue("shadowRadius"), firstValue("shadowHorizontalOffset"),
                             firstValue("shadowVerticalOffset"));
    else if (action == QLatin1String("updateOpacity"))
        updateOpacity();
    else if (action == QLatin1String("updateLineSpacing"))
        m_fieldText = updateLineSpacing(input.toDouble());
    else if (action == QLatin1String("updateTextViewFontSize"))
        updateTextViewFontSize(input.toString());
    else if (action == QLatin1String("updateFontSize"))
        updateFontSize(input.toInt());
    else if (action == QLatin1String("updateFontFamily") || action == QLatin1String("updateFontStyle"))
        updateFontFamily(input.toString());
    else if (action == QLatin1String("updateTextAlignment"))
        updateTextAlignment();
    else if (action == QLatin1String("updateRotation"))
        m_fieldText = updateRotation(int(std::lround(input.toDouble())));
    else if (action == QLatin1String("resetRotation"))
        resetRotation(input.toBool());
    else if (action == QLatin1String("updateResponsiveAlignment") || action == QLatin1String("updateSectionPadding"))
        // The alignment control shows the first selected graphic's alignment,
        // which its binding has just written when it sent this.
        updateResponsiveAlignment(int(firstValue("responsiveAlignment")));
    else
        return false;
    return true;
}
