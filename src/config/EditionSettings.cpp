#include "config/EditionSettings.h"

// Definitions hold the state before the chain: null strings, empty lists,
// 0 numbers and flags.

QString gAppName;
QString gAppVersion;
QString gBundleIdentifier;
QString gDistributionChannel;
QString gEditionFamilyKey;
QString gPageNoun;
QImage gAppIcon;
QString gWelcomeText;
QString gProductWebPage;
QString gSupportEmail;
QString gAppStorePage;
QString gTutorialPlaylist;
QString gUserGuideFile;
QString gDropboxAppKey;
QString gDropboxAppSecret;
QString gDocumentExtension;
QString gTemplateFolder;
QString gBaseTemplateName;
QString gGettingStartedFile;
QStringList gStarterTemplateFiles;
QString gSampleDocumentFile;
QString gNewProjectName;
QString gWorkFolder;
QString gReceivedPagesFolder;
QString gTempFolder;
bool gUnicodeFileNames = false;
bool gKeepImageNames = false;
bool gNoDraftPages = false;
bool gUsesPageOrderIndex = false;
bool gSingleDocumentMode = false;
int32_t gCanvasWidth = 0;
int32_t gCanvasMaxHeight = 0;
int32_t gPreviewCanvasWidth = 0;
int32_t gPreviewCanvasHeight = 0;
int32_t gScreenshotWidth = 0;
float gHandleScale = 0.0f;
float gHandleLineWidth = 0.0f;
int32_t gNewObjectSize = 0;
int32_t gWatermarkFontSize = 0;
int32_t gMaxInsertedImageSize = 0;
int32_t gImageSizeLimit = 0;
int32_t gSectionWidth = 0;
int32_t gSectionHeight = 0;
bool gFormFieldSizing = false;
int32_t gFormFieldSize = 0;
QString gCanvasSizeType;
int32_t gCanvasRotation = 0;
bool gNoCanvasMargin = false;
bool gUseFullCanvasForImage = false;
bool gClearCanvasBackground = false;
bool gClearImageBackground = false;
bool gResponsiveEdition = false;
bool gResponsiveEmailEdition = false;
bool gSeparateCSSFile = false;
bool gTableImagesEnabled = false;
bool gPageTitleEnabled = false;
bool gPhotoGalleryEdition = false;
bool gVideoGalleryEdition = false;
bool gFileCatalogEdition = false;
QStringList gPersonalizationTags;
QStringList gProfileFieldKeys;
bool gPatientProfileMode = false;
std::optional<LabelTemplateHelper> gDefaultLabelTemplate;
QString gImageType;
int32_t gRetinaFlag = 0;
bool gCodeEditorFlag = false;
bool gPreventOverlap = false;
bool gCanvasDragOption = false;
bool gTableCellSelection = false;
bool gSectionAwarePaste = false;
bool gTableUniformSizing = false;
bool gDateStampNewText = false;
bool gRoundedTextCorners = false;
bool gAlwaysOutlineText = false;
bool gOutlineTables = false;
bool gLinkPopOverPageList = false;
bool gShowAddBranch = false;
bool gHideLink = false;
bool gHideTooltip = false;
bool gHideClickToEnlarge = false;
bool gHidePositionSettings = false;
bool gHideSnippetFormatting = false;
bool gHideGalleryImageCaption = false;
bool gHideLayerArrangement = false;
bool gHideGroup = false;
bool gHideAlignLeftEdges = false;
bool gHideAlignRightEdges = false;
bool gHideMakeSameWidth = false;
bool gHideMakeSameSize = false;
bool gHideCenterGroup = false;
bool gHideDuplicate = false;
bool gHideAlignHorizontalSpacing = false;
bool gHideAlignHorizontalCenters = false;
bool gHideAlignVerticalCenters = false;
bool gHideLock = false;
bool gInspectorExpanded = false;
bool gHoverColorsShown = false;
bool gInspectorBorderOption = false;
bool gHideCustomFontsInInspector = false;
bool gInspectorElementTitles = false;
bool gHidePageLink = false;
bool gHideDeletePage = false;
bool gHideDuplicatePage = false;
bool gHideTotalRefresh = false;
bool gShowInsertBlankPage = false;
bool gMainLaunchPageOption = false;
bool gLockPageFileNameField = false;
bool gLockPageTitleField = false;
bool gShowPublishExtColumn = false;
bool gRefreshDocIconOnSave = false;
bool gSimplifiedWindow = false;
int32_t gSidePanelWidth = 0;
int32_t gPageIconColumns = 0;
bool gPageListingCompact = false;
bool gShowPublishExtension = false;
bool gPageIconOptionA = false;
bool gPageIconOptionB = false;
bool gPageIconFileTime = false;
bool gHeaderFooterBaseTemplate = false;
bool gNumberedPageIcons = false;
bool gLoopPagesOption = false;
QString gDefaultPrintSheet;
QList<LabelTemplateHelper> gLabelTemplates;
bool gPaperSizeOption = false;
bool gReplacePageNumbers = false;
QString gMeasurementUnit;
float gPrintScaleDivisor = 0.0f;
float gPrintPixelsPerInch = 0.0f;
int32_t gPrintStartingRow = 0;
int32_t gPrintStartingColumn = 0;
int32_t gPrintRowsPerSheet = 0;
int32_t gPrintColumnsPerSheet = 0;
float gPrintLabelWidthInch = 0.0f;
float gPrintLabelHeightInch = 0.0f;
float gPrintColumnSpacingInch = 0.0f;
float gPrintRowSpacingInch = 0.0f;
float gPrintTopMarginInch = 0.0f;
float gPrintBottomMarginInch = 0.0f;
float gPrintLeftMarginInch = 0.0f;
float gPrintRightMarginInch = 0.0f;
float gPrintSheetWidth = 0.0f;
float gPrintSheetHeight = 0.0f;
QStringList gColorPalette;
QStringList gDefaultCategories;
QStringList gPresetStyleFontNames;
QStringList gPresetStyleTextColors;
QStringList gPresetStyleFillColors;
QList<ShapeSelectionView> gPresetTextStyles;
QList<ShapeSelectionView> gPresetShapes;
QStringList gZoomFactors;
QList<CustomFont> gCustomFonts;
QString gGeneratedSource;
int32_t gColorPickerTarget = 0;
QString gCopySourcePagePath;
bool gOpenFromWebsiteFolder = false;
QString gPendingWebsiteFolder;
QList<ZovFileHelper> gScannedFiles;
QObject *gSelectedTemplateButton = nullptr;
QObject *gTemplateWindowController = nullptr;
QObject *gAddPhotoSettingsController = nullptr;
QList<QObject *> gLayerListingIcons;
QList<QObject *> gFormatIcons;
QList<QObject *> gShareButtons;
bool gPreviewMode = false;

