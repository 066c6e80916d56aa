#pragma once
// The strip of slides inside a slideshow element view: every slide side by
// side, one view width apart; the view moves it to show one slide at a time.
#include <QWidget>

class SlideShow;

class ZovsClipView : public QWidget {
    Q_OBJECT
public:
    ZovsClipView(const SlideShow &slides, QWidget *parent);
    // Re-reads the slides and repaints.
    void refreshMe();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SlideShow &m_slides;
};
