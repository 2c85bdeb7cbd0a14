// Test jobs from typed part and sheet rows, made through the real JobBuilder:
// one record per physical part and sheet, parts enlarged by the blade width,
// sheets without their margins, the totals counted as the records come. The job
// is returned as a value, so tests and benchmarks may hold several at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "job/JobRows.h"
#include "model/CutSettings.h"
#include "model/Job.h"

namespace tarvex {

// Rows as the tests write them, sizes first: one part that may turn, labelled "P",
// and one sheet of no cost from a row that is no priority row, labelled "S",
// unless told otherwise.
PartRow TestPart(double length, double width, int quantity = 1, bool rotatable = true,
                 std::string label = "P");
SheetRow TestSheet(double length, double width, int quantity = 1, double cost = 0,
                   bool priority = false, std::string label = "S");

enum class SheetLimit {
    // Every sheet of the rows is taken.
    All,
    // Sheets are taken only until their usable area exceeds 1.5 times the part
    // area, as job input does: the priority rows, then the others.
    AsJobInput,
};

// The job of the rows for `settings`, part ids from `firstPartId` on. Priority
// rows come first.
Job MakeJob(const CutSettings& settings, const std::vector<PartRow>& parts,
            const std::vector<SheetRow>& sheets, SheetLimit limit = SheetLimit::All,
            std::int32_t firstPartId = 0);

}  // namespace tarvex
