#include "insertion/GridInsertion.h"

#include "model/SKTGalleryGrid.h"

void GridInsertionStandIn::refreshGalleryImage(SKTGalleryGrid &gallery)
{
    QList<GridGraphic::Image> kept;
    for (const GridGraphic::Image &image : gallery.imageArray())
        if (image && image->rowSpot < gallery.numOfRows() && image->columnSpot < gallery.numOfColumns())
            kept.append(image);
    gallery.setImageArray(kept);
}
