#include "BestBench.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "BenchInstances.h"
#include "job/Calculation.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Settings {
    std::string sections = "instances,workshop,large";
    double instanceTime = 5, jobTime = 10, largeTime = 60;
    int jobs = 10, largeParts = 5000, threads = 2;
    std::vector<bool> modes{true, false};  // guillotine first
    std::string instances = "all";
    std::string dir = TARVEX_BENCH_DIR "/instances";
};

Settings ReadSettings() {
    Settings s;
    auto env = [](const char* name) { return std::getenv(name); };
    if (const char* v = env("TARVEX_BESTBENCH_SECTIONS")) s.sections = v;
    if (const char* v = env("TARVEX_BESTBENCH_TIME")) s.instanceTime = std::atof(v);
    if (const char* v = env("TARVEX_BESTBENCH_JOBTIME")) s.jobTime = std::atof(v);
    if (const char* v = env("TARVEX_BESTBENCH_LARGETIME")) s.largeTime = std::atof(v);
    if (const char* v = env("TARVEX_BESTBENCH_JOBS")) s.jobs = std::atoi(v);
    if (const char* v = env("TARVEX_BESTBENCH_LARGE")) s.largeParts = std::atoi(v);
    if (const char* v = env("TARVEX_BESTBENCH_THREADS")) s.threads = std::max(1, std::atoi(v));
    if (const char* v = env("TARVEX_BESTBENCH_MODES")) {
        s.modes.clear();
        if (Listed(v, "guillotine")) s.modes.push_back(true);
        if (Listed(v, "free")) s.modes.push_back(false);
    }
    if (const char* v = env("TARVEX_BESTBENCH_INSTANCES")) s.instances = v;
    return s;
}

// What a run's plan comes to.
struct Outcome {
    bool allPlaced = false;
    int sheets = 0;
    double cost = 0, area = 0, utilisation = 0;
    double seconds = 0;        // the whole calculation
    double toFinal = 0;        // until the best search reported its final figures
    double toBeat = -1;        // until it first reported a plan better than `beat`
};

// Runs one calculation. For the best search, progress reports (each 0.2 s) give
// the time its final figures were first seen and the time it first did better
// than `beat` (fewer sheets, or as many at a lower cost).
Outcome Run(JobRows rows, SearchMethod search, double timeLimit, int threads,
            const Outcome* beat = nullptr) {
    rows.settings.search = search;
    rows.settings.timeLimit = timeLimit;
    Outcome o;
    Calculation calc;
    if (calc.Prepare(rows)) return o;
    GaOptions options;
    options.seed = 1;
    options.threads = threads;
    const auto start = Clock::now();
    const auto since = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    int lastSheets = -1;
    double lastCost = -1;
    calc.Optimize(options, {}, [&](const BestProgress& p) {
        if (p.sheets != lastSheets || p.cost != lastCost) o.toFinal = since();
        lastSheets = p.sheets;
        lastCost = p.cost;
        if (beat && o.toBeat < 0 && p.allPlaced &&
            (p.sheets < beat->sheets || (p.sheets == beat->sheets && p.cost < beat->cost - 1e-9)))
            o.toBeat = since();
    });
    calc.Finish();
    o.seconds = since();
    if (search == SearchMethod::Classic) o.toFinal = o.seconds;
    const AppliedResult* plan = calc.Applied();
    if (!plan) return o;
    o.allPlaced = plan->allPlaced;
    double placed = 0;
    for (const PlannedSheet& s : plan->sheets) {
        if (!s.used) continue;
        ++o.sheets;
        o.cost += s.unitCost * s.Area();
        o.area += s.Area();
        for (const Placement& p : s.parts) placed += p.length * p.width;
    }
    o.utilisation = o.area > 0 ? placed / o.area : 0;
    return o;
}

