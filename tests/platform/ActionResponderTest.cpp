#include "platform/ActionResponder.h"
#include "platform/ui/ActionBinding.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

struct ChainFixture : ::testing::Test {
    ActionMap canvas, window, delegate;
    QStringList ran;
    void SetUp() override
    {
        canvas.add("copy", [this](const ActionItemState &) { ran << "canvas.copy"; },
                   [](ActionItemState &item) {
                       item.title = "Copy Graphic";
                       return false;
                   });
        window.add("copy", [this](const ActionItemState &) { ran << "window.copy"; });
        window.add("addNewPage", [this](const ActionItemState &s) { ran << "window.add" + QString::number(s.tag); },
                   [](ActionItemState &item) {
                       item.checked = true;
                       return true;
                   });
        delegate.add("newDocument", [this](const ActionItemState &) { ran << "delegate.new"; });
        ResponderChain::setProvider([this] { return QList<ActionResponder *>{&canvas, &window, nullptr, &delegate}; });
    }
    void TearDown() override { ResponderChain::setProvider({}); }
};

TEST_F(ChainFixture, FrontmostResponderTakesTheActionAndValidatesIt)
{
    ActionItemState copy;
    copy.action = "copy";
    copy.title = "Copy";
    EXPECT_FALSE(ResponderChain::validate(copy));
    EXPECT_EQ(copy.title, "Copy Graphic");
    EXPECT_TRUE(ResponderChain::send("copy"));
    EXPECT_TRUE(ResponderChain::send("newDocument"));
    EXPECT_FALSE(ResponderChain::send("nobodyHasThis"));
    EXPECT_EQ(ran, (QStringList{"canvas.copy", "delegate.new"}));

    ActionItemState unknown;
    unknown.action = "nobodyHasThis";
    EXPECT_FALSE(ResponderChain::validate(unknown));
}

TEST_F(ChainFixture, MenusValidateBeforeShowingAndShortcutsRespectValidation)
{
    int argc = 1;
    char name[] = "test";
    char *argv[] = {name};
    QApplication *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    std::unique_ptr<QApplication> own;
    if (!app)
        own = std::make_unique<QApplication>(argc, argv);

    QMenu menu;
    QAction *copy = ActionBinding::makeAction("Copy", "copy", &menu);
    QAction *add = ActionBinding::makeAction("Add Page", "addNewPage", &menu, 7);
    QAction *none = ActionBinding::makeAction("Nothing", "nobodyHasThis", &menu);
    menu.addActions({copy, add, none});
    ActionBinding::validateNow(&menu);
    EXPECT_FALSE(copy->isEnabled());
    EXPECT_EQ(copy->text(), "Copy Graphic");
    EXPECT_TRUE(add->isEnabled());
    EXPECT_TRUE(add->isChecked());
    EXPECT_FALSE(none->isEnabled());

    // A submenu whose items are all hidden hides too, and returns with them.
    bool showPaste = false;
    canvas.add("pasteSpecial", [](const ActionItemState &) {}, [&showPaste](ActionItemState &item) {
        item.visible = showPaste;
        return true;
    });
    QMenu *sub = menu.addMenu("Paste As");
    sub->addAction(ActionBinding::makeAction("Special", "pasteSpecial", sub));
    ActionBinding::validateNow(&menu);
    EXPECT_FALSE(sub->menuAction()->isVisible());
    showPaste = true;
    ActionBinding::validateNow(&menu);
    EXPECT_TRUE(sub->menuAction()->isVisible());

    // A disabled item does not run even if triggered directly (a shortcut).
    copy->trigger();
    add->trigger();
    EXPECT_EQ(ran, (QStringList{"window.add7"}));
}

}  // namespace
