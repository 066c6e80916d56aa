#include "canvas/ui/CanvasPopOver.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kGap = 6;
}

CanvasPopOver::CanvasPopOver(QWidget *content, QWidget *parent)
    : QFrame(parent, Qt::Popup)
    , m_content(content)
{
    setObjectName(QStringLiteral("zovPopOver"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    content->setParent(this);
    layout->addWidget(content);
}

QPoint CanvasPopOver::placement(const QRect &anchor, const QSize &size, const QRect &screen)
{
    const int y = std::clamp(anchor.center().y() - size.height() / 2, screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - size.height()));
    if (anchor.left() - kGap - size.width() >= screen.left())
        return {anchor.left() - kGap - size.width(), y};
    if (anchor.right() + kGap + size.width() <= screen.right() + 1)
        return {anchor.right() + 1 + kGap, y};
    const int x = std::clamp(anchor.center().x() - size.width() / 2, screen.left(),
                             std::max(screen.left(), screen.right() + 1 - size.width()));
    return {x, std::min(anchor.bottom() + 1 + kGap, std::max(screen.top(), screen.bottom() + 1 - size.height()))};
}

void CanvasPopOver::showBeside(const QRect &anchor)
{
    adjustSize();
    QScreen *screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    move(placement(anchor, size(), area));
    show();
    if (m_content)
        m_content->setFocus();
}

void CanvasPopOver::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    emit closed();
    close();
}
