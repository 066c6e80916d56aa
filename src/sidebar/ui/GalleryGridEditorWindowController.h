#pragma once
// "Configure Gallery Grid": counts, spacing, shadow and backdrop apply at
// once; Save takes the typed spacing and drops the pictures outside the grid.
// Refused text is reported and the field shows the gallery's value again.
#include <QWidget>

class GridEditing;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class SKTGalleryGrid;

class GalleryGridEditorWindowController : public QWidget {
    Q_OBJECT
public:
    explicit GalleryGridEditorWindowController(QWidget *parent = nullptr);

    QLineEdit *numOfColumnsTextField() const { return m_columns; }
    QLineEdit *numOfRowsTextField() const { return m_rows; }
    QLineEdit *spacingTextField() const { return m_spacing; }
    QPushButton *saveButton() const { return m_save; }
    QSlider *spacingSlider() const { return m_spacingSlider; }
    // Segment 0 of the shadow control is no shadow; the backdrop's index is the stored flag.
    QButtonGroup *shadowSegmentedControl() const { return m_shadow; }
    QButtonGroup *backdropSegmentedControl() const { return m_backdrop; }
    QSpinBox *columnStepper() const { return m_columnStepper; }
    QSpinBox *rowStepper() const { return m_rowStepper; }
    QLabel *messageLabel() const { return m_message; }

    void configureGalleryGrid(SKTGalleryGrid &gallery, GridEditing &editing);
    void saveGallerySettings();

private:
    void countTyped(bool columns);
    void fill();

    SKTGalleryGrid *m_gallery = nullptr;
    GridEditing *m_editing = nullptr;
    bool m_filling = false;
    QLineEdit *m_columns, *m_rows, *m_spacing;
    QPushButton *m_save;
    QSlider *m_spacingSlider;
    QButtonGroup *m_shadow, *m_backdrop;
    QSpinBox *m_columnStepper, *m_rowStepper;
    QLabel *m_message;
};
