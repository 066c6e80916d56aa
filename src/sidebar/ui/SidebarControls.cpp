#include "sidebar/ui/SidebarControls.h"

#include "sidebar/SidebarBindings.h"
#include "config/DataCentreColours.h"
#include "config/EditionSettings.h"
#include "sidebar/ColorSwatchStyle.h"
#include "sidebar/SidebarFonts.h"
#include "model/SKTGraphic.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <cmath>

namespace {
// Sliders move in hundredths for ranges that are not whole numbers.
constexpr double kFineSteps = 100.0;

const QHash<QString, QStringList> &segmentTitles()
{
    static const QHash<QString, QStringList> t{
        {QStringLiteral("initialStateSegmentedControl"), {QStringLiteral("Shown"), QStringLiteral("Hidden")}},
        {QStringLiteral("lockSegmentedControl"), {QStringLiteral("Unlock"), QStringLiteral("Lock")}},
        {QStringLiteral("textAlignmentSegmentedControl"),
         {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right"), QStringLiteral("Justify")}},
        {QStringLiteral("verticalAlignmentSegmentedControl"),
         {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom")}},
        {QStringLiteral("borderSegmentedControl"),
         {QStringLiteral("solid"), QStringLiteral("dashed"), QStringLiteral("dotted"), QStringLiteral("none")}},
        {QStringLiteral("lineSegmentedControl"),
         {QStringLiteral("solid"), QStringLiteral("dashed"), QStringLiteral("dotted"), QStringLiteral("none")}},
        {QStringLiteral("shadowSegmentedControl"), {QStringLiteral("No Shadow"), QStringLiteral("Shadow")}},
        {QStringLiteral("linkOptionSegmentedControl"),
         {QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent")}},
        {QStringLiteral("scrollSegmentedControl"), {QStringLiteral("Scrolling"), QStringLiteral("Non Scrolling")}},
        {QStringLiteral("responsiveAlignmentControl"),
         {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")}},
        {QStringLiteral("responsiveSizeSegmentedControl"), {QStringLiteral("Fixed"), QStringLiteral("Fluid")}},
    };
    return t;
}

QStringList popupItems(const QString &name)
{
    if (name.endsWith(QLatin1String("LevelPopupButton")))
        return {"None", "Tiny", "Small", "Medium", "Large", "XL", "XXL"};
    if (name.endsWith(QLatin1String("PopupButton")) && name != QLatin1String("fontPopupButton"))
        return {"pixel", "%"};
    return {};
}
} // namespace

InspectorControls::InspectorControls(InspectorBindings &bindings, QObject *parent)
    : QObject(parent), m_bindings(bindings)
{
}

InspectorControls::~InspectorControls()
{
    // Controls that no row or panel took are ours to delete.
    for (const auto &c : std::as_const(m_controls))
        if (c && !c->parent())
            delete c.data();
    for (const auto &l : std::as_const(m_refusals))
        if (l && !l->parent())
            delete l.data();
}

QLabel *InspectorControls::refusalLabel(const QString &name)
{
    auto &label = m_refusals[name];
    if (!label) {
        label = new QLabel;
        label->setWordWrap(true);
        label->setStyleSheet(QStringLiteral("color:#B00000; font-size:10px"));
        label->hide();
    }
    return label;
}

void InspectorControls::report(const QString &name, const QString &message)
{
    QLabel *label = refusalLabel(name);
    label->setText(message);
    label->setVisible(!message.isEmpty() && label->parentWidget());
}

EditResult InspectorControls::edit(const QString &name, const QVariant &input)
{
    return m_editHandler ? m_editHandler(name, input) : m_bindings.edit(name, input);
}

QWidget *InspectorControls::control(const QString &name)
{
    if (QWidget *existing = m_controls.value(name))
        return existing;
    QWidget *made = make(name);
    m_controls.insert(name, made);
    if (name.endsWith(QLatin1String("ColorButton")))
        setSwatchColor(name, QColor());
    return made;
}

QWidget *InspectorControls::make(const QString &name)
{
    QWidget *made = nullptr;
    if (name.endsWith(QLatin1String("TextField")) || name.endsWith(QLatin1String("Textbox"))) {
        auto *field = new QLineEdit;
        field->setAlignment(Qt::AlignCenter);
        if (name == QLatin1String("rotationAngleTextField") || name == QLatin1String("reflectionSizeTextField")
            || name == QLatin1String("lineSpacingTextField"))
            field->setReadOnly(true);
        connect(field, &QLineEdit::editingFinished, this, [this, name, field] {
            if (m_showing || !field->isModified())
                return;
            field->setModified(false);
            report(name, edit(name, field->text()).message);
        });
        made = field;
    } else if (name.endsWith(QLatin1String("Slider"))) {
        auto *slider = new QSlider(Qt::Horizontal);
        const auto range = m_bindings.rangeOf(name);
        const double scale = range && !range->whole ? kFineSteps : 1.0;
        if (range)
            slider->setRange(int(std::lround(range->low * scale)), int(std::lround(range->high * scale)));
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setProperty("zovScale", scale);
        connect(slider, &QSlider::sliderPressed, this, [this] { m_bindings.beginSliderDrag(); });
        connect(slider, &QSlider::sliderReleased, this, [this] { m_bindings.endSliderDrag(); });
        connect(slider, &QSlider::valueChanged, this, [this, name, scale](int v) {
            if (!m_showing)
                edit(name, double(v) / scale);
        });
        made = slider;
    } else if (name.endsWith(QLatin1String("Stepper"))) {
        auto *stepper = new QSpinBox;
        stepper->setRange(5, 295);
        stepper->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        connect(stepper, &QSpinBox::valueChanged, this, [this, name](int v) {
            if (!m_showing)
                edit(name, v);
        });
        made = stepper;
    } else if (name.endsWith(QLatin1String("Checkmark"))) {
        auto *box = new QCheckBox(name == QLatin1String("rotationApplyCheckmark") ? tr("Apply Rotation")
                                                                                  : tr("Apply Mask"));
        connect(box, &QCheckBox::clicked, this, [this, name](bool on) {
            if (!m_showing)
                edit(name, on);
        });
        made = box;
    } else if (segmentTitles().contains(name)) {
        auto *strip = new QWidget;
        auto *layout = new QHBoxLayout(strip);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto *group = new QButtonGroup(strip);
        group->setExclusive(true);
        const QStringList titles = segmentTitles().value(name);
        for (int i = 0; i < titles.size(); ++i) {
            auto *b = new QToolButton;
            b->setText(tr(titles[i].toUtf8().constData()));
            b->setCheckable(true);
            b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            group->addButton(b, i);
            layout->addWidget(b);
        }
        const bool byLabel = name == QLatin1String("borderSegmentedControl")
                             || name == QLatin1String("lineSegmentedControl")
                             || name == QLatin1String("linkOptionSegmentedControl");
        connect(group, &QButtonGroup::idClicked, this, [this, name, titles, byLabel](int id) {
            if (!m_showing)
                edit(name, byLabel ? QVariant(titles[id]) : QVariant(id));
        });
        strip->setProperty("zovGroup", QVariant::fromValue(static_cast<QObject *>(group)));
        made = strip;
    } else if (name.endsWith(QLatin1String("PopupButton"))) {
        auto *popup = new QComboBox;
        if (name == QLatin1String("fontPopupButton")) {
            const QStringList available = QFontDatabase::families();
            for (const CustomFont &f : InspectorFonts::fontList()) {
                popup->addItem(f.fontName);
                const int i = popup->count() - 1;
                // A font the system lacks shows a plain title.
                if (!available.contains(f.fontName))
                    continue;
                if (f.isCustomFont)
                    popup->setItemData(i, DataCentreColours::colorWithHexString(QStringLiteral("FF8C00")),
                                       Qt::ForegroundRole);
                if (f.isCustomFont || gInspectorElementTitles)
                    popup->setItemData(i, QFont(f.fontName, 15), Qt::FontRole);
            }
        } else {
            popup->addItems(popupItems(name));
        }
        connect(popup, &QComboBox::textActivated, this, [this, name](const QString &text) {
            if (m_showing)
                return;
            if (name == QLatin1String("columnGapLevelPopupButton"))
                m_bindings.setColumnGapLevel(text);
            else
                edit(name, text);
        });
        made = popup;
    } else if (name.endsWith(QLatin1String("ColorButton")) || name == QLatin1String("imageMaskButton")) {
        auto *button = new QPushButton;
        button->setFlat(true);
        if (name == QLatin1String("imageMaskButton")) {
            button->setText(tr("Mask Shape"));
            connect(button, &QPushButton::clicked, this, [this, button] { emit maskButtonClicked(button); });
        } else {
            connect(button, &QPushButton::clicked, this,
                    [this, name, button] { emit colorButtonClicked(name, button); });
        }
        made = button;
    }
    if (made)
        made->setObjectName(name);
    return made;
}

void InspectorControls::setSwatchColor(const QString &name, const QColor &colour)
{
    createColorButton(colour, qobject_cast<QPushButton *>(m_controls.value(name).data()));
}

namespace {
// The transparent swatch: a grey checkerboard crossed out in red.
const QImage &longClearGrid()
{
    static const QImage grid = [] {
        QImage image(200, 30, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter p(&image);
        for (int y = 0; y < 30; y += 10)
            for (int x = (y / 10) % 2 * 10; x < 200; x += 20)
                p.fillRect(x, y, 10, 10, QColor(0xCC, 0xCC, 0xCC));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xE0, 0x20, 0x20), 2));
        p.drawLine(QPointF(0, 30), QPointF(200, 0));
        return image;
    }();
    return grid;
}
} // namespace

QColor InspectorControls::returnInvertedColor(const QColor &colour)
{
    return ColorSwatchStyle::invertedColor(colour);
}

QPushButton *InspectorControls::createColorButton(const QColor &colour, QPushButton *button)
{
    if (!button)
        return nullptr;
    const ColorSwatchStyle::Swatch swatch = ColorSwatchStyle::swatch(colour, 270, longClearGrid());
    // The title is drawn onto the swatch so that it keeps its own colour.
    QImage image = swatch.image;
    QPainter p(&image);
    p.setPen(swatch.titleColor);
    p.drawText(image.rect(), Qt::AlignCenter, swatch.title);
    p.end();
    button->setIcon(QPixmap::fromImage(image));
    button->setIconSize(image.size());
    button->setText(QString());
    button->setToolTip(swatch.title);
    return button;
}

void InspectorControls::showSelectionColours(const QList<SKTGraphic *> &selected, const QString &pageColourHex)
{
    const SKTGraphic *first = selected.isEmpty() ? nullptr : selected.first();
    const auto colourOf = [first](QString (SKTGraphic::*get)() const) {
        return first ? DataCentreColours::colorOrClearWithHexString((first->*get)()) : QColor();
    };
    setSwatchColor(QStringLiteral("selectedTextColorButton"), colourOf(&SKTGraphic::textHexColorString));
    setSwatchColor(QStringLiteral("selectedShapeColorButton"), colourOf(&SKTGraphic::backgroundHexColorString));
    setSwatchColor(QStringLiteral("selectedHoverColorButton"), colourOf(&SKTGraphic::hoverColorString));
    setSwatchColor(QStringLiteral("selectedHoverTextColorButton"), colourOf(&SKTGraphic::hoverTextColorString));
    setSwatchColor(QStringLiteral("selectedBorderColorButton"), colourOf(&SKTGraphic::borderHexColorString));
    setSwatchColor(QStringLiteral("canvasColorButton"), DataCentreColours::colorOrClearWithHexString(pageColourHex));
}

void InspectorControls::setEditionHidden(const QStringList &names)
{
    m_editionHidden = names;
    for (const QString &name : names) {
        if (QWidget *w = m_controls.value(name))
            w->hide();
        if (QLabel *why = m_refusals.value(name))
            why->hide();
    }
}

void InspectorControls::show(const QString &name, const ControlDisplay &d)
{
    QWidget *w = m_controls.value(name);
    if (!w)
        return;
    m_showing = true;
    w->setEnabled(d.enabled);
    if (d.hidden || editionHides(name))
        w->hide();
    else if (w->parentWidget())
        w->show();
    if (auto *field = qobject_cast<QLineEdit *>(w)) {
        const QSignalBlocker block(field);
        field->setText(d.text);
        field->setPlaceholderText(d.placeholder);
        field->setModified(false);
    } else if (auto *slider = qobject_cast<QSlider *>(w)) {
        const QSignalBlocker block(slider);
        const double scale = slider->property("zovScale").toDouble();
        slider->setValue(d.value.isValid() ? int(std::lround(d.value.toDouble() * scale)) : slider->minimum());
    } else if (auto *stepper = qobject_cast<QSpinBox *>(w)) {
        const QSignalBlocker block(stepper);
        if (d.value.isValid())
            stepper->setValue(d.value.toInt());
    } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
        const QSignalBlocker block(box);
        box->setTristate(d.checkState == 2);
        box->setCheckState(d.checkState == 2 ? Qt::PartiallyChecked : d.checkState ? Qt::Checked : Qt::Unchecked);
    } else if (auto *popup = qobject_cast<QComboBox *>(w)) {
        const QSignalBlocker block(popup);
        popup->setCurrentIndex(d.value.isValid() ? popup->findText(d.value.toString()) : -1);
    } else if (auto *group = qobject_cast<QButtonGroup *>(w->property("zovGroup").value<QObject *>())) {
        // Mixed or no value: no segment chosen.
        group->setExclusive(false);
        for (QAbstractButton *b : group->buttons())
            b->setChecked(false);
        if (d.value.isValid()) {
            const int index = d.value.typeId() == QMetaType::QString
                                  ? int(segmentTitles().value(name).indexOf(d.value.toString()))
                                  : d.value.toInt();
            if (QAbstractButton *b = group->button(index))
                b->setChecked(true);
        }
        group->setExclusive(true);
    }
    m_showing = false;
}
