#pragma once
// The one maker of plain text boxes (every text object but form fields),
// the zoom-bubble and outline-shape boxes, and HTML snippets. Each builds
// the properties dictionary of an SKTText and inserts the graphic in front
// of the page through the document.
#include "insertion/InsertionFrame.h"

#include <QRectF>
#include <QString>
#include <memory>

// The eighteen values that describe a text box completely; the defaults are
// the common values of the makers.
struct TextBoxSpec {
    QString text;
    QString link;
    QRectF frame;
    int32_t groupNumber = -99;
    QString fillColour = QStringLiteral("CLEAR0");
    QString textColour = QStringLiteral("555555");
    // Kept as written: a family this machine lacks is substituted only when drawing.
    QString fontFamily = QStringLiteral("Helvetica Neue");
    double fontSize = 15;
    int32_t cornerRadius = 0;
    float opacity = 1.0f;
    QString hoverColour;
    QString hoverTextColour;
    QString linkType;
    QString borderStyle = QStringLiteral("none");
    int32_t borderWidth = 0;
    QString borderColour = QStringLiteral("000000");
    QString alignment = QStringLiteral("left");
    QString textKind = QStringLiteral("Text");
    bool fullWidth = false;
};

class TextBoxFactory {
public:
    explicit TextBoxFactory(InsertionFrame &frame) : m_frame(frame) {}

    // The dictionary of a text box (no section placement yet).
    static GraphicProperties textBoxProperties(const TextBoxSpec &spec);
    // Builds, places (responsive editions) and inserts the box at index 0.
    std::shared_ptr<SKTGraphic> addTextBox(const TextBoxSpec &spec);
    // The values as the canvas's drop tables hand them over (keys text, link,
    // bounds, groupNumber, fillHex, textHex, fontName, fontSize, cornerRadius,
    // opacity, hoverColor, hoverTextColor, linkType, borderStyle, borderWidth,
    // borderColor, alignment, textType, fullWidth).
    static TextBoxSpec specFromPreset(const GraphicProperties &preset);
    // Such a preset dropped at the point: fitted into the section cell (and
    // room made in it) as its "placement" says, in responsive editions.
    std::shared_ptr<SKTGraphic> addTextBoxFromPreset(const GraphicProperties &preset, const QPointF &point);

    // A 100 x 100 transparent box at the point with a 2-point outline of the
    // shape: red for a zoom bubble (flag 1), grey for an outline shape.
    std::shared_ptr<SKTGraphic> addZoomBubbleTextbox_drag(const QPointF &point, int32_t cornerRadius,
                                                         const QString &bubbleShape, int32_t zoomBubbleFlag);
    // An HTML snippet of exactly the rectangle, showing its source.
    std::shared_ptr<SKTGraphic> addSnippet_drag(const QString &html, const QRectF &rect);

private:
    InsertionFrame &m_frame;
};
