#pragma once
// Lays out text in one uniform style (one font, colour, alignment and fixed
// line height) at a given width with QTextLayout, measures it and draws it.
// Text graphics and table cells measure and draw through it; nothing is kept
// laid out between draws.
#include <QColor>
#include <QFont>
#include <QTextLayout>
#include <memory>

struct TextBlockStyle {
    QFont font;
    QColor color = Qt::black;
    int32_t alignment = 0;   // 0 left, 1 centre, 2 right, 3 justified
    double lineHeight = 0.0; // fixed line height in pixels; 0 or less: the font's own
};

class TextBlockLayout {
public:
    TextBlockLayout(const QString &text, const TextBlockStyle &style, double width);
    ~TextBlockLayout();

    bool isEmpty() const { return lines == 0; }
    int32_t lineCount() const { return lines; }
    // Size of the used area: the widest line and the stacked line heights.
    QSizeF usedSize() const { return used; }
    void draw(QPainter &painter, const QPointF &topLeft) const;

    // The font of a family name and a size in canvas pixels (a point is a pixel on the canvas).
    static QFont fontFor(const QString &family, double size);
    // Alignment code of a cell's alignment word ("center" 1, "right" 2, "justify" 3, else 0).
    static int32_t alignmentCode(const QString &word);

private:
    std::unique_ptr<QTextLayout> layout;
    TextBlockStyle style;
    int32_t lines = 0;
    QSizeF used;
};
