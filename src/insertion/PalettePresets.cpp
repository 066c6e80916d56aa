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
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {
// Columns of the text rows.
enum TextColumn { Kind, Name, Text, Font, Size, Width, Height, Fill, TextColour, Corner, Opacity, Border,
                  BorderWidth, BorderColour, Alignment, TextType, FullWidth, Placement, X, Y };
// Columns of the line rows.
enum LineColumn { BeginX = 2, BeginY, EndX, EndY, LineColour, Style, LineWidth, BeginArrow, EndArrow };

QString cell(const QStringList &row, int c, const QString &fallback = QString())
{
    const QString value = c < row.size() ? row.at(c) : QString();
    return value.isEmpty() ? fallback : value;
}

QString expandText(QString text)
{
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    const QDateTime now = QDateTime::currentDateTime();
    // The date line of new texts, when the edition stamps them.
    text.replace(QStringLiteral("{datestamp}"),
                 gDateStampNewText ? InsertionDates::longDate(now) + QLatin1Char('\n') : QString());
    static const QRegularExpression date(QStringLiteral("\\{date:([^}]*)\\}"));
    QRegularExpressionMatch m;
    while ((m = date.match(text)).hasMatch())
        text.replace(m.capturedStart(), m.capturedLength(), QLocale::c().toString(now, m.captured(1)));
    return text;
}

TextBoxSpec textSpec(const QStringList &row, const QPointF &point, double zoom)
{
    TextBoxSpec spec;
    spec.text = expandText(cell(row, Text));
    spec.fontFamily = cell(row, Font, QStringLiteral("Helvetica Neue"));
    spec.fontSize = PalettePresets::evaluate(cell(row, Size), zoom, 20);
    spec.frame = QRectF(PalettePresets::coordinate(cell(row, X, QStringLiteral("px")), point, zoom),
                        PalettePresets::coordinate(cell(row, Y, QStringLiteral("py")), point, zoom),
                        PalettePresets::evaluate(cell(row, Width), zoom, 100),
                        PalettePresets::evaluate(cell(row, Height), zoom, 100));
    spec.fillColour = cell(row, Fill, QStringLiteral("CLEAR0"));
    spec.textColour = cell(row, TextColour, QStringLiteral("555555"));
    spec.cornerRadius = PalettePresets::evaluate(cell(row, Corner), zoom, 0);
    spec.opacity = cell(row, Opacity, QStringLiteral("1.0")).toFloat();
    spec.borderStyle = cell(row, Border, QStringLiteral("none"));
    spec.borderWidth = PalettePresets::evaluate(cell(row, BorderWidth), zoom, 0);
    spec.borderColour = cell(row, BorderColour, QStringLiteral("000000"));
    spec.alignment = cell(row, Alignment, QStringLiteral("left"));
    spec.textKind = cell(row, TextType, QStringLiteral("Text"));
    spec.fullWidth = cell(row, FullWidth) == QLatin1String("1");
    return spec;
}
} // namespace

const PalettePresets &PalettePresets::shared()
{
    static const PalettePresets table = [] {
        // Read whole: a markup's text is a single blank, which trimming would lose.
        const QString text = QString::fromUtf8(DataFiles::readData(QStringLiteral("drop_presets.tsv")));
        QStringList lines;
        for (QString line : text.split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            lines.append(line);
        }
        return fromLines(lines);
    }();
    return table;
}

PalettePresets PalettePresets::fromLines(const QStringList &lines)
{
    static const QStringList kinds {QStringLiteral("text"), QStringLiteral("line"), QStringLiteral("bubble"),
                                    QStringLiteral("callout")};
    PalettePresets table;
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('#')) || line.trimmed().isEmpty())
            continue;
        // Cells may hold a single blank (the markups' text): split before any trimming.
        const QStringList row = line.split(QLatin1Char('\t'));
        if (row.size() < 3 || !kinds.contains(row.at(Kind)) || row.at(Name).isEmpty())
            continue;
        if (!table.m_rows.contains(row.at(Name)))
            table.m_order.append(row.at(Name));
        table.m_rows.insert(row.at(Name), row);
    }
    return table;
}

