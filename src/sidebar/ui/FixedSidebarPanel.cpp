#include "sidebar/ui/FixedSidebarPanel.h"

#include "config/EditionSettings.h"
#include "sidebar/ColorSwatchStyle.h"
#include "sidebar/SidebarBindings.h"
#include "sidebar/ui/SidebarControls.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {
constexpr int kSectionTop = 140;
constexpr int kSectionHeight = 540;

// x that centres a control of this width in the panel.
int centred(int width)
{
    return (FixedInspectorPanel::kWidth - width) / 2;
}
} // namespace

FixedInspectorPanel::FixedInspectorPanel(InspectorBindings &bindings, QWidget *parent)
    : QWidget(parent), m_bindings(bindings)
{
    setFixedWidth(kWidth);
    setMinimumHeight(kSectionTop + kSectionHeight);
    m_bindings.setBorderWidthMaximum(gInspectorBorderOption ? 30 : 10);
    m_controls = new InspectorControls(m_bindings, this);
    m_bindings.setObserver([this](const QString &name, const ControlDisplay &d) { m_controls->show(name, d); });
    buildHeader();
    for (QWidget *&section : m_sections) {
        section = new QWidget(this);
        section->setGeometry(0, kSectionTop, kWidth, kSectionHeight);
        section->hide();
    }
    buildStyle();
    buildColor();
    buildEffects();
    switchInspectorView(0);
    m_bindings.restoreBinding();
}

FixedInspectorPanel::~FixedInspectorPanel()
{
    m_bindings.setObserver({});
    m_bindings.unbindEverything();
}

QWidget *FixedInspectorPanel::sectionView(int section) const
{
    return section >= 0 && section < 3 ? m_sections[section] : nullptr;
}

void FixedInspectorPanel::graphicTouched(const QList<SKTGraphic *> &selected, const QString &pageColourHex)
{
    refreshColorButtons(selected, pageColourHex);
    m_bindings.restoreBinding();
}

void FixedInspectorPanel::refreshColorLabels()
{
    for (const QPointer<QLabel> &old : std::as_const(m_colorLabels))
        delete old.data();
    m_colorLabels.clear();
    for (const ColorSwatchStyle::Caption &c :
         ColorSwatchStyle::fixedPanelCaptions(gInspectorBorderOption, gHoverColorsShown)) {
        if (!c.shown)
            continue;
        QLabel *label = caption(m_sections[1], c.text, c.frame.toRect());
        label->setObjectName(c.name);
        label->show();
        m_colorLabels.append(label);
    }
}

void FixedInspectorPanel::refreshColorButtons(const QList<SKTGraphic *> &selected, const QString &pageColourHex)
{
    m_controls->showSelectionColours(selected, pageColourHex);
    for (const ColorSwatchStyle::Caption &c :
         ColorSwatchStyle::fixedPanelCaptions(gInspectorBorderOption, gHoverColorsShown))
        if (c.shown)
            place(c.buttonName, m_sections[1], c.buttonFrame.toRect());
}

QList<QLabel *> FixedInspectorPanel::colorLabels() const
{
    QList<QLabel *> list;
    for (const QPointer<QLabel> &l : m_colorLabels)
        if (l)
            list.append(l);
    return list;
}

QLabel *FixedInspectorPanel::caption(QWidget *parent, const QString &text, const QRect &frame, bool header)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(frame);
    label->setStyleSheet(header ? QStringLiteral("color:#808080; font-size:12px")
                                : QStringLiteral("color:#404040; font-size:12px"));
    if (header)
        label->setAlignment(Qt::AlignCenter);
    return label;
}

void FixedInspectorPanel::place(const QString &name, QWidget *parent, const QRect &frame, bool centre)
{
    QWidget *c = m_controls->control(name);
    if (!c)
        return;
    c->setParent(parent);
    QRect r = frame;
    if (centre)
        r.moveLeft(centred(frame.width()));
    c->setGeometry(r);
    c->setVisible(!m_controls->editionHides(name));
}

void FixedInspectorPanel::hideEditionControls(const QStringList &names)
{
    m_controls->setEditionHidden(names);
    for (QLabel *label : findChildren<QLabel *>())
        if (!label->objectName().isEmpty() && names.contains(label->objectName()))
            label->hide();
}

void FixedInspectorPanel::buildHeader()
{
    auto *tabs = new QWidget(this);
    tabs->setGeometry(centred(255), 90, 255, 30);
    m_tabs = new QButtonGroup(tabs);
    const QStringList titles{tr("Style"), tr("Color"), tr("Effects")};
    for (int i = 0; i < 3; ++i) {
        auto *b = new QToolButton(tabs);
        b->setText(titles[i]);
        b->setCheckable(true);
        b->setGeometry(i * 85, 0, 83, 30);
        m_tabs->addButton(b, i);
    }
    connect(m_tabs, &QButtonGroup::idClicked, this, &FixedInspectorPanel::switchInspectorView);
    auto *separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setGeometry(0, 130, kWidth, 1);
    place(QStringLiteral("lockSegmentedControl"), this, QRect(0, 50, 255, 40), true);
    const QStringList fields{"originXTextField", "originYTextField", "widthTextField", "heightTextField"};
    const QStringList captions{QStringLiteral("X"), QStringLiteral("Y"), tr("Width"), tr("Height")};
    const int xs[] = {10, 70, 140, 200};
    for (int i = 0; i < 4; ++i) {
        place(fields[i], this, QRect(xs[i], 25, 60, 25));
        caption(this, captions[i], QRect(xs[i], 5, 60, 20), true);
    }
}

