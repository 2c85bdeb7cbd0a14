// Job input: builds the job the search reads from the typed rows, one record per
// physical part and sheet, with its totals.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "job/InputFault.h"
#include "job/JobRows.h"
#include "model/Job.h"

namespace tarvex {

// Larger jobs are refused before any record is made: a mistyped quantity must not
// exhaust the memory or run for hours.
inline constexpr int kMaxPartRecords = 100000;
inline constexpr int kMaxSheetRecords = 10000;

// The stock a first calculation takes: sheets until their usable area exceeds this
// many times the part area. When parts stay unplaced while stock remains, the job
// is gathered again with the factor doubled.
inline constexpr double kFirstStockFactor = 1.5;

// Builds the job of the rows, part ids from `firstPartId` on. Sheets of the
// priority rows come first; sheets are taken only until their usable area
// exceeds `stockFactor` times the part area. On a row that cannot make records (a size
// that is not positive or out of range, a negative cost, margins that leave
// nothing of a sheet) or a job beyond the record limits, returns false with the
// fault naming the table, row and column, and leaves `job` as it was.
bool GatherJob(const JobRows& rows, std::int32_t firstPartId, Job& job, InputFault& error,
               double stockFactor = kFirstStockFactor);

// A first-cut direction is kept along each sheet's length, and a sheet whose grain
// runs across is searched turned: the first sheet row, with a quantity, where the
// two meet, when guillotine cuts are to start in one direction.
std::optional<InputFault> FirstCutAcrossGrain(const JobRows& rows);

// The sheets the rows offer in all (rows with a quantity above 0).
std::int64_t StockUnits(const JobRows& rows);
// The area of the parts as entered, without the kerf the job adds to them.
double EnteredPartArea(const JobRows& rows);
// The part rows, with a quantity, that fit on no sheet row of the stock (either way
// round when they may be turned): why a plan leaves those parts out however long
// it searches.
std::vector<PartRow> PartsFittingNoSheet(const JobRows& rows);

}  // namespace tarvex
