#pragma once
// A project folder of real page packages, written by the page document, in
// a known edition whose work folder lies in the test's temporary folder.
#include "config/EditionSettings.h"
#include "config/ProgressModel.h"
#include "document/SKTDocument.h"
#include "model/SKTText.h"
#include "platform/UserDefaults.h"
#include "support/QtPrinters.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"
#include "window/ProjectPages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

class ProjectTest : public TempDirTest {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("Zov Web");
        gAppVersion = QStringLiteral("1.0");
        gDocumentExtension = QStringLiteral("zovweb");
        gBaseTemplateName = QStringLiteral("basetemplate.zovweb");
        gPageNoun = QStringLiteral("page");
        gWorkFolder = path(QStringLiteral("work"));
        gReceivedPagesFolder = QStringLiteral("Received");
        gPageTitleEnabled = true;
        QDir().mkpath(QDir(gWorkFolder).filePath(gReceivedPagesFolder));
        project = path(QStringLiteral("My Site"));
        QDir().mkpath(project);
    }
    void TearDown() override
    {
        pages.reset();
        document.reset();
        EditionSettings::resetToInitialState();
    }

    // Saves a page with one text into folder/name.<extension>.
    QString makePage(const QString &folder, const QString &name, const QString &title, const QString &text,
                     int useBaseTemplate = 0, const QString &extension = QStringLiteral("zovweb"))
    {
        SKTDocument page;
        page.pageName = name;
        page.pageOfficialName = title;
        page.pageFileExtension = extension == QLatin1String("trelkoforms") ? QStringLiteral("php") : QStringLiteral("html");
        page.pageFileType = extension;
        page.mainTemplateName = name;
        page.encodingType = QStringLiteral("UTF-8");
        page.useBaseTemplateFlag = useBaseTemplate;
        page.tempSavePathLocal = path(QStringLiteral("make/") + QString::number(++made));
        QDir().mkpath(page.tempSavePathLocal);
        auto t = std::make_shared<SKTText>();
        t->setTextType(QStringLiteral("Text"));
        t->setBounds({20, 30, 300, 40});
        t->setTextString(text);
        t->setValue(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
        page.insertGraphicAtIndex(t, 0);
        const QString package = QDir(folder).filePath(name + QLatin1Char('.') + extension);
        EXPECT_TRUE(page.saveThisPage(package, false)) << page.lastSaveError.toStdString();
        return package;
    }

    // Gives a file a modification time, seconds from a fixed moment.
    static void setTime(const QString &file, int seconds)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2024, 3, 1), QTime(9, 0)).addSecs(seconds), QFileDevice::FileModificationTime));
    }

    // A document and the project operations over it, on project.
    ProjectPages &openProject()
    {
        document = std::make_unique<SKTDocument>();
        pages = std::make_unique<ProjectPages>(*document);
        pages->resourcesFolder = path(QStringLiteral("resources"));
        pages->setOpenWebsiteFolderPath(project);
        pages->refreshWebsite();
        return *pages;
    }

    QStringList listed() const
    {
        QStringList names;
        for (const PageEntry &e : pages->scan.siteIconArray)
            names << e.pageName;
        return names;
    }

    static QByteArray readAll(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    ScopedUserDefaults defaults;
    ScriptedAlerts alerts;
    QString project;
    std::unique_ptr<SKTDocument> document;
    std::unique_ptr<ProjectPages> pages;
    int made = 0;
};
