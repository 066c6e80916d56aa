// The welcome window of each kind of edition: its title, the two main
// buttons and what they send, the optional buttons, the title's type size and
// the buttons that stay disabled while no part of the program answers them.
#include "app/WelcomePlan.h"
#include "app/ui/WelcomeWindowController.h"
#include "config/EditionSettings.h"
#include "platform/ActionResponder.h"

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class WelcomeWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gAppVersion = QStringLiteral("1.2.3");
        ResponderChain::setProvider([this] { return QList<ActionResponder *>{&commands}; });
    }
    void TearDown() override
    {
        ResponderChain::setProvider({});
        EditionSettings::resetToInitialState();
    }
    void answer(const QString &action)
    {
        commands.add(action, [this, action](const ActionItemState &) { sent << action; });
    }

    ActionMap commands;
    QStringList sent;
};

}  // namespace

TEST_F(WelcomeWindowTest, MainButtonsFollowTheEdition)
{
    struct Case {
        QString edition;
        bool singleDocument;
        QString newTitle, newAction, openTitle, openAction;
    };
    const QList<Case> cases = {
        {"Glentor Mails Express", false, "New", "showTemplateWebsite", "Open...", "openDocument"},
        {"Quessel Pro", false, "New", "showTemplateWebsite", "Open...", "openWebsite"},
        {"Ostravel Envelope Designer", true, "New Envelope", "showTemplateWebsite", "Open Saved Envelope", "openDocument"},
        {"Pellamy Viewer", false, "Open Patient Profile", "openDocument", "View Sample", "openSample"},
        {"Sorvane", false, "New", "addNewWebsite", "Video Demo", "launchAppURL"},
        {"Tovra Markup Express", true, "New", "directlyLaunchSingleDocBlank", "Open...", "openDocument"},
        {"Marrowby Recipe Manager", false, "New Recipe Collection", "addNewWebsite", "Open Recipe Collection", "openWebsite"},
        // Outside the table: what the window gives its buttons.
        {"Tessimor", false, "New", "addNewWebsite", "Open...", "openWebsite"},
        {"", true, "New", "addNewWebsite", "Open...", "openDocument"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.edition.toStdString());
        gAppName = c.edition;
        gSingleDocumentMode = c.singleDocument;
        const WelcomePlan plan = WelcomePlan::current();
        EXPECT_EQ(plan.newButton.title, c.newTitle);
        EXPECT_EQ(plan.newButton.action, c.newAction);
        EXPECT_EQ(plan.openButton.title, c.openTitle);
        EXPECT_EQ(plan.openButton.action, c.openAction);
    }
}

TEST_F(WelcomeWindowTest, TitleVersionAndNotes)
{
    const WelcomePlan plain = WelcomePlan::current();
    EXPECT_EQ(plain.windowTitle, "Welcome to Zov");
    EXPECT_EQ(plain.appTitle, "Zov");
    EXPECT_EQ(plain.versionText, "Version 1.2.3");
    EXPECT_TRUE(plain.whatsNew.startsWith("What's New In v1.2.3:\n- improvements for image slideshows"));
    EXPECT_FALSE(plain.showPromotion);

    gAppName = QStringLiteral("Pellamy 2");
    gWelcomeText = QStringLiteral("Records stay on this computer.");
    const WelcomePlan noted = WelcomePlan::current();
    EXPECT_EQ(noted.windowTitle, "Welcome to Pellamy 2");
    EXPECT_EQ(noted.versionText, "Version 1.2.3\n\nRecords stay on this computer.");

    gAppName = QStringLiteral("Tarnaby Pro");
    EXPECT_TRUE(WelcomePlan::current().versionText.startsWith(
        "Version 1.2.3\n\nThis app is built exclusively for 30 label per sheet templates."));
}

