// The frame of absolute and form pages, and what the assembly writes beside
// the page: style sheet, background, profile fields, folder clean-up.
#include "PageFixture.h"

#include "document/Escape.h"
#include "generation/PageFiles.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"

#include <QDir>
#include <QImage>

namespace {
void touch(const QString &filePath, const QByteArray &data = "x")
{
    QFile f(filePath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}
} // namespace

TEST_F(PageTest, EmptyPageFrameIsTheStoredFormat)
{
    const QString page = generate();
    expectGolden(QStringLiteral("empty-page.html"), frame(page));
    EXPECT_EQ(page, gGeneratedSource);
    // With no graphics the width measure is its default.
    EXPECT_EQ(doc->webPageWidth, 200);
}

TEST_F(PageTest, BackgroundImagePageUsesTheImageRuleAndWritesItsFiles)
{
    doc->backgroundImageFlag = 1;
    doc->centreFlag = 1;
    doc->webPageWidthManualFlag = true;
    doc->webPageWidth = 960;
    doc->backgroundImage = QImage(8, 8, QImage::Format_RGB32);
    doc->backgroundImage.fill(Qt::darkCyan);
    doc->customHeaderCode = QStringLiteral("  <script>var a;</script>\n<meta name=x>\n  ");
    doc->inheritCustomHeaderCodeFlag = 1;
    doc->baseTemplateCustomHeaderCode = QStringLiteral("<!-- base -->");
    const QString page = generate();
    expectGolden(QStringLiteral("background-page.html"), frame(page));
    EXPECT_EQ(doc->customHeaderCode, QStringLiteral("<script>var a;</script>\n<meta name=x>"));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("index/background.JPG"))));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("index/backgroundo.JPG"))));
}

TEST_F(PageTest, FormPageWrapsTheMarkupInItsForm)
{
    doc->pageFileExtension = QStringLiteral("php");
    doc->duplicateBasetemplateFlag = true;
    const QString page = generate();
    // The body frame; the form block in the head comes from the form mailer.
    const QString body = frame(page).mid(page.indexOf(QStringLiteral("</style></head>")));
    expectGolden(QStringLiteral("form-page-body.html"), body);
    // The block follows the (untrimmed, here empty) custom header code on the next line.
    EXPECT_TRUE(page.contains(QStringLiteral("<!--Custom Header Code:0-->\n\n")));

    doc->pageName = QStringLiteral("my page\"><script>");
    EXPECT_TRUE(generate().contains(QStringLiteral(
        "<form name=\"my page&quot;&gt;&lt;script&gt;\" action=\"my page&quot;&gt;&lt;script&gt;.php\" onsubmit=")));
    EXPECT_TRUE(page.contains(QStringLiteral("<form name=index action=index.php onsubmit=\"return validateForm();\" method=post>")));
}

TEST_F(PageTest, PageColourCssAndBodyTag)
{
    struct Case {
        QString stored;
        bool clearCanvas;
        QString cssRule;
        QString bodyColour;
    };
    const Case cases[] = {
        {QStringLiteral("CLEAR0"), true, QStringLiteral("body{background-color:transparent;}"), QStringLiteral("CLEAR0")},
        {QStringLiteral("CLEAR0"), false, QStringLiteral("body{background-color:#FFFFFF;}"), QStringLiteral("FFFFFF")},
        {QStringLiteral("12ab9F"), false, QStringLiteral("body{background-color:#12ab9F;}"), QStringLiteral("12ab9F")},
        {QString(), false, QStringLiteral("body{background-color:#FFFFFF;}"), QStringLiteral("FFFFFF")},
        {QStringLiteral("red;}</style><script>"), true, QStringLiteral("body{background-color:#FFFFFF;}"),
         QStringLiteral("FFFFFF")},
    };
    for (const Case &c : cases) {
        gClearCanvasBackground = c.clearCanvas;
        doc->documentColorHexString = c.stored;
        const QString page = generate();
        EXPECT_TRUE(page.contains(c.cssRule)) << c.stored.toStdString();
        EXPECT_TRUE(page.contains(QStringLiteral("<body bgcolor=#") + c.bodyColour + QStringLiteral(" leftmargin=0")))
            << c.stored.toStdString();
        EXPECT_FALSE(page.contains(QStringLiteral("<script>"))) << c.stored.toStdString();
    }
}

