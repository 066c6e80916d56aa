#include "generation/PageAssembly.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/FormMailer.h"
#include "generation/GenerationContext.h"
#include "generation/JqueryFiles.h"
#include "generation/LineImageOutput.h"
#include "generation/Markers.h"
#include "generation/PageFiles.h"
#include "generation/ResponsivePage.h"

namespace {

const QString kEmpty = QString(QLatin1String(""));

// Addresses of the libraries the pages load; only the paths are fixed by the
// libraries' releases.
const char16_t kJqueryCdn[] = u"<script src=\"https://ajax.googleapis.com/ajax/libs/jquery/2.2.2/jquery.min.js\"></script>";
const char16_t kBootstrapCssCdn[] =
    u"<link rel=\"stylesheet\" href=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/css/bootstrap.min.css\" charset=\"UTF-8\">";
const char16_t kBootstrapJsCdn[] =
    u"<script src=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/js/bootstrap.min.js\" charset=\"UTF-8\"></script>";
const char16_t kHtml5Shiv[] = u"<script src=\"https://oss.maxcdn.com/html5shiv/3.7.2/html5shiv.min.js\"></script>";
const char16_t kRespond[] = u"<script src=\"https://oss.maxcdn.com/respond/1.4.2/respond.min.js\"></script>";
const char16_t kWebFontService[] = u"<link href='https://fonts.googleapis.com/css?family=";

QString scriptBlock()
{
    if (gPreviewMode && !gResponsiveEdition) {
        return QStringLiteral("<script src=\"jquery-2.2.2.min.js\" charset=\"UTF-8\"></script>\n"
                              "<link rel=\"stylesheet\" href=\"bootstrap.min.css\" charset=\"UTF-8\">\n"
                              "<script src=\"bootstrap.min.js\" charset=\"UTF-8\"></script>\n")
               + QString::fromUtf16(kHtml5Shiv) + QLatin1Char('\n') + QString::fromUtf16(kRespond) + QLatin1Char('\n');
    }
    return QString::fromUtf16(kJqueryCdn) + QLatin1Char('\n') + QString::fromUtf16(kBootstrapCssCdn) + QLatin1Char('\n')
           + QString::fromUtf16(kBootstrapJsCdn) + QLatin1Char('\n') + QString::fromUtf16(kHtml5Shiv) + QLatin1Char('\n')
           + QString::fromUtf16(kRespond);
}

QString webFontLink()
{
    QString families;
    for (const CustomFont &font : std::as_const(gCustomFonts))
        if (font.isUsed)
            families += Escape::html(font.sourceCodeName) + QLatin1Char('|');
    if (families.isEmpty())
        return kEmpty;
    return QString::fromUtf16(kWebFontService) + families
           + QStringLiteral("&subset=latin,latin-ext' rel='stylesheet' type='text/css'>");
}

const char16_t kModalScript[] =
    u"<script>\n$( document ).ready(function() {\nvar maxHeight = $(window).height() - 60 + \"px\";\n"
    u"$(\".modal img\").css(\"max-height\", maxHeight);\n});\n$(window).on(\"resize\", function() {\n"
    u"var maxHeight = $(window).height() - 60 + \"px\";\n$(\".modal img\").css(\"max-height\", maxHeight);\n});\n"
    u"$(window).trigger('resize');\n</script>\n";

const char16_t kHeadTemplateA[] =
    u"<head>\n<title>%@</title>\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n<!--Base Template Header Code:%d-->\n%@\n"
    u"<!--Custom Header Code:%d-->\n%@\n\n%@\n%@\n<style type=text/css>\n%@\n%@%@%@%@%@%@%@%@\n\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n"
    u"</style></head>\n";
const char16_t kHeadTemplateB[] =
    u"<head>\n<title>%@</title>\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n<!--Base Template Header Code:%d-->\n%@\n"
    u"<!--Custom Header Code:%d-->\n%@\n\n%@\n%@\n<style type=text/css>\n%@\n\n%@%@%@%@%@%@%@%@\n\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n"
    u"</style></head>\n";
const char16_t kStyleSheetTemplate[] =
    u"<style type=text/css>\n%@\n%@%@%@%@%@%@%@%@\n\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n</style>\n";
const char16_t kDoctype401[] =
    u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" \"http://www.w3.org/TR/html4/loose.dtd\">\n";
// The page after "<html>" and the head.
const char16_t kPageTemplate[] = u"\n%@\n<div id=content>\n%@\n%@\n%@\n%@</div></body></html>\n"
                                 u"%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@";
const char16_t kFormPageTemplate[] = u"\n%@\n<div id=content>%@\n\n%@\n%@\n%@\n%@\n%@\n</div></body></html>\n"
                                     u"%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@\n%@";

// The profile editions name their page after the owner (and pet).
void rewriteProfileTitle(SKTDocument &doc)
{
    QStringList keys;
    if (gAppName == QLatin1String("Pellamy Vet Edition"))
        keys = {QStringLiteral("Owner First Name"), QStringLiteral("Owner Last Name"), QStringLiteral("Pet Name"),
                QStringLiteral("Pet Breed")};
    else if (gAppName == QLatin1String("Pellamy") || gAppName == QLatin1String("Pellamy 2")
             || gAppName == QLatin1String("Carrowel"))
        keys = {QStringLiteral("Owner First Name"), QStringLiteral("Owner Last Name"),
                QStringLiteral("Pet Chart Number")};
    else
        return;
    QStringList values;
    for (const QString &key : std::as_const(keys))
        values << doc.profileDictionary.value(key);
    doc.pageOfficialName = values.join(QLatin1Char(' '));
}

// & < > only: the reader decodes exactly these in a profile block.
QString profileEscape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'&')
            out += u"&amp;";
        else if (c == u'<')
            out += u"&lt;";
        else if (c == u'>')
            out += u"&gt;";
        else
            out += c;
    }
    return out;
}

