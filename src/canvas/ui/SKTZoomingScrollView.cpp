#include "canvas/ui/SKTZoomingScrollView.h"

#include "canvas/CanvasHost.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/ui/CanvasRuler.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "config/EditionSettings.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

QStringList SKTZoomingScrollView::zoomTitles()
{
    if (gZoomFactors.size() == 26)
        return gZoomFactors;
    return {"5%",  "10%", "15%", "20%", "25%",  "30%",  "35%",  "40%",  "45%",  "50%",  "55%",  "60%",  "65%",
            "70%", "75%", "80%", "85%", "90%", "100%", "125%", "150%", "200%", "300%", "400%", "500%", "600%"};
}

double SKTZoomingScrollView::factorOfTitle(const QString &title)
{
    QString digits = title;
    digits.remove(QLatin1Char('%'));
    return double(float(digits.toInt()) / 100.0f);
}

SKTZoomingScrollView::SKTZoomingScrollView(QWidget *parent) : QScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_popUp = new QComboBox(this);
    m_popUp->setObjectName(QStringLiteral("zoomFactor"));
    m_popUp->setFocusPolicy(Qt::NoFocus);
    QFont small = m_popUp->font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 2));
    m_popUp->setFont(small);
    for (const QString &title : zoomTitles())
        m_popUp->addItem(title, factorOfTitle(title));
    m_popUp->setCurrentText(QStringLiteral("100%"));
    // As wide as its longest entry: the scroll bar keeps the rest.
    m_popUp->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_popUp->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_popUp->setFixedWidth(m_popUp->sizeHint().width());
    addScrollBarWidget(m_popUp, Qt::AlignLeft);
    connect(m_popUp, &QComboBox::activated, this,
            [this](int index) { setFactor(m_popUp->itemData(index).toDouble()); });
}

void SKTZoomingScrollView::setCanvas(SKTGraphicViewWidget *canvas)
{
    m_canvas = canvas;
    setWidget(canvas);
    setWidgetResizable(false);
    canvas->installEventFilter(this);
    canvas->setZoomFactor(m_factor);
}

void SKTZoomingScrollView::setFactor(double factor)
{
    setFactorKeeping(factor, viewport()->rect().center());
}

void SKTZoomingScrollView::setFactorKeeping(double factor, const QPoint &anchor)
{
    // The window is told the new factor and may set it again: the second
    // call finds it in place and ends there.
    if (!(factor > 0) || !std::isfinite(factor) || m_settingFactor)
        return;
    m_settingFactor = true;
    // The page point under the anchor stays under it.
    const double old = m_factor > 0 ? m_factor : 1.0;
    const QPointF pagePoint =
        QPointF(horizontalScrollBar()->value() + anchor.x(), verticalScrollBar()->value() + anchor.y()) / old;
    m_factor = factor;
    gHandleScale = float(factor);
    if (m_horizontalRuler) {
        m_horizontalRuler->setZoom(factor);
        m_verticalRuler->setZoom(factor);
    }
    if (m_canvas) {
        m_canvas->setZoomFactor(factor);
        if (CanvasHost *host = m_canvas->view().host())
            host->setZoomFactor(factor);
        horizontalScrollBar()->setValue(int(std::lround(pagePoint.x() * factor - anchor.x())));
        verticalScrollBar()->setValue(int(std::lround(pagePoint.y() * factor - anchor.y())));
    }
    const int index = m_popUp->findData(factor);
    if (index >= 0)
        m_popUp->setCurrentIndex(index);
    m_settingFactor = false;
    emit factorChanged(factor);
}

void SKTZoomingScrollView::updateScale(const QString &title, double factor)
{
    setFactor(factor);
    m_popUp->setCurrentText(title);
}

bool SKTZoomingScrollView::canStepZoom(int step) const
{
    const int next = m_popUp->currentIndex() + step;
    return step != 0 && next >= 0 && next < m_popUp->count();
}

bool SKTZoomingScrollView::stepZoom(int step)
{
    return stepZoomKeeping(step, viewport()->rect().center());
}

bool SKTZoomingScrollView::stepZoomKeeping(int step, const QPoint &anchor)
{
    if (!canStepZoom(step))
        return false;
    const int next = m_popUp->currentIndex() + step;
    setFactorKeeping(m_popUp->itemData(next).toDouble(), anchor);
    m_popUp->setCurrentIndex(next);
    return true;
}

void SKTZoomingScrollView::zoomToActualSize()
{
    updateScale(QStringLiteral("100%"), 1.0);
}

void SKTZoomingScrollView::wheelEvent(QWheelEvent *event)
{
    // The scroll area hands on the viewport's wheel events in its coordinates.
    if (!zoomByWheel(*event, event->position().toPoint()))
        QScrollArea::wheelEvent(event);
}

