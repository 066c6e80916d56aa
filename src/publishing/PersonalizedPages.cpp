#include "publishing/PersonalizedPages.h"

#include "config/DataCentreNames.h"

#include <QRegularExpression>

QString PersonalizedPages::replacePersonalizedTags(const QString &text, const Contacts::MergeRecord &contact,
                                                   const QStringList &tags)
{
    QStringList alternatives;
    for (const QString &tag : tags) {
        if (!tag.isEmpty())
            alternatives << QRegularExpression::escape(tag);
    }
    if (alternatives.isEmpty())
        return text;
    const QRegularExpression anyTag(alternatives.join(QLatin1Char('|')));
    QStringList kept;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty()) {
            kept << line;
            continue;
        }
        // One pass per line, so a value that looks like a tag stays as the contact has it.
        QString result;
        qsizetype last = 0;
        bool valueAdded = false;
        for (auto it = anyTag.globalMatch(line); it.hasNext();) {
            const auto match = it.next();
            result += line.mid(last, match.capturedStart() - last);
            const QString value = contact.value(match.captured());
            result += value;
            valueAdded = valueAdded || !value.isEmpty();
            last = match.capturedEnd();
        }
        result += line.mid(last);
        if (!result.isEmpty() || valueAdded)
            kept << result;
    }
    return kept.join(QLatin1Char('\n'));
}

QString PersonalizedPages::pageNameFor(const Contacts::MergeRecord &contact, int index)
{
    const QString raw = contact.value(QStringLiteral("[FIRST_NAME]")) + contact.value(QStringLiteral("[LAST_NAME]"))
        + contact.value(QStringLiteral("[UNIQUE_CONTACT_ID]")) + QLatin1Char('_')
        + contact.value(QStringLiteral("Address_Number"));
    static const QRegularExpression meaningful(QStringLiteral("[\\p{L}\\p{N}]"));
    if (!raw.contains(meaningful))
        return QStringLiteral("contact%1").arg(index);
    return DataCentreNames::generateNewFileName(raw);
}

QString PersonalizedPages::targetFileName(const QString &name, const QString &extension,
                                          const QString &sourceFileName,
                                          const std::function<bool(const QString &)> &exists)
{
    const QString suffix = extension.isEmpty() ? QString() : QLatin1Char('.') + extension;
    QString candidate = name + suffix;
    for (int n = 2; candidate == sourceFileName || (exists && exists(candidate)); ++n)
        candidate = name + QStringLiteral("_%1").arg(n) + suffix;
    return candidate;
}

QString PersonalizedPages::replacePageNumbers(const QString &text, int pageIndex)
{
    QString result = text;
    return result.replace(QStringLiteral("[PAGE_NUMBER]"), QString::number(pageIndex));
}
