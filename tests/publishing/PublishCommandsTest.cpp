// The publish commands: the upload lists they build, their confirmations, pages that
// cannot be read, and a page published through the job to a real FTP server.
#include "document/DocumentFixture.h"
#include "model/SKTImage.h"
#include "platform/CredentialStore.h"
#include "publishing/PublishCommands.h"
#include "support/PublishSettings.h"
#include "support/ScopedUserDefaults.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

namespace {

class Host : public PublishCommandsHost {
public:
    QObject *publishWindow() override { return nullptr; }
    void showShareWindow(const QString &, const QString &label) override { shareLabel = label; }
    void showConnectionLog(const QString &) override {}
    QList<SitePage> sitePages() override { return pages; }
    QString openWebsiteFolderPath() override { return websiteFolder; }
    bool loopThroughPages(bool) override { ++loops; return true; }
    void showFormPreferences() override { ++formPreferences; }

    QList<SitePage> pages;
    QString websiteFolder;
    QString shareLabel;
    int loops = 0;
    int formPreferences = 0;
};

std::shared_ptr<SKTImage> picture(const QString &name, bool selectable, int enlarge, bool forceNonRetina)
{
    auto image = std::make_shared<SKTImage>();
    image->setBounds({10, 10, 100, 80});
    image->setImageName(name);
    image->setImageType(QStringLiteral("png"));
    image->setSelectable(selectable);
    image->setTemplateName(QStringLiteral("base"));
    image->setImageEnlargeFlag(enlarge);
    image->setForceNonRetinaFlag(forceNonRetina);
    return image;
}

QStringList remoteNames(const QList<UploadItem> &items)
{
    QStringList names;
    for (const UploadItem &item : items)
        names << (item.remoteFolder.isEmpty() ? item.remoteFileName : item.remoteFolder + QLatin1Char('/') + item.remoteFileName);
    return names;
}

class PublishCommandsTest : public DocumentTest {
protected:
    ScopedUserDefaults scopedDefaults;
    Host host;
};

TEST_F(PublishCommandsTest, MenuItemsFollowTheProjectsPages)
{
    struct Case {
        const char *action;
        bool pages;
        bool enabled;
        bool hidden;
    } cases[] = {
        {"publishWebsiteWithImages:", true, true, false},  {"publishWebsiteWithImages:", false, false, true},
        {"publishWebsiteNoImages:", false, false, true},   {"saveDocumentAs:", true, true, true},
        {"saveDocumentAs:", false, true, false},           {"publishSinglePageWithImages:", false, true, false},
    };
    for (const Case &c : cases) {
        const PublishCommands::MenuState state = PublishCommands::validateMenuItem(QString::fromLatin1(c.action), c.pages);
        EXPECT_EQ(state.enabled, c.enabled) << c.action << c.pages;
        EXPECT_EQ(state.hidden, c.hidden) << c.action << c.pages;
    }
}

TEST_F(PublishCommandsTest, PicturesOfThePageComeInTheirFoldersBeforeThePage)
{
    PublishJob job(&host);
    PublishCommands commands(*doc, &host, job);
    doc->openWebsiteFolderTempPath = path(QStringLiteral("site"));
    doc->insertGraphicAtIndex(picture(QStringLiteral("plain"), true, 0, false), 0);
    doc->insertGraphicAtIndex(picture(QStringLiteral("big"), true, 1, false), 1);
    doc->insertGraphicAtIndex(picture(QStringLiteral("both"), true, 1, true), 2);
    doc->insertGraphicAtIndex(picture(QStringLiteral("logo"), false, 0, false), 3);
    doc->backgroundImageFlag = 1;
    commands.uploadImageFlag = false;
    EXPECT_TRUE(commands.imageItems().isEmpty());
    commands.uploadImageFlag = true;
    const QList<UploadItem> items = commands.imageItems();
    EXPECT_EQ(remoteNames(items), (QStringList{QStringLiteral("/index/plain@2x.png"), QStringLiteral("/index/bigo.png"),
                                               QStringLiteral("/index/both.png"), QStringLiteral("/index/botho.png"),
                                               QStringLiteral("/basetemplate/logo@2x.png"), QStringLiteral("/index/background.JPG")}));
    EXPECT_EQ(items.at(4).localPath, path(QStringLiteral("site/base/logo@2x.png")));
    EXPECT_EQ(items.at(0).localPath, QDir(doc->tempSavePathLocal).filePath(QStringLiteral("index/plain@2x.png")));
}

TEST_F(PublishCommandsTest, ConfirmationsAndTheFormCheck)
{
    PublishJob job(&host);
    PublishCommands commands(*doc, &host, job);
    doc->publishExt = QStringLiteral("html");
    EXPECT_EQ(commands.singlePageConfirmation(),
              QStringLiteral("index.html and related files will be uploaded, this will update files with the same names on the server."));
    UserDefaults::standard().setString(QStringLiteral("ftp.example.test"), QStringLiteral("server"));
    UserDefaults::standard().setString(QStringLiteral("me"), QStringLiteral("username"));
    EXPECT_EQ(commands.singlePageConfirmation(),
              QStringLiteral("Quick Refresh Mode selected, only text and layout changes will be updated.\n\nProceed will upload index.html. "
                             "This will update files with the same names on the server.\n\nCurrent FTP Settings:\nServer: ftp.example.test\n"
                             "Username: me\nRemote Path: \nBase URL: "));
    EXPECT_TRUE(PublishCommands::sitePublishConfirmation(false).startsWith(QLatin1String("Quick Refresh Mode selected")));
    EXPECT_TRUE(PublishCommands::sitePublishConfirmation(true).startsWith(QLatin1String("Proceed will upload all files.")));
    EXPECT_EQ(commands.userFilesConfirmation(),
              QStringLiteral("All selected files will be uploaded to ftp.example.test, this will update files with the same names on the server.\n\n"
                             "Files will be uploaded into folder: index"));

    // A form without a response address never reaches the confirmation.
    doc->pageFileExtension = QStringLiteral("php");
    doc->siteFeedbackEmail = QStringLiteral("nobody");
    alerts.answer(QStringLiteral("Form Settings"));
    commands.publishSinglePageWithImages();
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Check Form Response Email"));
    EXPECT_EQ(host.formPreferences, 1);

    // Cancel at the confirmation changes nothing.
    doc->pageFileExtension = QStringLiteral("html");
    doc->fileURLPath = packagePath(QStringLiteral("index"));
    alerts.answer(QStringLiteral("Cancel"));
    commands.publishSinglePageWithImages();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Confirm Upload"));
    EXPECT_EQ(doc->FTPUploadFlag, 0);
    EXPECT_FALSE(job.isRunning());
}

TEST_F(PublishCommandsTest, PagesAreReencodedAndAnUnreadablePageStopsTheSite)
{
    const QString page = path(QStringLiteral("site/about.html"));
    QDir().mkpath(path(QStringLiteral("site/about")));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Win-1251\" />\n<p>\u041f\u0440\u0438\u0432\u0435\u0442</p>").toUtf8());
    file.close();
    QString error;
    const QString copy = PublishCommands::reencodedCopy(page, &error);
    ASSERT_FALSE(copy.isEmpty()) << error.toStdString();
    EXPECT_EQ(copy, QDir(gWorkFolder).filePath(QStringLiteral("tempFiles/about.html")));
    EXPECT_TRUE(readAll(copy).contains("\xcf\xf0\xe8\xe2\xe5\xf2"));
    EXPECT_TRUE(PublishCommands::reencodedCopy(path(QStringLiteral("site/gone.html")), &error).isEmpty());
    EXPECT_TRUE(error.contains(path(QStringLiteral("site/gone.html"))));

    // A site: image items follow their page, the submit button stays home, the
    // favicon comes last.
    PublishJob job(&host);
    PublishCommands commands(*doc, &host, job);
    doc->openWebsiteFolderTempPath = path(QStringLiteral("site"));
    host.websiteFolder = path(QStringLiteral("site"));
    for (const char *name : {"site/about/a@2x.png", "site/about/submit.png", "site/favicon.ico"}) {
        QFile f(path(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    host.pages = {{QStringLiteral("about.php"), QStringLiteral("about.html")}};
    commands.uploadImageFlag = true;
    error.clear();
    EXPECT_EQ(remoteNames(commands.siteItems(&error)),
              (QStringList{QStringLiteral("about.php"), QStringLiteral("about/a@2x.png"), QStringLiteral("favicon.ico")}));
    commands.uploadImageFlag = false;
    EXPECT_EQ(remoteNames(commands.siteItems(&error)), (QStringList{QStringLiteral("about.php"), QStringLiteral("favicon.ico")}));

    host.pages.append({QStringLiteral("gone.html"), QStringLiteral("gone.html")});
    alerts.answer(QStringLiteral("Proceed"));
    commands.publishWebsiteNoImages();
    EXPECT_EQ(host.loops, 1);
    ASSERT_EQ(alerts.count(), 2);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Site Not Uploaded"));
    EXPECT_TRUE(alerts.last().informativeText.contains(path(QStringLiteral("site/gone.html"))));
    EXPECT_FALSE(job.isRunning());
}

TEST_F(PublishCommandsTest, ThePageAndItsPicturesReachTheServer)
{
    QTemporaryDir root;
    TestServer server(QStringLiteral("pyftpd_server.py"), {root.path()});
    ASSERT_TRUE(server.ok());
    ASSERT_TRUE(storePublishSettings(server));

    doc->fileURLPath = packagePath(QStringLiteral("index"));
    doc->insertGraphicAtIndex(makeText({20, 30, 200, 40}, QStringLiteral("Hello server")), 0);
    doc->insertGraphicAtIndex(picture(QStringLiteral("photo"), true, 0, false), 0);
    QDir().mkpath(QDir(doc->tempSavePathLocal).filePath(QStringLiteral("index")));
    QFile photo(QDir(doc->tempSavePathLocal).filePath(QStringLiteral("index/photo@2x.png")));
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.write("photo bytes");
    photo.close();

    PublishJob job(&host);
    PublishCommands commands(*doc, &host, job);
    alerts.answer(QStringLiteral("Proceed"));
    bool done = false;
    QObject::connect(&job, &PublishJob::finished, &job, [&done] { done = true; });
    commands.publishSinglePageWithImages();
    QDeadlineTimer deadline(30000);
    while (!done && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(done);
    EXPECT_EQ(doc->publishExt, QStringLiteral("html"));
    EXPECT_EQ(host.shareLabel, QStringLiteral("Successfully published!\n\nhttp://127.0.0.1:9/index.html"));
    EXPECT_TRUE(readAll(root.filePath(QStringLiteral("index.html"))).contains("Hello server"));
    EXPECT_EQ(readAll(root.filePath(QStringLiteral("index/photo@2x.png"))), QByteArray("photo bytes"));
}

}  // namespace
