// Every item of the Add New menu, in every web and form edition, reached as a
// person reaches it: the item inserts what its title names as one undo step,
// placed where it covers nothing and selected, or it opens its window; no item
// silently does nothing.
#include "support/RealProgram.h"

#include "canvas/SKTGraphicView.h"
#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QImage>
#include <QSet>

#include <iostream>
#include <gtest/gtest.h>

namespace {

QSet<SKTGraphic *> onPage(SKTWindowController *window)
{
    const QList<SKTGraphic *> list = window->document().graphicPointers();
    return QSet<SKTGraphic *>(list.cbegin(), list.cend());
}

QSet<QWidget *> shownWindows()
{
    QSet<QWidget *> set;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow())
            set.insert(w);
    return set;
}

// What the item's title promises: the class of the graphic it makes (and for
// tables and form fields their kind). Items not listed must insert anything
// or open a window.
struct Promise {
    QString className;
    QString gridType;   // tables
    QString formType;   // form fields; "-" a plain text (no form field), "*" any form field
};

const QHash<QString, Promise> &promises()
{
    static const QHash<QString, Promise> table = {
        {QStringLiteral("Text Box"), {QStringLiteral("SKTText"), {}, QStringLiteral("-")}},
        {QStringLiteral("Image"), {QStringLiteral("SKTImage"), {}, {}}},
        {QStringLiteral("Image Gallery"), {QStringLiteral("SKTGalleryGrid"), {}, {}}},
        {QStringLiteral("Slideshow"), {QStringLiteral("SKTSlideshow"), {}, {}}},
        {QStringLiteral("Table/Table"), {QStringLiteral("SKTTable"), QStringLiteral("table"), {}}},
        {QStringLiteral("Line"), {QStringLiteral("SKTLine"), {}, {}}},
        {QStringLiteral("Form Object/Text Field"), {QStringLiteral("SKTText"), {}, QStringLiteral("text")}},
        {QStringLiteral("Form Object/Email Field"), {QStringLiteral("SKTText"), {}, QStringLiteral("text")}},
        {QStringLiteral("Form Object/Paragraph Field"), {QStringLiteral("SKTText"), {}, QStringLiteral("textarea")}},
        {QStringLiteral("Form Object/Submit Button"), {QStringLiteral("SKTText"), {}, QStringLiteral("*")}},
    };
    return table;
}

class AddNewMenuTest : public RealProgramTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(AddNewMenuTest, EveryItemInsertsWhatItNamesAsOneStepOrOpensItsWindow)
{
    launchAs(QString::fromUtf8(GetParam()));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    const QString picture = writePhoto({120, 80});
    ASSERT_FALSE(picture.isEmpty());

