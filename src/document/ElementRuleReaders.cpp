#include "document/ElementRuleReaders.h"

#include "model/FormItemMaker.h"

namespace {

const QString kBaseTemplate = QStringLiteral("basetemplate");
const QString kClear = QStringLiteral("CLEAR0");
constexpr double kMaxPx = PageRule::kMaxCoordinate;

QString S(const char *text)
{
    return QString::fromLatin1(text);
}

int32_t scrollFlagOf(const QString &position)
{
    return position == QLatin1String("absolute") ? 0 : 1;
}

bool isDrawnBorder(const QString &style)
{
    return style == QLatin1String("solid") || style == QLatin1String("dotted") || style == QLatin1String("dashed");
}

// The eight padding and margin amounts with their units (and, where the kind
// keeps them, their named levels).
template <typename Carrier>
void readBoxAmounts(const PageRule &rule, Carrier &c, const QString &defaultType)
{
#define ZOV_SIDE(side, kind)                                                                  \
    c.side##kind = rule.integer(S(#side #kind "Str"), 0, -kMaxPx, kMaxPx);                    \
    c.side##kind##Type = rule.string(S(#side #kind "TypeStr"), defaultType);
    ZOV_SIDE(top, Padding) ZOV_SIDE(bottom, Padding) ZOV_SIDE(left, Padding) ZOV_SIDE(right, Padding)
    ZOV_SIDE(top, Margin) ZOV_SIDE(bottom, Margin) ZOV_SIDE(left, Margin) ZOV_SIDE(right, Margin)
#undef ZOV_SIDE
}

template <typename Carrier>
void readBoxLevels(const PageRule &rule, Carrier &c)
{
#define ZOV_LEVEL(side, kind) c.side##kind##LevelString = rule.string(S(#side #kind "LevelStr"), S("None"));
    ZOV_LEVEL(top, Padding) ZOV_LEVEL(bottom, Padding) ZOV_LEVEL(left, Padding) ZOV_LEVEL(right, Padding)
    ZOV_LEVEL(top, Margin) ZOV_LEVEL(bottom, Margin) ZOV_LEVEL(left, Margin) ZOV_LEVEL(right, Margin)
#undef ZOV_LEVEL
}

template <typename Carrier>
void readSectionPlacement(const PageRule &rule, Carrier &c)
{
    c.sectionNumber = rule.wholeNumber(S("sectionNumber"), -99);
    c.sectionRowSpot = rule.wholeNumber(S("sectionRowSpot"), -99);
    c.sectionColumnSpot = rule.wholeNumber(S("sectionColumnSpot"), -99);
    c.responsiveResizeFlag = rule.integer(S("responsiveResizeFlag"), 0);
    c.responsiveAlignment = rule.integer(S("responsiveAlignmentFlag"), 0);
}

// The common keys of slideshows, galleries and table grids.
template <typename Carrier>
std::shared_ptr<Carrier> framedCarrier(const PageRule &rule)
{
    const int32_t width = rule.requiredCoordinate(S("width"));
    const int32_t height = rule.requiredCoordinate(S("height"));
    const int32_t left = rule.requiredCoordinate(S("left"));
    const int32_t top = rule.requiredCoordinate(S("top"));
    auto c = std::make_shared<Carrier>(QRectF(left, top, width, height));
    c->tag = rule.requiredInteger(S("z-index"));
    c->moveLock = rule.truncated(S("fixed"), 0) != 0 ? decltype(c->moveLock)(1) : decltype(c->moveLock)(0);
    c->scrollFlag = scrollFlagOf(rule.string(S("position"), S("absolute")));
    c->groupNumber = rule.truncated(S("groupNumber"), -99);
    c->manualLayerIndex = rule.integer(S("manualLayerIndex"), 0);
    c->templateName = rule.string(S("templateName"), QLatin1String(""));
    return c;
}

// A font family as the rule names it: kept as written (drawing substitutes a
// missing one) and remembered for the font check after the read.
void applyFont(const PageRule &rule, myTextView &t, const RuleReadContext &context)
{
    t.familyName = rule.string(S("font-family"), S("Helvetica Neue"));
    t.fontSize = rule.integer(S("font-size"), 0, 0, 10000);
    t.textView.fontName = t.familyName;
    t.textView.fontPointSize = t.fontSize;
    if (context.fontFamilies && !t.familyName.isEmpty())
        context.fontFamilies->insert(t.familyName);
    // A table cell whose inner text view has a font other than the cell's own
    // stores the one that differs beside them. Pages written before the rule
    // carried the cell's own size held the inner size in "font-size" and the
    // cell's beside it as "cellFontSize".
    if (rule.has(S("textFontFamily")))
        t.textView.fontName = rule.string(S("textFontFamily"), t.familyName);
    if (rule.has(S("textFontSize")))
        t.textView.fontPointSize = rule.integer(S("textFontSize"), t.fontSize, 0, 10000);
    if (rule.has(S("cellFontSize")))
        t.fontSize = rule.integer(S("cellFontSize"), t.fontSize, 0, 10000);
}

void applyTextColour(const PageRule &rule, myTextView &t)
{
    const QString colour = rule.string(S("color"), S("000000"));
    t.textColorString = colour;
    t.textHexColorString = colour;
}

// The "background-color" (or "shapeBackgroundColor") value as the record's
// fill; "CLEAR0" when the rule has none.
void applyBackground(const PageRule &rule, myTextView &t, bool shapeFirst)
{
    QString value = kClear;
    if (shapeFirst && rule.has(S("shapeBackgroundColor")))
        value = rule.string(S("shapeBackgroundColor"), kClear);
    else if (rule.has(S("background-color")))
        value = rule.string(S("background-color"), kClear);
    t.colorString = value;
    t.backgroundHexColorString = value;
}

// The border of a form control: style, width, colour and radius.
void applyControlBorder(const PageRule &rule, myTextView &t)
{
    t.textView.borderLine = rule.string(S("border-style"), S("none"));
    t.borderWidth = rule.integer(S("border-width"), 0, 0, kMaxPx);
    t.textView.borderWidth = t.borderWidth;
    t.borderHexColorString = rule.string(S("border-color"), S("000000"));
    t.cornerRadius = float(rule.truncated(S("border-radius"), 0, 0, kMaxPx));
}

QString formTypeOf(const PageRule &rule)
{
    QString type = rule.string(S("formType"), QString());
    if (type == QLatin1String("(null)"))
        type = QLatin1String("");
    return type;
}

} // namespace

