// The template road of the application delegate: the chooser is prepared on a
// worker (categories, work copy, unpacking, thumbnails) behind the progress
// window and shown on the main thread; a chosen template or the blank
// starter page becomes a new untitled document.
#include "app/SKTAppDelegate.h"

#include "app/TemplateGridPlan.h"
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "platform/ActionResponder.h"
#include "platform/Alerts.h"
#include "platform/Bundle.h"
#include "platform/PageZip.h"
#include "platform/Tasks.h"
#include "platform/WorkFolder.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QVariant>

#include <algorithm>

TemplateIcon gSelectedTemplate;

namespace {

// What gSelectedTemplateButton points at while a template is selected.
QObject &selectionCarrier()
{
    static QObject *carrier = new QObject();
    return *carrier;
}

// Passes alerts on to the alerts in use, naming the template in each, and
// notes that the user was told: a document that fails to read says why
// itself, and must not be followed by a second alert.
class TemplateAlerts : public Alerts {
public:
    TemplateAlerts(QString templateName) : m_name(std::move(templateName)), m_previous(&Alerts::current())
    {
        Alerts::setCurrent(this);
    }
    ~TemplateAlerts() override { Alerts::setCurrent(m_previous); }

    void show(const Alert &alert, QObject *window, Completion completion) override
    {
        m_shown = true;
        Alert named = alert;
        named.informativeText = QStringLiteral("The template \"%1\" could not be opened. %2").arg(m_name, alert.informativeText).trimmed();
        m_previous->show(named, window, std::move(completion));
    }
    bool shown() const { return m_shown; }

private:
    QString m_name;
    Alerts *m_previous;
    bool m_shown = false;
};

QString workTemplatesFolder()
{
    const QString work = gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder;
    return QDir(work).filePath(gTemplateFolder);
}

}  // namespace

void setSelectedTemplate(const TemplateIcon &icon)
{
    gSelectedTemplate = icon;
    gSelectedTemplate.image = QImage();
    selectionCarrier().setProperty("fileName", icon.fileName);
    selectionCarrier().setProperty("categoryFolder", icon.categoryFolder);
    gSelectedTemplateButton = &selectionCarrier();
}

void clearSelectedTemplate()
{
    gSelectedTemplate = TemplateIcon();
    gSelectedTemplateButton = nullptr;
}

QString SKTAppDelegate::bundleTemplatesFolder()
{
    return QDir(Bundle::resourcesPath()).filePath(gTemplateFolder);
}

void SKTAppDelegate::showTemplateWebsite()
{
    if (m_templatePreparing)
        return;
    templateLaunchNewDirectoryFlag = 1;
    launchTemplatePreparation();
}

void SKTAppDelegate::showTemplate()
{
    if (m_templatePreparing)
        return;
    templateLaunchNewDirectoryFlag = 0;
    launchTemplatePreparation();
}

void SKTAppDelegate::launchTemplatePreparation()
{
    // One preparation at a time: a second one would copy and unpack over the
    // files the first is reading.
    if (m_templatePreparing) {
        qInfo() << "templates: still preparing; the command is ignored";
        return;
    }
    if (!m_templateChooser && m_templateChooserFactory)
        m_templateChooser = m_templateChooserFactory();
    m_templatePreparing = true;
    DataCentre::showProgressIndicator();

    TemplateGallery::Input input;
    input.edition = gAppName;
    input.bundleTemplatesFolder = bundleTemplatesFolder();
    input.workTemplatesFolder = workTemplatesFolder();
    input.documentExtension = gDocumentExtension;
    input.responsive = gResponsiveEdition;
    input.copyNeeded = !m_templatesCopied;
    Tasks::runInBackground<TemplateGallery::Result>(
        this, [input] { return TemplateGallery::prepTemplatesInBackground(input); },
        [this](TemplateGallery::Result result) { dismissProgressIndicatorOnMainThread(std::move(result)); });
}

void SKTAppDelegate::dismissProgressIndicatorOnMainThread(TemplateGallery::Result result)
{
    DataCentre::dismissProgressIndicator();
    m_templatesCopied = m_templatesCopied || result.copied;
    m_templateGallery = std::move(result);
    m_templatePreparing = false;
    if (m_templateGallery.icons.isEmpty())
        qInfo().noquote() << "templates: no template found in" << bundleTemplatesFolder();
    displayTemplate();
}

