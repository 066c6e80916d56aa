// What a person does in a document window besides adding objects, through the
// real menu items: quit, preview, the page colour on the canvas, and the font
// alert that a new page never raises.
#include "support/RealProgram.h"

#include "app/ui/AppShell.h"
#include "canvas/SKTGraphicView.h"
#include "document/DocumentController.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "config/EditionSettings.h"
#include "document/PageReadApply.h"
#include "document/SKTDocument.h"
#include "platform/UndoManager.h"
#include "sidebar/ColorPicking.h"
#include "canvas/ui/DocumentSidebar.h"
#include "publishing/ui/WebPreviewWindow.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QPointer>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

#ifdef ZOV_WITH_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#endif

namespace {

class WindowJourneyTest : public RealProgramTest {
protected:
    // The application menu's quit item, whatever the edition calls itself.
    QString quitItem(SKTWindowController *window)
    {
        for (const QString &item : MenuPath::visibleItems(window))
            if (item.section(QLatin1Char('/'), -1).startsWith(QStringLiteral("Quit ")))
                return item;
        return {};
    }
};

TEST_F(WindowJourneyTest, QuitEndsTheProgramAfterTheSaveQuestion)
{
    launchAs(QString());
    int quits = 0;
    shell->setQuitHandler([&quits] { ++quits; });
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Add New/Text Box"), &why)) << qPrintable(why);
    ASSERT_TRUE(window->document().isDocumentEdited());
    const QString quit = quitItem(window);
    ASSERT_FALSE(quit.isEmpty());
    EXPECT_EQ(MenuPath::find(window, quit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));

    // Cancel keeps the window and the program.
    alerts.answer(QStringLiteral("Cancel"));
    ASSERT_TRUE(MenuPath::trigger(window, quit, &why)) << qPrintable(why);
    settleEvents(10);
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("This file has changed"));
    QPointer<SKTWindowController> kept = window;
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->isVisible());

    // Not saving ends the program; the welcome window does not come back.
    alerts.answer(QStringLiteral("No"));
    ASSERT_TRUE(MenuPath::trigger(window, quit, &why)) << qPrintable(why);
    spinUntil([&quits] { return quits > 0; }, 3000);
    EXPECT_EQ(quits, 1);
    settleEvents(10);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(AppShell::visibleWindowCount(), 0);
}

