#include "publishing/PersonalizedPages.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

const QStringList kTags = {QStringLiteral("[FIRST_NAME]"), QStringLiteral("[LAST_NAME]"),
                           QStringLiteral("[COMPANY_NAME]"), QStringLiteral("[CITY]")};

}  // namespace

TEST(PersonalizedPages, TagsAreReplacedAndEmptyOnesLeaveNoTrace)
{
    const Contacts::MergeRecord ann = {{QStringLiteral("[FIRST_NAME]"), QStringLiteral("Ann")},
                                       {QStringLiteral("[LAST_NAME]"), QString()},
                                       {QStringLiteral("[CITY]"), QStringLiteral("[COMPANY_NAME] City")}};
    const struct {
        const char *text;
        const char *expected;
    } cases[] = {
        {"Hello [FIRST_NAME] [LAST_NAME]", "Hello Ann "},
        {"Dear [FIRST_NAME],\n[COMPANY_NAME]\n\nBye", "Dear Ann,\n\nBye"},
        {"[COMPANY_NAME][LAST_NAME]\n  [COMPANY_NAME]", "  "},
        {"From [CITY]", "From [COMPANY_NAME] City"},
        {"[PAGE_NUMBER] stays", "[PAGE_NUMBER] stays"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(PersonalizedPages::replacePersonalizedTags(QString::fromUtf8(c.text), ann, kTags).toStdString(),
                  c.expected)
            << c.text;
    }
}

TEST(PersonalizedPages, PagesAreNamedPerContactAndNeverReplaceAPage)
{
    Contacts::MergeRecord ann = {{QStringLiteral("[FIRST_NAME]"), QStringLiteral("Ann")},
                                 {QStringLiteral("[LAST_NAME]"), QStringLiteral("Lee")},
                                 {QStringLiteral("[UNIQUE_CONTACT_ID]"), QStringLiteral("7")},
                                 {QStringLiteral("Address_Number"), QStringLiteral("0")}};
    EXPECT_EQ(PersonalizedPages::pageNameFor(ann, 3), QStringLiteral("AnnLee7_0"));
    EXPECT_EQ(PersonalizedPages::pageNameFor({}, 3), QStringLiteral("contact3"));
    ann[QStringLiteral("[LAST_NAME]")] = QStringLiteral("../../etc");
    EXPECT_FALSE(PersonalizedPages::pageNameFor(ann, 0).contains(QLatin1Char('/')));

    const QSet<QString> existing = {QStringLiteral("AnnLee7_0.zov"), QStringLiteral("AnnLee7_0_2.zov")};
    const auto exists = [&](const QString &name) { return existing.contains(name); };
    EXPECT_EQ(PersonalizedPages::targetFileName(QStringLiteral("AnnLee7_0"), QStringLiteral("zov"),
                                                QStringLiteral("index.zov"), exists),
              QStringLiteral("AnnLee7_0_3.zov"));
    EXPECT_EQ(PersonalizedPages::targetFileName(QStringLiteral("index"), QStringLiteral("zov"),
                                                QStringLiteral("index.zov"), exists),
              QStringLiteral("index_2.zov"));
    EXPECT_EQ(PersonalizedPages::targetFileName(QStringLiteral("Bob"), QStringLiteral("zov"),
                                                QStringLiteral("index.zov"), exists),
              QStringLiteral("Bob.zov"));
    EXPECT_EQ(PersonalizedPages::replacePageNumbers(QStringLiteral("p. [PAGE_NUMBER]/[PAGE_NUMBER]"), 4),
              QStringLiteral("p. 4/4"));
}
