#pragma once
// Chooses the contacts of personalised designs: every person of the program's
// contacts with their postal addresses, each address ticked to make one design.
// "Save Selected Contacts" fills the merge list and offers to generate the designs.
#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

class ContactViewController : public QDialog {
    Q_OBJECT
public:
    explicit ContactViewController(QWidget *parent = nullptr);

    // The one sheet over mainWindow, made on first use (launchContactList).
    static ContactViewController *launchContactList(QWidget *mainWindow);

    void populateContacts();
    // Fills the merge list from the ticked addresses; the alert offers "Generate",
    // which sends populatePersonalizedDocuments along the responder chain.
    void saveSelectedContacts();
    void importContacts();
    // Asks for vCard or CSV files and adds them to the address book; every
    // failure is told under parent. imported runs once the book is saved.
    static void importContactFiles(QWidget *parent, bool multiple, std::function<void()> imported);
    void cancelModalSheet();

    QTreeWidget *peoplePickerView() const { return picker_; }
    QPushButton *saveContactsButton() const { return save_; }
    QPushButton *importButton() const { return import_; }
    QLabel *notesLabel() const { return notes_; }

private:
    QTreeWidget *picker_ = nullptr;
    QLabel *notes_ = nullptr;
    QPushButton *save_ = nullptr;
    QPushButton *import_ = nullptr;
    QPushButton *cancel_ = nullptr;
};
