// Previews in a real web view, offscreen: the page as it is on disk now, read
// back through JavaScript, and the notice for a local web form.
#include "publishing/WebPreviewFolder.h"
#include "publishing/ui/WebPreviewWindow.h"
#include "support/FileHelpers.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#ifdef ZOV_WITH_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

namespace {

#ifdef ZOV_WITH_WEBENGINE
class WebPreviewWindowTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        // Tests run as root in containers, where the browser's sandbox cannot start.
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }

    template <typename Done>
    static bool spinUntil(Done done, int ms = 20000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    // Loads the window's page and answers its title and body text.
    static QString showAndRead(WebPreviewWindow &window)
    {
        bool loaded = false;
        auto c = QObject::connect(&window, &WebPreviewWindow::pageLoaded, [&loaded](bool) { loaded = true; });
        window.loadPage();
        const bool ok = spinUntil([&] { return loaded; });
        QObject::disconnect(c);
        if (!ok)
            return QStringLiteral("<not loaded>");
        QString text;
        bool answered = false;
        qobject_cast<QWebEngineView *>(window.webView())->page()->runJavaScript(QStringLiteral("document.title + '|' + document.body.innerText"),
                                                [&](const QVariant &v) {
                                                    text = v.toString();
                                                    answered = true;
                                                });
        spinUntil([&] { return answered; });
        return text.trimmed();
    }

    ScriptedAlerts alerts;
};

TEST_F(WebPreviewWindowTest, ShowsThePageAsItIsNowAndWarnsAboutLocalForms)
{
    const QString site = path(QStringLiteral("site"));
    const QString page = QDir(site).filePath(QStringLiteral("index.html"));
    testfiles::writeFile(page, "<html><head><title>Home</title></head><body>First words</body></html>");
    WebPreviewFolder copies;
    WebPreviewWindow window(QStringLiteral("Preview"), QSize(1200, 700));
    window.setWebURLString(QDir(copies.makeCopy(site, path(QStringLiteral("work")))).filePath(QStringLiteral("index.html")));
    EXPECT_EQ(showAndRead(window), QStringLiteral("Home|First words"));

    testfiles::writeFile(page, "<html><head><title>Home</title></head><body>Changed words</body></html>");
    window.setWebURLString(QDir(copies.makeCopy(site, path(QStringLiteral("work")))).filePath(QStringLiteral("index.html")));
    EXPECT_EQ(showAndRead(window), QStringLiteral("Home|Changed words"));
    // The same file changed in place is read again too.
    testfiles::writeFile(window.webURLString(), "<html><head><title>Home</title></head><body>Third words</body></html>");
    EXPECT_EQ(showAndRead(window), QStringLiteral("Home|Third words"));
    EXPECT_EQ(alerts.count(), 0);

    const QString form = QDir(site).filePath(QStringLiteral("form.php"));
    testfiles::writeFile(form, "<?php echo 'x'; ?>");
    WebPreviewWindow mobile(QStringLiteral("Mobile Preview"), QSize(800, 600));
    mobile.setWebURLString(form);
    showAndRead(mobile);
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Web Forms Do Not Show In Preview"));
}
#endif

}  // namespace
