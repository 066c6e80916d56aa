// Personalised pages made in a real project folder: one page per contact with its own
// values, the source page kept whatever names the contacts give, failures listed, and
// the window always shown again.
#include "window/ProjectFixture.h"

#include "publishing/ContactMergeList.h"
#include "platform/NotificationCenter.h"
#include "publishing/MergePages.h"

#include <QElapsedTimer>
#include <QSet>

#include <cstdio>
#include <unistd.h>

namespace {

struct AlphaHost : ProjectWindowHost {
    void setWindowAlpha(double alpha) override { alphas << alpha; }
    QList<double> alphas;
};

Contacts::MergeRecord contact(const QString &first, const QString &last, const QString &id, const QString &company = {},
                              const QString &number = QStringLiteral("0"))
{
    Contacts::MergeRecord r;
    r.insert(QStringLiteral("[FIRST_NAME]"), first);
    r.insert(QStringLiteral("[LAST_NAME]"), last);
    r.insert(QStringLiteral("[UNIQUE_CONTACT_ID]"), id);
    r.insert(QStringLiteral("[COMPANY_NAME]"), company);
    r.insert(QStringLiteral("Address_Number"), number);
    return r;
}

}  // namespace

class MergePagesTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        gPersonalizationTags = {QStringLiteral("[FIRST_NAME]"), QStringLiteral("[LAST_NAME]"),
                                QStringLiteral("[COMPANY_NAME]")};
        makePage(project, QStringLiteral("index"), QStringLiteral("Home"),
                 QStringLiteral("Dear [FIRST_NAME] [LAST_NAME]\n[COMPANY_NAME]\n\nSee you"));
        openProject();
        gContactMergeList.clear();
    }

    QString textOf(const QString &fileName)
    {
        SKTDocument page;
        page.fileURLPath = QDir(project).filePath(fileName);
        if (!page.refreshDocument() || page.textAreas().isEmpty())
            return QStringLiteral("(unreadable)");
        return page.textAreas().first()->contents();
    }
};

TEST_F(MergePagesTest, EachContactGetsItsOwnPageAndTheSourceIsNeverReplaced)
{
    // A page already holds the first contact's name.
    makePage(project, QStringLiteral("AnnLee7_0"), QStringLiteral("Old"), QStringLiteral("someone else's page"));
    pages->refreshWebsite();
    AlphaHost host;
    gContactMergeList = {contact(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("7"), QStringLiteral("Acme")),
                         contact(QStringLiteral("Bo"), QString(), QStringLiteral("9")),
                         contact(QStringLiteral("Bo"), QString(), QStringLiteral("9")),
                         contact(QStringLiteral("../x"), QString(), QString(), QString(), QString())};
    int updates = 0;
    QObject observer;
    NotificationCenter::defaultCenter().addObserver(&observer, Notifications::websiteUpdated, &document->events(),
                                                    [&](const Notification &) { ++updates; });
    MergePages merge(*pages, &host);
    MergePages::Outcome outcome = merge.populatePersonalizedDocuments();
    // The window reads the project again when told.
    EXPECT_EQ(updates, 1);
    pages->refreshWebsite();
    EXPECT_TRUE(outcome.failed.isEmpty()) << outcome.failed.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(outcome.created.size(), 4);
    EXPECT_EQ(outcome.created.at(0), QStringLiteral("AnnLee7_0_2.zovweb"));
    EXPECT_EQ(outcome.created.at(1), QStringLiteral("Bo9_0.zovweb"));
    EXPECT_EQ(outcome.created.at(2), QStringLiteral("Bo9_0_2.zovweb"));
    EXPECT_FALSE(outcome.created.at(3).contains(QLatin1Char('/')));

    EXPECT_EQ(textOf(QStringLiteral("AnnLee7_0_2.zovweb")), QStringLiteral("Dear Ann Lee\nAcme\n\nSee you"));
    // No last name: the tag goes and the blank before it stays; a line of tags without
    // values goes, the design's blank line stays.
    EXPECT_EQ(textOf(QStringLiteral("Bo9_0.zovweb")), QStringLiteral("Dear Bo \n\nSee you"));
    EXPECT_EQ(textOf(QStringLiteral("AnnLee7_0.zovweb")), QStringLiteral("someone else's page"));
    EXPECT_EQ(textOf(QStringLiteral("index.zovweb")), QStringLiteral("Dear [FIRST_NAME] [LAST_NAME]\n[COMPANY_NAME]\n\nSee you"));
    // The document shows the last page made; the window came back.
    EXPECT_EQ(QFileInfo(document->fileURLPath).fileName(), outcome.created.last());
    ASSERT_FALSE(host.alphas.isEmpty());
    EXPECT_EQ(host.alphas.first(), 0.0);
    EXPECT_EQ(host.alphas.last(), 1.0);
    EXPECT_EQ(listed().size(), 6);

    // Running again from the source keeps it and every other page.
    ASSERT_TRUE(pages->launchSelected(int(listed().indexOf(QStringLiteral("index.zovweb")))));
    outcome = merge.populatePersonalizedDocuments({contact(QStringLiteral("Bo"), QString(), QStringLiteral("9"))});
    ASSERT_EQ(outcome.created, QStringList{QStringLiteral("Bo9_0_3.zovweb")});
    pages->refreshWebsite();
    EXPECT_EQ(listed().size(), 7);
    EXPECT_EQ(textOf(QStringLiteral("Bo9_0_3.zovweb")), QStringLiteral("Dear Bo \n\nSee you"));
}

