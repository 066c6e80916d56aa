// Writes a small sample project for an edition: three pages with a heading,
// a text and a coloured shape each, saved by the page document itself.
//   make_sample_project --edition NAME FOLDER
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTRectangle.h"
#include "model/SKTText.h"
#include "platform/Bundle.h"
#include "platform/WorkFolder.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QString error;
    if (args.size() < 4 || !Bundle::initialize(args.mid(0, 3), &error)) {
        std::fprintf(stderr, "usage: make_sample_project --edition NAME FOLDER %s\n", qPrintable(error));
        return 2;
    }
    DataCentre::initializeData();
    // Viewer editions write no pages of their own; the sample is written as
    // the authoring edition would.
    gNoDraftPages = false;
    const QString folder = args.at(3);
    QDir().mkpath(folder);
    const QString extension = gDocumentExtension.isEmpty() ? QStringLiteral("zovpage") : gDocumentExtension;
    const QStringList titles = {QStringLiteral("Welcome"), QStringLiteral("About Us"), QStringLiteral("Contact")};
    const QList<QColor> colours = {QColor(0x3D, 0x91, 0x40), QColor(0x2B, 0x6C, 0xB0), QColor(0xC0, 0x50, 0x30)};
    for (int i = 0; i < titles.size(); ++i) {
        SKTDocument page;
        page.pageName = QStringLiteral("page%1").arg(i + 1);
        page.pageOfficialName = titles.at(i);
        page.pageFileExtension = QStringLiteral("html");
        page.pageFileType = extension;
        page.mainTemplateName = page.pageName;
        page.encodingType = QStringLiteral("UTF-8");
        page.tempSavePathLocal = QDir(WorkFolder::shared().path()).filePath(QStringLiteral("sample/%1").arg(i));
        QDir().mkpath(page.tempSavePathLocal);
        auto shape = std::make_shared<SKTRectangle>();
        shape->setBounds({40, 40, 520, 120});
        shape->setColor(colours.at(i));
        auto heading = std::make_shared<SKTText>();
        heading->setTextType(QStringLiteral("Text"));
        heading->setBounds({60, 70, 480, 60});
        heading->setTextString(titles.at(i));
        auto body = std::make_shared<SKTText>();
        body->setTextType(QStringLiteral("Text"));
        body->setBounds({40, 200, 520, 120});
        body->setTextString(QStringLiteral("A sample page of the %1 edition.").arg(gAppName));
        page.insertGraphicAtIndex(shape, 0);
        page.insertGraphicAtIndex(heading, 1);
        page.insertGraphicAtIndex(body, 2);
        const QString package = QDir(folder).filePath(page.pageName + QLatin1Char('.') + extension);
        if (!page.saveThisPage(package, false)) {
            std::fprintf(stderr, "could not save %s: %s\n", qPrintable(package), qPrintable(page.lastSaveError));
            return 1;
        }
    }
    std::printf("%s\n", qPrintable(folder));
    return 0;
}
