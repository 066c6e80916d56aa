// At launch the web fonts are listed, not registered: the welcome window
// shows first, the files are then registered a few at a time from the event
// loop, and opening a page registers whatever is left before it is read.
#include "config/DataCentreFonts.h"
#include "document/DocumentController.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A folder of font files under names of their own (each file registers once).
QString fontFolder(QTemporaryDir &dir, int copies)
{
    for (int i = 0; i < copies; ++i) {
        QFile::copy(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"),
                    dir.filePath(QStringLiteral("face%1.ttf").arg(i)));
    }
    return dir.path();
}

struct Deferred {
    Deferred() { DataCentreFonts::setDeferredLoading(true); }
    ~Deferred() { DataCentreFonts::setDeferredLoading(false); }
};

}  // namespace

TEST(WebFontLaunch, FontsWaitForTheEventLoop)
{
    QTemporaryDir dir;
    const QString folder = fontFolder(dir, 30);
    {
        Deferred deferred;
        EXPECT_TRUE(DataCentreFonts::loadCustomFont(folder).isEmpty());
    }
    EXPECT_TRUE(DataCentreFonts::hasPendingFonts());
    DataCentreFonts::registerPendingFontsWhenIdle();
    DataCentreFonts::registerPendingFontsWhenIdle();  // a second call starts nothing more
    QElapsedTimer clock;
    clock.start();
    while (DataCentreFonts::hasPendingFonts() && clock.elapsed() < 10000)
        QCoreApplication::processEvents();
    EXPECT_FALSE(DataCentreFonts::hasPendingFonts());
    // Registered: loading the folder again finds the family without adding it twice.
    EXPECT_TRUE(DataCentreFonts::loadCustomFont(folder).contains(QStringLiteral("DejaVu Sans")));
}

TEST(WebFontLaunch, OpeningAPageRegistersTheRestFirst)
{
    QTemporaryDir dir;
    const QString folder = fontFolder(dir, 5);
    {
        Deferred deferred;
        DataCentreFonts::loadCustomFont(folder);
    }
    ASSERT_TRUE(DataCentreFonts::hasPendingFonts());
    EXPECT_EQ(DocumentController::shared().openDocument(dir.filePath(QStringLiteral("missing.zovpage"))), nullptr);
    EXPECT_FALSE(DataCentreFonts::hasPendingFonts());
}
