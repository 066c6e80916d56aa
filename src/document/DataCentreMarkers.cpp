#include "config/DataCentreMarkers.h"
#include "document/PageEditingCopy.h"

#include "document/MarkerValue.h"
#include "document/PageText.h"
#include "platform/TextCodec.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

const QString DataCentreMarkers::kUseBaseTemplate = QStringLiteral("<!--USE BASE TEMPLATE-->");
const QString DataCentreMarkers::kInheritMetadata = QStringLiteral("<!--INHERIT METADATA-->");
const QString DataCentreMarkers::kInheritCustomHeader = QStringLiteral("<!--INHERIT CUSTOM HEADER-->");
const QString DataCentreMarkers::kBaseTemplateDuplicated = QStringLiteral("<!--BASE TEMPLATE DUPLICATED-->");
const QString DataCentreMarkers::kRotateCanvas90 = QStringLiteral("<!--ROTATE CANVAS:90-->");

namespace {

// The one place where a marker value is cleaned before it is written.
QString cleanValue(const QString &value)
{
    // The generator writes marker values through the same helper.
    return MarkerValue::clean(value);
}

// The file's text as stored; null when it cannot be read.
QString rawPageFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString text = TextCodec::decodePageText(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return QString();
    return text.isNull() ? QString(QLatin1String("")) : text;
}

bool fileHolds(const QString &path, const QString &marker)
{
    return DataCentreMarkers::readPageFile(path).contains(marker);
}

QString dropAtEnd(const QString &text, int count)
{
    return text.size() >= count ? text.left(text.size() - count) : QString(QLatin1String(""));
}

// Rewrites a page file through `change`; false, with the file left alone,
// when it cannot be read or written.
template <typename Change>
bool editPageFile(const QString &path, Change change)
{
    const QString text = rawPageFile(path);
    if (text.isNull())
        return false;
    // The markers live in the editing form a responsive page carries.
    if (PageEditingCopy::hasEditingCopy(text))
        return DataCentreMarkers::writePageFile(
            path, PageEditingCopy::wrap(PageEditingCopy::publishedPage(text), change(PageEditingCopy::editingPage(text))));
    return DataCentreMarkers::writePageFile(path, change(text));
}

bool applyFlag(const QString &path, int flag, const QString &marker)
{
    return editPageFile(path, [&](QString text) {
        if (flag == 1)
            return text + QLatin1Char('\n') + marker;
        text.remove(marker);
        return text;
    });
}

} // namespace

QString DataCentreMarkers::readPageFile(const QString &path)
{
    const QString text = rawPageFile(path);
    return text.isNull() ? text : PageEditingCopy::editingPage(text);
}

bool DataCentreMarkers::writePageFile(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(TextCodec::encodePageText(text));
    return file.commit();
}

QStringList DataCentreMarkers::splitPageLines(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|[\\n\\r\\x0B\\x0C\\x{85}\\x{2028}\\x{2029}]"));
    return text.split(lineBreak);
}

QString DataCentreMarkers::grabSourceCode(const QString &path)
{
    const QString text = rawPageFile(path);
    return text.isNull() ? QString(QLatin1String("")) : text;
}

QString DataCentreMarkers::metaContentOfText(const QString &text, const QString &prefix, int drop)
{
    QString result;
    for (QString rawLine : text.split(QLatin1Char('\n'))) {
        if (rawLine.endsWith(QLatin1Char('\r')))
            rawLine.chop(1);
        const qsizetype at = rawLine.indexOf(prefix);
        if (at >= 0)
            result = dropAtEnd(rawLine.mid(at + prefix.size()), drop);
    }
    return result.isNull() ? QString(QLatin1String("")) : result;
}

QString DataCentreMarkers::grabEncodingType(const QString &path)
{
    const QString value = metaContentOfText(
        readPageFile(path), QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset="), 4);
    return value.isEmpty() ? QStringLiteral("UTF-8") : value;
}

QString DataCentreMarkers::grabMetaKeywords(const QString &path)
{
    return PageText::decodeEntities(
        metaContentOfText(readPageFile(path), QStringLiteral("<meta name=\"keywords\" content=\""), 2));
}

QString DataCentreMarkers::grabMetaDescription(const QString &path)
{
    return PageText::decodeEntities(
        metaContentOfText(readPageFile(path), QStringLiteral("<meta name=\"description\" content=\""), 2));
}

QString DataCentreMarkers::customHeaderCodeOfText(const QString &text)
{
    const QString prefix = QStringLiteral("<!--Custom Header Code:");
    const QStringList lines = splitPageLines(text);
    int64_t count = 0;
    for (const QString &line : lines)
        if (line.startsWith(prefix))
            count = dropAtEnd(line.mid(prefix.size()), 3).toLongLong();
    if (count <= 0)
        return QLatin1String("");
    const QString exact = QStringLiteral("<!--Custom Header Code:%1-->").arg(count);
    qsizetype first = 0;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines.at(i) == exact)
            first = i;
    const qsizetype last = std::min<int64_t>(first + count, lines.size() - 1);
    return lines.mid(first + 1, std::max<qsizetype>(0, last - first)).join(QLatin1Char('\n'));
}

