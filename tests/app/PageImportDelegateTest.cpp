// The import window and the delegate around the import: the address completed in
// the field, the refusal alert, the untitled page opened, and a project page of
// the same name replaced only when the user agrees.
#include "app/SKTAppDelegate.h"
#include "publishing/ui/ImportPageWindowController.h"
#include "config/EditionSettings.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "platform/Tasks.h"
#include "support/FileHelpers.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <optional>

namespace {

class PageImportDelegateTest : public TempDirTest {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("HTML Zov");
        gAppVersion = QStringLiteral("1.0");
        gDocumentExtension = QStringLiteral("zovweb");
        gWorkFolder = path(QStringLiteral("work"));
        gReceivedPagesFolder = QStringLiteral("Received");
        QDir().mkpath(gWorkFolder);
        QDir().mkpath(path(QStringLiteral("site")));
        testfiles::writeFile(path(QStringLiteral("site/about.html")),
                             QByteArray("<html><head>\n<meta name='Generator' content='HTML Zov 1.0'>\n<style>\n"
                                        "</style></head><body>About us</body></html>\n"));
        web = std::make_unique<TestServer>(QStringLiteral("http_server.py"), QStringList{path(QStringLiteral("site"))});
        ASSERT_TRUE(web->ok());
        ImportPageWindowController::install(delegate);
    }
    void TearDown() override
    {
        Tasks::waitForBackground(5000);
        EditionSettings::resetToInitialState();
    }

    QString importAndWait(const QString &typed)
    {
        delegate.showPageImport();
        auto *window = static_cast<ImportPageWindowController *>(delegate.importPageWindowController());
        window->urlTextField()->setText(typed);
        std::optional<QString> done;
        QMetaObject::Connection connection =
            QObject::connect(&delegate, &SKTAppDelegate::pageImported, [&done](const QString &package) { done = package; });
        window->importButton()->click();
        QElapsedTimer timer;
        timer.start();
        while (!done && timer.elapsed() < 15000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QObject::disconnect(connection);
        return done.value_or(QStringLiteral("<no answer>"));
    }

    std::unique_ptr<TestServer> web;
    ScriptedAlerts alerts;
    SKTAppDelegate delegate;
};

TEST_F(PageImportDelegateTest, OpensAnUntitledPageOrRefusesWithTheAlert)
{
    const QString address = QStringLiteral("127.0.0.1:%1/about.html").arg(web->port());
    const qsizetype before = DocumentController::shared().documents().size();
    const QString package = importAndWait(address);
    EXPECT_EQ(package, QDir(gWorkFolder).filePath(QStringLiteral("Received/about.zovweb")));
    EXPECT_TRUE(QFileInfo::exists(package));
    auto *window = static_cast<ImportPageWindowController *>(delegate.importPageWindowController());
    EXPECT_EQ(window->urlTextField()->text(), QStringLiteral("http://") + address);
    EXPECT_FALSE(window->isVisible()) << "the window goes away after an import";
    EXPECT_TRUE(window->importButton()->isEnabled());
    ASSERT_EQ(DocumentController::shared().documents().size(), before + 1);
    EXPECT_EQ(alerts.count(), 0);

    EXPECT_EQ(importAndWait(QStringLiteral("http://127.0.0.1:%1/missing.html").arg(web->port())), QString());
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.shown().first().alert.messageText, QStringLiteral("Not able to import"));
    EXPECT_TRUE(alerts.shown().first().alert.informativeText.startsWith(QStringLiteral("Please check to make sure:\n\n1.This page")));
    EXPECT_TRUE(window->isVisible()) << "the window stays open after a refusal";
}

TEST_F(PageImportDelegateTest, AsksBeforeReplacingAProjectPage)
{
    SKTDocument document;
    const QString project = path(QStringLiteral("project"));
    QDir().mkpath(project);
    const QString existing = QDir(project).filePath(QStringLiteral("about.zovweb"));
    testfiles::writeFile(existing, "the user's own page");
    delegate.setImportTargetProvider([&] { return SKTAppDelegate::ImportTarget{&document, project}; });
    const QString address = QStringLiteral("http://127.0.0.1:%1/about.html").arg(web->port());

    alerts.answer(QStringLiteral("Cancel"));
    EXPECT_EQ(importAndWait(address), QString());
    ASSERT_EQ(alerts.count(), 1);
    EXPECT_EQ(alerts.shown().first().alert.messageText, QStringLiteral("Replace the page \"about\"?"));
    EXPECT_EQ(testfiles::readFile(existing), QByteArray("the user's own page"));

    alerts.answer(QStringLiteral("Replace"));
    EXPECT_EQ(importAndWait(address), existing);
    EXPECT_NE(testfiles::readFile(existing), QByteArray("the user's own page"));
    EXPECT_EQ(document.fileURLPath, existing);
    EXPECT_EQ(alerts.count(), 2) << "the page is read without complaint";
    EXPECT_FALSE(document.pageUnread);
}

}  // namespace
