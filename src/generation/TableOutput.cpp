// The table-grid pass and the snippet pass of the page generator. A table of
// any kind leaves the rule that stores the container and hands its cells to
// the text pass and its images to the image pass; an HTML snippet leaves its
// rule (plain, or with the styling of a formatted snippet) and its own
// markup, written as the user typed it.
#include "generation/ResponsiveWidgets.h"
#include "generation/TableOutput.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/GenerationContext.h"
#include "generation/LineImageOutput.h"
#include "generation/PieceRoom.h"
#include "document/PageText.h"
#include "generation/ResponsiveText.h"
#include "model/SKTTable.h"

#include <algorithm>

void TableOutput::writeTableGrids(GenerationContext &ctx)
{
    SKTDocument &doc = ctx.doc;
    const QList<SKTTable *> &tables = doc.tableArray;
    PieceRoom room({&ctx.tableGridCSS}, tables.size());
    int32_t t = 0;
    for (qsizetype i = tables.size() - 1; i >= 0; --i, ++t) {
        room.nextItem();
        SKTTable *table = tables[i];
        if (!table)
            continue;
        if (const auto background = table->tableBackgroundImage();
            background && doc.storeImageNowFlag && table->selectable() && ctx.saveImages && !doc.loopThroughFlag) {
            const ImageElement element(background);
            if (!doc.saveImage(element) && doc.lastWriteError.isEmpty())
                doc.lastWriteError = QStringLiteral("The image file \u201C%1\u201D could not be written.")
                                         .arg(element.imageName());
            doc.imageViewArray.append(element);
        }
        ctx.markFontUsed(table->fontFamily());

        const QRectF b = table->bounds();
        const int32_t left = Fmt::trunc(b.x());
        const int32_t top = Fmt::trunc(b.y());
        const int32_t width = Fmt::trunc(b.width());
        const int32_t height = Fmt::trunc(b.height());
        const int32_t z = ctx.stackingValue(table);
        ctx.rightEdges.append(Fmt::trunc(double(left) + double(width)));
        table->setTemplateName(ctx.templateNameFor(table->templateName()));

        const SKTGraphic &g = *table;
        const int32_t box[8] = {g.topPadding(), g.bottomPadding(), g.leftPadding(), g.rightPadding(),
                                g.topMargin(),  g.bottomMargin(),  g.leftMargin(),  g.rightMargin()};
        const QString types[8] = {
            Escape::cssValue(g.topPaddingType()), Escape::cssValue(g.bottomPaddingType()),
            Escape::cssValue(g.leftPaddingType()), Escape::cssValue(g.rightPaddingType()),
            Escape::cssValue(g.topMarginType()), Escape::cssValue(g.bottomMarginType()),
            Escape::cssValue(g.leftMarginType()), Escape::cssValue(g.rightMarginType())};
        const QString levels[8] = {
            Escape::cssValue(g.topPaddingLevelString()), Escape::cssValue(g.bottomPaddingLevelString()),
            Escape::cssValue(g.leftPaddingLevelString()), Escape::cssValue(g.rightPaddingLevelString()),
            Escape::cssValue(g.topMarginLevelString()), Escape::cssValue(g.bottomMarginLevelString()),
            Escape::cssValue(g.leftMarginLevelString()), Escape::cssValue(g.rightMarginLevelString())};

        Fmt::append(ctx.tableGridCSS,
                    u"\n.tableGrid%d{position:%@;left:%dpx;top:%dpx;z-index:%d;width:%dpx;height:%dpx;fixed:%d;"
                    u"numOfRows:%d;numOfColumns:%d;groupNumber:%d;padding:%d;shadowFlag:%d;backdrop:%d;templateName:%@;"
                    u"tableNumber:%d;manualLayerIndex:%d;gridType:%@;sectionNumber:%d;sectionRowSpot:%d;"
                    u"sectionColumnSpot:%d;sectionTopPadding:%d;sectionBottomPadding:%d;sectionLeftPadding:%d;"
                    u"sectionRightPadding:%d;sectionID:%@;initialLaunchState:%d;",
                    {t, GenerationContext::positionKeyword(table->scrollFlag()), left, top, z, width, height,
                     table->moveLock(), table->numOfRows(), table->numOfColumns(), table->groupNumber(),
                     table->padding(), table->shadowFlag(), table->backdropLightingFlag(),
                     Escape::cssValue(table->templateName()), t, table->manualLayerIndex(),
                     Escape::cssValue(table->gridType()), table->sectionNumber(), table->sectionRowSpot(),
                     table->sectionColumnSpot(), box[0], box[1], box[2], box[3],
                     Escape::cssValue(table->sectionIDString()), table->initialLaunchStateFlag()});
        Fmt::append(ctx.tableGridCSS,
                    u"topPaddingStr:%d;bottomPaddingStr:%d;leftPaddingStr:%d;rightPaddingStr:%d;topMarginStr:%d;"
                    u"bottomMarginStr:%d;leftMarginStr:%d;rightMarginStr:%d;topPaddingTypeStr:%@;"
                    u"bottomPaddingTypeStr:%@;leftPaddingTypeStr:%@;rightPaddingTypeStr:%@;topMarginTypeStr:%@;"
                    u"bottomMarginTypeStr:%@;leftMarginTypeStr:%@;rightMarginTypeStr:%@;",
                    {box[0], box[1], box[2], box[3], box[4], box[5], box[6], box[7], types[0], types[1], types[2],
                     types[3], types[4], types[5], types[6], types[7]});
        Fmt::append(ctx.tableGridCSS,
                    u"topPaddingLevelStr:%@;bottomPaddingLevelStr:%@;leftPaddingLevelStr:%@;rightPaddingLevelStr:%@;"
                    u"topMarginLevelStr:%@;bottomMarginLevelStr:%@;leftMarginLevelStr:%@;rightMarginLevelStr:%@;}\n",
                    {levels[0], levels[1], levels[2], levels[3], levels[4], levels[5], levels[6], levels[7]});

        const QList<SKTTable::Cell> &cells = table->cellHelperArray();
        for (const auto &cell : cells)
            if (cell)
                ctx.setContainerStackingValue(cell.get(), z);
        if (gTableImagesEnabled) {
            for (const auto &image : table->imageArray()) {
                if (!image)
                    continue;
                ctx.setContainerStackingValue(image.get(), z);
                doc.imageViewArray.append(ImageElement(image));
            }
        }

        auto handCellsOn = [&](QList<TextElement> &list) {
            for (qsizetype c = cells.size() - 1; c >= 0; --c)
                if (cells[c])
                    list.append(TextElement(cells[c]));
        };
        if (!ctx.responsiveLayout) {
            handCellsOn(gResponsiveEdition ? doc.htmlSnippetArray : doc.textViewArray);
        } else {
            const QString kind = table->gridType();
            if (kind != QLatin1String("section") && kind != QLatin1String("sectionTemplate"))
                handCellsOn(doc.textViewArray);
            ResponsiveWidgets::add(ctx, table);
        }
    }
}

