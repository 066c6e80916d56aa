#include "support/SmtpTestServer.h"
#include "support/TempDir.h"
#include "platform/MhtBuilder.h"

#include <QFile>

namespace {

void writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

}  // namespace

class MhtBuilderTest : public TempDirTest {};

// Every way a page names a picture is embedded once per file; what leads outside the
// page's folder, web addresses and missing files are left as they were.
TEST_F(MhtBuilderTest, EmbedsThePicturesInsideThePageFolderOnly)
{
    writeFile(path("site/page/images/logo.png"), "PNG-logo");
    writeFile(path("site/page/images/my pic.jpg"), "JPG-pic");
    writeFile(path("site/page/bg.gif"), "GIF-bg");
    writeFile(path("site/page/css.png"), "PNG-css");
    writeFile(path("site/secret.png"), "outside");
    QFile::link(path("site/secret.png"), path("site/page/images/link.png"));
    const QString html = QStringLiteral(
        "<html><head><style>body { background-image: url('css.png'); }</style></head>\n"
        "<body background=bg.gif>\n"
        "<img src=\"images/logo.png\"><img SRC='images/logo.png?v=2'>\n"
        "<img src=\"images/my%20pic.jpg\">\n"
        "<div style=\"background:url(images/logo.png)\"></div>\n"
        "<img src=\"../secret.png\"><img src=\"%1\"><img src=\"images/link.png\">\n"
        "<img src=\"https://example.org/a.png\"><img src=\"data:image/png;base64,AAAA\">\n"
        "<img src=\"missing.png\"></body></html>")
                             .arg(path("site/secret.png"));
    writeFile(path("site/page/index.html"), html.toUtf8());

    MimeMessage message;
    MhtBuilder builder;
    ASSERT_TRUE(builder.build(path("site/page/index.html"), message));
    const QString out = builder.html();
    EXPECT_EQ(message.relatedParts().size(), 4);
    EXPECT_EQ(builder.embeddedFiles().size(), 4);
    for (const auto &part : message.relatedParts()) {
        EXPECT_TRUE(out.contains(QStringLiteral("cid:") + part.contentId)) << part.fileName.toStdString();
        EXPECT_NE(part.data, QByteArray("outside"));
    }
    EXPECT_FALSE(out.contains(QStringLiteral("images/logo.png")));
    EXPECT_FALSE(out.contains(QStringLiteral("my%20pic.jpg")));
    EXPECT_FALSE(out.contains(QStringLiteral("'css.png'")));
    EXPECT_TRUE(out.contains(QStringLiteral("background=cid:")));
    for (const char *kept : {"../secret.png", "images/link.png", "https://example.org/a.png",
                             "data:image/png;base64,AAAA", "missing.png"})
        EXPECT_TRUE(out.contains(QLatin1String(kept))) << kept;
    EXPECT_TRUE(out.contains(path("site/secret.png")));
    EXPECT_EQ(builder.skippedReferences().size(), 4);

    // And a mail program finds each picture under the name the HTML uses.
    message.setFrom({}, QStringLiteral("me@example.org"));
    const QJsonObject read = SmtpTestServer::readBack(message.toMime());
    QStringList ids;
    for (const auto &v : read["parts"].toArray()) {
        const QJsonObject part = v.toObject();
        if (part["type"].toString().startsWith(QStringLiteral("image/")))
            ids << part["cid"].toString().mid(1).chopped(1);
    }
    EXPECT_EQ(ids.size(), 4);
    for (const QString &id : ids)
        EXPECT_TRUE(out.contains(QStringLiteral("cid:") + id));
}

TEST_F(MhtBuilderTest, AMissingPageIsAnError)
{
    MimeMessage message;
    MhtBuilder builder;
    EXPECT_FALSE(builder.build(path("nothing.html"), message));
    EXPECT_TRUE(builder.LastErrorText().contains(QStringLiteral("nothing.html")));
}
