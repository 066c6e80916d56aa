// Responsive pages (website and e-mail editions, the mirrored package):
// every kind of object placed in sections of one to four columns, hidden
// sections and section backgrounds, generated, read back from the page file
// and opened from the package, gives the same page text.
#include "RoundTripFixture.h"

#include "document/ReadError.h"

#include <QDirIterator>
#include <QRegularExpression>

namespace {
// A table whose cells are as the canvas makes them.
std::shared_ptr<SKTTable> canvasTable(const QPointF &at, int rows, int columns)
{
    auto t = table(at, rows, columns);
    for (const auto &cell : t->cellHelperArray())
        asCanvasCell(*cell);
    return t;
}

// A component built from a table: navigation bars, panels, the text
// carousel, the photo with a hover caption.
std::shared_ptr<SKTTable> component(const QString &kind, const QPointF &at, int rows, int columns)
{
    auto t = canvasTable(at, rows, columns);
    t->setGridType(kind);
    return t;
}

// A snippet shown formatted, in the page's font, as the inspector leaves it.
std::shared_ptr<SKTText> formattedSnippet(const QRectF &bounds, const QString &code)
{
    auto t = with(text(bounds, code, QStringLiteral("HTMLSnippet")),
                  {{"snippetFormatFlag", true}, {"fontFamily", QStringLiteral("Helvetica Neue")}});
    for (const char *key : {"topPaddingType", "bottomPaddingType", "leftPaddingType", "rightPaddingType",
                            "topMarginType", "bottomMarginType", "leftMarginType", "rightMarginType"})
        t->setValue(QString::fromLatin1(key), QStringLiteral("pixel"));
    for (const char *key : {"topPaddingLevelString", "bottomPaddingLevelString", "leftPaddingLevelString",
                            "rightPaddingLevelString", "topMarginLevelString", "bottomMarginLevelString",
                            "leftMarginLevelString", "rightMarginLevelString"})
        t->setValue(QString::fromLatin1(key), QStringLiteral("None"));
    return t;
}

// Sections of one to four columns, each column holding a text; the last
// section hidden, shown by a clickable text, and holding a snippet.
Graphics sectionsPage()
{
    Graphics list;
    double y = 0;
    const QList<QList<int>> layouts = {{12}, {6, 6}, {4, 4, 4}, {3, 3, 3, 3}};
    for (const QList<int> &spans : layouts) {
        list << section({0, y, 1200, 200}, spans, int32_t(spans.size()));
        double x = 0;
        for (qsizetype i = 0; i < spans.size(); ++i) {
            const double width = 1200.0 * spans[i] / 12;
            // Placed in the column as the canvas records it.
            list << with(text({x + 10, y + 20, width - 20, 60},
                              QStringLiteral("Section %1 column %2").arg(spans.size()).arg(i + 1)),
                         {{"sectionNumber", int(spans.size())}, {"sectionRowSpot", 0}, {"sectionColumnSpot", int(i)}});
            x += width;
        }
        y += 220;
    }
    auto hidden = section({0, y, 1200, 100}, {12}, 5);
    hidden->setInitialLaunchStateFlag(1);
    hidden->setSectionIDString(QStringLiteral("more"));
    list << hidden << formattedSnippet({10, y + 10, 300, 40}, QStringLiteral("<em>snippet</em>"));
    list << with(text({10, 100, 200, 40}, QStringLiteral("Show more")),
                 {{"onClickShowString", QStringLiteral("more")}});
    return list;
}

// One section of spans holding the graphics that make() places at its top.
Graphics inSection(const QList<int> &spans, const Graphics &content)
{
    Graphics list {section({0, 0, 1200, 400}, spans, 1)};
    list << content;
    return list;
}

std::shared_ptr<SKTText> formField(const QString &type, int32_t tag, int32_t option, const QRectF &bounds,
                                   const QString &string = QString(), bool required = false)
{
    auto t = text(bounds, string);
    t->setFontSize(12);
    t->setFormType(type);
    t->setFormTag(tag);
    t->setFormOptionTag(option);
    t->setFormRequiredFlag(required ? 1 : 0);
    // Fields and options are made in the form font; labels keep the page's.
    if (type == QLatin1String("text") || type == QLatin1String("radio") || type == QLatin1String("checkbox"))
        t->setValue(QStringLiteral("fontFamily"), QStringLiteral("Actor"));
    return t;
}

// Files under folder with their bytes and modification times.
QMap<QString, QPair<QByteArray, QDateTime>> snapshot(const QString &folder)
{
    QMap<QString, QPair<QByteArray, QDateTime>> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        files.insert(file, {f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(), QFileInfo(file).lastModified()});
    }
    return files;
}
} // namespace

