#include "generation/ui/SourceCodeWindowController.h"

#include "document/SKTDocument.h"

#include "support/ScriptedAlerts.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

// The window shows what it was given, replaces it on the next request, and says
// so when there is nothing to show.
TEST(SourceCodeWindowControllerTest, ShowsTheLatestSourceOrTheEmptyNotice)
{
    SourceCodeWindowController window;
    window.presentSource(QString());
    EXPECT_EQ(window.windowTitle(), "Source Code");
    EXPECT_EQ(window.sourceText(), "Oops, no source code generated, please request again");
    EXPECT_TRUE(window.isVisible());

    window.presentSource("<html>\"straight\" 'quotes' -- stay</html>");
    EXPECT_EQ(window.sourceText(), "<html>\"straight\" 'quotes' -- stay</html>");

    window.presentSource("<p>mail</p>", "HTML Code");
    EXPECT_EQ(window.windowTitle(), "HTML Code");
    EXPECT_EQ(window.sourceText(), "<p>mail</p>");

    // Read-only: typing changes nothing, and the text wraps at the view's width.
    EXPECT_TRUE(window.textView()->isReadOnly());
    EXPECT_EQ(window.textView()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(window.textView(), &press);
    EXPECT_EQ(window.sourceText(), "<p>mail</p>");
}

TEST(SourceCodeWindowControllerTest, GrabCodeCopiesTheTextAndSaysSo)
{
    ScriptedAlerts alerts;
    SourceCodeWindowController window;
    window.presentSource("<html>\n<body>copied</body>\n</html>");
    QGuiApplication::clipboard()->setText("before");

    window.grabCodeButton()->click();

    EXPECT_EQ(QGuiApplication::clipboard()->text(), "<html>\n<body>copied</body>\n</html>");
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.last().messageText, "Copied to Clipboard");
    EXPECT_TRUE(alerts.last().informativeText.isEmpty());
    EXPECT_TRUE(alerts.last().effectiveButtons() == QStringList{"OK"});

    // A screenshot for a person to look at, when asked for.
    const QByteArray shotFolder = qgetenv("ZOV_SCREENSHOT_DIR");
    if (!shotFolder.isEmpty())
        window.grab().save(QString::fromLocal8Bit(shotFolder) + "/SourceCodeWindow.png");
}

// One window per document, reused by every request with the newer page text.
TEST(SourceCodeWindowControllerTest, OneWindowPerDocumentShowsTheNewerPage)
{
    SKTDocument doc;
    doc.pageName = "index";
    doc.pageOfficialName = "First title";
    SourceCodeWindowController *first = SourceCodeWindowController::showOrHideSourceCodeStatic(doc);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(doc.sourceCodeController, first);
    EXPECT_EQ(first->windowTitle(), "Source Code");
    EXPECT_TRUE(first->sourceText().contains("<title>First title</title>"));
    EXPECT_EQ(doc.FTPUploadFlag, 0);  // only while generating

    doc.pageOfficialName = "Second title";
    SourceCodeWindowController *second = SourceCodeWindowController::showOrHideSourceCode(doc);
    EXPECT_EQ(second, first);
    EXPECT_TRUE(second->sourceText().contains("<title>Second title</title>"));
    EXPECT_FALSE(second->sourceText().contains("First title"));
    delete doc.sourceCodeController;
}
