#pragma once
// A document's share window: says where the page was published and offers the
// edition's buttons to export, copy or share the page, four to a row. Made on
// first use, kept by its document and shown again for the next publish.
#include "publishing/ShareButtons.h"

#include <QDialog>
#include <QHash>
#include <QImage>
#include <functional>

class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

class ShareWindowController : public QDialog {
    Q_OBJECT
public:
    explicit ShareWindowController(QWidget *parent = nullptr);

    // Sets the label ("Successfully published!\n\n<address>"), lays the buttons out,
    // wires them and shows the window.
    void showWithLabel(const QString &label, const QString &address);
    void hideShareWindow();

    // Makes the page's picture for the picture actions (the document's generatePNG).
    void setPictureProvider(std::function<QImage()> picture) { picture_ = std::move(picture); }

    QLabel *label() const { return label_; }
    const QString &shareLink() const { return shareLink_; }
    QWidget *mainView() const { return mainView_; }
    QPushButton *closeButton() const { return closeButton_; }
    // The button of a property ("saveAsPNGButton"); every one of the table exists.
    QToolButton *button(const QString &property) const { return buttons_.value(property); }
    // The buttons this edition shows, in order.
    const QList<QToolButton *> &shareButtons() const { return shareButtons_; }

signals:
    // An export the document answers: "exportPNGPageFromShare", "exportJPEGPageFromShare",
    // "exportPDFPageFromShare", "exportAllPDF" and, once the user agreed,
    // "exportAllPDFFast". The window is hidden first.
    void exportRequested(const QString &action);

private:
    void runAction(const QString &action);
    void exportAllPDFFast();

    QLabel *label_ = nullptr;
    QWidget *mainView_ = nullptr;
    QPushButton *closeButton_ = nullptr;
    QString shareLink_;
    QHash<QString, QToolButton *> buttons_;
    QHash<QToolButton *, QString> actions_;
    QList<QToolButton *> shareButtons_;
    std::function<QImage()> picture_;
};
