#include "insertion/ui/CropImageDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kViewSide = 480;
constexpr double kHandleSize = 8;

// The picture scaled into the view, the crop rectangle over it.
class CropView : public QWidget {
public:
    CropView(const QImage &picture, CropGeometry &geometry, CropImageDialog &dialog)
        : m_picture(picture), m_geometry(geometry), m_dialog(dialog)
    {
        const QSize shown = picture.size().scaled(QSize(kViewSide, kViewSide), Qt::KeepAspectRatio);
        setFixedSize(shown.expandedTo(QSize(1, 1)));
        setMouseTracking(true);
    }

protected:
    double scale() const { return double(width()) / std::max(1, m_picture.width()); }
    QRectF shownRect() const
    {
        const QRect r = m_geometry.rect();
        return QRectF(r.x() * scale(), r.y() * scale(), r.width() * scale(), r.height() * scale());
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(rect(), m_picture);
        const QRectF crop = shownRect();
        QPainterPath outside;
        outside.addRect(rect());
        outside.addRect(crop);
        painter.fillPath(outside, QColor(0, 0, 0, 120));
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(crop);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        const double h = kHandleSize / 2;
        for (const QPointF &p : {crop.topLeft(), crop.topRight(), crop.bottomLeft(), crop.bottomRight(),
                                 QPointF(crop.center().x(), crop.top()), QPointF(crop.center().x(), crop.bottom()),
                                 QPointF(crop.left(), crop.center().y()), QPointF(crop.right(), crop.center().y())})
            painter.drawRect(QRectF(p.x() - h, p.y() - h, kHandleSize, kHandleSize));
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        const QPointF at = event->position() / scale();
        m_handle = m_geometry.handleAt(at, kHandleSize / scale());
        m_start = at;
        m_startRect = m_geometry.rect();
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton) || m_handle == CropGeometry::Handle::None)
            return;
        m_geometry.drag(m_handle, m_startRect, event->position() / scale() - m_start);
        m_dialog.geometryChanged();
        update();
    }
    void mouseReleaseEvent(QMouseEvent *) override { m_handle = CropGeometry::Handle::None; }

private:
    const QImage &m_picture;
    CropGeometry &m_geometry;
    CropImageDialog &m_dialog;
    CropGeometry::Handle m_handle = CropGeometry::Handle::None;
    QPointF m_start;
    QRect m_startRect;
};
} // namespace

CropImageDialog::CropImageDialog(const QImage &picture, QWidget *parent)
    : QDialog(parent), m_picture(picture), m_geometry(picture.size())
{
    setWindowTitle(QStringLiteral("Crop Image"));
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    m_view = new CropView(m_picture, m_geometry, *this);
    layout->addWidget(m_view, 0, Qt::AlignCenter);
    m_sizeLabel = new QLabel(this);
    m_sizeLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_sizeLabel);
    auto *buttons = new QDialogButtonBox(this);
    m_crop = buttons->addButton(QStringLiteral("Crop"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    m_crop->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        emit cropped(croppedPicture());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    geometryChanged();
}

void CropImageDialog::geometryChanged()
{
    const QRect r = m_geometry.rect();
    m_sizeLabel->setText(QStringLiteral("%1 × %2 pixels").arg(r.width()).arg(r.height()));
    m_view->update();
}
