#pragma once
// The saved mailing lists: one row per list, the chosen list's name and its To, CC
// and BCC texts to edit, and buttons to use the list in the recipient sheet, update
// it or delete it. Follows "mailingListUpdatedMail" and keeps its selected row.
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class SavedMailingListWindowController : public QWidget {
    Q_OBJECT
public:
    explicit SavedMailingListWindowController(QWidget *parent = nullptr);

    // The row's list into the fields; any other row clears them.
    void updateMailingListTextViews(int row);
    void updateSavedMailListRecord();
    void deleteSavedMailListRecord();
    // Hands the shown texts to the recipient sheet ("contactUpdatedMail").
    void populateCurrentTrueMailingList();
    void refreshTableViewAfterUpdate();
    void refreshTableViewAfterDelete();

    QListWidget *tableView() const { return tableView_; }
    QLineEdit *listNameTextField() const { return listName_; }
    QPlainTextEdit *toTextView() const { return to_; }
    QPlainTextEdit *ccTextView() const { return cc_; }
    QPlainTextEdit *bccTextView() const { return bcc_; }
    QPushButton *selectMailingListButton() const { return select_; }
    QPushButton *updateMailingListButton() const { return update_; }
    QPushButton *deleteRecordButton() const { return delete_; }

private:
    void reload();

    QListWidget *tableView_ = nullptr;
    QLineEdit *listName_ = nullptr;
    QPlainTextEdit *to_ = nullptr;
    QPlainTextEdit *cc_ = nullptr;
    QPlainTextEdit *bcc_ = nullptr;
    QPushButton *select_ = nullptr;
    QPushButton *update_ = nullptr;
    QPushButton *delete_ = nullptr;
};