void SKTAppDelegate::displayTemplate()
{
    m_tappedCategory = -1;
    m_borderedIcon = -1;
    if (m_templateChooser)
        m_templateChooser->displayTemplate();
}

void SKTAppDelegate::categoryButtonTapped(int index)
{
    if (index < 0 || index >= m_templateGallery.categories.size())
        return;
    m_tappedCategory = index;
    m_templateGallery.categoryFolder = m_templateGallery.categories.at(index).categoryFolderName();
    m_borderedIcon = -1;
    if (m_templateChooser)
        m_templateChooser->refreshTemplate();
}

void SKTAppDelegate::templateSelected(int iconIndex)
{
    if (iconIndex < 0 || iconIndex >= m_templateGallery.icons.size())
        return;
    setSelectedTemplate(m_templateGallery.icons.at(iconIndex));
    m_borderedIcon = iconIndex;
    if (m_templateChooser)
        m_templateChooser->updateSelection();
}

void SKTAppDelegate::clearTemplateSelection()
{
    // Only the border goes: the template clicked last stays the one the
    // select button uses.
    m_borderedIcon = -1;
    if (m_templateChooser)
        m_templateChooser->updateSelection();
}

void SKTAppDelegate::cancelTemplateView()
{
    if (m_templateChooser)
        m_templateChooser->setVisible(!m_templateChooser->isVisible());
}

void SKTAppDelegate::selectedATemplate()
{
    // The add-page sheet of the document window takes the pick as
    // {file name, category folder, main template name}.
    if (gSelectedTemplate.fileName.isEmpty())
        return;
    if (!pickedTemplateOpens())
        return;
    ActionItemState pick;
    pick.representedObject = QStringList{gSelectedTemplate.fileName, gSelectedTemplate.categoryFolder, mainTemplateName};
    if (ResponderChain::send(QStringLiteral("saveNewPageAndChooseTemplate"), pick)) {
        // The page is made: the pick is used up.
        clearSelectedTemplate();
        closeTemplateChooser();
    } else
        qInfo() << "templates: no window takes the new page";
}

void SKTAppDelegate::pickShownCategoryTemplate()
{
    // A category the user opened and a Select with no thumbnail clicked: its
    // first template is meant, as the one in view. "all" and "blank" keep
    // the starter page.
    if (!gSelectedTemplate.fileName.isEmpty() || m_tappedCategory < 0)
        return;
    const QString folder = m_templateGallery.categoryFolder;
    if (folder.isEmpty() || folder == QLatin1String("all") || folder == QLatin1String("blank"))
        return;
    const QList<int> shown = TemplateGridPlan::visibleIcons(m_templateGallery.icons, folder);
    if (!shown.isEmpty())
        setSelectedTemplate(m_templateGallery.icons.at(shown.first()));
}

void SKTAppDelegate::chooserSelectPressed()
{
    pickShownCategoryTemplate();
    if (templateLaunchNewDirectoryFlag == 0) {
        selectedATemplate();
        return;
    }
    // A template that cannot be read is refused before anything is made; the
    // chooser stays for another pick.
    if (!gSelectedTemplate.fileName.isEmpty() && !pickedTemplateOpens())
        return;
    // A new project in a single-document edition is a new untitled document.
    if (gSingleDocumentMode)
        launchSingleDocTemplate();
    else if (!ResponderChain::send(QStringLiteral("addNewWebsite")))
        qInfo() << "templates: nothing makes a new project here";
}

void SKTAppDelegate::chooserOpenPressed()
{
    if (templateLaunchNewDirectoryFlag == 0)
        return;
    ResponderChain::send(gSingleDocumentMode ? QStringLiteral("openDocument") : QStringLiteral("openWebsite"));
}

QString SKTAppDelegate::pickedTemplatePath()
{
    if (gSelectedTemplate.fileName.isEmpty())
        return {};
    return QDir(bundleTemplatesFolder())
        .filePath(gSelectedTemplate.categoryFolder + QLatin1Char('/') + gSelectedTemplate.fileName);
}

