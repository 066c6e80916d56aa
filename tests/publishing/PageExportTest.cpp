// Exporting a page: to a folder (built beside, swapped in, failures by path), as a
// campaign zip, and as PDF, PNG and JPEG pictures drawn by the renderer.
#include "document/DocumentFixture.h"
#include "platform/Bundle.h"
#include "platform/PageZip.h"
#include "publishing/PageExport.h"

#include <QImage>
#include <QImageReader>

namespace {

class PageExportTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        savedResources = Bundle::resourcesPath();
        // The installed program's resources: the edition's template folder holds the
        // jQuery files; our enlarge script lies in the program's own scripts.
        gTemplateFolder = QStringLiteral("templates-web");
        const QString resources = path(QStringLiteral("resources"));
        for (const QString &name : PageExport::pageScriptFileNames().mid(0, 3))
            writeFile(QStringLiteral("resources/templates-web/") + name, "/* " + name.toUtf8() + " */");
        Bundle::setResourcesPath(resources);
        doc->insertGraphicAtIndex(makeText({20, 30, 200, 40}, QStringLiteral("Welcome")), 0);
        doc->insertGraphicAtIndex(makeLine({10, 200, 300, 0}), 1);
        doc->fileURLPath = packagePath(QStringLiteral("index"));
        // A picture the page keeps in its folder.
        writeFile(QStringLiteral("w-1/index/photo@2x.png"), "picture");
    }
    void TearDown() override
    {
        Bundle::setResourcesPath(savedResources);
        DocumentTest::TearDown();
    }
    void writeFile(const QString &relative, const QByteArray &data)
    {
        const QString file = path(relative);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QString savedResources;
};

TEST_F(PageExportTest, AFolderGetsThePageItsPicturesAndTheScripts)
{
    PageExport exporter(*doc);
    const QString out = path(QStringLiteral("out"));
    QDir().mkpath(out);
    writeFile(QStringLiteral("out/jquery-2.2.2.min.js"), "the user's own copy");
    doc->publishExt = QStringLiteral("php");
    bool asked = false;
    EXPECT_EQ(exporter.exportFileToFolder(out, [&] { return asked = true; }), QStringList());
    EXPECT_FALSE(asked);
    // The page carries its publish extension.
    const QByteArray page = readAll(QDir(out).filePath(QStringLiteral("index.php")));
    EXPECT_TRUE(page.contains("Welcome"));
    EXPECT_EQ(page, readAll(QDir(doc->tempSavePathLocal).filePath(QStringLiteral("index.html"))));
    EXPECT_EQ(readAll(QDir(out).filePath(QStringLiteral("index/photo@2x.png"))), QByteArray("picture"));
    EXPECT_EQ(readAll(QDir(out).filePath(QStringLiteral("jquery-2.2.2.min.js"))), QByteArray("the user's own copy"));
    EXPECT_EQ(readAll(QDir(out).filePath(QStringLiteral("bootstrap.min.css"))), QByteArray("/* bootstrap.min.css */"));
    EXPECT_TRUE(readAll(QDir(out).filePath(QStringLiteral("popup-image-scaling.js"))).contains("data-full"));

    // Again: one question; a refusal leaves everything; Replace swaps the new page in
    // and drops files the page no longer has.
    writeFile(QStringLiteral("out/index/stale.png"), "old");
    EXPECT_EQ(exporter.exportFileToFolder(out, [&] { asked = true; return false; }), QStringList());
    EXPECT_TRUE(asked);
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("index/stale.png"))));
    EXPECT_EQ(exporter.exportFileToFolder(out, [] { return true; }), QStringList());
    EXPECT_FALSE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("index/stale.png"))));
    EXPECT_TRUE(QFileInfo::exists(QDir(out).filePath(QStringLiteral("index/photo@2x.png"))));
    const QStringList left = QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_FALSE(left.join(QLatin1Char(' ')).contains(QLatin1String(".zov-"))) << left.join(QLatin1Char(' ')).toStdString();

    // A folder that cannot take the files is named, and nothing is left half-made.
    const QStringList failures = exporter.exportFileToFolder(path(QStringLiteral("missing/folder")), [] { return true; });
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().contains(path(QStringLiteral("missing/folder/index.php")))) << failures.first().toStdString();

    // A shipped script that is missing is reported by its path.
    Bundle::setResourcesPath(path(QStringLiteral("nothing")));
    const QString second = path(QStringLiteral("second"));
    QDir().mkpath(second);
    const QStringList missing = exporter.exportFileToFolder(second, [] { return true; });
    // What the build tree holds (jQuery and Bootstrap from npm) still serves.
    qsizetype unshipped = 0;
    for (const QString &name : PageExport::pageScriptFileNames())
        unshipped += PageExport::pageScriptPath(name).isEmpty() ? 1 : 0;
    EXPECT_EQ(missing.size(), unshipped) << missing.join(QLatin1Char('\n')).toStdString();
    for (const QString &line : missing)
        EXPECT_TRUE(line.startsWith(second)) << line.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(second).filePath(QStringLiteral("index.php"))));
}

