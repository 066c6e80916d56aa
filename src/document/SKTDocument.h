#pragma once
// The document of one page: its graphics (index 0 is the frontmost), the page
// settings that the page text carries, the form settings, and the working
// lists of the last page generation. Page generation is a set of members of
// this class, defined in src/generation (the driver, the passes, the
// assembly); the page text they return is also the stored page.
//
// This is the part of the document that generation needs; the document
// issue adds undo recording, the package file, reading and saving.
#include "document/CodeWidgetHelper.h"
#include "document/GenerateSourceCodeObject.h"
#include "document/ImageElement.h"
#include "document/TextElement.h"
#include "model/GraphicOwner.h"
#include "document/DocumentEvents.h"
#include "platform/UndoManager.h"

#include <QHash>
#include <QSet>
#include <QImage>
#include <QList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QSizeF>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QObject;
class SKTGalleryGrid;
class SKTGraphic;
class SKTImage;
class SKTLine;
class SKTSlideshow;
class SKTTable;
class SKTText;
class GenerationContext;
class ElementCarrier;

// What the label edition keeps about the chosen label sheet.
struct DocumentLabelTemplate {
    QString brand;
    QString templateNumber;
    QString templateDescription;
};

class SKTDocument : public GraphicOwner {
public:
    SKTDocument();
    ~SKTDocument() override;
    SKTDocument(const SKTDocument &) = delete;
    SKTDocument &operator=(const SKTDocument &) = delete;

    // Expires when the document dies: what points at the document and may
    // outlive it (a generation, a window's page list) checks it before it
    // touches the document again, whatever order things die in.
    std::weak_ptr<const void> lifetime() const { return m_lifetime; }

    // --- graphics ---------------------------------------------------------------
    const QList<std::shared_ptr<SKTGraphic>> &graphics() const { return m_graphics; }
    // Inserts at index (appends when index is out of range); the document owns it.
    void insertGraphic(const std::shared_ptr<SKTGraphic> &graphic, qsizetype index = -1);
    void removeGraphic(SKTGraphic *graphic);
    void setGraphics(const QList<std::shared_ptr<SKTGraphic>> &graphics);
    // Index of the graphic in graphics(), -1 when it is not on the page.
    qsizetype indexOfGraphic(const SKTGraphic *graphic) const;
    // The page's graphics of one class, in the order of graphics().
    QList<SKTText *> textAreas() const;
    QList<SKTImage *> images() const;
    QList<SKTSlideshow *> slideshows() const;
    QList<SKTGalleryGrid *> galleries() const;
    QList<SKTTable *> tables() const;
    QList<SKTLine *> lines() const;

    void graphicAttributeChanged(SKTGraphic &graphic, const QString &key, const QVariant &oldValue) override;

    // --- page generation (src/generation) -----------------------------------------
    // The page text of the current graphics: the stored page and the published
    // page at once. gGeneratedSource receives a copy. responsive asks for the
    // responsive layout (only in responsive editions); saveImages lets the
    // passes write the image files of the page folder. A file that had to be
    // written and could not (the style sheet, an image) is reported in
    // *writeError (when given) and in lastWriteError; the text is still made.
    QString generateSourceCode(const QString &pageName, bool responsive, bool saveImages,
                               QString *writeError = nullptr);
    // Draw-time work that generation needs done whether or not the page was
    // ever drawn: table cells get their settings and text heights, texts their
    // heights, slides and gallery images their frames.
    void prepareGraphicsForGeneration();

    // Extent metrics and trimming.
    int32_t findMaxScreenWidth() const;
    static int32_t findMaxScreenWidthForArray(const QList<SKTGraphic *> &graphics);
    int32_t findMinScreenX() const;
    static int32_t findMinScreenXForArray(const QList<SKTGraphic *> &graphics);
    int32_t findMaxScreenHeight() const;
    static void trimAllObjects(int32_t xOffset, const QList<SKTGraphic *> &graphics);
    void trimAndCenter();

    // Numbering and template names.
    void populateGalleryImageDimensions();
    void populateTableNumbers();
    void populateSlideshowImageDimensions();
    void resetTemplateName(const QString &name);

