#pragma once
// The canvas-size sheet: the edition's default size or a size of the page's
// own. The size fields are locked while the default is chosen, and take
// whole numbers from 1 to 20,000 only; Save is refused (with the reason
// beside the fields) until both are valid.
#include <QDialog>
#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class SKTDocument;

class AdjustCanvasSizeWindowController : public QDialog {
    Q_OBJECT
public:
    explicit AdjustCanvasSizeWindowController(SKTDocument &document, QWidget *parent = nullptr);

    // Locks or frees the size fields as the segment says.
    void updateTypeOfCanvasSize();
    // Save: applies the size as one undoable change of the page; false when
    // the fields do not hold valid sizes (the sheet stays open).
    bool saveAdjustCanvasWindowControllerSheet();
    int selectedSegment() const;
    void selectSegment(int segment);

    QButtonGroup *adjustmentSegmentedControl = nullptr;
    QLineEdit *widthTextField = nullptr;
    QLineEdit *heightTextField = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *cancelButton = nullptr;
    QLabel *problemLabel = nullptr;

private:
    SKTDocument &doc_;
};
