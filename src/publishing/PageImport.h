#pragma once
// Brings a page this program once published back from its web address: the page
// text is fetched, checked for our generator mark, stored under the received pages
// folder with the pictures its style sheet names, ready to be packed and opened.
//
// Everything here runs on a worker: what it needs from the windows comes in an
// Input read on the main thread, and the Outcome goes back to it. Only http and
// https are fetched (redirects included), the page and every picture have a size
// limit, each request 10 s and the whole import 2 minutes.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class HttpClient;

class PageImport {
public:
    static constexpr qint64 kMaxPageBytes = qint64(10) * 1024 * 1024;
    static constexpr qint64 kMaxImageBytes = qint64(20) * 1024 * 1024;
    static constexpr int kRequestTimeoutMs = 10000;
    static constexpr int kTotalTimeoutMs = 120000;
    static constexpr int kMaxImageSide = 20000;

    // The marks our generators write into each page.
    static const QString kWebMark;
    static const QString kFormMark;

    struct Input {
        QString typedAddress;
        int encoding = 0;  // 0 UTF-8, 1 UTF-16, 2 Windows-1251, 3 GB 18030, else ASCII
        QString receivedFolder;  // where pages are stored: R/B/B.X and R/B/B/
        QString documentExtension;  // package extension of html pages
    };

    struct ImageRule {
        QString name;
        QString type;
        int width = 0;
        int height = 0;
    };

    struct Outcome {
        bool ok = false;
        QString address;  // completed, shown back in the window
        QString reason;   // why it was refused (for the log; the user sees the alert)
        QString baseName;  // B
        QString pageFile;  // R/B/B.X
        QString imageFolder;  // R/B/B
        QString packageName;  // B.E
        QStringList imagesWritten;  // file names in the image folder
    };

    // "http://" in front of 5 or more characters that do not begin with "http".
    static QString completedAddress(const QString &typed);
    static QString decode(const QByteArray &bytes, int encoding);
    // "html" or "php" with the marks each accepts; empty when refused.
    static QString pageExtensionFor(const QString &address, const QString &text);
    // The picture rules of the page's style sheet: names of letters, digits, "_" and
    // "-", types PNG, JPG, JPEG or GIF, sizes clamped to 1 to 20,000; others skipped.
    static QList<ImageRule> imageRules(const QString &pageText);
    // The address pictures hang under: the page address without its extension.
    static QString imageBase(const QString &address);
    static bool hasBackgroundPicture(const QString &pageText);

    // Downloads the pictures the page's style sheet names into imageFolder as
    // "<name>o.<type>" (and "background.PNG"); answers the file names written.
    static QStringList grabImages(const QString &pageText, const QString &address, const QString &imageFolder);

    static QString refusalTitle();
    static QString refusalText();

    // The whole import up to packing; safe on a worker thread.
    static Outcome run(const Input &input);

private:
    static QStringList styleLines(const QString &pageText);
};
