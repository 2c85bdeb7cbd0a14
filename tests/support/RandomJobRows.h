// Jobs as typed, drawn at random for the tests over generated plans: repeated
// labels in other sizes, sheets of two sizes under one label, kerf 0 or positive,
// margins or none, turnable and fixed parts, sizes that meet exactly.
#pragma once

#include <random>

#include "engine/Cut.h"
#include "job/AppliedResult.h"
#include "job/JobRows.h"

double Uniform(std::mt19937_64& rng, double lo, double hi);
int Below(std::mt19937_64& rng, int n);
bool Chance(std::mt19937_64& rng, double p);

JobRows RandomRows(std::mt19937_64& rng, bool guillotine);

// The plan of one random candidate of the gathered job (sheets in a random order),
// laid out and applied as a calculation applies its best candidate.
AppliedResult RandomCandidatePlan(const JobRows& rows, const Job& job, std::uint32_t seed,
                                  std::mt19937_64& rng, WorkList& list);
