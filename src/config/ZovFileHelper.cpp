#include "config/ZovFileHelper.h"

QVariant ZovFileHelper::valueForKey(const QString &key) const
{
    if (key == QLatin1String("filePath"))
        return filePath;
    if (key == QLatin1String("updatedFilePath"))
        return updatedFilePath;
    if (key == QLatin1String("fileModDate"))
        return fileModDate;
    if (key == QLatin1String("fileModDateString"))
        return fileModDateString;
    if (key == QLatin1String("fileModDateString_fileNameFormat"))
        return fileModDateString_fileNameFormat;
    if (key == QLatin1String("fileSize"))
        return fileSize;
    if (key == QLatin1String("fileSizeBytes"))
        return QVariant::fromValue<quint64>(fileSizeBytes);
    return {};
}
