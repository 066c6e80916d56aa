#pragma once
// The image hosting sheet of the mail editions: Dropbox, the FTP server or inside
// the message, the chosen one shown in green.
#include <QDialog>

class QLabel;
class QPushButton;

class ImageSettingsWindowController : public QDialog {
    Q_OBJECT
public:
    explicit ImageSettingsWindowController(QWidget *parent = nullptr);

    // The one sheet over mainWindow, made on first use.
    static ImageSettingsWindowController *launchImageSettingsModalSheet(QWidget *mainWindow);

    // Colours the buttons and names the current option.
    void setupButtons();
    void selectedAttachmentOption();
    void selectedImageStorageFTPOption();
    void linkDropbox();
    void cancelImageSettingsModalSheet();

    QPushButton *dropboxButton() const { return dropbox_; }
    QPushButton *ftpButton() const { return ftp_; }
    QPushButton *attachmentButton() const { return attachment_; }
    QLabel *currentOptionTextField() const { return current_; }
    QPushButton *cancelButton() const { return cancel_; }

private:
    QPushButton *dropbox_ = nullptr;
    QPushButton *ftp_ = nullptr;
    QPushButton *attachment_ = nullptr;
    QLabel *current_ = nullptr;
    QPushButton *cancel_ = nullptr;
};
