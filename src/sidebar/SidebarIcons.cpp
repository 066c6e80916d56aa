#include "sidebar/SidebarIcons.h"

#include "platform/DataTableFile.h"
#include "config/DataCentreColours.h"
#include "platform/Bundle.h"

#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QStringList>
#include <QtDebug>

namespace {
constexpr double kBoard = 60.0;

QList<double> numbers(const QStringList &words, qsizetype from, qsizetype count = -1)
{
    QList<double> out;
    const qsizetype end = count < 0 ? words.size() : std::min(words.size(), from + count);
    for (qsizetype i = from; i < end; ++i) {
        bool ok = false;
        const double v = words[i].toDouble(&ok);
        if (!ok)
            break;
        out.append(v);
    }
    return out;
}

QList<double> ratios(const QString &list)
{
    QList<double> out;
    for (const QString &w : list.split(u',', Qt::SkipEmptyParts)) {
        const double v = w.toDouble();
        if (v > 0)
            out.append(v);
    }
    return out;
}

struct Pens {
    QBrush brush = Qt::NoBrush;
    QPen pen = QPen(QColor(0x40, 0x40, 0x40), 2.0);
};

QColor hex(const QString &word)
{
    return DataCentreColours::colorWithHexString(word);
}

// Column boxes across a band: a table grid or a section's columns.
void drawColumns(QPainter &p, const QRectF &band, const QList<double> &widths, int rows, bool section)
{
    double total = 0;
    for (double w : widths)
        total += w;
    if (total <= 0 || rows < 1)
        return;
    const double gap = section ? 2.0 : 0.0;
    double x = band.left();
    for (double w : widths) {
        const double cw = band.width() * w / total;
        for (int r = 0; r < rows; ++r) {
            const double rh = band.height() / rows;
            const QRectF cell(x + gap / 2, band.top() + r * rh, cw - gap, rh);
            if (section)
                p.fillRect(cell.adjusted(0, 2, 0, -2), QColor(0x9C, 0xC3, 0xE6));
            else
                p.drawRect(cell);
        }
        x += cw;
    }
}
} // namespace

QHash<QString, QString> InspectorIcons::parse(const QString &text, QString *error)
{
    QHash<QString, QString> table;
    int lineNumber = 0;
    for (const QString &line : text.split(u'\n')) {
        ++lineNumber;
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0) {
            if (error && error->isEmpty())
                *error = QStringLiteral("line %1: expected name<TAB>program").arg(lineNumber);
            continue;
        }
        table.insert(line.left(tab), line.mid(tab + 1).trimmed());
    }
    return table;
}

const QHash<QString, QString> &InspectorIcons::programs()
{
    static const QHash<QString, QString> table = readDataTable<QHash<QString, QString>>(
        Bundle::pathForData(QStringLiteral("panel_icons.tsv")), "inspector icon table", &parse);
    return table;
}

bool InspectorIcons::contains(const QString &name)
{
    return programs().contains(name);
}

QImage InspectorIcons::image(const QString &name, int side)
{
    const auto it = programs().constFind(name);
    return it == programs().constEnd() ? QImage() : draw(*it, side);
}

QImage InspectorIcons::draw(const QString &program, int side)
{
    side = std::clamp(side, 1, 1024);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(side / kBoard, side / kBoard);
    Pens pens;
    p.setPen(pens.pen);
    p.setBrush(pens.brush);
    for (const QString &rawStep : program.split(u';', Qt::SkipEmptyParts)) {
        const QStringList w = rawStep.simplified().split(u' ', Qt::SkipEmptyParts);
        if (w.isEmpty())
            continue;
        const QString &op = w[0];
        if (op == QLatin1String("fill") && w.size() >= 2) {
            p.setBrush(w[1] == QLatin1String("none") ? QBrush(Qt::NoBrush) : QBrush(hex(w[1])));
        } else if (op == QLatin1String("stroke") && w.size() >= 2) {
            if (w[1] == QLatin1String("none")) {
                p.setPen(Qt::NoPen);
            } else {
                QPen pen = p.pen() == Qt::NoPen ? QPen() : p.pen();
                pen.setStyle(p.pen().style() == Qt::NoPen ? Qt::SolidLine : p.pen().style());
                pen.setColor(hex(w[1]));
                pen.setWidthF(w.size() >= 3 ? w[2].toDouble() : 2.0);
                pen.setJoinStyle(Qt::RoundJoin);
                pen.setCapStyle(Qt::RoundCap);
                p.setPen(pen);
            }
        } else if (op == QLatin1String("dash") && w.size() >= 2) {
            QPen pen = p.pen();
            pen.setStyle(w[1] == QLatin1String("on") ? Qt::DashLine : Qt::SolidLine);
            p.setPen(pen);
        } else if (op == QLatin1String("rect")) {
            const QList<double> n = numbers(w, 1, 5);
            if (n.size() >= 4) {
                const QRectF r(n[0], n[1], n[2], n[3]);
                if (n.size() == 5)
                    p.drawRoundedRect(r, n[4], n[4]);
                else
                    p.drawRect(r);
            }
        } else if (op == QLatin1String("ellipse")) {
            const QList<double> n = numbers(w, 1, 4);
            if (n.size() == 4)
                p.drawEllipse(QRectF(n[0], n[1], n[2], n[3]));
        } else if (op == QLatin1String("line")) {
            const QList<double> n = numbers(w, 1, 4);
            if (n.size() == 4)
                p.drawLine(QPointF(n[0], n[1]), QPointF(n[2], n[3]));
        } else if (op == QLatin1String("poly") || op == QLatin1String("polyline")) {
            const QList<double> n = numbers(w, 1);
            QPolygonF poly;
            for (qsizetype i = 0; i + 1 < n.size(); i += 2)
                poly << QPointF(n[i], n[i + 1]);
            if (op == QLatin1String("poly"))
                p.drawPolygon(poly);
            else
                p.drawPolyline(poly);
        } else if (op == QLatin1String("text") && w.size() >= 7) {
            const QList<double> n = numbers(w, 1, 5);
            if (n.size() == 5) {
                QFont font = p.font();
                font.setPixelSize(std::max(1, int(n[4])));
                font.setBold(true);
                p.setFont(font);
                // Words take the fill colour (the stroke colour without a fill).
                const QPen saved = p.pen();
                p.setPen(p.brush().style() != Qt::NoBrush ? p.brush().color() : saved.color());
                p.drawText(QRectF(n[0], n[1], n[2], n[3]), Qt::AlignCenter, w.mid(6).join(u' '));
                p.setPen(saved);
            }
        } else if (op == QLatin1String("table") && w.size() >= 3) {
            drawColumns(p, QRectF(6, 14, 48, 32), ratios(w[2]), std::clamp(w[1].toInt(), 1, 12), false);
        } else if (op == QLatin1String("section") && w.size() >= 2) {
            QPen saved = p.pen();
            QPen band(QColor(0x60, 0x60, 0x60), 1.0, Qt::DashLine);
            p.setPen(band);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(4, 14, 52, 32));
            p.setPen(saved);
            drawColumns(p, QRectF(6, 16, 48, 28), ratios(w[1]), 1, true);
        }
    }
    p.end();
    return image;
}
