#pragma once
// Applies a confirmed project settings sheet to the project folder: the site
// file, the site icons, the pages dropped from the list (to the trash), the
// new page order, and each page's markers, title, publishing extension and
// file name. A rename is checked like a new page's name, packed under the
// new name, and only then is the old package moved to the trash; a
// duplicated row becomes a real copy of its page. Every changed page is then
// read back and saved again, so its page file is written from its new state.
#include "window/SiteSettingsFile.h"
#include "window/WebsiteSettingsRows.h"

#include <QImage>
#include <QStringList>

class ProjectPages;
class QObject;

struct WebsiteSettingsOutcome {
    // One line per thing that could not be done; empty after full success.
    QStringList failures;
    QStringList trashed;     // packages moved to the trash
    QStringList written;     // packages packed (changed, renamed or copied)
};

class WebsiteSettingsSave {
public:
    // The icon files: the picture as PNG at its own size, and at 32 x 32.
    static bool writeFavicons(const QString &projectFolder, const QImage &icon, QString *error = nullptr);
    static WebsiteSettingsOutcome save(ProjectPages &project, const WebsiteSettingsRows &rows,
                                       const SiteSettings &site, const QImage &favicon, QObject *window = nullptr);
};
