#pragma once
// The canvas's one pop-over: a small frame that closes when the user clicks
// outside it, shown beside a rectangle of the canvas (to its left when there
// is room, else to its right, else below). Opening another pop-over closes
// the one shown; the frame owns the content it is given.
#include <QFrame>
#include <QPointer>

class CanvasPopOver : public QFrame {
    Q_OBJECT
public:
    explicit CanvasPopOver(QWidget *content, QWidget *parent = nullptr);
    QWidget *content() const { return m_content; }

    // Where a pop-over of size goes beside anchor (global coordinates) on a
    // screen of the given area: left side preferred.
    static QPoint placement(const QRect &anchor, const QSize &size, const QRect &screen);
    // Shows the pop-over beside anchor (global coordinates).
    void showBeside(const QRect &anchor);

signals:
    void closed();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    QPointer<QWidget> m_content;
};
