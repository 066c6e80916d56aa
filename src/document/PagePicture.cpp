#include "document/PagePicture.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/GraphicRenderer.h"

QSize PagePicture::size(SKTDocument &document)
{
    const bool mail = gAppName == QLatin1String("Glentor Mails Pro 2") || gAppName == QLatin1String("Glentor Mails Express");
    if (gUseFullCanvasForImage)
        return {gCanvasWidth, gCanvasMaxHeight};
    if (document.docSpecificFixedCanvasFlag == 1)
        return {document.docSpecificPageWidth, document.docSpecificPageHeight};
    const int32_t width = document.findMaxScreenWidth();
    const int32_t height = document.findMaxScreenHeight();
    if (!mail) {
        const int32_t margin = gNoCanvasMargin ? 0 : 50;
        return {width + margin, height + margin};
    }
    return {gCanvasSizeType == QLatin1String("Flex") ? width : gCanvasWidth, height};
}

QImage PagePicture::render(SKTDocument &document, bool transparent)
{
    const bool clear = (transparent && gClearImageBackground && document.backgroundImageFlag <= 0)
                       || document.documentColorHexString == QLatin1String("CLEAR0");
    const QColor background = clear ? QColor(Qt::transparent) : document.pageColor;
    QSize area = PagePicture::size(document);
    if (area.isEmpty())
        area = QSize(1, 1);
    QList<SKTGraphic *> graphics = document.graphicPointers();
    return GraphicRenderer::renderImage(graphics, area, background, 1.0, GraphicRenderer::paperOptions());
}
