// The static gallery road of the application delegate, from the settings
// window to the opened first page, with scripted panels and alerts and a
// real folder scan on a worker.
#include "app/SKTAppDelegate.h"
#include "config/EditionSettings.h"
#include "platform/Tasks.h"
#include "support/ScriptedAlerts.h"
#include "support/ScriptedFilePanels.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

namespace {

class FakeSettings : public GallerySettingsController {
public:
    explicit FakeSettings(QString resource, int *shown) : resource(std::move(resource)), m_shown(shown) {}
    void setOpenWebsiteFolderPath(const QString &path) override { m_folder = path; }
    QString openWebsiteFolderPath() const override { return m_folder; }
    StaticGallerySettings settings() const override
    {
        StaticGallerySettings s;
        s.title = QStringLiteral("Holiday");
        return s;
    }
    void showWindow() override { ++*m_shown; }
    QString resource;

private:
    QString m_folder;
    int *m_shown;
};

class AppDelegateTest : public TempDirTest {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("Sorvane");
        gPhotoGalleryEdition = true;
        gPageNoun = QStringLiteral("photo");
        QDir().mkpath(path(QStringLiteral("in/sub")));
        QDir().mkpath(path(QStringLiteral("out")));
        delegate.setSettingsWindowFactory([this](const QString &resource) {
            lastResource = resource;
            return std::make_unique<FakeSettings>(resource, &windowsShown);
        });
        delegate.setOpenURL([this](const QUrl &url) { opened = url; });
    }
    void TearDown() override
    {
        Tasks::waitForBackground(5000);
        EditionSettings::resetToInitialState();
    }

    void touch(const QString &relative)
    {
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("data");
    }

    // Runs the main thread's events until done() holds (at most 10 s).
    template <typename Done>
    bool spinUntil(Done done)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    ScriptedAlerts alerts;
    ScriptedFilePanels panels;
    SKTAppDelegate delegate;
    QString lastResource;
    int windowsShown = 0;
    QUrl opened;
};

} // namespace

TEST_F(AppDelegateTest, PhotoFolderBecomesPagesAndTheFirstPageOpens)
{
    // Real pictures: the grid gets a thumbnail of each.
    touch(QStringLiteral("in/a.jpg"));
    touch(QStringLiteral("in/sub/b.png"));
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(path(QStringLiteral("in/a.jpg")), "JPEG"));
    ASSERT_TRUE(picture.save(path(QStringLiteral("in/sub/b.png")), "PNG"));
    touch(QStringLiteral("in/notes.txt"));
    delegate.launchSimplifiedWindowController(path(QStringLiteral("out")));
    EXPECT_EQ(lastResource, QStringLiteral("PhotoCatalogSettingsWindowController"));
    EXPECT_EQ(windowsShown, 1);

    panels.answer(path(QStringLiteral("in")));
    alerts.answer(QStringLiteral("Next"));
    alerts.answer(QStringLiteral("Launch Now"));
    delegate.selectInputPhotoFolder();
    ASSERT_TRUE(spinUntil([this] { return !opened.isEmpty() || alerts.count() >= 2; }));
    ASSERT_TRUE(spinUntil([this] { return !opened.isEmpty(); })) << alerts.messages().join(',').toStdString();

    ASSERT_EQ(panels.openPanels().size(), 1);
    EXPECT_TRUE(panels.openPanels()[0].canChooseDirectories);
    EXPECT_FALSE(panels.openPanels()[0].canChooseFiles);
    EXPECT_EQ(alerts.messages(), (QStringList{QStringLiteral("Summary"), QStringLiteral("Done!")}));
    EXPECT_TRUE(alerts.shown()[0].alert.informativeText.startsWith(QStringLiteral("Total count: 2\nEarliest date: ")));
    const QString first = QDir(path(QStringLiteral("out"))).filePath(QStringLiteral("photo1.html"));
    EXPECT_EQ(alerts.shown()[1].alert.informativeText, QStringLiteral("Saved at selected path:\n %1").arg(first));
    EXPECT_EQ(alerts.shown()[1].alert.buttons, (QStringList{QStringLiteral("Launch Now"), QStringLiteral("Dismiss")}));
    EXPECT_EQ(opened, QUrl::fromLocalFile(first));
    QFile page(first);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray text = page.readAll();
    EXPECT_TRUE(text.contains("<title>Holiday</title>"));
    EXPECT_EQ(text.count("<li class=\"col-lg-2"), 2);
    EXPECT_EQ(gInputFolderURL, QUrl::fromLocalFile(path(QStringLiteral("in"))));
}

