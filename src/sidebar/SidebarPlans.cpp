#include "sidebar/SidebarPlans.h"


#include "model/SKTGalleryGrid.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr double kEntryHeight = 75;
constexpr double kPaletteHeader = 30;
constexpr double kLayerRowHeight = 50;
constexpr double kLayerHeader = 30;

QString tr(const char *text)
{
    return QCoreApplication::translate("Inspector", text);
}
} // namespace

PalettePlan planPalette(const QList<PaletteEntry> &entries, const QString &familyKey, const QString &pageExtension,
                        double width)
{
    PalettePlan plan;
    const double whole = std::trunc(width);
    plan.headerText = tr("Drag and drop to add");
    plan.headerFrame = QRectF(0, 0, width, kPaletteHeader);
    int k = 0;
    for (int i = 0; i < entries.size(); ++i) {
        const PaletteEntry &e = entries[i];
        const bool family = e.families.contains(QLatin1String("All"))
                            || (!familyKey.isEmpty() && e.families.contains(familyKey));
        // Form components need a server page: an "html" page never lists them.
        const bool formOnHtml = e.imageName == QLatin1String("form_checkbox") && pageExtension == QLatin1String("html");
        if (!family || formOnHtml)
            continue;
        plan.listed.append({i, QRectF(0, kPaletteHeader + kEntryHeight * k, whole, kEntryHeight)});
        ++k;
    }
    plan.containerHeight = kEntryHeight * k + 60;
    return plan;
}

QString formatKindOf(const SKTGraphic &g)
{
    if (dynamic_cast<const SKTText *>(&g))
        return QStringLiteral("Text");
    if (dynamic_cast<const SKTImage *>(&g))
        return QStringLiteral("Image");
    if (dynamic_cast<const SKTLine *>(&g))
        return QStringLiteral("Line");
    if (const auto *table = dynamic_cast<const SKTTable *>(&g))
        return table->gridType() == QLatin1String("section") ? QStringLiteral("Section") : QStringLiteral("Table");
    if (dynamic_cast<const SKTSlideshow *>(&g))
        return QStringLiteral("Slideshow");
    if (dynamic_cast<const SKTGalleryGrid *>(&g))
        return QStringLiteral("Gallery");
    return QString();
}

QStringList FormatPlan::shownTitles(const FormatRowTable &table) const
{
    QStringList titles;
    for (const Row &r : rows)
        if (r.shown)
            titles.append(table.rows[r.row].title);
    return titles;
}

FormatPlan planFormatRows(const FormatRowTable &table, const FormatPlanInput &in)
{
    FormatPlan plan;
    QStringList kinds = in.kinds;
    const int count = int(kinds.size());
    if (count == 0) {
        plan.headerText = tr("Nothing selected.\nSelect an object to format.");
        plan.headerHeight = 40;
        kinds.append(QStringLiteral("Canvas"));
    } else {
        plan.headerText = (count == 1 ? tr("%1 object selected") : tr("%1 objects selected")).arg(count);
    }
    plan.borderRowForLine = kinds.contains(QLatin1String("Line"));

    const auto excluded = [&](const FormatRowSpec &row, const QString &kind) {
        if (!in.responsiveEdition)
            return false;
        for (const FormatRowExclusion &x : table.exclusions)
            if (x.title == row.title && x.kind == kind && (x.edition.isEmpty() || x.edition == in.appName))
                return true;
        return false;
    };
    const double width = std::trunc(in.width);
    double y = plan.headerHeight;
    for (int i = 0; i < table.rows.size(); ++i) {
        const FormatRowSpec &row = table.rows[i];
        // Shown when some selected kind uses the row and is not kept from it,
        // whatever the order of the selection.
        bool used = false;
        for (const QString &kind : kinds)
            if (!kind.isEmpty() && row.kinds.contains(kind) && !excluded(row, kind)) {
                used = true;
                break;
            }
        if (used && !row.families.contains(QLatin1String("All"))
            && (in.familyKey.isEmpty() || !row.families.contains(in.familyKey)))
            used = false;
        if (used && !row.controls.isEmpty()
            && std::all_of(row.controls.cbegin(), row.controls.cend(),
                           [&in](const QString &control) { return in.hiddenControls.contains(control); }))
            used = false;
        const double h = row.height >= 1 ? row.height : FormatRowCatalogue::kDefaultRowHeight;
        plan.rows.append({i, used, QRectF(0, y, width, h)});
        if (used)
            y += h;
    }
    plan.containerHeight = y + 2 * plan.headerHeight;
    return plan;
}

