#pragma once
// Lists of element carriers inside a graphic's properties dictionary: each
// carrier as its own map, and back, keeping only carriers of the expected class.
#include "model/ElementCarrier.h"

#include <QList>
#include <memory>

class CarrierList {
public:
    template <typename T>
    static QList<GraphicProperties> toProperties(const QList<std::shared_ptr<T>> &carriers)
    {
        QList<GraphicProperties> list;
        list.reserve(carriers.size());
        for (const auto &carrier : carriers)
            if (carrier)
                list.append(carrier->toProperties());
        return list;
    }

    // A carrier list stored under key (left out when empty), and read back.
    template <typename T>
    static void put(GraphicProperties &p, const QString &key, const QList<std::shared_ptr<T>> &carriers)
    {
        if (!carriers.isEmpty())
            p.setList(key, toProperties(carriers));
    }
    template <typename T>
    static void get(const GraphicProperties &p, const QString &key, QList<std::shared_ptr<T>> &carriers)
    {
        carriers = fromProperties<T>(p.list(key));
    }

    template <typename T>
    static QList<std::shared_ptr<T>> fromProperties(const QList<GraphicProperties> &list)
    {
        QList<std::shared_ptr<T>> carriers;
        carriers.reserve(list.size());
        for (const GraphicProperties &p : list)
            if (auto carrier = std::dynamic_pointer_cast<T>(ElementCarrier::fromProperties(p)))
                carriers.append(carrier);
        return carriers;
    }
};
