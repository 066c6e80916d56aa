#include "printing/CardPlan.h"

#include <QCoreApplication>

namespace {

constexpr float kUpsideDown = 180.0f;

SheetPicture pictureOf(const SheetPage &page, float rotation)
{
    SheetPicture picture;
    picture.path = page.imagePath;
    picture.rotation = rotation;
    picture.pageName = page.pageName;
    return picture;
}

bool isCardPage(const QString &number)
{
    return number == QLatin1String("1") || number == QLatin1String("2") || number == QLatin1String("3")
           || number == QLatin1String("4");
}

}  // namespace

QString CardPlan::pageNumber(const QString &pageName)
{
    const qsizetype dot = pageName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? pageName.left(dot) : pageName;
}

bool CardPlan::asksFrontOrInside(const QString &templateDescription)
{
    return !templateDescription.contains(QLatin1String("Quarter"));
}

QList<SheetPicture> CardPlan::frontPictures(const QList<SheetPage> &pages, const QString &templateDescription)
{
    const bool vertical = templateDescription.contains(QLatin1String("Vertical"));
    const bool quarter = templateDescription.contains(QLatin1String("Quarter"));
    QList<SheetPicture> out;
    if (vertical) {
        for (auto it = pages.crbegin(); it != pages.crend(); ++it) {
            const QString number = pageNumber(it->pageName);
            if (number == QLatin1String("1") || number == QLatin1String("2"))
                out.append(pictureOf(*it, 0.0f));
        }
        return out;
    }
    for (const SheetPage &page : pages) {
        const QString number = pageNumber(page.pageName);
        if (number == QLatin1String("1"))
            out.append(pictureOf(page, quarter ? 0.0f : kUpsideDown));
        else if (number == QLatin1String("2"))
            out.append(pictureOf(page, 0.0f));
    }
    return out;
}

QList<SheetPicture> CardPlan::insidePictures(const QList<SheetPage> &pages)
{
    QList<SheetPicture> out;
    for (const SheetPage &page : pages) {
        const QString number = pageNumber(page.pageName);
        if (number == QLatin1String("3") || number == QLatin1String("4"))
            out.append(pictureOf(page, 0.0f));
    }
    return out;
}

QList<SheetPicture> CardPlan::quarterFoldPictures(const QList<SheetPage> &pages)
{
    QList<SheetPicture> out;
    bool anyCardPage = false;
    for (const SheetPage &page : pages) {
        const QString number = pageNumber(page.pageName);
        anyCardPage = anyCardPage || isCardPage(number);
        const bool outside = number == QLatin1String("1") || number == QLatin1String("2");
        out.append(pictureOf(page, outside ? kUpsideDown : 0.0f));
    }
    // Pages none of which is a card page make no card.
    if (!anyCardPage)
        out.clear();
    return out;
}

QString CardPlan::noCardPagesText()
{
    return QCoreApplication::translate("CardPlan",
                                       "This card has no pages named 1 to 4 for that side, so nothing was printed.");
}
