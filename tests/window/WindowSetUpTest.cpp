// A new document window's set-up: the canvas rulers measure in the unit
// the user or the edition chose, the label edition starts an empty page with
// the address block, and the toolbar speaks the installed translation.
#include "WindowFixture.h"

#include "app/SKTAppDelegate.h"
#include "canvas/ui/CanvasRuler.h"
#include "canvas/ui/SKTZoomingScrollView.h"
#include "document/DocumentController.h"
#include "insertion/ObjectMakers.h"
#include "config/RulerUnits.h"
#include "support/ScriptedFilePanels.h"
#include "window/ui/DocumentWindows.h"
#include "window/ui/SKTWindowController.h"

#include <QTest>
#include <QToolBar>
#include <QTranslator>

namespace {

QStringList labelsOf(const QList<RulerMark> &marks)
{
    QStringList labels;
    for (const RulerMark &m : marks)
        if (m.level == 0)
            labels << QStringLiteral("%1@%2").arg(m.label).arg(m.at);
    return labels;
}

} // namespace

TEST(CanvasRulerMarks, NumbersStandInTheUnitAtTheZoomShown)
{
    RulerUnits::reset();
    struct Case {
        const char *unit;
        double origin, zoom;
        int length;
        QStringList numbers;
    };
    const QList<Case> cases = {
        // Points: one canvas pixel each, numbered every 100 at full size.
        {"Points", 0, 1.0, 250, {"0@0", "100@100", "200@200"}},
        // Inches: 72 pixels, numbered at each inch.
        {"Inches", 0, 1.0, 160, {"0@0", "1@72", "2@144"}},
        // Zoomed in twice, an inch takes 144 screen pixels.
        {"Inches", 0, 2.0, 300, {"0@0", "1@144", "2@288"}},
        // Scrolled by 100 canvas pixels: the first inch mark after that.
        {"Inches", 100, 1.0, 120, {"2@44", "3@116"}},
        // Centimetres are too close at full size to number each: every 2.
        {"Centimeters", 0, 1.0, 130, {"0@0", "2@57", "4@113"}},
        // A name nobody registered measures in points.
        {"Furlongs", 0, 1.0, 120, {"0@0", "100@100"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.unit);
        CanvasRuler ruler(Qt::Horizontal);
        ruler.setUnitName(QString::fromLatin1(c.unit));
        EXPECT_EQ(labelsOf(CanvasRuler::marks(ruler.unit(), c.origin, c.zoom, c.length)), c.numbers);
    }
}

TEST(CanvasRulerMarks, FinerMarksFollowTheUnitsCycleAndStayApart)
{
    RulerUnits::reset();
    const RulerUnit inches = *RulerUnits::unit(QStringLiteral("Inches"));
    const QList<RulerMark> marks = CanvasRuler::marks(inches, 0, 1.0, 72);
    // 1 inch, halves, eighths (9 px); sixteenths would be 4.5 px: left out.
    ASSERT_EQ(marks.size(), 9);
    EXPECT_EQ(marks.at(4).at, 36);
    EXPECT_EQ(marks.at(4).level, 1);
    EXPECT_EQ(marks.at(1).at, 9);
    EXPECT_EQ(marks.at(1).level, 2);
    for (qsizetype i = 1; i < marks.size(); ++i)
        EXPECT_GE(marks.at(i).at - marks.at(i - 1).at, 5);

    // A unit with broken numbers gives no marks instead of looping.
    EXPECT_TRUE(CanvasRuler::marks({QStringLiteral("x"), {}, 0.0, {}, {}}, 0, 1.0, 100).isEmpty());
    EXPECT_TRUE(CanvasRuler::marks(inches, std::nan(""), 1.0, 100).isEmpty());
    // Scrolled so far that whole steps can no longer be told apart: the
    // walk still ends.
    EXPECT_LE(CanvasRuler::marks(inches, 1e300, 1.0, 100).size(), 22);
    // A step cycle that would not step up still ends.
    EXPECT_FALSE(CanvasRuler::marks({QStringLiteral("y"), {}, 0.001, {1.0}, {2.0}}, 0, 1.0, 100).isEmpty());
}

TEST(CanvasRulerMarks, ASheetsInchesAreItsOwnCanvasPixels)
{
    // A print sheet at 600 canvas pixels per inch re-registers "Inches":
    // a ruler already showing inches follows without being told.
    RulerUnits::reset();
    CanvasRuler ruler(Qt::Horizontal);
    ruler.resize(400, CanvasRuler::kThickness);
    ruler.setUnitName(QStringLiteral("Inches"));
    ruler.setZoom(0.25);
    ASSERT_TRUE(RulerUnits::registerUnit({QStringLiteral("Inches"), QStringLiteral("Inches"), 600.0, {10.0}, {0.5, 0.2}}));
    EXPECT_EQ(labelsOf(ruler.marks()), (QStringList{"0@0", "1@150", "2@300"}));
    RulerUnits::reset();
}

class WindowSetUpTest : public DocumentWindowTest {
protected:
    void SetUp() override
    {
        DocumentWindowTest::SetUp();
        RulerUnits::reset();
    }
    void TearDown() override
    {
        DocumentWindowTest::TearDown();
        RulerUnits::reset();
    }
    SKTWindowController *openWindow()
    {
        SKTAppDelegate::shared().launchSelectedWebsite(project, false);
        settle();
        return onlyWindow();
    }
    static QStringList units(SKTWindowController *w)
    {
        return {w->zoomingScrollView()->horizontalRuler()->unitName(),
                w->zoomingScrollView()->verticalRuler()->unitName()};
    }
    static int addressBlocks(const SKTDocument &doc)
    {
        int n = 0;
        for (const auto &g : doc.graphics())
            if (g->textString() == ObjectMakers::fullAddressText())
                ++n;
        return n;
    }
    ScriptedFilePanels panels;
};

TEST_F(WindowSetUpTest, TheStoredChoiceWinsOverTheEditionsUnitAndTheMenuChangesBothRulers)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("one"));
    // Nothing stored, no edition unit: points.
    SKTWindowController *w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(units(w), (QStringList{"Points", "Points"}));
    w->close();
    settle();

    // The edition's unit when the user chose none.
    gMeasurementUnit = QStringLiteral("Inches");
    w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(units(w), (QStringList{"Inches", "Inches"}));

    // The menu item changes both rulers at once and is remembered.
    w->resize(900, 600);
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    CanvasRuler *top = w->zoomingScrollView()->horizontalRuler();
    const QImage inchesLook = top->grab().toImage();
    ASSERT_TRUE(ResponderChain::send(w->responderChain(), QStringLiteral("updateRulers_centimeters"), {}));
    EXPECT_EQ(units(w), (QStringList{"Centimeters", "Centimeters"}));
    EXPECT_EQ(UserDefaults::standard().stringForKey(QStringLiteral("RulerUnits")), QStringLiteral("Centimeters"));
    EXPECT_NE(top->grab().toImage(), inchesLook);
    // The menu ticks the unit shown.
    for (const auto &[action, ticked] : {std::pair{"updateRulers_centimeters", true}, {"updateRulers_inches", false}}) {
        ActionItemState item;
        item.action = QString::fromLatin1(action);
        EXPECT_TRUE(ResponderChain::validate(w->responderChain(), item));
        EXPECT_EQ(item.checked, ticked) << action;
    }
    w->close();
    settle();

    // A stored choice wins over the edition's unit in the next window.
    w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(units(w), (QStringList{"Centimeters", "Centimeters"}));
}

