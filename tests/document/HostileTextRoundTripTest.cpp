// Texts a person types that are not meant as HTML (text boxes, table cells,
// form labels and buttons, the page's description and keywords), full of what
// markup would take for its own, saved by the generator of every edition
// family and opened again: each comes back exactly as typed. (How the pages
// show them in a browser is the browser test's "hostile texts" pages.)
#include "RoundTripFixture.h"

#include "config/EditionSettings.h"
#include "model/SKTText.h"

namespace {

const QStringList kHostile = {
    QStringLiteral("<script>window.__pwned=1</script>"),
    QStringLiteral("\"><img src=x onerror=\"window.__pwned=2\">"),
    QStringLiteral("AT&amp;T & AT&T &lt;tag&gt;"),
    QStringLiteral("</style></div><b>bold?</b>"),
    QStringLiteral("It's a \"quote\""),
    QStringLiteral("line one\nline two"),
};

} // namespace

class HostileTextRoundTripTest : public RoundTripTest {
protected:
    // One text box per hostile text, in a section on responsive pages.
    Graphics texts(bool inSection)
    {
        Graphics list;
        if (inSection) {
            auto t = std::make_shared<SKTTable>();
            placeOnPage(*t, {0, 0, 1200, 800});
            t->setGridType(QStringLiteral("section"));
            t->setNumOfRows(1);
            t->setNumOfColumns(1);
            auto cell = std::make_shared<myTextView>();
            cell->width = 1200;
            cell->height = 800;
            cell->xsGridColumns = cell->smallGridColumns = cell->mediumGridColumns = cell->largeGridColumns = 12;
            t->setCellHelperArray({cell});
            t->setBounds({0, 0, 1200, 800});
            list << t;
        }
        for (qsizetype i = 0; i < kHostile.size(); ++i) {
            auto box = text({20, 20 + 60.0 * double(i), 400, 50}, kHostile[i]);
            if (inSection)
                box = with(box, {{"sectionNumber", 1}, {"sectionRowSpot", 0}, {"sectionColumnSpot", 0}});
            list << box;
        }
        return list;
    }

    static QStringList textsOf(const SKTDocument &page)
    {
        QStringList found;
        for (SKTText *t : page.textAreas())
            found << t->contents();
        found.sort();
        return found;
    }

    void expectReadBack(const Graphics &graphics, const QStringList &cells = {})
    {
        doc->metaDescription = kHostile.join(QLatin1Char(' '));
        doc->metaKeywords = QStringLiteral("fish &amp; chips, <b>, \"x\"");
        const Texts t = generations(graphics);
        ASSERT_TRUE(opened);
        QStringList expected = kHostile;
        expected.sort();
        EXPECT_EQ(textsOf(*opened), expected);
        EXPECT_EQ(opened->metaDescription, doc->metaDescription);
        EXPECT_EQ(opened->metaKeywords, doc->metaKeywords);
        QStringList readCells;
        for (SKTTable *table : opened->tables())
            if (table->gridType() == QLatin1String("table"))
                for (const auto &cell : table->cellHelperArray())
                    readCells << SKTTable::cellText(*cell);
        EXPECT_EQ(readCells, cells);
        // And the page holds none of them as markup.
        EXPECT_FALSE(t.first.contains(QStringLiteral("<script>window.__pwned")));
        EXPECT_FALSE(t.first.contains(QStringLiteral("onerror=\"window")));
    }
};

TEST_F(HostileTextRoundTripTest, AbsolutePagesKeepTextBoxesCellsAndMetaAsTyped)
{
    Graphics list = texts(false);
    auto grid = table({500, 20}, 2, 3);
    QStringList cells;
    for (qsizetype i = 0; i < grid->cellHelperArray().size(); ++i) {
        grid->cellHelperArray()[i]->textStorage = kHostile[i];
        cells << kHostile[i];
    }
    list << grid;
    expectReadBack(list, cells);
}

TEST_F(HostileTextRoundTripTest, ResponsivePagesOfBothEditionsKeepTextsAsTyped)
{
    for (const bool email : {false, true}) {
        SCOPED_TRACE(email ? "e-mail edition" : "website edition");
        gResponsiveEdition = true;
        gResponsiveEmailEdition = email;
        startPage();
        expectReadBack(texts(true));
        if (HasFailure())
            break;
    }
}

