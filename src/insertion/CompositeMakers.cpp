#include "insertion/CompositeMakers.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/SectionOperations.h"
#include "insertion/TableGridEditing.h"
#include "insertion/TextBoxFactory.h"
#include "platform/Alerts.h"
#include "model/CarrierList.h"
#include "model/SKTTable.h"

#include <QHash>
#include <cmath>

namespace {
int32_t whole(double v) { return int32_t(std::trunc(v)); }

void setText(myTextView &cell, const QString &text)
{
    cell.textStorage = text;
    cell.textView.string = text;
}

void setFormDefaults(myTextView &cell)
{
    cell.formType = QLatin1String("");
    cell.formTag = 0;
    cell.formOptionTag = -99;
    cell.formRequiredFlag = 0;
}

int32_t nextSectionNumber(InsertionFrame &frame)
{
    return SectionOperations(frame.context()).findNextSectionNumber();
}
} // namespace

QString CompositeMakers::longPlaceholder()
{
    return QStringLiteral(
        "Lorem ipsum dolor sit amet, consectetur adipiscing elit. Proin eget sem nec tellus blandit pellentesque. "
        "Fusce sit amet mi orci. Etiam malesuada, lorem in pellentesque mollis, turpis velit rhoncus orci, ac "
        "pretium enim urna nec nisl. Suspendisse feugiat mattis mi, a imperdiet neque hendrerit sed.");
}

CompositeMakers::Cell CompositeMakers::compositeCell(const QString &text, int32_t row, int32_t column)
{
    auto cell = std::make_shared<myTextView>();
    setText(*cell, text);
    cell->rowSpot = row;
    cell->columnSpot = column;
    cell->textView.fontName = QStringLiteral("Actor");
    cell->textView.fontPointSize = 14;
    cell->alphaValue = 1.0f;
    cell->shadowFlag = false;
    cell->textColorString = cell->textHexColorString = QStringLiteral("4f4c4c");
    cell->colorString = QStringLiteral("CLEAR0");
    cell->linkType = QStringLiteral("shape");
    setFormDefaults(*cell);
    TableGridEditing::setReadBackDefaults(*cell);
    cell->textView.borderLine = QStringLiteral("solid");
    cell->borderWidth = 1;
    cell->borderHexColorString = QStringLiteral("000000");
    cell->familyName = QStringLiteral("Helvetica Neue");
    cell->fontSize = 15;
    return cell;
}

GraphicProperties CompositeMakers::gridProperties(const QRectF &rect, const QString &gridType, int columns, int rows,
                                                  const QString &padding, const QString &borderStyle,
                                                  const QString &borderWidth, const QString &borderColour,
                                                  const QList<Cell> &cells)
{
    GraphicProperties p;
    p.setRect(QStringLiteral("bounds"), rect);
    if (!gridType.isEmpty())
        p.setString(QStringLiteral("gridType"), gridType);
    p.setIntString(QStringLiteral("numOfColumns"), columns);
    p.setIntString(QStringLiteral("numOfRows"), rows);
    p.setString(QStringLiteral("padding"), padding);
    p.setString(QStringLiteral("borderStyle"), borderStyle);
    p.setString(QStringLiteral("borderWidth"), borderWidth);
    p.setString(QStringLiteral("borderHexColorString"), borderColour);
    p.setList(QStringLiteral("cellArray"), CarrierList::toProperties(cells));
    return p;
}

std::shared_ptr<SKTTable> CompositeMakers::insert(const QString &stepName, const GraphicProperties &properties,
                                                  const QPointF *sectionPoint)
{
    auto table = std::dynamic_pointer_cast<SKTTable>(InsertionFrame::makeGraphic(QStringLiteral("SKTTable"), properties));
    if (!table)
        return {};
    if (sectionPoint)
        m_frame.applySection(*sectionPoint, *table);
    InsertionStep step(m_frame.document(), stepName);
    m_frame.insertAtFront(table);
    return table;
}

