#include "app/ui/TemplateCommands.h"

#include "app/SKTAppDelegate.h"
#include "app/ui/TemplateWindowController.h"
#include "platform/NotificationCenter.h"
#include "platform/ui/CommandRegistry.h"

void registerTemplateCommands()
{
    SKTAppDelegate &delegate = SKTAppDelegate::shared();
    TemplateWindowController::install(delegate);
    // A click on the chooser's background clears the border (the template
    // clicked last stays selected).
    NotificationCenter::defaultCenter().removeObserver(&delegate, QStringLiteral("clearTemplateSelection"));
    NotificationCenter::defaultCenter().addObserver(&delegate, QStringLiteral("clearTemplateSelection"), nullptr,
                                                    [&delegate](const Notification &) { delegate.clearTemplateSelection(); });

    CommandRegistry::addApplicationCommands(QStringLiteral("templates"), [&delegate](ActionMap &commands) {
        // While the chooser is being prepared its commands wait.
        auto idle = [&delegate](ActionItemState &) { return !delegate.templatePreparationRunning(); };
        commands.add(QStringLiteral("showTemplateWebsite"), [&delegate](const ActionItemState &) { delegate.showTemplateWebsite(); }, idle);
        commands.add(QStringLiteral("showTemplate"), [&delegate](const ActionItemState &) { delegate.showTemplate(); }, idle);
        commands.add(QStringLiteral("launchSingleDocTemplate"),
                     [&delegate](const ActionItemState &) { delegate.launchSingleDocTemplate(); });
        commands.add(QStringLiteral("launchTemplate"), [&delegate](const ActionItemState &) { delegate.launchTemplate(); });
        commands.add(QStringLiteral("directlyLaunchSingleDocBlank"),
                     [&delegate](const ActionItemState &) { delegate.directlyLaunchSingleDocBlank(); });
        // A new page or a new base template of the open project, from the chooser.
        commands.add(QStringLiteral("startNewPage"), [&delegate](const ActionItemState &) { delegate.startNewPage(); }, idle);
        commands.add(QStringLiteral("startNewTemplate"),
                     [&delegate](const ActionItemState &) { delegate.startNewTemplate(); }, idle);
        commands.add(QStringLiteral("launchGettingStartedGuide"),
                     [&delegate](const ActionItemState &) { delegate.launchGettingStartedGuide(); });
    });
}
