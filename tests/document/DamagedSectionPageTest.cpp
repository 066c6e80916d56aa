// Responsive pages whose sections were spoilt after they were saved: a
// section's rule gone or missing its place, members naming a section or a
// column the page does not have, numbers written wrongly, two sections by
// one number, the editing copy cut short or spoilt part-way, the visible
// page edited apart from the copy. Each opens from its package; every
// graphic the copy still describes comes back where it was, those whose
// section or column is not there come back free, and nothing else moves.
#include "RoundTripFixture.h"

#include "document/SectionMembership.h"
#include "model/SKTImage.h"
#include "publishing/UploadFTPS.h"

#include <QRegularExpression>

namespace {

// What a graphic is on the page: its kind and its place.
struct Placed {
    QString kind;
    QRectF bounds;
    bool operator==(const Placed &) const = default;
};

Placed placed(const SKTGraphic &g)
{
    return {g.className(), g.bounds()};
}

QString placeText(const Placed &p)
{
    return QStringLiteral("%1 at %2,%3 %4x%5")
        .arg(p.kind)
        .arg(p.bounds.x())
        .arg(p.bounds.y())
        .arg(p.bounds.width())
        .arg(p.bounds.height());
}

// The section a graphic is in, told by the section's place (numbers may be
// given anew on opening), with its row and column; empty for a free one.
QString membership(const SKTDocument &doc, const SKTGraphic &g)
{
    for (const auto &s : doc.graphics())
        if (s->isSection() && s->sectionNumber() == g.sectionNumber())
            return QStringLiteral("section at y %1, cell %2,%3")
                .arg(s->bounds().y())
                .arg(g.sectionRowSpot())
                .arg(g.sectionColumnSpot());
    return {};
}

// The rule line of the editing page that starts with prefix and holds needle.
qsizetype ruleLine(const QString &page, const QString &prefix, const QString &needle, qsizetype *end)
{
    qsizetype from = 0;
    while (from < page.size()) {
        qsizetype to = page.indexOf(QLatin1Char('\n'), from);
        if (to < 0)
            to = page.size();
        const QString line = page.mid(from, to - from);
        if (line.startsWith(prefix) && line.contains(needle)) {
            *end = to;
            return from;
        }
        from = to + 1;
    }
    *end = -1;
    return -1;
}

// Replaces, in the rule that starts with prefix and holds needle, the text
// before by after; the page unchanged (and the case failing) when the rule
// or the text is not there.
QString editRule(QString page, const char *prefix, const char *needle, const char *before, const char *after)
{
    qsizetype end = 0;
    const qsizetype at = ruleLine(page, QLatin1String(prefix), QLatin1String(needle), &end);
    if (at < 0) {
        ADD_FAILURE() << "no rule " << prefix << " holding " << needle;
        return page;
    }
    QString line = page.mid(at, end - at);
    if (!line.contains(QLatin1String(before)))
        ADD_FAILURE() << "the rule " << prefix << " holding " << needle << " has no " << before;
    line.replace(QLatin1String(before), QLatin1String(after));
    return page.replace(at, end - at, line);
}

// The column rules (the table's cells) of the section rule holding needle.
QString editColumns(QString page, const char *needle, const char *before, const char *after)
{
    qsizetype end = 0;
    const qsizetype at = ruleLine(page, QStringLiteral(".tableGrid"), QLatin1String(needle), &end);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("tableNumber:(-?\\d+);")).match(page.mid(at, end - at));
    if (at < 0 || !m.hasMatch()) {
        ADD_FAILURE() << "no section rule holding " << needle;
        return page;
    }
    const QString table = QStringLiteral("tableNumber:%1;").arg(m.captured(1));
    int edited = 0;
    QStringList lines = page.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.startsWith(QLatin1String(".snippet")) && line.contains(table) && line.contains(QLatin1String(before))) {
            line.replace(QLatin1String(before), QLatin1String(after));
            ++edited;
        }
    if (edited == 0)
        ADD_FAILURE() << "no column of the section holding " << needle << " has " << before;
    return lines.join(QLatin1Char('\n'));
}

// Where in the stored file the encoded editing page reaches the character at
// offset of the editing page.
qsizetype encodedOffset(const QString &stored, const QString &editing, qsizetype offset)
{
    const qsizetype block = stored.lastIndexOf(QStringLiteral("id=\"zovEditingPage\">")) + 20;
    return block + editing.left(offset).toUtf8().size() * 4 / 3;
}

