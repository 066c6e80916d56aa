// The application delegate's own duties at launch, in the main menu and in
// the Help menu. Everything here runs on the main thread.
#include "app/SKTAppDelegate.h"

#include "app/MainMenuModel.h"
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "platform/Bundle.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QSet>
#include <QUrl>
#include <QUrlQuery>

Q_LOGGING_CATEGORY(lcShell, "zov.shell")

namespace {

const QString kInsertNewAtEndFlag = QStringLiteral("InsertNewAtEndFlag");
const QString kMenuContext = QStringLiteral("MainMenu");

// The sibling products the announcements lead to. This program ships none, so
// their addresses are empty and the announcements stay out of sight.
const QString kVetEditionPage;
const QString kPatientRecordsPage;

QString translated(const QString &key)
{
    return QCoreApplication::translate(kMenuContext.toUtf8().constData(), key.toUtf8().constData());
}

// Percent-encodes everything but the unreserved characters, so that '&', '#',
// '?', line breaks and non-ASCII text reach the mail program as written.
QString encoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QUrl mailURL(const QString &address, const QString &subject, const QString &body)
{
    return QUrl(QStringLiteral("mailto:%1?subject=%2&body=%3").arg(encoded(address), encoded(subject), encoded(body)),
                QUrl::StrictMode);
}

}  // namespace

void SKTAppDelegate::applicationWillFinishLaunching()
{
    DataCentre::initializeData();
    // Menus are fitted by the shell, which owns them (AppShell::launch).
    openDropboxSession();
}

void SKTAppDelegate::openDropboxSession()
{
    if (!gDropboxAppKey.isEmpty())
        m_dropboxSession = std::make_unique<DropboxClient>(gDropboxAppKey);
    else
        m_dropboxSession.reset();
}

void SKTAppDelegate::prepareReceivedPagesFolder()
{
    if (gWorkFolder.isEmpty() || gReceivedPagesFolder.isEmpty())
        return;
    // gWorkFolder is this instance's own folder, so another running instance
    // keeps the pages it received.
    QDir folder(QDir(gWorkFolder).filePath(gReceivedPagesFolder));
    if (folder.exists())
        folder.removeRecursively();
    QDir().mkpath(folder.path());
}

void SKTAppDelegate::runAppSpecificMenuSetups(MainMenuModel &menu) const
{
    const EditionMenuChanges changes = EditionMenuTable::standard().changesFor(gAppName);
    for (const QString &outlet : changes.hidden) {
        if (MenuNode *node = menu.find(outlet))
            node->hidden = true;
    }
    for (const auto &[outlet, title] : changes.titles) {
        if (MenuNode *node = menu.find(outlet))
            node->title = title;
    }
    for (const auto &[outlet, action] : changes.actions) {
        if (MenuNode *node = menu.find(outlet))
            node->action = action;
    }
    if (gTutorialPlaylist.isEmpty()) {
        if (MenuNode *node = menu.find(QStringLiteral("videoTutorialMenuItem")))
            node->hidden = true;
    }
    prepareToLocalizeMenuItems(menu);
}

void SKTAppDelegate::prepareToLocalizeMenuItems(MainMenuModel &menu)
{
    static const QList<QPair<QString, QString>> fixed = {
        {QStringLiteral("fileMenu"), QStringLiteral("File")},       {QStringLiteral("publishMenu"), QStringLiteral("Publish")},
        {QStringLiteral("publishMenuItem"), QStringLiteral("Publish")}, {QStringLiteral("photoMenu"), QStringLiteral("Photos")},
        {QStringLiteral("settingsMenu"), QStringLiteral("Settings")}, {QStringLiteral("helpMenu"), QStringLiteral("Help")},
        {QStringLiteral("viewMenu"), QStringLiteral("View")},       {QStringLiteral("formatMenu"), QStringLiteral("Format")},
        {QStringLiteral("insertMenu"), QStringLiteral("Add New")},   {QStringLiteral("printMenu"), QStringLiteral("Print")},
        {QStringLiteral("windowsMenu"), QStringLiteral("Windows")},  {QStringLiteral("editMenu"), QStringLiteral("Edit")},
        {QStringLiteral("exportPDFMenu"), QStringLiteral("Export")}};
    for (const auto &[outlet, key] : fixed) {
        if (MenuNode *node = menu.find(outlet))
            node->title = translated(key);
    }
    // Three levels: the menus, their items, and the items of their submenus.
    for (MenuNode &top : menu.menus) {
        top.title = translated(top.title);
        for (MenuNode &item : top.items) {
            if (item.separator)
                continue;
            item.title = translated(item.title);
            for (MenuNode &sub : item.items) {
                if (!sub.separator)
                    sub.title = translated(sub.title);
            }
        }
    }
}