TEST_F(HostileTextRoundTripTest, FormLabelsAndButtonsKeepTheirTextsAsTyped)
{
    startPage(QStringLiteral("contact"));
    doc->pageFileType = QStringLiteral("trelkoforms");
    doc->pageFileExtension = QStringLiteral("php");
    doc->siteFeedbackEmail = QStringLiteral("owner@example.test");
    Graphics list;
    QStringList expected;
    for (qsizetype i = 0; i < kHostile.size(); ++i) {
        auto label = text({20, 20 + 60.0 * double(i), 200, 24}, kHostile[i]);
        label->setFormType(QStringLiteral("textLabel"));
        label->setFormTag(int32_t(i + 1));
        label->setFormOptionTag(-99);
        auto field = text({240, 20 + 60.0 * double(i), 200, 26}, QString());
        field->setFormType(QStringLiteral("text"));
        field->setFormTag(int32_t(i + 1));
        field->setFormOptionTag(-99);
        list << label << field;
        // A field comes back with the reader's placeholder text.
        expected << kHostile[i] << QStringLiteral("Text Field Placeholder");
    }
    auto submit = text({20, 400, 100, 30}, QStringLiteral("Send now & then"));
    submit->setFormType(QStringLiteral("submit"));
    submit->setFormTag(99);
    list << submit;
    expected << submit->contents();
    expected.sort();
    const Texts t = generations(list, QStringLiteral("contact"), QStringLiteral("trelkoforms"));
    ASSERT_TRUE(opened);
    EXPECT_EQ(textsOf(*opened).join(QLatin1Char('|')).toStdString(), expected.join(QLatin1Char('|')).toStdString());
    EXPECT_FALSE(t.first.contains(QStringLiteral("<script>window.__pwned")));
}

// The form's own settings in their marker lines, and the button's caption
// (which the caption marker carries back): each hostile text, on an absolute
// and a responsive form page, reads back exactly as typed.
TEST_F(HostileTextRoundTripTest, FormSettingsAndTheButtonCaptionReadBackAsTyped)
{
    for (const bool responsive : {false, true}) {
        for (const QString &typed : kHostile) {
            SCOPED_TRACE((responsive ? "responsive: " : "absolute: ") + typed.toStdString());
            gResponsiveEdition = responsive;
            startPage(QStringLiteral("contact"));
            doc->pageFileType = QStringLiteral("trelkoforms");
            doc->pageFileExtension = QStringLiteral("php");
            doc->siteFeedbackEmail = QStringLiteral("owner@example.test");
            doc->formSentResponse = typed;
            doc->formRequiredResponse = typed + QStringLiteral(" (required)");
            doc->formEmailVerificationMsg = typed + QStringLiteral(" (e-mail)");
            doc->formBotCheckerResponse = typed + QStringLiteral(" (bot)");
            doc->formRedirectURL = QStringLiteral("thanks.html?") + typed;
            doc->formEmailServer = QStringLiteral("smtp.example.test");
            doc->formEmailUsername = typed + QStringLiteral(" user");
            doc->formEmailPassword = typed + QStringLiteral("?><?php -->");
            Graphics list;
            if (responsive)
                list << texts(true).first();
            auto submit = text({20, 400, 100, 30}, typed);
            submit->setFormType(QStringLiteral("submit"));
            submit->setFormTag(99);
            list << submit;
            const Texts t = generations(list, QStringLiteral("contact"), QStringLiteral("trelkoforms"));
            ASSERT_TRUE(opened);
            EXPECT_EQ(opened->formSubmitButtonValue, typed);
            for (SKTText *box : opened->textAreas())
                if (box->formType() == QLatin1String("submit"))
                    EXPECT_EQ(box->contents(), typed);
            EXPECT_EQ(opened->formSentResponse, doc->formSentResponse);
            EXPECT_EQ(opened->formRequiredResponse, doc->formRequiredResponse);
            EXPECT_EQ(opened->formEmailVerificationMsg, doc->formEmailVerificationMsg);
            EXPECT_EQ(opened->formBotCheckerResponse, doc->formBotCheckerResponse);
            EXPECT_EQ(opened->formRedirectURL, doc->formRedirectURL);
            EXPECT_EQ(opened->formEmailUsername, doc->formEmailUsername);
            EXPECT_EQ(opened->formEmailPassword, doc->formEmailPassword);
            // Nowhere as markup (the mail account sits in PHP string literals, escaped for them).
            for (const QString &line : t.first.split(QLatin1Char('\n')))
                if (!line.startsWith(QLatin1Char('$')) && line.contains(QStringLiteral("<script>window.__pwned")))
                    ADD_FAILURE() << line.left(200).toStdString();
            gResponsiveEdition = false;
            if (HasFailure())
                return;
        }
    }
}