    // Link check, line count, image use.
    static QString verifyLink(const QString &link);
    static int32_t calculateNumOfLines(const QString &text);
    bool isImageInUse(const QString &baseName, const QString &extension, const QList<ImageElement> &images) const;
    bool needImagePopupScript() const;
    bool needJqueryScripts() const;

    // The image generator (responsive and enlargeable images).
    CodeWidgetHelper generateImageCode(ImageElement element, bool responsive);

    // Responsive editions: the fragments of text elements, table cells,
    // snippets and sections (src/generation/TextViewCode.cpp,
    // TextViewCodeStatic.cpp, SnippetGenerator.cpp, ResponsiveArrangement.cpp).
    CodeWidgetHelper generateTextViewCode(TextElement element, SKTTable *table, bool cellFlag);
    TextElement populateTextViewMarginType(TextElement element);
    CodeWidgetHelper generateTextViewCodeStatic(TextElement element, int32_t k);
    static QString combineSourceCodeString(const QList<GenerateSourceCodeObject> &list);
    CodeWidgetHelper generateSnippetCode(TextElement element, SKTTable *table);
    // Lays out one section's fragments of sourceCodeArray (sorting the list
    // first unless it is already sorted in this generation).
    CodeWidgetHelper arrangeResponsiveElements(SKTTable *section);
    void populateSourceCodeArrayOriginY();
    static bool doColumnsHaveDifferentBackgroundColors(const SKTTable *section);
    // The element number of a page graphic: graphics count minus its index.
    int32_t elementNumber(const SKTGraphic *graphic) const;
    // The generation under way (set by its context), for O(1) look-ups.
    GenerationContext *activeGeneration = nullptr;
    // True while sourceCodeArray is sorted by originY in this generation.
    bool sourceCodeArraySorted = false;

    // --- page image files ---------------------------------------------------------
    // Write the image's "@2x" (and plain) version and its original "o" file,
    // its mask "_mask.png", and the page background, into the page folder
    // tempSavePathLocal/pageName. Each answers false when a file could not be
    // written (a name that is not a plain name writes nothing and fails).
    bool saveImage(const ImageElement &image);
    bool saveMaskImage(const ImageElement &image);
    bool saveBackgroundImage();
    // The page folder: tempSavePathLocal/pageName ("" without a safe page name).
    QString pageFolderPath() const;
    // False when the page folder holds "PNG"/"JPG" files and all of them are
    // empty: the images did not reach the disk (the save then warns).
    bool originalImagesLookSaved() const;

    // --- source view ------------------------------------------------------------
    // Generates the page for the source window (FTPUploadFlag 999 meanwhile)
    // and answers its text, or the "Oops" text when there is none.
    QString sourceCodeForDisplay(bool responsive);
    static QString emptySourceCodeText();

    // --- the page's settings ------------------------------------------------------
    QString pageName;
    QString pageOfficialName;
    QString pageFileType;
    QString pageFileExtension;
    QString publishExt;
    QString mainTemplateName;
    QString encodingType;
    QString metaKeywords;
    QString metaDescription;
    QString customHeaderCode;
    QString baseTemplateCustomHeaderCode;
    QString tempSavePathLocal;
    QString openWebsiteFolderTempPath;
    QString fullCSSString;
    // Profile fields by key; written in gProfileFieldKeys order.
    QMap<QString, QString> profileDictionary;
    // Profile field blocks the reader found beyond gProfileFieldKeys, in page order.
    QList<QPair<QString, QString>> extraProfileFields;
    DocumentLabelTemplate labelTemplateHelper;

    // The page colour as the window stores it: six hex digits or "CLEAR0";
    // empty when none was chosen.
    QString documentColorHexString;
    // The page background pattern (saveBackgroundImage writes it).
    QImage backgroundImage;
    QSize canvasSize;

    int32_t webPageWidth = 0;
    bool webPageWidthManualFlag = false;
    int32_t centreFlag = 0;
    int32_t backgroundImageFlag = 0;
    QString backgroundImageType = QStringLiteral("JPG");
    int32_t useBaseTemplateFlag = 0;
    int32_t inheritCustomHeaderCodeFlag = 0;
    int32_t inheritMetadataFlag = 0;
    bool duplicateBasetemplateFlag = false;
    int32_t docSpecificFixedCanvasFlag = 0;
    int32_t docSpecificPageWidth = 0;
    int32_t docSpecificPageHeight = 0;
    bool mobileVersionFlag = false;
    bool storeImageNowFlag = false;
    bool loopThroughFlag = false;
    bool ignoreImageSaveErrorFlag = false;
    int32_t FTPUploadFlag = 0;
    bool showCodeOnlyFlag = false;
    // The source window of this document, made by the window on first use.
    QObject *sourceCodeController = nullptr;

