// An item an edition keeps (and titles) whose submenu the edition empties
// shows as a plain command with its title and action, in the real program.
#include "support/RealProgram.h"

#include "window/ui/SKTWindowController.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

class EmptySubmenuCommandTest : public RealProgramTest {};

TEST_F(EmptySubmenuCommandTest, KeptItemsWithNothingBelowThemAreCommands)
{
    const struct {
        const char *edition;
        const char *path;
    } cases[] = {{"Pellamy", "File/New Profile"},
                 {"Pellamy Vet Edition", "File/Add to Patient Database"},
                 {"Carrowel", "File/Add to Student Database"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.edition);
        launchAs(QString::fromLatin1(c.edition));
        SKTWindowController *window = newPageWindow();
        ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        const QStringList items = MenuPath::visibleItems(window);
        EXPECT_TRUE(items.contains(QString::fromLatin1(c.path))) << qPrintable(items.join(QLatin1Char('\n')));
        QString why;
        QAction *item = MenuPath::find(window, QString::fromLatin1(c.path), &why);
        ASSERT_NE(item, nullptr) << qPrintable(why);
        EXPECT_EQ(item->menu(), nullptr) << "a command, not an empty submenu";
        window->close();
        settleEvents();
        if (HasFailure())
            break;
    }
}

}  // namespace
