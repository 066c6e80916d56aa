#include "sidebar/ui/GalleryGridCaptionViewController.h"

#include "sidebar/LinkEditing.h"
#include "model/GridGraphic.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

GalleryGridCaptionViewController::GalleryGridCaptionViewController(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("GalleryGridCaptionViewController"));
    setFrameShape(QFrame::StyledPanel);
    setFixedSize(591, 122);
    m_caption = new QLineEdit(this);
    m_link = new QLineEdit(this);
    m_link->setPlaceholderText(QStringLiteral("http://"));
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_refusal = new QLabel(this);
    m_refusal->setStyleSheet(QStringLiteral("color: #b00020"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Caption"), m_caption);
    form->addRow(QStringLiteral("Link"), m_link);
    auto *top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(m_refusal);
    top->addWidget(m_save, 0, Qt::AlignRight);
    connect(m_save, &QPushButton::clicked, this, [this] { saveGalleryCaptions(); });
}

void GalleryGridCaptionViewController::configureGalleryImageCaption(SelectionProxy &selection, GridGraphic &gallery,
                                                                    std::shared_ptr<TransformView> image,
                                                                    std::function<void()> done)
{
    m_selection = &selection;
    m_gallery = &gallery;
    m_image = std::move(image);
    m_done = std::move(done);
    m_caption->setText(m_image ? m_image->altText : QString());
    m_link->setText(m_image ? m_image->link : QString());
    m_refusal->clear();
}

void GalleryGridCaptionViewController::saveGalleryCaptions()
{
    if (!m_selection || !m_gallery || !m_image)
        return;
    const QString refusal =
        LinkEditing::saveGalleryCaption(*m_selection, *m_gallery, m_image, m_caption->text(), m_link->text());
    m_refusal->setText(refusal);
    if (refusal.isEmpty() && m_done)
        m_done();
}