    QStringList items;
    for (const QString &item : MenuPath::visibleItems(window))
        if (item.startsWith(QStringLiteral("Add New/")) && !item.startsWith(QStringLiteral("Add New/Place New Objects/")))
            items << item.mid(8);
    ASSERT_FALSE(items.isEmpty());
    QStringList report;
    for (const QString &item : items) {
        SCOPED_TRACE(item.toStdString());
        const QString plain = item.endsWith(QStringLiteral("...")) ? item.chopped(3) : item;
        const QSet<SKTGraphic *> before = onPage(window);
        const QSet<QWidget *> windowsBefore = shownWindows();
        const int alertsBefore = alerts.count();
        const qsizetype panelsBefore = panels.openPanels().size();
        panels.answer(picture);
        QString why;
        ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Add New/") + item, &why)) << qPrintable(why);
        spinUntil([&] { return onPage(window) != before; }, item.endsWith(QStringLiteral("...")) ? 3000 : 200);
        window->document().undoManager().closeAutomaticGroup();
        const QSet<SKTGraphic *> after = onPage(window);
        QSet<SKTGraphic *> fresh = after;
        fresh.subtract(before);

        if (fresh.isEmpty()) {
            const bool opened = shownWindows() != windowsBefore || panels.openPanels().size() > panelsBefore;
            EXPECT_TRUE(opened || alerts.count() > alertsBefore) << "silently did nothing";
            EXPECT_FALSE(promises().contains(plain)) << "inserted nothing";
            report << item + QStringLiteral(": ")
                          + (opened ? QStringLiteral("window")
                                    : alerts.count() > alertsBefore ? alerts.last().messageText : QStringLiteral("nothing"));
            for (QWidget *w : shownWindows())
                if (!windowsBefore.contains(w))
                    w->close();
            settleEvents();
            continue;
        }
        QStringList kinds;
        for (SKTGraphic *g : fresh)
            kinds << g->className();
        report << item + QStringLiteral(": ") + kinds.join(QLatin1Char(','));
        if (promises().contains(plain)) {
            const Promise promise = promises().value(plain);
            bool kept = false;
            for (SKTGraphic *g : fresh) {
                if (g->className() != promise.className)
                    continue;
                if (!promise.gridType.isEmpty() && g->gridType() != promise.gridType)
                    continue;
                if (promise.formType == QLatin1String("-") && !g->formType().isEmpty())
                    continue;
                if (promise.formType == QLatin1String("*") && g->formType().isEmpty())
                    continue;
                if (!promise.formType.isEmpty() && promise.formType != QLatin1String("-")
                    && promise.formType != QLatin1String("*") && g->formType() != promise.formType)
                    continue;
                kept = true;
            }
            EXPECT_TRUE(kept) << "made " << kinds.join(QLatin1Char(',')).toStdString();
        }
        // Selected, so the next change acts on it.
        const QList<SKTGraphic *> selected = window->graphicView().selectedGraphics();
        EXPECT_EQ(QSet<SKTGraphic *>(selected.cbegin(), selected.cend()), fresh);
        // One undo step takes it all away; redo brings it back.
        ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Edit/Undo"), &why)) << qPrintable(why);
        EXPECT_EQ(onPage(window), before);
        ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Edit/Redo"), &why)) << qPrintable(why);
        EXPECT_EQ(onPage(window), after);
        ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Edit/Undo"), &why)) << qPrintable(why);
    }
    std::cout << qPrintable(report.join(QLatin1Char('\n'))) << std::endl;
}

INSTANTIATE_TEST_SUITE_P(WebAndFormEditions, AddNewMenuTest,
                         ::testing::Values("", "HTML Zov Pro", "Mirvel Responsive Website Designer", "Tovra Markup",
                                           "Trelko Forms Pro", "Tovra Responsive Form Designer"));

struct PlacementCase {
    const char *edition;
    QStringList items;
};

class AddNewPlacementTest : public RealProgramTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(AddNewPlacementTest, NewObjectsLandOnFreeSpotsAndAreSelected)
{
    launchAs(QString::fromUtf8(GetParam().edition));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr);
    const QSet<SKTGraphic *> starter = onPage(window);
    QList<SKTGraphic *> added;
    for (const QString &item : GetParam().items) {
        const QSet<SKTGraphic *> before = onPage(window);
        QString why;
        ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("Add New/") + item, &why)) << qPrintable(why);
        QSet<SKTGraphic *> fresh = onPage(window);
        fresh.subtract(before);
        ASSERT_FALSE(fresh.isEmpty()) << qPrintable(item);
        const QList<SKTGraphic *> selected = window->graphicView().selectedGraphics();
        EXPECT_EQ(QSet<SKTGraphic *>(selected.cbegin(), selected.cend()), fresh) << qPrintable(item);
        added += fresh.values();
    }
    // Nothing new covers another new object or the starter page's content.
    QList<SKTGraphic *> others = added;
    for (SKTGraphic *g : starter)
        if (!g->isSection())
            others << g;
    for (qsizetype i = 0; i < added.size(); ++i)
        for (SKTGraphic *other : others)
            if (other != added[i])
                EXPECT_FALSE(added[i]->bounds().intersects(other->bounds()))
                    << added[i]->className().toStdString() << " at " << added[i]->bounds().x() << ","
                    << added[i]->bounds().y() << " covers " << other->className().toStdString() << " at "
                    << other->bounds().x() << "," << other->bounds().y();
}

INSTANTIATE_TEST_SUITE_P(
    Editions, AddNewPlacementTest,
    ::testing::Values(PlacementCase{"", {QStringLiteral("Text Box"), QStringLiteral("Text Box"), QStringLiteral("Text Box")}},
                      PlacementCase{"Trelko Forms Pro",
                                    {QStringLiteral("Form Object/Text Field"), QStringLiteral("Form Object/Email Field"),
                                     QStringLiteral("Form Object/Paragraph Field"),
                                     QStringLiteral("Form Object/Submit Button")}}));

}  // namespace
