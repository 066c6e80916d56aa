// The form edition's fields dropped into the columns of a section from the
// palette, as a hand drags them: the drag may enter the canvas anywhere (over
// a field, beside the section) before it reaches the free spot where it is
// released. Every field, the choice groups with all their options, and the
// Bot Checker land in the column they were dropped in, and the section grows
// to hold them. Published, the form is the responsive page and works.
#include "support/PublishSettings.h"
#include "support/RealProgram.h"
#include "support/ResponsivePageJourney.h"
#include "support/TestServer.h"

#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "platform/CredentialStore.h"
#include "platform/UserDefaults.h"
#include "window/ui/SKTWindowController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace ResponsivePageJourney;

class FormSectionWindowTest : public RealProgramTest {
protected:
    // A new form page with a 2-column section dropped below what the page holds.
    void pageWithSection(SKTWindowController *&w, SKTTable *&section)
    {
        launchAs(QStringLiteral("Tovra Responsive Form Designer"));
        w = newPageWindow();
        ASSERT_NE(w, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
        double top = 40;
        for (const auto &g : w->document().graphics())
            top = std::max(top, std::ceil(g->bounds().bottom()) + 20);
        ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_section2"), QPointF(300, top)));
        section = firstSection(*w);
        ASSERT_NE(section, nullptr);
    }

    // A new form page with a 2-column section below what the page holds, and a
    // text field and the Bot Checker dropped into its first column.
    void sectionWithTextFieldAndBotChecker(SKTWindowController *&w, SKTTable *&section)
    {
        ASSERT_NO_FATAL_FAILURE(pageWithSection(w, section));
        for (const char *name : {"zov_textfield", "zov_botchecker"}) {
            const QPointF at = freePoint(*w, *section, 0);
            ASSERT_FALSE(at.isNull());
            ASSERT_TRUE(dropPaletteEntry(*w, QString::fromLatin1(name), at)) << name;
        }
    }
};

} // namespace

