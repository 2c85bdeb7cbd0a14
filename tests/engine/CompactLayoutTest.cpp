// The compact layout of a candidate against the full one: laying out the job's own
// records (turned by marks) into placements that name them must give the plan that
// laying out turned copies of the records into full placements gives, bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/Cut.h"
#include "support/EngineJobs.h"

using namespace tarvex;

namespace {

bool SameSpot(const PartSpot& a, const PartSpot& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && a.part == b.part && a.rotated == b.rotated;
}

// One candidate through both layouts, sheet after sheet in the given order, with
// the work lists used before.
::testing::AssertionResult SameAsFullLayout(const EngineJob& job, const std::vector<char>& turned,
                                            const std::vector<int>& order, WorkList& compact,
                                            WorkList& full) {
    std::vector<WorkPart> copies = job.parts;
    for (std::size_t j = 0; j < copies.size(); ++j)
        if (turned[j]) copies[j].Rotate();
    full.Reset(copies, job.settings);
    const std::vector<Part> records(job.parts.begin(), job.parts.end());
    compact.Reset(records, turned, job.settings);
    std::vector<PartSpot> spots = {PartSpot{1, 2, 3, true}};  // kept: the layout appends
    std::vector<Offcut> offcuts = {Offcut{4, 5, 6, 7}};
    for (int i : order) {
        LaidOutSheet sheet = job.sheets[i];
        const double a = LayoutSheet(sheet, full);
        const std::size_t firstSpot = spots.size(), firstOffcut = offcuts.size();
        const double b = LayoutSheet(job.sheets[i], compact, spots, offcuts);
        if (!SameBits(a, b)) return ::testing::AssertionFailure() << "area " << a << " vs " << b;
        if (spots.size() - firstSpot != sheet.parts.size())
            return ::testing::AssertionFailure() << "sheet " << i << ": placement count";
        for (std::size_t k = 0; k < sheet.parts.size(); ++k) {
            const Footprint& f = sheet.parts[k];
            const PartSpot& s = spots[firstSpot + k];
            const WorkPart& p = job.parts[s.part];
            const Footprint named{s.x,
                                  s.y,
                                  s.rotated ? p.width : p.length,
                                  s.rotated ? p.length : p.width,
                                  p.id,
                                  p.label,
                                  s.rotated};
            if (!SameRecord(f, named))
                return ::testing::AssertionFailure() << "sheet " << i << ", placement " << k;
        }
        if (offcuts.size() - firstOffcut != sheet.offcuts.size())
            return ::testing::AssertionFailure() << "sheet " << i << ": offcut count";
        for (std::size_t k = 0; k < sheet.offcuts.size(); ++k)
            if (!SameRecord(sheet.offcuts[k], offcuts[firstOffcut + k]))
                return ::testing::AssertionFailure() << "sheet " << i << ", offcut " << k;
    }
    if (!SameSpot(spots.front(), PartSpot{1, 2, 3, true}) ||
        !SameRecord(offcuts.front(), Offcut{4, 5, 6, 7}))
        return ::testing::AssertionFailure() << "earlier records changed";
    return ::testing::AssertionSuccess();
}

TEST(CompactLayout, MatchesTheFullLayoutOnGeneratedJobs) {
    std::mt19937_64 rng(31);
    WorkList compact, full;
    for (int c = 0; c < 1000; ++c) {
        const bool guillotine = c % 2 == 0;
        EngineJob job = c % 3 == 0
                            ? RealisticJob(40 + static_cast<int>(rng() % 160), guillotine, rng())
                            : RandomEdgeJob(rng, guillotine);
        // A job's records lie as entered; the marks alone turn them.
        for (WorkPart& p : job.parts)
            if (p.rotated) p.Rotate();
        std::vector<char> turned(job.parts.size());
        for (std::size_t j = 0; j < turned.size(); ++j)
            turned[j] = job.parts[j].rotatable && rng() % 2;
        std::vector<int> order(job.sheets.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
        std::shuffle(order.begin(), order.end(), rng);
        ASSERT_TRUE(SameAsFullLayout(job, turned, order, compact, full)) << "job " << c;
    }
}

}  // namespace