void EditionSettings::resetToInitialState()
{
    gAppName = {};
    gAppVersion = {};
    gBundleIdentifier = {};
    gDistributionChannel = {};
    gEditionFamilyKey = {};
    gPageNoun = {};
    gAppIcon = {};
    gWelcomeText = {};
    gProductWebPage = {};
    gSupportEmail = {};
    gAppStorePage = {};
    gTutorialPlaylist = {};
    gUserGuideFile = {};
    gDropboxAppKey = {};
    gDropboxAppSecret = {};
    gDocumentExtension = {};
    gTemplateFolder = {};
    gBaseTemplateName = {};
    gGettingStartedFile = {};
    gStarterTemplateFiles = {};
    gSampleDocumentFile = {};
    gNewProjectName = {};
    gWorkFolder = {};
    gReceivedPagesFolder = {};
    gTempFolder = {};
    gUnicodeFileNames = {};
    gKeepImageNames = {};
    gNoDraftPages = {};
    gUsesPageOrderIndex = {};
    gSingleDocumentMode = {};
    gCanvasWidth = {};
    gCanvasMaxHeight = {};
    gPreviewCanvasWidth = {};
    gPreviewCanvasHeight = {};
    gScreenshotWidth = {};
    gHandleScale = {};
    gHandleLineWidth = {};
    gNewObjectSize = {};
    gWatermarkFontSize = {};
    gMaxInsertedImageSize = {};
    gImageSizeLimit = {};
    gSectionWidth = {};
    gSectionHeight = {};
    gFormFieldSizing = {};
    gFormFieldSize = {};
    gCanvasSizeType = {};
    gCanvasRotation = {};
    gNoCanvasMargin = {};
    gUseFullCanvasForImage = {};
    gClearCanvasBackground = {};
    gClearImageBackground = {};
    gResponsiveEdition = {};
    gResponsiveEmailEdition = {};
    gSeparateCSSFile = {};
    gTableImagesEnabled = {};
    gPageTitleEnabled = {};
    gPhotoGalleryEdition = {};
    gVideoGalleryEdition = {};
    gFileCatalogEdition = {};
    gPersonalizationTags = {};
    gProfileFieldKeys = {};
    gPatientProfileMode = {};
    gDefaultLabelTemplate = {};
    gImageType = {};
    gRetinaFlag = {};
    gCodeEditorFlag = {};
    gPreventOverlap = {};
    gCanvasDragOption = {};
    gTableCellSelection = {};
    gSectionAwarePaste = {};
    gTableUniformSizing = {};
    gDateStampNewText = {};
    gRoundedTextCorners = {};
    gAlwaysOutlineText = {};
    gOutlineTables = {};
    gLinkPopOverPageList = {};
    gShowAddBranch = {};
    gHideLink = {};
    gHideTooltip = {};
    gHideClickToEnlarge = {};
    gHidePositionSettings = {};
    gHideSnippetFormatting = {};
    gHideGalleryImageCaption = {};
    gHideLayerArrangement = {};
    gHideGroup = {};
    gHideAlignLeftEdges = {};
    gHideAlignRightEdges = {};
    gHideMakeSameWidth = {};
    gHideMakeSameSize = {};
    gHideCenterGroup = {};
    gHideDuplicate = {};
    gHideAlignHorizontalSpacing = {};
    gHideAlignHorizontalCenters = {};
    gHideAlignVerticalCenters = {};
    gHideLock = {};
    gInspectorExpanded = {};
    gHoverColorsShown = {};
    gInspectorBorderOption = {};
    gHideCustomFontsInInspector = {};
    gInspectorElementTitles = {};
    gHidePageLink = {};
    gHideDeletePage = {};
    gHideDuplicatePage = {};
    gHideTotalRefresh = {};
    gShowInsertBlankPage = {};
    gMainLaunchPageOption = {};
    gLockPageFileNameField = {};
    gLockPageTitleField = {};
    gShowPublishExtColumn = {};
    gRefreshDocIconOnSave = {};
    gSimplifiedWindow = {};
    gSidePanelWidth = {};
    gPageIconColumns = {};
    gPageListingCompact = {};
    gShowPublishExtension = {};
    gPageIconOptionA = {};
    gPageIconOptionB = {};
    gPageIconFileTime = {};
    gHeaderFooterBaseTemplate = {};
    gNumberedPageIcons = {};
    gLoopPagesOption = {};
    gDefaultPrintSheet = {};
    gLabelTemplates = {};
    gPaperSizeOption = {};
    gReplacePageNumbers = {};
    gMeasurementUnit = {};
    gPrintScaleDivisor = {};
    gPrintPixelsPerInch = {};
    gPrintStartingRow = {};
    gPrintStartingColumn = {};
    gPrintRowsPerSheet = {};
    gPrintColumnsPerSheet = {};
    gPrintLabelWidthInch = {};
    gPrintLabelHeightInch = {};
    gPrintColumnSpacingInch = {};
    gPrintRowSpacingInch = {};
    gPrintTopMarginInch = {};
    gPrintBottomMarginInch = {};
    gPrintLeftMarginInch = {};
    gPrintRightMarginInch = {};
    gPrintSheetWidth = {};
    gPrintSheetHeight = {};
    gColorPalette = {};
    gDefaultCategories = {};
    gPresetStyleFontNames = {};
    gPresetStyleTextColors = {};
    gPresetStyleFillColors = {};
    gPresetTextStyles = {};
    gPresetShapes = {};
    gZoomFactors = {};
    gCustomFonts = {};
    gGeneratedSource = {};
    gColorPickerTarget = {};
    gCopySourcePagePath = {};
    gOpenFromWebsiteFolder = {};
    gPendingWebsiteFolder = {};
    gScannedFiles = {};
    gSelectedTemplateButton = nullptr;
    gTemplateWindowController = nullptr;
    gAddPhotoSettingsController = nullptr;
    gLayerListingIcons = {};
    gFormatIcons = {};
    gShareButtons = {};
    gPreviewMode = {};
}

