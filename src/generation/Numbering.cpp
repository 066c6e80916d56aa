// Numbers that members of composite graphics carry before a page is written,
// and the template name reset of a renamed page.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

void SKTDocument::populateGalleryImageDimensions()
{
    const QList<SKTGalleryGrid *> list = galleries();
    const auto c = int32_t(list.size());
    for (int32_t i = 0; i < c; ++i) {
        SKTGalleryGrid *gallery = list[i];
        for (const auto &image : gallery->imageArray()) {
            if (!image)
                continue;
            image->galleryNumber = c - 1 - i;
            // A gallery's picture is stored as one of its members only: -66
            // keeps it out of the page's own images when the page is read
            // back. Filling a gallery gives it that mark; a picture that came
            // in another way (a copy, a script) gets it here, or it would
            // come back as a gallery member and a loose image at once.
            image->slideShowNumber = TransformView::kGalleryMemberSlideShowNumber;
            image->shadowFlag = gallery->shadowFlag() != 0;
            image->backdropLightingFlag = gallery->backdropLightingFlag();
        }
    }
}

void SKTDocument::populateTableNumbers()
{
    const QList<SKTTable *> list = tables();
    const auto c = int32_t(list.size());
    for (int32_t i = 0; i < c; ++i) {
        SKTTable *table = list[i];
        const int32_t number = c - 1 - i;
        if (const auto background = table->tableBackgroundImage())
            background->tableNumber = number;
        for (const auto &cell : table->cellHelperArray())
            if (cell)
                cell->tableNumber = number;
    }
    if (!gTableImagesEnabled)
        return;
    for (int32_t i = 0; i < c; ++i)
        for (const auto &image : list[i]->imageArray())
            if (image)
                image->tableNumber = c - 1 - i;
}

void SKTDocument::populateSlideshowImageDimensions()
{
    for (SKTSlideshow *show : slideshows())
        show->grabTransformViewBounds();
}

void SKTDocument::resetTemplateName(const QString &name)
{
    for (SKTText *text : textAreas())
        text->setTemplateName(name);
    for (SKTImage *image : images())
        image->setTemplateName(name);
    for (SKTSlideshow *show : slideshows()) {
        show->setTemplateName(name);
        for (const auto &slide : show->imageArray())
            if (slide)
                slide->templateName = name;
    }
    for (SKTGalleryGrid *gallery : galleries()) {
        gallery->setTemplateName(name);
        for (const auto &image : gallery->imageArray())
            if (image)
                image->templateName = name;
    }
    // A table's cells and images keep theirs.
    for (SKTTable *table : tables())
        table->setTemplateName(name);
    for (SKTLine *line : lines())
        line->setTemplateName(name);
}
