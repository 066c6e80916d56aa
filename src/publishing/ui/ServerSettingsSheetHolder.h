#pragma once
// The application's hold on the publishing server's settings sheet: one sheet for
// the whole run, made at the first request and shown again over whichever window
// asks next. Kept apart from the application delegate so that publishing alone
// decides when the sheet is made and what it shows.
#include <QPointer>

class PreferenceWindowController;
class QWidget;

class ServerSettingsSheetHolder {
public:
    static ServerSettingsSheetHolder &shared();

    // Shows the sheet over mainWindow (window-modal; application-modal without one),
    // making it on first use; the fields show the stored account.
    PreferenceWindowController *showPreferencesPanel(QWidget *mainWindow);
    // Closes the sheet if it is open; nothing stored changes.
    void cancelPreferencesModalSheet();

    PreferenceWindowController *ftpSettingsPanelController() const { return ftpSettingsPanelController_; }

private:
    QPointer<PreferenceWindowController> ftpSettingsPanelController_;
};
