#include "window/AddNewPageForm.h"

#include "config/DataCentreNames.h"

void AddNewPageForm::setDefaultLaunch(bool on)
{
    mainLaunchPage = on;
    if (on)
        fileName = QStringLiteral("index");
    fileNameGeneration = 1;
    baseTemplate = false;
}

void AddNewPageForm::setBaseTemplate(bool on)
{
    baseTemplate = on;
    if (on)
        fileName = QStringLiteral("basetemplate");
    mainLaunchPage = false;
}

void AddNewPageForm::titleChanged(const QString &title)
{
    pageTitle = title;
    if (!title.isEmpty() && fileNameGeneration == 0)
        fileName = DataCentreNames::generateNewFileName(title);
}

AddNewPageRequest AddNewPageForm::request() const
{
    AddNewPageRequest r;
    r.selectedTemplateCategoryFolder = selectedTemplateCategoryFolder;
    r.selectedTemplateName = selectedTemplateName;
    r.pageFileType = pageFileType;
    r.fileNameField = fileName;
    r.applyBaseTemplate = applyBaseTemplate;
    r.pageTitle = pageTitle;
    return r;
}
