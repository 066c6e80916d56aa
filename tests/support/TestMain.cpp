// Every test binary runs inside a QApplication on the offscreen platform, so
// fonts, images, clipboard and widgets behave as they do in the program.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Settings, caches and the work folder of a test run start empty and never touch
    // the user's own.
    QTemporaryDir home;
    if (home.isValid()) {
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
        qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
        if (qgetenv("XDG_RUNTIME_DIR").isEmpty())
            qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zov-tests"));
    return RUN_ALL_TESTS();
}
