#pragma once
// The marker comments the page generator writes after the closing html tag,
// and the cleaning of marker values that the page reader's marker editors
// share.
#include <QString>

class GenerationContext;

// The closing markers of a page, each one element of the closing list (an
// absent marker is an empty string).
struct PageMarkers {
    QString rotate;                 // R
    QString useBaseTemplate;        // U
    QString inheritCustomHeader;    // IH
    QString inheritMetadata;        // IM
    QString publishExtension;       // PX (fills doc.publishExt when empty)
    QString backgroundQuality;      // BQ with the label lines
    QString pageTitle;              // PT
    QString fixedCanvas;            // FC with the size lines
    QString baseTemplateDuplicated; // BD
    QString canvasSizeType;         // CS
};

class Markers {
public:
    Markers() = delete;
    // Built after the profile-edition title rewrite (the page title marker
    // carries the new title).
    static PageMarkers pageMarkers(GenerationContext &ctx);
    // A value made safe inside a marker: no line breaks, no "-->", and when
    // the marker lands in a PHP file (inPhp) no "?>" and no "<?" either, which
    // would end PHP inside a PHP comment or start it outside one.
    static QString cleanMarkerValue(const QString &value, bool inPhp = false);
};
