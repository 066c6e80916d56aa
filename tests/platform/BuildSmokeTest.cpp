#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(BuildSmoke, ApplicationObjectExists)
{
    EXPECT_NE(QCoreApplication::instance(), nullptr);
}
