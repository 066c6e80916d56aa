#pragma once
// The small pop-over beside the recipient sheet's save button: the proposed name of
// the list being saved, and the button that saves it. Closes on a click outside.
#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

class PopOverViewController : public QFrame {
    Q_OBJECT
public:
    explicit PopOverViewController(QWidget *parent = nullptr);

    // Shows the pop-over to the right of anchor with title proposed.
    void showNextTo(QWidget *anchor, const QString &title);

    QLineEdit *mailingListTitleTextField() const { return title_; }
    QPushButton *saveMailingListButton() const { return save_; }
    QLabel *savedLabel() const { return saved_; }

signals:
    void saveRequested(const QString &title);

private:
    QLineEdit *title_ = nullptr;
    QPushButton *save_ = nullptr;
    QLabel *saved_ = nullptr;
};
