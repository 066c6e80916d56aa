// "Save As..." in a window that lists a project's pages. The File menu hides
// the item there, but the menu is validated only when it opens: its shortcut
// (Ctrl+Shift+S) stayed live in a fresh project window, wrote the page to a
// package outside the project, and the project's refresh then showed the new
// photo on a page marked saved whose package never got it.
#include "support/RealProgram.h"

#include "app/SKTAppDelegate.h"
#include "document/SKTDocument.h"
#include "model/SKTImage.h"
#include "platform/ActionResponder.h"
#include "window/ui/SKTWindowController.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QShortcutEvent>
#include <gtest/gtest.h>

namespace {

class SaveAsInProjectTest : public RealProgramTest {
protected:
    static int photos(const SKTDocument &doc)
    {
        int n = 0;
        for (const auto &g : doc.graphics())
            n += dynamic_cast<SKTImage *>(g.get()) != nullptr;
        return n;
    }

    static int photosIn(const QString &package)
    {
        SKTDocument page;
        return page.readFromFile(package) ? photos(page) : -1;
    }

    // The menu bar's item with this shortcut, as the window holds it now
    // (no menu opened, so no fresh validation).
    static QAction *itemWithShortcut(SKTWindowController *window, const QKeySequence &keys)
    {
        QList<QAction *> level = window->menuBar()->actions();
        while (!level.isEmpty()) {
            QList<QAction *> next;
            for (QAction *action : level) {
                if (action->shortcut() == keys)
                    return action;
                if (action->menu())
                    next << action->menu()->actions();
            }
            level = next;
        }
        return nullptr;
    }

    // Delivers the shortcut as the window system does when it is live: Qt
    // takes an item's shortcut only while it is visible and enabled.
    static void pressShortcut(QAction *action)
    {
        if (!action->isVisible() || !action->isEnabled())
            return;
        QShortcutEvent press(action->shortcut(), 0);
        QCoreApplication::sendEvent(action, &press);
        settleEvents(10);
    }
};

TEST_F(SaveAsInProjectTest, TheHiddenItemsShortcutSavesNothingAwayAndTheNewPhotoIsSavedInTheProject)
{
    launchAs(QStringLiteral("HTML Zov Pro"));
    SKTWindowController *window = openProject(QStringLiteral("Site")) ? frontWindow() : nullptr;
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    SKTDocument &doc = window->document();
    const QString page = doc.fileURLPath;
    ASSERT_EQ(photosIn(page), 0);

    const QString photo = writePhoto({120, 80});
    ASSERT_FALSE(photo.isEmpty());
    panels.answer(photo);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Add New/Image"), &why)) << qPrintable(why);
    ASSERT_TRUE(spinUntil([&] { return photos(doc) == 1; }, 5000));

    QAction *saveAs = itemWithShortcut(window, QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    ASSERT_NE(saveAs, nullptr);
    const QString away = path(QStringLiteral("away.") + QFileInfo(page).suffix());
    panels.answer(away);
    const qsizetype panelsBefore = panels.savePanels().size();
    pressShortcut(saveAs);
    EXPECT_EQ(panels.savePanels().size(), panelsBefore) << "the save panel of a hidden item opened";
    EXPECT_FALSE(QFileInfo::exists(away));
    EXPECT_EQ(doc.fileURLPath, page);
    EXPECT_EQ(photos(doc), 1);
    EXPECT_TRUE(doc.isDocumentEdited());

    // The window's Save puts the photo in the project's page.
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("File/Save"), &why)) << qPrintable(why);
    EXPECT_FALSE(doc.isDocumentEdited()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    EXPECT_EQ(photos(doc), 1);
    EXPECT_EQ(photosIn(page), 1);
}

}  // namespace
