#pragma once
// "Crop Image": the selected picture with a crop rectangle that has a
// handle at each corner and edge; dragging inside moves it. Crop hands the
// part inside to whoever listens (the picture replacement); Cancel closes.
// Non-modal.
#include "insertion/CropGeometry.h"

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

class CropImageDialog : public QDialog {
    Q_OBJECT
public:
    explicit CropImageDialog(const QImage &picture, QWidget *parent = nullptr);

    CropGeometry &geometry() { return m_geometry; }
    QPushButton *cropButton() const { return m_crop; }
    QWidget *pictureView() const { return m_view; }
    // The picture inside the rectangle now.
    QImage croppedPicture() const { return m_geometry.crop(m_picture); }
    // Updates the size shown under the picture.
    void geometryChanged();

signals:
    void cropped(const QImage &picture);

private:
    QImage m_picture;
    CropGeometry m_geometry;
    QWidget *m_view;
    QLabel *m_sizeLabel;
    QPushButton *m_crop;
};
