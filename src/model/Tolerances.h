// The tolerances of the job's arithmetic, each with the reason for its value.
// Plans depend on every one of them: changing a value changes seeded plans.
#pragma once

namespace tarvex {

// Sizes and positions: a part may overrun the extent it is given by less than
// this, and a rectangle narrower than this is empty. Sizes entered as decimals
// have no exact binary value, so parts that fill an extent exactly on paper may
// overrun it in the last digits; the value is far below any size a saw can cut.
inline constexpr double kCutTolerance = 0.00001;

// Positions summed along a sheet lose digits in proportion to the sheet's size:
// the checks of a finished plan allow this share of its extents on top of the
// cut tolerance.
inline constexpr double kPositionDrift = 1e-6;

// Scores of the classic search: fitness values (shares of area or cost) closer
// than this rank as equal and leave the restart and stop tests unmoved, so that
// plans differing only by rounding do not count as progress; an area or cost
// below it counts as none (a sheet that received nothing, stock without cost).
inline constexpr double kScoreTolerance = 0.00001;

// Sums of areas and costs of the best search and its lower bounds: values that
// differ by less than this share of the larger are equal, since the same sum in
// another order differs in its last digits.
inline constexpr double kRelativeTolerance = 1e-9;

// A repeated calculation compares fitness values rounded to five decimals
// (multiples of 1 / kFitnessScale), so that a plan equal up to rounding does not
// replace the applied one.
inline constexpr double kFitnessScale = 100000.0;

}  // namespace tarvex
