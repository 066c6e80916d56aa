#include "window/WindowMenuValidation.h"

#include "config/EditionSettings.h"

#include <QCoreApplication>

namespace {

const QStringList &alwaysOn()
{
    static const QStringList list = {
        QStringLiteral("setMobileCanvasSize"), QStringLiteral("setFullCanvasSize"), QStringLiteral("setWideCanvasSize"),
        QStringLiteral("toggleInspector"),     QStringLiteral("toggleSidebarDrawer"), QStringLiteral("setTypeOfColorFlag"),
        QStringLiteral("addTable"),            QStringLiteral("showShapePopOver"),  QStringLiteral("showTextViewPopOver"),
    };
    return list;
}

// Enabled and shown together: a hidden item comes back as soon as its
// condition holds again.
bool showWhen(ActionItemState &item, bool on)
{
    item.enabled = on;
    item.visible = on;
    return on;
}

} // namespace

const QStringList &WindowMenuValidation::pageListActions()
{
    static const QStringList list = {
        QStringLiteral("showAddNewPageWindow"),   QStringLiteral("refreshWebsite"),
        QStringLiteral("showAddNewFormWindow"),   QStringLiteral("showAddNewFromTemplateWindow"),
        QStringLiteral("showAddBaseTemplateWindow"), QStringLiteral("showAddNewPatientWindow"),
        QStringLiteral("showAddNewHumanPatientWindow"), QStringLiteral("addIntoGroup"),
        QStringLiteral("showViewOptions"),        QStringLiteral("exportAllFileTo"),
        QStringLiteral("showWebsitePreferences"),
    };
    return list;
}

QStringList WindowMenuValidation::ruledActions()
{
    QStringList list = {QStringLiteral("newDocumentWindow"), QStringLiteral("toggleGridConstraining"),
                        QStringLiteral("toggleGridShowing"), QStringLiteral("showProfilePopOver"),
                        QStringLiteral("duplicatePage"),     QStringLiteral("deletePage"),
                        QStringLiteral("addFormObjects"),    QStringLiteral("showFormPreferences"),
                        QStringLiteral("totalRefreshWebsite"), QStringLiteral("grabPageLink"),
                        QStringLiteral("insertBlankPage"),   QStringLiteral("removeTableBackgroundPattern")};
    list += alwaysOn();
    list += pageListActions();
    return list;
}

bool WindowMenuValidation::validate(ActionItemState &item, const WindowMenuState &state)
{
    const QString &a = item.action;
    if (a == QLatin1String("newDocumentWindow")) {
        item.title = QCoreApplication::translate("MenuItems", "New window for '%1'").arg(state.documentDisplayName);
        item.enabled = true;
    } else if (a == QLatin1String("toggleGridConstraining")) {
        item.checked = state.gridConstraining;
        item.enabled = state.gridUsable;
    } else if (a == QLatin1String("toggleGridShowing")) {
        item.checked = state.gridAlwaysShown;
        item.enabled = state.gridUsable;
    } else if (alwaysOn().contains(a)) {
        item.enabled = true;
    } else if (a == QLatin1String("showProfilePopOver")) {
        // Every record edition, the viewer too, can show whose record is open.
        item.enabled = gPatientProfileMode || !gProfileFieldKeys.isEmpty();
    } else if (pageListActions().contains(a)) {
        showWhen(item, state.pageCount > 0);
    } else if (a == QLatin1String("duplicatePage") || a == QLatin1String("deletePage")) {
        item.visible = !(a == QLatin1String("duplicatePage") ? gHideDuplicatePage : gHideDeletePage);
        item.enabled = state.pageClicked ? state.pageClicked() : false;
    } else if (a == QLatin1String("addFormObjects") || a == QLatin1String("showFormPreferences")) {
        showWhen(item, state.formPage);
    } else if (a == QLatin1String("totalRefreshWebsite")) {
        showWhen(item, !gHideTotalRefresh);
    } else if (a == QLatin1String("grabPageLink")) {
        showWhen(item, !gHidePageLink);
    } else if (a == QLatin1String("insertBlankPage")) {
        showWhen(item, gShowInsertBlankPage);
    } else if (a == QLatin1String("removeTableBackgroundPattern")) {
        showWhen(item, state.selectedTableHasBackgroundPattern);
    } else {
        item.enabled = true;
    }
    return item.enabled;
}
