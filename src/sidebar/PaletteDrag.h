#pragma once
// What a palette entry's drag carries to the canvas: exactly one code name,
// under the canvas's MIME type for code names (it must stay equal to the
// type the canvas drop reads).
#include <QString>

#include <memory>

class QMimeData;
class QImage;

class PaletteDrag {
public:
    PaletteDrag() = delete;
    static QString codeNameMimeType() { return QStringLiteral("application/x-zov-code-name"); }
    static std::unique_ptr<QMimeData> mimeData(const QString &codeName);
    // The own icon of a shape or zoom-bubble entry: the named outline in a
    // 100 x 100 image, upright as on the canvas, white with a 2-point outline,
    // black for a shape and red for a zoom bubble, which also shows the sample
    // photo inside. An unknown shape name leaves the image transparent.
    static QImage createShapeImage(const QString &shapeName, bool shape, bool zoomBubble, const QImage &samplePhoto);
};
