#include "model/SKTGraphic.h"

#include <cmath>

#include "model/GraphicEnvironment.h"
#include "model/GraphicFactory.h"
#include "model/GraphicOwner.h"
#include "model/UndoNames.h"

#include <QCoreApplication>
#include <QHash>
#include <QTimer>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <type_traits>

SKTGraphic::SKTGraphic() = default;

SKTGraphic::~SKTGraphic() = default;

QString SKTGraphic::className() const
{
    return QStringLiteral("SKTGraphic");
}

std::unique_ptr<SKTGraphic> SKTGraphic::makeSameKind() const
{
    std::unique_ptr<SKTGraphic> graphic = GraphicFactory::create(className());
    // A kind that forgot to register still copies as a plain graphic.
    return graphic ? std::move(graphic) : std::make_unique<SKTGraphic>();
}

std::unique_ptr<SKTGraphic> SKTGraphic::copy() const
{
    std::unique_ptr<SKTGraphic> c = makeSameKind();
    c->m_bounds = m_bounds;
    c->m_drawingFill = m_drawingFill;
    c->m_fillColor = m_fillColor;
    c->m_drawingStroke = m_drawingStroke;
    c->m_strokeColor = m_strokeColor;
    c->m_strokeWidth = m_strokeWidth;
    return c;
}

void SKTGraphic::reportChange(const QString &key, const QVariant &oldValue)
{
    if (m_owner)
        m_owner->graphicAttributeChanged(*this, key, oldValue);
}

void SKTGraphic::storeBounds(const QRectF &bounds)
{
    changeAttribute(m_bounds, bounds, QStringLiteral("bounds"));
}

void SKTGraphic::setBounds(const QRectF &bounds)
{
    storeBounds(bounds);
}

void SKTGraphic::setXPosition(double x)
{
    QRectF b = m_bounds;
    b.moveLeft(x);
    setBounds(b);
}

void SKTGraphic::setYPosition(double y)
{
    QRectF b = m_bounds;
    b.moveTop(y);
    setBounds(b);
}

void SKTGraphic::setWidth(double w)
{
    QRectF b = m_bounds;
    b.setWidth(w);
    setBounds(b);
}

void SKTGraphic::setHeight(double h)
{
    QRectF b = m_bounds;
    b.setHeight(h);
    setBounds(b);
}

void SKTGraphic::setColor(const QColor &colour)
{
    if (!canSetDrawingFill())
        return;
    if (!isDrawingFill())
        setDrawingFill(true);
    setFillColor(colour);
}

// --- by-key access ----------------------------------------------------------

namespace {
struct Accessor {
    std::function<QVariant(const SKTGraphic &)> get;
    std::function<bool(SKTGraphic &, const QVariant &)> set;
};

template <typename T>
bool convertValue(const QVariant &v, T &out)
{
    if (v.metaType() == QMetaType::fromType<T>()) {
        out = v.value<T>();
        return true;
    }
    if (!v.isValid() || !v.canConvert<T>())
        return false;
    if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) {
        // Text converts to any number, as 0 when it is none: refuse that.
        if (v.typeId() == QMetaType::QString) {
            bool ok = false;
            const double d = v.toString().toDouble(&ok);
            if (!ok || !std::isfinite(d))
                return false;
        }
    }
    out = v.value<T>();
    return true;
}
} // namespace

