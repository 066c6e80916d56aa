// How generation handles the memory of large pages: pieces given room for all
// their items once the first show their size, and the memory of the last
// page and its pieces written again by the next generation, never while
// someone still holds that page.
#include "PageFixture.h"

#include "generation/PieceRoom.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"

namespace {

// How many times piece moved to new memory while items were appended to it,
// the length of item i given by length(i).
template <class Length>
int movesWhileAppending(QString &piece, int items, Length length, bool withRoom)
{
    PieceRoom room({&piece}, items);
    int moves = 0;
    const QChar *data = piece.constData();
    for (int i = 0; i < items; ++i) {
        if (withRoom)
            room.nextItem();
        piece += QString(length(i), QChar(u'a' + i % 26));
        if (piece.constData() != data) {
            ++moves;
            data = piece.constData();
        }
    }
    return moves;
}

} // namespace

TEST(PieceRoomTest, GivesRoomForAllItemsOnceTheirSizeIsKnown)
{
    const auto expected = [](int items, auto length) {
        QString text;
        for (int i = 0; i < items; ++i)
            text += QString(length(i), QChar(u'a' + i % 26));
        return text;
    };
    const auto even = [](int) { return 100; };
    QString roomy;
    EXPECT_LE(movesWhileAppending(roomy, 5000, even, true), 2);
    EXPECT_EQ(roomy, expected(5000, even));
    // Room for every item once the first has shown its size (whether the
    // allocator could have grown a piece in place is its own affair).
    QString early;
    PieceRoom room({&early}, 5000);
    room.nextItem();
    early += QString(100, u'a');
    room.nextItem();
    EXPECT_GE(early.capacity(), 5000 * 100);

    // Items growing longer than the first ones: widened again, a few times only.
    const auto growing = [](int i) { return 10 + i / 10; };
    QString longer(QStringLiteral("start:"));
    EXPECT_LE(movesWhileAppending(longer, 3000, growing, true), 8);
    EXPECT_EQ(longer, QStringLiteral("start:") + expected(3000, growing));

    // No items, one item, items writing nothing.
    QString none;
    PieceRoom({&none}, 0).nextItem();
    EXPECT_TRUE(none.isEmpty());
    QString empty;
    EXPECT_LE(movesWhileAppending(empty, 50, [](int) { return 0; }, true), 0);
}

class GenerationMemoryTest : public PageTest {
protected:
    // count texts and images, the texts saying word.
    void fill(SKTDocument &page, int count, const QString &word)
    {
        for (int i = 0; i < count; ++i) {
            const QRectF bounds((i % 10) * 90.0, (i / 10) * 60.0, 80, 50);
            if (i % 2 == 0) {
                auto text = std::make_shared<SKTText>();
                text->setTextType(QStringLiteral("Text"));
                text->setBounds(bounds);
                text->setTextString(word + QString::number(i));
                text->setFontFamily(fontFamily);
                text->setFontSize(14);
                page.insertGraphic(text);
            } else {
                auto image = std::make_shared<SKTImage>();
                image->setImageName(QStringLiteral("image%1").arg(i));
                image->setImageType(QStringLiteral("PNG"));
                image->setBounds(bounds);
                image->setSlideShowNumber(-99);
                image->setGalleryNumber(-99);
                page.insertGraphic(image);
            }
        }
    }
};

TEST_F(GenerationMemoryTest, PageGeneratedAgainReusesTheLastPagesMemoryOnlyWhenNoOneHoldsIt)
{
    fill(*doc, 400, QStringLiteral("Word"));
    generate(); // the first generation settles what drawing would have
    const QByteArray first = generate().toUtf8();
    // Only gGeneratedSource holds the last page: the next is written into its memory.
    const QChar *lastMemory = gGeneratedSource.constData();
    const QString again = generate();
    EXPECT_EQ(again.toUtf8(), first);
    EXPECT_EQ(again.constData(), lastMemory);

    // A page someone still holds is left as it was.
    doc->pageOfficialName = QStringLiteral("Renamed");
    const QString renamed = generate();
    EXPECT_EQ(again.toUtf8(), first);
    EXPECT_NE(renamed.constData(), again.constData());
    EXPECT_TRUE(renamed.contains(QStringLiteral("<title>Renamed</title>")));
}

TEST_F(GenerationMemoryTest, SmallPageAfterALargeOneKeepsNothingOfIt)
{
    SKTDocument small;
    small.pageName = QStringLiteral("small");
    small.pageOfficialName = QStringLiteral("Small");
    small.pageFileExtension = QStringLiteral("html");
    small.mainTemplateName = QStringLiteral("main");
    small.encodingType = QStringLiteral("UTF-8");
    small.tempSavePathLocal = path();
    small.openWebsiteFolderTempPath = path();
    fill(small, 6, QStringLiteral("Little"));
    const QString alone = small.generateSourceCode(small.pageName, false, false);
    const QByteArray expected = alone.toUtf8();

    fill(*doc, 2000, QStringLiteral("Huge"));
    const QString huge = generate();
    EXPECT_TRUE(huge.contains(QStringLiteral("Huge1998")));
    const QString after = small.generateSourceCode(small.pageName, false, false);
    EXPECT_EQ(after.toUtf8(), expected);
    EXPECT_FALSE(after.contains(QStringLiteral("Huge")));
    // And the large page once more, after the small one.
    const QString large = generate();
    EXPECT_TRUE(large.contains(QStringLiteral("Huge1998")));
    EXPECT_FALSE(large.contains(QStringLiteral("Little")));
}
