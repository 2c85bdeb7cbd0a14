// The best search: starts from a laid-out plan (the classic search's) and keeps
// looking for one that uses cheaper or fewer sheets, by ruin and recreate on the
// sheets with late acceptance, on several lanes that share their best plan. It
// starts from a plan of sheet patterns (strips, stacks and pieces chosen by
// column generation) when that is better, and obeys stage limits with patterns
// alone. It returns laid-out sheets the result application takes like the classic
// search's: rooms carry one blade width, as the engine's do.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "model/Job.h"
#include "optimizer/Ga.h"
#include "optimizer/SearchedPlan.h"

namespace tarvex {

// The best plan so far, as progress shows it.
struct BestProgress {
    std::int32_t sheets = 0;  // sheets used
    double cost = 0;          // of the sheets used, priority ones included
    double utilisation = 0;   // placed part area over the used sheets' area
    double secondsLeft = 0;   // of the time limit; 0 for a run bounded by steps
    bool allPlaced = false;
};

// One way of rounding the sheet patterns' linear programme to whole sheets.
struct PatternRounding {
    // Of a pattern the programme uses n times in full, this share of n (at least
    // one) is taken before the programme is solved again for the rest.
    double share = 1;
    // Patterns tried when none is used in full: each is taken once and the
    // programme solved for the rest; the one that leaves the least is kept.
    int lookahead = 4;
};

// The best search's tuning knobs, in the order the search uses them.
struct BestParameters {
    // Sheet patterns: the share of a timed run's time their plan may take, the
    // most grid cells along a sheet's side the pattern programmes work with (a
    // grid fine enough to hold the sizes of millimetre parts exactly: rounding
    // them to a coarser one wastes more than the third stage of cuts, which a
    // fine grid often cannot afford on large sheets, gains), and
    // the pattern generation rounds of one solve of the linear programme and of
    // the whole plan (which bound its time in a run bounded by steps), and the
    // ways of rounding it, tried in turn while there is time: the best plan of
    // them is kept. Rounding by smaller shares solves more often and is slower.
    double patternShare = 0.5;
    int gridCells = 4000;
    int roundsPerSolve = 400;
    long patternRounds = 2000;
    std::vector<PatternRounding> roundings{{1, 4}, {0.5, 4}, {0.25, 8}, {0.5, 12}};
    // The lanes: a step may be worse than the current plan when it is no worse
    // than the plan this many steps ago; steps without a better plan before a
    // lane aims at another sheet.
    std::size_t lateAcceptance = 64;
    std::int64_t stallSteps = 2000;
    // Steps each lane takes between two meetings of a run bounded by steps, and
    // the seconds between meetings of a timed run.
    std::int64_t stepsPerMeeting = 50;
    double meetingSeconds = 0.2;
};

struct BestOptions {
    std::uint32_t seed = 1;
    int threads = 0;        // 0 means one per core
    double timeLimit = 10;  // seconds
    // When above 0 each of the kStepLanes lanes takes this many steps instead of a
    // time limit, and the plan depends only on the job, the start plan, the seed
    // and this number.
    std::int64_t steps = 0;
    const std::atomic<bool>* stop = nullptr;
    // Called on the searching thread whenever the lanes meet.
    std::function<void(const BestProgress&)> progress;
    BestParameters parameters;
};

// Lanes of a run bounded by steps; a timed run has one per thread.
inline constexpr int kStepLanes = 4;

// The best plan of `job` found from `start`, the laid-out sheets of a plan of a job
// with the same parts (ids equal) and the same sheet rows, perhaps fewer units of
// them (the sheets of the classic search's plan). Its sheets are those it uses, in
// the job's order, then the free sheets the start lists; its fitness the placed
// part area (or cost) over that of the sheets used.
// Never worse than the start by the best search's order, which puts every part
// placed first, then the cost (or area) of the non-priority sheets, then the area
// of priority sheets, then the largest offcut. Stops early when a lower bound
// proves the plan uses the fewest sheets.
SearchedPlan SearchBest(const Job& job, const CutSettings& settings,
                        const std::vector<LaidOutSheet>& start, const BestOptions& options);

// The fewest sheets any plan of the job needs when all its sheets are alike (0
// otherwise): the parts' entered area, and the parts no two of which share a sheet.
std::int32_t SheetLowerBound(const Job& job, const CutSettings& settings);

}  // namespace tarvex
