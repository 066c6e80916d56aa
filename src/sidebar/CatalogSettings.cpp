#include "sidebar/CatalogSettings.h"

QString CatalogSettings::supportedFileTypes(bool photoEdition)
{
    return photoEdition ? QStringLiteral("App will search through selected folder for all supported file types.  "
                                         "Accepted file formats are JPEG, PNG and GIF.")
                        : QStringLiteral("App will search through selected folder for all supported file types.  "
                                         "Accepted file formats are MP4, MOV, AVI, OGG and WEBM.");
}
