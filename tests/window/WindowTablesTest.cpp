// The window's tables on their own: menu validation, the edition toolbars
// and what a drag over the listing carries.
#include "config/EditionSettings.h"
#include "window/EditionToolbars.h"
#include "window/PageDrop.h"
#include "window/WindowMenuValidation.h"

#include <QMimeData>
#include <QSet>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
struct Validated {
    bool enabled;
    bool visible;
    bool checked;
    QString title;
};
Validated run(const QString &action, const WindowMenuState &state)
{
    ActionItemState item;
    item.action = action;
    item.title = QStringLiteral("Original");
    const bool enabled = WindowMenuValidation::validate(item, state);
    EXPECT_EQ(enabled, item.enabled);
    return {item.enabled, item.visible, item.checked, item.title};
}
} // namespace

class WindowMenuValidationTest : public ::testing::Test {
protected:
    void SetUp() override { EditionSettings::resetToInitialState(); }
    void TearDown() override { EditionSettings::resetToInitialState(); }
};

TEST_F(WindowMenuValidationTest, PageListItemsHideWhileTheProjectIsEmptyAndComeBack)
{
    WindowMenuState empty;
    WindowMenuState withPages;
    withPages.pageCount = 3;
    for (const QString &action : WindowMenuValidation::pageListActions()) {
        const Validated hidden = run(action, empty);
        EXPECT_FALSE(hidden.enabled) << action.toStdString();
        EXPECT_FALSE(hidden.visible) << action.toStdString();
        const Validated back = run(action, withPages);
        EXPECT_TRUE(back.enabled) << action.toStdString();
        EXPECT_TRUE(back.visible) << action.toStdString();
    }
}

TEST_F(WindowMenuValidationTest, RowsEnableTickRetitleAndHideByTheirConditions)
{
    WindowMenuState state;
    state.documentDisplayName = QStringLiteral("home.zovweb");
    state.gridUsable = true;
    state.gridConstraining = true;
    int clicks = 0;
    bool pageUnderClick = false;
    state.pageClicked = [&] { ++clicks; return pageUnderClick; };

    EXPECT_EQ(run(QStringLiteral("newDocumentWindow"), state).title, QStringLiteral("New window for 'home.zovweb'"));
    Validated grid = run(QStringLiteral("toggleGridConstraining"), state);
    EXPECT_TRUE(grid.enabled);
    EXPECT_TRUE(grid.checked);
    grid = run(QStringLiteral("toggleGridShowing"), state);
    EXPECT_FALSE(grid.checked);
    state.gridUsable = false;
    EXPECT_FALSE(run(QStringLiteral("toggleGridShowing"), state).enabled);

    // Delete and duplicate follow the last context click; the edition's flag hides them.
    EXPECT_FALSE(run(QStringLiteral("deletePage"), state).enabled);
    pageUnderClick = true;
    EXPECT_TRUE(run(QStringLiteral("duplicatePage"), state).enabled);
    EXPECT_EQ(clicks, 2);
    gHideDuplicatePage = true;
    EXPECT_FALSE(run(QStringLiteral("duplicatePage"), state).visible);
    EXPECT_TRUE(run(QStringLiteral("deletePage"), state).visible);

    EXPECT_FALSE(run(QStringLiteral("addFormObjects"), state).visible);
    state.formPage = true;
    EXPECT_TRUE(run(QStringLiteral("showFormPreferences"), state).visible);

    EXPECT_TRUE(run(QStringLiteral("grabPageLink"), state).visible);
    gHidePageLink = true;
    EXPECT_FALSE(run(QStringLiteral("grabPageLink"), state).visible);
    EXPECT_FALSE(run(QStringLiteral("insertBlankPage"), state).visible);
    gShowInsertBlankPage = true;
    EXPECT_TRUE(run(QStringLiteral("insertBlankPage"), state).enabled);
    EXPECT_FALSE(run(QStringLiteral("showProfilePopOver"), state).enabled);
    gPatientProfileMode = true;
    EXPECT_TRUE(run(QStringLiteral("showProfilePopOver"), state).enabled);
    EXPECT_FALSE(run(QStringLiteral("removeTableBackgroundPattern"), state).visible);

    // Unknown actions are left alone.
    const Validated other = run(QStringLiteral("somethingElse"), state);
    EXPECT_TRUE(other.enabled);
    EXPECT_EQ(other.title, QStringLiteral("Original"));
}

