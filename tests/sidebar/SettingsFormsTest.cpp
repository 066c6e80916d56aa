// The catalog and add-photo settings forms: what each edition shows, and the
// plain records the generators read.
#include "app/SKTAppDelegate.h"
#include "config/EditionSettings.h"
#include "sidebar/CatalogSettings.h"
#include "sidebar/ui/AddPhotoSettingsWindowController.h"
#include "sidebar/ui/FileCatalogSettingsWindowController.h"
#include "sidebar/ui/PhotoCatalogSettingsWindowController.h"
#include "sidebar/ui/SegmentedControl.h"
#include "platform/ActionResponder.h"
#include "support/ScriptedFilePanels.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

class SettingsFormsTest : public ::testing::Test {
protected:
    void SetUp() override { EditionSettings::resetToInitialState(); }
    void TearDown() override
    {
        delete gAddPhotoSettingsController;
        gAddPhotoSettingsController = nullptr;
        EditionSettings::resetToInitialState();
    }
};

TEST_F(SettingsFormsTest, PhotoAndVideoCatalogsShowTheirEditionsChoices)
{
    struct Case {
        bool photo;
        const char *types;
        bool pathShown;
    } cases[] = {{true, "JPEG, PNG and GIF.", false}, {false, "MP4, MOV, AVI, OGG and WEBM.", true}};
    for (const Case &c : cases) {
        gAppName = QStringLiteral("Catalog Edition");
        gPhotoGalleryEdition = c.photo;
        gVideoGalleryEdition = !c.photo;
        PhotoCatalogSettingsWindowController w(nullptr);
        w.setOpenWebsiteFolderPath(QStringLiteral("/out/site"));
        w.show();
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Catalog Edition"));
        EXPECT_EQ(w.openWebsiteFolderPathLabel()->text(), QStringLiteral("/out/site"));
        EXPECT_TRUE(w.supportedFileTypeLabel()->text().endsWith(QLatin1String(c.types))) << c.photo;
        EXPECT_EQ(w.filePathCheckbox()->isVisible(), c.pathShown);
        ASSERT_EQ(w.photosPerPageSegmentedControl()->segmentCount(), 12);
        EXPECT_EQ(w.photosPerPageSegmentedControl()->selectedSegment(), 2);
        EXPECT_EQ(w.photosPerPageSegmentedControl()->labelForSegment(11), QStringLiteral("120"));
        EXPECT_EQ(w.photosPerPageSegmentedControl()->segment(7)->width(), 50);

        QTest::mouseClick(w.photosPerPageSegmentedControl()->segment(5), Qt::LeftButton);
        QTest::mouseClick(w.themeSegmentedControl()->segment(1), Qt::LeftButton);
        QTest::mouseClick(w.duplicateOptionSegmentedControl()->segment(1), Qt::LeftButton);
        QTest::keyClicks(w.photoCatalogTitleTextField(), QStringLiteral("Holiday <2024>"));
        w.timestampCheckbox()->setChecked(true);
        w.filePathCheckbox()->setChecked(true);
        if (const QByteArray shot = qgetenv("ZOV_WINDOW_SHOT"); !shot.isEmpty())
            w.grab().save(QString::fromLocal8Bit(shot) + (c.photo ? QStringLiteral("-photos.png") : QStringLiteral("-videos.png")));
        const StaticGallerySettings s = w.settings();
        EXPECT_EQ(s.outputFolder, QStringLiteral("/out/site"));
        EXPECT_EQ(s.photosPerPage, 5);
        EXPECT_EQ(CatalogSettings::photosPerPage(s.photosPerPage), 60);
        EXPECT_EQ(s.theme, 1);
        EXPECT_EQ(s.alignment, 0);
        EXPECT_EQ(s.duplicateOption, 1);
        EXPECT_EQ(s.title, QStringLiteral("Holiday <2024>"));
        EXPECT_TRUE(s.timestamp);
        EXPECT_FALSE(s.fileName);
        EXPECT_EQ(s.filePath, c.pathShown) << "photos never show a path";
    }
}

