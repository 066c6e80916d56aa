// Reading the label edition's catalogue of label stocks.
#include "config/LabelTemplateFile.h"

#include <gtest/gtest.h>

namespace {

QStringList numbers(const QList<LabelTemplateHelper> &records)
{
    QStringList list;
    for (const LabelTemplateHelper &record : records)
        list << record.templateNumber;
    return list;
}

} // namespace

TEST(LabelTemplateFile, FieldsAreTrimmedAndUsLetterBecomesItsPaperName)
{
    const auto records = LabelTemplateFile::parse(" Avery ,\t5160 , Label - 30 Per Letter Sheet ,  US Letter \n");
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].brand, QStringLiteral("Avery"));
    EXPECT_EQ(records[0].templateNumber, QStringLiteral("5160"));
    EXPECT_EQ(records[0].templateDescription, QStringLiteral("Label - 30 Per Letter Sheet"));
    EXPECT_EQ(records[0].paperSize, QStringLiteral("na-letter"));
}

TEST(LabelTemplateFile, OnlyTheExactPaperNameIsTranslatedAndExtraFieldsAreIgnored)
{
    const auto records = LabelTemplateFile::parse("A,1,D,us letter\nA,2,D,US-Letter\nA,3,D,A4,extra,fields\n");
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0].paperSize, QStringLiteral("us letter"));
    EXPECT_EQ(records[1].paperSize, QStringLiteral("US-Letter"));
    EXPECT_EQ(records[2].paperSize, QStringLiteral("A4"));
    EXPECT_EQ(records[2].templateDescription, QStringLiteral("D"));
}

// Line ends of every kind, blank lines and lines cut short must not be read
// past their last field; the complete rows around them are kept.
TEST(LabelTemplateFile, ShortAndBlankLinesAreSkipped)
{
    const QByteArray content = "Avery,5160,Label - 30 Per Letter Sheet,US Letter\r\n"
                               "\r\n"
                               "Avery,8160\r\n"
                               "just one field\n"
                               "Avery,22805,Label - 30 Per Letter Sheet,US Letter\r"
                               "Avery,5260,Label - 30 Per Letter Sheet,US Letter\xe2\x80\xa8"
                               "\n\n";
    const auto records = LabelTemplateFile::parse(content);
    EXPECT_EQ(numbers(records), (QStringList{"22805", "5160", "5260"}));
    for (const LabelTemplateHelper &record : records)
        EXPECT_EQ(record.paperSize, QStringLiteral("na-letter")) << record.templateNumber.toStdString();
}

TEST(LabelTemplateFile, TemplateNumbersSortAsTextKeepingFileOrderForEqualNumbers)
{
    const auto records = LabelTemplateFile::parse("A,5160,first,A4\nB,22805,x,A4\nC,8160,y,A4\nD,5160,second,A4\n");
    EXPECT_EQ(numbers(records), (QStringList{"22805", "5160", "5160", "8160"}));
    EXPECT_EQ(records[1].templateDescription, QStringLiteral("first"));
    EXPECT_EQ(records[2].templateDescription, QStringLiteral("second"));
}

TEST(LabelTemplateFile, NothingOrInvalidTextGivesAnEmptyCatalogue)
{
    EXPECT_TRUE(LabelTemplateFile::parse({}).isEmpty());
    EXPECT_TRUE(LabelTemplateFile::parse("Avery,5160,Label,US Letter\n\xff\xfe broken\n").isEmpty());
}