QStringList SKTAppDelegate::unavailableActions()
{
    QStringList list;
    // Each missing address is worth one line per run.
    static QSet<QString> logged;
    auto missing = [&list](bool absent, const QString &action, const QString &why) {
        if (!absent)
            return;
        list << action;
        const QString line = action + QStringLiteral(" - ") + why;
        if (!logged.contains(line)) {
            logged.insert(line);
            qCInfo(lcShell).noquote() << "Not offered:" << line;
        }
    };
    missing(gProductWebPage.isEmpty(), QStringLiteral("launchAppURL"), QStringLiteral("the build gave no product web page"));
    missing(gProductWebPage.isEmpty(), QStringLiteral("showiPhoneAlert"), QStringLiteral("the build gave no product web page"));
    missing(gProductWebPage.isEmpty() && gSupportEmail.isEmpty(), QStringLiteral("showHelpAlert"),
            QStringLiteral("the build gave neither a product web page nor a support address"));
    missing(gSupportEmail.isEmpty(), QStringLiteral("launchFeedbackModalSheet"), QStringLiteral("the build gave no support address"));
    missing(gTutorialPlaylist.isEmpty(), QStringLiteral("launchVideoTutorials"), QStringLiteral("the build gave no tutorial address"));
    missing(userGuidePath().isEmpty(), QStringLiteral("launchUserGuide"),
            gUserGuideFile.isEmpty() ? QStringLiteral("the edition has no user guide")
                                     : QStringLiteral("the user guide \"%1\" is not shipped").arg(gUserGuideFile));
    missing(kVetEditionPage.isEmpty(), QStringLiteral("launchPellamyVet"), QStringLiteral("no address to announce"));
    missing(kPatientRecordsPage.isEmpty(), QStringLiteral("launchPEL2PromotionMessage"), QStringLiteral("no address to announce"));
    return list;
}

bool SKTAppDelegate::validateMenuItem(ActionItemState &item) const
{
    const bool atEnd = UserDefaults::standard().boolForKey(kInsertNewAtEndFlag);
    if (item.action == QLatin1String("switchAddNewLayout_Current"))
        item.checked = !atEnd;
    else if (item.action == QLatin1String("switchAddNewLayout_End"))
        item.checked = atEnd;
    return true;
}

void SKTAppDelegate::switchAddNewLayout_Current()
{
    UserDefaults::standard().setBool(false, kInsertNewAtEndFlag);
}

void SKTAppDelegate::switchAddNewLayout_End()
{
    UserDefaults::standard().setBool(true, kInsertNewAtEndFlag);
}

void SKTAppDelegate::launchAppURL()
{
    if (!gProductWebPage.isEmpty() && m_openURL)
        m_openURL(QUrl(gProductWebPage));
}

QString SKTAppDelegate::userGuidePath()
{
    return gUserGuideFile.isEmpty() ? QString() : Bundle::pathForResource(gUserGuideFile);
}

void SKTAppDelegate::launchUserGuide()
{
    const QString path = userGuidePath();
    if (!path.isEmpty() && m_openURL)
        m_openURL(QUrl::fromLocalFile(path));
}

void SKTAppDelegate::launchVideoTutorials()
{
    if (!gTutorialPlaylist.isEmpty() && m_openURL)
        m_openURL(QUrl(gTutorialPlaylist));
}

QUrl SKTAppDelegate::helpMailURL()
{
    const QString subject = QStringLiteral("Help with %1 %2").arg(gAppName, gAppVersion);
    const QString body = QStringLiteral("Hello!  I'm using %1, version %2.  Please help me with the following questions / feedback:")
                             .arg(gAppName, gAppVersion);
    return mailURL(gSupportEmail, subject, body);
}

QUrl SKTAppDelegate::feedbackMailURL(const QString &experience, const QString &feedback)
{
    const QString subject = QStringLiteral("Feedback - %1 v%2").arg(gAppName, gAppVersion);
    const QString body = QStringLiteral("Experience summary:\n%1\n\nFeedback details:\n%2").arg(experience, feedback);
    return mailURL(gSupportEmail, subject, body);
}

void SKTAppDelegate::sendFeedback(const QString &experience, const QString &feedback)
{
    if (!gSupportEmail.isEmpty() && m_openURL)
        m_openURL(feedbackMailURL(experience, feedback));
}