QStringList CompositeMakers::sectionSpans(const QString &codeName)
{
    static const QHash<QString, QStringList> spans {
        {QStringLiteral("zov_section1"), {QStringLiteral("12")}},
        {QStringLiteral("zov_section2"), {QStringLiteral("6"), QStringLiteral("6")}},
        {QStringLiteral("zov_section3"), {QStringLiteral("4"), QStringLiteral("4"), QStringLiteral("4")}},
        {QStringLiteral("zov_section4"), QStringList(4, QStringLiteral("3"))},
        {QStringLiteral("zov_section6"), QStringList(6, QStringLiteral("2"))},
        {QStringLiteral("zov_section12"), QStringList(12, QStringLiteral("1"))},
        {QStringLiteral("zov_section4_8"), {QStringLiteral("4"), QStringLiteral("8")}},
        {QStringLiteral("zov_section8_4"), {QStringLiteral("8"), QStringLiteral("4")}},
        {QStringLiteral("zov_section10_2"), {QStringLiteral("10"), QStringLiteral("2")}},
        {QStringLiteral("zov_section2_10"), {QStringLiteral("2"), QStringLiteral("10")}},
    };
    return spans.value(codeName);
}

std::shared_ptr<SKTTable> CompositeMakers::addSection(const QStringList &spans, int n, const QPointF &point)
{
    if (n < 1 || spans.size() < n)
        return {};
    InsertionStep step(m_frame.document(), QStringLiteral("Add Section"));
    const int32_t number = nextSectionNumber(m_frame);
    const int32_t width = gSectionWidth;
    const int32_t height = gSectionHeight;
    const int32_t unit = width / 12;
    QList<Cell> cells;
    for (int i = 0; i < n; ++i) {
        const int32_t span = spans[i].toInt();
        Cell cell = compositeCell(QString(), 0, i);
        cell->borderWidth = 0;
        cell->borderHexColorString = QStringLiteral("228B22");
        cell->width = span * unit;
        cell->xsGridColumns = 12;
        cell->smallGridColumns = cell->mediumGridColumns = cell->largeGridColumns = span;
        cell->sectionNumber = number;
        cells.append(cell);
    }
    const QRectF rect(0, whole(point.y()), width, height);
    SectionOperations(m_frame.context()).identifyAndPushSectionsDownward(rect);
    GraphicProperties p = gridProperties(rect, QStringLiteral("section"), n, 1, QStringLiteral("0"),
                                         QStringLiteral("solid"), QStringLiteral("0"), QStringLiteral("228B22"), cells);
    p.setIntString(QStringLiteral("sectionNumber"), number);
    p.setString(QStringLiteral("leftPadding"), QStringLiteral("5"));
    p.setString(QStringLiteral("rightPadding"), QStringLiteral("5"));
    p.setString(QStringLiteral("topPadding"), QStringLiteral("30"));
    p.setString(QStringLiteral("bottomPadding"), QStringLiteral("30"));
    p.setString(QStringLiteral("leftPaddingType"), QStringLiteral("%"));
    p.setString(QStringLiteral("rightPaddingType"), QStringLiteral("%"));
    p.setString(QStringLiteral("topPaddingType"), QStringLiteral("pixel"));
    p.setString(QStringLiteral("bottomPaddingType"), QStringLiteral("pixel"));
    p.setString(QStringLiteral("topPaddingLevelString"), QStringLiteral("Medium"));
    p.setString(QStringLiteral("bottomPaddingLevelString"), QStringLiteral("Medium"));
    p.setString(QStringLiteral("leftPaddingLevelString"), QStringLiteral("Small"));
    p.setString(QStringLiteral("rightPaddingLevelString"), QStringLiteral("Small"));
    for (const char *side : {"top", "bottom", "left", "right"})
        p.setString(QString::fromLatin1(side) + QStringLiteral("MarginLevelString"), QStringLiteral("None"));
    auto table = std::dynamic_pointer_cast<SKTTable>(InsertionFrame::makeGraphic(QStringLiteral("SKTTable"), p));
    m_frame.insertAtBack(table);
    return table;
}