TEST_F(WindowJourneyTest, PreviewShowsAWindowAndTheProgramKeepsRunning)
{
    // The tests run as root on the build machines: the web view must start there.
    launchAs(QStringLiteral("HTML Zov Pro"));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Add New/Text Box"), &why)) << qPrintable(why);
    const QSet<QWidget *> before = [] {
        QSet<QWidget *> set;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                set.insert(w);
        return set;
    }();
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Publish/Web Preview"), &why)) << qPrintable(why);
    QWidget *preview = nullptr;
    spinUntil([&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && !before.contains(w) && w->windowTitle() == QLatin1String("Preview"))
                preview = w;
        return preview != nullptr;
    });
    ASSERT_NE(preview, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    if (::geteuid() == 0) {
        EXPECT_TRUE(qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"));
    }
    // Let the engine load the page; the program is still here to answer.
    settleEvents(20);
    spinUntil([] { return false; }, 1500);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(alerts.messages().contains(QStringLiteral("Preview Not Available")))
        << qPrintable(alerts.messages().join(QLatin1Char('\n')));

    // A web view whose engine goes away says so; the program and the page stay.
    auto *shown = qobject_cast<WebPreviewWindow *>(preview);
    ASSERT_NE(shown, nullptr);
#ifdef ZOV_WITH_WEBENGINE
    ASSERT_NE(shown->webView(), nullptr);
    spinUntil([shown] { return shown->webView()->page()->renderProcessPid() > 0; }, 5000);
    const qint64 pid = shown->webView()->page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    const qsizetype graphics = window->document().graphics().size();
    ::kill(pid_t(pid), SIGKILL);
    spinUntil([this] { return alerts.messages().contains(QStringLiteral("Preview Not Available")); }, 5000);
    EXPECT_TRUE(alerts.messages().contains(QStringLiteral("Preview Not Available")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->document().graphics().size(), graphics);
#endif
    preview->close();
}

class PageColourTest : public RealProgramTest, public ::testing::WithParamInterface<const char *> {};

QColor canvasPixel(SKTWindowController *window)
{
    auto *canvas = window->findChild<SKTGraphicViewWidget *>();
    if (!canvas)
        return {};
    const QImage grab = canvas->grab().toImage();
    // A corner of the page that no starter object covers.
    return grab.pixelColor(grab.width() - 6, grab.height() - 6);
}

TEST_P(PageColourTest, ThePageColourReachesTheCanvasAndUndoTakesItBack)
{
    launchAs(QString::fromUtf8(GetParam()));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr);
    settleEvents();
    const QColor start = canvasPixel(window);
    ASSERT_TRUE(start.isValid());
    SKTDocument &page = window->document();
    // As the inspector's canvas swatch does.
    ColorPicking::setCanvasColor(page, QStringLiteral("FF0000"), window);
    settleEvents();
    EXPECT_EQ(canvasPixel(window), QColor(255, 0, 0));
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Edit/Undo"), &why)) << qPrintable(why);
    settleEvents();
    EXPECT_EQ(canvasPixel(window), start);
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Edit/Redo"), &why)) << qPrintable(why);
    settleEvents();
    EXPECT_EQ(canvasPixel(window), QColor(255, 0, 0));

    // A clear page: the checkerboard where the edition clears the canvas, white elsewhere.
    ColorPicking::setCanvasColor(page, QStringLiteral("CLEAR0"), window);
    settleEvents();
    auto *canvas = window->findChild<SKTGraphicViewWidget *>();
    const QImage grab = canvas->grab().toImage();
    QSet<QRgb> shades;
    for (int x = grab.width() - 40; x < grab.width() - 2; ++x)
        shades.insert(grab.pixel(x, grab.height() - 6));
    if (gClearCanvasBackground)
        EXPECT_GE(shades.size(), 2) << "no checkerboard";
    else
        EXPECT_EQ(shades, QSet<QRgb>{QColor(Qt::white).rgb()});
}

INSTANTIATE_TEST_SUITE_P(Editions, PageColourTest,
                         ::testing::Values("", "HTML Zov Pro", "Mirvel Responsive Website Designer", "Trelko Forms Pro"));

TEST_F(WindowJourneyTest, ThePageColourOfAFileShowsWhenItOpens)
{
    launchAs(QStringLiteral("HTML Zov Pro"));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr);
    SKTDocument &page = window->document();
    ColorPicking::setCanvasColor(page, QStringLiteral("3366CC"), window);
    const QString file = path(QStringLiteral("blue.zovpage"));
    ASSERT_TRUE(page.saveThisPage(file, false)) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    page.markClean();
    window->close();
    settleEvents(10);
    DocumentController::shared().openDocument(file);
    spinUntil([] { return !SKTWindowController::allWindows().isEmpty(); }, 5000);
    SKTWindowController *opened = frontWindow();
    ASSERT_NE(opened, nullptr);
    settleEvents();
    EXPECT_EQ(canvasPixel(opened), QColor(0x33, 0x66, 0xCC));
}

class NewPageFontTest : public RealProgramTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(NewPageFontTest, ANewPageAndWhatTheMenuAddsRaiseNoFontAlert)
{
    PageReadApply::forgetReportedFonts();
    launchAs(QString::fromUtf8(GetParam()));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr);
    for (const QString &item : MenuPath::visibleItems(window)) {
        if (!item.startsWith(QStringLiteral("Add New/")) || item.endsWith(QStringLiteral("...")) ||
            item.contains(QStringLiteral("Place New Objects")))
            continue;
        MenuPath::trigger(window, item);
    }
    // Saved and opened again.
    const QString file = path(QStringLiteral("fonts.") + gDocumentExtension);
    ASSERT_TRUE(window->document().saveThisPage(file, false));
    window->document().markClean();
    const int windows = int(SKTWindowController::allWindows().size());
    ASSERT_NE(DocumentController::shared().openDocument(file), nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    spinUntil([windows] { return SKTWindowController::allWindows().size() > windows; }, 5000);
    settleEvents(10);
    EXPECT_FALSE(alerts.messages().contains(QStringLiteral("Font Not Supported")))
        << qPrintable(alerts.last().informativeText);
}

INSTANTIATE_TEST_SUITE_P(WebAndFormEditions, NewPageFontTest,
                         ::testing::Values("", "HTML Zov Pro", "Mirvel Responsive Website Designer",
                                           "Tovra Label Maker"));

}  // namespace
