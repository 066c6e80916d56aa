#pragma once
// The publishing server's settings sheet: the account's fields (each stored when its
// edit is committed), protocol and transfer mode (stored at each change), the saved
// profiles beside them and in a drawer, the server test, and Save and Close, which
// cleans the fields, warns about missing values and records the account as a profile.
#include "publishing/ServerSettings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class SavedMailingListViewController;
class ServerConnectionTest;
class ConnectionLogWindowController;

class PreferenceWindowController : public QDialog {
    Q_OBJECT
public:
    explicit PreferenceWindowController(QWidget *parent = nullptr);
    ~PreferenceWindowController() override;

    // Shows the one sheet over mainWindow (window-modal), making it on first use.
    static PreferenceWindowController *showPreferencesPanel(QWidget *mainWindow);

    // Shows the stored account in the fields, protocol segment and mode check box.
    void refreshSettings();
    // Cleans the fields, writes them back and stores them (the password too).
    ServerAccount runValueVerifications();
    // The fields as they stand.
    ServerAccount fields() const;
    void saveFTPSettings();
    void saveSettings();
    void askToTest();
    void cancelPreferencesModalSheet();
    void toggleSavedMailingListDrawer();
    void chooseSavedRecord();
    void deleteSavedRecord();

    QLineEdit *FTPServer() const { return server_; }
    QLineEdit *FTPUsername() const { return username_; }
    QLineEdit *FTPPassword() const { return password_; }
    QLineEdit *FTPWebsiteBaseURL() const { return baseUrl_; }
    QLineEdit *FTPServerPortNumber() const { return port_; }
    QLineEdit *FTPRemotePath() const { return remotePath_; }
    QButtonGroup *FTPTypeSegmentedControl() const { return type_; }
    QCheckBox *FTPPassiveModeCheckbox() const { return passive_; }
    QListWidget *tableView() const { return tableView_; }
    QWidget *profilesBox() const { return profilesBox_; }
    QPushButton *saveAndCloseButton() const { return saveButton_; }
    QPushButton *testButton() const { return testButton_; }
    QPushButton *cancelButton() const { return cancelButton_; }
    SavedMailingListViewController *savedMailingListViewController() const { return drawer_; }
    ServerConnectionTest *serverTest() const { return test_; }

private:
    void reloadProfiles();
    void showConnectionLog(const QString &log);

    QLineEdit *server_ = nullptr;
    QLineEdit *username_ = nullptr;
    QLineEdit *password_ = nullptr;
    QLineEdit *baseUrl_ = nullptr;
    QLineEdit *port_ = nullptr;
    QLineEdit *remotePath_ = nullptr;
    QButtonGroup *type_ = nullptr;
    QCheckBox *passive_ = nullptr;
    QCheckBox *showPassword_ = nullptr;
    QListWidget *tableView_ = nullptr;
    QWidget *profilesBox_ = nullptr;
    QPushButton *saveButton_ = nullptr;
    QPushButton *testButton_ = nullptr;
    QPushButton *cancelButton_ = nullptr;
    QPushButton *drawerButton_ = nullptr;
    SavedMailingListViewController *drawer_ = nullptr;
    ServerConnectionTest *test_ = nullptr;
    ConnectionLogWindowController *log_ = nullptr;
};