std::shared_ptr<SKTTable> CompositeMakers::addSectionTemplate(int n, const QPointF &point)
{
    QList<Cell> cells;
    for (int i = 0; i < n; ++i) {
        Cell cell = compositeCell(QStringLiteral("Item %1").arg(i), 0, i);
        cell->borderWidth = 5;
        cell->borderHexColorString = QStringLiteral("228B22");
        cell->xsGridColumns = 12;
        cell->smallGridColumns = 6;
        cell->mediumGridColumns = 4;
        cell->largeGridColumns = 3;
        cells.append(cell);
    }
    return insert(QStringLiteral("Add Section"),
                  gridProperties(QRectF(0, whole(point.y()), 1170, 300), QStringLiteral("sectionTemplate"), n, 1,
                                 QStringLiteral("0"), QStringLiteral("solid"), QStringLiteral("2"),
                                 QStringLiteral("228B22"), cells));
}

std::shared_ptr<SKTTable> CompositeMakers::addTableOfContents(const QPointF &point)
{
    const QList<InsertionPageEntry> pages = m_frame.context().pageList();
    QList<Cell> cells;
    int32_t rows = 0;
    for (qsizetype k = 0; k < pages.size(); ++k) {
        if (pages[k].pageTitle.isEmpty())
            continue;
        for (int column = 0; column < 2; ++column) {
            Cell cell = TableGridEditing::createNewTableCell();
            setText(*cell, column == 0 ? pages[k].pageTitle : QString::number(k));
            cell->rowSpot = rows;
            cell->columnSpot = column;
            cell->textView.fontName = QStringLiteral("Helvetica Neue");
            cell->textView.fontPointSize = 25;
            cell->textColorString = QStringLiteral("555555");
            cell->hoverColorString = QStringLiteral("4682B4");
            cell->colorString = cell->backgroundHexColorString = QStringLiteral("CLEAR0");
            cell->textView.borderLine = QStringLiteral("none");
            cell->link = pages[k].pagePublishFileName;
            cell->width = column == 0 ? 1000 : 50;
            cell->height = 50;
            cell->fixedWidthFlag = column == 1 ? 1 : 0;
            cells.append(cell);
        }
        ++rows;
    }
    return insert(QStringLiteral("Add Table of Contents"),
                  gridProperties(QRectF(whole(point.x()), whole(point.y()), 1050, 50 * rows),
                                 QStringLiteral("TableOfContents"), 2, rows, QStringLiteral("5"),
                                 QStringLiteral("none"), QStringLiteral("1"), QStringLiteral("000000"), cells));
}

std::shared_ptr<SKTTable> CompositeMakers::addTableOfSitemap(bool horizontal, const QList<InsertionPageEntry> &pages)
{
    const int count = int(pages.size());
    const int columns = horizontal ? count : 1;
    const int rows = horizontal ? 1 : count;
    QList<Cell> cells;
    for (int k = 0; k < count; ++k) {
        Cell cell = TableGridEditing::createNewTableCell();
        setText(*cell, pages[k].pageTitle);
        cell->rowSpot = horizontal ? 0 : k;
        cell->columnSpot = horizontal ? k : 0;
        cell->width = 350;
        cell->height = 40;
        cell->textView.fontName = QStringLiteral("Helvetica Neue");
        cell->textView.fontPointSize = 15;
        cell->textColorString = cell->textHexColorString = QStringLiteral("FFFFFF");
        cell->hoverColorString = QStringLiteral("4682B4");
        cell->colorString = cell->backgroundHexColorString = QStringLiteral("555555");
        cell->textView.borderLine = QStringLiteral("none");
        cell->link = pages[k].pagePublishFileName;
        cells.append(cell);
    }
    const QPointF origin = m_frame.context().visibleOrigin().value_or(QPointF());
    const QRectF rect(whole(origin.x() + 100), whole(origin.y() + 80), 350 * columns, 40 * rows);
    return insert(QStringLiteral("Add Site Map"),
                  gridProperties(rect, QString(), columns, rows, QStringLiteral("5"), QStringLiteral("none"),
                                 QStringLiteral("1"), QStringLiteral("000000"), cells));
}

