#include "canvas/DropTables.h"

#include "config/EditionSettings.h"
#include "platform/Bundle.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {
QList<DropCodeName> &names()
{
    static QList<DropCodeName> list;
    return list;
}

QHash<QString, QStringList> &presets()
{
    static QHash<QString, QStringList> table;
    return table;
}

QString readData(const QString &file)
{
    QFile f(Bundle::pathForData(file));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning("data/%s not found: palette drops insert nothing", qPrintable(file));
        return {};
    }
    return QString::fromUtf8(f.readAll());
}

void ensureLoaded()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    if (names().isEmpty())
        DropTables::loadCodeNames(readData(QStringLiteral("drop_code_names.tsv")));
    if (presets().isEmpty())
        DropTables::loadPresets(readData(QStringLiteral("drop_presets.tsv")));
}

double safeZoom(double zoom)
{
    return zoom > 0 && std::isfinite(zoom) ? zoom : 1.0;
}

QString expandText(QString text, const PresetContext &context)
{
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    const QLocale english(QStringLiteral("en_US"));
    const QDateTime now = context.now.isValid() ? context.now : QDateTime::currentDateTime();
    if (text.contains(QStringLiteral("{datestamp}"))) {
        // Calendar year and a 12-hour clock with its AM/PM.
        const QString stamp = gDateStampNewText
                                  ? english.toString(now, QStringLiteral("MMM dd yyyy,  dddd h:mm AP")) + u'\n'
                                  : QString();
        text.replace(QStringLiteral("{datestamp}"), stamp);
    }
    static const QRegularExpression date(QStringLiteral("\\{date:([^}]*)\\}"));
    QRegularExpressionMatch m;
    while ((m = date.match(text)).hasMatch())
        text.replace(m.capturedStart(), m.capturedLength(), english.toString(now, m.captured(1)));
    return text;
}

double coordinate(const QString &expression, const PresetContext &context)
{
    if (expression == QLatin1String("px"))
        return context.point.x();
    if (expression == QLatin1String("py"))
        return context.point.y();
    if (expression.startsWith(QLatin1String("px+")))
        return context.point.x() + DropTables::evaluate(expression.mid(3), context);
    if (expression.startsWith(QLatin1String("py-")))
        return context.point.y() - DropTables::evaluate(expression.mid(3), context);
    return DropTables::evaluate(expression, context);
}
} // namespace

void DropTables::loadCodeNames(const QString &text)
{
    names().clear();
    for (const QString &line : text.split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        if (f.size() < 4)
            continue;
        DropCodeName row;
        row.name = f[0];
        row.action = f[1];
        row.arguments = f[2].isEmpty() ? QStringList() : f[2].split(u',');
        row.goesOn = f[3] == QLatin1String("goes on");
        names().append(row);
    }
}

void DropTables::loadPresets(const QString &text)
{
    presets().clear();
    for (const QString &line : text.split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(u'\t');
        if ((f[0] == QLatin1String("text") && f.size() >= 20) || (f[0] == QLatin1String("line") && f.size() >= 11))
            presets().insert(f[1], f);
    }
}

const QList<DropCodeName> &DropTables::codeNames()
{
    ensureLoaded();
    return names();
}

std::optional<DropCodeName> DropTables::codeName(const QString &name)
{
    for (const DropCodeName &row : codeNames())
        if (row.name == name)
            return row;
    return std::nullopt;
}

bool DropTables::hasPreset(const QString &name)
{
    ensureLoaded();
    return presets().contains(name);
}

bool DropTables::isLinePreset(const QString &name)
{
    ensureLoaded();
    return presets().value(name).value(0) == QLatin1String("line");
}

int32_t DropTables::strokeScale(double zoom)
{
    return int32_t(std::trunc(std::max(2.0 / safeZoom(zoom), 1.0)));
}

