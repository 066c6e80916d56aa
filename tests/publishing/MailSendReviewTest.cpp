#include "publishing/MailSendReview.h"
#include "support/ScopedUserDefaults.h"

#include <gtest/gtest.h>

TEST(MailSendReview, TheSettingsCheckNamesWhatIsMissing)
{
    ScopedUserDefaults prefs;
    QString text;
    EXPECT_FALSE(MailSendReview::grabSendMailSettings(prefs.defaults(), &text));
    EXPECT_EQ(text, QStringLiteral("Sender Mail is missing"));
    prefs.defaults().setString(QStringLiteral("me@example.org"), QStringLiteral("mailAddress"));
    EXPECT_FALSE(MailSendReview::grabSendMailSettings(prefs.defaults(), &text));
    EXPECT_EQ(text, QStringLiteral("\nSender Mail Server is missing"));
    prefs.defaults().setString(QStringLiteral("smtp.example.org"), QStringLiteral("mailSMTPServer"));
    EXPECT_TRUE(MailSendReview::grabSendMailSettings(prefs.defaults(), &text));
    EXPECT_TRUE(text.isEmpty());
}

TEST(MailSendReview, RecipientTextsAreTrimmedAndEmptyPartsDropped)
{
    const struct {
        const char *text;
        QStringList expected;
    } cases[] = {
        {"", {}},
        {"a@x.org, b@x.org,", {QStringLiteral("a@x.org"), QStringLiteral("b@x.org")}},
        {" a@x.org ,, ,b@x.org\n", {QStringLiteral("a@x.org"), QStringLiteral("b@x.org")}},
        {",,,", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MailSendReview::prepMailingList(QString::fromLatin1(c.text)), c.expected) << c.text;
    EXPECT_EQ(MailSendReview::getMailingListCount({QStringLiteral("a@x.org")}, {QStringLiteral("A@x.org ")},
                                                  {QStringLiteral("b@x.org")}),
              2);
}

TEST(MailSendReview, TheReviewTextSaysWhoGetsTheMail)
{
    const QString note = QStringLiteral(
        "Note compatibility of HTML emails vary by mail client, always send a copy to yourself first to test out the "
        "look and feel.");
    EXPECT_EQ(MailSendReview::prepSendMailAlertMsg(QStringLiteral("me@x.org"), QStringLiteral("Me"),
                                                   QStringLiteral("Sale 50%1"), {QStringLiteral("a@x.org")},
                                                   {QStringLiteral("c@x.org")}, {QStringLiteral("b@x.org")}),
              note + QStringLiteral("\n\nFrom: me@x.org\n\nSubject: Sale 50%1\n\nTotal Number of Recipients: 3\n\n"
                                    "The sender, Me (me@x.org), will also receive a copy of this email\n\n"
                                    "To:  a@x.org\nCC:  c@x.org\nBCC: b@x.org\n"));
    EXPECT_EQ(MailSendReview::prepSendMailAlertMsg(QStringLiteral("me@x.org"), QStringLiteral("Me"),
                                                   QStringLiteral("Hi"), {}, {}, {}),
              note + QStringLiteral("\n\nFrom: me@x.org\n\nSubject: Hi\n\nTotal Number of Recipients: 0\n\n"
                                    "There are NO RECIPIENTS specified in the To: field, me@x.org will be populated "
                                    "in the To: field for this email.\n\nThe sender, Me (me@x.org), will also "
                                    "receive a copy of this email\n\n"));
}
