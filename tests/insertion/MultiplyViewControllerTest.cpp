// The branch window offers the branch generator's choices.
#include "insertion/ui/MultiplyViewController.h"

#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(MultiplyViewControllerTest, StartsWithTheUsualChoicesAndHandsThemOn)
{
    MultiplyViewController window;
    EXPECT_EQ(window.size(), QSize(220, 300));
    EXPECT_EQ(window.popupButton->count(), 100);
    EXPECT_EQ(window.sizePopUpButton->count(), 15);
    EXPECT_EQ(window.sizePopUpButton->itemText(14), QStringLiteral("1.5"));
    EXPECT_EQ(window.distancePopUpButton->count(), 19);
    EXPECT_EQ(window.degreePopUpButton->count(), 11);
    const BranchOptions start = window.options();
    EXPECT_EQ(start.count, 5);
    EXPECT_EQ(start.degrees, 360);
    EXPECT_EQ(start.distance, 300);
    EXPECT_DOUBLE_EQ(start.scale, 0.7);
    EXPECT_EQ(start.lineStyle, QStringLiteral("dashed"));

    window.degreePopUpButton->setCurrentText(QStringLiteral("-90"));
    window.popupButton->setCurrentText(QStringLiteral("11"));
    BranchOptions received;
    QObject::connect(&window, &MultiplyViewController::addRequested, [&received](const BranchOptions &o) { received = o; });
    window.addButton->click();
    EXPECT_EQ(received.degrees, -90);
    EXPECT_EQ(received.count, 11);
    if (const QByteArray folder = qgetenv("ZOV_SCREENSHOT_DIR"); !folder.isEmpty())
        window.grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/branch_window.png"));
}
