// The share window's buttons per edition, their grid, and what each sharing button
// hands to the desktop: addresses seen through QDesktopServices' handlers, the
// clipboard, and the mail program's arguments.
#include "UrlRecorder.h"
#include "config/EditionSettings.h"
#include "publishing/ShareActions.h"
#include "publishing/ShareButtons.h"
#include "publishing/ui/ShareWindowController.h"
#include "support/FileHelpers.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QToolButton>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

QStringList titles(const QList<ShareButtons::Button> &buttons)
{
    QStringList list;
    for (const ShareButtons::Button &b : buttons)
        list.append(b.title);
    return list;
}

class ShareWindowTest : public TempDirTest {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("HTML Zov Pro");
        gAppStorePage = QStringLiteral("https://store.example.test/zov");
    }
    void TearDown() override
    {
        ShareActions::setMailProgram(QStringLiteral("xdg-email"));
        EditionSettings::resetToInitialState();
    }

    ScriptedAlerts alerts;
    UrlRecorder urls;
};

TEST_F(ShareWindowTest, EditionListsTitlesAndGrid)
{
    const QString store = QStringLiteral("https://store.example.test/");
    struct Case {
        const char *edition;
        QString storePage;
        QStringList titles;
    } cases[] = {
        {"Tovra PDF Author", store,
         {"Save Page As PDF", "Save As PDF Book", "Fast Export", "Copy Page", "Post Page on FB", "Tweet This Page", "Email Page",
          "Rate App"}},
        {"Ostravel Envelope Designer", store, {"Email", "Save As PNG", "Copy To Clipboard", "Rate App"}},
        {"HTML Zov Pro", store,
         {"Launch In Browser", "Copy To Clipboard", "Email", "Facebook", "Twitter", "Rate App"}},
        {"Trelko Forms Pro 2", QString(), {"Launch In Browser", "Copy To Clipboard", "Facebook", "Twitter"}},
        {"Carrowel", store, {"Save As PDF", "Copy To Clipboard", "Rate App"}},
        {"Some Other Edition", store, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(titles(ShareButtons::buttonsForEdition(QString::fromLatin1(c.edition), c.storePage)), c.titles) << c.edition;

    // Every button exists for every edition, under the edition's own titles.
    EXPECT_EQ(ShareButtons::allButtons(QStringLiteral("Carrowel")).size(), 12);
    EXPECT_EQ(titles(ShareButtons::allButtons(QStringLiteral("Tovra PDF Author"))).at(2), QStringLiteral("Save Page As PDF"));

    struct Place {
        int index;
        QPoint at;
    } places[] = {{0, {0, 0}}, {3, {390, 0}}, {4, {0, 130}}, {8, {0, 260}}};
    for (const Place &p : places)
        EXPECT_EQ(ShareButtons::gridPosition(p.index), p.at) << p.index;
    EXPECT_EQ(ShareButtons::gridSize(9), QSize(490, 360));
    EXPECT_EQ(ShareButtons::gridSize(3), QSize(360, 100));
}

TEST_F(ShareWindowTest, ShowsTheSameButtonsAtTheSamePlacesAndSharesTheLink)
{
    const QString link = QStringLiteral("http://example.test/my page & more.html?a=1#top");
    ShareWindowController share;
    share.setPictureProvider([] {
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(Qt::red);
        return image;
    });
    share.showWithLabel(QStringLiteral("Successfully published!\n\n") + link, link);
    ASSERT_EQ(share.shareButtons().size(), 6);
    const int children = int(share.mainView()->children().size());
    share.showWithLabel(QStringLiteral("Successfully published!\n\n") + link, link);
    EXPECT_EQ(share.mainView()->children().size(), children) << "no button is made twice";
    EXPECT_EQ(share.shareButtons().at(5)->pos(), QPoint(130, 130));
    EXPECT_TRUE(share.button(QStringLiteral("saveAsPNGButton"))->isHidden()) << "not this edition's";

    share.button(QStringLiteral("launchInSafariButton"))->click();
    ASSERT_EQ(urls.opened.size(), 1);
    EXPECT_EQ(urls.opened.last(), QUrl(link));
    EXPECT_EQ(urls.opened.size(), 1) << "only once, though shown twice";

    share.button(QStringLiteral("sendToClipBoardButton"))->click();
    EXPECT_EQ(QApplication::clipboard()->text(), link);
    EXPECT_EQ(alerts.last().informativeText, link);

    // The networks get the whole link as one query value, the picture waits on the clipboard.
    share.button(QStringLiteral("shareOnFacebookButton"))->click();
    const QUrl facebook = urls.opened.last();
    EXPECT_EQ(facebook.host(), QStringLiteral("www.facebook.com"));
    EXPECT_EQ(QUrlQuery(facebook).queryItemValue(QStringLiteral("u"), QUrl::FullyDecoded), link);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(40, 30));
    share.button(QStringLiteral("shareOnTwitterButton"))->click();
    EXPECT_EQ(QUrlQuery(urls.opened.last()).queryItemValue(QStringLiteral("url"), QUrl::FullyDecoded), link);
    EXPECT_FALSE(urls.opened.last().toString(QUrl::FullyEncoded).contains(QLatin1Char(' ')));

    // The mail program gets the subject, the link and the picture; without one, a mailto: address.
    const QString script = path(QStringLiteral("fake-mail"));
    const QString record = path(QStringLiteral("mail-args"));
    testfiles::writeFile(script, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n").arg(record).toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ShareActions::setMailProgram(script);
    share.button(QStringLiteral("sendToEmailButton"))->click();
    for (int i = 0; i < 100 && !QFile::exists(record); ++i)
        QThread::msleep(20);
    const QStringList args = QString::fromUtf8(testfiles::readFile(record)).split(QLatin1Char('\n'));
    ASSERT_GE(args.size(), 7) << args.join(' ').toStdString();
    EXPECT_EQ(args.mid(1, 4), (QStringList{"--subject", "Shared work from HTML Zov Pro", "--body", link}));
    EXPECT_EQ(args.at(5), QStringLiteral("--attach"));
    EXPECT_EQ(QImage(args.at(6)).size(), QSize(40, 30));

    ShareActions::setMailProgram(path(QStringLiteral("no-such-program")));
    share.button(QStringLiteral("sendToEmailButton"))->click();
    const QUrl mail = urls.opened.last();
    EXPECT_EQ(mail.scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(QUrlQuery(mail).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), link);

    alerts.answer(QStringLiteral("Rate App"));
    share.button(QStringLiteral("rateAppButton"))->click();
    EXPECT_FALSE(share.isVisible());
    EXPECT_EQ(urls.opened.last(), QUrl(gAppStorePage));
}

TEST_F(ShareWindowTest, ExportsHideTheWindowAndFastExportAsksFirst)
{
    gAppName = QStringLiteral("Tovra PDF Author");
    ShareWindowController share;
    QStringList requested;
    QObject::connect(&share, &ShareWindowController::exportRequested, [&](const QString &action) { requested.append(action); });
    share.showWithLabel(QString(), QString());
    ASSERT_EQ(share.shareButtons().size(), 8);
    EXPECT_EQ(share.shareButtons().at(2)->text(), QStringLiteral("Fast Export"));

    alerts.answer(QStringLiteral("Cancel"));
    share.button(QStringLiteral("saveAllPDFPagesFastButton"))->click();
    EXPECT_FALSE(share.isVisible());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Fast Export"));
    EXPECT_TRUE(requested.isEmpty());

    share.showWithLabel(QString(), QString());
    alerts.answer(QStringLiteral("Proceed"));
    share.button(QStringLiteral("saveAllPDFPagesFastButton"))->click();
    share.showWithLabel(QString(), QString());
    share.button(QStringLiteral("saveAsPDFButton"))->click();
    EXPECT_FALSE(share.isVisible());
    EXPECT_EQ(requested, (QStringList{"exportAllPDFFast", "exportPDFPageFromShare"}));

    const QByteArray folder = qgetenv("ZOV_SCREENSHOTS");
    if (!folder.isEmpty()) {
        share.showWithLabel(QStringLiteral("Successfully published!\n\nhttp://example.test/book.html"), QString());
        QApplication::processEvents();
        share.grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/share-buttons.png"));
    }
}

}  // namespace
