#pragma once
// Lines between two points with optional arrow heads: the line maker, its
// menu commands, the arrow commands on the selected lines with their menu
// predicates, and the branch generator that fans lines and smaller copies
// of a text box out around it.
#include "insertion/InsertionFrame.h"

#include <QPointF>
#include <QString>
#include <memory>

class SKTText;

// The choices of the branch window.
struct BranchOptions {
    int32_t count = 5;
    int32_t degrees = 360;
    int32_t distance = 300;
    double scale = 0.7;
    QString lineStyle = QStringLiteral("dashed");
};

class LineMaker {
public:
    explicit LineMaker(InsertionFrame &frame) : m_frame(frame) {}

    std::shared_ptr<SKTGraphic> addTrueLine(const QPointF &begin, const QPointF &end, const QString &borderHex,
                                            const QString &borderStyle, int32_t borderWidth,
                                            const QString &drawBeginArrow, const QString &drawEndArrow,
                                            int32_t groupNumber);
    // A line preset as the canvas's drop tables hand it over (keys beginPoint,
    // endPoint, colour, style, width, beginArrow, endArrow, groupNumber).
    std::shared_ptr<SKTGraphic> addTrueLineFromPreset(const GraphicProperties &preset);
    // Menu commands: a grey line of width 10 with a start arrow from the
    // insertion point to 200 right and 200 down.
    void addLine();
    void addLineDashed();
    void addLineDotted();

    // On every selected line.
    void drawStartArrow();
    void hideStartArrow();
    void drawEndArrow();
    void hideEndArrow();
    bool showDrawStartArrow() const;
    bool showHideStartArrow() const;
    bool showDrawEndArrow() const;
    bool showHideEndArrow() const;
    // The selection is not empty and holds lines only.
    bool arrowOptionsShown() const;

    // The last selected text box, or null: what the branch command needs.
    SKTText *branchSource() const;
    // The branch command: true when the branch window may open; without a
    // text box selected, the "Nothing Selected" alert and false.
    bool multiplyNewShapes();
    // Generates the branches of the last selected text box; false (and the
    // "Nothing Selected" alert) when there is none.
    bool addMultipleShapesSelected(const BranchOptions &options);
    static double DegreesToRadians(double degrees);
    static QRectF generateNewRect(const QRectF &rect);

private:
    void nothingSelected();
    void lineCommand(const QString &style, const QString &name);
    void setArrows(bool start, bool on);
    bool anyLine(bool start, bool withArrow) const;
    InsertionFrame &m_frame;
};
