#include <string>
#include <vector>

#include "CabinetJobs.h"
#include "Sections.h"

namespace tarvex {

namespace {

// Classic and best search on one job, each in a child process of its own.
void CompareInChildren(const JobRows& rows, const std::string& title, double limit,
                       const BenchOptions& options, BenchReport& report) {
    const int bestSpeed =
        options.bestSpeed > 0 ? options.bestSpeed : static_cast<int>(rows.settings.speed);
    BenchTable table(title, {"search", "speed", "limit s", "sheets", "cost", "area m2",
                             "utilisation", "cost vs classic %", "wall s", "peak MB"});
    const Outcome classic = CalculateInChild(rows, Search::Classic, 0, options);
    BenchReport::Progress(Format("classic: %s sheets, cost %.0f, %.1f s, %.0f MB",
                                 SheetsText(classic).c_str(), classic.cost, classic.seconds,
                                 classic.peakKilobytes / 1024.0));
    const Outcome best = CalculateInChild(rows, Search::Best, limit, options);
    const auto add = [&](const char* name, int speed, const std::string& limitText,
                         const Outcome& o) {
        table.AddRow({name, std::to_string(speed), limitText, SheetsText(o), Format("%.0f", o.cost),
                      Format("%.1f", o.area / 1e6), Format("%.4f", o.Utilisation()),
                      PercentOver(o.cost, classic.cost), Format("%.1f", o.seconds),
                      Format("%.0f", o.peakKilobytes / 1024.0)});
    };
    add("classic", options.classicSpeed, "-", classic);
    add("best", bestSpeed, Format("%.0f", limit), best);
    table.AddNote(
        "Each search ran in a child process of its own: peak MB is its peak resident "
        "memory. The best search's limit includes its classic start at its speed. "
        "\"!\": parts left over.");
    report.Add(table);
}

}  // namespace

void RunLargeSection(const BenchOptions& options, BenchReport& report) {
    CabinetJobShape shape;
    shape.parts = options.parts > 0 ? options.parts : 5000;
    shape.boards = {kBoard2800, kBoard2440, kBoard3050};
    shape.costs = true;
    const JobRows rows = CabinetJob(shape, 5000);
    const double limit = options.timeLimit > 0 ? options.timeLimit : 60;
    CompareInChildren(rows,
                      Format("A %d-part kitchen job (%zu part rows), three board sizes with "
                             "costs, cost objective, guillotine, blade 4, margins 10, seed %u, "
                             "%d threads",
                             shape.parts, rows.parts.size(), options.seed, options.threads),
                      limit, options, report);
}

void RunHugeSection(const BenchOptions& options, BenchReport& report) {
    const int parts = options.parts > 0 ? options.parts : 100000;
    const JobRows rows = BulkJob(parts, 400, 100000);
    const double limit = options.timeLimit > 0 ? options.timeLimit : 60;
    CompareInChildren(rows,
                      Format("A %d-part job of 400 part sizes, three board sizes with costs, "
                             "cost objective, guillotine, blade 4, margins 10, seed %u, %d threads",
                             parts, options.seed, options.threads),
                      limit, options, report);
}

}  // namespace tarvex
