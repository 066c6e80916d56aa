#include "config/FontSubstitutes.h"

#include <QFont>
#include <QFontInfo>
#include <QHash>

namespace {
const QStringList kSans = {QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans")};
const QStringList kScript = {QStringLiteral("Z003"), QStringLiteral("URW Chancery L"), QStringLiteral("DejaVu Serif")};

const QHash<QString, QStringList> &table()
{
    // Keys in lower case: stored pages spell families as they please.
    static const QHash<QString, QStringList> families = {
        {QStringLiteral("helvetica neue"), kSans},
        {QStringLiteral("helvetica"), kSans},
        {QStringLiteral("arial"), kSans},
        {QStringLiteral("gill sans"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans")}},
        {QStringLiteral("futura"), {QStringLiteral("URW Gothic"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("impact"), {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                                    QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("heiti tc"), {QStringLiteral("Noto Sans CJK TC"), QStringLiteral("Noto Sans TC"),
                                      QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("AR PL UMing TW"),
                                      QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("marlett"), {QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("stencil"), {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("phosphate"), {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")}},
        {QStringLiteral("noteworthy"), kScript},
        {QStringLiteral("caflisch script pro"), kScript},
        {QStringLiteral("nanum brush script"), kScript},
        {QStringLiteral("pilgi"), kScript},
        {QStringLiteral("rosewood std"), {QStringLiteral("C059"), QStringLiteral("DejaVu Serif")}},
    };
    return families;
}

// The family names as the program writes them, for the font database.
const QStringList &writtenNames()
{
    static const QStringList names = {
        QStringLiteral("Helvetica Neue"), QStringLiteral("Helvetica"), QStringLiteral("Arial"),
        QStringLiteral("Gill Sans"), QStringLiteral("Futura"), QStringLiteral("Impact"), QStringLiteral("Heiti TC"),
        QStringLiteral("Marlett"), QStringLiteral("Stencil"), QStringLiteral("Phosphate"),
        QStringLiteral("Noteworthy"), QStringLiteral("Caflisch Script Pro"), QStringLiteral("Nanum Brush Script"),
        QStringLiteral("PilGi"), QStringLiteral("Rosewood Std"),
    };
    return names;
}
} // namespace

void FontSubstitutes::installFor(const QString &family)
{
    static QStringList asked;
    if (asked.contains(family))
        return;
    asked << family;
    // Asking for each family alone keeps start-up from listing every font of
    // the system. Only system families: the web fonts register later.
    if (!QFont::substitutes(family).isEmpty() || QFontInfo(QFont(family)).family() == family)
        return;
    QFont::insertSubstitutions(family, lookAlikes(family));
}

void FontSubstitutes::install()
{
    for (const QString &name : writtenNames())
        installFor(name);
}

bool FontSubstitutes::isProgramFamily(const QString &family)
{
    return table().contains(family.trimmed().toLower());
}

QStringList FontSubstitutes::lookAlikes(const QString &family)
{
    return table().value(family.trimmed().toLower());
}
