#include "config/LabelTemplateFile.h"

#include "platform/Bundle.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace {

QString trimBlanks(const QString &field)
{
    qsizetype begin = 0;
    qsizetype end = field.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (begin < end && blank(field.at(begin)))
        ++begin;
    while (end > begin && blank(field.at(end - 1)))
        --end;
    return field.mid(begin, end - begin);
}

} // namespace

QList<LabelTemplateHelper> LabelTemplateFile::read()
{
    QFile file(Bundle::pathForResource(QStringLiteral("labels"), QStringLiteral("csv")));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

QList<LabelTemplateHelper> LabelTemplateFile::parse(const QByteArray &content)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(content);
    if (decoder.hasError())
        return {};

    // Every line break character ends a line; a CR LF pair leaves an empty
    // line between, which is skipped like any blank line.
    static const QRegularExpression lineBreak(QStringLiteral("[\\n\\x{000B}\\f\\r\\x{0085}\\x{2028}\\x{2029}]"));
    QList<LabelTemplateHelper> records;
    for (const QString &line : text.split(lineBreak)) {
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() < 4)
            continue;
        const QString paper = trimBlanks(fields.at(3));
        LabelTemplateHelper record;
        record.brand = trimBlanks(fields.at(0));
        record.templateNumber = trimBlanks(fields.at(1));
        record.paperSize = paper == QLatin1String("US Letter") ? QStringLiteral("na-letter") : paper;
        record.templateDescription = trimBlanks(fields.at(2));
        records.append(record);
    }
    std::stable_sort(records.begin(), records.end(), [](const LabelTemplateHelper &a, const LabelTemplateHelper &b) {
        return QString::compare(a.templateNumber, b.templateNumber, Qt::CaseSensitive) < 0;
    });
    return records;
}
