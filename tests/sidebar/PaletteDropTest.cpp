// Every palette entry's drag data dropped on a real canvas widget with the
// canvas's insertion adapter: each code name has a row in the drop table, and
// every row whose maker exists puts graphics on the page (or, for the page
// background, sets the picture chosen in the open panel). No row is left
// without a maker.
#include "canvas/CanvasInsertionAdapter.h"
#include "insertion/DropTables.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "sidebar/PaletteCatalogue.h"
#include "sidebar/PaletteDrag.h"
#include "sidebar/PaletteInsertions.h"
#include "insertion/InsertionFrame.h"
#include "insertion/ObjectMakers.h"
#include "insertion/PalettePresets.h"
#include "insertion/PictureBatch.h"
#include "insertion/ui/PageInsertions.h"
#include "model/GraphicEnvironment.h"
#include "model/SKTLine.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/ScriptedFilePanels.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QDropEvent>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QMimeData>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>
#include <iostream>

namespace {
bool dropOn(QWidget *w, const QMimeData &data, const QPointF &at)
{
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

// The actions whose makers the canvas's adapter holds itself.
const QSet<QString> kAdapterActions = {
    QStringLiteral("addSnippet_drag"),         QStringLiteral("addFullAddress_drag"),
    QStringLiteral("addIndividual_drag"),      QStringLiteral("addZovLink_drag"),
    QStringLiteral("addImageGallery_drag"),    QStringLiteral("addEnlargeablePhoto_drag"),
    QStringLiteral("background"),
};
} // namespace

class PaletteDropTest : public TempDirTest {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("Zov Web");
        gCanvasDragOption = true;
        gCanvasWidth = 1000;
        gCanvasMaxHeight = 800;
        gWorkFolder = path(QStringLiteral("work"));
        QDir().mkpath(gWorkFolder);
        PaletteInsertions::registerDropActions();
        PageInsertions::registerDropMakers();
        picture = path(QStringLiteral("picture.png"));
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        ASSERT_TRUE(image.save(picture));
        // A one-page document for the PDF entry's open panel.
        pdf = path(QStringLiteral("page.pdf"));
        {
            QPdfWriter writer(pdf);
            QPainter painter(&writer);
            painter.drawText(100, 100, QStringLiteral("One page"));
        }
        ASSERT_TRUE(QFileInfo(pdf).size() > 0);
    }
    void TearDown() override
    {
        GraphicEnvironment::setCurrent(nullptr);
        EditionSettings::resetToInitialState();
    }

    ScopedUserDefaults defaults;
    ScriptedAlerts alerts;
    ScriptedFilePanels panels;
    QString picture;
    QString pdf;
};

TEST_F(PaletteDropTest, EveryEntryDroppedOnTheCanvasInsertsWhatItsRowMakes)
{
    QSet<QString> done;
    QStringList waiting;
    for (const PaletteEntry &entry : PaletteCatalogue::entries()) {
        if (done.contains(entry.codeName))
            continue;
        done.insert(entry.codeName);
        const std::optional<DropCodeName> row = DropTables::codeName(entry.codeName);
        ASSERT_TRUE(row.has_value()) << entry.codeName.toStdString() << " has no row in the drop table";
        const bool ready = PalettePresets::shared().contains(entry.codeName)
                           || CanvasInsertionAdapter::hasCodeAction(row->action)
                           || kAdapterActions.contains(row->action);
        if (!ready) {
            waiting << QStringLiteral("%1 (%2)").arg(entry.codeName, row->action);
            continue;
        }

        // A fresh page and canvas for each, with an individual selected for the relations.
        SKTDocument doc;
        doc.pageName = QStringLiteral("index");
        doc.tempSavePathLocal = path(QStringLiteral("pages/") + entry.codeName);
        QDir().mkpath(doc.tempSavePathLocal);
        SKTGraphicView view;
        CanvasInsertionAdapter adapter(view);
        view.setInsertions(&adapter);
        view.setDocument(&doc);
        GraphicEnvironment::setCurrent(&view);
        SKTGraphicViewWidget widget(view);
        widget.resize(1000, 800);
        widget.show();
        const bool relation = row->action == QLatin1String("addRelative_drag");
        if (relation) {
            InsertionFrame frame(adapter);
            ObjectMakers(frame).addIndividual_drag(QPointF(500, 20));
            doc.undoManager().closeAutomaticGroup();
            view.setSelectedGraphics({doc.graphics().first().get()});
        }
        const qsizetype before = doc.graphics().size();
        // Each drop gets its own panel script: a row that opens no panel leaves no answer behind.
        ScriptedFilePanels rowPanels;
        rowPanels.answer(row->action == QLatin1String("addNewPDF_drag") ? pdf : picture);
        const std::unique_ptr<QMimeData> data = PaletteDrag::mimeData(entry.codeName);
        dropOn(&widget, *data, QPointF(60, 300));
        // PDF pages are drawn behind the event loop.
        EXPECT_TRUE(QTest::qWaitFor([] { return PictureBatch::pending() == 0; }, 30000));
        doc.undoManager().closeAutomaticGroup();

        if (row->action == QLatin1String("background")) {
            EXPECT_EQ(doc.backgroundImageFlag, 2) << entry.codeName.toStdString();
            continue;
        }
        EXPECT_GT(doc.graphics().size(), before) << entry.codeName.toStdString() << " " << alerts.messages().join(QStringLiteral(" / ")).toStdString();
        if (relation) {
            int lines = 0;
            for (const auto &g : doc.graphics())
                lines += dynamic_cast<SKTLine *>(g.get()) != nullptr;
            EXPECT_EQ(lines, 1) << entry.codeName.toStdString() << " joins the selected individual";
        }
        // One drop, one undo step: undo leaves the page as it was.
        if (doc.graphics().size() > before) {
            doc.undoManager().undo();
            EXPECT_EQ(doc.graphics().size(), before) << entry.codeName.toStdString();
        }
    }
    EXPECT_GE(done.size(), 140);
    // Every row reaches a maker through the canvas's one dispatcher.
    EXPECT_TRUE(waiting.isEmpty()) << "drop rows with no maker: " << waiting.join(QStringLiteral(", ")).toStdString();
}
