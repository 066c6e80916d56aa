#include "window/SiteSettingsFile.h"

#include "platform/SafeFileWrite.h"

#include <QFile>

namespace {
QString between(const QString &text, const QString &start, const QString &end)
{
    const qsizetype from = text.indexOf(start);
    if (from < 0)
        return {};
    const qsizetype begin = from + start.size();
    const qsizetype to = text.indexOf(end, begin);
    return to < 0 ? QString() : text.mid(begin, to - begin);
}
} // namespace

SiteSettings SiteSettingsFile::parse(const QString &text)
{
    return {between(text, QStringLiteral("##WEBSITE_TITLE_START##"), QStringLiteral("##WEBSITE_TITLE_END##")),
            between(text, QStringLiteral("##WEBSITE_DESCRIPTION_START##"), QStringLiteral("##WEBSITE_DESCRIPTION_END##"))};
}

SiteSettings SiteSettingsFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(QString::fromUtf8(file.read(1024 * 1024)));
}

QString SiteSettingsFile::compose(const SiteSettings &s)
{
    return QStringLiteral("##WEBSITE_TITLE_START##%1##WEBSITE_TITLE_END##\n##WEBSITE_DESCRIPTION_START##%2##WEBSITE_DESCRIPTION_END##")
        .arg(s.title, s.description);
}

bool SiteSettingsFile::write(const QString &path, const SiteSettings &settings, QString *error)
{
    return SafeFileWrite::write(path, compose(settings).toUtf8(), error);
}
