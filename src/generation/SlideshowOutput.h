#pragma once
// To be filled (B2): the slideshow pass and the gallery pass of the page
// generator. Both walk their list of the document from the last entry to the
// first, numbering from 0, and append to the context's pieces.
class GenerationContext;

class SlideshowOutput {
public:
    SlideshowOutput() = delete;
    // Slideshow CSS, button CSS, scripts and markup; slides get their
    // slideshow's number and join doc.imageViewArray.
    static void writeSlideshows(GenerationContext &ctx);
    // Gallery-grid CSS; gallery images get the gallery's stacking value and
    // join doc.imageViewArray.
    static void writeGalleries(GenerationContext &ctx);
};
