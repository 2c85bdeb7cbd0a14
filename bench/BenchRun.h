// One calculation as tarvex-cli runs it (the command line's default settings, then
// the job's own), and what its applied plan comes to. A run may take place in a
// child process so that its peak memory is its own.
#pragma once

#include <cstdint>
#include <string>

#include "job/JobRows.h"

namespace tarvex {

// What every section shares; the command line sets it.
struct BenchOptions {
    int threads = 2;
    std::uint32_t seed = 1;
    int classicSpeed = 12;  // of the classic search compared with
    int bestSpeed = 0;      // of the best search's classic start; 0: the command line's default
    double timeLimit = 0;   // of the best search; 0: each section's own
    std::string modes;      // of the sections that run several; empty: each section's own
    std::string instances = "all";
    std::string multiDir = TARVEX_BENCH_DIR "/multi-stock";
    std::string classicDir = TARVEX_BENCH_DIR "/instances";
    int jobs = 0;      // cabinet jobs; 0: 20
    int perClass = 0;  // generated instances per class and size; 0: 3
    int parts = 0;     // of the large jobs; 0: 5,000 and 100,000
};

// Figures of one run's applied plan.
struct Outcome {
    bool ran = false;       // the calculation ended with a plan
    bool rejected = false;  // the plan failed the plan check
    bool allPlaced = false;
    int sheets = 0;           // used sheets, merged layouts counted by their sheets
    double cost = 0;          // of the used sheets
    double area = 0;          // of the used sheets
    double priorityArea = 0;  // of the used priority sheets (remnants)
    double placedArea = 0;    // entered part area placed
    double seconds = 0;       // the whole calculation
    long peakKilobytes = 0;   // of the child process that ran it; 0 when run in this one
    // The lower bound of the plan's job, in sheets when its paid stock is of one
    // kind; below 0 when the program has none or no plan places every part.
    double bound = -1;
    bool boundInSheets = false;

    double Utilisation() const { return area > 0 ? placedArea / area : 0; }
    // What the search spends: the cost of the sheets with costs, otherwise the
    // area of the sheets that are not remnants kept for use first.
    double Material(bool costObjective) const { return costObjective ? cost : area - priorityArea; }
};

enum class Search { Classic, Best };

// The command line's default settings (those of a job given without a project).
JobSettings DefaultSettings();

// Runs the calculation of `rows` with the classic search at options.classicSpeed
// or the best search (its classic start at options.bestSpeed) for `timeLimit`
// seconds, seed and threads of the options.
Outcome Calculate(JobRows rows, Search search, double timeLimit, const BenchOptions& options);

// The same in a forked child process; the outcome carries the child's peak
// resident memory. A child that fails gives an outcome that did not run.
Outcome CalculateInChild(const JobRows& rows, Search search, double timeLimit,
                         const BenchOptions& options);

// "12!" for 12 sheets with parts left over; "rejected" for a plan that failed its
// check, "failed" for a calculation that made none.
std::string SheetsText(const Outcome& o);
// 100 * (value / reference - 1), "-" without a reference.
std::string PercentOver(double value, double reference);

}  // namespace tarvex