struct DamageCase {
    const char *name;
    // The stored file from its published page, its editing page and the file as saved.
    std::function<QString(const QString &published, const QString &editing, const QString &stored)> damage;
    QList<const char *> freed; // graphics (by label) that open free
    bool allKept = true;       // false: the copy lost some, what is left is where it was
    int sections = 2;          // sections that open; -1: as many as the copy still holds
    const char *absent = "";   // a text no graphic may open with
};

} // namespace

class DamagedSectionPageTest : public RoundTripTest {
protected:
    void SetUp() override
    {
        RoundTripTest::SetUp();
        gResponsiveEdition = true;
    }

    // Two sections, of two and of three columns, a text and a photo in the
    // first, texts in the first and last columns of the second, a free text
    // below both. The labels name them for the cases.
    Graphics page()
    {
        auto a = text({20, 40, 500, 60}, QStringLiteral("Alpha"));
        auto photo = image(QStringLiteral("image1"), {640, 40, 400, 100});
        auto b = text({20, 360, 300, 60}, QStringLiteral("Bravo"));
        auto c = text({820, 360, 300, 60}, QStringLiteral("Charlie"));
        auto free = text({20, 700, 300, 40}, QStringLiteral("Free"));
        const auto in = [](const std::shared_ptr<SKTGraphic> &g, int32_t section, int32_t column) {
            g->setSectionNumber(section);
            g->setSectionRowSpot(0);
            g->setSectionColumnSpot(column);
        };
        in(a, 1, 0);
        in(photo, 1, 1);
        in(b, 2, 0);
        in(c, 2, 2);
        in(free, -99, -99);
        free->setSectionRowSpot(-99);
        labels = {{"Alpha", a->bounds()}, {"photo", photo->bounds()}, {"Bravo", b->bounds()},
                  {"Charlie", c->bounds()}, {"Free", free->bounds()}};
        return {section({0, 0, 1200, 300}, {6, 6}, 1), a, photo, section({0, 320, 1200, 300}, {4, 4, 4}, 2), b, c, free};
    }

    // The package again with the page file replaced by text.
    QString packageWith(const QString &text)
    {
        QFile file(doc->pagePath);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();
        const QString package = path(QStringLiteral("packages/damaged-%1.%2").arg(++damaged).arg(gDocumentExtension));
        UploadFTPS transport;
        EXPECT_TRUE(transport.zipDocument_mailchimp(QDir(doc->tempSavePathLocal).filePath(doc->pageName), package))
            << transport.zipLog().toStdString();
        return package;
    }

    QList<QPair<QString, QRectF>> labels;
    int damaged = 0;
};

