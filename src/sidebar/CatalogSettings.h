#pragma once
// What the catalog settings forms show: photos per page by segment and the
// supported-files note of each catalog edition.
#include <QString>

class CatalogSettings {
public:
    CatalogSettings() = delete;
    static constexpr int photosPerPageSegments = 12;
    static constexpr int defaultPhotosPerPageSegment = 2;  // 30 a page
    // segment x 10 + 10 (10 to 120).
    static int photosPerPage(int segment) { return segment * 10 + 10; }
    static QString supportedFileTypes(bool photoEdition);
};
