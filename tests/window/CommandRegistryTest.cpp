#include "platform/ui/CommandRegistry.h"

#include <gtest/gtest.h>

TEST(CommandRegistry, WindowsGatherEveryRegisteredCommandAndReachTheCurrentPage)
{
    CommandRegistry::clear();
    QStringList ran;
    CommandRegistry::addWindowCommands("mail", [&](ActionMap &commands, const DocumentWindowContext &context) {
        commands.add("sendEmail", [&ran, context](const ActionItemState &) {
            ran << "send:" + context.currentProjectFolder();
        });
    });
    CommandRegistry::addWindowCommands("print", [&](ActionMap &commands, const DocumentWindowContext &) {
        commands.add("printDocument", [&ran](const ActionItemState &) { ran << "print"; });
    });
    // Registering a name again replaces its installer instead of doubling it.
    CommandRegistry::addWindowCommands("print", [&](ActionMap &commands, const DocumentWindowContext &) {
        commands.add("printDocument", [&ran](const ActionItemState &) { ran << "print2"; });
    });
    CommandRegistry::addApplicationCommands("help", [&](ActionMap &commands) {
        commands.add("launchUserGuide", [&ran](const ActionItemState &) { ran << "guide"; });
    });

    QString folder = "/a";
    DocumentWindowContext context;
    context.projectFolder = [&folder] { return folder; };
    ActionMap window, application;
    CommandRegistry::installWindowCommands(window, context);
    CommandRegistry::installApplicationCommands(application);
    EXPECT_EQ(window.actions(), (QStringList{"printDocument", "sendEmail"}));

    folder = "/b";  // the user switched projects' pages: commands see the new one
    ResponderChain::send({&window, &application}, "sendEmail", {});
    ResponderChain::send({&window, &application}, "printDocument", {});
    ResponderChain::send({&window, &application}, "launchUserGuide", {});
    EXPECT_EQ(ran, (QStringList{"send:/b", "print2", "guide"}));
    CommandRegistry::clear();
}