TEST_F(WindowSetUpTest, TheLabelEditionPutsTheAddressBlockOnEachNewEmptyLabelOnce)
{
    gAppName = QStringLiteral("Tovra Label Maker");
    gReplacePageNumbers = true;
    gPageNoun = QStringLiteral("label");
    const QString folder = path(QStringLiteral("Labels"));
    panels.answer(folder);
    SKTAppDelegate::shared().addNewWebsite();
    settle();
    SKTWindowController *w = onlyWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(addressBlocks(w->document()), 1);
    EXPECT_EQ(w->document().graphics().size(), 1);
    EXPECT_EQ(w->document().graphics().first()->bounds().topLeft(), QPointF(10, 10));

    // A new label gets its own block, once.
    ASSERT_TRUE(ResponderChain::send(w->responderChain(), QStringLiteral("directlyAddBlankPage"), {}));
    settle();
    EXPECT_EQ(QFileInfo(w->document().fileURLPath).fileName(), QStringLiteral("label2.zovweb"));
    EXPECT_EQ(addressBlocks(w->document()), 1);
    EXPECT_EQ(w->document().graphics().size(), 1);

    // Asking again on a page that has graphics adds nothing.
    w->addPlaceHolder();
    EXPECT_EQ(w->document().graphics().size(), 1);
}

