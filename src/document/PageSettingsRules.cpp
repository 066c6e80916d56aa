#include "document/PageSettingsRules.h"

bool PageSettingsRules::showsBaseTemplateControls(const State &s)
{
    return s.fileName != QLatin1String("basetemplate") && s.baseTemplateExists;
}

void PageSettingsRules::updateBaseTemplateTextFields(State &s)
{
    if (!showsBaseTemplateControls(s)) {
        s.baseSwitchVisible = false;
        s.inheritSwitchesVisible = false;
        s.baseHeaderVisible = false;
        return;
    }
    s.baseSwitchVisible = true;
    if (s.useBaseTemplate) {
        s.backgroundControlsVisible = false;
        s.backgroundQualityLabel = QStringLiteral("Inherited from Base Template");
        s.inheritMetadata = true;
        s.inheritCustomHeader = true;
        s.inheritSwitchesVisible = true;
    } else {
        s.backgroundControlsVisible = true;
        s.backgroundQualityLabel = QStringLiteral("Background Image Quality (JPEG)");
        s.inheritMetadata = false;
        s.inheritCustomHeader = false;
        s.inheritSwitchesVisible = false;
    }
    s.baseHeaderVisible = s.inheritCustomHeader;
    // The fields' texts stay as they are here; only the metadata switch fills them.
    s.metadataEditable = !s.inheritMetadata;
}

void PageSettingsRules::updateMetadataSwitchValue(State &s)
{
    s.metadataEditable = !s.inheritMetadata;
    if (s.inheritMetadata) {
        s.metaDescription = s.baseMetaDescription;
        s.metaKeywords = s.baseMetaKeywords;
    }
}

void PageSettingsRules::updateCustomHeaderCodeSwitchValue(State &s)
{
    s.baseHeaderVisible = s.inheritCustomHeader && showsBaseTemplateControls(s);
}

void PageSettingsRules::changePageWidthCalculateSetting(State &s)
{
    s.widthEditable = s.manualWidth;
}

PageSettingsRules::HeaderLayout PageSettingsRules::adjustCustomHeaderObjects(const State &s, const QSize &area, int labelHeight)
{
    HeaderLayout l;
    const int w = area.width();
    if (s.inheritCustomHeader && showsBaseTemplateControls(s)) {
        l.baseLabel = QRect(5, 0, w, 20);
        l.baseScroll = QRect(0, 20, w, 50);
    }
    const int top = l.baseLabel.height() + l.baseScroll.height();
    l.label = QRect(5, top, w, labelHeight);
    l.scroll = QRect(0, top + labelHeight, w, qMax(0, area.height() - (top + labelHeight)));
    return l;
}
