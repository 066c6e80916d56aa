// Extent metrics, numbering, links, line counts, image use, formatting and escaping.
#include "PageFixture.h"

#include "document/Escape.h"
#include "document/Fmt.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

#include <cmath>
#include <limits>

namespace {
std::shared_ptr<SKTGraphic> box(const QRectF &r)
{
    auto g = std::make_shared<SKTGraphic>();
    g->setBounds(r);
    return g;
}

std::shared_ptr<SKTImage> memberImage(const QRectF &r, int32_t slideShow, int32_t gallery)
{
    auto image = std::make_shared<SKTImage>();
    image->setBounds(r);
    image->setSlideShowNumber(slideShow);
    image->setGalleryNumber(gallery);
    return image;
}
} // namespace

TEST_F(PageTest, ExtentMetrics)
{
    // Nothing that counts: the documented defaults.
    EXPECT_EQ(doc->findMaxScreenWidth(), 200);
    EXPECT_EQ(doc->findMaxScreenHeight(), 50);
    EXPECT_EQ(doc->findMinScreenX(), 0);
    EXPECT_EQ(SKTDocument::findMaxScreenWidthForArray({}), 1);
    EXPECT_EQ(SKTDocument::findMinScreenXForArray({}), 0);

    add(memberImage({500, 500, 900, 900}, 0, -99)); // a slide: never counts
    add(memberImage({600, 600, 900, 900}, -99, 1)); // a gallery image: never counts
    EXPECT_EQ(doc->findMaxScreenWidth(), 200);
    EXPECT_EQ(doc->findMaxScreenHeight(), 50);

    add(box({10.7, 20.9, 100.6, 30.9}));
    auto wide = std::make_shared<SKTText>();
    wide->setBounds({-5, 80, 2000, 10.5});
    wide->setMatchScreenFlag(true);
    doc->insertGraphic(wide);
    EXPECT_EQ(doc->findMaxScreenWidth(), 110);   // 10 + 100; the screen-wide text does not count
    EXPECT_EQ(doc->findMaxScreenHeight(), 90);   // 80 + 10: it does count for the height
    EXPECT_EQ(doc->findMinScreenX(), -5);
    EXPECT_EQ(SKTDocument::findMaxScreenWidthForArray({box({0, 0, 0, 0}).get()}), 1);

    auto moved = box({20.5, 30.9, 40.2, 50.8});
    auto slide = memberImage({20.5, 30.9, 40, 50}, 2, -99);
    SKTDocument::trimAllObjects(15, {moved.get(), slide.get()});
    EXPECT_EQ(moved->bounds(), QRectF(5, 30, 40, 50));
    EXPECT_EQ(slide->bounds(), QRectF(20.5, 30.9, 40, 50));
}

TEST_F(PageTest, NumberingCountsFromTheBack)
{
    QList<std::shared_ptr<TransformView>> firstImages;
    QList<SKTGalleryGrid *> galleries;
    for (int i = 0; i < 3; ++i) {
        auto gallery = std::make_shared<SKTGalleryGrid>();
        auto image = std::make_shared<TransformView>();
        gallery->setImageArray({image});
        gallery->setShadowFlag(1);
        gallery->setBackdropLightingFlag(2);
        firstImages << image;
        galleries << add(gallery);
    }
    doc->populateGalleryImageDimensions();
    EXPECT_EQ(firstImages[0]->galleryNumber, 2);
    EXPECT_EQ(firstImages[2]->galleryNumber, 0);
    EXPECT_TRUE(firstImages[1]->shadowFlag);
    EXPECT_EQ(firstImages[1]->backdropLightingFlag, 2);

    auto tableA = std::make_shared<SKTTable>();
    auto tableB = std::make_shared<SKTTable>();
    auto cellA = std::make_shared<myTextView>();
    auto imageA = std::make_shared<TransformView>();
    imageA->tableNumber = 77;
    auto background = std::make_shared<TransformView>();
    tableA->setCellHelperArray({cellA});
    tableA->setImageArray({imageA});
    tableA->setTableBackgroundImage(background);
    add(tableA);
    add(tableB);
    gTableImagesEnabled = false;
    doc->populateTableNumbers();
    EXPECT_EQ(cellA->tableNumber, 1);
    EXPECT_EQ(background->tableNumber, 1);
    EXPECT_EQ(imageA->tableNumber, 77);
    gTableImagesEnabled = true;
    doc->populateTableNumbers();
    EXPECT_EQ(imageA->tableNumber, 1);

    cellA->templateName = QStringLiteral("cells keep theirs");
    doc->resetTemplateName(QStringLiteral("renamed"));
    EXPECT_EQ(tableA->templateName(), QStringLiteral("renamed"));
    EXPECT_EQ(galleries[0]->templateName(), QStringLiteral("renamed"));
    EXPECT_EQ(firstImages[0]->templateName, QStringLiteral("renamed"));
    EXPECT_EQ(cellA->templateName, QStringLiteral("cells keep theirs"));
}