    // Form settings.
    QString siteFeedbackEmail;
    QString siteCCFeedbackEmail;
    QString formRedirectURL;
    QString formSubmitButtonValue;
    QString formRequiredResponse;
    QString formEmailVerificationMsg;
    QString formBotCheckerResponse;
    QString formSentResponse;
    QString formEmailServer;
    QString formEmailUsername;
    QString formEmailPassword;
    int32_t grabIPFlag = 0;
    int32_t formOrderLayoutOption = 0;
    // The form item names ("form0", "form1" ...) the paragraph, multiple-choice
    // and checkbox inserts appended; undo takes them back.
    QStringList formItemArray;

    // --- working lists of the last generation -------------------------------------
    QList<CodeWidgetHelper> sourceCodeArray;
    QList<TextElement> textViewArray;
    QList<ImageElement> imageViewArray;
    QList<TextElement> htmlSnippetArray;
    QList<SKTSlideshow *> slideshowArray;
    QList<SKTGalleryGrid *> galleryArray;
    QList<SKTTable *> tableArray;
    QList<SKTLine *> lineArray;

    // Set when the last generation could not write a file it had to write
    // (a style sheet or an image); the text is for the user.
    QString lastWriteError;


    // ==== Document: undo, edited state, canvas size (SKTDocumentUndo.cpp) ======
    UndoManager &undoManager() { return *m_undoManager; }
    DocumentEvents &events() { return *m_events; }
    // Insert and remove with undo. indexes ascend; each graphic lands at its
    // index of the final list. Out-of-range indexes change nothing.
    void insertGraphics(const QList<std::shared_ptr<SKTGraphic>> &graphics, const QList<qsizetype> &indexes);
    void removeGraphicsAtIndexes(const QList<qsizetype> &indexes);
    void insertGraphicAtIndex(const std::shared_ptr<SKTGraphic> &graphic, qsizetype index);
    void removeGraphicAtIndex(qsizetype index);
    void addInGraphics(const std::shared_ptr<SKTGraphic> &graphic);
    void clearAllGraphics();
    // The graphics of a class (or a subclass), in graphics() order.
    template <typename T>
    QList<T *> graphicsWithClass() const
    {
        QList<T *> list;
        for (const auto &g : m_graphics)
            if (auto *t = dynamic_cast<T *>(g.get()))
                list.append(t);
        return list;
    }
    QList<SKTGraphic *> graphicPointers() const;
    // Whether another graphic, a section table, overlaps the graphic.
    bool isGraphicInASection(const SKTGraphic *graphic) const;
    // The canvas: the page's own size when its fixed-canvas flag is 1, else
    // the edition's. Changing the page size through setPageCanvas announces it.
    QSizeF pageCanvasSize() const;
    void setPageCanvas(int32_t fixedFlag, int32_t width, int32_t height);
    void announceCanvasSizeChange();
    // The change count is the edited state; never edited in viewer editions.
    bool isDocumentEdited() const;
    // A change with no undo step of its own (a background chosen or removed).
    void updateChangeCount();
    // After saving or reading: what is shown matches the package.
    void markClean();
    QColor pageColor = QColor(Qt::white);

