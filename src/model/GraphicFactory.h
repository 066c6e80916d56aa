#pragma once
// Builds graphics by class name. Only our own graphic classes are known:
// each kind registers its name and a constructor (see GraphicKinds.cpp), and
// a name that nobody registered builds nothing, so pasted or loaded data can
// never make the program instantiate anything else.
#include "model/GraphicProperties.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class SKTGraphic;

class GraphicFactory {
public:
    GraphicFactory() = delete;
    using Creator = std::function<std::unique_ptr<SKTGraphic>()>;

    // Registers (or replaces) a class; the creator makes a default graphic.
    static void registerClass(const QString &className, Creator creator);
    template <typename T>
    static void registerClass(const QString &className)
    {
        registerClass(className, [] { return std::unique_ptr<SKTGraphic>(new T()); });
    }
    static bool isKnownClass(const QString &className);
    static QStringList classNames();
    // A default graphic of the class, or null for an unknown name.
    static std::unique_ptr<SKTGraphic> create(const QString &className);
    // Reads "className" and the rest of the dictionary; null when the name is
    // missing, not a string or unknown.
    static std::unique_ptr<SKTGraphic> createWithProperties(const GraphicProperties &properties);
};
