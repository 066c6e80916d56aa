// Every test binary runs inside a QApplication on the offscreen platform, so
// fonts, images, clipboard and widgets behave as they do in the program.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zov-tests"));
    return RUN_ALL_TESTS();
}
