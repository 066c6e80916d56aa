// The page settings window's rules: which switches show, what greys, and where
// the two header code panes sit.
#include "document/PageSettingsRules.h"

#include <gtest/gtest.h>

namespace {

using State = PageSettingsRules::State;

State page(const char *name, bool baseExists, bool useBase)
{
    State s;
    s.fileName = QString::fromLatin1(name);
    s.baseTemplateExists = baseExists;
    s.useBaseTemplate = useBase;
    s.inheritMetadata = true;  // flags as stored, before the switch rule runs
    s.inheritCustomHeader = true;
    s.baseMetaDescription = QStringLiteral("site description");
    s.baseMetaKeywords = QStringLiteral("a, b");
    s.metaDescription = QStringLiteral("own description");
    return s;
}

TEST(PageSettingsRules, BaseTemplateSwitchDecidesTheOthers)
{
    struct Case {
        const char *name;
        State state;
        bool baseSwitch, inheritSwitches, background, baseHeader, metadataEditable;
        const char *qualityLabel;
    } cases[] = {
        {"the base template itself", page("basetemplate", true, true), false, false, true, false, true,
         "Background Image Quality (JPEG)"},
        {"a site without one", page("index", false, true), false, false, true, false, true, "Background Image Quality (JPEG)"},
        {"using it", page("index", true, true), true, true, false, true, false, "Inherited from Base Template"},
        {"not using it", page("index", true, false), true, false, true, false, true, "Background Image Quality (JPEG)"},
    };
    for (Case &c : cases) {
        PageSettingsRules::updateBaseTemplateTextFields(c.state);
        EXPECT_EQ(c.state.baseSwitchVisible, c.baseSwitch) << c.name;
        EXPECT_EQ(c.state.inheritSwitchesVisible, c.inheritSwitches) << c.name;
        EXPECT_EQ(c.state.backgroundControlsVisible, c.background) << c.name;
        EXPECT_EQ(c.state.baseHeaderVisible, c.baseHeader) << c.name;
        EXPECT_EQ(c.state.metadataEditable, c.metadataEditable) << c.name;
        EXPECT_EQ(c.state.backgroundQualityLabel, QString::fromLatin1(c.qualityLabel)) << c.name;
        EXPECT_EQ(c.state.metaDescription, QStringLiteral("own description")) << "the base switch leaves the texts";
    }
}

TEST(PageSettingsRules, MetadataWidthAndHeaderPanes)
{
    State s = page("index", true, true);
    PageSettingsRules::updateBaseTemplateTextFields(s);
    PageSettingsRules::updateMetadataSwitchValue(s);
    EXPECT_EQ(s.metaDescription, QStringLiteral("site description"));
    EXPECT_EQ(s.metaKeywords, QStringLiteral("a, b"));
    s.inheritMetadata = false;
    PageSettingsRules::updateMetadataSwitchValue(s);
    EXPECT_TRUE(s.metadataEditable);
    EXPECT_EQ(s.metaDescription, QStringLiteral("site description")) << "kept, now editable";

    s.manualWidth = true;
    PageSettingsRules::changePageWidthCalculateSetting(s);
    EXPECT_TRUE(s.widthEditable);
    s.manualWidth = false;
    PageSettingsRules::changePageWidthCalculateSetting(s);
    EXPECT_FALSE(s.widthEditable);

    // Inherited pane above the page's own; without it the page's pane fills the area.
    PageSettingsRules::HeaderLayout both = PageSettingsRules::adjustCustomHeaderObjects(s, QSize(400, 300));
    EXPECT_EQ(both.baseLabel, QRect(5, 0, 400, 20));
    EXPECT_EQ(both.baseScroll, QRect(0, 20, 400, 50));
    EXPECT_EQ(both.label, QRect(5, 70, 400, 20));
    EXPECT_EQ(both.scroll, QRect(0, 90, 400, 210));
    s.inheritCustomHeader = false;
    PageSettingsRules::updateCustomHeaderCodeSwitchValue(s);
    EXPECT_FALSE(s.baseHeaderVisible);
    PageSettingsRules::HeaderLayout own = PageSettingsRules::adjustCustomHeaderObjects(s, QSize(400, 300));
    EXPECT_TRUE(own.baseLabel.isNull());
    EXPECT_EQ(own.label, QRect(5, 0, 400, 20));
    EXPECT_EQ(own.scroll, QRect(0, 20, 400, 280));
    // A resize too small for the pane never gives a negative height.
    EXPECT_EQ(PageSettingsRules::adjustCustomHeaderObjects(s, QSize(100, 10)).scroll.height(), 0);
}

}  // namespace
