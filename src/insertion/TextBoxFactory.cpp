#include "insertion/TextBoxFactory.h"

#include "config/DataCentreColours.h"
#include "config/EditionSettings.h"
#include "insertion/InsertionStep.h"
#include "insertion/SectionOperations.h"
#include "model/SKTGraphic.h"

namespace {
QColor fillColourOf(const QString &hex)
{
    return hex == QLatin1String("CLEAR0") ? QColor(Qt::transparent) : DataCentreColours::colorWithHexString(hex);
}

int32_t alignmentIndex(const QString &alignment)
{
    if (alignment == QLatin1String("center"))
        return 1;
    if (alignment == QLatin1String("right"))
        return 2;
    return 0; // left, and justified for anything else
}
} // namespace

GraphicProperties TextBoxFactory::textBoxProperties(const TextBoxSpec &spec)
{
    GraphicProperties p;
    const bool responsive = gResponsiveEdition;
    const bool full = responsive && spec.fullWidth;
    const int32_t sidePadding = responsive ? 10 : 0;
    const int32_t verticalPadding = responsive && !full ? 10 : 0;
    p.setIntString(QStringLiteral("topPadding"), verticalPadding);
    p.setIntString(QStringLiteral("bottomPadding"), verticalPadding);
    p.setIntString(QStringLiteral("leftPadding"), sidePadding);
    p.setIntString(QStringLiteral("rightPadding"), sidePadding);
    p.setString(QStringLiteral("topMargin"), QStringLiteral("0"));
    p.setString(QStringLiteral("bottomMargin"), QStringLiteral("0"));
    p.setString(QStringLiteral("leftMargin"), full ? QStringLiteral("10") : QStringLiteral("0"));
    p.setString(QStringLiteral("rightMargin"), full ? QStringLiteral("10") : QStringLiteral("0"));
    const QString paddingType = responsive ? QStringLiteral("pixel") : QStringLiteral("%");
    for (const char *side : {"top", "bottom", "left", "right"}) {
        const QString s = QLatin1String(side);
        p.setString(s + QStringLiteral("PaddingType"), paddingType);
        p.setString(s + QStringLiteral("MarginType"), QStringLiteral("%"));
        p.setString(s + QStringLiteral("PaddingLevelString"), QStringLiteral("Small"));
        p.setString(s + QStringLiteral("MarginLevelString"), QStringLiteral("None"));
    }
    p.setString(QStringLiteral("verticalAlignment"), full ? QStringLiteral("1") : QStringLiteral("0"));
    if (spec.textKind == QLatin1String("HTMLSnippet"))
        p.setString(QStringLiteral("snippetFormatFlag"), QStringLiteral("1"));
    p.setColour(QStringLiteral("fillColor"), fillColourOf(spec.fillColour));
    p.setColour(QStringLiteral("borderColor"), DataCentreColours::colorWithHexString(spec.borderColour));
    p.setRect(QStringLiteral("bounds"), spec.frame);
    p.setIntString(QStringLiteral("fontAlignment"), alignmentIndex(spec.alignment));
    p.setFloatString(QStringLiteral("cornerRadius"), spec.cornerRadius);
    p.setString(QStringLiteral("fontColor"), spec.textColour);
    p.setString(QStringLiteral("textHexColorString"), spec.textColour);
    p.setString(QStringLiteral("backgroundHexColorString"), spec.fillColour);
    p.setFloatString(QStringLiteral("fontSize"), spec.fontSize);
    p.setString(QStringLiteral("fontFamily"), spec.fontFamily);
    p.setString(QStringLiteral("borderStyle"), spec.borderStyle);
    p.setFloatString(QStringLiteral("opacity"), spec.opacity);
    p.setString(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.setString(QStringLiteral("link"), spec.link.isNull() ? QStringLiteral("") : spec.link);
    p.setString(QStringLiteral("textString"), spec.text);
    p.setString(QStringLiteral("textType"), spec.textKind);
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.setIntString(QStringLiteral("groupNumber"), spec.groupNumber);
    p.setString(QStringLiteral("hoverColorString"), spec.hoverColour);
    p.setString(QStringLiteral("hoverTextColorString"), spec.hoverTextColour);
    // No link type given: a text link, which is what the box reads back as.
    p.setString(QStringLiteral("linkType"), spec.linkType.isEmpty() ? QStringLiteral("text") : spec.linkType);
    p.setIntString(QStringLiteral("borderWidth"), spec.borderWidth);
    p.setString(QStringLiteral("borderHexColorString"), spec.borderColour);
    p.setString(QStringLiteral("sectionNumber"), QStringLiteral("0"));
    p.setString(QStringLiteral("sectionRowSpot"), QStringLiteral("0"));
    p.setString(QStringLiteral("sectionColumnSpot"), QStringLiteral("0"));
    return p;
}

std::shared_ptr<SKTGraphic> TextBoxFactory::addTextBox(const TextBoxSpec &spec)
{
    auto graphic = InsertionFrame::makeGraphic(QStringLiteral("SKTText"), textBoxProperties(spec));
    if (!graphic)
        return {};
    InsertionStep step(m_frame.document(), QStringLiteral("Add Text Box"));
    // A frame outside every section cell is inserted without placement.
    if (gResponsiveEdition)
        m_frame.applySection(spec.frame.topLeft(), *graphic);
    m_frame.insertAtFront(graphic);
    return graphic;
}

TextBoxSpec TextBoxFactory::specFromPreset(const GraphicProperties &p)
{
    TextBoxSpec spec;
    spec.text = p.string(QStringLiteral("text"));
    spec.link = p.string(QStringLiteral("link"));
    spec.frame = p.rect(QStringLiteral("bounds"));
    spec.groupNumber = p.integer(QStringLiteral("groupNumber"), -99);
    spec.fillColour = p.string(QStringLiteral("fillHex"), QStringLiteral("CLEAR0"));
    spec.textColour = p.string(QStringLiteral("textHex"), QStringLiteral("555555"));
    spec.fontFamily = p.string(QStringLiteral("fontName"), QStringLiteral("Helvetica Neue"));
    spec.fontSize = p.number(QStringLiteral("fontSize"), 20);
    spec.cornerRadius = p.integer(QStringLiteral("cornerRadius"), 0);
    spec.opacity = float(p.number(QStringLiteral("opacity"), 1.0));
    spec.hoverColour = p.string(QStringLiteral("hoverColor"));
    spec.hoverTextColour = p.string(QStringLiteral("hoverTextColor"));
    spec.linkType = p.string(QStringLiteral("linkType"));
    spec.borderStyle = p.string(QStringLiteral("borderStyle"), QStringLiteral("none"));
    spec.borderWidth = p.integer(QStringLiteral("borderWidth"), 0);
    spec.borderColour = p.string(QStringLiteral("borderColor"), QStringLiteral("000000"));
    spec.alignment = p.string(QStringLiteral("alignment"), QStringLiteral("left"));
    spec.textKind = p.string(QStringLiteral("textType"), QStringLiteral("Text"));
    spec.fullWidth = p.flag(QStringLiteral("fullWidth"), false);
    return spec;
}

std::shared_ptr<SKTGraphic> TextBoxFactory::addTextBoxFromPreset(const GraphicProperties &preset, const QPointF &point)
{
    TextBoxSpec spec = specFromPreset(preset);
    const QString placement = preset.string(QStringLiteral("placement"));
    InsertionStep step(m_frame.document(), QStringLiteral("Add Text Box"));
    if (gResponsiveEdition && placement.startsWith(QLatin1String("fit"))) {
        spec.frame = m_frame.grabSectionRect(point, spec.frame);
        if (placement == QLatin1String("fit+shift"))
            SectionOperations(m_frame.context()).shiftObjectsInSection(point, spec.frame);
    }
    return addTextBox(spec);
}

std::shared_ptr<SKTGraphic> TextBoxFactory::addZoomBubbleTextbox_drag(const QPointF &point, int32_t cornerRadius,
                                                                     const QString &bubbleShape,
                                                                     int32_t zoomBubbleFlag)
{
    const QString outline = zoomBubbleFlag != 0 ? QStringLiteral("EE0000") : QStringLiteral("555555");
    GraphicProperties p;
    p.setColour(QStringLiteral("fillColor"), QColor(Qt::transparent));
    p.setColour(QStringLiteral("borderColor"), DataCentreColours::colorWithHexString(outline));
    p.setRect(QStringLiteral("bounds"), QRectF(point.x(), point.y(), 100, 100));
    p.setString(QStringLiteral("fontAlignment"), QStringLiteral("0"));
    p.setFloatString(QStringLiteral("cornerRadius"), cornerRadius);
    p.setString(QStringLiteral("fontColor"), outline);
    p.setString(QStringLiteral("textHexColorString"), outline);
    p.setString(QStringLiteral("borderHexColorString"), outline);
    p.setString(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
    p.setFloatString(QStringLiteral("fontSize"), 10);
    p.setString(QStringLiteral("fontFamily"), QStringLiteral("Helvetica Neue"));
    p.setString(QStringLiteral("borderStyle"), QStringLiteral("solid"));
    p.setFloatString(QStringLiteral("opacity"), 1);
    p.setString(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    for (const char *key : {"link", "textString", "hoverColorString", "hoverTextColorString", "linkType"})
        p.setString(QLatin1String(key), QStringLiteral(""));
    p.setString(QStringLiteral("textType"), QStringLiteral("Text"));
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.setString(QStringLiteral("groupNumber"), QStringLiteral("-99"));
    p.setString(QStringLiteral("borderWidth"), QStringLiteral("2"));
    p.setString(QStringLiteral("bubbleShape"), bubbleShape);
    p.setIntString(QStringLiteral("zoomBubbleFlag"), zoomBubbleFlag);
    auto graphic = InsertionFrame::makeGraphic(QStringLiteral("SKTText"), p);
    InsertionStep step(m_frame.document(), zoomBubbleFlag != 0 ? QStringLiteral("Add Zoom Bubble")
                                                               : QStringLiteral("Add Shape"));
    m_frame.insertAtFront(graphic);
    return graphic;
}

std::shared_ptr<SKTGraphic> TextBoxFactory::addSnippet_drag(const QString &html, const QRectF &rect)
{
    GraphicProperties p;
    p.setRect(QStringLiteral("bounds"), rect);
    p.setString(QStringLiteral("textString"), html.isNull() ? QStringLiteral("") : html);
    p.setString(QStringLiteral("textType"), QStringLiteral("HTMLSnippet"));
    p.setString(QStringLiteral("fontFamily"), QStringLiteral("Helvetica Neue"));
    p.setFloatString(QStringLiteral("fontSize"), 14);
    p.setString(QStringLiteral("fontAlignment"), QStringLiteral("0"));
    p.setString(QStringLiteral("fontColor"), QStringLiteral("4F4C4C"));
    p.setString(QStringLiteral("textHexColorString"), QStringLiteral("4F4C4C"));
    p.setColour(QStringLiteral("fillColor"), DataCentreColours::colorWithHexString(QStringLiteral("DCDCDC")));
    p.setString(QStringLiteral("backgroundHexColorString"), QStringLiteral("DCDCDC"));
    p.setString(QStringLiteral("borderStyle"), QStringLiteral("dashed"));
    p.setFloatString(QStringLiteral("cornerRadius"), 0);
    p.setFloatString(QStringLiteral("opacity"), 0.9);
    p.setString(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.setString(QStringLiteral("link"), QStringLiteral(""));
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    auto graphic = InsertionFrame::makeGraphic(QStringLiteral("SKTText"), p);
    InsertionStep step(m_frame.document(), QStringLiteral("Add HTML Snippet"));
    m_frame.insertAtFront(graphic);
    return graphic;
}
