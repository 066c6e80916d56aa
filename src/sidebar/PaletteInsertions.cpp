#include "sidebar/PaletteInsertions.h"

#include "sidebar/PaletteCatalogue.h"

#include "insertion/DropMakers.h"
#include "insertion/DropTables.h"
#include "config/EditionSettings.h"
#include "document/PagePreferences.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/LineMaker.h"
#include "insertion/ObjectMakers.h"
#include "insertion/TableGridEditing.h"
#include "model/CarrierList.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"
#include "platform/FilePanels.h"

#include <QLineF>
#include <cmath>

namespace {
constexpr double kCardWidth = 300;   // the profile card of addIndividual_drag
constexpr double kCardHeight = 200;
constexpr int kRowHeight = 50;
constexpr int kMinimumColumn = 20;

// Where the segment from inside rect towards outside leaves rect.
QPointF exitPoint(const QRectF &rect, const QPointF &inside, const QPointF &outside)
{
    const QLineF segment(inside, outside);
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()},
                            {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()},
                            {rect.bottomLeft(), rect.topLeft()}};
    for (const QLineF &edge : edges) {
        QPointF hit;
        if (segment.intersects(edge, &hit) == QLineF::BoundedIntersection)
            return hit;
    }
    return inside;
}
} // namespace

const QStringList &PaletteInsertions::codeNames()
{
    static const QStringList names = {QStringLiteral("zov_mother"),  QStringLiteral("zov_father"),
                                      QStringLiteral("zov_brother"), QStringLiteral("zov_sister"),
                                      QStringLiteral("zov_sibling"), QStringLiteral("zov_table1x5"),
                                      QStringLiteral("zov_backgroundpattern_video")};
    return names;
}

bool PaletteInsertions::insert(InsertionFrame &frame, const QString &codeName, const QPointF &point)
{
    if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
        return false;
    if (codeName == QLatin1String("zov_table1x5"))
        return addEqualColumnTable(frame, 5, point);
    if (codeName == QLatin1String("zov_backgroundpattern_video"))
        return addBackgroundPattern(frame);
    if (handles(codeName))
        return addRelative_drag(frame, point);
    return false;
}

void PaletteInsertions::registerDropActions()
{
    DropMakers::add(QStringLiteral("addRelative_drag"),
                    [](InsertionFrame &frame, const DropCodeName &, const QPointF &point) {
                        return addRelative_drag(frame, point);
                    });
    DropMakers::add(
        QStringLiteral("addEqualColumnTable_drag"),
        [](InsertionFrame &frame, const DropCodeName &row, const QPointF &point) {
            bool ok = false;
            const int count = row.arguments.value(0).toInt(&ok);
            return ok && count >= 1 && count <= 12 && addEqualColumnTable(frame, count, point);
        });
}

QRectF PaletteInsertions::selectedIndividual(InsertionFrame &frame)
{
    const QList<SKTGraphic *> selection = frame.context().selectedGraphics();
    if (selection.isEmpty() || !selection.first())
        return {};
    SKTGraphic *first = selection.first();
    const int32_t group = first->groupNumber();
    if (group == -99)
        return first->bounds();
    QRectF card;
    for (const auto &g : frame.document().graphics())
        if (g && g->groupNumber() == group)
            card = card.isNull() ? g->bounds() : card.united(g->bounds());
    return card;
}

QPair<QPointF, QPointF> PaletteInsertions::joiningLine(const QRectF &from, const QRectF &to)
{
    const QPointF a = from.center();
    const QPointF b = to.center();
    if (from.intersects(to))
        return {a, b};
    return {exitPoint(from, a, b), exitPoint(to, b, a)};
}

bool PaletteInsertions::addRelative_drag(InsertionFrame &frame, const QPointF &point)
{
    // Read before the new card is inserted: the insertion may change the selection.
    const QRectF relative = selectedIndividual(frame);
    InsertionStep step(frame.document(), QStringLiteral("Add Relative"));
    ObjectMakers(frame).addIndividual_drag(point);
    if (relative.isNull())
        return true;
    const QRectF card(std::trunc(point.x()), std::trunc(point.y()), kCardWidth, kCardHeight);
    const auto [begin, end] = joiningLine(relative, card);
    LineMaker(frame).addTrueLine(begin, end, QStringLiteral("404040"), QStringLiteral("solid"), 2,
                                 QStringLiteral("0"), QStringLiteral("0"), -99);
    return true;
}

