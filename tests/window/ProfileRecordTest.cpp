// Record pages: the field codec, new records written as pages of the
// project, and updates with their name checks.
#include "ProjectFixture.h"

#include "config/DataCentreProfileFields.h"
#include "window/ProfileRecord.h"

#include <QFontDatabase>

namespace {
QMap<QString, QString> petFields()
{
    return {{"Owner First Name", "Ann"},
            {"Owner Last Name", "Lee"},
            {"Owner Address", "1 Main Street\nSpringfield"},
            {"Pet Name", "Rex"},
            {"Pet Breed", "Collie"},
            {"Pet Chart Number", "42"},
            {"Pet Microchip Number", "985-1"},
            {"Notes", "Line one\nLine two <b>not markup</b>"},
            {"Pet Sex", "1"},
            {"Pet Neuter Status", "0"},
            {"Birth Date Status", "0"},
            {"Pet Birth Date", ProfileRecord::formatBirthDate(QDate(2020, 3, 5))}};
}
} // namespace

TEST(ProfileRecordCodec, RecordTextTitlesAndDates)
{
    // Every block is written, empty or not, each after a blank line.
    const QString empty = ProfileRecord::recordText(ProfileRecord::Kind::Pet, {});
    EXPECT_TRUE(empty.startsWith(QStringLiteral("\n\n<!====Owner First NameSTARTSTRING----Owner First NameENDSTRING====>")));
    EXPECT_EQ(empty.count(QStringLiteral("STARTSTRING--")), 16);
    EXPECT_FALSE(empty.endsWith(QLatin1Char('\n')));
    EXPECT_EQ(ProfileRecord::recordText(ProfileRecord::Kind::Person, {}).count(QStringLiteral("ENDSTRING====>")), 11);
    EXPECT_EQ(ProfileRecord::pageTitle(ProfileRecord::Kind::Pet, {}), QStringLiteral("   "));
    EXPECT_EQ(ProfileRecord::pageTitle(ProfileRecord::Kind::Person, {}), QStringLiteral(" "));
    EXPECT_EQ(ProfileRecord::pageTitle(ProfileRecord::Kind::Pet, petFields()), QStringLiteral("Ann Lee Rex Collie"));

    // Multi-line values come back whole from the page text.
    const QString text = ProfileRecord::recordText(ProfileRecord::Kind::Pet, petFields());
    EXPECT_EQ(DataCentreProfileFields::grabProfileField(QStringLiteral("Notes"), text), petFields().value("Notes"));
    EXPECT_EQ(DataCentreProfileFields::grabProfileField(QStringLiteral("Owner Address"), text),
              petFields().value("Owner Address"));

    // Dates are stored the same under any locale, and read back.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ProfileRecord::formatBirthDate(QDate(2020, 3, 5)), QStringLiteral("Mar 05 2020"));
    EXPECT_EQ(ProfileRecord::parseBirthDate(QStringLiteral("Dec 24 1999")), QDate(1999, 12, 24));
    QLocale::setDefault(saved);
    EXPECT_FALSE(ProfileRecord::parseBirthDate(QStringLiteral("someday")).isValid());

    // Person updates leave the pet-only fields as stored.
    QMap<QString, QString> stored = petFields();
    ProfileRecord::updateFields(ProfileRecord::Kind::Person, {{"Owner First Name", "Bo"}}, stored);
    EXPECT_EQ(stored.value("Owner First Name"), QStringLiteral("Bo"));
    EXPECT_EQ(stored.value("Owner Last Name"), QString());
    EXPECT_EQ(stored.value("Pet Microchip Number"), QStringLiteral("985-1"));
    EXPECT_EQ(stored.value("Pet Name"), QStringLiteral("Rex"));

    EXPECT_EQ(ProfileRecord::proposedFileName(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("42")),
              QStringLiteral("AnnLee42"));
}

TEST(ProfileRecordCodec, FontSizeFitsTheLabel)
{
    const QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    EXPECT_EQ(ProfileRecord::calcFontSizeToFitRect({0, 0, 2, 2}, QStringLiteral("Ann"), family), 4);
    EXPECT_EQ(ProfileRecord::calcFontSizeToFitRect({0, 0, 200, 30}, QString(), family), 299);
    const int small = ProfileRecord::calcFontSizeToFitRect({0, 0, 120, 30}, QStringLiteral("Ann Lee"), family);
    const int wide = ProfileRecord::calcFontSizeToFitRect({0, 0, 400, 60}, QStringLiteral("Ann Lee"), family);
    EXPECT_GE(small, 5);
    EXPECT_GT(wide, small);
}

class ProfilePagesTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        gPatientProfileMode = true;
        gProfileFieldKeys = ProfileRecord::labels(ProfileRecord::Kind::Pet);
    }
};

TEST_F(ProfilePagesTest, NewRecordsAreCheckedFirstAndReadBackWhole)
{
    makePage(project, QStringLiteral("AnnLee42"), QStringLiteral("x"), QStringLiteral("x"));
    ProjectPages &p = openProject();
    const QStringList before = QDir(project).entryList(QDir::Files);
    for (const QString &bad : {QString(), QStringLiteral("../x"), QStringLiteral("a b"), QStringLiteral("annlee42"),
                               QStringLiteral(".hidden"), QStringLiteral("x\ty")}) {
        const int shown = alerts.count();
        EXPECT_FALSE(p.saveNewProfile(ProfileRecord::Kind::Pet, bad, petFields())) << bad.toStdString();
        EXPECT_EQ(alerts.count(), shown + 1) << bad.toStdString();
    }
    EXPECT_EQ(QDir(project).entryList(QDir::Files), before);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("x.zovweb"))));

    ASSERT_TRUE(p.saveNewProfile(ProfileRecord::Kind::Pet, QStringLiteral("RexLee"), petFields())) << p.lastError.toStdString();
    EXPECT_EQ(QFileInfo(document->fileURLPath).fileName(), QStringLiteral("RexLee.zovweb"));
    const QMap<QString, QString> fields = petFields();
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        EXPECT_EQ(document->profileDictionary.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(document->useBaseTemplateFlag, 1);
    EXPECT_EQ(p.scan.siteIconArray.at(p.scan.grabZovButtonWithPageName(QStringLiteral("RexLee.zovweb"))).pageTitle,
              QStringLiteral("Ann Lee Rex Collie"));
}

TEST_F(ProfilePagesTest, UpdatesCheckTheTypedNameBeforeChangingAnything)
{
    makePage(project, QStringLiteral("Taken"), QStringLiteral("x"), QStringLiteral("x"));
    ProjectPages &p = openProject();
    ASSERT_TRUE(p.saveNewProfile(ProfileRecord::Kind::Pet, QStringLiteral("Rex"), petFields()));
    QMap<QString, QString> sheet = petFields();
    sheet.insert(QStringLiteral("Pet Name"), QStringLiteral("Max"));

    for (const QString &bad : {QStringLiteral("taken"), QStringLiteral("../Max"), QStringLiteral("sub/dir")}) {
        EXPECT_FALSE(p.saveUpdatedProfile(ProfileRecord::Kind::Pet, sheet, bad)) << bad.toStdString();
        EXPECT_EQ(document->profileDictionary.value("Pet Name"), QStringLiteral("Rex"));
    }
    EXPECT_EQ(alerts.messages().first(), QStringLiteral("File Conflict"));
    EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("Rex.zovweb"))));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Max.zovweb"))));

    ASSERT_TRUE(p.saveUpdatedProfile(ProfileRecord::Kind::Pet, sheet, QStringLiteral("Max"))) << p.lastError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("Rex.zovweb"))));
    p.refreshWebsite();
    EXPECT_EQ(QFileInfo(document->fileURLPath).fileName(), QStringLiteral("Max.zovweb"));
    EXPECT_EQ(document->profileDictionary.value("Pet Name"), QStringLiteral("Max"));
    EXPECT_EQ(document->profileDictionary.value("Notes"), petFields().value("Notes"));
}

TEST_F(ProfilePagesTest, APersonsNewPhotoIsSavedWithTheUpdatedRecord)
{
    ProjectPages &p = openProject();
    ASSERT_TRUE(p.saveNewProfile(ProfileRecord::Kind::Person, QStringLiteral("AnnLee"), petFields()));
    QImage photo(40, 40, QImage::Format_ARGB32);
    photo.fill(QColor(200, 10, 10));
    ASSERT_TRUE(p.saveUpdatedProfile(ProfileRecord::Kind::Person, petFields(), QString(), photo)) << p.lastError.toStdString();
    p.refreshWebsite();
    const int at = p.scan.grabZovButtonWithPageName(QStringLiteral("AnnLee.zovweb"));
    ASSERT_GE(at, 0);
    const QImage shot(p.scan.siteIconArray.at(at).imagePath);
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2).red(), 200);
}
