#include "window/ui/RecordCommands.h"

#include "document/SKTDocument.h"
#include "platform/Alerts.h"
#include "window/ProfilePageTable.h"
#include "window/ProjectPages.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/RecordSheet.h"

#include <QFileInfo>

namespace {
void openNewRecordSheet(const DocumentWindowContext &c, ProfileRecord::Kind kind)
{
    SKTDocument *doc = c.currentDocument();
    ProjectPages *project = c.project;
    if (!doc || !project)
        return;
    doc->askPageToSaveItself();
    auto *sheet = new RecordSheet(kind, true, c.window);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setFileBaseName(project->scan.generateDefaultPageName());
    sheet->onSave = [project, kind](const RecordSheet &s) {
        return project->saveNewProfile(kind, s.fileBaseName(), s.fields(), s.photo());
    };
    sheet->show();
}

void openUpdateRecordSheet(const DocumentWindowContext &c, ProfileRecord::Kind kind)
{
    SKTDocument *doc = c.currentDocument();
    ProjectPages *project = c.project;
    if (!doc || !project)
        return;
    if (doc->pageName == QLatin1String("basetemplate")) {
        Alerts::inform(QStringLiteral("This is the base template"),
                       QStringLiteral("You're currently editing the base template, this is not a patient profile.\n\n"
                                      "Base template is reserved for common clinic information that you wish to be "
                                      "included on all profiles.  Examples are clinic name, contact information and "
                                      "operating hours.\n\nOnly one base template is allowed per patient database."),
                       c.window);
        return;
    }
    auto *sheet = new RecordSheet(kind, false, c.window);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->fill(doc->profileDictionary, QFileInfo(doc->fileURLPath).completeBaseName());
    sheet->onSave = [project, kind](const RecordSheet &s) {
        return project->saveUpdatedProfile(kind, s.fields(), s.fileBaseName(), s.photo());
    };
    sheet->show();
}
} // namespace

void registerRecordCommands()
{
    // Every record page shows its record, in every record edition.
    SKTDocument::setPageReadHook([](SKTDocument &doc) { ProfilePageTable::refresh(doc); });
    CommandRegistry::addWindowCommands(QStringLiteral("records"), [](ActionMap &commands, const DocumentWindowContext &c) {
        // Records live in a project: the items hide while no page is listed.
        auto listed = [c](ActionItemState &item) {
            item.visible = c.project && !c.project->scan.siteIconArray.isEmpty();
            return item.visible;
        };
        using Kind = ProfileRecord::Kind;
        commands.add(QStringLiteral("showAddNewPatientWindow"),
                     [c](const ActionItemState &) { openNewRecordSheet(c, Kind::Pet); }, listed);
        commands.add(QStringLiteral("showAddNewHumanPatientWindow"),
                     [c](const ActionItemState &) { openNewRecordSheet(c, Kind::Person); }, listed);
        commands.add(QStringLiteral("showUpdatePatientProfileWindow"),
                     [c](const ActionItemState &) { openUpdateRecordSheet(c, Kind::Pet); }, listed);
        commands.add(QStringLiteral("showUpdateHumanPatientProfileWindow"),
                     [c](const ActionItemState &) { openUpdateRecordSheet(c, Kind::Person); }, listed);
    });
}
