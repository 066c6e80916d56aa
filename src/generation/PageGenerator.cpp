// The page generator driver: set-up, the passes in their fixed order, then the
// page assembly. The page text it returns is the stored page and the
// published page at once.
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/PageText.h"
#include "document/Fmt.h"
#include "generation/FormMailer.h"
#include "generation/GenerationContext.h"
#include "generation/LineImageOutput.h"
#include "generation/PageAssembly.h"
#include "generation/SlideshowOutput.h"
#include "generation/TableOutput.h"
#include "generation/TextFormPass.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

void SKTDocument::prepareGraphicsForGeneration()
{
    // What drawing would have done: a page that was never drawn must give the
    // same text as one that was.
    QHash<const SKTGraphic *, TextMeasure> measured;
    for (const auto &g : m_graphics) {
        SKTGraphic *graphic = g.get();
        if (auto *table = dynamic_cast<SKTTable *>(graphic)) {
            table->pushSettingsIntoCells();
            table->measureCellTextHeights();
        } else if (auto *text = dynamic_cast<SKTText *>(graphic)) {
            // The layout depends on these alone; the box model is always refreshed.
            text->drawBoxModel();
            const double containerWidth = gRoundedTextCorners
                                              ? text->bounds().width() - 2 * int32_t(text->cornerRadius() * 0.25)
                                              : text->contentRect().width();
            QString key = text->contents();
            key += QChar(0x1F) + text->fontFamily() + QChar(0x1F) + QString::number(text->fontSize()) + QChar(0x1F)
                   + QString::number(text->fontAlignment()) + QChar(0x1F) + QString::number(text->lineSpacing())
                   + QChar(0x1F) + QString::number(containerWidth, 'g', 17);
            const auto known = m_textMeasures.constFind(text);
            if (known != m_textMeasures.constEnd() && known->key == key && known->height == text->textHeight()) {
                measured.insert(text, *known);
                continue;
            }
            text->updateTextHeight();
            measured.insert(text, TextMeasure{key, text->textHeight()});
            continue;
        } else if (auto *show = dynamic_cast<SKTSlideshow *>(graphic)) {
            show->grabTransformViewBounds();
        } else if (auto *gallery = dynamic_cast<SKTGalleryGrid *>(graphic)) {
            gallery->layOutImages();
        } else if (auto *image = dynamic_cast<SKTImage *>(graphic)) {
            image->drawBoxModel();
        }
    }
    m_textMeasures = std::move(measured);
}

namespace {

QString pageColourOf(const SKTDocument &doc)
{
    QString colour = doc.backgroundImageFlag != 0 ? QString() : doc.documentColorHexString;
    // A colour that is not six hex digits (a damaged or hostile page) is no colour.
    if (colour.isEmpty() || !(Escape::isHexColour(colour) || colour == QLatin1String("CLEAR0")))
        colour = QStringLiteral("FFFFFF");
    if (colour == QLatin1String("CLEAR0") && !gClearCanvasBackground)
        colour = QStringLiteral("FFFFFF");
    return colour;
}

} // namespace

QString SKTDocument::generateSourceCode(const QString &pageName_, bool responsive, bool saveImages, QString *writeError)
{
    lastWriteError.clear();
    // Generation settles missing values on the graphics (units, border
    // styles, checked links) the way drawing does; none of that is an edit
    // the user could undo, so it records no undo step.
    struct UndoPause {
        UndoManager &undo;
        explicit UndoPause(UndoManager &u) : undo(u) { undo.disableUndoRegistration(); }
        ~UndoPause() { undo.enableUndoRegistration(); }
    } pause(undoManager());
    prepareGraphicsForGeneration();

    // Set-up 1: fresh working lists, members numbered after their containers.
    sourceCodeArray.clear();
    sourceCodeArraySorted = false;
    populateGalleryImageDimensions();
    populateTableNumbers();
    textViewArray.clear();
    imageViewArray.clear();
    htmlSnippetArray.clear();
    slideshowArray.clear();
    galleryArray.clear();
    tableArray.clear();
    lineArray.clear();

    // Set-up 2: the web fonts, none marked used yet.
    DataCentre::prepCustomFont();

    GenerationContext ctx(*this, pageName_, responsive, saveImages);

    if (customHeaderCode.isNull() || customHeaderCode == QLatin1String("(null)"))
        customHeaderCode = QString(QLatin1String(""));

    // Set-up 3: keywords and description.
    ctx.metaBlock = QStringLiteral("<meta name=\"keywords\" content=\"") + PageText::toAttribute(metaKeywords)
                    + QStringLiteral("\">\n<meta name=\"description\" content=\"") + PageText::toAttribute(metaDescription)
                    + QStringLiteral("\">");
    if (webPageWidthManualFlag)
        ctx.metaBlock += QStringLiteral("\n<!---manual view port calculation--->");
    else
        webPageWidth = findMaxScreenWidth();

    // Set-up 4: centring rule.
    if (centreFlag != 0)
        ctx.centringRule = Fmt::fill(u"#content{position:relative;width:%dpx;margin-left:auto;margin-right:auto;}\n",
                                     {webPageWidth});

    // Set-up 5: the working lists.
    for (SKTText *text : textAreas()) {
        if (text->textType() == QLatin1String("Text"))
            textViewArray.append(TextElement(text));
        else if (text->textType() == QLatin1String("HTMLSnippet"))
            htmlSnippetArray.append(TextElement(text));
    }
    for (SKTImage *image : images())
        imageViewArray.append(ImageElement(image));
    slideshowArray = slideshows();
    galleryArray = galleries();
    tableArray = tables();
    lineArray = lines();

    // Set-up 6: page background colour.
    ctx.pageColour = pageColourOf(*this);

    // The passes, in their fixed order.
    SlideshowOutput::writeSlideshows(ctx);
    SlideshowOutput::writeGalleries(ctx);
    TableOutput::writeTableGrids(ctx);
    TableOutput::writeSnippets(ctx);
    LineImageOutput::writeLines(ctx);
    const bool hadImages = LineImageOutput::writeImages(ctx);
    QString imageError;
    if (hadImages && saveImages && !ignoreImageSaveErrorFlag && !originalImagesLookSaved()) {
        // The save asks the user to try again or ignore (its alert belongs to saving).
        imageError = QStringLiteral("Sorry, images may not have saved properly, please review and try saving this file again.");
    }
    TextFormPass::run(ctx);
    if (FormMailer::isFormPage(*this))
        ctx.formBlock = FormMailer::formBlock(ctx);

    QString error;
    QString page = PageAssembly::assemble(ctx, &error);
    if (!error.isEmpty())
        lastWriteError = error;
    else if (!imageError.isEmpty())
        lastWriteError = imageError;
    if (writeError)
        *writeError = lastWriteError;
    gGeneratedSource = page;
    return page;
}
