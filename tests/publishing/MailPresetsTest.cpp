#include "platform/SmtpSender.h"
#include "publishing/MailPresets.h"

#include <gtest/gtest.h>

TEST(MailPresets, FifteenProvidersEachWithTheSecurityItsPortNeeds)
{
    const auto presets = MailPresets::all();
    ASSERT_EQ(presets.size(), 15);
    for (const auto &p : presets) {
        SCOPED_TRACE(p.title.toStdString());
        EXPECT_FALSE(p.host.isEmpty());
        const int port = p.port.toInt();
        EXPECT_TRUE(port == 25 || port == 465 || port == 587);
        // What the sender will do for this setting matches the port.
        const auto security = SmtpSender::securityFor(p.connectionType, port);
        EXPECT_EQ(security == SmtpSender::Security::ImplicitTls, port == 465);
    }
}

TEST(MailPresets, ApplyingFillsTheFormAndAnUnknownTitleChangesNothing)
{
    MailPresets::Form form{QStringLiteral("me@yahoo.example"), QStringLiteral("old"), QString(), QStringLiteral("25"),
                           QStringLiteral("None")};
    ASSERT_TRUE(MailPresets::apply(QStringLiteral("Yahoo"), form));
    EXPECT_EQ(form.server, QStringLiteral("smtp.mail.yahoo.com"));
    EXPECT_EQ(form.port, QStringLiteral("465"));
    EXPECT_EQ(form.username, QStringLiteral("me@yahoo.example"));
    EXPECT_EQ(form.connectionType, QStringLiteral("SSL"));

    ASSERT_TRUE(MailPresets::apply(QStringLiteral("Hotmail"), form));
    EXPECT_EQ(form.port, QStringLiteral("587"));
    EXPECT_EQ(form.connectionType, QStringLiteral("STARTTLS"));

    const MailPresets::Form before = form;
    EXPECT_FALSE(MailPresets::apply(QStringLiteral("Nowhere Mail"), form));
    EXPECT_EQ(form.server, before.server);
    EXPECT_EQ(form.connectionType, before.connectionType);
}
