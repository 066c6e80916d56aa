#include "generation/ResponsiveFreeRows.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Fmt.h"
#include "generation/GenerationContext.h"
#include "generation/ResponsiveArrangement.h"
#include "model/SKTTable.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace {

// A lead fragment and, when it is a filled box, what lies on it.
struct Row {
    qsizetype lead = 0;
    QList<qsizetype> members; // top to bottom
    bool band = false;
    QRectF extent;            // the lead and its members
};

QString number(double value)
{
    return QString::number(std::clamp(value, 0.0, 100000.0), 'f', 2);
}

// Side margins (per cent of the width across) that put inner where it is in outer.
QString sideMargins(const QRectF &inner, const QRectF &outer)
{
    const double width = outer.width() > 0 ? outer.width() : 1.0;
    double left = (inner.left() - outer.left()) / width * 100.0;
    double right = (outer.right() - inner.right()) / width * 100.0;
    left = std::max(left, 0.0);
    right = std::max(right, 0.0);
    if (left + right >= 99.0)
        left = right = 0.0; // nothing would be left to show it in
    return QStringLiteral("margin-left:%1%;margin-right:%2%;").arg(number(left), number(right));
}

void removeAll(QString &text, const QString &what)
{
    if (text.contains(what))
        text.remove(what);
}

// A free fragment leaves its absolute place for the row's flow.
CodeWidgetHelper inFlow(const CodeWidgetHelper &f)
{
    CodeWidgetHelper out = f;
    removeAll(out.headerString, Fmt::fill(u"left:%dpx;", {f.rect.x()}));
    removeAll(out.headerString, Fmt::fill(u"top:%dpx;", {f.rect.y()}));
    removeAll(out.headerString, QStringLiteral("position:absolute;"));
    return out;
}

bool isBand(const CodeWidgetHelper &f)
{
    return !f.fillColour.isEmpty();
}

// The filled box itself, with the markup of what lies on it inside.
QString bandMarkup(const CodeWidgetHelper &box, const QString &inside, bool email)
{
    const QString radius = box.cornerRadius > 0 ? QStringLiteral("border-radius:%1px;").arg(number(box.cornerRadius))
                                                : QString();
    const QString height = number(box.rect.height());
    if (email)
        return QStringLiteral("<table width=\"100%\" cellpadding=0 cellspacing=0 bgcolor=\"#%1\" "
                              "style=\"background-color:#%1;%2\"><tr><td height=\"%3\" "
                              "style=\"height:%3px;vertical-align:top;\">%4</td></tr></table>")
            .arg(box.fillColour, radius, height, inside);
    return QStringLiteral("<div style=\"background-color:#%1;%2min-height:%3px;display:flow-root;\">%4</div>")
        .arg(box.fillColour, radius, height, inside);
}

// The rows of the free fragments: every filled box, largest first, takes the
// fragments not yet taken whose middle lies on it.
QList<Row> groupRows(const QList<CodeWidgetHelper> &free)
{
    const qsizetype n = free.size();
    std::vector<qsizetype> byMiddle(size_t(n), 0);
    for (qsizetype i = 0; i < n; ++i)
        byMiddle[size_t(i)] = i;
    std::stable_sort(byMiddle.begin(), byMiddle.end(),
                     [&](qsizetype a, qsizetype b) { return free[a].rect.center().y() < free[b].rect.center().y(); });
    std::vector<qsizetype> bands;
    for (qsizetype i = 0; i < n; ++i)
        if (isBand(free[i]))
            bands.push_back(i);
    std::stable_sort(bands.begin(), bands.end(), [&](qsizetype a, qsizetype b) {
        return free[a].rect.width() * free[a].rect.height() > free[b].rect.width() * free[b].rect.height();
    });

    std::vector<qsizetype> owner(size_t(n), -1);
    for (qsizetype b : bands) {
        if (owner[size_t(b)] != -1)
            continue; // lies on a larger box
        owner[size_t(b)] = b;
        const QRectF box = free[b].rect;
        auto it = std::lower_bound(byMiddle.begin(), byMiddle.end(), box.top(),
                                   [&](qsizetype i, double y) { return free[i].rect.center().y() < y; });
        for (; it != byMiddle.end() && free[*it].rect.center().y() <= box.bottom(); ++it)
            if (owner[size_t(*it)] == -1 && box.contains(free[*it].rect.center()))
                owner[size_t(*it)] = b;
    }

    QList<Row> rows;
    QHash<qsizetype, qsizetype> rowOfBand;
    for (qsizetype i = 0; i < n; ++i) {
        if (owner[size_t(i)] == -1 || owner[size_t(i)] == i) {
            Row row;
            row.lead = i;
            row.band = owner[size_t(i)] == i;
            row.extent = free[i].rect;
            if (row.band)
                rowOfBand.insert(i, rows.size());
            rows.append(row);
        }
    }
    for (qsizetype i = 0; i < n; ++i) { // free is in top order: members come top to bottom
        const qsizetype b = owner[size_t(i)];
        if (b != -1 && b != i) {
            Row &row = rows[rowOfBand.value(b)];
            row.members.append(i);
            row.extent = row.extent.united(free[i].rect);
        }
    }
    return rows;
}

} // namespace

