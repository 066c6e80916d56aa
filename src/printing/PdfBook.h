#pragma once
// A whole project as one PDF, one page per project page in page order, the
// base template left out. Pages come either as vectors, each package read
// into a document of its own (never the open window), or from the cached page
// pictures. Files are written through QSaveFile: a failure keeps the old file.
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPainter;

struct BookPage {
    QString pageName;
    QString imagePath;        // the cached page picture
    QString packagePath;      // the page's package
    QString publishFileName;  // "basetemplate.html" is never printed
};

struct BookSettings {
    // Pictures above maximumDpi at their printed size are scaled down, and
    // opaque ones stored as JPEG.
    bool reduceSize = false;
    int maximumDpi = 150;
    // Canvas pixels per inch: each page is written at its true size (72 / this
    // points per canvas pixel); 0 writes one point per canvas pixel.
    float canvasPixelsPerInch = 0.0f;
    // The canvas width a page picture stands for (a picture smaller than the
    // canvas is a thumbnail and is enlarged to it); 0: the picture's own.
    int canvasWidth = 0;
};

struct BookResult {
    bool ok = true;
    int pages = 0;
    QStringList unreadablePages;
    QString errorText;
};

// The book's pages, gathered before painting. Reading a package builds a page
// document, which belongs to the main thread; pictures are read when painted.
// Painting a plan is safe on a worker once it is gathered.
struct BookPlan {
    struct Page {
        QString pageName;
        bool readable = true;
        QSizeF size;                // in canvas (or picture) pixels; empty until a picture is read
        bool picture = false;       // drawn from a page picture
        QString imagePath;          // a picture read when the page is painted
        std::function<void(QPainter &, const BookSettings &)> draw;
    };
    QList<Page> pages;
    int total = 0;                  // the project's pages, for progress
};

class PdfBook {
public:
    PdfBook() = delete;

    enum class Source { Packages, Pictures };
    using Progress = std::function<void(int done, int total, const QString &pageName)>;

    // The pages that go into the book.
    static QList<BookPage> bookPages(const QList<BookPage> &projectPages);

    // Gathers the book: packages are read into detached documents here, so
    // call it on the main thread; pictures are left for the painting.
    // Pictures narrower than canvasWidth (thumbnails of pages never opened)
    // are read from their package instead, when it can be read.
    static BookPlan plan(const QList<BookPage> &projectPages, Source source, int canvasWidth = 0);
    // The page size in points that the settings give a page of `size` canvas
    // pixels (or picture pixels).
    static QSizeF pointSize(const QSizeF &size, bool picture, const BookSettings &settings);

    // Writes the book to path, each page at its true size (see BookSettings). A gathered plan may be written on a worker.
    static BookResult write(const QString &path, const BookPlan &plan, const BookSettings &settings = {},
                            const Progress &progress = {});
    // Gathers and writes at once: on the main thread when packages are read.
    static BookResult write(const QString &path, const QList<BookPage> &projectPages, Source source,
                            const BookSettings &settings = {}, const Progress &progress = {});

    // Paints the book on an open device (a printer), each page scaled to fit
    // the device's page and centred.
    static BookResult paintFitted(QPainter &painter, QPagedPaintDevice &device, const BookPlan &plan,
                                  const Progress &progress = {});
    static BookResult paintFitted(QPainter &painter, QPagedPaintDevice &device, const QList<BookPage> &projectPages,
                                  Source source, const Progress &progress = {});

    // A name typed without an extension gets ".PDF".
    static QString withPdfExtension(const QString &path);
};