TEST(EditionToolbars, EveryListedEditionHasItsOwnToolbarAndHidingSet)
{
    const QList<EditionToolbar> &all = EditionToolbars::all();
    ASSERT_EQ(all.size(), 32);
    QSet<QString> toolbars;
    for (const EditionToolbar &t : all) {
        toolbars.insert(t.toolbar);
        EXPECT_FALSE(t.items.isEmpty()) << t.edition.toStdString();
        for (const ToolbarItemSpec &item : t.items) {
            EXPECT_FALSE(item.action.isEmpty());
            EXPECT_FALSE(item.label.isEmpty());
        }
    }
    EXPECT_EQ(toolbars.size(), 32);

    struct Case {
        const char *edition;
        const char *toolbar;
        QStringList hidden;
    };
    const QStringList h7 = {"grabPageLinkMenuItem", "altTextField", "linkTextFieldLabel", "hyperLinkTextField",
                            "linkOptionSegmentedControl", "saveLinkButton", "scrollSegmentedControl",
                            "scrollTextFieldLabel"};
    const QList<Case> cases = {
        {"Ostravel Envelope Designer", "ostravelEnvelopeDesignerToolbar", h7},
        {"Ostravel eCard Designer", "drubbEcardDesignerToolbar", {"grabPageLinkMenuItem"}},
        {"HTML Zov Pro", "zovToolbar", {}},
        {"Mirvel Responsive Email Designer", "tovraEmailDesignerToolbar", {"scrollSegmentedControl", "scrollTextFieldLabel"}},
        {"Pellamy", "pellamyToolbar", {"altTextField"}},
        {"Pellamy 2", "pellamy2Toolbar", {"altTextField"}},
        {"Quessel Pro 2", "quesselMakerToolbar2", h7},
        {"Some Other Edition", "defaultToolbar", {}},
    };
    for (const Case &c : cases) {
        const EditionToolbar t = EditionToolbars::forEdition(QString::fromLatin1(c.edition));
        EXPECT_EQ(t.toolbar, QString::fromLatin1(c.toolbar)) << c.edition;
        EXPECT_EQ(t.hidden, c.hidden) << c.edition;
    }
    EXPECT_EQ(EditionToolbars::forEdition(QStringLiteral("Some Other Edition")).items.first().action,
              QStringLiteral("showAddNewPageWindow"));
}

TEST(PageDrop, PageIconsReorderPageFilesCopyAndEverythingElseIsRefused)
{
    EditionSettings::resetToInitialState();
    gDocumentExtension = QStringLiteral("zovweb");
    auto mime = [](const QByteArray &page, const QList<QUrl> &urls) {
        auto data = std::make_unique<QMimeData>();
        if (!page.isNull())
            data->setData(QLatin1String(PageDrop::kPageMimeType), page);
        if (!urls.isEmpty())
            data->setUrls(urls);
        return data;
    };
    struct Case {
        QByteArray page;
        QList<QUrl> urls;
        PageDrop::Kind kind;
    };
    const QList<Case> cases = {
        {PageDrop::pagePayload(QStringLiteral("b.zovweb")), {}, PageDrop::Kind::Reorder},
        {"DragAndDrop/../x.zovweb", {}, PageDrop::Kind::Refused},
        {"b.zovweb", {}, PageDrop::Kind::Refused},
        {{}, {QUrl::fromLocalFile(QStringLiteral("/tmp/p.zovweb"))}, PageDrop::Kind::CopyFile},
        {{}, {QUrl::fromLocalFile(QStringLiteral("/tmp/f.trelkoforms"))}, PageDrop::Kind::CopyFile},
        {{}, {QUrl::fromLocalFile(QStringLiteral("/tmp/picture.png"))}, PageDrop::Kind::Refused},
        {{}, {QUrl(QStringLiteral("https://example.org/p.zovweb"))}, PageDrop::Kind::Refused},
        {{}, {}, PageDrop::Kind::Refused},
    };
    for (const Case &c : cases) {
        const auto data = mime(c.page, c.urls);
        EXPECT_EQ(PageDrop::judge(data.get()), c.kind) << c.page.toStdString();
    }
    EXPECT_EQ(PageDrop::draggedPageName(mime(PageDrop::pagePayload(QStringLiteral("b.zovweb")), {}).get()),
              QStringLiteral("b.zovweb"));
    EditionSettings::resetToInitialState();
}
