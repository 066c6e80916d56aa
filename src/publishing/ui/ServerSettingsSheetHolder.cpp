#include "publishing/ui/ServerSettingsSheetHolder.h"

#include "publishing/ui/PreferenceWindowController.h"

ServerSettingsSheetHolder &ServerSettingsSheetHolder::shared()
{
    static ServerSettingsSheetHolder holder;
    return holder;
}

PreferenceWindowController *ServerSettingsSheetHolder::showPreferencesPanel(QWidget *mainWindow)
{
    // A sheet made over a window that has closed since goes with it; the next
    // request makes a new one over the asking window.
    if (ftpSettingsPanelController_ && ftpSettingsPanelController_->parentWidget() != mainWindow
        && !ftpSettingsPanelController_->isVisible()) {
        ftpSettingsPanelController_->setParent(mainWindow, ftpSettingsPanelController_->windowFlags());
    }
    if (!ftpSettingsPanelController_)
        ftpSettingsPanelController_ = new PreferenceWindowController(mainWindow);
    PreferenceWindowController *sheet = ftpSettingsPanelController_;
    sheet->refreshSettings();
    sheet->setWindowModality(mainWindow ? Qt::WindowModal : Qt::ApplicationModal);
    sheet->open();
    return sheet;
}

void ServerSettingsSheetHolder::cancelPreferencesModalSheet()
{
    if (ftpSettingsPanelController_ && ftpSettingsPanelController_->isVisible())
        ftpSettingsPanelController_->cancelPreferencesModalSheet();
}
