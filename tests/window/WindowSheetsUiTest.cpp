// The sheets as widgets: what they show, and that a refused entry keeps
// them open with what the user typed. ZOV_SHEET_SCREENSHOTS=<folder> saves
// a picture of each sheet there.
#include "ProjectFixture.h"

#include "window/ui/AddNewPageViewController.h"
#include "platform/ui/CommandRegistry.h"
#include "window/ui/WindowSheetCommands.h"
#include "window/ui/AdjustCanvasSizeWindowController.h"
#include "window/ui/PageNumberWindowController.h"
#include "window/ui/WebsiteSettingsWindowController.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {
void picture(QWidget &w, const QString &name)
{
    const QString folder = qEnvironmentVariable("ZOV_SHEET_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    w.show();
    QApplication::processEvents();
    w.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
}  // namespace

class WindowSheetsUiTest : public ProjectTest {};

TEST_F(WindowSheetsUiTest, AddPageSheetStaysOpenOnARefusedName)
{
    makePage(project, QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("first"));
    ProjectPages &p = openProject();
    AddNewPageViewController sheet(AddNewPageSetup::setUp(AddNewPageKind::BlankPage, p.scan), project);
    QList<AddNewPageRequest> confirmed;
    sheet.onConfirmed = [&](const AddNewPageRequest &r) { confirmed << r; };
    sheet.show();
    EXPECT_TRUE(sheet.chooseTemplateButton->isHidden());
    EXPECT_EQ(sheet.addNewPageButton->text(), QStringLiteral("Add"));
    sheet.pageTitleTextField->setText(QStringLiteral("About us"));
    emit sheet.pageTitleTextField->textEdited(QStringLiteral("About us"));
    sheet.pageFileNameTextField->setText(QStringLiteral("home"));
    emit sheet.pageFileNameTextField->textEdited(QStringLiteral("home"));
    picture(sheet, QStringLiteral("AddNewPageViewController"));
    sheet.addNewPageButton->click();
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("File Name Conflict"));
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.pageTitleTextField->text(), QStringLiteral("About us"));
    EXPECT_TRUE(confirmed.isEmpty());

    sheet.pageFileNameTextField->setText(QStringLiteral("about"));
    emit sheet.pageFileNameTextField->textEdited(QStringLiteral("about"));
    sheet.addNewPageButton->click();
    EXPECT_FALSE(sheet.isVisible());
    ASSERT_EQ(confirmed.size(), 1);
    EXPECT_EQ(*confirmed[0].fileNameField, QStringLiteral("about"));
    EXPECT_EQ(confirmed[0].pageTitle, QStringLiteral("About us"));
}

TEST_F(WindowSheetsUiTest, CanvasSizeSheetRefusesSizesOutOfRange)
{
    SKTDocument doc;
    gCanvasWidth = 1000;
    gCanvasMaxHeight = 800;
    AdjustCanvasSizeWindowController sheet(doc);
    sheet.show();
    EXPECT_FALSE(sheet.widthTextField->isEnabled());
    sheet.selectSegment(1);
    EXPECT_TRUE(sheet.widthTextField->isEnabled());
    sheet.widthTextField->setText(QStringLiteral("0"));
    sheet.heightTextField->setText(QStringLiteral("480"));
    sheet.saveButton->click();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_FALSE(sheet.problemLabel->text().isEmpty());
    picture(sheet, QStringLiteral("AdjustCanvasSizeWindowController"));
    EXPECT_EQ(doc.docSpecificFixedCanvasFlag, 0);
    sheet.widthTextField->setText(QStringLiteral("640"));
    sheet.saveButton->click();
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(doc.pageCanvasSize(), QSizeF(640, 480));

    doc.pageOfficialName = QStringLiteral("Start");
    doc.pageName = QStringLiteral("index");
    PageNumberWindowController title(doc);
    EXPECT_EQ(title.pageTitleTextField->text(), QStringLiteral("Start"));
    EXPECT_TRUE(title.pageFileNameTextField->isReadOnly());
    picture(title, QStringLiteral("PageNumberWindowController"));
}

