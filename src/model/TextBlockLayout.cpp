#include "model/TextBlockLayout.h"

#include <QPainter>
#include <QTextOption>
#include <algorithm>

TextBlockLayout::TextBlockLayout(const QString &text, const TextBlockStyle &style, double width)
    : style(style)
{
    QString laidOut = text;
    laidOut.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    laidOut.replace(QLatin1Char('\r'), QChar::LineSeparator);
    layout = std::make_unique<QTextLayout>(laidOut, style.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    switch (style.alignment) {
    case 1: option.setAlignment(Qt::AlignHCenter); break;
    case 2: option.setAlignment(Qt::AlignRight); break;
    case 3: option.setAlignment(Qt::AlignJustify); break;
    default: option.setAlignment(Qt::AlignLeft); break;
    }
    layout->setTextOption(option);
    if (laidOut.isEmpty())
        return;
    const double lineWidth = std::max(width, 1.0);
    double y = 0.0;
    double widest = 0.0;
    layout->beginLayout();
    for (;;) {
        QTextLine line = layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(lineWidth);
        const double natural = line.height();
        const double height = style.lineHeight > 0.0 ? style.lineHeight : natural;
        // A fixed line height keeps the glyphs at the bottom of the line box.
        line.setPosition(QPointF(0.0, y + (height - natural)));
        y += height;
        widest = std::max(widest, line.naturalTextWidth());
        ++lines;
    }
    layout->endLayout();
    used = QSizeF(widest, y);
}

TextBlockLayout::~TextBlockLayout() = default;

void TextBlockLayout::draw(QPainter &painter, const QPointF &topLeft) const
{
    if (lines == 0)
        return;
    painter.save();
    painter.setPen(style.color);
    layout->draw(&painter, topLeft);
    painter.restore();
}

QFont TextBlockLayout::fontFor(const QString &family, double size)
{
    QFont font(family.isEmpty() ? QStringLiteral("Helvetica Neue") : family);
    font.setPixelSize(std::max(1, int(size > 0 ? size : 12)));
    return font;
}

int32_t TextBlockLayout::alignmentCode(const QString &word)
{
    if (word == QLatin1String("center"))
        return 1;
    if (word == QLatin1String("right"))
        return 2;
    if (word == QLatin1String("justify"))
        return 3;
    return 0;
}
