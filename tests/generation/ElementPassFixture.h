#pragma once
// Runs single passes of the page generator over a page built in code: the
// driver's set-up (draw-time work, member numbers, working lists) without the
// assembly, so that a test reads the exact fragments one pass appends.
#include "PageFixture.h"

#include "generation/GenerationContext.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "support/PageGraphics.h"

class ElementPassTest : public PageTest {
public:
    // The working lists as the driver fills them, and a fresh context.
    GenerationContext &prepare(bool saveImages = false, bool responsive = false)
    {
        doc->prepareGraphicsForGeneration();
        doc->populateGalleryImageDimensions();
        doc->populateTableNumbers();
        doc->textViewArray.clear();
        doc->htmlSnippetArray.clear();
        doc->imageViewArray.clear();
        for (SKTText *text : doc->textAreas()) {
            if (text->textType() == QLatin1String("Text"))
                doc->textViewArray.append(TextElement(text));
            else if (text->textType() == QLatin1String("HTMLSnippet"))
                doc->htmlSnippetArray.append(TextElement(text));
        }
        for (SKTImage *image : doc->images())
            doc->imageViewArray.append(ImageElement(image));
        doc->slideshowArray = doc->slideshows();
        doc->galleryArray = doc->galleries();
        doc->tableArray = doc->tables();
        doc->lineArray = doc->lines();
        ctx = std::make_unique<GenerationContext>(*doc, doc->pageName, responsive, saveImages);
        return *ctx;
    }

    // What a graphic placed by the user carries besides its own settings.
    static void placeOnPage(SKTGraphic &graphic, const QRectF &bounds) { testpage::placeOnPage(graphic, bounds); }

    static QImage picture(int width, int height, QColor colour = QColor(200, 40, 40))
    {
        return testpage::picture(width, height, colour);
    }

    std::shared_ptr<SKTImage> image(const QString &name, const QRectF &bounds)
    {
        auto i = std::make_shared<SKTImage>();
        placeOnPage(*i, bounds);
        i->setContents(picture(int(bounds.width()), int(bounds.height())));
        i->setImageName(name);
        i->setImageType(QStringLiteral("png"));
        i->setBorderStyle(QStringLiteral("solid"));
        i->setBorderHexColorString(QStringLiteral("000000"));
        for (int k = 0; k < 8; ++k)
            ImageElement(i.get()).setBoxType(k, QStringLiteral("pixel"));
        return i;
    }

    static std::shared_ptr<TransformView> carrier(const QString &name, int width, int height)
    {
        return testpage::carrier(name, picture(width, height));
    }

    std::unique_ptr<GenerationContext> ctx;
};
