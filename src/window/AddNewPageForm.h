#pragma once
// What the add-page sheet holds and how its controls follow each other,
// without the sheet: the main-launch box names the page "index", the
// base-template box "basetemplate" (each clears the other), and while names
// follow the title a typed title proposes the file name.
#include "window/ProjectPages.h"

#include <QString>

class AddNewPageForm {
public:
    QString pageTitle;
    QString fileName;              // without extension
    int fileNameGeneration = 0;    // 0: from the title, 1: typed
    bool mainLaunchPage = false;
    bool baseTemplate = false;
    bool applyBaseTemplate = false;
    QString pageFileType;
    QString selectedTemplateName;
    QString selectedTemplateCategoryFolder;

    bool fileNameFieldEnabled() const { return fileNameGeneration == 1; }
    void setDefaultLaunch(bool on);
    void setBaseTemplate(bool on);
    void titleChanged(const QString &title);
    // The request the window hands to the project operations.
    AddNewPageRequest request() const;
};
