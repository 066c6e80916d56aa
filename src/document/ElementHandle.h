#pragma once
// The part ImageElement and TextElement share: a handle on one element the
// page generator writes, either a graphic of the page or the carrier inside
// a composite (or nothing).
#include <memory>

template <class Graphic, class Carrier>
class ElementHandle {
public:
    ElementHandle() = default;
    explicit ElementHandle(Graphic *graphic) : m_graphic(graphic) {}
    explicit ElementHandle(std::shared_ptr<Carrier> carrier) : m_carrier(std::move(carrier)) {}

    bool isNull() const { return !m_graphic && !m_carrier; }
    bool isCarrier() const { return m_carrier != nullptr; }
    Graphic *graphic() const { return m_graphic; }
    const std::shared_ptr<Carrier> &carrier() const { return m_carrier; }
    // The object itself, as a key for per-run tables (stacking values).
    const void *identity() const { return m_graphic ? static_cast<const void *>(m_graphic) : m_carrier.get(); }
    bool operator==(const ElementHandle &o) const { return identity() == o.identity(); }

protected:
    Graphic *m_graphic = nullptr;
    std::shared_ptr<Carrier> m_carrier;
};
