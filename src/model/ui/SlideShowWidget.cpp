#include "model/ui/SlideShowWidget.h"

#include "model/ui/ZovsClipView.h"
#include "platform/FilePanels.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {
constexpr int kImageAllocationLimitMb = 512;

QStringList pictureTypes()
{
    return {QStringLiteral("jpg"), QStringLiteral("JPG"), QStringLiteral("png"),
            QStringLiteral("PNG"), QStringLiteral("jpeg"), QStringLiteral("JPEG")};
}
} // namespace

SlideShowWidget::SlideShowWidget(const QRectF &frame, SKTGraphic *container, QWidget *parent)
    : QWidget(parent), m_slides(QRectF(QPointF(0, 0), frame.size()), container)
{
    setGeometry(frame.toAlignedRect());
    m_strip = new ZovsClipView(m_slides, this);
    m_empty = new QLabel(this);
    m_empty->setGeometry(rect());
    m_next = makeArrow(QStringLiteral(">"));
    m_previous = makeArrow(QStringLiteral("<"));
    connect(m_next, &QPushButton::clicked, this, &SlideShowWidget::showNext);
    connect(m_previous, &QPushButton::clicked, this, &SlideShowWidget::showPrevious);

    m_caption = new QLabel(this);
    m_caption->setGeometry(0, 0, width(), 30);
    m_caption->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Heiti TC"));
    font.setPixelSize(15);
    m_caption->setFont(font);
    m_caption->setStyleSheet(QStringLiteral("background: rgba(0, 0, 0, 128); color: rgba(255, 255, 255, 128);"));
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_menu = new QMenu(QStringLiteral("Menu"), this);
    m_menu->addAction(QStringLiteral("Add Image"), this, &SlideShowWidget::addNewSlide);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Delete Image"), this, &SlideShowWidget::deleteCurrentSlide);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Replace Image"), this, &SlideShowWidget::replaceCurrentSlide);
    m_menu->addAction(QStringLiteral("Hyperlink Image"), this, &SlideShowWidget::linkCurrentSlide);
    m_menu->addAction(QStringLiteral("Set Automatic"), this, &SlideShowWidget::switchSlideshowAsAutomatic);
    m_slides.reAlignImageSize();
    refresh();
}

QPushButton *SlideShowWidget::makeArrow(const QString &title)
{
    auto *button = new QPushButton(title, this);
    button->setFlat(true);
    button->setStyleSheet(QStringLiteral("QPushButton { background: rgba(0, 0, 0, 153); color: white; border: none;"
                                         " font-family: 'Helvetica Neue'; font-size: 20px; }"));
    return button;
}

void SlideShowWidget::showNext()
{
    m_slides.showNext();
    refresh();
}

void SlideShowWidget::showPrevious()
{
    m_slides.showPrevious();
    refresh();
}

void SlideShowWidget::refresh()
{
    m_slides.adjustButtons();
    m_empty->setVisible(m_slides.imageArray.isEmpty());
    m_next->setGeometry(m_slides.nextButtonFrame().toRect());
    m_previous->setGeometry(m_slides.previousButtonFrame().toRect());
    m_next->setVisible(m_slides.nextButtonShown());
    m_previous->setVisible(m_slides.previousButtonShown());
    m_caption->setText(m_slides.caption());
    m_strip->setGeometry(-int(m_slides.scrollOffsetX()), 0, int(m_slides.imageArray.size() * width()), height());
    m_strip->lower();
    m_caption->raise();
    m_next->raise();
    m_previous->raise();
    m_strip->refreshMe();
    update();
}

QList<QPair<QImage, QString>> SlideShowWidget::readPictures(const QStringList &paths)
{
    QList<QPair<QImage, QString>> pictures;
    QImageReader::setAllocationLimit(kImageAllocationLimitMb);
    for (const QString &path : paths) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        if (!image.isNull())
            pictures.append({image, SlideShow::imageTypeForExtension(QFileInfo(path).suffix())});
    }
    return pictures;
}

void SlideShowWidget::addNewSlide()
{
    chooseSlides(false);
}

void SlideShowWidget::replaceCurrentSlide()
{
    chooseSlides(true);
}

void SlideShowWidget::chooseSlides(bool replace)
{
    OpenPanelOptions options;
    options.prompt = QStringLiteral("Add New");
    options.allowedTypes = pictureTypes();
    options.allowsMultipleSelection = !replace;
    QPointer<SlideShowWidget> self(this);
    FilePanels::current().showOpenPanel(options, this, [self, replace](const QStringList &paths) {
        if (!self)
            return;
        for (const auto &picture : readPictures(paths)) {
            if (replace)
                self->m_slides.replaceCurrentSlide(picture.first, picture.second);
            else
                self->m_slides.addNewSlide(picture.first, picture.second);
        }
        self->refresh();
    });
}

void SlideShowWidget::deleteCurrentSlide()
{
    m_slides.deleteCurrentSlide();
    refresh();
}

void SlideShowWidget::linkCurrentSlide()
{
    if (!m_linkWindow) {
        m_linkWindow = new QDialog(this);
        m_linkWindow->setWindowTitle(QStringLiteral("Apply Hyper Link"));
        auto *row = new QHBoxLayout(m_linkWindow);
        m_linkField = new QLineEdit(m_linkWindow);
        auto *save = new QPushButton(QStringLiteral("Save Link"), m_linkWindow);
        row->addWidget(m_linkField);
        row->addWidget(save);
        connect(save, &QPushButton::clicked, this, &SlideShowWidget::saveSlideLink);
    }
    const qsizetype index = m_slides.slideNumber;
    const bool shown = index >= 0 && index < m_slides.imageArray.size() && m_slides.imageArray[index];
    m_linkField->setText(shown ? m_slides.imageArray[index]->link : QString());
    m_linkWindow->open();
}

void SlideShowWidget::saveSlideLink()
{
    if (m_linkField)
        m_slides.linkCurrentSlide(m_linkField->text());
    if (m_linkWindow)
        m_linkWindow->hide();
}

void SlideShowWidget::switchSlideshowAsAutomatic()
{
    m_slides.switchSlideshowAsAutomatic();
}

void SlideShowWidget::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
}