    // ==== Document: the package and saving (SKTDocumentSaving.cpp) ============
    // The package file; empty while the page is untitled.
    QString fileURLPath;
    // The page file in the working folder.
    QString pagePath;
    QString pageFileTypeName() const;
    // Changes since the last package write that need the image files rewritten.
    int32_t documentChangedCounter = 0;
    // Set when the last read failed: the working folder does not hold this
    // page, so no save may write its package.
    bool pageUnread = false;
    // The reason the last save or read failed ("" after success).
    QString lastSaveError;
    // Answers whether the generated page equals the stored page file.
    // The text of the page file (stored, published and previewed alike) into
    // gGeneratedSource: the absolute page, or in a responsive edition the
    // responsive page with its editing form appended (PageEditingCopy).
    QString generatePageFileText(bool saveImages);
    bool compareSource(bool publish);
    // Saves the page into its working folder and the package at packagePath.
    // False, with an alert naming the file and the reason, when a file could
    // not be written: the page then stays edited and the old package whole.
    bool saveThisPage(const QString &packagePath, bool publish);
    bool askPageToSaveItself();
    // Saves to the document's file, or asks for one when it has none. done
    // gets whether the page was saved once that is known (the save panel may
    // answer after this returns); the answer is whether it was saved by then.
    bool saveDocument(std::function<void(bool saved)> done = {});
    bool savePageFile(bool publish);
    bool directlySavePageFile();
    bool saveCSSFile();
    // The publish copy in tempFiles of the work folder: its path, "" on failure.
    QString generatePublishVersion();
    bool exportPublishVersion(const QString &path);
    // The bytes of a page text: ASCII when it can be, else UTF-16 with a byte
    // order mark; for an upload by encodingType.
    static QByteArray encodePageText(const QString &text, bool forUpload, const QString &encodingType);
    // A stored page text: ASCII, else UTF-16. *ok false when unreadable.
    static QString readPageText(const QString &path, bool *ok = nullptr);
    // Zips a page folder W/N in the flat layout into packagePath.
    static bool packageDocument(const QString &pageFolder, const QString &packagePath, QString *error = nullptr);
    QString windowTitle() const;
    void updateWindowTitle();
    // Screenshots of the canvas, N.png and N@2x.png beside the page folder.
    bool saveScreenshot();
    bool saveCustomScreenshot(const QImage &image);
    QImage imageWithSubviews() const;
    static QSize screenshotSize(const QSize &picture, int32_t box);
    // The window's side of the document; set by the window controller.
    struct WindowHooks {
        std::function<QString()> openWebsiteFolderTempPath;
        std::function<void()> refreshPageBackgroundColor;
        std::function<void()> hideAllDocPanels;
        // The page's position (from 0) in the project's page list, -1 when
        // it is not listed; the base template's "[PAGE_NUMBER]" shows it.
        std::function<int()> currentPageIndex;
        QObject *window = nullptr;
    };
    WindowHooks windowHooks;

    // ==== Document: the window's side (SKTDocumentWindowSide.cpp) =============
    // The mobile/desktop switch: segment 0 is the desktop view. The page is
    // read again in the chosen view.
    void updateMobileView(int selectedSegment);
    // Toolbar validation: the web preview waits while form objects are being
    // added; every other item is enabled.
    static bool validateToolbarItem(const QString &action, bool showAddFormObjects);
    // A page never saved to a file of its own; never in the viewer editions.
    bool isDraft() const;
    // Lets the user choose a page file of the edition to serve as base
    // template; the chosen path is kept in chosenBaseTemplatePath and passed
    // to chosen (empty when cancelled). Nothing else changes.
    void applyBaseTemplate(const std::function<void(const QString &path)> &chosen = {});
    QString chosenBaseTemplatePath;
    // What the canvas is filled with: the background picture as a repeating
    // pattern when the page has one, else the page colour.
    bool hasBackgroundPattern() const;
    QBrush pageBackgroundBrush() const;
    // "[PAGE_NUMBER]" becomes the page's position in the project's page list
    // (the text is unchanged when the page is not listed).
    QString replacePageNumbers(const QString &text) const;

