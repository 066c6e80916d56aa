#pragma once
// What the selection benchmarks share: a selection over one document, the
// median of repeated timings, and the rows of their printed summary.
#include "BenchSummary.h"
#include "document/SKTDocument.h"
#include "sidebar/SelectionProxy.h"
#include "platform/UndoManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
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

// The summary's header, and the rows of medians (us) at 100 and 1,000 selected:
// growth from 100 to 1,000 at most 11 (linear), and the edit over its floor at most 2.
inline void printHeader(int width)
{
    std::printf("%-*s %12s %12s %8s %8s\n", width, "median (us)", "100", "1000", "ratio", "target");
}
inline void printGrowthRow(int width, const char *label, double at100, double at1000)
{
    const double ratio = at1000 / at100;
    std::printf("%-*s %12.1f %12.1f %8.2f %8s %s\n", width, label, at100, at1000, ratio, "<= 11",
                benchsummary::verdict(ratio <= 11));
}
inline void printOverFloorRow(int width, const char *label, double overAt100, double overAt1000)
{
    std::printf("%-*s %12.2f %12.2f %8s %8s %s\n", width, label, overAt100, overAt1000, "", "<= 2",
                benchsummary::verdict(overAt100 <= 2 && overAt1000 <= 2));
}
} // namespace bench
