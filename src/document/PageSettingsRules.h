#pragma once
// How the page settings controls hide, enable and lay out one another: the base
// template switch and its two inherit switches, the metadata fields, the page
// width field and the two custom header code panes. Widgets only realise it.
#include <QRect>
#include <QSize>
#include <QString>

class PageSettingsRules {
public:
    struct State {
        // What the page and its site say.
        QString fileName;
        bool baseTemplateExists = false;
        QString baseMetaDescription;
        QString baseMetaKeywords;
        // The switches and fields as they stand.
        bool useBaseTemplate = false;
        bool inheritMetadata = false;
        bool inheritCustomHeader = false;
        bool manualWidth = false;
        QString metaDescription;
        QString metaKeywords;

        // What follows from them.
        bool baseSwitchVisible = false;
        bool inheritSwitchesVisible = false;
        bool backgroundControlsVisible = true;
        QString backgroundQualityLabel = QStringLiteral("Background Image Quality (JPEG)");
        bool baseHeaderVisible = false;
        bool metadataEditable = true;
        bool widthEditable = false;
    };

    struct HeaderLayout {
        QRect baseLabel;
        QRect baseScroll;
        QRect label;
        QRect scroll;
    };

    PageSettingsRules() = delete;

    // The page is the base template itself, or the site has none: no switches.
    static bool showsBaseTemplateControls(const State &state);
    // The "Use Base Template" switch (also after the window is filled).
    static void updateBaseTemplateTextFields(State &state);
    // The "Inherit Metadata" switch: on shows the base template's values, greyed.
    static void updateMetadataSwitchValue(State &state);
    static void updateCustomHeaderCodeSwitchValue(State &state);
    static void changePageWidthCalculateSetting(State &state);
    // The custom header area of size area, the page's label labelHeight high.
    static HeaderLayout adjustCustomHeaderObjects(const State &state, const QSize &area, int labelHeight = 20);
};