TEST_F(MergePagesTest, NothingHappensWithoutAProjectOrContactsAndFailuresAreListed)
{
    AlphaHost host;
    // An empty list: the alert, nothing made, the window untouched.
    MergePages merge(*pages, &host);
    EXPECT_TRUE(merge.populatePersonalizedDocuments().created.isEmpty());
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Please define contact list"));
    EXPECT_TRUE(host.alphas.isEmpty());

    // A folder that refuses new files: every contact is listed, the window comes back.
    gContactMergeList = {contact(QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("7"))};
    QFile::setPermissions(project, QFile::ReadOwner | QFile::ExeOwner);
    const MergePages::Outcome outcome = merge.populatePersonalizedDocuments();
    QFile::setPermissions(project, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (::geteuid() != 0) {  // root writes anyway
        EXPECT_TRUE(outcome.created.isEmpty());
        ASSERT_EQ(outcome.failed.size(), 1);
        EXPECT_TRUE(outcome.failed.at(0).startsWith(QStringLiteral("AnnLee7_0.zovweb")));
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("Some Personalized Designs Not Made"));
    }
    EXPECT_EQ(host.alphas.last(), 1.0);

    // No project open: nothing at all.
    ProjectPages alone(*document);
    const int shown = alerts.count();
    EXPECT_TRUE(MergePages(alone).populatePersonalizedDocuments().created.isEmpty());
    EXPECT_EQ(alerts.count(), shown);
}

TEST_F(MergePagesTest, AThousandContactsGiveAThousandPagesWithTheirOwnValues)
{
    for (int i = 0; i < 1000; ++i)
        gContactMergeList << contact(QStringLiteral("First%1").arg(i), QStringLiteral("Last%1").arg(i),
                                     QStringLiteral("id%1").arg(i), QStringLiteral("Company %1").arg(i));
    QElapsedTimer timer;
    timer.start();
    const MergePages::Outcome outcome = MergePages(*pages).populatePersonalizedDocuments();
    const qint64 elapsed = timer.elapsed();
    EXPECT_TRUE(outcome.failed.isEmpty());
    ASSERT_EQ(outcome.created.size(), 1000);
    EXPECT_EQ(QSet<QString>(outcome.created.begin(), outcome.created.end()).size(), 1000);
    pages->refreshWebsite();
    EXPECT_EQ(listed().size(), 1001);
    for (int i : {0, 1, 499, 998, 999}) {
        EXPECT_EQ(textOf(QStringLiteral("First%1Last%1id%1_0.zovweb").arg(i)),
                  QStringLiteral("Dear First%1 Last%1\nCompany %1\n\nSee you").arg(i));
    }
    std::printf("1,000 personalised pages in %lld ms\n", static_cast<long long>(elapsed));
}
