// The template chooser's data without a window: the category lists of the
// editions, unpacking packages, thumbnails and their sizes, the bounded
// preparation, and the grid layout.
#include "app/TemplateCategoryTable.h"
#include "app/TemplateGallery.h"
#include "app/TemplateGridPlan.h"
#include "publishing/UploadFTPS.h"
#include "support/TempDir.h"

#include <QFile>
#include <QImage>

namespace {

QStringList folders(const QList<TemplateCategory> &list)
{
    QStringList names;
    for (const TemplateCategory &c : list)
        names << c.categoryFolderName();
    return names;
}

class TemplateGalleryTest : public TempDirTest {
protected:
    void write(const QString &relative, const QByteArray &data)
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    void picture(const QString &relative, QSize size)
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(path(relative)));
    }
    // A page package as the program writes it: the page's folder, its page
    // file and pictures beside it. pages lists the page files' base names.
    QString package(const QString &relative, const QStringList &pages, QSize pictureSize = QSize(400, 300),
                    const QString &pageExtension = QStringLiteral("html"))
    {
        const QString source = path(QStringLiteral("src/") + QFileInfo(relative).completeBaseName() + QString::number(++made));
        const QString first = pages.first();
        write(QStringLiteral("src/%1/%2/image1.png").arg(QFileInfo(source).fileName(), first), "png");
        // The first page beside the page's folder; any further one inside it,
        // so that the package holds them side by side.
        for (const QString &page : pages)
            write(QStringLiteral("src/%1/%2%3.%4")
                      .arg(QFileInfo(source).fileName(), page == first ? QString() : first + QLatin1Char('/'), page, pageExtension),
                  "<html></html>");
        if (pictureSize.isValid())
            picture(QStringLiteral("src/%1/%2@2x.png").arg(QFileInfo(source).fileName(), first), pictureSize);
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        UploadFTPS transport;
        EXPECT_TRUE(transport.zipDocument(QDir(source).filePath(first), path(relative))) << qPrintable(transport.zipLog());
        return path(relative);
    }
    TemplateGallery::Input input(const QString &edition = QStringLiteral("Zov Test"))
    {
        TemplateGallery::Input in;
        in.edition = edition;
        in.bundleTemplatesFolder = path(QStringLiteral("bundle/templates"));
        in.workTemplatesFolder = path(QStringLiteral("work/templates"));
        in.documentExtension = QStringLiteral("zovpage");
        return in;
    }
    int made = 0;
};

}  // namespace

TEST(TemplateCategoryTableTest, EditionListsAndTheCategoryTheyOpenOn)
{
    struct Case {
        const char *edition;
        QStringList folders;
        const char *initial;
    };
    const QList<Case> cases = {
        {"Some Edition Not Listed", {"all", "blank"}, "all"},
        {"HTML Zov Pro", {"all", "blank", "business", "classic", "zovnation", "forms", "mobile", "modern", "widgets"}, "all"},
        {"Quessel Pro 2", {"all", "blank", "network", "team"}, "all"},
        {"Trelko Forms Pro 2", {"all", "blank", "free", "business", "feedback", "guestbook", "survey"}, "all"},
        {"Mirvel Responsive Email Designer", {"blank", "templates"}, "all"},
        {"Ostravel Envelope Designer", {"number10_envelope", "dl_envelope", "monarch_envelope", "number9_envelope"},
         "number10_envelope"},
        {"Ostravel Business Card Designer", {"cards", "A4_cards"}, "cards"},
        {"Ostravel eCard Designer",
         {"blank", "birthday", "hugs", "love", "newyear", "missingyou", "others", "sayhi", "submityourown", "thankyou"},
         "blank"},
        // Names are compared exactly.
        {"html zov pro", {"all", "blank"}, "all"},
    };
    for (const Case &c : cases) {
        QString initial;
        const auto list = TemplateGallery::prepTemplateCategories(QString::fromUtf8(c.edition), &initial);
        EXPECT_EQ(folders(list), c.folders) << c.edition;
        EXPECT_EQ(initial, QString::fromUtf8(c.initial)) << c.edition;
        // Preparing again gives the same list, not a longer one.
        EXPECT_EQ(TemplateGallery::prepTemplateCategories(QString::fromUtf8(c.edition), nullptr), list) << c.edition;
    }
    const auto cards = TemplateGallery::prepTemplateCategories(QStringLiteral("Tovra Greeting Card Designer"), nullptr);
    ASSERT_EQ(cards.size(), 12);
    EXPECT_EQ(cards.first().categoryDescription(), QStringLiteral("  Letter Half Fold - 8.5\" x 5.5\""));
    EXPECT_EQ(cards.last().categoryDescription(), QStringLiteral("  A5 Quarter Fold - 2.9\" x 4.15\""));
    const auto titles = TemplateGallery::prepTemplateCategories(QStringLiteral("HTML Zov Pro"), nullptr);
    EXPECT_EQ(titles.at(0).categoryDescription(), QStringLiteral("  All"));
    EXPECT_EQ(titles.at(4).categoryDescription(), QStringLiteral("  Zov Nation"));
    const auto business = TemplateGallery::prepTemplateCategories(QStringLiteral("Ostravel Business Card Designer"), nullptr);
    EXPECT_EQ(business.at(0).categoryDescription(), QStringLiteral("  89 \u00D7 51 mm (3.5 \u00D7 2 in)"));
    const auto envelopes = TemplateGallery::prepTemplateCategories(QStringLiteral("Ostravel Envelope Designer"), nullptr);
    EXPECT_EQ(envelopes.at(1).categoryDescription(), QStringLiteral("110 x 220mm (4.4 x 8.8\") DL"));
}

