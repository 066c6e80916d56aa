#include "document/PageReader.h"

#include "config/DataCentreMarkers.h"
#include "document/ReadError.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QString fixturePath(const QString &name)
{
    return QStringLiteral(ZOV_TEST_FIXTURES "/page_reader/") + name;
}

QString fixture(const QString &name)
{
    QFile file(fixturePath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(file.readAll());
}

PageReadInput inputFor(const QString &text, const QString &folder)
{
    PageReadInput input;
    input.pageText = text;
    input.pageName = QStringLiteral("index");
    input.pageFilePath = folder + QStringLiteral(".html");
    input.canvasWidth = 960;
    input.canvasMaxHeight = 3000;
    return input;
}

template <typename T>
QList<T *> ofKind(const PageReadResult &result)
{
    QList<T *> list;
    for (const auto &carrier : result.carriers)
        if (auto c = dynamic_cast<T *>(carrier.get()))
            list.append(c);
    return list;
}

} // namespace

class PageReaderTest : public TempDirTest {};

TEST_F(PageReaderTest, ReadsAnAbsolutePageIntoSettingsAndCarriers)
{
    const QString folder = path(QStringLiteral("absolute"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QImage background(30, 20, QImage::Format_RGB32);
    background.fill(Qt::yellow);
    ASSERT_TRUE(background.save(folder + QStringLiteral("/background.JPG")));
    QImage picture(20, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder + QStringLiteral("/image0.JPG")));

    PageReadInput input = inputFor(fixture(QStringLiteral("absolute.html")), folder);
    input.isFontAvailable = [](const QString &family) { return family != QLatin1String("Futura Condensed Display"); };
    const PageReadResult result = PageReader::read(input);

    EXPECT_EQ(result.customHeaderCode, QStringLiteral("<script>var a = 1;</script>\n<script>var b = 2;</script>"));
    EXPECT_TRUE(result.docSpecificFixedCanvasFlag);
    EXPECT_EQ(result.confirmedCanvasSize, QSize(1024, 2048));
    EXPECT_EQ(result.canvasSizeType, QStringLiteral("Standard"));
    EXPECT_EQ(result.metaKeywords, QStringLiteral("cats, dogs"));
    // Read back exactly as written: the entity decoded once.
    EXPECT_EQ(result.metaDescription, QStringLiteral("Pets & more"));
    EXPECT_EQ(result.encodingType, QStringLiteral("Win-1251"));
    EXPECT_EQ(result.centreFlag, true);
    EXPECT_EQ(result.pageColorHexString, QStringLiteral("FFEECC"));
    EXPECT_FALSE(result.pageColor.has_value()); // the background picture shows instead
    EXPECT_EQ(result.backgroundImageType, QStringLiteral("JPG"));
    EXPECT_EQ(result.backgroundImage.size(), QSize(30, 20));
    EXPECT_FALSE(result.usingBootStrapFlag);

    // text1 belongs to the base template and is dropped; the rest in stacking order.
    const auto &texts = result.textViewArray;
    ASSERT_EQ(result.textViewArray.size(), 2);
    ASSERT_EQ(result.carriers.size(), 9);
    QList<int32_t> order;
    for (const auto &carrier : result.carriers) {
        if (auto t = dynamic_cast<myTextView *>(carrier.get()))
            order << t->tag;
        else if (auto i = dynamic_cast<TransformView *>(carrier.get()))
            order << result.imageTags.value(i);
        else if (auto l = dynamic_cast<LineView *>(carrier.get()))
            order << l->tag;
        else if (auto s = dynamic_cast<OuterSlideShow *>(carrier.get()))
            order << s->tag;
        else if (auto g = dynamic_cast<GalleryGridView *>(carrier.get()))
            order << g->tag;
        else if (auto tg = dynamic_cast<TableGridView *>(carrier.get()))
            order << tg->tag;
    }
    EXPECT_EQ(order, (QList<int32_t> {9, 8, 6, 5, 5, 4, 3, 2, 1}));
    // Equal z-index keeps rule order: text0 before text2.
    EXPECT_EQ(texts[0]->textView.string, QString::fromUtf8("Hello &lt; world\n<b> is \"bold\" & \xc2\xa9"));
    EXPECT_EQ(texts[1]->textView.string, QStringLiteral("Shadowed"));
    EXPECT_EQ(texts[1]->backgroundHexColorString, QStringLiteral("FFFFFF")); // shadowed clear box turns white
    EXPECT_EQ(texts[0]->textAlignment, QStringLiteral("justify"));
    EXPECT_EQ(texts[0]->familyName, QStringLiteral("Times New Roman"));

    const auto snippets = result.htmlSnippetArray;
    ASSERT_EQ(snippets.size(), 1);
    EXPECT_EQ(snippets[0]->link, QStringLiteral("http://snippet.example.org"));
    EXPECT_EQ(snippets[0]->textView.string, QStringLiteral("<b>one</b>\n<i>two</i>"));

    // Two images named image0: the earlier is renamed, its files follow later.
    ASSERT_EQ(result.imageViewArray.size(), 2);
    EXPECT_EQ(result.imageViewArray[0]->imageName, QStringLiteral("image1"));
    EXPECT_EQ(result.imageViewArray[1]->imageName, QStringLiteral("image0"));
    EXPECT_EQ(result.renames.size(), 1);
    EXPECT_EQ(result.documentChangedCounter, 1);
    EXPECT_EQ(result.imageViewArray[0]->frame, QRectF(300, 50, 200, 200));
    // The picture is found and read, not decoded: that waits until it is drawn.
    EXPECT_FALSE(result.imageViewArray[0]->image.isDecoded());
    EXPECT_FALSE(result.imageViewArray[0]->image.encoded().isEmpty());
    EXPECT_EQ(result.imageViewArray[0]->image.size(), QSize(20, 30));
    EXPECT_EQ(result.imageViewArray[0]->altText, QStringLiteral("Cats & dogs"));
    EXPECT_EQ(result.imageViewArray[0]->link, QStringLiteral("http://pics.example.org"));

    EXPECT_EQ(result.fontFamilies,
              (QStringList {QStringLiteral("Futura Condensed Display"), QStringLiteral("Times New Roman")}));
    EXPECT_EQ(result.missingFonts, QStringList {QStringLiteral("Futura Condensed Display")});

    const auto tables = ofKind<TableGridView>(result);
    ASSERT_EQ(tables.size(), 1);
    EXPECT_EQ(tables[0]->gridType, QStringLiteral("navbar"));
    EXPECT_EQ(ofKind<GalleryGridView>(result)[0]->numOfColumns, 3);
    EXPECT_EQ(ofKind<OuterSlideShow>(result)[0]->slideShowAutomaticFlag, 1);
    EXPECT_TRUE(ofKind<LineView>(result)[0]->drawEndArrow);
}

TEST_F(PageReaderTest, BaseTemplateSettingsAndDuplicatedPages)
{
    QString text = fixture(QStringLiteral("absolute.html"));
    PageReadInput input = inputFor(text, path(QStringLiteral("absolute")));
    input.loadPictures = false;
    input.pageName = QStringLiteral("basetemplate");
    PageReadResult base = PageReader::read(input);
    EXPECT_EQ(base.textViewArray.size(), 3); // its own elements stay
    ASSERT_TRUE(base.baseTemplateCustomHeaderCode.has_value());

    // A page with the base template's header code keeps none of its own; one
    // that uses the base template takes no centring or colour from itself.
    input.pageName = QStringLiteral("index");
    input.baseTemplateCustomHeaderCode = *base.baseTemplateCustomHeaderCode;
    input.useBaseTemplateFlag = true;
    input.baseTemplateExists = true;
    PageReadResult page = PageReader::read(input);
    EXPECT_EQ(page.customHeaderCode, QStringLiteral(""));
    EXPECT_FALSE(page.centreFlag.has_value());
    EXPECT_EQ(page.pageColorHexString, QStringLiteral(""));

    input.pageText = text + QStringLiteral("\n<!--BASE TEMPLATE DUPLICATED-->\n");
    PageReadResult duplicated = PageReader::read(input);
    EXPECT_EQ(duplicated.textViewArray.size(), 3);
    for (const auto &t : duplicated.textViewArray)
        EXPECT_EQ(t->templateName, QStringLiteral("index"));
}

TEST_F(PageReaderTest, ResponsivePagesReadTheirSpellingAndFramework)
{
    PageReadInput input = inputFor(fixture(QStringLiteral("responsive.html")), path(QStringLiteral("responsive")));
    input.loadPictures = false;
    const PageReadResult result = PageReader::read(input);
    EXPECT_TRUE(result.usingBootStrapFlag);
    EXPECT_EQ(result.webPageWidth, 1200);
    EXPECT_EQ(result.encodingType, QStringLiteral("UTF-8"));
    EXPECT_EQ(result.pageColorHexString, QStringLiteral("CLEAR0"));
    EXPECT_FALSE(result.pageColor.has_value());
    ASSERT_EQ(result.textViewArray.size(), 2);
    const myTextView &first = *result.textViewArray[0];
    EXPECT_TRUE(first.matchScreenFlag);
    EXPECT_EQ(first.indentFlag, 1);
    EXPECT_TRUE(first.shadowFlag);
    EXPECT_FLOAT_EQ(first.lineSpacing, 1.5f);
    EXPECT_FLOAT_EQ(first.alphaValue, 0.8f);
    EXPECT_EQ(first.textAlignment, QStringLiteral("justify"));
    EXPECT_EQ(result.textViewArray[1]->frame.size(), QSizeF(300, 40)); // no growth with the framework
    ASSERT_EQ(result.imageViewArray.size(), 1);
    EXPECT_EQ(result.imageViewArray[0]->frame.height(), 250);
}

TEST_F(PageReaderTest, FormPagesRebuildControlsAndSettings)
{
    PageReadInput input = inputFor(fixture(QStringLiteral("form.php")), path(QStringLiteral("form")));
    input.formPage = true;
    input.loadPictures = false;
    const PageReadResult result = PageReader::read(input);
    ASSERT_TRUE(result.formSettings.has_value());
    const PageFormSettings &form = *result.formSettings;
    EXPECT_EQ(form.formRedirectURL, QStringLiteral("http://example.org/thanks"));
    EXPECT_EQ(form.formSubmitButtonValue, QStringLiteral("Send it"));
    EXPECT_EQ(form.siteFeedbackEmail, QStringLiteral("owner@example.org"));
    EXPECT_EQ(form.siteCCFeedbackEmail, QStringLiteral("copy@example.org"));
    EXPECT_EQ(form.formEmailServer, QStringLiteral("smtp.example.org"));
    EXPECT_EQ(form.grabIPFlag, 1);
    EXPECT_EQ(form.formOrderLayoutOption, 2);
    EXPECT_EQ(form.formRequiredResponse, QStringLiteral("Please fill everything"));
    EXPECT_EQ(form.formSentResponse, QStringLiteral("Thank you for submitting this form."));
    EXPECT_EQ(form.formBotCheckerResponse, QStringLiteral("Bot checker answer incorrect, please try again."));

    const auto &t = result.textViewArray;
    ASSERT_EQ(t.size(), 7);
    EXPECT_EQ(t[1]->formType, QStringLiteral("text"));
    EXPECT_EQ(t[1]->textView.string, QStringLiteral("name@example.com"));
    EXPECT_EQ(t[2]->formType, QStringLiteral("radio"));
    EXPECT_EQ(t[2]->textView.string, QStringLiteral("Yes please")); // tied to its option label
    EXPECT_EQ(t[4]->frame.size(), QSizeF(70, 25));
    EXPECT_EQ(t[5]->textView.string, QStringLiteral("Paragraph Placeholder"));
    EXPECT_EQ(t[6]->textView.string, QStringLiteral("1+2="));

    // On the base template every form rule is a plain text box.
    input.pageName = QStringLiteral("basetemplate");
    const PageReadResult base = PageReader::read(input);
    EXPECT_EQ(base.textViewArray[4]->frame.size(), QSizeF(2, 2)); // its rule's own size, border added
}

TEST_F(PageReaderTest, OldProfileTablesAndCells)
{
    PageReadInput input = inputFor(fixture(QStringLiteral("profile.html")), path(QStringLiteral("profile")));
    input.documentExtension = QStringLiteral("pelprofile");
    const PageReadResult result = PageReader::read(input);
    ASSERT_EQ(result.tableArray.size(), 1);
    EXPECT_EQ(result.tableArray[0]->numOfColumns, 2);
    EXPECT_EQ(result.tableArray[0]->moveLock, 1);
    ASSERT_EQ(result.textViewArray.size(), 2);
    EXPECT_EQ(result.textViewArray[0]->textView.string, QStringLiteral("Name"));
    EXPECT_EQ(result.textViewArray[1]->textView.string, QStringLiteral("Rex & Co"));
    EXPECT_EQ(result.textViewArray[0]->rowSpot, 5);
    // Other editions ignore the old tables.
    input.documentExtension = QStringLiteral("zovsite");
    EXPECT_TRUE(PageReader::read(input).carriers.isEmpty());
}

TEST_F(PageReaderTest, OddButValidPagesReadWithDefaults)
{
    // No "</style></head>": rules are read, no body reaches them.
    PageReadInput input = inputFor(QStringLiteral("  .text0{position:absolute;left:1px;top:2px;z-index:3;}\n"
                                                  "<div class=text0>never</div>\n"
                                                  "x.text1{position:absolute;left:1px;top:2px;z-index:3;}\n"
                                                  ".text2{left:1px;top:2px;z-index:3;}\n"),
                                   path(QStringLiteral("odd")));
    PageReadResult result = PageReader::read(input);
    ASSERT_EQ(result.textViewArray.size(), 1);
    EXPECT_EQ(result.textViewArray[0]->textView.string, QString());
    EXPECT_EQ(result.confirmedCanvasSize, QSize(960, 3000));

    // Every byte sequence is text; CR LF pages read like LF pages.
    input.pageText = QStringLiteral("<!--Custom Header Code:1-->\r\n<b>x</b>\r\n<style>\r\n"
                                    ".text0{position:absolute;left:1px;top:2px;z-index:3;}\r\n</style></head>\r\n");
    result = PageReader::read(input);
    EXPECT_EQ(result.customHeaderCode, QStringLiteral("<b>x</b>"));
    EXPECT_EQ(result.textViewArray.size(), 1);
}

TEST_F(PageReaderTest, MalformedPagesEndInOneReadError)
{
    const QDir dir(fixturePath(QStringLiteral("malformed")));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_GE(names.size(), 8);
    for (const QString &name : names) {
        PageReadInput input = inputFor(fixture(QStringLiteral("malformed/") + name), path(QStringLiteral("bad")));
        EXPECT_THROW(PageReader::read(input), ReadError) << name.toStdString();
    }
}
