#pragma once
// "Configure Table Grid": counts, spacing and, in editions with uniform
// sizing, the width and height of one column or row. Column and row counts
// and spacing wait for Save; cell sizes and Fixed flags apply at once. Text
// that is refused is reported under the fields and the field shows the
// table's value again.
#include <QWidget>

class GridEditing;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class SKTTable;

class TableGridWindowController : public QWidget {
    Q_OBJECT
public:
    explicit TableGridWindowController(bool uniformSizing, QWidget *parent = nullptr);

    QLineEdit *numOfColumnsTextField() const { return m_columns; }
    QLineEdit *numOfRowsTextField() const { return m_rows; }
    QLineEdit *spacingTextField() const { return m_spacing; }
    QSlider *spacingSlider() const { return m_spacingSlider; }
    QPushButton *saveButton() const { return m_save; }
    QSpinBox *columnStepper() const { return m_columnStepper; }
    QSpinBox *rowStepper() const { return m_rowStepper; }
    QComboBox *columnWidthPopUpButton() const { return m_columnPopUp; }
    QCheckBox *fixedWidthCheckmark() const { return m_fixedWidth; }
    QLineEdit *widthTextField() const { return m_width; }
    QComboBox *rowHeightPopUpButton() const { return m_rowPopUp; }
    QCheckBox *fixedHeightCheckmark() const { return m_fixedHeight; }
    QLineEdit *heightTextField() const { return m_height; }
    QCheckBox *sameHeightForAllRowsCheckmark() const { return m_sameHeight; }
    QCheckBox *sameWidthForAllColumnsCheckmark() const { return m_sameWidth; }
    QLabel *messageLabel() const { return m_message; }

    // Fills the window from the table and edits it until the next configure.
    void configureTableGrid(SKTTable &table, GridEditing &editing);
    void saveTableSettings();

private:
    void adjustTableColumnWidth();
    void adjustTableRowHeight();
    void adjustSameWidthAndHeightForTableSettings();
    void updateColumnWidth();
    void updateRowHeight();
    void showRefusal(const QString &message);

    SKTTable *m_table = nullptr;
    GridEditing *m_editing = nullptr;
    bool m_filling = false;
    QLineEdit *m_columns, *m_rows, *m_spacing, *m_width, *m_height;
    QSlider *m_spacingSlider;
    QPushButton *m_save;
    QSpinBox *m_columnStepper, *m_rowStepper;
    QComboBox *m_columnPopUp, *m_rowPopUp;
    QCheckBox *m_fixedWidth, *m_fixedHeight, *m_sameHeight, *m_sameWidth;
    QLabel *m_columnWidthLabel, *m_rowHeightLabel, *m_message;
};
