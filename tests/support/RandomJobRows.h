// Jobs as typed, drawn at random for the tests over generated plans: repeated
// labels in other sizes, sheets of two sizes under one label, kerf 0 or positive,
// margins or none, turnable and fixed parts, sizes that meet exactly.
#pragma once

#include <cstdint>
#include <functional>
#include <random>

#include "engine/Cut.h"
#include "job/AppliedResult.h"
#include "job/Calculation.h"
#include "job/JobRows.h"

namespace tarvex {

double Uniform(std::mt19937_64& rng, double lo, double hi);
int Below(std::mt19937_64& rng, int n);
bool Chance(std::mt19937_64& rng, double p);

JobRows RandomRows(std::mt19937_64& rng, bool guillotine);

// The plan of one random candidate of the gathered job (sheets in a random order),
// laid out and applied as a calculation applies its best candidate.
AppliedResult RandomCandidatePlan(const JobRows& rows, const Job& job, std::uint32_t seed,
                                  std::mt19937_64& rng, WorkList& list);

// What a run over generated plans reached, to show that the jobs hold the cases
// they are drawn for.
struct PlanReach {
    int plans = 0, withKerf = 0, withMargins = 0, merged = 0, notAllPlaced = 0;
    void Count(const JobRows& rows, const AppliedResult& plan);
};

// A full calculation of the rows on one thread, from the seed given.
CalcOutcome CalculateOnOneThread(Calculation& calc, const JobRows& rows, std::uint64_t seed);

enum class Placements { Guillotine, Free, Alternating };

// Calls `visit` with the rows, the plan of one random candidate and the seed of
// each of `jobs` jobs drawn from seeds seed, seed + 1, ...; it stops when `visit`
// gives false. Part ids run on from job to job, as in one session; a job that the
// job input refuses is a test failure and ends the run.
void ForEachGeneratedPlan(
    int jobs, std::uint64_t seed, Placements placements,
    const std::function<bool(const JobRows&, const AppliedResult&, std::uint64_t)>& visit);

}  // namespace tarvex
