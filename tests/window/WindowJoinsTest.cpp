// The document window's own controls in the running program: the web and
// e-mail canvas-size segments of the toolbar, the fixed inspector with the
// edition's hiding set applied, the inspector rebuilt only for its own page,
// and the remove-table-background command shown only while there is one.
#include "support/RealProgram.h"

#include "app/SKTAppDelegate.h"
#include "app/ui/AppShell.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "config/EditionSettings.h"
#include "document/PageReadApply.h"
#include "document/SKTDocument.h"
#include "platform/NotificationCenter.h"
#include "platform/UndoManager.h"
#include "platform/ui/WindowPlacement.h"
#include "sidebar/FormatRowCatalogue.h"
#include "sidebar/SidebarPlans.h"
#include "canvas/ui/DocumentSidebar.h"
#include "sidebar/ui/FixedSidebarPanel.h"
#include "sidebar/ui/SidebarControls.h"
#include "window/ui/SKTWindowController.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

class WindowJoinsTest : public RealProgramTest {};

TEST_F(WindowJoinsTest, TheWebSizeSegmentsGiveTheCanvasTheirFrameAndLeaveThePageAlone)
{
    for (const char *edition : {"HTML Zov Pro", "Trelko Forms Pro"}) {
        SCOPED_TRACE(edition);
        launchAs(QString::fromLatin1(edition));
        SKTWindowController *window = openProject(QStringLiteral("%1 site").arg(QString::fromLatin1(edition)));
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        const int width = gCanvasWidth;
        const QRectF pageBounds = window->graphicView().canvasBounds();
        struct Case {
            const char *button;
            QSize frame;
        } cases[] = {{"Mobile", {450, 5000}}, {"Full", {1250, 10000}}, {"Wide", {2500, 50000}}};
        for (const Case &c : cases) {
            QString why;
            ASSERT_TRUE(ToolbarButton::click(window, QString::fromLatin1(c.button), &why)) << qPrintable(why);
            EXPECT_EQ(window->graphicView().canvasBounds().size().toSize(), c.frame) << c.button;
            EXPECT_EQ(window->canvasWidget()->size(), (QSizeF(c.frame) * window->canvasWidget()->zoomFactor()).toSize());
            EXPECT_EQ(gCanvasWidth, width);
            EXPECT_FALSE(window->document().isDocumentEdited());
            QAction *segment = ToolbarButton::find(window, QString::fromLatin1(c.button));
            ASSERT_NE(segment, nullptr);
            EXPECT_TRUE(segment->isChecked());
        }
        // The page's own size comes back when the page's size is next announced.
        window->document().announceCanvasSizeChange();
        EXPECT_EQ(window->graphicView().canvasBounds(), pageBounds);
        window->document().markClean();
        window->close();
        settleEvents();
        shell.reset();
        settleEvents();
    }
}

TEST_F(WindowJoinsTest, TheMailSizeSegmentsAreAnUndoableChangeOfThePage)
{
    launchAs(QStringLiteral("Glentor Mails Pro 2"));
    SKTWindowController *window = openProject(QStringLiteral("Mails"));
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    struct Case {
        const char *button;
        int width;
        const char *type;
    } cases[] = {{"Standard", 700, "Standard"}, {"Extra Wide", 900, "Extra Wide"}, {"Flex", 900, "Flex"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.button);
        const int widthBefore = gCanvasWidth;
        const QString typeBefore = gCanvasSizeType;
        window->document().markClean();
        QString why;
        ASSERT_TRUE(ToolbarButton::click(window, QString::fromLatin1(c.button), &why)) << qPrintable(why);
        EXPECT_EQ(gCanvasWidth, c.width);
        EXPECT_EQ(gCanvasSizeType, QString::fromLatin1(c.type));
        EXPECT_EQ(window->graphicView().canvasBounds().size(), QSizeF(c.width, gCanvasMaxHeight));
        EXPECT_TRUE(window->document().isDocumentEdited());
        window->validateToolbar();
        EXPECT_TRUE(ToolbarButton::find(window, QString::fromLatin1(c.button))->isChecked());
        if (gCanvasSizeType != typeBefore) {
            window->document().undoManager().undo();
            EXPECT_EQ(gCanvasWidth, widthBefore);
            EXPECT_EQ(gCanvasSizeType, typeBefore);
            window->document().undoManager().redo();
            EXPECT_EQ(gCanvasSizeType, QString::fromLatin1(c.type));
        }
    }
    window->document().markClean();
}

TEST_F(WindowJoinsTest, APageLoadedWithASizeTypeGetsItsWidth)
{
    const struct {
        const char *type;
        int width;
    } cases[] = {{"Standard", 700}, {"Extra Wide", 900}, {"Flex", 900}, {"", 900}};
    for (const auto &c : cases) {
        gCanvasSizeType = QString::fromLatin1(c.type);
        PageReadApply::adjustCanvasSizeType();
        EXPECT_EQ(gCanvasWidth, c.width) << c.type;
    }
    EditionSettings::resetToInitialState();
}

