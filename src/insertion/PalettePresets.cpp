#include "insertion/PalettePresets.h"

#include "config/DataFiles.h"
#include "config/EditionSettings.h"
#include "insertion/InsertionDates.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/LineMaker.h"
#include "insertion/SectionOperations.h"
#include "insertion/TextBoxFactory.h"

#include <QDateTime>
#include <cmath>

namespace {
enum Column { Code, Kind, Text, Font, Size, X, W, H, Fill, Colour, Radius, Opacity, Border, BWidth, BColour, Align,
              TextKind, Full, Fit, Extra, ColumnCount };

QString cell(const QStringList &row, Column c, const QString &fallback = QString())
{
    const QString value = c < row.size() ? row.at(c) : QString();
    return value.isEmpty() ? fallback : value;
}

QString expandText(QString text)
{
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    const QDateTime now = QDateTime::currentDateTime();
    text.replace(QStringLiteral("{datetime}"), InsertionDates::stampDateTime(now));
    text.replace(QStringLiteral("{date}"), InsertionDates::stampDate(now));
    return text;
}

// The value of key in an extra cell of the form "key=value,key=value".
QString extraValue(const QString &extra, const QString &key, const QString &fallback)
{
    for (const QString &item : extra.split(QLatin1Char(','))) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        if (equals > 0 && item.left(equals).trimmed() == key)
            return item.mid(equals + 1).trimmed();
    }
    return fallback;
}
} // namespace

const PalettePresets &PalettePresets::shared()
{
    static const PalettePresets table = fromLines(DataFiles::readDataLines(QStringLiteral("presets_insertion.tsv")));
    return table;
}

PalettePresets PalettePresets::fromLines(const QStringList &lines)
{
    PalettePresets table;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('#')) || line.trimmed().isEmpty())
            continue;
        const QStringList row = line.split(QLatin1Char('\t'));
        if (row.size() < 2 || row.at(Code).isEmpty())
            continue;
        if (!table.m_rows.contains(row.at(Code)))
            table.m_order.append(row.at(Code));
        table.m_rows.insert(row.at(Code), row);
    }
    return table;
}

int32_t PalettePresets::evaluate(const QString &text, double zoom, int32_t fallback)
{
    const QString c = text.trimmed();
    if (c.isEmpty())
        return fallback;
    const double z = zoom > 0 ? zoom : 1.0;
    if (c == QLatin1String("stroke"))
        return int32_t(std::trunc(std::max(2.0 / z, 1.0)));
    if (c == QLatin1String("labelfont"))
        return 30 * (gCanvasWidth / 500);
    if (c == QLatin1String("addrfont"))
        return int32_t(std::trunc(gCanvasWidth / 500.0 * 18.0));
    if (c.startsWith(QLatin1String("cw")) || c.startsWith(QLatin1String("ch"))) {
        const double base = c.startsWith(QLatin1String("cw")) ? gCanvasWidth : gCanvasMaxHeight;
        const double factor = c.size() > 3 && c.at(2) == QLatin1Char('*') ? c.mid(3).toDouble() : 1.0;
        return int32_t(std::trunc(base * factor));
    }
    bool ok = false;
    if (c.endsWith(QLatin1String("/z"))) {
        const double n = c.chopped(2).toDouble(&ok);
        return ok ? int32_t(std::trunc(n / z)) : fallback;
    }
    const double n = c.toDouble(&ok);
    return ok ? int32_t(std::trunc(n)) : fallback;
}

bool PalettePresets::insert(InsertionFrame &frame, const QString &code, const QPointF &point, double zoom) const
{
    const auto found = m_rows.constFind(code);
    if (found == m_rows.constEnd())
        return false;
    const QStringList &row = *found;
    const QString kind = cell(row, Kind);
    const QString extra = cell(row, Extra);
    InsertionStep step(frame.document(), QStringLiteral("Add Object"));

    if (kind == QLatin1String("line")) {
        const QString xCell = cell(row, X, QStringLiteral("X"));
        const double x = xCell == QLatin1String("X") ? point.x() : evaluate(xCell, zoom, 0);
        LineMaker(frame).addTrueLine(QPointF(x, point.y()), QPointF(x + evaluate(cell(row, W), zoom, 200), point.y()),
                                     cell(row, Colour, QStringLiteral("555555")),
                                     cell(row, Border, QStringLiteral("solid")), evaluate(cell(row, BWidth), zoom, 1),
                                     extraValue(extra, QStringLiteral("begin"), QStringLiteral("0")),
                                     extraValue(extra, QStringLiteral("end"), QStringLiteral("0")), -99);
        return true;
    }
    if (kind == QLatin1String("bubble")) {
        TextBoxFactory(frame).addZoomBubbleTextbox_drag(
            point, evaluate(cell(row, Radius), zoom, 0), extraValue(extra, QStringLiteral("shape"), QString()),
            extraValue(extra, QStringLiteral("flag"), QStringLiteral("0")).toInt());
        return true;
    }

    TextBoxSpec spec;
    spec.text = expandText(cell(row, Text));
    if (extra == QLatin1String("datestamp") && gDateStampNewText)
        spec.text = InsertionDates::longDate(QDateTime::currentDateTime()) + QLatin1Char('\n') + spec.text;
    spec.fontFamily = cell(row, Font, QStringLiteral("Helvetica Neue"));
    spec.fontSize = evaluate(cell(row, Size), zoom, 20);
    const QString xCell = cell(row, X, QStringLiteral("X"));
    const double x = xCell == QLatin1String("X") ? point.x() : evaluate(xCell, zoom, 0);
    spec.frame = QRectF(x, point.y(), evaluate(cell(row, W), zoom, 100), evaluate(cell(row, H), zoom, 100));
    spec.fillColour = cell(row, Fill, QStringLiteral("CLEAR0"));
    spec.textColour = cell(row, Colour, QStringLiteral("555555"));
    spec.cornerRadius = evaluate(cell(row, Radius), zoom, 0);
    spec.opacity = cell(row, Opacity, QStringLiteral("1.0")).toFloat();
    spec.borderStyle = cell(row, Border, QStringLiteral("none"));
    spec.borderWidth = evaluate(cell(row, BWidth), zoom, 0);
    spec.borderColour = cell(row, BColour, QStringLiteral("000000"));
    spec.alignment = cell(row, Align, QStringLiteral("left"));
    spec.textKind = cell(row, TextKind, QStringLiteral("Text"));
    spec.fullWidth = cell(row, Full) == QLatin1String("1");
    const QString fit = cell(row, Fit);
    if (gResponsiveEdition && fit.startsWith(QLatin1String("fit"))) {
        spec.frame = frame.grabSectionRect(point, spec.frame);
        if (fit == QLatin1String("fit+shift"))
            SectionOperations(frame.context()).shiftObjectsInSection(point, spec.frame);
    }
    const bool callout = extra == QLatin1String("callout");
    if (callout)
        spec.groupNumber = InsertionFrame::findNextGroupNumber(frame.document());
    TextBoxFactory(frame).addTextBox(spec);
    if (callout) {
        const QPointF begin(point.x() + evaluate(cell(row, W), zoom, 100) / 2, point.y());
        const QPointF end(point.x() + evaluate(QStringLiteral("300/z"), zoom, 300), point.y() - 100);
        LineMaker(frame).addTrueLine(begin, end, spec.borderColour, QStringLiteral("dashed"), spec.borderWidth,
                                     QStringLiteral("0"), QStringLiteral("1"), spec.groupNumber);
    }
    return true;
}
