#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

class ProfileFieldsTest : public TempDirTest {
protected:
    QString page(const QByteArray &bytes)
    {
        const QString file = path(QStringLiteral("record.html"));
        EXPECT_TRUE(testfiles::writeFile(file, bytes));
        return file;
    }
};

TEST_F(ProfileFieldsTest, ValuesAreEscapedSoTheyNeitherSpillNorTruncate)
{
    const QString label = QStringLiteral("Notes");
    const QString value = QStringLiteral("a > b & c <!-- --NotesENDSTRING====> tail\nline");
    const QString block = DataCentre::generateFullString(value, label);
    EXPECT_EQ(block.count(QStringLiteral("ENDSTRING====>")), 1);
    const qsizetype start = DataCentre::generateStartString(label).size();
    const QString inner = block.mid(start, block.size() - start - DataCentre::generateEndString(label).size());
    EXPECT_FALSE(inner.contains(QLatin1Char('<')) || inner.contains(QLatin1Char('>')));
    EXPECT_EQ(DataCentre::grabProfileField(label, QStringLiteral("x") + block + QStringLiteral("y")), value);
    // Values written before the escaping read as they were.
    EXPECT_EQ(DataCentre::grabProfileField(label, QStringLiteral("<!====NotesSTARTSTRING--plain 5 kg--NotesENDSTRING====>")),
              QStringLiteral("plain 5 kg"));
    EXPECT_EQ(DataCentre::grabProfileField(QStringLiteral("Absent"), block), QStringLiteral(""));
}

TEST_F(ProfileFieldsTest, BlocksOutsideTheEditionsKeysAreKeptInOrder)
{
    const QString text = DataCentre::generateFullString(QStringLiteral("Ann"), QStringLiteral("Owner First Name"))
        + DataCentre::generateFullString(QStringLiteral("x<y"), QStringLiteral("Vaccines"))
        + DataCentre::generateFullString(QStringLiteral("second"), QStringLiteral("Vaccines"))
        + DataCentre::generateFullString(QStringLiteral("7"), QStringLiteral("Weight"));
    const QList<ProfileBlock> blocks =
        DataCentre::grabOtherProfileBlocks(text, {QStringLiteral("Owner First Name")});
    ASSERT_EQ(blocks.size(), 2);
    EXPECT_EQ(blocks[0], (ProfileBlock {QStringLiteral("Vaccines"), QStringLiteral("x&lt;y")}));
    EXPECT_EQ(blocks[1].label, QStringLiteral("Weight"));
    EXPECT_EQ(DataCentre::generateRawFullString(blocks[0].rawValue, blocks[0].label),
              DataCentre::generateFullString(QStringLiteral("x<y"), QStringLiteral("Vaccines")));
}

TEST_F(ProfileFieldsTest, ManyUnfinishedBlocksAreScannedOnce)
{
    // Once a quadratic scan: every opening searched on to the same far tail.
    const QString hostile = QStringLiteral("<!====X").repeated(20000) + QStringLiteral("STARTSTRING--").repeated(20000)
        + DataCentre::generateFullString(QStringLiteral("v"), QStringLiteral("Late"));
    const QList<ProfileBlock> blocks = DataCentre::grabOtherProfileBlocks(hostile, {});
    EXPECT_TRUE(blocks.isEmpty()); // the scan stops at its sane maximum before the late block
    EXPECT_EQ(DataCentre::grabProfileField(QStringLiteral("Late"), hostile), QStringLiteral("v"));
}

