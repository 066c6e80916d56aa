#include "document/PageReader.h"

#include "config/DataCentreColours.h"
#include "config/DataCentreImages.h"
#include "config/DataCentreMarkers.h"
#include "document/ElementRuleReaders.h"
#include "document/PageBodyText.h"
#include "document/PageText.h"
#include "model/FormItemMaker.h"

#include <QDir>
#include <QFile>
#include <QThreadPool>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {

const QString kBaseTemplate = QStringLiteral("basetemplate");

QString middle(const char *start, const char *end, const QString &text)
{
    return DataCentreMarkers::grabMiddleString(QString::fromLatin1(start), QString::fromLatin1(end), text);
}

// The text between the first start marker and the end marker, "" when the
// start is missing (a form setting's own reading).
QString formMarker(const char *start, const char *end, const QString &text)
{
    return middle(start, end, text);
}

int32_t integerOf(const QString &text)
{
    return PageRule::clampToInt(PageRule::leadingNumber(text), -PageRule::kMaxMagnitude, PageRule::kMaxMagnitude);
}

QString dropAtEnd(const QString &text, int count)
{
    return text.size() >= count ? text.left(text.size() - count) : QString(QLatin1String(""));
}

QString trimBlanks(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (from < to && blank(text.at(from)))
        ++from;
    while (to > from && blank(text.at(to - 1)))
        --to;
    return text.mid(from, to - from);
}

QString lineAfterPrefix(const QString &line, const QString &prefix, int drop)
{
    const qsizetype at = line.indexOf(prefix);
    return at < 0 ? QString() : dropAtEnd(line.mid(at + prefix.size()), drop);
}

bool isRuleLine(const QString &line, const char *selector)
{
    return line.startsWith(QLatin1String(selector)) && line.contains(QLatin1String("{position:"));
}

bool isSectionRule(const QString &line)
{
    const QString type = PageRule(line).string(QStringLiteral("gridType"), QString());
    return type == QLatin1String("section") || type == QLatin1String("sectionTemplate");
}

void readBackground(const QString &folder, PageReadResult &result)
{
    auto load = [&](const char *original, const char *plain, const char *type) {
        QString path = QDir(folder).filePath(QLatin1String(original));
        if (!QFileInfo::exists(path))
            path = QDir(folder).filePath(QLatin1String(plain));
        if (!QFileInfo::exists(path))
            return;
        const QImage image = DataCentreImages::readImage(path);
        if (image.isNull())
            return;
        result.backgroundImage = image;
        result.backgroundImageType = QLatin1String(type);
    };
    load("backgroundo.PNG", "background.PNG", "PNG");
    load("backgroundo.JPG", "background.JPG", "JPG");
}

template <typename T>
void keep(QList<std::shared_ptr<T>> &list, bool duplicated, const QString &pageName)
{
    QList<std::shared_ptr<T>> kept;
    kept.reserve(list.size());
    for (const auto &carrier : list) {
        if (duplicated)
            carrier->templateName = pageName;
        if (carrier->templateName == kBaseTemplate && pageName != kBaseTemplate)
            continue;
        kept.append(carrier);
    }
    list = kept;
}

int32_t carrierTag(const ElementCarrier &carrier)
{
    if (auto t = dynamic_cast<const myTextView *>(&carrier))
        return t->tag;
    if (auto l = dynamic_cast<const LineView *>(&carrier))
        return l->tag;
    if (auto s = dynamic_cast<const OuterSlideShow *>(&carrier))
        return s->tag;
    if (auto g = dynamic_cast<const GalleryGridView *>(&carrier))
        return g->tag;
    if (auto t = dynamic_cast<const TableGridView *>(&carrier))
        return t->tag;
    return 0;
}

} // namespace

QString PageReadInput::pageFolder() const
{
    const QFileInfo info(pageFilePath);
    if (info.suffix().isEmpty())
        return pageFilePath;
    return pageFilePath.left(pageFilePath.size() - info.suffix().size() - 1);
}

