#include "window/PageNameChecks.h"

#include "config/DataCentreNames.h"
#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "window/ProjectScan.h"

#include <QFileInfo>

bool PageNameChecks::isPlainFileName(const QString &fileName)
{
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String("..")
        || fileName.startsWith(QLatin1Char('.')) || fileName.toUtf8().size() > 255)
        return false;
    for (const QChar c : fileName)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control
            || c.category() == QChar::Other_Format || c == QChar(0x2028) || c == QChar(0x2029))
            return false;
    return true;
}

PageNameProblem PageNameChecks::check(const QString &folder, const QString &fileName)
{
    const QString notAvailable = QStringLiteral("Sorry this file name is not available, please choose another file name.");
    const QString characters = QStringLiteral("Sorry the new file name can not contain spacing, special characters or symbols");
    const QFileInfo info(fileName);
    const QString base = info.completeBaseName();
    if (fileName.isEmpty() || (base.isEmpty() && !fileName.startsWith(QLatin1Char('.'))))
        return {QStringLiteral("File Name Is Empty"), QStringLiteral("Sorry the new file name can not be empty")};
    if (!isPlainFileName(fileName)) {
        if (fileName.toUtf8().size() > 255)
            return {QStringLiteral("File Name Characters"),
                    QStringLiteral("Sorry the new file name can not be longer than 255 bytes")};
        return {QStringLiteral("File Name Characters"), characters};
    }
    if (ProjectScan::existsIgnoringCase(folder, fileName))
        return {QStringLiteral("File Name Conflict"),
                QStringLiteral("Sorry a file named \"%1\" already exists at this location.").arg(base)};
    if (ProjectScan::existsIgnoringCase(folder, base + QLatin1Char('.') + gDocumentExtension)
        || ProjectScan::existsIgnoringCase(folder, base + QStringLiteral(".trelkoforms")))
        return {QStringLiteral("Please Rename"), notAvailable};
    if (DataCentreNames::generateNewFileName(base) != base)
        return {QStringLiteral("File Name Characters"), characters};
    return {};
}

bool PageNameChecks::runNewFileCreationChecks(const QString &folder, const QString &fileName, QObject *window)
{
    const PageNameProblem problem = check(folder, fileName);
    if (!problem.ok())
        Alerts::inform(problem.message, problem.informative, window, Alert::Style::Warning);
    return problem.ok();
}
