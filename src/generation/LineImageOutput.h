#pragma once
// To be filled (B2): the line pass and the image pass of the page generator.
class GenerationContext;

class LineImageOutput {
public:
    LineImageOutput() = delete;
    // Line CSS of doc.lineArray, last entry first.
    static void writeLines(GenerationContext &ctx);
    // Image CSS, retina block and image markup of doc.imageViewArray in
    // image-number order; writes the image and mask files through
    // doc.saveImage / doc.saveMaskImage. Answers whether there was an image.
    static bool writeImages(GenerationContext &ctx);
};