bool SKTZoomingScrollView::zoomByWheel(QWheelEvent &event, const QPoint &anchor)
{
    // Ctrl with the wheel zooms about the pointer, one entry of the box per
    // notch; the wheel alone scrolls.
    if (!(event.modifiers() & Qt::ControlModifier)) {
        m_wheelRest = 0;
        return false;
    }
    event.accept();
    const QPoint delta = event.angleDelta();
    m_wheelRest += std::abs(delta.y()) >= std::abs(delta.x()) ? delta.y() : delta.x();
    while (std::abs(m_wheelRest) >= kWheelNotch) {
        const int step = m_wheelRest > 0 ? 1 : -1;
        m_wheelRest -= step * kWheelNotch;
        if (!stepZoomKeeping(step, anchor)) {
            m_wheelRest = 0;
            break;
        }
    }
    return true;
}

void SKTZoomingScrollView::keyPressEvent(QKeyEvent *event)
{
    // The keys where the US layout has "=" and "-", and the platform's zoom keys.
    const bool in = event->key() == Qt::Key_Equal || event->key() == Qt::Key_Plus
                    || event->matches(QKeySequence::ZoomIn);
    const bool out = event->key() == Qt::Key_Minus || event->matches(QKeySequence::ZoomOut);
    if ((in && stepZoom(1)) || (out && stepZoom(-1))) {
        event->accept();
        return;
    }
    if (in || out) {
        event->accept(); // at either end: nothing happens
        return;
    }
    QScrollArea::keyPressEvent(event);
}

bool SKTZoomingScrollView::eventFilter(QObject *watched, QEvent *event)
{
    // The canvas passes on keys it does not use; the zoom keys come here first.
    if (watched == m_canvas && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Equal || key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus
            || key->matches(QKeySequence::ZoomIn) || key->matches(QKeySequence::ZoomOut)) {
            keyPressEvent(key);
            return true;
        }
    }
    // Ctrl+wheel over the page zooms before the canvas or the scroll bars see it.
    if (watched == m_canvas && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (zoomByWheel(*wheel, m_canvas->mapTo(viewport(), wheel->position().toPoint())))
            return true;
    }
    return QScrollArea::eventFilter(watched, event);
}

void SKTZoomingScrollView::mousePressEvent(QMouseEvent *event)
{
    // A press beside the page ends editing and clears the selection.
    if (m_canvas) {
        SKTGraphicView &view = m_canvas->view();
        view.stopEditing();
        view.deselectAll();
        if (CanvasHost *host = view.host())
            host->graphicTouched();
    }
    QScrollArea::mousePressEvent(event);
}

void SKTZoomingScrollView::setShowsRulers(bool on)
{
    if (on == showsRulers())
        return;
    if (!on) {
        delete m_horizontalRuler;
        delete m_verticalRuler;
        m_horizontalRuler = m_verticalRuler = nullptr;
        setViewportMargins(0, 0, 0, 0);
        if (m_canvas)
            m_canvas->view().rulersVisible = false;
        return;
    }
    m_horizontalRuler = new CanvasRuler(Qt::Horizontal, this);
    m_verticalRuler = new CanvasRuler(Qt::Vertical, this);
    for (CanvasRuler *ruler : {m_horizontalRuler, m_verticalRuler}) {
        ruler->setZoom(m_factor);
        ruler->show();
    }
    setViewportMargins(CanvasRuler::kThickness, CanvasRuler::kThickness, 0, 0);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_horizontalRuler,
            [this](int value) { m_horizontalRuler->setOrigin(value / m_factor); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_verticalRuler,
            [this](int value) { m_verticalRuler->setOrigin(value / m_factor); });
    if (m_canvas) {
        SKTGraphicView &view = m_canvas->view();
        view.rulersVisible = true;
        connect(&view, &SKTGraphicView::rulerEchoChanged, m_horizontalRuler, &CanvasRuler::setEcho);
        connect(&view, &SKTGraphicView::rulerEchoChanged, m_verticalRuler, &CanvasRuler::setEcho);
    }
    layoutRulers();
}

void SKTZoomingScrollView::layoutRulers()
{
    if (!m_horizontalRuler)
        return;
    const QRect port = viewport()->geometry();
    m_horizontalRuler->setGeometry(port.left(), port.top() - CanvasRuler::kThickness, port.width(),
                                   CanvasRuler::kThickness);
    m_verticalRuler->setGeometry(port.left() - CanvasRuler::kThickness, port.top(), CanvasRuler::kThickness,
                                 port.height());
}

void SKTZoomingScrollView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    layoutRulers();
}
