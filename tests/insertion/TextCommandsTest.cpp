// Saved texts and snippet sizing.
#include "InsertionFixture.h"

#include "insertion/InsertionDates.h"
#include "insertion/TextCommands.h"
#include "model/SKTText.h"

TEST(SnippetSizing, OnlyRealAttributeValuesAreReplaced)
{
    struct Case {
        const char *code;
        const char *expected;
    };
    const Case cases[] = {
        {R"(<iframe width="560" height="315" src="v"></iframe>)", R"(<iframe width=400 height=225 src="v"></iframe>)"},
        {R"(<a width="560"></a><b width="560" height='315'>)", R"(<a width=400></a><b width=400 height=225>)"},
        {R"(<div style="max-width=900" width=560 height=315>)", R"(<div style="max-width=900" width=400 height=225>)"},
        {R"(<img width=560 height=315/>)", R"(<img width=400 height=225/>)"},
        {R"(<img width="560">)", R"(<img width="560">)"}, // no height: unchanged
        {R"(<x width = "560" HEIGHT="315">)", R"(<x width = 400 HEIGHT=225>)"},
        {R"(<p data-width="1" width="7" height="8">)", R"(<p data-width="1" width=400 height=225>)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TextCommands::resizeSnippetCode(QString::fromUtf8(c.code), 400, 225), QString::fromUtf8(c.expected))
            << c.code;
}

TEST_F(InsertionTest, SnippetSizeCommandIsOneUndoStepAndHiddenInResponsiveEditions)
{
    auto snippet = std::make_shared<SKTText>();
    snippet->setTextType(QStringLiteral("HTMLSnippet"));
    snippet->setTextString(QStringLiteral(R"(<iframe width="560" height="315"></iframe>)"));
    snippet->setBounds({0, 0, 400.7, 225.2});
    place({snippet});
    TextCommands commands(*frame);
    EXPECT_FALSE(commands.showAutoAdjustSnippetSize());
    context->selection = {snippet.get()};
    gResponsiveEdition = true;
    EXPECT_FALSE(commands.showAutoAdjustSnippetSize());
    gResponsiveEdition = false;
    ASSERT_TRUE(commands.showAutoAdjustSnippetSize());
    ASSERT_TRUE(commands.autoAdjustSnippetSize());
    EXPECT_EQ(snippet->textString(), QStringLiteral("<iframe width=400 height=225></iframe>"));
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(snippet->textString(), QStringLiteral(R"(<iframe width="560" height="315"></iframe>)"));
}

TEST_F(InsertionTest, SavedTextsAreStoredAndAppended)
{
    auto text = std::make_shared<SKTText>();
    text->setTextType(QStringLiteral("Text"));
    text->setTextString(QStringLiteral("Hello"));
    auto field = std::make_shared<SKTText>();
    field->setFormType(QStringLiteral("text"));
    place({text, field});
    TextCommands commands(*frame);
    context->selection = {field.get()};
    EXPECT_FALSE(commands.savedTextShown());
    context->selection = {text.get()};
    ASSERT_TRUE(commands.savedTextShown());
    ASSERT_TRUE(commands.addToSavedTextWindow());
    const QList<SavedText> records = context->savedTexts().records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records.front().textContent, QStringLiteral("Hello"));
    EXPECT_TRUE(records.front().title.startsWith(QStringLiteral("Added ")));
    EXPECT_TRUE(records.front().title.contains(QStringLiteral(" at ")));
    // Another store over the same defaults sees it: one collection.
    EXPECT_EQ(SavedTextStore().count(), 1);

    ASSERT_TRUE(commands.pullFromSavedText(QStringLiteral("Saved words")));
    EXPECT_EQ(text->textString(), QStringLiteral("Hello\nSaved words"));
    ASSERT_TRUE(doc->undoManager().undo());
    EXPECT_EQ(text->textString(), QStringLiteral("Hello"));
    // A removed box is not touched.
    doc->removeGraphicAtIndex(0);
    EXPECT_FALSE(commands.pullFromSavedText(QStringLiteral("x")));
}
