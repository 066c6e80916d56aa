#include "window/AddNewPageSetup.h"

#include "config/EditionSettings.h"
#include "window/PageNameChecks.h"
#include "window/ProjectScan.h"

#include <QFileInfo>

namespace {
const QString kForms = QStringLiteral("trelkoforms");
}

AddNewPageSheetState AddNewPageSetup::setUp(AddNewPageKind kind, const ProjectScan &scan)
{
    AddNewPageSheetState s;
    s.kind = kind;
    const bool hasBase = scan.baseTemplateExists();
    AddNewPageForm &f = s.form;
    f.pageFileType = gDocumentExtension;
    f.selectedTemplateCategoryFolder = QStringLiteral("blank");
    f.selectedTemplateName = QStringLiteral("Blank.") + gDocumentExtension;
    f.fileName = scan.generateDefaultPageName();
    // Names follow the title unless the user types one.
    f.fileNameGeneration = 0;
    switch (kind) {
    case AddNewPageKind::BlankPage:
        s.mainLaunchHidden = gMainLaunchPageOption;
        s.addButtonTitle = QStringLiteral("Add");
        s.applyBaseTemplateHidden = !hasBase;
        f.applyBaseTemplate = hasBase;
        break;
    case AddNewPageKind::FromTemplate:
        s.mainLaunchHidden = gMainLaunchPageOption;
        s.chooseTemplateHidden = false;
        s.addButtonHidden = true;
        s.applyBaseTemplateHidden = !hasBase;
        break;
    case AddNewPageKind::FormPage:
        f.pageFileType = kForms;
        f.selectedTemplateName = QStringLiteral("Blank.") + kForms;
        f.selectedTemplateCategoryFolder =
            gAppName == QLatin1String("Trelko Forms Pro") ? QStringLiteral("blank") : QStringLiteral("forms");
        s.addButtonTitle = QStringLiteral("Add Form");
        s.applyBaseTemplateHidden = !hasBase;
        f.applyBaseTemplate = hasBase;
        break;
    case AddNewPageKind::BaseTemplate:
        f.pageTitle = QStringLiteral("Base Template");
        f.fileName = QStringLiteral("basetemplate");
        f.fileNameGeneration = 1;
        s.titleEditable = false;
        s.mainLaunchHidden = true;
        s.chooseTemplateHidden = false;
        s.addButtonTitle = QStringLiteral("Add Blank");
        s.applyBaseTemplateHidden = true;
        s.fileNameGenerationHidden = true;
        break;
    }
    return s;
}

AddNewPageSheetState AddNewPageSetup::direct(const ProjectScan &scan)
{
    AddNewPageSheetState s;
    s.kind = AddNewPageKind::FromTemplate;
    s.directlySelectFileName = scan.generateDefaultPageName();
    s.form.pageFileType = gDocumentExtension;
    s.form.fileName.clear();
    return s;
}

void AddNewPageSetup::chooseTemplate(AddNewPageSheetState &state, const QString &fileName, const QString &categoryFolder)
{
    state.form.selectedTemplateName = fileName;
    state.form.selectedTemplateCategoryFolder = categoryFolder;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    state.form.pageFileType = dot < 0 ? QString() : fileName.mid(dot + 1);
}

QString AddNewPageSetup::proposedFileName(const AddNewPageSheetState &state)
{
    const QString field = state.form.fileName;
    if (!field.isEmpty())
        return field + QLatin1Char('.') + state.form.pageFileType;
    if (!state.directlySelectFileName.isEmpty())
        return state.directlySelectFileName + QLatin1Char('.') + state.form.pageFileType;
    return {};
}

std::optional<AddNewPageRequest> AddNewPageSetup::confirm(const AddNewPageSheetState &state, const QString &folder,
                                                          QObject *window)
{
    const QString name = proposedFileName(state);
    if (!PageNameChecks::runNewFileCreationChecks(folder, name, window))
        return std::nullopt;
    AddNewPageRequest request = state.form.request();
    request.fileNameField = QFileInfo(name).completeBaseName();
    request.directlySelectFileName = state.directlySelectFileName;
    return request;
}
