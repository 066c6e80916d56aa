#include "config/DataCentreSetup.h"

#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "config/EditionTable.h"
#include "config/LabelTemplateFile.h"
#include "platform/Bundle.h"
#include "platform/UserDefaults.h"
#include "platform/WorkFolder.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QLoggingCategory>
#include <QMutex>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcStartup, "zov.startup")

const QString kReceivedPagesFolder = QStringLiteral("0000Received_Pages");
const QString kTempSaveFolder = QStringLiteral("tempSave000000");

// A missing resource is worth one line in the log per run, not one per look-up;
// the line names the folder that was searched.
void logMissingOnce(const QString &what)
{
    static QMutex mutex;
    static QSet<QString> logged;
    const QString line = QStringLiteral("%1 (in %2)").arg(what, QDir::toNativeSeparators(Bundle::resourcesPath()));
    QMutexLocker locker(&mutex);
    if (logged.contains(line))
        return;
    logged.insert(line);
    qCWarning(lcStartup).noquote() << "Missing resource:" << line;
}

QStringList palette(const QString &which)
{
    if (which == QLatin1String("A"))
        return DataCentre::paletteA();
    if (which == QLatin1String("B"))
        return DataCentre::paletteB();
    return DataCentre::paletteC();
}

QImage editionIcon(const QString &name)
{
    const QString path = Bundle::pathForResource(name, QStringLiteral("png"));
    const QImage image = path.isEmpty() ? QImage() : QImage(path);
    if (image.isNull()) {
        logMissingOnce(QStringLiteral("edition icon \"%1\"").arg(name));
        return {};
    }
    return image;
}

void writeSetting(const QString &name, QVariant value, const EditionEntry &entry)
{
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text.startsWith(QLatin1Char('@')))
            value = DataCentre::buildAddress(text.mid(1));
        else if (name == QLatin1String("gWelcomeText"))
            value = QString(text).replace(QStringLiteral("%@"), gAppName);
    }
    if (name == QLatin1String("gDefaultCategories") && entry.localizeCategories) {
        QStringList names = value.toStringList();
        for (QString &category : names)
            category = QCoreApplication::translate("DataCentre", category.toUtf8().constData());
        value = names;
    }
    if (!EditionSettings::setValue(name, value))
        qCWarning(lcStartup).noquote() << "Edition" << entry.key << "names an unknown setting or value:" << name;
}

void writeSheetTemplates(const EditionEntry &entry)
{
    if (entry.defaultLabelTemplate)
        gDefaultLabelTemplate = entry.defaultLabelTemplate;
    if (entry.labelTemplatesFromFile) {
        gLabelTemplates = LabelTemplateFile::read();
        if (gLabelTemplates.isEmpty())
            logMissingOnce(QStringLiteral("label catalogue \"labels.csv\""));
    } else if (entry.labelTemplates) {
        gLabelTemplates = *entry.labelTemplates;
    }
}

// Print editions that size their canvas at launch look their default sheet up
// and apply it; the shared step then fixes the side panel and hides the
// commands that make no sense on a printed face.
void writePrintSheet(const EditionEntry &entry)
{
    QString sheet = entry.defaultPrintSheet;
    if (sheet.isEmpty() && entry.printSheetStep && entry.labelTemplates && !entry.labelTemplates->isEmpty())
        sheet = entry.labelTemplates->first().templateDescription;
    if (!sheet.isEmpty()) {
        gDefaultPrintSheet = sheet;
        DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(gDefaultPrintSheet));
    }
    if (entry.printSheetStep) {
        gPaperSizeOption = false;
        gSidePanelWidth = 300;
        gPageIconColumns = 2;
        gReplacePageNumbers = true;
        gHideLink = true;
        gHidePageLink = true;
        gHidePositionSettings = true;
        gInspectorBorderOption = true;
    }
}

void checkEditionResources()
{
    const QDir resources(Bundle::resourcesPath());
    if (!gTemplateFolder.isEmpty() && !resources.exists(gTemplateFolder))
        logMissingOnce(QStringLiteral("templates folder \"%1\"").arg(gTemplateFolder));
    // A guide that is not shipped only hides its menu item and button (the
    // shell says so at info level).
}

