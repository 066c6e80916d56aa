#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "platform/TextCodec.h"
#include "support/FileHelpers.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

class MarkersTest : public TempDirTest {
protected:
    QString page(const QByteArray &bytes)
    {
        const QString file = path(QStringLiteral("page.html"));
        EXPECT_TRUE(testfiles::writeFile(file, bytes));
        return file;
    }
    QByteArray bytes(const QString &file)
    {
        QFile in(file);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }
};

TEST_F(MarkersTest, TitleEditorReplacesTheLastTitleLineOrAppends)
{
    const QString file = page("<html>\r\n  <!--PAGETITLESTART==Old==PAGETITLEEND-->\r\n<!--PAGETITLESTART==B==PAGETITLEEND-->\r\n"
                              "<!--PAGETITLESTART==C==PAGETITLEEND-->");
    ASSERT_TRUE(DataCentre::applyPageTitle(file, QStringLiteral("New")));
    // CR LF is one line break; only the last line that starts with the marker changes.
    EXPECT_EQ(bytes(file), QByteArray("<html>\n  <!--PAGETITLESTART==Old==PAGETITLEEND-->\n"
                                      "<!--PAGETITLESTART==B==PAGETITLEEND-->\n<!--PAGETITLESTART==New==PAGETITLEEND-->"));
    const bool saved = gPageTitleEnabled;
    gPageTitleEnabled = true;
    EXPECT_EQ(DataCentre::grabPageTitle(DataCentre::readPageFile(file)), QStringLiteral("Old"));
    gPageTitleEnabled = saved;

    const QString empty = page("");
    ASSERT_TRUE(DataCentre::applyPageTitle(empty, QStringLiteral("T")));
    EXPECT_EQ(bytes(empty), QByteArray("\n<!--PAGETITLESTART==T==PAGETITLEEND-->"));

    // A title cannot close its comment; text outside ASCII turns the file into UTF-16.
    ASSERT_TRUE(DataCentre::applyPageTitle(empty, QStringLiteral("a-->b\nc ?> \u00e9")));
    const QString read = DataCentre::readPageFile(empty);
    EXPECT_TRUE(bytes(empty).startsWith("\xff\xfe"));
    const QString title =
        DataCentre::grabMiddleString(QStringLiteral("<!--PAGETITLESTART=="), QStringLiteral("==PAGETITLEEND-->"), read);
    EXPECT_FALSE(title.contains(QLatin1String("-->")) || title.contains(QLatin1Char('\n'))) << title.toStdString();
    EXPECT_TRUE(title.startsWith(QLatin1Char('a')) && title.endsWith(QStringLiteral("\u00e9")));
    EXPECT_EQ(read.count(QLatin1String("-->")), 1);
}

TEST_F(MarkersTest, FlagEditorsAppendAndRemoveAndNeverCreateAFile)
{
    const QString file = page("<html>\n<!--USE BASE TEMPLATE-->\n");
    ASSERT_TRUE(DataCentre::applyBaseTemplate(file, 1));
    EXPECT_EQ(bytes(file), QByteArray("<html>\n<!--USE BASE TEMPLATE-->\n\n<!--USE BASE TEMPLATE-->"));
    EXPECT_TRUE(DataCentre::grabBaseTemplateStatusFlag(file));
    ASSERT_TRUE(DataCentre::applyBaseTemplate(file, 0));
    EXPECT_EQ(bytes(file), QByteArray("<html>\n\n\n"));
    EXPECT_FALSE(DataCentre::grabBaseTemplateStatusFlag(file));

    ASSERT_TRUE(DataCentre::applyPublishingExt(file, QStringLiteral("php")));
    EXPECT_EQ(DataCentre::grabPublishExt(file), QStringLiteral(""));
    ASSERT_TRUE(DataCentre::appendStringToFile(file, QStringLiteral("<!--PUBLISHEXTSTART==html==PUBLISHEXTEND-->")));
    ASSERT_TRUE(DataCentre::applyPublishingExt(file, QStringLiteral("php")));
    EXPECT_EQ(DataCentre::grabPublishExt(file), QStringLiteral("php"));

    // A missing page is left missing: no editor makes a file holding only its marker.
    const QString missing = path(QStringLiteral("missing.html"));
    EXPECT_FALSE(DataCentre::applyPageTitle(missing, QStringLiteral("T")));
    EXPECT_FALSE(DataCentre::applyInheritMetadata(missing, 1));
    EXPECT_FALSE(DataCentre::appendStringToFile(missing, QStringLiteral("x")));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(DataCentre::grabInheritMetadataFlag(missing));
    EXPECT_EQ(DataCentre::grabEncodingType(missing), QStringLiteral("UTF-8"));
}

TEST_F(MarkersTest, ReadersOfMiddleTextsHeaderCodeAndMeta)
{
    const QString s = QStringLiteral("S");
    const QString e = QStringLiteral("E");
    EXPECT_EQ(DataCentre::grabMiddleString(s, e, QStringLiteral("xSvalueEy")), QStringLiteral("value"));
    EXPECT_EQ(DataCentre::grabMiddleString(s, e, QStringLiteral("xEvalue")), QStringLiteral(""));
    EXPECT_EQ(DataCentre::grabMiddleString(s, e, QStringLiteral("Svalue")), QStringLiteral(""));
    EXPECT_EQ(DataCentre::grabMiddleString(s, e, QStringLiteral("EaSb")), QStringLiteral("")); // end before start

    const QString file = page("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-16\"/> \r\n"
                              "<meta name=\"keywords\" content=\"a, b\">\n"
                              "<!--Custom Header Code:2-->\none\ntwo\nthree\n");
    EXPECT_EQ(DataCentre::grabEncodingType(file), QStringLiteral("UTF-16"));
    EXPECT_EQ(DataCentre::grabMetaKeywords(file), QStringLiteral("a, b"));
    EXPECT_EQ(DataCentre::grabMetaDescription(file), QStringLiteral(""));
    EXPECT_EQ(DataCentre::grabCustomHeaderCode(file), QStringLiteral("one\ntwo"));
    EXPECT_EQ(DataCentre::customHeaderCodeOfText(QStringLiteral("<!--Custom Header Code:999999999999-->\na")),
              QStringLiteral("a"));
}
