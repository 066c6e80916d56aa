#include "window/PageListingPlan.h"

#include "config/EditionSettings.h"

#include <QFileInfo>
#include <algorithm>

namespace {
// Caption heights as the captions are made (18 points each).
constexpr int kCaptionHeight = 18;
}

QString PageListingPlan::foldForSearch(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing && c.category() != QChar::Mark_Enclosing
            && c.category() != QChar::Mark_SpacingCombining)
            folded += c;
    return folded.toCaseFolded();
}

bool PageListingPlan::matchesSearch(const PageEntry &page, const QString &searchText)
{
    if (searchText.isEmpty())
        return true;
    return foldForSearch(page.pageTitle + QLatin1Char(' ') + page.pageName).contains(foldForSearch(searchText));
}

int PageListingPlan::columnCount(int userColumns, int editionColumns)
{
    if (userColumns > 0)
        return userColumns;
    return editionColumns > 0 ? editionColumns : 1;
}

QSize PageListingPlan::returnNewSize(QSize size, int side)
{
    const int w = size.width() > 0 ? size.width() : 1;
    const int h = size.height() > 0 ? size.height() : 1;
    if (w >= h)
        return {side, int(qint64(h) * side / w)};
    return {int(qint64(w) * side / h), side};
}

QString PageListingPlan::nameCaptionFor(const PageEntry &page)
{
    return gShowPublishExtension ? page.pagePublishFileName : QFileInfo(page.pagePublishFileName).completeBaseName();
}

QString PageListingPlan::summaryText(int pageCount, const QString &folderName)
{
    return (pageCount == 1 ? QStringLiteral("%1 Document\n%2") : QStringLiteral("%1 Documents\n%2"))
        .arg(pageCount)
        .arg(folderName);
}

ListingPlan PageListingPlan::layout(const QList<PageEntry> &pages, const QList<QSize> &imageSizes,
                                    const QString &searchText, int listingWidth, int columns)
{
    ListingPlan plan;
    plan.columns = std::max(1, columns);
    const QString folded = foldForSearch(searchText);
    QList<int> passing;
    for (int i = 0; i < pages.size(); ++i)
        if (searchText.isEmpty()
            || foldForSearch(pages.at(i).pageTitle + QLatin1Char(' ') + pages.at(i).pageName).contains(folded))
            passing << i;
    const int n = int(passing.size());
    plan.rows = (n + plan.columns - 1) / plan.columns;
    plan.listingWidth = std::max(50, listingWidth);
    if (n == 0)
        return plan;
    const int columnWidth = plan.listingWidth / plan.columns;
    const int side = int(0.8 * columnWidth);
    const int left = int(0.1 * columnWidth);
    static const QString cardCaptions[] = {QStringLiteral("Front"), QStringLiteral("Inside 1"), QStringLiteral("Inside 2"),
                                           QStringLiteral("Back")};
    int y = 10;
    for (int k = 0; k < n; ++k) {
        const int column = k / plan.rows;
        const int row = k % plan.rows;
        const int i = passing.at(k);
        const PageEntry &page = pages.at(i);
        ListingCell cell;
        cell.page = i;
        cell.column = column;
        cell.row = row;
        const QSize image = i < imageSizes.size() ? imageSizes.at(i) : page.imageSize;
        const QSize fitted = returnNewSize(image, side);
        cell.buttonFrame = QRect(left, 5, fitted.width(), fitted.height());
        int top = cell.buttonFrame.y() + cell.buttonFrame.height();
        cell.showTitle = !gPageIconOptionA;
        if (cell.showTitle) {
            cell.titleCaption = page.pageTitle;
            if (gAppName == QLatin1String("Tovra Greeting Card Designer") && k < 4)
                cell.titleCaption = cardCaptions[k];
            top += kCaptionHeight;
        }
        cell.nameCaption = nameCaptionFor(page);
        if (gPageIconOptionB) {
            if (page.pageLocalFileName == QLatin1String("basetemplate.html") && gHeaderFooterBaseTemplate)
                cell.nameCaption = QStringLiteral("Header and Footer");
            else if (page.pageLocalFileName != QLatin1String("basetemplate.html") && gNumberedPageIcons)
                cell.nameCaption = QStringLiteral("Page %1").arg(k);
            else
                cell.showName = false;
        }
        if (cell.showName)
            top += kCaptionHeight;
        cell.showTime = !gPageIconFileTime;
        if (cell.showTime) {
            cell.timeCaption = page.fileTime;
            top += kCaptionHeight;
        }
        if (!cell.showName)
            cell.nameCaption.clear();
        if (row == 0)
            y = 10;
        cell.frame = QRect(column * columnWidth, y, columnWidth, top);
        y += top + 5;
        plan.listingHeight = std::max(plan.listingHeight, y);
        plan.cells << cell;
    }
    return plan;
}
