// Job input: builds the job the search reads from the typed rows, one record per
// physical part and sheet, with its totals.
#pragma once

#include <cstdint>
#include <string>

#include "job/JobRows.h"
#include "model/Job.h"

// Larger jobs are refused before any record is made: a mistyped quantity must not
// exhaust the memory or run for hours.
inline constexpr int kMaxPartRecords = 100000;
inline constexpr int kMaxSheetRecords = 10000;

// Builds the job of the rows, part ids from `firstPartId` on. Sheets of the
// priority rows come first; sheets are taken only until their usable area
// exceeds 1.5 times the part area. On a row that cannot make records (a size
// that is not positive or out of range, a negative cost, margins that leave
// nothing of a sheet) or a job beyond the record limits, returns false with a
// message naming the table, row and column, and leaves `job` as it was.
bool GatherJob(const JobRows& rows, std::int32_t firstPartId, Job& job, std::string& error);
