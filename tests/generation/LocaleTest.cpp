// A comma-decimal locale of the user changes nothing in the page: the page is
// also the stored document, read back by the page reader.
#include "PageFixture.h"

#include "document/Fmt.h"
#include "model/SKTText.h"

#include <QLocale>
#include <QProcess>
#include <clocale>

TEST_F(PageTest, CommaDecimalLocaleChangesNothing)
{
    auto text = std::make_shared<SKTText>();
    text->setTextType(QStringLiteral("Text"));
    text->setBounds({10.5, 20.25, 300.75, 40.5});
    text->setTextString(QStringLiteral("Zahl 1,5"));
    text->setOpacity(0.5);
    add(text);
    doc->centreFlag = 1;
    const QString before = generate();

    // A German C library locale, made for this test (the system may have none installed).
    const QString localeDir = path(QStringLiteral("locales"));
    QDir().mkpath(localeDir);
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                     localeDir + QStringLiteral("/de_DE.UTF-8")});
    ASSERT_TRUE(localedef.waitForFinished(60000));
    qputenv("LOCPATH", localeDir.toLocal8Bit());
    const char *previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "could not switch to a comma-decimal locale";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    EXPECT_STREQ(buffer, "1,5"); // the locale really is in effect

    const QString after = generate();
    EXPECT_EQ(Fmt::fill(u"%f %.02f", {0.5, 0.25}), QStringLiteral("0.500000 0.25"));

    std::setlocale(LC_ALL, saved.c_str());
    QLocale::setDefault(QLocale::c());
    qunsetenv("LOCPATH");
    EXPECT_EQ(after, before);
}