void appendProfileBlock(QString &page, const QString &key, const QString &value)
{
    const QString k = profileEscape(key);
    page += QStringLiteral("\n\n<!====") + k + QStringLiteral("STARTSTRING--") + profileEscape(value)
            + QStringLiteral("--") + k + QStringLiteral("ENDSTRING====>");
}

} // namespace

QString PageAssembly::assemble(GenerationContext &ctx, QString *writeError)
{
    SKTDocument &doc = ctx.doc;
    const bool formPage = FormMailer::isFormPage(doc);

    // 1. Header code.
    const QString untrimmedHeader = doc.customHeaderCode;
    doc.customHeaderCode = doc.customHeaderCode.trimmed();
    const int32_t nc = SKTDocument::calculateNumOfLines(doc.customHeaderCode);
    if (doc.baseTemplateCustomHeaderCode.isNull() || doc.inheritCustomHeaderCodeFlag == 0)
        doc.baseTemplateCustomHeaderCode = kEmpty;
    const int32_t nb = SKTDocument::calculateNumOfLines(doc.baseTemplateCustomHeaderCode);
    // The owner's header code is code: a curly quote inside one of its
    // strings stays as written (made plain it could end the string).
    const QString headerCode = formPage ? untrimmedHeader + QLatin1Char('\n') + ctx.formBlock : doc.customHeaderCode;

    // 2, 3. Viewport and Generator metas.
    const QString viewport = doc.webPageWidth > 0
                                 ? Fmt::fill(u"<meta name='viewport' content='width=%d'>", {doc.webPageWidth})
                                 : kEmpty;
    const QString generator = QStringLiteral("<meta name='Generator' content='") + Escape::html(gAppName)
                              + QLatin1Char(' ') + Escape::html(gAppVersion) + QStringLiteral("'>");

    // 4. Background rules.
    const QString backgroundFile = doc.backgroundImageType == QLatin1String("JPG") ? QStringLiteral("background.JPG")
                                                                                    : QStringLiteral("background.PNG");
    const QString backgroundFolder =
        doc.useBaseTemplateFlag != 0 ? QStringLiteral("basetemplate") : Escape::cssValue(ctx.pageName);
    const QString imageRule =
        doc.centreFlag != 0
            ? Fmt::fill(u"body{background-image:url('%@/%@');\ntext-align:center;\nbackground-attachment:scroll !important;}\n",
                        {backgroundFolder, backgroundFile})
            : Fmt::fill(u"body{background-image:url('%@/%@');\nbackground-attachment:scroll !important;}\n",
                        {backgroundFolder, backgroundFile});
    // CSS knows no "#CLEAR0": a clear page is transparent.
    const QString colourRule = QStringLiteral("body{background-color:") + Escape::cssColour(ctx.pageColour)
                               + QStringLiteral(";}");

    // 5-8. Web fonts, scripts, modal script.
    const QString fonts = webFontLink();
    const QString scripts = scriptBlock();
    JqueryFiles::transferTo(doc.tempSavePathLocal);
    const QString modalScript = doc.needImagePopupScript() ? QString::fromUtf16(kModalScript) : kEmpty;

    // 9, 10. Retina block closed; fixed rules.
    ctx.retinaBlock += QLatin1Char('}');
    const QString tab = QStringLiteral(".tab {text-indent:40px;}\n");
    const QString tableReset =
        QStringLiteral("table, td, th{border:0px solid black; padding:0px;text-align:left;vertical-align:top;}\n");

    // 11. Separate style sheet.
    if (gSeparateCSSFile) {
        doc.fullCSSString = Fmt::fill(kStyleSheetTemplate,
                                      {ctx.centringRule, imageRule, tab, ctx.textCSS, ctx.slideshowCSS,
                                       ctx.slideshowButtonCSS, ctx.imageCSS, tableReset, ctx.galleryCaptionCSS,
                                       ctx.snippetCSS, ctx.retinaBlock, ctx.galleryGridCSS, ctx.tableGridCSS,
                                       ctx.lineCSS, kEmpty, kEmpty});
        QString error;
        if (!writeStyleSheet(doc, ctx.pageName, doc.fullCSSString, &error) && writeError)
            *writeError = error;
    }

    // 12. Meta block.
    const QString meta = ctx.metaBlock + QLatin1Char('\n')
                         + QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=")
                         + Escape::html(doc.encodingType)
                         + QStringLiteral("\"/> \n<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\"/>\n")
                         + QLatin1Char('\n') + scripts;

    // 13. Head.
    const QString title = Escape::html(doc.pageOfficialName);
    const QString &baseHeader = doc.baseTemplateCustomHeaderCode;
    // (The head is written straight into the page below, with this title:
    // the profile editions rename the page only after the head is made.)
    const auto appendHead = [&](QString &out) {
        if (doc.backgroundImageFlag > 0) {
            Fmt::append(out, kHeadTemplateA,
                        {title, viewport, generator, meta, kEmpty, kEmpty, kEmpty, ctx.slideshowScripts, nb, baseHeader,
                         nc, headerCode, fonts, modalScript, ctx.centringRule, imageRule, tab, ctx.textCSS,
                         ctx.slideshowCSS, ctx.slideshowButtonCSS, ctx.imageCSS, tableReset, ctx.galleryCaptionCSS,
                         ctx.snippetCSS, kEmpty, ctx.galleryGridCSS, ctx.tableGridCSS, ctx.lineCSS, kEmpty, kEmpty});
        } else {
            Fmt::append(out, kHeadTemplateB,
                        {title, viewport, generator, meta, kEmpty, kEmpty, kEmpty, ctx.slideshowScripts, nb, baseHeader,
                         nc, headerCode, fonts, modalScript, ctx.centringRule, colourRule, tab, ctx.textCSS,
                         ctx.slideshowCSS, ctx.slideshowButtonCSS, ctx.imageCSS, tableReset, ctx.galleryCaptionCSS,
                         ctx.snippetCSS, kEmpty, kEmpty, ctx.galleryGridCSS, ctx.tableGridCSS, ctx.lineCSS, kEmpty});
        }
    };

    // 14. Edition adjustments.
    bool backgroundSaved = true;
    if (gAppName == QLatin1String("Tovra Label Maker")) {
        doc.useBaseTemplateFlag = 0;
        backgroundSaved = doc.saveBackgroundImage();
    } else if (!(doc.useBaseTemplateFlag != 0 && ctx.pageName != QLatin1String("basetemplate"))) {
        backgroundSaved = doc.saveBackgroundImage();
    }
    if (!backgroundSaved && writeError && writeError->isEmpty())
        *writeError = QStringLiteral("The page background could not be written into the page folder.");
    rewriteProfileTitle(doc);

    // 15-17. DOCTYPE, body tag, markers.
    const QString doctype = gResponsiveEdition && !gResponsiveEmailEdition ? QStringLiteral("<!DOCTYPE html>")
                                                                            : QString::fromUtf16(kDoctype401);
    // The body keeps "#CLEAR0": the page reader takes the page colour from it.
    const QString bodyTag = Fmt::fill(u"<body bgcolor=#%@ leftmargin=0 topmargin=0>", {ctx.pageColour});
    const PageMarkers m = Markers::pageMarkers(ctx);

    // 18. The page.
    // One allocation for the whole page: the pieces are copied into it once.
    const qsizetype pageSize = 8192 + headerCode.size() + baseHeader.size() + ctx.slideshowScripts.size()
                               + ctx.textCSS.size() + ctx.slideshowCSS.size() + ctx.slideshowButtonCSS.size()
                               + ctx.imageCSS.size() + ctx.galleryCaptionCSS.size() + ctx.snippetCSS.size()
                               + ctx.galleryGridCSS.size() + ctx.tableGridCSS.size() + ctx.lineCSS.size()
                               + ctx.textMarkup.size() + ctx.imageMarkup.size() + ctx.snippetMarkup.size()
                               + ctx.slideshowMarkup.size();
    // It is written into the memory of the last page when nothing else holds
    // that page any more (gGeneratedSource gets this one at the end), for the
    // reason the pieces keep theirs (GenerationContext.cpp).
    QString page = GenerationContext::reuseIfUnshared(gGeneratedSource, pageSize);
    // Only when short: QString::reserve moves a string whose room is exactly
    // the size asked for, as the last page's room is when it was the same page.
    if (page.capacity() < pageSize)
        page.reserve(pageSize);
    if (ctx.responsiveLayout) {
        // The responsive shape: sections and the Bootstrap grid, no markers.
        page = ResponsivePage::build(ctx, {fonts, scripts, headerCode, baseHeader, formPage});
    } else if (formPage) {
        page += doctype;
        page += QStringLiteral("<html>");
        appendHead(page);
        // A plain page name stays bare as stored; any other is quoted and escaped.
        const QString formOpen = QStringLiteral("<form name=") + LineImageOutput::bareAttribute(ctx.pageName)
                                 + QStringLiteral(" action=")
                                 + LineImageOutput::bareAttribute(ctx.pageName + QStringLiteral(".php"))
                                 + QStringLiteral(" onsubmit=\"return validateForm();\" method=post>");
        const QString formClose = QStringLiteral("<input type=\"hidden\" name=email value=\"email\"></form>");
        Fmt::append(page, kFormPageTemplate,
                         {bodyTag, formOpen, ctx.textMarkup, ctx.imageMarkup, ctx.slideshowMarkup,
                          formClose, ctx.snippetMarkup, m.rotate, m.useBaseTemplate, m.inheritCustomHeader,
                          m.inheritMetadata, m.publishExtension, m.backgroundQuality, m.pageTitle, m.fixedCanvas,
                          m.canvasSizeType});
    } else {
        page += doctype;
        page += QStringLiteral("<html>");
        appendHead(page);
        Fmt::append(page, kPageTemplate,
                         {bodyTag, ctx.textMarkup, ctx.imageMarkup, ctx.snippetMarkup,
                          ctx.slideshowMarkup, m.rotate, m.useBaseTemplate, m.inheritCustomHeader, m.inheritMetadata,
                          m.publishExtension, m.backgroundQuality, m.pageTitle, m.fixedCanvas,
                          m.baseTemplateDuplicated, m.canvasSizeType});
    }

    // 20. Profile fields: the edition's keys in order, never past the key
    // list, then the blocks the reader kept beyond it.
    if (!doc.profileDictionary.isEmpty()) {
        for (const QString &key : std::as_const(gProfileFieldKeys)) {
            const auto it = doc.profileDictionary.constFind(key);
            if (it != doc.profileDictionary.constEnd())
                appendProfileBlock(page, key, it.value());
        }
    }
    for (const auto &extra : std::as_const(doc.extraProfileFields))
        appendProfileBlock(page, extra.first, extra.second);

    // 21. The typographic substitution was applied to each user text as it
    // was placed (Escape), not here on the finished page, where it would turn
    // a curly quote into a quote that ends an escaped string.

    // 22. Unused image and background files of the page folder.
    cleanPageFolder(doc, ctx.pageName);
    return page;
}
