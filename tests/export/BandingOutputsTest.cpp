// Jobs with edge banding, calculated in full, and their outputs checked from the
// typed rows rather than by the code that made them: every plan passes the plan
// check, every part is cut to its typed size less its banding when the job cuts to
// finished sizes, and the banding lengths of the JSON, per banding and per
// material, are the sums over the placed parts' banded edges added up here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "export/PartLabels.h"
#include "export/ResultJson.h"
#include "job/Calculation.h"
#include "support/RandomJobRows.h"

using namespace tarvex;

namespace {

using Json = nlohmann::json;

const char* const kNames[] = {"PVC 1", "Oak 2", "封边 0.5"};

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The banding of the list the name means, as a user reads the list.
const Banding* Lookup(const std::vector<Banding>& list, const std::string& name) {
    for (const Banding& b : list)
        if (Lower(b.name) == Lower(name)) return &b;
    return nullptr;
}

EnteredRows EnteredOf(const JobRows& rows) {
    EnteredRows entered;
    for (const PartRow& row : rows.parts) {
        EnteredPart& e = entered.parts.emplace_back();
        e.texts.label = e.label = row.label;
        e.texts.material = e.material = row.material;
        e.texts.banding = e.banding = row.banding;
        e.length = row.length, e.width = row.width;
        e.quantity = row.quantity;
        e.rotatable = row.rotatable;
    }
    for (const SheetRow& row : rows.sheets) {
        EnteredSheet& e = entered.sheets.emplace_back();
        e.texts.label = e.label = row.label;
        e.texts.material = e.material = row.material;
        e.length = row.length, e.width = row.width, e.cost = row.cost;
        e.quantity = row.quantity;
        e.priority = row.priority;
    }
    return entered;
}

// A generated job of one or two materials with a banding list of up to three
// bandings, every edge banded or not, names in either letter case, now and then a
// name the list lacks.
JobRows BandedRows(std::mt19937_64& rng, bool guillotine, bool best) {
    JobRows rows = RandomRows(rng, guillotine);
    const bool twoMaterials = Chance(rng, 0.4);
    for (SheetRow& s : rows.sheets) s.material = twoMaterials && Chance(rng, 0.5) ? "MDF" : "";
    for (PartRow& p : rows.parts)
        p.material = rows.sheets[Below(rng, static_cast<int>(rows.sheets.size()))].material;
    BandingSettings& banding = rows.settings.banding;
    for (int k = 0, n = 1 + Below(rng, 3); k < n; ++k)
        banding.bandings.push_back(
            {kNames[k], 0.5 * Below(rng, 7), Chance(rng, 0.5) ? 0.0 : 20.0 + Below(rng, 20)});
    banding.finishedSizes = Chance(rng, 0.5);
    for (PartRow& p : rows.parts)
        for (std::string& edge : p.banding) {
            if (Chance(rng, 0.5)) continue;
            edge = banding.bandings[Below(rng, static_cast<int>(banding.bandings.size()))].name;
            if (Chance(rng, 0.3)) edge = Lower(edge);
            if (Chance(rng, 0.005)) edge = "Steel";
        }
    if (best) {
        rows.settings.search = SearchMethod::Best;
        rows.settings.bestSteps = 20;
        rows.settings.timeLimit = 0.05;
    }
    rows.entered = EnteredOf(rows);
    return rows;
}

double Thickness(const JobRows& rows, const PartRow& part, int a, int b) {
    double sum = 0;
    for (const int e : {a, b})
        if (const Banding* found = Lookup(rows.settings.banding.bandings, part.banding[e]))
            sum += found->thickness;
    return sum;
}

struct Sum {
    int edges = 0;
    double length = 0, withAllowance = 0;
};

bool Near(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max(1.0, std::abs(b));
}

// An empty text when the plan and its JSON hold to the rows, else what is wrong.
std::string Fault(const JobRows& rows, const AppliedResult& plan) {
    const bool finished = rows.settings.banding.finishedSizes;
    std::map<std::string, Sum> total;                               // by lower-case name
    std::map<std::pair<std::string, std::string>, Sum> byMaterial;  // by material and name
    for (const PlannedSheet& s : plan.sheets) {
        if (!s.used) continue;
        for (const Placement& p : s.parts) {
            const PartRow& part = rows.parts[p.entryRow];
            // L edges take off the width, W edges the length (L1 L2 W1 W2 are 0 1 2 3).
            const double length = part.length - (finished ? Thickness(rows, part, 2, 3) : 0);
            const double width = part.width - (finished ? Thickness(rows, part, 0, 1) : 0);
            const double cutLength = p.rotated ? p.width : p.length;
            const double cutWidth = p.rotated ? p.length : p.width;
            if (!Near(cutLength, length) || !Near(cutWidth, width))
                return "part row " + std::to_string(part.row) + " cut to " +
                       std::to_string(cutLength) + " x " + std::to_string(cutWidth) +
                       " instead of " + std::to_string(length) + " x " + std::to_string(width);
            for (int e = 0; e < 4; ++e) {
                const Banding* b = Lookup(rows.settings.banding.bandings, part.banding[e]);
                if (!b) continue;
                const double along = e < 2 ? part.length : part.width;
                for (Sum* sum : {&total[Lower(b->name)], &byMaterial[{part.material, b->name}]}) {
                    ++sum->edges;
                    sum->length += along;
                    sum->withAllowance += along + b->allowance;
                }
            }
        }
    }
    const Json json = Json::parse(ResultJson(plan));
    const auto differs = [](const Json& entry, const Sum& sum) {
        return entry["edges"] != sum.edges || !Near(entry["length"], sum.length) ||
               !Near(entry["lengthWithAllowance"], sum.withAllowance);
    };
    if (json["banding"].size() != total.size()) return "bandings listed: " + json.dump();
    for (const Json& entry : json["banding"]) {
        const auto found = total.find(Lower(entry["name"]));
        if (found == total.end() || differs(entry, found->second))
            return "banding " + entry.dump() + " differs from the parts' edges";
    }
    std::size_t listed = 0;
    for (const Json& material : json["materials"])
        for (const Json& entry : material["banding"]) {
            ++listed;
            const auto found = byMaterial.find({material["material"], entry["name"]});
            if (found == byMaterial.end() || differs(entry, found->second))
                return "banding " + entry.dump() + " of a material differs";
        }
    if (listed != byMaterial.size()) return "bandings per material listed: " + json.dump();
    for (std::size_t i = 0; i < plan.sheets.size(); ++i)
        for (std::size_t k = 0; k < plan.sheets[i].parts.size(); ++k) {
            const PartRow& row = rows.parts[plan.sheets[i].parts[k].entryRow];
            const Json& edges = json["sheets"][i]["parts"][k]["banding"];
            const char* const names[] = {"L1", "L2", "W1", "W2"};
            for (int e = 0; e < 4; ++e) {
                const Json expected = row.banding[e].empty() ? Json(nullptr) : Json(row.banding[e]);
                if (edges[names[e]] != expected)
                    return "part row " + std::to_string(row.row) + " edge " + names[e] + ": " +
                           edges.dump();
            }
        }
    return {};
}

struct Reach {
    int ran = 0, finished = 0, banded = 0, unknown = 0, leftNothing = 0;
};

Reach CheckBandedPlans(bool guillotine, bool best, int jobs, std::uint64_t seed) {
    Reach reach;
    for (int j = 0; j < jobs; ++j) {
        const std::uint64_t jobSeed = seed + j;
        std::mt19937_64 rng(jobSeed);
        const JobRows rows = BandedRows(rng, guillotine, best);
        Calculation calc;
        const CalcOutcome outcome = CalculateOnOneThread(calc, rows, jobSeed);
        if (outcome.status == CalcOutcome::Status::PlanRejected) {
            ADD_FAILURE() << "job " << jobSeed << ": " << outcome.violation->message;
            break;
        }
        if (outcome.fault.code == InputFault::Code::UnknownBanding) {
            ++reach.unknown;
            const PartRow& row = rows.parts[outcome.fault.row - 1];
            const int edge =
                static_cast<int>(outcome.fault.column) - static_cast<int>(EntryColumn::BandingL1);
            EXPECT_EQ(row.banding[edge], "Steel") << "job " << jobSeed;
        }
        reach.leftNothing += outcome.fault.code == InputFault::Code::BandingLeavesNothing;
        if (!outcome.Ran()) continue;
        ++reach.ran;
        reach.finished += rows.settings.banding.finishedSizes;
        const AppliedResult& plan = *calc.Applied();
        const std::string fault = Fault(rows, plan);
        if (!fault.empty()) {
            ADD_FAILURE() << "job " << jobSeed << ": " << fault;
            break;
        }
        for (const PartLabel& label : PartLabels(plan)) reach.banded += !label.banding.empty();
    }
    return reach;
}

void ExpectReach(const Reach& r, int jobs) {
    SCOPED_TRACE(testing::Message()
                 << "ran " << r.ran << ", finished sizes " << r.finished << ", banded labels "
                 << r.banded << ", unknown " << r.unknown << ", nothing left " << r.leftNothing);
    EXPECT_GT(r.ran, jobs / 3);
    EXPECT_GT(r.finished, jobs / 8);
    EXPECT_GT(r.banded, jobs);
}

TEST(BandingOutputs, ClassicPlansCutLessBandingAndSumTheirEdges) {
    const Reach guillotine = CheckBandedPlans(true, false, 1500, 1);
    ExpectReach(guillotine, 1500);
    const Reach free = CheckBandedPlans(false, false, 1500, 50000);
    ExpectReach(free, 1500);
    EXPECT_GT(guillotine.unknown + free.unknown, 0);
}

TEST(BandingOutputs, BestPlansCutLessBandingAndSumTheirEdges) {
    ExpectReach(CheckBandedPlans(true, true, 60, 90000), 60);
    ExpectReach(CheckBandedPlans(false, true, 60, 95000), 60);
}

}  // namespace
