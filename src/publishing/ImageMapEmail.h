#pragma once
// The HTML page that carries an e-mail design sent as one picture: the picture with an
// image map whose rectangles are the design's links, between the header and footer
// texts of the recipient sheet. The document gathers the pieces; this class writes
// them into the page, escaped for where they go.
#include <QDateTime>
#include <QList>
#include <QRectF>
#include <QString>

class ImageMapEmail {
public:
    ImageMapEmail() = delete;

    struct Area {
        int32_t left = 0;
        int32_t top = 0;
        int32_t right = 0;
        int32_t bottom = 0;
        QString link;
    };
    struct Page {
        QString backgroundHex;    // six hex digits; "FFFFFF" when empty
        QString header;           // plain text; line breaks become <br>
        QString footer;
        QString tooltip;          // the picture's alt text
        QString pictureAddress;   // web address of the picture, or its bare file name
        double pictureWidth = 0;  // the rendered picture, in pixels
        double pictureHeight = 0;
        bool noCanvasMargin = false;  // else 50 is added to each side's size
        QList<Area> areas;
    };

    // The file name the uploaded picture gets: a stamp of the time (calendar year,
    // 24-hour clock) with a random suffix, then "_glentormails.png", so two uploads
    // never share a name.
    static QString remoteFileName(const QDateTime &now = QDateTime::currentDateTime());

    // Whether a link makes an area: present and neither "" nor "http://".
    static bool isMappedLink(const QString &link);
    // The area of an element with these bounds; an image with a reflection maps only
    // the picture above it. Coordinates left of or above the page start at 0.
    static Area areaFor(const QRectF &bounds, const QString &link, float reflection = 0);

    // The page text.
    static QString generateEmailCode(const Page &page);

    // A picture address fit for an unquoted src attribute: spaces, quotes and angle
    // brackets percent-encoded.
    static QString encodedAddress(const QString &address);
};
