// The launch step: image defaults, preset styles, work folders and factors
// around the edition chain.
#include "EditionTestSupport.h"

#include "platform/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>

namespace {

class StartupTest : public EditionTest {
protected:
    QString workBase() const { return dir.filePath(QStringLiteral("work")); }

    void start(const QString &displayName, WorkFolder &folder)
    {
        EditionSettings::resetToInitialState();
        Bundle::setDisplayName(displayName);
        DataCentre::initializeData(folder);
    }
    void start(const QString &displayName)
    {
        WorkFolder folder(workBase());
        start(displayName, folder);
    }
};

QStringList *gCapturedWarnings = nullptr;

void captureWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (gCapturedWarnings && type == QtWarningMsg)
        gCapturedWarnings->append(message);
}

bool writeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("page") == 4;
}

} // namespace

TEST_F(StartupTest, FirstLaunchStoresTheImageDefaults)
{
    start(QStringLiteral("HTML Zov Pro"));
    EXPECT_EQ(defaults().integerForKey(QStringLiteral("DovrinMaxImageSize")), 2000);
    EXPECT_EQ(defaults().stringForKey(QStringLiteral("DovrinImageType")), QStringLiteral("PNG"));
    EXPECT_EQ(defaults().integerForKey(QStringLiteral("DovrinRetinaFlag")), 1);
    EXPECT_EQ(gImageType, QStringLiteral("PNG"));
    EXPECT_EQ(gRetinaFlag, 1);

    EXPECT_FLOAT_EQ(gPrintScaleDivisor, 2.0f);
    EXPECT_FLOAT_EQ(gPrintPixelsPerInch, 144.0f);
    ASSERT_EQ(gZoomFactors.size(), 26);
    EXPECT_EQ(gZoomFactors.first(), QStringLiteral("5%"));
    EXPECT_EQ(gZoomFactors.last(), QStringLiteral("600%"));
    EXPECT_EQ(gZoomFactors.at(gZoomFactors.indexOf(QStringLiteral("90%")) + 1), QStringLiteral("100%"));
}

TEST_F(StartupTest, TheUsersImageChoicesAreKept)
{
    defaults().setString(QStringLiteral("JPEG"), QStringLiteral("DovrinImageType"));
    defaults().setInteger(800, QStringLiteral("DovrinMaxImageSize"));
    defaults().setBool(true, QStringLiteral("DovrinSetRetinaFlag"));
    defaults().setInteger(0, QStringLiteral("DovrinRetinaFlag"));
    start(QString());
    EXPECT_EQ(gImageType, QStringLiteral("JPEG"));
    EXPECT_EQ(defaults().integerForKey(QStringLiteral("DovrinMaxImageSize")), 800);
    EXPECT_EQ(gRetinaFlag, 0);
    EXPECT_EQ(defaults().integerForKey(QStringLiteral("DovrinRetinaFlag")), 0);
}

TEST_F(StartupTest, PresetTextStylesFollowTheEditionsListsAndShapesDoNot)
{
    struct Case {
        QString edition;
        qsizetype styles;
    } cases[] = {
        {QStringLiteral("HTML Zov Pro"), 10},
        {QStringLiteral("Pellamy Vet Edition"), 10},
        {QStringLiteral("Pellamy Viewer"), 0},
        {QStringLiteral("Didedaz Aza Voreda Duvovaro Davado"), 0},
        {QString(), 0},
    };
    qsizetype shapes = -1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.edition.toStdString());
        start(c.edition);
        EXPECT_EQ(gPresetTextStyles.size(), c.styles);
        if (shapes < 0)
            shapes = gPresetShapes.size();
        EXPECT_EQ(gPresetShapes.size(), shapes);
        EXPECT_EQ(gPresetShapes.size(), 42);
    }
    start(QStringLiteral("Pellamy Viewer"));
    EXPECT_EQ(gDefaultCategories.size(), 10);
    EXPECT_TRUE(gWelcomeText.startsWith(QStringLiteral("Thanks for choosing Pellamy Viewer!\n\n")));
}

// Saved category names replace the edition's in the record editions only, and
// a shorter saved list must not make start-up read past its end.
TEST_F(StartupTest, SavedCategoryNamesReplaceTheRecordEditionsCategories)
{
    defaults().setBool(true, QStringLiteral("TextCategoryOverRide"));
    defaults().setObject(QVariantList{QStringLiteral("Checkups"), QVariantMap{{QStringLiteral("x"), 1}},
                                      QStringLiteral("Labs")},
                         QStringLiteral("CustomTextCategoryDescriptions"));
    for (const QString &edition : {QStringLiteral("Pellamy"), QStringLiteral("Pellamy Viewer"), QStringLiteral("Carrowel")}) {
        SCOPED_TRACE(edition.toStdString());
        start(edition);
        EXPECT_EQ(gDefaultCategories, (QStringList{QStringLiteral("Checkups"), QStringLiteral("Labs")}));
        EXPECT_EQ(gPresetTextStyles.size(), edition == QLatin1String("Pellamy Viewer") ? 0 : 2);
        EXPECT_EQ(gPresetStyleFontNames.size(), edition == QLatin1String("Pellamy Viewer") ? 0 : 10);
    }
    start(QStringLiteral("Marrowby Recipe Manager"));
    EXPECT_EQ(gDefaultCategories.size(), 10);
    EXPECT_EQ(gPresetTextStyles.size(), 10);

    defaults().removeObjectForKey(QStringLiteral("CustomTextCategoryDescriptions"));
    start(QStringLiteral("Carrowel"));
    EXPECT_TRUE(gDefaultCategories.isEmpty());
    EXPECT_TRUE(gPresetTextStyles.isEmpty());

    defaults().setBool(false, QStringLiteral("TextCategoryOverRide"));
    defaults().setObject(QStringList{QStringLiteral("Ignored")}, QStringLiteral("CustomTextCategoryDescriptions"));
    start(QStringLiteral("Carrowel"));
    EXPECT_EQ(gDefaultCategories.value(0), QStringLiteral("Attendance"));
    EXPECT_EQ(gPresetTextStyles.size(), 10);
}

