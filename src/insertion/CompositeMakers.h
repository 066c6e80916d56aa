#pragma once
// The makers of ready-made composites, each one grid graphic whose gridType
// names its kind: page sections on the 12-column grid, section templates,
// tables of contents and site maps, the text carousel, navigation bars, the
// drop-down menu, collapsible panels and the photo with a hover caption.
// Each insertion is one named undo step.
#include "model/GraphicProperties.h"
#include "model/myTextView.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class InsertionFrame;
class SKTGraphic;
class SKTTable;
struct InsertionPageEntry;

class CompositeMakers {
public:
    using Cell = std::shared_ptr<myTextView>;
    explicit CompositeMakers(InsertionFrame &frame) : m_frame(frame) {}

    // A page section of n cells whose widths follow the spans (on 12),
    // appended behind everything after the sections below moved down.
    std::shared_ptr<SKTTable> addSection(const QStringList &spans, int n, const QPointF &point);
    // The spans a palette section code passes ("zov_section4_8" ...); empty
    // for a code that is not a section.
    static QStringList sectionSpans(const QString &codeName);
    std::shared_ptr<SKTTable> addSectionTemplate(int n, const QPointF &point);
    std::shared_ptr<SKTTable> addTableOfContents(const QPointF &point);
    // The site map of the pages, one row (horizontal) or one column.
    std::shared_ptr<SKTTable> addTableOfSitemap(bool horizontal, const QList<InsertionPageEntry> &pages);
    std::shared_ptr<SKTTable> addTextCarousel(const QPointF &point);
    std::shared_ptr<SKTTable> addNavbar(const QPointF &point);
    std::shared_ptr<SKTTable> addNavbar_centered(const QPointF &point);
    std::shared_ptr<SKTTable> addNavbar_Fixed(const QPointF &point);
    std::shared_ptr<SKTTable> addNavbar_Fixed_Centered(const QPointF &point);
    std::shared_ptr<SKTTable> addDropdownmenu(const QPointF &point);
    std::shared_ptr<SKTTable> addCollapsibleTextPanel(const QPointF &point);
    std::shared_ptr<SKTTable> addCollapsibleImagePanel(const QPointF &point);
    std::shared_ptr<SKTTable> addPhoto_Hover_Caption(const QPointF &point);

    // The empty slideshow placeholder, "Right click to edit slideshow".
    std::shared_ptr<SKTGraphic> addSlideshow_drag(const QPointF &point);

    // The snippets of the Insert menu at the insertion point: a 4:3 video
    // frame (640 x 480), a buy-button form (700 x 200, then a note on more
    // button styles) and a blank snippet (250 x 100).
    std::shared_ptr<SKTGraphic> addYouTubeHTMLSnippet();
    std::shared_ptr<SKTGraphic> addPaypalSnippet();
    std::shared_ptr<SKTGraphic> addNewHTMLSnippet();
    static QString videoSnippet();
    static QString buyButtonSnippet();

    // The text of a composite's cell by default: Actor 14 inside, Helvetica
    // Neue 15, "4f4c4c" on clear, a 1 px black solid border.
    static Cell compositeCell(const QString &text, int32_t row, int32_t column);
    static QString longPlaceholder();
    // A grid dictionary with the keys every composite writes.
    static GraphicProperties gridProperties(const QRectF &rect, const QString &gridType, int columns, int rows,
                                            const QString &padding, const QString &borderStyle,
                                            const QString &borderWidth, const QString &borderColour,
                                            const QList<Cell> &cells);

private:
    std::shared_ptr<SKTTable> insert(const QString &stepName, const GraphicProperties &properties,
                                     const QPointF *sectionPoint = nullptr);
    std::shared_ptr<SKTTable> addBar(const QString &gridType, const QRectF &rect, const QStringList &texts,
                                     int rows, const QPointF &point);
    std::shared_ptr<SKTTable> addPanel(const QString &gridType, double width, double height,
                                       const QPointF &point, const QList<QPair<QString, double>> &rows,
                                       const QString &alignment,
                                       const std::function<void(int row, myTextView &cell)> &rowStyle);
    InsertionFrame &m_frame;
};
