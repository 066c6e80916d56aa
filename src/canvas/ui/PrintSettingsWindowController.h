#pragma once
// "Print Settings": on which label of a label sheet printing starts (row and
// column, counted from 1). The fields take whole numbers only; Save stores
// them for the rest of the run as typed, and a value below 1 is shown (and
// printed) as 1.
#include <QWidget>

class QLineEdit;
class QPushButton;

class PrintSettingsWindowController : public QWidget {
    Q_OBJECT
public:
    explicit PrintSettingsWindowController(QWidget *parent = nullptr);
    QLineEdit *startingRowSpotTextField() const { return m_row; }
    QLineEdit *startingColumnSpotTextField() const { return m_column; }
    QPushButton *saveButton() const { return m_save; }

    // Fills the fields from gPrintStartingRow and gPrintStartingColumn and shows the window.
    void launchPrintSettings();
    // Hides the window and stores the two fields.
    void savePrintSettings();
    // What a field shows for a stored value.
    static QString shownValue(int32_t value);

private:
    QLineEdit *m_row;
    QLineEdit *m_column;
    QPushButton *m_save;
};
