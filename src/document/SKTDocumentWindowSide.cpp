// The document's answers to its window: the mobile view switch, toolbar
// validation, the draft state, the base-template chooser, the background
// pattern and the page numbers of the base template.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "platform/FilePanels.h"

void SKTDocument::updateMobileView(int selectedSegment)
{
    mobileVersionFlag = selectedSegment != 0;
    // The view changes which style sheet the page writes, not the page: a
    // page with unsaved edits is not read again, which would drop them.
    if (!fileURLPath.isEmpty() && !isDocumentEdited())
        refreshDocument();
}

bool SKTDocument::validateToolbarItem(const QString &action, bool showAddFormObjects)
{
    if (action == QLatin1String("showWebPreview"))
        return !showAddFormObjects;
    return true;
}

bool SKTDocument::isDraft() const
{
    if (gNoDraftPages)
        return false;
    return fileURLPath.isEmpty();
}

void SKTDocument::applyBaseTemplate(const std::function<void(const QString &path)> &chosen)
{
    OpenPanelOptions options;
    options.canChooseFiles = true;
    options.canChooseDirectories = false;
    options.allowsMultipleSelection = false;
    options.allowedTypes = {gDocumentExtension};
    FilePanels::current().showOpenPanel(options, windowHooks.window, [this, chosen](const QStringList &paths) {
        const QString path = paths.isEmpty() ? QString() : paths.first();
        if (!path.isEmpty())
            chosenBaseTemplatePath = path;
        if (chosen)
            chosen(path);
    });
}

bool SKTDocument::hasBackgroundPattern() const
{
    return backgroundImageFlag > 0 && !backgroundImage.isNull() && backgroundImage.width() > 0
           && backgroundImage.height() > 0;
}

QBrush SKTDocument::pageBackgroundBrush() const
{
    if (hasBackgroundPattern())
        return QBrush(backgroundImage);
    return QBrush(pageColor);
}

QString SKTDocument::replacePageNumbers(const QString &text) const
{
    const int index = windowHooks.currentPageIndex ? windowHooks.currentPageIndex() : -1;
    if (index < 0)
        return text;
    QString result = text;
    return result.replace(QStringLiteral("[PAGE_NUMBER]"), QString::number(index));
}
