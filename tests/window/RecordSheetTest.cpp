// The record forms reached by their menu commands: a new pet or person record
// becomes a page of the project, a refused file name keeps the form open, the
// open record is edited in place, and the base template is refused.
#include "ProjectFixture.h"

#include "platform/ui/CommandRegistry.h"
#include "window/ui/RecordCommands.h"
#include "window/ui/RecordSheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

class RecordSheetTest : public ProjectTest {
protected:
    void SetUp() override
    {
        ProjectTest::SetUp();
        gPatientProfileMode = true;
        registerRecordCommands();
    }
    void TearDown() override
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<RecordSheet *>(w))
                delete w;
        CommandRegistry::clear();
        ProjectTest::TearDown();
    }
    void install(ActionMap &map, ProjectPages &p)
    {
        DocumentWindowContext c;
        c.document = [&p] { return &p.document(); };
        c.project = &p;
        CommandRegistry::installWindowCommands(map, c);
    }
    static RecordSheet *shownSheet()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *s = qobject_cast<RecordSheet *>(w); s && s->isVisible())
                return s;
        return nullptr;
    }
    static void send(ActionMap &map, const char *name)
    {
        ActionItemState sender;
        sender.action = QString::fromLatin1(name);
        ASSERT_TRUE(map.respondsToAction(sender.action)) << name;
        map.performAction(sender.action, sender);
    }
};

TEST_F(RecordSheetTest, NewRecordsOfEitherKindBecomePages)
{
    struct Row {
        const char *action;
        ProfileRecord::Kind kind;
        const char *fileName;
        const char *title;
    };
    for (const Row &row : {Row{"showAddNewPatientWindow", ProfileRecord::Kind::Pet, "RexLee", "Ann Lee Rex Collie"},
                           Row{"showAddNewHumanPatientWindow", ProfileRecord::Kind::Person, "AnnLee", "Ann Lee"}}) {
        SCOPED_TRACE(row.action);
        gProfileFieldKeys = ProfileRecord::labels(row.kind);
        makePage(project, QStringLiteral("first"), QStringLiteral("First"), QStringLiteral("x"));
        ProjectPages &p = openProject();
        ActionMap map;
        install(map, p);
        send(map, row.action);
        RecordSheet *sheet = shownSheet();
        ASSERT_NE(sheet, nullptr);
        sheet->text(QStringLiteral("Owner First Name"))->setText(QStringLiteral("Ann"));
        sheet->text(QStringLiteral("Owner Last Name"))->setText(QStringLiteral("Lee"));
        sheet->textView(QStringLiteral("Notes"))->setPlainText(QStringLiteral("two\nlines"));
        sheet->sexControl()->setCurrentIndex(1);
        if (row.kind == ProfileRecord::Kind::Pet) {
            sheet->text(QStringLiteral("Pet Breed"))->setText(QStringLiteral("Collie"));
            // The file name follows the pet's name as it is typed.
            sheet->text(QStringLiteral("Pet Name"))->setText(QStringLiteral("Rex"));
            emit sheet->text(QStringLiteral("Pet Name"))->textEdited(QStringLiteral("Rex"));
            EXPECT_EQ(sheet->pageFileNameTextField()->text(), QStringLiteral("Rex"));
            EXPECT_FALSE(sheet->pageFileNameTextField()->isEnabled());
            sheet->fileNameGenerationControl()->setCurrentIndex(1);
            EXPECT_TRUE(sheet->pageFileNameTextField()->isEnabled());
        }
        // A taken name is refused and the form keeps what was typed.
        sheet->pageFileNameTextField()->setText(QStringLiteral("first"));
        sheet->saveButton()->click();
        EXPECT_TRUE(sheet->isVisible());
        EXPECT_GT(alerts.count(), 0);
        EXPECT_EQ(sheet->text(QStringLiteral("Owner First Name"))->text(), QStringLiteral("Ann"));

        sheet->pageFileNameTextField()->setText(QString::fromLatin1(row.fileName));
        sheet->saveButton()->click();
        EXPECT_FALSE(sheet->isVisible());
        EXPECT_EQ(QFileInfo(p.document().fileURLPath).completeBaseName(), QString::fromLatin1(row.fileName));
        EXPECT_EQ(p.document().profileDictionary.value(QStringLiteral("Notes")), QStringLiteral("two\nlines"));
        EXPECT_EQ(p.document().profileDictionary.value(QStringLiteral("Pet Sex")), QStringLiteral("1"));
        EXPECT_EQ(p.document().pageOfficialName, QString::fromLatin1(row.title));
        QFile::remove(p.document().fileURLPath);
        QFile::remove(QDir(project).filePath(QStringLiteral("first.zovweb")));
    }
}

TEST_F(RecordSheetTest, TheOpenRecordIsEditedAndTheBaseTemplateRefused)
{
    gProfileFieldKeys = ProfileRecord::labels(ProfileRecord::Kind::Pet);
    makePage(project, QStringLiteral("first"), QStringLiteral("First"), QStringLiteral("x"));
    ProjectPages &p = openProject();
    QMap<QString, QString> fields{{"Owner First Name", "Ann"}, {"Pet Name", "Rex"}, {"Pet Neuter Status", "1"},
                                  {"Birth Date Status", "1"}, {"Pet Birth Date", "Mar 05 2020"}};
    ASSERT_TRUE(p.saveNewProfile(ProfileRecord::Kind::Pet, QStringLiteral("Rex"), fields)) << p.lastError.toStdString();
    ActionMap map;
        install(map, p);
    send(map, "showUpdatePatientProfileWindow");
    RecordSheet *sheet = shownSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->pageFileNameTextField()->text(), QStringLiteral("Rex"));
    EXPECT_EQ(sheet->text(QStringLiteral("Owner First Name"))->text(), QStringLiteral("Ann"));
    EXPECT_EQ(sheet->neuterControl()->currentIndex(), 1);
    EXPECT_TRUE(sheet->birthDateNotAvailableCheckbox()->isChecked());
    EXPECT_FALSE(sheet->birthDatePicker()->isEnabled());
    EXPECT_EQ(sheet->birthDatePicker()->date(), QDate(2020, 3, 5));
    sheet->text(QStringLiteral("Owner First Name"))->setText(QStringLiteral("Bea"));
    sheet->saveButton()->click();
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(p.document().profileDictionary.value(QStringLiteral("Owner First Name")), QStringLiteral("Bea"));
    EXPECT_EQ(p.document().profileDictionary.value(QStringLiteral("Pet Birth Date")), QStringLiteral("Mar 05 2020"));

    p.document().pageName = QStringLiteral("basetemplate");
    const int shown = alerts.count();
    send(map, "showUpdateHumanPatientProfileWindow");
    EXPECT_EQ(shownSheet(), nullptr);
    ASSERT_EQ(alerts.count(), shown + 1);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("This is the base template"));
    p.document().markClean();
}
