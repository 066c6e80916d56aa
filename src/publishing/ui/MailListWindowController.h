#pragma once
// Picks e-mail addresses from the program's contacts into the default To, CC or BCC
// list; every open recipient sheet shows them at once. Contacts can be imported from
// vCard or CSV files here.
#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class MailListWindowController : public QDialog {
    Q_OBJECT
public:
    explicit MailListWindowController(QWidget *parent = nullptr);

    // The book's addresses into the list (the selection is cleared).
    void populateContacts();
    void grabTOContacts();
    void grabCCContacts();
    void grabBCCContacts();
    // Asks for a .vcf or .csv file and adds its people to the book.
    void importContacts();
    void contactsUpdated();

    QListWidget *peoplePickerView() const { return picker_; }
    QPushButton *toButton() const { return to_; }
    QPushButton *ccButton() const { return cc_; }
    QPushButton *bccButton() const { return bcc_; }
    QPushButton *importButton() const { return import_; }

private:
    void grab(int field);

    QListWidget *picker_ = nullptr;
    QLabel *notes_ = nullptr;
    QPushButton *to_ = nullptr;
    QPushButton *cc_ = nullptr;
    QPushButton *bcc_ = nullptr;
    QPushButton *import_ = nullptr;
};