TEST_F(WindowSetUpTest, APageWithGraphicsOrAnotherEditionGetsNoAddressBlock)
{
    gAppName = QStringLiteral("Tovra Label Maker");
    gReplacePageNumbers = true;
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("one"));
    SKTWindowController *w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(addressBlocks(w->document()), 0);
    EXPECT_EQ(w->document().graphics().size(), 1);
    w->close();
    settle();

    gAppName = QStringLiteral("HTML Zov Pro");
    gReplacePageNumbers = false;
    panels.answer(path(QStringLiteral("Site")));
    SKTAppDelegate::shared().addNewWebsite();
    settle();
    w = onlyWindow();
    ASSERT_NE(w, nullptr);
    w->addPlaceHolder();
    EXPECT_EQ(addressBlocks(w->document()), 0);
}

namespace {
// A translation made in the test: no translation files ship, so this one
// answers every toolbar and menu text with a marked version of it.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const QString c = QString::fromLatin1(context);
        if (c == QLatin1String("Toolbar") || c == QLatin1String("MenuItems") || c == QLatin1String("Localizable"))
            return QStringLiteral("<%1>").arg(QString::fromUtf8(source));
        return {};
    }
    bool isEmpty() const override { return false; }
};
} // namespace

TEST_F(WindowSetUpTest, TheToolbarAndTheWindowMenuFollowTheInstalledTranslation)
{
    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("one"));
    SKTWindowController *w = openWindow();
    ASSERT_NE(w, nullptr);
    QToolBar *toolbar = w->editionToolbar();
    ASSERT_NE(toolbar, nullptr);
    ASSERT_FALSE(toolbar->actions().isEmpty());
    // Separators carry no text.
    QStringList english;
    for (QAction *a : toolbar->actions())
        if (!a->isSeparator())
            english << a->text();
    ASSERT_EQ(english.first(), w->editionToolbarSpec().items.first().label);

    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    settle();
    QStringList shown;
    for (QAction *a : toolbar->actions())
        if (!a->isSeparator())
            shown << a->text();
    QStringList expected;
    for (const QString &label : english)
        expected << QStringLiteral("<%1>").arg(label);
    EXPECT_EQ(shown, expected);
    ActionItemState item;
    item.action = QStringLiteral("newDocumentWindow");
    WindowMenuValidation::validate(item, w->menuState());
    EXPECT_TRUE(item.title.startsWith(QLatin1String("<New window for '"))) << item.title.toStdString();
    // The page questions speak it too; cancelling keeps the page.
    alerts.answerIndex(1);
    w->pageOperations().deletePage(QStringLiteral("a.zovweb"), {});
    ASSERT_FALSE(alerts.shown().isEmpty());
    const Alert &asked = alerts.shown().last().alert;
    EXPECT_EQ(asked.buttons, (QStringList{"<Delete>", "<Cancel>"}));
    EXPECT_TRUE(asked.informativeText.startsWith(QLatin1String("<Are you sure you want to delete selected?>\n")));
    EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("a.zovweb"))));

    // Taking the translation away gives the English labels back, not the
    // marked ones translated again.
    QCoreApplication::removeTranslator(&translator);
    settle();
    shown.clear();
    for (QAction *a : toolbar->actions())
        if (!a->isSeparator())
            shown << a->text();
    EXPECT_EQ(shown, english);
}