namespace {
struct LayerKind {
    QString image;
    QString label;
};

LayerKind layerKindOf(const SKTGraphic &g)
{
    if (const auto *text = dynamic_cast<const SKTText *>(&g)) {
        if (!text->bubbleShape().isEmpty())
            return {QStringLiteral("shape_simple"), tr("Shape")};
        return {QStringLiteral("textbox_simple"), tr("Text")};
    }
    if (dynamic_cast<const SKTLine *>(&g))
        return {QStringLiteral("line_icon"), tr("Line")};
    if (dynamic_cast<const SKTTable *>(&g))
        return {QStringLiteral("table_simple"), tr("Table")};
    if (dynamic_cast<const SKTImage *>(&g))
        return {QStringLiteral("photo_simple"), tr("Image")};
    if (dynamic_cast<const SKTGalleryGrid *>(&g))
        return {QStringLiteral("gallery"), tr("Photo Grid")};
    return {QStringLiteral("selection_elliptical_black"), QString()};
}

int truncated(double v)
{
    if (!std::isfinite(v))
        return 0;
    return int(std::clamp(std::trunc(v), -2147483648.0, 2147483647.0));
}
} // namespace

LayerPlan planLayers(const QList<SKTGraphic *> &graphics, double width)
{
    LayerPlan plan;
    const qsizetype n = graphics.size();
    const double whole = std::trunc(width);
    for (qsizetype i = 0; i < n; ++i) {
        const SKTGraphic &g = *graphics[i];
        const LayerKind kind = layerKindOf(g);
        const QRectF b = g.bounds();
        const QString numbers = QStringLiteral("x:%1 y:%2 size:%3x%4 opacity:%5%")
                                    .arg(truncated(b.x()))
                                    .arg(truncated(b.y()))
                                    .arg(truncated(b.width()))
                                    .arg(truncated(b.height()))
                                    .arg(truncated(g.opacity() * 100));
        plan.rows.append({int(i), kind.image, kind.label, QStringLiteral("Layer %1\n%2").arg(i).arg(numbers),
                          QRectF(0, kLayerHeader + kLayerRowHeight * double(i), whole, kLayerRowHeight)});
    }
    plan.headerText = (n < 2 ? tr("%1 layer") : tr("%1 layers")).arg(n);
    plan.headerFrame = QRectF(0, 0, width, 20);
    plan.contentHeight = kLayerRowHeight * double(n) + 60;
    return plan;
}

LayerIndexInput parseLayerIndex(const QString &text)
{
    QString line = text;
    const qsizetype br = line.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (br >= 0)
        line.truncate(br);
    line = line.trimmed();
    if (line.isEmpty())
        return {LayerIndexInput::Kind::Clear, 0};
    bool ok = false;
    const int value = line.toInt(&ok);
    if (ok)
        return {LayerIndexInput::Kind::Set, value};
    // A whole number too large for the stored 32 bits takes the nearest
    // value that fits rather than wrapping round to another layer.
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    if (whole.match(line).hasMatch())
        return {LayerIndexInput::Kind::Set, line.startsWith(u'-') ? INT_MIN : INT_MAX};
    return {LayerIndexInput::Kind::Refused, 0};
}
