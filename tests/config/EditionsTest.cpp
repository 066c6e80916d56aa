// The edition chain: which edition a display name selects and the settings
// that tell the editions apart.
#include "EditionTestSupport.h"

#include "config/EditionTable.h"

#include <QFile>
#include <QMap>
#include <algorithm>
#include <optional>

namespace {

// nullptr: the setting is absent (never written); "" : written empty.
struct EditionRow {
    const char *name;
    const char *extension;
    const char *templateFolder;
    const char *pageNoun;
    const char *familyKey;
    int32_t canvasWidth;
    int32_t canvasMaxHeight;
    float handleScale;
    bool responsive;
    const char *printSheet;
    char palette;
};

const EditionRow kEditions[] = {
    {"HTML Zov Pro", "zovpage", "templates", "page", "Zov", 1500, 30000, 1.0f, false, nullptr, 'B'},
    {"Mirvel Responsive Website Designer", "vtq", "responsive_page_templates", "page", "Tovra", 1200, 9000, 0.6f, true, nullptr, 'A'},
    {"Glentor Mails Pro 2", "glentormails", "glentormails_templates", "mail", "Lumvane", 900, 5000, 1.0f, false, nullptr, 'A'},
    {"Glentor Mails Express", "glentormails", "glentormails_templates", "mail", "Lumvane", 900, 5000, 1.0f, false, nullptr, 'A'},
    {"Quessel Pro", "quandrel", "orgchart_templates", "chart", "Chart", 10000, 10000, 1.0f, false, nullptr, 'A'},
    {"Quessel Pro 2", "quandrel", "orgchart_templates2", "chart", "Chart", 10000, 10000, 1.0f, false, nullptr, 'A'},
    {"Marrowby Recipe Manager", "zovpage", "marrowby_templates", "recipe", nullptr, 2000, 5000, 1.0f, false, nullptr, 'C'},
    {"Fenmoor", "zovpage", "fenmoor_templates", "photo", nullptr, 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Sorvane", "zovpage", "fenmoor_templates", "photo", nullptr, 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Kambrel", "zovpage", "fenmoor_templates", "video", nullptr, 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Dunmarra", "zovpage", "fenmoor_templates", "catalog", nullptr, 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Tessimor", "zovpage", "marrowby_templates", "entry", nullptr, 2000, 5000, 1.0f, false, nullptr, 'C'},
    {"Trelko Forms Pro", "zovpage", "form_templates", "form", "Forms", 1500, 30000, 1.0f, false, nullptr, 'A'},
    {"Tarnaby Pro", "quandrel", "labels_templates", "label", "Label", 1575, 600, 0.4f, false, "Label - 30 Per Letter Sheet", 'A'},
    {"Mollivan Brennix", "quandrel", "mollivan_templates", "card", "Cards", 1050, 600, 0.7f, false, "Business Card - 10 Per Letter Sheet", 'A'},
    {"Tovra Label Maker", "quandrel", "tovralabel_templates", "label", "Label", 0, 0, 0.0f, false, nullptr, 'A'},
    {"Tovra Dazed Irizi Pro", "quandrel", "flyers_templates", "flyer", "Flyer", 0, 0, 0.0f, false, nullptr, 'A'},
    {"Tovra Greeting Card Designer", "quandrel", "folding_card_templates", "1", "GreetingCard", 0, 0, 0.0f, false, nullptr, 'A'},
    {"Tovra Markup", "quandrel", "markup_templates", "design", "Markup", 10000, 60000, 1.0f, false, nullptr, 'A'},
    {"Tovra Markup Express", "quandrel", "markup_templates", "design", "MarkupExpress", 10000, 60000, 1.0f, false, nullptr, 'A'},
    {"Wemba Image Notes", "quandrel", "markup_templates", "design", "WembaMarkup", 10000, 60000, 1.0f, false, nullptr, 'A'},
    {"Tovra PDF Author", "zel", "manual_templates", "", "Manual", 0, 0, 1.0f, false, nullptr, 'A'},
    {"Tovra Family Tree Maker", "quandrel", "mollivan_templates", "label", "familyTree", 10000, 60000, 1.0f, false, nullptr, 'A'},
    {"Mirvel Responsive Email Designer", "kx", "responsive_mail_templates", "mail", "Mail", 1200, 10000, 0.7f, true, nullptr, 'A'},
    {"Tovra Responsive Form Designer", "trelkoforms", "responsive_form_templates", "form", "ResponsiveForms", 1300, 10000, 0.5f, true, nullptr, 'A'},
    {"Trelko Forms Pro 2", "zovpage", "form_templates", "form", "Forms", 1200, 10000, 1.0f, false, nullptr, 'A'},
    {"Pellamy", "pelprofile", "pel_human_templates", "profile", nullptr, 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Pellamy 2", "pelprofile", "pel2_templates", "profile", "Pellamy2", 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Pellamy Viewer", "pelprofile", "pel_human_templates", "profile", nullptr, 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Pellamy Vet Edition", "pelprofile", "pel_templates", "profile", nullptr, 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Carrowel", "profile", "carrowel_templates", "profile", nullptr, 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Didedaz Aza Voreda Duvovaro Davado", "zovpage", "templates", "page", nullptr, 1500, 60000, 1.0f, false, nullptr, 'C'},
    {"Ostravel Business Card Designer", "quandrel", "drubbcards_templates", "1", "DrubbMollivan", 1050, 600, 0.7f, false, "Business Card - 10 Per Letter Sheet", 'B'},
    {"Ostravel eCard Designer", "quandrel", "ecard_templates", "1", "DrubbMollivan", 1800, 1200, 0.4f, false, "Post Card - 4\" x 6\"", 'B'},
    {"Ostravel Envelope Designer", "quandrel", "envelope_templates", "1", "DrubbMollivan", 684, 297, 1.0f, false, "Envelope #10 4.125\" x 9.5\"", 'B'},
    // Any other name: the default edition.
    {"Some Other Designer", "zovpage", nullptr, nullptr, nullptr, 1500, 5000, 1.0f, false, nullptr, 'C'},
};

void expectString(const QString &actual, const char *expected, const char *setting)
{
    if (!expected) {
        EXPECT_TRUE(actual.isNull()) << setting << " should be absent, is \"" << actual.toStdString() << "\"";
    } else {
        EXPECT_FALSE(actual.isNull()) << setting << " should be written";
        EXPECT_EQ(actual, QString::fromUtf8(expected)) << setting;
    }
}

QStringList palette(char which)
{
    return which == 'A' ? DataCentre::paletteA() : which == 'B' ? DataCentre::paletteB() : DataCentre::paletteC();
}

} // namespace

TEST_F(EditionTest, EveryEditionWritesTheSettingsThatSetItApart)
{
    for (const EditionRow &row : kEditions) {
        SCOPED_TRACE(row.name);
        launch(QString::fromUtf8(row.name));
        expectString(gDocumentExtension, row.extension, "gDocumentExtension");
        expectString(gTemplateFolder, row.templateFolder, "gTemplateFolder");
        expectString(gPageNoun, row.pageNoun, "gPageNoun");
        expectString(gEditionFamilyKey, row.familyKey, "gEditionFamilyKey");
        expectString(gDefaultPrintSheet, row.printSheet, "gDefaultPrintSheet");
        EXPECT_EQ(gCanvasWidth, row.canvasWidth);
        EXPECT_EQ(gCanvasMaxHeight, row.canvasMaxHeight);
        EXPECT_FLOAT_EQ(gHandleScale, row.handleScale);
        EXPECT_EQ(gResponsiveEdition, row.responsive);
        EXPECT_EQ(gColorPalette, palette(row.palette));
        EXPECT_EQ(gBaseTemplateName, QStringLiteral("basetemplate.") + QString::fromUtf8(row.extension));
    }
}

TEST_F(EditionTest, TheTableHoldsThirtyFiveEditionsInTestOrder)
{
    const EditionTable &table = EditionTable::shared();
    ASSERT_EQ(table.editions().size(), 35);
    for (qsizetype i = 0; i < table.editions().size(); ++i)
        EXPECT_EQ(table.editions().at(i).key, QString::fromUtf8(kEditions[i].name));
}

TEST_F(EditionTest, EverySettingNamedInTheTableExists)
{
    const EditionTable &table = EditionTable::shared();
    QList<EditionEntry> entries = table.editions();
    entries.append(table.defaultEdition());
    for (const EditionEntry &entry : entries) {
        for (auto it = entry.settings.begin(); it != entry.settings.end(); ++it) {
            EXPECT_NE(EditionSettings::binding(it.key()), nullptr) << entry.key.toStdString() << ": " << it.key().toStdString();
            // A value of the wrong kind ("1500" for a number, a string for a list) would be dropped at launch.
            EXPECT_TRUE(EditionSettings::setValue(it.key(), it.value())) << entry.key.toStdString() << ": " << it.key().toStdString();
        }
        for (const QString &flag : entry.flags) {
            const EditionSettings::Binding *binding = EditionSettings::binding(flag);
            ASSERT_NE(binding, nullptr) << entry.key.toStdString() << ": " << flag.toStdString();
            EXPECT_TRUE(std::holds_alternative<bool *>(binding->target)) << flag.toStdString();
        }
    }
}

TEST_F(EditionTest, TheDisplayNameMustMatchAKeyExactly)
{
    struct Case {
        QString displayName;
        const char *familyKey; // nullptr: the default edition
    } cases[] = {
        {QStringLiteral("HTML Zov Pro"), "Zov"},
        {QStringLiteral("HTML Zov Pro "), nullptr},
        {QStringLiteral(" HTML Zov Pro"), nullptr},
        {QStringLiteral("html zov pro"), nullptr},
        {QStringLiteral("HTML Zov"), nullptr},
        {QStringLiteral("HTML Zov Pro 2"), nullptr},
        {QString(), nullptr},
        {QStringLiteral(""), nullptr},
        {QStringLiteral("Pellamy 2"), "Pellamy2"},
        {QStringLiteral("Quessel Pro 2"), "Chart"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.displayName.toStdString());
        launch(c.displayName);
        EXPECT_EQ(gAppName, c.displayName);
        expectString(gEditionFamilyKey, c.familyKey, "gEditionFamilyKey");
        if (!c.familyKey) {
            EXPECT_EQ(gCanvasMaxHeight, 5000); // the default edition's canvas
            EXPECT_TRUE(gTemplateFolder.isNull());
        }
    }
    // "Quessel Pro 2" is its own edition, not "Quessel Pro" matched by prefix.
    launch(QStringLiteral("Quessel Pro 2"));
    EXPECT_EQ(gTemplateFolder, QStringLiteral("orgchart_templates2"));
    EXPECT_TRUE(gCanvasDragOption);
}

TEST_F(EditionTest, TheDefaultEditionWritesOnlyItsFewSettings)
{
    launch(QStringLiteral("No Such Edition"));
    EXPECT_TRUE(gPageNoun.isNull());
    EXPECT_TRUE(gNewProjectName.isNull());
    EXPECT_TRUE(gAppIcon.isNull());
    EXPECT_TRUE(gDefaultCategories.isEmpty());
    EXPECT_TRUE(gPresetStyleFontNames.isEmpty());
    EXPECT_EQ(gStarterTemplateFiles, QStringList{QStringLiteral("blank/Blank.zovpage")});
    EXPECT_EQ(gBaseTemplateName, QStringLiteral("basetemplate.zovpage"));
    EXPECT_TRUE(gInspectorExpanded);
    EXPECT_FALSE(gHideLink);
    EXPECT_FALSE(gHideLock);
    EXPECT_EQ(gSidePanelWidth, 200);
    EXPECT_EQ(gPageIconColumns, 1);
    EXPECT_EQ(gPreviewCanvasWidth, 500);
    EXPECT_FLOAT_EQ(gHandleLineWidth, 4.0f);
    EXPECT_EQ(gImageSizeLimit, -999);
    EXPECT_EQ(gColorPalette.size(), 140);
    EXPECT_EQ(gColorPalette.value(0), QStringLiteral("CLEAR0"));
}

// How many editions set each flag or write each setting: a check of the
// per-edition rows against the settings' own summaries (the default edition
// counts too; of these it only sets gInspectorExpanded).
TEST_F(EditionTest, FlagsAreSetInAsManyEditionsAsTheirSummariesSay)
{
    const QMap<QString, int> flagCounts = {
        {QStringLiteral("gUnicodeFileNames"), 19},      {QStringLiteral("gKeepImageNames"), 19},
        {QStringLiteral("gSingleDocumentMode"), 8},     {QStringLiteral("gUseFullCanvasForImage"), 12},
        {QStringLiteral("gClearCanvasBackground"), 15}, {QStringLiteral("gTableImagesEnabled"), 7},
        {QStringLiteral("gPageTitleEnabled"), 24},      {QStringLiteral("gCanvasDragOption"), 19},
        {QStringLiteral("gTableCellSelection"), 14},    {QStringLiteral("gTableUniformSizing"), 21},
        {QStringLiteral("gRoundedTextCorners"), 16},    {QStringLiteral("gHideLink"), 22},
        {QStringLiteral("gHideTooltip"), 18},           {QStringLiteral("gHideClickToEnlarge"), 19},
        {QStringLiteral("gHidePositionSettings"), 25},  {QStringLiteral("gHideGalleryImageCaption"), 8},
        {QStringLiteral("gInspectorExpanded"), 19},     {QStringLiteral("gHoverColorsShown"), 11},
        {QStringLiteral("gInspectorBorderOption"), 17}, {QStringLiteral("gHideCustomFontsInInspector"), 19},
        {QStringLiteral("gInspectorElementTitles"), 20}, {QStringLiteral("gHidePageLink"), 24},
        {QStringLiteral("gHideTotalRefresh"), 9},       {QStringLiteral("gMainLaunchPageOption"), 30},
        {QStringLiteral("gLockPageFileNameField"), 14}, {QStringLiteral("gRefreshDocIconOnSave"), 25},
        {QStringLiteral("gLoopPagesOption"), 21},
    };
    const QMap<QString, int> writtenCounts = {
        {QStringLiteral("gEditionFamilyKey"), 24}, {QStringLiteral("gAppStorePage"), 23},
        {QStringLiteral("gTutorialPlaylist"), 14}, {QStringLiteral("gUserGuideFile"), 20},
        {QStringLiteral("gSampleDocumentFile"), 6}, {QStringLiteral("gDefaultPrintSheet"), 5},
    };
    QMap<QString, int> flags;
    QMap<QString, int> written;
    int tagged = 0;
    for (const EditionRow &row : kEditions) {
        launch(QString::fromUtf8(row.name));
        for (auto it = flagCounts.begin(); it != flagCounts.end(); ++it)
            flags[it.key()] += EditionSettings::value(it.key()).toBool() ? 1 : 0;
        for (auto it = writtenCounts.begin(); it != writtenCounts.end(); ++it)
            written[it.key()] += EditionSettings::value(it.key()).toString().isNull() ? 0 : 1;
        tagged += gPersonalizationTags.isEmpty() ? 0 : 1;
    }
    for (auto it = flagCounts.begin(); it != flagCounts.end(); ++it)
        EXPECT_EQ(flags.value(it.key()), it.value()) << it.key().toStdString();
    for (auto it = writtenCounts.begin(); it != writtenCounts.end(); ++it)
        EXPECT_EQ(written.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(tagged, 15);
}

TEST_F(EditionTest, PrintEditionsListTheirSheetTemplatesAndDefaults)
{
    launch(QStringLiteral("Ostravel Envelope Designer"));
    EXPECT_EQ(gSidePanelWidth, 300);
    EXPECT_EQ(gPageIconColumns, 2);
    EXPECT_TRUE(gReplacePageNumbers && gHideLink && gHidePageLink && gHidePositionSettings && gInspectorBorderOption);
    EXPECT_FALSE(gPaperSizeOption);
    EXPECT_EQ(gScreenshotWidth, 684);
    EXPECT_EQ(gMeasurementUnit, QStringLiteral("Inches"));
    EXPECT_EQ(gNewProjectName, QStringLiteral("New Project"));
    ASSERT_EQ(gLabelTemplates.size(), 4);
    EXPECT_EQ(gLabelTemplates[0].templateDescription, gDefaultPrintSheet);
    EXPECT_EQ(gLabelTemplates[0].brand, QStringLiteral(""));
    EXPECT_EQ(gUserGuideFile, QStringLiteral(""));

    launch(QStringLiteral("Ostravel eCard Designer"));
    EXPECT_TRUE(gMeasurementUnit.isNull());
    EXPECT_EQ(gNewProjectName, QStringLiteral("New Business Card Project"));

    launch(QStringLiteral("Mollivan Brennix"));
    EXPECT_TRUE(gPaperSizeOption);
    EXPECT_TRUE(gTutorialPlaylist.isNull());
    EXPECT_EQ(gPreviewCanvasWidth, 1050);
    EXPECT_EQ(gScreenshotWidth, 1050);

    launch(QStringLiteral("Tovra Label Maker"));
    ASSERT_TRUE(gDefaultLabelTemplate.has_value());
    EXPECT_EQ(gDefaultLabelTemplate->brand, QStringLiteral("Avery"));
    EXPECT_EQ(gDefaultLabelTemplate->templateNumber, QStringLiteral("5160"));
    EXPECT_EQ(gDefaultLabelTemplate->paperSize, QStringLiteral("na-letter"));
    EXPECT_TRUE(gDefaultPrintSheet.isNull());
    EXPECT_TRUE(gReplacePageNumbers);
    EXPECT_FALSE(gLabelTemplates.isEmpty()); // the shipped labels file
    for (qsizetype i = 1; i < gLabelTemplates.size(); ++i)
        EXPECT_LE(QString::compare(gLabelTemplates[i - 1].templateNumber, gLabelTemplates[i].templateNumber), 0);

    launch(QStringLiteral("Tovra PDF Author"));
    EXPECT_EQ(gStarterTemplateFiles, (QStringList{"blank/basetemplate.zel", "blank/1.zel", "blank/2.zel", "blank/3.zel"}));
    ASSERT_EQ(gLabelTemplates.size(), 29);
    EXPECT_EQ(gLabelTemplates[6].templateDescription, QStringLiteral("US Letter - Portrait - 72 DPI"));
    EXPECT_EQ(gLabelTemplates[28].templateDescription, QStringLiteral("12\" x 12\" HD"));
    EXPECT_EQ(gDefaultLabelTemplate->templateDescription, QStringLiteral("US Letter - Portrait HD"));
    EXPECT_TRUE(gAlwaysOutlineText && gUsesPageOrderIndex && gShowInsertBlankPage);

    launch(QStringLiteral("Tovra Greeting Card Designer"));
    EXPECT_EQ(gStarterTemplateFiles, (QStringList{"blank/2.quandrel", "blank/3.quandrel", "blank/4.quandrel"}));
    EXPECT_EQ(gLabelTemplates.size(), 12);
    EXPECT_EQ(gDefaultLabelTemplate->templateDescription, QStringLiteral("US Letter - Landscape"));
    EXPECT_TRUE(gHideDeletePage && gHideDuplicatePage && gPageTitleEnabled);
    EXPECT_FALSE(gTableImagesEnabled);

    launch(QStringLiteral("Tovra Dazed Irizi Pro"));
    ASSERT_EQ(gLabelTemplates.size(), 20);
    EXPECT_EQ(gLabelTemplates.last().templateDescription, QStringLiteral("Post Card - 6\" x 11\""));
    EXPECT_EQ(gLabelTemplates[6].paperSize, QStringLiteral("Tabloid-Oversize"));

    launch(QStringLiteral("Wemba Image Notes"));
    EXPECT_TRUE(gDefaultLabelTemplate.has_value());
    EXPECT_TRUE(gLabelTemplates.isEmpty());
    EXPECT_EQ(gAppStorePage, QStringLiteral(""));
    EXPECT_TRUE(gTutorialPlaylist.isNull());
}

TEST_F(EditionTest, EverySheetAnEditionNamesIsInTheCatalogue)
{
    QStringList named;
    for (const EditionRow &row : kEditions) {
        launch(QString::fromUtf8(row.name));
        if (!gDefaultPrintSheet.isEmpty())
            named << gDefaultPrintSheet;
        if (gDefaultLabelTemplate)
            named << gDefaultLabelTemplate->templateDescription;
        for (const LabelTemplateHelper &record : gLabelTemplates)
            named << record.templateDescription;
    }
    named.removeDuplicates();
    EXPECT_GE(named.size(), 70);
    DataCentre::loadPrintLabels();
    for (const QString &description : named) {
        const bool found = std::any_of(gPrintLabels.begin(), gPrintLabels.end(),
                                       [&](const LabelHelperPtr &sheet) { return sheet->printDescription == description; });
        EXPECT_TRUE(found) << description.toStdString();
    }
}

TEST_F(EditionTest, RecordEditionsKeepTheirFieldsAndStarterDocument)
{
    struct Case {
        QString edition;
        qsizetype fields;
        const char *lastField;
    } cases[] = {
        {QStringLiteral("Pellamy"), 11, "Birth Date Status"},
        {QStringLiteral("Pellamy Viewer"), 10, "Notes"},
        {QStringLiteral("Pellamy Vet Edition"), 16, "Birth Date Status"},
        {QStringLiteral("Carrowel"), 11, "Birth Date Status"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.edition.toStdString());
        launch(c.edition);
        ASSERT_EQ(gProfileFieldKeys.size(), c.fields);
        EXPECT_EQ(gProfileFieldKeys.last(), QString::fromUtf8(c.lastField));
        EXPECT_EQ(gGettingStartedFile, gBaseTemplateName);
        EXPECT_EQ(gStarterTemplateFiles, QStringList{gBaseTemplateName});
    }
    launch(QStringLiteral("Pellamy Viewer"));
    EXPECT_TRUE(gNoDraftPages);
    EXPECT_FALSE(gPatientProfileMode);
    EXPECT_TRUE(gAppStorePage.isNull());
    launch(QStringLiteral("Pellamy 2"));
    EXPECT_EQ(gAppStorePage, QStringLiteral(""));
    EXPECT_FLOAT_EQ(gHandleLineWidth, 2.0f);
    launch(QStringLiteral("Didedaz Aza Voreda Duvovaro Davado"));
    EXPECT_TRUE(gStarterTemplateFiles.isEmpty());
    EXPECT_TRUE(gGettingStartedFile.isNull());
    EXPECT_TRUE(gWelcomeText.endsWith(QStringLiteral("available for iPhone, iPad and Mac.")));
}

// Editions that size no canvas at launch get it from their default template's
// sheet when the first page without a template of its own is shown.
TEST_F(EditionTest, DefaultTemplatesSizeTheCanvasOfTheirFirstPage)
{
    struct Case {
        QString edition;
        int32_t width;
        int32_t height;
        float handleScale;
    } cases[] = {
        {QStringLiteral("Tovra Dazed Irizi Pro"), 1650, 1275, 0.4f},
        {QStringLiteral("Tovra PDF Author"), 1275, 1650, 0.5f},
        {QStringLiteral("Tovra Label Maker"), 1575, 600, 0.4f},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.edition.toStdString());
        launch(c.edition);
        ASSERT_TRUE(gDefaultLabelTemplate.has_value());
        gDefaultPrintSheet = gDefaultLabelTemplate->templateDescription;
        DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(gDefaultPrintSheet));
        EXPECT_EQ(gCanvasWidth, c.width);
        EXPECT_EQ(gCanvasMaxHeight, c.height);
        EXPECT_EQ(gPreviewCanvasWidth, c.width);
        EXPECT_EQ(gScreenshotWidth, c.width);
        EXPECT_FLOAT_EQ(gHandleScale, c.handleScale);
    }
}