QString makeFolder(const QString &path)
{
    if (!path.isEmpty() && !QDir().mkpath(path))
        qCWarning(lcStartup).noquote() << "Cannot create the folder" << path;
    return path;
}

// Only when the per-user work folder cannot be made (a read-only cache folder):
// a private, uniquely named folder in the temporary directory, never a shared name.
QString fallbackWorkFolder()
{
    QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("zov-work-XXXXXX")));
    if (!folder.isValid())
        return {};
    folder.setAutoRemove(false);
    return folder.path();
}

} // namespace

QString DataCentreSetup::buildAddress(const QString &name)
{
    static const QHash<QString, QString> addresses = {
        {QStringLiteral("productWebPage"), QStringLiteral(ZOV_PRODUCT_WEB_PAGE)},
        {QStringLiteral("supportEmail"), QStringLiteral(ZOV_SUPPORT_EMAIL)},
        {QStringLiteral("appStorePage"), QStringLiteral(ZOV_APP_STORE_PAGE)},
        {QStringLiteral("tutorialPlaylist"), QStringLiteral(ZOV_TUTORIAL_PLAYLIST)},
        {QStringLiteral("dropboxAppKey"), QStringLiteral(ZOV_DROPBOX_APP_KEY)},
        {QStringLiteral("dropboxAppSecret"), QStringLiteral(ZOV_DROPBOX_APP_SECRET)},
    };
    // An edition that has an address always gets a string, empty when the
    // build supplies none; readers hide the item then.
    return addresses.value(name, QStringLiteral(""));
}

QStringList DataCentreSetup::overriddenCategories(UserDefaults &defaults, const QStringList &fallback)
{
    const QVariantList stored = defaults.arrayForKey(QStringLiteral("CustomTextCategoryDescriptions"));
    if (!defaults.boolForKey(QStringLiteral("TextCategoryOverRide")))
        return fallback;
    // The stored value comes from a file the user can edit: take its strings only.
    QStringList names;
    for (const QVariant &value : stored) {
        if (value.typeId() == QMetaType::QString)
            names.append(value.toString());
    }
    return names;
}

void DataCentreSetup::saveCategories(const QStringList &texts)
{
    for (qsizetype i = 0; i < std::min(texts.size(), gPresetTextStyles.size()); ++i)
        gPresetTextStyles[i].textString = texts.at(i);
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setBool(true, QStringLiteral("TextCategoryOverRide"));
    defaults.setObject(texts, QStringLiteral("CustomTextCategoryDescriptions"));
}

QStringList DataCentreSetup::resetCategories()
{
    UserDefaults::standard().setBool(false, QStringLiteral("TextCategoryOverRide"));
    // The edition's own names, not the saved ones that replaced them at launch:
    // a reset takes effect now rather than at the next launch.
    const EditionEntry &entry = EditionTable::shared().select(gAppName);
    writeSetting(QStringLiteral("gDefaultCategories"),
                 entry.settings.value(QStringLiteral("gDefaultCategories"), QStringList()), entry);
    for (qsizetype i = 0; i < std::min(gDefaultCategories.size(), gPresetTextStyles.size()); ++i)
        gPresetTextStyles[i].textString = gDefaultCategories.at(i);
    return gDefaultCategories;
}

void DataCentreSetup::applyEdition(const EditionEntry &entry)
{
    for (auto it = entry.settings.begin(); it != entry.settings.end(); ++it)
        writeSetting(it.key(), it.value(), entry);
    // The starter list always begins with the getting-started document.
    if (entry.settings.contains(QStringLiteral("gGettingStartedFile")))
        gStarterTemplateFiles = QStringList{gGettingStartedFile} + entry.moreStarterTemplates;
    for (const QString &flag : entry.flags)
        writeSetting(flag, true, entry);
    if (!entry.icon.isEmpty())
        gAppIcon = editionIcon(entry.icon);
    if (!entry.palette.isEmpty())
        gColorPalette = palette(entry.palette);
    writeSheetTemplates(entry);
    if (entry.categoryOverride)
        gDefaultCategories = overriddenCategories(UserDefaults::standard(), gDefaultCategories);
    writePrintSheet(entry);

    gBaseTemplateName = QStringLiteral("basetemplate.") + gDocumentExtension;
}

