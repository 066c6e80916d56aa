// Smaller parts of the window: the print-template
// choice, the page button's frame and the profile pop-over.
#include "ProjectFixture.h"

#include "window/PrintTemplateChoice.h"
#include "window/ui/ProfilePopover.h"
#include "window/ui/ZovNSButton.h"

#include <QLabel>
#include <QPainter>

class PrintTemplateChoiceTest : public ProjectTest {};

TEST_F(PrintTemplateChoiceTest, TitlesNamesAndTheChangeAskedFirst)
{
    EXPECT_EQ(PrintTemplateChoice::templateTitle({QString(), QString(), QStringLiteral("Letter"), QStringLiteral("Plain sheet")}),
              QStringLiteral("Plain sheet"));
    EXPECT_EQ(PrintTemplateChoice::chosenName(PrintTemplateChoice::PopUp::Label, QStringLiteral("Avery 5160 Label 30 per sheet ")),
              QStringLiteral("Label 30 per sheet"));
    EXPECT_EQ(PrintTemplateChoice::chosenName(PrintTemplateChoice::PopUp::Flyer, QStringLiteral(" Avery 5160 Label")),
              QStringLiteral("Avery 5160 Label"));
    EXPECT_EQ(PrintTemplateChoice::zoomTitle(0.35f), QStringLiteral("35%"));
    EXPECT_EQ(PrintTemplateChoice::zoomTitle(0.299f), QStringLiteral("29%"));

    makePage(project, QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("one"));
    ProjectPages &p = openProject();
    gLabelTemplates = {{QStringLiteral("Avery"), QStringLiteral("5160"), QStringLiteral("Letter"), QStringLiteral("Label 30")},
                       {QStringLiteral("Avery"), QStringLiteral("8160"), QStringLiteral("Letter"), QStringLiteral("Label 10")}};
    gDefaultPrintSheet = QStringLiteral("Label 30");
    PrintTemplateChoice choice(p);
    // The template in force asks nothing.
    EXPECT_FALSE(choice.templateSelectionUpdated(PrintTemplateChoice::PopUp::Label, 0));
    EXPECT_EQ(alerts.count(), 0);
    alerts.answer(QStringLiteral("Cancel"));
    EXPECT_FALSE(choice.templateSelectionUpdated(PrintTemplateChoice::PopUp::Label, 1));
    EXPECT_TRUE(document->labelTemplateHelper.templateNumber.isEmpty());
    alerts.answer(QStringLiteral("Change"));
    EXPECT_TRUE(choice.templateSelectionUpdated(PrintTemplateChoice::PopUp::Label, 1));
    EXPECT_EQ(document->labelTemplateHelper.templateNumber, QStringLiteral("8160"));
    // One page: no question about the other designs.
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("Template Selection Changed"));
    EXPECT_FALSE(choice.templateSelectionUpdated(PrintTemplateChoice::PopUp::Label, 7));
}

TEST(ZovNSButton, TheGreenFrameFollowsTheBoundsWhateverIsRepainted)
{
    ZovNSButton button;
    button.resize(100, 120);
    button.imageFrame = QRect(10, 5, 80, 80);
    button.setBorderFlag(true);
    auto render = [&button](const QRegion &region) {
        QImage image(button.size(), QImage::Format_ARGB32);
        image.fill(Qt::black);
        button.render(&image, QPoint(), region, QWidget::DrawChildren);
        return image;
    };
    const QColor green = ZovNSButton::frameColour();
    const QImage whole = render(QRegion(button.rect()));
    EXPECT_EQ(whole.pixelColor(1, 1), green);
    EXPECT_EQ(whole.pixelColor(98, 118), green);
    EXPECT_NE(whole.pixelColor(50, 60), green);
    // A repaint of the middle alone draws no frame through the middle.
    const QImage part = render(QRegion(QRect(30, 30, 40, 40)));
    for (int x = 30; x < 70; ++x)
        ASSERT_NE(part.pixelColor(x, 30), green) << x;
    button.setBorderFlag(false);
    EXPECT_NE(render(QRegion(button.rect())).pixelColor(1, 1), green);
}

TEST(ProfilePopover, ShowsTheEditionsThreeValuesSizedToFit)
{
    const QMap<QString, QString> record = {{"Pet Name", "Rex"},         {"Pet Breed", "Collie"},
                                           {"Pet Chart Number", "C-17"}, {"Owner First Name", "Ann"},
                                           {"Owner Last Name", "Lee"}};
    EXPECT_EQ(ProfilePopover::summaryOf(record, QStringLiteral("Pellamy Vet Edition")),
              (QStringList{"Rex", "Collie", "C-17"}));
    EXPECT_EQ(ProfilePopover::summaryOf(record, QStringLiteral("Pellamy")), (QStringList{"Ann", "Lee", "C-17"}));
    ProfilePopover popover;
    // Not a pop-up window: one of those would take the click that closes it.
    EXPECT_FALSE(popover.windowFlags().testFlag(Qt::Popup));
    popover.setLines({QStringLiteral("A"), QStringLiteral("A much longer line of text here"), QString()});
    EXPECT_GT(popover.label(0)->font().pointSize(), popover.label(1)->font().pointSize());
}