double DropTables::evaluate(const QString &e, const PresetContext &context)
{
    const double z = safeZoom(context.zoom);
    if (e == QLatin1String("stroke"))
        return strokeScale(z);
    if (e == QLatin1String("W"))
        return gCanvasWidth;
    if (e == QLatin1String("H"))
        return gCanvasMaxHeight;
    if (e.startsWith(QLatin1String("W*")))
        return std::trunc(gCanvasWidth * e.mid(2).toDouble());
    if (e.startsWith(QLatin1String("H*")))
        return std::trunc(gCanvasMaxHeight * e.mid(2).toDouble());
    if (e.startsWith(QLatin1String("Wdiv"))) { // Wdiv500*30: integer division first
        const QStringList parts = e.mid(4).split(u'*');
        const int32_t divisor = parts.value(0).toInt();
        return divisor > 0 ? double((gCanvasWidth / divisor) * parts.value(1).toInt()) : 0.0;
    }
    if (e.startsWith(QLatin1String("W/"))) { // W/500*18: floating-point division
        const QStringList parts = e.mid(2).split(u'*');
        const double divisor = parts.value(0).toDouble();
        return divisor > 0 ? std::trunc(gCanvasWidth / divisor * parts.value(1).toDouble()) : 0.0;
    }
    if (e.endsWith(QLatin1String("/z")))
        return std::trunc(e.chopped(2).toDouble() / z);
    return e.toDouble();
}

GraphicProperties DropTables::textBoxPreset(const QString &name, const PresetContext &context)
{
    ensureLoaded();
    const QStringList f = presets().value(name);
    GraphicProperties p;
    if (f.value(0) != QLatin1String("text"))
        return p;
    p.setString(QStringLiteral("text"), expandText(f[2], context));
    p.setString(QStringLiteral("link"), QString());
    const double x = coordinate(f[18], context), y = coordinate(f[19], context);
    p.setRect(QStringLiteral("bounds"), QRectF(x, y, evaluate(f[5], context), evaluate(f[6], context)));
    p.setNumber(QStringLiteral("groupNumber"), context.groupNumber);
    p.setString(QStringLiteral("fillHex"), f[7]);
    p.setString(QStringLiteral("textHex"), f[8]);
    p.setString(QStringLiteral("fontName"), f[3]);
    p.setNumber(QStringLiteral("fontSize"), evaluate(f[4], context));
    p.setNumber(QStringLiteral("cornerRadius"), evaluate(f[9], context));
    p.setNumber(QStringLiteral("opacity"), f[10].toDouble());
    p.setString(QStringLiteral("hoverColor"), QString());
    p.setString(QStringLiteral("hoverTextColor"), QString());
    p.setString(QStringLiteral("linkType"), QString());
    p.setString(QStringLiteral("borderStyle"), f[11]);
    p.setNumber(QStringLiteral("borderWidth"), evaluate(f[12], context));
    p.setString(QStringLiteral("borderColor"), f[13]);
    p.setString(QStringLiteral("alignment"), f[14]);
    p.setString(QStringLiteral("textType"), f[15]);
    p.setFlag(QStringLiteral("fullWidth"), f[16] == QLatin1String("1"));
    p.setString(QStringLiteral("placement"), f[17]);
    return p;
}

GraphicProperties DropTables::linePreset(const QString &name, const PresetContext &context)
{
    ensureLoaded();
    const QStringList f = presets().value(name);
    GraphicProperties p;
    if (f.value(0) != QLatin1String("line"))
        return p;
    p.setPoint(QStringLiteral("beginPoint"), QPointF(coordinate(f[2], context), coordinate(f[3], context)));
    p.setPoint(QStringLiteral("endPoint"), QPointF(coordinate(f[4], context), coordinate(f[5], context)));
    p.setString(QStringLiteral("colour"), f[6]);
    p.setString(QStringLiteral("style"), f[7]);
    p.setNumber(QStringLiteral("width"), evaluate(f[8], context));
    p.setString(QStringLiteral("beginArrow"), f[9]);
    p.setString(QStringLiteral("endArrow"), f[10]);
    p.setNumber(QStringLiteral("groupNumber"), context.groupNumber);
    return p;
}
