#include "platform/Alerts.h"
#include "platform/FilePanels.h"
#include "platform/ui/QtAlerts.h"
#include "platform/ui/QtFilePanels.h"
#include "support/ScriptedAlerts.h"
#include "support/ScriptedFilePanels.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace {

template <typename T>
T *waitForTopLevel(int msecs = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < msecs) {
        QCoreApplication::processEvents();
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
                return t;
        }
    }
    return nullptr;
}

Alert confirmUpload()
{
    Alert alert;
    alert.messageText = "Confirm Upload";
    alert.informativeText = "index.html and related files will be uploaded.";
    alert.buttons = {"Proceed", "Cancel"};
    return alert;
}

}  // namespace

TEST(ScriptedAlerts, AnswersTheScriptedButtonAndRecordsTheTexts)
{
    ScriptedAlerts alerts;
    alerts.answer("Cancel");
    alerts.answerIndex(0);
    QList<int> responses;
    Alerts::ask(confirmUpload(), nullptr, [&](int r) { responses << r; });
    Alerts::ask(confirmUpload(), nullptr, [&](int r) { responses << r; });
    Alerts::ask(confirmUpload(), nullptr, [&](int r) { responses << r; });  // unscripted: first button
    EXPECT_EQ(responses, (QList<int>{1001, 1000, 1000}));
    ASSERT_EQ(alerts.count(), 3);
    EXPECT_EQ(alerts.last().informativeText, "index.html and related files will be uploaded.");
    EXPECT_EQ(alerts.messages(), (QStringList{"Confirm Upload", "Confirm Upload", "Confirm Upload"}));
    EXPECT_TRUE(alerts.mismatches().isEmpty());
}

TEST(ScriptedAlerts, DefaultAlternateOtherFormAndTextField)
{
    ScriptedAlerts alerts;
    Alert alert;
    alert.messageText = "Rename Page";
    alert.buttons = {"Save", "Don't Save", "Cancel"};
    alert.defaultAlternateOtherForm = true;
    alert.hasTextField = true;
    alert.textFieldValue = "index";
    alerts.answer("Save", "home");
    alerts.answer("Cancel");
    alerts.answer("No such button");
    QList<AlertReply> replies;
    for (int i = 0; i < 3; ++i)
        Alerts::current().show(alert, nullptr, [&](const AlertReply &r) { replies << r; });
    ASSERT_EQ(replies.size(), 3);
    EXPECT_EQ(replies[0].response, Alert::DefaultReturn);
    EXPECT_EQ(replies[0].text, "home");
    EXPECT_EQ(replies[1].response, Alert::OtherReturn);
    EXPECT_EQ(replies[1].text, "index");
    EXPECT_EQ(alerts.mismatches(), QStringList{"No such button"});
}

TEST(Alerts, WithoutAnImplementationTheLastButtonAnswers)
{
    int response = 0;
    Alerts::ask(confirmUpload(), nullptr, [&](int r) { response = r; });
    EXPECT_EQ(response, 1001);
    QStringList paths{"x"};
    FilePanels::current().showOpenPanel({}, nullptr, [&](const QStringList &p) { paths = p; });
    EXPECT_TRUE(paths.isEmpty());
}

TEST(QtAlerts, MessageBoxAnswersWithoutANestedLoop)
{
    QtAlerts qtAlerts;
    QWidget window;
    window.show();
    Alert alert = confirmUpload();
    alert.hasTextField = true;
    alert.textFieldValue = "draft";
    int response = 0;
    QString text;
    bool returned = false;
    qtAlerts.show(alert, &window, [&](const AlertReply &r) {
        response = r.response;
        text = r.text;
    });
    returned = true;  // show() came back before anyone answered
    EXPECT_TRUE(returned);
    EXPECT_EQ(response, 0);
    auto *box = waitForTopLevel<QMessageBox>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "Confirm Upload");
    auto *field = box->findChild<QLineEdit *>();
    ASSERT_NE(field, nullptr);
    field->setText("final");
    QPushButton *cancel = nullptr;
    for (QAbstractButton *b : box->buttons()) {
        if (b->text() == "Cancel")
            cancel = qobject_cast<QPushButton *>(b);
    }
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(response, 1001);
    EXPECT_EQ(text, "final");
}

TEST(ScriptedFilePanels, AnswersAndRecords)
{
    ScriptedFilePanels panels;
    panels.answer("/home/u/site/index.zov");
    panels.answerCancel();
    SavePanelOptions save;
    save.nameFieldValue = "index";
    save.allowedTypes = {"zov"};
    QString saved = "unset";
    FilePanels::current().showSavePanel(save, nullptr, [&](const QString &p) { saved = p; });
    EXPECT_EQ(saved, "/home/u/site/index.zov");
    QStringList opened{"unset"};
    FilePanels::current().showOpenPanel({}, nullptr, [&](const QStringList &p) { opened = p; });
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(panels.savePanels().size(), 1);
    EXPECT_EQ(panels.savePanels().first().nameFieldValue, "index");
    EXPECT_EQ(panels.openPanels().size(), 1);
}

class QtFilePanelsTest : public TempDirTest {};

TEST_F(QtFilePanelsTest, OpenDialogAnswersWithTheChosenFile)
{
    QFile file(path("page.zov"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    // Drive Qt's own dialog; a desktop's native one cannot be scripted.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QtFilePanels panels;
    OpenPanelOptions options;
    options.directory = path();
    options.allowedTypes = {"zov"};
    QStringList chosen{"unset"};
    panels.showOpenPanel(options, nullptr, [&](const QStringList &p) { chosen = p; });
    auto *dialog = waitForTopLevel<QFileDialog>();
    ASSERT_NE(dialog, nullptr);
    auto *nameField = dialog->findChild<QLineEdit *>("fileNameEdit");
    ASSERT_NE(nameField, nullptr);
    nameField->setText("page.zov");
    static_cast<QDialog *>(dialog)->accept();
    QElapsedTimer clock;
    clock.start();
    while (chosen == QStringList{"unset"} && clock.elapsed() < 3000)
        QCoreApplication::processEvents();
    EXPECT_EQ(chosen, QStringList{path("page.zov")});
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
}
