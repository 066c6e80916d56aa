// The help links and mails: addresses percent-encoded whole, feedback sent as
// the plain text the user typed, buttons and items left out when the build
// gave no address, and the alerts' buttons leading where they say.
#include "app/SKTAppDelegate.h"
#include "config/EditionSettings.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

class HelpLinksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("Glentor Mails Pro 2");
        gAppVersion = QStringLiteral("1.0.0");
        gSupportEmail = QStringLiteral("help@example.org");
        gProductWebPage = QStringLiteral("https://example.org/zov");
        delegate.setOpenURL([this](const QUrl &url) { opened << url; });
    }
    void TearDown() override { EditionSettings::resetToInitialState(); }

    static QString queryValue(const QUrl &url, const QString &key)
    {
        return QUrlQuery(url).queryItemValue(key, QUrl::FullyDecoded);
    }

    SKTAppDelegate delegate;
    QList<QUrl> opened;
};

}  // namespace

TEST_F(HelpLinksTest, HelpMailCarriesEditionAndVersionEncoded)
{
    gAppName = QStringLiteral("Tovra Dazed Irizi Pro & Co #1 é");
    const QUrl url = SKTAppDelegate::helpMailURL();
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.scheme(), "mailto");
    EXPECT_EQ(url.path(), "help@example.org");
    const QString encoded = url.toString(QUrl::FullyEncoded);
    EXPECT_FALSE(encoded.contains(QLatin1Char(' ')));
    EXPECT_FALSE(encoded.mid(encoded.indexOf('?')).contains("#1"));
    // The '&' and '#' of the name stay in the subject instead of cutting it short.
    EXPECT_EQ(queryValue(url, "subject"), "Help with Tovra Dazed Irizi Pro & Co #1 é 1.0.0");
    EXPECT_EQ(queryValue(url, "body"), "Hello!  I'm using Tovra Dazed Irizi Pro & Co #1 é, version 1.0.0.  Please help me "
                                       "with the following questions / feedback:");
}

TEST_F(HelpLinksTest, FeedbackIsPlainTextNeverMarkup)
{
    const QString typed = QStringLiteral("<b>bold</b> & <script>alert(1)</script>\nsecond line?");
    delegate.sendFeedback(QStringLiteral("Good"), typed);
    ASSERT_EQ(opened.size(), 1);
    const QUrl url = opened.first();
    EXPECT_EQ(queryValue(url, "subject"), "Feedback - Glentor Mails Pro 2 v1.0.0");
    EXPECT_EQ(queryValue(url, "body"), "Experience summary:\nGood\n\nFeedback details:\n" + typed);

    gSupportEmail.clear();
    delegate.sendFeedback(QStringLiteral("Good"), typed);
    EXPECT_EQ(opened.size(), 1) << "no address, nothing to send to";
}

TEST_F(HelpLinksTest, HelpAlertButtonsLeadWhereTheySay)
{
    ScriptedAlerts alerts;
    alerts.answer(QStringLiteral("Email"));
    alerts.answer(QStringLiteral("Support Website"));
    alerts.answer(QStringLiteral("Cancel"));
    delegate.showHelpAlert();
    delegate.showHelpAlert();
    delegate.showHelpAlert();
    ASSERT_EQ(alerts.count(), 3);
    EXPECT_EQ(alerts.last().messageText, "Need help with this App?");
    EXPECT_EQ(alerts.last().buttons, (QStringList{"Support Website", "Email", "Cancel"}));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.at(0).scheme(), "mailto");
    EXPECT_EQ(opened.at(1), QUrl("https://example.org/zov"));

    // A missing address takes its button away.
    gProductWebPage.clear();
    delegate.showHelpAlert();
    EXPECT_EQ(alerts.last().buttons, (QStringList{"Email", "Cancel"}));
}

TEST_F(HelpLinksTest, MissingAddressesLeaveTheirActionsOut)
{
    EXPECT_FALSE(SKTAppDelegate::unavailableActions().contains("showHelpAlert"));
    EXPECT_FALSE(SKTAppDelegate::unavailableActions().contains("launchAppURL"));
    EXPECT_TRUE(SKTAppDelegate::unavailableActions().contains("launchVideoTutorials"));
    EXPECT_TRUE(SKTAppDelegate::unavailableActions().contains("launchUserGuide"));
    gProductWebPage.clear();
    gSupportEmail.clear();
    gUserGuideFile = QStringLiteral("Missing Guide.pdf");
    const QStringList unavailable = SKTAppDelegate::unavailableActions();
    for (const char *action : {"showHelpAlert", "launchAppURL", "showiPhoneAlert", "launchFeedbackModalSheet", "launchUserGuide"})
        EXPECT_TRUE(unavailable.contains(action)) << action;

    delegate.installOwnCommands();
    EXPECT_FALSE(delegate.commands().respondsToAction("launchAppURL"));
    EXPECT_TRUE(delegate.commands().respondsToAction("suggestFeature"));
    delegate.launchAppURL();
    delegate.launchUserGuide();
    delegate.launchVideoTutorials();
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(HelpLinksTest, PlacementItemsTickFromTheUserDefault)
{
    ActionItemState current;
    current.action = QStringLiteral("switchAddNewLayout_Current");
    ActionItemState end;
    end.action = QStringLiteral("switchAddNewLayout_End");
    ActionItemState other;
    other.action = QStringLiteral("showHelpAlert");
    other.checked = true;
    ScopedUserDefaults defaults;  // the flag starts missing
    EXPECT_TRUE(delegate.validateMenuItem(current));
    EXPECT_TRUE(delegate.validateMenuItem(end));
    EXPECT_TRUE(current.checked);
    EXPECT_FALSE(end.checked);
    delegate.switchAddNewLayout_End();
    delegate.validateMenuItem(current);
    delegate.validateMenuItem(end);
    EXPECT_FALSE(current.checked);
    EXPECT_TRUE(end.checked);
    EXPECT_TRUE(delegate.validateMenuItem(other));
    EXPECT_TRUE(other.checked) << "any other item keeps its state";
    delegate.switchAddNewLayout_Current();
    EXPECT_FALSE(defaults.defaults().boolForKey("InsertNewAtEndFlag"));
}