const QList<EditionSettings::Binding> &EditionSettings::bindings()
{
    static const QList<Binding> table = {
        {"gAppName", &gAppName},
        {"gAppVersion", &gAppVersion},
        {"gBundleIdentifier", &gBundleIdentifier},
        {"gDistributionChannel", &gDistributionChannel},
        {"gEditionFamilyKey", &gEditionFamilyKey},
        {"gPageNoun", &gPageNoun},
        {"gWelcomeText", &gWelcomeText},
        {"gProductWebPage", &gProductWebPage},
        {"gSupportEmail", &gSupportEmail},
        {"gAppStorePage", &gAppStorePage},
        {"gTutorialPlaylist", &gTutorialPlaylist},
        {"gUserGuideFile", &gUserGuideFile},
        {"gDropboxAppKey", &gDropboxAppKey},
        {"gDropboxAppSecret", &gDropboxAppSecret},
        {"gDocumentExtension", &gDocumentExtension},
        {"gTemplateFolder", &gTemplateFolder},
        {"gBaseTemplateName", &gBaseTemplateName},
        {"gGettingStartedFile", &gGettingStartedFile},
        {"gStarterTemplateFiles", &gStarterTemplateFiles},
        {"gSampleDocumentFile", &gSampleDocumentFile},
        {"gNewProjectName", &gNewProjectName},
        {"gWorkFolder", &gWorkFolder},
        {"gReceivedPagesFolder", &gReceivedPagesFolder},
        {"gTempFolder", &gTempFolder},
        {"gUnicodeFileNames", &gUnicodeFileNames},
        {"gKeepImageNames", &gKeepImageNames},
        {"gNoDraftPages", &gNoDraftPages},
        {"gUsesPageOrderIndex", &gUsesPageOrderIndex},
        {"gSingleDocumentMode", &gSingleDocumentMode},
        {"gCanvasWidth", &gCanvasWidth},
        {"gCanvasMaxHeight", &gCanvasMaxHeight},
        {"gPreviewCanvasWidth", &gPreviewCanvasWidth},
        {"gPreviewCanvasHeight", &gPreviewCanvasHeight},
        {"gScreenshotWidth", &gScreenshotWidth},
        {"gHandleScale", &gHandleScale},
        {"gHandleLineWidth", &gHandleLineWidth},
        {"gNewObjectSize", &gNewObjectSize},
        {"gWatermarkFontSize", &gWatermarkFontSize},
        {"gMaxInsertedImageSize", &gMaxInsertedImageSize},
        {"gImageSizeLimit", &gImageSizeLimit},
        {"gSectionWidth", &gSectionWidth},
        {"gSectionHeight", &gSectionHeight},
        {"gFormFieldSizing", &gFormFieldSizing},
        {"gFormFieldSize", &gFormFieldSize},
        {"gCanvasSizeType", &gCanvasSizeType},
        {"gCanvasRotation", &gCanvasRotation},
        {"gNoCanvasMargin", &gNoCanvasMargin},
        {"gUseFullCanvasForImage", &gUseFullCanvasForImage},
        {"gClearCanvasBackground", &gClearCanvasBackground},
        {"gClearImageBackground", &gClearImageBackground},
        {"gResponsiveEdition", &gResponsiveEdition},
        {"gResponsiveEmailEdition", &gResponsiveEmailEdition},
        {"gSeparateCSSFile", &gSeparateCSSFile},
        {"gTableImagesEnabled", &gTableImagesEnabled},
        {"gPageTitleEnabled", &gPageTitleEnabled},
        {"gPhotoGalleryEdition", &gPhotoGalleryEdition},
        {"gVideoGalleryEdition", &gVideoGalleryEdition},
        {"gFileCatalogEdition", &gFileCatalogEdition},
        {"gPersonalizationTags", &gPersonalizationTags},
        {"gProfileFieldKeys", &gProfileFieldKeys},
        {"gPatientProfileMode", &gPatientProfileMode},
        {"gImageType", &gImageType},
        {"gRetinaFlag", &gRetinaFlag},
        {"gCodeEditorFlag", &gCodeEditorFlag},
        {"gPreventOverlap", &gPreventOverlap},
        {"gCanvasDragOption", &gCanvasDragOption},
        {"gTableCellSelection", &gTableCellSelection},
        {"gSectionAwarePaste", &gSectionAwarePaste},
        {"gTableUniformSizing", &gTableUniformSizing},
        {"gDateStampNewText", &gDateStampNewText},
        {"gRoundedTextCorners", &gRoundedTextCorners},
        {"gAlwaysOutlineText", &gAlwaysOutlineText},
        {"gOutlineTables", &gOutlineTables},
        {"gLinkPopOverPageList", &gLinkPopOverPageList},
        {"gShowAddBranch", &gShowAddBranch},
        {"gHideLink", &gHideLink},
        {"gHideTooltip", &gHideTooltip},
        {"gHideClickToEnlarge", &gHideClickToEnlarge},
        {"gHidePositionSettings", &gHidePositionSettings},
        {"gHideSnippetFormatting", &gHideSnippetFormatting},
        {"gHideGalleryImageCaption", &gHideGalleryImageCaption},
        {"gHideLayerArrangement", &gHideLayerArrangement},
        {"gHideGroup", &gHideGroup},
        {"gHideAlignLeftEdges", &gHideAlignLeftEdges},
        {"gHideAlignRightEdges", &gHideAlignRightEdges},
        {"gHideMakeSameWidth", &gHideMakeSameWidth},
        {"gHideMakeSameSize", &gHideMakeSameSize},
        {"gHideCenterGroup", &gHideCenterGroup},
        {"gHideDuplicate", &gHideDuplicate},
        {"gHideAlignHorizontalSpacing", &gHideAlignHorizontalSpacing},
        {"gHideAlignHorizontalCenters", &gHideAlignHorizontalCenters},
        {"gHideAlignVerticalCenters", &gHideAlignVerticalCenters},
        {"gHideLock", &gHideLock},
        {"gInspectorExpanded", &gInspectorExpanded},
        {"gHoverColorsShown", &gHoverColorsShown},
        {"gInspectorBorderOption", &gInspectorBorderOption},
        {"gHideCustomFontsInInspector", &gHideCustomFontsInInspector},
        {"gInspectorElementTitles", &gInspectorElementTitles},
        {"gHidePageLink", &gHidePageLink},
        {"gHideDeletePage", &gHideDeletePage},
        {"gHideDuplicatePage", &gHideDuplicatePage},
        {"gHideTotalRefresh", &gHideTotalRefresh},
        {"gShowInsertBlankPage", &gShowInsertBlankPage},
        {"gMainLaunchPageOption", &gMainLaunchPageOption},
        {"gLockPageFileNameField", &gLockPageFileNameField},
        {"gLockPageTitleField", &gLockPageTitleField},
        {"gShowPublishExtColumn", &gShowPublishExtColumn},
        {"gRefreshDocIconOnSave", &gRefreshDocIconOnSave},
        {"gSimplifiedWindow", &gSimplifiedWindow},
        {"gSidePanelWidth", &gSidePanelWidth},
        {"gPageIconColumns", &gPageIconColumns},
        {"gPageListingCompact", &gPageListingCompact},
        {"gShowPublishExtension", &gShowPublishExtension},
        {"gPageIconOptionA", &gPageIconOptionA},
        {"gPageIconOptionB", &gPageIconOptionB},
        {"gPageIconFileTime", &gPageIconFileTime},
        {"gHeaderFooterBaseTemplate", &gHeaderFooterBaseTemplate},
        {"gNumberedPageIcons", &gNumberedPageIcons},
        {"gLoopPagesOption", &gLoopPagesOption},
        {"gDefaultPrintSheet", &gDefaultPrintSheet},
        {"gPaperSizeOption", &gPaperSizeOption},
        {"gReplacePageNumbers", &gReplacePageNumbers},
        {"gMeasurementUnit", &gMeasurementUnit},
        {"gPrintScaleDivisor", &gPrintScaleDivisor},
        {"gPrintPixelsPerInch", &gPrintPixelsPerInch},
        {"gPrintStartingRow", &gPrintStartingRow},
        {"gPrintStartingColumn", &gPrintStartingColumn},
        {"gPrintRowsPerSheet", &gPrintRowsPerSheet},
        {"gPrintColumnsPerSheet", &gPrintColumnsPerSheet},
        {"gPrintLabelWidthInch", &gPrintLabelWidthInch},
        {"gPrintLabelHeightInch", &gPrintLabelHeightInch},
        {"gPrintColumnSpacingInch", &gPrintColumnSpacingInch},
        {"gPrintRowSpacingInch", &gPrintRowSpacingInch},
        {"gPrintTopMarginInch", &gPrintTopMarginInch},
        {"gPrintBottomMarginInch", &gPrintBottomMarginInch},
        {"gPrintLeftMarginInch", &gPrintLeftMarginInch},
        {"gPrintRightMarginInch", &gPrintRightMarginInch},
        {"gPrintSheetWidth", &gPrintSheetWidth},
        {"gPrintSheetHeight", &gPrintSheetHeight},
        {"gColorPalette", &gColorPalette},
        {"gDefaultCategories", &gDefaultCategories},
        {"gPresetStyleFontNames", &gPresetStyleFontNames},
        {"gPresetStyleTextColors", &gPresetStyleTextColors},
        {"gPresetStyleFillColors", &gPresetStyleFillColors},
        {"gZoomFactors", &gZoomFactors},
    };
    return table;
}

