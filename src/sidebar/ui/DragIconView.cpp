#include "sidebar/ui/DragIconView.h"
#include "sidebar/ui/IconRow.h"

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
    const IconRow::Labels labels = IconRow::makeLabels(this);
    m_iconView = labels.icon;
    m_label = labels.text;
    if (!m_icon.isNull())
        m_iconView->setPixmap(QPixmap::fromImage(m_icon));
    m_label->setText(labelText());
    setupSubViews();
}

QString DragIconView::labelText() const
{
    const QString title = QCoreApplication::translate("Palette", m_entry.title.toUtf8().constData());
    return IconRow::labelText(title, m_entry.description.toHtmlEscaped());
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
    if (m_highlight)
        IconRow::paintHighlight(this, event);
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

void DragIconView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (rect().contains(event->position().toPoint()))
        emit activated(this);
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
