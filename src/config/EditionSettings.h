#pragma once
// The process-wide edition settings. One program behaves as many editions:
// start-up (DataCentre::initializeData) and the edition chain it runs
// (DataCentre::runAppSpecificSetups) write these once; every other part of the
// program reads them directly by name.
//
// State before the chain: every string is null (absent), every list and record
// is empty/absent, every number and flag is 0. A setting the running edition
// does not write keeps that state. Readers treat a null string like an empty
// one, but both values occur: QString() is "absent", QString("") is "empty".
//
// Records owned by other areas (preset views, custom fonts, file records,
// window controllers) are held through shared_ptr / QObject pointers so that
// this header needs only their forward declarations.
#include "config/CustomFont.h"
#include "config/ShapeSelectionView.h"
#include "config/ZovFileHelper.h"
#include "config/LabelTemplateHelper.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>
#include <variant>


// --- Identity and links ---
extern QString gAppName;
extern QString gAppVersion;
extern QString gBundleIdentifier;
extern QString gDistributionChannel;
extern QString gEditionFamilyKey;
extern QString gPageNoun;
extern QImage gAppIcon;
extern QString gWelcomeText;
extern QString gProductWebPage;
extern QString gSupportEmail;
extern QString gAppStorePage;
extern QString gTutorialPlaylist;
extern QString gUserGuideFile;
extern QString gDropboxAppKey;
extern QString gDropboxAppSecret;

// --- Files and folders ---
extern QString gDocumentExtension;
extern QString gTemplateFolder;
extern QString gBaseTemplateName;
extern QString gGettingStartedFile;
extern QStringList gStarterTemplateFiles;
extern QString gSampleDocumentFile;
extern QString gNewProjectName;
extern QString gWorkFolder;
extern QString gReceivedPagesFolder;
extern QString gTempFolder;
extern bool gUnicodeFileNames;
extern bool gKeepImageNames;
extern bool gNoDraftPages;
extern bool gUsesPageOrderIndex;
extern bool gSingleDocumentMode;

// --- Canvas and geometry (canvas pixels) ---
extern int32_t gCanvasWidth;
extern int32_t gCanvasMaxHeight;
extern int32_t gPreviewCanvasWidth;
extern int32_t gPreviewCanvasHeight;
extern int32_t gScreenshotWidth;
extern float gHandleScale;
extern float gHandleLineWidth;
extern int32_t gNewObjectSize;
extern int32_t gWatermarkFontSize;
extern int32_t gMaxInsertedImageSize;
extern int32_t gImageSizeLimit;
extern int32_t gSectionWidth;
extern int32_t gSectionHeight;
extern bool gFormFieldSizing;
extern int32_t gFormFieldSize;
extern QString gCanvasSizeType;
extern int32_t gCanvasRotation;
extern bool gNoCanvasMargin;
extern bool gUseFullCanvasForImage;
extern bool gClearCanvasBackground;
extern bool gClearImageBackground;

// --- Generation and publishing ---
extern bool gResponsiveEdition;
extern bool gResponsiveEmailEdition;
extern bool gSeparateCSSFile;
extern bool gTableImagesEnabled;
extern bool gPageTitleEnabled;
extern bool gPhotoGalleryEdition;
extern bool gVideoGalleryEdition;
extern bool gFileCatalogEdition;
extern QStringList gPersonalizationTags;
extern QStringList gProfileFieldKeys;
extern bool gPatientProfileMode;
extern std::optional<LabelTemplateHelper> gDefaultLabelTemplate;
extern QString gImageType;
extern int32_t gRetinaFlag;
extern bool gCodeEditorFlag;

// --- Editing and canvas behaviour ---
extern bool gPreventOverlap;
extern bool gCanvasDragOption;
extern bool gTableCellSelection;
extern bool gSectionAwarePaste;
extern bool gTableUniformSizing;
extern bool gDateStampNewText;
extern bool gRoundedTextCorners;
// Texts the user cannot select still draw their dashed outline. Some callers
// know the opposite flag as gSuppressTextOutline: suppressing is !gAlwaysOutlineText.
extern bool gAlwaysOutlineText;
extern bool gOutlineTables;
extern bool gLinkPopOverPageList;
// The canvas offers add-branch (org charts) only where this is set; some
// callers name it gHideAddBranch, with the same sense (set = offered).
extern bool gShowAddBranch;

// Command-hiding flags: 1 withdraws the command from the canvas.
extern bool gHideLink;
extern bool gHideTooltip;
extern bool gHideClickToEnlarge;
extern bool gHidePositionSettings;
extern bool gHideSnippetFormatting;
extern bool gHideGalleryImageCaption;
extern bool gHideLayerArrangement;
extern bool gHideGroup;
extern bool gHideAlignLeftEdges;
extern bool gHideAlignRightEdges;
extern bool gHideMakeSameWidth;
extern bool gHideMakeSameSize;
extern bool gHideCenterGroup;
extern bool gHideDuplicate;
extern bool gHideAlignHorizontalSpacing;
extern bool gHideAlignHorizontalCenters;
extern bool gHideAlignVerticalCenters;
extern bool gHideLock;