std::shared_ptr<myTextView> ElementRuleReaders::generateATextView(const PageRule &rule, const RuleReadContext &context)
{
    const QString position = rule.requiredString(S("position"));
    int32_t padding = rule.integer(S("padding"), 0, 0, kMaxPx);
    int32_t borderWidth = rule.integer(S("border-width"), 0, 0, kMaxPx);
    const int32_t left = rule.requiredCoordinate(S("left"));
    const int32_t top = rule.requiredCoordinate(S("top"));
    const int32_t zIndex = rule.requiredInteger(S("z-index"));

    // Border style: only drawn styles give the box a border; "Solid" was the
    // old way of saying none. A table's cell keeps the width it stores under
    // any style: the table lays its cells out with it whether it is drawn or
    // not, so the cells would move by the border at every opening.
    QString borderStyle = rule.string(S("border-style"), S("none"));
    const int32_t storedBorderWidth = borderWidth;
    if (!isDrawnBorder(borderStyle))
        borderWidth = 0;
    if (borderStyle == QLatin1String("Solid")) {
        borderStyle = S("none");
        padding = 0;
    }
    const int32_t growth = context.usingBootStrapFlag ? 0 : 2 * (padding + borderWidth);
    if (rule.truncated(S("tableNumber"), -99) >= 0 && borderStyle == QLatin1String("none"))
        borderWidth = storedBorderWidth;

    int32_t width = 0;
    bool matchScreen = false;
    if (rule.has(S("width"))) {
        if (rule.string(S("width"), QString()).trimmed() == QLatin1String("100%")) {
            matchScreen = true;
            width = 9999;
        } else {
            width = rule.coordinate(S("width"), 0) + growth;
        }
    }
    const int32_t height = rule.coordinate(S("height"), 0) + growth;
    const int32_t frameWidth = width - rule.coordinate(S("widthBuffer"), 0);
    const int32_t frameHeight = height - rule.coordinate(S("heightBuffer"), 0);

    auto t = std::make_shared<myTextView>(QRectF(left, top, frameWidth, frameHeight));
    t->originX = left;
    t->originY = top;
    t->width = frameWidth;
    t->height = frameHeight;
    t->matchScreenFlag = matchScreen;
    t->scrollFlag = scrollFlagOf(position);
    t->tag = zIndex;
    t->borderWidth = borderWidth;
    t->textView.borderWidth = borderWidth;
    t->textView.borderLine = borderStyle;
    t->borderStyle = borderStyle;

    t->indentFlag = rule.integer({S("indentFlag"), S("indent-flag")}, 0);
    t->alphaValue = rule.number(S("textAlpha"), 1.0f, 0.0, 1.0);
    t->moveLock = rule.truncated(S("fixed"), 0) != 0;
    const float shadowRadius = rule.number({S("shadowRadius"), S("shadow-radius")}, 0.0f, 0.0, kMaxPx);
    t->shadowFlag = shadowRadius > 0.0f;
    t->borderHexColorString = rule.string(S("border-color"), S("000000"));
    t->cornerRadius = float(rule.truncated(S("border-radius"), 0, 0, kMaxPx));
    t->shapeFlag = rule.integer(S("shapeFlag"), 0);
    t->tableNumber = rule.truncated(S("tableNumber"), -99);
    t->rowSpot = rule.truncated(S("tableRowSpot"), -99);
    t->columnSpot = rule.truncated(S("tableColumnSpot"), -99);
    t->linkType = rule.string(S("linkType"), S("text"));
    t->hoverColorString = rule.string(S("hoverColor"), QLatin1String(""));
    t->hoverTextColorString = rule.string(S("hoverTextColor"), QLatin1String(""));
    applyFont(rule, *t, context);
    applyTextColour(rule, *t);
    t->onClickHideString = rule.string(S("onClickHide"), QLatin1String(""));
    t->onClickShowString = rule.string(S("onClickShow"), QLatin1String(""));
    t->manualLayerIndex = rule.integer(S("manualLayerIndex"), 0);
    t->formType = formTypeOf(rule);
    t->formTag = rule.integer(S("formTag"), -99);
    t->formOptionTag = rule.integer(S("formOptionTag"), -1);
    t->formRequiredFlag = rule.integer(S("formRequiredFlag"), 0);
    t->nlines = rule.integer(S("nlines"), -99, -99, kMaxCount);
    t->fixedWidthFlag = rule.integer(S("fixedWidthFlag"), 0);
    t->fixedHeightFlag = rule.integer(S("fixedHeightFlag"), 0);
    t->zoomBubbleFlag = rule.integer(S("zoomBubbleFlag"), 0);
    t->xsGridColumns = rule.integer(S("xsColumnGrid"), 0);
    t->smallGridColumns = rule.integer(S("smallColumnGrid"), 0);
    t->mediumGridColumns = rule.integer(S("mediumColumnGrid"), 0);
    t->largeGridColumns = rule.integer(S("largeColumnGrid"), 0);
    t->bubbleShape = rule.string(S("bubbleShape"), QLatin1String(""));
    t->lineSpacing = rule.number({S("lineSpacingMultiple"), S("line-multiple")}, -0.1f, -1000.0, 1000.0);
    t->shadowRadius = rule.number(S("shadowBlurRadius"), 0.0f, -kMaxPx, kMaxPx);
    t->shadowHorizontalOffset = rule.number(S("shadowDistanceX"), 0.0f, -kMaxPx, kMaxPx);
    t->shadowVerticalOffset = rule.number(S("shadowDistanceY"), 0.0f, -kMaxPx, kMaxPx);
    t->rotationAngle = rule.number(S("rotationAngle"), 0.0f, -36000.0, 36000.0);
    readSectionPlacement(rule, *t);
    readBoxAmounts(rule, *t, S("pixel"));
    readBoxLevels(rule, *t);
    t->verticalAlignment = rule.integer(S("verticalAlignment"), 0);
    applyBackground(rule, *t, true);
    t->groupNumber = rule.truncated(S("groupNumber"), -99);
    if (rule.has(S("text-align")))
        t->textAlignment = rule.string(S("text-align"), QString());
    t->textType = S("Text");
    t->templateName = rule.string(S("templateName"), QLatin1String(""));
    if (t->templateName == kBaseTemplate && context.pageName != kBaseTemplate)
        t->moveLock = true;
    return t;
}

