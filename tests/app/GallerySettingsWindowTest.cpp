// The least settings windows of the gallery editions: what they answer is
// what they show, and their button asks for the input folder.
#include "app/SKTAppDelegate.h"
#include "app/ui/GallerySettingsWindow.h"
#include "config/EditionSettings.h"
#include "support/ScriptedFilePanels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(GallerySettingsWindowTest, PhotoAndCatalogSettingsAnswerWhatTheWindowShows)
{
    SKTAppDelegate delegate;
    GallerySettingsWindow photos(false, delegate);
    photos.setOpenWebsiteFolderPath(QStringLiteral("/out"));
    photos.findChild<QLineEdit *>()->setText(QStringLiteral("Trip"));
    const auto combos = photos.findChildren<QComboBox *>();
    ASSERT_EQ(combos.size(), 4);
    combos[0]->setCurrentIndex(1);
    combos[2]->setCurrentIndex(2);
    photos.findChildren<QCheckBox *>()[1]->setChecked(true);
    const StaticGallerySettings s = photos.settings();
    EXPECT_EQ(s.outputFolder, QStringLiteral("/out"));
    EXPECT_EQ(s.title, QStringLiteral("Trip"));
    EXPECT_EQ(s.theme, 1);
    EXPECT_EQ(s.photosPerPage, 2);
    EXPECT_FALSE(s.fileName);
    EXPECT_TRUE(s.timestamp);
    if (const QByteArray shot = qgetenv("ZOV_WINDOW_SHOT"); !shot.isEmpty())
        photos.grab().save(QString::fromLocal8Bit(shot));

    GallerySettingsWindow catalog(true, delegate);
    catalog.findChild<QComboBox *>()->setCurrentIndex(3);
    EXPECT_EQ(catalog.settings().skipFolderSize, 3);
    EXPECT_EQ(catalog.settings().skipLabel, QStringLiteral("Skip folders up to 20 MB"));

    ScriptedFilePanels panels;
    catalog.findChild<QPushButton *>()->click();
    ASSERT_EQ(panels.openPanels().size(), 1);
    EXPECT_TRUE(panels.openPanels()[0].canChooseDirectories);
}
