// What the benchmarks' printed summaries share: the median of each benchmark's
// runs, and how a target reads.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace benchsummary {

// How a target reads in the printed summary.
inline const char *verdict(bool met) { return met ? "met" : "NOT met"; }

// The median of values, or -1 when there are none.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return -1.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Keeps the median real and CPU time of each benchmark, by its name and, when
// it has them, its arguments ("MergePages/1000"). A benchmark that runs without
// repetitions keeps its one measurement.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> real;
    std::map<std::string, double> cpu;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if (!median && !single)
                continue;
            const std::string key = run.run_name.function_name
                + (run.run_name.args.empty() ? std::string() : "/" + run.run_name.args);
            real[key] = run.GetAdjustedRealTime();
            cpu[key] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The median real time in the benchmark's unit, or -1 when it did not run.
    double at(const std::string &key) const
    {
        const auto it = real.find(key);
        return it == real.end() ? -1.0 : it->second;
    }
    double cpuAt(const std::string &key) const
    {
        const auto it = cpu.find(key);
        return it == cpu.end() ? -1.0 : it->second;
    }
};

}  // namespace benchsummary