std::shared_ptr<OuterSlideShow> ElementRuleReaders::readSlideshow(const PageRule &rule, int32_t count)
{
    auto c = framedCarrier<OuterSlideShow>(rule);
    c->originX = int32_t(c->frame.x());
    c->originY = int32_t(c->frame.y());
    c->slideShowNumber = rule.integer(S("slideShowNumber"), count);
    c->textType = S("Slideshow");
    c->slideShowAutomaticFlag = rule.truncated(S("autoStart"), -99);
    return c;
}

std::shared_ptr<GalleryGridView> ElementRuleReaders::readGalleryGrid(const PageRule &rule, int32_t count)
{
    auto c = framedCarrier<GalleryGridView>(rule);
    c->galleryNumber = rule.truncated(S("galleryNumber"), count);
    c->numOfRows = rule.truncated(S("numOfRows"), -99, -99, kMaxCount);
    c->numOfColumns = rule.truncated(S("numOfColumns"), -99, -99, kMaxCount);
    c->shadowFlag = rule.truncated(S("shadowFlag"), -99);
    c->padding = rule.truncated(S("padding"), 0, -kMaxPx, kMaxPx);
    c->backdropLightingFlag = rule.integer(S("backdrop"), 0);
    return c;
}

std::shared_ptr<TableGridView> ElementRuleReaders::readTableGrid(const PageRule &rule, int32_t count)
{
    auto c = framedCarrier<TableGridView>(rule);
    c->tableNumber = rule.truncated(S("tableNumber"), count);
    c->gridType = rule.string(S("gridType"), S("table"));
    c->sectionIDString = rule.string(S("sectionID"), QLatin1String(""));
    c->initialLaunchStateFlag = rule.integer(S("initialLaunchState"), 0);
    c->numOfRows = rule.truncated(S("numOfRows"), -99, -99, kMaxCount);
    c->numOfColumns = rule.truncated(S("numOfColumns"), -99, -99, kMaxCount);
    c->shadowFlag = rule.truncated(S("shadowFlag"), -99);
    c->padding = rule.truncated(S("padding"), 0, -kMaxPx, kMaxPx);
    readBoxLevels(rule, *c);
    readBoxAmounts(rule, *c, S("%"));
    return c;
}

