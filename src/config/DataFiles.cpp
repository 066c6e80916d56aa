#include "config/DataFiles.h"

#include "platform/Bundle.h"

#include <QDir>
#include <QFile>

QByteArray DataFiles::readData(const QString &relative)
{
    const QString path = Bundle::pathForData(relative);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList DataFiles::readDataLines(const QString &relative)
{
    QStringList lines;
    const QString text = QString::fromUtf8(readData(relative));
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    }
    return lines;
}

QString DataFiles::fontsFolder()
{
    const QStringList fontFiles{QStringLiteral("*.ttf"), QStringLiteral("*.otf"), QStringLiteral("*.woff"),
                                QStringLiteral("*.woff2")};
    // The source tree holds no font files: the build copies them into its own tree.
    for (const QString &folder : {QDir(Bundle::resourcesPath()).filePath(QStringLiteral("fonts")),
                                  QStringLiteral(ZOV_BUILD_RESOURCES "/fonts")}) {
        if (!QDir(folder).entryList(fontFiles, QDir::Files).isEmpty())
            return folder;
    }
    return {};
}

QList<QStringList> DataFiles::tabRows(const QString &text, qsizetype minimumFields)
{
    QList<QStringList> rows;
    for (const QString &line : text.split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        QStringList fields = line.split(u'\t');
        if (fields.size() >= minimumFields)
            rows.append(std::move(fields));
    }
    return rows;
}
