// Importing published pages from Python's web server: the marks, the encodings, the
// retina copies and hostile style rules, then the package opened again.
#include "publishing/PageImport.h"
#include "publishing/UploadFTPS.h"
#include "platform/PageZip.h"
#include "platform/TextCodec.h"
#include "support/FileHelpers.h"
#include "support/TestServer.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// A page in the form our generator writes: the mark in the head, one rule per
// picture in the style sheet, the sheet closed right before the head.
QString pageText(const QString &mark, const QString &rules, const QString &body)
{
    return QStringLiteral("<!DOCTYPE html>\n<html><head>\n<meta charset='utf-8'>\n") + mark
        + QStringLiteral(" 1.0'>\n<style type='text/css'>\n") + rules + QStringLiteral("</style></head>\n<body>") + body
        + QStringLiteral("</body></html>\n");
}

QString imageRule(const QString &name, const QString &type, int width, int height)
{
    return QStringLiteral(".%1{position:absolute;left:10px;top:20px;z-index:1;imagename:%1;imagetype:%2;width:%3px;height:%4px;"
                          "reflection:0;border-width:0px;border-style:none;fixed:0;}\n")
        .arg(name, type)
        .arg(width)
        .arg(height);
}

void writePicture(const QString &path, const QColor &colour, int side, const char *format)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(image.save(path, format));
}

class PageImportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root = new QTemporaryDir;
        web = new TestServer(QStringLiteral("http_server.py"), {root->path()});
    }
    static void TearDownTestSuite()
    {
        delete web;
        delete root;
    }
    void SetUp() override { ASSERT_TRUE(web->ok()); }

    static QString http(const QString &path) { return QStringLiteral("http://127.0.0.1:%1/%2").arg(web->port()).arg(path); }
    static void serve(const QString &path, const QByteArray &bytes) { testfiles::writeFile(root->filePath(path), bytes); }

    PageImport::Outcome import(const QString &address, int encoding = 0)
    {
        PageImport::Input input;
        input.typedAddress = address;
        input.encoding = encoding;
        input.receivedFolder = received.path();
        input.documentExtension = QStringLiteral("zov");
        return PageImport::run(input);
    }

    QTemporaryDir received;
    static QTemporaryDir *root;
    static TestServer *web;
};

QTemporaryDir *PageImportTest::root = nullptr;
TestServer *PageImportTest::web = nullptr;

TEST(PageImportRules, AddressesMarksAndStyleRules)
{
    EXPECT_EQ(PageImport::completedAddress(QStringLiteral("example.com/a.html")), QStringLiteral("http://example.com/a.html"));
    EXPECT_EQ(PageImport::completedAddress(QStringLiteral("a.ht")), QStringLiteral("a.ht"));
    EXPECT_EQ(PageImport::completedAddress(QStringLiteral("https://x/a.html")), QStringLiteral("https://x/a.html"));

    const QString web = pageText(PageImport::kWebMark, {}, {});
    const QString form = pageText(PageImport::kFormMark, {}, {});
    struct Case {
        const char *address;
        QString text;
        const char *extension;
    } cases[] = {
        {"http://h/p.html", web, "html"},   {"http://h/p.html", form, ""},     {"http://h/p.php", web, "php"},
        {"http://h/p.php", form, "php"},    {"http://h/p.htm", web, ""},       {"http://h/p", web, ""},
        {"http://h/p.html?x=1", web, "html"}, {"http://h/p.html", QStringLiteral("<html>"), ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PageImport::pageExtensionFor(QString::fromLatin1(c.address), c.text), QString::fromLatin1(c.extension)) << c.address;

    EXPECT_EQ(PageImport::imageBase(QStringLiteral("http://h/site/page.html")), QStringLiteral("http://h/site/page"));
    EXPECT_EQ(PageImport::imageBase(QStringLiteral("http://h/site/")), QStringLiteral("http://h/site/index"));

    // Names and types become file names: only plain ones pass; sizes are clamped.
    const QString rules = imageRule(QStringLiteral("image1"), QStringLiteral("PNG"), 40, 30)
        + imageRule(QStringLiteral("../../evil"), QStringLiteral("PNG"), 10, 10)
        + imageRule(QStringLiteral("image2"), QStringLiteral("php"), 10, 10)
        + imageRule(QStringLiteral("image3"), QStringLiteral("JPG"), 0, 999999)
        + QStringLiteral(".image4{imagename:image4;imagetype:PNG;width:10px;}\n");
    const QList<PageImport::ImageRule> found = PageImport::imageRules(pageText(PageImport::kWebMark, rules, {}));
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].name, QStringLiteral("image1"));
    EXPECT_EQ(found[0].width, 40);
    EXPECT_EQ(found[1].name, QStringLiteral("image3"));
    EXPECT_EQ(found[1].width, 1);
    EXPECT_EQ(found[1].height, PageImport::kMaxImageSide);
    // Without the end of the style sheet no picture is taken.
    EXPECT_TRUE(PageImport::imageRules(rules).isEmpty());
}

