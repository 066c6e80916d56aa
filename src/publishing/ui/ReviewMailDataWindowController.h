#pragma once
// The review sheet before a send: what will go, from whom and to whom, read-only,
// with Cancel and Send.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class ReviewMailDataWindowController : public QDialog {
    Q_OBJECT
public:
    explicit ReviewMailDataWindowController(QWidget *parent = nullptr);

    // Shows text and brings the sheet up.
    void present(const QString &text);
    void hideReviewMailDataPanel();

    QPlainTextEdit *textView() const { return textView_; }
    QPushButton *cancelButton() const { return cancelButton_; }
    QPushButton *sendButton() const { return sendButton_; }

signals:
    void sendRequested();

private:
    QPlainTextEdit *textView_ = nullptr;
    QPushButton *cancelButton_ = nullptr;
    QPushButton *sendButton_ = nullptr;
};
