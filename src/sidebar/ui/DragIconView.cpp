#include "sidebar/ui/DragIconView.h"

#include "config/EditionSettings.h"
#include "sidebar/SidebarIcons.h"
#include "sidebar/PaletteDrag.h"
#include "platform/Bundle.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {
QImage resourceImage(const QString &name)
{
    // A shipped picture wins; otherwise the icon is drawn from its program.
    const QString path = Bundle::pathForResource(name, QStringLiteral("png"));
    const QImage shipped = path.isEmpty() ? QImage() : QImage(path);
    return shipped.isNull() ? InspectorIcons::image(name, 100) : shipped;
}
} // namespace

DragIconView::DragIconView(const PaletteEntry &entry, QWidget *parent) : QWidget(parent), m_entry(entry)
{
    m_icon = m_entry.createOwnImage ? PaletteDrag::createShapeImage(m_entry.imageName, m_entry.shape,
                                                                    m_entry.zoomBubble,
                                                                    resourceImage(QStringLiteral("flower_square")))
                                    : resourceImage(m_entry.imageName);
    m_iconView = new QLabel(this);
    m_iconView->setScaledContents(true);
    if (!m_icon.isNull())
        m_iconView->setPixmap(QPixmap::fromImage(m_icon));
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::RichText);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setTextInteractionFlags(Qt::NoTextInteraction);
    // Clicks and drags on the icon or the text reach the entry.
    m_iconView->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setText(labelText());
    setupSubViews();
}

QString DragIconView::labelText() const
{
    const QString title = QCoreApplication::translate("Palette", m_entry.title.toUtf8().constData());
    return QStringLiteral("<span style=\"font-weight:bold; font-size:12px; color:#000000\">%1</span> "
                          "<span style=\"font-size:10px; color:#404040\">%2</span>")
        .arg(title.toHtmlEscaped(), m_entry.description.toHtmlEscaped());
}

void DragIconView::setupSubViews()
{
    m_iconView->setGeometry(10, 10, 30, 30);
    m_label->setGeometry(50, 10, std::max(0, width() - 60), std::max(0, height() - 10));
}

void DragIconView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    setupSubViews();
}

void DragIconView::setHighlightFlag(bool on)
{
    if (m_highlight == on)
        return;
    m_highlight = on;
    update();
}

void DragIconView::paintEvent(QPaintEvent *event)
{
    if (!m_highlight)
        return;
    QPainter p(this);
    p.fillRect(event->rect(), QColor(0xF5, 0xF5, 0xF5));
}

void DragIconView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_pressPoint = event->position().toPoint();
    emit clicked(this);
    setHighlightFlag(true);
}

void DragIconView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed || !(event->buttons() & Qt::LeftButton) || !gCanvasDragOption)
        return;
    if ((event->position().toPoint() - m_pressPoint).manhattanLength() < QApplication::startDragDistance())
        return;
    m_pressed = false;
    auto *drag = new QDrag(this);
    drag->setMimeData(PaletteDrag::mimeData(m_entry.codeName).release());
    if (!m_icon.isNull()) {
        drag->setPixmap(QPixmap::fromImage(m_icon));
        drag->setHotSpot(QPoint(16, 16));
    }
    drag->exec(Qt::CopyAction);
}