std::shared_ptr<SKTTable> CompositeMakers::addTextCarousel(const QPointF &point)
{
    QList<Cell> cells;
    for (int c = 0; c < 4; ++c) {
        Cell title = compositeCell(QStringLiteral("Slide %1").arg(c + 1), 0, c);
        Cell body = compositeCell(QStringLiteral("Lorem ipsum dolor sit amet, consectetur adipiscing elit. Proin eget "
                                                 "sem nec tellus blandit pellentesque. Fusce sit amet mi orci."),
                                  1, c);
        Cell signature = compositeCell(QStringLiteral("Testimony signature"), 2, c);
        for (const Cell &fixed : {title, signature}) {
            fixed->fixedHeightFlag = 1;
            fixed->height = 50;
        }
        cells << title << body << signature;
    }
    QRectF rect(0, whole(point.y()), 1200, 200);
    if (gResponsiveEdition)
        rect = m_frame.grabSectionRect(point, QRectF(point.x(), point.y(), 200, 200));
    return insert(QStringLiteral("Add Text Carousel"),
                  gridProperties(rect, QStringLiteral("text_carousel"), 4, 3, QStringLiteral("5"),
                                 QStringLiteral("solid"), QStringLiteral("1"), QStringLiteral("000000"), cells));
}

std::shared_ptr<SKTTable> CompositeMakers::addBar(const QString &gridType, const QRectF &rect,
                                                  const QStringList &texts, int rows, const QPointF &point)
{
    InsertionStep step(m_frame.document(), QStringLiteral("Add Navigation Bar"));
    const int32_t number = nextSectionNumber(m_frame);
    const int columns = int(texts.size());
    QList<Cell> cells;
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) {
            Cell cell = compositeCell(r == 0 ? texts[c] : QStringLiteral("Optional submenu item"), r, c);
            cell->sectionNumber = number;
            cells.append(cell);
        }
    QRectF frame = rect;
    if (gridType == QLatin1String("dropdownmenu") && gResponsiveEdition) {
        frame = m_frame.grabSectionRect(point, rect);
        SectionOperations(m_frame.context()).shiftObjectsInSection(point, frame);
    }
    GraphicProperties p = gridProperties(frame, gridType, columns, rows, QStringLiteral("5"), QStringLiteral("solid"),
                                         QStringLiteral("1"), QStringLiteral("000000"), cells);
    p.setIntString(QStringLiteral("sectionNumber"), number);
    return insert(QStringLiteral("Add Navigation Bar"), p);
}

std::shared_ptr<SKTTable> CompositeMakers::addNavbar(const QPointF &point)
{
    const QStringList items{QStringLiteral("Item 0"), QStringLiteral("Item 1"), QStringLiteral("Item 2"), QStringLiteral("Item 3")};
    return addBar(QStringLiteral("navbar"), QRectF(0, whole(point.y()), 1200, 50), items, 1, point);
}

std::shared_ptr<SKTTable> CompositeMakers::addNavbar_centered(const QPointF &point)
{
    const QStringList items{QStringLiteral("Item 0"), QStringLiteral("Item 1"), QStringLiteral("Item 2"), QStringLiteral("Item 3")};
    return addBar(QStringLiteral("navbar_centered"), QRectF(0, whole(point.y()), 1200, 50), items, 1, point);
}

std::shared_ptr<SKTTable> CompositeMakers::addNavbar_Fixed(const QPointF &point)
{
    QStringList items{QStringLiteral("Brand")};
    for (int c = 1; c <= 4; ++c)
        items << QStringLiteral("Link %1").arg(c);
    return addBar(QStringLiteral("navbar_fixed"), QRectF(0, whole(point.y()), gSectionWidth, 50), items, 1, point);
}

std::shared_ptr<SKTTable> CompositeMakers::addNavbar_Fixed_Centered(const QPointF &point)
{
    QStringList items{QStringLiteral("Brand")};
    for (int c = 1; c <= 3; ++c)
        items << QStringLiteral("Link %1").arg(c);
    return addBar(QStringLiteral("navbar_fixed_centered"), QRectF(0, whole(point.y()), 400, 50), items, 1, point);
}

