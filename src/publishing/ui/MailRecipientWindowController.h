#pragma once
// The recipient sheet of a mail design: To, CC and BCC (comma-separated), the
// subject, and for the picture editions a header, a footer and the picture's
// tooltip. Lists can be stored as the defaults, saved under a name, recalled from
// the saved lists, or picked from the contacts.
#include "publishing/MailSendRoad.h"

#include <QDialog>

class MailListWindowController;
class PopOverViewController;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class SavedMailingListWindowController;

class MailRecipientWindowController : public QDialog {
    Q_OBJECT
public:
    explicit MailRecipientWindowController(QWidget *parent = nullptr);

    // What the send road reads.
    MailSendRoad::RecipientSheet recipientSheet() const;
    // The stored default lists and subject into the fields (unset ones unchanged),
    // and the picture-hosting label.
    void refreshRecipientList();
    void saveAsDefault();
    void saveAsDefaultSettings();
    void saveMailingList(const QString &title);
    void showSaveMailingListPopoverAction();
    void toggleSavedMailingListDrawer();
    void toggleMailingListDrawer();
    void cancelMailRecipientSheet();

    QPlainTextEdit *toFieldTextView() const { return to_; }
    QPlainTextEdit *ccFieldTextView() const { return cc_; }
    QPlainTextEdit *bccFieldTextView() const { return bcc_; }
    QLineEdit *mailSubjectTextField() const { return subject_; }
    QPlainTextEdit *headerTextView() const { return header_; }
    QPlainTextEdit *footerTextView() const { return footer_; }
    QLineEdit *tooltipTextView() const { return tooltip_; }
    QLabel *mailStorageOptionTextField() const { return storage_; }
    QPushButton *saveAsDefaultButton() const { return saveDefault_; }
    QPushButton *saveListButton() const { return saveList_; }
    QPushButton *savedListButton() const { return savedList_; }
    QPushButton *contactsButton() const { return contacts_; }
    QPushButton *sendMailButton() const { return send_; }
    QPushButton *cancelButton() const { return cancel_; }
    QWidget *optionalTextContent() const { return optional_; }
    PopOverViewController *popOverViewController() const { return popover_; }
    SavedMailingListWindowController *savedMailingListViewController() const { return savedLists_; }

signals:
    void sendRequested();

private:
    QPlainTextEdit *to_ = nullptr;
    QPlainTextEdit *cc_ = nullptr;
    QPlainTextEdit *bcc_ = nullptr;
    QLineEdit *subject_ = nullptr;
    QPlainTextEdit *header_ = nullptr;
    QPlainTextEdit *footer_ = nullptr;
    QLineEdit *tooltip_ = nullptr;
    QLabel *storage_ = nullptr;
    QWidget *optional_ = nullptr;
    QPushButton *saveDefault_ = nullptr;
    QPushButton *saveList_ = nullptr;
    QPushButton *savedList_ = nullptr;
    QPushButton *contacts_ = nullptr;
    QPushButton *send_ = nullptr;
    QPushButton *cancel_ = nullptr;
    PopOverViewController *popover_ = nullptr;
    SavedMailingListWindowController *savedLists_ = nullptr;
    MailListWindowController *mailList_ = nullptr;
};
