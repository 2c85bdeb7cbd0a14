// Jobs as a workshop types them, drawn at random for the tests that check every
// plan: repeated labels in other sizes, sheets of two sizes under one label, kerf
// 0 or positive, margins or none, turnable and fixed parts, priority rows, costs.
#pragma once

#include <random>

#include "job/JobRows.h"

double Uniform(std::mt19937_64& rng, double lo, double hi);
int Below(std::mt19937_64& rng, int n);
bool Chance(std::mt19937_64& rng, double p);

JobRows RandomRows(std::mt19937_64& rng, bool guillotine);
