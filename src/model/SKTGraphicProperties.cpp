// SKTGraphic: the properties dictionary (writing, reading, the clipboard form).
#include "model/SKTGraphic.h"

#include "config/DataCentre.h"
#include "config/EditionSettings.h"

#include "model/Geometry.h"
#include "model/GraphicEnvironment.h"
#include "model/GraphicFactory.h"

#include <QCborArray>
#include <QCborMap>
#include <cmath>

namespace {
const QString kBaseTemplate = QStringLiteral("basetemplate");

bool isClear(const QColor &c)
{
    return !c.isValid() || c.alpha() == 0;
}

// The eight box-model sides in the order the dictionary lists them.
const char *const kBoxKeys[] = {"topPadding", "bottomPadding", "rightPadding", "leftPadding",
                                "topMargin", "bottomMargin", "rightMargin", "leftMargin"};
} // namespace

GraphicProperties SKTGraphic::properties()
{
    GraphicProperties p;
    writeProperties(p);
    return p;
}

QString SKTGraphic::description()
{
    QStringList parts;
    const GraphicProperties p = properties();
    for (const QString &key : p.keys())
        parts.append(key + QStringLiteral(" = ") + p.value(key).toString());
    return QStringLiteral("{") + parts.join(QStringLiteral("; ")) + QStringLiteral("}");
}

