#include "publishing/ui/ShareIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSide = 70;

void tile(QPainter &p, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(3, 3, kSide - 6, kSide - 6), 12, 12);
}

void word(QPainter &p, const QString &text, int size, const QRectF &box = QRectF(0, 0, kSide, kSide))
{
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(size);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

QIcon ShareIcons::icon(const QString &name)
{
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == QLatin1String("png_icon")) {
        tile(p, QColor(0x2e, 0x8b, 0x57));
        word(p, QStringLiteral("PNG"), 20);
    } else if (name == QLatin1String("jpg_icon")) {
        tile(p, QColor(0xe0, 0x8a, 0x1e));
        word(p, QStringLiteral("JPG"), 20);
    } else if (name == QLatin1String("pdf_icon")) {
        tile(p, QColor(0xc6, 0x28, 0x28));
        word(p, QStringLiteral("PDF"), 20);
    } else if (name == QLatin1String("clipboard")) {
        tile(p, QColor(0x8d, 0x6e, 0x63));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(20, 16, 30, 40), 3, 3);
        p.setBrush(QColor(0x5d, 0x40, 0x37));
        p.drawRoundedRect(QRectF(27, 11, 16, 9), 2, 2);
        p.setPen(QPen(QColor(0x9e, 0x9e, 0x9e), 2));
        for (int y = 28; y <= 46; y += 6)
            p.drawLine(25, y, 45, y);
    } else if (name == QLatin1String("facebook")) {
        tile(p, QColor(0x3b, 0x59, 0x98));
        word(p, QStringLiteral("f"), 44, QRectF(8, 6, kSide, kSide));
    } else if (name == QLatin1String("twitter")) {
        tile(p, QColor(0x1d, 0xa1, 0xf2));
        p.setBrush(Qt::white);
        QPainterPath bird;
        bird.moveTo(16, 44);
        bird.cubicTo(30, 50, 50, 42, 52, 24);
        bird.lineTo(56, 20);
        bird.lineTo(50, 21);
        bird.cubicTo(46, 16, 38, 18, 38, 26);
        bird.cubicTo(30, 26, 24, 22, 19, 17);
        bird.cubicTo(17, 24, 20, 30, 25, 33);
        bird.cubicTo(22, 38, 20, 42, 16, 44);
        p.drawPath(bird);
    } else if (name == QLatin1String("review")) {
        tile(p, QColor(0xf9, 0xa8, 0x25));
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 10 : 24;
            const double a = -M_PI / 2 + i * M_PI / 5;
            const QPointF pt(35 + r * std::cos(a), 37 + r * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(star);
    } else if (name == QLatin1String("launch_browser")) {
        tile(p, QColor(0x19, 0x76, 0xd2));
        p.setPen(QPen(Qt::white, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(15, 15, 40, 40));
        p.drawEllipse(QRectF(26, 15, 18, 40));
        p.drawLine(15, 35, 55, 35);
    } else if (name == QLatin1String("mail_icon")) {
        tile(p, QColor(0x43, 0x85, 0xf4));
        p.setPen(QPen(QColor(0x43, 0x85, 0xf4), 2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(14, 20, 42, 30));
        p.drawLine(14, 20, 35, 38);
        p.drawLine(56, 20, 35, 38);
    } else {
        tile(p, QColor(0x75, 0x75, 0x75));
    }
    p.end();
    return QIcon(pixmap);
}
