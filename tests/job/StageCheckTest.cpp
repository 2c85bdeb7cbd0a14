// The stages of edge-to-edge cuts a guillotine layout needs, and the plan check
// that holds a plan to the settings' limit. Drawn layouts (y upward) for each
// count, and generated plans against a brute-force decomposition of the test's
// own that tries every choice of cuts in every stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "job/PlanCheck.h"
#include "support/RandomJobRows.h"

using namespace tarvex;

namespace {

Placement At(int id, double x, double y, double length, double width) {
    Placement p;
    p.partId = id, p.label = "P", p.x = x, p.y = y, p.length = length, p.width = width;
    return p;
}

// A result of one 100 x 100 sheet holding the placements, whose job has them as
// its parts; guillotine cutting, no kerf.
AppliedResult OneSheet(const std::vector<Placement>& placements) {
    AppliedResult r;
    PlannedSheet s;
    s.label = "Board", s.length = 100, s.width = 100, s.used = true, s.layoutIndex = 0;
    s.parts = placements;
    r.sheets.push_back(s);
    std::vector<Part> parts;
    for (const Placement& p : placements) {
        Part& part = parts.emplace_back();
        part.id = p.partId, part.label = p.label, part.rotatable = false;
        part.SetSize(p.length, p.width);
    }
    r.job = Job::Restored(std::move(parts),
                          {.partCount = static_cast<std::int32_t>(placements.size())});
    r.allPlaced = true;
    r.settings.cut.guillotine = true;
    return r;
}

std::optional<int> Stages(const AppliedResult& r, FirstCut first) {
    CutSettings cut = r.settings.cut;
    cut.firstCut = first;
    return FewestStagesOf(r.sheets.front(), cut);
}

// The check's verdict under a limit: nothing, or the kind and message.
std::optional<PlanViolation> Checked(AppliedResult r, int stages, FirstCut first) {
    r.settings.cut.stages = stages;
    r.settings.cut.firstCut = first;
    return CheckPlan(r);
}

// Whether the group can be parted in at most `stages` stages, the next cutting
// along `axis` (0: positions along x), trying every set of cut lines a stage may
// make in a piece, none included. Groups are bit sets of box positions.
class BruteStages {
  public:
    BruteStages(const std::vector<Box>& boxes, double kerf, double tol)
        : boxes_(boxes), kerf_(kerf), tol_(tol) {}

    std::optional<int> Fewest(std::optional<int> firstAxis) {
        const unsigned all = (1u << boxes_.size()) - 1;
        const int onlyAxis = firstAxis.value_or(-1);
        for (int k = 0; k <= 2 * static_cast<int>(boxes_.size()) + 2; ++k)
            for (int axis = 0; axis < 2; ++axis)
                if ((onlyAxis < 0 || onlyAxis == axis) && Can(all, axis, k)) return k;
        return std::nullopt;
    }

  private:
    double Lo(int i, int axis) const { return axis == 0 ? boxes_[i].left : boxes_[i].bottom; }
    double Hi(int i, int axis) const { return axis == 0 ? boxes_[i].right : boxes_[i].top; }

    bool Can(unsigned group, int axis, int stages) {
        if (__builtin_popcount(group) < 2) return true;
        if (stages == 0) return false;
        const auto key = std::make_tuple(group, axis, stages);
        if (const auto found = memo_.find(key); found != memo_.end()) return found->second;
        // A line right after a box's end, a blade width wide, that no box crosses.
        std::vector<double> lines;
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            if (!(group >> i & 1)) continue;
            const double at = Hi(static_cast<int>(i), axis);
            bool clear = true, above = false;
            for (std::size_t j = 0; j < boxes_.size(); ++j) {
                if (!(group >> j & 1)) continue;
                const int b = static_cast<int>(j);
                if (Lo(b, axis) >= at + kerf_ - tol_)
                    above = true;
                else if (Hi(b, axis) > at + tol_)
                    clear = false;
            }
            if (clear && above && std::find(lines.begin(), lines.end(), at) == lines.end())
                lines.push_back(at);
        }
        bool can = false;
        for (unsigned chosen = 0; !can && chosen < (1u << lines.size()); ++chosen) {
            // Each box goes to the piece after the chosen lines it lies above.
            std::map<int, unsigned> pieces;
            for (std::size_t j = 0; j < boxes_.size(); ++j) {
                if (!(group >> j & 1)) continue;
                int piece = 0;
                for (std::size_t l = 0; l < lines.size(); ++l)
                    if (chosen >> l & 1 && Lo(static_cast<int>(j), axis) >= lines[l] - tol_)
                        ++piece;
                pieces[piece] |= 1u << j;
            }
            can = std::all_of(pieces.begin(), pieces.end(),
                              [&](const auto& p) { return Can(p.second, 1 - axis, stages - 1); });
        }
        memo_[key] = can;
        return can;
    }

