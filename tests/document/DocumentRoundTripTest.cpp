// Every kind of object a page holds, generated, read back (straight from the
// page file, and through the package: save, open) and generated again, gives
// the same page text. Where reading normalises a value on purpose, the page
// after the first reading is the fixed point.
#include "RoundTripFixture.h"

TEST_F(RoundTripTest, TextsImagesAndLinesReadBackToTheSamePage)
{
    expectRoundTrip({text({20, 20, 300, 40}, QStringLiteral("A heading")),
                     image(QStringLiteral("image1"), {400, 20, 120, 80}), line({20, 160, 400, 0})});
}

TEST_F(RoundTripTest, SnippetsSlideshowsTablesAndGalleriesReadBackToTheSamePage)
{
    const Texts t = generations(
        {text({20, 80, 300, 60}, QStringLiteral("<b>snippet</b>"), QStringLiteral("HTMLSnippet")),
         slideshow({20, 200, 300, 200}, {carrier(QStringLiteral("image2"), picture(300, 200, Qt::red)),
                                         carrier(QStringLiteral("image3"), picture(300, 200, Qt::blue))}),
         table({20, 450}, 1, 2), gallery({400, 200, 300, 200}, 4, 1, 2)});
    expectSameText(t.first, t.read, "read from its file");
    expectSameText(t.first, t.opened, "opened from its package");
    // The gallery's pictures are its members only, not loose images too.
    EXPECT_EQ(t.opened.count(QStringLiteral(".image4{")), 1);
    EXPECT_TRUE(t.first.contains(QStringLiteral("slideShowNumber:-66;"))) << "gallery members are marked";
    EXPECT_TRUE(t.first.contains(QStringLiteral("<div class=image4>"))) << "and shown on the page";
    EXPECT_TRUE(t.opened.contains(QStringLiteral("autoStart:0;templateName:index;")));
    // Slides are written from the last to the first, and come back in their order.
    EXPECT_LT(t.first.indexOf(QStringLiteral("class=\"image3\"")), t.first.indexOf(QStringLiteral("class=\"image2\"")));
    ASSERT_EQ(opened->slideshows().size(), 1);
    QStringList slides;
    for (const auto &slide : opened->slideshows().first()->imageArray())
        slides << slide->imageName;
    EXPECT_EQ(slides, (QStringList{QStringLiteral("image2"), QStringLiteral("image3")}));
}