TEST_F(FormSectionWindowTest, FieldsAndTheBotCheckerDraggedFromThePaletteLandInTheirColumn)
{
    SKTWindowController *w = nullptr;
    SKTTable *section = nullptr;
    ASSERT_NO_FATAL_FAILURE(pageWithSection(w, section));

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
    SKTWindowController *w = nullptr;
    SKTTable *section = nullptr;
    ASSERT_NO_FATAL_FAILURE(pageWithSection(w, section));
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
    ASSERT_TRUE(storePublishSettings(server));
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

// A section laid out again (here: a button joins its first column) keeps its form
// items apart: the bot check's answer field stays beside its question, at
// its own size, and a text field's input stays under its label, flush with
// it. No two members overlap that did not before.
TEST_F(FormSectionWindowTest, ASectionLaidOutAgainKeepsItsFormItemsApart)
{
    SKTWindowController *w = nullptr;
    SKTTable *section = nullptr;
    ASSERT_NO_FATAL_FAILURE(sectionWithTextFieldAndBotChecker(w, section));
    SKTText *question = nullptr;
    SKTText *answer = nullptr;
    SKTText *label = nullptr;
    SKTText *input = nullptr;
    for (const auto &g : w->document().graphics()) {
        auto *t = dynamic_cast<SKTText *>(g.get());
        if (!t)
            continue;
        if (t->formOptionTag() == -22)
            (t->formType() == QLatin1String("textLabel") ? question : answer) = t;
        else if (t->formOptionTag() == -99 && t->formType() == QLatin1String("textLabel"))
            label = t;
        else if (t->formOptionTag() == -99 && t->formType() == QLatin1String("text"))
            input = t;
    }
    ASSERT_TRUE(question && answer && label && input);
    const QSizeF questionSize = question->bounds().size();
    const QSizeF answerSize = answer->bounds().size();
    QHash<SKTGraphic *, QRectF> before;
    for (SKTGraphic *g : sectionMembers(*w))
        before.insert(g, g->bounds());

    // A submit button dragged from the second column into the first: the
    // first column is laid out again around it.
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_submitbutton"), freePoint(*w, *section, 1)));
    SKTGraphic *button = nullptr;
    for (const auto &g : w->document().graphics())
        if (g->formType() == QLatin1String("submit"))
            button = g.get();
    ASSERT_NE(button, nullptr);
    ASSERT_EQ(button->sectionColumnSpot(), 1);
    const QPointF target = freePoint(*w, *section, 0);
    ASSERT_FALSE(target.isNull());
    w->graphicView().deselectAll();
    dragOnCanvas(*w, button->bounds().center(), target);
    ASSERT_EQ(button->sectionColumnSpot(), 0) << "the button did not join the first column";

    EXPECT_FALSE(question->bounds().intersects(answer->bounds()))
        << "question " << question->bounds().left() << ".." << question->bounds().right() << ", answer "
        << answer->bounds().left() << ".." << answer->bounds().right();
    EXPECT_GE(answer->bounds().left(), question->bounds().right());
    EXPECT_EQ(question->bounds().size(), questionSize);
    EXPECT_EQ(answer->bounds().size(), answerSize);
    EXPECT_EQ(input->bounds().left(), label->bounds().left());
    EXPECT_GE(input->bounds().top(), label->bounds().bottom());
    const QList<SKTGraphic *> members = sectionMembers(*w);
    for (SKTGraphic *a : members)
        for (SKTGraphic *b : members)
            if (a != b && before.contains(a) && before.contains(b) && !before[a].intersects(before[b]))
                EXPECT_FALSE(a->bounds().intersects(b->bounds()))
                    << a->formType().toStdString() << " over " << b->formType().toStdString();
    w->document().markClean();
}

// File > Export > Image writes the page as a visitor or a printer sees it:
// the canvas's width and none of the editing aids (section outlines) the
// canvas draws around sections.
TEST_F(FormSectionWindowTest, AnExportedPictureIsThePageAsAVisitorSeesIt)
{
    SKTWindowController *w = nullptr;
    SKTTable *section = nullptr;
    ASSERT_NO_FATAL_FAILURE(pageWithSection(w, section));
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_textfield"), freePoint(*w, *section, 0)));
    double bottom = 0;
    for (const auto &g : w->document().graphics())
        bottom = std::max(bottom, g->bounds().bottom());

    const QString out = path(QStringLiteral("page.png"));
    panels.answer(out);
    QString why;
    ASSERT_TRUE(MenuPath::trigger(w, QStringLiteral("File/Export/Image"), &why)) << qPrintable(why);
    spinUntil([&] { return QFileInfo(out).size() > 0; }, 10000);
    const QImage picture(out);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), gCanvasWidth);
    // The whole canvas, as in every edition whose picture is its canvas (a
    // label's picture is the label): at least the page's content.
    EXPECT_GE(picture.height(), bottom);

    // Along the section's empty second column, where the canvas draws the
    // section's outline, the picture shows the page's own colours only.
    const QColor page = picture.pixelColor(picture.width() - 2, picture.height() - 2);
    const QRectF two = cellRect(*section, 1);
    const int y = int(two.center().y());
    int outlined = 0;
    for (int x = int(two.left()) - 3; x <= int(section->bounds().right()) + 2; ++x)
        if (x >= 0 && x < picture.width() && picture.pixelColor(x, y) != page)
            ++outlined;
    EXPECT_EQ(outlined, 0) << "pixels off the page colour across the empty column";
    w->document().markClean();
}

// A section dragged by hand, with its fields, moves whole; the window's menus
// keep checking the selection throughout.
TEST_F(FormSectionWindowTest, ASectionDraggedWithItsFieldsMovesWhole)
{
    SKTWindowController *w = nullptr;
    SKTTable *section = nullptr;
    ASSERT_NO_FATAL_FAILURE(sectionWithTextFieldAndBotChecker(w, section));
    ASSERT_TRUE(dropPaletteEntry(*w, QStringLiteral("zov_submitbutton"), freePoint(*w, *section, 1)));
    QHash<SKTGraphic *, QRectF> members;
    for (SKTGraphic *g : sectionMembers(*w))
        if (g->sectionNumber() == section->sectionNumber())
            members.insert(g, g->bounds());
    ASSERT_GE(members.size(), 4);
    const QPointF grip = freePoint(*w, *section, 1);
    ASSERT_FALSE(grip.isNull());
    const QRectF before = section->bounds();
    for (const double by : {300.0, -300.0, 300.0}) {
        w->graphicView().deselectAll();
        const QPointF from = freePoint(*w, *section, 1);
        ASSERT_FALSE(from.isNull());
        dragOnCanvas(*w, from, from + QPointF(0, by));
        settleEvents();
        ASSERT_EQ(firstSection(*w), section);
    }
    const double moved = section->bounds().top() - before.top();
    EXPECT_GT(moved, 200) << "the section did not follow the hand";
    for (auto it = members.cbegin(); it != members.cend(); ++it)
        EXPECT_EQ(it.key()->bounds().top() - it.value().top(), moved) << it.key()->formType().toStdString();
    w->document().markClean();
}