TEST_F(DamagedSectionPageTest, EveryGraphicOpensWhereItWasAndFreeWhereItsSectionIsGone)
{
    const DamageCase cases[] = {
        {"the second section's rule missing",
         [](const QString &p, const QString &e, const QString &) {
             qsizetype end = 0;
             const qsizetype at = ruleLine(e, QStringLiteral(".tableGrid"), QStringLiteral("top:320px;"), &end);
             return PageEditingCopy::wrap(p, at < 0 ? e : QString(e).remove(at, end - at + 1));
         },
         {"Bravo", "Charlie"}, true, 1},
        {"a member naming a section the page does not have",
         [](const QString &p, const QString &e, const QString &) {
             return PageEditingCopy::wrap(p, editRule(e, ".text", "left:20px;top:360px;", "sectionNumber:2;", "sectionNumber:77;"));
         },
         {"Bravo"}},
        {"row and column out of range",
         [](const QString &p, const QString &e, const QString &) {
             QString edited = editRule(e, ".text", "left:820px;", "sectionColumnSpot:2;", "sectionColumnSpot:9;");
             edited = editRule(edited, ".text", "left:20px;top:40px;", "sectionRowSpot:0;", "sectionRowSpot:3;");
             return PageEditingCopy::wrap(p, edited);
         },
         {"Alpha", "Charlie"}},
        {"numbers written wrongly",
         [](const QString &p, const QString &e, const QString &) {
             QString edited = editRule(e, ".text", "left:20px;top:360px;", "sectionNumber:2;", "sectionNumber:2x;");
             edited = editRule(edited, ".text", "left:820px;", "sectionColumnSpot:2;", "sectionColumnSpot:1e99;");
             edited = editRule(edited, ".image", "imagename:image1;", "sectionNumber:1;", "sectionNumber:;");
             return PageEditingCopy::wrap(p, edited);
         },
         {"Bravo", "Charlie", "photo"}},
        {"the second section's rule without its place",
         [](const QString &p, const QString &e, const QString &) {
             return PageEditingCopy::wrap(p, editRule(e, ".tableGrid", "top:320px;", "left:0px;", ""));
         },
         {"Bravo", "Charlie"}, true, 1},
        {"a column's rule spoilt",
         [](const QString &p, const QString &e, const QString &) {
             qsizetype end = 0;
             const qsizetype at = ruleLine(e, QStringLiteral(".tableGrid"), QStringLiteral("top:0px;"), &end);
             const QString table = QRegularExpression(QStringLiteral("tableNumber:(-?\\d+);"))
                                       .match(e.mid(at, end - at))
                                       .captured(0);
             // The second column's rule (column 1 of the table) loses its place.
             return PageEditingCopy::wrap(
                 p, editRule(e, ".snippet", qPrintable(table + QStringLiteral("tableRowSpot:0;tableColumnSpot:1;")),
                             "z-index:", "zIndex:"));
         },
         {"photo"}},
        {"a section numbered like a free graphic",
         [](const QString &p, const QString &e, const QString &) {
             return PageEditingCopy::wrap(p, editColumns(e, "top:0px;", "sectionNumber:1;", "sectionNumber:-99;"));
         },
         {"Alpha", "photo"}},
        {"two sections by one number",
         [](const QString &p, const QString &e, const QString &) {
             QString edited = editColumns(e, "top:320px;", "sectionNumber:2;", "sectionNumber:1;");
             edited = editRule(edited, ".text", "left:20px;top:360px;", "sectionNumber:2;", "sectionNumber:1;");
             edited = editRule(edited, ".text", "left:820px;", "sectionNumber:2;", "sectionNumber:1;");
             return PageEditingCopy::wrap(p, edited);
         },
         {}},
        {"the editing copy cut short in the page's body",
         [](const QString &, const QString &e, const QString &s) {
             return s.left(encodedOffset(s, e, e.indexOf(QStringLiteral("</style></head>")) + 40));
         },
         {}},
        {"the editing copy spoilt part-way through the body",
         [](const QString &, const QString &e, const QString &s) {
             QString spoilt = s;
             spoilt[encodedOffset(s, e, e.indexOf(QStringLiteral("</style></head>")) + 40)] = QLatin1Char('*');
             return spoilt;
         },
         {}},
        {"the editing copy cut short inside the rules",
         [](const QString &, const QString &e, const QString &s) {
             return s.left(encodedOffset(s, e, e.indexOf(QStringLiteral("left:820px;"))));
         },
         {}, false, -1},
        {"the visible page edited apart from the copy",
         [](const QString &p, const QString &e, const QString &) {
             QString visible = p;
             visible.replace(QStringLiteral("Bravo"), QStringLiteral("Edited by hand"));
             visible.remove(QRegularExpression(QStringLiteral("<div class=\"container-fluid\">")));
             return PageEditingCopy::wrap(visible, e);
         },
         {}, true, 2, "Edited by hand"},
    };
    for (const bool email : {false, true}) {
        gResponsiveEmailEdition = email;
        startPage();
        const Texts t = generations(page());
        ASSERT_TRUE(opened) << (email ? "e-mail" : "website");
        bool readable = false;
        const QString stored = SKTDocument::readPageText(doc->pagePath, &readable);
        ASSERT_TRUE(PageEditingCopy::hasEditingCopy(stored));
        const QString published = PageEditingCopy::publishedPage(stored);
        const QString editing = PageEditingCopy::editingPage(stored);
        // The page as it opens undamaged: every graphic in its place and cell.
        QHash<QString, QString> cellOf; // by place
        QList<Placed> before;
        for (const auto &g : opened->graphics()) {
            before << placed(*g);
            if (!g->isSection())
                cellOf.insert(placeText(placed(*g)), membership(*opened, *g));
        }
        for (const auto &[label, bounds] : std::as_const(labels)) {
            const QString cell = cellOf.value(placeText({QStringLiteral("SKTText"), bounds}))
                + cellOf.value(placeText({QStringLiteral("SKTImage"), bounds}));
            ASSERT_EQ(cell.isEmpty(), label == QLatin1String("Free")) << qPrintable(label);
        }

        for (const DamageCase &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (email ? " (e-mail)" : " (website)"));
            const QString package = packageWith(c.damage(published, editing, stored));
            SKTDocument reopened;
            ASSERT_TRUE(reopened.readFromFile(package)) << reopened.lastSaveError.toStdString();
            QList<Placed> after;
            int sections = 0;
            for (const auto &g : reopened.graphics()) {
                after << placed(*g);
                sections += g->isSection() ? 1 : 0;
                // Everything read is where it was.
                EXPECT_TRUE(before.contains(placed(*g))) << "moved or new: " << placeText(placed(*g)).toStdString();
            }
            if (c.sections >= 0)
                EXPECT_EQ(sections, c.sections);
            EXPECT_GT(after.size(), sections) << "no graphic opened";
            for (const auto &g : reopened.graphics())
                if (*c.absent)
                    EXPECT_NE(g->textString(), QLatin1String(c.absent));
            for (const Placed &p : std::as_const(before)) {
                if (p.kind == QLatin1String("SKTTable") || !c.allKept)
                    continue;
                EXPECT_TRUE(after.contains(p)) << "lost: " << placeText(p).toStdString();
            }
            // Free where their section or column is gone, in their cells otherwise.
            for (const auto &g : reopened.graphics()) {
                if (g->isSection())
                    continue;
                const QString where = placeText(placed(*g));
                QString label;
                for (const auto &[name, bounds] : std::as_const(labels))
                    if (bounds == g->bounds())
                        label = name;
                const bool freed = std::any_of(c.freed.begin(), c.freed.end(),
                                               [&](const char *n) { return label == QLatin1String(n); });
                if (freed) {
                    EXPECT_EQ(g->sectionNumber(), -99) << label.toStdString();
                } else {
                    EXPECT_EQ(membership(reopened, *g), cellOf.value(where)) << label.toStdString();
                }
            }
            // The sections no longer share a number.
            QSet<int32_t> numbers;
            for (const auto &g : reopened.graphics()) {
                if (!g->isSection())
                    continue;
                EXPECT_FALSE(numbers.contains(g->sectionNumber())) << g->sectionNumber();
                numbers.insert(g->sectionNumber());
            }
            if (HasFailure())
                return;
        }
    }
}