std::shared_ptr<SKTTable> CompositeMakers::addDropdownmenu(const QPointF &point)
{
    QStringList items;
    for (int c = 0; c < 4; ++c)
        items << QStringLiteral("Main Menu Item %1").arg(c);
    return addBar(QStringLiteral("dropdownmenu"), QRectF(0, whole(point.y()), 1200, 250), items, 5, point);
}

std::shared_ptr<SKTTable> CompositeMakers::addPanel(const QString &gridType, double width, double height,
                                                    const QPointF &point, const QList<QPair<QString, double>> &rows,
                                                    const QString &alignment,
                                                    const std::function<void(int, myTextView &)> &rowStyle)
{
    // Outside responsive editions panels go to the page origin, whatever the point.
    QRectF rect(0, 0, width, height);
    if (gResponsiveEdition)
        rect = m_frame.grabSectionRect(point, QRectF(point.x(), point.y(), width, height));
    QList<Cell> cells;
    for (int r = 0; r < rows.size(); ++r) {
        Cell cell = compositeCell(rows[r].first, r, 0);
        cell->textAlignment = alignment;
        cell->width = whole(rect.width());
        cell->height = whole(rows[r].second * rect.height());
        rowStyle(r, *cell);
        cells.append(cell);
    }
    const GraphicProperties p = gridProperties(rect, gridType, 1, int(rows.size()), QStringLiteral("5"),
                                               QStringLiteral("solid"), QStringLiteral("1"),
                                               QStringLiteral("000000"), cells);
    const QPointF origin = rect.topLeft();
    return insert(gridType == QLatin1String("photo_hover_caption") ? QStringLiteral("Add Photo Caption")
                                                                 : QStringLiteral("Add Collapsible Panel"),
                  p, gResponsiveEdition ? &origin : nullptr);
}

std::shared_ptr<SKTTable> CompositeMakers::addCollapsibleTextPanel(const QPointF &point)
{
    return addPanel(QStringLiteral("collapsible_text_panel"), 400, 150, point,
                    {{QStringLiteral("Panel header title"), 1.0 / 3}, {longPlaceholder(), 2.0 / 3}},
                    QStringLiteral("left"), [](int row, myTextView &cell) {
                        if (row == 0)
                            cell.fixedHeightFlag = 1;
                    });
}

std::shared_ptr<SKTTable> CompositeMakers::addCollapsibleImagePanel(const QPointF &point)
{
    return addPanel(QStringLiteral("collapsible_image_panel"), 400, 450, point,
                    {{QString(), 0.7}, {QStringLiteral("Panel header title"), 0.1}, {longPlaceholder(), 0.2}},
                    QStringLiteral("left"), [](int row, myTextView &cell) {
                        if (row > 0)
                            cell.fixedHeightFlag = 1;
                    });
}

std::shared_ptr<SKTTable> CompositeMakers::addPhoto_Hover_Caption(const QPointF &point)
{
    return addPanel(QStringLiteral("photo_hover_caption"), 400, 400, point,
                    {{QString(), 0.5}, {QStringLiteral("Image hover caption."), 0.5}}, QStringLiteral("center"),
                    [](int row, myTextView &cell) {
                        if (row != 1)
                            return;
                        cell.textColorString = cell.textHexColorString = QStringLiteral("FFFFFF");
                        cell.colorString = cell.backgroundHexColorString = QStringLiteral("4f4c4c");
                        cell.alphaValue = 0.75f;
                    });
}