TEST_F(WelcomeWindowTest, TitleSizeFitsTheField)
{
    const QRectF field(0, 0, 440, 72);
    const int shortName = WelcomePlan::calcFontSizeToFitRect(QStringLiteral("Zov"), QStringLiteral("Impact"), field);
    const int longName = WelcomePlan::calcFontSizeToFitRect(QStringLiteral("Didedaz Aza Voreda Duvovaro Davado"),
                                                            QStringLiteral("Impact"), field);
    EXPECT_GT(shortName, longName);
    EXPECT_GE(longName, 5);
    QFont font(QStringLiteral("Impact"));
    font.setPointSize(longName);
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(QStringLiteral("Didedaz Aza Voreda Duvovaro Davado")), field.width());
    font.setPointSize(longName + 1);
    const QFontMetricsF bigger(font);
    EXPECT_TRUE(bigger.horizontalAdvance(QStringLiteral("Didedaz Aza Voreda Duvovaro Davado")) > field.width() ||
                bigger.height() > field.height());
    // A huge field stops at 299, a tiny one answers 4.
    EXPECT_EQ(WelcomePlan::calcFontSizeToFitRect(QStringLiteral("Zov"), QStringLiteral("Impact"), QRectF(0, 0, 1e6, 1e6)), 299);
    EXPECT_EQ(WelcomePlan::calcFontSizeToFitRect(QStringLiteral("Zov"), QStringLiteral("Impact"), QRectF(0, 0, 2, 2)), 4);
}

TEST_F(WelcomeWindowTest, ButtonsSendTheirActionsAndWaitForAnAnswer)
{
    gAppName = QStringLiteral("Tovra Markup Express");
    gSingleDocumentMode = true;
    answer(QStringLiteral("openDocument"));
    WelcomeWindowController window;
    window.show();
    EXPECT_EQ(window.windowTitle(), "Welcome to Tovra Markup Express");
    EXPECT_EQ(window.appTitleTextField()->text(), "Tovra Markup Express");
    // Nobody answers the blank page yet: its button waits, disabled.
    EXPECT_FALSE(window.addNewWebsiteButton()->isEnabled());
    EXPECT_TRUE(window.openNewWebsiteButton()->isEnabled());
    window.openNewWebsiteButton()->click();
    EXPECT_EQ(sent, QStringList{"openDocument"});

    answer(QStringLiteral("directlyLaunchSingleDocBlank"));
    window.validateButtons();
    ASSERT_TRUE(window.addNewWebsiteButton()->isEnabled());
    window.addNewWebsiteButton()->click();
    EXPECT_EQ(sent.last(), "directlyLaunchSingleDocBlank");
    EXPECT_FALSE(window.promoButton()->isVisibleTo(&window));
}

TEST_F(WelcomeWindowTest, GuideAndTutorialButtonsAreRemovedWithoutAddresses)
{
    gAppName = QStringLiteral("HTML Zov Pro");
    gUserGuideFile = QStringLiteral("NoSuchGuide.pdf");  // named, but not shipped
    {
        WelcomeWindowController window;
        EXPECT_EQ(window.userGuideButton(), nullptr);
        EXPECT_EQ(window.videoTutorialButton(), nullptr);
    }
    gTutorialPlaylist = QStringLiteral("https://example.org/tutorials");
    answer(QStringLiteral("launchVideoTutorials"));
    WelcomeWindowController window;
    window.show();
    ASSERT_NE(window.videoTutorialButton(), nullptr);
    window.videoTutorialButton()->click();
    EXPECT_EQ(sent, QStringList{"launchVideoTutorials"});
}

TEST_F(WelcomeWindowTest, MissingFamiliesAreDrawnWithALookAlike)
{
    WelcomePlan::installFontSubstitutions();
    for (const QString &family : {QStringLiteral("Impact"), QStringLiteral("Heiti TC")}) {
        const QFont font(family);
        EXPECT_EQ(font.family(), family) << "the stored name stays";
        const QString drawn = QFontInfo(font).family();
        EXPECT_FALSE(drawn.isEmpty());
        if (drawn != family) {
            EXPECT_FALSE(QFont::substitutes(family).isEmpty()) << family.toStdString();
        }
    }
}

TEST_F(WelcomeWindowTest, TitleKeepsTheFaceItsSizeWasFoundFor)
{
    gAppName = QStringLiteral("Tovra Greeting Card Designer");
    WelcomeWindowController window;
    const QFont font = window.appTitleTextField()->font();
    // The title names the family that draws it, so fonts registered later
    // (the web fonts, after the window shows) cannot swap its face.
    EXPECT_EQ(QFontInfo(font).family(), font.family());
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(gAppName), window.appTitleTextField()->width());
}
