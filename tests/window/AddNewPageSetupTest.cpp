// The add-page sheet's set-ups and its confirm step.
#include "ProjectFixture.h"

#include "window/AddNewPageSetup.h"

class AddNewPageSetupTest : public ProjectTest {};

TEST_F(AddNewPageSetupTest, TheFourSetUpsFollowTheProjectAndEdition)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("first"));
    ProjectPages &p = openProject();
    gMainLaunchPageOption = true;

    const auto blank = AddNewPageSetup::setUp(AddNewPageKind::BlankPage, p.scan);
    EXPECT_EQ(blank.form.pageFileType, QStringLiteral("zovweb"));
    EXPECT_EQ(blank.form.selectedTemplateName, QStringLiteral("Blank.zovweb"));
    EXPECT_EQ(blank.form.selectedTemplateCategoryFolder, QStringLiteral("blank"));
    EXPECT_EQ(blank.form.fileName, p.scan.generateDefaultPageName());
    EXPECT_TRUE(blank.mainLaunchHidden);
    EXPECT_TRUE(blank.chooseTemplateHidden);
    EXPECT_EQ(blank.addButtonTitle, QStringLiteral("Add"));
    // No base template in the project: the apply box is hidden everywhere.
    EXPECT_TRUE(blank.applyBaseTemplateHidden);
    EXPECT_FALSE(blank.form.applyBaseTemplate);

    const auto fromTemplate = AddNewPageSetup::setUp(AddNewPageKind::FromTemplate, p.scan);
    EXPECT_TRUE(fromTemplate.addButtonHidden);
    EXPECT_FALSE(fromTemplate.chooseTemplateHidden);
    EXPECT_TRUE(fromTemplate.applyBaseTemplateHidden);

    const auto form = AddNewPageSetup::setUp(AddNewPageKind::FormPage, p.scan);
    EXPECT_EQ(form.form.pageFileType, QStringLiteral("trelkoforms"));
    EXPECT_EQ(form.form.selectedTemplateName, QStringLiteral("Blank.trelkoforms"));
    EXPECT_EQ(form.form.selectedTemplateCategoryFolder, QStringLiteral("forms"));
    EXPECT_EQ(form.addButtonTitle, QStringLiteral("Add Form"));
    EXPECT_FALSE(form.mainLaunchHidden);
    gAppName = QStringLiteral("Trelko Forms Pro");
    EXPECT_EQ(AddNewPageSetup::setUp(AddNewPageKind::FormPage, p.scan).form.selectedTemplateCategoryFolder,
              QStringLiteral("blank"));

    const auto base = AddNewPageSetup::setUp(AddNewPageKind::BaseTemplate, p.scan);
    EXPECT_EQ(base.form.pageTitle, QStringLiteral("Base Template"));
    EXPECT_FALSE(base.titleEditable);
    EXPECT_EQ(base.form.fileName, QStringLiteral("basetemplate"));
    EXPECT_TRUE(base.mainLaunchHidden);
    EXPECT_TRUE(base.applyBaseTemplateHidden);
    EXPECT_TRUE(base.fileNameGenerationHidden);
    EXPECT_EQ(base.addButtonTitle, QStringLiteral("Add Blank"));

    // With a base template the blank and form sheets start with the box on.
    makePage(project, QStringLiteral("basetemplate"), QStringLiteral("Base"), QStringLiteral("base"));
    p.refreshWebsite();
    for (auto kind : {AddNewPageKind::BlankPage, AddNewPageKind::FormPage}) {
        const auto s = AddNewPageSetup::setUp(kind, p.scan);
        EXPECT_FALSE(s.applyBaseTemplateHidden);
        EXPECT_TRUE(s.form.applyBaseTemplate);
    }
    EXPECT_FALSE(AddNewPageSetup::setUp(AddNewPageKind::FromTemplate, p.scan).applyBaseTemplateHidden);
}

TEST_F(AddNewPageSetupTest, ConfirmChecksTheNameAndKeepsTheEntriesOnARefusal)
{
    makePage(project, QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("first"));
    makePage(project, QStringLiteral("contact"), QStringLiteral("Contact"), QStringLiteral("form"), 0,
             QStringLiteral("trelkoforms"));
    ProjectPages &p = openProject();
    struct Case {
        AddNewPageKind kind;
        QString fileName;
        QString message;  // "" when the page may be made
    };
    const Case cases[] = {
        {AddNewPageKind::BlankPage, QString(), QStringLiteral("File Name Is Empty")},
        {AddNewPageKind::BlankPage, QStringLiteral("home"), QStringLiteral("File Name Conflict")},
        {AddNewPageKind::FormPage, QStringLiteral("home"), QStringLiteral("Please Rename")},
        {AddNewPageKind::BlankPage, QStringLiteral("contact"), QStringLiteral("Please Rename")},
        {AddNewPageKind::BlankPage, QStringLiteral("my page"), QStringLiteral("File Name Characters")},
        {AddNewPageKind::BlankPage, QStringLiteral("news#1"), QStringLiteral("File Name Characters")},
        {AddNewPageKind::BlankPage, QStringLiteral("news_2-b"), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fileName.toStdString());
        auto state = AddNewPageSetup::setUp(c.kind, p.scan);
        state.form.pageTitle = QStringLiteral("Typed title");
        state.form.fileName = c.fileName;
        const int before = alerts.count();
        const auto request = AddNewPageSetup::confirm(state, project);
        if (c.message.isEmpty()) {
            ASSERT_TRUE(request.has_value());
            EXPECT_EQ(*request->fileNameField, c.fileName);
            EXPECT_EQ(request->pageTitle, QStringLiteral("Typed title"));
            EXPECT_EQ(alerts.count(), before);
        } else {
            EXPECT_FALSE(request.has_value());
            ASSERT_EQ(alerts.count(), before + 1);
            EXPECT_EQ(alerts.last().messageText, c.message);
            // The sheet's entries are untouched, ready for a corrected name.
            EXPECT_EQ(state.form.pageTitle, QStringLiteral("Typed title"));
        }
    }
    EXPECT_EQ(alerts.shown()[1].alert.informativeText,
              QStringLiteral("Sorry a file named \"home\" already exists at this location."));

    // The direct route names the page before the chooser picks its template.
    auto direct = AddNewPageSetup::direct(p.scan);
    AddNewPageSetup::chooseTemplate(direct, QStringLiteral("Fancy.zovweb"), QStringLiteral("business"));
    EXPECT_EQ(AddNewPageSetup::proposedFileName(direct), p.scan.generateDefaultPageName() + QStringLiteral(".zovweb"));
    const auto request = AddNewPageSetup::confirm(direct, project);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->selectedTemplateCategoryFolder, QStringLiteral("business"));
    EXPECT_EQ(request->selectedTemplateName, QStringLiteral("Fancy.zovweb"));
}