TEST_F(WindowJoinsTest, TheInspectorHidesWhatTheEditionHides)
{
    const QStringList linkRows{QStringLiteral("Hyperlink"), QStringLiteral("Link Launch Window")};
    const QStringList altRows{QStringLiteral("Image Tooltip")};
    const QStringList scrollRows{QStringLiteral("Scroll Lock")};
    struct Case {
        const char *edition;
        bool linkShown, altShown, scrollShown;
    } cases[] = {
        {"Ostravel Envelope Designer", false, false, false}, {"Tovra Greeting Card Designer", false, false, false},
        {"Tarnaby Pro", false, false, false},                {"Carrowel", true, false, true},
        {"HTML Zov Pro", true, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.edition);
        launchAs(QString::fromLatin1(c.edition));
        SKTWindowController *window = openProject(QStringLiteral("%1 project").arg(QString::fromLatin1(c.edition)));
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        DocumentInspector *inspector = window->documentInspector();
        if (FixedInspectorPanel *panel = inspector->fixedPanel()) {
            // The fixed panel: its controls and captions, with the page's
            // graphics selected (a selection shows the controls again).
            window->graphicView().selectAll();
            inspector->refreshNow();
            const auto shown = [panel](const char *name) {
                QWidget *w = panel->findChild<QWidget *>(QString::fromLatin1(name));
                return w && !w->isHidden();
            };
            for (const char *name : {"linkTextFieldLabel", "hyperLinkTextField", "linkOptionSegmentedControl"})
                EXPECT_EQ(shown(name), c.linkShown) << name;
            EXPECT_EQ(shown("altTextField"), c.altShown);
            for (const char *name : {"scrollSegmentedControl", "scrollTextFieldLabel"})
                EXPECT_EQ(shown(name), c.scrollShown) << name;
            EXPECT_TRUE(shown("opacitySlider"));
        } else {
            // The sidebar: the FORMAT rows of a selected text box and picture.
            ASSERT_NE(inspector->sidebar(), nullptr);
            FormatPlanInput in{{QStringLiteral("Text"), QStringLiteral("Image")}, gEditionFamilyKey, gResponsiveEdition,
                               gAppName, 270};
            in.hiddenControls = window->editionToolbarSpec().hidden;
            const QStringList titles = planFormatRows(FormatRowCatalogue::table(), in).shownTitles(FormatRowCatalogue::table());
            // (The rows an edition keeps may still be left out for its family.)
            for (const QString &t : linkRows)
                EXPECT_TRUE(c.linkShown || !titles.contains(t)) << qPrintable(t);
            for (const QString &t : altRows)
                EXPECT_TRUE(c.altShown || !titles.contains(t)) << qPrintable(t);
            for (const QString &t : scrollRows)
                EXPECT_TRUE(c.scrollShown || !titles.contains(t)) << qPrintable(t);
        }
        window->document().markClean();
        window->close();
        settleEvents();
        shell.reset();
        settleEvents();
    }
}

TEST_F(WindowJoinsTest, ARefreshOfTheInspectorReachesOnlyTheWindowOfThatPage)
{
    launchAs(QStringLiteral("HTML Zov Pro"));
    SKTWindowController *first = openProject(QStringLiteral("First"));
    SKTWindowController *second = openProject(QStringLiteral("Second"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    settleEvents();
    ASSERT_FALSE(first->documentInspector()->refreshPending());
    ASSERT_FALSE(second->documentInspector()->refreshPending());
    NotificationCenter::defaultCenter().postNotification(QStringLiteral("refreshInspectorPanel"),
                                                         &second->document().events());
    EXPECT_FALSE(first->documentInspector()->refreshPending());
    EXPECT_TRUE(second->documentInspector()->refreshPending());
    settleEvents();
}

TEST_F(WindowJoinsTest, WindowsAreKeptWithinTheScreensRoom)
{
    const QRect screen(0, 0, 1600, 1000);
    const struct {
        QRect asked;
        QSize minimum;
        QRect placed;
    } cases[] = {
        // Fits already: unchanged.
        {{100, 100, 800, 600}, {0, 0}, {100, 100, 800, 600}},
        // Too tall: as tall as the room below a title bar.
        {{100, 100, 1200, 1100}, {0, 0}, {100, 32, 1200, 964}},
        // Reaching past the bottom right: moved back in.
        {{1200, 700, 600, 500}, {0, 0}, {996, 496, 600, 500}},
        // Above and left of the screen: moved in.
        {{-50, -20, 400, 300}, {0, 0}, {4, 32, 400, 300}},
        // Never below the window's minimum.
        {{0, 0, 500, 1200}, {200, 990}, {4, 32, 500, 990}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WindowPlacement::fitted(c.asked, screen, c.minimum), c.placed);
}

}  // namespace
