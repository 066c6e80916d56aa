#include "generation/ResponsiveArrangement.h"
#include "generation/ResponsiveWidgets.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/GenerationContext.h"
#include "generation/ResponsiveText.h"
#include "model/SKTTable.h"
#include "model/TransformView.h"

#include <algorithm>

namespace {

const QString kEmpty = QString(QLatin1String(""));

QString unitOf(const QString &stored)
{
    // A unit never set is "%".
    return stored.isEmpty() || stored == QLatin1String("(null)") ? QStringLiteral("%") : Escape::cssValue(stored);
}

// The section's padding and margin, in the order the section rule writes them.
QString spacingOf(const SKTTable &s)
{
    QString out = Fmt::fill(
        u"padding-top:%d%@;padding-bottom:%d%@;padding-left:%d%@;padding-right:%d%@;margin-left:%d%@;"
        u"margin-right:%d%@;margin-top:%d%@;margin-bottom:%d%@;-webkit-border-horizontal-spacing:0;"
        u"-webkit-border-vertical-spacing:0;",
        {s.topPadding(), unitOf(s.topPaddingType()), s.bottomPadding(), unitOf(s.bottomPaddingType()),
         s.leftPadding(), unitOf(s.leftPaddingType()), s.rightPadding(), unitOf(s.rightPaddingType()),
         s.leftMargin(), unitOf(s.leftMarginType()), s.rightMargin(), unitOf(s.rightMarginType()), s.topMargin(),
         unitOf(s.topMarginType()), s.bottomMargin(), unitOf(s.bottomMarginType())});
    out.replace(QLatin1String("pixel"), QLatin1String("px"));
    out.replace(QLatin1String(":0%;"), QLatin1String(":0;"));
    return out;
}

// A colour for a declaration that is always written.
QString colourOrClear(const QString &stored)
{
    const QString c = ResponsiveText::colour(stored);
    return c.isEmpty() ? QStringLiteral("transparent") : c;
}

void replaceAll(QString &text, const QString &from, const QString &to)
{
    if (text.contains(from))
        text.replace(from, to);
}

} // namespace

bool ResponsiveArrangement::isSection(const SKTTable *table)
{
    if (!table)
        return false;
    const QString kind = table->gridType();
    return kind == QLatin1String("section") || kind == QLatin1String("sectionTemplate");
}

void SKTDocument::populateSourceCodeArrayOriginY()
{
    for (CodeWidgetHelper &f : sourceCodeArray)
        f.originY = Fmt::trunc(f.rect.y());
}

bool SKTDocument::doColumnsHaveDifferentBackgroundColors(const SKTTable *section)
{
    if (!section)
        return false;
    const auto &columns = section->cellHelperArray();
    for (qsizetype i = 1; i < columns.size(); ++i) {
        const QString a = columns[i - 1] ? columns[i - 1]->backgroundHexColorString : QString();
        const QString b = columns[i] ? columns[i]->backgroundHexColorString : QString();
        if (a != b)
            return true;
    }
    return false;
}

CodeWidgetHelper SKTDocument::arrangeResponsiveElements(SKTTable *section)
{
    ResponsiveArrangement arrangement(*this);
    return arrangement.arrange(section);
}

ResponsiveArrangement::ResponsiveArrangement(SKTDocument &doc) : m_doc(doc)
{
    QList<CodeWidgetHelper> &list = doc.sourceCodeArray;
    if (!doc.sourceCodeArraySorted) {
        doc.populateSourceCodeArrayOriginY();
        std::stable_sort(list.begin(), list.end(),
                         [](const CodeWidgetHelper &a, const CodeWidgetHelper &b) { return a.originY < b.originY; });
        doc.sourceCodeArraySorted = true;
    }
    m_maxBottom.reserve(list.size());
    double running = -std::numeric_limits<double>::infinity();
    for (const CodeWidgetHelper &f : std::as_const(list)) {
        running = std::max(running, f.rect.bottom());
        m_maxBottom.append(running);
    }
}