TEST_F(WindowSheetsUiTest, SettingsSheetShowsTheEditionsColumnsAndRowActions)
{
    gShowPublishExtColumn = true;
    gUsesPageOrderIndex = true;
    makePage(project, QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("first"));
    makePage(project, QStringLiteral("basetemplate"), QStringLiteral("Base"), QStringLiteral("base"));
    makePage(project, QStringLiteral("news"), QStringLiteral("News"), QStringLiteral("second"));
    ProjectPages &p = openProject();
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::darkGreen);
    WebsiteSettingsWindowController sheet(WebsiteSettingsRows::fromPages(p.scan.siteIconArray),
                                          {QStringLiteral("My Site"), QStringLiteral("A site")}, icon);
    sheet.show();
    EXPECT_EQ(sheet.tableView()->columnCount(), 8);
    EXPECT_EQ(sheet.tableView()->rowCount(), 3);
    EXPECT_TRUE(sheet.moveUpButton->isVisibleTo(&sheet));
    const int base = int(p.scan.grabZovButtonWithPageName(QStringLiteral("basetemplate.zovweb")));
    ASSERT_GE(base, 0);
    // The base template's row has no inherit boxes.
    EXPECT_EQ(sheet.tableView()->cellWidget(base, 4), nullptr);
    EXPECT_NE(sheet.tableView()->cellWidget(base == 0 ? 1 : 0, 4), nullptr);
    picture(sheet, QStringLiteral("WebsiteSettingsWindowController"));

    sheet.setRowSelected(0, true);
    sheet.duplicateButton->click();
    EXPECT_EQ(sheet.tableView()->rowCount(), 4);
    EXPECT_TRUE(sheet.rows().rows[1].duplicate);

    bool saved = false;
    sheet.onSave = [&](const WebsiteSettingsRows &rows, const SiteSettings &site, const QImage &favicon) {
        saved = true;
        EXPECT_EQ(rows.rows.size(), 4);
        EXPECT_EQ(site.title, QStringLiteral("My Site"));
        EXPECT_EQ(favicon.size(), QSize(16, 16));
    };
    sheet.saveButton->click();
    EXPECT_TRUE(saved);

    gShowPublishExtColumn = false;
    gUsesPageOrderIndex = false;
    WebsiteSettingsWindowController plain(WebsiteSettingsRows::fromPages(p.scan.siteIconArray), {}, {});
    EXPECT_EQ(plain.tableView()->columnCount(), 3);
    EXPECT_FALSE(plain.moveUpButton->isVisibleTo(&plain));
    EXPECT_FALSE(plain.websiteTitleTextField->isVisibleTo(&plain));
}

TEST_F(WindowSheetsUiTest, ProjectCommandsNeedAProjectAndPageCommandsAPage)
{
    CommandRegistry::clear();
    registerWindowSheetCommands();
    SKTDocument doc;
    ActionMap alone;
    DocumentWindowContext pageOnly;
    pageOnly.document = [&doc] { return &doc; };
    CommandRegistry::installWindowCommands(alone, pageOnly);
    makePage(project, QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("first"));
    ProjectPages &p = openProject();
    ActionMap inProject;
    DocumentWindowContext full;
    full.document = [&p] { return &p.document(); };
    full.project = &p;
    CommandRegistry::installWindowCommands(inProject, full);
    for (const char *name : {"showAddNewPageWindow", "showAddNewFromTemplateWindow", "showAddNewFormWindow",
                             "showAddBaseTemplateWindow", "addNewDirectlyFromTemplate", "showWebsitePreferences",
                             "exportAllFileTo", "generatePhotoPages", "refreshWebsite", "totalRefreshWebsite",
                             "directlyAddBlankPage"}) {
        SCOPED_TRACE(name);
        ActionItemState item;
        item.action = QString::fromLatin1(name);
        EXPECT_FALSE(alone.validateAction(item));
        EXPECT_TRUE(inProject.validateAction(item));
    }
    for (const char *name : {"showAdjustCanvasSheet", "showAdjustPageNumberSheet", "resetCanvasSize", "rotateCanvas0"}) {
        SCOPED_TRACE(name);
        ActionItemState item;
        item.action = QString::fromLatin1(name);
        EXPECT_TRUE(alone.validateAction(item));
    }
    CommandRegistry::clear();
}

