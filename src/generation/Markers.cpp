// The marker comments after the closing html tag: the page's settings, which
// the page reader finds again by their start and end strings. A value can
// never end its marker (or, on a PHP page, switch PHP on or off), so every
// value passes through cleanMarkerValue.
#include "generation/Markers.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Fmt.h"
#include "document/MarkerValue.h"
#include "generation/FormMailer.h"
#include "generation/GenerationContext.h"
#include "platform/UserDefaults.h"

#include <cmath>

QString Markers::cleanMarkerValue(const QString &value, bool inPhp)
{
    return MarkerValue::clean(value, inPhp);
}

PageMarkers Markers::pageMarkers(GenerationContext &ctx)
{
    SKTDocument &doc = ctx.doc;
    // On a PHP page the markers stand outside PHP: "<?" would switch it on.
    const bool php = FormMailer::isFormPage(doc);
    auto clean = [php](const QString &v) { return cleanMarkerValue(v, php); };

    PageMarkers m;
    if (gCanvasRotation != 0)
        m.rotate = QStringLiteral("<!--ROTATE CANVAS:90-->");
    if (doc.useBaseTemplateFlag == 1)
        m.useBaseTemplate = QStringLiteral("<!--USE BASE TEMPLATE-->");
    if (doc.inheritCustomHeaderCodeFlag == 1)
        m.inheritCustomHeader = QStringLiteral("<!--INHERIT CUSTOM HEADER-->");
    if (doc.inheritMetadataFlag == 1)
        m.inheritMetadata = QStringLiteral("<!--INHERIT METADATA-->");

    if (doc.publishExt.isEmpty())
        doc.publishExt = doc.pageFileExtension;
    m.publishExtension =
        QStringLiteral("<!--PUBLISHEXTSTART==") + clean(doc.publishExt) + QStringLiteral("==PUBLISHEXTEND-->");

    double quality = UserDefaults::standard().doubleForKey(QStringLiteral("backgroundQualityPercentage"));
    if (quality == 0.0 || !std::isfinite(quality))
        quality = 1.0;
    m.backgroundQuality = Fmt::fill(u"<!--BACKGROUNDIMAGESTART==%.02f==BACKGROUNDIMAGEEND-->", {quality});
    if (!gDefaultPrintSheet.isEmpty()) {
        const DocumentLabelTemplate &label = doc.labelTemplateHelper;
        m.backgroundQuality = Fmt::fill(u"%@\n%@\n%@\n%@\n",
                                        {m.backgroundQuality,
                                         QStringLiteral("//====LABEL_BRAND_START==") + clean(label.brand)
                                             + QStringLiteral("==LABEL_BRAND_END"),
                                         QStringLiteral("//====LABEL_TEMPLATENUMBER_START==") + clean(label.templateNumber)
                                             + QStringLiteral("==LABEL_TEMPLATENUMBER_END"),
                                         QStringLiteral("//====LABEL_TEMPLATEDESCRIPTION_START==")
                                             + clean(label.templateDescription)
                                             + QStringLiteral("==LABEL_TEMPLATEDESCRIPTION_END")});
    }

    m.pageTitle = QStringLiteral("<!--PAGETITLESTART==") + clean(doc.pageOfficialName) + QStringLiteral("==PAGETITLEEND-->");

    const bool fixed = doc.docSpecificFixedCanvasFlag != 0;
    m.fixedCanvas = Fmt::fill(u"<!--FIXEDCANVASSTART==%d==FIXEDCANVASEND-->", {fixed ? 1 : 0});
    if (fixed) {
        m.fixedCanvas = Fmt::fill(u"%@\n<!--DOCSPECIFIC_WIDTH==%d==DOCSPECIFIC_WIDTH_END-->\n"
                                  u"<!--DOCSPECIFIC_HEIGHT==%d==DOCSPECIFIC_HEIGHT_END-->",
                                  {m.fixedCanvas, doc.docSpecificPageWidth, doc.docSpecificPageHeight});
    }

    if (doc.duplicateBasetemplateFlag)
        m.baseTemplateDuplicated = QStringLiteral("<!--BASE TEMPLATE DUPLICATED-->");

    if (gCanvasSizeType.isNull())
        gCanvasSizeType = QString(QLatin1String(""));
    m.canvasSizeType =
        QStringLiteral("<!--CANVAS_SIZE_TYPE==") + clean(gCanvasSizeType) + QStringLiteral("==CANVAS_SIZE_TYPE_END-->");
    return m;
}
