#include "config/DataCentreColours.h"

#include "config/DataFiles.h"
#include "config/EditionSettings.h"

#include <QRgba64>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

// The value of the longest run of hex digits at the start of a pair, after
// leading spaces: "CL" reads 12, "1G" reads 1, "R0" reads 0.
uint32_t scanHexPair(QStringView pair)
{
    qsizetype i = 0;
    while (i < pair.size() && pair[i] == QLatin1Char(' '))
        ++i;
    uint32_t value = 0;
    for (; i < pair.size(); ++i) {
        const char16_t c = pair[i].unicode();
        if (c >= u'0' && c <= u'9')
            value = value * 16 + (c - u'0');
        else if (c >= u'A' && c <= u'F')
            value = value * 16 + (c - u'A' + 10);
        else
            break;
    }
    return value;
}

QStringList loadPalette(const QString &name)
{
    QStringList entries;
    for (const QString &line : DataFiles::readDataLines(QStringLiteral("palettes/%1.txt").arg(name)))
        entries += line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return entries;
}

QString hex3(int r, int g, int b)
{
    return QStringLiteral("%1%2%3")
        .arg(r, 2, 16, QLatin1Char('0'))
        .arg(g, 2, 16, QLatin1Char('0'))
        .arg(b, 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

QColor DataCentreColours::colorWithHexString(const QString &hex)
{
    QString s = hex.trimmed().toUpper();
    if (s.size() <= 5)
        return QColor(0, 0, 0);
    if (s.startsWith(QLatin1String("0X")))
        s = s.mid(2);
    if (s.size() != 6)
        return QColor(0, 0, 0);
    QColor color;
    // Channels go through single precision as stored pages expect
    // (v / 255 reads back as v).
    color.setRgbF(float(scanHexPair(QStringView(s).mid(0, 2)) & 0xff) / 255.0f,
                  float(scanHexPair(QStringView(s).mid(2, 2)) & 0xff) / 255.0f,
                  float(scanHexPair(QStringView(s).mid(4, 2)) & 0xff) / 255.0f, 1.0f);
    return color;
}

QString DataCentreColours::asHexString(const QColor &color, const QStringList &palette)
{
    if (!color.isValid())
        return {};
    const QRgba64 rgb = color.toRgb().rgba64();
    // QColor keeps 16 bits a channel, so a stored channel is known only to
    // within half a step. The palette form reads each channel at the lower
    // edge of its step: a single-precision 0.5 (or any k / 256) then stays
    // below the 8-bit boundary it sits on, as it always read, and v / 255
    // (stored as 257 v) still gives v. The factor is the largest float below
    // 256, so that 1.0 gives 255 and values just under a step round up into it.
    constexpr double kFactor = 255.99998474121094;
    const auto paletteChannel = [](quint16 c) {
        return int(std::trunc(std::max(0.0, (double(c) - 0.5) / 65535.0) * kFactor));
    };
    const QString paletteForm =
        hex3(paletteChannel(rgb.red()), paletteChannel(rgb.green()), paletteChannel(rgb.blue()));
    if (palette.contains(paletteForm))
        return paletteForm;
    // The plain form: the stored value times 255, with a small nudge so
    // that v / 255 reads back as v.
    constexpr double kNudge = 1e-7;
    const auto plainChannel = [](quint16 c) { return int(std::trunc(double(c) / 65535.0 * 255.0 + kNudge)); };
    return hex3(plainChannel(rgb.red()), plainChannel(rgb.green()), plainChannel(rgb.blue()));
}

QString DataCentreColours::asHexString(const QColor &color)
{
    return asHexString(color, gColorPalette);
}

bool DataCentreColours::isClearColorString(const QString &hex)
{
    return hex.isEmpty() || hex == QLatin1String("CLEAR0");
}

QColor DataCentreColours::colorOrClearWithHexString(const QString &hex)
{
    return isClearColorString(hex) ? QColor(Qt::transparent) : colorWithHexString(hex);
}

const QStringList &DataCentreColours::paletteA()
{
    static const QStringList palette = loadPalette(QStringLiteral("A"));
    return palette;
}

const QStringList &DataCentreColours::paletteB()
{
    static const QStringList palette = [] {
        QStringList unique;
        QSet<QString> seen;
        for (const QString &entry : paletteA()) {
            if (!seen.contains(entry)) {
                seen.insert(entry);
                unique << entry;
            }
        }
        return unique;
    }();
    return palette;
}

const QStringList &DataCentreColours::paletteC()
{
    static const QStringList palette = loadPalette(QStringLiteral("C"));
    return palette;
}