TEST_F(SettingsFormsTest, TheDelegateMakesTheFolderCatalogWindowForItsEdition)
{
    SKTAppDelegate delegate;
    PhotoCatalogSettingsWindowController::install(delegate);
    gAppName = QStringLiteral("Dunmarra");
    delegate.launchSimplifiedWindowController(QStringLiteral("/out/sizes"));
    auto *file = dynamic_cast<FileCatalogSettingsWindowController *>(delegate.settingsController());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->windowTitle(), QStringLiteral("Dunmarra"));
    QTest::mouseClick(file->skipFolderSizeSegmentedControl()->segment(3), Qt::LeftButton);
    const StaticGallerySettings s = file->settings();
    EXPECT_EQ(s.outputFolder, QStringLiteral("/out/sizes"));
    EXPECT_EQ(s.skipFolderSize, 3);
    EXPECT_EQ(s.skipLabel, QStringLiteral("20 MB"));
    ScriptedFilePanels panels;
    file->selectFolderButton()->click();
    ASSERT_EQ(panels.openPanels().size(), 1) << "the button asks for the input folder";
    EXPECT_TRUE(panels.openPanels()[0].canChooseDirectories);

    gAppName = QStringLiteral("Photo Catalog");
    delegate.launchSimplifiedWindowController(QStringLiteral("/out/photos"));
    EXPECT_NE(dynamic_cast<PhotoCatalogSettingsWindowController *>(delegate.settingsController()), nullptr);
}

TEST_F(SettingsFormsTest, AddPhotoSettingsIsOneWindowWhoseOptionsThePagesRead)
{
    EXPECT_EQ(AddPhotoSettingsWindowController::current(), AddPhotoSettings{});
    SKTAppDelegate delegate;
    AddPhotoSettingsWindowController::install(delegate);
    delegate.showAddPhotoSettings();
    auto *w = qobject_cast<AddPhotoSettingsWindowController *>(gAddPhotoSettingsController);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Add Photo Settings"));
    QTest::mouseClick(w->thumbnailCheckbox(), Qt::LeftButton);
    w->timestampCheckbox()->setChecked(true);
    delegate.showAddPhotoSettings();
    EXPECT_EQ(gAddPhotoSettingsController, w) << "one window per application";
    EXPECT_EQ(AddPhotoSettingsWindowController::current(), (AddPhotoSettings{true, false, false, true}));
}

TEST_F(SettingsFormsTest, AddSendsThePhotoPageCommandWithTheTickedOptions)
{
    ActionMap window;
    QList<QVariantMap> received;
    window.add(QStringLiteral("generatePhotoPages"),
               [&received](const ActionItemState &sender) { received << sender.representedObject.toMap(); });
    ResponderChain::setProvider([&window] { return QList<ActionResponder *>{&window}; });
    AddPhotoSettingsWindowController w;
    w.filepathCheckbox()->setChecked(true);
    w.filenameCheckbox()->setChecked(true);
    w.addButton()->click();
    if (const QByteArray shot = qgetenv("ZOV_WINDOW_SHOT"); !shot.isEmpty())
        w.grab().save(QString::fromLocal8Bit(shot) + QStringLiteral("-addphoto.png"));
    w.thumbnailCheckbox()->setChecked(true);
    w.timestampCheckbox()->setChecked(true);
    w.filepathCheckbox()->setChecked(false);
    w.addButton()->click();
    ResponderChain::setProvider({});
    ASSERT_EQ(received.size(), 2);
    const QVariantMap first{{QStringLiteral("thumbnail"), false}, {QStringLiteral("filepath"), true},
                            {QStringLiteral("timestamp"), false}};
    const QVariantMap second{{QStringLiteral("thumbnail"), true}, {QStringLiteral("filepath"), false},
                             {QStringLiteral("timestamp"), true}};
    EXPECT_EQ(received[0], first);
    EXPECT_EQ(received[1], second);
}
