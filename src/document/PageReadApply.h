#pragma once
// Applying a page read (PageReader) to the document that asked for it and
// its window: the document keeps the settings and carriers, the window shows
// the canvas size and label sheet, the edition values of the page are set,
// renamed images get their files, and one alert lists the fonts that can be
// drawn neither as named nor by a known substitute.
#include "document/PageReader.h"

class QObject;

// What the document and its window offer a page read. The document
// implements the settings side, its window controller the window side.
class PageReaderHost {
public:
    virtual ~PageReaderHost() = default;
    // Window.
    virtual void setConfirmedCanvasSize(int32_t width, int32_t height) = 0;
    virtual void adjustCanvasSizeType() = 0;
    virtual void setCurrentTemplateSelectionValue() = 0;
    // Document: takes the page settings, the label template and the carrier
    // lists of the result.
    virtual void takePageReadResult(const PageReadResult &result) = 0;
    // The window alerts are shown on; null for none.
    virtual QObject *alertWindow() { return nullptr; }
};

class PageReadApply {
public:
    PageReadApply() = delete;
    // Applies the result; answers its carriers in stacking order.
    static QList<std::shared_ptr<ElementCarrier>> applyPageReadResult(PageReadResult &result, PageReaderHost &host,
                                                                      const QString &pageFolder);
    // The input of a page read from the edition settings and the page's
    // place: page text, page name, the project's working folder (empty when
    // none) and the page file. The caller adds the document's own flags.
    static PageReadInput inputFromEdition(const QString &pageText, const QString &pageName,
                                          const QString &projectFolder, const QString &pageFilePath);
    // After a page is loaded: the e-mail canvas width follows the size type
    // the page carries, 700 for "Standard" and 900 for every other type or none.
    static void adjustCanvasSizeType();
    // A family can be drawn: installed, one of the program's web fonts, or
    // with a substitute the font database knows.
    static bool isFontAvailable(const QString &family);
    // The text of the one "Font Not Supported" alert for these families.
    static QString fontAlertText(const QStringList &families);
    // Of these missing families, those not yet named in this session, now
    // counted as named (the alert names each family once a session).
    static QStringList takeUnreportedFonts(const QStringList &families);
    // A fresh session, for tests.
    static void forgetReportedFonts();
};
