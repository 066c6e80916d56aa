// Reading the edition table: derived entries and a table that cannot be read.
#include "config/EditionTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

EditionTable loadText(const QTemporaryDir &dir, const QByteArray &json, QString *error)
{
    const QString path = dir.filePath(QStringLiteral("editions.json"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(json);
    file.close();
    return EditionTable::load(path, error);
}

} // namespace

TEST(EditionTable, DerivedEntriesOverrideUnsetAndClearWhatTheirBaseWrites)
{
    QTemporaryDir dir;
    QString error;
    const EditionTable table = loadText(dir, R"({
        "lists": {"two": ["a", "b"]},
        "editions": [
            {"key": "One", "icon": "one", "settings": {"gPageNoun": "page", "gTutorialPlaylist": "@tutorialPlaylist",
             "gDefaultCategories": "$two"}, "flags": ["gHideLink", "gHideLock"], "defaultPrintSheet": "Sheet"},
            {"key": "Two", "base": "One", "settings": {"gPageNoun": "card"}, "unset": ["gTutorialPlaylist"],
             "flags": ["gHideGroup"], "clearFlags": ["gHideLock"], "defaultPrintSheet": null}
        ],
        "default": {"settings": {"gDocumentExtension": "zovpage"}}
    })", &error);
    ASSERT_EQ(table.editions().size(), 2) << error.toStdString();
    const EditionEntry &two = table.select(QStringLiteral("Two"));
    EXPECT_EQ(two.settings.value(QStringLiteral("gPageNoun")).toString(), QStringLiteral("card"));
    EXPECT_FALSE(two.settings.contains(QStringLiteral("gTutorialPlaylist")));
    EXPECT_EQ(two.settings.value(QStringLiteral("gDefaultCategories")).toStringList(), (QStringList{"a", "b"}));
    EXPECT_EQ(two.flags, (QStringList{"gHideLink", "gHideGroup"}));
    EXPECT_EQ(two.icon, QStringLiteral("one"));
    EXPECT_TRUE(two.defaultPrintSheet.isEmpty());
    EXPECT_EQ(table.select(QStringLiteral("One")).defaultPrintSheet, QStringLiteral("Sheet"));
    EXPECT_TRUE(table.select(QStringLiteral("Three")).key.isEmpty());
}

TEST(EditionTable, AnUnreadableTableLeavesAPlainDefaultEdition)
{
    QTemporaryDir dir;
    const QByteArray broken[] = {
        "{ not json",
        R"({"editions": [{"key": "Two", "base": "One"}], "default": {}})",
        R"({"editions": [{"key": "One"}, {"key": "One"}], "default": {}})",
        R"({"editions": [{"key": "One", "settings": {"gPageNoun": "$nolist"}}], "default": {}})",
    };
    for (const QByteArray &json : broken) {
        SCOPED_TRACE(json.toStdString());
        QString error;
        const EditionTable table = loadText(dir, json, &error);
        EXPECT_TRUE(table.isEmpty());
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(table.select(QStringLiteral("One")).settings.value(QStringLiteral("gDocumentExtension")).toString(),
                  QStringLiteral("zovpage"));
    }
    QString error;
    EXPECT_TRUE(EditionTable::load(dir.filePath(QStringLiteral("missing.json")), &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}
