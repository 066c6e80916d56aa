#pragma once
// The list of saved server profiles, as the settings sheet's drawer shows it: one
// row per profile (protocol, user and server; base URL; remote path) with Choose and
// Delete. It follows "mailingListUpdated" and keeps its selected row.
#include <QWidget>

class QListWidget;
class QPushButton;

class SavedMailingListViewController : public QWidget {
    Q_OBJECT
public:
    explicit SavedMailingListViewController(QWidget *parent = nullptr);

    void chooseSavedRecord();
    void deleteSavedRecord();
    void refreshTableViewAfterDelete();
    void refreshTableViewAfterUpdate();

    QListWidget *tableView() const { return tableView_; }
    QPushButton *chooseButton() const { return chooseButton_; }
    QPushButton *deleteRecordButton() const { return deleteRecordButton_; }

private:
    void reload();

    QListWidget *tableView_ = nullptr;
    QPushButton *chooseButton_ = nullptr;
    QPushButton *deleteRecordButton_ = nullptr;
};
