// The console table, then each case's figure as a ratio to a baseline case of the same run, which
// keeps the comparison steady on a loaded machine. With --benchmark_repetitions, the medians of the
// repetitions are used.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // figure: a run's value (in unit), or a negative value for a run that has none.
    RatioReporter(std::string baseline, std::string unit, std::function<double(const Run&)> figure)
        : baseline_(std::move(baseline)), unit_(std::move(unit)), figure_(std::move(figure)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "median") continue;
            const std::string name = run.run_name.str();
            // A single run stands for itself until a median of repetitions arrives.
            if (!aggregate && medians_.count(name) != 0) continue;
            const double value = figure_(run);
            if (value < 0) continue;
            figures_[name] = value;
            if (aggregate) medians_[name] = true;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto base = figures_.find(baseline_);
        if (base == figures_.end() || base->second <= 0) return;
        std::printf("\n%-32s %12s %12s\n", "case", unit_.c_str(), ("x " + baseline_).c_str());
        for (const auto& entry : figures_)
            std::printf("%-32s %12.4g %12.2f\n", entry.first.c_str(), entry.second,
                        entry.second / base->second);
    }

  private:
    std::string baseline_;
    std::string unit_;
    std::function<double(const Run&)> figure_;
    std::map<std::string, double> figures_;
    std::map<std::string, bool> medians_;
};
