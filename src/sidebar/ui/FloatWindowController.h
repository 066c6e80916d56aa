#pragma once
// The sheet that holds a picker or a layout: a window-modal window over the
// main window with an empty main view that the opener fills and a Cancel
// button (cancelFloatWindowControllerSheet) that closes it.
#include <QDialog>

class QPushButton;
class QScrollArea;

class FloatWindowController : public QDialog {
    Q_OBJECT
public:
    explicit FloatWindowController(QWidget *parent = nullptr);

    QPushButton *cancelButton() const { return m_cancel; }
    // The opener's container; shown at its own size, scrolled when larger than the screen allows.
    QWidget *mainView() const { return m_mainView; }
    void setContent(QWidget *content);
    // Shows the sheet over its parent's window without blocking the event loop.
    void beginSheet();
    void cancelFloatWindowControllerSheet();

private:
    QPushButton *m_cancel = nullptr;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_mainView = nullptr;
};
