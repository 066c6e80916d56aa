#pragma once
// The "Connection log" window: the full text of the last transport report, with a
// button that copies it to the clipboard.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class ConnectionLogWindowController : public QDialog {
    Q_OBJECT
public:
    explicit ConnectionLogWindowController(QWidget *parent = nullptr);

    // Shows log and brings the window to the front.
    void showLog(const QString &log);
    // Puts the log on the clipboard and says so.
    void grabConnectionLog();

    QPlainTextEdit *textView() const { return textView_; }
    QPushButton *button() const { return button_; }

private:
    QPlainTextEdit *textView_ = nullptr;
    QPushButton *button_ = nullptr;
};
