#pragma once
// The add-page sheet's four set-ups (blank page, from a template, form page,
// base template) and the direct template route, without the sheet: which
// controls show, their states and titles, and the confirm step. Confirming
// checks the name first; a refused name is told to the user and the sheet
// stays open with everything the user typed.
#include "window/AddNewPageForm.h"

#include <QString>
#include <optional>

class ProjectScan;
class QObject;

enum class AddNewPageKind { BlankPage, FromTemplate, FormPage, BaseTemplate };

struct AddNewPageSheetState {
    AddNewPageKind kind = AddNewPageKind::BlankPage;
    AddNewPageForm form;
    QString directlySelectFileName;
    bool titleEditable = true;
    bool mainLaunchHidden = false;
    bool applyBaseTemplateHidden = false;
    bool fileNameGenerationHidden = false;
    bool chooseTemplateHidden = true;
    bool addButtonHidden = false;
    QString addButtonTitle;
    QString chooseTemplateTitle = QStringLiteral("Choose a Template");
    QString cancelTitle = QStringLiteral("Cancel");
};

class AddNewPageSetup {
public:
    static AddNewPageSheetState setUp(AddNewPageKind kind, const ProjectScan &scan);
    // The route without a sheet: only a default name and the page type; the
    // template chooser supplies the rest.
    static AddNewPageSheetState direct(const ProjectScan &scan);
    // The template chooser picked a template: its file name and category.
    static void chooseTemplate(AddNewPageSheetState &state, const QString &fileName, const QString &categoryFolder);
    // The page file name the sheet stands for ("" when none can be formed).
    static QString proposedFileName(const AddNewPageSheetState &state);
    // Runs the file-name checks against folder, telling the user about the
    // first problem: the request to hand on, or nothing (keep the sheet open).
    static std::optional<AddNewPageRequest> confirm(const AddNewPageSheetState &state, const QString &folder,
                                                    QObject *window = nullptr);
};
