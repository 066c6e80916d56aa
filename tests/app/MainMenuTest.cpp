// The main menu of every edition as the menu bar shows it: the shipped table
// of hidden items, titles and actions applied to the shipped main menu, the
// two rows written out in full, the editions outside the table, the video
// tutorial item, the translated titles and the shared menus of the windows.
#include "app/MainMenuModel.h"
#include "app/SKTAppDelegate.h"
#include "app/ui/AppMenus.h"
#include "config/EditionSettings.h"
#include "config/EditionTable.h"
#include "platform/ui/ActionBinding.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Every edition the program knows, the default one (empty name) included.
QStringList allEditions()
{
    QStringList names{QString()};
    for (const EditionEntry &entry : EditionTable::shared().editions())
        names << entry.key;
    return names;
}

std::unique_ptr<AppMenus> menusFor(const QString &edition, const QString &playlist = {})
{
    EditionSettings::resetToInitialState();
    gAppName = edition;
    gTutorialPlaylist = playlist;
    MainMenuModel model = MainMenuModel::standard();
    SKTAppDelegate delegate;
    delegate.runAppSpecificMenuSetups(model);
    return std::make_unique<AppMenus>(model);
}

QSet<QString> hiddenItems(const AppMenus &menus)
{
    QSet<QString> hidden;
    for (const QString &outlet : menus.model().outlets()) {
        if (QAction *item = menus.item(outlet); item && !item->isVisible())
            hidden << outlet;
    }
    return hidden;
}

// Outlets whose items hide only because their submenu has nothing left to show.
bool emptySubmenu(const AppMenus &menus, const QString &outlet)
{
    QAction *item = menus.item(outlet);
    if (!item || !item->menu())
        return false;
    for (QAction *child : item->menu()->actions()) {
        if (child->isVisible() && !child->isSeparator())
            return false;
    }
    return true;
}

class MainMenuTest : public ::testing::Test {
protected:
    void TearDown() override { EditionSettings::resetToInitialState(); }
};

}  // namespace

