// The fixed inspector panel: its sections, places and a typed edit.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "sidebar/SidebarBindings.h"
#include "sidebar/ui/FixedSidebarPanel.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {
class Selection : public SelectionProxy {
public:
    explicit Selection(SKTDocument &doc) : m_doc(doc) {}
    QList<SKTGraphic *> selectedGraphics() const override { return m_selected; }
    UndoManager *undoManager() const override { return &m_doc.undoManager(); }
    QList<SKTGraphic *> m_selected;

private:
    SKTDocument &m_doc;
};
} // namespace

TEST(FixedInspectorPanelTest, ShowsOneSectionAndEditsTheSelection)
{
    EditionSettings::resetToInitialState();
    gInspectorBorderOption = true;
    SKTDocument doc;
    auto a = std::make_shared<SKTText>();
    auto b = std::make_shared<SKTText>();
    a->setOpacity(0.2);
    doc.insertGraphics({a, b}, {0, 1});
    doc.undoManager().closeAutomaticGroup();
    const int steps = doc.undoManager().undoCount();
    Selection selection(doc);
    selection.m_selected = {a.get(), b.get()};
    InspectorBindings bindings(selection);
    {
        FixedInspectorPanel panel(bindings);
        panel.resize(270, 680);
        panel.show();
        panel.switchInspectorView(1);
        panel.switchInspectorView(2);
        int visible = 0;
        for (int i = 0; i < 3; ++i)
            visible += panel.sectionView(i)->isVisible();
        EXPECT_EQ(visible, 1);
        EXPECT_EQ(panel.sectionView(2)->geometry().y(), 140);
        QLabel *note = nullptr;
        for (QLabel *l : panel.sectionView(2)->findChildren<QLabel *>())
            if (l->text() == QLatin1String("*Preview to see scroll effects"))
                note = l;
        ASSERT_TRUE(note);
        EXPECT_EQ(note->x(), 60);
        EXPECT_EQ(panel.findChild<QSlider *>(QStringLiteral("borderWidthSlider"))->maximum(), 30);

        panel.switchInspectorView(0);
        auto *opacity = panel.findChild<QLineEdit *>(QStringLiteral("opacityTextField"));
        ASSERT_TRUE(opacity);
        EXPECT_EQ(opacity->text(), QString());  // mixed
        opacity->setFocus();
        QTest::keyClicks(opacity, QStringLiteral("0.75"));
        QTest::keyClick(opacity, Qt::Key_Return);
        EXPECT_DOUBLE_EQ(a->opacity(), 0.75);
        EXPECT_DOUBLE_EQ(b->opacity(), 0.75);
        EXPECT_EQ(doc.undoManager().undoCount(), steps + 1);
        EXPECT_EQ(opacity->text(), QStringLiteral("0.75"));
    }
    EditionSettings::resetToInitialState();
}

TEST(FixedInspectorPanelTest, ColourCaptionsAreMadeAnewAndButtonsSitUnderThem)
{
    EditionSettings::resetToInitialState();
    gInspectorBorderOption = true;
    gHoverColorsShown = false;
    SKTDocument doc;
    Selection selection(doc);
    InspectorBindings bindings(selection);
    {
        FixedInspectorPanel panel(bindings);
        QStringList texts;
        for (QLabel *l : panel.colorLabels())
            texts << l->text();
        EXPECT_EQ(texts, (QStringList{QStringLiteral("Text"), QStringLiteral("Shape"), QStringLiteral("Border / Line"),
                                      QStringLiteral("Background")}));
        panel.refreshColorLabels();
        EXPECT_EQ(panel.colorLabels().size(), 4);
        EXPECT_EQ(panel.sectionView(1)->findChildren<QLabel *>(QStringLiteral("selectedShapeColorLabel")).size(), 1)
            << "a new caption replaces the old one";
        QWidget *shape = panel.findChild<QWidget *>(QStringLiteral("selectedShapeColorButton"));
        ASSERT_TRUE(shape);
        EXPECT_EQ(shape->geometry(), QRect(35, 95 + 20 + 5, 200, 30));
        EXPECT_EQ(panel.findChild<QWidget *>(QStringLiteral("selectedHoverColorButton")), nullptr);
    }
    EditionSettings::resetToInitialState();
}

TEST(FixedInspectorPanelTest, TheEditionsHiddenControlsStayHiddenWhateverIsSelected)
{
    EditionSettings::resetToInitialState();
    SKTDocument doc;
    auto text = std::make_shared<SKTText>();
    doc.insertGraphics({text}, {0});
    Selection selection(doc);
    InspectorBindings bindings(selection);
    FixedInspectorPanel panel(bindings);
    panel.resize(270, 680);
    panel.show();
    const QStringList hidden{QStringLiteral("altTextField"), QStringLiteral("linkTextFieldLabel"),
                             QStringLiteral("hyperLinkTextField"), QStringLiteral("linkOptionSegmentedControl"),
                             QStringLiteral("scrollSegmentedControl"), QStringLiteral("scrollTextFieldLabel")};
    panel.hideEditionControls(hidden);
    const auto isShown = [&panel](const QString &name) {
        QWidget *w = panel.findChild<QWidget *>(name);
        return w && !w->isHidden();
    };
    // A selection shows the bound controls again; the hidden ones stay away.
    selection.m_selected = {text.get()};
    panel.graphicTouched(selection.m_selected, QStringLiteral("FFFFFF"));
    for (int section = 0; section < 3; ++section) {
        panel.switchInspectorView(section);
        for (const QString &name : hidden)
            EXPECT_FALSE(isShown(name)) << qPrintable(name);
    }
    EXPECT_TRUE(isShown(QStringLiteral("opacitySlider")));
    EXPECT_TRUE(isShown(QStringLiteral("fontSizeTextbox")));
    // The size field and its stepper do not overlap.
    const QRect field = panel.findChild<QWidget *>(QStringLiteral("fontSizeTextbox"))->geometry();
    const QRect stepper = panel.findChild<QWidget *>(QStringLiteral("fontSizeStepper"))->geometry();
    EXPECT_FALSE(field.intersects(stepper));
    EXPECT_LE(stepper.right(), FixedInspectorPanel::kWidth);
}