// The base template's page-number placeholder shows each page's position.
TEST_F(WindowSheetsUiTest, BaseTemplatePageNumbersFollowThePageList)
{
    gUsesPageOrderIndex = true;
    gReplacePageNumbers = true;
    makePage(project, QStringLiteral("basetemplate"), QStringLiteral("Base"), QStringLiteral("Page [PAGE_NUMBER]"));
    for (const char *name : {"a", "b", "c"})
        makePage(project, QString::fromLatin1(name), QStringLiteral("T"), QStringLiteral("own"), 1);
    ProjectPages &p = openProject();
    for (const char *name : {"a", "c"}) {
        const int index = p.scan.grabZovButtonWithPageName(QString::fromLatin1(name) + QStringLiteral(".zovweb"));
        ASSERT_GE(index, 0);
        ASSERT_TRUE(p.launchSelected(index));
        QStringList texts;
        for (const auto &g : p.document().graphics())
            texts << g->textString();
        EXPECT_TRUE(texts.contains(QStringLiteral("Page %1").arg(index))) << texts.join(QLatin1Char('|')).toStdString();
    }
}

// The settings sheet's selection column, clicked as a user clicks it: the
// ticked rows are the ones the row buttons move, copy and drop, and a tick
// stays with its page when the rows are redrawn in a new order.
TEST_F(WindowSheetsUiTest, SelectionBoxesClickedInTheSheetChooseTheRowsTheButtonsActOn)
{
    gUsesPageOrderIndex = true;
    for (const char *name : {"a", "b", "c"})
        makePage(project, QString::fromLatin1(name), QString::fromLatin1(name).toUpper(), QStringLiteral("text"));
    ProjectPages &p = openProject();
    WebsiteSettingsWindowController sheet(WebsiteSettingsRows::fromPages(p.scan.siteIconArray), {}, {});
    sheet.resize(1000, 600);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    const auto box = [&](int row) { return sheet.tableView()->cellWidget(row, 0)->findChild<QCheckBox *>(); };
    const auto names = [&] {
        QStringList list;
        for (const WebsiteSettingsRow &r : sheet.rows().rows)
            list << r.fileName + (r.selected ? QStringLiteral("*") : QString());
        return list;
    };
    const QStringList start = names();
    ASSERT_EQ(start.size(), 3);

    ASSERT_NE(box(0), nullptr);
    QTest::mouseClick(box(0), Qt::LeftButton, {}, box(0)->rect().center());
    EXPECT_TRUE(box(0)->isChecked());
    EXPECT_EQ(names(), (QStringList{start[0] + "*", start[1], start[2]}));

    QTest::mouseClick(sheet.moveDownButton, Qt::LeftButton);
    EXPECT_EQ(names(), (QStringList{start[1], start[0] + "*", start[2]}));
    EXPECT_FALSE(box(0)->isChecked());
    EXPECT_TRUE(box(1)->isChecked());

    // A second click takes the tick away: nothing is acted on.
    QTest::mouseClick(box(1), Qt::LeftButton, {}, box(1)->rect().center());
    QTest::mouseClick(sheet.deleteButton, Qt::LeftButton);
    EXPECT_EQ(names(), (QStringList{start[1], start[0], start[2]}));

    QTest::mouseClick(box(2), Qt::LeftButton, {}, box(2)->rect().center());
    QTest::mouseClick(sheet.duplicateButton, Qt::LeftButton);
    ASSERT_EQ(sheet.rows().rows.size(), 4);
    EXPECT_EQ(sheet.rows().rows[3].fileName, start[2] + "Copy");
    EXPECT_FALSE(box(3)->isChecked());
    QTest::mouseClick(sheet.deleteButton, Qt::LeftButton);
    EXPECT_EQ(names(), (QStringList{start[1], start[0], start[2] + "Copy"}));
}