TEST_F(PageExportTest, TheCampaignZipHoldsThePageFolderAndFailuresNameThePath)
{
    PageExport exporter(*doc);
    EXPECT_EQ(PageExport::withDefaultExtension(QStringLiteral("/a/index_MailChimpExport"), QStringLiteral("zip")),
              QStringLiteral("/a/index_MailChimpExport.zip"));
    EXPECT_EQ(PageExport::withDefaultExtension(QStringLiteral("/a/page.tar"), QStringLiteral("zip")), QStringLiteral("/a/page.tar"));
    EXPECT_EQ(PageExport::withDefaultExtension(QStringLiteral("/a/page"), QStringLiteral("PNG")), QStringLiteral("/a/page.PNG"));

    const QString zip = path(QStringLiteral("index_MailChimpExport.zip"));
    ASSERT_EQ(exporter.exportZipTo(zip), QStringList());
    PageZip archive;
    ASSERT_TRUE(archive.OpenZip(zip));
    const QStringList names = archive.entryNames();
    EXPECT_TRUE(names.contains(QStringLiteral("index/photo@2x.png"))) << names.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("index.html")));

    const QString nowhere = path(QStringLiteral("missing/x.zip"));
    const QStringList failures = exporter.exportZipTo(nowhere);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().contains(nowhere)) << failures.first().toStdString();
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

TEST_F(PageExportTest, PicturesHaveThePageSizeAndTheirFormat)
{
    PageExport exporter(*doc);
    const QSize extent(doc->findMaxScreenWidth(), doc->findMaxScreenHeight());
    EXPECT_EQ(exporter.pictureSize(), extent + QSize(50, 50));
    gNoCanvasMargin = true;
    EXPECT_EQ(exporter.pictureSize(), extent);
    gNoCanvasMargin = false;
    gAppName = QStringLiteral("Glentor Mails Express");
    gCanvasWidth = 600;
    EXPECT_EQ(exporter.pictureSize(), QSize(600, extent.height()));
    gCanvasSizeType = QStringLiteral("Flex");
    EXPECT_EQ(exporter.pictureSize(), extent);
    gAppName = QStringLiteral("Zov Web");
    doc->docSpecificFixedCanvasFlag = 1;
    doc->docSpecificPageWidth = 320;
    doc->docSpecificPageHeight = 480;
    EXPECT_EQ(exporter.pictureSize(), QSize(320, 480));

    const QImage picture = exporter.generatePNG(false);
    ASSERT_EQ(picture.size(), QSize(320, 480));
    EXPECT_EQ(picture.pixelColor(310, 470), QColor(Qt::white));
    // A clear page in an edition of clear pictures draws on nothing.
    gClearImageBackground = true;
    EXPECT_EQ(exporter.generatePNG(true).pixelColor(310, 470).alpha(), 0);
    EXPECT_EQ(exporter.generatePNG(false).pixelColor(310, 470).alpha(), 255);

    struct Case {
        PageExport::PictureType type;
        const char *file;
        QByteArray format;
    } cases[] = {{PageExport::PictureType::PNG, "page.PNG", "png"},
                 {PageExport::PictureType::JPEG, "page.JPG", "jpeg"},
                 {PageExport::PictureType::PDF, "page.PDF", "pdf"}};
    for (const Case &c : cases) {
        const QString file = path(QString::fromLatin1(c.file));
        ASSERT_EQ(exporter.exportPictureTo(file, c.type), QStringList()) << c.file;
        if (c.format == "pdf") {
            EXPECT_TRUE(readAll(file).startsWith("%PDF"));
            continue;
        }
        QImageReader reader(file);
        EXPECT_EQ(reader.format(), c.format);
        EXPECT_EQ(reader.size(), QSize(320, 480));
    }
    EXPECT_FALSE(exporter.exportPictureTo(path(QStringLiteral("missing/page.PNG")), PageExport::PictureType::PNG).isEmpty());
}

}  // namespace