QString DataCentreMarkers::grabCustomHeaderCode(const QString &path)
{
    return customHeaderCodeOfText(readPageFile(path));
}

QString DataCentreMarkers::grabPublishExt(const QString &path)
{
    return grabMiddleString(QStringLiteral("<!--PUBLISHEXTSTART=="), QStringLiteral("==PUBLISHEXTEND-->"),
                            readPageFile(path));
}

bool DataCentreMarkers::isBootStrapBeingUsed(const QString &path)
{
    return fileHolds(path, QStringLiteral("bootstrap.min.css"));
}

bool DataCentreMarkers::grabBaseTemplateStatusFlag(const QString &path)
{
    return fileHolds(path, kUseBaseTemplate);
}

bool DataCentreMarkers::grabInheritMetadataFlag(const QString &path)
{
    return fileHolds(path, kInheritMetadata);
}

bool DataCentreMarkers::grabInheritCustomHeadercodeFlag(const QString &path)
{
    return fileHolds(path, kInheritCustomHeader);
}

bool DataCentreMarkers::grabDuplicateBaseTemplateStatusFlag(const QString &path)
{
    return fileHolds(path, kBaseTemplateDuplicated);
}

bool DataCentreMarkers::grabRotateCanvas90Flag(const QString &path)
{
    return fileHolds(path, kRotateCanvas90);
}

bool DataCentreMarkers::grabCenterFlag(const QString &text)
{
    return text.contains(QLatin1String("#content{position:relative;width:"));
}

bool DataCentreMarkers::grabManualPageWidthFlag(const QString &text)
{
    return text.contains(QLatin1String("<!---manual view port calculation--->"));
}

QString DataCentreMarkers::grabMiddleString(const QString &start, const QString &end, const QString &text)
{
    const qsizetype from = text.indexOf(start);
    if (from < 0 || start.isEmpty())
        return QLatin1String("");
    const qsizetype to = text.indexOf(end);
    const qsizetype valueStart = from + start.size();
    if (to < valueStart || end.isEmpty())
        return QLatin1String("");
    return text.mid(valueStart, to - valueStart);
}

bool DataCentreMarkers::applyPageTitle(const QString &path, const QString &title)
{
    return editPageFile(path, [&](const QString &text) {
        QStringList lines = splitPageLines(text);
        const QString marker = QStringLiteral("<!--PAGETITLESTART==") + cleanValue(title)
            + QStringLiteral("==PAGETITLEEND-->");
        qsizetype found = -1;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (lines.at(i).startsWith(QLatin1String("<!--PAGETITLESTART==")))
                found = i;
        if (found >= 0)
            lines[found] = marker;
        else
            lines.append(marker);
        return lines.join(QLatin1Char('\n'));
    });
}

bool DataCentreMarkers::applyPublishingExt(const QString &path, const QString &extension)
{
    return editPageFile(path, [&](const QString &text) {
        QStringList lines = splitPageLines(text);
        const QString marker = QStringLiteral("<!--PUBLISHEXTSTART==") + cleanValue(extension)
            + QStringLiteral("==PUBLISHEXTEND-->");
        for (QString &line : lines)
            if (line.contains(QLatin1String("<!--PUBLISHEXTSTART==")))
                line = marker;
        return lines.join(QLatin1Char('\n'));
    });
}

bool DataCentreMarkers::applyBaseTemplate(const QString &path, int flag)
{
    return applyFlag(path, flag, kUseBaseTemplate);
}

bool DataCentreMarkers::applyInheritMetadata(const QString &path, int flag)
{
    return applyFlag(path, flag, kInheritMetadata);
}

bool DataCentreMarkers::applyInheritCustomHeaderCode(const QString &path, int flag)
{
    return applyFlag(path, flag, kInheritCustomHeader);
}

bool DataCentreMarkers::applyDuplicateBaseTemplateFlag(const QString &path, int flag)
{
    return applyFlag(path, flag, kBaseTemplateDuplicated);
}

bool DataCentreMarkers::appendStringToFile(const QString &path, const QString &text)
{
    return editPageFile(path, [&](const QString &old) { return old + QStringLiteral("\n\n") + text; });
}