int32_t PalettePresets::evaluate(const QString &text, double zoom, int32_t fallback)
{
    const QString c = text.trimmed();
    if (c.isEmpty())
        return fallback;
    const double z = zoom > 0 && std::isfinite(zoom) ? zoom : 1.0;
    if (c == QLatin1String("stroke"))
        return int32_t(std::trunc(std::max(2.0 / z, 1.0)));
    bool ok = false;
    if (c.startsWith(QLatin1String("Wdiv500*")))
        return (gCanvasWidth / 500) * c.mid(8).toInt();
    if (c.startsWith(QLatin1String("W/500*")))
        return int32_t(std::trunc(gCanvasWidth / 500.0 * c.mid(6).toDouble()));
    if (c.startsWith(QLatin1Char('W')) || c.startsWith(QLatin1Char('H'))) {
        const double base = c.startsWith(QLatin1Char('W')) ? gCanvasWidth : gCanvasMaxHeight;
        const double factor = c.size() > 2 && c.at(1) == QLatin1Char('*') ? c.mid(2).toDouble(&ok) : 1.0;
        return int32_t(std::trunc(base * (c.size() > 2 && !ok ? 1.0 : factor)));
    }
    if (c.endsWith(QLatin1String("/z"))) {
        const double n = c.chopped(2).toDouble(&ok);
        return ok ? int32_t(std::trunc(n / z)) : fallback;
    }
    const double n = c.toDouble(&ok);
    return ok ? int32_t(std::trunc(n)) : fallback;
}

double PalettePresets::coordinate(const QString &text, const QPointF &point, double zoom)
{
    const QString c = text.trimmed();
    if (c == QLatin1String("px"))
        return point.x();
    if (c == QLatin1String("py"))
        return point.y();
    if (c.startsWith(QLatin1String("px+")))
        return point.x() + evaluate(c.mid(3), zoom, 0);
    if (c.startsWith(QLatin1String("py-")))
        return point.y() - evaluate(c.mid(3), zoom, 0);
    return evaluate(c, zoom, 0);
}

bool PalettePresets::insert(InsertionFrame &frame, const QString &code, const QPointF &point, double zoom) const
{
    const auto found = m_rows.constFind(code);
    if (found == m_rows.constEnd())
        return false;
    const QStringList &row = *found;
    const QString kind = row.at(Kind);
    if (kind == QLatin1String("callout") && !m_rows.contains(cell(row, 2)))
        return false;
    InsertionStep step(frame.document(), QStringLiteral("Add Object"));

    if (kind == QLatin1String("line")) {
        LineMaker(frame).addTrueLine(
            QPointF(coordinate(cell(row, BeginX, QStringLiteral("px")), point, zoom),
                    coordinate(cell(row, BeginY, QStringLiteral("py")), point, zoom)),
            QPointF(coordinate(cell(row, EndX, QStringLiteral("px")), point, zoom),
                    coordinate(cell(row, EndY, QStringLiteral("py")), point, zoom)),
            cell(row, LineColour, QStringLiteral("555555")), cell(row, Style, QStringLiteral("solid")),
            evaluate(cell(row, LineWidth), zoom, 1), cell(row, BeginArrow, QStringLiteral("0")),
            cell(row, EndArrow, QStringLiteral("0")), -99);
        return true;
    }
    if (kind == QLatin1String("bubble")) {
        TextBoxFactory(frame).addZoomBubbleTextbox_drag(point, evaluate(cell(row, 2), zoom, 0), cell(row, 3),
                                                        cell(row, 4, QStringLiteral("0")).toInt());
        return true;
    }

    const QStringList &textRow = kind == QLatin1String("callout") ? m_rows.value(cell(row, 2)) : row;
    TextBoxSpec spec = textSpec(textRow, point, zoom);
    const QString placement = cell(textRow, Placement);
    if (gResponsiveEdition && placement.startsWith(QLatin1String("fit"))) {
        spec.frame = frame.grabSectionRect(point, spec.frame);
        if (placement == QLatin1String("fit+shift"))
            SectionOperations(frame.context()).shiftObjectsInSection(point, spec.frame);
    }
    if (kind == QLatin1String("callout")) {
        spec.groupNumber = InsertionFrame::findNextGroupNumber(frame.document());
        TextBoxFactory(frame).addTextBox(spec);
        const QPointF begin(point.x() + evaluate(cell(textRow, Width), zoom, 100) / 2, point.y());
        const QPointF end(point.x() + evaluate(QStringLiteral("300/z"), zoom, 300), point.y() - 100);
        LineMaker(frame).addTrueLine(begin, end, spec.borderColour, QStringLiteral("dashed"), spec.borderWidth,
                                     QStringLiteral("0"), QStringLiteral("1"), spec.groupNumber);
        return true;
    }
    TextBoxFactory(frame).addTextBox(spec);
    return true;
}
