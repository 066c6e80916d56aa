#pragma once
// The line pass and the image pass of the page generator, and the small
// writing rules the element passes share.
#include <QString>

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

    // An attribute value written without quotes (class=image3, src=page/image3@2x.png)
    // when it holds only characters that cannot end it; anything else is
    // escaped and put in double quotes.
    static QString bareAttribute(const QString &value);
    // "name:#RRGGBB;" for six hex digits, "name:transparent;" for "CLEAR0",
    // nothing for anything else (an empty or damaged colour).
    static QString colourDeclaration(const QString &name, const QString &colour);
    // Is this link a link at all ("", "http://" and "(null)" are none)?
    static bool isLink(const QString &link);
};
