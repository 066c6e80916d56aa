#pragma once
// The caption pop-over's content: one gallery picture's caption and link.
// The link must pass LinkPolicy; the caption is kept as typed.
#include "sidebar/SelectionProxy.h"

#include <QFrame>

#include <functional>
#include <memory>

class GridGraphic;
class QLabel;
class QLineEdit;
class QPushButton;
class TransformView;

class GalleryGridCaptionViewController : public QFrame {
    Q_OBJECT
public:
    explicit GalleryGridCaptionViewController(QWidget *parent = nullptr);
    QLineEdit *captionTextField() const { return m_caption; }
    QLineEdit *linkTextField() const { return m_link; }
    QPushButton *saveButton() const { return m_save; }
    QLabel *refusalLabel() const { return m_refusal; }
    void configureGalleryImageCaption(SelectionProxy &selection, GridGraphic &gallery,
                                      std::shared_ptr<TransformView> image, std::function<void()> done);
    void saveGalleryCaptions();

private:
    SelectionProxy *m_selection = nullptr;
    GridGraphic *m_gallery = nullptr;
    std::shared_ptr<TransformView> m_image;
    std::function<void()> m_done;
    QLineEdit *m_caption, *m_link;
    QPushButton *m_save;
    QLabel *m_refusal;
};