class ResponsiveRoundTripTest : public RoundTripTest {
protected:
    void SetUp() override
    {
        RoundTripTest::SetUp();
        gResponsiveEdition = true;
    }
};

TEST_F(ResponsiveRoundTripTest, SectionsOfOneToFourColumnsInBothEditions)
{
    for (const bool email : {false, true}) {
        SCOPED_TRACE(email ? "e-mail" : "website");
        gResponsiveEmailEdition = email;
        startPage();
        const Texts t = generations(sectionsPage());
        ASSERT_FALSE(t.first.isEmpty());
        EXPECT_TRUE(t.first.contains(QStringLiteral("Section 4 column 4")));
        // The texts sit in the sections' columns, and the hidden section is stored so.
        EXPECT_TRUE(t.first.contains(QRegularExpression(QStringLiteral("\\.text\\d+\\{[^}]*sectionNumber:[0-9]"))));
        EXPECT_TRUE(t.first.contains(QStringLiteral("sectionID:more;initialLaunchState:1;")));
        expectSameText(t.first, t.read, "read from its file");
        expectSameText(t.first, t.opened, "opened from its package");
        if (HasFailure())
            break;
    }
}

// Each kind of object inside a section, with the options its rule stores;
// one page per case and edition, so that a failure names both.
TEST_F(ResponsiveRoundTripTest, EachKindInASectionReadsBackToTheSamePage)
{
    const KindCase cases[] = {
        {"texts: linked, hovered, clickable, aligned, spaced",
         [] {
             return inSection({6, 6},
                              {with(text({20, 20, 240, 60}, QStringLiteral("Linked & <quoted>\nsecond line")),
                                    {{"link", QStringLiteral("http://example.test/a?b=1&c=2")},
                                     {"linkOption", QStringLiteral("_blank")},
                                     {"fontAlignment", 1},
                                     {"backgroundHexColorString", QStringLiteral("FFEEDD")}}),
                               with(text({620, 20, 200, 30}, QStringLiteral("Hover me")),
                                    {{"fontAlignment", 3},
                                     {"hoverColorString", QStringLiteral("112233")},
                                     {"hoverTextColorString", QStringLiteral("FFFFFF")}}),
                               with(text({20, 200, 200, 30}, QStringLiteral("Click me")),
                                    {{"onClickShowString", QStringLiteral("text1")},
                                     {"onClickHideString", QStringLiteral("text2")},
                                     {"lineSpacing", 1.5}})});
         },
         "line-height:1.500000"},
        {"formatted snippets",
         [] {
             return inSection({4, 8}, {formattedSnippet({20, 20, 300, 120}, QStringLiteral("<ul>\n<li>one & two</li>\n</ul>")),
                                       with(formattedSnippet({420, 20, 300, 120}, QStringLiteral("<i>formatted</i>")),
                                            {{"backgroundHexColorString", QStringLiteral("EEEEEE")},
                                             {"topMarginType", QStringLiteral("%")}})});
         }},
        {"images: plain and linked with a border",
         [] {
             return inSection({3, 3, 3, 3},
                              {image(QStringLiteral("image1"), {20, 20, 200, 100}),
                               with(image(QStringLiteral("image2"), {320, 20, 200, 100}, Qt::red),
                                    {{"borderStyle", QStringLiteral("solid")},
                                     {"borderWidth", 3},
                                     {"link", QStringLiteral("http://example.test/")},
                                     {"altText", QStringLiteral("A \"red\" box")}})});
         }},
        {"carousel",
         [] {
             return inSection({12}, {slideshow({20, 20, 300, 200},
                                               {carrier(QStringLiteral("image1"), picture(300, 200, Qt::red)),
                                                carrier(QStringLiteral("image2"), picture(300, 200, Qt::blue))})});
         }},
        {"gallery", [] { return inSection({12}, {gallery({20, 20, 300, 200}, 1, 1, 2)}); }},
        {"table", [] { return inSection({12}, {canvasTable({20, 20}, 2, 2)}); }},
        {"navigation bars",
         [] {
             return inSection({12}, {component(QStringLiteral("navbar"), {20, 20}, 1, 3),
                                     component(QStringLiteral("dropdownmenu"), {20, 120}, 2, 2)});
         }},
        {"panels and text carousel",
         [] {
             return inSection({6, 6}, {component(QStringLiteral("collapsible_text_panel"), {20, 20}, 2, 2),
                                       component(QStringLiteral("text_carousel"), {620, 20}, 3, 3)});
         }},
        {"hover caption",
         [] {
             auto t = component(QStringLiteral("photo_hover_caption"), {20, 20}, 2, 1);
             auto photo = carrier(QStringLiteral("image1"), picture(160, 60, Qt::cyan));
             photo->rowSpot = 0;
             photo->columnSpot = 0;
             t->addIntoImageArray(photo);
             return inSection({12}, {t});
         }},
        {"section with a background picture",
         [] {
             auto s = section({0, 0, 1200, 300}, {4, 8}, 1);
             auto background = carrier(QStringLiteral("image1"), picture(300, 75, Qt::cyan));
             background->rowSpot = -99;
             background->columnSpot = -99;
             s->setTableBackgroundImage(background);
             return Graphics {s, text({20, 20, 200, 40}, QStringLiteral("Over the picture"))};
         }},
    };
    for (const bool email : {false, true}) {
        gResponsiveEmailEdition = email;
        for (const KindCase &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (email ? " (e-mail)" : " (website)"));
            startPage();
            const Texts t = generations(c.make());
            ASSERT_FALSE(t.first.isEmpty());
            EXPECT_TRUE(t.first.contains(QString::fromLatin1(c.holds)));
            expectSameText(t.first, t.read, "read from its file");
            expectSameText(t.first, t.opened, "opened from its package");
            if (HasFailure())
                return;
        }
    }
}

