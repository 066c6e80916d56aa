#include "sidebar/ui/ImageMaskChooser.h"

#include "sidebar/ImageMasks.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

ImageMaskChooser::ImageMaskChooser(SelectionProxy &selection, QWidget *parent)
    : QWidget(parent), m_selection(selection)
{
    setFixedSize(270, 400);
    const QStringList files = ImageMasks::maskFiles();
    for (int k = 0; k < files.size(); ++k) {
        auto *b = new QToolButton(this);
        b->setGeometry(ImageMasks::choiceFrame(k));
        b->setAutoRaise(true);
        const QImage shape(files[k]);
        if (!shape.isNull())
            b->setIcon(QPixmap::fromImage(ImageMasks::tinted(shape, Qt::darkGray)
                                              .scaled(44, 44, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        b->setIconSize(QSize(44, 44));
        b->setToolTip(files[k].section(QLatin1Char('/'), -1));
        const QString path = files[k];
        connect(b, &QToolButton::clicked, this,
                [this, path] { m_message->setText(ImageMasks::applyMaskFilter(m_selection, path)); });
        m_choices.append(b);
    }
    m_message = new QLabel(this);
    m_message->setGeometry(5, 310, 260, 45);
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #b00020"));
    m_own = new QPushButton(QStringLiteral("Use My Own"), this);
    m_own->setGeometry(85, 360, 100, 30);
    connect(m_own, &QPushButton::clicked, this, [this] {
        m_message->clear();
        // The open panel answers later; the pop-over may have closed by then.
        ImageMasks::selectCustomImageAsMask(m_selection, window(), [self = QPointer<ImageMaskChooser>(this)](const QString &error) {
            if (self)
                self->m_message->setText(error);
        });
    });
}
