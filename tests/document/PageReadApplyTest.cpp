#include "document/PageReadApply.h"

#include "config/EditionSettings.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class RecordingHost : public PageReaderHost {
public:
    QStringList calls;
    int taken = 0;
    void setConfirmedCanvasSize(int32_t width, int32_t height) override
    {
        calls << QStringLiteral("size %1x%2").arg(width).arg(height);
    }
    void adjustCanvasSizeType() override { calls << QStringLiteral("adjust"); }
    void setCurrentTemplateSelectionValue() override { calls << QStringLiteral("template"); }
    void takePageReadResult(const PageReadResult &) override { ++taken; }
};

} // namespace

class PageReadApplyTest : public TempDirTest {};

TEST_F(PageReadApplyTest, AppliesSettingsCopiesRenamedImagesAndShowsOneFontAlert)
{
    {
        QFile plain(path(QStringLiteral("image4.PNG")));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
        plain.write("png");
    }
    const QString savedType = gCanvasSizeType;
    const int32_t savedWidth = gCanvasWidth;
    PageReadResult result;
    result.confirmedCanvasSize = QSize(800, 600);
    result.canvasSizeType = QStringLiteral("Standard");
    result.mailCanvasWidth = 700;
    result.renames = {{QStringLiteral("image4"), QStringLiteral("image9"), QStringLiteral("PNG"), true},
                      {QStringLiteral("../x"), QStringLiteral("image10"), QStringLiteral("PNG"), false}};
    result.missingFonts = {QStringLiteral("Alpha Sans"), QStringLiteral("Beta Serif")};
    result.carriers = {std::make_shared<myTextView>()};

    PageReadApply::forgetReportedFonts();
    ScriptedAlerts alerts;
    RecordingHost host;
    const auto carriers = PageReadApply::applyPageReadResult(result, host, path());
    EXPECT_EQ(carriers.size(), 1);
    EXPECT_EQ(host.calls, (QStringList {QStringLiteral("size 800x600"), QStringLiteral("adjust")}));
    EXPECT_EQ(host.taken, 1);
    EXPECT_EQ(gCanvasSizeType, QStringLiteral("Standard"));
    EXPECT_EQ(gCanvasWidth, 700);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("image9.PNG"))));
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Font Not Supported"));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("Alpha Sans, Beta Serif")));
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("this computer")));
    gCanvasSizeType = savedType;
    gCanvasWidth = savedWidth;

    // Families the program can draw raise nothing.
    EXPECT_TRUE(PageReadApply::isFontAvailable(QString()));
    EXPECT_FALSE(PageReadApply::isFontAvailable(QStringLiteral("No Such Family Zq7")));
}

TEST_F(PageReadApplyTest, InputFromEditionFindsTheBaseTemplateAndFormPages)
{
    PageReadInput input = PageReadApply::inputFromEdition(QStringLiteral("x"), QStringLiteral("index"), path(),
                                                          path(QStringLiteral("index.php")));
    EXPECT_FALSE(input.baseTemplateExists);
    EXPECT_TRUE(input.formPage);
    EXPECT_EQ(input.pageFolder(), path(QStringLiteral("index")));
    {
        QFile base(path(QStringLiteral("basetemplate.html")));
        ASSERT_TRUE(base.open(QIODevice::WriteOnly));
    }
    input = PageReadApply::inputFromEdition(QStringLiteral("x"), QStringLiteral("index"), path(),
                                            path(QStringLiteral("index.html")));
    EXPECT_TRUE(input.baseTemplateExists);
    EXPECT_FALSE(input.formPage);
    input.useBaseTemplateFlag = true;
    EXPECT_FALSE(input.ownSettingsFlag());
    input.pageName = QStringLiteral("basetemplate");
    EXPECT_TRUE(input.ownSettingsFlag());
}

TEST_F(PageReadApplyTest, EachMissingFontIsNamedOnceASessionAndProgramFontsNever)
{
    PageReadApply::forgetReportedFonts();
    ScriptedAlerts alerts;
    RecordingHost host;
    auto read = [&](const QStringList &families) {
        PageReadResult result;
        for (const QString &family : families)
            if (!PageReadApply::isFontAvailable(family))
                result.missingFonts << family;
        PageReadApply::applyPageReadResult(result, host, path());
    };
    // What the program assigns itself is drawn with a look-alike, silently.
    read({QStringLiteral("Helvetica Neue"), QStringLiteral("Futura"), QStringLiteral("Gill Sans"),
          QStringLiteral("Heiti TC"), QStringLiteral("Arial")});
    EXPECT_EQ(alerts.count(), 0);

    read({QStringLiteral("Gamma Grotesk Zq7")});
    read({QStringLiteral("Gamma Grotesk Zq7")});
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("Gamma Grotesk Zq7")));
    // A second missing family later in the session is named on its own.
    read({QStringLiteral("Gamma Grotesk Zq7"), QStringLiteral("Delta Display Zq7")});
    ASSERT_EQ(alerts.count(), 2);
    EXPECT_TRUE(alerts.last().informativeText.contains(QStringLiteral("Delta Display Zq7")));
    EXPECT_FALSE(alerts.last().informativeText.contains(QStringLiteral("Gamma")));
}
