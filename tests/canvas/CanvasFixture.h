#pragma once
// A page with a canvas widget shown offscreen. Interaction goes through real
// Qt events sent to the widget; the page's graphics are compared as their
// property dictionaries.
#include "canvas/CanvasHost.h"
#include "canvas/CanvasInsertions.h"
#include "canvas/SKTGraphicView.h"
#include "canvas/ui/SKTGraphicViewWidget.h"
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTCircle.h"
#include "model/SKTGraphic.h"
#include "model/SKTRectangle.h"
#include "model/SKTText.h"
#include "support/ScopedUserDefaults.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"

#include <QUrl>
#include <QMimeData>
#include <QDropEvent>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

struct RecordingHost : CanvasHost {
    int inspectorRefreshes = 0;
    int layerRefreshes = 0;
    void refreshInspector() override { ++inspectorRefreshes; }
    void refreshLayerListing() override { ++layerRefreshes; }
};

// Inserts images as plain image graphics, as the insertion side will, and
// remembers what it was asked.
struct RecordingInsertions : CanvasInsertions {
    QStringList calls;
    SKTGraphic *addImageIntoArray(SKTDocument &document, const QImage &image, const QString &type,
                                  const QRectF &frame, const QString &source) override;
    QList<GraphicProperties> textBoxes, lines;
    QList<QPointF> codePoints;
    bool insertCodeName(SKTDocument &, const DropCodeName &row, const QPointF &at) override
    {
        calls << QStringLiteral("code:%1|%2|%3").arg(row.name, row.action, row.arguments.join(u','));
        codePoints << at;
        return true;
    }
    SKTGraphic *addTextBox(SKTDocument &document, const GraphicProperties &preset, const QPointF &) override;
    SKTGraphic *addTrueLine(SKTDocument &document, const GraphicProperties &preset, const QPointF &) override;
    void makeCopyOfOriginalImage(const QString &folder, const QString &from, const QString &to) override
    {
        calls << QStringLiteral("copy:%1|%2|%3").arg(folder, from, to);
    }
};

class CanvasTest : public TempDirTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::shared_ptr<SKTRectangle> addRect(const QRectF &bounds, int32_t group = -99);
    // Ends the undo step the last events made, as an idle event loop would.
    void endStep() { doc->undoManager().closeAutomaticGroup(); }
    UndoManager &undo() { return doc->undoManager(); }

    // Real events, in canvas coordinates (the widget's zoom applied).
    void press(const QPointF &p, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void move(const QPointF &p);
    void release(const QPointF &p);
    void doubleClick(const QPointF &p);
    void drag(const QPointF &from, const QPointF &to, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier);

    // The page's graphics as "class: key=value ..." lines, front first.
    std::vector<std::string> snapshot() const;
    QList<qsizetype> selection() const { return view->selectionIndexes(); }

    ScopedUserDefaults defaults;
    ScriptedAlerts alerts;
    RecordingHost host;
    RecordingInsertions insertions;
    std::unique_ptr<SKTDocument> doc;
    std::unique_ptr<SKTGraphicView> view;
    std::unique_ptr<SKTGraphicViewWidget> widget;
};

// Drags code names and/or files onto the canvas widget w and drops them at
// `at`, as a palette or file manager would; true when both were accepted.
inline bool dropOnCanvas(QWidget *w, const QStringList &names, const QList<QUrl> &files, const QPointF &at)
{
    QMimeData data;
    if (!names.isEmpty())
        data.setData(SKTGraphicView::codeNameMimeType(), names.join(u'\n').toUtf8());
    if (!files.isEmpty())
        data.setUrls(files);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    return enter.isAccepted() && drop.isAccepted();
}
