#pragma once
// "Apply Hyper Link": the window form of the link editor, for the link of
// one slide of a slideshow. It shows the slide's link; Save checks the
// cleaned link against LinkPolicy, writes it as one undo step and hides the
// window, or says why it was refused and stays open with the text.
#include "sidebar/LinkEditing.h"

#include <QPointer>
#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class SKTSlideshow;
class UndoManager;
class ZovNSTextField;

class HyperLinkWindowController : public QWidget {
    Q_OBJECT
public:
    explicit HyperLinkWindowController(QWidget *parent = nullptr);

    ZovNSTextField *linkTextbox() const { return m_link; }
    QPushButton *saveLinkButton() const { return m_save; }
    QButtonGroup *linkOptionSegmentedControl() const { return m_option; }
    QButtonGroup *linkTypeSegmentedControl() const { return m_type; }
    QComboBox *selectPagePopButton() const { return m_pages; }
    QLabel *refusalLabel() const { return m_refusal; }

    // linkCurrentSlide: the slide's link in the field, and the window shown.
    void linkCurrentSlide(SKTSlideshow &slideshow, int slideNumber, UndoManager *undo,
                          const QList<ProjectPage> &pages = {});
    // saveSlideLink: true when saved (the window is hidden).
    bool saveSlideLink();

private:
    ZovNSTextField *m_link;
    QPushButton *m_save;
    QButtonGroup *m_option, *m_type;
    QComboBox *m_pages;
    QLabel *m_refusal;
    SKTSlideshow *m_slideshow = nullptr;
    int m_slideNumber = 0;
    UndoManager *m_undo = nullptr;
};
