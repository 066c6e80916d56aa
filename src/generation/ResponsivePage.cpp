#include "generation/ResponsivePage.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/PageText.h"
#include "document/Fmt.h"
#include "generation/GenerationContext.h"
#include "generation/ResponsiveArrangement.h"

namespace {

const char16_t kDoctype401[] = u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                               u"\"http://www.w3.org/TR/html4/loose.dtd\">\n";

// A stacked column is as wide as the mail, its padding inside that width: a
// narrow screen gets no sideways scrolling.
const char16_t kEmailStyle[] = u"<style type=\"text/css\">\n@media only screen and (max-width: 480px){\n"
                               u".columnContainer{\ndisplay:block !important;\nwidth:100% !important;\n"
                               u"box-sizing:border-box !important;}}\n</style>\n";

// One media block: the five column selectors of each size, cleared only for
// the size that the block's width starts.
void appendClearingBlock(QString &out, QStringView media, const char *cleared)
{
    static const char *const kSizes[] = {"lg", "md", "sm"};
    static const struct {
        int column;
        int every;
    } kColumns[] = {{1, 12}, {2, 6}, {3, 4}, {4, 3}, {6, 2}};
    out += media;
    out += QLatin1Char('\n');
    for (const char *size : kSizes) {
        QStringList selectors;
        for (const auto &c : kColumns)
            selectors << QStringLiteral(".col-%1-%2:nth-child(%3n+1)").arg(QLatin1String(size)).arg(c.column).arg(c.every);
        out += selectors.join(QStringLiteral(",\n"));
        out += qstrcmp(size, cleared) == 0 ? QStringLiteral("{\nclear: left;\n}\n") : QStringLiteral("{\nclear: none;\n}\n");
    }
}

} // namespace

QString ResponsivePage::columnClearingCSS()
{
    if (gResponsiveEmailEdition)
        return QString();
    QString out;
    appendClearingBlock(out, u"@media (min-width:767px){", "sm");
    out += QStringLiteral("}\n");
    appendClearingBlock(out, u"@media (min-width:992px){", "md");
    out += QStringLiteral("}\n");
    appendClearingBlock(out, u"@media (min-width:1200px){", "lg");
    out += QStringLiteral("}}\n");
    return out;
}

QString ResponsivePage::build(GenerationContext &ctx, const ResponsivePageParts &parts)
{
    SKTDocument &doc = ctx.doc;
    const bool email = gResponsiveEmailEdition;

    // 1, 2. The fragments, arranged once and joined top to bottom.
    const QList<CodeWidgetHelper> fragments = ResponsiveArrangement::pageFragments(ctx);
    qsizetype bodySize = 0, cssSize = 0, scriptSize = 0;
    for (const CodeWidgetHelper &f : fragments) {
        bodySize += f.bodyString.size() + 1;
        cssSize += f.headerString.size() + 1;
        scriptSize += f.javaScriptString.size() + 1;
    }
    QString body, css, scripts;
    body.reserve(bodySize);
    css.reserve(cssSize + 80);
    scripts.reserve(scriptSize);
    for (const CodeWidgetHelper &f : fragments) {
        body += QLatin1Char('\n');
        body += f.bodyString;
        css += QLatin1Char('\n');
        css += f.headerString;
        // E-mail pages load no jQuery (and mail readers run no scripts):
        // the fragments' scripts would only fail there.
        if (!email && f.javaScriptString != QLatin1String("(null)")) {
            scripts += QLatin1Char('\n');
            scripts += f.javaScriptString;
        }
    }
    // 3-6. Head pieces.
    css += QStringLiteral("\n.container-fluid{\npadding-right:0px;\npadding-left:0px;\n}\n");
    const QString meta =
        email ? QString()
              : QStringLiteral("<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\n<meta name=\"viewport\" "
                               "content=\"width=device-width, initial-scale=1.0\">\n<meta name=\"description\" content=")
                    + QLatin1Char('"') + PageText::toAttribute(doc.metaDescription)
                    + QStringLiteral("\">\n<meta name=\"keywords\" content=\"") + PageText::toAttribute(doc.metaKeywords)
                    + QStringLiteral("\">\n");
    const QString doctype = email ? QString::fromUtf16(kDoctype401) : QStringLiteral("<!DOCTYPE HTML>\n");
    const QString libraries = email ? QString::fromUtf16(kEmailStyle) : parts.scripts;
    const QString colour = Escape::isHexColour(ctx.pageColour) ? ctx.pageColour : QStringLiteral("FFFFFF");
    const QString pageColour = Escape::cssColour(ctx.pageColour).isEmpty() ? QStringLiteral("#FFFFFF")
                                                                             : Escape::cssColour(ctx.pageColour);

    QString page;
    page.reserve(body.size() + css.size() + scripts.size() + parts.headerCode.size() + parts.baseHeader.size() + 8192);
    // 7. Head.
    Fmt::append(page,
                u"%@\n<html lang=\"en\">\n<head>\n<meta charset=\"UTF-8\">\n%@\n<title>%@</title>\n%@\n%@\n"
                u"<style type=text/css>\n%@\n%@\nbody {background-color:%@;}\n</style>\n%@\n%@\n%@\n%@\n\n</head>",
                {doctype, meta, Escape::html(doc.pageOfficialName), libraries, parts.webFonts, css,
                 columnClearingCSS(), pageColour, scripts, parts.baseHeader, parts.headerCode, QString()});
    // 8, 9. Body.
    QString open = QStringLiteral("<body>");
    QString close = QStringLiteral("</body>\n</html>");
    if (email) {
        open = Fmt::fill(u"<body bgcolor=\"#%@\" style='margin-top:0; margin-bottom:0; margin-right:0; margin-left:0; "
                         u"padding:0;'>\n<table width=\"100%%\" bgcolor=\"#%@\" margin=0 padding=0 cellpadding=0 "
                         u"cellspacing=0>\n<tr><td>\n",
                         {colour, colour});
        close = QStringLiteral("</td></tr>\n</table>\n</body>\n</html>");
    }
    page += QStringLiteral("\n\n");
    page += open;
    page += QLatin1Char('\n');
    if (parts.formPage) {
        const QString pageArg = Escape::html(ctx.pageName);
        page += QStringLiteral("<form name=") + pageArg + QStringLiteral(" action=") + pageArg
                + QStringLiteral(".php onsubmit=\"return validateForm();\" method=post>");
        page += QLatin1Char('\n');
        page += body;
        page += QLatin1Char('\n');
        page += QStringLiteral("<input type=\"hidden\" name=email value=\"email\"></form>");
    } else {
        page += body;
    }
    page += QLatin1Char('\n');
    page += close;
    return page;
}