bool PaletteInsertions::addEqualColumnTable(InsertionFrame &frame, int count, const QPointF &point)
{
    if (count < 1)
        return false;
    const QRectF cell = frame.grabOverLappingSectionCell(point);
    double x = std::trunc(point.x());
    double width = double(gCanvasWidth) - x;
    if (!cell.isNull()) {
        x = cell.left();
        width = cell.width();
    }
    const int columnWidth = std::max(kMinimumColumn, int(std::trunc(width / count)));
    // Plain cells and a table made from properties as any other graphic, so
    // that it starts with the values a reading of the saved page gives it.
    QList<SKTTable::Cell> cells;
    for (int c = 0; c < count; ++c) {
        auto helper = std::make_shared<myTextView>();
        helper->rowSpot = 0;
        helper->columnSpot = c;
        helper->width = columnWidth;
        helper->height = kRowHeight;
        helper->familyName = helper->textView.fontName = QStringLiteral("Helvetica Neue");
        helper->textColorString = helper->textHexColorString = QStringLiteral("000000");
        helper->borderHexColorString = QStringLiteral("000000");
        helper->borderStyle = helper->textView.borderLine = QStringLiteral("none");
        TableGridEditing::setReadBackDefaults(*helper);
        cells.append(helper);
    }
    GraphicProperties properties;
    properties.setRect(QStringLiteral("bounds"), QRectF(x, std::trunc(point.y()), double(columnWidth) * count, kRowHeight));
    properties.setIntString(QStringLiteral("numOfRows"), 1);
    properties.setIntString(QStringLiteral("numOfColumns"), count);
    properties.setString(QStringLiteral("borderStyle"), QStringLiteral("none"));
    properties.setList(QStringLiteral("cellArray"), CarrierList::toProperties(cells));
    auto table = std::dynamic_pointer_cast<SKTTable>(InsertionFrame::makeGraphic(QStringLiteral("SKTTable"), properties));
    if (!table)
        return false;
    // The table is as wide as its columns (with its padding and borders).
    table->SKTGraphic::setBounds(QRectF(x, std::trunc(point.y()), double(columnWidth) * count, kRowHeight));
    table->SKTGraphic::setBounds(
        QRectF(x, std::trunc(point.y()), table->tableTotalCellWidth(), table->tableTotalCellHeight()));
    InsertionStep step(frame.document(), QStringLiteral("Add Table"));
    frame.insertAtFront(table);
    if (!cell.isNull())
        frame.applySection(point, *table);
    return true;
}

bool PaletteInsertions::addBackgroundPattern(InsertionFrame &frame)
{
    OpenPanelOptions options;
    options.prompt = QStringLiteral("Select");
    options.allowedTypes = {QStringLiteral("jpg"), QStringLiteral("JPG"),  QStringLiteral("png"),
                            QStringLiteral("PNG"), QStringLiteral("jpeg"), QStringLiteral("JPEG")};
    SKTDocument *document = &frame.document();
    frame.context().filePanels().showOpenPanel(options, frame.context().window(),
                                               [document](const QStringList &paths) {
                                                   if (!paths.isEmpty())
                                                       PagePreferences::newBackground(*document, paths.first());
                                               });
    return true;
}

QString PaletteInsertions::textBoxCodeName(const QString &familyKey)
{
    // The plain ones first: a family offering title, body and footnote boxes
    // gets its body box.
    static const QStringList preferred = {QStringLiteral("zov_textbox"), QStringLiteral("zov_textbox_body"),
                                          QStringLiteral("zov_textbox_body_tovra"), QStringLiteral("zov_textbox_label")};
    QString first;
    for (const PaletteEntry &entry : PaletteCatalogue::entries()) {
        if (entry.title != QLatin1String("Text Box") || !entry.families.contains(familyKey))
            continue;
        if (preferred.contains(entry.codeName))
            return entry.codeName;
        if (first.isEmpty())
            first = entry.codeName;
    }
    return first.isEmpty() ? QStringLiteral("zov_textbox") : first;
}

bool PaletteInsertions::isRelative(const QString &codeName)
{
    return codeName == QLatin1String("zov_mother") || codeName == QLatin1String("zov_father")
           || codeName == QLatin1String("zov_brother") || codeName == QLatin1String("zov_sister")
           || codeName == QLatin1String("zov_sibling");
}

QPointF PaletteInsertions::relativePlace(const SKTDocument &document, const QList<SKTGraphic *> &selection,
                                         const QString &codeName)
{
    constexpr double kGap = 60;
    QRectF everything;
    for (const auto &g : document.graphics())
        if (g)
            everything = everything.isNull() ? g->bounds() : everything.united(g->bounds());
    if (selection.isEmpty() || !selection.first())
        return QPointF(40, everything.isNull() ? 40 : std::trunc(everything.bottom() + kGap));
    // The selected person's whole card (its group).
    SKTGraphic *first = selection.first();
    QRectF card = first->bounds();
    if (first->groupNumber() != -99)
        for (const auto &g : document.graphics())
            if (g && g->groupNumber() == first->groupNumber())
                card = card.united(g->bounds());
    const bool parent = codeName == QLatin1String("zov_mother") || codeName == QLatin1String("zov_father");
    QRectF place(card.left(), card.top(), kCardWidth, kCardHeight);
    if (parent) {
        place.moveTop(card.top() - kGap - kCardHeight);
        if (codeName == QLatin1String("zov_mother"))
            place.moveLeft(card.left() + kCardWidth / 2 + kGap / 2);
        else
            place.moveLeft(card.left() - kCardWidth / 2 - kGap / 2);
    } else {
        place.moveLeft(card.right() + kGap);
    }
    // Parents that would leave the page's top go below the card instead.
    if (place.top() < 0)
        place.moveTop(card.bottom() + kGap);
    place.moveLeft(std::max(0.0, place.left()));
    // Step sideways past cards already there.
    for (int tries = 0; tries < 50; ++tries) {
        bool clear = true;
        for (const auto &g : document.graphics())
            if (g && g->bounds().intersects(place)) {
                clear = false;
                break;
            }
        if (clear)
            break;
        place.translate(kCardWidth / 2, 0);
    }
    return QPointF(std::trunc(place.left()), std::trunc(place.top()));
}
