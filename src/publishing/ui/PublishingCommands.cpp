#include "publishing/ui/PublishingCommands.h"

#include "publishing/PageImportHost.h"
#include "publishing/ui/ImportPageWindowController.h"
#include "generation/ui/FormPreferencesDialog.h"
#include "document/ui/PagePreferencesDialog.h"
#include "generation/ui/SourceCodeWindowController.h"
#include "platform/ActionResponder.h"
#include "publishing/PageExport.h"
#include "publishing/ui/PagePreviews.h"
#include "publishing/ui/PreferenceWindowController.h"
#include "publishing/ui/PublishingWindowSession.h"
#include "publishing/ui/ServerSettingsSheetHolder.h"
#include "publishing/ui/ShareWindowController.h"
#include "platform/ui/CommandRegistry.h"

#include <QApplication>
#include <QWidget>

#include <memory>

namespace {

using Session = std::shared_ptr<PublishingWindowSession>;

// A command that needs the page: disabled without one.
bool withPage(const Session &session)
{
    return session->context().currentDocument() != nullptr;
}

void addPublish(ActionMap &commands, const Session &session, const QString &action,
                void (PublishCommands::*run)())
{
    commands.add(
        action,
        [session, run](const ActionItemState &) {
            if (PublishCommands *publish = session->commands())
                (publish->*run)();
        },
        [session, action](ActionItemState &item) {
            // One job per window: every publish command waits for the running one.
            if (!withPage(session) || session->isPublishing())
                return false;
            const PublishCommands::MenuState state =
                PublishCommands::validateMenuItem(action + QLatin1Char(':'), session->pagesListed());
            item.visible = !state.hidden;
            return state.enabled;
        });
}

void addExport(ActionMap &commands, const Session &session, const QString &action, void (PageExport::*run)())
{
    commands.add(
        action,
        [session, run](const ActionItemState &) {
            if (PageExport *page = session->exporter())
                (page->*run)();
        },
        [session](ActionItemState &) { return withPage(session); });
}

}  // namespace

PublishingWindowSession *installPublishingWindowCommands(ActionMap &commands, const DocumentWindowContext &context)
{
    auto session = std::make_shared<PublishingWindowSession>(context);
    addPublish(commands, session, QStringLiteral("publishSinglePageWithImages"), &PublishCommands::publishSinglePageWithImages);
    addPublish(commands, session, QStringLiteral("publishSinglePageNoImages"), &PublishCommands::publishSinglePageNoImages);
    addPublish(commands, session, QStringLiteral("publishWebsiteWithImages"), &PublishCommands::publishWebsiteWithImages);
    addPublish(commands, session, QStringLiteral("publishWebsiteNoImages"), &PublishCommands::publishWebsiteNoImages);
    addPublish(commands, session, QStringLiteral("selectDocumentsToUpload"), &PublishCommands::selectDocumentsToUpload);

    addExport(commands, session, QStringLiteral("exportFileTo"), &PageExport::exportFileTo);
    addExport(commands, session, QStringLiteral("exportZip"), &PageExport::exportZip);
    addExport(commands, session, QStringLiteral("exportPDFPage"), &PageExport::exportPDFPage);
    addExport(commands, session, QStringLiteral("exportPNGPage"), &PageExport::exportPNGPage);
    addExport(commands, session, QStringLiteral("exportJPEGPage"), &PageExport::exportJPEGPage);

    const auto hasPage = [session](ActionItemState &) { return withPage(session); };
    commands.add(
        QStringLiteral("showWebPreview"),
        [session](const ActionItemState &) {
            if (PagePreviews *previews = session->previews())
                previews->showWebPreview();
        },
        hasPage);
    commands.add(
        QStringLiteral("showMobileWebPreview"),
        [session](const ActionItemState &) {
            if (PagePreviews *previews = session->previews())
                previews->showMobileWebPreview();
        },
        hasPage);
    commands.add(
        QStringLiteral("showShareWindowController"),
        [session](const ActionItemState &) { session->showShareWindowController(); }, hasPage);

    // The page's settings windows and its source.
    commands.add(
        QStringLiteral("showPagePreferences"),
        [session](const ActionItemState &) {
            if (SKTDocument *document = session->context().currentDocument())
                PagePreferencesDialog::showPagePreferences(*document, session->context().window);
        },
        hasPage);
    commands.add(
        QStringLiteral("showFormPreferences"), [session](const ActionItemState &) { session->showFormPreferences(); },
        hasPage);
    commands.add(
        QStringLiteral("showOrHideSourceCode"),
        [session](const ActionItemState &) {
            if (SKTDocument *document = session->context().currentDocument())
                SourceCodeWindowController::showOrHideSourceCode(*document);
        },
        hasPage);
    commands.add(
        QStringLiteral("showOrHideSourceCodeStatic"),
        [session](const ActionItemState &) {
            if (SKTDocument *document = session->context().currentDocument())
                SourceCodeWindowController::showOrHideSourceCodeStatic(*document);
        },
        hasPage);
    commands.add(QStringLiteral("hideShareWindowControllerPanel"), [session](const ActionItemState &) {
        if (ShareWindowController *share = session->shareWindowController())
            share->hideShareWindow();
    });
    return session.get();
}

void installPublishingApplicationCommands(ActionMap &commands)
{
    commands.add(QStringLiteral("showPreferencesPanel"), [](const ActionItemState &) {
        ServerSettingsSheetHolder::shared().showPreferencesPanel(QApplication::activeWindow());
    });
    commands.add(QStringLiteral("cancelPreferencesModalSheet"),
                 [](const ActionItemState &) { ServerSettingsSheetHolder::shared().cancelPreferencesModalSheet(); });
    // The server test runs from the open sheet, which verifies and stores the
    // fields first.
    commands.add(
        QStringLiteral("askToTest"),
        [](const ActionItemState &) {
            if (PreferenceWindowController *sheet = ServerSettingsSheetHolder::shared().ftpSettingsPanelController())
                sheet->askToTest();
        },
        [](ActionItemState &) {
            PreferenceWindowController *sheet = ServerSettingsSheetHolder::shared().ftpSettingsPanelController();
            return sheet && sheet->isVisible();
        });
    commands.add(QStringLiteral("showPageImport"), [](const ActionItemState &) { PageImportHost::shared().showPageImport(); });
}

void registerPublishingCommands()
{
    ImportPageWindowController::install(PageImportHost::shared());
    CommandRegistry::addWindowCommands(QStringLiteral("publishing"), [](ActionMap &commands, const DocumentWindowContext &context) {
        installPublishingWindowCommands(commands, context);
    });
    CommandRegistry::addApplicationCommands(QStringLiteral("publishing"),
                                            [](ActionMap &commands) { installPublishingApplicationCommands(commands); });
}
