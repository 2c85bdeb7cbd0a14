// The fast engine against the reference on many generated jobs: every sheet's
// placements, offcuts and segments, every returned area and every placed mark
// must be identical, bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <sstream>
#include <thread>

#include "engine/Fill.h"
#include "support/EngineJobs.h"
#include "support/ReferenceCut.h"

using namespace tarvex;

namespace {

std::string Describe(const LaidOutSheet& s) {
    std::ostringstream o;
    o.precision(17);
    o << "sheet " << s.id << " " << s.length << " x " << s.width << "\n  parts:";
    for (const Footprint& p : s.parts)
        o << " [" << p.partId << " @" << p.x << "," << p.y << " " << p.length << "x" << p.width
          << "]";
    o << "\n  offcuts:";
    for (const Offcut& p : s.offcuts)
        o << " [@" << p.x << "," << p.y << " " << p.length << "x" << p.width << "]";
    o << "\n  segments:";
    for (const Segment& l : s.segments) o << " [" << l.x << "," << l.y << " " << l.length << "]";
    return o.str();
}

// Runs one candidate through both engines, sheet after sheet in the given order.
::testing::AssertionResult SameEvaluation(const EngineJob& job, std::vector<WorkPart>& fastParts,
                                          std::vector<WorkPart>& refParts, WorkList& fast,
                                          reference::WorkList& ref,
                                          std::vector<LaidOutSheet>& fastSheets,
                                          std::vector<LaidOutSheet>& refSheets,
                                          const std::vector<int>& order, int& fills) {
    fast.Reset(fastParts, job.settings);
    ref.Reset(refParts, job.settings);
    for (int i : order) {
        const double a = LayoutSheet(fastSheets[i], fast);
        const double b = reference::LayoutSheet(refSheets[i], ref);
        ++fills;
        if (!SameBits(a, b) || !SameLayout(fastSheets[i], refSheets[i]))
            return ::testing::AssertionFailure()
                   << "area " << a << " vs " << b << "\nfast " << Describe(fastSheets[i])
                   << "\nreference " << Describe(refSheets[i]);
    }
    for (std::size_t k = 0; k < fastParts.size(); ++k)
        if (!SameRecord(fastParts[k], refParts[k]))
            return ::testing::AssertionFailure() << "candidate record " << k << " differs";
    return ::testing::AssertionSuccess();
}

// Each job is evaluated twice with the same work lists and sheet records, the
// second time with new turns and another sheet order, as the optimizer does.
int CompareOnRandomJobs(bool guillotine, int jobs, std::uint64_t seed) {
    WorkList fast;
    reference::WorkList ref;
    int fills = 0;
    for (int j = 0; j < jobs; ++j) {
        std::mt19937_64 rng(seed + j);
        EngineJob job = RandomEdgeJob(rng, guillotine);
        std::vector<WorkPart> fastParts = job.parts, refParts = job.parts;
        std::vector<LaidOutSheet> fastSheets = job.sheets, refSheets = job.sheets;
        std::vector<int> order(job.sheets.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
        for (int round = 0; round < 2; ++round) {
            EXPECT_TRUE(SameEvaluation(job, fastParts, refParts, fast, ref, fastSheets, refSheets,
                                       order, fills))
                << "job seed " << seed + j << ", round " << round;
            if (::testing::Test::HasFailure()) return fills;
            RandomTurns(fastParts, rng);
            refParts = fastParts;
            std::shuffle(order.begin(), order.end(), rng);
        }
    }
    return fills;
}

TEST(EngineDifferential, GuillotineMatchesReference) {
    const int fills = CompareOnRandomJobs(true, 2600, 1000);
    EXPECT_GE(fills, 10000);
}

TEST(EngineDifferential, FreeFillMatchesReference) {
    const int fills = CompareOnRandomJobs(false, 2600, 5000000);
    EXPECT_GE(fills, 10000);
}

// Larger lists in realistic proportions, where the search structures get deep.
TEST(EngineDifferential, LargerJobsMatchReference) {
    for (bool guillotine : {true, false}) {
        for (std::uint64_t seed = 1; seed <= 3; ++seed) {
            EngineJob job = RealisticJob(300, guillotine, seed);
            std::vector<WorkPart> fastParts = job.parts, refParts = job.parts;
            std::vector<LaidOutSheet> fastSheets = job.sheets, refSheets = job.sheets;
            std::vector<int> order(job.sheets.size());
            for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
            WorkList fast;
            reference::WorkList ref;
            int fills = 0;
            EXPECT_TRUE(SameEvaluation(job, fastParts, refParts, fast, ref, fastSheets, refSheets,
                                       order, fills))
                << (guillotine ? "guillotine" : "free") << " seed " << seed;
        }
    }
}

// Sizes that the job input refuses still must not hang or crash either engine,
// and both must agree on them.
TEST(EngineDifferential, DegenerateSizesMatchReference) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double odd[] = {0, -5, nan, inf, -inf, 1e-300, 1e300, 300};
    std::mt19937_64 rng(4242);
    WorkList fast;
    reference::WorkList ref;
    int fills = 0;
    for (int j = 0; j < 400; ++j) {
        EngineJob job = RandomEdgeJob(rng, j % 2 == 0);
        for (int k = 0; k < 3; ++k) {
            WorkPart p = MakePart(odd[rng() % 8], odd[rng() % 8], job.settings.bladeWidth, 900 + k);
            job.parts.insert(job.parts.begin() + rng() % (job.parts.size() + 1), p);
        }
        if (j % 5 == 0) job.sheets.push_back(MakeSheet(odd[rng() % 8], odd[rng() % 8], 99));
        std::vector<WorkPart> fastParts = job.parts, refParts = job.parts;
        std::vector<LaidOutSheet> fastSheets = job.sheets, refSheets = job.sheets;
        std::vector<int> order(job.sheets.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
        ASSERT_TRUE(SameEvaluation(job, fastParts, refParts, fast, ref, fastSheets, refSheets,
                                   order, fills))
            << "job " << j;
    }
}

// Evaluations on several threads at once, each with its own work list and its
// own job and settings (guillotine and free fills side by side), give what they
// give one after another: the engine keeps no shared state.
TEST(EngineDifferential, ConcurrentEvaluationsMatchSequentialOnes) {
    constexpr int kThreads = 4;
    std::vector<EngineJob> candidates;
    std::mt19937_64 rng(5);
    for (int k = 0; k < kThreads; ++k) {
        candidates.push_back(RealisticJob(400, k % 2 == 0, 99 + k / 2));
        if (k >= 2) candidates.back().settings.minOffcutArea = 250000;  // fewer offcuts kept
        RandomTurns(candidates.back().parts, rng);
    }
    auto evaluate = [](EngineJob& c, WorkList& list) {
        list.Reset(c.parts, c.settings);
        for (LaidOutSheet& s : c.sheets) LayoutSheet(s, list);
    };
    std::vector<EngineJob> sequential = candidates;
    WorkList one;
    for (EngineJob& c : sequential) evaluate(c, one);
    std::vector<std::thread> threads;
    for (EngineJob& c : candidates)
        threads.emplace_back([&c, &evaluate] {
            WorkList own;
            for (int round = 0; round < 20; ++round) evaluate(c, own);
        });
    for (std::thread& t : threads) t.join();
    for (int k = 0; k < kThreads; ++k) {
        ASSERT_EQ(candidates[k].sheets.size(), sequential[k].sheets.size());
        for (std::size_t i = 0; i < candidates[k].sheets.size(); ++i)
            ASSERT_TRUE(SameLayout(candidates[k].sheets[i], sequential[k].sheets[i]))
                << "candidate " << k << ", sheet " << i;
    }
}

// Random segment lists on a coarse grid, so that ends and levels often meet
// exactly, closed at random gaps.
TEST(EngineDifferential, SegmentOperationsMatchReference) {
    CutSettings settings;
    settings.minOffcutLength = settings.minOffcutWidth = 1;
    settings.minOffcutArea = 2;
    std::mt19937_64 rng(77);
    auto grid = [&](int n) { return static_cast<double>(rng() % n); };
    for (int c = 0; c < 20000; ++c) {
        LaidOutSheet sheet = MakeSheet(8, 6);
        for (int n = static_cast<int>(rng() % 7); n > 0; --n)
            sheet.segments.push_back(Segment{grid(8), grid(7), grid(5)});
        LaidOutSheet other = sheet;
        double x1 = -1, y1 = -1, l1 = -1, x2 = -1, y2 = -1, l2 = -1;
        PickLowestSegment(sheet, x1, y1, l1);
        reference::PickLowestSegment(other, x2, y2, l2);
        ASSERT_TRUE(SameBits(x1, x2) && SameBits(y1, y2) && SameBits(l1, l2)) << "case " << c;

        const double gapX = grid(8), gapY = grid(7), gapLength = grid(5) - 0.5 * grid(2);
        const double usable = rng() % 2 ? 8 : gapX + gapLength;
        CloseSegment(sheet, gapX, gapY, gapLength, usable, settings);
        reference::CloseSegment(other, gapX, gapY, gapLength, usable, settings);
        ASSERT_TRUE(SameLayout(sheet, other))
            << "case " << c << " gap " << gapX << "," << gapY << " " << gapLength << "\nfast "
            << Describe(sheet) << "\nreference " << Describe(other);
    }
}

}  // namespace