void DataCentreSetup::runAppSpecificSetups()
{
    DataCentre::loadPrintLabels();
    gAppVersion = Bundle::version();
    gAppName = Bundle::displayName();
    gBundleIdentifier = Bundle::identifier();
    applyEdition(EditionTable::shared().select(gAppName));
    checkEditionResources();
}

void DataCentreSetup::initializeData()
{
    initializeData(WorkFolder::shared());
}

void DataCentreSetup::initializeData(WorkFolder &workFolder)
{
    DataCentre::loadCustomFont();
    runAppSpecificSetups();

    UserDefaults &defaults = UserDefaults::standard();
    if (!defaults.objectForKey(QStringLiteral("DovrinMaxImageSize")).isValid())
        defaults.setInteger(2000, QStringLiteral("DovrinMaxImageSize"));
    if (!defaults.objectForKey(QStringLiteral("DovrinImageType")).isValid())
        defaults.setString(QStringLiteral("PNG"), QStringLiteral("DovrinImageType"));
    gImageType = defaults.stringForKey(QStringLiteral("DovrinImageType"));
    if (defaults.boolForKey(QStringLiteral("DovrinSetRetinaFlag"))) {
        gRetinaFlag = defaults.integerForKey(QStringLiteral("DovrinRetinaFlag"));
    } else {
        gRetinaFlag = 1;
        defaults.setInteger(1, QStringLiteral("DovrinRetinaFlag"));
    }

    // One preset text style per position that every list has: a category
    // override may have left the names shorter than the styles.
    const qsizetype styles = std::min({gPresetStyleFontNames.size(), gDefaultCategories.size(),
                                       gPresetStyleTextColors.size(), gPresetStyleFillColors.size()});
    gPresetTextStyles.clear();
    for (qsizetype i = 0; i < styles; ++i) {
        const QFont font(gPresetStyleFontNames.at(i), 30);
        gPresetTextStyles.append(DataCentre::createDefaultTextView(gPresetStyleFillColors.at(i),
                                                                   gPresetStyleTextColors.at(i), font,
                                                                   gDefaultCategories.at(i)));
    }
    gPresetShapes = DataCentre::createPresetShapes();

    // This program has no self-updater: the store channel, whose builds do not
    // offer the update command.
    gDistributionChannel = QStringLiteral("AppStore");

    // Each instance works in a folder of its own under the user's cache, so a
    // second instance or another user never clears pages that are open here.
    gWorkFolder = workFolder.path();
    if (gWorkFolder.isEmpty()) {
        qCWarning(lcStartup).noquote() << "No work folder:" << workFolder.errorString();
        gWorkFolder = fallbackWorkFolder();
    }
    gReceivedPagesFolder = kReceivedPagesFolder;
    makeFolder(QDir(gWorkFolder).filePath(gReceivedPagesFolder));
    gTempFolder = makeFolder(QDir(gWorkFolder).filePath(gReceivedPagesFolder + QLatin1Char('/') + kTempSaveFolder));

    gPrintScaleDivisor = 2.0f;
    gPrintPixelsPerInch = 144.0f;
    gZoomFactors = QStringList{
        QStringLiteral("5%"),   QStringLiteral("10%"),  QStringLiteral("15%"),  QStringLiteral("20%"),
        QStringLiteral("25%"),  QStringLiteral("30%"),  QStringLiteral("35%"),  QStringLiteral("40%"),
        QStringLiteral("45%"),  QStringLiteral("50%"),  QStringLiteral("55%"),  QStringLiteral("60%"),
        QStringLiteral("65%"),  QStringLiteral("70%"),  QStringLiteral("75%"),  QStringLiteral("80%"),
        QStringLiteral("85%"),  QStringLiteral("90%"),  QStringLiteral("100%"), QStringLiteral("125%"),
        QStringLiteral("150%"), QStringLiteral("200%"), QStringLiteral("300%"), QStringLiteral("400%"),
        QStringLiteral("500%"), QStringLiteral("600%")};
}
