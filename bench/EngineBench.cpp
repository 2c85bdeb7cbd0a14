#include "EngineBench.h"

#include <time.h>

#include <cstdio>
#include <random>
#include <vector>

#include "engine/Cut.h"
#include "model/CutSettings.h"
#include "support/EngineJobs.h"
#include "support/ReferenceCut.h"

namespace tarvex {

namespace {

// CPU time of this thread: the figures stay comparable on a busy machine.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// One candidate of the job: its own turned records and sheet records, and the
// settings of the job.
struct Candidate {
    CutSettings settings;
    std::vector<WorkPart> parts;
    std::vector<LaidOutSheet> sheets;
};

// One layout: every sheet of the candidate laid out in order, as one evaluation
// of the optimizer does. Returns the placed area.
template <typename List, typename Layout>
double LayOut(Candidate& c, List& list, Layout layout) {
    list.Reset(c.parts, c.settings);
    double placed = 0;
    for (LaidOutSheet& s : c.sheets) placed += layout(s, list);
    return placed;
}

// Layouts per second over the candidates in turn, for at least `seconds` and
// at least `minRuns` layouts.
template <typename List, typename Layout>
double Rate(std::vector<Candidate>& candidates, Layout layout, double seconds, int minRuns) {
    List list;
    const double start = CpuSeconds();
    int runs = 0;
    double elapsed = 0;
    do {
        LayOut(candidates[runs % candidates.size()], list, layout);
        ++runs;
        elapsed = CpuSeconds() - start;
    } while (runs < minRuns || elapsed < seconds);
    return runs / elapsed;
}

struct Outcome {
    bool identical = true;
    int sheetsUsed = 0;
    std::size_t partsPlaced = 0;
};

// Lays the first candidate out with both engines and compares every sheet.
Outcome Compare(const Candidate& candidate) {
    Candidate a = candidate, b = candidate;
    WorkList fast;
    reference::WorkList ref;
    fast.Reset(a.parts, a.settings);
    ref.Reset(b.parts, b.settings);
    Outcome o;
    for (std::size_t i = 0; i < a.sheets.size(); ++i) {
        const double x = LayoutSheet(a.sheets[i], fast);
        const double y = reference::LayoutSheet(b.sheets[i], ref);
        o.identical = o.identical && SameBits(x, y) && SameLayout(a.sheets[i], b.sheets[i]);
        if (x > kCutTolerance) ++o.sheetsUsed;
        o.partsPlaced += a.sheets[i].parts.size();
    }
    return o;
}

void BenchJob(int partCount, bool guillotine) {
    EngineJob job = RealisticJob(partCount, guillotine, 20151207);
    std::mt19937_64 rng(7);
    std::vector<Candidate> candidates(4);
    for (Candidate& c : candidates) {
        c.settings = job.settings;
        c.parts = job.parts;
        RandomTurns(c.parts, rng);
        c.sheets = job.sheets;
    }
    const Outcome o = Compare(candidates[0]);
    const double fast = Rate<WorkList>(
        candidates, [](LaidOutSheet& s, WorkList& l) { return LayoutSheet(s, l); }, 1.0, 5);
    const double ref = Rate<reference::WorkList>(
        candidates,
        [](LaidOutSheet& s, reference::WorkList& l) { return reference::LayoutSheet(s, l); },
        partCount > 1000 ? 0.1 : 1.0, 1);
    std::printf("%-10s %6d %7zu %5d %7zu %12.1f %12.3f %9.1fx %10s\n",
                guillotine ? "guillotine" : "free", partCount, job.sheets.size(), o.sheetsUsed,
                o.partsPlaced, fast, ref, fast / ref, o.identical ? "yes" : "NO");
    std::fflush(stdout);
}

}  // namespace

void RunEngineBench() {
    std::printf(
        "Layout engine: layouts per second of CPU time (one layout = every sheet of a\n"
        "candidate; sheets 2440 x 1220 less 10 margins, kerf 4, random turns)\n\n");
    std::printf("%-10s %6s %7s %5s %7s %12s %12s %10s %10s\n", "method", "parts", "sheets", "used",
                "placed", "fast/s", "reference/s", "speed-up", "identical");
    for (bool guillotine : {true, false})
        for (int parts : {100, 1000, 5000}) BenchJob(parts, guillotine);
    std::printf("\n");
}

}  // namespace tarvex