TEST_F(MainMenuTest, ShippedTablesNameOnlyItemsOfTheMainMenu)
{
    const MainMenuModel model = MainMenuModel::standard();
    const QStringList outlets = model.outlets();
    QStringList missing;
    for (const QString &outlet : EditionMenuTable::standard().outlets() + QStringList{QStringLiteral("videoTutorialMenuItem")}) {
        if (!outlets.contains(outlet))
            missing << outlet;
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(EditionMenuTable::standard().namedEditions().size(), 34);
    EXPECT_EQ(QSet<QString>(outlets.begin(), outlets.end()).size(), outlets.size()) << "an outlet is named twice";
    // Each named edition is an edition of the program.
    for (const QString &name : EditionMenuTable::standard().namedEditions())
        EXPECT_TRUE(allEditions().contains(name)) << name.toStdString();
}

TEST_F(MainMenuTest, EveryEditionShowsTheMenuBarItsRowsDescribe)
{
    const QStringList editions = allEditions();
    ASSERT_EQ(editions.size(), 36);
    for (const QString &edition : editions) {
        SCOPED_TRACE(edition.toStdString());
        const auto menus = menusFor(edition);
        const EditionMenuChanges changes = EditionMenuTable::standard().changesFor(edition);
        QSet<QString> expected(changes.hidden.begin(), changes.hidden.end());
        expected << QStringLiteral("videoTutorialMenuItem");
        QSet<QString> hidden = hiddenItems(*menus);
        for (const QString &outlet : QSet<QString>(hidden)) {
            if (!expected.contains(outlet) && emptySubmenu(*menus, outlet))
                hidden.remove(outlet);
        }
        EXPECT_EQ(hidden, expected);
        for (const auto &[outlet, title] : changes.titles) {
            if (!expected.contains(outlet)) {
                EXPECT_EQ(menus->item(outlet)->text(), title) << outlet.toStdString();
            }
        }
        for (const auto &[outlet, action] : changes.actions) {
            if (!expected.contains(outlet)) {
                EXPECT_EQ(ActionBinding::actionOf(menus->item(outlet)), action) << outlet.toStdString();
            }
        }
    }
}

TEST_F(MainMenuTest, TheTwoFullRows)
{
    {
        const auto menus = menusFor(QStringLiteral("HTML Zov Pro"));
        const QSet<QString> expected{
            "addBranchMenuItem", "addNewDirectlyFromTemplateMenuItem", "addNewLineMenuItem", "addNewPatientMenuItem",
            "addNewPersonalizationMenuItem", "addNewTemplateGroupMenuItem", "addressBookMenuItem",
            "customizeCategoriesMenuItem", "exportAllToPDFMenuItem", "exportDifferentLabelMenuItem",
            "exportPDFSheetCopyMenuItem", "exportSingleLabelMenuItem", "exportSingleLabelRepeatMenuItem",
            "exportToJPGMenuItem", "exportToPNGMenuItem", "imageSettingsMenuItem", "importMultiplePagesMenuItem",
            "mailCanvasSizeMenuItem", "tovraLabelMakerMenuItem", "printMenuItem", "profileMenuItem",
            "publishMailMenuItem", "rotateCanvasMenuItem", "selectPhotosInputFolderMenuItem",
            "senderSMTPSettingsMenuItem", "shareMenuItem", "showProfileBadgeMenuItem", "videoTutorialMenuItem"};
        EXPECT_EQ(expected.size(), 28);
        QSet<QString> hidden = hiddenItems(*menus);
        // The profile submenu's own items follow their hidden parent.
        hidden.remove(QStringLiteral("updateProfileMenuItem"));
        EXPECT_EQ(hidden, expected);
        EXPECT_EQ(menus->item("openGroupMenuItem")->text(), "Open Website");
        EXPECT_EQ(menus->item("openPageMenuItem")->text(), "Open Single Page");
        EXPECT_EQ(menus->item("openFormMenuItem")->text(), "Open Single Form");
    }
    {
        const auto menus = menusFor(QStringLiteral("Trelko Forms Pro 2"));
        const EditionMenuChanges changes = EditionMenuTable::standard().changesFor(QStringLiteral("Trelko Forms Pro 2"));
        EXPECT_EQ(changes.hidden.size(), 50);
        for (const char *outlet : {"openGroupMenuItem", "openPageMenuItem", "publishAllPagesMenuItem",
                                   "publishAllPagesNoImagesMenuItem", "publishThisPageNoImagesMenuItem",
                                   "publishMailMenuItem", "styleEditorMenuItem", "viewMenuItem"})
            EXPECT_FALSE(menus->item(outlet)->isVisible()) << outlet;
        EXPECT_TRUE(menus->item("publishMenuItem")->isVisible());
        EXPECT_TRUE(menus->item("publishThisPageMenuItem")->isVisible());
        EXPECT_EQ(menus->item("exportToRawFilesMenuItem")->text(), "Export This Form");
        EXPECT_EQ(menus->item("pagePreferencesMenuItem")->text(), "File Properties and Meta Tags");
        EXPECT_EQ(menus->item("addNewTemplateGroupMenuItem")->text(), "New Form");
        EXPECT_EQ(menus->item("publishThisPageMenuItem")->text(), "Publish This Form");
    }
}

TEST_F(MainMenuTest, OnlyExactNamesChangeTheMenu)
{
    const auto unchanged = menusFor(QStringLiteral("Tessimor"));
    for (const QString &edition : {QStringLiteral("html zov pro"), QStringLiteral("HTML  Zov Pro"), QStringLiteral("Tessimor"),
                                   QString()}) {
        SCOPED_TRACE(edition.toStdString());
        const auto menus = menusFor(edition);
        EXPECT_EQ(hiddenItems(*menus), hiddenItems(*unchanged));
        EXPECT_TRUE(menus->item("exportAllToPDFMenuItem")->isVisible());
        EXPECT_TRUE(menus->item("importMultiplePagesMenuItem")->isVisible());
        EXPECT_EQ(menus->item("openGroupMenuItem")->text(), "Open Website...");
    }
}

TEST_F(MainMenuTest, ItemsOnlyOneEditionKeeps)
{
    const QList<QPair<const char *, QString>> keepers = {
        {"tovraLabelMakerMenuItem", QStringLiteral("Tarnaby Pro")},
        {"rotateCanvasMenuItem", QStringLiteral("Tovra Label Maker")},
        {"canvasSizeMenuItem", QStringLiteral("HTML Zov Pro")}};
    const QStringList named = EditionMenuTable::standard().namedEditions();
    // Every edition that sends e-mail designs keeps "Send Email...", and alone does.
    const QStringList mailEditions = {QStringLiteral("Glentor Mails Pro 2"), QStringLiteral("Glentor Mails Express"),
                                      QStringLiteral("Mirvel Responsive Email Designer")};
    for (const QString &edition : named) {
        const auto menus = menusFor(edition);
        for (const auto &[outlet, keeper] : keepers)
            EXPECT_EQ(menus->item(outlet)->isVisible(), edition == keeper) << outlet << " in " << edition.toStdString();
        EXPECT_EQ(menus->item("publishMailMenuItem")->isVisible(), mailEditions.contains(edition)) << edition.toStdString();
        if (mailEditions.contains(edition)) {
            EXPECT_TRUE(menus->item("senderSMTPSettingsMenuItem")->isVisible()) << edition.toStdString();
            EXPECT_TRUE(menus->item("addressBookMenuItem")->isVisible()) << edition.toStdString();
        }
    }
}

TEST_F(MainMenuTest, VideoTutorialItemFollowsTheTutorialAddress)
{
    for (const QString &edition : {QStringLiteral("HTML Zov Pro"), QStringLiteral("Tessimor"), QString()}) {
        EXPECT_FALSE(menusFor(edition)->item("videoTutorialMenuItem")->isVisible());
        EXPECT_TRUE(menusFor(edition, QStringLiteral("https://example.org/tutorials"))->item("videoTutorialMenuItem")->isVisible());
    }
}

TEST_F(MainMenuTest, ActionsSetPerEditionAreSent)
{
    const QList<std::tuple<QString, const char *, const char *>> cases = {
        {QStringLiteral("Tovra Greeting Card Designer"), "printPageMenuItem", "printCard"},
        {QStringLiteral("Tovra PDF Author"), "printPageMenuItem", "printManual"},
        // Business cards print as cards on a sheet; image notes print the page.
        {QStringLiteral("Ostravel Business Card Designer"), "printPageMenuItem", "printBusinessCard"},
        {QStringLiteral("Wemba Image Notes"), "printPageMenuItem", "printPage"},
        {QStringLiteral("Ostravel Envelope Designer"), "printPageMenuItem", "printSheetWithSameLabels"},
        {QStringLiteral("Glentor Mails Pro 2"), "sourcecodeMenuItem", "showMailSourceCode"},
        {QStringLiteral("Pellamy Vet Edition"), "addNewPatientMenuItem", "showAddNewPatientWindow"},
        {QStringLiteral("Tovra Markup Express"), "addNewBlankGroupMenuItem", "directlyLaunchSingleDocBlank"},
        {QStringLiteral("HTML Zov Pro"), "sourcecodeMenuItem", "showOrHideSourceCode"}};
    for (const auto &[edition, outlet, action] : cases) {
        const auto menus = menusFor(edition);
        QAction *item = menus->item(outlet);
        ASSERT_TRUE(item->isVisible()) << outlet;
        EXPECT_EQ(ActionBinding::actionOf(item), action) << edition.toStdString();
    }
}

namespace {
class TableTranslator : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (QLatin1String(context) != QLatin1String("MainMenu"))
            return {};
        static const QHash<QString, QString> table = {{QStringLiteral("Publish"), QStringLiteral("Publier")},
                                                      {QStringLiteral("Publier"), QStringLiteral("Publier !")},
                                                      {QStringLiteral("Close"), QStringLiteral("Fermer")},
                                                      {QStringLiteral("Person"), QStringLiteral("Personne")}};
        return table.value(QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};
}  // namespace

TEST_F(MainMenuTest, TitlesAreTranslatedThreeLevelsDeep)
{
    TableTranslator translator;
    QCoreApplication::installTranslator(&translator);
    auto node = [](const char *outlet, const char *menuOutlet, const char *title) {
        MenuNode n;
        n.outlet = QString::fromLatin1(outlet);
        n.menuOutlet = QString::fromLatin1(menuOutlet);
        n.title = QString::fromLatin1(title);
        return n;
    };
    MainMenuModel model;
    MenuNode publish = node("", "publishMenu", "Publish");
    MenuNode close = node("closeItem", "", "Close");
    MenuNode level3 = node("level3", "", "Publish");
    MenuNode level4 = node("level4", "", "Close");
    level3.items << level4;
    MenuNode parent = node("parent", "", "Person");
    parent.items << level3;
    MenuNode hidden = node("hidden", "", "Close");
    hidden.hidden = true;
    publish.items << close << parent << hidden;
    model.menus << publish;
    SKTAppDelegate::prepareToLocalizeMenuItems(model);
    QCoreApplication::removeTranslator(&translator);

    // Set by its fixed key, then looked up again with the translation as key.
    EXPECT_EQ(model.find("publishMenu")->title, "Publier !");
    EXPECT_EQ(model.find("closeItem")->title, "Fermer");
    EXPECT_EQ(model.find("parent")->title, "Personne");
    EXPECT_EQ(model.find("level3")->title, "Publier");
    EXPECT_EQ(model.find("level4")->title, "Close");  // the fourth level keeps its title
    EXPECT_EQ(model.find("hidden")->title, "Fermer");  // hidden items are translated too

    // Without a translation a title keeps its text.
    MainMenuModel plain = MainMenuModel::standard();
    SKTAppDelegate::prepareToLocalizeMenuItems(plain);
    EXPECT_EQ(plain.find("openGroupMenuItem")->title, "Open Website...");
}

namespace {
class HostWindow : public QMainWindow, public ResponderHost {
public:
    QList<ActionResponder *> responderChain() override { return {&commands}; }
    ActionMap commands;
};
}  // namespace

TEST_F(MainMenuTest, WindowsShareOneSetOfMenus)
{
    const auto menus = menusFor(QStringLiteral("HTML Zov Pro"));
    HostWindow first;
    HostWindow second;
    menus->attachTo(first.menuBar());
    menus->attachTo(second.menuBar());
    menus->attachTo(second.menuBar());  // a second attach adds nothing
    EXPECT_EQ(first.menuBar()->actions(), second.menuBar()->actions());
    EXPECT_EQ(first.menuBar()->actions().size(), menus->topMenus().size());
    // Hiding an item once hides it in every window.
    QAction *save = menus->item("saveMenuItem");
    EXPECT_TRUE(first.menuBar()->actions().contains(menus->menu("fileMenu")->menuAction()));
    save->setVisible(false);
    EXPECT_FALSE(menus->menu("fileMenu")->actions().contains(save) && save->isVisible());
}

TEST_F(MainMenuTest, HiddenItemsStayHiddenWhenTheMenuIsValidated)
{
    const auto menus = menusFor(QStringLiteral("HTML Zov Pro"));
    ActionMap everything;
    for (const QString &outlet : menus->model().outlets()) {
        if (const MenuNode *node = menus->model().find(outlet); node && !node->action.isEmpty())
            everything.add(node->action, [](const ActionItemState &) {});
    }
    ResponderChain::setProvider([&everything] { return QList<ActionResponder *>{&everything}; });
    for (QMenu *menu : menus->topMenus())
        ActionBinding::validateNow(menu);
    ResponderChain::setProvider({});
    EXPECT_FALSE(menus->item("exportToPNGMenuItem")->isVisible());
    EXPECT_TRUE(menus->item("saveMenuItem")->isVisible());
    EXPECT_TRUE(menus->item("saveMenuItem")->isEnabled());
}

TEST_F(MainMenuTest, SubmenusWithAnActionFollowTheirResponder)
{
    const auto menus = menusFor(QStringLiteral("HTML Zov Pro"));
    QAction *addInto = menus->item("addIntoGroupMenuItem");
    ASSERT_NE(addInto->menu(), nullptr);
    QMenu *file = menus->menu("fileMenu");

    // Nobody answers: shown but disabled.
    ResponderChain::setProvider({});
    AppMenus::validateSubmenus(file);
    EXPECT_TRUE(addInto->isVisible());
    EXPECT_FALSE(addInto->isEnabled());

    // A project window without pages hides it; one with pages shows it.
    bool pages = false;
    ActionMap window;
    window.add(QStringLiteral("addIntoGroup"), [](const ActionItemState &) {}, [&pages](ActionItemState &item) {
        item.visible = pages;
        return pages;
    });
    window.add(QStringLiteral("showAddNewPageWindow"), [](const ActionItemState &) {});
    ResponderChain::setProvider([&window] { return QList<ActionResponder *>{&window}; });
    AppMenus::validateSubmenus(file);
    EXPECT_FALSE(addInto->isVisible());
    pages = true;
    AppMenus::validateSubmenus(file);
    EXPECT_TRUE(addInto->isVisible());
    EXPECT_TRUE(addInto->isEnabled());
    ResponderChain::setProvider({});
}