namespace {

// A stored colour that is neither six hex digits nor "CLEAR0" counts as none.
QString validColour(const QString &colour)
{
    return Escape::storedColour(colour, QString());
}

void appendFormattedRule(GenerationContext &ctx, TextElement &el, int32_t s, const QString &content,
                         const QString &position, int32_t left, int32_t top, int32_t z, int32_t width, int32_t height,
                         int32_t lines, int32_t linkFlag)
{
    const double opacity = el.opacity();
    QString opacityPart;
    if (opacity < 1.0)
        opacityPart = Fmt::fill(u"opacity:%f;filter:alpha(opacity=%f);", {opacity, opacity * 100.0});
    const QString backgroundPart = el.backgroundHexColorString() == QLatin1String("CLEAR0")
                                       ? QString()
                                       : LineImageOutput::colourDeclaration(QStringLiteral("background-color"),
                                                                            el.backgroundHexColorString());
    const int32_t shadow = el.shadowFlag() == 1 ? 1 : 0;
    const QString shadowPart =
        shadow ? Fmt::fill(u"box-shadow: %dpx %dpx %fpx #000000;", {0, shadow, double(shadow)}) : QString();

    const bool empty = content.isEmpty();
    const int32_t fontSize = empty ? 10 : el.fontSize();
    const QString family = el.fontFamily();
    ctx.markFontUsed(family);
    const int32_t padding = empty ? 0 : std::min(10, Fmt::trunc(el.bounds().height() * 0.11));
    if (el.borderHexColorString() == QLatin1String("CLEAR0"))
        el.setBorderHexColorString(QStringLiteral("000000"));
    const QString alignment = empty ? QStringLiteral("left") : ResponsiveText::alignmentWord(el.alignment());

    const QString textColour = LineImageOutput::colourDeclaration(QStringLiteral("color"), el.textHexColorString());
    const QString hover = validColour(el.hoverColorString());
    const QString hoverText = validColour(el.hoverTextColorString());
    // Colours in the hover and link rules; a text colour that is no colour
    // leaves links in the colour around them.
    auto css = [](const QString &colour) {
        const QString c = colour.isEmpty() ? QString() : Escape::cssColour(colour);
        return c.isEmpty() ? QStringLiteral("inherit") : c;
    };
    const QString tc = el.textHexColorString();
    QString hoverRule;
    QString storedHover;
    QString linkRule;
    if (!hover.isEmpty() && !hoverText.isEmpty()) {
        hoverRule = Fmt::fill(u".snippet%d:hover{background-color:%@;color:%@;}\n", {s, css(hover), css(hoverText)});
        storedHover = Fmt::fill(u".snippet%d{hoverColor:%@;hoverTextColor:%@;}", {s, hover, hoverText});
    } else if (!hover.isEmpty()) {
        hoverRule = Fmt::fill(u".snippet%d:hover{background-color:%@;}\n", {s, css(hover)});
        storedHover = Fmt::fill(u".snippet%d{hoverColor:%@;}", {s, hover});
    } else if (!hoverText.isEmpty()) {
        hoverRule = Fmt::fill(u".snippet%d:hover{color:%@ !important;}\n", {s, css(hoverText)});
        storedHover = Fmt::fill(u".snippet%d{hoverTextColor:%@;}", {s, hoverText});
    }
    if (!hoverText.isEmpty())
        linkRule = Fmt::fill(u".snippet%d a:link {text-decoration: none; color: %@;font-weight:normal;}"
                             u".snippet%d a:hover {text-decoration: none; color: %@;font-weight:normal;}",
                             {s, css(tc), s, css(hoverText)});
    else
        linkRule = Fmt::fill(u".snippet%d a:link {text-decoration: none; color: %@;font-weight:normal;}", {s, css(tc)});
    const QString visitedRule =
        Fmt::fill(u".snippet%d a:visited {text-decoration: none; color: %@;font-weight:normal;formType:%@;formTag:%d;"
                  u"formOptionTag:%d;formRequiredFlag:%d;}",
                  {s, css(tc), Escape::cssValue(el.formType()), -99, -99, 0});

    const QString border = LineImageOutput::colourDeclaration(QStringLiteral("border-color"), el.borderHexColorString());
    const double radius = el.cornerRadius();
    QString &out = ctx.snippetCSS;
    Fmt::append(out,
                u".snippet%d{position:%@;%@left:%dpx;top:%dpx;z-index:%d;font-size:%dpx;%@width:%dpx;height:%dpx;"
                u"font-family:\"%@\";padding:%dpx;border-style:%@;border-width:%dpx;%@text-align:%@;"
                u"border-radius:%dpx;-moz-border-radius:%dpx;fixed:%d;%@%@shadowOpacity:%f;shadowRadius:%f;"
                u"shadowOffSetY:%d;textAlpha:%f;indentFlag:%d;text-indent:%dpx;shapeFlag:%d;groupNumber:%d;"
                u"line-height:normal;tableNumber:%d;tableRowSpot:%d;tableColumnSpot:%d;templateName:%@;"
                u"manualLayerIndex:%d;linkType:%@;shapeBackgroundColor:%@;nlines:%d;snippetFormattingFlag:%d;"
                u"sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;",
                {s, position, backgroundPart, left, top, z, fontSize, textColour, width, height,
                 Escape::cssValue(family), padding, Escape::cssValue(el.borderStyle()), el.borderWidth(), border,
                 alignment, radius, radius, el.moveLock(), opacityPart, shadowPart, double(shadow), double(shadow),
                 shadow, opacity, 0, 0, el.shapeFlag(), el.groupNumber(), -99, -99, -99,
                 Escape::cssValue(el.templateName()), el.manualLayerIndex(), Escape::cssValue(el.linkType()),
                 Escape::cssValue(el.backgroundHexColorString()), lines, el.snippetFormatFlag() ? 1 : 0,
                 el.sectionNumber(), el.sectionRowSpot(), el.sectionColumnSpot()});
    Fmt::append(out,
                u"topPaddingStr:%d;bottomPaddingStr:%d;leftPaddingStr:%d;rightPaddingStr:%d;topMarginStr:%d;"
                u"bottomMarginStr:%d;leftMarginStr:%d;rightMarginStr:%d;topPaddingTypeStr:%@;bottomPaddingTypeStr:%@;"
                u"leftPaddingTypeStr:%@;rightPaddingTypeStr:%@;topMarginTypeStr:%@;bottomMarginTypeStr:%@;"
                u"leftMarginTypeStr:%@;rightMarginTypeStr:%@;containsLinkFlag:%d;}%@%@%@%@\n\n",
                {el.boxValue(0), el.boxValue(1), el.boxValue(2), el.boxValue(3), el.boxValue(4), el.boxValue(5),
                 el.boxValue(6), el.boxValue(7), Escape::cssValue(el.boxType(0)), Escape::cssValue(el.boxType(1)),
                 Escape::cssValue(el.boxType(2)), Escape::cssValue(el.boxType(3)), Escape::cssValue(el.boxType(4)),
                 Escape::cssValue(el.boxType(5)), Escape::cssValue(el.boxType(6)), Escape::cssValue(el.boxType(7)),
                 linkFlag, storedHover, linkRule, visitedRule, hoverRule});
}

} // namespace

