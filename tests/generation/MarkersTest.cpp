// The marker comments after the closing html tag (and the profile fields
// after them), which carry the page's settings back to the page reader.
#include "TextFormFixture.h"

#include "generation/Markers.h"
#include "platform/UserDefaults.h"

class MarkersTest : public TextFormTest {
protected:
    void SetUp() override
    {
        TextFormTest::SetUp();
        UserDefaults::setStandardFilePath(path(QStringLiteral("defaults.ini")));
    }
    void TearDown() override
    {
        UserDefaults::setStandardFilePath({});
        TextFormTest::TearDown();
    }

    // The page after "</html>\n".
    QString closing()
    {
        const QString page = generate();
        const qsizetype end = page.indexOf(QStringLiteral("</html>\n"));
        return end < 0 ? QString() : page.mid(end + 8);
    }
};

TEST_F(MarkersTest, UnsetPageWritesOnlyTheAlwaysMarkers)
{
    EXPECT_EQ(closing(), QStringLiteral("\n\n\n\n<!--PUBLISHEXTSTART==html==PUBLISHEXTEND-->\n"
                                        "<!--BACKGROUNDIMAGESTART==1.00==BACKGROUNDIMAGEEND-->\n"
                                        "<!--PAGETITLESTART==Home==PAGETITLEEND-->\n"
                                        "<!--FIXEDCANVASSTART==0==FIXEDCANVASEND-->\n\n"
                                        "<!--CANVAS_SIZE_TYPE====CANVAS_SIZE_TYPE_END-->"));
    // The page file extension became the publish extension and stays.
    EXPECT_EQ(doc->publishExt, QStringLiteral("html"));
    EXPECT_EQ(gCanvasSizeType, QStringLiteral(""));
}

TEST_F(MarkersTest, EverySettingAndTheProfileFieldsAreTheStoredFormat)
{
    gCanvasRotation = 90;
    gCanvasSizeType = QStringLiteral("Letter");
    gDefaultPrintSheet = QStringLiteral("Avery 5160");
    gProfileFieldKeys = {QStringLiteral("Owner First Name"), QStringLiteral("Pet Name")};
    UserDefaults::standard().setFloat(0.5f, QStringLiteral("backgroundQualityPercentage"));
    doc->useBaseTemplateFlag = 1;
    doc->inheritCustomHeaderCodeFlag = 1;
    doc->inheritMetadataFlag = 1;
    doc->publishExt = QStringLiteral("htm");
    doc->docSpecificFixedCanvasFlag = 1;
    doc->docSpecificPageWidth = 612;
    doc->docSpecificPageHeight = 792;
    doc->duplicateBasetemplateFlag = true;
    doc->labelTemplateHelper = {QStringLiteral("Avery"), QStringLiteral("5160"), QStringLiteral("Address labels")};
    doc->profileDictionary = {{QStringLiteral("Owner First Name"), QStringLiteral("Ada & <co>")},
                              {QStringLiteral("Pet Name"), QStringLiteral("Rex")}};
    expectGolden(QStringLiteral("markers-closing.txt"), closing());

    // Form pages carry no base-template-duplicated marker.
    doc->pageFileExtension = QStringLiteral("php");
    EXPECT_FALSE(closing().contains(QStringLiteral("BASE TEMPLATE DUPLICATED")));
}

TEST_F(MarkersTest, ValuesCannotEndTheirMarker)
{
    struct Case {
        QString value;
        bool inPhp;
        QString clean;
    };
    const QList<Case> cases{
        {QStringLiteral("plain title"), false, QStringLiteral("plain title")},
        {QStringLiteral("two\nlines\r\nand\u2028more"), false, QStringLiteral("twolinesandmore")},
        {QStringLiteral("a-->b"), false, QStringLiteral("ab")},
        {QStringLiteral("a--->>b"), false, QStringLiteral("a->b")},
        {QStringLiteral("x?>y<?php z"), false, QStringLiteral("x?>y<?php z")},
        {QStringLiteral("x?>y<?php z"), true, QStringLiteral("xyphp z")},
        {QStringLiteral("<<??>>"), true, QStringLiteral("<>")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Markers::cleanMarkerValue(c.value, c.inPhp), c.clean) << c.value.toStdString();

    // On a page: a hostile title stays one marker; on a PHP page it cannot start PHP.
    doc->pageOfficialName = QStringLiteral("T-->\n<?php echo 1; ?>");
    EXPECT_TRUE(closing().contains(QStringLiteral("<!--PAGETITLESTART==T<?php echo 1; ?>==PAGETITLEEND-->")));
    doc->pageFileExtension = QStringLiteral("php");
    EXPECT_TRUE(closing().contains(QStringLiteral("<!--PAGETITLESTART==Tphp echo 1; ==PAGETITLEEND-->")));
}