TEST(TemplateCategoryTableTest, MalformedLinesAreSkipped)
{
    const auto table = TemplateCategoryTable::parse(QStringLiteral(
        "# comment\nA\tone\t  One\nA\tbroken\nA\ttwo\t  Two\r\nB\treplaces\ttwo\nB\ttwo\t  Two\nsame\tC\tA\n"));
    EXPECT_EQ(folders(table.categoriesFor(QStringLiteral("A"))), (QStringList{"all", "blank", "one", "two"}));
    EXPECT_EQ(table.categoriesFor(QStringLiteral("A")).last().categoryDescription(), QStringLiteral("  Two"));
    QString initial;
    EXPECT_EQ(folders(table.categoriesFor(QStringLiteral("B"), &initial)), QStringList{"two"});
    EXPECT_EQ(initial, QStringLiteral("two"));
    EXPECT_EQ(folders(table.categoriesFor(QStringLiteral("C"))), (QStringList{"all", "blank", "one", "two"}));
}

TEST_F(TemplateGalleryTest, MigratePageAnswersThePictureOrNothing)
{
    const QString good = package(QStringLiteral("p/Shop.zovpage"), {QStringLiteral("shop")});
    EXPECT_EQ(TemplateGallery::migratePage(good, path(QStringLiteral("out/Shop"))), path(QStringLiteral("out/Shop/shop@2x.png")));

    // Without a retina picture the plain one is named.
    const QString plain = package(QStringLiteral("p/Plain.zovpage"), {QStringLiteral("plain")}, QSize());
    EXPECT_EQ(TemplateGallery::migratePage(plain, path(QStringLiteral("out/Plain"))), path(QStringLiteral("out/Plain/plain.png")));

    // A forms package holds a PHP page.
    const QString form = package(QStringLiteral("p/Ask.trelkoforms"), {QStringLiteral("ask")}, QSize(10, 10), QStringLiteral("php"));
    EXPECT_EQ(TemplateGallery::migratePage(form, path(QStringLiteral("out/Ask"))), path(QStringLiteral("out/Ask/ask@2x.png")));

    // A broken package leaves no folder behind, not even an older one.
    write(QStringLiteral("p/Broken.zovpage"), "this is no zip archive");
    write(QStringLiteral("out/Broken/old.html"), "old");
    EXPECT_EQ(TemplateGallery::migratePage(path(QStringLiteral("p/Broken.zovpage")), path(QStringLiteral("out/Broken"))), QString());
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("out/Broken"))));
}

