#include "config/LabelTemplateFile.h"

#include "config/PaperSizes.h"
#include "platform/Bundle.h"
#include "config/DataCentrePrinting.h"

#include <QLoggingCategory>
#include <QMutex>
#include <QSet>

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

bool isCatalogueSheet(const QString &description)
{
    for (const LabelHelperPtr &row : std::as_const(gPrintLabels)) {
        if (row->printDescription == description)
            return true;
    }
    return false;
}

Q_LOGGING_CATEGORY(lcLabels, "zov.labels")

// Each bad line is told once per run, however often the file is read.
void logOnce(const QString &line)
{
    static QMutex mutex;
    static QSet<QString> told;
    QMutexLocker locker(&mutex);
    if (told.contains(line))
        return;
    told.insert(line);
    qCWarning(lcLabels).noquote() << "Skipped a line of \"labels.csv\":" << line;
}

} // namespace

QList<LabelTemplateHelper> LabelTemplateFile::read()
{
    QFile file(Bundle::pathForResource(QStringLiteral("labels"), QStringLiteral("csv")));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    QStringList skipped;
    const QList<LabelTemplateHelper> records = parse(file.readAll(), &skipped);
    for (const QString &line : std::as_const(skipped))
        logOnce(line);
    return records;
}

QList<LabelTemplateHelper> LabelTemplateFile::parse(const QByteArray &content, QStringList *skipped)
{
    const auto skip = [skipped](const QString &line, const QString &why) {
        if (skipped != nullptr)
            skipped->append(QStringLiteral("\"%1\" (%2)").arg(line, why));
    };
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
        if (fields.size() < 4) {
            if (!trimBlanks(line).isEmpty())
                skip(line, QStringLiteral("fewer than four fields"));
            continue;
        }
        const QString paper = trimBlanks(fields.at(3));
        const QString sheet = trimBlanks(fields.at(2));
        // The catalogue is checked once it is loaded (the print editions load
        // it before their templates).
        if (!gPrintLabels.isEmpty() && !isCatalogueSheet(sheet)) {
            skip(line, QStringLiteral("no print sheet is called \"%1\"").arg(sheet));
            continue;
        }
        if (!paper.isEmpty() && paper != QLatin1String("US Letter") && !PaperSizes::knows(paper)) {
            skip(line, QStringLiteral("the paper \"%1\" is unknown").arg(paper));
            continue;
        }
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