// A table cell's own font is drawn on the canvas and written to the page; an
// inner text view font that differs (as composite makers leave it) is kept
// beside it; and a table whose border style draws nothing keeps the border
// width its cells are laid out with. Opened, the cells are as they were made.
TEST_F(ResponsiveRoundTripTest, TableCellsKeepBothFontsAndTheBorderWidthOfAnUndrawnBorder)
{
    for (const bool email : {false, true}) {
        gResponsiveEmailEdition = email;
        SCOPED_TRACE(email ? "e-mail" : "website");
        startPage();
        auto made = canvasTable({20, 20}, 1, 2);
        for (const auto &cell : made->cellHelperArray()) {
            cell->fontSize = 28;
            cell->textView.fontPointSize = 15;
            cell->textView.fontName = QStringLiteral("Actor");
        }
        made->setBorderStyle(QStringLiteral("none"));
        made->setBorderWidth(1);
        made->pushSettingsIntoCells();
        made->refreshLayout();
        const Texts t = generations(inSection({12}, {made}));
        ASSERT_TRUE(opened);
        // The visitor's page has the size the canvas draws; the inner one is
        // only kept beside it.
        EXPECT_TRUE(t.first.contains(QRegularExpression(QStringLiteral("font-size:28(px)?;"))));
        EXPECT_FALSE(t.first.contains(QRegularExpression(QStringLiteral("font-size:15(px)?;"))));
        EXPECT_TRUE(t.first.contains(QStringLiteral("textFontSize:15;")));
        std::shared_ptr<SKTTable> back;
        for (const auto &g : opened->graphics())
            if (auto table = std::dynamic_pointer_cast<SKTTable>(g); table && table->gridType() == QLatin1String("table"))
                back = table;
        ASSERT_TRUE(back);
        EXPECT_EQ(back->borderWidth(), 1);
        ASSERT_EQ(back->cellHelperArray().size(), made->cellHelperArray().size());
        for (qsizetype i = 0; i < made->cellHelperArray().size(); ++i) {
            const myTextView &a = *made->cellHelperArray()[i];
            const myTextView &b = *back->cellHelperArray()[i];
            EXPECT_EQ(b.fontSize, a.fontSize);
            EXPECT_EQ(b.familyName, a.familyName);
            EXPECT_EQ(b.textView.fontName, a.textView.fontName);
            EXPECT_EQ(b.textView.fontPointSize, a.textView.fontPointSize);
            EXPECT_EQ(b.borderWidth, a.borderWidth);
            EXPECT_EQ(QSize(b.width, b.height), QSize(a.width, a.height));
        }
        expectSameText(t.first, t.opened, "opened from its package");
    }
}