void SKTGraphic::writeProperties(GraphicProperties &p)
{
    // Null strings become empty ones the stored form relies on; by value
    // nothing changes, so there is nothing to report.
    if (m_link.isNull())
        m_link = QLatin1String("");
    if (m_templateName.isNull())
        m_templateName = QLatin1String("");
    if (m_hoverColorString.isNull())
        m_hoverColorString = QLatin1String("");
    if (m_hoverTextColorString.isNull())
        m_hoverTextColorString = QLatin1String("");
    if (m_linkType.isNull())
        m_linkType = QStringLiteral("shape");
    if (m_formType.isNull() || m_formType == QLatin1String("(null)"))
        m_formType = QLatin1String("");
    const QString borderHex = DataCentre::asHexString(m_borderColor, gColorPalette);
    setBorderHexColorString(borderHex.isEmpty() ? QStringLiteral("000000") : borderHex);

    p.setRect(QStringLiteral("bounds"), m_bounds);
    p.setFlag(QStringLiteral("drawingFill"), isDrawingFill());
    p.setFlag(QStringLiteral("drawingStroke"), isDrawingStroke());
    p.setNumber(QStringLiteral("strokeWidth"), m_strokeWidth);
    p.setFloatString(QStringLiteral("cornerRadius"), m_cornerRadius);
    if (className() == QLatin1String("SKTImage"))
        p.setString(QStringLiteral("fontColor"), QStringLiteral("000000"));
    else
        p.setString(QStringLiteral("fontColor"), isClear(m_fontColor) ? QString() : DataCentre::asHexString(m_fontColor, gColorPalette));
    if (isClear(m_fillColor))
        p.setString(QStringLiteral("fillColor"), QString());
    else
        p.setColour(QStringLiteral("fillColor"), m_fillColor);
    p.setString(QStringLiteral("borderStyle"), m_borderStyle);
    p.setFloatString(QStringLiteral("opacity"), m_opacity);
    p.setIntString(QStringLiteral("shadowFlag"), m_shadowFlag);
    p.setString(QStringLiteral("link"), m_link);
    p.setString(QStringLiteral("textType"), m_textType);
    if (!m_backgroundHexColorString.isNull())
        p.setString(QStringLiteral("backgroundHexColorString"), m_backgroundHexColorString);
    p.setString(QStringLiteral("textHexColorString"), m_textHexColorString);
    p.setString(QStringLiteral("altText"), m_altText);
    p.setString(QStringLiteral("retinaFlag"), m_retinaFlag ? QStringLiteral("1") : QStringLiteral("0"));
    p.setString(QStringLiteral("linkOption"), m_linkOption);
    p.setString(QStringLiteral("scrollFlag"), m_scrollFlag == 1 ? QStringLiteral("1") : QStringLiteral("0"));
    p.setIntString(QStringLiteral("galleryNumber"), m_galleryNumber);
    p.setString(QStringLiteral("templateName"), m_templateName);
    p.setString(QStringLiteral("hoverColorString"), m_hoverColorString);
    p.setString(QStringLiteral("hoverTextColorString"), m_hoverTextColorString);
    p.setString(QStringLiteral("linkType"), m_linkType);
    p.setString(QStringLiteral("formType"), m_formType);
    p.setIntString(QStringLiteral("formTag"), m_formTag);
    p.setIntString(QStringLiteral("formRequiredFlag"), m_formRequiredFlag);
    p.setIntString(QStringLiteral("formOptionTag"), m_formOptionTag);
    p.setIntString(QStringLiteral("backdropLightingFlag"), m_backdropLightingFlag);
    p.setIntString(QStringLiteral("matchScreenFlag"), m_matchScreenFlag ? 1 : 0);
    p.setIntString(QStringLiteral("snippetFormatFlag"), m_snippetFormatFlag ? 1 : 0);
    if (m_borderColor.isValid())
        p.setColour(QStringLiteral("borderColor"), m_borderColor);
    p.setString(QStringLiteral("borderHexColorString"), m_borderHexColorString);
    p.setNumber(QStringLiteral("borderWidth"), double(m_borderWidth));
    p.setFloatString(QStringLiteral("lineSpacing"), m_lineSpacing);
    p.setFloatString(QStringLiteral("shadowRadius"), m_shadowRadius);
    p.setFloatString(QStringLiteral("shadowHorizontalOffset"), m_shadowHorizontalOffset);
    p.setFloatString(QStringLiteral("shadowVerticalOffset"), m_shadowVerticalOffset);
    p.setFloatString(QStringLiteral("rotationAngle"), m_rotationAngle);
    p.setIntString(QStringLiteral("responsiveResizeFlag"), m_responsiveResizeFlag);
    p.setIntString(QStringLiteral("responsiveAlignment"), m_responsiveAlignment);
    p.setIntString(QStringLiteral("markAsReplyToEmailFlag"), m_markAsReplyToEmailFlag);
    for (const char *side : kBoxKeys) {
        const QString key = QLatin1String(side);
        p.setIntString(key, value(key).toInt());
        p.setString(key + QStringLiteral("Type"), value(key + QStringLiteral("Type")).toString());
        p.setString(key + QStringLiteral("LevelString"), value(key + QStringLiteral("LevelString")).toString());
    }
    p.setIntString(QStringLiteral("sectionNumber"), m_sectionNumber);
    p.setIntString(QStringLiteral("sectionRowSpot"), m_sectionRowSpot);
    p.setIntString(QStringLiteral("sectionColumnSpot"), m_sectionColumnSpot);
    p.setIntString(QStringLiteral("verticalAlignment"), m_verticalAlignment);
}

