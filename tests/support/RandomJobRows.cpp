#include "support/RandomJobRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "job/Calculation.h"
#include "job/JobInput.h"
#include "optimizer/Ga.h"

namespace tarvex {

double Uniform(std::mt19937_64& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

int Below(std::mt19937_64& rng, int n) {
    return static_cast<int>(rng() % n);
}

bool Chance(std::mt19937_64& rng, double p) {
    return Uniform(rng, 0, 1) < p;
}

namespace {

// Entered sizes of one part row drawn against a usable area; `previous` is the
// length of the row before, so that strips end one blade width short of a part.
void PartSize(std::mt19937_64& rng, double usableLength, double usableWidth, double previous,
              double kerf, double& length, double& width) {
    auto whole = [&](double hi) { return std::floor(Uniform(rng, 1, std::max(2.0, hi))); };
    switch (Below(rng, 11)) {
        case 0:  // exactly as long as the usable area
            length = usableLength, width = whole(usableWidth * 0.5);
            break;
        case 1:  // exactly as wide
            length = whole(usableLength * 0.5), width = usableWidth;
            break;
        case 2:  // the whole usable area
            length = usableLength, width = usableWidth;
            break;
        case 3:  // a fraction, so that ends meet exactly
            length = usableLength / (2 + Below(rng, 4)), width = usableWidth / (2 + Below(rng, 4));
            break;
        case 4:
        case 5:
        case 6:  // one blade width longer than the row before
            length = previous + kerf, width = whole(usableWidth * 0.3);
            break;
        case 7:
            length = Uniform(rng, 1, usableLength * 0.7),
            width = Uniform(rng, 1, usableWidth * 0.7);
            break;
        case 8:  // small
            length = whole(40), width = whole(40);
            break;
        default:
            length = whole(usableLength * 0.6), width = whole(usableWidth * 0.6);
    }
}

}  // namespace

JobRows RandomRows(std::mt19937_64& rng, bool guillotine) {
    JobRows rows;
    CutSettings& cut = rows.settings.cut;
    cut.guillotine = guillotine;
    const double blades[] = {0, 0, 3, 4, 4, 4.2, 0.1};
    cut.bladeWidth = blades[Below(rng, 7)];
    if (Chance(rng, 0.6)) {
        const double margins[] = {0, 5, 10, 13.7};
        cut.margins = Margins{margins[Below(rng, 4)], margins[Below(rng, 4)],
                              margins[Below(rng, 4)], margins[Below(rng, 4)]};
    }
    const double limits[][3] = {{0, 0, 0}, {10, 10, 150}, {50, 30, 5000}};
    const auto& limit = limits[Below(rng, 3)];
    cut.minOffcutLength = limit[0], cut.minOffcutWidth = limit[1], cut.minOffcutArea = limit[2];
    rows.settings.speed = 1;

    const double sizes[][2] = {{2440, 1220}, {2500, 1250}, {1000, 500}, {300, 200}};
    for (int k = 0, n = 1 + Below(rng, 3); k < n; ++k) {
        SheetRow s;
        if (Chance(rng, 0.7)) {
            const auto& size = sizes[Below(rng, 4)];
            s.length = size[0], s.width = size[1];
        } else {
            s.length = std::round(Uniform(rng, 200, 3000)),
            s.width = std::round(Uniform(rng, 150, 1500));
        }
        s.label = Chance(rng, 0.5) ? "Board" : "Sheet " + std::to_string(k);
        s.quantity = 1 + Below(rng, 4);
        s.cost = std::round(Uniform(rng, 0, 100));
        s.priority = Chance(rng, 0.3);
        s.row = k + 1;
        rows.sheets.push_back(s);
    }
    const char* labels[] = {"Side", "Shelf", "Door", "Cabinet side panel, left"};
    double previous = 100;
    for (int k = 0, n = 1 + Below(rng, 12); k < n; ++k) {
        const SheetRow& on = rows.sheets[Below(rng, static_cast<int>(rows.sheets.size()))];
        PartRow p;
        PartSize(rng, on.length - cut.margins.left - cut.margins.right,
                 on.width - cut.margins.top - cut.margins.bottom, previous, cut.bladeWidth,
                 p.length, p.width);
        previous = p.length;
        p.label = labels[Below(rng, 4)];
        p.quantity = 1 + Below(rng, 6);
        p.rotatable = Chance(rng, 0.7);
        p.row = k + 1;
        rows.parts.push_back(p);
    }
    return rows;
}

AppliedResult RandomCandidatePlan(const JobRows& rows, const Job& job, std::uint32_t seed,
                                  std::mt19937_64& rng, WorkList& list) {
    RandomSource random(seed);
    Agent candidate;
    CreateRandom(candidate, job.Parts(), job.Sheets(), random);
    std::shuffle(candidate.sheetOrder.begin(), candidate.sheetOrder.end(), rng);
    Decode(candidate);
    Evaluate(candidate, list, job, rows.settings.cut);
    return ApplyPlan(CandidatePlan(candidate, job), job, rows.settings);
}

void PlanReach::Count(const JobRows& rows, const AppliedResult& plan) {
    ++plans;
    withKerf += rows.settings.cut.bladeWidth > 0;
    const Margins& m = rows.settings.cut.margins;
    withMargins += m.top + m.bottom + m.left + m.right > 0;
    merged += std::any_of(plan.sheets.begin(), plan.sheets.end(),
                          [](const PlannedSheet& s) { return s.used && !s.distinct; });
    notAllPlaced += !plan.allPlaced;
}

CalcOutcome CalculateOnOneThread(Calculation& calc, const JobRows& rows, std::uint64_t seed) {
    GaOptions options;
    options.seed = static_cast<std::uint32_t>(seed);
    options.threads = 1;
    return calc.Run(rows, options);
}

void ForEachGeneratedPlan(
    int jobs, std::uint64_t seed, Placements placements,
    const std::function<bool(const JobRows&, const AppliedResult&, std::uint64_t)>& visit) {
    WorkList list;
    std::int32_t nextPartId = 0;
    for (int j = 0; j < jobs; ++j) {
        const std::uint64_t jobSeed = seed + j;
        std::mt19937_64 rng(jobSeed);
        const bool guillotine = placements == Placements::Guillotine ||
                                (placements == Placements::Alternating && j % 2 == 0);
        const JobRows rows = RandomRows(rng, guillotine);
        Job job;
        InputFault error;
        if (!GatherJob(rows, nextPartId, job, error)) {
            ADD_FAILURE() << "job " << jobSeed << ": refused, fault "
                          << static_cast<int>(error.code) << " in row " << error.row;
            return;
        }
        nextPartId += job.PartCount();
        const AppliedResult plan =
            RandomCandidatePlan(rows, job, static_cast<std::uint32_t>(jobSeed), rng, list);
        if (!visit(rows, plan, jobSeed)) return;
    }
}

}  // namespace tarvex