    std::vector<Box> boxes_;
    double kerf_, tol_;
    std::map<std::tuple<unsigned, int, int>, bool> memo_;
};

}  // namespace

// Two strips along the length, each cut into parts of its own height:
//
//   100 +-------------+------------+
//       |      C      |     D      |
//    40 +------+------+------------+
//       |  A   |  B   |   (waste)     B is 35 high: trimmed, no stage
//     0 +------+------+
//       0     30     60           100
//
// First cuts along the length: two stages. Along the width no cut runs through
// the sheet, so the first stage parts nothing and three are needed.
TEST(StageCheck, TwoStagesAlongTheLengthThreeAlongTheWidth) {
    const AppliedResult r = OneSheet(
        {At(1, 0, 0, 30, 40), At(2, 30, 0, 30, 35), At(3, 0, 40, 50, 60), At(4, 50, 40, 50, 60)});
    EXPECT_EQ(Stages(r, FirstCut::Any), 2);
    EXPECT_EQ(Stages(r, FirstCut::Length), 2);
    EXPECT_EQ(Stages(r, FirstCut::Width), 3);
    EXPECT_FALSE(Checked(r, 2, FirstCut::Any));
    EXPECT_FALSE(Checked(r, 2, FirstCut::Length));
    EXPECT_FALSE(Checked(r, 3, FirstCut::Width));
    const auto refused = Checked(r, 2, FirstCut::Width);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->kind, PlanViolation::Kind::TooManyStages);
    EXPECT_EQ(refused->message,
              "Sheet 1 \"Board\", layout 1: with the first cuts along the width, its parts need 3 "
              "stages of cuts, but at most 2 are allowed.");
    // Without a limit the direction alone asks nothing: any stage may part nothing.
    EXPECT_FALSE(Checked(r, 0, FirstCut::Width));
}

//   100 +---------------------------+
//       |             D             |
//    50 +-------------+-------------+
//       |             |      C      |
//       |      A      +-------------+ 20
//       |             |      B      |
//     0 +-------------+-------------+
//       0            50            100
TEST(StageCheck, ThreeStagesWhenAStripHoldsAStack) {
    const AppliedResult r = OneSheet(
        {At(1, 0, 0, 50, 50), At(2, 50, 0, 50, 20), At(3, 50, 20, 50, 30), At(4, 0, 50, 100, 50)});
    EXPECT_EQ(Stages(r, FirstCut::Any), 3);
    EXPECT_EQ(Stages(r, FirstCut::Width), 4);
    EXPECT_FALSE(Checked(r, 3, FirstCut::Length));
    const auto refused = Checked(r, 2, FirstCut::Any);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->message,
              "Sheet 1 \"Board\", layout 1: its parts need 3 stages of cuts, but at most 2 are "
              "allowed.");
}

