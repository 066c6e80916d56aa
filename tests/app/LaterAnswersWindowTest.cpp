// The window's questions and panels answered as they answer on screen:
// window-modal, after the command that showed them has returned. What the
// answer asks for happens then, and nothing happens on Cancel.
#include "support/RealProgram.h"

#include "config/EditionSettings.h"
#include "platform/ActionResponder.h"
#include "document/SKTDocument.h"
#include "window/PageOperations.h"
#include "window/ProjectScan.h"
#include "window/TrashMover.h"
#include "window/ui/SKTWindowController.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

#include <gtest/gtest.h>

namespace {

class LaterAnswersWindowTest : public RealProgramTest {
protected:
    // From now on alerts and panels answer after the call that showed them.
    void answerLater()
    {
        settleEvents();
        alerts.setAnswersLater(true);
        panels.setAnswersLater(true);
    }
};

// File ▸ Save of a new page asks for its file: the page is written and the
// window named after it once the panel answers; a cancelled panel writes
// nothing and tells of no failure.
TEST_F(LaterAnswersWindowTest, SavingANewPageWritesItWhenThePanelAnswers)
{
    // An edition of single documents: its new page has no file yet.
    launchAs(QStringLiteral("Glentor Mails Express"));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    answerLater();
    ASSERT_TRUE(window->document().fileURLPath.isEmpty());
    const qsizetype before = alerts.count();

    panels.clearAnswers();  // the new page took no folder
    panels.answerCancel();
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("File/Save"), &why)) << qPrintable(why);
    settleEvents();
    EXPECT_TRUE(window->document().fileURLPath.isEmpty());
    EXPECT_EQ(alerts.count(), before) << qPrintable(alerts.messages().join(QLatin1Char('\n')));

    const QString chosen = path(QStringLiteral("saved later.") + gDocumentExtension);
    panels.answer(chosen);
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("File/Save"), &why)) << qPrintable(why);
    spinUntil([&] { return QFileInfo(chosen).size() > 0; }, 5000);
    EXPECT_EQ(window->document().fileURLPath, chosen);
    EXPECT_GT(QFileInfo(chosen).size(), 0);
    EXPECT_FALSE(window->document().isDocumentEdited());
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("saved later"))) << qPrintable(window->windowTitle());
    EXPECT_EQ(alerts.count(), before) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
}

// Deleting a page from the window's page menu: "Cancel" keeps it; "Delete"
// moves it to the trash, and when the trash refuses, "Try Again" does.
TEST_F(LaterAnswersWindowTest, APageIsDeletedWhenTheQuestionsAreAnswered)
{
    launchAs(QStringLiteral("HTML Zov Pro"));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    const ProjectScan &scan = window->project().scan;
    if (scan.siteIconArray.size() < 2) {
        ASSERT_TRUE(sendAction(QStringLiteral("directlyAddBlankPage")));
        settleEvents();
    }
    ASSERT_GE(scan.siteIconArray.size(), 2);
    const QString page = scan.siteIconArray.first().documentName;
    const QString file = QDir(window->openWebsiteFolderPath()).filePath(page);
    ASSERT_TRUE(QFileInfo::exists(file));
    int refusals = 0;
    TrashMover::setMover([&refusals](const QString &path, QString *) { return refusals-- <= 0 && QFile::remove(path); });
    const auto restore = qScopeGuard([] { TrashMover::setMover({}); });
    answerLater();

    struct Step {
        QStringList answers;
        int refusals;
        bool deleted;
    };
    const Step steps[] = {{{"Cancel"}, 0, false}, {{"Delete", "Keep"}, 1, false}, {{"Delete", "Try Again"}, 1, true}};
    for (const Step &step : steps) {
        SCOPED_TRACE(step.answers.join(QLatin1Char('/')).toStdString());
        refusals = step.refusals;
        for (const QString &answer : step.answers)
            alerts.answer(answer);
        // As the page menu's Delete item sends it, for the page clicked.
        window->pageOperations().selectedPageName = page;
        ASSERT_TRUE(ResponderChain::send(window->responderChain(), QStringLiteral("deletePage"), {}));
        settleEvents(10);
        EXPECT_EQ(alerts.unansweredScripts(), 0);
        EXPECT_EQ(QFileInfo::exists(file), !step.deleted);
        bool listed = false;
        for (const PageEntry &entry : scan.siteIconArray)
            listed = listed || entry.documentName == page;
        EXPECT_EQ(listed, !step.deleted);
    }
    EXPECT_EQ(alerts.mismatches(), QStringList());
}

}  // namespace
