// Scripting's range and relative references, collection insertion, and the
// document's error texts.
#include "DocumentFixture.h"

#include "document/SKTError.h"
#include "document/ScriptingReferences.h"
#include "model/SKTCircle.h"

TEST_F(DocumentTest, ScriptingRangesAndRelativeReferences)
{
    auto r0 = std::make_shared<SKTRectangle>();
    auto c1 = std::make_shared<SKTCircle>();
    auto r2 = std::make_shared<SKTRectangle>();
    auto t3 = makeText({0, 0, 10, 10}, QStringLiteral("t"));
    auto r4 = std::make_shared<SKTRectangle>();
    doc->insertGraphics({r0, c1, r2, t3, r4}, {0, 1, 2, 3, 4});
    const QList<SKTGraphic *> g = doc->graphicPointers();
    auto ref = [](const QString &key, QList<SKTGraphic *> list) { return std::optional<ScriptingReference>({key, list}); };
    const QString rects = QStringLiteral("rectangles"), all = QStringLiteral("graphics");

    // From a later graphic to an earlier one: as the reversed range.
    EXPECT_EQ(ScriptingReferences::rangeIndexes(g, rects, ref(all, {r4.get()}), ref(all, {c1.get()})),
              (QList<qsizetype>{1, 2}));
    EXPECT_EQ(ScriptingReferences::rangeIndexes(g, rects, ref(all, {c1.get()}), ref(all, {r4.get()})),
              (QList<qsizetype>{1, 2}));
    EXPECT_EQ(ScriptingReferences::rangeIndexes(g, all, std::nullopt, ref(all, {c1.get()})), (QList<qsizetype>{0, 1}));
    // A list start takes its first element, a list end its last.
    EXPECT_EQ(ScriptingReferences::rangeIndexes(g, all, ref(rects, {c1.get(), r4.get()}), ref(rects, {r0.get(), t3.get()})),
              (QList<qsizetype>{1, 2, 3}));
    // No answer: no ends, an unknown key, nothing evaluated, a stranger.
    SKTRectangle stranger;
    EXPECT_FALSE(ScriptingReferences::rangeIndexes(g, rects, std::nullopt, std::nullopt));
    EXPECT_FALSE(ScriptingReferences::rangeIndexes(g, rects, ref(QStringLiteral("slides"), {r0.get()}), std::nullopt));
    EXPECT_FALSE(ScriptingReferences::rangeIndexes(g, rects, ref(all, {}), std::nullopt));
    EXPECT_FALSE(ScriptingReferences::rangeIndexes(g, rects, ref(all, {&stranger}), std::nullopt));
    EXPECT_EQ(ScriptingReferences::rangeIndexes({}, rects, ref(all, {r0.get()}), std::nullopt), QList<qsizetype>{});

    EXPECT_EQ(ScriptingReferences::relativeIndexes(g, rects, ref(all, {c1.get()}), true), QList<qsizetype>{1});
    EXPECT_EQ(ScriptingReferences::relativeIndexes(g, rects, ref(all, {t3.get()}), false), QList<qsizetype>{1});
    EXPECT_EQ(ScriptingReferences::relativeIndexes(g, all, ref(all, {r0.get(), c1.get()}), true), QList<qsizetype>{2});
    EXPECT_EQ(ScriptingReferences::relativeIndexes(g, QStringLiteral("circles"), ref(all, {r2.get()}), true),
              QList<qsizetype>{});
    EXPECT_FALSE(ScriptingReferences::relativeIndexes(g, rects, std::nullopt, true));
    EXPECT_FALSE(ScriptingReferences::relativeIndexes(g, rects, ref(all, {&stranger}), true));

    EXPECT_EQ(ScriptingReferences::insertionIndex(g, rects, 3), 5);
    EXPECT_EQ(ScriptingReferences::insertionIndex(g, rects, 1), 2);
    EXPECT_EQ(ScriptingReferences::insertionIndex(g, rects, 4), -1);
    EXPECT_EQ(ScriptingReferences::notFoundText(QStringLiteral("textAreas")),
              QStringLiteral("Could not find the given text area in the graphics."));
}

TEST_F(DocumentTest, ErrorsCarryOurDomainAndTexts)
{
    const SKTError known = SKTErrorFromCode(2);
    EXPECT_EQ(known.domain, QStringLiteral("ZovDocumentErrorDomain"));
    EXPECT_EQ(known.code, 2);
    EXPECT_FALSE(known.localizedFailureReason.isEmpty());
    const SKTError unknown = SKTErrorFromCode(77);
    EXPECT_EQ(unknown.localizedDescription,
              QStringLiteral("Zov Web could not complete the operation because an unknown error occurred."));
    EXPECT_EQ(unknown.localizedFailureReason, QStringLiteral("An unknown error occurred."));
}
