#pragma once
// The window that renames the edition's text categories: one row per preset
// text box, its number on the left and an editable field on the right drawn in
// the category's own font and colours. Save keeps the names for this and every
// later run; Reset puts the edition's names back.
#include <QList>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableWidget;

class CustomizeCategoriesWindowController : public QWidget {
    Q_OBJECT
public:
    explicit CustomizeCategoriesWindowController(QWidget *parent = nullptr);

    QTableWidget *tableView() const { return m_table; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *resetButton() const { return m_reset; }
    const QList<QLineEdit *> &categoryTextFields() const { return m_fields; }

    // Fills the rows again from the preset text boxes.
    void reloadData();
    void saveCategories();
    void resetCategories();

private:
    void windowDidLoad();

    QTableWidget *m_table = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_reset = nullptr;
    QList<QLineEdit *> m_fields;
};
