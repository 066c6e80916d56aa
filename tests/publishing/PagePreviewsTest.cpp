// A page document's previews in a real web view: the generated page read back,
// changed and previewed again, each desktop preview in its own copy, the copies
// gone with the previews.
#include "document/DocumentFixture.h"
#include "publishing/ui/PagePreviews.h"
#include "publishing/ui/WebPreviewWindow.h"
#include "support/PageGraphics.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#ifdef ZOV_WITH_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

namespace {

#ifdef ZOV_WITH_WEBENGINE
template <typename Done>
bool spinUntil(Done done, int ms = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

QString bodyText(WebPreviewWindow *window)
{
    QString text;
    bool answered = false;
    // The load may still run: ask until the body has text.
    spinUntil([&] {
        answered = false;
        qobject_cast<QWebEngineView *>(window->webView())->page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"), [&](const QVariant &v) {
            text = v.toString();
            answered = true;
        });
        spinUntil([&] { return answered; }, 2000);
        return !text.trimmed().isEmpty();
    });
    return text;
}

class PagePreviewsTest : public DocumentTest {
protected:
    void SetUp() override
    {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        DocumentTest::SetUp();
        doc->fileURLPath = packagePath(QStringLiteral("index"));
    }
};

TEST_F(PagePreviewsTest, DesktopPreviewShowsTheChangedPageFromAFreshCopy)
{
    auto text = makeText({20, 30, 300, 40}, QStringLiteral("Opening words"));
    doc->insertGraphicAtIndex(text, 0);
    QStringList copies;
    {
        PagePreviews previews(*doc);
        ASSERT_TRUE(previews.showWebPreview());
        WebPreviewWindow *first = previews.webPreviewWindowController();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->windowTitle(), QStringLiteral("Preview"));
        EXPECT_EQ(first->width(), 1200);
        EXPECT_TRUE(bodyText(first).contains(QStringLiteral("Opening words")));

        text->setTextString(QStringLiteral("Closing words"));
        ASSERT_TRUE(previews.showWebPreview());
        EXPECT_TRUE(bodyText(previews.webPreviewWindowController()).contains(QStringLiteral("Closing words")));
        copies = previews.copies().copies();
        ASSERT_EQ(copies.size(), 2);
        EXPECT_NE(copies.at(0), copies.at(1));

        ASSERT_TRUE(previews.showMobileWebPreview());
        EXPECT_EQ(previews.mobileWebPreviewWindowController()->windowTitle(), QStringLiteral("Mobile Preview"));
        EXPECT_TRUE(bodyText(previews.mobileWebPreviewWindowController()).contains(QStringLiteral("Closing words")));
    }
    for (const QString &copy : copies)
        EXPECT_FALSE(QFileInfo::exists(copy)) << copy.toStdString();
}
// A photo added and previewed at once shows in the preview: the copy holds
// the picture file the page names, though the page was never saved.
TEST_F(PagePreviewsTest, APhotoAddedAndPreviewedAtOnceIsInThePreviewCopy)
{
    QImage pixels(80, 40, QImage::Format_RGB32);
    pixels.fill(Qt::darkCyan);
    auto photo = testpage::image(pixels, QStringLiteral("image0"), QStringLiteral("PNG"), {20, 30, 80, 40});
    testpage::placeOnPage(*photo, photo->bounds(), true);
    doc->insertGraphicAtIndex(photo, 0);
    PagePreviews previews(*doc);
    ASSERT_TRUE(previews.showWebPreview());
    const QStringList copies = previews.copies().copies();
    ASSERT_EQ(copies.size(), 1);
    const QString page = QDir(copies.first()).filePath(doc->pageName + QLatin1Char('.') + doc->pageFileExtension);
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(doc->pageName + QStringLiteral("/image0@2x.PNG")));
    EXPECT_TRUE(QFileInfo::exists(QDir(copies.first()).filePath(doc->pageName + QStringLiteral("/image0@2x.PNG"))));
}
#endif

}  // namespace
