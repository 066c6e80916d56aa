#pragma once
// Publishing's commands, added to every document window and to the application:
// publishing the page, the site or chosen files; exporting the page as a folder, a
// campaign zip or a picture; the previews and the share window (window commands);
// the server settings sheet, its connection test and page import (application
// commands).
class PublishingWindowSession;
class ActionMap;
struct DocumentWindowContext;

// Registers both kinds with CommandRegistry; main() calls it once.
void registerPublishingCommands();

// What registerPublishingCommands installs in one window; answers the window's
// session (owned by the installed commands).
PublishingWindowSession *installPublishingWindowCommands(ActionMap &commands, const DocumentWindowContext &context);
void installPublishingApplicationCommands(ActionMap &commands);
