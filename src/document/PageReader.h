#pragma once
// Reads the text of one stored page back into its page settings and its
// element carriers, in stacking order. A pure unit: it works on a copy of its
// inputs (the page text, the page folder, the few document and edition values
// it needs) and answers a result; applying the result to a document and its
// window is applyPageReadResult (PageReadApply.h). The one failure is a
// ReadError; a page that is merely odd reads with defaults.
#include "document/PageImageNames.h"
#include "model/ElementCarrier.h"
#include "model/GalleryGridView.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "config/LabelTemplateHelper.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct PageReadInput {
    QString pageText;
    QString pageName;      // "basetemplate" for the base template
    // The name the page file had in its package. A base template opened under
    // another name (an untitled copy, a free name beside a page of the same
    // name) is no longer the base template, but its pieces are still its own.
    QString writtenName;
    QString pageFilePath;  // the page folder is this path without its extension
    // Document values the read depends on.
    bool useBaseTemplateFlag = false;
    bool baseTemplateExists = false; // "basetemplate.html" lies in the project's working folder
    bool inheritMetaKeywordsFlag = false;
    bool inheritMetaDescriptionFlag = false;
    bool formPage = false;           // a forms page (type "trelkoforms" or extension "php")
    QString baseTemplateCustomHeaderCode;
    // Edition values.
    QString appName;
    QString documentExtension;
    bool replacePageNumbers = false;
    int32_t canvasWidth = 0;
    int32_t canvasMaxHeight = 0;
    // Image names already used outside this page's carriers.
    QStringList imageNamesInUse;
    // Whether a font family can be drawn (installed, or with a known
    // substitute); null: every family counts as available.
    std::function<bool(const QString &)> isFontAvailable;
    // Off for a read that must not touch the disk (the fuzzer).
    bool loadPictures = true;

    QString pageFolder() const;
    bool readsBaseTemplateUnderOtherName() const;
    // The page reads its centring, width and background from its own file
    // unless it uses the base template (and that exists) and is not it.
    bool ownSettingsFlag() const;
};

struct PageFormSettings {
    QString formRedirectURL, siteFeedbackEmail, siteCCFeedbackEmail, formSubmitButtonValue;
    QString formEmailServer, formEmailUsername, formEmailPassword;
    int32_t grabIPFlag = 0;
    int32_t formOrderLayoutOption = 0;
    QString formSentResponse, formRequiredResponse, formEmailVerificationMsg, formBotCheckerResponse;
};

struct PageReadResult {
    // The kept carriers, frontmost (highest z-index) first; equal z-index
    // keeps the order texts, images, snippets, slideshows, galleries,
    // tables, lines and, within a kind, the rule order.
    QList<std::shared_ptr<ElementCarrier>> carriers;
    // The kept carriers per kind, in rule order.
    QList<std::shared_ptr<myTextView>> textViewArray, htmlSnippetArray;
    QList<std::shared_ptr<TransformView>> imageViewArray;
    QList<std::shared_ptr<OuterSlideShow>> slideshowArray;
    QList<std::shared_ptr<GalleryGridView>> galleryArray;
    QList<std::shared_ptr<TableGridView>> tableArray;
    QList<std::shared_ptr<LineView>> lineArray;
    // The z-index of each image (image carriers keep none of their own).
    QHash<const TransformView *, int32_t> imageTags;

    int32_t documentChangedCounter = 0;
    bool usingBootStrapFlag = false;
    bool ownSettings = true;
    QString customHeaderCode;
    std::optional<QString> baseTemplateCustomHeaderCode; // set when the page is the base template
    bool docSpecificFixedCanvasFlag = false;
    int32_t docSpecificPageWidth = 0;
    int32_t docSpecificPageHeight = 0;
    QSize confirmedCanvasSize;
    QString canvasSizeType;
    std::optional<int32_t> mailCanvasWidth; // mail editions only
    std::optional<LabelTemplateHelper> labelTemplate; // editions that replace page numbers
    std::optional<PageFormSettings> formSettings;     // form pages only

    std::optional<bool> centreFlag, webPageWidthManualFlag; // own settings only
    std::optional<int32_t> webPageWidth;
    std::optional<QString> metaKeywords, metaDescription;
    QString encodingType;
    QString pageColorHexString;
    std::optional<QColor> pageColor;
    bool backgroundImageLine = false; // the page names a background picture
    QImage backgroundImage;
    QString backgroundImageType;

    QStringList fontFamilies; // every family the rules name, sorted
    QStringList missingFonts; // of those, the ones isFontAvailable refused
    QList<ImageRename> renames;
};

class PageReader {
public:
    PageReader() = delete;
    // presentObjects without the document: the steps of the read in order.
    static PageReadResult read(PageReadInput input);

    // The header-code lines announced by "<!--PREFIXn-->": answers the code
    // and takes the marker and its lines out of `lines`. A count reaching
    // past the end of the page is a ReadError.
    static QString takeHeaderCode(QStringList &lines, const QString &prefix, bool removeLines, bool *found);
};