TEST_F(PageTest, UserTextInTheHeadIsEscaped)
{
    doc->pageOfficialName = QStringLiteral("Tom & Jerry’s </title><script>alert(1)</script>");
    doc->metaKeywords = QStringLiteral("a\" onload=\"x");
    doc->metaDescription = QStringLiteral("<b>©</b>");
    doc->encodingType = QStringLiteral("UTF-8\"><script>");
    gAppName = QStringLiteral("Zov <Web>");
    const QString page = generate();
    EXPECT_TRUE(page.contains(
        QStringLiteral("<title>Tom &amp; Jerry&#39;s &lt;/title&gt;&lt;script&gt;alert(1)&lt;/script&gt;</title>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<meta name=\"keywords\" content=\"a&quot; onload=&quot;x\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("<meta name=\"description\" content=\"&lt;b&gt;&copy;&lt;/b&gt;\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("<meta name='Generator' content='Zov &lt;Web&gt; 1.0'>")));
    // (The page-title marker after the page keeps the title inside its comment.)
    EXPECT_FALSE(frame(page).contains(QStringLiteral("<script>")));
    EXPECT_FALSE(page.contains(QStringLiteral("for Mac")));
}

TEST_F(PageTest, HeaderCodeCountsAndManualViewport)
{
    doc->customHeaderCode = QStringLiteral("\n<link a>\n<link b>\n\n");
    doc->baseTemplateCustomHeaderCode = QStringLiteral("<x>\n<y>");
    doc->inheritCustomHeaderCodeFlag = 0; // not inherited: emptied
    doc->webPageWidthManualFlag = true;
    doc->webPageWidth = 0;
    const QString page = generate();
    EXPECT_TRUE(page.contains(QStringLiteral("<!--Base Template Header Code:0-->\n\n<!--Custom Header Code:2-->\n<link a>\n<link b>\n")));
    EXPECT_EQ(doc->baseTemplateCustomHeaderCode, QString(QLatin1String("")));
    EXPECT_FALSE(page.contains(QStringLiteral("name='viewport'")));
    EXPECT_TRUE(page.contains(QStringLiteral("<meta name=\"description\" content=\"\">\n<!---manual view port calculation--->\n")));
    EXPECT_EQ(doc->webPageWidth, 0);
}

TEST_F(PageTest, SeparateStyleSheetFollowsThePageTextRule)
{
    gSeparateCSSFile = true;
    doc->backgroundImageFlag = 1;
    generate();
    const QByteArray ascii = readFile(path(QStringLiteral("index/full.css")));
    ASSERT_FALSE(ascii.isEmpty());
    EXPECT_TRUE(ascii.startsWith("<style type=text/css>\n"));
    // The style sheet always carries the image rule and the closed retina block.
    EXPECT_TRUE(ascii.contains("body{background-image:url('index/background.JPG');"));
    EXPECT_TRUE(ascii.contains("@media(-webkit-min-device-pixel-ratio: 2) {}"));
    EXPECT_EQ(QString::fromLatin1(ascii), doc->fullCSSString);

    // A text that is not ASCII is written as UTF-16 with its mark; the mobile
    // version writes "mobile.css".
    doc->pageName = QStringLiteral("café");
    doc->mobileVersionFlag = true;
    generate();
    const QByteArray utf16 = readFile(path(QStringLiteral("café/mobile.css")));
    ASSERT_GE(utf16.size(), 2);
    EXPECT_EQ(uchar(utf16[0]), 0xFF);
    EXPECT_EQ(uchar(utf16[1]), 0xFE);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("café/full.css"))));
}

TEST_F(PageTest, StyleSheetThatCannotBeWrittenIsReported)
{
    gSeparateCSSFile = true;
    touch(path(QStringLiteral("index"))); // a file where the page folder should be
    QString error;
    const QString page = doc->generateSourceCode(doc->pageName, false, false, &error);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(doc->lastWriteError, error);
    EXPECT_TRUE(page.contains(QStringLiteral("</html>")));

    // The next successful run clears the report.
    QFile::remove(path(QStringLiteral("index")));
    generate();
    EXPECT_TRUE(doc->lastWriteError.isEmpty());
}