std::shared_ptr<SKTGraphic> CompositeMakers::addSlideshow_drag(const QPointF &point)
{
    QRectF frame(whole(point.x()), whole(point.y()), 500, 300);
    if (gResponsiveEdition)
        frame = m_frame.grabSectionRect(point, QRectF(point.x(), point.y(), 300, 200));
    GraphicProperties p;
    p.setRect(QStringLiteral("bounds"), frame);
    p.setString(QStringLiteral("fontAlignment"), QStringLiteral("1"));
    p.setFloatString(QStringLiteral("cornerRadius"), 0);
    p.setString(QStringLiteral("fontColor"), QStringLiteral("DC143C"));
    p.setString(QStringLiteral("fillColor"), QStringLiteral("CLEAR0"));
    p.setFloatString(QStringLiteral("fontSize"), 25);
    p.setString(QStringLiteral("fontFamily"), QStringLiteral("Helvetica Neue"));
    p.setString(QStringLiteral("borderStyle"), QStringLiteral("dashed"));
    p.setFloatString(QStringLiteral("opacity"), 1);
    p.setString(QStringLiteral("shadowFlag"), QStringLiteral("0"));
    p.setString(QStringLiteral("link"), QLatin1String(""));
    p.setString(QStringLiteral("textString"), QStringLiteral("Right click to edit slideshow"));
    p.setString(QStringLiteral("textType"), QLatin1String(""));
    p.setString(QStringLiteral("imageLastModDate"), QLatin1String(""));
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.setString(QStringLiteral("totalNumofSlide"), QStringLiteral("0"));
    p.setString(QStringLiteral("moveLock"), QStringLiteral("0"));
    p.setString(QStringLiteral("textHexColorString"), QStringLiteral("000000"));
    p.setString(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
    p.setString(QStringLiteral("linkOption"), QStringLiteral("_self"));
    auto show = InsertionFrame::makeGraphic(QStringLiteral("SKTSlideshow"), p);
    if (!show)
        return {};
    if (gResponsiveEdition)
        m_frame.applySection(frame.topLeft(), *show);
    InsertionStep step(m_frame.document(), QStringLiteral("Add Slideshow"));
    m_frame.insertAtFront(show);
    return show;
}

QString CompositeMakers::videoSnippet()
{
    return QStringLiteral("<div class=\"embed-responsive embed-responsive-4by3\">\n<iframe class=\"embed-responsive-item\" "
                          "src=\"REPLACE_WITH_VIDEO_URL\"></iframe>\n</div>");
}

QString CompositeMakers::buyButtonSnippet()
{
    return QStringList{
        QStringLiteral("<form name=\"_xclick\" action=\"https://www.paypal.com/cgi-bin/webscr\" method=\"post\">"),
        QStringLiteral("<input type=\"hidden\" name=\"cmd\" value=\"_xclick\">"),
        QStringLiteral("<input type=\"hidden\" name=\"business\" value=\"merchant@example.com\">"),
        QStringLiteral("<input type=\"hidden\" name=\"currency_code\" value=\"USD\">"),
        QStringLiteral("<input type=\"hidden\" name=\"item_name\" value=\"Product Name\">"),
        QStringLiteral("<input type=\"hidden\" name=\"amount\" value=\"0.99\">"),
        QStringLiteral("<input type=\"image\" src=\"https://www.paypalobjects.com/en_US/i/btn/btn_buynow_LG.gif\" "
                       "border=\"0\" name=\"submit\">"),
        QStringLiteral("</form>")}
        .join(QLatin1Char('\n'));
}

std::shared_ptr<SKTGraphic> CompositeMakers::addYouTubeHTMLSnippet()
{
    return TextBoxFactory(m_frame).addSnippet_drag(videoSnippet(), QRectF(m_frame.menuPoint(), QSizeF(640, 480)));
}

std::shared_ptr<SKTGraphic> CompositeMakers::addPaypalSnippet()
{
    auto snippet = TextBoxFactory(m_frame).addSnippet_drag(buyButtonSnippet(), QRectF(m_frame.menuPoint(), QSizeF(700, 200)));
    Alert alert;
    alert.messageText = QStringLiteral("Looking for more Buy Button styles?");
    alert.informativeText = QStringLiteral("The generic snippet here will help you quickly set up a simple Buy Button.\n\n"
                                           "For more advanced styles, please visit PayPal's website and use the button "
                                           "generator.");
    alert.buttons = {QStringLiteral("OK")};
    m_frame.context().alerts().show(alert, m_frame.context().window(), {});
    return snippet;
}

std::shared_ptr<SKTGraphic> CompositeMakers::addNewHTMLSnippet()
{
    return TextBoxFactory(m_frame).addSnippet_drag(QStringLiteral("<b>Enter HTML code here</b>"),
                                                   QRectF(m_frame.menuPoint(), QSizeF(250, 100)));
}
