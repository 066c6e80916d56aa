#include "CanvasFixture.h"

#include "model/SKTImage.h"

#include <QDebug>

SKTGraphic *RecordingInsertions::addImageIntoArray(SKTDocument &document, const QImage &image, const QString &type,
                                                   const QRectF &frame, const QString &source)
{
    calls << QStringLiteral("image:%1|%2x%3|%4").arg(type).arg(frame.width()).arg(frame.height()).arg(source);
    auto graphic = std::make_shared<SKTImage>();
    graphic->setContents(image);
    graphic->setImageType(type);
    graphic->setBounds(frame);
    graphic->setSelectable(true);
    graphic->setGroupNumber(-99);
    document.insertGraphicAtIndex(graphic, 0);
    return graphic.get();
}

SKTGraphic *RecordingInsertions::addTextBox(SKTDocument &document, const GraphicProperties &preset, const QPointF &)
{
    textBoxes << preset;
    calls << QStringLiteral("text");
    auto box = std::make_shared<SKTRectangle>();
    box->setBounds(preset.rect(QStringLiteral("bounds")));
    document.insertGraphicAtIndex(box, 0);
    return box.get();
}

SKTGraphic *RecordingInsertions::addTrueLine(SKTDocument &document, const GraphicProperties &preset, const QPointF &)
{
    lines << preset;
    calls << QStringLiteral("line");
    auto box = std::make_shared<SKTRectangle>();
    box->setBounds(QRectF(preset.point(QStringLiteral("beginPoint")), preset.point(QStringLiteral("endPoint"))));
    document.insertGraphicAtIndex(box, 0);
    return box.get();
}

void CanvasTest::SetUp()
{
    EditionSettings::resetToInitialState();
    gAppName = QStringLiteral("Zov Web");
    gCanvasWidth = 1000;
    gCanvasMaxHeight = 800;
    gWorkFolder = path(QStringLiteral("work"));
    QDir().mkpath(gWorkFolder);
    doc = std::make_unique<SKTDocument>();
    doc->pageName = QStringLiteral("index");
    doc->tempSavePathLocal = path(QStringLiteral("pages"));
    QDir().mkpath(doc->tempSavePathLocal);
    view = std::make_unique<SKTGraphicView>();
    view->setHost(&host);
    view->setInsertions(&insertions);
    view->setDocument(doc.get());
    GraphicEnvironment::setCurrent(view.get());
    widget = std::make_unique<SKTGraphicViewWidget>(*view);
    widget->show();
    widget->activateWindow();
    widget->setFocus();
    QApplication::processEvents();
}

void CanvasTest::TearDown()
{
    widget.reset();
    GraphicEnvironment::setCurrent(nullptr);
    view.reset();
    doc.reset();
    QGuiApplication::clipboard()->clear();
    EditionSettings::resetToInitialState();
}

std::shared_ptr<SKTRectangle> CanvasTest::addRect(const QRectF &bounds, int32_t group)
{
    auto r = std::make_shared<SKTRectangle>();
    r->setBounds(bounds);
    r->setSelectable(true);
    r->setGroupNumber(group);
    // What the first touch of the mouse writes (the graphic reports its
    // colours to the inspector): set here so snapshots compare like with like.
    r->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    doc->insertGraphicAtIndex(r, doc->graphics().size());
    endStep();
    return r;
}

namespace {
void sendMouse(QWidget *w, QEvent::Type type, const QPointF &p, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods)
{
    QMouseEvent event(type, p, w->mapToGlobal(p), button, buttons, mods);
    QApplication::sendEvent(w, &event);
}
} // namespace

void CanvasTest::press(const QPointF &p, Qt::KeyboardModifiers mods)
{
    sendMouse(widget.get(), QEvent::MouseButtonPress, p * widget->zoomFactor(), Qt::LeftButton, Qt::LeftButton,
              mods);
}

void CanvasTest::move(const QPointF &p)
{
    sendMouse(widget.get(), QEvent::MouseMove, p * widget->zoomFactor(), Qt::NoButton, Qt::LeftButton,
              Qt::NoModifier);
}

void CanvasTest::release(const QPointF &p)
{
    sendMouse(widget.get(), QEvent::MouseButtonRelease, p * widget->zoomFactor(), Qt::LeftButton, Qt::NoButton,
              Qt::NoModifier);
}

void CanvasTest::doubleClick(const QPointF &p)
{
    press(p);
    release(p);
    sendMouse(widget.get(), QEvent::MouseButtonDblClick, p * widget->zoomFactor(), Qt::LeftButton, Qt::LeftButton,
              Qt::NoModifier);
    release(p);
}

void CanvasTest::drag(const QPointF &from, const QPointF &to, Qt::KeyboardModifiers mods)
{
    press(from, mods);
    move((from + to) / 2);
    move(to);
    release(to);
}

void CanvasTest::key(int k, Qt::KeyboardModifiers mods)
{
    QKeyEvent down(QEvent::KeyPress, k, mods);
    QApplication::sendEvent(widget.get(), &down);
    QKeyEvent up(QEvent::KeyRelease, k, mods);
    QApplication::sendEvent(widget.get(), &up);
}

std::vector<std::string> CanvasTest::snapshot() const
{
    std::vector<std::string> list;
    for (const auto &g : doc->graphics()) {
        QString line = g->className() + QStringLiteral(":");
        const QVariantMap map = g->properties().map();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            QString text;
            QDebug(&text).noquote() << it.value();
            line += QStringLiteral(" %1=%2").arg(it.key(), text.trimmed());
        }
        list.push_back(line.toStdString());
    }
    return list;
}
