// The test helpers that reach the program as a person does: menu items by
// their visible path and toolbar buttons by their text, in a document window
// made as the welcome window's new button makes it.
#include "support/RealProgram.h"

#include "window/ui/SKTWindowController.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

class RealProgramHelpersTest : public RealProgramTest {};

TEST_F(RealProgramHelpersTest, MenuItemsAndToolbarButtonsAreFoundByWhatAPersonReads)
{
    launchAs(QStringLiteral("HTML Zov Pro"));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));

    const QStringList items = MenuPath::visibleItems(window);
    EXPECT_TRUE(items.contains(QStringLiteral("File/Save"))) << qPrintable(items.join(QLatin1Char('\n')));

    QString why;
    QAction *save = MenuPath::find(window, QStringLiteral("File/Save"), &why);
    ASSERT_NE(save, nullptr) << qPrintable(why);
    EXPECT_EQ(MenuPath::find(window, QStringLiteral("File/No Such Item"), &why), nullptr);
    EXPECT_TRUE(why.contains(QStringLiteral("Save"))) << qPrintable(why);

    EXPECT_FALSE(ToolbarButton::texts(window).isEmpty());
    EXPECT_EQ(ToolbarButton::find(window, QStringLiteral("No Such Button"), &why), nullptr);
}

}  // namespace
