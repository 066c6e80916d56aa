// A page document's previews in a real web view: the generated page read back,
// changed and previewed again, each desktop preview in its own copy, the copies
// gone with the previews.
#include "document/DocumentFixture.h"
#include "publishing/ui/PagePreviews.h"
#include "publishing/ui/WebPreviewWindow.h"

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
#endif

}  // namespace
