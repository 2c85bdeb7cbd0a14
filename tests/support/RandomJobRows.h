// Jobs as typed, drawn at random for the tests over generated plans: repeated
// labels in other sizes, sheets of two sizes under one label, kerf 0 or positive,
// margins or none, turnable and fixed parts, sizes that meet exactly.
#pragma once

#include <random>

#include "job/JobRows.h"

JobRows RandomRows(std::mt19937_64& rng, bool guillotine);
