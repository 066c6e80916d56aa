#include "publishing/SavedMailingLists.h"
#include "support/ScopedUserDefaults.h"

#include <gtest/gtest.h>

TEST(SavedMailingLists, KeepsListsInSavingOrderAndSurvivesARestart)
{
    ScopedUserDefaults prefs;
    SavedMailingLists lists(prefs.defaults());
    EXPECT_TRUE(lists.records().isEmpty());
    const SavedMailingLists::Record a{QStringLiteral("a@x.org,"), QString(), QStringLiteral("z@x.org"), QStringLiteral("A")};
    const SavedMailingLists::Record b{QStringLiteral("b@x.org"), QStringLiteral("c@x.org"), QString(), QStringLiteral("B")};
    lists.append(a);
    lists.append(b);
    prefs.defaults().synchronize();
    UserDefaults reread(prefs.defaults().filePath());
    EXPECT_EQ(SavedMailingLists(reread).records(), (QList<SavedMailingLists::Record>{a, b}));

    SavedMailingLists::Record renamed = a;
    renamed.title = QStringLiteral("Renamed");
    EXPECT_TRUE(lists.replace(0, renamed));
    EXPECT_FALSE(lists.replace(2, renamed));
    EXPECT_EQ(lists.records().at(0).title, QStringLiteral("Renamed"));
    EXPECT_TRUE(lists.remove(1));
    EXPECT_TRUE(lists.remove(0));
    EXPECT_FALSE(lists.remove(0));
    EXPECT_TRUE(lists.records().isEmpty());
    EXPECT_TRUE(prefs.defaults().hasStoredValue(QStringLiteral("savedMailingListArrayMail")));
}

TEST(SavedMailingLists, NamesUseTheCalendarYearAndPickedAddressesJoinWithOneComma)
{
    // 29 December 2025 lies in week 1 of 2026.
    EXPECT_EQ(SavedMailingLists::createMailingListName(QDateTime(QDate(2025, 12, 29), QTime(13, 5))),
              QStringLiteral("Dec 29 2025 01:05 PM"));
    const QStringList picked = {QStringLiteral("a@x.org"), QStringLiteral("b@x.org")};
    EXPECT_EQ(SavedMailingLists::appendPicked(QString(), picked), QStringLiteral("a@x.org,b@x.org,"));
    EXPECT_EQ(SavedMailingLists::appendPicked(QStringLiteral("c@x.org,"), picked), QStringLiteral("c@x.org,a@x.org,b@x.org,"));
    EXPECT_EQ(SavedMailingLists::appendPicked(QStringLiteral("c@x.org"), picked), QStringLiteral("c@x.org,a@x.org,b@x.org,"));
}
