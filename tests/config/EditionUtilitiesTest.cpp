// The utilities that read the edition's settings.
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "support/QtPrinters.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class EditionUtilities : public TempDirTest {
protected:
    void TearDown() override { EditionSettings::resetToInitialState(); }
};

} // namespace

TEST_F(EditionUtilities, HexStringsUseTheEditionPalette)
{
    QColor nearWhite;
    nearWhite.setRgbF(0.999f, 0.999f, 0.999f);
    EXPECT_EQ(DataCentre::asHexString(nearWhite), "FEFEFE"); // no palette before start-up
    gColorPalette = DataCentre::paletteC();
    EXPECT_EQ(DataCentre::asHexString(nearWhite), "FFFFFF");
}

TEST_F(EditionUtilities, FileNamesFollowTheEditionForm)
{
    gUnicodeFileNames = false;
    EXPECT_EQ(DataCentre::generateNewFileName(QString::fromUtf8("\u00c9t\u00e9 2024")), "t2024");
    gUnicodeFileNames = true;
    EXPECT_EQ(DataCentre::generateNewFileName(QString::fromUtf8("\u00c9t\u00e9 2024")),
              QString::fromUtf8("\u00c9t\u00e92024"));
}

TEST_F(EditionUtilities, EveryPreparationGivesAFreshFontList)
{
    DataCentre::prepCustomFont();
    ASSERT_EQ(gCustomFonts.size(), 49);
    EXPECT_EQ(gCustomFontNames.size(), 49);
    EXPECT_EQ(gCustomFonts.first().fontName, "Actor");
    gCustomFonts[0].isUsed = true;
    DataCentre::prepCustomFont();
    EXPECT_FALSE(gCustomFonts[0].isUsed);
    EXPECT_EQ(gCustomFonts, DataCentre::customFontRecords());
}

TEST_F(EditionUtilities, BackgroundScanFillsTheScannedFilesOnTheMainThread)
{
    gPhotoGalleryEdition = true;
    gPageNoun = QStringLiteral("photo");
    for (const char *name : {"a.jpg", "b.png", "notes.txt"}) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    QObject context;
    bool done = false;
    DataCentre::countNumberOfFilesInBackground(path(), &context, [&] { done = true; });
    QElapsedTimer timer;
    timer.start();
    while (!done && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(done);
    ASSERT_EQ(gScannedFiles.size(), 2);

    gScannedFiles = DataCentre::sortArray(gScannedFiles, "filePath", true);
    const QString out = path("out");
    QDir().mkdir(out);
    EXPECT_TRUE(DataCentre::duplicatePhotoRepository(out).isEmpty());
    EXPECT_EQ(gScannedFiles[0].updatedFilePath, "photo/photo0.jpg");
    EXPECT_EQ(gScannedFiles[1].updatedFilePath, "photo/photo1.png");
    EXPECT_TRUE(QFile::exists(path("out/photo/photo1.png")));
    DataCentre::dismissProgressIndicator();
}

TEST_F(EditionUtilities, LabelEditionBringsTheProgressWindowForward)
{
    DataCentre::showProgressIndicator();
    EXPECT_FALSE(ProgressModel::instance().state().raiseWhenShown);
    gAppName = QStringLiteral("Tovra Label Maker");
    DataCentre::showProgressIndicator();
    EXPECT_TRUE(ProgressModel::instance().state().raiseWhenShown);
    DataCentre::dismissProgressIndicator();
}