QList<qsizetype> ResponsiveArrangement::fragmentsMeeting(const QRectF &r) const
{
    QList<qsizetype> found;
    const QList<CodeWidgetHelper> &list = m_doc.sourceCodeArray;
    // Every fragment before the first whose running bottom passes r's top
    // ends above r; the walk stops at the first that starts below r.
    const auto start = std::upper_bound(m_maxBottom.cbegin(), m_maxBottom.cend(), r.top());
    const double stopY = r.bottom() + 1.0;
    for (qsizetype i = start - m_maxBottom.cbegin(); i < list.size(); ++i) {
        const CodeWidgetHelper &f = list[i];
        if (double(f.originY) > stopY)
            break;
        if (f.rect.intersects(r))
            found.append(i);
    }
    return found;
}

CodeWidgetHelper ResponsiveArrangement::arrange(SKTTable *section)
{
    CodeWidgetHelper result;
    if (!section)
        return result;
    SKTDocument &doc = m_doc;
    QList<CodeWidgetHelper> &list = doc.sourceCodeArray;
    const bool email = gResponsiveEmailEdition;
    const bool isTemplate = section->gridType() == QLatin1String("sectionTemplate");
    const int32_t N = doc.elementNumber(section);

    // 3. Style pieces.
    const auto bgImage = section->tableBackgroundImage();
    const bool hasImage = bgImage && Escape::isPlainName(bgImage->imageName) && Escape::isPlainName(bgImage->imageType);
    const QString minHeight = hasImage ? Fmt::fill(u"min-height:%fpx;", {section->bounds().height()}) : kEmpty;
    const QString folder = hasImage && !bgImage->selectable ? QStringLiteral("basetemplate") : doc.pageName;
    const QString imageRule =
        hasImage ? Fmt::fill(u"background: url(\"%@/%@.%@\") no-repeat center top;\n-webkit-background-size: cover;\n"
                             u"-moz-background-size: cover;\n-o-background-size: cover;\nbackground-size: cover;\n",
                             {Escape::cssValue(folder), bgImage->imageName, bgImage->imageType})
                 : kEmpty;
    const QString hidden = section->initialLaunchStateFlag() == 1 ? QStringLiteral("display:none;") : kEmpty;
    const QString spacing = spacingOf(*section);

    // 4. Section rule and starting script.
    QString css;
    QString script;
    if (SKTDocument::doColumnsHaveDifferentBackgroundColors(section)) {
        Fmt::append(css, u".section%d{\n%@\n%@\n%@\n%@\n}\n", {N, spacing, imageRule, minHeight, hidden});
        if (!email)
            Fmt::append(script,
                        u"<script>\n$( document ).ready(function() {\nvar heights = $(\".section%d_column\").map("
                        u"function() {\nreturn $(this).height();\n}).get(),\nmaxHeight = Math.max.apply(null, "
                        u"heights);\n$(\".section%d_column\").height(maxHeight);\n});\n</script>\n",
                        {N, N});
    } else {
        Fmt::append(css, u".section%d{\n%@\nbackground-color:%@;\n%@\n%@\n%@\n}\n",
                    {N, spacing, colourOrClear(section->backgroundHexColorString()), imageRule, minHeight, hidden});
    }

    // 5. Section opening.
    QString opening;
    if (!email) {
        const QString sectionId = section->sectionIDString();
        const QString idAttribute =
            sectionId.isEmpty() ? kEmpty : QStringLiteral(" id=") + Escape::quotedAttribute(sectionId);
        Fmt::append(opening, u"<div class=\"container-fluid\">\n<div class=\"row section%d\"%@>", {N, idAttribute});
    } else if (hasImage) {
        Fmt::append(opening, u"<table width=\"100%%\" style='%@' background='%@/%@.%@'><tr>",
                    {spacing, Escape::html(folder), bgImage->imageName, bgImage->imageType});
    } else if (section->backgroundHexColorString() != QLatin1String("CLEAR0")
               && Escape::isHexColour(section->backgroundHexColorString())) {
        Fmt::append(opening, u"<table width=\"100%%\" bgcolor=#%@ style='%@'><tr>",
                    {section->backgroundHexColorString(), spacing});
    } else {
        Fmt::append(opening, u"<table width=\"100%%\" style='%@'><tr>", {spacing});
    }

    // 6, 7. The columns.
    QString columns;
    QString formResponse;
    QString formMessage;
    const auto &cells = section->cellHelperArray();
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const auto &cell = cells[i];
        if (!cell)
            continue;
        const QString columnRule =
            Fmt::fill(u".section%d_%d{\nbackground-color:%@;height:100%%;\npadding-right:0px;\npadding-left:0px;\n}\n",
                      {N, int32_t(i), colourOrClear(cell->backgroundHexColorString)});
        QString columnText;
        if (email) {
            const int32_t percent = Fmt::trunc(double(float(double(cell->mediumGridColumns) / 12.0 * 100.0)));
            const QString c = cell->backgroundHexColorString;
            const QString background = Escape::isHexColour(c) ? QStringLiteral("background-color:#") + c
                                                                    + QLatin1Char(';')
                                                              : kEmpty;
            const QString valign = cell->verticalAlignment == 1   ? QStringLiteral("vertical-align:middle;")
                                   : cell->verticalAlignment == 2 ? QStringLiteral("vertical-align:bottom;")
                                                                  : kEmpty;
            Fmt::append(columnText, u"<td style=\"width:%d%%;%@%@\" class=\"columnContainer\">\n",
                        {percent, background, valign});
        } else {
            const QString columnOpening = Fmt::fill(
                u"<div class=\"section%d_column section%d_%d col-xs-%d col-sm-%d col-md-%d col-lg-%d\">\n",
                {N, N, int32_t(i), cell->xsGridColumns, cell->smallGridColumns, cell->mediumGridColumns,
                 cell->largeGridColumns});
            if (i == 0 && isTemplate)
                Fmt::append(columnText, u"%@\n%@\n", {QStringLiteral("<!--SECTION TABLE START-->"), columnOpening});
            else
                columnText = columnOpening;
        }

        const QRectF column(cell->originX, cell->originY, cell->width, cell->height);
        const double cy = cell->originY;
        const double ch = cell->height;
        const QList<qsizetype> meeting = fragmentsMeeting(column);
        double minY = std::numeric_limits<double>::infinity();
        double maxY = -std::numeric_limits<double>::infinity();
        for (qsizetype m : meeting) {
            minY = std::min(minY, list[m].rect.y());
            maxY = std::max(maxY, list[m].rect.y());
        }

        QString fragmentCSS;
        for (qsizetype p = 0; p < meeting.size(); ++p) {
            CodeWidgetHelper &f = list[meeting[p]];
            if (f.addedToGrid)
                continue;
            f.addedToGrid = true;
            const QRectF r = f.rect;
            replaceAll(f.headerString, Fmt::fill(u"left:%dpx;", {r.x()}), kEmpty);
            replaceAll(f.headerString, Fmt::fill(u"top:%dpx;", {r.y()}), kEmpty);
            const bool flow = !f.noMarginAddOnFlag && f.responsiveResizeFlag == 0 && !f.partOfTableFlag;
            if (flow || f.partOfTableFlag) {
                QString &target = f.partOfTableFlag ? f.tableHeaderString : f.headerString;
                replaceAll(target, Fmt::fill(u"width:%dpx;", {r.width()}), QStringLiteral("width:100%;"));
                replaceAll(target, Fmt::fill(u"height:%dpx;", {r.height()}), QStringLiteral("height:100%;"));
                replaceAll(target, QStringLiteral("position:absolute;"), kEmpty);
                const QString topHolder =
                    f.partOfTableFlag ? QStringLiteral("margin-top:0px;") : QStringLiteral("margin-top:0;");
                const QString bottomHolder =
                    f.partOfTableFlag ? QStringLiteral("margin-bottom:0px;") : QStringLiteral("margin-bottom:0;");
                QString margins;
                const auto place = [&](const QString &holder) {
                    replaceAll(target, holder, margins);
                    if (email)
                        replaceAll(f.bodyString, holder, margins);
                };
                if (r.y() <= minY) {
                    Fmt::append(margins, u"margin-top:%dpx;", {r.y() - cy});
                    place(topHolder);
                }
                // The next fragment below in this column that no column took yet.
                const CodeWidgetHelper *next = nullptr;
                for (qsizetype q = p + 1; q < meeting.size() && !next; ++q) {
                    const CodeWidgetHelper &g = list[meeting[q]];
                    if (!g.addedToGrid && g.rect.y() > r.y())
                        next = &g;
                }
                if (r.y() >= maxY) {
                    Fmt::append(margins, u"margin-bottom:%dpx;", {(cy + ch) - (r.y() + r.height())});
                    place(bottomHolder);
                }
                if (next) {
                    Fmt::append(margins, u"margin-bottom:%dpx;", {next->rect.y() - (r.y() + r.height())});
                    place(bottomHolder);
                }
                if (f.partOfTableFlag)
                    f.headerString = f.tableHeaderString + QLatin1Char('\n') + f.headerString;
            }
            columnText += QLatin1Char('\n');
            columnText += f.bodyString;
            fragmentCSS += QLatin1Char('\n');
            fragmentCSS += f.headerString;
            if (!f.formResponseBody.isEmpty() && !formResponse.contains(f.formResponseBody))
                formResponse += f.formResponseBody;
            if (!f.formMessageBody.isEmpty() && !formMessage.contains(f.formMessageBody))
                formMessage += f.formMessageBody;
            if (!f.javaScriptString.isEmpty()) {
                script += QLatin1Char('\n');
                script += f.javaScriptString;
            }
        }

        // E-mail pages carry no template markers: the cell is the whole column.
        if (email)
            Fmt::append(columns, u"\n%@\n</td>", {columnText});
        else if (i == 0 && isTemplate)
            Fmt::append(columns, u"\n%@\n</div>\n%@\n", {columnText, QStringLiteral("<!--SECTION TABLE END-->")});
        else
            Fmt::append(columns, u"\n%@\n</div>", {columnText});
        Fmt::append(css, u"\n%@\n%@\n", {fragmentCSS, columnRule});
    }

    // 8, 9. The section's fragment.
    if (email)
        Fmt::append(result.bodyString, u"%@\n%@\n%@\n", {opening, columns, QStringLiteral("</tr></table>\n")});
    else
        Fmt::append(result.bodyString, u"%@\n%@\n%@\n</div>", {opening, columns, QStringLiteral("</div>\n")});
    result.headerString = email ? kEmpty : css;
    result.javaScriptString = script;
    result.originY = Fmt::trunc(section->bounds().y());
    result.formResponseBody = formResponse;
    result.formMessageBody = formMessage;
    return result;
}