// Checked on its own: free graphics stay free, members whose section shares
// its number with an earlier one follow the section they lie in, and no
// position changes.
TEST(SectionMembershipTest, SectionsGetNumbersOfTheirOwnAndMembersTheSectionTheyLieIn)
{
    gResponsiveEdition = true;
    auto first = section({0, 0, 1200, 300}, {6, 6}, 4);
    auto second = section({0, 320, 1200, 300}, {12}, 4);
    auto zero = section({0, 640, 1200, 300}, {12}, 0);
    zero->setSectionNumber(0);
    auto inFirst = text({20, 40, 200, 40}, QStringLiteral("first"));
    auto inSecond = text({20, 360, 200, 40}, QStringLiteral("second"));
    auto loose = text({20, 1000, 200, 40}, QStringLiteral("loose"));
    for (auto *g : {inFirst.get(), inSecond.get()}) {
        g->setSectionNumber(4);
        g->setSectionRowSpot(0);
        g->setSectionColumnSpot(0);
    }
    loose->setSectionNumber(0);
    const QList<std::shared_ptr<SKTGraphic>> graphics {first, inFirst, second, inSecond, zero, loose};
    QList<QRectF> places;
    for (const auto &g : graphics)
        places << g->bounds();

    EXPECT_EQ(SectionMembership::settle(graphics), 0);
    EXPECT_EQ(first->sectionNumber(), 4);
    EXPECT_GT(second->sectionNumber(), 4);
    EXPECT_GT(zero->sectionNumber(), 4);
    EXPECT_NE(second->sectionNumber(), zero->sectionNumber());
    for (const auto &cell : second->cellHelperArray())
        EXPECT_EQ(cell->sectionNumber, second->sectionNumber());
    EXPECT_EQ(inFirst->sectionNumber(), 4);
    EXPECT_EQ(inSecond->sectionNumber(), second->sectionNumber());
    EXPECT_EQ(loose->sectionNumber(), 0);
    for (qsizetype i = 0; i < graphics.size(); ++i)
        EXPECT_EQ(graphics[i]->bounds(), places[i]);

    // A member outside its section's place is free; a second check changes nothing.
    inFirst->setBounds(QRectF(20, 2000, 200, 40));
    EXPECT_EQ(SectionMembership::settle(graphics), 1);
    EXPECT_EQ(inFirst->sectionNumber(), -99);
    EXPECT_EQ(SectionMembership::settle(graphics), 0);
    gResponsiveEdition = false;
}