// Each kind with the options its rule stores; one page per case, so that a
// failure names the option.
TEST_F(RoundTripTest, EachKindWithItsOptionsReadsBackToTheSamePage)
{
    const KindCase cases[] = {
        {"text: link, centred, dashed border, rounded, shadow, indented",
         [] {
             return Graphics {with(text({20, 20, 240, 60}, QStringLiteral("Linked & <quoted> \"text\"\nsecond line")),
                                   {{"link", QStringLiteral("http://example.test/a?b=1&c=2")},
                                    {"linkOption", QStringLiteral("_blank")},
                                    {"fontAlignment", 1},
                                    {"borderStyle", QStringLiteral("dashed")},
                                    {"borderWidth", 2},
                                    {"cornerRadius", 6.0},
                                    {"backgroundHexColorString", QStringLiteral("FFEEDD")},
                                    {"moveLock", 1},
                                    {"manualLayerIndex", 7}})};
         }},
        {"text: right aligned, hover colours, fixed position, group",
         [] {
             return Graphics {with(text({30, 40, 200, 30}, QStringLiteral("Hover me")),
                                   {{"fontAlignment", 2},
                                    {"hoverColorString", QStringLiteral("112233")},
                                    {"hoverTextColorString", QStringLiteral("FFFFFF")},
                                    {"scrollFlag", 1},
                                    {"groupNumber", 3}})};
         }},
        {"text: translucent shape, middle, shows and hides others on click",
         [] {
             return Graphics {with(text({20, 20, 200, 80}, QStringLiteral("Indented\nshape text")),
                                   {{"opacity", 0.5},
                                    {"shapeFlag", 1},
                                    {"verticalAlignment", 1},
                                    {"onClickShowString", QStringLiteral("text1")},
                                    {"onClickHideString", QStringLiteral("text2")},
                                    {"backgroundHexColorString", QStringLiteral("336699")}})};
         }},
        {"unformatted snippet with several lines",
         [] {
             return Graphics {text({20, 20, 300, 120}, QStringLiteral("<ul>\n<li>one</li>\n<li>two & three</li>\n</ul>"),
                                   QStringLiteral("HTMLSnippet"))};
         }},
        {"formatted snippet with a border and colours",
         [] {
             return Graphics {with(text({20, 20, 300, 120}, QStringLiteral("<i>formatted</i>\nline two"),
                                        QStringLiteral("HTMLSnippet")),
                                   {{"snippetFormatFlag", true},
                                    {"topPaddingType", QStringLiteral("%")},
                                    {"bottomPaddingType", QStringLiteral("%")},
                                    {"leftPaddingType", QStringLiteral("%")},
                                    {"rightPaddingType", QStringLiteral("%")},
                                    {"topMarginType", QStringLiteral("%")},
                                    {"bottomMarginType", QStringLiteral("%")},
                                    {"leftMarginType", QStringLiteral("%")},
                                    {"rightMarginType", QStringLiteral("pixel")},
                                    {"backgroundHexColorString", QStringLiteral("EEEEEE")},
                                    {"borderStyle", QStringLiteral("solid")},
                                    {"borderWidth", 1}})};
         }},
        {"image: solid border, link with target and title",
         [] {
             return Graphics {with(image(QStringLiteral("image1"), {40, 40, 200, 100}),
                                   {{"borderStyle", QStringLiteral("solid")},
                                    {"borderWidth", 5},
                                    {"link", QStringLiteral("http://example.test/")},
                                    {"linkOption", QStringLiteral("_blank")},
                                    {"altText", QStringLiteral("A \"green\" box")}})};
         }},
        {"image: reflection, half opacity, shadow, rotation, retina, locked",
         [] {
             return Graphics {with(image(QStringLiteral("image1"), {40, 40, 120, 90}),
                                   {{"reflection", 0.5},
                                    {"opacity", 0.5},
                                    {"shadowFlag", 1},
                                    {"rotationAngle", 15.0},
                                    {"retinaFlag", true},
                                    {"moveLock", 1}})};
         }},
        {"image: masked",
         [] {
             auto masked = image(QStringLiteral("image1"), {40, 40, 120, 90});
             QImage mask(240, 180, QImage::Format_ARGB32);
             mask.fill(Qt::white);
             masked->setMaskImage(mask);
             return Graphics {masked};
         },
         "imageMaskFlag:1;"},
        {"image: enlargeable",
         [] { return Graphics {with(image(QStringLiteral("image1"), {40, 40, 120, 90}), {{"imageEnlargeFlag", 1}})}; },
         "enlarge:1;"},
        {"lines: arrows, dashed, thick, translucent, reversed",
         [] {
             auto reversed = line({40, 80, 60, 30});
             reversed->setBeginPoint({100, 50});
             reversed->setEndPoint({40, 80});
             return Graphics {with(line({20, 160, 400, 0}),
                                   {{"drawBeginArrow", true},
                                    {"drawEndArrow", true},
                                    {"borderStyle", QStringLiteral("dashed")},
                                    {"borderWidth", 4},
                                    {"opacity", 0.5}}),
                              reversed};
         }},
        {"slideshows: automatic, with linked slides, two on a page",
         [] {
             auto linked = carrier(QStringLiteral("image1"), picture(200, 100, Qt::red));
             linked->link = QStringLiteral("http://example.test/slide");
             linked->linkOption = QStringLiteral("_self");
             linked->altText = QStringLiteral("First slide");
             auto automatic = with(slideshow({20, 20, 200, 100}, {linked, carrier(QStringLiteral("image2"),
                                                                                   picture(200, 100, Qt::blue))}),
                                   {{"slideShowAutomaticFlag", 1}});
             auto manual = slideshow({300, 20, 100, 50}, {carrier(QStringLiteral("image3"), picture(100, 50, Qt::gray))});
             return Graphics {automatic, manual};
         },
         "autoStart:1;"},
        {"gallery: two rows, shadow and backdrop",
         [] {
             return Graphics {with(gallery({20, 20, 300, 240}, 1, 2, 2), {{"shadowFlag", 1}, {"backdropLightingFlag", 1}})};
         }},
        {"two galleries and a free image between them",
         [] {
             return Graphics {gallery({20, 20, 200, 100}, 1, 1, 2), image(QStringLiteral("image3"), {250, 20, 60, 40}),
                              gallery({20, 200, 200, 100}, 4, 1, 1)};
         }},
        {"tables: two, one with paddings and margins",
         [] {
             return Graphics {table({20, 20}, 2, 2),
                              with(table({300, 20}, 1, 3),
                                   {{"topPadding", 4}, {"leftMargin", 6}, {"topPaddingType", QStringLiteral("pixel")},
                                    {"leftMarginType", QStringLiteral("%")}, {"topPaddingLevelString", QStringLiteral("Small")}})};
         }},
        {"table with a background picture and a picture in a cell (editions with table pictures)",
         [] {
             gTableImagesEnabled = true;
             auto t = table({20, 20}, 2, 2);
             auto background = carrier(QStringLiteral("image1"), picture(160, 60, Qt::cyan));
             background->rowSpot = -99;
             background->columnSpot = -99;
             t->setTableBackgroundImage(background);
             auto inCell = carrier(QStringLiteral("image2"), picture(60, 20, Qt::magenta));
             inCell->rowSpot = 1;
             inCell->columnSpot = 0;
             t->addIntoImageArray(inCell);
             return Graphics {t};
         },
         "tableNumber:0;templateName:index;"},
    };
    for (const KindCase &c : cases) {
        SCOPED_TRACE(c.name);
        startPage();
        const Texts t = generations(c.make());
        EXPECT_TRUE(t.first.contains(QString::fromLatin1(c.holds)));
        expectSameText(t.first, t.read, std::string(c.name) + " read from its file");
        expectSameText(t.first, t.opened, std::string(c.name) + " opened from its package");
        if (HasFailure())
            break;
    }
}