// A print edition whose default sheet is not in the catalogue keeps the
// description, its own canvas and no sheet layout; the shared print-sheet
// settings still follow.
TEST_F(EditionTest, AnUnknownDefaultSheetLeavesTheEditionsOwnCanvas)
{
    const QString path = dir.filePath(QStringLiteral("editions.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"editions": [{"key": "Cards", "printSheetStep": true, "palette": "B",
        "settings": {"gDocumentExtension": "quandrel", "gCanvasWidth": 1500, "gCanvasMaxHeight": 30000,
                     "gHandleScale": 1.0, "gSidePanelWidth": 200},
        "labelTemplates": [["na-letter", "No Such Sheet"], ["A4", "Business Card - 10 Per A4 Sheet"]]}],
        "default": {"settings": {"gDocumentExtension": "zovpage"}}})");
    file.close();
    QString error;
    const EditionTable table = EditionTable::load(path, &error);
    ASSERT_FALSE(table.isEmpty()) << error.toStdString();

    DataCentre::loadPrintLabels();
    DataCentre::applyEdition(table.select(QStringLiteral("Cards")));
    EXPECT_EQ(gDefaultPrintSheet, QStringLiteral("No Such Sheet"));
    EXPECT_EQ(gCanvasWidth, 1500);
    EXPECT_EQ(gCanvasMaxHeight, 30000);
    EXPECT_FLOAT_EQ(gHandleScale, 1.0f);
    EXPECT_EQ(gPrintRowsPerSheet, 0);
    EXPECT_EQ(gSidePanelWidth, 300);
    EXPECT_EQ(gPageIconColumns, 2);
    EXPECT_TRUE(gReplacePageNumbers && gHideLink && gHidePageLink && gHidePositionSettings && gInspectorBorderOption);
    EXPECT_EQ(gBaseTemplateName, QStringLiteral("basetemplate.quandrel"));
}