void InstanceSection(const Settings& settings) {
    const std::vector<BenchInstance> instances = ReadInstances(settings.dir, settings.instances);
    for (const bool guillotine : settings.modes) {
        std::printf("\nBest search on the instances: %s, blade 0, seed 1, %d threads, best with "
                    "a time limit of %.0f s against classic at speed 12\n",
                    guillotine ? "guillotine" : "free", settings.threads, settings.instanceTime);
        std::printf("%-20s %5s %7s %7s %7s %9s %9s\n", "instance", "known", "classic", "best",
                    "equal", "final s", "total s");
        int classicSum = 0, bestSum = 0, knownSum = 0, equal = 0, count = 0;
        std::vector<double> finals;
        for (const BenchInstance& instance : instances) {
            JobRows rows;
            rows.parts = instance.parts;
            rows.sheets = instance.sheets;
            rows.settings.cut.guillotine = guillotine;
            rows.settings.speed = 12;
            const int known = guillotine ? instance.knownGuillotine : instance.knownFree;
            const Outcome classic = Run(rows, SearchMethod::Classic, 0, settings.threads);
            const Outcome best =
                Run(rows, SearchMethod::Best, settings.instanceTime, settings.threads);
            const auto shown = [](const Outcome& o) {
                return std::to_string(o.sheets) + (o.allPlaced ? "" : "!");
            };
            std::printf("%-20s %5d %7s %7s %7s %9.2f %9.2f\n", instance.name.c_str(), known,
                        shown(classic).c_str(), shown(best).c_str(),
                        best.allPlaced && best.sheets <= known ? "yes" : "NO", best.toFinal,
                        best.seconds);
            std::fflush(stdout);
            classicSum += classic.sheets;
            bestSum += best.sheets;
            knownSum += known;
            equal += best.allPlaced && best.sheets <= known;
            ++count;
            finals.push_back(best.toFinal);
        }
        if (finals.empty()) continue;
        std::sort(finals.begin(), finals.end());
        std::printf("%-20s %5d %7d %7d %4d/%-2d median %.2f s, longest %.2f s to the final plan "
                    "(\"!\": parts left over)\n",
                    "all", knownSum, classicSum, bestSum, equal, count, finals[finals.size() / 2],
                    finals.back());
    }
}

// A workshop's job: cabinets of random sizes, each with two sides, a top and a
// bottom, shelves, a back, doors or drawer fronts (grain-locked), until `parts`
// pieces; two or three stock sizes with costs, and a few remnants marked priority.
JobRows WorkshopJob(std::uint32_t seed, int parts) {
    std::mt19937 rng(seed);
    const auto uniform = [&](double lo, double hi) {
        return std::round(std::uniform_real_distribution<double>(lo, hi)(rng));
    };
    JobRows rows;
    rows.settings.cut.guillotine = true;
    rows.settings.cut.bladeWidth = uniform(32, 44) / 10;
    rows.settings.cut.margins = {10, 10, 10, 10};
    rows.settings.cut.minOffcutLength = rows.settings.cut.minOffcutWidth = 100;
    rows.settings.cut.minOffcutArea = 40000;
    rows.settings.speed = 12;
    const auto clamp = [](double v) { return std::clamp(v, 60.0, 2400.0); };
    int count = 0, row = 0;
    const auto add = [&](const char* label, double l, double w, int q, bool turnable) {
        q = std::min(q, parts - count);
        if (q <= 0) return;
        rows.parts.push_back({label, clamp(l), clamp(w), q, turnable, ++row});
        count += q;
    };
    while (count < parts) {
        const double width = uniform(300, 1200), height = uniform(700, 2400),
                     depth = uniform(300, 600);
        add("Side", height, depth, 2, false);
        add("Top", width, depth, 2, true);
        add("Shelf", width - 36, depth - 20, static_cast<int>(uniform(0, 4)), true);
        add("Back", height - 10, width - 10, 1, true);
        if (uniform(0, 1) > 0.5)
            add("Door", height - 4, width / 2 - 4, 2, false);
        else
            add("Front", width - 4, uniform(60, 300), static_cast<int>(uniform(2, 5)), false);
    }
    int sheetRow = 0;
    const int boards = 2 + static_cast<int>(uniform(0, 1));
    const double sizes[3][3] = {{2440, 1220, 38}, {2800, 2070, 79}, {3050, 1530, 61}};
    for (int k = 0; k < boards; ++k)
        rows.sheets.push_back({"Board" + std::to_string(k + 1), sizes[k][0], sizes[k][1],
                               parts, sizes[k][2], false, ++sheetRow});
    for (int k = static_cast<int>(uniform(1, 3)); k > 0; --k)
        rows.sheets.push_back({"Remnant" + std::to_string(k), uniform(600, 2000),
                               uniform(400, 1200), 1, 0, true, ++sheetRow});
    return rows;
}

