#include "window/ui/WindowSheetCommands.h"

#include "canvas/SKTGraphicView.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "platform/Alerts.h"
#include "window/AddNewPageSetup.h"
#include "window/CanvasSizeOperations.h"
#include "window/PhotoPagesJob.h"
#include "window/ProjectPages.h"
#include "window/SourceFilesExport.h"
#include "window/WebsiteSettingsSave.h"
#include "window/ui/AddNewPageViewController.h"
#include "window/ui/AdjustCanvasSizeWindowController.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/PageNumberWindowController.h"
#include "window/ui/WebsiteSettingsWindowController.h"

#include <QDir>
#include <QImageReader>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

#include <memory>

namespace {

// What one window keeps of its sheets: a new sheet of a kind replaces the
// previous one.
struct WindowSheets {
    QPointer<AddNewPageViewController> addNewPage;
    QPointer<WebsiteSettingsWindowController> websiteSettings;
    QPointer<AdjustCanvasSizeWindowController> canvasSize;
    QPointer<PageNumberWindowController> pageNumber;
    QPointer<PhotoPagesJob> photoJob;
    bool exporting = false;
};

template <typename Dialog>
void replaceAndOpen(QPointer<Dialog> &slot, Dialog *dialog)
{
    if (slot)
        slot->close();
    slot = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

bool hasProject(const DocumentWindowContext &c)
{
    return c.project && !c.project->openWebsiteFolderPath().isEmpty();
}

void refreshListing(const DocumentWindowContext &c)
{
    if (c.host) {
        c.host->refreshPageListingDisplay();
        c.host->refreshPageIcons();
        c.host->refreshLayerListing();
    }
}

void showAddNewPage(const DocumentWindowContext &c, WindowSheets &sheets, AddNewPageKind kind)
{
    ProjectPages *project = c.project;
    if (!project)
        return;
    SKTDocument &doc = project->document();
    if (kind != AddNewPageKind::BaseTemplate && doc.isDocumentEdited() && !doc.askPageToSaveItself())
        return;
    const AddNewPageSheetState state = AddNewPageSetup::setUp(kind, project->scan);
    auto *sheet = new AddNewPageViewController(state, project->openWebsiteFolderPath(), c.window);
    sheet->onConfirmed = [c, project](const AddNewPageRequest &request) {
        if (!project->launchUsingBaseTemplate(request).isEmpty())
            refreshListing(c);
    };
    sheet->onChooseTemplate = [kind] {
        ResponderChain::send(kind == AddNewPageKind::BaseTemplate ? QStringLiteral("startNewTemplate")
                                                                  : QStringLiteral("startNewPage"));
    };
    replaceAndOpen(sheets.addNewPage, sheet);
}

void showWebsitePreferences(const DocumentWindowContext &c, WindowSheets &sheets)
{
    ProjectPages *project = c.project;
    if (!project)
        return;
    SKTDocument &doc = project->document();
    if (doc.isDocumentEdited() && !doc.askPageToSaveItself())
        return;
    project->refreshWebsite();
    const QDir folder(project->openWebsiteFolderPath());
    const SiteSettings site = SiteSettingsFile::read(folder.filePath(QStringLiteral("site.zovs")));
    QImageReader reader(folder.filePath(QStringLiteral("favicon_original.ico")), "PNG");
    reader.setAllocationLimit(64);
    const QImage icon = reader.read();
    auto *sheet = new WebsiteSettingsWindowController(WebsiteSettingsRows::fromPages(project->scan.siteIconArray),
                                                      site, icon, c.window);
    QWidget *window = c.window;
    sheet->onSave = [c, project, window](const WebsiteSettingsRows &rows, const SiteSettings &s, const QImage &favicon) {
        const WebsiteSettingsOutcome out = WebsiteSettingsSave::save(*project, rows, s, favicon, window);
        refreshListing(c);
        if (!out.failures.isEmpty())
            Alerts::inform(QStringLiteral("Some Settings Were Not Saved"), out.failures.join(QLatin1Char('\n')), window);
    };
    replaceAndOpen(sheets.websiteSettings, sheet);
}

}  // namespace

void registerWindowSheetCommands()
{
    CommandRegistry::addWindowCommands(QStringLiteral("windowSheets"), [](ActionMap &commands,
                                                                          const DocumentWindowContext &c) {
        auto sheets = std::make_shared<WindowSheets>();
        const auto projectOnly = [c](ActionItemState &) { return hasProject(c); };
        const auto pageOnly = [c](ActionItemState &) { return c.currentDocument() != nullptr; };

        const std::pair<const char *, AddNewPageKind> addKinds[] = {
            {"showAddNewPageWindow", AddNewPageKind::BlankPage},
            {"showAddNewFromTemplateWindow", AddNewPageKind::FromTemplate},
            {"showAddNewFormWindow", AddNewPageKind::FormPage},
            {"showAddBaseTemplateWindow", AddNewPageKind::BaseTemplate},
        };
        for (const auto &[name, kind] : addKinds)
            commands.add(QString::fromLatin1(name), [c, sheets, kind = kind](const ActionItemState &) {
                showAddNewPage(c, *sheets, kind);
            }, projectOnly);
        // The project's own menu commands: a rescan, the pass that regenerates
        // every page, and a blank page at the end of the list.
        commands.add(QStringLiteral("refreshWebsite"), [c](const ActionItemState &) {
            if (!c.project)
                return;
            c.project->refreshWebsite();
            refreshListing(c);
        }, projectOnly);
        commands.add(QStringLiteral("totalRefreshWebsite"), [c](const ActionItemState &) {
            if (!c.project)
                return;
            c.project->totalRefreshWebsite();
            refreshListing(c);
        }, projectOnly);
        commands.add(QStringLiteral("directlyAddBlankPage"), [c](const ActionItemState &) {
            if (c.project && c.project->directlyAddBlankPage())
                refreshListing(c);
        }, projectOnly);
        // The toolbar's add button.
        commands.add(QStringLiteral("addNewPage"), [c, sheets](const ActionItemState &) {
            showAddNewPage(c, *sheets, AddNewPageKind::BlankPage);
        }, projectOnly);
        commands.add(QStringLiteral("addNewDirectlyFromTemplate"), [c, sheets](const ActionItemState &) {
            if (!c.project)
                return;
            // No sheet: the chooser picks the template, the default name stands.
            auto *sheet = new AddNewPageViewController(AddNewPageSetup::direct(c.project->scan),
                                                       c.project->openWebsiteFolderPath(), c.window);
            ProjectPages *project = c.project;
            sheet->onConfirmed = [c, project](const AddNewPageRequest &r) {
                if (!project->launchUsingBaseTemplate(r).isEmpty())
                    refreshListing(c);
            };
            if (sheets->addNewPage)
                sheets->addNewPage->close();
            sheet->setAttribute(Qt::WA_DeleteOnClose);
            sheets->addNewPage = sheet;
            ResponderChain::send(QStringLiteral("startNewPage"));
        }, projectOnly);
        // The template chooser's pick: representedObject is {file name,
        // category, main template name}; the new page takes the name.
        commands.add(QStringLiteral("saveNewPageAndChooseTemplate"), [c, sheets](const ActionItemState &sender) {
            const QStringList picked = sender.representedObject.toStringList();
            if (!sheets->addNewPage || picked.size() < 2)
                return;
            sheets->addNewPage->saveNewPageAndChooseTemplate(picked[0], picked[1]);
            if (SKTDocument *doc = c.currentDocument(); doc && picked.size() > 2)
                doc->mainTemplateName = picked[2];
        }, [sheets](ActionItemState &) { return !sheets->addNewPage.isNull(); });

        commands.add(QStringLiteral("showWebsitePreferences"), [c, sheets](const ActionItemState &) {
            showWebsitePreferences(c, *sheets);
        }, projectOnly);

        commands.add(QStringLiteral("showAdjustCanvasSheet"), [c, sheets](const ActionItemState &) {
            if (SKTDocument *doc = c.currentDocument())
                replaceAndOpen(sheets->canvasSize, new AdjustCanvasSizeWindowController(*doc, c.window));
        }, pageOnly);
        commands.add(QStringLiteral("showAdjustPageNumberSheet"), [c, sheets](const ActionItemState &) {
            if (SKTDocument *doc = c.currentDocument())
                replaceAndOpen(sheets->pageNumber, new PageNumberWindowController(*doc, c.window));
        }, pageOnly);
        commands.add(QStringLiteral("resetCanvasSize"), [c](const ActionItemState &) {
            if (SKTDocument *doc = c.currentDocument())
                CanvasSizeOperations::resetCanvasSize(*doc);
        }, pageOnly);
        // Sender tag: bit 0 set for A4, bit 1 set for 8 per sheet.
        commands.add(QStringLiteral("adjustPageSize"), [c](const ActionItemState &sender) {
            if (SKTDocument *doc = c.currentDocument())
                CanvasSizeOperations::adjustPageSize(*doc, sender.tag & 1, sender.tag & 2);
        }, pageOnly);
        // The two canvas-size controls and their six sizes.
        const auto webSize = [c](int segment) {
            if (SKTGraphicView *canvas = c.currentCanvas())
                canvas->setCanvasFrameSize(CanvasSizeOperations::webCanvasSize(segment));
        };
        const auto showsWebSize = [c](ActionItemState &item) {
            SKTGraphicView *canvas = c.currentCanvas();
            item.checked = canvas && CanvasSizeOperations::webSegment(canvas->canvasFrameSize()) == item.tag;
            return canvas != nullptr;
        };
        commands.add(QStringLiteral("setCanvasSize"), [webSize](const ActionItemState &sender) { webSize(sender.tag); },
                     showsWebSize);
        const std::pair<const char *, int> webSizes[] = {
            {"setMobileCanvasSize", 0}, {"setFullCanvasSize", 1}, {"setWideCanvasSize", 2}};
        for (const auto &[name, segment] : webSizes)
            commands.add(QString::fromLatin1(name), [webSize, segment = segment](const ActionItemState &) { webSize(segment); });
        const auto mailSize = [c](int segment) {
            SKTDocument *doc = c.currentDocument();
            if (!doc || !CanvasSizeOperations::setMailCanvasSize(*doc, segment))
                return;
            if (SKTGraphicView *canvas = c.currentCanvas())
                canvas->setCanvasFrameSize(QSizeF(gCanvasWidth, gCanvasMaxHeight));
        };
        commands.add(QStringLiteral("setMailCanvasSize"), [mailSize](const ActionItemState &sender) { mailSize(sender.tag); },
                     [c](ActionItemState &item) {
                         item.checked = CanvasSizeOperations::mailSegment() == item.tag;
                         return c.currentDocument() != nullptr;
                     });
        const std::pair<const char *, int> mailSizes[] = {
            {"setStandardMailCanvasSize", 0}, {"setExtraWideMailCanvasSize", 1}, {"setFlexMailCanvasSize", 2}};
        for (const auto &[name, segment] : mailSizes)
            commands.add(QString::fromLatin1(name), [mailSize, segment = segment](const ActionItemState &) { mailSize(segment); },
                         pageOnly);
        commands.add(QStringLiteral("rotateCanvas90Right"), [c](const ActionItemState &) {
            if (SKTDocument *doc = c.currentDocument())
                CanvasSizeOperations::rotateCanvas(*doc, 90);
        }, pageOnly);
        commands.add(QStringLiteral("exportAllFileTo"), [c, sheets](const ActionItemState &) {
            if (!c.project || sheets->exporting)
                return;
            sheets->exporting = true;
            // One export at a time; the flag clears when it ends or is cancelled.
            std::weak_ptr<WindowSheets> weak = sheets;
            SourceFilesExport::exportAllFileTo(*c.project, c.window, [weak](const SourceFilesExportResult &) {
                if (auto s = weak.lock())
                    s->exporting = false;
            });
        }, [c, sheets](ActionItemState &) { return hasProject(c) && !sheets->exporting; });
        // The add-photo window's button. representedObject may carry the
        // window's choices: {"thumbnail", "filepath", "timestamp"} as booleans.
        commands.add(QStringLiteral("generatePhotoPages"), [c, sheets](const ActionItemState &sender) {
            if (!c.project || sheets->photoJob)
                return;
            const QVariantMap choices = sender.representedObject.toMap();
            PhotoPageOptions options;
            options.thumbnail = choices.value(QStringLiteral("thumbnail"), true).toBool();
            options.filePath = choices.value(QStringLiteral("filepath"), true).toBool();
            options.timestamp = choices.value(QStringLiteral("timestamp"), true).toBool();
            auto *job = new PhotoPagesJob(*c.project, gScannedFiles, options, c.window);
            job->setParent(c.window);
            job->setCanvas(c.currentCanvas());
            sheets->photoJob = job;
            if (c.host)
                c.host->setWindowAlpha(0.0);
            QObject::connect(job, &PhotoPagesJob::finished, job, [c, job] {
                if (c.host) {
                    c.host->setWindowAlpha(1.0);
                    refreshListing(c);
                }
                job->deleteLater();
            });
            job->start();
        }, [c, sheets](ActionItemState &) { return hasProject(c) && !sheets->photoJob; });
        // The page's own switches: sender tag = the mobile/desktop segment.
        commands.add(QStringLiteral("updateMobileView"), [c](const ActionItemState &sender) {
            if (SKTDocument *doc = c.currentDocument())
                doc->updateMobileView(sender.tag);
        }, pageOnly);
        commands.add(QStringLiteral("applyBaseTemplate"), [c](const ActionItemState &) {
            if (SKTDocument *doc = c.currentDocument())
                doc->applyBaseTemplate();
        }, pageOnly);
        commands.add(QStringLiteral("rotateCanvas0"), [c](const ActionItemState &) {
            if (SKTDocument *doc = c.currentDocument())
                CanvasSizeOperations::rotateCanvas(*doc, 0);
        }, pageOnly);
    });
}
