#pragma once
// A page document in a fresh folder, fresh user defaults, scripted alerts
// and a scripted canvas (FakeInsertionContext) for the insertion makers.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/SavedTextStore.h"
#include "model/SKTGraphic.h"
#include "model/SKTTable.h"
#include "model/myTextView.h"
#include "support/PageGraphics.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/ScriptedFilePanels.h"
#include "support/TempDir.h"

#include <QDir>
#include <memory>

class FakeInsertionContext : public InsertionContext {
public:
    explicit FakeInsertionContext(SKTDocument &doc) : doc(doc) {}
    SKTDocument &document() override { return doc; }
    std::optional<QPointF> visibleOrigin() const override { return origin; }
    double zoomFactor() const override { return zoom; }
    QList<SKTGraphic *> selectedGraphics() const override { return selection; }
    QPointF lastTouchPoint() const override { return touch; }
    InsertionSelectionCache &cache() override { return selectionCache; }
    Alerts &alerts() override { return Alerts::current(); }
    FilePanels &filePanels() override { return FilePanels::current(); }
    SavedTextStore &savedTexts() override { return store; }
    void refocusResponsiveAlignment(SKTGraphic &section) override { refocused.append(&section); }

    SKTDocument &doc;
    std::optional<QPointF> origin = QPointF(0, 0);
    double zoom = 1.0;
    QList<SKTGraphic *> selection;
    QPointF touch;
    InsertionSelectionCache selectionCache;
    SavedTextStore store;
    QList<SKTGraphic *> refocused;
};

class InsertionTest : public TempDirTest {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gNewObjectSize = 15;
        gCanvasWidth = 1500;
        gCanvasMaxHeight = 1000;
        doc = std::make_unique<SKTDocument>();
        doc->pageName = QStringLiteral("index");
        doc->tempSavePathLocal = path(QStringLiteral("work"));
        QDir().mkpath(doc->tempSavePathLocal);
        context = std::make_unique<FakeInsertionContext>(*doc);
        frame = std::make_unique<InsertionFrame>(*context);
    }
    void TearDown() override { EditionSettings::resetToInitialState(); }

    QString pageFolder() const { return doc->pageFolderPath(); }

    // A page section: one row of cells of the given widths, all h high.
    static std::shared_ptr<SKTTable> makeSection(int32_t number, QPointF origin, const QList<int> &widths, int h,
                                                 const QString &type = QStringLiteral("section"))
    {
        return testpage::section(number, origin, widths, h, type);
    }

    // Puts graphics on the page (in this order, index 0 first) without undo.
    void place(const QList<std::shared_ptr<SKTGraphic>> &graphics)
    {
        doc->undoManager().disableUndoRegistration();
        for (const auto &g : graphics)
            doc->insertGraphicAtIndex(g, doc->graphics().size());
        doc->undoManager().enableUndoRegistration();
    }

    QList<GraphicProperties> snapshot() const
    {
        QList<GraphicProperties> list;
        for (const auto &g : doc->graphics())
            list.append(g->properties());
        return list;
    }

    ScopedUserDefaults defaults;
    ScriptedAlerts alerts;
    ScriptedFilePanels panels;
    std::unique_ptr<SKTDocument> doc;
    std::unique_ptr<FakeInsertionContext> context;
    std::unique_ptr<InsertionFrame> frame;
};
