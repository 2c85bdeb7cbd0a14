#include "BenchRun.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <type_traits>

#include "io/OutcomeText.h"
#include "io/SettingsForm.h"
#include "io/TableInput.h"
#include "job/Calculation.h"
// The stronger bounds come with the program's lower bounds, where it has them.
#if __has_include("optimizer/LowerBounds.h")
#include "optimizer/LowerBounds.h"

namespace tarvex {

#define BENCH_STOCK_BOUND 1
#endif

JobSettings DefaultSettings() {
    JobSettings settings;
    InputFault fault;
    if (!ReadJobSettings(SettingsForm{}, settings, fault))
        std::fprintf(stderr, "bench: the default settings do not read: %s\n",
                     FaultText(fault).c_str());
    return settings;
}

Outcome Calculate(JobRows rows, Search search, double timeLimit, const BenchOptions& options) {
    JobSettings& settings = rows.settings;
    if (search == Search::Classic) {
        settings.search = SearchMethod::Classic;
        settings.speed = options.classicSpeed;
    } else {
        settings.search = SearchMethod::Best;
        settings.timeLimit = timeLimit;
        if (options.bestSpeed > 0) settings.speed = options.bestSpeed;
    }
    Outcome o;
    const auto start = std::chrono::steady_clock::now();
    Calculation calc;
    if (calc.Prepare(rows)) return o;
    GaOptions ga;
    ga.seed = options.seed;
    ga.threads = options.threads;
    calc.Optimize(ga);
    const CalcOutcome outcome = calc.Finish();
    o.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    o.rejected = outcome.status == CalcOutcome::Status::PlanRejected;
    const AppliedResult* plan = calc.Applied();
    if (!outcome.Ran() || !plan) return o;
    o.ran = true;
    o.allPlaced = plan->allPlaced;
#ifdef BENCH_STOCK_BOUND
    const StockBound bound = LowerBoundOf(plan->job, plan->settings.cut);
    if (!bound.infeasible) {
        o.bound = bound.value;
        o.boundInSheets = bound.measure == StockBound::Measure::Sheets;
    }
#endif
    for (const PlannedSheet& s : plan->sheets) {
        if (!s.used) continue;
        ++o.sheets;
        o.cost += s.unitCost * s.Area();
        o.area += s.Area();
        const auto& jobSheets = plan->job.Sheets();
        if (s.id >= 0 && static_cast<std::size_t>(s.id) < jobSheets.size() &&
            jobSheets[static_cast<std::size_t>(s.id)].usedFirst)
            o.priorityArea += s.Area();
        for (const Placement& p : s.parts) o.placedArea += p.length * p.width;
    }
    return o;
}

Outcome CalculateInChild(const JobRows& rows, Search search, double timeLimit,
                         const BenchOptions& options) {
    static_assert(std::is_trivially_copyable_v<Outcome>);
    std::fflush(stdout);
    std::fflush(stderr);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return {};
    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return {};
    }
    if (child == 0) {
        close(pipeEnds[0]);
        const Outcome o = Calculate(rows, search, timeLimit, options);
        const bool written = write(pipeEnds[1], &o, sizeof o) == static_cast<ssize_t>(sizeof o);
        _exit(written ? 0 : 1);
    }
    close(pipeEnds[1]);
    Outcome o;
    const bool read = ::read(pipeEnds[0], &o, sizeof o) == static_cast<ssize_t>(sizeof o);
    close(pipeEnds[0]);
    int status = 0;
    struct rusage usage {};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || !read)
        return {};
    o.peakKilobytes = usage.ru_maxrss;
    return o;
}

std::string SheetsText(const Outcome& o) {
    if (!o.ran) return o.rejected ? "rejected" : "failed";
    return std::to_string(o.sheets) + (o.allPlaced ? "" : "!");
}

std::string PercentOver(double value, double reference) {
    if (!(reference > 0)) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%+.2f", 100 * (value / reference - 1));
    return text;
}

}  // namespace tarvex