TEST_F(PageImportTest, ImportsEachEncodingWithRetinaCopiesAndPacksThePage)
{
    const QString body = QStringLiteral("Привет 你好 café");
    struct Case {
        int encoding;
        const char *codec;
        QString body;
    } cases[] = {
        {0, "UTF-8", body}, {1, "UTF-16LE", body}, {2, "windows-1251", QStringLiteral("Привет мир")},
        {3, "GB18030", QStringLiteral("你好 世界")}, {4, "US-ASCII", QStringLiteral("plain text")},
    };
    for (const Case &c : cases) {
        const QString name = QStringLiteral("page%1").arg(c.encoding);
        const QString text = pageText(PageImport::kWebMark,
                                      imageRule(QStringLiteral("image1"), QStringLiteral("PNG"), 40, 30)
                                          + imageRule(QStringLiteral("image2"), QStringLiteral("JPG"), 20, 20),
                                      c.body);
        QStringEncoder encoder(c.codec);
        ASSERT_TRUE(encoder.isValid()) << c.codec;
        QByteArray bytes = encoder.encode(text);
        if (c.encoding == 1)
            bytes.prepend("\xff\xfe");
        serve(name + QStringLiteral(".html"), bytes);
        writePicture(root->filePath(name + QStringLiteral("/image1.PNG")), Qt::red, 8, "PNG");
        writePicture(root->filePath(name + QStringLiteral("/image1@2x.PNG")), Qt::blue, 16, "PNG");
        writePicture(root->filePath(name + QStringLiteral("/image2.JPG")), Qt::green, 8, "JPEG");

        const PageImport::Outcome outcome = import(http(name + QStringLiteral(".html")), c.encoding);
        ASSERT_TRUE(outcome.ok) << c.codec << ' ' << outcome.reason.toStdString();
        EXPECT_EQ(outcome.packageName, name + QStringLiteral(".zov"));
        EXPECT_EQ(TextCodec::decodePageText(testfiles::readFile(outcome.pageFile)), text) << c.codec;

        const QImage first(QDir(outcome.imageFolder).filePath(QStringLiteral("image1o.PNG")));
        ASSERT_FALSE(first.isNull());
        EXPECT_EQ(first.size(), QSize(40, 30));
        EXPECT_EQ(first.pixelColor(5, 5), QColor(Qt::blue)) << "the retina copy wins";
        EXPECT_EQ(QImage(QDir(outcome.imageFolder).filePath(QStringLiteral("image2o.JPG"))).size(), QSize(20, 20));

        // Packed and unpacked again: the page and its pictures are all there.
        const QString package = received.filePath(outcome.packageName);
        UploadFTPS packer;
        ASSERT_TRUE(packer.zipDocument(outcome.imageFolder, package)) << packer.zipLog().toStdString();
        PageZip archive;
        ASSERT_TRUE(archive.OpenZip(package));
        const QStringList entries = archive.entryNames();
        EXPECT_TRUE(entries.contains(QStringLiteral("image1o.PNG"))) << entries.join(',').toStdString();
        EXPECT_TRUE(entries.contains(name + QStringLiteral(".html"))) << entries.join(',').toStdString();
    }
}

TEST_F(PageImportTest, FormPagesBackgroundsAndRefusals)
{
    serve(QStringLiteral("form.php"),
          pageText(PageImport::kFormMark, QStringLiteral("body{background-image:url('form/background.PNG');}\n"), {}).toUtf8());
    writePicture(root->filePath(QStringLiteral("form/background.PNG")), Qt::yellow, 4, "PNG");
    const PageImport::Outcome form = import(http(QStringLiteral("form.php")));
    ASSERT_TRUE(form.ok) << form.reason.toStdString();
    EXPECT_EQ(form.packageName, QStringLiteral("form.trelkoforms"));
    EXPECT_TRUE(form.pageFile.endsWith(QStringLiteral("form/form.php")));
    EXPECT_EQ(form.imagesWritten, QStringList{QStringLiteral("background.PNG")});

    serve(QStringLiteral("other.html"), "<html><head></head><body>not ours</body></html>");
    serve(QStringLiteral("big.html"), QByteArray(PageImport::kMaxPageBytes + 10, 'x'));
    const QString target = http(QStringLiteral("form.php"));
    struct Case {
        const char *name;
        QString address;
    } cases[] = {
        {"not our mark", http(QStringLiteral("other.html"))},
        {"missing", http(QStringLiteral("none.html"))},
        {"too large", http(QStringLiteral("big.html"))},
        {"file scheme", QStringLiteral("file:///etc/passwd.html")},
        {"ftp scheme", QStringLiteral("ftp://127.0.0.1/form.php")},
        {"redirect to file", http(QStringLiteral("redirect?to=file:///etc/hosts.php"))},
    };
    for (const Case &c : cases) {
        const PageImport::Outcome outcome = import(c.address);
        EXPECT_FALSE(outcome.ok) << c.name;
    }
    EXPECT_FALSE(QFile::exists(received.filePath(QStringLiteral("other"))));
}

}  // namespace
