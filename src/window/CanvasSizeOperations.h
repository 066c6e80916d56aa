#pragma once
// The canvas size of a page and the page-title sheet, without the sheets: the
// sizes the canvas-size sheet starts with, the check of what the user typed,
// and the operations that give the page its size. A confirmed new size is an
// undoable change of the page, so it marks the page edited and reaches the
// page file with the next save; the canvas follows through the document's
// canvas-size announcement.
#include <QSize>
#include <QString>
#include <optional>

class SKTDocument;

struct CanvasSizeFields {
    int segment = 0;   // 0: the edition's default size, 1: the page's own
    int width = 0;
    int height = 0;
};

class CanvasSizeOperations {
public:
    static constexpr int kLargestSide = 20000;

    // What the sheet shows: the page's own size when it has one, else the
    // extent of its content plus a margin of 50 (none in editions without
    // canvas margin).
    static CanvasSizeFields fieldsFor(const SKTDocument &document);
    // A side typed into the sheet: a whole number from 1 to 20,000, blanks
    // around it allowed; nothing else.
    static std::optional<int> parseSide(const QString &text);

    // Save of the canvas-size sheet. Segment 0 clears the page's own size;
    // segment 1 sets it. Answers false (and changes nothing) when a side is
    // out of range. Undo restores the size before.
    static bool saveCanvasSize(SKTDocument &document, int segment, int width, int height);

    // The canvas takes the size now in force (the page's or the edition's).
    static void setConfirmedCanvasSize(SKTDocument &document);
    // The page's own size when both sides are above 0, else the default.
    static void resetCanvasSize(SKTDocument &document);
    // Print editions: the sheet chosen by the paper (A4 or letter) and count
    // (8 or 10 per sheet) controls when the edition offers them, else the
    // current print sheet; the canvas takes its size.
    static void adjustPageSize(SKTDocument &document, bool a4, bool eightPerSheet);
    // Print editions: turns the sheet by 0 or 90 degrees.
    static void rotateCanvas(SKTDocument &document, int degrees);

    // The window's two canvas-size controls. Web (mobile, full, wide): the
    // canvas frame of segment 0, 1 or any other; the page and the edition's
    // width stay as they are.
    static QSize webCanvasSize(int segment);
    // The web segment whose size frame is; -1 for none.
    static int webSegment(const QSizeF &frame);
    // E-mail (standard, extra wide, flex): the width and size type of segment
    // 0, 1 or 2, which the page stores; none for any other segment.
    struct MailSize {
        int width;
        QString type;
    };
    static std::optional<MailSize> mailCanvasSize(int segment);
    // The e-mail segment gCanvasSizeType names; -1 for none.
    static int mailSegment();
    // Makes segment the page's e-mail size (gCanvasWidth, gCanvasSizeType) as
    // one undoable change of the page. False, changing nothing, for a segment
    // that names no size.
    static bool setMailCanvasSize(SKTDocument &document, int segment);

    // Save of the page-title sheet: a changed title is stored and the page
    // saved at once; an unchanged one saves nothing. Answers whether the
    // page was saved.
    static bool savePageTitle(SKTDocument &document, const QString &title);
};
