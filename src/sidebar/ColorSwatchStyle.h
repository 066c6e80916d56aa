#pragma once
// How the inspector's colour buttons and their captions look, decided without
// widgets: the swatch image, its title and title colour, the frames of the
// fixed panel's captions and buttons. The button widgets take these as they are.
#include <QColor>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

class ColorSwatchStyle {
public:
    ColorSwatchStyle() = delete;

    struct Swatch {
        QImage image;  // 200 x 30
        QString title;
        QColor titleColor;
        QRectF frame;  // in a FORMAT row
    };
    // The swatch for a colour; an invalid or fully clear colour shows the
    // clear grid image and the title "Clear" in black.
    static Swatch swatch(const QColor &colour, double inspectorWidth, const QImage &clearGrid = QImage());
    // The colour's complement, keeping its alpha: readable over the swatch.
    static QColor invertedColor(const QColor &colour);

    struct Caption {
        QString name;  // the window controller's field: "selectedTextColorLabel"
        QString text;
        QRectF frame;
        QString buttonName;  // "selectedTextColorButton"
        QRectF buttonFrame;  // directly under the caption
        bool shown = true;   // hover captions and buttons only in editions that show hover colours
    };
    // The fixed panel's six captions and buttons, in the order the panel adds them.
    static QList<Caption> fixedPanelCaptions(bool wideBorderOption, bool hoverColorsShown);
};