QList<CodeWidgetHelper> ResponsiveFreeRows::rows(GenerationContext &ctx)
{
    const bool email = gResponsiveEmailEdition;
    SKTDocument &doc = ctx.doc;

    // What no column took, top to bottom, and the width of the page: the
    // width set for it, else the design's with its left margin mirrored on
    // the right (a design is laid out in the middle of its page).
    QList<CodeWidgetHelper> free;
    QList<QRectF> taken; // the sections, for the distances between rows
    double left = std::numeric_limits<double>::infinity();
    double right = 0;
    const auto reach = [&](const QRectF &r) {
        left = std::min(left, r.left());
        right = std::max(right, r.right());
    };
    for (const CodeWidgetHelper &f : std::as_const(doc.sourceCodeArray)) {
        if (f.addedToGrid || f.bodyString.isEmpty())
            continue;
        free.append(inFlow(f));
        reach(f.rect);
    }
    if (free.isEmpty())
        return {};
    for (SKTTable *table : std::as_const(doc.tableArray)) {
        if (ResponsiveArrangement::isSection(table)) {
            taken.append(table->bounds());
            reach(table->bounds());
        }
    }
    const double width = doc.webPageWidthManualFlag && doc.webPageWidth > 0 ? double(doc.webPageWidth)
                                                                             : right + std::max(left, 0.0);
    std::stable_sort(free.begin(), free.end(),
                     [](const CodeWidgetHelper &a, const CodeWidgetHelper &b) { return a.rect.y() < b.rect.y(); });
    const QRectF page(0, 0, std::max(width, 1.0), 1);
    QList<Row> rows = groupRows(free);
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.extent.y() < b.extent.y(); });
    std::stable_sort(taken.begin(), taken.end(), [](const QRectF &a, const QRectF &b) { return a.y() < b.y(); });

    QList<CodeWidgetHelper> out;
    out.reserve(rows.size());
    double above = 0; // bottom of the lowest thing above the row
    qsizetype nextTaken = 0;
    for (const Row &row : std::as_const(rows)) {
        for (; nextTaken < taken.size() && taken[nextTaken].y() <= row.extent.y(); ++nextTaken)
            above = std::max(above, taken[nextTaken].bottom());
        const CodeWidgetHelper &lead = free[row.lead];
        CodeWidgetHelper result;
        QString inner;
        const auto take = [&](const CodeWidgetHelper &f) {
            result.headerString += QLatin1Char('\n') + f.headerString;
            if (!f.javaScriptString.isEmpty())
                result.javaScriptString += QLatin1Char('\n') + f.javaScriptString;
            result.formResponseBody += f.formResponseBody;
            result.formMessageBody += f.formMessageBody;
        };
        take(lead);
        if (row.band) {
            QString onBand;
            if (!lead.emptyText)
                onBand += lead.bodyString;
            double bottom = lead.rect.top();
            for (qsizetype m : row.members) {
                const CodeWidgetHelper &f = free[m];
                take(f);
                const QString body = isBand(f) && f.emptyText ? bandMarkup(f, QString(), email) : f.bodyString;
                onBand += QStringLiteral("<div style=\"padding-top:%1px;%2\">%3</div>\n")
                              .arg(number(f.rect.top() - bottom), sideMargins(f.rect, lead.rect), body);
                bottom = std::max(bottom, f.rect.bottom());
            }
            inner = bandMarkup(lead, onBand, email);
        } else {
            inner = lead.bodyString;
        }
        const QString gap = number(row.extent.top() - above);
        const QString place = sideMargins(row.extent, page);
        if (email)
            result.bodyString = QStringLiteral("<table width=\"100%\" cellpadding=0 cellspacing=0><tr>"
                                               "<td class=\"columnContainer\" style=\"padding-top:%1px;\">"
                                               "<div style=\"%2\">%3</div></td></tr></table>\n")
                                    .arg(gap, place, inner);
        else
            result.bodyString = QStringLiteral("<div class=\"container-fluid\" style=\"padding-top:%1px;\">"
                                               "<div style=\"%2\">%3</div></div>\n")
                                    .arg(gap, place, inner);
        result.setRect(row.extent);
        above = std::max(above, row.extent.bottom());
        out.append(result);
    }
    return out;
}
