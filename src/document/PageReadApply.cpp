#include "document/PageReadApply.h"

#include "config/DataCentreFonts.h"
#include "config/FontSubstitutes.h"
#include "config/EditionSettings.h"
#include "config/DataCentrePrinting.h"
#include "platform/Alerts.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QSet>

namespace {
QSet<QString> &reportedFonts()
{
    static QSet<QString> reported;
    return reported;
}
} // namespace

void PageReadApply::adjustCanvasSizeType()
{
    gCanvasWidth = gCanvasSizeType == QLatin1String("Standard") ? 700 : 900;
}

QList<std::shared_ptr<ElementCarrier>> PageReadApply::applyPageReadResult(PageReadResult &result,
                                                                          PageReaderHost &host,
                                                                          const QString &pageFolder)
{
    host.setConfirmedCanvasSize(result.confirmedCanvasSize.width(), result.confirmedCanvasSize.height());
    gCanvasSizeType = result.canvasSizeType;
    if (result.mailCanvasWidth) {
        host.adjustCanvasSizeType();
        gCanvasWidth = *result.mailCanvasWidth;
    }
    if (result.labelTemplate) {
        LabelTemplateHelper &label = *result.labelTemplate;
        if (label.templateDescription.isEmpty() && gDefaultLabelTemplate)
            label = *gDefaultLabelTemplate;
        gDefaultPrintSheet = label.templateDescription;
        if (!label.templateDescription.isEmpty()) {
            if (const LabelHelperPtr sheet = DataCentrePrinting::grabLabelHelper(label.templateDescription)) {
                label.paperSize = sheet->paperSize;
                DataCentrePrinting::resetPrintCanvas(sheet);
            }
            host.setCurrentTemplateSelectionValue();
        }
    }
    for (const ImageRename &rename : std::as_const(result.renames))
        if (rename.copyFiles)
            PageImageNames::transferImageFilesForNewName(pageFolder, rename.oldName, rename.newName, rename.imageType);
    host.takePageReadResult(result);
    // Each missing family is named once a session: reopening pages that name
    // it again says nothing new.
    const QStringList unreported = takeUnreportedFonts(result.missingFonts);
    if (!unreported.isEmpty())
        Alerts::inform(QStringLiteral("Font Not Supported"), fontAlertText(unreported), host.alertWindow());
    return result.carriers;
}

PageReadInput PageReadApply::inputFromEdition(const QString &pageText, const QString &pageName,
                                              const QString &projectFolder, const QString &pageFilePath)
{
    PageReadInput input;
    input.pageText = pageText;
    input.pageName = pageName;
    input.pageFilePath = pageFilePath;
    input.baseTemplateExists =
        !projectFolder.isEmpty() && QFileInfo::exists(QDir(projectFolder).filePath(QStringLiteral("basetemplate.html")));
    input.appName = gAppName;
    input.documentExtension = gDocumentExtension;
    input.replacePageNumbers = gReplacePageNumbers;
    input.canvasWidth = gCanvasWidth;
    input.canvasMaxHeight = gCanvasMaxHeight;
    input.formPage = QFileInfo(pageFilePath).suffix() == QLatin1String("php");
    input.isFontAvailable = &PageReadApply::isFontAvailable;
    return input;
}

bool PageReadApply::isFontAvailable(const QString &family)
{
    if (family.isEmpty())
        return true;
    if (QFontDatabase::hasFamily(family) || gCustomFontNames.contains(family, Qt::CaseInsensitive) ||
        FontSubstitutes::isProgramFamily(family))
        return true;
    return !QFont::substitutes(family).isEmpty();
}

QString PageReadApply::fontAlertText(const QStringList &families)
{
    if (families.size() == 1)
        return QStringLiteral("Font %1 is not installed on this computer. The page keeps the font's name and "
                              "shows its text in a similar font.")
            .arg(families.first());
    return QStringLiteral("Fonts %1 are not installed on this computer. The page keeps the fonts' names and "
                          "shows their text in a similar font.")
        .arg(families.join(QStringLiteral(", ")));
}

QStringList PageReadApply::takeUnreportedFonts(const QStringList &families)
{
    QStringList fresh;
    for (const QString &family : families) {
        const QString key = family.trimmed().toLower();
        if (reportedFonts().contains(key))
            continue;
        reportedFonts().insert(key);
        fresh << family;
    }
    return fresh;
}

void PageReadApply::forgetReportedFonts()
{
    reportedFonts().clear();
}