TEST_F(PageTest, ProfileFieldsFollowTheKeyListThenTheKeptBlocks)
{
    gProfileFieldKeys = {QStringLiteral("Owner First Name"), QStringLiteral("Owner Last Name"),
                         QStringLiteral("Pet Chart Number")};
    doc->profileDictionary = {{QStringLiteral("Owner Last Name"), QStringLiteral("Smith & <Sons>")},
                              {QStringLiteral("Owner First Name"), QStringLiteral("Ann")},
                              {QStringLiteral("Not A Key"), QStringLiteral("dropped")}};
    doc->extraProfileFields = {{QStringLiteral("Old Field"), QStringLiteral("kept")}};
    gAppName = QStringLiteral("Pellamy");
    const QString page = generate();
    EXPECT_TRUE(page.endsWith(QStringLiteral("\n\n<!====Owner First NameSTARTSTRING--Ann--Owner First NameENDSTRING====>"
                                             "\n\n<!====Owner Last NameSTARTSTRING--Smith &amp; &lt;Sons&gt;--Owner Last NameENDSTRING====>"
                                             "\n\n<!====Old FieldSTARTSTRING--kept--Old FieldENDSTRING====>")));
    EXPECT_FALSE(page.contains(QStringLiteral("dropped")));
    // The profile edition names the page after its owner; the head keeps the old title.
    EXPECT_EQ(doc->pageOfficialName, QStringLiteral("Ann Smith & <Sons> "));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>Home</title>")));
}

TEST_F(PageTest, CleanUpRemovesOnlyUnusedPageImages)
{
    const QString folder = path(QStringLiteral("index"));
    QDir().mkpath(folder + QStringLiteral("/sub"));
    for (const char *name : {"image2o.PNG", "image2@2x.PNG", "background.JPG", "notes.txt", "full.css", "image9_mask.png",
                             "photo.PNG"})
        touch(folder + QLatin1Char('/') + QLatin1String(name));
    generate();
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/image2o.PNG")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/image2@2x.PNG")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/background.JPG")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/image9_mask.png")));
    for (const char *kept : {"notes.txt", "full.css", "photo.PNG", "sub"})
        EXPECT_TRUE(QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(kept))) << kept;

    // Without a page name nothing is touched, not even the work folder's own files.
    touch(path(QStringLiteral("image5o.PNG")));
    doc->pageName.clear();
    doc->generateSourceCode(QString(), false, false);
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("image5o.PNG"))));
    doc->generateSourceCode(QStringLiteral(".."), false, false);
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("image5o.PNG"))));
}

TEST_F(PageTest, CleanUpAgreesWithTheImageUseTest)
{
    auto kept = std::make_shared<TransformView>();
    kept->imageName = QStringLiteral("image4");
    kept->imageType = QStringLiteral("PNG");
    kept->templateName = QStringLiteral("index");
    kept->maskImage = QImage(2, 2, QImage::Format_Grayscale8);
    auto slideshow = std::make_shared<SKTSlideshow>();
    slideshow->setImageArray({kept});
    add(slideshow);
    doc->backgroundImageFlag = 1;
    const QString folder = path(QStringLiteral("index"));
    QDir().mkpath(folder);
    const char *names[] = {"image4@2x.PNG", "image4o.PNG", "image4.JPG", "image4_mask.png", "backgroundo.PNG",
                           "image44o.PNG"};
    for (const char *name : names)
        touch(folder + QLatin1Char('/') + QLatin1String(name));
    // What the image pass would have gathered.
    doc->imageViewArray = {ImageElement(kept)};
    QMap<QString, bool> inUse;
    for (const char *name : names) {
        const QFileInfo info{QString::fromLatin1(name)};
        inUse[QLatin1String(name)] = doc->isImageInUse(info.completeBaseName(), info.suffix(), doc->imageViewArray);
    }
    EXPECT_FALSE(inUse[QStringLiteral("image4.JPG")]);
    EXPECT_FALSE(inUse[QStringLiteral("image44o.PNG")]);
    EXPECT_TRUE(inUse[QStringLiteral("image4_mask.png")]);
    cleanPageFolder(*doc, doc->pageName);
    for (const char *name : names)
        EXPECT_EQ(QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(name)), inUse[QLatin1String(name)]) << name;
}

TEST_F(PageTest, EnlargeableImagesBringTheModalScript)
{
    auto image = std::make_shared<SKTImage>();
    image->setImageName(QStringLiteral("image1"));
    image->setImageType(QStringLiteral("PNG"));
    image->setSlideShowNumber(-99);
    image->setGalleryNumber(-99);
    add(image);
    EXPECT_FALSE(generate().contains(QStringLiteral("$(\".modal img\")")));
    image->setImageEnlargeFlag(1);
    EXPECT_TRUE(generate().contains(QStringLiteral(
        "\n<script>\n$( document ).ready(function() {\nvar maxHeight = $(window).height() - 60 + \"px\";\n")));
}

TEST_F(PageTest, OwnerHeaderCodeKeepsItsCharacters)
{
    doc->customHeaderCode = QStringLiteral("<script>var s='It’s © “x”';</script>");
    const QString page = generate();
    EXPECT_TRUE(page.contains(QStringLiteral("<script>var s='It’s © “x”';</script>")));
}
