#pragma once
// The slideshow element view on screen: the slides' strip scrolled one view
// width at a time, previous and next buttons, a caption bar and the menu of
// slide operations (add, delete, replace, hyperlink, automatic). The state
// and the operations are SlideShow's (model/SlideShow.h); this widget shows
// them and asks for files and links.
#include "model/SlideShow.h"

#include <QPointer>
#include <QWidget>

class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class ZovsClipView;

class SlideShowWidget : public QWidget {
    Q_OBJECT
public:
    // container: the slideshow graphic that answers image names, the page folder and the automatic flag.
    SlideShowWidget(const QRectF &frame, SKTGraphic *container, QWidget *parent = nullptr);

    SlideShow &slides() { return m_slides; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *previousButton() const { return m_previous; }
    QLabel *textView() const { return m_caption; }
    QMenu *slideshowMenu() const { return m_menu; }
    ZovsClipView *contentView() const { return m_strip; }

    void showNext();
    void showPrevious();
    // Brings the buttons, the caption and the strip in line with the slides.
    void refresh();

    void addNewSlide();
    void replaceCurrentSlide();
    void deleteCurrentSlide();
    void linkCurrentSlide();
    void saveSlideLink();
    void switchSlideshowAsAutomatic();
    // The pictures of chosen files, each with its type ("PNG" or "JPG"); unreadable files are left out.
    static QList<QPair<QImage, QString>> readPictures(const QStringList &paths);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QPushButton *makeArrow(const QString &title);
    // Asks for picture files and adds them, or replaces the current slide.
    void chooseSlides(bool replace);

    SlideShow m_slides;
    ZovsClipView *m_strip = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_previous = nullptr;
    QLabel *m_caption = nullptr;
    QLabel *m_empty = nullptr;
    QMenu *m_menu = nullptr;
    QPointer<QDialog> m_linkWindow;
    QLineEdit *m_linkField = nullptr;
};