void SKTAppDelegate::showHelpAlert()
{
    Alert alert;
    alert.style = Alert::Style::Warning;
    alert.messageText = QStringLiteral("Need help with this App?");
    alert.informativeText =
        QStringLiteral("Have questions with a feature?  Have suggestions for this App? We would love to hear from you!");
    // A button whose address the build did not give is left out.
    QStringList actions;
    if (!gProductWebPage.isEmpty()) {
        alert.buttons << QStringLiteral("Support Website");
        actions << QStringLiteral("web");
    }
    if (!gSupportEmail.isEmpty()) {
        alert.buttons << tr("Email");
        actions << QStringLiteral("mail");
    }
    alert.buttons << tr("Cancel");
    actions << QString();
    Alerts::ask(alert, nullptr, [this, actions](int response) {
        const int index = response - Alert::FirstButton;
        if (index < 0 || index >= actions.size() || !m_openURL)
            return;
        if (actions.at(index) == QLatin1String("web"))
            m_openURL(QUrl(gProductWebPage));
        else if (actions.at(index) == QLatin1String("mail"))
            m_openURL(helpMailURL());
    });
}

void SKTAppDelegate::showiPhoneAlert()
{
    Alert alert;
    alert.style = Alert::Style::Warning;
    alert.messageText = QStringLiteral("iOS Edition");
    alert.informativeText = QStringLiteral(
        "Work on both your mobile and desktop devices.  Learn about the iOS Edition (sold separately on the App Store)");
    alert.buttons = {QStringLiteral("iOS Edition"), QStringLiteral("OK")};
    Alerts::ask(alert, nullptr, [this](int response) {
        if (response == Alert::FirstButton && !gProductWebPage.isEmpty() && m_openURL)
            m_openURL(QUrl(gProductWebPage));
    });
}

void SKTAppDelegate::launchPellamyVet()
{
    Alert alert;
    alert.style = Alert::Style::Warning;
    alert.messageText = QStringLiteral("Pellamy Vet Edition");
    alert.informativeText = QStringLiteral(
        "Introducing Pellamy for Vet, a new and easier way for Veterinary physicians to manage patients.  Now available "
        "for Mac, iPhone and iPad.");
    alert.buttons = {tr("Learn More"), tr("Cancel")};
    Alerts::ask(alert, nullptr, [this](int response) {
        if (response == Alert::FirstButton && !kVetEditionPage.isEmpty() && m_openURL)
            m_openURL(QUrl(kVetEditionPage));
    });
}

void SKTAppDelegate::launchPEL2PromotionMessage()
{
    Alert alert;
    alert.style = Alert::Style::Warning;
    alert.messageText = QStringLiteral("Pellamy 2");
    alert.informativeText = QStringLiteral(
        "Pellamy 2 is finally here!  We took your feedback and made over 100+ improvements, including custom profile "
        "icons and the ability to format note font size and colors.");
    alert.buttons = {QStringLiteral("Learn more"), QStringLiteral("Cancel")};
    Alerts::ask(alert, nullptr, [this](int response) {
        if (response == Alert::FirstButton && !kPatientRecordsPage.isEmpty() && m_openURL)
            m_openURL(QUrl(kPatientRecordsPage));
    });
}

void SKTAppDelegate::suggestFeature()
{
    qCInfo(lcShell) << "suggest feature";
}

void SKTAppDelegate::installOwnCommands()
{
    const ActionMap::Validate validate = [this](ActionItemState &item) { return validateMenuItem(item); };
    auto add = [this, &validate](const char *name, void (SKTAppDelegate::*member)()) {
        m_commands.add(QString::fromLatin1(name), [this, member](const ActionItemState &) { (this->*member)(); }, validate);
    };
    add("switchAddNewLayout_Current", &SKTAppDelegate::switchAddNewLayout_Current);
    add("switchAddNewLayout_End", &SKTAppDelegate::switchAddNewLayout_End);
    add("suggestFeature", &SKTAppDelegate::suggestFeature);
    const QStringList unavailable = unavailableActions();
    auto addLink = [&](const char *name, void (SKTAppDelegate::*member)()) {
        if (!unavailable.contains(QString::fromLatin1(name)))
            add(name, member);
    };
    addLink("launchAppURL", &SKTAppDelegate::launchAppURL);
    addLink("launchUserGuide", &SKTAppDelegate::launchUserGuide);
    addLink("launchVideoTutorials", &SKTAppDelegate::launchVideoTutorials);
    addLink("showHelpAlert", &SKTAppDelegate::showHelpAlert);
    addLink("showiPhoneAlert", &SKTAppDelegate::showiPhoneAlert);
    addLink("launchPellamyVet", &SKTAppDelegate::launchPellamyVet);
    addLink("launchPEL2PromotionMessage", &SKTAppDelegate::launchPEL2PromotionMessage);
}