static const QHash<QString, Accessor> &accessors()
{
    static const QHash<QString, Accessor> table = [] {
        QHash<QString, Accessor> t;
        t.insert(QStringLiteral("bounds"),
                 {[](const SKTGraphic &g) { return QVariant(g.bounds()); },
                  [](SKTGraphic &g, const QVariant &v) {
                      QRectF r;
                      if (!convertValue(v, r))
                          return false;
                      g.setBounds(r);
                      return true;
                  }});
        t.insert(QStringLiteral("drawingFill"),
                 {[](const SKTGraphic &g) { return QVariant(g.isDrawingFill()); },
                  [](SKTGraphic &g, const QVariant &v) {
                      bool b = false;
                      if (!convertValue(v, b))
                          return false;
                      g.setDrawingFill(b);
                      return true;
                  }});
        t.insert(QStringLiteral("drawingStroke"),
                 {[](const SKTGraphic &g) { return QVariant(g.isDrawingStroke()); },
                  [](SKTGraphic &g, const QVariant &v) {
                      bool b = false;
                      if (!convertValue(v, b))
                          return false;
                      g.setDrawingStroke(b);
                      return true;
                  }});
#define ZOV_ACCESSOR(Type, name, Setter, initial) \
    t.insert(QStringLiteral(#name), \
             {[](const SKTGraphic &g) { return QVariant::fromValue(g.name()); }, \
              [](SKTGraphic &g, const QVariant &v) { \
                  Type x{}; \
                  if (!convertValue(v, x)) \
                      return false; \
                  g.set##Setter(x); \
                  return true; \
              }});
        ZOV_GRAPHIC_ATTRIBUTES(ZOV_ACCESSOR)
#undef ZOV_ACCESSOR
        return t;
    }();
    return table;
}

// The inspector's position and size fields: one component of the bounds
// each. Not attributes of their own: a change is reported (and undone) as a
// change of "bounds".
static const QHash<QString, Accessor> &boundsComponentAccessors()
{
    static const QHash<QString, Accessor> table = [] {
        QHash<QString, Accessor> t;
        const auto add = [&t](const char *key, double (SKTGraphic::*get)() const, void (SKTGraphic::*set)(double)) {
            t.insert(QLatin1String(key), {[get](const SKTGraphic &g) { return QVariant((g.*get)()); },
                                          [set](SKTGraphic &g, const QVariant &v) {
                                              // Text that is no number must not
                                              // collapse the graphic to 0.
                                              bool ok = false;
                                              const double x = v.toDouble(&ok);
                                              if (!ok || !std::isfinite(x))
                                                  return false;
                                              (g.*set)(x);
                                              return true;
                                          }});
        };
        add("xPosition", &SKTGraphic::xPosition, &SKTGraphic::setXPosition);
        add("yPosition", &SKTGraphic::yPosition, &SKTGraphic::setYPosition);
        add("width", &SKTGraphic::width, &SKTGraphic::setWidth);
        add("height", &SKTGraphic::height, &SKTGraphic::setHeight);
        return t;
    }();
    return table;
}

QVariant SKTGraphic::value(const QString &key) const
{
    for (const auto *t : {&accessors(), &boundsComponentAccessors()}) {
        const auto it = t->find(key);
        if (it != t->end())
            return it->get(*this);
    }
    return QVariant();
}

bool SKTGraphic::setValue(const QString &key, const QVariant &value)
{
    for (const auto *t : {&accessors(), &boundsComponentAccessors()}) {
        const auto it = t->find(key);
        if (it != t->end())
            return it->set(*this, value);
    }
    return false;
}

void SKTGraphic::settleBorderWidth(int32_t width)
{
    if (m_borderWidth == width)
        return;
    m_borderWidth = width;
    reportRedraw(QStringLiteral("borderWidth"), width);
}

void SKTGraphic::settleMaskFlag(int32_t flag)
{
    if (m_maskFlag == flag)
        return;
    m_maskFlag = flag;
    reportRedraw(QStringLiteral("maskFlag"), flag);
}

QStringList SKTGraphic::attributeKeys()
{
    QStringList keys = accessors().keys();
    keys.sort();
    return keys;
}

QStringList SKTGraphic::keyPathsForValuesAffectingDrawingBounds()
{
    return {QStringLiteral("bounds"), QStringLiteral("strokeWidth"), QStringLiteral("cornerRadius")};
}

QStringList SKTGraphic::keyPathsForValuesAffectingDrawingContents() const
{
    return {QStringLiteral("drawingFill"), QStringLiteral("fillColor"), QStringLiteral("drawingStroke"),
            QStringLiteral("strokeColor"), QStringLiteral("fontColor")};
}

QStringList SKTGraphic::keysForValuesToObserveForUndo() const
{
    return UndoNames::keysForClass(className());
}

QString SKTGraphic::presentablePropertyNameForKey(const QString &key) const
{
    // The table's English names double as the keys of the translations.
    const QString name = UndoNames::nameForKey(className(), key);
    return name.isNull() ? name : QCoreApplication::translate("UndoStrings", name.toUtf8().constData());
}

// --- window services --------------------------------------------------------

QString SKTGraphic::getNextImageName() const
{
    GraphicEnvironment *env = GraphicEnvironment::current();
    return env ? env->nextImageName() : QString();
}

QString SKTGraphic::getCurrentDocPath() const
{
    GraphicEnvironment *env = GraphicEnvironment::current();
    return env ? env->currentDocPath() : QString();
}

QPointF SKTGraphic::getLastTouchPoint() const
{
    GraphicEnvironment *env = GraphicEnvironment::current();
    return env ? env->lastTouchPoint() : QPointF();
}

// --- drawing hooks ----------------------------------------------------------

void SKTGraphic::drawContents(GraphicPainter &, bool)
{
}

QPainterPath SKTGraphic::bezierPathForDrawing(GraphicPainter &)
{
    throw std::logic_error("Neither -drawContentsInView: nor -bezierPathForDrawing has been overridden.");
}
