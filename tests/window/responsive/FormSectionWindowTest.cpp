// The form edition's fields dropped into the columns of a section from the
// palette, as a hand drags them: the drag may enter the canvas anywhere (over
// a field, beside the section) before it reaches the free spot where it is
// released. Every field, the choice groups with all their options, and the
// Bot Checker land in the column they were dropped in, and the section grows
// to hold them. Published, the form is the responsive page and works.
#include "support/RealProgram.h"
#include "support/ResponsivePageJourney.h"
#include "support/TestServer.h"

#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/CredentialStore.h"
#include "platform/UserDefaults.h"
#include "window/ui/SKTWindowController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace ResponsivePageJourney;

// A point of the column's content that no graphic covers, from the top down.
QPointF freePoint(SKTWindowController &window, SKTTable &section, int column)
{
    section.drawBoxModel();
    const QRectF cell = cellRect(section, column);
    const QRectF content = section.contentRect();
    for (double y = std::max(cell.top(), content.top()) + 5; y < content.bottom() - 5; y += 5) {
        const QPointF p(cell.left() + 40, y);
        bool covered = false;
        for (const auto &g : window.document().graphics())
            if (!g->isSection() && g->bounds().adjusted(-2, -2, 2, 2).contains(p))
                covered = true;
        if (!covered)
            return p;
    }
    return {};
}

class FormSectionWindowTest : public RealProgramTest {};

} // namespace

TEST_F(FormSectionWindowTest, FieldsAndTheBotCheckerDraggedFromThePaletteLandInTheirColumn)
{
    launchAs(QStringLiteral("Tovra Responsive Form Designer"));
    SKTWindowController *w = newPageWindow();
    ASSERT_NE(w, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    double top = 40;
    for (const auto &g : w->document().graphics())
        top = std::max(top, std::ceil(g->bounds().bottom()) + 20);
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, top)));
    SKTTable *section = firstSection(*w);
    ASSERT_NE(section, nullptr);

    // Each entry comes in from the palette side: it enters the canvas to the
    // right of the section, where nothing can be dropped, crosses the page
    // and is released at a free spot of its column.
    const char *const entries[] = {"zov_textfield", "zov_emailtextfield", "zov_paragraph", "zov_multiplechoice",
                                   "zov_checkboxes", "zov_submitbutton", "zov_botchecker"};
    int column = 0;
    for (const char *name : entries) {
        SCOPED_TRACE(name);
        const QPointF at = freePoint(*w, *section, column);
        ASSERT_FALSE(at.isNull());
        const QPointF entry(section->bounds().right() + 30, at.y());
        QSet<SKTGraphic *> before;
        for (const auto &g : w->document().graphics())
            before.insert(g.get());
        ASSERT_TRUE(dragPaletteEntryAlong(*w, QString::fromLatin1(name), {entry, (entry + at) / 2, at}));
        QList<SKTGraphic *> added;
        for (const auto &g : w->document().graphics())
            if (!before.contains(g.get()))
                added << g.get();
        ASSERT_FALSE(added.isEmpty());
        // Every part of it (a group's every option) is in the column and
        // inside the section, grown as far as it needed.
        section->drawBoxModel();
        for (SKTGraphic *g : added) {
            EXPECT_EQ(g->sectionNumber(), section->sectionNumber());
            EXPECT_EQ(g->sectionColumnSpot(), column);
            EXPECT_LE(g->bounds().bottom(), section->contentRect().bottom());
        }
        column = 1 - column;
    }
}

// A form made in the window and published with "Publish This Page" to an FTP
// server of the test's own: the page that arrives is the responsive page
// (Bootstrap columns) with a working form: named inputs, the check script
// with the bot question, a mailer whose message holds no PHP source, and
// PHP that parses.
TEST_F(FormSectionWindowTest, APublishedFormIsTheResponsivePageWithAWorkingForm)
{
    launchAs(QStringLiteral("Tovra Responsive Form Designer"));
    SKTWindowController *w = newPageWindow();
    ASSERT_NE(w, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    double top = 40;
    for (const auto &g : w->document().graphics())
        top = std::max(top, std::ceil(g->bounds().bottom()) + 20);
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, top)));
    SKTTable *section = firstSection(*w);
    ASSERT_NE(section, nullptr);
    int column = 0;
    for (const char *name : {"zov_textfield", "zov_emailtextfield", "zov_checkboxes", "zov_submitbutton", "zov_botchecker"}) {
        SCOPED_TRACE(name);
        const QPointF at = freePoint(*w, *section, column);
        ASSERT_FALSE(at.isNull());
        ASSERT_TRUE(dropPaletteEntry(*w, QString::fromLatin1(name), at));
        column = 1 - column;
    }

    QTemporaryDir root;
    TestServer server(QStringLiteral("pyftpd_server.py"), {root.path()});
    ASSERT_TRUE(server.ok());
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(QStringLiteral("127.0.0.1"), QStringLiteral("server"));
    defaults.setString(server.value("user"), QStringLiteral("username"));
    defaults.setString(QString::number(server.port()), QStringLiteral("portnumber"));
    defaults.setString(QStringLiteral("http://127.0.0.1:9"), QStringLiteral("baseurl"));
    ASSERT_TRUE(CredentialStore().setPassword(QStringLiteral("password"), server.value("password")));
    // The address the form settings sheet would take.
    w->document().siteFeedbackEmail = QStringLiteral("forms@example.com");
    alerts.answer(QStringLiteral("Proceed"));
    QString why;
    ASSERT_TRUE(MenuPath::trigger(w, QStringLiteral("Publish/Publish This Page"), &why)) << qPrintable(why);
    QString published;
    spinUntil([&root, &published] {
        const QStringList pages = QDir(root.path()).entryList({QStringLiteral("*.php")}, QDir::Files);
        published = pages.isEmpty() ? QString() : QDir(root.path()).filePath(pages.front());
        return !published.isEmpty() && QFileInfo(published).size() > 0;
    }, 30000);
    ASSERT_FALSE(published.isEmpty()) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    spinUntil([] { return false; }, 500);  // the upload finishes writing
    QFile file(published);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());

    EXPECT_TRUE(page.contains(QStringLiteral("bootstrap.min.css")));
    EXPECT_EQ(page.count(QStringLiteral(" col-xs-12 col-sm-6 col-md-6 col-lg-6\">")), 2);
    EXPECT_TRUE(page.contains(QStringLiteral("onsubmit=\"return validateForm();\" method=post>")));
    EXPECT_TRUE(page.contains(QStringLiteral("type=\"text\" name=form")));
    EXPECT_TRUE(page.contains(QStringLiteral("type=\"checkbox\" value=\"Checkbox Option 4\"")));
    EXPECT_TRUE(page.contains(QStringLiteral("type=\"submit\" value=\"Submit\"")));
    EXPECT_TRUE(page.contains(QStringLiteral("botCheckerValue=document.forms[")));
    EXPECT_TRUE(page.contains(QStringLiteral("mail('forms@example.com'")));
    for (const QString &line : page.split(QLatin1Char('\n')))
        if (line.contains(QStringLiteral("mail('")))
            EXPECT_FALSE(line.contains(QStringLiteral("<?php"))) << qPrintable(line);

    QProcess lint;
    lint.start(QStringLiteral("php"), {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("short_open_tag=Off"),
                                       QStringLiteral("-l"), published});
    ASSERT_TRUE(lint.waitForFinished(30000)) << "php could not be run";
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardOutput().toStdString() << lint.readAllStandardError().toStdString();
    w->document().markClean();
}
