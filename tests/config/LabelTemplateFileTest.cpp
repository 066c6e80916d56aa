// Reading the label edition's catalogue of label stocks.
#include "config/DataCentre.h"
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

// Only the exact "US Letter" is translated; a paper the print system does not
// know ("us letter", "US-Letter") cannot be printed on, so its line is skipped
// and named, as are lines cut short and lines naming no sheet of the catalogue.
TEST(LabelTemplateFile, BadLinesAreSkippedAndNamedAndExtraFieldsAreIgnored)
{
    DataCentre::loadPrintLabels();
    QStringList skipped;
    const auto records = LabelTemplateFile::parse("A,1,Label - 30 Per Letter Sheet,us letter\n"
                                                  "A,2,Label - 30 Per Letter Sheet,US-Letter\n"
                                                  "A,3,Label - 21 Per A4 Sheet,A4,extra,fields\n"
                                                  "A,4,Label - 99 Per Nothing,A4\n"
                                                  "A,5\n",
                                                  &skipped);
    gPrintLabels.clear();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].paperSize, QStringLiteral("A4"));
    EXPECT_EQ(records[0].templateDescription, QStringLiteral("Label - 21 Per A4 Sheet"));
    ASSERT_EQ(skipped.size(), 4);
    EXPECT_TRUE(skipped[0].contains("us letter") && skipped[0].contains("unknown")) << skipped[0].toStdString();
    EXPECT_TRUE(skipped[1].contains("US-Letter")) << skipped[1].toStdString();
    EXPECT_TRUE(skipped[2].contains("Label - 99 Per Nothing")) << skipped[2].toStdString();
    EXPECT_TRUE(skipped[3].contains("A,5") && skipped[3].contains("fewer than four")) << skipped[3].toStdString();
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
