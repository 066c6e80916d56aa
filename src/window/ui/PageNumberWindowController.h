#pragma once
// The page-title sheet: the page's title, editable, and its file name for
// information. Save stores a changed title and saves the page at once.
#include <QDialog>

class QLineEdit;
class QPushButton;
class SKTDocument;

class PageNumberWindowController : public QDialog {
    Q_OBJECT
public:
    explicit PageNumberWindowController(SKTDocument &document, QWidget *parent = nullptr);
    // Answers whether the page was saved.
    bool saveAdjustPageNumberWindowControllerSheet();

    QPushButton *saveButton = nullptr;
    QPushButton *cancelButton = nullptr;
    QLineEdit *pageTitleTextField = nullptr;
    QLineEdit *pageFileNameTextField = nullptr;

private:
    SKTDocument &doc_;
};