// Reading normalises some values on purpose: a snippet shown as code comes
// back in the code look (grey box, dashed border, the code font) whatever
// colours it was written with, an indent becomes leading spaces, and a
// transparent text box with a shadow turns white. The page read once is
// then stable, in both editions.
TEST_F(ResponsiveRoundTripTest, NormalisedValuesAreStableFromTheFirstReading)
{
    const struct {
        const char *name;
        std::function<Graphics()> make;
        const char *normalised; // a text only the normalised page holds
    } cases[] = {
        {"snippet shown as code",
         [] {
             return inSection({6, 6}, {text({20, 20, 300, 120}, QStringLiteral("<ul>\n<li>one & two</li>\n</ul>"),
                                            QStringLiteral("HTMLSnippet"))});
         },
         "background-color:#DCDCDC;color:#4F4C4C;"},
        {"indented text",
         [] { return inSection({12}, {with(text({20, 20, 200, 40}, QStringLiteral("Indented")), {{"indentFlag", 1}})}); },
         "    Indented"},
        {"shadowed transparent text",
         [] { return inSection({4, 8}, {with(text({20, 20, 200, 40}, QStringLiteral("Shadowed")), {{"shadowFlag", 1}})}); },
         ".text0{position:absolute;background-color:#FFFFFF;"},
    };
    for (const bool email : {false, true}) {
        gResponsiveEmailEdition = email;
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (email ? " (e-mail)" : " (website)"));
            startPage();
            const Texts once = generations(c.make());
            EXPECT_FALSE(once.first.contains(QString::fromLatin1(c.normalised)));
            EXPECT_TRUE(once.opened.contains(QString::fromLatin1(c.normalised)));
            expectSameText(once.read, once.opened, "both readings");
            doc = std::move(opened);
            gWorkFolder = path(QStringLiteral("work-") + QString::number(++workFolders));
            QDir().mkpath(gWorkFolder);
            const Texts twice = generations({});
            expectSameText(once.opened, twice.first, "the opened page generated again");
            expectSameText(twice.first, twice.read, "read a second time");
            expectSameText(twice.first, twice.opened, "opened a second time");
            if (HasFailure())
                return;
        }
    }
}

TEST_F(ResponsiveRoundTripTest, FormPageInSectionsReadsBackToTheSamePage)
{
    startPage(QStringLiteral("contact"));
    doc->pageOfficialName = QStringLiteral("Contact us");
    doc->pageFileType = QStringLiteral("trelkoforms");
    doc->pageFileExtension = QStringLiteral("php");
    doc->siteFeedbackEmail = QStringLiteral("owner@example.test");
    doc->formSentResponse = QStringLiteral("Thank you.");
    doc->formRequiredResponse = QStringLiteral("Please fill in every required field.");
    doc->formEmailVerificationMsg = QStringLiteral("Please check your e-mail address.");
    doc->formBotCheckerResponse = QStringLiteral("Please try again.");
    auto submit = formField(QStringLiteral("submit"), 4, -99, {10, 200, 100, 30}, QStringLiteral("Send"));
    submit->setFontAlignment(1);
    const Texts t = generations(
        inSection({6, 6},
                  {formField(QStringLiteral("textLabel"), 1, -99, {10, 10, 100, 20}, QStringLiteral("Name")),
                   formField(QStringLiteral("text"), 1, -99, {10, 40, 300, 24}, QStringLiteral("Your name"), true),
                   formField(QStringLiteral("textLabel"), 2, 0, {640, 40, 100, 20}, QStringLiteral("Red")),
                   formField(QStringLiteral("radio"), 2, 0, {610, 40, 20, 20}),
                   formField(QStringLiteral("textLabel"), 2, 1, {640, 70, 100, 20}, QStringLiteral("Blue")),
                   formField(QStringLiteral("radio"), 2, 1, {610, 70, 20, 20}),
                   formField(QStringLiteral("textLabel"), 3, -99, {10, 70, 100, 20}, QStringLiteral("Message")),
                   formField(QStringLiteral("textarea"), 3, -99, {10, 90, 300, 100},
                             QStringLiteral("Paragraph Placeholder")),
                   submit}),
        QStringLiteral("contact"), QStringLiteral("trelkoforms"));
    ASSERT_FALSE(t.first.isEmpty());
    expectSameText(t.first, t.read, "read from its file");
    expectSameText(t.first, t.opened, "opened from its package");
}

