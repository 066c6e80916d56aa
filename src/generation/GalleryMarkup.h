#pragma once
// The responsive photo gallery: a Bootstrap grid of the gallery's pictures
// with a pop-up viewer that steps through them, as one fragment.
#include "document/CodeWidgetHelper.h"

class SKTDocument;
class SKTGalleryGrid;

class GalleryMarkup {
public:
    GalleryMarkup() = delete;

    // Lists the pictures the gallery's cells hold, row by row; a gallery
    // without columns lists none.
    static CodeWidgetHelper grabPhotoGalleryCode(SKTDocument &doc, SKTGalleryGrid *gallery);
};
