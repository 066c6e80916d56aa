#pragma once
// One page of an open project as the window lists it: what the scan read of
// the page package and its page text. The window's page button shows one.
#include <QSize>
#include <QString>
#include <cstdint>

struct PageEntry {
    QString pageName;      // the page file name with its extension
    QString documentName;  // the same; the name the order file and look-ups use
    QString imagePath;     // the screenshot in the work copy, "" when there is none
    QSize imageSize;       // its size in pixels, empty when it could not be read
    QString pageTitle;
    QString pageWidth;     // viewport width as decimal text, or ""
    QString fileTime;      // modification time, "MMM dd yyyy h:mm a" in the C locale
    QString pagePublishFileName;
    QString pageLocalFileName;
    int32_t useBaseTemplateFlag = 0;
    int32_t inheritMetadataFlag = 0;
    int32_t inheritCustomHeaderCodeFlag = 0;
    bool oldPelprofileFlag = false;
    int32_t pageNumber = 0;
    int32_t tag = 0;
    bool borderFlag = false;

    bool operator==(const PageEntry &) const = default;
};