std::shared_ptr<LineView> ElementRuleReaders::readLine(const PageRule &rule)
{
    auto c = std::make_shared<LineView>();
    c->beginPoint = QPointF(rule.requiredCoordinate(S("lineOriginX")), rule.requiredCoordinate(S("lineOriginY")));
    c->endPoint = QPointF(rule.requiredCoordinate(S("lineEndX")), rule.requiredCoordinate(S("lineEndY")));
    c->frame = QRectF(c->beginPoint, c->endPoint).normalized();
    c->tag = rule.requiredInteger(S("z-index"));
    c->moveLock = rule.truncated(S("fixed"), 0) != 0 ? 1 : 0;
    c->scrollFlag = scrollFlagOf(rule.string(S("position"), S("absolute")));
    c->groupNumber = rule.truncated(S("groupNumber"), -99);
    c->manualLayerIndex = rule.integer(S("manualLayerIndex"), 0);
    c->templateName = rule.string(S("templateName"), QLatin1String(""));
    c->borderWidth = rule.integer(S("border-width"), 0, 0, kMaxPx);
    c->borderHexColorString = rule.string(S("border-color"), S("000000"));
    c->borderStyle = rule.string(S("border-style"), S("none"));
    c->alphaValue = rule.number(S("lineAlpha"), 1.0f, 0.0, 1.0);
    c->drawBeginArrow = rule.integer(S("drawBeginArrow"), 0) != 0;
    c->drawEndArrow = rule.integer(S("drawEndArrow"), 0) != 0;
    return c;
}

