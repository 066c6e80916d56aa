#include "window/WebsiteSettingsRows.h"

#include "config/EditionSettings.h"

#include <QFileInfo>

WebsiteSettingsRow WebsiteSettingsRow::fromPage(const PageEntry &page)
{
    WebsiteSettingsRow r;
    r.page = page;
    r.inheritBaseTemplate = page.useBaseTemplateFlag == 1;
    r.inheritMetadata = page.inheritMetadataFlag == 1;
    r.inheritCustomHeaderCode = page.inheritCustomHeaderCodeFlag == 1;
    r.title = page.pageTitle;
    r.fileName = QFileInfo(page.pageName).completeBaseName();
    r.publishExt = QFileInfo(page.pagePublishFileName).suffix();
    return r;
}

QString WebsiteSettingsRow::extension() const
{
    return QFileInfo(page.pageName).suffix();
}

bool WebsiteSettingsRow::isBaseTemplate() const
{
    return !duplicate && page.pageName == gBaseTemplateName;
}

WebsiteSettingsRows WebsiteSettingsRows::fromPages(const QList<PageEntry> &pages)
{
    WebsiteSettingsRows r;
    for (const PageEntry &p : pages)
        r.rows.append(WebsiteSettingsRow::fromPage(p));
    return r;
}

void WebsiteSettingsRows::moveSelectedButtonsUp()
{
    for (qsizetype i = 1; i < rows.size(); ++i)
        if (rows[i].selected)
            rows.move(i, i - 1);
}

void WebsiteSettingsRows::moveSelectedButtonsDown()
{
    for (qsizetype j = rows.size() - 2; j >= 0; --j)
        if (rows[j].selected)
            rows.swapItemsAt(j, j + 1);
}

void WebsiteSettingsRows::updateDeletedButtons()
{
    QList<WebsiteSettingsRow> kept;
    for (const WebsiteSettingsRow &r : rows)
        if (!r.selected)
            kept.append(r);
    rows = kept;
}

void WebsiteSettingsRows::updateDuplicateButtons()
{
    QList<WebsiteSettingsRow> result;
    for (const WebsiteSettingsRow &r : rows) {
        result.append(r);
        if (!r.selected)
            continue;
        WebsiteSettingsRow copy = r;
        copy.selected = false;
        copy.duplicate = true;
        copy.fileName = r.fileName + QStringLiteral("Copy");
        result.append(copy);
    }
    rows = result;
}

void WebsiteSettingsRows::checkSwitchStates(int row, bool on)
{
    if (row < 0 || row >= rows.size())
        return;
    WebsiteSettingsRow &r = rows[row];
    r.inheritBaseTemplate = on;
    r.inheritMetadata = on;
    r.inheritCustomHeaderCode = on;
    r.inheritBoxesEnabled = on;
}