// The summary names the earliest and latest dates whatever order the scan
// listed the files in (the video edition does not sort them).
TEST_F(AppDelegateTest, TheSummarysDatesAreInOrder)
{
    QList<ZovFileHelper> records;
    for (const auto &[date, text] : {std::pair{QDate(2024, 7, 15), "Jul 15 2024"}, std::pair{QDate(2024, 3, 1), "Mar 01 2024"},
                                     std::pair{QDate(2024, 5, 9), "May 09 2024"}}) {
        ZovFileHelper r;
        r.fileModDate = QDateTime(date, QTime(12, 0));
        r.fileModDateString = QString::fromLatin1(text);
        records << r;
    }
    alerts.answer(QStringLiteral("Cancel"));
    delegate.doneCountingPhotos(records);
    ASSERT_GE(alerts.count(), 1);
    EXPECT_EQ(alerts.last().informativeText,
              QStringLiteral("Total count: 3\nEarliest date: Mar 01 2024\nLatest date: Jul 15 2024"));
}

TEST_F(AppDelegateTest, EmptyFolderEndsAtTheSummaryAndCancelDoesNothing)
{
    delegate.launchSimplifiedWindowController(path(QStringLiteral("out")));
    panels.answerCancel();
    delegate.selectInputPhotoFolder();
    EXPECT_EQ(alerts.count(), 0);

    panels.answer(path(QStringLiteral("in")));
    delegate.selectInputPhotoFolder();
    ASSERT_TRUE(spinUntil([this] { return alerts.count() >= 1; }));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Summary"));
    EXPECT_EQ(alerts.last().informativeText, QStringLiteral("Did not find any supported files in this folder"));
    EXPECT_EQ(alerts.last().buttons.size(), 1);
    Tasks::waitForBackground(5000);
    QCoreApplication::processEvents();
    EXPECT_EQ(alerts.count(), 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out/photo1.html"))));
}

TEST_F(AppDelegateTest, CatalogEditionOpensItsOwnSettingsAndDismissLeavesThePageClosed)
{
    gAppName = QStringLiteral("Dunmarra");
    gPhotoGalleryEdition = false;
    gFileCatalogEdition = true;
    delegate.launchSimplifiedWindowController(path(QStringLiteral("out")));
    EXPECT_EQ(lastResource, QStringLiteral("FileCatalogSettingsWindowController"));
    alerts.answer(QStringLiteral("Dismiss"));
    delegate.launchGallery(path(QStringLiteral("out/photo1.html")));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Done!"));
    EXPECT_TRUE(opened.isEmpty());
}

// In the photos-over-time edition "Next" opens the add-photo window, made
// once per run.
TEST_F(AppDelegateTest, PhotosOverTimeEditionOpensTheAddPhotoWindowOnce)
{
    gAppName = QStringLiteral("Fenmoor");
    int made = 0;
    delegate.setAddPhotoSettingsFactory([&made] {
        ++made;
        return new QObject();
    });
    ZovFileHelper one;
    one.fileModDateString = QStringLiteral("2024-01-01");
    alerts.answer(QStringLiteral("Next"));
    alerts.answer(QStringLiteral("Next"));
    delegate.doneCountingPhotos({one});
    delegate.doneCountingPhotos({one});
    EXPECT_EQ(made, 1);
    EXPECT_NE(gAddPhotoSettingsController, nullptr);
    delete gAddPhotoSettingsController;
    gAddPhotoSettingsController = nullptr;
    EXPECT_TRUE(opened.isEmpty());
}