bool PageReadInput::readsBaseTemplateUnderOtherName() const
{
    return writtenName == kBaseTemplate && pageName != kBaseTemplate;
}

bool PageReadInput::ownSettingsFlag() const
{
    return !(pageName != kBaseTemplate && baseTemplateExists && useBaseTemplateFlag);
}

QString PageReader::takeHeaderCode(QStringList &lines, const QString &prefix, bool removeLines, bool *found)
{
    int64_t count = 0;
    bool any = false;
    for (const QString &line : lines) {
        if (line.startsWith(prefix)) {
            count = integerOf(dropAtEnd(line.mid(prefix.size()), 3));
            any = true;
        }
    }
    if (found)
        *found = any && count > 0;
    if (!any || count <= 0)
        return QLatin1String("");
    const QString exact = prefix + QString::number(count) + QStringLiteral("-->");
    qsizetype marker = 0;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines.at(i) == exact)
            marker = i;
    if (count > lines.size() - marker - 1)
        throw ReadError(QStringLiteral("The header code reaches past the end of the page."));
    const QString code = lines.mid(marker + 1, count).join(QLatin1Char('\n'));
    if (marker > 0 && removeLines)
        lines.remove(marker, count + 1);
    return code;
}

PageReadResult PageReader::read(PageReadInput input)
{
    PageReadResult result;
    const QString &text = input.pageText;
    const bool isBaseTemplate = input.pageName == kBaseTemplate;

    // 1. Reset.
    result.usingBootStrapFlag = text.contains(QLatin1String("bootstrap.min.css"));
    result.ownSettings = input.ownSettingsFlag();
    const bool ownSettings = result.ownSettings;

    // 2. The page's custom header code, taken out of the text.
    QStringList lines = DataCentreMarkers::splitPageLines(text);
    QString customHeaderCode = takeHeaderCode(lines, QStringLiteral("<!--Custom Header Code:"), true, nullptr);
    if (isBaseTemplate) {
        result.baseTemplateCustomHeaderCode = customHeaderCode;
        input.baseTemplateCustomHeaderCode = customHeaderCode;
    }
    if (customHeaderCode == input.baseTemplateCustomHeaderCode && !isBaseTemplate)
        customHeaderCode = QLatin1String("");
    QString working = lines.join(QLatin1Char('\n'));
    customHeaderCode = trimBlanks(customHeaderCode);

    // 3. Canvas markers.
    result.docSpecificFixedCanvasFlag = middle("<!--FIXEDCANVASSTART==", "==FIXEDCANVASEND-->", working) == QLatin1String("1");
    result.docSpecificPageWidth = PageRule::clampToInt(
        PageRule::leadingNumber(middle("<!--DOCSPECIFIC_WIDTH==", "==DOCSPECIFIC_WIDTH_END-->", working)), 0,
        PageRule::kMaxCoordinate);
    result.docSpecificPageHeight = PageRule::clampToInt(
        PageRule::leadingNumber(middle("<!--DOCSPECIFIC_HEIGHT==", "==DOCSPECIFIC_HEIGHT_END-->", working)), 0,
        PageRule::kMaxCoordinate);
    result.confirmedCanvasSize = result.docSpecificFixedCanvasFlag
        ? QSize(result.docSpecificPageWidth, result.docSpecificPageHeight)
        : QSize(input.canvasWidth, input.canvasMaxHeight);
    result.canvasSizeType = middle("CANVAS_SIZE_TYPE==", "==CANVAS_SIZE_TYPE_END", working);

    // 4. Mail editions size their canvas by its size type.
    if (input.appName == QLatin1String("Glentor Mails Pro 2") || input.appName == QLatin1String("Glentor Mails Express"))
        result.mailCanvasWidth = result.canvasSizeType == QLatin1String("Standard") ? 700 : 900;

    // 5. Label sheet.
    if (input.replacePageNumbers) {
        LabelTemplateHelper label;
        label.brand = middle("//====LABEL_BRAND_START==", "==LABEL_BRAND_END", working);
        label.templateNumber = middle("//====LABEL_TEMPLATENUMBER_START==", "==LABEL_TEMPLATENUMBER_END", working);
        label.templateDescription =
            middle("//====LABEL_TEMPLATEDESCRIPTION_START==", "==LABEL_TEMPLATEDESCRIPTION_END", working);
        result.labelTemplate = label;
    }

    // 6. Form pages' own header code.
    if (input.formPage) {
        bool found = false;
        lines = DataCentreMarkers::splitPageLines(working);
        const QString formCode =
            takeHeaderCode(lines, QStringLiteral("<!--Trelko Forms Custom Header Code:"), true, &found);
        if (found)
            customHeaderCode = formCode;
        working = lines.join(QLatin1Char('\n'));
        customHeaderCode = trimBlanks(customHeaderCode);
    }
    result.customHeaderCode = customHeaderCode;

    // 7. Head and body.
    const qsizetype split = working.indexOf(QLatin1String("</style></head>"));
    const QString head = split < 0 ? working : working.left(split);
    const QString body = split < 0 ? QString() : working.mid(split);

    RuleReadContext context;
    context.usingBootStrapFlag = result.usingBootStrapFlag;
    // Pieces the base template wrote stay movable on its renamed copy.
    context.pageName = input.readsBaseTemplateUnderOtherName() ? kBaseTemplate : input.pageName;
    QSet<QString> families;
    context.fontFamilies = &families;

    // Lines of the head as the old scanner saw them: blanks, tabs and line
    // breaks before each line passed over.
    QStringList headLines;
    for (const QString &line : head.split(QLatin1Char('\n'))) {
        qsizetype i = 0;
        while (i < line.size()
               && (line.at(i) == QLatin1Char(' ') || line.at(i) == QLatin1Char('\t') || line.at(i) == QLatin1Char('\r')))
            ++i;
        if (i < line.size())
            headLines.append(line.mid(i));
    }

    // 8. The older profile tables.
    QList<std::shared_ptr<myTextView>> profileCells;
    if (input.documentExtension == QLatin1String("pelprofile") || input.documentExtension == QLatin1String("profile")) {
        for (const QString &line : headLines) {
            if (line.startsWith(QLatin1String(".table")) && !line.contains(QLatin1String("tableGrid"))
                && line.contains(QLatin1String("{position:")))
                result.tableArray.append(ElementRuleReaders::readProfileTable(PageRule(line)));
            else if (isRuleLine(line, ".ttext"))
                profileCells.append(ElementRuleReaders::readProfileCell(PageRule(line), context));
        }
    }

    // 9. Form settings.
    if (input.formPage) {
        PageFormSettings form;
        form.formRedirectURL = formMarker("//FORMREDIRECTURL", "FORMREDIRECTURLEND", head);
        form.siteFeedbackEmail = formMarker("FORMRESPONSEEMAILSTART==", "==FORMRESPONSEEMAILEND", head);
        form.siteCCFeedbackEmail = formMarker("//FORMRESPONSEEMAILCCSTART==", "==FORMRESPONSEEMAILCCEND", head);
        form.formSubmitButtonValue = head.contains(QLatin1String("//FORMSUBMIT"))
            ? formMarker("//FORMSUBMIT", "FORMSUBMITEND", head)
            : QStringLiteral("Submit");
        form.formEmailServer = middle("//====SMTP_EMAIL_SERVER_START==", "==SMTP_EMAIL_SERVER_END", head);
        form.formEmailUsername = middle("//====SMTP_EMAIL_USERNAME_START==", "==SMTP_EMAIL_USERNAME_END", head);
        form.formEmailPassword = middle("//====SMTP_EMAIL_PASSWORD_START==", "==SMTP_EMAIL_PASSWORD_END", head);
        form.grabIPFlag = integerOf(middle("FORMRESPONSEIPSTART==", "==FORMRESPONSEIPEND", head));
        form.formOrderLayoutOption = integerOf(middle("FORMDISPLAYOPTIONSTART==", "==FORMDISPLAYOPTIONEND", head));
        auto both = [&](const char *start, const char *end) {
            return head.contains(QLatin1String(start)) && head.contains(QLatin1String(end));
        };
        if (both("//FORMRESPONSEMSG", "FORMRESPONSEMSGEND"))
            form.formSentResponse = middle("//FORMRESPONSEMSG", "FORMRESPONSEMSGEND", head);
        if (both("//FORMMISSINGMSG", "FORMMISSINGMSGEND"))
            form.formRequiredResponse = middle("//FORMMISSINGMSG", "FORMMISSINGMSGEND", head);
        if (both("//FORMEMAILVERIFICATION", "FORMEMAILVERIFICATIONEND"))
            form.formEmailVerificationMsg = middle("//FORMEMAILVERIFICATION", "FORMEMAILVERIFICATIONEND", head);
        // The page stores the bot checker's message like the others; left
        // unread, the owner's own wording fell back to the default at every
        // opening.
        if (both("//FORMBOTCHECKERMSG", "FORMBOTCHECKERMSGEND"))
            form.formBotCheckerResponse = middle("//FORMBOTCHECKERMSG", "FORMBOTCHECKERMSGEND", head);
        context.submitCaption = form.formSubmitButtonValue;
        result.formSettings = form;
    }

    // 10. The line scan of the head.
    if (ownSettings) {
        result.centreFlag = DataCentreMarkers::grabCenterFlag(head);
        result.webPageWidthManualFlag = DataCentreMarkers::grabManualPageWidthFlag(head);
    }
    const QString keywordsPrefix = QStringLiteral("<meta name=\"keywords\" content=\"");
    const QString descriptionPrefix = QStringLiteral("<meta name=\"description\" content=\"");
    const QString charsetPrefix = QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=");
    const QString viewportPrefix = QStringLiteral("<meta name='viewport' content='width=");
    const bool readForms = input.formPage && !isBaseTemplate;
    // The table numbers of the page's sections, whose column rules may be
    // damaged without costing the page.
    QSet<int32_t> sectionTables;
    for (const QString &line : headLines)
        if (isRuleLine(line, ".tableGrid") && isSectionRule(line))
            sectionTables.insert(PageRule(line).wholeNumber(QStringLiteral("tableNumber"), -99));
    sectionTables.remove(-99);
    QSet<const TransformView *> masked;
    for (const QString &line : headLines) {
        if (line.contains(keywordsPrefix) && !(input.inheritMetaKeywordsFlag && !isBaseTemplate))
            result.metaKeywords = PageText::decodeEntities(lineAfterPrefix(line, keywordsPrefix, 2));
        if (line.contains(descriptionPrefix) && !(input.inheritMetaDescriptionFlag && !isBaseTemplate))
            result.metaDescription = PageText::decodeEntities(lineAfterPrefix(line, descriptionPrefix, 2));
        if (line.contains(charsetPrefix))
            result.encodingType = lineAfterPrefix(line, charsetPrefix, 4);
        if (ownSettings && line.contains(viewportPrefix))
            result.webPageWidth = PageRule::clampToInt(PageRule::leadingNumber(lineAfterPrefix(line, viewportPrefix, 2)),
                                                       0, PageRule::kMaxCoordinate);
        if (line.startsWith(QLatin1Char('.'))) {
            if (isRuleLine(line, ".text")) {
                const PageRule rule(line);
                try {
                    result.textViewArray.append(readForms ? ElementRuleReaders::readFormControl(rule, context)
                                                          : ElementRuleReaders::generateATextView(rule, context));
                } catch (const ReadError &) {
                    // A damaged column of a section goes; the section and
                    // what lies in it stay (their graphics free if need be).
                    if (!sectionTables.contains(rule.wholeNumber(QStringLiteral("tableNumber"), -99)))
                        throw;
                }
            } else if (isRuleLine(line, ".tableGrid") && isSectionRule(line)) {
                // A damaged section rule costs the section, never the page:
                // the graphics it held open as free graphics where they were.
                try {
                    result.tableArray.append(
                        ElementRuleReaders::readTableGrid(PageRule(line), int32_t(result.tableArray.size())));
                } catch (const ReadError &) {
                }
            } else if (isRuleLine(line, ".slideshow")) {
                result.slideshowArray.append(
                    ElementRuleReaders::readSlideshow(PageRule(line), int32_t(result.slideshowArray.size())));
            } else if (isRuleLine(line, ".galleryGrid")) {
                result.galleryArray.append(
                    ElementRuleReaders::readGalleryGrid(PageRule(line), int32_t(result.galleryArray.size())));
            } else if (isRuleLine(line, ".tableGrid")) {
                result.tableArray.append(
                    ElementRuleReaders::readTableGrid(PageRule(line), int32_t(result.tableArray.size())));
            } else if (isRuleLine(line, ".line")) {
                result.lineArray.append(ElementRuleReaders::readLine(PageRule(line)));
            } else if (line.startsWith(QLatin1String(".image"))) {
                const auto read = ElementRuleReaders::readImage(PageRule(line));
                result.imageViewArray.append(read.image);
                result.imageTags.insert(read.image.get(), read.tag);
                if (read.maskFlag)
                    masked.insert(read.image.get());
            } else if (line.startsWith(QLatin1String(".snippet"))) {
                const PageRule rule(line);
                try {
                    result.htmlSnippetArray.append(ElementRuleReaders::readSnippet(rule, context));
                } catch (const ReadError &) {
                    if (!sectionTables.contains(rule.wholeNumber(QStringLiteral("tableNumber"), -99)))
                        throw;
                }
            }
        }
        if (ownSettings && line.contains(QLatin1String("body{background-image:url(")))
            result.backgroundImageLine = true;
    }

    // The pictures of the images, found by their names as the page gave them.
    const QString folder = input.pageFolder();
    if (input.loadPictures) {
        // Decoding is most of an open's time: the pictures are only read
        // here (their bytes kept, so a folder changed later cannot lose
        // them) and decoded when first drawn or asked for. Masks are few and
        // small and decoded now. Each image is independent: side by side
        // (the result is still built on the calling thread).
        const auto &images = result.imageViewArray;
        QThreadPool pool;
        for (const auto &image : images) {
            const bool mask = masked.contains(image.get());
            pool.start([image, mask, folder] {
                const QString path = PageImageNames::findImageFile(folder, image->imageName, image->imageType);
                if (!path.isEmpty()) {
                    QFile file(path);
                    if (file.open(QIODevice::ReadOnly))
                        image->image = LazyPicture::fromEncoded(file.readAll(), path);
                }
                if (mask)
                    image->maskImage = PageImageNames::retrieveMaskFile(folder, image->imageName);
            });
        }
        pool.waitForDone();
    }

    // 11. Background picture from the page folder (never from the network).
    if (result.backgroundImageLine && input.loadPictures)
        readBackground(folder, result);

    // 12. Encoding.
    if (result.encodingType.isEmpty())
        result.encodingType = QStringLiteral("UTF-8");

    // 13. Body text.
    const QStringList bodyLines = body.isEmpty() ? QStringList() : body.split(QLatin1Char('\n'));
    TextContentResult snippets =
        PageBodyText::grabTextContent(bodyLines, result.htmlSnippetArray, QStringLiteral("snippet"));
    const QStringList &remaining = snippets.bodyStringArray;
    if (!ownSettings) {
        result.pageColorHexString = QLatin1String("");
    } else {
        const QString third = remaining.size() >= 4 ? remaining.at(2) : QString();
        const qsizetype at = third.indexOf(QLatin1String("bgcolor="));
        if (at >= 0) {
            const QString hex = third.mid(at + 9, 6);
            result.pageColorHexString = hex;
            if (hex != QLatin1String("CLEAR0") && result.backgroundImage.isNull())
                result.pageColor = DataCentreColours::colorWithHexString(hex);
        } else {
            result.pageColorHexString = QLatin1String("");
        }
    }
    const PageBodyText::LineIndex index(remaining);
    for (qsizetype i = 0; i < result.textViewArray.size(); ++i) {
        myTextView &carrier = *result.textViewArray.at(i);
        const QString className = QStringLiteral("text%1").arg(i);
        const qsizetype line = index.divLine(className);
        if (line >= 0)
            PageBodyText::applyTextLine(remaining.at(line), className, carrier);
        else if (carrier.formOptionTag == -22 && carrier.formType == QLatin1String("textLabel"))
            carrier.textView.string = QStringLiteral("1+2=");
        // A shadowed box shows its shadow only on a filled background.
        const bool clear = carrier.backgroundHexColorString.isEmpty()
            || carrier.backgroundHexColorString == QLatin1String("CLEAR0");
        if (carrier.shadowFlag && clear && !carrier.textView.string.isEmpty()) {
            carrier.colorString = QStringLiteral("FFFFFF");
            carrier.backgroundHexColorString = QStringLiteral("FFFFFF");
        }
    }
    PageBodyText::fillProfileCells(remaining, profileCells);
    result.textViewArray.append(profileCells);
    for (const auto &image : std::as_const(result.imageViewArray)) {
        const qsizetype line = index.imageLine(image->imageName, result.usingBootStrapFlag);
        if (line >= 0)
            PageBodyText::applyImageLine(remaining.at(line), *image);
    }

    // 14. Keep or drop the base template's elements.
    // A renamed copy of the base template takes its pieces as its own, as a
    // duplicated one does; otherwise they would count as inherited and vanish.
    const bool duplicated =
        text.contains(DataCentreMarkers::kBaseTemplateDuplicated) || input.readsBaseTemplateUnderOtherName();
    keep(result.textViewArray, duplicated, input.pageName);
    keep(result.imageViewArray, duplicated, input.pageName);
    keep(result.htmlSnippetArray, duplicated, input.pageName);
    keep(result.slideshowArray, duplicated, input.pageName);
    keep(result.galleryArray, duplicated, input.pageName);
    keep(result.tableArray, duplicated, input.pageName);
    keep(result.lineArray, duplicated, input.pageName);

    // 15. Form defaults.
    if (input.formPage) {
        FormItemMaker::syncAllOptionForms(result.textViewArray);
        PageFormSettings &form = *result.formSettings;
        auto fallback = [](QString &value, const char *text) {
            if (value.isEmpty())
                value = QLatin1String(text);
        };
        fallback(form.formSentResponse, "Thank you for submitting this form.");
        fallback(form.formRequiredResponse, "Missing required form fields, please complete and submit again.");
        fallback(form.formEmailVerificationMsg, "Email address entered is invalid, please check and submit again.");
        fallback(form.formBotCheckerResponse, "Bot checker answer incorrect, please try again.");
    }

    // 16. Image name clashes.
    result.renames = PageImageNames::settleImageNameClashes(result.imageViewArray, input.imageNamesInUse);
    result.documentChangedCounter = int32_t(result.renames.size());

    // 17. Stacking order: highest z-index first, a stable sort.
    QList<std::pair<int32_t, std::shared_ptr<ElementCarrier>>> ordered;
    auto add = [&](const auto &list) {
        for (const auto &carrier : list)
            ordered.append({carrierTag(*carrier), carrier});
    };
    add(result.textViewArray);
    for (const auto &image : std::as_const(result.imageViewArray))
        ordered.append({result.imageTags.value(image.get()), image});
    add(result.htmlSnippetArray);
    add(result.slideshowArray);
    add(result.galleryArray);
    add(result.tableArray);
    add(result.lineArray);
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    result.carriers.reserve(ordered.size());
    for (const auto &entry : std::as_const(ordered))
        result.carriers.append(entry.second);

    // 18. Fonts.
    result.fontFamilies = QStringList(families.begin(), families.end());
    result.fontFamilies.sort();
    if (input.isFontAvailable)
        for (const QString &family : std::as_const(result.fontFamilies))
            if (!input.isFontAvailable(family))
                result.missingFonts.append(family);
    return result;
}