void TableOutput::writeSnippets(GenerationContext &ctx)
{
    SKTDocument &doc = ctx.doc;
    QList<TextElement> &snippets = doc.htmlSnippetArray;
    PieceRoom room({&ctx.snippetCSS, &ctx.snippetMarkup}, snippets.size());
    int32_t s = 0;
    for (qsizetype i = snippets.size() - 1; i >= 0; --i, ++s) {
        room.nextItem();
        TextElement el = snippets[i];
        if (el.isNull())
            continue;
        if (gResponsiveEdition) {
            const CodeWidgetHelper stored = doc.generateTextViewCodeStatic(el, s);
            ctx.snippetCSS += stored.headerString;
            ctx.snippetMarkup += stored.bodyString;
            CodeWidgetHelper code = doc.generateSnippetCode(el, nullptr);
            code.setRect(el.bounds());
            doc.sourceCodeArray.append(code);
            continue;
        }
        QString content = el.text();
        content.replace(QLatin1String("\r\n"), QLatin1String("\n"));

        const QRectF b = el.bounds();
        const int32_t left = Fmt::trunc(b.x());
        const int32_t top = Fmt::trunc(b.y());
        const int32_t width = Fmt::trunc(b.width());
        const int32_t height = Fmt::trunc(b.height());
        const int32_t z = el.isCarrier() ? ctx.containerStackingValue(el.identity()) : ctx.stackingValue(el.graphic());
        if (!gResponsiveEdition)
            ctx.rightEdges.append(Fmt::trunc(double(left) + double(width)));
        // A snippet with a link keeps it as the first line of its body, as
        // stored pages hold it, so that the link reads back.
        const QString link = el.link().isEmpty() ? QString() : PageText::toAttribute(el.link());
        const int32_t linkFlag = link.isEmpty() ? 0 : 1;
        const QString text = content;
        if (linkFlag)
            content = link + QLatin1Char('\n') + content;
        const int32_t lines = SKTDocument::calculateNumOfLines(content);
        const QString position = GenerationContext::positionKeyword(el.scrollFlag());
        el.setTemplateName(ctx.templateNameFor(el.templateName()));

        if (!el.snippetFormatFlag())
            Fmt::append(ctx.snippetCSS,
                        u".snippet%d{position:%@;left:%dpx;top:%dpx;z-index:%d;width:%dpx;height:%dpx;nlines:%d;"
                        u"fixed:%d;groupNumber:%d;templateName:%@;manualLayerIndex:%d;snippetFormattingFlag:%d;"
                        u"sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;%@}\n\n",
                        {s, position, left, top, z, width, height, lines, el.moveLock(), el.groupNumber(),
                         Escape::cssValue(el.templateName()), el.manualLayerIndex(), 0, el.sectionNumber(),
                         el.sectionRowSpot(), el.sectionColumnSpot(),
                         linkFlag ? QStringLiteral("containsLinkFlag:1;") : QString()});
        else
            appendFormattedRule(ctx, el, s, text, position, left, top, z, width, height, lines, linkFlag);

        Fmt::append(ctx.snippetMarkup, u"<div class=snippet%d>\n%@\n</div>\n", {s, content});
    }
}
