#include "model/GraphicFactory.h"

#include "model/GraphicKinds.h"
#include "model/SKTGraphic.h"

#include <QHash>

namespace {
QHash<QString, GraphicFactory::Creator> &registry()
{
    static QHash<QString, GraphicFactory::Creator> creators;
    static bool filled = false;
    if (!filled) {
        filled = true; // before registerAll, which registers through us
        GraphicKinds::registerAll();
    }
    return creators;
}
} // namespace

void GraphicFactory::registerClass(const QString &className, Creator creator)
{
    registry().insert(className, std::move(creator));
}

bool GraphicFactory::isKnownClass(const QString &className)
{
    return registry().contains(className);
}

QStringList GraphicFactory::classNames()
{
    QStringList names = registry().keys();
    names.sort();
    return names;
}

std::unique_ptr<SKTGraphic> GraphicFactory::create(const QString &className)
{
    const auto &creators = registry();
    const auto it = creators.find(className);
    if (it == creators.end() || !it.value())
        return nullptr;
    return it.value()();
}

std::unique_ptr<SKTGraphic> GraphicFactory::createWithProperties(const GraphicProperties &properties)
{
    if (!properties.isString(QStringLiteral("className")))
        return nullptr;
    std::unique_ptr<SKTGraphic> graphic = create(properties.string(QStringLiteral("className")));
    if (graphic)
        graphic->readProperties(properties);
    return graphic;
}