    // ==== Document: opening (SKTDocumentOpening.cpp) ==========================
    // Reads the package at fileURLPath into the document, without undo.
    bool refreshDocument();
    // Called on every page just read, before it is shown, with undo off: the
    // record editions put what the record holds on the page. Set at start-up.
    static void setPageReadHook(std::function<void(SKTDocument &)> hook);
    bool readFromFile(const QString &packagePath);
    // The page reader over the document: answers the carriers in stacking order.
    // templateName: the name the page file had in its package.
    QList<std::shared_ptr<ElementCarrier>> presentObjects(const QString &pageText, const QString &pageNameArg,
                                                        const QString &projectFolder, const QString &templateName,
                                                        const QString &pageFilePath);
    // The base template's graphics in place of all graphics (no undo).
    void applyAutoBaseTemplate();
    // Unpacks a package into the project folder that holds unpackFolder under
    // a free name; answers its screenshot's path, "" on failure.
    static QString migrateWebsitePage(const QString &packagePath, const QString &unpackFolder);
    static QString receivedPagesFolderName(const QDateTime &time);
    // ==== Document: page image files (SKTDocumentImages.cpp) ==================
    // Responsive editions show a slide's retina image cropped to the band its
    // slideshow shows: answers the cropped image (*cropped true) or scaled.
    QImage cropRetinaToSlideshow(const ImageElement &image, const QImage &scaled, bool *cropped) const;
    // The size cropRetinaToSlideshow gives a scaled image of that size,
    // worked out without the pixels.
    QSize croppedRetinaSize(const ImageElement &image, const QSize &scaled) const;
    // The retina size an image's frame asks for, before any slideshow crop.
    QSize retinaTarget(const ImageElement &image) const;
    // Notes, for every picture as read, the retina size its files were made
    // for: the size its frame asks for as the page was read.
    void noteFilesOfPicturesAsRead();
    // Whether an image's files in the page folder are still the ones its
    // picture (as read, or as this document last wrote it) and its frame's
    // retina size (target, before any crop) call for (PageImages.cpp).
    bool filesStillMatch(const ImageElement &image, const QString &originalPath, const QString &retinaPath,
                         const QString &plainPath, const QSize &target) const;
    // What a save wrote for a picture held in memory, by its original's path:
    // the picture (its cache key), the retina size and the files as written.
    // A later save whose picture, size and crop are the same, and whose files
    // nobody touched since, leaves them alone.
    struct WrittenImageFiles {
        qint64 pictureKey = 0;
        QSize retinaSize;
        qint64 originalBytes = -1;
        QDateTime originalTime;
        qint64 retinaBytes = -1;
        QDateTime retinaTime;
    };
    QHash<QString, WrittenImageFiles> writtenImageFiles;
    // Rewrites every image's original no wider than the "DovrinMaxImageSize"
    // default, encoded by its type; false (with an alert naming the file)
    // when one could not be written.
    bool compressAllOriginals();
    // After the images of a save: alerts when the originals did not reach the
    // disk ("Try again" marks the page changed, "Ignore" stops the check).
    void checkToMakeSureOriginalImagesAreSavedProperly();

    // Closing: asks about unsaved changes ("Yes" saves and closes once the
    // save succeeded, "No" closes, "Cancel" keeps the window) and answers.
    void canCloseDocument(const std::function<void(bool mayClose)> &answer);
    int32_t inheritMetaDescriptionFlag = 0;
    int32_t inheritMetaKeywordsFlag = 0;
    bool usingBootStrapFlag = false;

    // ==== Insertion: image names issued on this page this session ===========
    // (src/insertion/PageImageService) A name once given out is never given
    // again, even after its graphic was removed or its insertion undone, so
    // no original file can be overwritten while an undo step may bring its
    // graphic back.
    QSet<QString> issuedImageNames;

private:
    QList<std::shared_ptr<SKTGraphic>> m_graphics;
    // What each text was last measured with, and the height it got: a text
    // whose inputs did not change keeps its height without a new layout.
    struct TextMeasure {
        QString key;
        int32_t height = 0;
    };
    QHash<const SKTGraphic *, TextMeasure> m_textMeasures;
    // ==== Document: undo group state (SKTDocumentUndo.cpp) ====================
    void beginUndoGroupStateIfNeeded();
    void clearUndoGroupState();
    std::shared_ptr<SKTGraphic> sharedGraphic(const SKTGraphic *graphic) const;
    // Graphic to its owning pointer, rebuilt from m_graphics on a miss, so
    // that a drag of many graphics on a long page does not walk the page
    // once per changed value.
    mutable QHash<const SKTGraphic *, std::weak_ptr<SKTGraphic>> m_sharedGraphics;
    std::shared_ptr<const void> m_lifetime = std::make_shared<int>(0);
    std::unique_ptr<UndoManager> m_undoManager = std::make_unique<UndoManager>();
    std::unique_ptr<DocumentEvents> m_events = std::make_unique<DocumentEvents>();
    QSet<const SKTGraphic *> m_groupInserted;
    QString m_groupPropertyName;
    bool m_groupMultipleChanges = false;
    bool m_undoStateConnected = false;
};
