#pragma once
// The mail settings sheet: sender, SMTP server, login, port and connection security,
// one click per common provider, and a test e-mail sent with what is typed. Save &
// Close stores the fields; the connection security is stored as soon as it is chosen.
#include <QDialog>

#include "publishing/MailAccountSettings.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QWidget;
class ConnectionLogWindowController;

class MailSettingWindowController : public QDialog {
    Q_OBJECT
public:
    explicit MailSettingWindowController(QWidget *parent = nullptr);

    // Shows the one sheet over mainWindow (window-modal), made on first use.
    static MailSettingWindowController *showMailSettings(QWidget *mainWindow);

    // The stored settings into the fields and the connection control.
    void refresh();
    MailAccountSettings::Fields fields() const;
    void saveMailSettings();
    void hideMailSettingsPanel();
    void cancelMailSettingSheet();
    void updatedConnection(int segment);
    void autoconfigureMyMailServers(const QString &title);
    // Asks, then sends the test e-mail; the outcome in an alert.
    void testEmail();
    void sendEmailNow();
    bool isSending() const { return sending_; }
    // Tests: the certificates the test e-mail verifies against.
    void setCertificateBundle(const QByteArray &pem) { bundle_ = pem; }

    QLineEdit *mailName() const { return mailName_; }
    QLineEdit *mailAddress() const { return mailAddress_; }
    QLineEdit *mailServer() const { return mailServer_; }
    QLineEdit *mailUsername() const { return mailUsername_; }
    QLineEdit *mailPassword() const { return mailPassword_; }
    QLineEdit *mailServerPortNumber() const { return mailServerPortNumber_; }
    QButtonGroup *connectionSegmentedControl() const { return connection_; }
    QWidget *autoConfigureMatrix() const { return matrix_; }
    QPushButton *testButton() const { return testButton_; }
    QPushButton *saveAndCloseButton() const { return saveButton_; }
    QPushButton *cancelButton() const { return cancelButton_; }
    // The text of the last test send, for the error log.
    QString sendMailResults;

signals:
    void testSendFinished(bool sent);

private:
    void showConnectionLog(const QString &log);

    QLineEdit *mailName_ = nullptr;
    QLineEdit *mailAddress_ = nullptr;
    QLineEdit *mailServer_ = nullptr;
    QLineEdit *mailUsername_ = nullptr;
    QLineEdit *mailPassword_ = nullptr;
    QLineEdit *mailServerPortNumber_ = nullptr;
    QButtonGroup *connection_ = nullptr;
    QWidget *matrix_ = nullptr;
    QPushButton *testButton_ = nullptr;
    QPushButton *saveButton_ = nullptr;
    QPushButton *cancelButton_ = nullptr;
    ConnectionLogWindowController *log_ = nullptr;
    bool sending_ = false;
    QByteArray bundle_;
};
