#pragma once
// "site.zovs": the title and description of a project or template site,
// between "##WEBSITE_TITLE_START##"/"##WEBSITE_TITLE_END##" and
// "##WEBSITE_DESCRIPTION_START##"/"##WEBSITE_DESCRIPTION_END##". Read and
// written as UTF-8 (plain ASCII files read the same).
#include <QString>

struct SiteSettings {
    QString title;
    QString description;
};

class SiteSettingsFile {
public:
    // Missing file or markers give empty texts.
    static SiteSettings read(const QString &path);
    static SiteSettings parse(const QString &text);
    static QString compose(const SiteSettings &settings);
    static bool write(const QString &path, const SiteSettings &settings, QString *error = nullptr);
};
