#include "app/WelcomePlan.h"

#include "config/FontSubstitutes.h"

#include "app/SKTAppDelegate.h"
#include "config/EditionSettings.h"
#include "platform/Bundle.h"

#include <QCoreApplication>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QJsonObject buttonTable()
{
    static const QJsonObject table = [] {
        QFile file(Bundle::pathForData(QStringLiteral("welcome/buttons.json")));
        if (!file.open(QIODevice::ReadOnly))
            return QJsonObject();
        return QJsonDocument::fromJson(file.readAll()).object();
    }();
    return table;
}

WelcomePlan::Button buttonOf(const QJsonValue &value)
{
    const QJsonArray pair = value.toArray();
    return {pair.at(0).toString(), pair.at(1).toString()};
}

// A row's entry overrides what the window gives the button where it is not null.
void override(WelcomePlan::Button &button, const QJsonValue &value)
{
    const QJsonArray pair = value.toArray();
    if (pair.at(0).isString())
        button.title = pair.at(0).toString();
    if (pair.at(1).isString())
        button.action = pair.at(1).toString();
}

QString localized(const QString &text)
{
    return QCoreApplication::translate("WelcomeWindow", text.toUtf8().constData());
}

}  // namespace

WelcomePlan WelcomePlan::current()
{
    WelcomePlan plan;
    plan.appTitle = gAppName.isEmpty() ? QStringLiteral("Zov") : gAppName;
    plan.windowTitle = localized(QStringLiteral("Welcome to ") + plan.appTitle);
    plan.versionText = QStringLiteral("Version %1").arg(gAppVersion);
    if (!gWelcomeText.isEmpty())
        plan.versionText = QStringLiteral("%1\n\n%2").arg(plan.versionText, gWelcomeText);
    plan.whatsNew = QStringLiteral("What's New In v%1:\n- improvements for image slideshows\n- option for adding multiple images "
                                   "to slideshow at once\n- improvements for textbox transparency settings")
                        .arg(gAppVersion);
    const QStringList unavailable = SKTAppDelegate::unavailableActions();
    plan.showUserGuide = !unavailable.contains(QStringLiteral("launchUserGuide"));
    plan.showVideoTutorial = !gTutorialPlaylist.isEmpty();

    const QJsonObject table = buttonTable();
    const QJsonObject loaded = table.value(QLatin1String("loaded")).toObject();
    plan.newButton = buttonOf(loaded.value(QLatin1String("new")));
    plan.openButton = buttonOf(loaded.value(gSingleDocumentMode ? QLatin1String("openSingleDocument") : QLatin1String("open")));
    for (const QJsonValue &value : table.value(QLatin1String("rows")).toArray()) {
        const QJsonObject row = value.toObject();
        bool named = false;
        for (const QJsonValue &edition : row.value(QLatin1String("editions")).toArray())
            named = named || edition.toString() == gAppName;
        if (!named)
            continue;
        override(plan.newButton, row.value(QLatin1String("new")));
        override(plan.openButton, row.value(QLatin1String("open")));
        break;
    }
    if (gAppName == QLatin1String("Tarnaby Pro")) {
        plan.versionText = QStringLiteral(
            "Version %1\n\nThis app is built exclusively for 30 label per sheet templates.  Compatible template "
            "measurements:\n- label dimension: 2.625\" x 1\" (67 x 25 mm)\n- template top margin: 0.5\"\n- template side "
            "margin: 0.21975\"\n- compatible template brands and models:\n\nAvery 5160 , 5260, 5520, 5660, 5810, 5960, "
            "5970, 5971 , 5972, 5979, 5980, 8160, 8460, 8660, 8810.  Also supports other brands with the same "
            "dimensions.").arg(gAppVersion);
    }
    plan.newButton.title = localized(plan.newButton.title);
    plan.openButton.title = localized(plan.openButton.title);
    return plan;
}

namespace {
bool fits(const QString &text, const QString &fontName, int size, const QRectF &rect)
{
    QFont font(fontName);
    font.setPointSize(size);
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(text) <= rect.width() && metrics.height() <= rect.height();
}
}  // namespace

int WelcomePlan::calcFontSizeToFitRect(const QString &text, const QString &fontName, const QRectF &rect)
{
    // The answer is the size before the first one (from 5 up, below 300) that
    // no longer fits. Text grows with the size, so a guess from one
    // measurement and a few steps either way find that size without measuring
    // all three hundred.
    constexpr int kFirst = 5;
    constexpr int kLast = 299;
    if (!fits(text, fontName, kFirst, rect))
        return kFirst - 1;
    QFont reference(fontName);
    reference.setPointSize(100);
    const QFontMetricsF metrics(reference);
    const qreal width = metrics.horizontalAdvance(text);
    const qreal height = metrics.height();
    qreal guess = kLast;
    if (width > 0)
        guess = std::min(guess, 100 * rect.width() / width);
    if (height > 0)
        guess = std::min(guess, 100 * rect.height() / height);
    int size = std::clamp(int(guess), kFirst, kLast);
    while (size > kFirst && !fits(text, fontName, size, rect))
        --size;
    while (size < kLast && fits(text, fontName, size + 1, rect))
        ++size;
    return size;
}

void WelcomePlan::installFontSubstitutions()
{
    // The title's family; the others come with the web fonts, once the
    // window is on screen and at the latest when a page opens.
    FontSubstitutes::installFor(QStringLiteral("Impact"));
}
