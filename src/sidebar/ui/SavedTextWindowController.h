#pragma once
// The "Saved Text Collection" window: a table of the user's saved snippets
// and an editor for one of them. The index field holds the 0-based index of
// the snippet being edited; empty or equal to the count means a new one.
// The add, save and delete buttons start, store and delete snippets; the
// choose button asks the canvas to paste the edited snippet into its
// selected text box (chooseHandler).
#include "sidebar/SavedTextCollection.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

class SavedTextWindowController : public QWidget {
    Q_OBJECT
public:
    explicit SavedTextWindowController(UserDefaults *defaults = nullptr, QWidget *parent = nullptr);

    QPushButton *deleteButton() const { return m_deleteButton; }
    QPushButton *chooseButton() const { return m_chooseButton; }
    QPushButton *addButton() const { return m_addButton; }
    QPushButton *saveButton() const { return m_saveButton; }
    QLineEdit *titleTextField() const { return m_titleTextField; }
    QPlainTextEdit *textView() const { return m_textView; }
    QTableWidget *tableView() const { return m_tableView; }
    QLineEdit *savedTextRecordIndexTextField() const { return m_indexTextField; }
    QLabel *savedTextLabel() const { return m_savedTextLabel; }
    QList<SavedTextRecord> savedTextMutableArray() const { return m_records; }

    void setChooseHandler(std::function<void()> handler) { m_chooseHandler = std::move(handler); }

    int numberOfRowsInTableView() const { return int(m_records.size()); }
    void displayRecord(int index);
    void selectRow(int index);
    void resetRecords();
    void refreshTableView();
    void addNewSavedTextRecord();
    void saveSavedTextRecord();
    void updateSavedTextRecord(int index);
    void updateCurrentTextRecord();
    void deleteSavedTextRecord();

    // The canvas's two ways in: open on the first snippet, or add a text box's text.
    void launch();
    void addText(const QString &text, const QDateTime &when);

private:
    SavedTextRecord editedRecord() const;
    int indexFieldValue() const;

    SavedTextCollection m_collection;
    QList<SavedTextRecord> m_records;
    QPushButton *m_deleteButton = nullptr;
    QPushButton *m_chooseButton = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QLineEdit *m_titleTextField = nullptr;
    QPlainTextEdit *m_textView = nullptr;
    QTableWidget *m_tableView = nullptr;
    QLineEdit *m_indexTextField = nullptr;
    QLabel *m_savedTextLabel = nullptr;
    std::function<void()> m_chooseHandler;
};