// A guillotine layout that turns four times, whichever way the saw starts:
//
//   100 +---------------------------+
//       |             T             |
//    50 +-------------+------+------+
//       |             |  E   |  F   |
//       |      L      +------+------+ 25
//       |             |      R      |
//     0 +-------------+-------------+
//       0            50     75     100
TEST(StageCheck, FourStagesAreMoreThanAnySawAllows) {
    const AppliedResult r =
        OneSheet({At(1, 0, 50, 100, 50), At(2, 0, 0, 50, 50), At(3, 50, 0, 50, 25),
                  At(4, 50, 25, 25, 25), At(5, 75, 25, 25, 25)});
    EXPECT_EQ(Stages(r, FirstCut::Any), 4);
    EXPECT_EQ(Stages(r, FirstCut::Length), 4);
    EXPECT_EQ(Stages(r, FirstCut::Width), 5);
    for (FirstCut first : {FirstCut::Any, FirstCut::Length, FirstCut::Width}) {
        const auto refused = Checked(r, 3, first);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->kind, PlanViolation::Kind::TooManyStages);
    }
    // One part alone needs no stage, trims or not; a pinwheel no edge-to-edge cut parts.
    EXPECT_EQ(Stages(OneSheet({At(1, 10, 10, 20, 20)}), FirstCut::Width), 0);
    EXPECT_FALSE(Stages(OneSheet({At(1, 0, 0, 60, 40), At(2, 60, 0, 40, 60), At(3, 40, 60, 60, 40),
                                  At(4, 0, 40, 40, 60), At(5, 40, 40, 20, 20)}),
                        FirstCut::Any));
}

TEST(StageCheck, GeneratedPlansNeedTheStagesABruteForceFinds) {
    int sheets = 0, compared = 0, plans = 0, refused = 0;
    std::map<int, int> byStages;
    ForEachGeneratedPlan(
        1500, 24000, Placements::Guillotine,
        [&](const JobRows&, const AppliedResult& plan, std::uint64_t jobSeed) {
            if (CheckPlan(plan)) return true;  // the plan check's own tests look at these
            ++plans;
            const CutSettings& cut = plan.settings.cut;
            int most = 0;
            const FirstCut first = static_cast<FirstCut>(jobSeed % 3);
            for (const PlannedSheet& s : plan.sheets) {
                if (!s.used) continue;
                ++sheets;
                CutSettings directed = cut;
                directed.firstCut = first;
                const auto needed = FewestStagesOf(s, directed);
                EXPECT_TRUE(needed) << "job " << jobSeed;
                if (!needed) return false;
                most = std::max(most, *needed);
                if (s.parts.size() > 8) continue;
                std::vector<Box> boxes;
                for (const Placement& p : s.parts) boxes.push_back(BoxOf(p));
                BruteStages brute(boxes, cut.bladeWidth,
                                  1e-5 + 1e-6 * (std::fabs(s.length) + std::fabs(s.width)));
                const std::optional<int> axis =
                    first == FirstCut::Any ? std::nullopt
                                           : std::optional<int>(first == FirstCut::Width ? 0 : 1);
                EXPECT_EQ(needed, brute.Fewest(axis)) << "job " << jobSeed;
                ++compared;
                ++byStages[*needed];
            }
            // The plan check refuses a plan exactly when a sheet needs more than allowed.
            AppliedResult limited = plan;
            limited.settings.cut.stages = 2 + static_cast<int>(jobSeed % 2);
            limited.settings.cut.firstCut = first;
            const auto violation = CheckPlan(limited);
            EXPECT_EQ(violation.has_value(), most > limited.settings.cut.stages)
                << "job " << jobSeed;
            if (violation) {
                EXPECT_EQ(violation->kind, PlanViolation::Kind::TooManyStages);
            }
            refused += violation.has_value();
            return true;
        });
    std::printf("plans %d (refused under the limit %d), sheets %d, compared %d:", plans, refused,
                sheets, compared);
    for (const auto& [stages, n] : byStages) std::printf(" %d stages %d", stages, n);
    std::printf("\n");
    EXPECT_GT(compared, 2000);
    EXPECT_GT(refused, 50);
    EXPECT_GT(plans - refused, 50);
    for (int stages = 1; stages <= 4; ++stages) EXPECT_GT(byStages[stages], 20) << stages;
}
