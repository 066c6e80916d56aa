#pragma once
// The page as one picture: what the PNG, JPEG and PDF exports, the page's
// screenshot and printing draw.
#include <QImage>
#include <QSize>

class SKTDocument;

class PagePicture {
public:
    PagePicture() = delete;

    // The rectangle render() draws: the whole canvas, the page's fixed size,
    // or the extent of its graphics (with a margin outside the mail editions).
    static QSize size(SKTDocument &document);
    // The page's graphics on its colour (transparent when asked and allowed).
    static QImage render(SKTDocument &document, bool transparent);
};