bool SKTAppDelegate::pickedTemplateOpens() const
{
    const QString path = pickedTemplatePath();
    if (path.isEmpty())
        return true;
    const QString name = QFileInfo(gSelectedTemplate.fileName).completeBaseName();
    QString why;
    PageZip zip;
    if (!QFileInfo(path).isFile())
        why = QStringLiteral("The template \"%1\" could not be found.").arg(name);
    else if (!zip.OpenZip(path))
        why = QStringLiteral("The template \"%1\" could not be opened. %2").arg(name, zip.LastErrorText()).trimmed();
    else {
        const QStringList entries = zip.entryNames();
        const bool hasPage = std::any_of(entries.cbegin(), entries.cend(), [](const QString &entry) {
            return entry.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)
                   || entry.endsWith(QLatin1String(".php"), Qt::CaseInsensitive);
        });
        if (!hasPage)
            why = QStringLiteral("The template \"%1\" holds no page.").arg(name);
    }
    if (why.isEmpty())
        return true;
    Alerts::inform(QStringLiteral("Not able to open"), why);
    return false;
}

void SKTAppDelegate::newWorkOpened()
{
    closeTemplateChooser();
    if (m_hideWelcomeWindow)
        m_hideWelcomeWindow();
}

SKTDocument *SKTAppDelegate::lastTemplateDocument() const
{
    return DocumentController::shared().documents().contains(m_lastTemplateDocument) ? m_lastTemplateDocument : nullptr;
}

SKTDocument *SKTAppDelegate::openTemplateAsUntitled(const QString &packagePath, bool selectTemplate)
{
    m_lastTemplateDocument = nullptr;
    const QString name = QFileInfo(packagePath).completeBaseName();
    if (!QFileInfo(packagePath).isFile()) {
        Alerts::inform(QStringLiteral("Not able to open"),
                       QStringLiteral("The template \"%1\" could not be found.").arg(name));
        return nullptr;
    }
    SKTDocument *document = nullptr;
    bool told = false;
    {
        TemplateAlerts alerts(name);
        // The controller reads a private copy that unpacks into a folder of its
        // own: a second document from the same template leaves the first whole.
        document = DocumentController::shared().openUntitledDocument(packagePath);
        told = alerts.shown();
    }
    if (!document) {
        if (!told)
            Alerts::inform(QStringLiteral("Not able to open"),
                           QStringLiteral("The template \"%1\" could not be opened.").arg(name));
        return nullptr;
    }
    if (document->windowHooks.refreshPageBackgroundColor)
        document->windowHooks.refreshPageBackgroundColor();
    if (m_templateDocumentHandler)
        m_templateDocumentHandler(*document, selectTemplate);
    m_lastTemplateDocument = document;
    return document;
}

void SKTAppDelegate::closeTemplateChooser()
{
    // Opening a document puts the chooser away; it never brings it back (a
    // plain toggle would show a hidden chooser when the command comes from a
    // menu).
    if (m_templateChooser && m_templateChooser->isVisible())
        m_templateChooser->setVisible(false);
}

void SKTAppDelegate::launchSingleDocTemplate()
{
    // The chooser and the welcome window go once the document is open; a
    // template that cannot be opened leaves both for another try.
    if (gSelectedTemplate.fileName.isEmpty())
        return;
    if (openTemplateAsUntitled(pickedTemplatePath(), true))
        newWorkOpened();
}

void SKTAppDelegate::launchTemplate()
{
    if (gSelectedTemplate.fileName.isEmpty())
        return;
    if (openTemplateAsUntitled(pickedTemplatePath(), false))
        closeTemplateChooser();
}

void SKTAppDelegate::directlyLaunchSingleDocBlank()
{
    if (gStarterTemplateFiles.isEmpty()) {
        if (m_hideWelcomeWindow)
            m_hideWelcomeWindow();
        return;
    }
    if (openTemplateAsUntitled(QDir(bundleTemplatesFolder()).filePath(gStarterTemplateFiles.first()), true)
        && m_hideWelcomeWindow)
        m_hideWelcomeWindow();
}

void SKTAppDelegate::startNewPage()
{
    mainTemplateName = QString();
    showTemplate();
}

void SKTAppDelegate::startNewTemplate()
{
    mainTemplateName = QStringLiteral("basetemplate");
    showTemplate();
}
