#pragma once
// What the document windows ask of the application: opening projects, pages
// alone and template sites, and being told how a project reaches its window.
// The application delegate implements it; shared() is defined beside the
// delegate, so the windows never include it.
#include <QList>
#include <QString>

#include <functional>

class SKTDocument;

class ProjectLauncher {
public:
    virtual ~ProjectLauncher() = default;

    // The program's launcher (the application delegate).
    static ProjectLauncher &shared();

    // How a project reaches its window: focusing the window that already shows
    // a folder, and tying a newly opened page's window to its folder.
    struct ProjectWindows {
        std::function<bool(const QString &folder)> focusProject;
        std::function<void(SKTDocument &document, const QString &folder)> attachProject;
    };
    virtual void setProjectWindows(ProjectWindows windows) = 0;
    // The bundle's resource folder.
    virtual QString resourcesFolder() const = 0;

    virtual void addNewWebsite() = 0;
    virtual void openWebsite() = 0;
    virtual void openNewDoc() = 0;
    virtual void openSample() = 0;
    // Opens folder as a project (a starter page first when addStarterPage);
    // the window that already shows it is brought forward instead. Answers
    // the document shown, null when nothing opened.
    virtual SKTDocument *launchSelectedWebsite(const QString &folder, bool addStarterPage) = 0;
    // A template site of the bundle copied to destination, then opened; an
    // existing destination is replaced only once the user has said so.
    // opened gets the document shown when it is (null when nothing opened);
    // it is not called when the user keeps the existing folder.
    virtual void proceedToLaunchSelectedTemplateWebsite(const QString &siteFolder, const QString &destination,
                                                        std::function<void(SKTDocument *)> opened = {}) = 0;
    // Opens a page file on its own, outside any project.
    virtual SKTDocument *openPageAlone(const QString &path) = 0;

    // The template site chooser's entries.
    struct WebsiteObject {
        QString websiteFolder;
        QString websiteTitle;
        QString websiteDescription;
    };
    virtual QList<WebsiteObject> templateSites() const = 0;
};