ElementRuleReaders::ImageRule ElementRuleReaders::readImage(const PageRule &rule)
{
    const QString position = rule.requiredString(S("position"));
    const int32_t left = rule.requiredCoordinate(S("left"));
    const int32_t top = rule.requiredCoordinate(S("top"));
    const int32_t zIndex = rule.requiredInteger(S("z-index"));
    const int32_t width = rule.requiredCoordinate(S("width"));
    int32_t height = rule.requiredCoordinate(S("height"));
    const QString imageName = rule.requiredString(S("imagename"));
    const QString imageType = rule.requiredString(S("imagetype"));
    int32_t borderWidth = rule.integer(S("border-width"), 0, 0, kMaxPx);
    const int32_t originalHeight = rule.coordinate(S("originalHeight"), 0);
    if (borderWidth > 0 && originalHeight > 0)
        height = originalHeight;
    // A fraction outside 0 to 1 would divide by zero or flip the picture.
    const float reflection = rule.number(S("reflection-fraction"), 0.0f, 0.0, 1.0);
    const QString borderStyle = rule.string(S("border-style"), S("none"));
    if (!isDrawnBorder(borderStyle))
        borderWidth = 0;

    const int32_t frameHeight = PageRule::clampToInt(double(height) / (1.0 + double(reflection)), -kMaxPx, kMaxPx);
    auto c = std::make_shared<TransformView>(QRectF(left, top, width, frameHeight));
    c->originX = left;
    c->originY = top;
    c->alpha = rule.number(S("imageAlpha"), 1.0f, 0.0, 1.0);
    c->opacity = c->alpha;
    c->reflection = reflection;
    c->retinaFlag = rule.integer(S("retina"), 0) == 1;
    c->moveLock = rule.truncated(S("fixed"), 0) != 0;
    c->slideShowNumber = rule.integer(S("slideShowNumber"), -99);
    const float shadowRadius = rule.number({S("shadowRadius"), S("shadow-radius")}, 0.0f, 0.0, kMaxPx);
    c->shadowFlag = shadowRadius > 0.0f;
    c->borderHexColorString = rule.string(S("border-color"), S("000000"));
    c->manualLayerIndex = rule.integer(S("manualLayerIndex"), 0);
    c->bubbleFlag = rule.integer(S("bubbleFlag"), 0);
    c->bubbleShape = rule.string(S("bubbleShape"), QLatin1String(""));
    c->shadowRadius = rule.number(S("shadowBlurRadius"), 0.0f, -kMaxPx, kMaxPx);
    c->shadowHorizontalOffset = rule.number(S("shadowDistanceX"), 0.0f, -kMaxPx, kMaxPx);
    c->shadowVerticalOffset = rule.number(S("shadowDistanceY"), 0.0f, -kMaxPx, kMaxPx);
    c->rotationAngle = rule.number(S("rotationAngle"), 0.0f, -36000.0, 36000.0);
    readSectionPlacement(rule, *c);
    c->tableNumber = rule.integer(S("tableNumber"), -99);
    readBoxAmounts(rule, *c, S("%"));
    c->borderWidth = borderWidth;
    c->borderStyle = borderStyle;
    c->imageName = imageName;
    c->imageType = imageType;
    c->originalWidth = width;
    c->originalHeight = height;
    c->groupNumber = rule.truncated(S("groupNumber"), -99);
    c->templateName = rule.string(S("templateName"), QLatin1String(""));
    c->imageEnlargeFlag = rule.truncated(S("enlarge"), -99);
    c->galleryNumber = rule.truncated(S("galleryNumber"), -99);
    c->rowSpot = rule.integer(S("galleryRowSpot"), -99);
    c->columnSpot = rule.integer(S("galleryColumnSpot"), -99);
    c->backdropLightingFlag = rule.truncated(S("backdrop"), 0);
    c->scrollFlag = scrollFlagOf(position);
    return {c, zIndex, rule.integer(S("imageMaskFlag"), 0) == 1};
}