void WorkshopSection(const Settings& settings) {
    std::printf("\nBest search on generated workshop jobs: guillotine, area objective, seed 1, "
                "%d threads; classic at speed 12, best with a time limit of %.0f s\n",
                settings.threads, settings.jobTime);
    std::printf("%-6s %5s %5s | %6s %9s %9s %5s | %6s %9s %9s %5s | %7s\n", "job", "parts",
                "blade", "sheets", "cost", "area m2", "util", "sheets", "cost", "area m2", "util",
                "area -%");
    double savedSum = 0;
    int worse = 0;
    for (int j = 0; j < settings.jobs; ++j) {
        const int parts = 20 + static_cast<int>((380.0 * j) / std::max(1, settings.jobs - 1));
        const JobRows rows = WorkshopJob(static_cast<std::uint32_t>(1000 + j), parts);
        const Outcome classic = Run(rows, SearchMethod::Classic, 0, settings.threads);
        const Outcome best = Run(rows, SearchMethod::Best, settings.jobTime, settings.threads);
        const double saved = classic.area > 0 ? 100 * (1 - best.area / classic.area) : 0;
        savedSum += saved;
        worse += !best.allPlaced || best.area > classic.area * (1 + 1e-9);
        std::printf("%-6d %5d %5.1f | %6d %9.0f %9.2f %5.3f | %6d %9.0f %9.2f %5.3f | %7.1f\n", j + 1,
                    parts, rows.settings.cut.bladeWidth, classic.sheets, classic.cost,
                    classic.area / 1e6, classic.utilisation, best.sheets, best.cost,
                    best.area / 1e6, best.utilisation, saved);
        std::fflush(stdout);
    }
    if (settings.jobs > 0)
        std::printf("average sheet area saved %.1f %%, jobs where best is worse: %d\n",
                    savedSum / settings.jobs, worse);
}

void LargeSection(const Settings& settings) {
    JobRows rows = WorkshopJob(77, settings.largeParts);
    rows.sheets.resize(3);  // three stock sizes, no remnants
    std::printf("\nBest search on a %d-part workshop job with three stock sizes, %d threads\n",
                settings.largeParts, settings.threads);
    const Outcome classic = Run(rows, SearchMethod::Classic, 0, settings.threads);
    std::printf("classic speed 12: %d sheets, %.1f m2, cost %.0f, utilisation %.3f, %s, %.1f s\n",
                classic.sheets, classic.area / 1e6, classic.cost, classic.utilisation,
                classic.allPlaced ? "all placed" : "parts left over", classic.seconds);
    const double searchTime = settings.largeTime;
    // From the classic plan of the same speed, and from the fastest one.
    for (const int speed : {12, 1}) {
        rows.settings.speed = speed;
        const Outcome best = Run(rows, SearchMethod::Best, searchTime, settings.threads, &classic);
        struct rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("best (speed %d, time limit %.0f s): %d sheets, %.1f m2, cost %.0f, "
                    "utilisation %.3f, %s, %.1f s in all; fewer sheets than classic speed 12 "
                    "after %.1f s; peak memory %.0f MB\n",
                    speed, searchTime, best.sheets, best.area / 1e6, best.cost, best.utilisation,
                    best.allPlaced ? "all placed" : "parts left over", best.seconds, best.toBeat,
                    usage.ru_maxrss / 1024.0);
        std::fflush(stdout);
    }
}

}  // namespace

void RunBestBench() {
    const Settings settings = ReadSettings();
    if (Listed(settings.sections, "instances")) InstanceSection(settings);
    if (Listed(settings.sections, "workshop")) WorkshopSection(settings);
    if (Listed(settings.sections, "large")) LargeSection(settings);
}