TEST_F(ProfileFieldsTest, OldHeaderIsReadConvertedAndRemovedInOneWrite)
{
    const QByteArray old = "<!--\nAnn\n\nLee\n12\n4 years\n1\n(null)\n555-1234\nann@example.org\nextra\n-->\n<html>body</html>";
    EXPECT_TRUE(DataCentre::oldPelprofileFlag(QString::fromLatin1(old)));
    const Person person = DataCentre::grabOldPelprofileData(QString::fromLatin1(old));
    EXPECT_EQ(person.firstName, QStringLiteral("Ann"));
    EXPECT_EQ(person.lastName, QStringLiteral("Lee")); // the empty line does not count
    EXPECT_EQ(person.chartNumber, QStringLiteral("12"));
    EXPECT_EQ(person.genderFlag, 1);
    EXPECT_EQ(person.birthDate, QStringLiteral(""));
    EXPECT_EQ(person.email, QStringLiteral("ann@example.org"));
    EXPECT_EQ(DataCentre::grabPageTitleFromPellprofile(person), QStringLiteral("Ann Lee 12"));
    Person noChart = person;
    noChart.chartNumber.clear();
    EXPECT_EQ(DataCentre::grabPageTitleFromPellprofile(noChart), QStringLiteral("Ann Lee"));

    // The calendar year: 30 December 2024 lies in week 1 of 2025.
    const QString converted = DataCentre::convertPelprofileDataToNew(person, QDate(2024, 12, 30));
    EXPECT_TRUE(converted.startsWith(QStringLiteral("\n\n<!====Owner First NameSTARTSTRING--Ann--")));
    EXPECT_TRUE(converted.contains(QStringLiteral("(transferred on Dec 30 2024)")));

    const QString file = page(old);
    ASSERT_TRUE(DataCentre::convertOldPelprofileFile(file, QDate(2024, 12, 30)));
    const QString text = DataCentre::readPageFile(file);
    EXPECT_TRUE(text.startsWith(QStringLiteral("\n<html>body</html>\n\n\n\n<!====Owner First Name")));
    EXPECT_FALSE(DataCentre::oldPelprofileFlag(text));
    EXPECT_EQ(DataCentre::grabProfileField(QStringLiteral("Owner Email"), text), QStringLiteral("ann@example.org"));

    // A header that never closes is left alone.
    const QString open = page("<!--\nAnn\nLee\n<html>");
    EXPECT_FALSE(DataCentre::convertOldPelprofileFile(open));
    EXPECT_EQ(DataCentre::readPageFile(open), QStringLiteral("<!--\nAnn\nLee\n<html>"));
}

TEST_F(ProfileFieldsTest, PageTitleFromMarkerOrOldFirstLine)
{
    const bool saved = gPageTitleEnabled;
    gPageTitleEnabled = true;
    EXPECT_EQ(DataCentre::grabPageTitle(QStringLiteral("<!--Home-->\n<html>")), QStringLiteral("Home"));
    EXPECT_EQ(DataCentre::grabPageTitle(QStringLiteral("x<!--PAGETITLESTART==(null)==PAGETITLEEND-->")), QStringLiteral(""));
    EXPECT_EQ(DataCentre::grabPageTitle(QStringLiteral("<!--P-->\n<!--PAGETITLESTART==T==PAGETITLEEND-->")), QStringLiteral("T"));
    EXPECT_EQ(DataCentre::grabPageTitle(QStringLiteral("<!--ab")), QStringLiteral(""));
    gPageTitleEnabled = false;
    EXPECT_EQ(DataCentre::grabPageTitle(QStringLiteral("<!--Home-->")), QStringLiteral(""));
    gPageTitleEnabled = saved;
}

TEST_F(ProfileFieldsTest, OpeningAnOldRecordConvertsOnceAndReadsTheConvertedValues)
{
    const QString file = page("<!--\nAnn\nLee\n(null)\n3\n2\n(null)\n(null)\nann@example.org\n-->\n<html></html>\n"
                              "<!====WeightSTARTSTRING--7 kg--WeightENDSTRING====>");
    const QStringList keys {QStringLiteral("Owner First Name"), QStringLiteral("Pet Sex")};
    const ProfileRecordRead first = DataCentre::openRecordPage(file, keys, QDate(2024, 5, 6));
    EXPECT_TRUE(first.converted);
    EXPECT_EQ(first.pageTitle, QStringLiteral("Ann Lee"));
    ASSERT_EQ(first.profileDictionary.size(), 2);
    EXPECT_EQ(first.profileDictionary[0].second, QStringLiteral("Ann"));
    EXPECT_EQ(first.profileDictionary[1].second, QStringLiteral("2"));
    ASSERT_EQ(first.otherBlocks.size(), 7); // Weight and the converted fields the edition does not list
    EXPECT_EQ(first.otherBlocks[0].label, QStringLiteral("Weight"));
    const ProfileRecordRead again = DataCentre::openRecordPage(file, keys);
    EXPECT_FALSE(again.converted);
    EXPECT_EQ(again.profileDictionary, first.profileDictionary);
}
