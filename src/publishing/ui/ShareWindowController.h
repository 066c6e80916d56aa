#pragma once
// A document's share window: says where the page was published. Made on first use,
// kept by its document and shown again for the next publish.
#include <QDialog>

class QLabel;

class ShareWindowController : public QDialog {
    Q_OBJECT
public:
    explicit ShareWindowController(QWidget *parent = nullptr);

    // Sets the label ("Successfully published!\n\n<address>") and shows the window.
    void showWithLabel(const QString &label, const QString &address);
    void hideShareWindow();

    QLabel *label() const { return label_; }
    const QString &shareLink() const { return shareLink_; }

private:
    QLabel *label_ = nullptr;
    QString shareLink_;
};