void FixedInspectorPanel::buildStyle()
{
    QWidget *v = m_sections[0];
    place(QStringLiteral("fontPopupButton"), v, QRect(0, 10, 255, 30), true);
    place(QStringLiteral("textAlignmentSegmentedControl"), v, QRect(10, 40, 170, 40));
    // The size field and its stepper side by side: the stepper shows only
    // its arrows, right of the field.
    place(QStringLiteral("fontSizeTextbox"), v, QRect(188, 45, 44, 30));
    place(QStringLiteral("fontSizeStepper"), v, QRect(234, 47, 20, 26));
    caption(v, gInspectorBorderOption ? QStringLiteral("%1 / %2").arg(tr("Border"), tr("Line")) : tr("Border"),
            QRect(5, 80, 200, 20));
    place(QStringLiteral("borderSegmentedControl"), v, QRect(0, 100, 255, 25), true);
    place(QStringLiteral("borderWidthSlider"), v, QRect(5, 140, 205, 20));
    place(QStringLiteral("borderWidthTextField"), v, QRect(215, 140, 45, 25));
    place(QStringLiteral("opacitySlider"), v, QRect(5, 200, 205, 20));
    place(QStringLiteral("opacityTextField"), v, QRect(215, 200, 45, 25));
    place(QStringLiteral("cornerRadiusSlider"), v, QRect(5, 250, 205, 20));
    place(QStringLiteral("cornerRadiusTextField"), v, QRect(215, 250, 45, 25));
    caption(v, tr("Opacity"), QRect(5, 180, 60, 20));
    caption(v, tr("Radius"), QRect(5, 230, 100, 20));
    caption(v, tr("Hyperlink"), QRect(5, 290, 100, 20))->setObjectName(QStringLiteral("linkTextFieldLabel"));
    place(QStringLiteral("linkOptionSegmentedControl"), v, QRect(0, 340, 255, 40), true);
    place(QStringLiteral("hyperLinkTextField"), v, QRect(0, 310, 255, 30), true);
    QLabel *why = m_controls->refusalLabel(QStringLiteral("hyperLinkTextField"));
    why->setParent(v);
    why->setGeometry(5, 382, 260, 30);
}

void FixedInspectorPanel::buildColor()
{
    QWidget *v = m_sections[1];
    auto *note = new QLabel(tr("Last Color Hex Code:"), v);
    note->setGeometry(50, 10, 250, 20);
    note->setStyleSheet(QStringLiteral("font-size:10px"));
    refreshColorLabels();
    refreshColorButtons({}, QString());
}

void FixedInspectorPanel::buildEffects()
{
    QWidget *v = m_sections[2];
    caption(v, tr("Shadow"), QRect(5, 5, 100, 20));
    place(QStringLiteral("shadowSegmentedControl"), v, QRect(0, 25, 255, 25), true);
    caption(v, tr("Image Reflection"), QRect(5, 60, 200, 20));
    place(QStringLiteral("reflectionSizeSlider"), v, QRect(10, 90, 185, 20));
    place(QStringLiteral("reflectionSizeTextField"), v, QRect(195, 90, 60, 25));
    caption(v, tr("Paragraph Line Spacing"), QRect(5, 130, 200, 20));
    place(QStringLiteral("lineSpacingTextField"), v, QRect(195, 160, 60, 25));
    place(QStringLiteral("lineSpacingSlider"), v, QRect(10, 160, 185, 20));
    auto *note = new QLabel(tr("*Preview to see scroll effects"), v);
    note->setObjectName(QStringLiteral("scrollTextFieldLabel"));
    note->setGeometry(centred(150), 270, 150, 20);
    note->setStyleSheet(QStringLiteral("color:#808080; font-size:10px"));
    place(QStringLiteral("altTextField"), v, QRect(0, 200, 255, 30), true);
    place(QStringLiteral("scrollSegmentedControl"), v, QRect(0, 240, 255, 25), true);
}

void FixedInspectorPanel::switchInspectorView(int section)
{
    if (section < 0 || section > 2)
        return;
    m_section = section;
    for (int i = 0; i < 3; ++i)
        m_sections[i]->setVisible(i == section);
    if (QAbstractButton *b = m_tabs->button(section))
        b->setChecked(true);
    m_tabs->setExclusive(true);
}