TEST_F(TemplateGalleryTest, ThumbnailsFitA200SquareInWholePoints)
{
    const QList<QPair<QSize, QSize>> cases = {
        {{400, 600}, {133, 200}}, {{600, 400}, {200, 133}}, {{200, 200}, {200, 200}},
        {{0, 0}, {200, 200}},     {{50, 1000}, {10, 200}},  {{1000, 0}, {200, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TemplateGallery::returnNewSize(c.first), c.second) << c.first.width() << "x" << c.first.height();
}

TEST_F(TemplateGalleryTest, PreparationUnpacksEveryCategoryAndBuildsItsThumbnails)
{
    package(QStringLiteral("bundle/templates/blank/Blank.zovpage"), {QStringLiteral("Blank")}, QSize(400, 600));
    package(QStringLiteral("bundle/templates/blank/Tall.zovpage"), {QStringLiteral("Tall")}, QSize());
    // Two page files: no thumbnail, and the others keep their own names.
    package(QStringLiteral("bundle/templates/blank/Twice.zovpage"), {QStringLiteral("a"), QStringLiteral("b")});
    package(QStringLiteral("bundle/templates/blank/Form.trelkoforms"), {QStringLiteral("form")}, QSize(600, 400),
            QStringLiteral("php"));
    write(QStringLiteral("bundle/templates/blank/notes.txt"), "not a template");

    const TemplateGallery::Result first = TemplateGallery::prepTemplatesInBackground(input());
    EXPECT_TRUE(first.copied);
    EXPECT_EQ(first.passes, 1);
    QStringList names;
    for (const TemplateIcon &icon : first.icons) {
        names << icon.fileName;
        EXPECT_EQ(icon.categoryFolder, QStringLiteral("blank"));
    }
    EXPECT_EQ(names, (QStringList{"Blank.zovpage", "Form.trelkoforms", "Tall.zovpage"}));
    EXPECT_EQ(first.icons.at(0).size, QSize(133, 200));
    EXPECT_EQ(first.icons.at(0).image.size(), QSize(133, 200));
    EXPECT_EQ(first.icons.at(1).size, QSize(200, 133));
    EXPECT_TRUE(first.icons.at(2).image.isNull());  // no picture: an empty thumbnail
    EXPECT_EQ(first.icons.at(2).size, QSize(200, 200));
    EXPECT_EQ(first.pageNames, (QStringList{"Blank.zovpage", "Form.trelkoforms", "Tall.zovpage", "Twice.zovpage"}));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("work/templates/blank/Blank/Blank.html"))));

    // Opening again copies nothing: a file put into the work copy stays.
    write(QStringLiteral("work/templates/blank/marker"), "x");
    TemplateGallery::Input again = input();
    again.copyNeeded = false;
    const TemplateGallery::Result second = TemplateGallery::prepTemplatesInBackground(again);
    EXPECT_FALSE(second.copied);
    EXPECT_EQ(second.icons.size(), 3);
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("work/templates/blank/marker"))));
}

TEST_F(TemplateGalleryTest, WithoutTemplatesThePreparationEndsEmptyAfterOneRetry)
{
    // No templates folder at all, and a folder with nothing usable.
    for (const bool withFolder : {false, true}) {
        if (withFolder)
            write(QStringLiteral("bundle/templates/blank/readme.txt"), "empty");
        const TemplateGallery::Result result = TemplateGallery::prepTemplatesInBackground(input());
        EXPECT_TRUE(result.icons.isEmpty());
        EXPECT_EQ(result.passes, 2);
    }
    // A work copy removed under a run that thinks it copied already: the
    // retry copies again.
    package(QStringLiteral("bundle/templates/blank/Blank.zovpage"), {QStringLiteral("Blank")});
    TemplateGallery::Input stale = input();
    stale.copyNeeded = false;
    QDir(stale.workTemplatesFolder).removeRecursively();
    const TemplateGallery::Result result = TemplateGallery::prepTemplatesInBackground(stale);
    EXPECT_EQ(result.passes, 2);
    EXPECT_TRUE(result.copied);
    EXPECT_EQ(result.icons.size(), 1);
}

TEST(TemplateGridPlanTest, ThreeColumnsSpacedByTheFirstThumbnail)
{
    QList<QSize> sizes(7, QSize(200, 133));
    sizes[1] = QSize(133, 200);
    const TemplateGridPlan plan = TemplateGridPlan::layout(sizes);
    EXPECT_EQ(plan.rows, 3);
    EXPECT_EQ(plan.documentSize, QSize(3 * 200 + 90, (133 + 70) * 3));
    EXPECT_EQ(plan.frames.at(1), QRect(30 + 225, 30, 133, 200));  // its own size, the grid's spacing
    EXPECT_EQ(plan.frames.at(5).topLeft(), QPoint(30 + 2 * 225, 30 + 133 + 65));
    EXPECT_EQ(plan.frames.at(6).topLeft(), QPoint(30, 30 + 2 * (133 + 65)));  // last row, first column

    const TemplateGridPlan empty = TemplateGridPlan::layout(QList<QSize>());
    EXPECT_EQ(empty.rows, 0);
    EXPECT_EQ(empty.documentSize.height(), 0);

    QList<TemplateIcon> icons(4);
    icons[0].categoryFolder = icons[2].categoryFolder = QStringLiteral("business");
    icons[1].categoryFolder = icons[3].categoryFolder = QStringLiteral("classic");
    for (TemplateIcon &icon : icons)
        icon.size = QSize(200, 200);
    EXPECT_EQ(TemplateGridPlan::layout(icons, QStringLiteral("all")).iconIndexes, (QList<int>{0, 1, 2, 3}));
    EXPECT_EQ(TemplateGridPlan::layout(icons, QStringLiteral("classic")).iconIndexes, (QList<int>{1, 3}));
    EXPECT_TRUE(TemplateGridPlan::layout(icons, QStringLiteral("missing")).iconIndexes.isEmpty());
}