const QList<CodeWidgetHelper> &ResponsiveArrangement::sectionFragments(GenerationContext &ctx)
{
    if (!ctx.sectionsArranged) {
        ctx.sectionsArranged = true;
        ResponsiveArrangement arrangement(ctx.doc);
        for (SKTTable *table : std::as_const(ctx.doc.tableArray))
            if (isSection(table))
                ctx.arrangedSections.append(arrangement.arrange(table));
    }
    return ctx.arrangedSections;
}

QList<CodeWidgetHelper> ResponsiveArrangement::pageFragments(GenerationContext &ctx)
{
    QList<CodeWidgetHelper> list = ctx.freeFragments;
    list += sectionFragments(ctx);
    if (gResponsiveEmailEdition) {
        // A mail design's texts and pictures outside every section (the templates
        // are made of them) go in the mail as full-width rows where they stand;
        // leaving them out would send an empty mail.
        for (const CodeWidgetHelper &f : std::as_const(ctx.doc.sourceCodeArray)) {
            if (f.bodyString.isEmpty() || ResponsiveWidgets::isInSectionCell(ctx, f.rect.topLeft()))
                continue;
            CodeWidgetHelper row = f;
            row.bodyString = QStringLiteral("<table width=\"100%\" cellpadding=0 cellspacing=0><tr>"
                                            "<td class=\"columnContainer\">%1</td></tr></table>\n").arg(f.bodyString);
            list.append(row);
        }
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const CodeWidgetHelper &a, const CodeWidgetHelper &b) { return a.originY < b.originY; });
    return list;
}