// Reading fills in what a page left empty (level strings, units), turns a
// text box's indent into leading spaces and makes a transparent text box
// with a shadow white, so that the shadow has something to fall from. The
// page read once is then stable.
TEST_F(RoundTripTest, NormalisedValuesAreStableFromTheFirstReading)
{
    const struct {
        const char *name;
        std::function<Graphics()> make;
        const char *normalised; // a text only the normalised page holds
    } cases[] = {
        {"table with empty level strings", [] { return Graphics {table({20, 20}, 1, 2, QString())}; },
         "leftMarginLevelStr:None;rightMarginLevelStr:None;}\n"},
        {"formatted snippet with empty units",
         [] {
             return Graphics {with(text({20, 20, 200, 60}, QStringLiteral("<i>x</i>"), QStringLiteral("HTMLSnippet")),
                                   {{"snippetFormatFlag", true}})};
         },
         "topPaddingTypeStr:pixel;"},
        {"indented text box: the indent becomes four leading spaces",
         [] { return Graphics {with(text({20, 20, 200, 40}, QStringLiteral("Indented")), {{"indentFlag", 1}})}; },
         "<div class=text0>    Indented</div>"},
        {"shadowed transparent text box",
         [] { return Graphics {with(text({20, 20, 200, 40}, QStringLiteral("Shadowed")), {{"shadowFlag", 1}})}; },
         "shapeBackgroundColor:FFFFFF;"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        startPage();
        const Texts once = generations(c.make());
        EXPECT_FALSE(once.first.contains(QString::fromLatin1(c.normalised)));
        EXPECT_TRUE(once.opened.contains(QString::fromLatin1(c.normalised)));
        expectSameText(once.read, once.opened, "both readings");
        // The opened page, saved and read again, is the same page.
        doc = std::move(opened);
        gWorkFolder = path(QStringLiteral("work-") + QString::number(++workFolders));
        QDir().mkpath(gWorkFolder);
        const Texts twice = generations({});
        expectSameText(once.opened, twice.first, "the opened page generated again");
        expectSameText(twice.first, twice.read, "read a second time");
        expectSameText(twice.first, twice.opened, "opened a second time");
    }
}

namespace {
std::shared_ptr<SKTText> field(const QString &type, int32_t tag, int32_t option, const QRectF &bounds,
                               const QString &string = QString(), bool required = false)
{
    auto t = text(bounds, string);
    t->setFontSize(12);
    t->setFormType(type);
    t->setFormTag(tag);
    t->setFormOptionTag(option);
    t->setFormRequiredFlag(required ? 1 : 0);
    return t;
}

// Every kind of field: labels, a required name, the sender's e-mail marked
// as the reply address, a password, a radio and a checkbox group with their
// captions, a required message, the bot question and its answer, and the
// button, each with the sample text and alignment the canvas gives it.
Graphics everyField()
{
    auto email = field(QStringLiteral("text"), 2, -11, {150, 60, 200, 26}, QStringLiteral("name@example.com"));
    email->setMarkAsReplyToEmailFlag(1);
    auto submit = field(QStringLiteral("submit"), 7, -99, {150, 370, 100, 30}, QStringLiteral("Send"));
    submit->setFontAlignment(1);
    return {field(QStringLiteral("textLabel"), 1, -99, {20, 20, 120, 24}, QStringLiteral("Your name")),
            field(QStringLiteral("text"), 1, -99, {150, 20, 200, 26}, QStringLiteral("Text Field Placeholder"), true),
            field(QStringLiteral("textLabel"), 2, -99, {20, 60, 120, 24}, QStringLiteral("Your e-mail")),
            email,
            field(QStringLiteral("password"), 8, -99, {150, 90, 100, 20}),
            field(QStringLiteral("textLabel"), 3, 0, {40, 120, 60, 20}, QStringLiteral("Yes & gladly")),
            field(QStringLiteral("radio"), 3, 0, {20, 120, 20, 20}),
            field(QStringLiteral("textLabel"), 3, 1, {40, 140, 60, 20}, QStringLiteral("No")),
            field(QStringLiteral("radio"), 3, 1, {20, 140, 20, 20}),
            field(QStringLiteral("textLabel"), 4, 0, {40, 170, 60, 20}, QStringLiteral("Red")),
            field(QStringLiteral("checkbox"), 4, 0, {20, 170, 20, 20}),
            field(QStringLiteral("textLabel"), 4, 1, {40, 190, 60, 20}, QStringLiteral("Blue")),
            field(QStringLiteral("checkbox"), 4, 1, {20, 190, 20, 20}),
            field(QStringLiteral("textLabel"), 5, -99, {20, 220, 120, 24}, QStringLiteral("Message")),
            field(QStringLiteral("textarea"), 5, -99, {150, 220, 205, 98}, QStringLiteral("Paragraph Placeholder"), true),
            field(QStringLiteral("textLabel"), 6, -22, {20, 330, 60, 20}, QStringLiteral("1+2=")),
            field(QStringLiteral("text"), 6, -22, {90, 330, 40, 20}, QStringLiteral("3")),
            submit};
}
} // namespace

TEST_F(RoundTripTest, FormPagesWithEveryFieldAndEitherMailerReadBackToTheSamePage)
{
    const struct {
        const char *name;
        bool smtp;
    } mailers[] = {{"mail()", false}, {"SMTP", true}};
    for (const auto &mailer : mailers) {
        SCOPED_TRACE(mailer.name);
        startPage(QStringLiteral("contact"));
        doc->pageOfficialName = QStringLiteral("Contact us");
        doc->pageFileType = QStringLiteral("trelkoforms");
        doc->pageFileExtension = QStringLiteral("php");
        doc->siteFeedbackEmail = QStringLiteral("owner@example.test");
        doc->siteCCFeedbackEmail = mailer.smtp ? QString() : QStringLiteral("copy@example.test");
        doc->formRedirectURL = QStringLiteral("thanks.html");
        doc->formSubmitButtonValue = QStringLiteral("Send it");
        doc->formSentResponse = QStringLiteral("Thank you; your message is on its way.");
        doc->formRequiredResponse = QStringLiteral("Please fill in every required field.");
        doc->formEmailVerificationMsg = QStringLiteral("Please check your e-mail address.");
        doc->formBotCheckerResponse = QStringLiteral("That's not the answer (try again).");
        doc->grabIPFlag = mailer.smtp ? 0 : 1;
        doc->formOrderLayoutOption = mailer.smtp ? 0 : 1;
        if (mailer.smtp) {
            doc->formEmailServer = QStringLiteral("smtp.example.test:587");
            doc->formEmailUsername = QStringLiteral("mailer");
            doc->formEmailPassword = QStringLiteral("pa$$word");
        }
        const Texts t = generations(everyField(), QStringLiteral("contact"), QStringLiteral("trelkoforms"));
        ASSERT_TRUE(t.first.contains(mailer.smtp ? QStringLiteral("Mail::factory('smtp'") : QStringLiteral("mail(")));
        expectSameText(t.first, t.read, "read from its file");
        expectSameText(t.first, t.opened, "opened from its package");
        EXPECT_EQ(opened->formEmailPassword, doc->formEmailPassword);
        EXPECT_EQ(opened->formSubmitButtonValue, QStringLiteral("Send"));
        EXPECT_EQ(opened->formBotCheckerResponse, doc->formBotCheckerResponse);
        if (HasFailure())
            break;
    }
}

// A record page: the edition's fields in its order, values that look like
// markup, and blocks of fields another edition wrote, which stay in order.
TEST_F(RoundTripTest, RecordPagesKeepTheirFieldsAndOtherEditionsBlocks)
{
    gDocumentExtension = QStringLiteral("pelprofile");
    gProfileFieldKeys = {QStringLiteral("Name"), QStringLiteral("Species"), QStringLiteral("Owner")};
    startPage(QStringLiteral("rex"));
    doc->pageOfficialName = QStringLiteral("Rex");
    doc->profileDictionary = {{QStringLiteral("Name"), QStringLiteral("Rex <the 2nd>")},
                              {QStringLiteral("Species"), QStringLiteral("Dog")},
                              {QStringLiteral("Owner"), QStringLiteral("Ann & Bob")}};
    doc->extraProfileFields = {{QStringLiteral("Vaccination"), QStringLiteral("2026-01-05 --> booster")},
                               {QStringLiteral("Allergies"), QStringLiteral("none")}};
    const Texts t = generations({text({20, 20, 300, 40}, QStringLiteral("Patient record")),
                                 image(QStringLiteral("image1"), {20, 80, 120, 90})},
                                QStringLiteral("rex"));
    expectSameText(t.first, t.read, "read from its file");
    expectSameText(t.first, t.opened, "opened from its package");
    EXPECT_EQ(opened->profileDictionary, doc->profileDictionary);
    EXPECT_EQ(opened->extraProfileFields, doc->extraProfileFields);
}

// A label page keeps its sheet: brand, number and description.
TEST_F(RoundTripTest, LabelPagesKeepTheirSheet)
{
    gReplacePageNumbers = true;
    gDefaultPrintSheet = QStringLiteral("Address labels, 30 per sheet");
    startPage(QStringLiteral("labels"));
    doc->labelTemplateHelper = {QStringLiteral("Zov"), QStringLiteral("L30"), gDefaultPrintSheet};
    const Texts t = generations({text({10, 10, 180, 60}, QStringLiteral("Ann Smith\n1 High Street\nTown")),
                                 line({10, 80, 180, 0})},
                                QStringLiteral("labels"));
    ASSERT_TRUE(t.first.contains(QStringLiteral("//====LABEL_TEMPLATENUMBER_START==L30==LABEL_TEMPLATENUMBER_END")));
    expectSameText(t.first, t.read, "read from its file");
    expectSameText(t.first, t.opened, "opened from its package");
    EXPECT_EQ(opened->labelTemplateHelper.brand, QStringLiteral("Zov"));
    EXPECT_EQ(gDefaultPrintSheet, QStringLiteral("Address labels, 30 per sheet"));
}
