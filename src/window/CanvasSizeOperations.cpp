#include "window/CanvasSizeOperations.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "config/DataCentrePrinting.h"

#include <QLocale>

namespace {
void setSizeWithUndo(SKTDocument &document, int32_t flag, int32_t width, int32_t height)
{
    const int32_t oldFlag = document.docSpecificFixedCanvasFlag;
    const int32_t oldWidth = document.docSpecificPageWidth;
    const int32_t oldHeight = document.docSpecificPageHeight;
    if (oldFlag == flag && oldWidth == width && oldHeight == height) {
        CanvasSizeOperations::setConfirmedCanvasSize(document);
        return;
    }
    UndoManager &undo = document.undoManager();
    SKTDocument *page = &document;
    undo.registerUndo([page, oldFlag, oldWidth, oldHeight] { setSizeWithUndo(*page, oldFlag, oldWidth, oldHeight); });
    undo.setActionName(QStringLiteral("Canvas Size"));
    document.setPageCanvas(flag, width, height);
    // The canvas shows the size in force even when only the stored values changed.
    CanvasSizeOperations::setConfirmedCanvasSize(document);
}
}  // namespace

CanvasSizeFields CanvasSizeOperations::fieldsFor(const SKTDocument &document)
{
    if (document.docSpecificFixedCanvasFlag == 1)
        return {1, document.docSpecificPageWidth, document.docSpecificPageHeight};
    const int margin = gNoCanvasMargin ? 0 : 50;
    return {0, document.findMaxScreenWidth() + margin, document.findMaxScreenHeight() + margin};
}

std::optional<int> CanvasSizeOperations::parseSide(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 6)
        return std::nullopt;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const int value = t.toInt();
    if (value < 1 || value > kLargestSide)
        return std::nullopt;
    return value;
}

bool CanvasSizeOperations::saveCanvasSize(SKTDocument &document, int segment, int width, int height)
{
    if (segment != 1) {
        setSizeWithUndo(document, segment, 0, 0);
        return true;
    }
    if (width < 1 || width > kLargestSide || height < 1 || height > kLargestSide)
        return false;
    setSizeWithUndo(document, 1, width, height);
    return true;
}

void CanvasSizeOperations::setConfirmedCanvasSize(SKTDocument &document)
{
    document.announceCanvasSizeChange();
}

void CanvasSizeOperations::resetCanvasSize(SKTDocument &document)
{
    // pageCanvasSize falls back to the edition's size unless the page has one
    // of its own; a page whose own size is not valid uses the default too.
    if (document.docSpecificFixedCanvasFlag == 1
        && (document.docSpecificPageWidth <= 0 || document.docSpecificPageHeight <= 0))
        document.docSpecificFixedCanvasFlag = 0;
    setConfirmedCanvasSize(document);
}

void CanvasSizeOperations::adjustPageSize(SKTDocument &document, bool a4, bool eightPerSheet)
{
    LabelHelperPtr sheet;
    if (gPaperSizeOption)
        sheet = DataCentrePrinting::grabLabelHelperBasedOnSelection(eightPerSheet ? 8 : 10,
                                                                    a4 ? QStringLiteral("A4") : QStringLiteral("na-letter"));
    else
        sheet = DataCentrePrinting::grabLabelHelper(gDefaultPrintSheet);
    if (sheet)
        DataCentrePrinting::resetPrintCanvas(sheet);
    setConfirmedCanvasSize(document);
}

void CanvasSizeOperations::rotateCanvas(SKTDocument &document, int degrees)
{
    gCanvasRotation = degrees == 90 ? 90 : 0;
    if (const LabelHelperPtr sheet = DataCentrePrinting::grabLabelHelper(gDefaultPrintSheet))
        DataCentrePrinting::resetPrintCanvas(sheet);
    setConfirmedCanvasSize(document);
}

QSize CanvasSizeOperations::webCanvasSize(int segment)
{
    if (segment == 0)
        return {450, 5000};
    if (segment == 1)
        return {1250, 10000};
    return {2500, 50000};
}

int CanvasSizeOperations::webSegment(const QSizeF &frame)
{
    for (int segment = 0; segment < 3; ++segment)
        if (QSizeF(webCanvasSize(segment)) == frame)
            return segment;
    return -1;
}

std::optional<CanvasSizeOperations::MailSize> CanvasSizeOperations::mailCanvasSize(int segment)
{
    switch (segment) {
    case 0:
        return MailSize{700, QStringLiteral("Standard")};
    case 1:
        return MailSize{900, QStringLiteral("Extra Wide")};
    case 2:
        return MailSize{900, QStringLiteral("Flex")};
    default:
        return std::nullopt;
    }
}

int CanvasSizeOperations::mailSegment()
{
    for (int segment = 0; segment < 3; ++segment)
        if (mailCanvasSize(segment)->type == gCanvasSizeType)
            return segment;
    return -1;
}

namespace {
void applyMailSize(SKTDocument &document, int32_t width, const QString &type)
{
    const int32_t oldWidth = gCanvasWidth;
    const QString oldType = gCanvasSizeType;
    SKTDocument *page = &document;
    UndoManager &undo = document.undoManager();
    undo.registerUndo([page, oldWidth, oldType] { applyMailSize(*page, oldWidth, oldType); });
    undo.setActionName(QStringLiteral("Canvas Size"));
    gCanvasWidth = width;
    gCanvasSizeType = type;
    document.announceCanvasSizeChange();
}
}  // namespace

bool CanvasSizeOperations::setMailCanvasSize(SKTDocument &document, int segment)
{
    const std::optional<MailSize> size = mailCanvasSize(segment);
    if (!size)
        return false;
    if (gCanvasWidth == size->width && gCanvasSizeType == size->type) {
        document.announceCanvasSizeChange();
        return true;
    }
    applyMailSize(document, size->width, size->type);
    return true;
}

bool CanvasSizeOperations::savePageTitle(SKTDocument &document, const QString &title)
{
    if (document.pageOfficialName == title && !document.pageOfficialName.isNull())
        return false;
    document.pageOfficialName = title;
    return document.askPageToSaveItself();
}