// Opening a responsive page and saving it at once changes no file: neither
// the package nor the opened page's folders.
TEST_F(ResponsiveRoundTripTest, OpeningAndSavingAtOnceWritesNothing)
{
    for (const bool email : {false, true}) {
        SCOPED_TRACE(email ? "e-mail" : "website");
        gResponsiveEmailEdition = email;
        startPage();
        const Texts t = generations(sectionsPage());
        ASSERT_TRUE(opened);
        const QString package = path(QStringLiteral("packages/index.") + gDocumentExtension);
        const auto packageBefore = snapshot(path(QStringLiteral("packages")));
        const auto workBefore = snapshot(gWorkFolder);
        ASSERT_FALSE(workBefore.isEmpty());
        EXPECT_FALSE(opened->isDocumentEdited());
        ASSERT_TRUE(opened->saveThisPage(package, false)) << opened->lastSaveError.toStdString();
        EXPECT_TRUE(snapshot(path(QStringLiteral("packages"))) == packageBefore) << "the package was written";
        EXPECT_TRUE(snapshot(gWorkFolder) == workBefore) << "the opened page's files were written";
        EXPECT_FALSE(opened->isDocumentEdited());
    }
}

// The page file a responsive edition stores (and publishes and previews) is
// the responsive page: the Bootstrap grid on the website, the 100 % table in
// the e-mail. It opens again to the same graphics, since it carries its
// editing form; a file whose editing form is damaged or missing opens as the
// page it is, without a crash.
TEST_F(ResponsiveRoundTripTest, TheStoredPageIsTheResponsivePageAndOpensAgain)
{
    for (const bool email : {false, true}) {
        SCOPED_TRACE(email ? "e-mail" : "website");
        gResponsiveEmailEdition = email;
        startPage();
        const Texts t = generations(sectionsPage());
        ASSERT_TRUE(opened);
        bool readable = false;
        const QString stored = SKTDocument::readPageText(doc->pagePath, &readable);
        ASSERT_TRUE(readable);
        const QString published = PageEditingCopy::publishedPage(stored);
        EXPECT_EQ(published, doc->generateSourceCode(doc->pageName, true, false));
        EXPECT_TRUE(published.contains(email ? QStringLiteral("class=\"columnContainer\"")
                                             : QStringLiteral("col-xs-12 col-sm-6 col-md-6 col-lg-6")));
        EXPECT_FALSE(published.contains(QStringLiteral("position:absolute;left:")));
        EXPECT_EQ(PageEditingCopy::editingPage(stored), t.first);
        EXPECT_EQ(opened->graphics().size(), doc->graphics().size());

        // Damaged: the editing form cut short, or not there at all.
        for (const QString &damaged : {stored.left(stored.size() - 40) + QStringLiteral("@@@</script>\n"), published}) {
            const QString file = path(QStringLiteral("damaged.html"));
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(damaged.toUtf8());
            out.close();
            const QString text = PageEditingCopy::editingPage(SKTDocument::readPageText(file, &readable));
            auto read = newPage(doc->pageName);
            // Read as the page it is: what it holds, or the reader's own refusal.
            try {
                const auto carriers = read->presentObjects(text, read->pageName, QString(), read->pageName, file);
                SKTGraphic::graphicsWithProperties(carriers, QStringLiteral("damaged.html"));
            } catch (const ReadError &) {
            }
        }
    }
}

TEST(PageEditingCopyTest, OnlyTheAppendedBlockCountsAndItsTextComesBackWhole)
{
    const QString editing = QStringLiteral("<html>caf\u00e9 </script> <!-- x --></html>\n");
    // A page whose own text holds the block's opening still finds the real one at its end.
    const QString page = QStringLiteral("<p>&lt;script type=\"application/x-zov-page\"&gt;</p>\n"
                                        "<script type=\"application/x-zov-page\" id=\"zovEditingPage\">");
    const QString wrapped = PageEditingCopy::wrap(page, editing);
    EXPECT_TRUE(PageEditingCopy::hasEditingCopy(wrapped));
    EXPECT_EQ(PageEditingCopy::editingPage(wrapped), editing);
    EXPECT_EQ(PageEditingCopy::publishedPage(wrapped), page);
    EXPECT_FALSE(wrapped.mid(page.size()).contains(QStringLiteral("</script> ")));
    EXPECT_EQ(PageEditingCopy::editingPage(page), page);
    EXPECT_EQ(PageEditingCopy::publishedPage(page), page);
}