TEST(GenerationHelpers, VerifyLink)
{
    const QPair<QString, QString> cases[] = {
        {QStringLiteral("  http://a.com/my page.html \n"), QStringLiteral("http://a.com/my%20page.html")},
        {QStringLiteral("http://a.com/x\nsecond line"), QStringLiteral("http://a.com/x")},
        {QString(), QString()},
        {QStringLiteral("http://"), QStringLiteral("http://")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SKTDocument::verifyLink(c.first), c.second) << c.first.toStdString();
}

TEST(GenerationHelpers, LineCount)
{
    const QPair<QString, int> cases[] = {
        {QString(), 0},
        {QStringLiteral("one line"), 1},
        {QStringLiteral("two\nlines"), 2},
        {QStringLiteral("ends with a break\n"), 1},
        {QStringLiteral("windows\r\nbreak"), 2},
        {QStringLiteral("\n\n"), 2},
        {QStringLiteral("a\rb\u2028c"), 3},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SKTDocument::calculateNumOfLines(c.first), c.second) << c.first.toStdString();
}

TEST_F(PageTest, ImageInUse)
{
    auto own = std::make_shared<TransformView>();
    own->imageName = QStringLiteral("image4");
    own->imageType = QStringLiteral("PNG");
    own->templateName = QStringLiteral("index");
    auto base = std::make_shared<TransformView>();
    base->imageName = QStringLiteral("image5");
    base->imageType = QStringLiteral("PNG");
    base->templateName = QStringLiteral("basetemplate");
    base->maskImage = QImage(2, 2, QImage::Format_Grayscale8);
    const QList<ImageElement> images = {ImageElement(own), ImageElement(base)};
    struct Case {
        const char *base;
        const char *ext;
        bool inUse;
    };
    const Case cases[] = {
        {"image4", "PNG", true},       {"image4@2x", "PNG", true},   {"image4o", "PNG", true},
        {"image4o", "JPG", false},     {"image4_mask", "png", false}, {"image5o", "PNG", false},
        {"image5_mask", "png", true},  {"image5_mask", "JPG", true},  {"image40", "PNG", false},
        {"background", "JPG", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(doc->isImageInUse(QLatin1String(c.base), QLatin1String(c.ext), images), c.inUse)
            << c.base << "." << c.ext;
    doc->backgroundImageFlag = 1;
    EXPECT_TRUE(doc->isImageInUse(QStringLiteral("backgroundo"), QStringLiteral("PNG"), images));
    doc->useBaseTemplateFlag = 1;
    EXPECT_FALSE(doc->isImageInUse(QStringLiteral("background"), QStringLiteral("PNG"), images));
}

TEST(GenerationHelpers, FormatTemplates)
{
    const QString s = QStringLiteral("x;y");
    EXPECT_EQ(Fmt::fill(u".a%d{left:%dpx;w:%f;t:%@;q:%.02f;p:100%%}", {3, 12.9, 0.5, s, 0.5}),
              QStringLiteral(".a3{left:12px;w:0.500000;t:x;y;q:0.50;p:100%}"));
    EXPECT_EQ(Fmt::fill(u"%d %d %d", {std::nan(""), 1e12, -1e12}), QStringLiteral("0 2147483647 -2147483648"));
    EXPECT_EQ(Fmt::f6(std::numeric_limits<double>::infinity()), QStringLiteral("0.000000"));
    EXPECT_EQ(Fmt::fill(u"%d", {qint64(5000000000LL)}), QStringLiteral("2147483647"));
    EXPECT_EQ(Fmt::trunc(-2.7), -2);
}

TEST(GenerationHelpers, EscapingForEachPlace)
{
    const QString hostile = QStringLiteral("a'b\"c<d>&e\\f\n</script>$g“h”—");
    EXPECT_EQ(Escape::html(hostile),
              QStringLiteral("a&#39;b&quot;c&lt;d&gt;&amp;e\\f\n&lt;/script&gt;$g&quot;h&quot;-"));
    EXPECT_EQ(Escape::quotedAttribute(QStringLiteral("x\" y")), QStringLiteral("\"x&quot; y\""));
    EXPECT_EQ(Escape::cssValue(hostile), QStringLiteral("a'bcd&ef/script$gh-"));
    EXPECT_EQ(Escape::jsString(hostile), QStringLiteral("a\\'b\\\"c<d>&e\\\\f\\n<\\/script>$g\\\"h\\\"-"));
    EXPECT_EQ(Escape::phpSingle(QStringLiteral("it's \\ $x ©")), QStringLiteral("it\\'s \\\\ $x &copy;"));
    EXPECT_EQ(Escape::phpDouble(QStringLiteral("say \"$x\"\n")), QStringLiteral("say \\\"\\$x\\\"\\n"));
    EXPECT_EQ(Escape::typographic(QStringLiteral("‘©®£¢¥€¿’")),
              QStringLiteral("'&copy;&reg;&pound;&cent;&yen;&euro;&iquest;'"));

    EXPECT_EQ(Escape::cssColour(QStringLiteral("CLEAR0")), QStringLiteral("transparent"));
    EXPECT_EQ(Escape::cssColour(QString()), QStringLiteral("transparent"));
    EXPECT_EQ(Escape::cssColour(QStringLiteral("00ff00")), QStringLiteral("#00ff00"));
    EXPECT_EQ(Escape::cssColour(QStringLiteral("00ff0;")), QString());
    EXPECT_EQ(Escape::storedColour(QStringLiteral("red"), QStringLiteral("000000")), QStringLiteral("000000"));
    EXPECT_EQ(Escape::storedColour(QStringLiteral("CLEAR0"), QStringLiteral("000000")), QStringLiteral("CLEAR0"));

    for (const char *good : {"image12", "PNG", "JPG", "my_image-2"})
        EXPECT_TRUE(Escape::isPlainName(QLatin1String(good))) << good;
    for (const char *bad : {"", "../image1", "image1/x", "a.b", "image 1", "é"})
        EXPECT_FALSE(Escape::isPlainName(QString::fromUtf8(bad))) << bad;
    EXPECT_TRUE(Escape::isSafeFolderName(QStringLiteral("café page")));
    for (const char *bad : {"", ".", "..", "a/b", "a\\b"})
        EXPECT_FALSE(Escape::isSafeFolderName(QLatin1String(bad))) << bad;
}