std::shared_ptr<myTextView> ElementRuleReaders::readSnippet(const PageRule &rule, const RuleReadContext &context)
{
    const int32_t width = rule.requiredCoordinate(S("width"));
    const int32_t height = rule.requiredCoordinate(S("height"));
    const int32_t left = rule.requiredCoordinate(S("left"));
    const int32_t top = rule.requiredCoordinate(S("top"));
    const int32_t zIndex = rule.requiredInteger(S("z-index"));
    const int32_t nlines = rule.requiredInteger(S("nlines"), 0, kMaxCount);
    const int32_t formatting = rule.integer(S("snippetFormattingFlag"), 0);
    const int32_t containsLink = rule.integer(S("containsLinkFlag"), 0);

    if (formatting == 1) {
        auto t = generateATextView(rule, context);
        t->textType = S("HTMLSnippet");
        t->snippetFormatFlag = true;
        t->containsLinkFlag = containsLink;
        t->nlines = nlines;
        return t;
    }
    auto t = std::make_shared<myTextView>(QRectF(left, top, width, height));
    t->originX = left;
    t->originY = top;
    t->width = width;
    t->height = height;
    t->snippetFormatFlag = formatting != 0;
    t->containsLinkFlag = containsLink;
    t->tableNumber = -99;
    t->manualLayerIndex = rule.integer(S("manualLayerIndex"), 0);
    t->moveLock = rule.truncated(S("fixed"), 0) != 0;
    t->tag = zIndex;
    t->textType = S("HTMLSnippet");
    t->colorString = S("DCDCDC");
    t->backgroundHexColorString = S("DCDCDC");
    t->textColorString = S("4F4C4C");
    t->textView.fontName = S("Helvetica Neue");
    t->textView.fontPointSize = 14;
    t->familyName = S("Helvetica Neue");
    t->fontSize = 14;
    t->alphaValue = 0.9f;
    t->nlines = nlines;
    t->borderColor = QColor(0x40, 0x40, 0x40);
    t->cornerRadius = 0.0f;
    t->textView.borderLine = S("dashed");
    // The dashed code border one pixel wide: drawing settles a styled border
    // without width at 1 px, so left at 0 the page read once would change at
    // its first save (responsive rules store the width).
    t->borderWidth = 1;
    t->textView.borderWidth = 1;
    t->groupNumber = rule.truncated(S("groupNumber"), -99);
    t->templateName = rule.string(S("templateName"), QLatin1String(""));
    // The rule names the responsive section cell the snippet sits in; left
    // unread, a snippet would move into section 0 at every opening.
    t->sectionNumber = rule.wholeNumber(S("sectionNumber"), -99);
    t->sectionRowSpot = rule.wholeNumber(S("sectionRowSpot"), -99);
    t->sectionColumnSpot = rule.wholeNumber(S("sectionColumnSpot"), -99);
    return t;
}

std::shared_ptr<myTextView> ElementRuleReaders::readFormControl(const PageRule &rule, const RuleReadContext &context)
{
    const QString type = formTypeOf(rule);
    const bool option = type == QLatin1String("radio") || type == QLatin1String("checkbox");
    const bool field = type == QLatin1String("submit") || type == QLatin1String("textarea")
        || type == QLatin1String("text");
    if (!option && !field)
        return generateATextView(rule, context);

    rule.requiredString(S("position"));
    const int32_t left = rule.requiredCoordinate(S("left"));
    const int32_t top = rule.requiredCoordinate(S("top"));
    const int32_t zIndex = rule.requiredInteger(S("z-index"));
    int32_t padding = rule.integer(S("padding"), 0, 0, kMaxPx);
    int32_t borderWidth = rule.integer(S("border-width"), 0, 0, kMaxPx);
    const QString borderStyle = rule.string(S("border-style"), S("none"));
    if (!isDrawnBorder(borderStyle))
        borderWidth = 0;
    if (borderStyle == QLatin1String("Solid"))
        padding = 0;
    const int32_t growth = context.usingBootStrapFlag ? 0 : 2 * (padding + borderWidth);
    const int32_t width = rule.has(S("width")) ? rule.coordinate(S("width"), 0) + growth : 0;
    const int32_t height = rule.has(S("height")) ? rule.coordinate(S("height"), 0) + growth : 0;

    std::shared_ptr<myTextView> t;
    if (option) {
        t = type == QLatin1String("radio") ? FormItemMaker::createRadioButton(left, top)
                                           : FormItemMaker::createCheckbox(left, top);
    } else if (type == QLatin1String("submit")) {
        // The caption lives in the page's marker, not in the rule; without
        // it the button would come back blank.
        t = FormItemMaker::createSubmitButton(left, top, 0, 0, context.submitCaption);
        // A button the rule gives no size takes the default, whatever its border.
        const int32_t w = rule.coordinate(S("width"), 0) == 0 ? 70 : width;
        const int32_t h = rule.coordinate(S("height"), 0) == 0 ? 25 : height;
        t->frame = QRectF(left, top, w, h);
        t->width = w;
        t->height = h;
        t->textAlignment = S("center");
        // Its rule stores paddings and margins like any field's.
        readBoxAmounts(rule, *t, S("%"));
    } else if (type == QLatin1String("textarea")) {
        t = FormItemMaker::createNewParagraph(left, top, width, height);
        t->textView.string = S("Paragraph Placeholder");
    } else {
        t = FormItemMaker::createNewTextField(left, top, width, height);
        t->markAsReplyToEmailFlag = rule.integer(S("markAsReplyFlag"), 0);
    }
    t->tableNumber = -99;
    t->formType = type;
    t->formTag = rule.integer(S("formTag"), -99);
    t->formOptionTag = rule.integer(S("formOptionTag"), -1);
    t->tag = zIndex;
    t->groupNumber = rule.truncated(S("groupNumber"), -99);
    readSectionPlacement(rule, *t);
    if (option)
        return t;

    if (type == QLatin1String("text")) {
        t->textView.string = S("Text Field Placeholder");
        if (t->formOptionTag == -22)
            t->textView.string = S("3");
        else if (t->formOptionTag == -11)
            t->textView.string = S("name@example.com");
    }
    if (type != QLatin1String("submit")) {
        readBoxAmounts(rule, *t, S("%"));
        t->formRequiredFlag = rule.integer(S("formRequiredFlag"), 0);
    } else {
        t->hoverColorString = rule.string(S("hoverColor"), QLatin1String(""));
        t->hoverTextColorString = rule.string(S("hoverTextColor"), QLatin1String(""));
    }
    applyFont(rule, *t, context);
    applyTextColour(rule, *t);
    applyBackground(rule, *t, false);
    t->moveLock = rule.truncated(S("fixed"), 0) == 1;
    applyControlBorder(rule, *t);
    return t;
}

