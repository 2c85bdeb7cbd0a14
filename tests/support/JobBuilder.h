// Test jobs from simple part and sheet rows, made through the real JobBuilder:
// one record per physical part and sheet, parts enlarged by the blade width,
// sheets without their margins, the totals counted as the records come. The job
// is returned as a value, so tests and benchmarks may hold several at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/CutSettings.h"
#include "model/Job.h"

struct TestPartRow {
    double length = 100;
    double width = 100;
    int quantity = 1;
    bool rotatable = true;
    std::string label = "P";
};

struct TestSheetRow {
    double length = 1000;
    double width = 1000;
    int quantity = 1;
    double cost = 0;  // of one sheet
    bool priority = false;
    std::string label = "S";
};

enum class SheetLimit {
    // Every sheet of the rows is taken.
    All,
    // Sheets are taken only until their usable area exceeds 1.5 times the part
    // area, as job input does: the priority rows, then the others.
    AsJobInput,
};

// The job of the rows for `settings`, part ids from `firstPartId` on. Priority
// rows come first.
Job MakeJob(const CutSettings& settings, const std::vector<TestPartRow>& parts,
            const std::vector<TestSheetRow>& sheets, SheetLimit limit = SheetLimit::All,
            std::int32_t firstPartId = 0);