// Two instances started in the same user folder each get a work folder of
// their own; starting one never clears the other's pages.
TEST_F(StartupTest, TwoInstancesStartingInOneFolderKeepEachOthersPages)
{
    WorkFolder first(workBase());
    start(QStringLiteral("HTML Zov Pro"), first);
    const QString firstWork = gWorkFolder;
    ASSERT_FALSE(firstWork.isEmpty());
    EXPECT_EQ(gReceivedPagesFolder, QStringLiteral("0000Received_Pages"));
    EXPECT_EQ(gTempFolder, QDir(firstWork).filePath(QStringLiteral("0000Received_Pages/tempSave000000")));
    EXPECT_TRUE(QFileInfo(gTempFolder).isDir());
    const QString openPage = QDir(firstWork).filePath(QStringLiteral("0000Received_Pages/open.zovpage"));
    ASSERT_TRUE(writeFile(openPage));

    WorkFolder second(workBase());
    start(QStringLiteral("HTML Zov Pro"), second);
    EXPECT_NE(gWorkFolder, firstWork);
    EXPECT_TRUE(gWorkFolder.startsWith(workBase() + QLatin1Char('/')));
    EXPECT_TRUE(QFileInfo(gTempFolder).isDir());
    EXPECT_TRUE(QFile::exists(openPage));

    // Starting again in the first instance's folder keeps its pages too.
    start(QStringLiteral("HTML Zov Pro"), first);
    EXPECT_EQ(gWorkFolder, firstWork);
    EXPECT_TRUE(QFile::exists(openPage));
    EXPECT_NE(QDir(gWorkFolder).absolutePath(), QDir(QDir::tempPath()).absolutePath());
}

TEST_F(StartupTest, SavingAndResettingCategoriesRenamesTheStylesAtOnce)
{
    start(QStringLiteral("Carrowel"));
    ASSERT_EQ(gPresetTextStyles.size(), 10);
    QStringList names = gDefaultCategories;
    names[0] = QStringLiteral("Homework");
    DataCentre::saveCategories(names);
    EXPECT_EQ(gPresetTextStyles[0].textString, QStringLiteral("Homework"));

    // The next launch takes the saved names ...
    start(QStringLiteral("Carrowel"));
    EXPECT_EQ(gDefaultCategories.value(0), QStringLiteral("Homework"));
    EXPECT_EQ(gPresetTextStyles[0].textString, QStringLiteral("Homework"));

    // ... and a reset brings the edition's own names back straight away.
    EXPECT_EQ(DataCentre::resetCategories().value(0), QStringLiteral("Attendance"));
    EXPECT_EQ(gDefaultCategories.value(0), QStringLiteral("Attendance"));
    EXPECT_EQ(gPresetTextStyles[0].textString, QStringLiteral("Attendance"));
    EXPECT_FALSE(defaults().boolForKey(QStringLiteral("TextCategoryOverRide")));
}

// Resources that are not shipped (here: none at all) cost one line in the log
// each, however often the program looks for them, and start-up carries on.
TEST_F(StartupTest, MissingResourcesAreLoggedOnceAndStartUpCarriesOn)
{
    QTemporaryDir emptyResources;
    ASSERT_TRUE(emptyResources.isValid());
    Bundle::setResourcesPath(emptyResources.path());
    QStringList warnings;
    gCapturedWarnings = &warnings;
    const QtMessageHandler previous = qInstallMessageHandler(captureWarnings);
    for (int launch = 0; launch < 3; ++launch)
        start(QStringLiteral("Tovra Label Maker"));
    qInstallMessageHandler(previous);
    gCapturedWarnings = nullptr;
    Bundle::setResourcesPath({});

    const QStringList missing = warnings.filter(QStringLiteral("Missing resource:"));
    EXPECT_EQ(missing.filter(QStringLiteral("labels.csv")).size(), 1) << missing.join('\n').toStdString();
    EXPECT_EQ(missing.filter(QStringLiteral("label_brennix")).size(), 1);
    EXPECT_EQ(missing.filter(QStringLiteral("tovralabel_templates")).size(), 1);
    EXPECT_EQ(missing.size(), QSet<QString>(missing.begin(), missing.end()).size());

    EXPECT_EQ(gPageNoun, QStringLiteral("label"));
    EXPECT_TRUE(gAppIcon.isNull());
    EXPECT_TRUE(gLabelTemplates.isEmpty());
    ASSERT_TRUE(gDefaultLabelTemplate.has_value());
    EXPECT_EQ(gPresetTextStyles.size(), 10);
    EXPECT_TRUE(gTempFolder.endsWith(QStringLiteral("0000Received_Pages/tempSave000000")));
}