std::shared_ptr<TableGridView> ElementRuleReaders::readProfileTable(const PageRule &rule)
{
    const int32_t left = rule.requiredCoordinate(S("left"));
    const int32_t top = rule.requiredCoordinate(S("top"));
    const int32_t width = rule.requiredCoordinate(S("width"));
    const int32_t height = rule.requiredCoordinate(S("height"));
    auto c = std::make_shared<TableGridView>(QRectF(left, top, width, height));
    c->tag = rule.requiredInteger(S("z-index"));
    c->numOfRows = rule.requiredInteger(S("numOfRows"), 0, kMaxCount);
    c->numOfColumns = rule.requiredInteger(S("numOfColumns"), 0, kMaxCount);
    c->tableNumber = rule.requiredInteger(S("tableNumber"));
    c->moveLock = rule.requiredInteger(S("fixed")) == 1 ? 1 : 0;
    c->gridType = S("table");
    return c;
}

std::shared_ptr<myTextView> ElementRuleReaders::readProfileCell(const PageRule &rule, const RuleReadContext &context)
{
    const int32_t left = rule.coordinate(S("left"), 0);
    const int32_t top = rule.coordinate(S("top"), 0);
    const int32_t width = rule.coordinate(S("width"), 0);
    const int32_t height = rule.coordinate(S("height"), 0);
    auto t = std::make_shared<myTextView>(QRectF(left, top, width, height));
    t->originX = left;
    t->originY = top;
    t->width = width;
    t->height = height;
    t->partOfTableFlag = true;
    applyBackground(rule, *t, false);
    t->fontSize = rule.requiredInteger(S("font-size"), 0, 10000);
    t->familyName = rule.requiredString(S("font-family"));
    t->textView.fontName = t->familyName;
    t->textView.fontPointSize = t->fontSize;
    if (context.fontFamilies && !t->familyName.isEmpty())
        context.fontFamilies->insert(t->familyName);
    t->textColorString = rule.requiredString(S("color"));
    t->textHexColorString = t->textColorString;
    t->textView.borderLine = rule.requiredString(S("border-style"));
    // The cell's own style too, so that the first reading holds what every
    // later one reads from the table's rules.
    t->borderStyle = t->textView.borderLine;
    t->tableNumber = rule.requiredInteger(S("tableNumber"));
    // Crossed on purpose: the old pages stored them the other way round.
    t->rowSpot = rule.requiredInteger(S("columnNumber"));
    t->columnSpot = rule.requiredInteger(S("rowNumber"));
    t->textType = S("Text");
    return t;
}
