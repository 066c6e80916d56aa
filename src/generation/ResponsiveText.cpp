#include "generation/ResponsiveText.h"

#include "document/Escape.h"
#include "document/Fmt.h"

#include <QStringList>

QString ResponsiveText::alignmentWord(int32_t alignment)
{
    switch (alignment) {
    case 1: return QStringLiteral("right");
    case 2: return QStringLiteral("center");
    case 3: return QStringLiteral("justify");
    default: return QStringLiteral("left");
    }
}

QString ResponsiveText::colour(const QString &stored)
{
    return Escape::cssColour(stored);
}

QString ResponsiveText::storedColour(const QString &stored)
{
    return Escape::isHexColour(stored) || stored == QLatin1String("CLEAR0") ? stored : QString();
}

QString ResponsiveText::selectorId(const QString &id)
{
    QString out;
    for (QChar c : id) {
        const char16_t u = c.unicode();
        if (u < 0x21 || u > 0x7E || u == u'<' || u == u'>')
            continue; // blanks, controls and anything that could end the script
        const bool plain = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
                           || u == u'_' || u == u'-';
        if (!plain) {
            out += u"\\\\"; // the CSS escape, itself escaped in the script string
            if (u == u'"' || u == u'\'' || u == u'\\')
                out += u'\\';
        }
        out += c;
    }
    return out;
}

QString ResponsiveText::clickScript(const QString &clickId, const QString &show, const QString &hide)
{
    if (show.isEmpty() && hide.isEmpty())
        return QString();
    QString script = QStringLiteral("<script>\n$(document).ready(function(){\n");
    Fmt::append(script, u"$(\"#%@\").click(function(){\n", {selectorId(clickId)});
    if (!show.isEmpty())
        for (const QString &id : show.split(QLatin1Char(',')))
            Fmt::append(script, u"\n$(\"#%@\").show();\n", {selectorId(id)});
    if (!hide.isEmpty())
        for (const QString &id : hide.split(QLatin1Char(',')))
            Fmt::append(script, u"\n$(\"#%@\").hide();\n", {selectorId(id)});
    script += QStringLiteral("\n});\n});\n</script>\n");
    return script;
}

ResponsiveText::HoverRules ResponsiveText::hoverRules(const QString &id, const QString &textColour,
                                                     const QString &storedHoverColour,
                                                     const QString &storedHoverTextColour)
{
    const QString hcStored = storedColour(storedHoverColour);
    const QString htcStored = storedColour(storedHoverTextColour);
    const QString hc = colour(hcStored);
    const QString htc = colour(htcStored);
    const QString oneLink =
        Fmt::fill(u".%@ a:link {text-decoration: none; color: %@;font-weight:normal;}", {id, textColour});
    const QString twoLinks =
        oneLink + Fmt::fill(u".%@ a:hover {text-decoration: none; color: %@;font-weight:normal;}", {id, htc});
    HoverRules rules;
    rules.links = oneLink;
    if (!hcStored.isEmpty() && !htcStored.isEmpty()) {
        rules.hover = Fmt::fill(u".%@:hover{background-color:%@;color:%@;}\n", {id, hc, htc});
        rules.attributes = Fmt::fill(u".%@{hoverColor:%@;hoverTextColor:%@;}", {id, hcStored, htcStored});
        rules.links = twoLinks;
    } else if (!hcStored.isEmpty()) {
        rules.hover = Fmt::fill(u".%@:hover{background-color:%@;}\n", {id, hc});
        rules.attributes = Fmt::fill(u".%@{hoverColor:%@;}", {id, hcStored});
    } else if (!htcStored.isEmpty()) {
        rules.hover = Fmt::fill(u".%@:hover{color:%@ !important;}\n", {id, htc});
        rules.attributes = Fmt::fill(u".%@{hoverTextColor:%@;}", {id, htcStored});
        rules.links = twoLinks;
    }
    return rules;
}
