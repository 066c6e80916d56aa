// The org-chart and family-tree editions' main job through the real document
// window: the chart's starting box shows, Add Branch grows branches from it,
// and a relative clicked in the tree's palette joins the selected person.
#include "support/RealProgram.h"

#include "canvas/SKTGraphicView.h"
#include "document/DocumentController.h"
#include "document/SKTDocument.h"
#include "platform/ActionResponder.h"
#include "platform/Bundle.h"
#include <typeinfo>
#include "insertion/ui/MultiplyViewController.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class ChartEditionsJourneyTest : public RealProgramTest {};

TEST_F(ChartEditionsJourneyTest, Explore)
{
    launchAs(QStringLiteral("Quessel Pro"));
    ASSERT_NE(DocumentController::shared().openUntitledDocument(
                  QDir(Bundle::resourcesPath()).filePath(QStringLiteral("orgchart_templates/blank/Blank.quandrel"))),
              nullptr);
    SKTWindowController *window = nullptr;
    spinUntil([&] { return (window = frontWindow()) != nullptr; }, 5000);
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    for (const auto &g : window->document().graphics()) {
        auto *t = dynamic_cast<SKTText *>(g.get());
        printf("%s %s fill=%s alpha=%d\n", qPrintable(g->className()), t ? qPrintable(t->textString()) : "",
               qPrintable(g->fillColor().name()), g->fillColor().alpha());
    }
    SKTGraphic *top = nullptr;
    for (const auto &g : window->document().graphics())
        if (auto *t = dynamic_cast<SKTText *>(g.get()); t && t->textString() == QStringLiteral("Top box"))
            top = g.get();
    window->graphicView().setSelectedGraphics({top});
    settleEvents();
    const qsizetype before = window->document().graphics().size();
    { ActionResponder *t = ResponderChain::target(QStringLiteral("multiplyNewShapes")); printf("target %s\n", t ? typeid(*t).name() : "none"); }
    printf("send %d\n", sendAction(QStringLiteral("multiplyNewShapes")));
    MultiplyViewController *multiply = nullptr;
    for (QWidget *w : QApplication::allWidgets())
        if (auto *m = qobject_cast<MultiplyViewController *>(w))
            multiply = m;
    printf("multiply %p visible %d\n", (void *)multiply, multiply ? multiply->isVisible() : -1);
    if (multiply)
        multiply->addButton->click();
    settleEvents();
    printf("alerts %s\n", qPrintable(alerts.messages().join(","))); printf("graphics %lld -> %lld\n", (long long)before, (long long)window->document().graphics().size());
}

}  // namespace
