#include <string>
#include <vector>

#include "CabinetJobs.h"
#include "Sections.h"

namespace tarvex {

namespace {

// Job j of n: from 50 to 400 parts; kitchens and wardrobes, one board size or two,
// remnants kept from earlier jobs, with costs or without, a fifth nested on a
// router (free placement).
CabinetJobShape ShapeOf(int j, int n) {
    CabinetJobShape shape;
    shape.parts = 50 + (n > 1 ? 350 * j / (n - 1) : 0);
    shape.wardrobes = j % 3 == 2;
    switch (j % 4) {
        case 0:
            shape.boards = {kBoard2800};
            break;
        case 1:
            shape.boards = {kBoard2440};
            break;
        default:
            shape.boards = {kBoard2800, kBoard2440};
            break;
    }
    shape.remnants = j % 5 == 1 ? 1 : (j % 5 == 3 ? 2 : 0);
    shape.costs = j % 2 == 1;
    shape.guillotine = j % 5 != 4;
    return shape;
}

std::string BoardsText(const CabinetJobShape& shape) {
    std::string text;
    for (const Board& b : shape.boards)
        text += (text.empty() ? "" : "+") + std::to_string(static_cast<int>(b.length));
    return text;
}

}  // namespace

void RunCabinetSection(const BenchOptions& options, BenchReport& report) {
    const int jobs = options.jobs > 0 ? options.jobs : 20;
    const double limit = options.timeLimit > 0 ? options.timeLimit : 10;
    BenchTable table(
        Format("Cabinet jobs: 18 mm board, blade 4, margins 10, doors and fronts grain-locked, "
               "seed %u, %d threads; classic at speed %d, best with a time limit of %.0f s; "
               "material = cost (jobs with costs) or area of the sheets that are not remnants",
               options.seed, options.threads, options.classicSpeed, limit),
        {"job", "kind", "parts", "boards", "remnants", "mode", "objective", "classic sheets",
         "classic material", "best sheets", "best material", "gain %", "best s"});
    double gainSum = 0, gainMin = 1e9, gainMax = -1e9;
    int worse = 0, counted = 0;
    for (int j = 0; j < jobs; ++j) {
        const CabinetJobShape shape = ShapeOf(j, jobs);
        const JobRows rows = CabinetJob(shape, static_cast<std::uint32_t>(2400 + j));
        const Outcome classic = Calculate(rows, Search::Classic, 0, options);
        const Outcome best = Calculate(rows, Search::Best, limit, options);
        const double c = classic.Material(shape.costs), b = best.Material(shape.costs);
        const double gain = c > 0 ? 100 * (1 - b / c) : 0;
        const bool isWorse =
            !best.ran || (classic.allPlaced && !best.allPlaced) || b > c * (1 + 1e-9);
        BenchReport::Progress(Format("job %d: classic %s %.1f, best %s %.1f", j + 1,
                                     SheetsText(classic).c_str(), c, SheetsText(best).c_str(), b));
        const char* unit = shape.costs ? "%.0f" : "%.2f";
        const double scale = shape.costs ? 1 : 1e-6;  // areas in square metres
        table.AddRow({std::to_string(j + 1), shape.wardrobes ? "wardrobe" : "kitchen",
                      std::to_string(shape.parts), BoardsText(shape),
                      std::to_string(shape.remnants), shape.guillotine ? "guillotine" : "free",
                      shape.costs ? "cost" : "area m2", SheetsText(classic),
                      Format(unit, c * scale), SheetsText(best), Format(unit, b * scale),
                      Format("%.2f", gain), Format("%.1f", best.seconds)});
        gainSum += gain;
        gainMin = std::min(gainMin, gain);
        gainMax = std::max(gainMax, gain);
        worse += isWorse;
        ++counted;
    }
    if (counted > 0)
        table.AddNote(
            Format("Gain of best over classic: mean %.2f %%, from %.2f %% to %.2f %%; "
                   "jobs where best is worse: %d of %d.",
                   gainSum / counted, gainMin, gainMax, worse, counted));
    report.Add(table);
}

}  // namespace tarvex