const EditionSettings::Binding *EditionSettings::binding(const QString &name)
{
    for (const Binding &b : bindings()) {
        if (name == QLatin1String(b.name))
            return &b;
    }
    return nullptr;
}

bool EditionSettings::setValue(const QString &name, const QVariant &value)
{
    const Binding *b = binding(name);
    if (!b)
        return false;
    return std::visit(
        [&value](auto *target) -> bool {
            using T = std::remove_pointer_t<decltype(target)>;
            if constexpr (std::is_same_v<T, QString>) {
                if (value.typeId() != QMetaType::QString)
                    return false;
                *target = value.toString();
            } else if constexpr (std::is_same_v<T, QStringList>) {
                // A lone string is a slip in the table (a list name without its "$"), not a list.
                if (value.typeId() != QMetaType::QStringList && value.typeId() != QMetaType::QVariantList)
                    return false;
                *target = value.toStringList();
            } else if constexpr (std::is_same_v<T, bool>) {
                if (value.typeId() != QMetaType::Bool)
                    return false;
                *target = value.toBool();
            } else {
                bool ok = false;
                const double number = value.toDouble(&ok);
                if (!ok || value.typeId() == QMetaType::QString || value.typeId() == QMetaType::Bool)
                    return false;
                *target = static_cast<T>(number);
            }
            return true;
        },
        b->target);
}

QVariant EditionSettings::value(const QString &name)
{
    const Binding *b = binding(name);
    if (!b)
        return {};
    return std::visit([](auto *target) { return QVariant::fromValue(*target); }, b->target);
}