void SKTGraphic::readProperties(const GraphicProperties &p)
{
    m_bounds = p.rect(QStringLiteral("bounds"));
    // Every graphic built from a dictionary draws its fill.
    m_drawingFill = true;
    if (p.isNumber(QStringLiteral("drawingStroke")))
        m_drawingStroke = p.flag(QStringLiteral("drawingStroke"), m_drawingStroke);
    if (p.isNumber(QStringLiteral("strokeWidth")))
        m_strokeWidth = p.number(QStringLiteral("strokeWidth"), m_strokeWidth);
    m_cornerRadius = std::trunc(p.number(QStringLiteral("cornerRadius"), 0.0));
    m_fontColor = DataCentre::colorWithHexString(p.string(QStringLiteral("fontColor")));
    m_strokeColor = m_fontColor;
    m_fillColor = p.colour(QStringLiteral("fillColor")).value_or(QColor(Qt::transparent));
    m_borderStyle = p.string(QStringLiteral("borderStyle"), QStringLiteral("none"));
    m_opacity = Geometry::clampToFloat(p.number(QStringLiteral("opacity"), 0.0));
    m_shadowFlag = p.integer(QStringLiteral("shadowFlag"), 0);
    m_link = p.string(QStringLiteral("link"), QLatin1String(""));
    m_textType = p.string(QStringLiteral("textType"), QLatin1String(""));
    m_backgroundHexColorString = p.string(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
    m_textHexColorString = p.string(QStringLiteral("textHexColorString"), QStringLiteral("000000"));
    m_altText = p.string(QStringLiteral("altText"), QLatin1String(""));
    m_linkOption = p.string(QStringLiteral("linkOption"), QStringLiteral("_self"));
    m_scrollFlag = p.integer(QStringLiteral("scrollFlag"), 0);
    m_galleryNumber = p.integer(QStringLiteral("galleryNumber"), -99);
    m_templateName = p.string(QStringLiteral("templateName"));
    {
        // Objects of the base template can be picked only while the base
        // template page itself is edited.
        GraphicEnvironment *env = GraphicEnvironment::current();
        m_selectable = m_templateName != kBaseTemplate || !env || env->documentPageName() == kBaseTemplate;
    }
    m_hoverColorString = p.string(QStringLiteral("hoverColorString"), QLatin1String(""));
    m_hoverTextColorString = p.string(QStringLiteral("hoverTextColorString"), QLatin1String(""));
    m_linkType = p.string(QStringLiteral("linkType"), QStringLiteral("text"));
    m_formType = p.string(QStringLiteral("formType"), QLatin1String(""));
    m_formTag = p.integer(QStringLiteral("formTag"), 0);
    m_formRequiredFlag = p.integer(QStringLiteral("formRequiredFlag"), 0);
    m_formOptionTag = p.integer(QStringLiteral("formOptionTag"), -99);
    m_backdropLightingFlag = p.integer(QStringLiteral("backdropLightingFlag"), 0);
    m_matchScreenFlag = p.flag(QStringLiteral("matchScreenFlag"), false);
    m_snippetFormatFlag = p.flag(QStringLiteral("snippetFormatFlag"), false);
    m_borderColor = p.colour(QStringLiteral("borderColor")).value_or(QColor(Qt::transparent));
    m_borderHexColorString = p.string(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
    m_borderWidth = p.integer(QStringLiteral("borderWidth"), 0);
    m_lineSpacing = Geometry::clampToFloat(p.number(QStringLiteral("lineSpacing"), 1.25));
    m_shadowRadius = Geometry::clampToFloat(p.number(QStringLiteral("shadowRadius"), 0.0));
    m_shadowHorizontalOffset = Geometry::clampToFloat(p.number(QStringLiteral("shadowHorizontalOffset"), 0.0));
    m_shadowVerticalOffset = Geometry::clampToFloat(p.number(QStringLiteral("shadowVerticalOffset"), 0.0));
    m_rotationAngle = Geometry::clampToFloat(p.number(QStringLiteral("rotationAngle"), 0.0));
    m_responsiveResizeFlag = p.integer(QStringLiteral("responsiveResizeFlag"), 0);
    m_responsiveAlignment = p.integer(QStringLiteral("responsiveAlignment"), 0);
    m_markAsReplyToEmailFlag = p.integer(QStringLiteral("markAsReplyToEmailFlag"), 0);
    for (const char *side : kBoxKeys) {
        const QString key = QLatin1String(side);
        setValue(key, p.integer(key, 0));
        setValue(key + QStringLiteral("Type"), p.string(key + QStringLiteral("Type"), QStringLiteral("%")));
        setValue(key + QStringLiteral("LevelString"), p.string(key + QStringLiteral("LevelString"), QStringLiteral("None")));
    }
    m_sectionNumber = p.integer(QStringLiteral("sectionNumber"), -99);
    m_sectionRowSpot = p.integer(QStringLiteral("sectionRowSpot"), -99);
    m_sectionColumnSpot = p.integer(QStringLiteral("sectionColumnSpot"), -99);
    m_verticalAlignment = p.integer(QStringLiteral("verticalAlignment"), 0);

    // Keys that only kinds and the load conversion write.
    m_fontFamily = p.string(QStringLiteral("fontFamily"));
    m_fontSize = p.integer(QStringLiteral("fontSize"), 0);
    m_fontAlignment = p.integer(QStringLiteral("fontAlignment"), 0);
    m_moveLock = p.integer(QStringLiteral("moveLock"), 0);
    m_slideShowNumber = p.integer(QStringLiteral("slideShowNumber"), 0);
    m_shapeFlag = p.integer(QStringLiteral("shapeFlag"), 0);
    m_groupNumber = p.integer(QStringLiteral("groupNumber"), -99);
    m_imageEnlargeFlag = p.integer(QStringLiteral("imageEnlargeFlag"), -99);
    m_slideShowAutomaticFlag = p.integer(QStringLiteral("slideShowAutomaticFlag"), 0);
    m_manualLayerIndex = p.integer(QStringLiteral("manualLayerIndex"), 0);
    m_sectionIDString = p.string(QStringLiteral("sectionIDString"), QLatin1String(""));
    m_onClickHideString = p.string(QStringLiteral("onClickHideString"), QLatin1String(""));
    m_onClickShowString = p.string(QStringLiteral("onClickShowString"), QLatin1String(""));
    m_initialLaunchStateFlag = p.integer(QStringLiteral("initialLaunchStateFlag"), 0);
}

QList<GraphicProperties> SKTGraphic::propertiesWithGraphics(const QList<SKTGraphic *> &graphics)
{
    QList<GraphicProperties> list;
    list.reserve(graphics.size());
    for (SKTGraphic *g : graphics) {
        if (!g)
            continue;
        GraphicProperties p = g->properties();
        p.setString(QStringLiteral("className"), g->className());
        list.append(p);
    }
    return list;
}

QList<std::shared_ptr<SKTGraphic>> SKTGraphic::graphicsWithPropertiesPasted(const QList<GraphicProperties> &list)
{
    QList<std::shared_ptr<SKTGraphic>> graphics;
    graphics.reserve(list.size());
    for (const GraphicProperties &p : list) {
        if (std::unique_ptr<SKTGraphic> g = GraphicFactory::createWithProperties(p))
            graphics.append(std::shared_ptr<SKTGraphic>(std::move(g)));
    }
    return graphics;
}

QString SKTGraphic::pasteboardMimeType()
{
    return QStringLiteral("application/x-zov-graphics");
}

QByteArray SKTGraphic::pasteboardDataWithGraphics(const QList<SKTGraphic *> &graphics)
{
    QCborArray array;
    for (const GraphicProperties &p : propertiesWithGraphics(graphics))
        array.append(p.toCbor());
    return QCborValue(array).toCbor();
}

QList<std::shared_ptr<SKTGraphic>> SKTGraphic::graphicsWithPasteboardData(const QByteArray &data, QString *error)
{
    QCborParserError parseError;
    const QCborValue value = QCborValue::fromCbor(data, &parseError);
    if (parseError.error != QCborError::NoError || !value.isArray()) {
        if (error)
            *error = QStringLiteral("The pasted objects could not be read.");
        return {};
    }
    QList<GraphicProperties> list;
    for (const QCborValue &e : value.toArray()) {
        if (e.isMap())
            list.append(GraphicProperties::fromCbor(e.toMap()));
    }
    return graphicsWithPropertiesPasted(list);
}
