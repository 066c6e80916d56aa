#pragma once
// What the selection benchmarks share: a selection over one document, and the
// median of repeated timings.
#include "document/SKTDocument.h"
#include "sidebar/SelectionProxy.h"
#include "platform/UndoManager.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace bench {
class PageSelection : public SelectionProxy {
public:
    explicit PageSelection(SKTDocument &doc) : m_doc(doc) {}
    QList<SKTGraphic *> selectedGraphics() const override { return m_selected; }
    UndoManager *undoManager() const override { return &m_doc.undoManager(); }
    QList<SKTGraphic *> m_selected;

private:
    SKTDocument &m_doc;
};

inline double medianMicroseconds(const std::function<void()> &work, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace bench
