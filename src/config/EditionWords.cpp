#include "config/EditionWords.h"

#include "config/EditionSettings.h"

bool EditionWords::isRecordEdition()
{
    return gDocumentExtension == QLatin1String("pelprofile") || gDocumentExtension == QLatin1String("profile");
}

QString EditionWords::projectSettingsTitle()
{
    return isRecordEdition() ? QStringLiteral("Database Settings") : QStringLiteral("Website Preferences");
}

QString EditionWords::serverSettingsTitle()
{
    return isRecordEdition() ? QStringLiteral("Upload Settings") : QStringLiteral("FTP Settings");
}