// --- Inspector and window ---
extern bool gInspectorExpanded;
extern bool gHoverColorsShown;
extern bool gInspectorBorderOption;
extern bool gHideCustomFontsInInspector;
extern bool gInspectorElementTitles;
extern bool gHidePageLink;
extern bool gHideDeletePage;
extern bool gHideDuplicatePage;
extern bool gHideTotalRefresh;
extern bool gShowInsertBlankPage;
extern bool gMainLaunchPageOption;
extern bool gLockPageFileNameField;
extern bool gLockPageTitleField;
extern bool gShowPublishExtColumn;
extern bool gRefreshDocIconOnSave;
extern bool gSimplifiedWindow;

// --- Page listing ---
extern int32_t gSidePanelWidth;
extern int32_t gPageIconColumns;
extern bool gPageListingCompact;
extern bool gShowPublishExtension;
extern bool gPageIconOptionA;
extern bool gPageIconOptionB;
extern bool gPageIconFileTime;
extern bool gHeaderFooterBaseTemplate;
extern bool gNumberedPageIcons;
extern bool gLoopPagesOption;

// --- Print ---
extern QString gDefaultPrintSheet;
extern QList<LabelTemplateHelper> gLabelTemplates;
extern bool gPaperSizeOption;
extern bool gReplacePageNumbers;
extern QString gMeasurementUnit;
extern float gPrintScaleDivisor;
extern float gPrintPixelsPerInch;
extern int32_t gPrintStartingRow;
extern int32_t gPrintStartingColumn;
// Layout of the current print sheet, copied from it by DataCentre::resetPrintCanvas:
// the grid, piece size, gaps and margins in inches, and the size of the whole
// grid in print-view units (gPrintPixelsPerInch per inch).
extern int32_t gPrintRowsPerSheet;
extern int32_t gPrintColumnsPerSheet;
extern float gPrintLabelWidthInch;
extern float gPrintLabelHeightInch;
extern float gPrintColumnSpacingInch;
extern float gPrintRowSpacingInch;
extern float gPrintTopMarginInch;
extern float gPrintBottomMarginInch;
extern float gPrintLeftMarginInch;
extern float gPrintRightMarginInch;
extern float gPrintSheetWidth;
extern float gPrintSheetHeight;

// --- Lists and presets ---
extern QStringList gColorPalette;
extern QStringList gDefaultCategories;
extern QStringList gPresetStyleFontNames;
extern QStringList gPresetStyleTextColors;
extern QStringList gPresetStyleFillColors;
extern QList<ShapeSelectionView> gPresetTextStyles;
extern QList<ShapeSelectionView> gPresetShapes;
extern QStringList gZoomFactors;
extern QList<CustomFont> gCustomFonts;

// --- Run-time state (no edition writes these) ---
extern QString gGeneratedSource;
extern int32_t gColorPickerTarget;
extern QString gCopySourcePagePath;
extern bool gOpenFromWebsiteFolder;
extern QString gPendingWebsiteFolder;
extern QObject *gSelectedTemplateButton;
extern QObject *gTemplateWindowController;
extern QList<ZovFileHelper> gScannedFiles;
extern QObject *gAddPhotoSettingsController;
extern QList<QObject *> gLayerListingIcons;
extern QList<QObject *> gFormatIcons;
extern QList<QObject *> gShareButtons;
extern bool gPreviewMode;

class EditionSettings {
public:
    EditionSettings() = delete;
    // Puts every edition setting back to its state before the chain (absent, 0).
    // Start-up runs once per process; tests use this to run the chain again.
    // Run-time window and view pointers are only forgotten, not deleted: their
    // owners delete them.
    static void resetToInitialState();

    // Edition settings addressed by name, for the edition table and the tests
    // that compare editions. Covers every string, flag, integer, float and
    // string-list setting; records, images and run-time state are not named here.
    using Target = std::variant<QString *, bool *, int32_t *, float *, QStringList *>;
    struct Binding {
        const char *name;
        Target target;
    };
    static const QList<Binding> &bindings();
    static const Binding *binding(const QString &name);
    // Stores value (converted to the setting's type) under the named setting.
    // False for an unknown name or a value of the wrong kind.
    static bool setValue(const QString &name, const QVariant &value);
    // The named setting's current value (a null QString stays null); invalid
    // for an unknown name.
    static QVariant value(const QString &name);
};
